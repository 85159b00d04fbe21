// The rules of the SNMP and Spanning Tree pages.
#include "core/config/snmp_stp_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace trennic {
namespace {

TEST(SnmpRules, AccessAboveReadAndWriteReadsAsReadAndWrite) {
  struct Case {
    std::uint16_t stored, shown;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{7, 1}, Case{65535, 1}})
    EXPECT_EQ(snmpAccessShown(c.stored), c.shown) << c.stored;
}

TEST(SnmpRules, TheAgentGatesEverythingAndTheTrapFieldsNeedADestination) {
  struct Case {
    const char* why;
    std::uint16_t agent;
    Ipv4 trap;
    bool agentFields, trapOctets;
  };
  for (const Case& c : {Case{"agent on, no trap", 1, 0, true, false},
                        Case{"agent on, trap set", 1, ipv4FromOctets(10, 0, 0, 1), true, true},
                        Case{"any non-zero word turns the agent on", 9, ipv4FromOctets(0, 0, 0, 1), true, true},
                        Case{"agent off greys out even a set trap", 0, ipv4FromOctets(10, 0, 0, 1), false, false}}) {
    const SnmpEnabling e = snmpEnabling(c.agent, c.trap);
    EXPECT_EQ(e.agentFields, c.agentFields) << c.why;
    EXPECT_EQ(e.trapOctets, c.trapOctets) << c.why;
  }
}

TEST(SnmpRules, TrapOctetTexts) {
  struct Case {
    const char* text;
    std::uint8_t octet;
  };
  for (const Case& c : {Case{"", 0}, Case{"0", 0}, Case{"255", 255}, Case{"01", 1}, Case{"300", 44},
                        Case{"abc", 0}, Case{"99999999999", 255}})
    EXPECT_EQ(trapOctetFromText(c.text), c.octet) << '"' << c.text << '"';
}

TEST(SnmpRules, TrapDestinationOnlyWhenTicked) {
  EXPECT_EQ(trapDestinationFromTexts(true, {"192", "168", "", "7"}), ipv4FromOctets(192, 168, 0, 7));
  EXPECT_EQ(trapDestinationFromTexts(false, {"192", "168", "1", "7"}), 0u);
  EXPECT_EQ(trapDestinationFromTexts(true, {"0", "0", "0", "0"}), 0u);
  EXPECT_FALSE(snmpTrapSent(trapDestinationFromTexts(true, {"0", "0", "0", "0"})));
}

TEST(SnmpRules, TextsKeepThirtyOneBytesWithoutSplittingACharacter) {
  struct Case {
    const char* why;
    std::string text, kept;
  };
  const std::string pair = "\x82\xa0";  // one double-byte character
  for (const Case& c : {Case{"short text as it is", "public", "public"},
                        Case{"exactly 31 kept", std::string(31, 'c'), std::string(31, 'c')},
                        Case{"40 cut to 31", std::string(40, 'c'), std::string(31, 'c')},
                        Case{"a pair across the end is dropped whole", std::string(30, 'c') + pair,
                             std::string(30, 'c')},
                        Case{"a pair ending on byte 31 stays", std::string(29, 'c') + pair + "c",
                             std::string(29, 'c') + pair},
                        Case{"a NUL ends the text", std::string("ab\0cd", 5), "ab"}})
    EXPECT_EQ(snmpFieldText(c.text, TextEncoding::shiftJis()), c.kept) << c.why;
  // In windows-1252 "é" is one byte and fills byte 31 on its own.
  EXPECT_EQ(snmpFieldText(std::string(30, 'c') + "\xE9\xE9", TextEncoding::singleByte()),
            std::string(30, 'c') + "\xE9");
  EXPECT_EQ(snmpFieldText(std::string(30, 'c') + "\xE9\xE9", TextEncoding::shiftJis()), std::string(30, 'c'));
}

TEST(StpRules, FallbacksAreTheDefaultsOfTheRecord) {
  ConfigSet defaults;
  BuildDefaultConfig(defaults);
  for (const StpField& f : kStpFields) EXPECT_EQ(defaults.record.u16(f.offset), f.fallback) << f.offset;
}

TEST(StpRules, FieldTextsInsideTheirRangeOrTheFallback) {
  struct Case {
    const char* why;
    std::size_t field;  // index into kStpFields
    const char* text;
    std::uint16_t stored;
  };
  for (const Case& c : {Case{"empty priority", 0, "", 32768},
                        Case{"priority 0 is allowed", 0, "0", 0},
                        Case{"priority at its top", 0, "65535", 65535},
                        Case{"priority past 16 bits", 0, "65536", 32768},
                        Case{"max age short of its minimum", 1, "3", 20},
                        Case{"max age at its minimum", 1, "6", 6},
                        Case{"max age at its top", 1, "40", 40},
                        Case{"max age above", 1, "41", 20},
                        Case{"hello time 0", 2, "0", 2},
                        Case{"hello time leading zero", 2, "07", 7},
                        Case{"forward delay below", 3, "3", 15},
                        Case{"forward delay at its top", 3, "30", 30},
                        Case{"empty Ethernet cost", 4, "", 100},
                        Case{"Ethernet cost 0", 4, "0", 100},
                        Case{"empty wireless cost", 5, "", 500},
                        Case{"wireless cost past 32 bits", 5, "99999999999", 500},
                        Case{"no number", 5, "x", 500}})
    EXPECT_EQ(stpFieldValue(kStpFields[c.field], c.text), c.stored) << c.why;
}

TEST(StpRules, InfrastructureOutsideDipModeLocksThePage) {
  struct Case {
    const char* why;
    std::uint16_t modeSw, networkMode, stpFunc;
    bool function, fields;
  };
  for (const Case& c : {Case{"ad hoc, tree on", 0, 0, 1, true, true},
                        Case{"ad hoc, tree off", 0, 0, 0, true, false},
                        Case{"standard infrastructure", 0, 1, 1, false, false},
                        Case{"Wi-Fi mode", 0, 4, 1, false, false},
                        Case{"advanced mode, tree off", 0, 5, 0, false, false},
                        Case{"DIP switch, infrastructure", 1, 1, 1, true, true},
                        Case{"DIP switch, advanced, tree off", 1, 5, 0, true, false},
                        Case{"any non-zero function word", 1, 4, 2, true, true}}) {
    EXPECT_EQ(stpConfigurable(c.modeSw, c.networkMode), c.function) << c.why;
    const StpEnabling e = stpEnabling(c.modeSw, c.networkMode, c.stpFunc);
    EXPECT_EQ(e.function, c.function) << c.why;
    EXPECT_EQ(e.fields, c.fields) << c.why;
  }
}

}  // namespace
}  // namespace trennic
