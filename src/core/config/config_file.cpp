#include "core/config/config_file.h"
#include "core/app/text_scan.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "core/app/ini_profile.h"
#include "core/filters/filter_files.h"

namespace trennic {

namespace {

using text::foldAscii;
using text::hexDigit;
using text::isDigit;
using text::isSpace;

// Word tables, index = field value. An empty word names no value: it is never
// written and never matched.
constexpr std::string_view kSwitchTable[] = {"Disabled", "Enabled"};
constexpr std::string_view kModeWords[] = {"ADHOC", "Infrastructure", "", "", "Compatible", "Advanced"};
constexpr std::string_view kRateWords[] = {"1M", "2M", "1M/2M", "5.5M", "11M", "Auto"};
constexpr std::string_view kUnitTypeWords[] = {"AP", "STA"};
constexpr std::string_view kAccessWords[] = {"ReadOnly", "ReadWrite"};
constexpr std::string_view kDestinationWords[] = {"Unicast", "Broardcast"};

using Words = std::span<const std::string_view>;

enum class Kind {
  Ip,
  Word,
  Number,
  ScrambleKey,
  Text,
  ChannelFree,
  ChannelNo,
  CompatiMac,
  Priority,         // "RoamPriApMac1" .. "RoamPriApMac5"
  Wep,              // "WepKeySize1", "WepKey1" .. "WepKeySize4", "WepKey4"
  MacFilters,       // the "AP Login Filter Tables" section goes here
  ProtocolFilters,  // the "Protocol Filter Tables" section goes here
};

struct Entry {
  const char* key;
  Kind kind;
  std::size_t offset = 0;
  Words words = {};
  std::size_t fieldSize = 0;     // texts: the field, NUL included
  std::size_t maxRead = 0;       // texts: the longest text a file may set
  const char* missing = nullptr; // texts: the text of a missing key
};

// The keys in the order the writer creates them; the reader goes the same way.
constexpr Entry kEntries[] = {
    {"IPAddress", Kind::Ip, cfg::IPAddress},
    {"SubnetMask", Kind::Ip, cfg::SubnetMask},
    {"DefaultGateway", Kind::Ip, cfg::DefaultGateway},
    {"ModeSw", Kind::Word, cfg::ModeSw, kSwitchTable},
    {"NetworkMode", Kind::Word, cfg::NetworkMode, kModeWords},
    {"UnitType", Kind::Word, cfg::UnitType, kUnitTypeWords},
    {"Scramble", Kind::Word, cfg::Scramble, kSwitchTable},
    {"ScrambleVersion", Kind::Number, cfg::ScrambleVersion},
    {"ScrambleKey", Kind::ScrambleKey, cfg::ScrambleKey},
    {"ESSID", Kind::Text, cfg::ESSID, {}, cfg::ESSIDSize, 32, "LocalGroup"},
    {"TxRate", Kind::Word, cfg::TxRate, kRateWords},
    {"ChannelFree", Kind::ChannelFree, cfg::ChannelCount},
    {"ChannelNo", Kind::ChannelNo, cfg::Channels},
    {"SwDestAddrType", Kind::Word, cfg::SwDestAddrType, kDestinationWords},
    {"CompatiStaMac", Kind::CompatiMac, cfg::CompatiStaMac},
    {"CompatiStaAgeTime", Kind::Number, cfg::CompatiStaAgeTime},
    {"WlFirmTimeOut", Kind::Number, cfg::WlFirmTimeOut},
    {"ApRateBasic", Kind::Number, cfg::ApRateBasic},
    {"ApRateSupported", Kind::Number, cfg::ApRateSupported},
    {"ApRateTaRateCtrl", Kind::Number, cfg::ApRateTaRateCtrl},
    {"RoamExtendCtrl", Kind::Word, cfg::RoamExtendCtrl, kSwitchTable},
    {"RoamRoamingThreshold", Kind::Number, cfg::RoamRoamingThreshold},
    {"RoamSampligTime", Kind::Number, cfg::RoamSampligTime},
    {"RoamPriApMac%u", Kind::Priority, cfg::PriorityAps},
    {"RoamPriApOther", Kind::Word, cfg::RoamPriApOther, kSwitchTable},
    {"ApAgeTime", Kind::Number, cfg::ApAgeTime},
    {"ApAnyIDBlock", Kind::Word, cfg::ApAnyIDBlock, kSwitchTable},
    {"Wep", Kind::Word, cfg::Wep, kSwitchTable},
    {"WepVersion", Kind::Number, cfg::WepVersion},
    {"WepDefTxKey", Kind::Number, cfg::WepDefTxKey},
    {"WepKey%u", Kind::Wep, cfg::WepKeys},
    {"SpeedThreshold", Kind::Word, cfg::SpeedThreshold, kSwitchTable},
    {"Speed5_11m", Kind::Number, cfg::Speed5_11m},
    {"Speed2_5m", Kind::Number, cfg::Speed2_5m},
    {"Speed1_2m", Kind::Number, cfg::Speed1_2m},
    {"AP Login Filter Tables", Kind::MacFilters},
    {"SnmpCommunity", Kind::Text, cfg::SnmpCommunity, {}, cfg::SnmpTextSize, 31, "quorel"},
    {"SnmpAccess", Kind::Word, cfg::SnmpAccess, kAccessWords},
    {"SnmpTrapIpAddr", Kind::Ip, cfg::SnmpTrapIpAddr},
    {"SnmpSysName", Kind::Text, cfg::SnmpSysName, {}, cfg::SnmpTextSize, 31, ""},
    {"SnmpSysLocation", Kind::Text, cfg::SnmpSysLocation, {}, cfg::SnmpTextSize, 31, ""},
    {"SnmpSysContact", Kind::Text, cfg::SnmpSysContact, {}, cfg::SnmpTextSize, 31, ""},
    {"SnmpAgent", Kind::Word, cfg::SnmpAgent, kSwitchTable},
    {"StpFunc", Kind::Word, cfg::StpFunc, kSwitchTable},
    {"StpPriority", Kind::Number, cfg::StpPriority},
    {"StpMaxAge", Kind::Number, cfg::StpMaxAge},
    {"StpHelloTime", Kind::Number, cfg::StpHelloTime},
    {"StpFwdDelay", Kind::Number, cfg::StpFwdDelay},
    {"StpCostEt", Kind::Number, cfg::StpCostEt},
    {"StpCostWl", Kind::Number, cfg::StpCostWl},
    {"Protocol Filter Tables", Kind::ProtocolFilters},
};

std::string numbered(const char* stem, std::size_t k) { return stem + std::to_string(k); }

std::size_t wepSlot(std::size_t k) { return cfg::WepKeys + cfg::WepKeyEntrySize * (k - 1); }
std::size_t priorityEntry(std::size_t i) { return cfg::PriorityAps + cfg::PriorityEntrySize * i; }

// ------------------------------------------------------------------ writing

std::string decimal(unsigned v) { return std::to_string(v); }

// A value with no word of its own (a mode without a name, or anything a unit
// sent beyond the table) is written as its number, which reads back as the
// same value.
std::string wordText(Words words, std::uint16_t v) {
  if (v < words.size() && !words[v].empty()) return std::string(words[v]);
  return decimal(v);
}

std::string hexBytes(std::span<const std::uint8_t> bytes, const char* separator) {
  std::string out;
  char buf[3];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += separator;
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    out += buf;
  }
  return out;
}

// The escaping goes byte by byte, like the files already out there: the
// second byte of a double-byte character is escaped too when it is 0x5C, and
// the reader undoes it byte by byte. A line break would end the value in the
// file and leave the closing quote behind, so the text ends before one.
std::string quotedText(std::string_view text) {
  text = text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

void appendValues(const ApConfig& c, const ConfigFileOptions& options,
                  std::vector<std::pair<std::string, std::string>>& out) {
  for (const Entry& e : kEntries) {
    switch (e.kind) {
      case Kind::Ip: out.emplace_back(e.key, formatIpv4(c.ip(e.offset))); break;
      case Kind::Word: out.emplace_back(e.key, wordText(e.words, c.u16(e.offset))); break;
      case Kind::Number: out.emplace_back(e.key, decimal(c.u16(e.offset))); break;
      case Kind::ScrambleKey: out.emplace_back(e.key, hexBytes(c.span(e.offset, cfg::ScrambleKeySize), ".")); break;
      case Kind::Text: out.emplace_back(e.key, quotedText(c.text(e.offset, e.fieldSize))); break;
      case Kind::ChannelFree:
        out.emplace_back(e.key, std::string(kSwitchTable[c.u16(cfg::ChannelCount) == 0 ? 1 : 0]));
        break;
      case Kind::ChannelNo: {
        // A count beyond the 14 slots (possible only from a unit) lists what
        // the slots hold.
        std::size_t count = std::min<std::size_t>(c.u16(cfg::ChannelCount), cfg::ChannelSlots);
        std::string list;
        for (std::size_t i = 0; i < count; ++i) {
          if (i > 0) list += ',';
          list += decimal(c.u16(cfg::Channels + 2 * i));
        }
        if (count == 0) list = decimal(options.defaultChannel);
        out.emplace_back(e.key, list);
        break;
      }
      case Kind::CompatiMac: out.emplace_back(e.key, formatMac(c.mac(e.offset))); break;
      case Kind::Priority: {
        std::size_t count = c.u16(cfg::PriorityCount);
        for (std::size_t k = 1; k <= cfg::PrioritySlots; ++k) {
          MacAddress m = c.mac(priorityEntry(k - 1));
          out.emplace_back(numbered("RoamPriApMac", k), k <= count && !m.isZero() ? formatMac(m) : std::string());
        }
        break;
      }
      case Kind::Wep:
        for (std::size_t k = 1; k <= cfg::WepKeySlots; ++k) {
          std::size_t slot = wepSlot(k);
          bool present = (c.u16(slot + cfg::WepKeyFlagsAt) & cfg::WepKeyPresent) != 0;
          unsigned size = present ? c.u16(slot + cfg::WepKeyLengthAt) : 0;
          // A length beyond the slot (possible only from a unit) never reads
          // into the next slot.
          std::size_t shown = std::min<std::size_t>(size, cfg::WepKeyBytes);
          out.emplace_back(numbered("WepKeySize", k), decimal(size));
          out.emplace_back(numbered("WepKey", k), hexBytes(c.span(slot + cfg::WepKeyBytesAt, shown), ""));
        }
        break;
      case Kind::MacFilters:
      case Kind::ProtocolFilters: break;
    }
  }
}

// ------------------------------------------------------------------ filter sections

// The filter sections share their format with the standalone filter files.
// A missing file has already been told apart by the caller, so the readers'
// results say nothing new.
void writeMacFilters(ini::Profile& profile, const ApConfig& record, const ConfigFileOptions& options) {
  WriteMacFilterSection(profile, ConstMacFilterBlock(record), options.displayLevel);
}
void writeProtocolFilters(ini::Profile& profile, const ApConfig& record, const ConfigFileOptions& options) {
  WriteProtocolFilterSection(profile, ConstProtocolFilterBlock(record), options.displayLevel);
}
void readMacFilters(const std::string& path, ApConfig& record, const ConfigFileOptions& options) {
  ReadMacFilterSection(path, MacFilterBlock(record), options.displayLevel, options.encoding);
}
void readProtocolFilters(const std::string& path, ApConfig& record, const ConfigFileOptions& options) {
  ReadProtocolFilterSection(path, ProtocolFilterBlock(record), options.displayLevel, options.encoding);
}

// ------------------------------------------------------------------ reading


bool sameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

// One "%u" conversion at text[i]: blanks, an optional sign, at least one
// digit. The value is kept modulo 2^32 like the conversion's, which leaves
// every smaller power of two intact.
std::optional<std::uint32_t> scanUnsigned(std::string_view text, std::size_t& i) {
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t start = i;
  std::uint32_t n = 0;
  while (i < text.size() && isDigit(text[i])) n = n * 10u + static_cast<std::uint32_t>(text[i++] - '0');
  if (i == start) return std::nullopt;
  return negative ? 0u - n : n;
}

std::optional<std::uint16_t> readNumber(std::string_view text) {
  std::size_t i = 0;
  auto n = scanUnsigned(text, i);
  if (!n) return std::nullopt;
  return static_cast<std::uint16_t>(*n);
}

// Four "%u" numbers joined by dots, each taken modulo 256.
std::optional<Ipv4> readIpv4(std::string_view text) {
  std::uint8_t o[4];
  std::size_t i = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    if (k > 0) {
      if (i >= text.size() || text[i] != '.') return std::nullopt;
      ++i;
    }
    auto n = scanUnsigned(text, i);
    if (!n) return std::nullopt;
    o[k] = static_cast<std::uint8_t>(*n);
  }
  return ipv4FromOctets(o[0], o[1], o[2], o[3]);
}

// "%02X" fields joined by the separator: each field is blanks, then one or
// two hexadecimal digits. Nothing unless all of them read.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> readHexFields(std::string_view text, char separator) {
  std::array<std::uint8_t, N> out{};
  std::size_t i = 0;
  for (std::size_t k = 0; k < N; ++k) {
    if (k > 0) {
      if (i >= text.size() || text[i] != separator) return std::nullopt;
      ++i;
    }
    while (i < text.size() && isSpace(text[i])) ++i;
    int v = 0, digits = 0;
    while (digits < 2 && i < text.size() && hexDigit(text[i]) >= 0) {
      v = v * 16 + hexDigit(text[i++]);
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    out[k] = static_cast<std::uint8_t>(v);
  }
  return out;
}

std::optional<MacAddress> readMac(std::string_view text) {
  auto b = readHexFields<6>(text, '-');
  if (!b) return std::nullopt;
  return MacAddress{*b};
}

// The first word of the table that equals the value in any case; failing
// that, a value of nothing but digits, which is how the writer puts down a
// value without a word.
std::optional<std::uint16_t> readWord(Words words, std::string_view text) {
  for (std::size_t i = 0; i < words.size(); ++i)
    if (!words[i].empty() && sameWord(words[i], text)) return static_cast<std::uint16_t>(i);
  if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
  return readNumber(text);
}

// Undoes the writer's escaping, byte by byte: a backslash before a double
// quote or a backslash stands for that byte. Any other backslash is a
// backslash, so hand-written paths and the like come through as typed.
std::string unescapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) ++i;
    out += text[i];
  }
  return out;
}

void readChannels(const ini::Profile& p, ApConfig& c, const ConfigFileOptions& options) {
  auto freeWord = readWord(kSwitchTable, p.getString(kConfigSection, "ChannelFree", ""));
  std::uint16_t channels[cfg::ChannelSlots] = {};
  std::size_t count = 0;
  // A file without a usable "ChannelFree" lists its channels, as one marked
  // "Disabled" does.
  if (!(freeWord && *freeWord == 1)) {
    std::string list = p.getString(kConfigSection, "ChannelNo", "");
    bool digitSeen = false;
    // The scan runs up to and including the text's end, which closes the last
    // entry like a comma does.
    for (std::size_t i = 0;; ++i) {
      char ch = i < list.size() ? list[i] : '\0';
      if (isDigit(ch)) {
        channels[count] = static_cast<std::uint16_t>(channels[count] * 10 + (ch - '0'));
        digitSeen = true;
      } else if (ch == ',' || ch == '\0') {
        if (channels[count] >= 1 && channels[count] <= 14) {
          if (++count == cfg::ChannelSlots) break;
        } else {
          channels[count] = 0;
        }
        if (ch == '\0') break;
      } else {
        // A number cut short by another character counts only as the first
        // entry (below); after counted channels it is no channel, and a
        // slot past the count would not come back from the written file.
        if (count > 0) channels[count] = 0;
        break;
      }
    }
    if (count == 0) {
      // A number cut short by some other character still counts when it is a
      // channel; otherwise the unit gets the default channel.
      count = 1;
      if (!(digitSeen && channels[0] >= 1 && channels[0] <= 14))
        channels[0] = static_cast<std::uint16_t>(options.defaultChannel);
    }
  }
  c.setU16(cfg::ChannelCount, static_cast<std::uint16_t>(count));
  for (std::size_t i = 0; i < cfg::ChannelSlots; ++i) c.setU16(cfg::Channels + 2 * i, channels[i]);
}

void readPriorityList(const ini::Profile& p, ApConfig& c) {
  // Gaps in the numbering close up; the entries keep their order in the file.
  std::uint16_t count = 0;
  for (std::size_t k = 1; k <= cfg::PrioritySlots; ++k) {
    std::string v = p.getString(kConfigSection, numbered("RoamPriApMac", k), "");
    if (v.empty()) continue;
    auto m = readMac(v);
    if (!m) continue;
    c.setMac(priorityEntry(count), *m);
    if (!m->isZero()) ++count;
  }
  c.setU16(cfg::PriorityCount, count);
}

void readWepSlots(const ini::Profile& p, ApConfig& c) {
  for (std::size_t k = 1; k <= cfg::WepKeySlots; ++k) {
    std::size_t slot = wepSlot(k);
    std::fill_n(c.bytes.begin() + static_cast<std::ptrdiff_t>(slot), cfg::WepKeyEntrySize, 0);
    std::uint16_t size = readNumber(p.getString(kConfigSection, numbered("WepKeySize", k), "")).value_or(0);
    if (size == 0) continue;
    size = std::min<std::uint16_t>(size, cfg::WepKeyBytes);
    c.setU16(slot + cfg::WepKeyFlagsAt, cfg::WepKeyPresent);
    c.setU16(slot + cfg::WepKeyLengthAt, size);
    std::string key = p.getString(kConfigSection, numbered("WepKey", k), "");
    for (std::size_t i = 0; i < size; ++i) {
      int hi = 2 * i < key.size() ? hexDigit(key[2 * i]) : -1;
      int lo = 2 * i + 1 < key.size() ? hexDigit(key[2 * i + 1]) : -1;
      if (hi < 0 || lo < 0) break;
      c.bytes[slot + cfg::WepKeyBytesAt + i] = static_cast<std::uint8_t>(hi << 4 | lo);
    }
  }
}

void readText(const ini::Profile& p, const Entry& e, ApConfig& c) {
  std::string text = p.value(kConfigSection, e.key) ? unescapeText(p.getString(kConfigSection, e.key, ""))
                                                     : std::string(e.missing);
  c.setText(e.offset, e.fieldSize, p.encoding().truncate(text, e.maxRead));
}

void readEntries(const ini::Profile& p, const std::string& path, ApConfig& c, const ConfigFileOptions& options) {
  for (const Entry& e : kEntries) {
    switch (e.kind) {
      case Kind::Ip:
        if (auto ip = readIpv4(p.getString(kConfigSection, e.key, ""))) c.setIp(e.offset, *ip);
        break;
      case Kind::Word:
        if (auto w = readWord(e.words, p.getString(kConfigSection, e.key, ""))) c.setU16(e.offset, *w);
        break;
      case Kind::Number:
        if (auto n = readNumber(p.getString(kConfigSection, e.key, ""))) c.setU16(e.offset, *n);
        break;
      case Kind::ScrambleKey:
        if (auto key = readHexFields<cfg::ScrambleKeySize>(p.getString(kConfigSection, e.key, ""), '.'))
          std::copy(key->begin(), key->end(), c.bytes.begin() + static_cast<std::ptrdiff_t>(e.offset));
        break;
      case Kind::Text: readText(p, e, c); break;
      case Kind::ChannelFree: readChannels(p, c, options); break;
      case Kind::ChannelNo: break;  // read together with "ChannelFree"
      case Kind::CompatiMac:
        c.setMac(e.offset, readMac(p.getString(kConfigSection, e.key, "00-00-00-00-00-00")).value_or(MacAddress{}));
        break;
      case Kind::Priority: readPriorityList(p, c); break;
      case Kind::Wep: readWepSlots(p, c); break;
      case Kind::MacFilters: readMacFilters(path, c, options); break;
      case Kind::ProtocolFilters: readProtocolFilters(path, c, options); break;
    }
  }
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ConfigFileValues(const ApConfig& record,
                                                                  const ConfigFileOptions& options) {
  std::vector<std::pair<std::string, std::string>> out;
  appendValues(record, options, out);
  return out;
}

int WriteConfigFile(ApConfig& record, const std::string& path, const ConfigFileOptions& options) {
  for (std::size_t k = 1; k <= cfg::WepKeySlots; ++k) {
    std::size_t slot = wepSlot(k);
    if ((record.u16(slot + cfg::WepKeyFlagsAt) & cfg::WepKeyPresent) == 0) record.setU16(slot + cfg::WepKeyLengthAt, 0);
  }
  // A fresh profile saved in one piece: the file holds exactly these keys in
  // this order, and a failed save leaves the old file as it was.
  ini::Profile profile(options.encoding);
  for (const auto& [key, value] : ConfigFileValues(record, options)) profile.setString(kConfigSection, key, value);
  // Sections after "Config", in the order the file has always had them.
  writeMacFilters(profile, record, options);
  writeProtocolFilters(profile, record, options);
  return profile.save(path) ? 1 : 0;
}

int ReadConfigFile(const ConfigSet& defaults, ConfigSet& target, const MacAddress& mac, const std::string& path,
                   const ConfigFileOptions& options) {
  ResetToDefaults(defaults, target, mac);
  if (path.empty()) return 0;
  ini::Profile profile = ini::Profile::load(path, options.encoding);
  // Folders, unreadable files and files far too large to be ours load as
  // unreadable; none of them is a configuration.
  if (profile.state() != ini::LoadState::Loaded) return 0;
  if (!profile.hasSection(kConfigSection)) return kNotAConfigFile;
  readEntries(profile, path, target.record, options);
  ProjectLegacy(target);
  return 1;
}

int ApplyConfigDefaults(ConfigSet& defaults, const std::string& path, const ConfigFileOptions& options) {
  return ReadConfigFile(defaults, defaults, MacAddress{}, path, options);
}

}  // namespace trennic
