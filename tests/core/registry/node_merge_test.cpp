#include <gtest/gtest.h>

#include "core/app/ini_profile.h"
#include "core/registry/node_table.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

UnitIdentity identity(const char* mac, const char* ip, std::uint16_t version = 0x0201,
                      std::uint16_t type = kUnitTypeStandard) {
  UnitIdentity id;
  id.macAddress = *parseMac(mac);
  id.ipAddress = *parseIpv4(ip);
  id.firmwareVersion = version;
  id.unitType = type;
  return id;
}

TEST(MergeFoundNode, RouteRules) {
  struct Case {
    const char* why;
    int storedRoute;
    const char* storedIp;
    const char* answeredIp;
    int expected;
  } cases[] = {
      {"unknown, answered from another address", 0, "10.0.0.1", "192.168.1.7", 2},
      {"unknown, answered from 10.m3.m4.m5", 0, "10.0.0.1", "10.52.86.120", 0},
      {"multicast becomes unicast", 1, "192.168.1.7", "192.168.1.7", 2},
      {"unicast, same address", 2, "192.168.1.7", "192.168.1.7", 2},
      {"unicast, address changed", 2, "192.168.1.7", "192.168.1.8", 0},
      {"other values kept", 5, "192.168.1.7", "192.168.1.8", 5},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    NodeTable t(dir.file("s.INI"));
    NodeEntry e;
    e.mac = "00-12-34-34-56-78";
    e.ip = c.storedIp;
    e.name = "kept";
    e.route = c.storedRoute;
    VectorNodeRows rows;
    t.FillRows(rows);
    ASSERT_TRUE(t.AddAndRecord(rows, e));
    t.MergeFoundNode(rows, identity("00-12-34-34-56-78", c.answeredIp));
    const NodeEntry& s = t.slot(0);
    EXPECT_EQ(s.route, c.expected) << c.why;
    EXPECT_EQ(s.name, "kept") << c.why;
    EXPECT_EQ(s.ip, c.answeredIp) << c.why;
    EXPECT_EQ(rows.rows.at(0).ip, c.answeredIp) << c.why;
    EXPECT_EQ(rows.selected, std::vector<std::size_t>{0}) << c.why;
  }
}

TEST(MergeFoundNode, NewUnitIsAppendedSelectedAndWritten) {
  testing::TempDir dir;
  std::string settings = dir.file("s.INI");
  NodeTable t(settings);
  VectorNodeRows rows;
  t.FillRows(rows);
  t.MergeFoundNode(rows, identity("00-80-92-00-00-01", "127.0.0.2", 0x0201, kUnitTypeT));
  t.MergeFoundNode(rows, identity("00-80-92-00-00-02", "127.0.0.3", kNoVersion));
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[0].version, "2.01T");
  EXPECT_EQ(rows.rows[1].version, "-.--");
  EXPECT_EQ(rows.selected, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(rows.numberText, "   2/1024");
  EXPECT_EQ(ini::getProfileString(settings, "NodeList", "Entry2", ""), "0,00-80-92-00-00-02,127.0.0.3,\"\",-.--");

  // The same unit answering twice (retransmission, two interfaces) stays one node.
  t.MergeFoundNode(rows, identity("00-80-92-00-00-02", "127.0.0.3", 0x0300));
  EXPECT_EQ(t.usedCount, 2u);
  EXPECT_EQ(rows.rows[1].version, "3.00");
  EXPECT_EQ(ini::getProfileString(settings, "NodeList", "Entry2", ""), "2,00-80-92-00-00-02,127.0.0.3,\"\",3.00");
}

// An answer that names an address no single unit can have would make a node
// that every unit takes through the group; it is no unit and is not listed.
TEST(MergeFoundNode, AnAnswerWithoutAUnitsOwnAddressIsNotListed) {
  NodeTable t;
  VectorNodeRows rows;
  t.FillRows(rows);
  for (const char* mac : {"FF-FF-FF-FF-FF-FF", "01-00-5E-40-13-63", "00-00-00-00-00-00", "03-80-92-00-00-01"})
    t.MergeFoundNode(rows, identity(mac, "127.0.0.2"));
  EXPECT_EQ(t.usedCount, 0u);
  EXPECT_TRUE(rows.rows.empty());
  EXPECT_EQ(t.unkeptAnswers(), 0u);
  t.MergeFoundNode(rows, identity("02-80-92-00-00-01", "127.0.0.2"));  // locally administered is a unit's own
  EXPECT_EQ(t.usedCount, 1u);
}

TEST(MergeFoundNode, UnitsAFullTableCannotKeepAreCountedOnceEach) {
  NodeTable t;  // no settings file: only the table matters here
  VectorNodeRows rows;
  t.FillRows(rows);
  for (unsigned i = 0; i < kMaxNodes; ++i) {
    NodeEntry e;
    e.mac = formatMac(MacAddress{{0x00, 0x11, 0x22, 0x33, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)}});
    e.ip = "10.0.0.1";
    ASSERT_TRUE(t.AddAndRecord(rows, e));
  }
  t.MergeFoundNode(rows, identity("00-80-92-00-00-01", "127.0.0.2"));
  t.MergeFoundNode(rows, identity("00-80-92-00-00-01", "127.0.0.2"));  // the retransmission's answer
  t.MergeFoundNode(rows, identity("00-80-92-00-00-02", "127.0.0.3"));
  // A unit the table holds is still merged, and is no loss.
  t.MergeFoundNode(rows, identity("00-11-22-33-00-05", "192.168.1.5"));
  EXPECT_EQ(t.unkeptAnswers(), 2u);
  EXPECT_EQ(t.usedCount, kMaxNodes);
  EXPECT_EQ(rows.rows.size(), kMaxNodes);
  EXPECT_EQ(t.slot(5).ip, "192.168.1.5");
  EXPECT_EQ(t.FindNodeByMac("00-80-92-00-00-01"), -1);
  t.resetUnkeptAnswers();
  EXPECT_EQ(t.unkeptAnswers(), 0u);
}

}  // namespace
}  // namespace trennic
