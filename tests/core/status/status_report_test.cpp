// The keys and metrics the pages are known by outside the window, and the
// OpenMetrics text of a round of units.
#include "core/status/status_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/protocol/packet.h"

namespace trennic {
namespace {

StatusSnapshot zeroed() {
  StatusSnapshot s;
  s.clear();
  return s;
}

const StatusMetric* find(const std::vector<StatusMetric>& metrics, const std::string& name,
                         const std::string& interface = {}) {
  auto it = std::find_if(metrics.begin(), metrics.end(),
                         [&](const StatusMetric& m) { return m.name == name && m.interface == interface; });
  return it == metrics.end() ? nullptr : &*it;
}

TEST(StatusKey, EnglishLabelsInSnakeCase) {
  struct Case {
    const char* label;
    const char* key;
  };
  for (const Case& c : {
           Case{"Receive Octets:", "receive_octets"},
           Case{"Receive Errors :", "receive_errors"},  // the page's own blank before the colon
           Case{"Receive Packets(Unicast):", "receive_packets_unicast"},
           Case{"Firmware Version(Wireless Card):", "firmware_version_wireless_card"},
           Case{"Age Time(sec.)", "age_time_sec"},
           Case{"Bad Int. Counter:", "bad_int_counter"},
           Case{"MTU:", "mtu"},
           Case{"IP Address:", "ip_address"},
           Case{"TXUnicastFrames:", "tx_unicast_frames"},
           Case{"RXDiscardsNoBuffer:", "rx_discards_no_buffer"},
           Case{"RXFCSErrors:", "rxfcs_errors"},  // no word boundary inside a run of capitals
           Case{"SW1", "sw1"},
           Case{"Max Age Time(Bridge):", "max_age_time_bridge"},
       }) {
    EXPECT_EQ(statusKey(c.label), c.key) << c.label;
  }
}

TEST(StatusMetrics, CountersAndGaugesFromThePagesNumbers) {
  StatusSnapshot s = zeroed();
  writeLe32(s.ethernet.data() + 0, 1500);
  writeLe32(s.ethernet.data() + 16, 1);
  writeLe32(s.ethernet.data() + 20, 123456);
  writeLe32(s.wireless.data() + 16, 2);
  writeLe32(s.wireless.data() + 56, 7);  // shown beside "Transmit Errors:"
  writeLe32(s.wirelessCounters.data() + 0, 42);
  writeLe32(s.unitStatus.data() + 0, 3);
  writeLe32(s.unitStatus.data() + 172, 9);
  writeLe16(s.stpBridge.data() + 8, 4);
  writeLe32(s.stpBridge.data() + 4, 366100);  // 3661 s
  s.macCount = 5;
  auto m = statusMetrics(s);

  struct Case {
    const char* name;
    const char* interface;
    MetricType type;
    std::uint64_t value;
  };
  for (const Case& c : {
           Case{"trennic_mtu", "ethernet", MetricType::Gauge, 1500},
           Case{"trennic_interface_state", "ethernet", MetricType::Gauge, 1},
           Case{"trennic_interface_state", "wireless", MetricType::Gauge, 2},
           Case{"trennic_receive_octets", "ethernet", MetricType::Counter, 123456},
           Case{"trennic_transmit_errors", "wireless", MetricType::Counter, 7},
           Case{"trennic_wireless_tx_unicast_frames", "", MetricType::Counter, 42},
           Case{"trennic_unit_auto_resets", "", MetricType::Counter, 3},
           Case{"trennic_unit_current_packet_buffers", "", MetricType::Gauge, 0},
           Case{"trennic_unit_event_counter", "", MetricType::Counter, 9},
           Case{"trennic_stp_topology_changes", "", MetricType::Counter, 4},
           Case{"trennic_stp_time_since_topology_change_seconds", "", MetricType::Gauge, 3661},
           Case{"trennic_bridge_mac_addresses", "", MetricType::Gauge, 5},
           Case{"trennic_wireless_nodes", "", MetricType::Gauge, 0},
       }) {
    const StatusMetric* got = find(m, c.name, c.interface);
    ASSERT_TRUE(got) << c.name << " " << c.interface;
    EXPECT_EQ(got->type, c.type) << c.name;
    EXPECT_EQ(got->value, c.value) << c.name << " " << c.interface;
  }
  // Neither addresses nor the event's code are numbers to watch.
  EXPECT_FALSE(find(m, "trennic_mac_address", "ethernet"));
  EXPECT_FALSE(find(m, "trennic_unit_code"));
}

TEST(StatusMetrics, AStationsLinkValuesOnlyOnAStation) {
  StatusSnapshot s = zeroed();
  writeLe16(s.wirelessLink.data() + 12, 72);
  writeLe32(s.wirelessLink.data() + 32, 2);
  EXPECT_FALSE(find(statusMetrics(s), "trennic_wireless_quality"));  // an access point
  writeLe32(s.unitInfo.data() + 48, 1);  // infrastructure
  writeLe32(s.unitInfo.data() + 52, 1);  // station
  auto m = statusMetrics(s);
  ASSERT_TRUE(find(m, "trennic_wireless_quality"));
  EXPECT_EQ(find(m, "trennic_wireless_quality")->value, 72u);
  ASSERT_TRUE(find(m, "trennic_wireless_login_refuse"));
  EXPECT_EQ(find(m, "trennic_wireless_login_refuse")->type, MetricType::Counter);
}

TEST(OpenMetrics, EachFamilyOnceWithEveryUnitsSamplesAndEofLast) {
  StatusSnapshot s = zeroed();
  writeLe32(s.ethernet.data() + 20, 10);
  std::vector<UnitMetrics> units = {
      {"Lobby \"east\"\\1\nb", "00-80-92-00-00-01", true, statusMetrics(s)},
      {"Roof", "00-80-92-00-00-02", false, {}},
      {"Hall", "00-80-92-00-00-03", true, statusMetrics(s)},
  };
  const std::string text = openMetricsText(units);
  EXPECT_TRUE(text.starts_with("# TYPE trennic_unit_up gauge\n# HELP trennic_unit_up "));
  EXPECT_TRUE(text.ends_with("\n# EOF\n"));
  EXPECT_NE(text.find("trennic_unit_up{unit=\"Lobby \\\"east\\\"\\\\1\\nb\",mac=\"00-80-92-00-00-01\"} 1\n"),
            std::string::npos);
  EXPECT_NE(text.find("trennic_unit_up{unit=\"Roof\",mac=\"00-80-92-00-00-02\"} 0\n"), std::string::npos);
  // One family: its metadata once, then both answering units' samples.
  const std::string family =
      "# TYPE trennic_receive_octets counter\n"
      "# HELP trennic_receive_octets Receive Octets\n"
      "trennic_receive_octets_total{unit=\"Lobby \\\"east\\\"\\\\1\\nb\",mac=\"00-80-92-00-00-01\",interface=\"ethernet\"} 10\n"
      "trennic_receive_octets_total{unit=\"Lobby \\\"east\\\"\\\\1\\nb\",mac=\"00-80-92-00-00-01\",interface=\"wireless\"} 0\n"
      "trennic_receive_octets_total{unit=\"Hall\",mac=\"00-80-92-00-00-03\",interface=\"ethernet\"} 10\n"
      "trennic_receive_octets_total{unit=\"Hall\",mac=\"00-80-92-00-00-03\",interface=\"wireless\"} 0\n";
  EXPECT_NE(text.find(family), std::string::npos) << text;
  EXPECT_EQ(text.find("unit=\"Roof\",mac=\"00-80-92-00-00-02\",interface"), std::string::npos);
  // With no unit up the families are still all there, and nothing else.
  const std::string none = openMetricsText({{"Roof", "00-80-92-00-00-02", false, {}}});
  EXPECT_NE(none.find("# TYPE trennic_receive_octets counter\n"), std::string::npos);
  EXPECT_EQ(none.find("_total{"), std::string::npos);
}

}  // namespace
}  // namespace trennic
