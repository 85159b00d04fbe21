// The Wireless Node and Bridge pages' lists and fields, and what their
// Clear buttons leave in the snapshot.
#include "core/status/table_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/app/settings.h"
#include "core/protocol/packet.h"

namespace trennic {
namespace {

using Row = std::vector<std::string>;

StatusSnapshot zeroed() {
  StatusSnapshot s;
  s.clear();
  return s;
}

std::vector<std::string> titles(const StatusTable& t) {
  std::vector<std::string> v;
  for (const auto& c : t.columns) v.push_back(c.title);
  return v;
}

// A unit of the given type, network mode and firmware.
StatusSnapshot unit(std::uint32_t type, std::uint32_t mode, std::uint32_t firmware, std::uint16_t format) {
  StatusSnapshot s = zeroed();
  writeLe32(s.unitInfo.data() + 4, firmware);
  writeLe32(s.unitInfo.data() + 48, mode);
  writeLe32(s.unitInfo.data() + 52, type);
  s.nodeRecordFormat = format;
  return s;
}

struct Node {
  std::uint8_t macLast = 0;
  std::uint32_t age = 0;
  std::uint16_t rssi = 0, rssiHigh = 0;
  std::uint32_t rate = 0;
  std::uint16_t mode = 0;
  std::uint32_t duplicates = 0;
};

void addNode(StatusSnapshot& s, const Node& n) {
  std::uint8_t* r = s.wirelessNodes.data() + s.wirelessNodeCount++ * kWirelessNodeSlot;
  const std::uint8_t mac[6] = {0x00, 0x80, 0x92, 0x10, 0x20, n.macLast};
  std::memcpy(r, mac, 6);
  writeLe32(r + 12, n.age);
  writeLe16(r + 16, n.rssi);
  writeLe16(r + 18, n.rssiHigh);
  if (s.nodeRecordFormat == 1) return;  // a 20-byte record ends here
  const std::uint8_t ether[6] = {0x00, 0x40, 0x26, 0x01, 0x02, n.macLast};
  std::memcpy(r + 20, ether, 6);
  writeLe32(r + 32, n.rate);
  writeLe16(r + 36, n.mode);
  writeLe32(r + 40, n.duplicates);
}

TEST(WirelessNodePage, LinkFieldsOnlyForAnInfrastructureStation) {
  struct Case {
    const char* why;
    std::uint32_t type, mode, loginState;
    int displayLevel;
    std::vector<StatusField> link;
  };
  const Case cases[] = {
      {"logged in",
       1,
       1,
       3,
       1,
       {{"Login AP:", "00-80-92-AA-BB-CC"}, {"Quality:", "65535"}, {"Noise Level:", "12"}, {"Login Refuse:", "70000"}}},
      {"not logged in",
       1,
       5,
       1,
       1,
       {{"Login AP:", "Not login."}, {"Quality:", "65535"}, {"Noise Level:", "12"}, {"Login Refuse:", "70000"}}},
      {"logging in",
       1,
       4,
       2,
       1,
       {{"Login AP:", "Login executing..."},
        {"Quality:", "65535"},
        {"Noise Level:", "12"},
        {"Login Refuse:", "70000"}}},
      {"unknown login state",
       1,
       1,
       4,
       1,
       {{"Login AP:", ""}, {"Quality:", "65535"}, {"Noise Level:", "12"}, {"Login Refuse:", "70000"}}},
      {"level 0 has no refusals",
       1,
       1,
       3,
       0,
       {{"Login AP:", "00-80-92-AA-BB-CC"}, {"Quality:", "65535"}, {"Noise Level:", "12"}}},
      {"access point", 0, 1, 3, 1, {{"Login AP:", ""}, {"Quality:", ""}, {"Noise Level:", ""}, {"Login Refuse:", ""}}},
      {"ad hoc station",
       1,
       0,
       3,
       1,
       {{"Login AP:", ""}, {"Quality:", ""}, {"Noise Level:", ""}, {"Login Refuse:", ""}}},
  };
  for (const Case& c : cases) {
    StatusSnapshot s = unit(c.type, c.mode, 0x0201, 3);
    std::uint8_t* link = s.wirelessLink.data();
    const std::uint8_t ap[6] = {0x00, 0x80, 0x92, 0xAA, 0xBB, 0xCC};
    std::memcpy(link, ap, 6);
    writeLe32(link + 8, c.loginState);
    writeLe16(link + 12, 65535);
    writeLe16(link + 14, 12);
    writeLe32(link + 32, 70000);
    EXPECT_EQ(wirelessNodeView(s, c.displayLevel, false).link, c.link) << c.why;
  }
}

TEST(WirelessNodePage, ColumnsFollowTheDisplayLevelAndDebugDisplay) {
  struct Case {
    int displayLevel;
    bool debug;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {0, false, {"Wireless MAC Address", "Age Time(sec.)", "RSSI"}},
      {1, false, {"Wireless MAC Address", "Age Time(sec.)", "RSSI", "Rx Rate"}},
      {2, false, {"Wireless MAC Address", "Ethernet Address", "Age Time(sec.)", "RSSI", "Rx Rate"}},
      {kDisplayLevelAll,
       true,
       {"Wireless MAC Address", "Ethernet Address", "Age Time(sec.)", "RSSI", "Rx Rate", "Rx Duplicate Pkts",
        "Network Mode"}},
      {0, true, {"Wireless MAC Address", "Age Time(sec.)", "RSSI", "Rx Duplicate Pkts", "Network Mode"}},
  };
  for (const Case& c : cases) {
    StatusSnapshot s = unit(1, 1, 0x0201, 3);
    addNode(s, {.macLast = 1});
    const StatusTable t = wirelessNodeView(s, c.displayLevel, c.debug).nodes;
    EXPECT_EQ(titles(t), c.titles) << c.displayLevel << " " << c.debug;
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0].size(), c.titles.size());
  }
}

TEST(WirelessNodePage, RowsInTheThreeRecordFormats) {
  struct Case {
    const char* why;
    std::uint32_t firmware;
    std::uint16_t format;
    int displayLevel;
    bool debug;
    Node node;
    Row row;
  };
  const Node full{.macLast = 7, .age = 300, .rssi = 35, .rssiHigh = 5, .rate = 11000000, .mode = 4, .duplicates = 9};
  const Case cases[] = {
      {"format 2 brackets the second RSSI value but has no rate",
       0x0110,
       2,
       1,
       false,
       full,
       {"00-80-92-10-20-07", "300", "35(5)", "-------"}},
      {"format 1 has no Ethernet address",
       0x0105,
       1,
       2,
       false,
       full,
       {"00-80-92-10-20-07", "00-00-00-00-00-00", "300", "35", "-------"}},
      {"level 0 shows the signal only", 0x0201, 3, 0, false, full, {"00-80-92-10-20-07", "300", "35"}},
      {"format 3 with /D",
       0x0201,
       3,
       kDisplayLevelAll,
       true,
       full,
       {"00-80-92-10-20-07", "00-40-26-01-02-07", "300", "35(5)", " 11Mbps", "9", "Infrastructure (Wi-Fi Mode)"}},
      {"format 2 has no network mode",
       0x0110,
       2,
       1,
       true,
       full,
       {"00-80-92-10-20-07", "300", "35(5)", "-------", "0", ""}},
      {"firmware 2.00 counts no duplicates",
       0x0200,
       3,
       1,
       true,
       full,
       {"00-80-92-10-20-07", "300", "35(5)", " 11Mbps", "0", "Infrastructure (Wi-Fi Mode)"}},
      {"network mode without a text",
       0x0201,
       3,
       0,
       true,
       {.macLast = 7, .age = 300, .rssi = 35, .mode = 2, .duplicates = 9},
       {"00-80-92-10-20-07", "300", "35", "9", ""}},
  };
  for (const Case& c : cases) {
    StatusSnapshot s = unit(1, 1, c.firmware, c.format);
    addNode(s, c.node);
    const auto rows = wirelessNodeView(s, c.displayLevel, c.debug).nodes.rows;
    ASSERT_EQ(rows.size(), 1u) << c.why;
    EXPECT_EQ(rows[0], c.row) << c.why;
  }
}

TEST(WirelessNodePage, RxRateTexts) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {1000000, "  1Mbps"}, {2000000, "  2Mbps"}, {5500000, "5.5Mbps"},  {11000000, " 11Mbps"},
      {0, "-------"},       {5000000, "-------"}, {54000000, "-------"},
  };
  for (auto [rate, text] : cases) {
    StatusSnapshot s = unit(1, 1, 0x0201, 3);
    addNode(s, {.rate = rate});
    EXPECT_EQ(wirelessNodeView(s, 1, false).nodes.rows.at(0).at(3), text) << rate;
  }
}

TEST(WirelessNodePage, NumberAndClear) {
  StatusSnapshot s = unit(0, 1, 0x0201, 3);
  for (std::uint8_t i = 0; i < kWirelessNodeMax; ++i) addNode(s, {.macLast = i, .age = i});
  WirelessNodeView v = wirelessNodeView(s, 0, false);
  ASSERT_EQ(v.nodes.rows.size(), 64u);
  EXPECT_EQ(v.nodes.rows[0][0], "00-80-92-10-20-00");  // in the order received
  EXPECT_EQ(v.nodes.rows[63][0], "00-80-92-10-20-3F");
  EXPECT_EQ(v.nodes.number, "  64/  64");

  // A count beyond the slots never reads past them.
  s.wirelessNodeCount = 65;
  v = wirelessNodeView(s, 0, false);
  EXPECT_EQ(v.nodes.rows.size(), 64u);
  EXPECT_EQ(v.nodes.number, "  64/  64");

  clearWirelessNodeList(s);
  EXPECT_EQ(s.wirelessNodeCount, 0u);
  EXPECT_TRUE(std::all_of(s.wirelessNodes.begin(), s.wirelessNodes.end(), [](auto b) { return b == 0; }));
  v = wirelessNodeView(s, 0, false);
  EXPECT_TRUE(v.nodes.rows.empty());
  EXPECT_EQ(v.nodes.number, "   0/  64");
}

void addMacRecord(StatusSnapshot& s, std::uint8_t last, std::uint16_t interface, std::uint16_t age) {
  std::uint8_t* r = s.macTable.data() + s.macCount++ * kMacTableRecord;
  std::memset(r, 0xA5, kMacTableRecord);  // the fields not shown hold something
  const std::uint8_t station[6] = {0x00, 0x11, 0x22, 0x33, 0x44, last};
  const std::uint8_t wireless[6] = {0x00, 0x80, 0x92, 0x55, 0x66, last};
  std::memcpy(r + 12, station, 6);
  writeLe16(r + 18, interface);
  std::memcpy(r + 20, wireless, 6);
  writeLe16(r + 26, age);
}

TEST(BridgePage, RowsOfTheMacAddressTable) {
  StatusSnapshot s = zeroed();
  addMacRecord(s, 1, 1, 0);
  addMacRecord(s, 2, 2, 65535);
  addMacRecord(s, 3, 0, 7);
  addMacRecord(s, 4, 3, 7);
  const StatusTable t = macTableView(s);
  EXPECT_EQ(t.columns,
            (std::vector<StatusColumn>{
                {"MAC Address", 145}, {"Interface", 70}, {"Age Time(min.)", 105}, {"Wireless MAC Address", 155}}));
  const std::vector<Row> rows = {
      // An Ethernet entry shows no wireless address whatever its bytes hold.
      {"00-11-22-33-44-01", "Ethernet", "0", ""},
      {"00-11-22-33-44-02", "Wireless", "65535", "00-80-92-55-66-02"},
      {"00-11-22-33-44-03", "", "7", ""},
      {"00-11-22-33-44-04", "", "7", ""},
  };
  EXPECT_EQ(t.rows, rows);
  EXPECT_EQ(t.number, "   4/1024");
}

TEST(BridgePage, EmptyFullAndCleared) {
  StatusSnapshot s = zeroed();
  StatusTable t = macTableView(s);
  EXPECT_TRUE(t.rows.empty());
  EXPECT_EQ(t.number, "   0/1024");

  for (std::size_t i = 0; i < kMacTableMax; ++i) addMacRecord(s, static_cast<std::uint8_t>(i), 2, 1);
  s.macCount = 5000;  // a count beyond the table never reads past it
  t = macTableView(s);
  EXPECT_EQ(t.rows.size(), 1024u);
  EXPECT_EQ(t.number, "1024/1024");

  clearMacTable(s);
  EXPECT_EQ(s.macCount, 0u);
  EXPECT_TRUE(std::all_of(s.macTable.begin(), s.macTable.end(), [](auto b) { return b == 0; }));
  EXPECT_TRUE(macTableView(s).rows.empty());
}

}  // namespace
}  // namespace trennic
