#pragma once
// The configuration of one unit as the program holds it: a byte-exact image
// of the unit's configuration header (176 bytes at 0x00001010) and body (from
// 0x00100000), framed by a few local bytes. The current layout (5) is this
// record's body; the older, shorter layouts 1 to 4 are derived from it and
// rebuilt into it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/protocol/addresses.h"

namespace trennic {

constexpr std::size_t kApConfigSize = 25296;
constexpr std::size_t kConfigHeaderOffset = 20;   // image offset of the header
constexpr std::size_t kConfigHeaderSize = 176;
constexpr std::size_t kConfigBodyOffset = 196;    // image offset of the body
constexpr std::size_t kConfigBodySize = 25096;    // layout 5
constexpr std::size_t kBridgeBlockOffset = 17064;
constexpr std::size_t kBridgeBlockSize = 24;
constexpr std::size_t kMacFilterOffset = 672;     // image offset; body offset 476
constexpr std::size_t kMacFilterSize = 16392;
constexpr std::size_t kProtocolFilterOffset = 17088;  // image offset; body offset 16892
constexpr std::size_t kProtocolFilterSize = 8200;

// Image offsets of the named fields.
namespace cfg {
constexpr std::size_t IPAddress = 20, SubnetMask = 24, DefaultGateway = 28;
constexpr std::size_t NodePort = 56;
constexpr std::size_t SnmpSysName = 60, SnmpSysLocation = 92, SnmpSysContact = 124, SnmpTrapIpAddr = 156,
                      SnmpCommunity = 160, SnmpAccess = 192, SnmpAgent = 194;
constexpr std::size_t SnmpTextSize = 32;
constexpr std::size_t ModeSw = 196, NetworkMode = 198, UnitType = 200, ESSID = 202, RoamPriApOther = 236,
                      PriorityCount = 238, PriorityAps = 240, Scramble = 282, ChannelCount = 294, Channels = 296,
                      TxRate = 324, Wep = 364, ScrambleKey = 368, CompatiStaMac = 384, CompatiStaAgeTime = 390,
                      ScrambleVersion = 392, WepVersion = 394, WepDefTxKey = 398, WlFirmTimeOut = 430,
                      ApRateBasic = 436, ApRateSupported = 438, ApRateTaRateCtrl = 440, RegDomain = 442,
                      RoamExtendCtrl = 444, RoamRoamingThreshold = 446, RoamSampligTime = 448, WepKeys = 450,
                      ApAgeTime = 594, ApAnyIDBlock = 596, SpeedThreshold = 600, Speed1_2m = 602, Speed2_5m = 604,
                      Speed5_11m = 606, StpFunc = 17064, StpPriority = 17066, StpMaxAge = 17068,
                      StpHelloTime = 17070, StpFwdDelay = 17072, StpCostEt = 17074, StpCostWl = 17076,
                      BridgeAgeTime = 17084, SwDestAddrType = 17086;
constexpr std::size_t ESSIDSize = 34, ScrambleKeySize = 10, ChannelSlots = 14, PrioritySlots = 5,
                      PriorityEntrySize = 8, WepKeySlots = 4, WepKeyEntrySize = 36, WepKeyBytes = 32;
// Inside one WepKeyEntry; slot k (1 to 4) starts at WepKeys + WepKeyEntrySize * (k - 1).
constexpr std::size_t WepKeyFlagsAt = 0, WepKeyLengthAt = 2, WepKeyBytesAt = 4;
constexpr std::uint16_t WepKeyPresent = 1;  // bit 0 of keyFlags
}  // namespace cfg

// The fields a configuration file names, for code that walks them by key.
enum class FieldKind {
  Word,          // 16-bit number or word-table index
  Ip,            // 4 bytes, first octet first
  Text,          // NUL-terminated inside the field
  Mac,           // 6 bytes
  Bytes,         // raw bytes (the scrambling key)
  PriorityMacs,  // "RoamPriApMac%u": PriorityAps entries, counted by PriorityCount
  ChannelFree,   // the ChannelCount word; "Enabled" when it is 0
  ChannelNo,     // the Channels words, counted by ChannelCount
  WepKeySize,    // "WepKeySize%u": keyFlags and keyLength of the WepKeys slots
  WepKey,        // "WepKey%u": keyBytes of the WepKeys slots
};

struct ConfigField {
  const char* key;
  std::size_t offset;  // image offset; for the array-like kinds, of the first entry
  std::size_t size;    // whole extent of the field or array
  FieldKind kind;
};

// Every keyed field, in image order (not the order a configuration file is
// written in).
std::span<const ConfigField> configFields();
const ConfigField* findConfigField(std::string_view key);

// A fixed-size image with little-endian field access.
template <std::size_t N>
struct ConfigImage {
  std::array<std::uint8_t, N> bytes{};

  std::uint16_t u16(std::size_t offset) const;
  void setU16(std::size_t offset, std::uint16_t v);
  std::uint32_t u32(std::size_t offset) const;
  void setU32(std::size_t offset, std::uint32_t v);
  // IPv4 addresses are stored first octet first.
  Ipv4 ip(std::size_t offset) const;
  void setIp(std::size_t offset, Ipv4 ip);
  MacAddress mac(std::size_t offset) const;
  void setMac(std::size_t offset, const MacAddress& mac);
  // NUL-terminated text inside a fixed field; the rest of the field is zero.
  std::string text(std::size_t offset, std::size_t fieldSize) const;
  void setText(std::size_t offset, std::size_t fieldSize, std::string_view text);
  std::span<std::uint8_t> span(std::size_t offset, std::size_t size) { return {bytes.data() + offset, size}; }
  std::span<const std::uint8_t> span(std::size_t offset, std::size_t size) const {
    return {bytes.data() + offset, size};
  }
  friend bool operator==(const ConfigImage&, const ConfigImage&) = default;
};

template <std::size_t N>
std::uint16_t ConfigImage<N>::u16(std::size_t offset) const {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}
template <std::size_t N>
void ConfigImage<N>::setU16(std::size_t offset, std::uint16_t v) {
  bytes[offset] = static_cast<std::uint8_t>(v);
  bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}
template <std::size_t N>
std::uint32_t ConfigImage<N>::u32(std::size_t offset) const {
  return static_cast<std::uint32_t>(u16(offset)) | static_cast<std::uint32_t>(u16(offset + 2)) << 16;
}
template <std::size_t N>
void ConfigImage<N>::setU32(std::size_t offset, std::uint32_t v) {
  setU16(offset, static_cast<std::uint16_t>(v));
  setU16(offset + 2, static_cast<std::uint16_t>(v >> 16));
}
template <std::size_t N>
Ipv4 ConfigImage<N>::ip(std::size_t offset) const {
  return ipv4FromOctets(bytes[offset], bytes[offset + 1], bytes[offset + 2], bytes[offset + 3]);
}
template <std::size_t N>
void ConfigImage<N>::setIp(std::size_t offset, Ipv4 ip) {
  auto o = ipv4Octets(ip);
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = o[i];
}
template <std::size_t N>
MacAddress ConfigImage<N>::mac(std::size_t offset) const {
  MacAddress m;
  for (std::size_t i = 0; i < 6; ++i) m.bytes[i] = bytes[offset + i];
  return m;
}
template <std::size_t N>
void ConfigImage<N>::setMac(std::size_t offset, const MacAddress& m) {
  for (std::size_t i = 0; i < 6; ++i) bytes[offset + i] = m.bytes[i];
}
template <std::size_t N>
std::string ConfigImage<N>::text(std::size_t offset, std::size_t fieldSize) const {
  // A unit may hand over a field without its NUL; the field's end stops it.
  std::size_t n = 0;
  while (n < fieldSize && bytes[offset + n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(bytes.data() + offset), n);
}
template <std::size_t N>
void ConfigImage<N>::setText(std::size_t offset, std::size_t fieldSize, std::string_view text) {
  if (fieldSize == 0) return;
  std::size_t n = 0;
  while (n < text.size() && n + 1 < fieldSize && text[n] != '\0') {
    bytes[offset + n] = static_cast<std::uint8_t>(text[n]);
    ++n;
  }
  for (; n < fieldSize; ++n) bytes[offset + n] = 0;
}

using ApConfig = ConfigImage<kApConfigSize>;
// The older layouts: the same first 196 bytes, then a short body.
using LegacyConfig1 = ConfigImage<196 + 212>;
using LegacyConfig2 = ConfigImage<196 + 336>;
using LegacyConfig3 = ConfigImage<196 + 490>;

// One ApConfig with its three legacy images; after every change of the
// record, ProjectLegacy brings the legacy images up to date.
struct ConfigSet {
  ApConfig record;
  LegacyConfig1 legacy1;
  LegacyConfig2 legacy2;
  LegacyConfig3 legacy3;

  // The image moved for a layout (1 to 5): legacy1, legacy2, legacy3, legacy3
  // or the record, from its first byte to the end of its body, so the span is
  // kConfigBodyOffset + configBodySize(layout) long (the record's local tail
  // is left out). Empty for any other layout.
  std::span<std::uint8_t> image(int layout);
  std::span<const std::uint8_t> image(int layout) const;
};

// Body size of a layout: 212, 336, 490, 490 or 25096; 0 for none.
std::size_t configBodySize(int layout);

// The layout for a version word, 1 to 5, or nothing.
std::optional<int> LookupConfigLayout(bool extendedPresent, std::uint32_t versionWord);

// The channel a new configuration starts on: the number in the program's
// string resource ("1"), or 14 when that text is not a number.
unsigned DefaultChannel(std::string_view resourceText = "1");

void BuildDefaultConfig(ConfigSet& defaults, unsigned defaultChannel = 1);

// Cuts the channel list to its first entry. A list that was empty ("all
// channels free") or starts with no real channel would leave channel 0 as
// the one in use and send it to the unit: the default channel takes its place.
void keepFirstChannel(ApConfig& c, unsigned defaultChannel);
void ResetToDefaults(const ConfigSet& defaults, ConfigSet& target, const MacAddress& mac);
void ProjectLegacy(const ApConfig& record, LegacyConfig1& l1, LegacyConfig2& l2, LegacyConfig3& l3);
void ProjectLegacy(ConfigSet& set);
// Rebuilds the record from the legacy image of the layout (1 to 4; 3 and 4
// share LegacyConfig3), then projects it back. Returns 1, or 0 for any other
// layout, leaving everything as it was.
int ImportLegacy(int layout, ApConfig& record, LegacyConfig1& l1, LegacyConfig2& l2, LegacyConfig3& l3);
int ImportLegacy(int layout, ConfigSet& set);

}  // namespace trennic
