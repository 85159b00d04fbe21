#include "core/config/ap_config.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace trennic {
namespace {

// Deterministic noise, so every byte of an image differs from its neighbours
// and from the defaults.
void fillNoise(std::span<std::uint8_t> bytes, std::uint32_t seed) {
  std::uint32_t x = seed * 2654435761u + 1;
  for (auto& b : bytes) {
    x = x * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(x >> 16);
  }
}

void fillNoise(ConfigSet& s, std::uint32_t seed) {
  fillNoise(s.record.bytes, seed);
  fillNoise(s.legacy1.bytes, seed + 1);
  fillNoise(s.legacy2.bytes, seed + 2);
  fillNoise(s.legacy3.bytes, seed + 3);
}

ConfigSet defaults(unsigned channel = 1) {
  ConfigSet d;
  fillNoise(d, 99);  // the build must not depend on what was there
  BuildDefaultConfig(d, channel);
  return d;
}

std::size_t prefixSize(int layout) { return layout == 1 ? 188 : layout == 2 ? 312 : 466; }

// The image offset in a legacy image of the given layout that carries record
// byte r, if the legacy body carries it at all.
std::optional<std::size_t> carriedAt(int layout, std::size_t r) {
  std::size_t prefixEnd = kConfigBodyOffset + prefixSize(layout);
  if (r >= 4 && r < prefixEnd) return r;
  if (r >= kBridgeBlockOffset && r < kBridgeBlockOffset + kBridgeBlockSize) return prefixEnd + (r - kBridgeBlockOffset);
  return std::nullopt;
}

// The record byte that a legacy image byte i (i >= 4) is a copy of.
std::size_t sourceOf(int layout, std::size_t i) {
  std::size_t prefixEnd = kConfigBodyOffset + prefixSize(layout);
  return i < prefixEnd ? i : kBridgeBlockOffset + (i - prefixEnd);
}

// What an import from layouts 1 to 4 sets, whatever arrived. A size other
// than 2 or 4 is a run of zero bytes.
struct Reset {
  const char* layouts;
  std::size_t offset;
  std::size_t size;
  std::uint32_t value;
};
const Reset kResets[] = {
    {"1", cfg::CompatiStaMac, 6, 0},
    {"1", cfg::ScrambleVersion, 2, 1},
    {"1", cfg::WepVersion, 2, 1},
    {"1", cfg::WlFirmTimeOut, 2, 60},
    {"1", 432, 2, 0},
    {"1", 434, 2, 5},
    {"12", cfg::ApRateBasic, 2, 0},
    {"12", cfg::ApRateSupported, 2, 15},
    {"12", cfg::ApRateTaRateCtrl, 2, 0},
    {"12", cfg::RegDomain, 2, 6},
    {"12", cfg::RoamExtendCtrl, 2, 0},
    {"12", cfg::RoamRoamingThreshold, 2, 80},
    {"12", cfg::RoamSampligTime, 2, 3},
    {"12", cfg::ApAnyIDBlock, 2, 0},
    {"12", cfg::ApAgeTime, 2, 5},
    {"123", 380, 2, 305},
    {"123", cfg::CompatiStaAgeTime, 2, 10},
    {"123", 288, 2, 5},
    {"123", 396, 2, 4},
    {"123", cfg::WepDefTxKey, 2, 0},
    {"123", 400, 2, 1},
    {"123", 402, 2, 0},
    {"123", 404, 2, 0},
    {"123", 450, 2, 1},
    {"123", 452, 2, 5},
    {"123", 454, 32, 0},
    {"123", 486, 2, 0},
    {"123", 488, 2, 5},
    {"123", 490, 32, 0},
    {"123", 522, 2, 0},
    {"123", 524, 2, 5},
    {"123", 526, 32, 0},
    {"123", 558, 2, 0},
    {"123", 560, 2, 5},
    {"123", 562, 32, 0},
    {"1234", cfg::SpeedThreshold, 2, 0},
    {"1234", cfg::Speed1_2m, 2, 70},
    {"1234", cfg::Speed2_5m, 2, 80},
    {"1234", cfg::Speed5_11m, 2, 90},
    {"1234", kMacFilterOffset, kMacFilterSize, 0},
    {"1234", cfg::SnmpAgent, 2, 1},
    {"1234", kProtocolFilterOffset, kProtocolFilterSize, 0},
    {"1234", 25288, 4, 1},
};

std::vector<std::optional<std::uint8_t>> resetBytes(int layout) {
  std::vector<std::optional<std::uint8_t>> out(kApConfigSize);
  for (const auto& r : kResets) {
    if (std::string(r.layouts).find(static_cast<char>('0' + layout)) == std::string::npos) continue;
    for (std::size_t i = 0; i < r.size; ++i)
      out[r.offset + i] = r.size == 2 || r.size == 4 ? static_cast<std::uint8_t>(r.value >> (8 * i)) : 0;
  }
  return out;
}

std::span<const std::uint8_t> legacyImage(const ConfigSet& s, int layout) { return s.image(layout); }

// ------------------------------------------------------------------ image access

TEST(ConfigImage, LittleEndianWordsAndFirstOctetFirstAddresses) {
  ConfigImage<16> c;
  c.setU16(0, 0x1234);
  c.setU32(2, 0xA1B2C3D4);
  c.setIp(6, ipv4FromOctets(192, 168, 1, 7));
  c.setMac(10, MacAddress{{1, 2, 3, 4, 5, 6}});
  const std::array<std::uint8_t, 16> expected{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 192, 168, 1, 7, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(c.bytes, expected);
  EXPECT_EQ(c.u16(0), 0x1234);
  EXPECT_EQ(c.u32(2), 0xA1B2C3D4u);
  EXPECT_EQ(formatIpv4(c.ip(6)), "192.168.1.7");
  EXPECT_EQ(formatMac(c.mac(10)), "01-02-03-04-05-06");
}

TEST(ConfigImage, TextKeepsItsNulAndZeroesTheRestOfTheField) {
  ConfigImage<8> c;
  c.bytes.fill(0xEE);
  c.setText(1, 6, "abcdefgh");
  const std::array<std::uint8_t, 8> cut{0xEE, 'a', 'b', 'c', 'd', 'e', 0, 0xEE};
  EXPECT_EQ(c.bytes, cut);
  EXPECT_EQ(c.text(1, 6), "abcde");
  c.setText(1, 6, "x");
  const std::array<std::uint8_t, 8> shortText{0xEE, 'x', 0, 0, 0, 0, 0, 0xEE};
  EXPECT_EQ(c.bytes, shortText);
  // A field that arrived without its NUL ends at the field's end.
  c.bytes.fill('z');
  EXPECT_EQ(c.text(1, 6), "zzzzzz");
}

// ------------------------------------------------------------------ layouts

TEST(LookupConfigLayout, ExactVersionWordInTheTableOfTheBlock) {
  struct Case {
    const char* why;
    bool extended;
    std::uint32_t word;
    std::optional<int> layout;
  } cases[] = {
      {"1.00 long", true, 0x0100, 1},
      {"1.10", true, 0x010A, 1},
      {"1.11", true, 0x010B, 2},
      {"1.20", true, 0x0114, 3},
      {"1.30", true, 0x011E, 4},
      {"1.31", true, 0x011F, 4},
      {"2.00", true, 0x0200, 5},
      {"2.01", true, 0x0201, 5},
      {"2.01 without the extended block", false, 0x0201, std::nullopt},
      {"1.10 without the extended block", false, 0x010A, std::nullopt},
      {"1.00 short", false, 0x0100, 1},
      {"unknown 0x0120", true, 0x0120, std::nullopt},
      {"upper bits set", true, 0x00010201, std::nullopt},
      {"upper bits set, short", false, 0x80000100, std::nullopt},
      {"zero ends the table, never matches", true, 0, std::nullopt},
      {"zero, short", false, 0, std::nullopt},
      {"0xFFFF", true, 0xFFFF, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(LookupConfigLayout(c.extended, c.word), c.layout) << c.why;
}

TEST(LookupConfigLayout, ShortInformationReplyLeaves0x100AndGivesLayout1EitherWay) {
  // Both information words are preset to 0x100 before a short reply is copied.
  const std::uint32_t preset = 0x100;
  EXPECT_EQ(LookupConfigLayout(true, preset), 1);
  EXPECT_EQ(LookupConfigLayout(false, preset), 1);
}

TEST(ConfigLayout, BodySizesAndTheImageEachLayoutMoves) {
  ConfigSet s;
  struct Case {
    int layout;
    std::size_t body;
    const std::uint8_t* image;
  } cases[] = {
      {1, 212, s.legacy1.bytes.data()},       {2, 336, s.legacy2.bytes.data()},
      {3, 490, s.legacy3.bytes.data()},       {4, 490, s.legacy3.bytes.data()},
      {5, 25096, s.record.bytes.data()},      {0, 0, nullptr},
      {6, 0, nullptr},                        {-1, 0, nullptr},
  };
  const ConfigSet& cs = s;
  for (const auto& c : cases) {
    EXPECT_EQ(configBodySize(c.layout), c.body) << "layout " << c.layout;
    std::span<std::uint8_t> img = s.image(c.layout);
    std::span<const std::uint8_t> cimg = cs.image(c.layout);
    EXPECT_EQ(img.data(), c.image) << "layout " << c.layout;
    EXPECT_EQ(cimg.data(), c.image) << "layout " << c.layout;
    EXPECT_EQ(img.size(), c.body == 0 ? 0 : kConfigBodyOffset + c.body) << "layout " << c.layout;
  }
  EXPECT_EQ(s.image(2).size() - kConfigBodyOffset, 532u - 196u);
}

// ------------------------------------------------------------------ defaults

TEST(ConfigDefaultChannel, NumberOfTheResourceTextElse14) {
  struct Case {
    const char* text;
    unsigned channel;
  } cases[] = {{"1", 1}, {"11", 11}, {" 6", 6}, {"6x", 6}, {"+3", 3}, {"", 14}, {"x", 14}, {"-", 14}, {" ", 14}};
  for (const auto& c : cases) EXPECT_EQ(DefaultChannel(c.text), c.channel) << '"' << c.text << '"';
  EXPECT_EQ(DefaultChannel(), 1u);
}

TEST(BuildDefaultConfig, EveryDefaultAtItsOffsetAndZeroElsewhere) {
  struct Row {
    const char* field;
    std::size_t offset;
    std::size_t width;
    std::uint32_t value;
  } rows[] = {
      {"IPAddress 10.0.0.0", 20, 4, 10},
      {"SubnetMask 255.0.0.0", 24, 4, 255},
      {"DefaultGateway", 28, 4, 0},
      {"node port", 56, 2, 20487},
      {"SnmpTrapIpAddr", 156, 4, 0},
      {"SnmpAccess", 192, 2, 1},
      {"SnmpAgent", 194, 2, 1},
      {"ModeSw", 196, 2, 1},
      {"NetworkMode", 198, 2, 0},
      {"UnitType", 200, 2, 1},
      {"RoamPriApOther", 236, 2, 1},
      {"PriorityCount", 238, 2, 0},
      {"reserved 280", 280, 2, 1500},
      {"Scramble", 282, 2, 0},
      {"reserved 284", 284, 2, 1},
      {"reserved 288", 288, 2, 5},
      {"reserved 290", 290, 2, 50},
      {"ChannelCount", 294, 2, 1},
      {"Channels[0]", 296, 2, 1},
      {"Channels[1]", 298, 2, 0},
      {"TxRate", 324, 2, 5},
      {"reserved 326", 326, 2, 2432},
      {"Wep", 364, 2, 0},
      {"reserved 366", 366, 2, 2432},
      {"reserved 378", 378, 2, 2},
      {"reserved 380", 380, 2, 305},
      {"reserved 382", 382, 2, 60},
      {"CompatiStaAgeTime", 390, 2, 10},
      {"ScrambleVersion", 392, 2, 1},
      {"WepVersion", 394, 2, 1},
      {"reserved 396", 396, 2, 4},
      {"WepDefTxKey", 398, 2, 0},
      {"reserved 400", 400, 2, 1},
      {"reserved 402", 402, 4, 0},
      {"WlFirmTimeOut", 430, 2, 60},
      {"reserved 432", 432, 2, 0},
      {"reserved 434", 434, 2, 5},
      {"ApRateBasic", 436, 2, 0},
      {"ApRateSupported", 438, 2, 15},
      {"ApRateTaRateCtrl", 440, 2, 0},
      {"RegDomain", 442, 2, 6},
      {"RoamExtendCtrl", 444, 2, 0},
      {"RoamRoamingThreshold", 446, 2, 80},
      {"RoamSampligTime", 448, 2, 3},
      {"WEP slot 1 flags", 450, 2, 1},
      {"WEP slot 1 length", 452, 2, 5},
      {"WEP slot 2 flags", 486, 2, 0},
      {"WEP slot 2 length", 488, 2, 5},
      {"WEP slot 3 length", 524, 2, 5},
      {"WEP slot 4 length", 560, 2, 5},
      {"ApAgeTime", 594, 2, 5},
      {"ApAnyIDBlock", 596, 2, 0},
      {"SpeedThreshold", 600, 2, 0},
      {"Speed1_2m", 602, 2, 70},
      {"Speed2_5m", 604, 2, 80},
      {"Speed5_11m", 606, 2, 90},
      {"StpFunc", 17064, 2, 1},
      {"StpPriority", 17066, 2, 32768},
      {"StpMaxAge", 17068, 2, 20},
      {"StpHelloTime", 17070, 2, 2},
      {"StpFwdDelay", 17072, 2, 15},
      {"StpCostEt", 17074, 2, 100},
      {"StpCostWl", 17076, 2, 500},
      {"reserved 17078", 17078, 2, 128},
      {"reserved 17080", 17080, 2, 1},
      {"reserved 17082", 17082, 2, 1},
      {"BridgeAgeTime", 17084, 2, 5},
      {"SwDestAddrType", 17086, 2, 1},
      {"reserved word 25288", 25288, 4, 1},
  };
  struct TextRow {
    std::size_t offset;
    std::size_t size;
    const char* text;
  } texts[] = {{cfg::SnmpSysName, 32, ""},      {cfg::SnmpSysLocation, 32, ""}, {cfg::SnmpSysContact, 32, ""},
               {cfg::SnmpCommunity, 32, "quorel"}, {cfg::ESSID, 34, "LocalGroup"}, {332, 32, "Client"}};

  ConfigSet d = defaults();
  const ApConfig& c = d.record;
  std::vector<bool> listed(kApConfigSize, false);
  for (const auto& r : rows) {
    std::uint32_t got = r.width == 2 ? c.u16(r.offset) : c.u32(r.offset);
    EXPECT_EQ(got, r.value) << r.field << " at " << r.offset;
    for (std::size_t i = 0; i < r.width; ++i) listed[r.offset + i] = true;
  }
  for (const auto& t : texts) {
    EXPECT_EQ(c.text(t.offset, t.size), t.text) << "text at " << t.offset;
    for (std::size_t i = 0; i < t.size; ++i) listed[t.offset + i] = true;
  }
  std::size_t strays = 0;
  for (std::size_t i = 0; i < kApConfigSize; ++i)
    if (!listed[i] && c.bytes[i] != 0 && strays++ < 5) ADD_FAILURE() << "unexpected byte " << int{c.bytes[i]} << " at " << i;
  EXPECT_EQ(strays, 0u);
}

TEST(BuildDefaultConfig, FirstChannelIsTheDefaultChannel) {
  ConfigSet d = defaults(DefaultChannel("x"));
  EXPECT_EQ(d.record.u16(cfg::Channels), 14);
  EXPECT_EQ(d.record.u16(cfg::ChannelCount), 1);
  EXPECT_EQ(defaults(6).record.u16(cfg::Channels), 6);
}

TEST(BuildDefaultConfig, LegacyImagesAreProjectionsWithZeroLocalWords) {
  ConfigSet d = defaults();
  for (int layout = 1; layout <= 4; ++layout) {
    std::span<const std::uint8_t> img = legacyImage(d, layout);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(img[i], 0) << "layout " << layout << " local byte " << i;
    for (std::size_t i = 4; i < img.size(); ++i)
      ASSERT_EQ(img[i], d.record.bytes[sourceOf(layout, i)]) << "layout " << layout << " byte " << i;
  }
}

TEST(ConfigResetToDefaults, AddressFromTheLastThreeMacBytesInAllFourImages) {
  struct Case {
    MacAddress mac;
    const char* ip;
  } cases[] = {{MacAddress{{0x02, 0x00, 0x00, 0x0A, 0x0B, 0x0C}}, "10.10.11.12"},
               {MacAddress{}, "10.0.0.0"},
               {MacAddress::broadcast(), "10.255.255.255"}};
  const ConfigSet d = defaults();
  for (const auto& c : cases) {
    ConfigSet t;
    fillNoise(t, 7);
    ResetToDefaults(d, t, c.mac);
    EXPECT_EQ(formatIpv4(t.record.ip(cfg::IPAddress)), c.ip);
    EXPECT_EQ(formatIpv4(t.legacy1.ip(cfg::IPAddress)), c.ip);
    EXPECT_EQ(formatIpv4(t.legacy2.ip(cfg::IPAddress)), c.ip);
    EXPECT_EQ(formatIpv4(t.legacy3.ip(cfg::IPAddress)), c.ip);
    // Everything else is the defaults, legacy local words included.
    ApConfig rest = t.record;
    rest.setIp(cfg::IPAddress, d.record.ip(cfg::IPAddress));
    EXPECT_TRUE(rest == d.record) << c.ip;
    for (int layout = 1; layout <= 3; ++layout) {
      std::span<const std::uint8_t> got = legacyImage(t, layout), want = legacyImage(d, layout);
      for (std::size_t i = 0; i < got.size(); ++i) {
        if (i >= cfg::IPAddress && i < cfg::IPAddress + 4) continue;
        ASSERT_EQ(got[i], want[i]) << "layout " << layout << " byte " << i;
      }
    }
  }
}

// ------------------------------------------------------------------ projection

TEST(ProjectLegacy, PrefixThenBridgeBlockAndTheLocalWordUntouched) {
  ConfigSet s;
  fillNoise(s.record.bytes, 3);
  s.legacy1.bytes.fill(0xEE);
  s.legacy2.bytes.fill(0xEE);
  s.legacy3.bytes.fill(0xEE);
  ProjectLegacy(s);
  for (int layout = 1; layout <= 3; ++layout) {
    std::span<const std::uint8_t> img = legacyImage(s, layout);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(img[i], 0xEE) << "layout " << layout;
    for (std::size_t i = 4; i < img.size(); ++i)
      ASSERT_EQ(img[i], s.record.bytes[sourceOf(layout, i)]) << "layout " << layout << " byte " << i;
  }
  // A layout-2 write sends 336 body bytes that end with the bridge block.
  std::span<const std::uint8_t> body = s.image(2).subspan(kConfigBodyOffset);
  ASSERT_EQ(body.size(), 336u);
  for (std::size_t i = 0; i < kBridgeBlockSize; ++i)
    EXPECT_EQ(body[312 + i], s.record.bytes[kBridgeBlockOffset + i]) << "bridge byte " << i;
}

// ------------------------------------------------------------------ import

TEST(ImportLegacy, EveryRecordByteIsCarriedResetOrKept) {
  for (int layout = 1; layout <= 4; ++layout) {
    ConfigSet s;
    fillNoise(s, static_cast<std::uint32_t>(10 * layout));
    const ConfigSet before = s;
    ASSERT_EQ(ImportLegacy(layout, s), 1);
    std::span<const std::uint8_t> image = legacyImage(before, layout);
    auto reset = resetBytes(layout);
    std::size_t wrong = 0;
    for (std::size_t r = 0; r < kApConfigSize; ++r) {
      std::uint8_t want;
      const char* why;
      if (reset[r]) {
        want = *reset[r];
        why = "reset";
      } else if (auto i = carriedAt(layout, r)) {
        want = image[*i];
        why = "carried";
      } else {
        want = before.record.bytes[r];
        why = "kept";
      }
      if (s.record.bytes[r] != want && wrong++ < 5)
        ADD_FAILURE() << "layout " << layout << ": " << why << " byte " << r << " is " << int{s.record.bytes[r]}
                      << ", want " << int{want};
    }
    EXPECT_EQ(wrong, 0u) << "layout " << layout;
    // The import ends by projecting: every legacy image follows the new record.
    for (int l = 1; l <= 3; ++l) {
      std::span<const std::uint8_t> img = legacyImage(s, l), old = legacyImage(before, l);
      for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(img[i], old[i]) << "local word, image " << l;
      for (std::size_t i = 4; i < img.size(); ++i)
        ASSERT_EQ(img[i], s.record.bytes[sourceOf(l, i)]) << "after layout " << layout << ", image " << l << " byte " << i;
    }
  }
}

TEST(ImportLegacy, Layout3AlwaysComesBackWithFreshKeySlots) {
  ConfigSet s = defaults();
  std::fill(s.legacy3.bytes.begin() + kConfigBodyOffset, s.legacy3.bytes.end(), std::uint8_t{0xFF});
  ASSERT_EQ(ImportLegacy(3, s), 1);
  EXPECT_EQ(s.record.u16(cfg::WepDefTxKey), 0);
  for (std::size_t k = 0; k < cfg::WepKeySlots; ++k) {
    std::size_t slot = cfg::WepKeys + k * cfg::WepKeyEntrySize;
    EXPECT_EQ(s.record.u16(slot + cfg::WepKeyFlagsAt), k == 0 ? 1 : 0) << "slot " << k + 1;
    EXPECT_EQ(s.record.u16(slot + cfg::WepKeyLengthAt), 5) << "slot " << k + 1;
    for (std::size_t i = 0; i < cfg::WepKeyBytes; ++i)
      ASSERT_EQ(s.record.bytes[slot + cfg::WepKeyBytesAt + i], 0) << "slot " << k + 1;
  }
  // The body's own bytes still arrive where no reset applies.
  EXPECT_EQ(s.record.u16(cfg::RoamExtendCtrl), 0xFFFF);
}

TEST(ImportLegacy, Layout4KeepsTheKeySlotsItCarries) {
  ConfigSet s = defaults();
  std::fill(s.legacy3.bytes.begin() + kConfigBodyOffset, s.legacy3.bytes.end(), std::uint8_t{0xFF});
  ASSERT_EQ(ImportLegacy(4, s), 1);
  EXPECT_EQ(s.record.u16(cfg::WepDefTxKey), 0xFFFF);
  EXPECT_EQ(s.record.u16(cfg::WepKeys + cfg::WepKeyLengthAt), 0xFFFF);
}

TEST(ImportLegacy, EveryOlderLayoutTurnsTheAgentOnAndClearsTheFilterTables) {
  for (int layout = 1; layout <= 4; ++layout) {
    ConfigSet s;
    fillNoise(s, static_cast<std::uint32_t>(layout));
    s.legacy1.setU16(cfg::SnmpAgent, 0);
    s.legacy2.setU16(cfg::SnmpAgent, 0);
    s.legacy3.setU16(cfg::SnmpAgent, 0);
    ASSERT_EQ(ImportLegacy(layout, s), 1);
    EXPECT_EQ(s.record.u16(cfg::SnmpAgent), 1) << "layout " << layout;
    EXPECT_EQ(s.image(layout)[cfg::SnmpAgent], 1) << "layout " << layout;
    for (std::size_t i = 0; i < kMacFilterSize; ++i)
      ASSERT_EQ(s.record.bytes[kMacFilterOffset + i], 0) << "layout " << layout << " MAC filter byte " << i;
    for (std::size_t i = 0; i < kProtocolFilterSize; ++i)
      ASSERT_EQ(s.record.bytes[kProtocolFilterOffset + i], 0) << "layout " << layout << " protocol filter byte " << i;
  }
}

TEST(ImportLegacy, OnlyLayout1ClearsTheCompatibleStationAndResetsTheVersions) {
  struct Case {
    int layout;
    bool reset;
  } cases[] = {{1, true}, {2, false}, {3, false}};
  for (const auto& c : cases) {
    ConfigSet s = defaults();
    s.record.setMac(cfg::CompatiStaMac, MacAddress{{1, 2, 3, 4, 5, 6}});
    s.record.setU16(cfg::ScrambleVersion, 2);
    s.record.setU16(cfg::WlFirmTimeOut, 90);
    ProjectLegacy(s);
    ASSERT_EQ(ImportLegacy(c.layout, s), 1);
    EXPECT_EQ(s.record.mac(cfg::CompatiStaMac).isZero(), c.reset) << "layout " << c.layout;
    EXPECT_EQ(s.record.u16(cfg::ScrambleVersion), c.reset ? 1 : 2) << "layout " << c.layout;
    EXPECT_EQ(s.record.u16(cfg::WlFirmTimeOut), c.reset ? 60 : 90) << "layout " << c.layout;
  }
}

TEST(ImportLegacy, OtherLayoutsChangeNothing) {
  for (int layout : {0, 5, 6, -1}) {
    ConfigSet s;
    fillNoise(s, 5);
    const ConfigSet before = s;
    EXPECT_EQ(ImportLegacy(layout, s), 0) << "layout " << layout;
    EXPECT_TRUE(s.record == before.record && s.legacy1 == before.legacy1 && s.legacy2 == before.legacy2 &&
                s.legacy3 == before.legacy3)
        << "layout " << layout;
  }
}

TEST(ImportLegacy, ProjectedAndImportedBackEveryCarriedByteComesBack) {
  for (int layout = 1; layout <= 4; ++layout) {
    ConfigSet source;
    fillNoise(source, static_cast<std::uint32_t>(40 + layout));
    // Fields an import always sets are given those values first, so that
    // everything the legacy body carries can come back unchanged.
    auto reset = resetBytes(layout);
    for (std::size_t r = 0; r < kApConfigSize; ++r)
      if (reset[r]) source.record.bytes[r] = *reset[r];
    ProjectLegacy(source);

    ConfigSet target;
    fillNoise(target, 77);
    target.legacy1 = source.legacy1;
    target.legacy2 = source.legacy2;
    target.legacy3 = source.legacy3;
    ASSERT_EQ(ImportLegacy(layout, target), 1);
    std::size_t compared = 0;
    for (std::size_t r = 0; r < kApConfigSize; ++r) {
      if (!carriedAt(layout, r)) continue;
      ++compared;
      ASSERT_EQ(target.record.bytes[r], source.record.bytes[r]) << "layout " << layout << " byte " << r;
    }
    EXPECT_EQ(compared, 192 + configBodySize(layout)) << "layout " << layout;
  }
}

// ------------------------------------------------------------------ keyed fields

TEST(ConfigFields, EveryKeyOnceAndInsideTheImage) {
  const std::set<std::string> keys{
      "IPAddress",       "SubnetMask",        "DefaultGateway",   "SnmpSysName",          "SnmpSysLocation",
      "SnmpSysContact",  "SnmpTrapIpAddr",    "SnmpCommunity",    "SnmpAccess",           "SnmpAgent",
      "ModeSw",          "NetworkMode",       "UnitType",         "ESSID",                "RoamPriApOther",
      "RoamPriApMac%u",  "Scramble",          "ChannelFree",      "ChannelNo",            "TxRate",
      "Wep",             "ScrambleKey",       "CompatiStaMac",    "CompatiStaAgeTime",    "ScrambleVersion",
      "WepVersion",      "WepDefTxKey",       "WlFirmTimeOut",    "ApRateBasic",          "ApRateSupported",
      "ApRateTaRateCtrl", "RoamExtendCtrl",   "RoamRoamingThreshold", "RoamSampligTime",  "WepKeySize%u",
      "WepKey%u",        "ApAgeTime",         "ApAnyIDBlock",     "SpeedThreshold",       "Speed1_2m",
      "Speed2_5m",       "Speed5_11m",        "StpFunc",          "StpPriority",          "StpMaxAge",
      "StpHelloTime",    "StpFwdDelay",       "StpCostEt",        "StpCostWl",            "SwDestAddrType"};
  std::set<std::string> seen;
  std::size_t last = 0;
  for (const auto& f : configFields()) {
    EXPECT_TRUE(keys.count(f.key)) << f.key;
    EXPECT_TRUE(seen.insert(f.key).second) << "twice: " << f.key;
    EXPECT_GE(f.offset, kConfigHeaderOffset) << f.key;
    EXPECT_LE(f.offset + f.size, kProtocolFilterOffset) << f.key;
    EXPECT_GE(f.offset, last) << "image order: " << f.key;
    last = f.offset;
    if (f.kind == FieldKind::Word) {
      EXPECT_EQ(f.size, 2u) << f.key;
    }
    EXPECT_EQ(findConfigField(f.key), &f) << f.key;
  }
  EXPECT_EQ(seen, keys);
  EXPECT_EQ(findConfigField("RegDomain"), nullptr);
  EXPECT_EQ(findConfigField("ipaddress"), nullptr);
}

TEST(ConfigFields, KindAndPlaceOfTypicalFields) {
  struct Case {
    const char* key;
    std::size_t offset;
    std::size_t size;
    FieldKind kind;
  } cases[] = {
      {"IPAddress", 20, 4, FieldKind::Ip},
      {"SnmpCommunity", 160, 32, FieldKind::Text},
      {"ESSID", 202, 34, FieldKind::Text},
      {"RoamPriApMac%u", 240, 40, FieldKind::PriorityMacs},
      {"ChannelFree", 294, 2, FieldKind::ChannelFree},
      {"ChannelNo", 296, 28, FieldKind::ChannelNo},
      {"ScrambleKey", 368, 10, FieldKind::Bytes},
      {"CompatiStaMac", 384, 6, FieldKind::Mac},
      {"WepKeySize%u", 450, 144, FieldKind::WepKeySize},
      {"WepKey%u", 450, 144, FieldKind::WepKey},
      {"SwDestAddrType", 17086, 2, FieldKind::Word},
  };
  for (const auto& c : cases) {
    const ConfigField* f = findConfigField(c.key);
    ASSERT_NE(f, nullptr) << c.key;
    EXPECT_EQ(f->offset, c.offset) << c.key;
    EXPECT_EQ(f->size, c.size) << c.key;
    EXPECT_EQ(f->kind, c.kind) << c.key;
  }
}

}  // namespace
}  // namespace trennic
