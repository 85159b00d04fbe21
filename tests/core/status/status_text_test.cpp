// The Environment and Status pages' texts from the unit's two blocks.
#include <gtest/gtest.h>

#include <cstring>

#include "core/protocol/packet.h"
#include "core/status/status_text.h"

namespace trennic {
namespace {

std::string field(const std::vector<StatusField>& fields, const std::string& label) {
  for (const auto& f : fields)
    if (f.label == label) return f.text;
  return "<no such field>";
}

TEST(EnvironmentPage, AZeroedBlockReadsAsItsZeros) {
  StatusSnapshot s;
  s.clear();
  auto f = environmentFields(s);
  EXPECT_EQ(f.size(), 13u);
  EXPECT_EQ(f.front().label, "Loader Version:");
  EXPECT_EQ(f.back().label, "Card Type:");
  EXPECT_EQ(field(f, "Loader Version:"), "0.00");
  EXPECT_EQ(field(f, "Firmware Version:"), "0.00");
  EXPECT_EQ(field(f, "Firmware Version(Wireless Card):"), "0.0.0");
  EXPECT_EQ(field(f, "Hardware Version:"), "0x00");
  EXPECT_EQ(field(f, "Ethernet Address:"), "00-00-00-00-00-00");
  EXPECT_EQ(field(f, "IP Address:"), "0.0.0.0");
  EXPECT_EQ(field(f, "Network Mode:"), "ADHOC (Simple Mode)");
  EXPECT_EQ(field(f, "Unit Type:"), "Access Point");
  EXPECT_EQ(field(f, "Channel Number:"), "Unknown");
  EXPECT_EQ(field(f, "Card Type:"), "");
}

TEST(EnvironmentPage, FieldsOfAFilledBlock) {
  struct Case {
    const char* why;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
    const char* label;
    const char* text;
  };
  const Case cases[] = {
      {"version word", 0, {0x28, 0x01}, "Loader Version:", "1.40"},
      {"version word all ones", 0, {0xFF, 0xFF}, "Loader Version:", "-.--"},
      {"card firmware", 8, {1, 0, 0x0A, 0, 3, 0}, "Firmware Version(Wireless Card):", "1.A.3"},
      {"card firmware unknown", 8, {1, 0, 0x0A, 0, 0xFF, 0xFF}, "Firmware Version(Wireless Card):", "--.--.--"},
      {"hardware", 16, {0x1B, 0}, "Hardware Version:", "0x1B"},
      {"wireless MAC", 28, {0x02, 0x80, 0x92, 0xAB, 0xCD, 0xEF}, "Wireless MAC Address:", "02-80-92-AB-CD-EF"},
      {"gateway", 44, {10, 0, 0, 254}, "Default Gateway:", "10.0.0.254"},
      {"mode 1", 48, {1, 0, 0, 0}, "Network Mode:", "Infrastructure (Standard Mode)"},
      {"mode 2 has no text", 48, {2, 0, 0, 0}, "Network Mode:", ""},
      {"mode 5", 48, {5, 0, 0, 0}, "Network Mode:", "Infrastructure (Advanced Mode)"},
      {"mode 7 has no text", 48, {7, 0, 0, 0}, "Network Mode:", ""},
      {"station", 52, {1, 0, 0, 0}, "Unit Type:", "Station"},
      {"other type", 52, {2, 0, 0, 0}, "Unit Type:", ""},
      {"card type", 56, {'P', 'R', 'I', 'S', 'M', 0, 'x'}, "Card Type:", "PRISM"},
      {"free channel", 108, {0xFF, 0xFF, 0xFF, 0xFF}, "Channel Number:", "Free"},
      {"channel 11", 108, {11, 0, 0, 0}, "Channel Number:", "11"},
  };
  for (const Case& c : cases) {
    StatusSnapshot s;
    s.clear();
    std::memcpy(s.unitInfo.data() + c.offset, c.bytes.data(), c.bytes.size());
    EXPECT_EQ(field(environmentFields(s), c.label), c.text) << c.why;
  }
  // A card type that fills its 52 bytes has no terminator and stops there.
  StatusSnapshot s;
  s.clear();
  std::memset(s.unitInfo.data() + 56, 'A', 52);
  EXPECT_EQ(field(environmentFields(s), "Card Type:"), std::string(52, 'A'));
}

TEST(EnvironmentPage, ModelTwentyOneMarksItsFirmware) {
  StatusSnapshot s;
  s.clear();
  writeLe32(s.unitInfo.data() + 4, 0x0302);
  EXPECT_EQ(field(environmentFields(s), "Firmware Version:"), "3.02");
  writeLe16(s.unitInfo.data() + kUnitInfoModelOffset, 21);
  EXPECT_EQ(field(environmentFields(s), "Firmware Version:"), "3.02T");
  writeLe32(s.unitInfo.data() + 4, 0xFFFF);
  EXPECT_EQ(field(environmentFields(s), "Firmware Version:"), "-.--");
}

TEST(StatusPage, LedsDipSwitchesAndWirelessParameters) {
  StatusSnapshot s;
  s.clear();
  std::uint8_t* b = s.unitStatus.data();
  writeLe32(b + 0, 4000000000u);
  for (auto [i, v] : {std::pair{0, 0u}, {1, 2u}, {2, 3u}}) writeLe32(b + 16 + 4 * i, v);
  for (auto [i, v] : {std::pair{0, 1u}, {1, 2u}, {2, 0u}, {3, 0x00010001u}}) writeLe32(b + 88 + 4 * i, v);
  b[181] = 6;
  b[182] = 0x30;
  b[192] = 2;
  writeLe16(b + 166, 0x12);
  writeLe32(b + 168, 0xFFE01234);
  UnitStatusView v = unitStatusView(s);
  EXPECT_EQ(field(v.counters, "Auto Resets:"), "4000000000");
  EXPECT_TRUE(v.leds[0]);   // 0 lights
  EXPECT_FALSE(v.leds[1]);  // only 2 is off
  EXPECT_TRUE(v.leds[2]);
  EXPECT_EQ(v.dips[0], DipSwitch::On);
  EXPECT_EQ(v.dips[1], DipSwitch::Off);
  EXPECT_EQ(v.dips[2], DipSwitch::Neither);
  EXPECT_EQ(v.dips[3], DipSwitch::On);  // the low 16 bits count
  EXPECT_EQ(field(v.wireless, "Channel No.:"), "6");
  EXPECT_EQ(field(v.wireless, "Domain:"), "48");
  EXPECT_EQ(field(v.event, "Code:"), "0x0012");
  EXPECT_EQ(field(v.event, "PC:"), "0xFFE01234");
  // Firmware before 2.00 has no chip type.
  EXPECT_EQ(field(v.wireless, "Chip Type:"), "0");
  writeLe32(s.unitInfo.data() + 4, 0x0200);
  EXPECT_EQ(field(unitStatusView(s).wireless, "Chip Type:"), "2");
}

}  // namespace
}  // namespace trennic
