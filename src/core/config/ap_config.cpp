#include "core/config/ap_config.h"

#include <algorithm>

namespace trennic {

namespace {

// The legacy images share the record's bytes from here up to the body: the
// local word before it is never exchanged, so it is never copied.
constexpr std::size_t kSharedHeadOffset = 4;

// Reserved fields that carry values the units expect back; their meaning is
// the units' business, their defaults are ours.
namespace reserved {
constexpr std::size_t NodePortHigh = 58;
constexpr std::size_t W280 = 280, W284 = 284, W286 = 286, W288 = 288, W290 = 290, W292 = 292;
constexpr std::size_t W326 = 326, ClientText = 332, ClientTextSize = 32, W366 = 366;
constexpr std::size_t W378 = 378, W380 = 380, W382 = 382, W396 = 396, W400 = 400, W402 = 402, W404 = 404;
constexpr std::size_t W432 = 432, W434 = 434;
constexpr std::size_t W17078 = 17078, W17080 = 17080, W17082 = 17082;
constexpr std::size_t Tail25288 = 25288;
}  // namespace reserved

// Pairs of (version, layout), ended by a zero version.
struct LayoutEntry {
  std::uint16_t version;
  std::uint16_t layout;
};
constexpr LayoutEntry ShortLayoutTable[] = {{0x0100, 1}, {0, 0}};
constexpr LayoutEntry LongLayoutTable[] = {{0x0100, 1}, {0x010A, 1}, {0x010B, 2}, {0x0114, 3}, {0x011E, 4},
                                           {0x011F, 4}, {0x0200, 5}, {0x0201, 5}, {0, 0}};

// Bytes of the record body that a legacy body starts with; the bridge block
// follows them.
constexpr std::size_t legacyPrefixSize(int layout) {
  switch (layout) {
    case 1: return 188;
    case 2: return 312;
    case 3:
    case 4: return 466;
    default: return 0;
  }
}

template <std::size_t N>
void projectOne(const ApConfig& record, ConfigImage<N>& image) {
  constexpr std::size_t prefix = N - kConfigBodyOffset - kBridgeBlockSize;
  auto from = record.bytes.begin();
  auto to = image.bytes.begin();
  std::copy(from + kSharedHeadOffset, from + kConfigBodyOffset + prefix, to + kSharedHeadOffset);
  std::copy(from + kBridgeBlockOffset, from + kBridgeBlockOffset + kBridgeBlockSize, to + kConfigBodyOffset + prefix);
}

template <std::size_t N>
void importOne(const ConfigImage<N>& image, ApConfig& record) {
  constexpr std::size_t prefix = N - kConfigBodyOffset - kBridgeBlockSize;
  auto from = image.bytes.begin();
  auto to = record.bytes.begin();
  std::copy(from + kSharedHeadOffset, from + kConfigBodyOffset + prefix, to + kSharedHeadOffset);
  std::copy(from + kConfigBodyOffset + prefix, from + kConfigBodyOffset + prefix + kBridgeBlockSize,
            to + kBridgeBlockOffset);
}

static_assert(legacyPrefixSize(1) + kBridgeBlockSize + kConfigBodyOffset == sizeof(LegacyConfig1::bytes));
static_assert(legacyPrefixSize(2) + kBridgeBlockSize + kConfigBodyOffset == sizeof(LegacyConfig2::bytes));
static_assert(legacyPrefixSize(3) + kBridgeBlockSize + kConfigBodyOffset == sizeof(LegacyConfig3::bytes));

void clearWepSlots(ApConfig& c) {
  for (std::size_t k = 0; k < cfg::WepKeySlots; ++k) {
    std::size_t slot = cfg::WepKeys + k * cfg::WepKeyEntrySize;
    c.setU16(slot + cfg::WepKeyFlagsAt, 0);
    c.setU16(slot + cfg::WepKeyLengthAt, 5);
    std::fill_n(c.bytes.begin() + static_cast<std::ptrdiff_t>(slot + cfg::WepKeyBytesAt), cfg::WepKeyBytes, 0);
  }
  c.setU16(cfg::WepKeys + cfg::WepKeyFlagsAt, cfg::WepKeyPresent);
}

void zero(ApConfig& c, std::size_t offset, std::size_t size) {
  std::fill_n(c.bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, 0);
}

constexpr ConfigField kFields[] = {
    {"IPAddress", cfg::IPAddress, 4, FieldKind::Ip},
    {"SubnetMask", cfg::SubnetMask, 4, FieldKind::Ip},
    {"DefaultGateway", cfg::DefaultGateway, 4, FieldKind::Ip},
    {"SnmpSysName", cfg::SnmpSysName, cfg::SnmpTextSize, FieldKind::Text},
    {"SnmpSysLocation", cfg::SnmpSysLocation, cfg::SnmpTextSize, FieldKind::Text},
    {"SnmpSysContact", cfg::SnmpSysContact, cfg::SnmpTextSize, FieldKind::Text},
    {"SnmpTrapIpAddr", cfg::SnmpTrapIpAddr, 4, FieldKind::Ip},
    {"SnmpCommunity", cfg::SnmpCommunity, cfg::SnmpTextSize, FieldKind::Text},
    {"SnmpAccess", cfg::SnmpAccess, 2, FieldKind::Word},
    {"SnmpAgent", cfg::SnmpAgent, 2, FieldKind::Word},
    {"ModeSw", cfg::ModeSw, 2, FieldKind::Word},
    {"NetworkMode", cfg::NetworkMode, 2, FieldKind::Word},
    {"UnitType", cfg::UnitType, 2, FieldKind::Word},
    {"ESSID", cfg::ESSID, cfg::ESSIDSize, FieldKind::Text},
    {"RoamPriApOther", cfg::RoamPriApOther, 2, FieldKind::Word},
    {"RoamPriApMac%u", cfg::PriorityAps, cfg::PrioritySlots * cfg::PriorityEntrySize, FieldKind::PriorityMacs},
    {"Scramble", cfg::Scramble, 2, FieldKind::Word},
    {"ChannelFree", cfg::ChannelCount, 2, FieldKind::ChannelFree},
    {"ChannelNo", cfg::Channels, cfg::ChannelSlots * 2, FieldKind::ChannelNo},
    {"TxRate", cfg::TxRate, 2, FieldKind::Word},
    {"Wep", cfg::Wep, 2, FieldKind::Word},
    {"ScrambleKey", cfg::ScrambleKey, cfg::ScrambleKeySize, FieldKind::Bytes},
    {"CompatiStaMac", cfg::CompatiStaMac, 6, FieldKind::Mac},
    {"CompatiStaAgeTime", cfg::CompatiStaAgeTime, 2, FieldKind::Word},
    {"ScrambleVersion", cfg::ScrambleVersion, 2, FieldKind::Word},
    {"WepVersion", cfg::WepVersion, 2, FieldKind::Word},
    {"WepDefTxKey", cfg::WepDefTxKey, 2, FieldKind::Word},
    {"WlFirmTimeOut", cfg::WlFirmTimeOut, 2, FieldKind::Word},
    {"ApRateBasic", cfg::ApRateBasic, 2, FieldKind::Word},
    {"ApRateSupported", cfg::ApRateSupported, 2, FieldKind::Word},
    {"ApRateTaRateCtrl", cfg::ApRateTaRateCtrl, 2, FieldKind::Word},
    {"RoamExtendCtrl", cfg::RoamExtendCtrl, 2, FieldKind::Word},
    {"RoamRoamingThreshold", cfg::RoamRoamingThreshold, 2, FieldKind::Word},
    {"RoamSampligTime", cfg::RoamSampligTime, 2, FieldKind::Word},
    {"WepKeySize%u", cfg::WepKeys, cfg::WepKeySlots * cfg::WepKeyEntrySize, FieldKind::WepKeySize},
    {"WepKey%u", cfg::WepKeys, cfg::WepKeySlots * cfg::WepKeyEntrySize, FieldKind::WepKey},
    {"ApAgeTime", cfg::ApAgeTime, 2, FieldKind::Word},
    {"ApAnyIDBlock", cfg::ApAnyIDBlock, 2, FieldKind::Word},
    {"SpeedThreshold", cfg::SpeedThreshold, 2, FieldKind::Word},
    {"Speed1_2m", cfg::Speed1_2m, 2, FieldKind::Word},
    {"Speed2_5m", cfg::Speed2_5m, 2, FieldKind::Word},
    {"Speed5_11m", cfg::Speed5_11m, 2, FieldKind::Word},
    {"StpFunc", cfg::StpFunc, 2, FieldKind::Word},
    {"StpPriority", cfg::StpPriority, 2, FieldKind::Word},
    {"StpMaxAge", cfg::StpMaxAge, 2, FieldKind::Word},
    {"StpHelloTime", cfg::StpHelloTime, 2, FieldKind::Word},
    {"StpFwdDelay", cfg::StpFwdDelay, 2, FieldKind::Word},
    {"StpCostEt", cfg::StpCostEt, 2, FieldKind::Word},
    {"StpCostWl", cfg::StpCostWl, 2, FieldKind::Word},
    {"SwDestAddrType", cfg::SwDestAddrType, 2, FieldKind::Word},
};

}  // namespace

std::span<const ConfigField> configFields() { return kFields; }

const ConfigField* findConfigField(std::string_view key) {
  for (const auto& f : kFields)
    if (key == f.key) return &f;
  return nullptr;
}

std::span<std::uint8_t> ConfigSet::image(int layout) {
  switch (layout) {
    case 1: return legacy1.bytes;
    case 2: return legacy2.bytes;
    case 3:
    case 4: return legacy3.bytes;
    case 5: return std::span<std::uint8_t>(record.bytes).first(kConfigBodyOffset + kConfigBodySize);
    default: return {};
  }
}

std::span<const std::uint8_t> ConfigSet::image(int layout) const {
  switch (layout) {
    case 1: return legacy1.bytes;
    case 2: return legacy2.bytes;
    case 3:
    case 4: return legacy3.bytes;
    case 5: return std::span<const std::uint8_t>(record.bytes).first(kConfigBodyOffset + kConfigBodySize);
    default: return {};
  }
}

std::size_t configBodySize(int layout) {
  if (layout == 5) return kConfigBodySize;
  std::size_t prefix = legacyPrefixSize(layout);
  return prefix == 0 ? 0 : prefix + kBridgeBlockSize;
}

std::optional<int> LookupConfigLayout(bool extendedPresent, std::uint32_t versionWord) {
  const LayoutEntry* e = extendedPresent ? LongLayoutTable : ShortLayoutTable;
  for (; e->version != 0; ++e)
    if (versionWord == e->version) return e->layout;
  return std::nullopt;
}

unsigned DefaultChannel(std::string_view text) {
  // Read the way "%u" reads: blanks, an optional sign, then at least one digit.
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t start = i;
  unsigned n = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') n = n * 10 + static_cast<unsigned>(text[i++] - '0');
  if (i == start) return 14;
  return negative ? 0u - n : n;
}

void keepFirstChannel(ApConfig& c, unsigned defaultChannel) {
  const bool firstIsChannel = c.u16(cfg::ChannelCount) > 0 && c.u16(cfg::Channels) >= 1 && c.u16(cfg::Channels) <= 14;
  if (!firstIsChannel) {
    const unsigned ch = defaultChannel >= 1 && defaultChannel <= 14 ? defaultChannel : 1;
    c.setU16(cfg::Channels, static_cast<std::uint16_t>(ch));
  }
  c.setU16(cfg::ChannelCount, 1);
}

void BuildDefaultConfig(ConfigSet& d, unsigned defaultChannel) {
  d.legacy1 = {};
  d.legacy2 = {};
  d.legacy3 = {};
  ApConfig& c = d.record;
  c = {};

  c.setIp(cfg::IPAddress, ipv4FromOctets(10, 0, 0, 0));
  c.setIp(cfg::SubnetMask, ipv4FromOctets(255, 0, 0, 0));
  c.setIp(cfg::DefaultGateway, 0);
  c.setU16(cfg::NodePort, kUnitPort);
  c.setU16(reserved::NodePortHigh, 0);
  c.setText(cfg::SnmpSysName, cfg::SnmpTextSize, "");
  c.setText(cfg::SnmpSysLocation, cfg::SnmpTextSize, "");
  c.setText(cfg::SnmpSysContact, cfg::SnmpTextSize, "");
  c.setIp(cfg::SnmpTrapIpAddr, 0);
  c.setText(cfg::SnmpCommunity, cfg::SnmpTextSize, "quorel");
  c.setU16(cfg::SnmpAccess, 1);
  c.setU16(cfg::SnmpAgent, 1);

  c.setU16(cfg::ModeSw, 1);
  c.setU16(cfg::NetworkMode, 0);
  c.setU16(cfg::UnitType, 1);
  c.setText(cfg::ESSID, cfg::ESSIDSize, "LocalGroup");
  c.setU16(cfg::RoamPriApOther, 1);
  c.setU16(cfg::PriorityCount, 0);
  c.setU16(reserved::W280, 1500);
  c.setU16(cfg::Scramble, 0);
  c.setU16(reserved::W284, 1);
  c.setU16(reserved::W286, 0);
  c.setU16(reserved::W288, 5);
  c.setU16(reserved::W290, 50);
  c.setU16(reserved::W292, 0);
  c.setU16(cfg::ChannelCount, 1);
  c.setU16(cfg::Channels, static_cast<std::uint16_t>(defaultChannel));
  c.setU16(cfg::TxRate, 5);
  c.setU16(reserved::W326, 2432);
  c.setText(reserved::ClientText, reserved::ClientTextSize, "Client");
  c.setU16(cfg::Wep, 0);
  c.setU16(reserved::W366, 2432);
  c.setU16(reserved::W378, 2);
  c.setU16(reserved::W380, 305);
  c.setU16(reserved::W382, 60);
  c.setU16(cfg::CompatiStaAgeTime, 10);
  c.setU16(cfg::ScrambleVersion, 1);
  c.setU16(cfg::WepVersion, 1);
  c.setU16(reserved::W396, 4);
  c.setU16(cfg::WepDefTxKey, 0);
  c.setU16(reserved::W400, 1);
  c.setU16(cfg::WlFirmTimeOut, 60);
  c.setU16(reserved::W432, 0);
  c.setU16(reserved::W434, 5);
  c.setU16(cfg::ApRateBasic, 0);
  c.setU16(cfg::ApRateSupported, 15);
  c.setU16(cfg::ApRateTaRateCtrl, 0);
  c.setU16(cfg::RegDomain, 6);
  c.setU16(cfg::RoamExtendCtrl, 0);
  c.setU16(cfg::RoamRoamingThreshold, 80);
  c.setU16(cfg::RoamSampligTime, 3);
  clearWepSlots(c);
  c.setU16(cfg::ApAgeTime, 5);
  c.setU16(cfg::ApAnyIDBlock, 0);
  c.setU16(cfg::SpeedThreshold, 0);
  c.setU16(cfg::Speed1_2m, 70);
  c.setU16(cfg::Speed2_5m, 80);
  c.setU16(cfg::Speed5_11m, 90);

  c.setU16(cfg::StpFunc, 1);
  c.setU16(cfg::StpPriority, 32768);
  c.setU16(cfg::StpMaxAge, 20);
  c.setU16(cfg::StpHelloTime, 2);
  c.setU16(cfg::StpFwdDelay, 15);
  c.setU16(cfg::StpCostEt, 100);
  c.setU16(cfg::StpCostWl, 500);
  c.setU16(reserved::W17078, 128);
  c.setU16(reserved::W17080, 1);
  c.setU16(reserved::W17082, 1);
  c.setU16(cfg::BridgeAgeTime, 5);
  c.setU16(cfg::SwDestAddrType, 1);
  c.setU32(reserved::Tail25288, 1);

  ProjectLegacy(d);
}

void ResetToDefaults(const ConfigSet& defaults, ConfigSet& target, const MacAddress& mac) {
  target = defaults;
  // Every unit answers at 10.M3.M4.M5 until it is given an address, so a
  // fresh configuration starts there.
  Ipv4 ip = ipv4FromOctets(10, mac.bytes[3], mac.bytes[4], mac.bytes[5]);
  target.record.setIp(cfg::IPAddress, ip);
  target.legacy1.setIp(cfg::IPAddress, ip);
  target.legacy2.setIp(cfg::IPAddress, ip);
  target.legacy3.setIp(cfg::IPAddress, ip);
}

void ProjectLegacy(const ApConfig& record, LegacyConfig1& l1, LegacyConfig2& l2, LegacyConfig3& l3) {
  projectOne(record, l1);
  projectOne(record, l2);
  projectOne(record, l3);
}

void ProjectLegacy(ConfigSet& set) { ProjectLegacy(set.record, set.legacy1, set.legacy2, set.legacy3); }

int ImportLegacy(int layout, ApConfig& c, LegacyConfig1& l1, LegacyConfig2& l2, LegacyConfig3& l3) {
  switch (layout) {
    case 1: importOne(l1, c); break;
    case 2: importOne(l2, c); break;
    case 3:
    case 4: importOne(l3, c); break;
    default: return 0;
  }

  // Older firmware lacks these fields or fills them differently; they start
  // over from the values the current layout expects.
  if (layout == 1) {
    c.setMac(cfg::CompatiStaMac, MacAddress{});
    c.setU16(cfg::ScrambleVersion, 1);
    c.setU16(cfg::WepVersion, 1);
    c.setU16(cfg::WlFirmTimeOut, 60);
    c.setU16(reserved::W432, 0);
    c.setU16(reserved::W434, 5);
  }
  if (layout <= 2) {
    c.setU16(cfg::ApRateBasic, 0);
    c.setU16(cfg::ApRateSupported, 15);
    c.setU16(cfg::ApRateTaRateCtrl, 0);
    c.setU16(cfg::RegDomain, 6);
    c.setU16(cfg::RoamExtendCtrl, 0);
    c.setU16(cfg::RoamRoamingThreshold, 80);
    c.setU16(cfg::RoamSampligTime, 3);
    c.setU16(cfg::ApAnyIDBlock, 0);
    c.setU16(cfg::ApAgeTime, 5);
  }
  if (layout <= 3) {
    c.setU16(reserved::W380, 305);
    c.setU16(cfg::CompatiStaAgeTime, 10);
    c.setU16(reserved::W288, 5);
    c.setU16(reserved::W396, 4);
    c.setU16(cfg::WepDefTxKey, 0);
    c.setU16(reserved::W400, 1);
    c.setU16(reserved::W402, 0);
    c.setU16(reserved::W404, 0);
    clearWepSlots(c);
  }
  c.setU16(cfg::SpeedThreshold, 0);
  c.setU16(cfg::Speed1_2m, 70);
  c.setU16(cfg::Speed2_5m, 80);
  c.setU16(cfg::Speed5_11m, 90);
  zero(c, kMacFilterOffset, kMacFilterSize);
  c.setU16(cfg::SnmpAgent, 1);
  zero(c, kProtocolFilterOffset, kProtocolFilterSize);
  c.setU32(reserved::Tail25288, 1);

  ProjectLegacy(c, l1, l2, l3);
  return 1;
}

int ImportLegacy(int layout, ConfigSet& set) {
  return ImportLegacy(layout, set.record, set.legacy1, set.legacy2, set.legacy3);
}

}  // namespace trennic
