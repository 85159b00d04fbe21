#include "core/filters/filter_files.h"
#include "core/app/text_scan.h"

#include <array>
#include <cstdio>
#include <limits>

namespace trennic {

namespace {

using text::foldAscii;
using text::hexDigit;
using text::isDigit;
using text::isSpace;

// ------------------------------------------------------------ number reading


// Values too large for 32 bits stay at the largest one, so that a long run
// of digits never wraps round into a small, meaningful number.
constexpr std::uint64_t kMaxRead = std::numeric_limits<std::uint32_t>::max();

// A decimal number the way "%u" reads one: leading white space, at least one
// digit, and whatever follows the digits ignored.
std::optional<std::uint32_t> readUnsigned(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && isSpace(s[i])) ++i;
  std::size_t start = i;
  std::uint64_t n = 0;
  for (; i < s.size() && isDigit(s[i]); ++i) n = std::min(n * 10 + static_cast<unsigned>(s[i] - '0'), kMaxRead);
  if (i == start) return std::nullopt;
  return static_cast<std::uint32_t>(n);
}

// Hexadecimal digits from the start of s; at least one.
std::optional<std::uint32_t> readHexDigits(std::string_view s) {
  std::size_t i = 0;
  std::uint64_t n = 0;
  for (int d; i < s.size() && (d = hexDigit(s[i])) >= 0; ++i) n = std::min(n * 16 + static_cast<unsigned>(d), kMaxRead);
  if (i == 0) return std::nullopt;
  return static_cast<std::uint32_t>(n);
}

std::optional<std::uint16_t> readRangePart(std::string_view part) {
  std::optional<std::uint32_t> v;
  if (part.size() >= 3 && part[0] == '0' && (part[1] == 'x' || part[1] == 'X'))
    v = readHexDigits(part.substr(2));
  else
    v = readUnsigned(part);
  if (!v) return std::nullopt;
  return static_cast<std::uint16_t>(*v);
}

// ------------------------------------------------------------------ fields

// The value split at commas into at most N fields; an empty field, or one
// the value doesn't reach, is absent. Text past the Nth field is not looked at.
template <std::size_t N>
std::array<std::optional<std::string_view>, N> splitFields(std::string_view value) {
  std::array<std::optional<std::string_view>, N> out{};
  std::size_t start = 0;
  for (std::size_t k = 0; k < N; ++k) {
    std::size_t comma = value.find(',', start);
    std::string_view f = value.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (!f.empty()) out[k] = f;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

// The access digit of the last field: 0 and 2 are taken, anything else is
// permission.
int accessField(const std::optional<std::string_view>& field) {
  if (!field) return AccessPermit;
  auto n = readUnsigned(*field);
  if (n && *n == AccessDisabled) return AccessDisabled;
  if (n && *n == AccessRefuse) return AccessRefuse;
  return AccessPermit;
}

// A number from 1 to 3 in an optional field.
std::optional<unsigned> oneToThree(const std::optional<std::string_view>& field) {
  if (!field) return std::nullopt;
  auto n = readUnsigned(*field);
  if (n && *n >= 1 && *n <= 3) return *n;
  return std::nullopt;
}

// --------------------------------------------------------------- writing

std::string switchWord(std::uint16_t v) {
  // A unit may hold a value the word list lacks; it is written as its number.
  if (v < kSwitchWords.size()) return std::string(kSwitchWords[v]);
  return std::to_string(v);
}

// The head switch read back: the index of the matching word, or nothing.
std::optional<std::uint16_t> switchIndex(std::string_view text, TextEncoding encoding) {
  for (std::size_t i = 0; i < kSwitchWords.size(); ++i)
    if (ini::namesEqual(text, kSwitchWords[i], encoding)) return static_cast<std::uint16_t>(i);
  return std::nullopt;
}

std::string hex4(std::uint16_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(v));
  return buf;
}

std::string rangeText(std::uint16_t low, std::uint16_t high) {
  return std::to_string(low) + "-" + std::to_string(high);
}

std::string entryKey(const char* prefix, std::size_t number) { return prefix + std::to_string(number); }

bool startsWithNoCase(std::string_view text, std::string_view prefix, TextEncoding encoding) {
  return text.size() >= prefix.size() && ini::namesEqual(text.substr(0, prefix.size()), prefix, encoding);
}

// The entry scanner drops every character up to a blank at the ends of a
// line, control characters as well.
std::string_view trimControls(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20) --e;
  return s.substr(b, e - b);
}

// Entry keys a section already holds would be read back as entries of the
// table, since the reader takes every key with the prefix, after whatever
// control characters stand before it.
void removeEntryKeys(ini::Profile& profile, const char* section, const char* prefix) {
  for (const std::string& key : profile.keys(section))
    if (startsWithNoCase(trimControls(key), prefix, profile.encoding())) profile.removeKey(section, key);
}

struct SectionKeys {
  const char* section;
  const char* filterOn;
  const char* otherAccess;
  const char* entryPrefix;
};
constexpr SectionKeys kMacKeys = {kMacFilterSection, filterkey::MacFilterOn, filterkey::MacOtherAccess,
                                  filterkey::MacEntry};
constexpr SectionKeys kProtocolKeys = {kProtocolFilterSection, filterkey::ProtocolFilterOn,
                                       filterkey::ProtocolOtherAccess, filterkey::ProtocolEntry};

template <class Block, class Format>
void writeSection(ini::Profile& profile, const SectionKeys& keys, Block block, int displayLevel, Format format) {
  profile.setString(keys.section, keys.filterOn, switchWord(block.filterOn()));
  if (displayLevel >= kFilterDetailLevel)
    profile.setString(keys.section, keys.otherAccess, switchWord(block.otherAccess()));
  else
    profile.removeKey(keys.section, keys.otherAccess);
  removeEntryKeys(profile, keys.section, keys.entryPrefix);
  std::size_t used = block.usedCount();
  for (std::size_t i = 0; i < used; ++i)
    profile.setString(keys.section, entryKey(keys.entryPrefix, i + 1), format(block.entry(i), displayLevel));
  if (used == 0) {
    // The section header must exist even when it holds no entries.
    profile.setString(keys.section, keys.entryPrefix, "");
    profile.removeKey(keys.section, keys.entryPrefix);
  }
}

template <class Block, class Format>
int writeFile(const std::string& path, const SectionKeys& keys, Block block, bool deleteFirst, int displayLevel,
              TextEncoding encoding, Format format) {
  // Starting from nothing and replacing the file in one rename does what
  // deleting it first would, without a moment in which the file is gone.
  ini::Profile profile = deleteFirst ? ini::Profile(encoding) : ini::Profile::load(path, encoding);
  writeSection(profile, keys, block, displayLevel, format);
  return profile.save(path) ? 1 : 0;
}

// --------------------------------------------------------------- scanning

// Lines longer than this are cut; the rest of such a line is not read.
constexpr std::size_t kMaxLineLength = 254;

// Calls onValue(value) for the value of every entry line of the section, in
// file order, until it returns false. The lines are those of the section as
// the profile reader finds it (the first of the name, up to the next section
// header), so the entries are read from where the writer puts them, whatever
// other lines with brackets, line ends or copies of the section the file has.
template <class OnValue>
void scanEntries(const ini::Profile& profile, std::string_view section, std::string_view prefix,
                 bool skipLeadingBlanks, TextEncoding encoding, OnValue onValue) {
  auto lines = profile.sectionLines(section);
  if (!lines) return;
  for (std::size_t i = lines->first; i < lines->second; ++i) {
    // A line is read as far as a C reader's line buffer holds it.
    std::string_view raw = std::string_view(profile.lineText(i)).substr(0, kMaxLineLength);
    // Text ends at a NUL byte as it would in the line buffer of a C reader.
    raw = raw.substr(0, raw.find('\0'));
    raw = raw.substr(0, raw.find('#'));
    std::string_view t = trimControls(raw);
    if (!startsWithNoCase(t, prefix, encoding)) continue;
    std::size_t eq = t.find('=', prefix.size());
    if (eq == std::string_view::npos) continue;
    std::string_view value = t.substr(eq + 1);
    if (skipLeadingBlanks)
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    if (value.empty()) continue;
    if (!onValue(value)) return;
  }
}

template <class Block>
int readSection(const std::string& path, const SectionKeys& keys, Block block, int displayLevel,
                TextEncoding encoding, std::uint16_t otherAccessStart, bool skipLeadingBlanks, auto parse) {
  block.clear();
  block.setOtherAccess(otherAccessStart);
  ini::Profile profile = ini::Profile::load(path, encoding);
  if (auto on = switchIndex(profile.getString(keys.section, keys.filterOn, "", ini::kValueBuffer), encoding))
    block.setFilterOn(*on);
  if (displayLevel >= kFilterDetailLevel)
    if (auto other = switchIndex(profile.getString(keys.section, keys.otherAccess, "", ini::kValueBuffer), encoding))
      block.setOtherAccess(*other);

  // Only a plain file is read (the profile reader reads no other): a folder,
  // a device or a pipe never is a filter file, and some of them would never
  // end.
  if (profile.state() != ini::LoadState::Loaded) return kFilterFileMissing;
  scanEntries(profile, keys.section, keys.entryPrefix, skipLeadingBlanks, encoding, [&](std::string_view value) {
    if (auto e = parse(value)) block.append(*e);
    // Once the table is full no further line can change it.
    return !block.isFull();
  });
  return kFilterFileRead;
}

}  // namespace

// ------------------------------------------------------------ public: values

std::optional<NumberRange> ParseNumberRange(std::string_view text) {
  std::size_t dash = text.find('-');
  auto first = readRangePart(text.substr(0, dash));
  if (!first) return std::nullopt;
  if (dash == std::string_view::npos) return NumberRange{*first, *first};
  auto second = readRangePart(text.substr(dash + 1));
  if (!second) return std::nullopt;
  return NumberRange{std::min(*first, *second), std::max(*first, *second)};
}

std::string formatMacFilterValue(const MacFilterEntry& e, int displayLevel) {
  std::string out = formatMac(e.address1);
  if (e.isRange()) out += "," + formatMac(e.address2);
  // The access is always the third field, so a single address leaves the
  // second one empty.
  if (displayLevel >= kFilterDetailLevel) out += (e.isRange() ? "," : ",,") + std::to_string(e.access());
  return out;
}

std::string formatProtocolFilterValue(const ProtocolFilterEntry& e, int displayLevel) {
  using namespace protoflag;
  std::string type;
  if (e.flags & EtherRange)
    type = hex4(e.etherLow) + "-" + hex4(e.etherHigh);
  else if ((e.flags & EtherNumber) && e.etherLow == 0)
    type = hex4(0);  // the number 0, not the 802.3 entry
  else if (const auto* n = findNamedValue(etherTypeNames(), e.etherLow))
    type = std::string(n->fileName);
  else
    type = hex4(e.etherLow);

  bool protocolWritten = e.ipProtocolApplies() && !(e.flags & AllProtocols);
  std::string protocol;
  if (protocolWritten) {
    if (e.flags & ProtoRange)
      protocol = rangeText(e.protoLow, e.protoHigh);
    else if (const auto* n = findNamedValue(ipProtocolNames(), e.protoLow))
      protocol = std::string(n->fileName);
    else
      protocol = std::to_string(e.protoLow);
  }

  bool portWritten = protocolWritten && coversTcpOrUdp(e.protoLow, e.protoHigh) && !(e.flags & AllPorts);
  std::string port;
  if (portWritten) port = (e.flags & PortRange) ? rangeText(e.portLow, e.portHigh) : std::to_string(e.portLow);

  std::string out = type + "," + protocol + "," + port;
  if (displayLevel >= kFilterDetailLevel) {
    out += "," + std::to_string(portWritten ? e.portSide() : unsigned{PortEither});
    out += "," + std::to_string(e.iface);
    out += "," + std::to_string(e.access());
  }
  return out;
}

MacFilterEntry parseMacFilterValue(std::string_view value) {
  auto f = splitFields<3>(value);
  MacAddress a1;
  if (f[0])
    if (auto m = parseMac(*f[0])) a1 = *m;
  MacAddress a2 = a1;
  if (f[1])
    if (auto m = parseMac(*f[1])) a2 = *m;
  MacFilterEntry e = MacFilterEntry::make(a1, a2, true, AccessPermit);
  // The access starts from both bits set, so a disabled entry keeps bit 1.
  e.flags = static_cast<std::uint16_t>(flagsWithAccess(e.flags, accessField(f[2])));
  return e;
}

std::optional<ProtocolFilterEntry> parseProtocolFilterValue(std::string_view value) {
  using namespace protoflag;
  auto f = splitFields<6>(value);
  ProtocolFilterEntry e;

  if (!f[0]) return std::nullopt;
  if (const auto* n = findNamedValue(etherTypeNames(), *f[0])) {
    e.etherLow = e.etherHigh = n->value;
  } else {
    auto r = ParseNumberRange(*f[0]);
    if (!r) return std::nullopt;
    e.etherLow = r->low;
    e.etherHigh = r->high;
    e.flags |= EtherNumber;
    if (r->isRange())
      e.flags |= EtherRange;
    else if (findNamedValue(etherTypeNames(), r->low) && r->low != 0)
      e.flags &= ~EtherNumber;  // a named type given as its number is that name
  }

  bool portRead = false;
  if (e.ipProtocolApplies()) {
    if (f[1]) {
      if (const auto* n = findNamedValue(ipProtocolNames(), *f[1])) {
        e.protoLow = e.protoHigh = n->value;
      } else {
        auto r = ParseNumberRange(*f[1]);
        if (!r) return std::nullopt;
        e.protoLow = r->low;
        e.protoHigh = r->high;
        e.flags |= ProtoNumber;
        if (r->isRange())
          e.flags |= ProtoRange;
        else if (findNamedValue(ipProtocolNames(), r->low))
          e.flags &= ~ProtoNumber;
      }
    } else {
      e.flags |= AllProtocols;
    }
    if (coversTcpOrUdp(e.protoLow, e.protoHigh)) {
      if (f[2]) {
        auto r = ParseNumberRange(*f[2]);
        if (!r) return std::nullopt;
        e.portLow = r->low;
        e.portHigh = r->high;
        if (r->isRange()) e.flags |= PortRange;
        e.flags |= PortGiven;
        portRead = true;
      } else {
        e.flags |= AllPorts;
      }
    }
  }

  unsigned side = PortEither;
  if (portRead)
    if (auto s = oneToThree(f[3])) side = *s;
  e.setPortSide(side);
  e.iface = InterfaceAll;
  if (auto i = oneToThree(f[4])) e.iface = static_cast<std::uint16_t>(*i);
  e.flags = flagsWithAccess(e.flags | kAccessMask, accessField(f[5]));
  return e;
}

// ------------------------------------------------------------ public: files

void WriteMacFilterSection(ini::Profile& profile, ConstMacFilterBlock block, int displayLevel) {
  writeSection(profile, kMacKeys, block, displayLevel, formatMacFilterValue);
}

void WriteProtocolFilterSection(ini::Profile& profile, ConstProtocolFilterBlock block, int displayLevel) {
  writeSection(profile, kProtocolKeys, block, displayLevel, formatProtocolFilterValue);
}

int WriteMacFilterSection(const std::string& path, ConstMacFilterBlock block, bool deleteFirst, int displayLevel,
                          TextEncoding encoding) {
  return writeFile(path, kMacKeys, block, deleteFirst, displayLevel, encoding, formatMacFilterValue);
}

int WriteProtocolFilterSection(const std::string& path, ConstProtocolFilterBlock block, bool deleteFirst,
                               int displayLevel, TextEncoding encoding) {
  return writeFile(path, kProtocolKeys, block, deleteFirst, displayLevel, encoding, formatProtocolFilterValue);
}

int ReadMacFilterSection(const std::string& path, MacFilterBlock block, int displayLevel, TextEncoding encoding) {
  // Unmatched traffic is let through unless the file says otherwise.
  return readSection(path, kMacKeys, block, displayLevel, encoding, 1, false,
                     [](std::string_view v) { return std::optional<MacFilterEntry>(parseMacFilterValue(v)); });
}

int ReadProtocolFilterSection(const std::string& path, ProtocolFilterBlock block, int displayLevel,
                              TextEncoding encoding) {
  // Unmatched traffic is refused unless the file says otherwise.
  return readSection(path, kProtocolKeys, block, displayLevel, encoding, 0, true, parseProtocolFilterValue);
}

}  // namespace trennic
