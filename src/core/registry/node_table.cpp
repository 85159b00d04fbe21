#include "core/registry/node_table.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/app/display_text.h"
#include "core/app/ini_profile.h"

namespace trennic {

namespace {

std::string entryKey(std::uint32_t n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "Entry%u", n);
  return buf;
}

// A lead byte at the very end of a text has no second byte: half a
// character, which the comma or quote written after it in a value would
// complete, so that the value no longer reads as the node.
std::string_view withoutHalfCharacter(std::string_view text, TextEncoding encoding) {
  std::size_t i = 0, last = 0;
  while (i < text.size()) {
    last = i;
    i += encoding.charLength(text, i);
  }
  if (i - last == 1 && encoding.isLeadByte(static_cast<unsigned char>(text[last]))) text.remove_suffix(1);
  return text;
}

// Leading decimal digits, as "%u" reads them; nothing when there are none.
std::optional<unsigned long long> leadingUnsigned(std::string_view s, std::size_t& i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  std::size_t start = i;
  unsigned long long n = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    n = n * 10 + static_cast<unsigned>(s[i] - '0');
    if (n > 0xFFFFFFFFull) n = 0xFFFFFFFFull + 1;
    ++i;
  }
  if (i == start) return std::nullopt;
  return n;
}

// Texts compared byte by byte as unsigned values, which orders Shift-JIS
// pairs the way a multibyte comparison does.
int compareText(const std::string& a, const std::string& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::optional<std::uint32_t> ipSortKey(const std::string& text) {
  std::size_t i = 0;
  std::uint32_t key = 0;
  for (int k = 0; k < 4; ++k) {
    if (k > 0) {
      if (i >= text.size() || text[i] != '.') return std::nullopt;
      ++i;
    }
    auto n = leadingUnsigned(text, i);
    if (!n) return std::nullopt;
    key = key * 256u + static_cast<std::uint32_t>(*n);
  }
  return key;
}

std::optional<std::uint32_t> versionSortKey(const std::string& text) {
  if (text.empty()) return 0u;
  std::size_t i = 0;
  auto major = leadingUnsigned(text, i);
  if (!major || i >= text.size() || text[i] != '.') return std::nullopt;
  ++i;
  auto minor = leadingUnsigned(text, i);
  if (!minor) return std::nullopt;
  return static_cast<std::uint32_t>((*major % 256) * 256 + (*minor % 256));
}

int compareNodes(const NodeEntry& a, const NodeEntry& b, int column) {
  switch (column) {
    case 0:
      return compareText(a.name, b.name);
    case 1:
      return compareText(a.mac, b.mac);
    case 2: {
      auto x = ipSortKey(a.ip), y = ipSortKey(b.ip);
      if (!x || !y) return compareText(a.ip, b.ip);
      return *x == *y ? 0 : (*x < *y ? -1 : 1);
    }
    default: {
      auto x = versionSortKey(a.version), y = versionSortKey(b.version);
      if (!x || !y) return compareText(a.version, b.version);
      return *x == *y ? 0 : (*x < *y ? -1 : 1);
    }
  }
}

std::string defaultIpFor(const MacAddress& m) {
  return formatIpv4(ipv4FromOctets(10, m.bytes[3], m.bytes[4], m.bytes[5]));
}

}  // namespace

// ---------------------------------------------------------------- rows

NodeEntry VectorNodeRows::row(std::size_t i) const {
  NodeEntry e = rows.at(i);
  e.route = RouteUnknown;
  return e;
}
void VectorNodeRows::appendRow(const NodeEntry& e) { rows.push_back(e); }
void VectorNodeRows::setRow(std::size_t i, const NodeEntry& e) { rows.at(i) = e; }
void VectorNodeRows::selectRow(std::size_t i) {
  if (std::find(selected.begin(), selected.end(), i) == selected.end()) selected.push_back(i);
}

// ---------------------------------------------------------------- values

namespace {

// What the profile reader's buffer holds of a value; a longer value would
// lose its last fields on the next read.
constexpr std::size_t kMaxStoredValue = ini::kValueBuffer - 1;

std::size_t escapedSize(std::string_view name, std::size_t i, std::size_t n) {
  return n + (n == 1 && (name[i] == '"' || name[i] == '\'' || name[i] == '\\') ? 1 : 0);
}

// Cuts the fields, whole characters at a time, until the node's value fits
// the reader's buffer: the name gives way first, then the version, the IP
// address and last the MAC text, by which a unit is found. Only a list from
// elsewhere holds fields this long; the program's own names are far shorter.
void fitStoredValue(NodeEntry& e, TextEncoding encoding) {
  char route[16];
  const std::size_t fixed =
      static_cast<std::size_t>(std::snprintf(route, sizeof route, "%u", static_cast<unsigned>(e.route))) + 6;
  std::size_t name = 0;
  for (std::size_t i = 0; i < e.name.size(); i += encoding.charLength(e.name, i))
    name += escapedSize(e.name, i, encoding.charLength(e.name, i));
  if (fixed + e.mac.size() + e.ip.size() + name + e.version.size() <= kMaxStoredValue) return;
  std::size_t room = kMaxStoredValue - fixed;
  const std::size_t others = e.mac.size() + e.ip.size() + e.version.size();
  if (others <= room) {
    room -= others;
    std::size_t i = 0;
    for (std::size_t used = 0; i < e.name.size();) {
      const std::size_t n = encoding.charLength(e.name, i);
      if (used + escapedSize(e.name, i, n) > room) break;
      used += escapedSize(e.name, i, n);
      i += n;
    }
    e.name.resize(i);
    return;
  }
  e.name.clear();
  e.mac = std::string(encoding.truncate(e.mac, room));
  room -= e.mac.size();
  e.ip = std::string(encoding.truncate(e.ip, room));
  room -= e.ip.size();
  e.version = std::string(encoding.truncate(e.version, room));
}

}  // namespace

std::string formatNodeValue(const NodeEntry& node, TextEncoding encoding) {
  NodeEntry e = node;
  e.name = withoutHalfCharacter(e.name, encoding);
  e.mac = withoutHalfCharacter(e.mac, encoding);
  e.ip = withoutHalfCharacter(e.ip, encoding);
  e.version = withoutHalfCharacter(e.version, encoding);
  fitStoredValue(e, encoding);
  std::string name;
  for (std::size_t i = 0; i < e.name.size();) {
    std::size_t n = encoding.charLength(e.name, i);
    if (escapedSize(e.name, i, n) > n) name.push_back('\\');
    name.append(e.name, i, n);
    i += n;
  }
  char route[16];
  std::snprintf(route, sizeof route, "%u", static_cast<unsigned>(e.route));
  return std::string(route) + "," + e.mac + "," + e.ip + ",\"" + name + "\"," + e.version;
}

namespace {

// The value as a profile file holds it: the reader trims blanks at the ends
// of a value, so one that ends in a blank (a version field taken from a
// foreign list) goes inside quotes, which the reader takes off again.
std::string storedValue(const NodeEntry& e, TextEncoding encoding) {
  return ini::quotedWhereNeeded(formatNodeValue(e, encoding));
}

}  // namespace

NodeEntry parseNodeValue(std::string_view value, TextEncoding encoding) {
  // A value that ends in half a character (cut, or written so by another
  // tool) reads without it, as it is written back without it.
  value = withoutHalfCharacter(value, encoding);
  std::size_t i = 0;
  while (i < value.size() && static_cast<unsigned char>(value[i]) <= 0x20) ++i;
  std::array<std::string, 5> field;
  std::size_t f = 0;
  bool quoted = false;
  // Only the name field is quoted and escaped; a comma inside its quotes
  // belongs to the name.
  while (i < value.size()) {
    char c = value[i];
    std::size_t n = encoding.charLength(value, i);
    if (f == 3) {
      if (n == 2) {
        if (quoted) field[3].append(value.substr(i, 2));
      } else if (c == '\\') {
        if (i + 1 < value.size()) {
          std::size_t m = encoding.charLength(value, i + 1);
          char next = value[i + 1];
          if (quoted && m == 1 && (next == '"' || next == '\\' || next == '\'')) field[3].push_back(next);
          i += 1 + m;
          continue;
        }
      } else if (c == '"') {
        quoted = !quoted;
      } else if (c == ',' && !quoted) {
        ++f;
      } else if (quoted) {
        field[3].push_back(c);
      }
    } else if (n == 1 && c == ',') {
      ++f;
    } else if (f < field.size()) {
      field[f].append(value.substr(i, n));
    }
    i += n;
  }
  NodeEntry e;
  e.used = 1;
  std::size_t pos = 0;
  auto route = leadingUnsigned(field[0], pos);
  e.route = (!route || *route > 2) ? RouteMulticast : static_cast<std::int32_t>(*route);
  e.mac = encoding.toUpperAscii(field[1]);
  e.ip = field[2];
  e.name = field[3];
  e.version = field[4];
  // A node is kept as it will be written back.
  fitStoredValue(e, encoding);
  return e;
}

std::vector<NodeListProblem> checkNodeListFile(const ini::Profile& profile) {
  std::vector<NodeListProblem> problems;
  if (profile.state() == ini::LoadState::Missing) return {{SHOWN("file not found"), {}}};
  if (profile.state() == ini::LoadState::Unreadable) return {{SHOWN("file cannot be read"), {}}};
  if (!profile.hasSection(kNodeListSection)) return {{SHOWN("no [NodeList] section: not a node list file"), {}}};
  std::vector<std::string> macs;
  std::uint32_t n = 1;
  for (; n <= kMaxNodes; ++n) {
    std::string key = entryKey(n);
    std::string value = profile.getString(kNodeListSection, key, "", ini::kValueBuffer);
    if (value.empty()) break;
    NodeEntry e = parseNodeValue(value, profile.encoding());
    auto mac = parseMac(e.mac);
    if (!mac || e.mac != formatMac(*mac)) {
      problems.push_back({SHOWN("%1: bad MAC address \"%2\""), {key, e.mac}});
      continue;
    }
    if (!e.ip.empty() && !parseIpv4(e.ip)) problems.push_back({SHOWN("%1: bad IP address \"%2\""), {key, e.ip}});
    if (std::find(macs.begin(), macs.end(), e.mac) != macs.end())
      problems.push_back({SHOWN("%1: MAC address %2 is listed twice"), {key, e.mac}});
    macs.push_back(e.mac);
  }
  // The loader stops at the first missing number; what lies beyond would
  // be dropped without a word.
  std::size_t read = n - 1;
  for (const auto& key : profile.keys(kNodeListSection)) {
    unsigned k = 0;
    char tail = 0;
    bool isEntry = std::sscanf(key.c_str(), "%*1[Ee]%*1[Nn]%*1[Tt]%*1[Rr]%*1[Yy]%u%c", &k, &tail) == 1;
    if (!isEntry || k == 0 || k > read) problems.push_back({SHOWN("%1: not part of the numbered list Entry1..Entry%2"), {key, std::to_string(read)}});
  }
  return problems;
}

std::string problemText(const NodeListProblem& problem) {
  std::string out;
  for (const char* c = problem.text; *c; ++c) {
    const std::size_t n = c[0] == '%' && c[1] >= '1' && c[1] <= '9' ? static_cast<std::size_t>(c[1] - '1') : problem.args.size();
    if (n < problem.args.size()) {
      out += problem.args[n];
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

// ---------------------------------------------------------------- table

NodeTable::NodeTable(std::string settingsPath, TextEncoding encoding)
    : encoding_(encoding), settingsPath_(std::move(settingsPath)) {}

template <class Edit>
bool NodeTable::editSettings(Edit&& edit) {
  if (batch_) {
    edit(*batch_);
    return true;
  }
  ini::Profile p = ini::Profile::load(settingsPath_, encoding_);
  edit(p);
  return noteWrite(p.save(settingsPath_));
}

bool NodeTable::noteWrite(bool written) {
  if (!written) writeFailed_ = true;
  return written;
}

bool NodeTable::takeWriteFailure() {
  bool failed = writeFailed_;
  writeFailed_ = false;
  return failed;
}

void NodeTable::beginBatch() {
  if (batchDepth_++ == 0) batch_ = std::make_unique<ini::Profile>(ini::Profile::load(settingsPath_, encoding_));
}

bool NodeTable::endBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0) return true;
  std::unique_ptr<ini::Profile> p = std::move(batch_);
  return noteWrite(p->save(settingsPath_));
}

void NodeTable::ClearNodes() {
  for (auto& s : slots_) s.clear();
  usedCount = 0;
}

int NodeTable::FindNodeByMac(std::string_view mac) const {
  for (std::size_t i = 0; i < kMaxNodes; ++i)
    if (slots_[i].used == 1 && slots_[i].mac == mac) return static_cast<int>(i);
  return -1;
}

bool NodeTable::NextNode(std::size_t& index, NodeEntry& out) const {
  for (; index < kMaxNodes; ++index) {
    if (slots_[index].used == 1) {
      out = slots_[index];
      ++index;
      return true;
    }
  }
  return false;
}

bool NodeTable::AddNode(const NodeEntry& e) {
  if (usedCount + 1 > kMaxNodes || e.mac.empty() || FindNodeByMac(e.mac) >= 0) return false;
  for (auto& s : slots_) {
    if (s.used == 1) continue;
    s = e;
    s.used = 1;
    s.entryNo = 0;
    ++usedCount;
    return true;
  }
  return false;
}

void NodeTable::RemoveNodeByMac(std::string_view mac) {
  int i = FindNodeByMac(mac);
  if (i < 0) return;
  slots_[static_cast<std::size_t>(i)].used = 0;
  slots_[static_cast<std::size_t>(i)].mac.clear();
  if (usedCount > 0) --usedCount;
}

std::string NodeTable::NodeLabel(const NodeEntry& e) { return e.name.empty() ? e.mac + ", " + e.ip : e.name; }

bool NodeTable::FindNodeByLabel(std::string_view text, NodeEntry& out) const {
  for (const auto& s : slots_) {
    if (s.used != 1) continue;
    if (s.name == text || s.mac + ", " + s.ip == text) {
      out = s;
      return true;
    }
  }
  return false;
}

ResolvedNode NodeTable::ResolveNode(std::string_view text) const {
  ResolvedNode r;
  NodeEntry e;
  if (!FindNodeByLabel(text, e)) return r;
  r.found = true;
  r.mac = parseMac(e.mac).value_or(MacAddress::broadcast());
  r.label = NodeLabel(e);
  Ipv4 node = parseIpv4(e.ip).value_or(kMulticastGroup);
  if (e.route == RouteMulticast) {
    r.primary = kMulticastGroup;
    r.alternate = node;
  } else {
    r.primary = node;
    r.alternate = kMulticastGroup;
  }
  return r;
}

ResolvedNode NodeTable::ResolveNode(const NodeRows& rows, std::size_t row) const {
  NodeEntry e = rows.row(row);
  return ResolveNode(e.mac + ", " + e.ip);
}

bool NodeTable::SetNodeRoute(const MacAddress& mac, std::int32_t route) {
  int i = FindNodeByMac(formatMac(mac));
  if (i < 0) return false;
  NodeEntry& s = slots_[static_cast<std::size_t>(i)];
  if (s.route == route) return false;
  s.route = route;
  RewriteSlot(static_cast<std::size_t>(i));
  return true;
}

void NodeTable::MergeFoundNode(NodeRows& rows, const UnitIdentity& id) {
  current.clear();
  // A broadcast, group or empty address is no unit's own: such a node would
  // send every later request through the group to every unit at once.
  if (!isUnitMac(id.macAddress)) return;
  current.mac = formatMac(id.macAddress);
  current.ip = formatIpv4(id.ipAddress);
  current.version = formatVersion(id.firmwareVersion, id.unitType);
  int k = FindNodeByMac(current.mac);
  if (k < 0) {
    if (!AddAndRecord(rows, current) && std::find(unkept_.begin(), unkept_.end(), current.mac) == unkept_.end())
      unkept_.push_back(current.mac);
    return;
  }
  NodeEntry& s = slots_[static_cast<std::size_t>(k)];
  current.name = s.name;
  std::int32_t route = s.route;
  switch (s.route) {
    case RouteUnknown:
      if (current.ip != defaultIpFor(id.macAddress)) route = RouteUnicast;
      break;
    case RouteMulticast:
      route = RouteUnicast;
      break;
    case RouteUnicast:
      if (current.ip != s.ip) route = RouteUnknown;
      break;
    default:
      break;
  }
  current.route = route;
  s.name = current.name;
  s.mac = current.mac;
  s.ip = current.ip;
  s.version = current.version;
  s.route = route;
  RewriteSlot(static_cast<std::size_t>(k));
  for (std::size_t r = 0; r < rows.rowCount(); ++r) {
    if (rows.macAt(r) == current.mac) {
      rows.setRow(r, current);
      rows.selectRow(r);
      break;
    }
  }
}

bool NodeTable::AddAndRecord(NodeRows& rows, const NodeEntry& entry) {
  if (listedCount + 1 > kMaxNodes || !AddNode(entry)) return false;
  AppendRow(rows, entry);
  int k = FindNodeByMac(entry.mac);
  NodeEntry& s = slots_[static_cast<std::size_t>(k)];
  s.entryNo = static_cast<std::uint32_t>(listedCount);
  WriteNodeEntry(settingsPath_, s.entryNo, s);
  rows.setNumberText(NumberText());
  rows.selectRow(rows.rowCount() - 1);
  return true;
}

bool NodeTable::RewriteSlot(std::size_t i) {
  NodeEntry& s = slots_[i];
  if (s.entryNo == 0) return false;
  return WriteNodeEntry(settingsPath_, s.entryNo, s);
}

// ---------------------------------------------------------------- persistence

void NodeTable::LoadNodeList(const std::string& path) {
  ClearNodes();
  ini::Profile p = ini::Profile::load(path, encoding_);
  std::uint32_t n = 1;
  bool canonical = true;
  for (; n <= kMaxNodes; ++n) {
    std::string value = p.getString(kNodeListSection, entryKey(n), "", ini::kValueBuffer);
    if (value.empty()) break;
    NodeEntry e = parseNodeValue(value, encoding_);
    if (AddNode(e)) {
      slots_[static_cast<std::size_t>(FindNodeByMac(e.mac))].entryNo = n;
    } else {
      canonical = false;
    }
  }
  // Keys the loader never reached also break the rule that the section
  // holds exactly the listed nodes.
  if (canonical) canonical = p.keys(kNodeListSection).size() == usedCount;
  canonicalOnLoad_ = canonical;
}

void NodeTable::loadFromSettings() {
  LoadNodeList(settingsPath_);
  if (!canonicalOnLoad_) SaveNodeList(settingsPath_);
}

bool NodeTable::WriteNodeEntry(const std::string& path, std::uint32_t number, const NodeEntry& e) {
  std::string key = entryKey(number);
  if (isSettingsPath(path)) {
    return editSettings([&](ini::Profile& p) {
      if (e.mac.empty()) {
        p.removeKey(kNodeListSection, key);
      } else {
        p.setString(kNodeListSection, key, storedValue(e, encoding_));
      }
    });
  }
  if (e.mac.empty()) return ini::deleteProfileKey(path, kNodeListSection, key, encoding_);
  return ini::writeProfileString(path, kNodeListSection, key, storedValue(e, encoding_), encoding_);
}

bool NodeTable::EraseNodeEntries() {
  if (!batch_ && ini::Profile::load(settingsPath_, encoding_).state() == ini::LoadState::Missing) return true;
  return editSettings([&](ini::Profile& p) {
    for (std::uint32_t n = 1; n <= usedCount; ++n) p.removeKey(kNodeListSection, entryKey(n));
  });
}

bool NodeTable::isSettingsPath(const std::string& path) const {
  if (path == settingsPath_) return true;
#ifdef _WIN32
  if (ini::namesEqual(path, settingsPath_, encoding_)) return true;
#endif
  std::error_code ec;
  return std::filesystem::equivalent(path, settingsPath_, ec);
}

bool NodeTable::SaveNodeList(const std::string& path) {
  // A node list file holds only the list; the settings profile keeps its
  // other sections, and its list section holds exactly the written keys.
  bool intoSettings = isSettingsPath(path);
  auto writeList = [&](ini::Profile& p) {
    if (intoSettings)
      for (const auto& key : p.keys(kNodeListSection)) p.removeKey(kNodeListSection, key);
    p.ensureSection(kNodeListSection);
    std::uint32_t n = 0;
    for (auto& s : slots_) {
      if (s.used != 1) continue;
      p.setString(kNodeListSection, entryKey(++n), storedValue(s, encoding_));
      if (intoSettings) s.entryNo = n;
    }
  };
  if (intoSettings) return editSettings(writeList);
  ini::Profile p(encoding_);
  writeList(p);
  return p.save(path);
}

void NodeTable::SortNodes(int column, bool descending) {
  for (std::size_t i = 0; i + 1 < kMaxNodes; ++i) {
    for (std::size_t j = i + 1; j < kMaxNodes; ++j) {
      if (slots_[i].used != 1 || slots_[j].used != 1) continue;
      int c = compareNodes(slots_[i], slots_[j], column);
      if (descending ? c < 0 : c > 0) std::swap(slots_[i], slots_[j]);
    }
  }
}

bool NodeTable::SortAndRelist(NodeRows& rows, int column) {
  if (column < 0 || column > 3) return true;
  sorting = 1;
  SortNodes(column, sortDescending[static_cast<std::size_t>(column)] != 0);
  listedCount = 0;
  rows.removeAllRows();
  const bool written = editSettings([&](ini::Profile& p) {
    for (std::uint32_t n = 1; n <= usedCount; ++n) p.removeKey(kNodeListSection, entryKey(n));
    for (auto& s : slots_) {
      if (s.used != 1 || !AppendRow(rows, s)) continue;
      s.entryNo = static_cast<std::uint32_t>(listedCount);
      p.setString(kNodeListSection, entryKey(s.entryNo), storedValue(s, encoding_));
    }
  });
  sortDescending[static_cast<std::size_t>(column)] ^= 1;
  sorting = 0;
  return written;
}

bool NodeTable::RelistFromRows(NodeRows& rows) {
  listedCount = 0;
  return editSettings([&](ini::Profile& p) {
    for (std::size_t r = 0; r < rows.rowCount() && r < kMaxNodes; ++r) {
      NodeEntry e = rows.row(r);
      if (e.mac.empty()) break;
      ++listedCount;
      e.route = RouteUnknown;
      p.setString(kNodeListSection, entryKey(static_cast<std::uint32_t>(listedCount)), storedValue(e, encoding_));
      int k = FindNodeByMac(e.mac);
      if (k >= 0) slots_[static_cast<std::size_t>(k)].entryNo = static_cast<std::uint32_t>(listedCount);
    }
  });
}

// ---------------------------------------------------------------- list helpers

std::string NodeTable::NumberText() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%4u/%4u", static_cast<unsigned>(usedCount), static_cast<unsigned>(kMaxNodes));
  return buf;
}

bool NodeTable::AppendRow(NodeRows& rows, const NodeEntry& e) {
  if (listedCount + 1 > kMaxNodes) return false;
  rows.appendRow(e);
  ++listedCount;
  return true;
}

void NodeTable::FillRows(NodeRows& rows) {
  rows.removeAllRows();
  listedCount = 0;
  for (const auto& s : slots_)
    if (s.used == 1) AppendRow(rows, s);
  sortDescending = {};
  sorting = 0;
  rows.setNumberText(NumberText());
}

}  // namespace trennic
