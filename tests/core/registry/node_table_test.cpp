#include "core/registry/node_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "core/app/ini_profile.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

using testing::joinLines;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

NodeEntry node(std::string mac, std::string ip, std::string name = {}, std::string version = {}, int route = 0) {
  NodeEntry e;
  e.used = 1;
  e.route = route;
  e.mac = std::move(mac);
  e.ip = std::move(ip);
  e.name = std::move(name);
  e.version = std::move(version);
  return e;
}

constexpr TextEncoding kSingle = TextEncoding::singleByte();
constexpr TextEncoding kSjis = TextEncoding::shiftJis();

std::vector<std::string> macsInSlotOrder(const NodeTable& t) {
  std::vector<std::string> out;
  std::size_t i = 0;
  NodeEntry e;
  while (t.NextNode(i, e)) out.push_back(e.mac);
  return out;
}

class NodeTableTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string settings = dir.file("trennic.INI");
  std::unique_ptr<NodeTable> table = std::make_unique<NodeTable>(settings);

  std::string entry(unsigned n) const {
    return ini::getProfileString(settings, "NodeList", "Entry" + std::to_string(n), "<missing>");
  }
};

TEST(NodeValue, RouteFieldReadsAsNumberUpToTwoElseMulticast) {
  struct Case {
    const char* route;
    int expected;
  } cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"7", 1}, {"", 1}, {"x", 1}, {"-1", 1}};
  for (const auto& c : cases) {
    NodeEntry e = parseNodeValue(std::string(c.route) + ",00-11-22-33-44-55,1.2.3.4,\"n\",1.00", kSingle);
    EXPECT_EQ(e.route, c.expected) << "route text \"" << c.route << "\"";
  }
}

TEST(NodeValue, FieldsSplitAndMacUpperCased) {
  NodeEntry e = parseNodeValue("  2,00-1a-2b-3c-4d-5e,10.0.0.1,\"Hall, east\",2.01T,extra", kSingle);
  EXPECT_EQ(e.route, 2);
  EXPECT_EQ(e.mac, "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(e.ip, "10.0.0.1");
  EXPECT_EQ(e.name, "Hall, east");  // a comma inside the quotes belongs to the name
  EXPECT_EQ(e.version, "2.01T");    // further fields are dropped
}

TEST(NodeValue, ShiftJisNameEscapesRoundTrip) {
  struct Case {
    const char* why;
    std::string name;
    std::string stored;
  } cases[] = {
      {"double quote", "say \"hi\"", "\"say \\\"hi\\\"\""},
      {"apostrophe", "Bob's", "\"Bob\\'s\""},
      {"backslash", "a\\b", "\"a\\\\b\""},
      // The second byte of this Shift-JIS character is 0x5C: never escaped.
      {"Shift-JIS pair ending in 0x5C", "\x95\x5C\x8E\xA6", "\"\x95\x5C\x8E\xA6\""},
      {"Shift-JIS pair then quote", "\x83\x5C\"", "\"\x83\x5C\\\"\""},
  };
  for (const auto& c : cases) {
    NodeEntry e = node("00-11-22-33-44-55", "1.2.3.4", c.name, "1.00", 2);
    std::string value = formatNodeValue(e, kSjis);
    EXPECT_EQ(value, "2,00-11-22-33-44-55,1.2.3.4," + c.stored + ",1.00") << c.why;
    EXPECT_EQ(parseNodeValue(value, kSjis).name, c.name) << c.why;
  }
}

// Under Shift-JIS a lead byte at the end of a field is half a character; a
// value that ends in one (a list of another tool, cut in the middle of a
// pair) reads without it, and no field is ever written with one, where the
// comma or quote after it would become its second byte.
TEST(NodeValue, HalfACharacterAtTheEndIsLeftOut) {
  struct Case {
    const char* why;
    std::string value;
  } cases[] = {
      {"the MAC field ends the value", "0,00-11-22-33-44-5\x83"},
      {"the IP field ends the value", "0,00-11-22-33-44-55,1.2.3.\xE0"},
      {"an unclosed name ends the value", "0,00-11-22-33-44-55,1.2.3.4,\"Hall\x83"},
      {"the version ends the value", "0,00-11-22-33-44-55,1.2.3.4,\"Hall\",2.0\x9F"},
  };
  for (const auto& c : cases) {
    NodeEntry e = parseNodeValue(c.value, kSjis);
    EXPECT_EQ(parseNodeValue(c.value.substr(0, c.value.size() - 1), kSjis).mac, e.mac) << c.why;
    NodeEntry back = parseNodeValue(formatNodeValue(e, kSjis), kSjis);
    EXPECT_EQ(back.mac, e.mac) << c.why;
    EXPECT_EQ(back.ip, e.ip) << c.why;
    EXPECT_EQ(back.name, e.name) << c.why;
    EXPECT_EQ(back.version, e.version) << c.why;
  }
  // A name from a unit cut inside a pair is written without the half.
  NodeEntry cut = node("00-11-22-33-44-55", "1.2.3.4", "Hall\x83", "1.00", 2);
  EXPECT_EQ(formatNodeValue(cut, kSjis), "2,00-11-22-33-44-55,1.2.3.4,\"Hall\",1.00");
  EXPECT_EQ(parseNodeValue(formatNodeValue(cut, kSjis), kSjis).version, "1.00");
}

// A value holds what the profile reader's 255-byte buffer holds. Fields of a
// foreign list too long for that are cut where they are read, the name first
// and the MAC text last, so the node is kept as it will read back.
TEST(NodeValue, AValueFitsTheReadersBuffer) {
  struct Case {
    const char* why;
    std::string value;
    std::string name, mac, ip, version;
  } cases[] = {
      {"a name that escapes to more than fits", "0,00-11-22-33-44-55,1.2.3.4,\"" + std::string(200, '\'') + "\",1.00",
       std::string(109, '\''), "00-11-22-33-44-55", "1.2.3.4", "1.00"},
      {"a name of Shift-JIS pairs is cut between them", "0,00-11-22-33-44-55,1.2.3.4,\"" + std::string(300, '\x83') + "\"",
       std::string(222, '\x83'), "00-11-22-33-44-55", "1.2.3.4", ""},
      {"a MAC text that fills the value alone", "2," + std::string(252, 'A'), "", std::string(247, 'A'), "", ""},
      {"the version gives way before the IP address", "1," + std::string(120, 'M') + "," + std::string(80, 'I') + ",,"
       + std::string(50, 'V'), "", std::string(120, 'M'), std::string(80, 'I'), std::string(47, 'V')},
  };
  for (const auto& c : cases) {
    NodeEntry e = parseNodeValue(c.value, kSjis);
    EXPECT_EQ(e.name, c.name) << c.why;
    EXPECT_EQ(e.mac, c.mac) << c.why;
    EXPECT_EQ(e.ip, c.ip) << c.why;
    EXPECT_EQ(e.version, c.version) << c.why;
    std::string stored = formatNodeValue(e, kSjis);
    EXPECT_LE(stored.size(), ini::kValueBuffer - 1) << c.why;
    NodeEntry back = parseNodeValue(stored, kSjis);
    EXPECT_EQ(std::tie(back.name, back.mac, back.ip, back.version), std::tie(e.name, e.mac, e.ip, e.version)) << c.why;
  }
}

// Under a single-byte code page the bytes 0x81-0x9F and 0xE0-0xFC are
// letters of their own ("Café" is "Caf\xE9"): the quote or the backslash after
// one is a quote or a backslash, and the fields after the name stay fields.
TEST(NodeValue, SingleByteNamesEndingInAnyByteRoundTrip) {
  struct Case {
    const char* why;
    std::string name;
    std::string stored;
  } cases[] = {
      {"e acute", "Caf\xE9", "\"Caf\xE9\""},
      {"a grave", "Voil\xE0", "\"Voil\xE0\""},
      {"u umlaut", "M\xFC", "\"M\xFC\""},
      {"c cedilla", "Fran\xE7", "\"Fran\xE7\""},
      {"right single quote", "Hall\x92", "\"Hall\x92\""},
      {"en dash", "East \x96", "\"East \x96\""},
      {"the lowest lead byte of Shift-JIS", "x\x81", "\"x\x81\""},
      {"the highest lead byte of Shift-JIS", "x\xFC", "\"x\xFC\""},
      {"letter before a backslash, which is escaped", "\xE9\\", "\"\xE9\\\\\""},
      {"letter before a quote, which is escaped", "\xE9\"", "\"\xE9\\\"\""},
      {"letter before a comma", "\xE9, \xE0", "\"\xE9, \xE0\""},
  };
  for (const auto& c : cases) {
    NodeEntry e = node("00-11-22-33-44-55", "1.2.3.4", c.name, "2.01", 2);
    std::string value = formatNodeValue(e, kSingle);
    EXPECT_EQ(value, "2,00-11-22-33-44-55,1.2.3.4," + c.stored + ",2.01") << c.why;
    NodeEntry back = parseNodeValue(value, kSingle);
    EXPECT_EQ(back.name, c.name) << c.why;
    EXPECT_EQ(back.version, "2.01") << c.why;
  }
}

TEST(NodeValue, BackslashBeforeOtherCharacterDropsBoth) {
  EXPECT_EQ(parseNodeValue("0,00-11-22-33-44-55,1.2.3.4,\"a\\xb\",", kSingle).name, "ab");
  EXPECT_EQ(parseNodeValue("0,00-11-22-33-44-55,1.2.3.4,out\"in\"side,", kSingle).name, "in");
}

TEST_F(NodeTableTest, LoadStopsAtFirstMissingEntry) {
  writeBytes(settings, joinLines({"[NodeList]", "Entry1=0,00-00-00-00-00-01,10.0.0.1,\"a\",1.00",
                                  "Entry2=0,00-00-00-00-00-02,10.0.0.2,\"b\",1.00",
                                  "Entry4=0,00-00-00-00-00-04,10.0.0.4,\"d\",1.00"}));
  table->LoadNodeList(settings);
  EXPECT_EQ(table->usedCount, 2u);
  EXPECT_EQ(table->FindNodeByMac("00-00-00-00-00-04"), -1);
}

TEST_F(NodeTableTest, MacsDifferingOnlyInCaseLoadAsOneNode) {
  writeBytes(settings, joinLines({"[NodeList]", "Entry1=0,00-aa-00-00-00-01,10.0.0.1,\"first\",",
                                  "Entry2=0,00-AA-00-00-00-01,10.0.0.9,\"second\","}));
  table->LoadNodeList(settings);
  ASSERT_EQ(table->usedCount, 1u);
  EXPECT_EQ(table->slot(0).name, "first");
}

TEST_F(NodeTableTest, StartUpRewritesASectionThatDoesNotMatchTheTable) {
  // The duplicate leaves Entry3 holding a node whose number the table would
  // give the next added node; the section is written back at once.
  writeBytes(settings, joinLines({"[Environment]", "DispSave=1", "[NodeList]",
                                  "Entry1=0,00-00-00-00-00-01,10.0.0.1,\"a\",",
                                  "Entry2=0,00-00-00-00-00-01,10.0.0.1,\"dup\",",
                                  "Entry3=0,00-00-00-00-00-03,10.0.0.3,\"c\","}));
  table->loadFromSettings();
  EXPECT_EQ(table->usedCount, 2u);
  EXPECT_EQ(entry(2), "0,00-00-00-00-00-03,10.0.0.3,\"c\",");
  EXPECT_EQ(entry(3), "<missing>");
  EXPECT_EQ(ini::getProfileString(settings, "Environment", "DispSave", ""), "1");

  VectorNodeRows rows;
  table->FillRows(rows);
  table->AddAndRecord(rows, node("00-00-00-00-00-04", "10.0.0.4"));
  EXPECT_EQ(entry(2), "0,00-00-00-00-00-03,10.0.0.3,\"c\",");
  EXPECT_EQ(entry(3), "0,00-00-00-00-00-04,10.0.0.4,\"\",");
}

TEST_F(NodeTableTest, AddNodeRefusesDuplicatesAndAFullTable) {
  EXPECT_TRUE(table->AddNode(node("00-00-00-00-00-01", "10.0.0.1")));
  EXPECT_FALSE(table->AddNode(node("00-00-00-00-00-01", "10.0.0.2")));
  EXPECT_FALSE(table->AddNode(node("", "10.0.0.3")));
  for (unsigned i = 2; i <= kMaxNodes; ++i) {
    char mac[24];
    std::snprintf(mac, sizeof mac, "00-00-00-00-%02X-%02X", i >> 8, i & 0xFF);
    ASSERT_TRUE(table->AddNode(node(mac, "")));
  }
  EXPECT_EQ(table->usedCount, kMaxNodes);
  EXPECT_FALSE(table->AddNode(node("00-00-00-00-FF-FF", "")));
}

TEST_F(NodeTableTest, RemovedSlotIsReusedFirstAndNeverCompacted) {
  table->AddNode(node("00-00-00-00-00-01", ""));
  table->AddNode(node("00-00-00-00-00-02", ""));
  table->AddNode(node("00-00-00-00-00-03", ""));
  table->RemoveNodeByMac("00-00-00-00-00-02");
  table->RemoveNodeByMac("00-00-00-00-00-02");  // not found: count stays
  EXPECT_EQ(table->usedCount, 2u);
  EXPECT_EQ(table->FindNodeByMac("00-00-00-00-00-03"), 2);
  table->AddNode(node("00-00-00-00-00-04", ""));
  EXPECT_EQ(table->FindNodeByMac("00-00-00-00-00-04"), 1);
}

TEST_F(NodeTableTest, WritingANodeWithoutMacRemovesItsKey) {
  table->WriteNodeEntry(settings, 1, node("00-00-00-00-00-01", "10.0.0.1"));
  table->WriteNodeEntry(settings, 2, node("00-00-00-00-00-02", "10.0.0.2"));
  table->WriteNodeEntry(settings, 1, NodeEntry{});
  EXPECT_EQ(entry(1), "<missing>");
  EXPECT_EQ(entry(2), "0,00-00-00-00-00-02,10.0.0.2,\"\",");
}

TEST_F(NodeTableTest, SortOrders) {
  struct Case {
    const char* why;
    int column;
    std::vector<NodeEntry> nodes;
    std::vector<std::string> ascending;  // MACs after one ascending sort
  } cases[] = {
      {"IP numerically: 10.0.0.9 before 10.0.0.10", 2,
       {node("00-00-00-00-00-01", "10.0.0.10"), node("00-00-00-00-00-02", "10.0.0.9")},
       {"00-00-00-00-00-02", "00-00-00-00-00-01"}},
      {"IP text when one does not read", 2,
       {node("00-00-00-00-00-01", "zz"), node("00-00-00-00-00-02", "10.0.0.9")},
       {"00-00-00-00-00-02", "00-00-00-00-00-01"}},
      {"version numerically, T ignored, empty counts 0", 3,
       {node("00-00-00-00-00-01", "", "", "2.10"), node("00-00-00-00-00-02", "", "", "2.09T"),
        node("00-00-00-00-00-03", "", "", "")},
       {"00-00-00-00-00-03", "00-00-00-00-00-02", "00-00-00-00-00-01"}},
      {"-.-- placed by text", 3,
       {node("00-00-00-00-00-01", "", "", "2.01"), node("00-00-00-00-00-02", "", "", "-.--")},
       {"00-00-00-00-00-02", "00-00-00-00-00-01"}},
      {"name as bytes", 0,
       {node("00-00-00-00-00-01", "", "b"), node("00-00-00-00-00-02", "", "\x82\xA0"),
        node("00-00-00-00-00-03", "", "a")},
       {"00-00-00-00-00-03", "00-00-00-00-00-01", "00-00-00-00-00-02"}},
  };
  for (const auto& c : cases) {
    NodeTable t(settings);
    for (const auto& n : c.nodes) t.AddNode(n);
    t.SortNodes(c.column, false);
    EXPECT_EQ(macsInSlotOrder(t), c.ascending) << c.why;
    t.SortNodes(c.column, true);
    std::vector<std::string> reversed(c.ascending.rbegin(), c.ascending.rend());
    EXPECT_EQ(macsInSlotOrder(t), reversed) << c.why;
  }
}

TEST_F(NodeTableTest, SortAndRelistAlternatesDirectionAndRenumbers) {
  table->AddNode(node("00-00-00-00-00-02", "10.0.0.2", "b"));
  table->AddNode(node("00-00-00-00-00-01", "10.0.0.1", "a"));
  VectorNodeRows rows;
  table->FillRows(rows);
  table->SortAndRelist(rows, 1);
  EXPECT_EQ(rows.rows.at(0).mac, "00-00-00-00-00-01");
  EXPECT_EQ(entry(1), "0,00-00-00-00-00-01,10.0.0.1,\"a\",");
  table->SortAndRelist(rows, 1);
  EXPECT_EQ(rows.rows.at(0).mac, "00-00-00-00-00-02");
  EXPECT_EQ(entry(1), "0,00-00-00-00-00-02,10.0.0.2,\"b\",");
  EXPECT_EQ(table->listedCount, 2u);
  table->FillRows(rows);  // filling resets every column to ascending
  table->SortAndRelist(rows, 1);
  EXPECT_EQ(rows.rows.at(0).mac, "00-00-00-00-00-01");
}

TEST_F(NodeTableTest, SaveIntoOtherFileReplacesIt) {
  std::string other = dir.file("nodelist.txt");
  writeBytes(other, joinLines({"[Old]", "junk=1"}));
  table->AddNode(node("00-00-00-00-00-01", "10.0.0.1", "a", "1.00", 1));
  ASSERT_TRUE(table->SaveNodeList(other));
  EXPECT_EQ(readBytes(other), joinLines({"[NodeList]", "Entry1=1,00-00-00-00-00-01,10.0.0.1,\"a\",1.00"}));
}

// A list from another tool loads, saves and loads again as the same nodes,
// also when a field that ends the written value ends in a blank, which the
// profile reader would trim: such a value is stored inside quotes.
TEST_F(NodeTableTest, ALoadedListSavesAsItLoaded) {
  std::string foreign = dir.file("foreign.txt"), saved = dir.file("saved.txt");
  writeBytes(foreign, joinLines({"[NodeList]", "Entry1=2,00-00-00-00-00-01,10.0.0.1,\"a\",1.00 ,extra",
                                 "Entry2=1,00-00-00-00-00-02,10.0.0.2,\"b \",\t,"}));
  table->LoadNodeList(foreign);
  ASSERT_TRUE(table->SaveNodeList(saved));
  NodeTable again;
  again.LoadNodeList(saved);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(again.slot(i).mac, table->slot(i).mac);
    EXPECT_EQ(again.slot(i).name, table->slot(i).name);
    EXPECT_EQ(again.slot(i).version, table->slot(i).version) << i;
  }
  EXPECT_EQ(again.slot(0).version, "1.00 ");
  EXPECT_EQ(again.slot(1).version, "\t");
  EXPECT_EQ(readBytes(saved), joinLines({"[NodeList]", "Entry1=\"2,00-00-00-00-00-01,10.0.0.1,\"a\",1.00 \"",
                                         "Entry2=\"1,00-00-00-00-00-02,10.0.0.2,\"b \",\t\""}));
}

TEST_F(NodeTableTest, SaveIntoSettingsKeepsOtherSectionsAndDropsLeftoverKeys) {
  writeBytes(settings, joinLines({"[Environment]", "ScanTime=5", "[NodeList]",
                                  "Entry1=0,00-00-00-00-00-01,10.0.0.1,\"a\",",
                                  "Entry2=0,00-00-00-00-00-02,10.0.0.2,\"b\",", "[Later]", "x=1"}));
  table->AddNode(node("00-00-00-00-00-09", "10.0.0.9"));
  ASSERT_TRUE(table->SaveNodeList(settings));
  EXPECT_EQ(readBytes(settings),
            joinLines({"[Environment]", "ScanTime=5", "[NodeList]", "Entry1=0,00-00-00-00-00-09,10.0.0.9,\"\",",
                       "[Later]", "x=1"}));
}

// Each name goes into the settings profile and out to a node list file, and
// reads back whole from both, fields after it included, under the code page
// it was written in. Shift-JIS files keep the bytes they always had.
TEST_F(NodeTableTest, NamesReadBackUnderTheirCodePage) {
  struct Case {
    const char* why;
    TextEncoding encoding;
    std::string name;
    std::string stored;  // the name field as the file holds it
  } cases[] = {
      {"windows-1252 e acute", kSingle, "Caf\xE9", "\"Caf\xE9\""},
      {"windows-1252 a grave", kSingle, "Voil\xE0", "\"Voil\xE0\""},
      {"windows-1252 u umlaut", kSingle, "M\xFC", "\"M\xFC\""},
      {"windows-1252 c cedilla", kSingle, "Gar\xE7", "\"Gar\xE7\""},
      {"windows-1252 right single quote", kSingle, "Bob\x92", "\"Bob\x92\""},
      {"windows-1252 en dash", kSingle, "East \x96", "\"East \x96\""},
      {"windows-1252 letter before a backslash", kSingle, "\xE9\\", "\"\xE9\\\\\""},
      {"Shift_JIS kanji whose second byte is 0x5C", kSjis, "\x8E\xA6\x95\x5C", "\"\x8E\xA6\x95\x5C\""},
      {"Shift_JIS kana pair ending in 0x5C", kSjis, "\x83\x5C", "\"\x83\x5C\""},
      {"Shift_JIS pair then a quote", kSjis, "\x83\x5C\"", "\"\x83\x5C\\\"\""},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(settings);
    NodeTable t(settings, c.encoding);
    VectorNodeRows rows;
    t.FillRows(rows);
    NodeEntry e = node("00-80-92-00-00-05", "10.0.0.5", c.name, "2.01", 2);
    ASSERT_TRUE(t.AddAndRecord(rows, e)) << c.why;
    EXPECT_EQ(entry(1), "2,00-80-92-00-00-05,10.0.0.5," + c.stored + ",2.01") << c.why;
    const std::string exported = dir.file("nodelist.txt");
    ASSERT_TRUE(t.SaveNodeList(exported)) << c.why;
    EXPECT_TRUE(checkNodeListFile(ini::Profile::load(exported, c.encoding)).empty()) << c.why;
    for (const std::string& file : {settings, exported}) {
      NodeTable back(settings, c.encoding);
      back.LoadNodeList(file);
      ASSERT_EQ(back.usedCount, 1u) << c.why;
      EXPECT_EQ(back.slot(0).name, c.name) << c.why << " from " << file;
      EXPECT_EQ(back.slot(0).version, "2.01") << c.why << " from " << file;
    }
  }
}

TEST_F(NodeTableTest, AnEmptyListIsStillANodeListFile) {
  std::string other = dir.file("empty.txt");
  ASSERT_TRUE(table->SaveNodeList(other));
  EXPECT_TRUE(checkNodeListFile(ini::Profile::load(other)).empty());
}

TEST_F(NodeTableTest, EntryNumbersFollowEveryChange) {
  VectorNodeRows rows;
  table->FillRows(rows);
  for (int i = 1; i <= 3; ++i) {
    std::string mac = "00-00-00-00-00-0" + std::to_string(i);
    ASSERT_TRUE(table->AddAndRecord(rows, node(mac, "10.0.0." + std::to_string(i))));
  }
  EXPECT_EQ(rows.numberText, "   3/1024");

  // Deleting the middle node renumbers the rest in row order, routes as 0.
  table->EraseNodeEntries();
  table->RemoveNodeByMac("00-00-00-00-00-02");
  rows.rows.erase(rows.rows.begin() + 1);
  table->RelistFromRows(rows);
  EXPECT_EQ(entry(1), "0,00-00-00-00-00-01,10.0.0.1,\"\",");
  EXPECT_EQ(entry(2), "0,00-00-00-00-00-03,10.0.0.3,\"\",");
  EXPECT_EQ(entry(3), "<missing>");

  // A route change rewrites the key under the node's own number.
  MacAddress third = *parseMac("00-00-00-00-00-03");
  EXPECT_TRUE(table->SetNodeRoute(third, RouteMulticast));
  EXPECT_FALSE(table->SetNodeRoute(third, RouteMulticast));
  EXPECT_FALSE(table->SetNodeRoute(*parseMac("00-00-00-00-00-77"), RouteMulticast));
  EXPECT_EQ(entry(2), "1,00-00-00-00-00-03,10.0.0.3,\"\",");

  // The node that takes the freed slot is written after the others.
  ASSERT_TRUE(table->AddAndRecord(rows, node("00-00-00-00-00-04", "10.0.0.4")));
  EXPECT_EQ(entry(3), "0,00-00-00-00-00-04,10.0.0.4,\"\",");

  // Clearing leaves no Entry keys behind.
  table->EraseNodeEntries();
  table->ClearNodes();
  EXPECT_TRUE(ini::Profile::load(settings).keys("NodeList").empty());
}

TEST_F(NodeTableTest, BatchHoldsWritesUntilItEnds) {
  VectorNodeRows rows;
  table->FillRows(rows);
  {
    NodeTable::Batch outer(*table);
    {
      NodeTable::Batch inner(*table);
      table->AddAndRecord(rows, node("00-00-00-00-00-01", "10.0.0.1"));
    }
    table->AddAndRecord(rows, node("00-00-00-00-00-02", "10.0.0.2"));
    table->SetNodeRoute(*parseMac("00-00-00-00-00-01"), RouteMulticast);
    EXPECT_EQ(entry(1), "<missing>");  // nothing on disk while the batch lasts
  }
  EXPECT_EQ(entry(1), "1,00-00-00-00-00-01,10.0.0.1,\"\",");
  EXPECT_EQ(entry(2), "0,00-00-00-00-00-02,10.0.0.2,\"\",");
}

// A settings file that can't be written (read-only, or a folder in its
// place) fails every kind of write, and the failure is kept for the front to
// report, including writes made on the side (a route) or by a batch's end.
TEST_F(NodeTableTest, EveryFailedWriteIsKeptForTheFrontToReport) {
  VectorNodeRows rows;
  table->FillRows(rows);
  table->AddAndRecord(rows, node("00-00-00-00-00-02", "10.0.0.2", "B"));
  table->AddAndRecord(rows, node("00-00-00-00-00-01", "10.0.0.1", "A"));
  ASSERT_FALSE(table->takeWriteFailure());
  const std::string before = readBytes(settings);
  std::filesystem::permissions(settings, std::filesystem::perms::owner_read);
  struct Case {
    const char* what;
    std::function<bool()> write;
  };
  const Case cases[] = {
      {"erase the entries", [&] { return table->EraseNodeEntries(); }},
      {"sort", [&] { return table->SortAndRelist(rows, 0); }},
      {"relist", [&] { return table->RelistFromRows(rows); }},
      {"rewrite one entry", [&] { return table->RewriteSlot(0); }},
      {"save the list", [&] { return table->SaveNodeList(settings); }},
      {"learn a route", [&] {
         table->SetNodeRoute(*parseMac("00-00-00-00-00-01"), RouteMulticast);
         return true;
       }},
      {"end a batch", [&] {
         NodeTable::Batch batch(*table);
         table->EraseNodeEntries();
         return true;
       }},
  };
  for (const Case& c : cases) {
    const bool returned = c.write();
    EXPECT_TRUE(table->takeWriteFailure()) << c.what;
    EXPECT_FALSE(table->takeWriteFailure()) << c.what << ": reported once";
    (void)returned;
  }
  EXPECT_FALSE(table->EraseNodeEntries());
  EXPECT_FALSE(table->SortAndRelist(rows, 1));
  EXPECT_FALSE(table->RelistFromRows(rows));
  EXPECT_EQ(readBytes(settings), before);
  std::filesystem::permissions(settings, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  table->takeWriteFailure();
  // A folder in the file's place.
  NodeTable inFolder(dir.file("folder"));
  std::filesystem::create_directory(dir.file("folder"));
  VectorNodeRows none;
  inFolder.FillRows(none);
  inFolder.AddAndRecord(none, node("00-00-00-00-00-03", "10.0.0.3"));
  EXPECT_TRUE(inFolder.takeWriteFailure());
}

TEST_F(NodeTableTest, ResolveNode) {
  table->AddNode(node("00-00-00-00-00-01", "192.168.0.5", "Lobby", "", RouteMulticast));
  table->AddNode(node("00-00-00-00-00-02", "192.168.0.6", "", "", RouteUnicast));
  table->AddNode(node("00-00-00-00-00-03", "bad ip", "Broken", "", RouteUnknown));
  Ipv4 lobby = *parseIpv4("192.168.0.5"), second = *parseIpv4("192.168.0.6");

  ResolvedNode r = table->ResolveNode("Lobby");
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.label, "Lobby");
  EXPECT_EQ(formatMac(r.mac), "00-00-00-00-00-01");
  EXPECT_EQ(r.primary, kMulticastGroup);
  EXPECT_EQ(r.alternate, lobby);

  r = table->ResolveNode("00-00-00-00-00-02, 192.168.0.6");
  EXPECT_EQ(r.label, "00-00-00-00-00-02, 192.168.0.6");
  EXPECT_EQ(r.primary, second);
  EXPECT_EQ(r.alternate, kMulticastGroup);

  r = table->ResolveNode("Broken");
  EXPECT_EQ(r.primary, kMulticastGroup);
  EXPECT_EQ(r.alternate, kMulticastGroup);

  r = table->ResolveNode("nobody");
  EXPECT_FALSE(r.found);
  EXPECT_TRUE(r.mac.isBroadcast());
  EXPECT_EQ(r.primary, kMulticastGroup);
  EXPECT_EQ(r.alternate, kMulticastGroup);
  EXPECT_EQ(r.label, "");
}

TEST_F(NodeTableTest, CheckNodeListFileNamesWhatTheLoaderWouldDrop) {
  std::string f = dir.file("in.txt");
  struct Case {
    const char* why;
    std::string text;
    std::size_t problems;
    std::string first;  // the first problem, in English
  } cases[] = {
      {"good file", joinLines({"[NodeList]", "Entry1=0,00-00-00-00-00-01,10.0.0.1,\"a\","}), 0, ""},
      {"no section", joinLines({"[Other]", "x=1"}), 1, "no [NodeList] section: not a node list file"},
      {"bad MAC", joinLines({"[NodeList]", "Entry1=0,00-00-00-00-00,10.0.0.1,\"a\","}), 1,
       "Entry1: bad MAC address \"00-00-00-00-00\""},
      {"bad MAC that looks like a placeholder", joinLines({"[NodeList]", "Entry1=0,%2%1,10.0.0.1,\"a\","}), 1,
       "Entry1: bad MAC address \"%2%1\""},
      {"bad IP", joinLines({"[NodeList]", "Entry1=0,00-00-00-00-00-01,10.0.0,\"a\","}), 1,
       "Entry1: bad IP address \"10.0.0\""},
      {"gap", joinLines({"[NodeList]", "Entry1=0,00-00-00-00-00-01,,\"a\",", "Entry3=0,00-00-00-00-00-03,,\"c\","}), 1,
       "Entry3: not part of the numbered list Entry1..Entry1"},
      {"duplicate", joinLines({"[NodeList]", "Entry1=0,00-00-00-00-00-01,,\"a\",", "Entry2=0,00-00-00-00-00-01,,\"b\","}), 1,
       "Entry2: MAC address 00-00-00-00-00-01 is listed twice"},
  };
  for (const auto& c : cases) {
    writeBytes(f, c.text);
    const auto problems = checkNodeListFile(ini::Profile::load(f));
    EXPECT_EQ(problems.size(), c.problems) << c.why;
    if (!problems.empty()) {
      EXPECT_EQ(problemText(problems.front()), c.first) << c.why;
    }
  }
  EXPECT_EQ(checkNodeListFile(ini::Profile::load(dir.file("missing.txt"))).size(), 1u);
}

}  // namespace
}  // namespace trennic
