#include "core/status/status_report.h"

#include <charconv>
#include <optional>

#include "core/app/settings.h"
#include "core/protocol/packet.h"
#include "core/status/counter_text.h"
#include "core/status/status_text.h"
#include "core/status/stp_text.h"
#include "core/status/table_text.h"

namespace trennic {

namespace {

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<std::uint64_t> decimal(std::string_view text) {
  std::uint64_t v = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, v);
  if (text.empty() || error != std::errc{} || at != end) return std::nullopt;
  return v;
}

// The label as a sentence: without the colon the page puts after it.
std::string helpOf(std::string_view label) {
  while (!label.empty() && (label.back() == ':' || label.back() == ' ')) label.remove_suffix(1);
  return std::string(label);
}

// Collects the samples of a snapshot; with every family, also those whose
// field is empty, so that the families of an exposition are the same
// whichever units answered.
class Collector {
 public:
  explicit Collector(bool everyFamily) : everyFamily_(everyFamily) {}

  void add(const std::string& prefix, MetricType type, std::string_view label, std::string_view text,
           std::string interface = {}, std::string suffix = {}) {
    auto value = decimal(text);
    if (!value && !everyFamily_) return;
    out.push_back({prefix + statusKey(label) + suffix, type, helpOf(label), std::move(interface), value.value_or(0)});
  }

  std::vector<StatusMetric> out;

 private:
  bool everyFamily_;
};

const std::string kInterfacePrefix = "trennic_";
const std::string kUnitPrefix = "trennic_unit_";
const std::string kWirelessPrefix = "trennic_wireless_";
const std::string kBridgePrefix = "trennic_bridge_";
const std::string kStpPrefix = "trennic_stp_";

void collect(const StatusSnapshot& s, Collector& c) {
  // The interface label tells the two columns apart, so the names need no
  // page of their own.
  for (const InterfaceRow& row : interfaceRows(s, false)) {
    const std::string key = statusKey(row.label);
    if (key == "mac_address") continue;
    if (key == "interface_state") {
      // Not the word but the unit's number: 1 up, 2 down.
      c.add(kInterfacePrefix, MetricType::Gauge, row.label, std::to_string(readLe32(s.ethernet.data() + 16)),
            "ethernet");
      c.add(kInterfacePrefix, MetricType::Gauge, row.label, std::to_string(readLe32(s.wireless.data() + 16)),
            "wireless");
      continue;
    }
    const MetricType type = key == "mtu" || key == "speed" ? MetricType::Gauge : MetricType::Counter;
    c.add(kInterfacePrefix, type, row.label, row.ethernet, "ethernet");
    c.add(kInterfacePrefix, type, row.label, row.wireless, "wireless");
  }

  const WirelessCounterView counters = wirelessCounterView(s);
  for (const auto* side : {&counters.transmit, &counters.receive})
    for (const StatusField& f : *side) c.add(kWirelessPrefix, MetricType::Counter, f.label, f.text);

  // A station's link to its access point; empty, and so absent, on any
  // other unit.
  const WirelessNodeView nodes = wirelessNodeView(s, kDisplayLevelAll, true);
  for (const StatusField& f : nodes.link) {
    const std::string key = statusKey(f.label);
    if (key == "login_ap") continue;
    c.add(kWirelessPrefix, key == "login_refuse" ? MetricType::Counter : MetricType::Gauge, f.label, f.text);
  }
  c.add(kWirelessPrefix, MetricType::Gauge, "Nodes", std::to_string(nodes.nodes.rows.size()));
  c.add(kBridgePrefix, MetricType::Gauge, "MAC Addresses", std::to_string(macTableView(s).rows.size()));

  const StpView stp = stpView(s);
  for (const StatusField& f : stp.bridge) {
    const std::string key = statusKey(f.label);
    if (key == "root_path_cost" || key == "root_port") c.add(kStpPrefix, MetricType::Gauge, f.label, f.text);
    if (key == "topology_changes") c.add(kStpPrefix, MetricType::Counter, f.label, f.text);
    if (key == "time_since_topology_change")
      c.add(kStpPrefix, MetricType::Gauge, f.label, std::to_string(readLe32(s.stpBridge.data() + 4) / 100), {},
            "_seconds");
  }

  const UnitStatusView unit = unitStatusView(s);
  for (const StatusField& f : unit.counters)
    c.add(kUnitPrefix, statusKey(f.label) == "auto_resets" ? MetricType::Counter : MetricType::Gauge, f.label,
          f.text);
  // The event's code and program counter name the last event; only its
  // counters count.
  for (const StatusField& f : unit.event)
    if (statusKey(f.label).ends_with("counter")) c.add(kUnitPrefix, MetricType::Counter, f.label, f.text);
}

// Label values and help texts: a backslash, a double quote and a line
// feed are escaped; everything else stands as it is.
std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '"')
      out += "\\\"";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::string labels(const UnitMetrics& u, const std::string& interface) {
  std::string out = "{unit=\"" + escaped(u.unit) + "\",mac=\"" + escaped(u.mac) + "\"";
  if (!interface.empty()) out += ",interface=\"" + escaped(interface) + "\"";
  return out + "}";
}

}  // namespace

std::string statusKey(std::string_view label) {
  std::string key;
  bool gap = false;
  for (std::size_t i = 0; i < label.size(); ++i) {
    const char c = label[i];
    if (!isUpper(c) && !isLower(c) && !isDigit(c)) {
      gap = true;
      continue;
    }
    if (isUpper(c) && i > 0) {
      const char before = label[i - 1];
      const char after = i + 1 < label.size() ? label[i + 1] : '\0';
      if (isLower(before) || isDigit(before) || (isUpper(before) && isLower(after))) gap = true;
    }
    if (gap && !key.empty()) key += '_';
    gap = false;
    key += isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

std::vector<StatusMetric> statusMetrics(const StatusSnapshot& s) {
  Collector c(false);
  collect(s, c);
  return std::move(c.out);
}

std::string openMetricsText(const std::vector<UnitMetrics>& units) {
  std::string out = "# TYPE trennic_unit_up gauge\n# HELP trennic_unit_up Whether the unit answered its poll cycle\n";
  for (const UnitMetrics& u : units) out += "trennic_unit_up" + labels(u, {}) + (u.up ? " 1\n" : " 0\n");

  // The families in the pages' order, each once.
  StatusSnapshot blank;
  blank.clear();
  Collector every(true);
  collect(blank, every);
  std::vector<const StatusMetric*> families;
  for (const StatusMetric& m : every.out) {
    bool seen = false;
    for (const StatusMetric* f : families) seen = seen || f->name == m.name;
    if (!seen) families.push_back(&m);
  }
  for (const StatusMetric* family : families) {
    const bool counter = family->type == MetricType::Counter;
    out += "# TYPE " + family->name + (counter ? " counter\n" : " gauge\n");
    out += "# HELP " + family->name + " " + escaped(family->help) + "\n";
    for (const UnitMetrics& u : units) {
      if (!u.up) continue;
      for (const StatusMetric& m : u.metrics)
        if (m.name == family->name)
          out += m.name + (counter ? "_total" : "") + labels(u, m.interface) + " " + std::to_string(m.value) + "\n";
    }
  }
  return out + "# EOF\n";
}

}  // namespace trennic
