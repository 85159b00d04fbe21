// The node editor's rules: what its fields show on opening, what OK makes of
// them, and how an accepted node reaches the table, the rows and the profile.
#include <gtest/gtest.h>

#include "core/app/ini_profile.h"
#include "core/registry/node_editor.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

NodeEntry node(const char* name, const char* mac, const char* ip, int route = 0, const char* version = "") {
  NodeEntry e;
  e.used = 1;
  e.name = name;
  e.mac = mac;
  e.ip = ip;
  e.route = route;
  e.version = version;
  return e;
}

// Two nodes known before the editor opens.
void addKnown(NodeTable& t) {
  ASSERT_TRUE(t.AddNode(node("Hall", "00-80-92-00-00-01", "192.168.1.10", 2, "2.01")));
  ASSERT_TRUE(t.AddNode(node("", "00-80-92-00-00-02", "192.168.1.11", 1, "2.01")));
}

NodeEditorFields fields(const char* name, std::array<std::string, 6> mac, std::array<std::string, 4> ip) {
  NodeEditorFields f;
  f.name = name;
  f.mac = std::move(mac);
  f.ip = std::move(ip);
  return f;
}

TEST(OpenNodeEditor, Fields) {
  struct Case {
    const char* why;
    NodeEntry current;
    int mode;
    std::array<std::string, 6> mac;
    std::array<std::string, 4> ip;
    const char* macAfter;
  } cases[] = {
      {"a new node starts at 00-00-00-00-00-00 and 10.0.0.0", NodeEntry{}, EditModeNew,
       {"00", "00", "00", "00", "00", "00"}, {"10", "0", "0", "0"}, "00-00-00-00-00-00"},
      {"no IP address: 10 and the last three MAC bytes", node("", "00-11-22-AB-CD-EF", ""), EditModeChange,
       {"00", "11", "22", "AB", "CD", "EF"}, {"10", "171", "205", "239"}, "00-11-22-AB-CD-EF"},
      {"an IP address is shown as stored", node("x", "00-80-92-00-00-01", "192.168.1.10"), EditModeChange,
       {"00", "80", "92", "00", "00", "01"}, {"192", "168", "1", "10"}, "00-80-92-00-00-01"},
      {"one-digit bytes are shown with two", node("", "0-8-a-B-c-D", "1.2.3.4"), EditModeChange,
       {"00", "08", "0A", "0B", "0C", "0D"}, {"1", "2", "3", "4"}, "0-8-a-B-c-D"},
      {"bytes after one that does not read show zero", node("", "00-11-zz-33-44-55", "10.1.x.4"), EditModeChange,
       {"00", "11", "00", "00", "00", "00"}, {"10", "1", "0", "0"}, "00-11-zz-33-44-55"},
  };
  for (auto& c : cases) {
    NodeEntry current = c.current;
    NodeEditorFields f = OpenNodeEditor(current, c.mode);
    EXPECT_EQ(f.mac, c.mac) << c.why;
    EXPECT_EQ(f.ip, c.ip) << c.why;
    EXPECT_EQ(f.name, current.name) << c.why;
    EXPECT_EQ(current.mac, c.macAfter) << c.why;
    EXPECT_EQ(f.macEditable, c.mode == EditModeNew) << c.why;
  }
}

TEST(NodeEditorFields, Texts) {
  EXPECT_EQ(joinMacFields({"00", "11", "22", "ab", "CD", "e"}), "00-11-22-ab-CD-e");
  EXPECT_EQ(joinMacFields({"", "11", "22", "33", "44", "55"}), "-11-22-33-44-55");
  EXPECT_EQ(ipFromFields({"192", "168", "1", "20"}), "192.168.1.20");
  EXPECT_EQ(ipFromFields({"", "x", "256", "300"}), "0.0.0.44");
  EXPECT_EQ(defaultIpFields({"00", "11", "22", "AB", "CD", "EF"}), (std::array<std::string, 4>{"10", "171", "205", "239"}));
  EXPECT_EQ(defaultIpFields({"00", "11", "22", "", "f", "1"}), (std::array<std::string, 4>{"10", "0", "15", "1"}));
}

TEST(AcceptNodeEditor, Rules) {
  struct Case {
    const char* why;
    int mode;
    NodeEntry opened;  // current as the list window handed it over
    NodeEditorFields typed;
    NodeCheck expected;
    const char* mac;  // current afterwards
    const char* ip;
    int route;
  } cases[] = {
      {"new node with untouched IP fields gets 10.m3.m4.m5 and route 2", EditModeNew, NodeEntry{},
       fields("", {"00", "11", "22", "AB", "CD", "EF"}, {"10", "171", "205", "239"}), NodeCheck::Accepted,
       "00-11-22-AB-CD-EF", "10.171.205.239", 2},
      {"new node: lower-case and one-digit bytes are rewritten", EditModeNew, NodeEntry{},
       fields("n", {"0", "1", "2", "ab", "cd", "e"}, {"172", "16", "0", "1"}), NodeCheck::Accepted,
       "00-01-02-AB-CD-0E", "172.16.0.1", 2},
      {"empty MAC field is invalid and current is restored", EditModeNew, NodeEntry{},
       fields("n", {"00", "", "22", "33", "44", "55"}, {"10", "51", "68", "85"}), NodeCheck::Invalid,
       "00-00-00-00-00-00", "", 0},
      {"new node with the broadcast address is invalid: it would be every unit", EditModeNew, NodeEntry{},
       fields("all", {"FF", "ff", "FF", "FF", "FF", "FF"}, {"10", "255", "255", "255"}), NodeCheck::Invalid,
       "00-00-00-00-00-00", "", 0},
      {"new node with a known MAC is a duplicate", EditModeNew, NodeEntry{},
       fields("n", {"00", "80", "92", "00", "00", "01"}, {"10", "0", "0", "99"}), NodeCheck::Duplicate,
       "00-00-00-00-00-00", "", 0},
      {"new node with a known IP is a duplicate", EditModeNew, NodeEntry{},
       fields("n", {"00", "80", "92", "00", "00", "09"}, {"192", "168", "1", "11"}), NodeCheck::Duplicate,
       "00-00-00-00-00-00", "", 0},
      {"new node: a name the code page cannot store is invalid", EditModeNew, NodeEntry{},
       [] {
         auto f = fields("", {"00", "80", "92", "00", "00", "09"}, {"10", "0", "0", "9"});
         f.nameStorable = false;
         return f;
       }(),
       NodeCheck::Invalid, "00-00-00-00-00-00", "", 0},
      {"a name with a line break is invalid: its profile line would end inside it", EditModeNew, NodeEntry{},
       fields("Roof\r\nEntry9=x", {"00", "80", "92", "00", "00", "09"}, {"10", "0", "0", "9"}), NodeCheck::Invalid,
       "00-00-00-00-00-00", "", 0},
      {"a name only opened and closed keeps every byte, whatever the field made of it", EditModeChange,
       node("Warehouse north, rack 12, upper shelf", "00-80-92-00-00-01", "192.168.1.10", 0, "2.01"),
       [] {
         auto f = fields("Warehouse north, rack 12, upper ", {"00", "80", "92", "00", "00", "01"},
                         {"192", "168", "1", "10"});
         f.nameEdited = false;
         f.nameStorable = false;
         return f;
       }(),
       NodeCheck::Unchanged, "00-80-92-00-00-01", "192.168.1.10", 0},
      {"edit of the name only keeps MAC and IP and route 0", EditModeChange,
       node("Hall", "00-80-92-00-00-01", "192.168.1.10", 0, "2.01"),
       fields("Lobby", {"00", "80", "92", "00", "00", "01"}, {"192", "168", "1", "10"}), NodeCheck::Accepted,
       "00-80-92-00-00-01", "192.168.1.10", 0},
      {"edit without any change is unchanged", EditModeChange,
       node("Hall", "00-80-92-00-00-01", "192.168.1.10", 0, "2.01"),
       fields("Hall", {"00", "80", "92", "00", "00", "01"}, {"192", "168", "1", "10"}), NodeCheck::Unchanged,
       "00-80-92-00-00-01", "192.168.1.10", 0},
      {"edit of the IP sets route 2", EditModeChange, node("", "00-80-92-00-00-02", "192.168.1.11", 0, "2.01"),
       fields("", {"00", "80", "92", "00", "00", "02"}, {"192", "168", "1", "12"}), NodeCheck::Accepted,
       "00-80-92-00-00-02", "192.168.1.12", 2},
      {"edit of the IP to another node's IP is a duplicate", EditModeChange,
       node("", "00-80-92-00-00-02", "192.168.1.11", 0, "2.01"),
       fields("", {"00", "80", "92", "00", "00", "02"}, {"192", "168", "1", "10"}), NodeCheck::Duplicate,
       "00-80-92-00-00-02", "192.168.1.11", 0},
      {"edit of a node whose MAC is not in the table is invalid", EditModeChange, node("", "00-00-00-00-00-00", ""),
       fields("", {"00", "00", "00", "00", "00", "00"}, {"10", "0", "0", "0"}), NodeCheck::Invalid,
       "00-00-00-00-00-00", "", 0},
      {"a listed node with the broadcast address can't be kept by an edit", EditModeChange,
       node("all", "FF-FF-FF-FF-FF-FF", "10.255.255.255", 0, "2.01"),
       fields("renamed", {"FF", "FF", "FF", "FF", "FF", "FF"}, {"10", "255", "255", "255"}), NodeCheck::Invalid,
       "FF-FF-FF-FF-FF-FF", "10.255.255.255", 0},
      {"IP fields are taken modulo 256", EditModeChange, node("", "00-80-92-00-00-02", "192.168.1.11", 0, "2.01"),
       fields("", {"00", "80", "92", "00", "00", "02"}, {"448", "168", "", "267"}), NodeCheck::Accepted,
       "00-80-92-00-00-02", "192.168.0.11", 2},
  };
  for (auto& c : cases) {
    NodeTable t;
    addKnown(t);
    // And one from a file that gave it the broadcast address.
    ASSERT_TRUE(t.AddNode(node("all", "FF-FF-FF-FF-FF-FF", "10.255.255.255", 0, "2.01")));
    NodeEntry current = c.opened;
    OpenNodeEditor(current, c.mode);
    const NodeEntry original = current;
    NodeCheck r = AcceptNodeEditor(t, c.mode, c.typed, original, current);
    EXPECT_EQ(r, c.expected) << c.why;
    EXPECT_EQ(current.mac, c.mac) << c.why;
    EXPECT_EQ(current.ip, c.ip) << c.why;
    EXPECT_EQ(current.route, c.route) << c.why;
    if (r == NodeCheck::Invalid || r == NodeCheck::Duplicate) {
      EXPECT_EQ(current.name, original.name) << c.why;
    } else {
      EXPECT_EQ(current.name, c.typed.nameEdited ? c.typed.name : original.name) << c.why;
    }
  }
}

TEST(AcceptNodeEditor, Messages) {
  EXPECT_STREQ(nodeCheckMessage(NodeCheck::Invalid), "Invalid parameter.");
  EXPECT_STREQ(nodeCheckMessage(NodeCheck::Duplicate), "Already exist.");
  EXPECT_EQ(nodeCheckMessage(NodeCheck::Accepted), nullptr);
  EXPECT_EQ(nodeCheckMessage(NodeCheck::Unchanged), nullptr);
}

TEST(AcceptNodeEditor, TextOfTheMessage) {
  auto typed = [](bool edited, bool storable, const char* character) {
    NodeEditorFields f;
    f.nameEdited = edited;
    f.nameStorable = storable;
    f.unstorableChar = character;
    return f;
  };
  struct Case {
    const char* why;
    NodeCheck result;
    NodeEditorFields fields;
    const char* codePage;
    const char* expected;
  } cases[] = {
      {"a name the code page cannot store names the field, the character and the code page", NodeCheck::Invalid,
       typed(true, false, "\u03A9"), "windows-1252",
       "Invalid parameter.\nName: the character \"\u03A9\" cannot be stored in the code page windows-1252."},
      {"without the character the field and the code page are still named", NodeCheck::Invalid,
       typed(true, false, ""), "Shift_JIS", "Invalid parameter.\nName: the text cannot be stored in the code page Shift_JIS."},
      {"a bad MAC address keeps the message it had", NodeCheck::Invalid, typed(true, true, ""), "Shift_JIS",
       "Invalid parameter."},
      {"a name not edited is never the cause", NodeCheck::Invalid, typed(false, false, "x"), "Shift_JIS",
       "Invalid parameter."},
      {"a duplicate says so alone", NodeCheck::Duplicate, typed(true, true, ""), "Shift_JIS", "Already exist."},
      {"an editor that closes shows nothing", NodeCheck::Accepted, typed(true, true, ""), "Shift_JIS", ""},
      {"nor does an unchanged one", NodeCheck::Unchanged, typed(false, true, ""), "Shift_JIS", ""},
  };
  for (auto& c : cases) EXPECT_EQ(nodeCheckText(c.result, c.fields, c.codePage), c.expected) << c.why;
}

TEST(NodeNameEditFits, TypingStopsAtTheLimitAndNeverCutsALongerName) {
  struct Case {
    const char* why;
    std::size_t before, after;
    bool fits;
  } cases[] = {
      {"typing up to the limit", 31, 32, true},
      {"a character past the limit is refused", 32, 33, false},
      {"a two-byte character with room for one byte is refused", 31, 33, false},
      {"a longer name as it was opened is kept", 40, 40, true},
      {"a longer name may shrink", 40, 39, true},
      {"a longer name never grows", 39, 40, false},
      {"replacing a longer name by a short one", 40, 3, true},
  };
  for (auto& c : cases) EXPECT_EQ(nodeNameEditFits(c.before, c.after), c.fits) << c.why;
  EXPECT_EQ(kMaxNodeNameBytes, 32u);
}

TEST(CommitNewNode, AppendsAddsAndWritesTheNextEntry) {
  testing::TempDir dir;
  NodeTable t(dir.file("s.INI"));
  addKnown(t);
  ASSERT_TRUE(t.SaveNodeList(t.settingsPath()));
  VectorNodeRows rows;
  t.FillRows(rows);
  NodeEntry e = node("New", "00-11-22-AB-CD-EF", "10.171.205.239", 2);
  ASSERT_TRUE(CommitNewNode(t, rows, e));
  EXPECT_EQ(t.usedCount, 3u);
  EXPECT_EQ(t.listedCount, 3u);
  ASSERT_EQ(rows.rows.size(), 3u);
  EXPECT_EQ(rows.rows[2].mac, "00-11-22-AB-CD-EF");
  EXPECT_TRUE(rows.selected.empty());
  EXPECT_EQ(rows.numberText, "   3/1024");
  EXPECT_EQ(ini::getProfileString(t.settingsPath(), "NodeList", "Entry3", ""),
            "2,00-11-22-AB-CD-EF,10.171.205.239,\"New\",");
  // A second node with that MAC never gets in.
  EXPECT_FALSE(CommitNewNode(t, rows, e));
  EXPECT_FALSE(CommitNewNode(t, rows, NodeEntry{}));
  EXPECT_EQ(rows.rows.size(), 3u);
}

TEST(CommitEditedNode, RewritesTheNodesOwnEntry) {
  testing::TempDir dir;
  NodeTable t(dir.file("s.INI"));
  addKnown(t);
  ASSERT_TRUE(t.SaveNodeList(t.settingsPath()));
  VectorNodeRows rows;
  t.FillRows(rows);
  NodeEntry current = rows.row(1);
  int slot = t.FindNodeByMac(current.mac);
  OpenNodeEditor(current, EditModeChange);
  const NodeEntry original = current;
  ASSERT_EQ(AcceptNodeEditor(t, EditModeChange, fields("Roof", {"00", "80", "92", "00", "00", "02"}, {"192", "168", "1", "11"}),
                             original, current),
            NodeCheck::Accepted);
  ASSERT_TRUE(CommitEditedNode(t, rows, 1, slot, current));
  EXPECT_EQ(t.slot(static_cast<std::size_t>(slot)).name, "Roof");
  EXPECT_EQ(t.slot(static_cast<std::size_t>(slot)).route, 0);
  EXPECT_EQ(rows.rows[1].name, "Roof");
  EXPECT_EQ(ini::getProfileString(t.settingsPath(), "NodeList", "Entry2", ""),
            "0,00-80-92-00-00-02,192.168.1.11,\"Roof\",2.01");
  EXPECT_EQ(ini::getProfileString(t.settingsPath(), "NodeList", "Entry1", ""),
            "2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01");
  EXPECT_FALSE(CommitEditedNode(t, rows, 5, slot, current));
  EXPECT_FALSE(CommitEditedNode(t, rows, 1, -1, current));
}

}  // namespace
}  // namespace trennic
