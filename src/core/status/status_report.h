#pragma once
// The status pages for scripts and monitoring: the keys a label is known by
// outside the window, and the counters and gauges of a snapshot in the
// OpenMetrics text format. Keys and metric names come from the English
// labels and never change with the user's language.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/status/status_poller.h"

namespace trennic {

// The label in snake_case: words in lower case joined by "_", a word
// beginning wherever a capital follows a small letter or starts a word
// after an abbreviation ("TXUnicastFrames:" is tx_unicast_frames,
// "Receive Packets(Unicast):" receive_packets_unicast).
std::string statusKey(std::string_view englishLabel);

enum class MetricType { Counter, Gauge };

// One sample of a unit. A counter's family is its name; its sample is the
// name with "_total".
struct StatusMetric {
  std::string name;
  MetricType type = MetricType::Gauge;
  std::string help;
  std::string interface;  // "ethernet" or "wireless" where one applies
  std::uint64_t value = 0;
  bool operator==(const StatusMetric&) const = default;
};

// What the pages count and measure, from a completed cycle's snapshot. A
// field the page leaves empty (a station's link values on an access point)
// gives no sample.
std::vector<StatusMetric> statusMetrics(const StatusSnapshot& s);

// One unit in an exposition: its label and MAC text (UTF-8), and its
// samples when it answered.
struct UnitMetrics {
  std::string unit;
  std::string mac;
  bool up = false;
  std::vector<StatusMetric> metrics;
};

// Every family once, with its type and help, and the samples of all units
// together under it; "trennic_unit_up" first, with 1 or 0 for every unit;
// "# EOF" last.
std::string openMetricsText(const std::vector<UnitMetrics>& units);

}  // namespace trennic
