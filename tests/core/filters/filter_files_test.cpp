#include "core/filters/filter_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace trennic {
namespace {

using trennic::testing::joinLines;
using trennic::testing::readBytes;
using trennic::testing::TempDir;
using trennic::testing::writeBytes;

// The files of these tests hold nothing but ASCII; the byte rule of the code
// page is the subject of its own tests below.
constexpr TextEncoding kText = TextEncoding::singleByte();

MacAddress lobby(std::uint8_t last) { return MacAddress{{0x00, 0x11, 0x22, 0x33, 0x44, last}}; }

ProtocolFilterEntry proto(std::uint32_t flags, std::uint16_t iface, std::uint16_t etherLow, std::uint16_t etherHigh,
                          std::uint16_t protoLow = 0, std::uint16_t protoHigh = 0, std::uint16_t portLow = 0,
                          std::uint16_t portHigh = 0) {
  ProtocolFilterEntry e;
  e.flags = flags;
  e.iface = iface;
  e.etherLow = etherLow;
  e.etherHigh = etherHigh;
  e.protoLow = protoLow;
  e.protoHigh = protoHigh;
  e.portLow = portLow;
  e.portHigh = portHigh;
  return e;
}

MacFilterEntry macEntry(std::uint16_t flags, const MacAddress& a1, const MacAddress& a2) {
  MacFilterEntry e;
  e.flags = flags;
  e.address1 = a1;
  e.address2 = a2;
  return e;
}

// ------------------------------------------------------------ number ranges

struct RangeCase {
  const char* rule;
  const char* text;
  std::optional<NumberRange> expected;
};
void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.rule; }
class NumberRangeRead : public ::testing::TestWithParam<RangeCase> {};

TEST_P(NumberRangeRead, Reads) { EXPECT_EQ(ParseNumberRange(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    FilterRules, NumberRangeRead,
    ::testing::Values(RangeCase{"Decimal", "80", NumberRange{80, 80}},
                      RangeCase{"HexWithPrefix", "0x0800", NumberRange{0x0800, 0x0800}},
                      RangeCase{"HexPrefixAnyCase", "0X05dd", NumberRange{0x05DD, 0x05DD}},
                      RangeCase{"TwoCharacterPrefixIsDecimalZero", "0x", NumberRange{0, 0}},
                      RangeCase{"HexPrefixWithoutDigitsRefused", "0xZZ", std::nullopt},
                      RangeCase{"Range", "1000-2000", NumberRange{1000, 2000}},
                      RangeCase{"RangeEndsPutInOrder", "0x9000-0x8000", NumberRange{0x8000, 0x9000}},
                      RangeCase{"EqualEndsAreSingle", "7-7", NumberRange{7, 7}},
                      RangeCase{"MixedBases", "1501-0x0600", NumberRange{0x05DD, 0x0600}},
                      RangeCase{"NotANumber", "abc", std::nullopt},
                      RangeCase{"Empty", "", std::nullopt},
                      RangeCase{"MissingUpperEnd", "5-", std::nullopt},
                      RangeCase{"MissingLowerEnd", "-5", std::nullopt},
                      RangeCase{"LeadingBlanksOfDecimal", "  42", NumberRange{42, 42}},
                      RangeCase{"TextAfterDigitsIgnored", "80abc", NumberRange{80, 80}},
                      RangeCase{"SplitAtFirstDashOnly", "1-2-3", NumberRange{1, 2}},
                      RangeCase{"KeptIn16Bits", "70000", NumberRange{4464, 4464}},
                      RangeCase{"HexKeptIn16Bits", "0x12345", NumberRange{0x2345, 0x2345}},
                      RangeCase{"HugeNumberStaysHuge", "99999999999999999999", NumberRange{0xFFFF, 0xFFFF}}),
    [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ entry values

struct MacValueCase {
  const char* rule;
  MacFilterEntry entry;
  int level;
  const char* text;
};
void PrintTo(const MacValueCase& c, std::ostream* os) { *os << c.rule; }
class MacValueWrite : public ::testing::TestWithParam<MacValueCase> {};

TEST_P(MacValueWrite, Formats) {
  EXPECT_EQ(formatMacFilterValue(GetParam().entry, GetParam().level), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    FilterRules, MacValueWrite,
    ::testing::Values(
        MacValueCase{"SingleBelowLevel3", macEntry(0x03, lobby(0x55), lobby(0x55)), 0, "00-11-22-33-44-55"},
        MacValueCase{"SingleAccessIsThirdField", macEntry(0x03, lobby(0x55), lobby(0x55)), 3, "00-11-22-33-44-55,,1"},
        MacValueCase{"RangeBelowLevel3", macEntry(0x11, lobby(0x00), lobby(0xFF)), 2,
                     "00-11-22-33-44-00,00-11-22-33-44-FF"},
        MacValueCase{"RangeWithAccess", macEntry(0x11, lobby(0x00), lobby(0xFF)), 3,
                     "00-11-22-33-44-00,00-11-22-33-44-FF,2"},
        MacValueCase{"DisabledWithBit1", macEntry(0x12, lobby(0x00), lobby(0xFF)), 255,
                     "00-11-22-33-44-00,00-11-22-33-44-FF,0"},
        MacValueCase{"SingleIgnoresAddress2", macEntry(0x00, lobby(0x55), lobby(0x66)), 3, "00-11-22-33-44-55,,0"}),
    [](const auto& info) { return std::string(info.param.rule); });

struct ProtoValueCase {
  const char* rule;
  ProtocolFilterEntry entry;
  const char* level3;
  const char* level0;
};
void PrintTo(const ProtoValueCase& c, std::ostream* os) { *os << c.rule; }
class ProtocolValueWrite : public ::testing::TestWithParam<ProtoValueCase> {};

TEST_P(ProtocolValueWrite, Formats) {
  EXPECT_EQ(formatProtocolFilterValue(GetParam().entry, 3), GetParam().level3);
  EXPECT_EQ(formatProtocolFilterValue(GetParam().entry, 0), GetParam().level0);
}

INSTANTIATE_TEST_SUITE_P(
    FilterRules, ProtocolValueWrite,
    ::testing::Values(
        ProtoValueCase{"NamedTypeProtocolAndPort", proto(0x22001, 1, 0x0800, 0x0800, 6, 6, 80, 80), "IP,TCP,80,2,1,2",
                       "IP,TCP,80"},
        ProtoValueCase{"ArpHasNoProtocolOrPort", proto(0x30003, 3, 0x0806, 0x0806, 6, 6, 80, 80), "ARP,,,3,3,1",
                       "ARP,,"},
        ProtoValueCase{"Ieee8023", proto(0x30003, 3, 0, 0), "802.3,,,3,3,1", "802.3,,"},
        ProtoValueCase{"NumberZeroIsNot8023", proto(0x30023, 2, 0, 0), "0x0000,,,3,2,1", "0x0000,,"},
        ProtoValueCase{"TypeRange", proto(0x30061, 3, 0x8000, 0x9000), "0x8000-0x9000,,,3,3,2", "0x8000-0x9000,,"},
        ProtoValueCase{"UserType", proto(0x30022, 3, 0x9000, 0x9000), "0x9000,,,3,3,0", "0x9000,,"},
        ProtoValueCase{"NamedTypeGivenAsNumberWrittenByName", proto(0x30023, 3, 0x0806, 0x0806), "ARP,,,3,3,1",
                       "ARP,,"},
        ProtoValueCase{"AllProtocols", proto(0x30103, 3, 0x0800, 0x0800), "IP,,,3,3,1", "IP,,"},
        ProtoValueCase{"ProtocolRangeAllPorts", proto(0x31603, 3, 0x0800, 0x0800, 1, 17), "IP,1-17,,3,3,1",
                       "IP,1-17,"},
        ProtoValueCase{"PortRange", proto(0x16003, 3, 0x0800, 0x0800, 17, 17, 1000, 2000), "IP,UDP,1000-2000,1,3,1",
                       "IP,UDP,1000-2000"},
        ProtoValueCase{"UserProtocol", proto(0x30203, 3, 0x0800, 0x0800, 47, 47), "IP,47,,3,3,1", "IP,47,"},
        ProtoValueCase{"IcmpPortSideWrittenAs3", proto(0x12003, 1, 0x0800, 0x0800, 1, 1, 80, 80), "IP,ICMP,,3,1,1",
                       "IP,ICMP,"},
        ProtoValueCase{"TypeRangeCoveringIp", proto(0x32263, 3, 0x0600, 0x0900, 6, 6, 23, 23),
                       "0x0600-0x0900,TCP,23,3,3,1", "0x0600-0x0900,TCP,23"},
        ProtoValueCase{"InterfaceOutsideItsListWrittenAsNumber", proto(0x30003, 9, 0x0806, 0x0806), "ARP,,,3,9,1",
                       "ARP,,"}),
    [](const auto& info) { return std::string(info.param.rule); });

struct ProtoReadCase {
  const char* rule;
  const char* value;
  std::optional<ProtocolFilterEntry> expected;
};
void PrintTo(const ProtoReadCase& c, std::ostream* os) { *os << c.rule; }
class ProtocolValueRead : public ::testing::TestWithParam<ProtoReadCase> {};

TEST_P(ProtocolValueRead, Reads) { EXPECT_EQ(parseProtocolFilterValue(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    FilterRules, ProtocolValueRead,
    ::testing::Values(
        ProtoReadCase{"AllSixFields", "IP,TCP,80,2,1,2", proto(0x22001, 1, 0x0800, 0x0800, 6, 6, 80, 80)},
        ProtoReadCase{"IpAsNumberIsNamedAndMissingFieldsDefault", "0x0800,UDP,1000-2000",
                      proto(0x36003, 3, 0x0800, 0x0800, 17, 17, 1000, 2000)},
        ProtoReadCase{"ArpIgnoresProtocolAndPort", "ARP,TCP,80", proto(0x30003, 3, 0x0806, 0x0806)},
        ProtoReadCase{"TypeRangeInOrder", "0x9000-0x8000", proto(0x30063, 3, 0x8000, 0x9000)},
        ProtoReadCase{"NamesIgnoreCase", "rarp", proto(0x30003, 3, 0x8035, 0x8035)},
        ProtoReadCase{"Ieee8023ByName", "802.3,,,,2", proto(0x30003, 2, 0, 0)},
        ProtoReadCase{"NumberZeroIsUserDefined", "0", proto(0x30023, 3, 0, 0)},
        ProtoReadCase{"MissingProtocolIsAll", "IP", proto(0x30103, 3, 0x0800, 0x0800)},
        ProtoReadCase{"ProtocolNumberOfNamedProtocol", "IP,6", proto(0x31003, 3, 0x0800, 0x0800, 6, 6)},
        ProtoReadCase{"UserProtocol", "IP,47,99", proto(0x30203, 3, 0x0800, 0x0800, 47, 47)},
        ProtoReadCase{"ProtocolRangeCoveringTcp", "IP,10-2,8080", proto(0x32603, 3, 0x0800, 0x0800, 2, 10, 8080, 8080)},
        ProtoReadCase{"IcmpSkipsPortAndPortSide", "IP,ICMP,80,1,2,0", proto(0x30002, 2, 0x0800, 0x0800, 1, 1)},
        ProtoReadCase{"MissingPortIsAllAndSideStays3", "IP,TCP,,1", proto(0x31003, 3, 0x0800, 0x0800, 6, 6)},
        ProtoReadCase{"PortSideOutsideOneToThreeKept3", "IP,TCP,21,4,0,7", proto(0x32003, 3, 0x0800, 0x0800, 6, 6, 21, 21)},
        ProtoReadCase{"AccessDisabledKeepsBit1", "ARP,,,,,0", proto(0x30002, 3, 0x0806, 0x0806)},
        ProtoReadCase{"FieldsPastSixIgnored", "ARP,,,,1,2,0", proto(0x30001, 1, 0x0806, 0x0806)},
        ProtoReadCase{"MissingTypeRefused", ",TCP,80", std::nullopt},
        ProtoReadCase{"BadTypeRefused", "IPX", std::nullopt},
        ProtoReadCase{"BadProtocolRefused", "IP,abc", std::nullopt},
        ProtoReadCase{"BadPortRefused", "IP,UDP,x", std::nullopt},
        ProtoReadCase{"BadProtocolOfNonIpTypeNotLookedAt", "ARP,abc,x", proto(0x30003, 3, 0x0806, 0x0806)},
        ProtoReadCase{"BlankInsideFieldIsPartOfIt", "IP, TCP", std::nullopt}),
    [](const auto& info) { return std::string(info.param.rule); });

struct MacReadCase {
  const char* rule;
  const char* value;
  MacFilterEntry expected;
};
void PrintTo(const MacReadCase& c, std::ostream* os) { *os << c.rule; }
class MacValueRead : public ::testing::TestWithParam<MacReadCase> {};

TEST_P(MacValueRead, Reads) { EXPECT_EQ(parseMacFilterValue(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    FilterRules, MacValueRead,
    ::testing::Values(
        MacReadCase{"Single", "00-11-22-33-44-55", macEntry(0x03, lobby(0x55), lobby(0x55))},
        MacReadCase{"RangeEndsInOrder", "00-11-22-33-44-FF,00-11-22-33-44-00", macEntry(0x13, lobby(0x00), lobby(0xFF))},
        MacReadCase{"EqualEndsAreSingle", "00-11-22-33-44-10,00-11-22-33-44-10,2",
                    macEntry(0x01, lobby(0x10), lobby(0x10))},
        MacReadCase{"AccessThirdFieldAfterEmptySecond", "00-11-22-33-44-55,,2", macEntry(0x01, lobby(0x55), lobby(0x55))},
        MacReadCase{"DisabledKeepsBit1", "00-11-22-33-44-55,,0", macEntry(0x02, lobby(0x55), lobby(0x55))},
        MacReadCase{"OtherAccessDigitIsPermission", "00-11-22-33-44-55,,3", macEntry(0x03, lobby(0x55), lobby(0x55))},
        MacReadCase{"AccessNotANumberIsPermission", "00-11-22-33-44-55,,x", macEntry(0x03, lobby(0x55), lobby(0x55))},
        MacReadCase{"LowerCaseHex", "00-11-22-33-44-ab", macEntry(0x03, lobby(0xAB), lobby(0xAB))},
        MacReadCase{"LeadingBlankOfValue", " 00-11-22-33-44-66", macEntry(0x03, lobby(0x66), lobby(0x66))},
        MacReadCase{"FirstFieldNotAnAddressReadsAsZero", "lobby printer", macEntry(0x03, {}, {})},
        MacReadCase{"UnreadableSecondFieldLeavesSingle", "00-11-22-33-44-55,nothing,2",
                    macEntry(0x01, lobby(0x55), lobby(0x55))},
        MacReadCase{"ZeroFirstFieldWithSecondMakesRange", "junk,00-11-22-33-44-55",
                    macEntry(0x13, {}, lobby(0x55))}),
    [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------------- files

// Tables in the form the reader produces, so that a save and a load give
// every byte back.
void fillTables(ApConfig& c) {
  MacFilterBlock m(c);
  m.setFilterOn(1);
  m.setOtherAccess(0);
  m.append(macEntry(0x03, lobby(0x55), lobby(0x55)));
  m.append(macEntry(0x11, lobby(0x00), lobby(0xFF)));
  m.append(macEntry(0x02, lobby(0x77), lobby(0x77)));
  m.append(macEntry(0x12, MacAddress{{0x02, 0, 0, 0, 0, 0}}, MacAddress{{0x02, 0, 0, 0, 0x10, 0}}));

  ProtocolFilterBlock p(c);
  p.setFilterOn(1);
  p.setOtherAccess(1);
  p.append(proto(0x22001, 1, 0x0800, 0x0800, 6, 6, 80, 80));
  p.append(proto(0x36003, 3, 0x0800, 0x0800, 17, 17, 1000, 2000));
  p.append(proto(0x30003, 3, 0x0806, 0x0806));
  p.append(proto(0x30061, 2, 0x8000, 0x9000));
  p.append(proto(0x30023, 3, 0, 0));
  p.append(proto(0x30002, 3, 0, 0));
  p.append(proto(0x30103, 3, 0x0800, 0x0800));
  p.append(proto(0x31603, 3, 0x0800, 0x0800, 1, 17));
  p.append(proto(0x12003, 3, 0x0800, 0x0800, 6, 6, 21, 21));
  p.append(proto(0x30203, 1, 0x0800, 0x0800, 47, 47));
  p.append(proto(0x30263, 3, 0x0600, 0x0900, 89, 89));
}

TEST(FilterFileRoundTrip, WriteThenReadGivesTheSameBlockBytes) {
  TempDir dir;
  ApConfig original;
  fillTables(original);
  std::string logf = dir.file(kMacFilterFileName), prtf = dir.file(kProtocolFilterFileName);
  ASSERT_EQ(WriteMacFilterSection(logf, ConstMacFilterBlock(original), true, 3, kText), 1);
  ASSERT_EQ(WriteProtocolFilterSection(prtf, ConstProtocolFilterBlock(original), true, 3, kText), 1);

  ApConfig loaded;
  loaded.bytes.fill(0xCC);
  EXPECT_EQ(ReadMacFilterSection(logf, MacFilterBlock(loaded), 3, kText), kFilterFileRead);
  EXPECT_EQ(ReadProtocolFilterSection(prtf, ProtocolFilterBlock(loaded), 3, kText), kFilterFileRead);
  EXPECT_TRUE(std::ranges::equal(loaded.span(kMacFilterOffset, kMacFilterSize),
                                 original.span(kMacFilterOffset, kMacFilterSize)));
  EXPECT_TRUE(std::ranges::equal(loaded.span(kProtocolFilterOffset, kProtocolFilterSize),
                                 original.span(kProtocolFilterOffset, kProtocolFilterSize)));
}

TEST(FilterFileRoundTrip, BothSectionsInOneFileLikeAConfigurationFile) {
  TempDir dir;
  ApConfig original;
  fillTables(original);
  std::string path = dir.file("config.txt");
  writeBytes(path, joinLines({"[Config]", "IPAddress=10.0.0.1"}));
  ini::Profile profile = ini::Profile::load(path);
  WriteMacFilterSection(profile, ConstMacFilterBlock(original), 3);
  WriteProtocolFilterSection(profile, ConstProtocolFilterBlock(original), 3);
  ASSERT_TRUE(profile.save(path));

  ApConfig loaded;
  ReadMacFilterSection(path, MacFilterBlock(loaded), 3, kText);
  ReadProtocolFilterSection(path, ProtocolFilterBlock(loaded), 3, kText);
  EXPECT_TRUE(std::ranges::equal(loaded.span(kMacFilterOffset, kMacFilterSize),
                                 original.span(kMacFilterOffset, kMacFilterSize)));
  EXPECT_TRUE(std::ranges::equal(loaded.span(kProtocolFilterOffset, kProtocolFilterSize),
                                 original.span(kProtocolFilterOffset, kProtocolFilterSize)));
  EXPECT_EQ(ini::getProfileString(path, "Config", "IPAddress", ""), "10.0.0.1");
}

// A filter section written into a file that goes on with a section named in
// the user's code page: windows-1252 names whose last letter is a byte of the
// Shift-JIS lead ranges, and Shift-JIS names whose second byte is ']' or a
// backslash. The entries land in the filter section, the other section keeps
// its own key, and the tables read back whole.
TEST(FilterFileRoundTrip, ASectionAfterTheFiltersNamedInTheCodePage) {
  struct Case {
    const char* why;
    TextEncoding encoding;
    std::string name;
  } cases[] = {
      {"e acute", TextEncoding::singleByte(), "Caf\xE9"},
      {"a grave", TextEncoding::singleByte(), "Voil\xE0"},
      {"u umlaut", TextEncoding::singleByte(), "M\xFC"},
      {"c cedilla", TextEncoding::singleByte(), "Gar\xE7"},
      {"right single quote", TextEncoding::singleByte(), "Bob\x92"},
      {"en dash", TextEncoding::singleByte(), "East \x96"},
      {"Shift-JIS kanji ending in 0x5C", TextEncoding::shiftJis(), "\x8E\xA6\x95\x5C"},
      {"Shift-JIS kana ending in ']'", TextEncoding::shiftJis(), "\x83\x5D"},
  };
  ApConfig original;
  fillTables(original);
  for (const auto& c : cases) {
    TempDir dir;
    std::string path = dir.file("filters");
    const std::string other = joinLines({"[" + c.name + "]", "Note=" + c.name});
    writeBytes(path, joinLines({"[" + std::string(kMacFilterSection) + "]", "APLoginFilter=Disabled",
                                "[" + std::string(kProtocolFilterSection) + "]", "ProtocolFilter=Disabled"}) +
                         other);
    ASSERT_EQ(WriteMacFilterSection(path, ConstMacFilterBlock(original), false, 3, c.encoding), 1) << c.why;
    ASSERT_EQ(WriteProtocolFilterSection(path, ConstProtocolFilterBlock(original), false, 3, c.encoding), 1)
        << c.why;
    EXPECT_NE(readBytes(path).find(other), std::string::npos) << c.why << ": the section was split";
    EXPECT_EQ(ini::getProfileString(path, c.name, "Note", "", ini::kValueBuffer, c.encoding), c.name) << c.why;

    ApConfig loaded;
    ASSERT_EQ(ReadMacFilterSection(path, MacFilterBlock(loaded), 3, c.encoding), kFilterFileRead);
    ASSERT_EQ(ReadProtocolFilterSection(path, ProtocolFilterBlock(loaded), 3, c.encoding), kFilterFileRead);
    EXPECT_TRUE(std::ranges::equal(loaded.span(kMacFilterOffset, kMacFilterSize),
                                   original.span(kMacFilterOffset, kMacFilterSize)))
        << c.why;
    EXPECT_TRUE(std::ranges::equal(loaded.span(kProtocolFilterOffset, kProtocolFilterSize),
                                   original.span(kProtocolFilterOffset, kProtocolFilterSize)))
        << c.why;
  }
}

TEST(FilterFileRoundTrip, BelowLevel3TheFixedValuesComeBack) {
  TempDir dir;
  ApConfig original;
  fillTables(original);
  MacFilterBlock(original).normalizeForLevel(0);
  ProtocolFilterBlock(original).normalizeForLevel(0);
  std::string path = dir.file("filters");
  WriteMacFilterSection(path, ConstMacFilterBlock(original), true, 0, kText);
  WriteProtocolFilterSection(path, ConstProtocolFilterBlock(original), false, 0, kText);

  ApConfig loaded;
  ReadMacFilterSection(path, MacFilterBlock(loaded), 0, kText);
  ReadProtocolFilterSection(path, ProtocolFilterBlock(loaded), 0, kText);
  MacFilterBlock m(loaded);
  ProtocolFilterBlock p(loaded);
  EXPECT_EQ(m.otherAccess(), 1) << "MAC traffic outside the list is let through";
  EXPECT_EQ(p.otherAccess(), 0) << "protocols outside the list are refused";
  ASSERT_EQ(m.entryCount(), 4);
  ASSERT_EQ(p.entryCount(), 11);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(m.entry(i), MacFilterBlock(original).entry(i)) << i;
  for (std::size_t i = 0; i < 11; ++i) {
    ProtocolFilterEntry want = ProtocolFilterBlock(original).entry(i);
    EXPECT_EQ(p.entry(i).access(), AccessPermit) << i;
    EXPECT_EQ(p.entry(i).iface, InterfaceAll) << i;
    EXPECT_EQ(p.entry(i).etherLow, want.etherLow) << i;
  }
}

// A table written into a file that holds anything at all reads back as it
// was: the entries are read from the section the profile writer writes to,
// and every line the reader would take for an old entry is gone.
TEST(FilterFileRoundTrip, WrittenIntoAnyFileTheTableReadsBack) {
  struct Case {
    const char* why;
    const char* text;
  };
  const Case cases[] = {
      {"a line with a bracket that opens no section",
       "[AP Login Filter Tables]\nNodeAddress=00-11-22-33-44-01\n[no section\nNodeAddress=00-11-22-33-44-02\n"},
      {"blanks inside the brackets", "[ AP Login Filter Tables ]\nNodeAddress=00-11-22-33-44-01\n"},
      {"a second copy of the section",
       "[AP Login Filter Tables]\nNodeAddress=00-11-22-33-44-01\n[Other]\nKey=1\n"
       "[AP Login Filter Tables]\nNodeAddress=00-11-22-33-44-02\n"},
      {"a control character before a bracket",
       "[AP Login Filter Tables]\nNodeAddress=00-11-22-33-44-01\n\x0B[Other]\nNodeAddress=00-11-22-33-44-02\n"},
      {"a control character before an old entry", "[AP Login Filter Tables]\n\x01NodeAddress=00-11-22-33-44-01\n"},
  };
  ApConfig original;
  fillTables(original);
  for (const Case& c : cases) {
    TempDir dir;
    std::string path = dir.file("config.txt");
    writeBytes(path, c.text);
    ASSERT_EQ(WriteMacFilterSection(path, ConstMacFilterBlock(original), false, 3, kText), 1) << c.why;
    ApConfig loaded;
    ReadMacFilterSection(path, MacFilterBlock(loaded), 3, kText);
    EXPECT_TRUE(std::ranges::equal(loaded.span(kMacFilterOffset, kMacFilterSize),
                                   original.span(kMacFilterOffset, kMacFilterSize)))
        << c.why << ": " << readBytes(path);
  }
}

TEST(FilterFileWrite, KeysInOrderWithOtherAccessFromLevel3) {
  TempDir dir;
  ApConfig c;
  fillTables(c);
  std::string path = dir.file("logflist");
  WriteMacFilterSection(path, ConstMacFilterBlock(c), true, 3, kText);
  EXPECT_EQ(readBytes(path), joinLines({"[AP Login Filter Tables]", "APLoginFilter=Enabled",
                                        "APLogFilOtherAccess=Disabled", "NodeAddress1=00-11-22-33-44-55,,1",
                                        "NodeAddress2=00-11-22-33-44-00,00-11-22-33-44-FF,2",
                                        "NodeAddress3=00-11-22-33-44-77,,0",
                                        "NodeAddress4=02-00-00-00-00-00,02-00-00-00-10-00,0"}));
  WriteMacFilterSection(path, ConstMacFilterBlock(c), true, 1, kText);
  EXPECT_EQ(readBytes(path), joinLines({"[AP Login Filter Tables]", "APLoginFilter=Enabled",
                                        "NodeAddress1=00-11-22-33-44-55",
                                        "NodeAddress2=00-11-22-33-44-00,00-11-22-33-44-FF",
                                        "NodeAddress3=00-11-22-33-44-77",
                                        "NodeAddress4=02-00-00-00-00-00,02-00-00-00-10-00"}));
}

TEST(FilterFileWrite, EmptyTableLeavesTheSectionWithItsHeadKeys) {
  TempDir dir;
  ApConfig c;
  std::string logf = dir.file("logflist"), prtf = dir.file("prtflist");
  WriteMacFilterSection(logf, ConstMacFilterBlock(c), true, 3, kText);
  WriteProtocolFilterSection(prtf, ConstProtocolFilterBlock(c), true, 0, kText);
  EXPECT_EQ(readBytes(logf),
            joinLines({"[AP Login Filter Tables]", "APLoginFilter=Disabled", "APLogFilOtherAccess=Disabled"}));
  EXPECT_EQ(readBytes(prtf), joinLines({"[Protocol Filter Tables]", "ProtocolFilter=Disabled"}));
}

TEST(FilterFileWrite, AddingToAFileReplacesTheOldSectionsKeysOnly) {
  TempDir dir;
  std::string path = dir.file("config.txt");
  writeBytes(path, joinLines({"[Config]", "ESSID=\"LocalGroup\"", "", "[AP Login Filter Tables]",
                              "APLoginFilter=Enabled", "APLogFilOtherAccess=Enabled", "NodeAddress1=00-11-22-33-44-01",
                              "NodeAddress2=00-11-22-33-44-02", "nodeaddress=00-11-22-33-44-03", "",
                              "[Protocol Filter Tables]", "ProtocolFilter=Enabled"}));
  ApConfig c;
  MacFilterBlock m(c);
  m.append(macEntry(0x03, lobby(0x09), lobby(0x09)));
  ASSERT_EQ(WriteMacFilterSection(path, ConstMacFilterBlock(c), false, 0, kText), 1);
  EXPECT_EQ(readBytes(path), joinLines({"[Config]", "ESSID=\"LocalGroup\"", "", "[AP Login Filter Tables]",
                                        "APLoginFilter=Disabled", "NodeAddress1=00-11-22-33-44-09", "",
                                        "[Protocol Filter Tables]", "ProtocolFilter=Enabled"}));
}

TEST(FilterFileWrite, HeadValuesOutsideTheWordListAreWrittenAsNumbers) {
  TempDir dir;
  ApConfig c;
  MacFilterBlock m(c);
  m.setFilterOn(2);
  m.setOtherAccess(0xFFFF);
  ProtocolFilterBlock p(c);
  p.setFilterOn(7);
  p.setOtherAccess(1);
  std::string path = dir.file("filters");
  WriteMacFilterSection(path, ConstMacFilterBlock(c), true, 3, kText);
  WriteProtocolFilterSection(path, ConstProtocolFilterBlock(c), false, 3, kText);
  EXPECT_EQ(ini::getProfileString(path, kMacFilterSection, "APLoginFilter", ""), "2");
  EXPECT_EQ(ini::getProfileString(path, kMacFilterSection, "APLogFilOtherAccess", ""), "65535");
  EXPECT_EQ(ini::getProfileString(path, kProtocolFilterSection, "ProtocolFilter", ""), "7");

  // Read back, a number is no switch word: the start values stay.
  ApConfig loaded;
  ReadMacFilterSection(path, MacFilterBlock(loaded), 3, kText);
  ReadProtocolFilterSection(path, ProtocolFilterBlock(loaded), 3, kText);
  EXPECT_EQ(MacFilterBlock(loaded).filterOn(), 0);
  EXPECT_EQ(MacFilterBlock(loaded).otherAccess(), 1);
  EXPECT_EQ(ProtocolFilterBlock(loaded).filterOn(), 0);
  EXPECT_EQ(ProtocolFilterBlock(loaded).otherAccess(), 1);
}

TEST(FilterFileWrite, CountBeyondTheTableWritesOnlyTheTable) {
  TempDir dir;
  ApConfig c;
  ProtocolFilterBlock p(c);
  p.setEntryCount(5000);
  std::string path = dir.file("prtflist");
  WriteProtocolFilterSection(path, ConstProtocolFilterBlock(c), true, 3, kText);
  ini::Profile written = ini::Profile::load(path);
  EXPECT_EQ(written.keys(kProtocolFilterSection).size(), 2u + 256u);
  EXPECT_TRUE(written.value(kProtocolFilterSection, "ProtocolType256").has_value());
}

TEST(FilterFileWrite, UnwritablePathReportsZero) {
  TempDir dir;
  ApConfig c;
  EXPECT_EQ(WriteMacFilterSection(dir.path().string(), ConstMacFilterBlock(c), true, 3, kText), 0);
  EXPECT_EQ(
      WriteProtocolFilterSection(dir.file("no/such/folder/prtflist"), ConstProtocolFilterBlock(c), true, 3, kText),
      0);
}

// ----------------------------------------------------------------- reading

TEST(FilterFileRead, HandEditedMacFile) {
  TempDir dir;
  std::string path = dir.file("logflist");
  writeBytes(path, joinLines({"# filters for the lobby, \x83\x5C\x83\x74\x83\x67 edited by hand",
                              "[Config]", "NodeAddress1=00-00-00-00-00-01", "",
                              "  [ap login FILTER tables]  ", "aploginfilter = enabled",
                              "APLogFilOtherAccess=\"Disabled\"",
                              "NodeAddress=00-11-22-33-44-55",
                              "\tNODEADDRESS99 = 00-11-22-33-44-66   ",
                              "NodeAddress1=00-11-22-33-44-77 # lobby",
                              "# NodeAddress5=00-11-22-33-44-88",
                              "NodeAddress6=",
                              "NodeAddress7",
                              "NodeAddressX=00-11-22-33-44-FF,00-11-22-33-44-00,2",
                              "SomethingElse=00-11-22-33-44-99",
                              "nodeaddress8=00-11-22-33-44-10,00-11-22-33-44-10,0 \x83\x5C",
                              "[Next]", "NodeAddress9=00-00-00-00-00-09"},
                             "\r\n"));
  ApConfig c;
  ASSERT_EQ(ReadMacFilterSection(path, MacFilterBlock(c), 3, kText), kFilterFileRead);
  MacFilterBlock m(c);
  EXPECT_EQ(m.filterOn(), 1);
  EXPECT_EQ(m.otherAccess(), 0);
  ASSERT_EQ(m.entryCount(), 5);
  EXPECT_EQ(m.entry(0), macEntry(0x03, lobby(0x55), lobby(0x55)));
  EXPECT_EQ(m.entry(1), macEntry(0x03, lobby(0x66), lobby(0x66)));
  EXPECT_EQ(m.entry(2), macEntry(0x03, lobby(0x77), lobby(0x77)));
  EXPECT_EQ(m.entry(3), macEntry(0x11, lobby(0x00), lobby(0xFF)));
  EXPECT_EQ(m.entry(4), macEntry(0x02, lobby(0x10), lobby(0x10)));
}

TEST(FilterFileRead, HandEditedProtocolFile) {
  TempDir dir;
  std::string path = dir.file("prtflist");
  writeBytes(path, joinLines({"[Protocol Filter Tables]", "ProtocolFilter=ENABLED", "ProtFilOtherAccess=Enabled",
                              "ProtocolType1=   IP,TCP,80,2,1,2   # web, Ethernet only",
                              "protocoltype=IP,abc,80", "ProtocolType=0x0800,UDP,1000-2000",
                              "PROTOCOLTYPE3 =ARP,TCP,80", "ProtocolType4=0x9000-0x8000", "ProtocolType5=",
                              "ProtocolType6=,TCP"}));
  ApConfig c;
  ASSERT_EQ(ReadProtocolFilterSection(path, ProtocolFilterBlock(c), 3, kText), kFilterFileRead);
  ProtocolFilterBlock p(c);
  EXPECT_EQ(p.filterOn(), 1);
  EXPECT_EQ(p.otherAccess(), 1);
  ASSERT_EQ(p.entryCount(), 4);
  EXPECT_EQ(p.entry(0), proto(0x22001, 1, 0x0800, 0x0800, 6, 6, 80, 80));
  EXPECT_EQ(p.entry(1), proto(0x36003, 3, 0x0800, 0x0800, 17, 17, 1000, 2000));
  EXPECT_EQ(p.entry(2), proto(0x30003, 3, 0x0806, 0x0806));
  EXPECT_EQ(p.entry(3), proto(0x30063, 3, 0x8000, 0x9000));
}

struct HeadCase {
  const char* rule;
  std::string file;
  int level;
  std::uint16_t macOn, macOther, protoOn, protoOther;
};
void PrintTo(const HeadCase& c, std::ostream* os) { *os << c.rule; }
class FilterHeadRead : public ::testing::TestWithParam<HeadCase> {};

TEST_P(FilterHeadRead, Settings) {
  const auto& c = GetParam();
  TempDir dir;
  std::string path = dir.file("filters");
  writeBytes(path, c.file);
  ApConfig record;
  ReadMacFilterSection(path, MacFilterBlock(record), c.level, kText);
  ReadProtocolFilterSection(path, ProtocolFilterBlock(record), c.level, kText);
  EXPECT_EQ(MacFilterBlock(record).filterOn(), c.macOn);
  EXPECT_EQ(MacFilterBlock(record).otherAccess(), c.macOther);
  EXPECT_EQ(ProtocolFilterBlock(record).filterOn(), c.protoOn);
  EXPECT_EQ(ProtocolFilterBlock(record).otherAccess(), c.protoOther);
}

const std::string kAllOff = joinLines({"[AP Login Filter Tables]", "APLoginFilter=Disabled",
                                       "APLogFilOtherAccess=Disabled", "[Protocol Filter Tables]",
                                       "ProtocolFilter=Disabled", "ProtFilOtherAccess=Disabled"});
const std::string kAllOn = joinLines({"[AP Login Filter Tables]", "APLoginFilter=Enabled",
                                      "APLogFilOtherAccess=Enabled", "[Protocol Filter Tables]",
                                      "ProtocolFilter=Enabled", "ProtFilOtherAccess=Enabled"});

INSTANTIATE_TEST_SUITE_P(
    FilterRules, FilterHeadRead,
    ::testing::Values(
        HeadCase{"MissingKeysGiveStartValues", "[AP Login Filter Tables]\n[Protocol Filter Tables]\n", 3, 0, 1, 0, 0},
        HeadCase{"AllOffAtLevel3", kAllOff, 3, 0, 0, 0, 0},
        HeadCase{"AllOnAtLevel3", kAllOn, 3, 1, 1, 1, 1},
        HeadCase{"OtherAccessNotReadBelowLevel3", kAllOff, 2, 0, 1, 0, 0},
        HeadCase{"OtherAccessNotReadBelowLevel3On", kAllOn, 0, 1, 1, 1, 0},
        HeadCase{"WordsIgnoreCase",
                 "[AP Login Filter Tables]\nAPLoginFilter=eNaBlEd\n[Protocol Filter Tables]\nProtFilOtherAccess=ENABLED\n",
                 255, 1, 1, 0, 1},
        HeadCase{"OtherWordsLeaveStartValues",
                 "[AP Login Filter Tables]\nAPLoginFilter=On\nAPLogFilOtherAccess=0\n[Protocol Filter Tables]\n"
                 "ProtocolFilter=1\nProtFilOtherAccess=yes\n",
                 3, 0, 1, 0, 0}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(FilterFileRead, MissingFileClearsTheBlockAndReportsOne) {
  TempDir dir;
  ApConfig c;
  c.bytes.fill(0xAB);
  EXPECT_EQ(ReadMacFilterSection(dir.file("logflist"), MacFilterBlock(c), 3, kText), kFilterFileMissing);
  EXPECT_EQ(ReadProtocolFilterSection(dir.path().string(), ProtocolFilterBlock(c), 3, kText), kFilterFileMissing);
  ApConfig want;
  want.bytes.fill(0xAB);
  MacFilterBlock(want).clear();
  MacFilterBlock(want).setOtherAccess(1);
  ProtocolFilterBlock(want).clear();
  EXPECT_EQ(c, want);
}

TEST(FilterFileRead, FileWithoutTheSectionGivesAnEmptyTable) {
  TempDir dir;
  std::string path = dir.file("other.ini");
  writeBytes(path, joinLines({"[Environment]", "NodeAddress1=00-11-22-33-44-55", "ProtocolType1=IP"}));
  ApConfig c;
  EXPECT_EQ(ReadMacFilterSection(path, MacFilterBlock(c), 3, kText), kFilterFileRead);
  EXPECT_EQ(ReadProtocolFilterSection(path, ProtocolFilterBlock(c), 3, kText), kFilterFileRead);
  EXPECT_EQ(MacFilterBlock(c).entryCount(), 0);
  EXPECT_EQ(ProtocolFilterBlock(c).entryCount(), 0);
}

struct SectionLineCase {
  const char* rule;
  const char* header;
  bool opens;
};
void PrintTo(const SectionLineCase& c, std::ostream* os) { *os << c.rule; }
class FilterSectionLine : public ::testing::TestWithParam<SectionLineCase> {};

TEST_P(FilterSectionLine, OpensTheSection) {
  TempDir dir;
  std::string path = dir.file("logflist");
  writeBytes(path, joinLines({GetParam().header, "NodeAddress=00-11-22-33-44-55"}));
  ApConfig c;
  ReadMacFilterSection(path, MacFilterBlock(c), 3, kText);
  EXPECT_EQ(MacFilterBlock(c).entryCount(), GetParam().opens ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(FilterRules, FilterSectionLine,
                         ::testing::Values(SectionLineCase{"Exact", "[AP Login Filter Tables]", true},
                                           SectionLineCase{"AnyCase", "[ap login filter TABLES]", true},
                                           SectionLineCase{"BlanksAroundLine", " \t[AP Login Filter Tables] ", true},
                                           SectionLineCase{"TextAfterBracket", "[AP Login Filter Tables]x", true},
                                           SectionLineCase{"CommentAfterBracket", "[AP Login Filter Tables] # x", true},
                                           SectionLineCase{"BlankInsideBracket", "[ AP Login Filter Tables]", true},
                                           SectionLineCase{"LongerName", "[AP Login Filter Tables2]", false},
                                           SectionLineCase{"NoCloseBracket", "[AP Login Filter Tables", false},
                                           SectionLineCase{"CommentedOut", "#[AP Login Filter Tables]", false},
                                           SectionLineCase{"Utf8Mark", "\xEF\xBB\xBF[AP Login Filter Tables]", true}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(FilterFileRead, EntriesPastTheTableAreDropped) {
  TempDir dir;
  std::string logf = dir.file("logflist"), prtf = dir.file("prtflist");
  std::string macText = "[AP Login Filter Tables]\n", protoText = "[Protocol Filter Tables]\n";
  for (int i = 0; i < 1100; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "NodeAddress%d=00-11-22-33-%02X-%02X\n", i + 1, i >> 8, i & 0xFF);
    macText += line;
    protoText += "ProtocolType=" + std::to_string(1501 + i) + "\n";
  }
  writeBytes(logf, macText);
  writeBytes(prtf, protoText);
  ApConfig c;
  EXPECT_EQ(ReadMacFilterSection(logf, MacFilterBlock(c), 3, kText), kFilterFileRead);
  EXPECT_EQ(ReadProtocolFilterSection(prtf, ProtocolFilterBlock(c), 3, kText), kFilterFileRead);
  EXPECT_EQ(MacFilterBlock(c).entryCount(), 1024);
  EXPECT_EQ(MacFilterBlock(c).entry(1023).address1, (MacAddress{{0x00, 0x11, 0x22, 0x33, 0x03, 0xFF}}));
  EXPECT_EQ(ProtocolFilterBlock(c).entryCount(), 256);
  EXPECT_EQ(ProtocolFilterBlock(c).entry(255).etherLow, 1501 + 255);
}

TEST(FilterFileRead, LinesAreCutAfter254Characters) {
  TempDir dir;
  std::string path = dir.file("logflist");
  std::string padded = "NodeAddress=00-11-22-33-44-55,," + std::string(254 - 31 - 1, ' ') + "2";  // 254 in all
  std::string tooLong = "NodeAddress=00-11-22-33-44-66,," + std::string(254 - 31, ' ') + "2";   // the 2 is cut
  std::string hidden = std::string(300, ' ') + "NodeAddress=00-11-22-33-44-77";
  std::string huge = "NodeAddress=00-11-22-33-44-88," + std::string(1 << 20, 'x');
  writeBytes(path, joinLines({"[AP Login Filter Tables]", padded, tooLong, hidden, huge}));
  ApConfig c;
  ReadMacFilterSection(path, MacFilterBlock(c), 3, kText);
  MacFilterBlock m(c);
  ASSERT_EQ(m.entryCount(), 3);
  EXPECT_EQ(m.entry(0), macEntry(0x01, lobby(0x55), lobby(0x55)));
  EXPECT_EQ(m.entry(1), macEntry(0x03, lobby(0x66), lobby(0x66)));
  EXPECT_EQ(m.entry(2), macEntry(0x03, lobby(0x88), lobby(0x88)));
}

// Entries end where the profile reader ends its lines, so the head keys and
// the entries of one file never disagree about where a line is.
TEST(FilterFileRead, EntriesEndAtEveryKindOfLineEnd) {
  for (const std::string eol : {"\r", "\r\r\n", "\n", "\r\n"}) {
    TempDir dir;
    std::string path = dir.file("logflist");
    writeBytes(path, joinLines({"[AP Login Filter Tables]", "APLoginFilter=Enabled", "NodeAddress1=00-11-22-33-44-55",
                                "NodeAddress2=00-11-22-33-44-66,00-11-22-33-44-00", "[Next]",
                                "NodeAddress3=00-11-22-33-44-77"},
                               eol));
    ApConfig c;
    ASSERT_EQ(ReadMacFilterSection(path, MacFilterBlock(c), 3, kText), kFilterFileRead);
    MacFilterBlock m(c);
    EXPECT_EQ(m.filterOn(), 1);
    ASSERT_EQ(m.entryCount(), 2) << "line ends of " << eol.size() << " bytes";
    EXPECT_EQ(m.entry(0), macEntry(0x03, lobby(0x55), lobby(0x55)));
    EXPECT_EQ(m.entry(1), macEntry(0x13, lobby(0x00), lobby(0x66)));
  }
}

// The entries are those of the section as the profile reader finds it: the
// first of the name, up to the next section header. A second copy further on
// is read no more than its head keys are.
TEST(FilterFileRead, AnotherSectionHeaderClosesTheSection) {
  TempDir dir;
  std::string path = dir.file("prtflist");
  writeBytes(path, joinLines({"[Protocol Filter Tables]", "ProtocolType1=ARP", "[no header", "ProtocolType2=IP",
                              "[Protocol Filter Tables Old]", "ProtocolType1=RARP", "[Protocol Filter Tables]",
                              "ProtocolFilter=Enabled", "ProtocolType2=802.3"}));
  ApConfig c;
  ReadProtocolFilterSection(path, ProtocolFilterBlock(c), 3, kText);
  ProtocolFilterBlock p(c);
  EXPECT_EQ(p.filterOn(), 0);
  ASSERT_EQ(p.entryCount(), 2);
  EXPECT_EQ(p.entry(0).etherLow, 0x0806);
  EXPECT_EQ(p.entry(1).etherLow, 0x0800);
}

// Whatever a file holds, the reader ends, stays inside the table and leaves
// every byte outside the block alone.
TEST(FilterFileRead, ArbitraryBytesNeverBreakTheReader) {
  TempDir dir;
  std::string path = dir.file("noise");
  const char* pieces[] = {"[AP Login Filter Tables]", "[Protocol Filter Tables]", "NodeAddress", "ProtocolType",
                          "=", ",", "-", "0x", "#", "\r", "\n", "\x83", "\x5C", "\0", "99999999999", "FF", "IP",
                          " ", "\xEF\xBB\xBF", "]", "[", "00-11-22-33-44-55"};
  std::uint32_t x = 12345;
  auto next = [&] { return (x = x * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int i = 0, n = static_cast<int>(next() % 400); i < n; ++i) {
      if (next() % 4 == 0) {
        text.push_back(static_cast<char>(next() & 0xFF));
      } else {
        const char* p = pieces[next() % std::size(pieces)];
        text += *p ? std::string(p) : std::string(1, '\0');
      }
    }
    writeBytes(path, text);
    ApConfig c;
    c.bytes.fill(0x5A);
    ReadMacFilterSection(path, MacFilterBlock(c), 3, kText);
    ReadProtocolFilterSection(path, ProtocolFilterBlock(c), 0, kText);
    ASSERT_LE(MacFilterBlock(c).entryCount(), 1024);
    ASSERT_LE(ProtocolFilterBlock(c).entryCount(), 256);
    ASSERT_EQ(c.u16(kMacFilterOffset - 2), 0x5A5A);
    ASSERT_EQ(c.u16(kMacFilterOffset + kMacFilterSize), 0x5A5A);
    ASSERT_EQ(c.u16(kProtocolFilterOffset - 2), 0x5A5A);
    ASSERT_EQ(c.u32(kProtocolFilterOffset + kProtocolFilterSize), 0x5A5A5A5Au);
  }
}

}  // namespace
}  // namespace trennic
