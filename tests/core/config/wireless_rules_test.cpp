#include "core/config/wireless_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trennic {
namespace {

ApConfig defaults() {
  ConfigSet s;
  BuildDefaultConfig(s);
  return s.record;
}

void setSlot(ApConfig& c, int slot, std::uint16_t flags, std::uint16_t length) {
  c.setU16(wepSlotOffset(slot) + cfg::WepKeyFlagsAt, flags);
  c.setU16(wepSlotOffset(slot) + cfg::WepKeyLengthAt, length);
}

// Slots 0..3 present where the mask has a bit, as 40-bit keys.
ApConfig withKeys(unsigned mask) {
  ApConfig c = defaults();
  for (int k = 0; k < kWepSlots; ++k) setSlot(c, k, (mask >> k) & 1u, (mask >> k) & 1u ? 5 : 0);
  return c;
}

std::string slotHex(const ApConfig& c, int slot) {
  return hexBytesText(c.bytes.data() + wepSlotOffset(slot), cfg::WepKeyEntrySize);
}

MacAddress mac(std::uint8_t last) { return MacAddress{{0x02, 0, 0, 0, 0, last}}; }

void setPriorities(ApConfig& c, std::vector<std::uint8_t> lasts) {
  for (std::size_t i = 0; i < lasts.size(); ++i) setPriorityAp(c, i, mac(lasts[i]));
  c.setU16(cfg::PriorityCount, static_cast<std::uint16_t>(lasts.size()));
}

std::vector<int> priorityLasts(const ApConfig& c) {
  std::vector<int> out;
  for (std::size_t i = 0; i < c.u16(cfg::PriorityCount); ++i) out.push_back(priorityAp(c, i).bytes[5]);
  return out;
}

TEST(WirelessRules, ModeConditions) {
  struct Case {
    const char* name;
    std::uint16_t modeSw, networkMode, unitType;
    bool wifi, roaming;
  } cases[] = {
      {"DIP switch decides", 1, 4, 0, false, true},
      {"ad hoc", 0, 0, 1, false, false},
      {"infrastructure access point", 0, 1, 0, false, false},
      {"infrastructure station", 0, 1, 1, false, true},
      {"advanced station", 0, 5, 1, false, true},
      {"Wi-Fi access point", 0, 4, 0, true, false},
      {"Wi-Fi station", 0, 4, 1, true, true},
  };
  for (const auto& k : cases) {
    ApConfig c = defaults();
    c.setU16(cfg::ModeSw, k.modeSw);
    c.setU16(cfg::NetworkMode, k.networkMode);
    c.setU16(cfg::UnitType, k.unitType);
    EXPECT_EQ(wifiCompatible(c), k.wifi) << k.name;
    EXPECT_EQ(roamingCapable(c), k.roaming) << k.name;
  }
}

TEST(WirelessRules, ScrambleShownAndStored) {
  struct Case {
    std::uint16_t scramble, version;
    int shown;
    std::uint16_t scrambleAfter;
  } cases[] = {{0, 2, ScrambleDisabled, 0},
               {1, 1, ScrambleType1, 1},
               {1, 2, ScrambleType2, 1},
               {1, 9, ScrambleType1, 1},
               {2, 2, ScrambleDisabled, 0}};
  for (const auto& k : cases) {
    ApConfig c = defaults();
    c.setU16(cfg::Scramble, k.scramble);
    c.setU16(cfg::ScrambleVersion, k.version);
    EXPECT_EQ(normaliseScramble(c), k.shown) << k.scramble << "/" << k.version;
    EXPECT_EQ(c.u16(cfg::Scramble), k.scrambleAfter);
  }
  ApConfig c = defaults();
  storeScramble(c, ScrambleType2);
  EXPECT_EQ(c.u16(cfg::Scramble), 1);
  EXPECT_EQ(c.u16(cfg::ScrambleVersion), 2);
  storeScramble(c, ScrambleDisabled);
  EXPECT_EQ(c.u16(cfg::Scramble), 0);
  EXPECT_EQ(c.u16(cfg::ScrambleVersion), 2);  // kept for the next time it is switched on
}

TEST(WirelessRules, HexByteText) {
  EXPECT_EQ(hexByteText("A5"), 0xA5);
  EXPECT_EQ(hexByteText("f"), 0x0F);
  EXPECT_EQ(hexByteText(" 7"), 0x07);
  EXPECT_EQ(hexByteText("1G"), 0x01);
  EXPECT_EQ(hexByteText("123"), 0x12);
  EXPECT_EQ(hexByteText(""), std::nullopt);
  EXPECT_EQ(hexByteText("x1"), std::nullopt);
}

// A slot the page cannot show is cleared whole.
TEST(WirelessRules, WepSlotOnLoad) {
  struct Case {
    std::uint16_t flags, length;
    int shown;
    bool cleared;
  } cases[] = {{1, 5, WepKey40, false},      {1, 13, WepKey128, false},    {3, 13, WepKey128, false},
               {1, 8, WepKeyDisabled, true}, {1, 0, WepKeyDisabled, true}, {0, 5, WepKeyDisabled, true},
               {2, 13, WepKeyDisabled, true}};
  for (const auto& k : cases) {
    ApConfig c = defaults();
    setSlot(c, 1, k.flags, k.length);
    c.bytes[wepSlotOffset(1) + cfg::WepKeyBytesAt] = 0xAB;
    EXPECT_EQ(normaliseWepSlot(c, 1), k.shown) << k.flags << "/" << k.length;
    EXPECT_EQ(slotHex(c, 1) == std::string(72, '0'), k.cleared) << k.flags << "/" << k.length;
    EXPECT_EQ(wepKeyTextLimit(c, 1), k.cleared ? 0 : 2 * k.length);
    EXPECT_EQ(wepKeyText(c, 1).size(), k.cleared ? 0u : 2u * k.length);
  }
}

TEST(WirelessRules, WepSlotStored) {
  const std::string head40 = "01000500", head128 = "01000D00";
  struct Case {
    const char* name;
    int size;
    const char* text;
    std::string slot;  // the 36 bytes as hex
  } cases[] = {
      {"disabled drops the key", WepKeyDisabled, "0123456789", std::string(72, '0')},
      {"40 bit", WepKey40, "0123456789", head40 + "0123456789" + std::string(54, '0')},
      {"lower case", WepKey40, "abcdef0123", head40 + "ABCDEF0123" + std::string(54, '0')},
      {"40 bit takes five bytes", WepKey40, "0123456789ABCDEF", head40 + "0123456789" + std::string(54, '0')},
      {"short key padded", WepKey128, "0123", head128 + "0123" + std::string(60, '0')},
      {"half a byte is dropped", WepKey128, "ABC", head128 + "AB" + std::string(62, '0')},
      {"stops at a non-digit", WepKey40, "12X456", head40 + "12" + std::string(62, '0')},
      {"no size shown is 40 bit", -1, "", head40 + std::string(64, '0')},
  };
  for (const auto& k : cases) {
    ApConfig c = defaults();
    std::fill_n(c.bytes.begin() + static_cast<std::ptrdiff_t>(wepSlotOffset(2)), cfg::WepKeyEntrySize, 0xEE);
    storeWepSlot(c, 2, k.size, k.text);
    EXPECT_EQ(slotHex(c, 2), k.slot) << k.name;
  }
}

TEST(WirelessRules, DefaultTxKey) {
  struct Case {
    const char* name;
    unsigned present;
    std::uint16_t defTx;
    std::uint16_t after;
    std::vector<int> offered;
  } cases[] = {
      {"present key stays", 0b1010, 3, 3, {2, 4}},
      {"absent key moves to the first", 0b1001, 2, 0, {1, 4}},
      {"above 3 is 0 first", 0b0100, 7, 2, {3}},
      {"none present: left", 0b0000, 2, 2, {}},
  };
  for (const auto& k : cases) {
    ApConfig c = withKeys(k.present);
    c.setU16(cfg::WepDefTxKey, k.defTx);
    EXPECT_EQ(normaliseDefaultTxKey(c), k.offered) << k.name;
    EXPECT_EQ(c.u16(cfg::WepDefTxKey), k.after) << k.name;
  }

  struct Stored {
    const char* name;
    unsigned present;
    std::optional<std::uint32_t> number;
    std::uint16_t after;
  } stored[] = {
      {"number 4", 0b1111, 4, 3},
      {"number 9 is key 1", 0b1111, 9, 0},
      {"number 0 is key 1", 0b0011, 0, 0},
      {"absent key", 0b0110, 4, 1},
      {"no number leaves it", 0b1111, std::nullopt, 2},
  };
  for (const auto& k : stored) {
    ApConfig c = withKeys(k.present);
    c.setU16(cfg::WepDefTxKey, 2);
    storeDefaultTxKey(c, k.number);
    EXPECT_EQ(c.u16(cfg::WepDefTxKey), k.after) << k.name;
  }
}

TEST(WirelessRules, LastKeyStays) {
  EXPECT_FALSE(wepKeySizeChangeAllowed(withKeys(0b0001), 0, WepKeyDisabled));
  EXPECT_TRUE(wepKeySizeChangeAllowed(withKeys(0b0001), 0, WepKey128));
  EXPECT_TRUE(wepKeySizeChangeAllowed(withKeys(0b1001), 0, WepKeyDisabled));
  // A slot already absent may be "switched off" again; the present one holds.
  EXPECT_TRUE(wepKeySizeChangeAllowed(withKeys(0b0001), 2, WepKeyDisabled));
}

TEST(WirelessRules, RoamingRanges) {
  struct Case {
    std::uint16_t threshold, thresholdAfter, sampling, samplingAfter;
  } cases[] = {{80, 80, 3, 3},     {81, 80, 0, 1},        {49, 50, 11, 10}, {0, 50, 1, 1},
               {151, 150, 10, 10}, {200, 150, 65535, 10}, {149, 148, 5, 5}};
  for (const auto& k : cases) {
    ApConfig c = defaults();
    c.setU16(cfg::RoamRoamingThreshold, k.threshold);
    c.setU16(cfg::RoamSampligTime, k.sampling);
    normaliseRoaming(c);
    EXPECT_EQ(c.u16(cfg::RoamRoamingThreshold), k.thresholdAfter) << k.threshold;
    EXPECT_EQ(c.u16(cfg::RoamSampligTime), k.samplingAfter) << k.sampling;
  }
  EXPECT_EQ(roamingThresholdChoices().size(), 51u);
  EXPECT_EQ(roamingThresholdChoices().back(), 150);
  EXPECT_EQ(samplingTimeChoices().size(), 10u);
}

TEST(WirelessRules, RoamingView) {
  struct Case {
    const char* name;
    std::uint16_t unitType, extend, speed;
    bool extendedEnabled, controls, borders, speedChecked;
  } cases[] = {
      {"access point", 0, 1, 1, false, false, false, true},
      {"station, roaming off", 1, 0, 1, true, false, false, true},
      {"station, roaming on", 1, 1, 0, true, true, false, false},
      {"station, speed control on", 1, 1, 1, true, true, true, true},
      {"speed switch 2 shows checked but not usable", 1, 1, 2, true, true, false, true},
  };
  for (const auto& k : cases) {
    ApConfig c = defaults();
    c.setU16(cfg::ModeSw, 0);
    c.setU16(cfg::NetworkMode, 1);
    c.setU16(cfg::UnitType, k.unitType);
    c.setU16(cfg::RoamExtendCtrl, k.extend);
    c.setU16(cfg::SpeedThreshold, k.speed);
    RoamingView v = normaliseRoaming(c);
    EXPECT_EQ(v.extendedEnabled, k.extendedEnabled) << k.name;
    EXPECT_EQ(v.controlsEnabled, k.controls) << k.name;
    EXPECT_EQ(v.bordersEnabled, k.borders) << k.name;
    EXPECT_EQ(v.speedControl, k.speedChecked) << k.name;
  }
}

TEST(WirelessRules, ExtendedRoamingOffIsOneChannel) {
  ApConfig c = defaults();
  c.setU16(cfg::ChannelCount, 3);
  setExtendedRoaming(c, true, 1);
  EXPECT_EQ(c.u16(cfg::RoamExtendCtrl), 1);
  EXPECT_EQ(c.u16(cfg::ChannelCount), 3);
  setExtendedRoaming(c, false, 1);
  EXPECT_EQ(c.u16(cfg::RoamExtendCtrl), 0);
  EXPECT_EQ(c.u16(cfg::ChannelCount), 1);
  // All channels free: the default channel is the one kept, never channel 0.
  c.setU16(cfg::ChannelCount, 0);
  c.setU16(cfg::Channels, 0);
  setExtendedRoaming(c, false, 7);
  EXPECT_EQ(c.u16(cfg::ChannelCount), 1);
  EXPECT_EQ(c.u16(cfg::Channels), 7);
}

TEST(WirelessRules, NewPriorityEntry) {
  ApConfig c = defaults();
  setPriorities(c, {1, 2});
  setPriorityAp(c, 2, mac(9));  // left over behind the used entries
  auto index = beginNewPriorityAp(c);
  ASSERT_EQ(index, 2u);
  EXPECT_TRUE(priorityAp(c, 2).isZero());
  EXPECT_EQ(c.u16(cfg::PriorityCount), 2);
  addPriorityAp(c);
  EXPECT_EQ(priorityLasts(c), (std::vector<int>{1, 2, 0}));

  setPriorities(c, {1, 2, 3, 4, 5});
  EXPECT_EQ(beginNewPriorityAp(c), std::nullopt);
  c.setU16(cfg::PriorityCount, 9);
  EXPECT_EQ(beginNewPriorityAp(c), std::nullopt);
  EXPECT_EQ(priorityRows(c), 5u);
}

TEST(WirelessRules, PriorityDuplicates) {
  ApConfig c = defaults();
  setPriorities(c, {1, 2, 3});
  EXPECT_TRUE(priorityAddressTaken(c, 0, mac(3)));
  EXPECT_FALSE(priorityAddressTaken(c, 2, mac(3)));  // its own address
  EXPECT_FALSE(priorityAddressTaken(c, 3, mac(4)));
  // Only used entries count, however many PriorityCount claims.
  setPriorityAp(c, 3, mac(7));
  EXPECT_FALSE(priorityAddressTaken(c, 0, mac(7)));
  c.setU16(cfg::PriorityCount, 40);
  EXPECT_TRUE(priorityAddressTaken(c, 0, mac(7)));
}

TEST(WirelessRules, DeletePriorityEntries) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> entries;
    std::vector<std::size_t> rows;
    std::vector<int> left;
  } cases[] = {
      {"rows 1 and 3 of five", {1, 2, 3, 4, 5}, {0, 2}, {2, 4, 5}},
      {"the last", {1, 2, 3}, {2}, {1, 2}},
      {"all", {1, 2}, {1, 0}, {}},
      {"a row past the list", {1, 2}, {4}, {1, 2}},
  };
  for (const auto& k : cases) {
    ApConfig c = defaults();
    for (std::size_t i = 0; i < kPriorityApMax; ++i) setPriorityAp(c, i, mac(0xEE));
    setPriorities(c, k.entries);
    deletePriorityAps(c, k.rows);
    EXPECT_EQ(priorityLasts(c), k.left) << k.name;
    for (std::size_t i = k.left.size(); i < kPriorityApMax; ++i) EXPECT_TRUE(priorityAp(c, i).isZero()) << k.name;
  }
}

}  // namespace
}  // namespace trennic
