#include "core/registry/node_editor.h"


#include <cstdint>
#include <cstdio>
#include <string_view>

#include "core/app/display_text.h"
#include "core/app/text_scan.h"
#include "core/protocol/addresses.h"

namespace trennic {

namespace {

// One number the way "%X" or "%u" reads it: leading white space, an optional
// sign, digits. A minus wraps the value modulo 2^32 and digits beyond 32 bits
// give the largest value, as the C library does.
bool scanUnsigned(std::string_view s, std::size_t& i, bool hex, std::uint32_t& out) {
  while (i < s.size() && text::isSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (hex && i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && text::hexDigit(s[i + 2]) >= 0)
    i += 2;
  std::size_t start = i;
  std::uint64_t n = 0;
  bool overflow = false;
  for (; i < s.size(); ++i) {
    int d = hex ? text::hexDigit(s[i]) : (text::isDigit(s[i]) ? s[i] - '0' : -1);
    if (d < 0) break;
    n = n * (hex ? 16u : 10u) + static_cast<unsigned>(d);
    if (n > 0xFFFFFFFFull) {
      overflow = true;
      n = 0xFFFFFFFFull;
    }
  }
  if (i == start) return false;
  std::uint32_t v = overflow ? 0xFFFFFFFFu : static_cast<std::uint32_t>(n);
  out = negative && !overflow ? static_cast<std::uint32_t>(0u - v) : v;
  return true;
}

// Reads up to N numbers separated by sep, as sscanf does: it stops at the
// first one that does not read, and the numbers not read stay 0.
template <std::size_t N>
std::array<std::uint32_t, N> scanFields(std::string_view s, char sep, bool hex) {
  std::array<std::uint32_t, N> v{};
  std::size_t i = 0;
  for (std::size_t k = 0; k < N; ++k) {
    if (k > 0) {
      if (i >= s.size() || s[i] != sep) break;
      ++i;
    }
    if (!scanUnsigned(s, i, hex, v[k])) break;
  }
  return v;
}

std::uint32_t fieldValue(const std::string& field, bool hex) {
  std::size_t i = 0;
  std::uint32_t v = 0;
  return scanUnsigned(field, i, hex, v) ? v : 0;
}

std::string decimal(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(v));
  return buf;
}

std::array<std::string, 4> ipFieldsFor(std::uint32_t m3, std::uint32_t m4, std::uint32_t m5) {
  return {"10", decimal(m3 % 256), decimal(m4 % 256), decimal(m5 % 256)};
}

bool anyNode(const NodeTable& table, auto&& match) {
  for (std::size_t i = 0; i < kMaxNodes; ++i)
    if (table.slot(i).used == 1 && match(table.slot(i))) return true;
  return false;
}

}  // namespace

const char* nodeCheckMessage(NodeCheck result) {
  switch (result) {
    case NodeCheck::Invalid:
      return SHOWN("Invalid parameter.");
    case NodeCheck::Duplicate:
      return SHOWN("Already exist.");
    default:
      return nullptr;
  }
}

bool nodeNameEditFits(std::size_t bytesBefore, std::size_t bytesAfter) {
  return bytesAfter <= kMaxNodeNameBytes || bytesAfter <= bytesBefore;
}

bool nodeCheckBlamesName(NodeCheck result, const NodeEditorFields& fields) {
  return result == NodeCheck::Invalid && fields.nameEdited && !fields.nameStorable;
}

std::string nodeCheckText(NodeCheck result, const NodeEditorFields& fields, std::string_view codePage) {
  const char* message = nodeCheckMessage(result);
  if (!message) return {};
  std::string text = message;
  if (nodeCheckBlamesName(result, fields)) {
    text += "\nName: ";
    text += fields.unstorableChar.empty() ? std::string("the text") : "the character \"" + fields.unstorableChar + "\"";
    text += " cannot be stored in the code page ";
    text += codePage;
    text += '.';
  }
  return text;
}

NodeEditorFields OpenNodeEditor(NodeEntry& current, int mode) {
  if (current.mac.empty()) current.mac = kNoMacYet;
  NodeEditorFields f;
  f.name = current.name;
  auto mac = scanFields<6>(current.mac, '-', true);
  for (std::size_t k = 0; k < 6; ++k) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(mac[k]));
    f.mac[k] = buf;
  }
  if (!current.ip.empty()) {
    auto ip = scanFields<4>(current.ip, '.', false);
    for (std::size_t k = 0; k < 4; ++k) f.ip[k] = decimal(ip[k]);
  } else {
    f.ip = ipFieldsFor(mac[3], mac[4], mac[5]);
  }
  f.macEditable = mode != EditModeChange;
  return f;
}

std::array<std::string, 4> defaultIpFields(const std::array<std::string, 6>& macFields) {
  return ipFieldsFor(fieldValue(macFields[3], true), fieldValue(macFields[4], true), fieldValue(macFields[5], true));
}

std::string joinMacFields(const std::array<std::string, 6>& macFields) {
  std::string out;
  for (std::size_t k = 0; k < 6; ++k) {
    if (k > 0) out += '-';
    out += macFields[k];
  }
  return out;
}

std::string ipFromFields(const std::array<std::string, 4>& ipFields) {
  std::string out;
  for (std::size_t k = 0; k < 4; ++k) {
    if (k > 0) out += '.';
    out += decimal(fieldValue(ipFields[k], false) % 256);
  }
  return out;
}

bool nodeNameHasLineBreak(std::string_view name) { return name.find_first_of("\r\n") != std::string_view::npos; }

NodeCheck AcceptNodeEditor(const NodeTable& table, int mode, const NodeEditorFields& fields,
                           const NodeEntry& original, NodeEntry& current) {
  current.name = fields.nameEdited ? fields.name : original.name;
  current.mac = joinMacFields(fields.mac);
  current.ip = ipFromFields(fields.ip);

  auto check = [&]() -> NodeCheck {
    if (fields.nameEdited && (!fields.nameStorable || nodeNameHasLineBreak(fields.name))) return NodeCheck::Invalid;
    auto mac = parseMac(current.mac);
    if (!mac || !isNodeMac(*mac)) return NodeCheck::Invalid;
    current.mac = formatMac(*mac);
    if (mode != EditModeChange) {
      bool taken = anyNode(table, [&](const NodeEntry& s) { return s.mac == current.mac || s.ip == current.ip; });
      return taken ? NodeCheck::Duplicate : NodeCheck::Accepted;
    }
    if (table.FindNodeByMac(current.mac) < 0) return NodeCheck::Invalid;
    bool sameAddresses = current.mac == original.mac && current.ip == original.ip;
    if (sameAddresses && current.name == original.name) return NodeCheck::Unchanged;
    if (sameAddresses) return NodeCheck::Accepted;
    bool taken = anyNode(table, [&](const NodeEntry& s) { return s.mac != current.mac && s.ip == current.ip; });
    return taken ? NodeCheck::Duplicate : NodeCheck::Accepted;
  };

  NodeCheck result = check();
  if (result == NodeCheck::Invalid || result == NodeCheck::Duplicate) {
    current = original;
  } else if (current.ip != original.ip) {
    current.route = RouteUnicast;
  }
  return result;
}

bool CommitNewNode(NodeTable& table, NodeRows& rows, const NodeEntry& node) {
  if (node.mac.empty() || table.listedCount + 1 > kMaxNodes || !table.AddNode(node)) return false;
  table.AppendRow(rows, node);
  NodeEntry& s = table.slot(static_cast<std::size_t>(table.FindNodeByMac(node.mac)));
  s.entryNo = static_cast<std::uint32_t>(table.listedCount);
  table.WriteNodeEntry(table.settingsPath(), s.entryNo, s);
  rows.setNumberText(table.NumberText());
  return true;
}

bool CommitEditedNode(NodeTable& table, NodeRows& rows, std::size_t row, int slot, const NodeEntry& node) {
  if (node.mac.empty() || row >= rows.rowCount() || slot < 0 || static_cast<std::size_t>(slot) >= kMaxNodes) return false;
  NodeEntry& s = table.slot(static_cast<std::size_t>(slot));
  if (s.used != 1) return false;
  s.name = node.name;
  s.mac = node.mac;
  s.ip = node.ip;
  s.version = node.version;
  s.route = node.route;
  rows.setRow(row, node);
  table.RewriteSlot(static_cast<std::size_t>(slot));
  return true;
}

}  // namespace trennic
