#include "core/status/traffic_history.h"

#include <algorithm>
#include <cmath>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

// Where an interface block keeps its packet counters.
constexpr std::size_t kReceivedUnicast = 24, kReceivedBroadcast = 28;
constexpr std::size_t kSentUnicast = 48, kSentBroadcast = 52;

template <std::size_t N>
bool allZero(const std::array<std::uint8_t, N>& block) {
  return std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; });
}

std::uint64_t packets(const std::uint8_t* block, std::size_t unicast, std::size_t broadcast) {
  return std::uint64_t{readLe32(block + unicast)} + readLe32(block + broadcast);
}

}  // namespace

TrafficSample trafficSampleOf(const StatusSnapshot& s, std::int64_t timeMs, std::uint32_t intervalSeconds) {
  TrafficSample sample;
  sample.timeMs = timeMs;
  sample.intervalSeconds = intervalSeconds;
  if (!allZero(s.ethernet)) {
    sample.packets[EthernetReceived] = packets(s.ethernet.data(), kReceivedUnicast, kReceivedBroadcast);
    sample.packets[EthernetSent] = packets(s.ethernet.data(), kSentUnicast, kSentBroadcast);
  }
  if (!allZero(s.wireless)) {
    sample.packets[WirelessReceived] = packets(s.wireless.data(), kReceivedUnicast, kReceivedBroadcast);
    sample.packets[WirelessSent] = packets(s.wireless.data(), kSentUnicast, kSentBroadcast);
  }
  return sample;
}

void TrafficHistory::add(const MacAddress& unit, const TrafficSample& sample) {
  if (unit_ != unit) reset();
  unit_ = unit;
  samples_.push_back(sample);
  if (samples_.size() > kCycles) samples_.pop_front();
}

void TrafficHistory::reset() {
  unit_.reset();
  samples_.clear();
}

std::optional<double> TrafficHistory::rate(std::size_t later, TrafficCurve curve) const {
  if (later == 0 || later >= samples_.size()) return std::nullopt;
  const TrafficSample& a = samples_[later - 1];
  const TrafficSample& b = samples_[later];
  if (!a.packets[curve] || !b.packets[curve]) return std::nullopt;
  // The counter started again from 0: what was counted before the Clear or
  // the reboot is unknown.
  if (*b.packets[curve] < *a.packets[curve]) return std::nullopt;
  const std::int64_t elapsed = b.timeMs - a.timeMs;
  // The scan stopped and started again, or cycles were missed: the counts
  // between are an average over a time the curves did not see.
  const std::int64_t longest =
      2 * std::int64_t{1000} * std::max(a.intervalSeconds, b.intervalSeconds) + kCycleAllowanceMs;
  if (elapsed <= 0 || elapsed > longest) return std::nullopt;
  return static_cast<double>(*b.packets[curve] - *a.packets[curve]) * 1000.0 / static_cast<double>(elapsed);
}

std::vector<TrafficSegment> TrafficHistory::segments(TrafficCurve curve) const {
  std::vector<TrafficSegment> out;
  bool joined = false;
  for (std::size_t i = 1; i < samples_.size(); ++i) {
    const std::optional<double> r = rate(i, curve);
    if (!r) {
      joined = false;
      continue;
    }
    if (!joined) out.emplace_back();
    out.back().push_back({samples_[i].timeMs, *r});
    joined = true;
  }
  return out;
}

std::optional<double> TrafficHistory::current(TrafficCurve curve) const {
  if (samples_.size() < 2) return std::nullopt;
  return rate(samples_.size() - 1, curve);
}

double TrafficHistory::highest() const {
  double top = 0;
  for (std::size_t c = 0; c < kTrafficCurves; ++c)
    for (std::size_t i = 1; i < samples_.size(); ++i)
      if (auto r = rate(i, static_cast<TrafficCurve>(c))) top = std::max(top, *r);
  return top;
}

TrafficScale trafficScale(double highest) {
  if (!(highest > 0)) return {};
  // The smallest round step of which five cover the highest value.
  const double rough = highest / 5;
  double step = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * step >= rough * (1 - 1e-9)) {
      step *= m;
      break;
    }
  return {std::ceil(highest / step - 1e-9) * step, step};
}

}  // namespace trennic
