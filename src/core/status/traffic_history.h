#pragma once
// The "Traffic" tab's numbers: the packet counters of the last completed
// cycles of one unit, and the packets per second between them. A counter
// that went down (Clear, a reboot) or a pause in the scan starts a new
// segment, so no curve ever shows a negative rate or a line across a time
// nobody looked. Times are handed in by the window: the core reads no clock.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "core/protocol/addresses.h"
#include "core/status/status_poller.h"

namespace trennic {

// The four curves, in the legend's order.
enum TrafficCurve : std::size_t {
  EthernetReceived,
  EthernetSent,
  WirelessReceived,
  WirelessSent,
  kTrafficCurves
};

struct TrafficSample {
  std::int64_t timeMs = 0;
  // The interval the scan ran at when the cycle completed: how far apart
  // two cycles of an unbroken scan can be.
  std::uint32_t intervalSeconds = 0;
  // Packets counted so far; nothing where the cycle brought no block for
  // that interface.
  std::array<std::optional<std::uint64_t>, kTrafficCurves> packets{};
};

// A cycle's counters: unicast plus broadcast packets, received and sent, of
// the Ethernet and the wireless interface. The octet counters would give a
// byte rate, a different unit on the same axis, so they stay out. An
// interface block the cycle could not read is all zeros (a Clear leaves
// the MTU, speed and address), and then has no counters.
TrafficSample trafficSampleOf(const StatusSnapshot& s, std::int64_t timeMs, std::uint32_t intervalSeconds);

struct TrafficPoint {
  std::int64_t timeMs = 0;  // when the later of the two cycles completed
  double perSecond = 0;
  bool operator==(const TrafficPoint&) const = default;
};
using TrafficSegment = std::vector<TrafficPoint>;

class TrafficHistory {
 public:
  static constexpr std::size_t kCycles = 120;
  // A cycle whose requests had to be sent again, or that went through the
  // group after its own address stayed silent, can take this long on top
  // of the interval.
  static constexpr std::int64_t kCycleAllowanceMs = 30000;

  // A completed cycle of `unit`; a cycle of another unit starts over.
  void add(const MacAddress& unit, const TrafficSample& sample);
  void reset();

  std::size_t size() const { return samples_.size(); }
  const std::deque<TrafficSample>& samples() const { return samples_; }

  // The curve's rates, oldest first, cut wherever two cycles give no rate.
  std::vector<TrafficSegment> segments(TrafficCurve curve) const;
  // The rate between the last two cycles, when they give one.
  std::optional<double> current(TrafficCurve curve) const;
  // The highest rate of any curve, 0 when there is none.
  double highest() const;

 private:
  std::optional<double> rate(std::size_t later, TrafficCurve curve) const;

  std::optional<MacAddress> unit_;
  std::deque<TrafficSample> samples_;
};

// An axis from 0 to `top` in steps of `step`: 1, 2 or 5 times a power of
// ten, at most five steps to cover the highest value.
struct TrafficScale {
  double top = 1;
  double step = 1;
  bool operator==(const TrafficScale&) const = default;
};
TrafficScale trafficScale(double highest);

}  // namespace trennic
