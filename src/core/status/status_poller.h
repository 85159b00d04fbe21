#pragma once
// The Status Information window's poll cycle: ten reads that fetch every
// status block of one unit into a snapshot, repeated at an interval, with
// one retry of a silent cycle through the multicast group. Sans-IO: replies
// and the engine's one-second tick come in through the engine claim, the
// window's own one-second timer through onSecond().
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/protocol/addresses.h"
#include "core/protocol/engine_link.h"
#include "core/protocol/packet.h"

namespace trennic {

class NodeTable;
struct ResolvedNode;

constexpr std::size_t kUnitInfoSize = 112;
constexpr std::size_t kUnitStatusSize = 216;
constexpr std::size_t kInterfaceBlockSize = 128;
constexpr std::size_t kWirelessLinkSize = 76;
constexpr std::size_t kWirelessNodeSlot = 64;
constexpr std::size_t kWirelessNodeMax = 64;
constexpr std::size_t kWirelessCounterSize = 176;
constexpr std::size_t kMacTableRecord = 36;
constexpr std::size_t kMacTableMax = 1024;
constexpr std::size_t kStpBridgeSize = 52;
constexpr std::size_t kStpPortRecord = 36;
constexpr std::size_t kStpPortMax = 2;

// Where the unit information block keeps the fields the cycle touches.
constexpr std::size_t kUnitInfoModelOffset = 34;     // 16-bit model word
constexpr std::size_t kUnitInfoChannelOffset = 108;  // 32-bit; −2: unknown
constexpr std::int32_t kChannelUnknown = -2;

struct StatusSnapshot {
  std::array<std::uint8_t, kUnitInfoSize> unitInfo{};
  std::array<std::uint8_t, kUnitStatusSize> unitStatus{};
  std::array<std::uint8_t, kInterfaceBlockSize> ethernet{};
  std::array<std::uint8_t, kInterfaceBlockSize> wireless{};
  std::array<std::uint8_t, kWirelessLinkSize> wirelessLink{};
  std::array<std::uint8_t, kWirelessNodeSlot * kWirelessNodeMax> wirelessNodes{};
  std::uint32_t wirelessNodeCount = 0;
  std::array<std::uint8_t, kWirelessCounterSize> wirelessCounters{};
  std::vector<std::uint8_t> macTable = std::vector<std::uint8_t>(kMacTableRecord * kMacTableMax, 0);
  std::uint32_t macCount = 0;
  std::array<std::uint8_t, kStpBridgeSize> stpBridge{};
  std::array<std::uint8_t, kStpPortRecord * kStpPortMax> stpPorts{};
  std::uint32_t stpPortCount = 0;
  std::uint16_t nodeRecordFormat = 0;  // 1..3

  void clear();
  std::uint32_t firmwareVersion() const;
};

// The unit a scan polls, resolved from the window's selection: a unit with
// a usable IP address is tried there first and through the group second.
struct StatusTarget {
  Ipv4 primary = kMulticastGroup;
  Ipv4 alternate = kMulticastGroup;
  MacAddress mac = MacAddress::broadcast();
  std::string label;
};
std::optional<StatusTarget> resolveStatusTarget(const NodeTable& nodes, std::string_view selection);
// The same for a unit already resolved, in the table or not.
StatusTarget statusTargetFor(const ResolvedNode& node);

// The interval trackbar: positions 1..61 for 0..120 seconds in steps of 2.
int trackbarPositionFor(std::uint32_t intervalSeconds);
std::uint32_t intervalForTrackbar(int position);

// The window around the poller.
class StatusHost {
 public:
  virtual ~StatusHost() = default;
  // A cycle completed: every page is redrawn from the snapshot.
  virtual void refreshPages() = 0;
  // Scan Start enabled and focused, Stop disabled, progress 0, the four
  // Clear buttons enabled.
  virtual void controlsIdle() = 0;
  // Scan Start disabled, Stop enabled and focused.
  virtual void controlsScanning() = 0;
  // "No select.": the selection resolves to no unit.
  virtual void showNoSelection() = 0;
  virtual void clearButtonsEnabled(bool enabled) = 0;
  virtual void progress(int percent) = 0;
  virtual void intervalShown(std::uint32_t seconds) = 0;
  virtual void showResult(int result) = 0;
};

class StatusPoller : public EngineClient {
 public:
  // The window's selection, resolved afresh before each further cycle.
  using Resolver = std::function<std::optional<StatusTarget>()>;

  StatusPoller(EngineLink& link, StatusHost& host, NodeTable* nodes, Resolver resolve);
  ~StatusPoller() override;

  // The interval the window opens with ("ScanTime"), before any trackbar
  // move; the trackbar then rounds it to an even number.
  void setInitialInterval(std::uint32_t seconds) { interval_ = seconds; }

  // "Scan Start": false (and "No select." shown) when nothing resolves.
  bool scanStart();
  // "Stop", Exit, closing, or the interval set to 0: any cycle is dropped.
  void stop();
  // The window's one-second timer, with the trackbar's position.
  void onSecond(int trackbarPosition);
  // The scan's next cycle for a front that times the waits itself (the
  // command line waits once per round over many units): as at the end of a
  // countdown, the unit is resolved again, and one heard only through the
  // group is asked there at once. False while a cycle runs, or when nothing
  // resolves ("No select." shown).
  bool nextCycle();
  // The user picked another line in the unit list.
  void selectionChanged(const std::string& label);

  void onReply(std::span<const std::uint8_t> datagram) override;
  void onTick() override;

  const StatusSnapshot& snapshot() const { return snapshot_; }
  StatusSnapshot& snapshot() { return snapshot_; }
  std::uint32_t interval() const { return interval_; }
  std::uint32_t countdown() const { return countdown_; }
  bool scanning() const { return scanning_; }
  int step() const { return step_; }
  int result() const { return result_; }
  bool fallbackUsed() const { return fallback_; }
  bool targetChanged() const { return targetChanged_; }
  Ipv4 target() const { return target_; }
  const StatusTarget& unit() const { return unit_; }

 private:
  void startCycle();
  // False when the request could not leave.
  bool send(std::uint32_t address, std::uint16_t length);
  void nextStep(int step);
  void takeFixed(const PacketHeader& h, std::span<const std::uint8_t> payload);
  bool takeList(const PacketHeader& h, std::span<const std::uint8_t> payload);
  void endCycle();
  void goIdle();

  EngineLink& link_;
  StatusHost& host_;
  NodeTable* nodes_;
  Resolver resolve_;
  StatusSnapshot snapshot_;
  StatusTarget unit_;
  Ipv4 target_ = kMulticastGroup;
  std::uint32_t interval_ = 10;
  std::uint32_t countdown_ = 0;
  bool scanning_ = false;
  bool fallback_ = false;
  bool targetChanged_ = false;
  int step_ = 0;
  int result_ = 0;
  int retryTicks_ = 0;
  std::vector<std::uint8_t> request_;
  // The list being read (steps 6, 8 and 10).
  std::uint32_t listOffset_ = 0;
  std::uint16_t chunk_ = 0;
  std::size_t nodeRecordSize_ = 20;
};

}  // namespace trennic
