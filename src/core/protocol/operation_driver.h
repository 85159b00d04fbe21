#pragma once
// The operation driver: runs one operation on a unit from its first request
// to its one result, retransmitting on the engine tick, giving up after a
// bounded number of ticks and falling back once to the alternate address.
// The progress window and trennic-cli both drive this one object.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/config/ap_config.h"
#include "core/protocol/engine_link.h"
#include "core/protocol/operations.h"
#include "core/protocol/packet.h"

namespace trennic {

class NodeTable;
class NodeRows;
class Sequence;
class WirelessImage;

struct OperationArgs {
  int operation = 0;
  Ipv4 primary = kMulticastGroup;
  Ipv4 alternate = kMulticastGroup;
  MacAddress unitMac = MacAddress::broadcast();
  PasswordField password{};
  std::string fileName;
  std::string line1, line2;
};

// What the caller lends the operation besides its arguments.
struct OperationContext {
  NodeTable* nodes = nullptr;  // routes are recorded here; answers merged
  NodeRows* rows = nullptr;    // the list that shows merged answers
  ConfigSet* transferSet = nullptr;          // configuration read and write
  std::vector<std::uint8_t>* table = nullptr;  // filter table read and write
  std::uint32_t clearMask = 0;
  PasswordField newPassword{};
  // The wireless card's load: the image reader (the sequence's own when
  // none is lent), where the card's PDA blocks are stored, and where the
  // finished image is also written when that is asked for.
  WirelessImage* wirelessImage = nullptr;
  std::string pdaFolder = "PDA";
  std::string wirelessDumpPath;
};

// The window around the driver.
class DriverHost {
 public:
  virtual ~DriverHost() = default;
  virtual void progress(int percent) = 0;
  // The one message of an operation, shown before it closes.
  virtual void showResult(int result) = 0;
  // The operation is over; the window closes with success or failure.
  virtual void finished(bool success) = 0;
  // An accepted identity answer of a search or version query.
  virtual void unitAnswered(const struct UnitIdentity&) {}
  virtual void restarting(Ipv4 /*alternate*/) {}
};

class OperationDriver : public EngineClient {
 public:
  OperationDriver(EngineLink& link, DriverHost& host);
  ~OperationDriver() override;

  // Stores the arguments and resets the state; the result is 3 until the
  // operation ends otherwise.
  void open(const OperationArgs& args, const OperationContext& context);
  // The window is up: claim the engine and send the first request.
  void start();
  // Cancel, Esc or closing the window.
  void cancel();

  void onReply(std::span<const std::uint8_t> datagram) override;
  void onTick() override;

  bool running() const { return running_; }
  int result() const { return result_; }
  // 1 on success, 2 otherwise, as run() of the progress window returns.
  int runResult() const { return result_ == ResultOk ? 1 : 2; }
  const OperationArgs& args() const { return args_; }
  OperationContext& context() { return context_; }
  Ipv4 destination() const { return destination_; }
  bool fallbackUsed() const { return fallbackUsed_; }
  bool anyReply() const { return anyReply_; }
  std::uint32_t tickCount() const { return tickCount_; }

  // For the sequences.
  void sendRequest(std::uint8_t command, std::uint32_t address, std::uint16_t length,
                   std::span<const std::uint8_t> payload = {});
  void succeed() { finishWith(ResultOk); }
  void fail(int result = ResultError) { finishWith(result); }
  // The layout is unknown: the long firmware message at once, then an end
  // that shows nothing more.
  void failOldFirmware();
  void showProgress(int percent) { host_.progress(percent); }
  DriverHost& host() { return host_; }

 private:
  void startRun();
  void finishWith(int result);
  void retransmit();
  void retire();

  EngineLink& link_;
  DriverHost& host_;
  OperationArgs args_;
  OperationContext context_;
  std::unique_ptr<Sequence> sequence_;
  std::unique_ptr<Sequence> retired_;
  std::vector<std::uint8_t> request_;
  Ipv4 destination_ = 0;
  bool running_ = false;
  bool awaitingReply_ = false;
  bool anyReply_ = false;
  bool fallbackUsed_ = false;
  bool firstRefused_ = false;  // the run's first request could not leave
  std::uint32_t tickCount_ = 0;
  std::uint32_t collectTicks_ = 0;
  int result_ = ResultError;
};

}  // namespace trennic
