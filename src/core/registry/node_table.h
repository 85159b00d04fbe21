#pragma once
// The table of known units: 1024 slots that every window lists units from,
// kept equal to the "NodeList" section of the settings profile at all times.
#include <array>
#include <memory>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/ini_profile.h"
#include "core/protocol/addresses.h"
#include "core/protocol/unit_identity.h"

namespace trennic {



enum NodeRoute : std::int32_t {
  RouteUnknown = 0,
  RouteMulticast = 1,  // answered a request sent to the multicast group
  RouteUnicast = 2,    // answered a request sent to its own IP address
};

constexpr std::size_t kMaxNodes = 1024;
constexpr const char* kNodeListSection = "NodeList";
constexpr const char* kNodeListFileName = "nodelist.txt";

struct NodeEntry {
  std::int32_t used = 0;
  std::int32_t route = RouteUnknown;
  std::string name;
  std::string mac;  // the key: "%02X-%02X-%02X-%02X-%02X-%02X"
  std::string ip;
  std::string version;
  // The n of the key Entry<n> the node was last written under; 0 for none.
  std::uint32_t entryNo = 0;

  void clear() { *this = NodeEntry{}; }
};

// A list view that shows nodes: the Access Point List, the File Management
// unit list, or a plain vector for the command line and the tests. Rows hold
// the four cells name, MAC, IP and version.
class NodeRows {
 public:
  virtual ~NodeRows() = default;
  virtual std::size_t rowCount() const = 0;
  virtual NodeEntry row(std::size_t index) const = 0;  // route 0
  virtual std::string macAt(std::size_t index) const { return row(index).mac; }
  virtual void appendRow(const NodeEntry& entry) = 0;
  virtual void setRow(std::size_t index, const NodeEntry& entry) = 0;
  virtual void removeAllRows() = 0;
  virtual void selectRow(std::size_t index) = 0;
  virtual void setNumberText(const std::string& text) = 0;
};

class VectorNodeRows : public NodeRows {
 public:
  std::size_t rowCount() const override { return rows.size(); }
  std::string macAt(std::size_t i) const override { return rows.at(i).mac; }
  NodeEntry row(std::size_t i) const override;
  void appendRow(const NodeEntry& e) override;
  void setRow(std::size_t i, const NodeEntry& e) override;
  void removeAllRows() override {
    rows.clear();
    selected.clear();
  }
  void selectRow(std::size_t i) override;
  void setNumberText(const std::string& text) override { numberText = text; }

  std::vector<NodeEntry> rows;
  std::vector<std::size_t> selected;
  std::string numberText;
};

// What ResolveNode gives a caller that wants to talk to a unit.
struct ResolvedNode {
  bool found = false;
  MacAddress mac = MacAddress::broadcast();
  std::string label;
  Ipv4 primary = kMulticastGroup;
  Ipv4 alternate = kMulticastGroup;
};

// The value stored under Entry<n>, and back. Escapes are found only outside
// the double-byte characters of the encoding, so a list reads back under the
// code page it was written in.
std::string formatNodeValue(const NodeEntry& entry, TextEncoding encoding);
NodeEntry parseNodeValue(std::string_view value, TextEncoding encoding);

// One reason a node list file cannot be imported: an English display text
// with %1, %2, ... for the key and values it names (bytes of the file), so
// that a front can show it in the user's language.
struct NodeListProblem {
  const char* text;
  std::vector<std::string> args;
};
// The problem in English, its key and values put in.
std::string problemText(const NodeListProblem& problem);

// Why a node list file cannot be imported as it stands; empty when it can.
// Checks what the lenient loader would silently skip or mangle, under the
// profile's encoding.
std::vector<NodeListProblem> checkNodeListFile(const ini::Profile& profile);

class NodeTable {
 public:
  // The encoding is that of the code page in use: it decides how names are
  // escaped in the settings profile and in node list files.
  explicit NodeTable(std::string settingsPath = {}, TextEncoding encoding = TextEncoding::singleByte());

  const std::string& settingsPath() const { return settingsPath_; }
  TextEncoding textEncoding() const { return encoding_; }
  void setSettingsPath(std::string path) { settingsPath_ = std::move(path); }

  void ClearNodes();
  int FindNodeByMac(std::string_view mac) const;
  bool NextNode(std::size_t& index, NodeEntry& out) const;
  bool AddNode(const NodeEntry& entry);
  void RemoveNodeByMac(std::string_view mac);
  bool FindNodeByLabel(std::string_view text, NodeEntry& out) const;
  static std::string NodeLabel(const NodeEntry& entry);
  ResolvedNode ResolveNode(std::string_view text) const;
  ResolvedNode ResolveNode(const NodeRows& rows, std::size_t row) const;
  bool SetNodeRoute(const MacAddress& mac, std::int32_t route);
  // A unit that answers while the table is full is not kept, and counted:
  // each such unit once, however often it answered, until the count is
  // reset (at the start of every search and version query).
  void MergeFoundNode(NodeRows& rows, const UnitIdentity& identity);
  std::size_t unkeptAnswers() const { return unkept_.size(); }
  void resetUnkeptAnswers() { unkept_.clear(); }

  // Reads Entry1, Entry2, ... of the "NodeList" section of path.
  void LoadNodeList(const std::string& path);
  bool WriteNodeEntry(const std::string& path, std::uint32_t number, const NodeEntry& entry);
  bool EraseNodeEntries();
  bool SaveNodeList(const std::string& path);
  void SortNodes(int column, bool descending);
  bool SortAndRelist(NodeRows& rows, int column);
  bool RelistFromRows(NodeRows& rows);

  // Loads the settings profile's list at start-up. A section that does not
  // hold exactly the loaded nodes as Entry1..Entry<n> (a duplicate, a gap, a
  // key beyond the gap) is written back at once, so that later single-key
  // writes can never land on a key that still holds another node.
  void loadFromSettings();

  // Holds every write to the settings profile in memory until the last
  // batch ends, then replaces the file once. A search answered by a
  // thousand units would otherwise rewrite the file thousands of times
  // while the answers wait in the socket.
  class Batch {
   public:
    explicit Batch(NodeTable& t) : t_(t) { t_.beginBatch(); }
    ~Batch() { t_.endBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    NodeTable& t_;
  };
  void beginBatch();
  bool endBatch();
  bool inBatch() const { return batchDepth_ > 0; }

  // True once since the last call when a write of the settings profile
  // failed: a read-only file, a folder in its place, a full disk. Writes
  // happen as side effects (a route learnt, a batch ended by a destructor),
  // so every front asks after each action instead of trusting each return
  // value to reach it. A node list file written elsewhere is reported by the
  // return value of the call that writes it.
  bool takeWriteFailure();

  // List-view helpers shared by the windows that list nodes.
  void FillRows(NodeRows& rows);
  bool AppendRow(NodeRows& rows, const NodeEntry& entry);
  std::string NumberText() const;

  // Adding a node the way the node editor does: row, slot and key.
  bool AddAndRecord(NodeRows& rows, const NodeEntry& entry);
  // Rewrites the key of the node in slot.
  bool RewriteSlot(std::size_t slot);

  const NodeEntry& slot(std::size_t i) const { return slots_[i]; }
  NodeEntry& slot(std::size_t i) { return slots_[i]; }

  int sorting = 0;
  std::array<int, 4> sortDescending{};
  std::size_t listedCount = 0;
  std::size_t usedCount = 0;
  NodeEntry current;

 private:
  bool isSettingsPath(const std::string& path) const;
  bool noteWrite(bool written);
  bool writeFailed_ = false;
  std::vector<std::string> unkept_;  // MAC texts of the units not kept
  TextEncoding encoding_;
  // Applies an edit to the settings profile: in memory during a batch, else
  // loaded, edited and saved at once.
  template <class Edit>
  bool editSettings(Edit&& edit);
  std::unique_ptr<ini::Profile> batch_;
  int batchDepth_ = 0;
  bool canonicalOnLoad_ = true;
  std::string settingsPath_;
  std::array<NodeEntry, kMaxNodes> slots_{};
};

}  // namespace trennic
