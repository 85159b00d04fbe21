#include "core/filters/filter_tables.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace trennic {
namespace {

MacAddress mac(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint8_t e, std::uint8_t f) {
  return MacAddress{{a, b, c, d, e, f}};
}
MacAddress lobby(std::uint8_t last) { return mac(0x00, 0x11, 0x22, 0x33, 0x44, last); }

MacFilterEntry single(const MacAddress& a, int access = AccessPermit) {
  return MacFilterEntry::make(a, a, false, access);
}
MacFilterEntry range(const MacAddress& a, const MacAddress& b, int access = AccessPermit) {
  return MacFilterEntry::make(a, b, true, access);
}

ProtocolFilterEntry proto(std::uint32_t flags, std::uint16_t etherLow, std::uint16_t etherHigh, std::uint16_t protoLow = 0,
                          std::uint16_t protoHigh = 0, std::uint16_t iface = InterfaceAll) {
  ProtocolFilterEntry e;
  e.flags = flags;
  e.iface = iface;
  e.etherLow = etherLow;
  e.etherHigh = etherHigh;
  e.protoLow = protoLow;
  e.protoHigh = protoHigh;
  return e;
}

void fillNoise(std::span<std::uint8_t> bytes, std::uint32_t seed) {
  std::uint32_t x = seed * 2654435761u + 1;
  for (auto& b : bytes) {
    x = x * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(x >> 16);
  }
}

bool allZero(std::span<const std::uint8_t> bytes) {
  for (auto b : bytes)
    if (b != 0) return false;
  return true;
}

// ------------------------------------------------------------------ access

struct AccessCase {
  const char* rule;
  std::uint32_t flags;
  int access;
};
void PrintTo(const AccessCase& c, std::ostream* os) { *os << c.rule; }
class AccessFromBits : public ::testing::TestWithParam<AccessCase> {};

TEST_P(AccessFromBits, Reads) { EXPECT_EQ(accessFromFlags(GetParam().flags), GetParam().access); }

INSTANTIATE_TEST_SUITE_P(FilterRules, AccessFromBits,
                         ::testing::Values(AccessCase{"Bit0ClearIsDisabled", 0x0000, AccessDisabled},
                                           AccessCase{"Bit0ClearWithBit1IsStillDisabled", 0x0002, AccessDisabled},
                                           AccessCase{"BothBitsArePermission", 0x0003, AccessPermit},
                                           AccessCase{"Bit0AloneIsRefusal", 0x0001, AccessRefuse},
                                           AccessCase{"PermittedRange", 0x0013, AccessPermit},
                                           AccessCase{"RefusedRange", 0x0011, AccessRefuse},
                                           AccessCase{"DisabledRange", 0x0010, AccessDisabled},
                                           AccessCase{"OtherBitsDontMatter", 0x32001, AccessRefuse}),
                         [](const auto& info) { return std::string(info.param.rule); });

struct AccessWriteCase {
  const char* rule;
  std::uint32_t before;
  int access;
  std::uint32_t after;
};
void PrintTo(const AccessWriteCase& c, std::ostream* os) { *os << c.rule; }
class AccessToBits : public ::testing::TestWithParam<AccessWriteCase> {};

TEST_P(AccessToBits, Writes) {
  const auto& c = GetParam();
  EXPECT_EQ(flagsWithAccess(c.before, c.access), c.after);
  MacFilterEntry m;
  m.flags = static_cast<std::uint16_t>(c.before);
  bool known = c.access >= 0 && c.access <= 2;
  EXPECT_EQ(m.setAccess(c.access), known);
  EXPECT_EQ(m.flags, static_cast<std::uint16_t>(c.after));
}

INSTANTIATE_TEST_SUITE_P(FilterRules, AccessToBits,
                         ::testing::Values(AccessWriteCase{"DisabledClearsOnlyBit0", 0x13, AccessDisabled, 0x12},
                                           AccessWriteCase{"PermissionSetsBoth", 0x10, AccessPermit, 0x13},
                                           AccessWriteCase{"RefusalSetsBit0ClearsBit1", 0x12, AccessRefuse, 0x11},
                                           AccessWriteCase{"UnknownAccessChangesNothing", 0x12, 7, 0x12},
                                           AccessWriteCase{"NegativeAccessChangesNothing", 0x01, -1, 0x01}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(FilterAccess, TextsAndNothingPastThem) {
  EXPECT_EQ(accessText(AccessDisabled), "Disabled");
  EXPECT_EQ(accessText(AccessPermit), "Permission");
  EXPECT_EQ(accessText(AccessRefuse), "Refusal");
  EXPECT_EQ(accessText(3), "");
  EXPECT_EQ(accessText(-1), "");
}

// ------------------------------------------------------------ dependencies

struct DependencyCase {
  const char* rule;
  ProtocolFilterEntry entry;
  bool ipProtocol;
  bool port;
};
void PrintTo(const DependencyCase& c, std::ostream* os) { *os << c.rule; }
class ProtocolDependencies : public ::testing::TestWithParam<DependencyCase> {};

TEST_P(ProtocolDependencies, FieldsThatCount) {
  const auto& c = GetParam();
  EXPECT_EQ(c.entry.ipProtocolApplies(), c.ipProtocol);
  EXPECT_EQ(c.entry.portApplies(), c.port);
}

INSTANTIATE_TEST_SUITE_P(
    FilterRules, ProtocolDependencies,
    ::testing::Values(
        DependencyCase{"ArpIgnoresProtocolAndPort", proto(0, 0x0806, 0x0806, 6, 6), false, false},
        DependencyCase{"IcmpIgnoresPort", proto(0, 0x0800, 0x0800, 1, 1), true, false},
        DependencyCase{"TcpCountsPort", proto(0, 0x0800, 0x0800, 6, 6), true, true},
        DependencyCase{"UdpCountsPort", proto(0, 0x0800, 0x0800, 17, 17), true, true},
        DependencyCase{"TypeRangeCoveringIpCountsProtocol", proto(0x60, 0x0600, 0x0900, 1, 1), true, false},
        DependencyCase{"TypeRangeBelowIpDoesnt", proto(0x60, 0x0600, 0x07FF, 6, 6), false, false},
        DependencyCase{"ProtocolRangeCoveringTcp", proto(0x600, 0x0800, 0x0800, 2, 6), true, true},
        DependencyCase{"ProtocolRangeCoveringUdp", proto(0x600, 0x0800, 0x0800, 17, 200), true, true},
        DependencyCase{"ProtocolRangeBetweenTcpAndUdp", proto(0x600, 0x0800, 0x0800, 7, 16), true, false},
        DependencyCase{"Ieee8023Entry", proto(0, 0, 0), false, false}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(FilterProtocolEntry, Ieee8023IsTypeZeroChosenByName) {
  EXPECT_TRUE(proto(0, 0, 0).is8023());
  EXPECT_FALSE(proto(protoflag::EtherNumber, 0, 0).is8023());
  EXPECT_FALSE(proto(0, 0x0806, 0x0806).is8023());
}

TEST(FilterProtocolEntry, UserEtherTypeMustLieAboveFrameLength) {
  EXPECT_FALSE(userEtherTypeAcceptable(1500, 1500));
  EXPECT_TRUE(userEtherTypeAcceptable(0x05DD, 0x05DD));
  EXPECT_FALSE(userEtherTypeAcceptable(1500, 0x9000));
}

TEST(FilterProtocolEntry, PortSideIsBits16And17) {
  ProtocolFilterEntry e = proto(0x2001, 0x0800, 0x0800, 6, 6);
  e.setPortSide(PortDestination);
  EXPECT_EQ(e.flags, 0x22001u);
  EXPECT_EQ(e.portSide(), PortDestination);
  e.setPortSide(7);  // only two bits exist
  EXPECT_EQ(e.portSide(), PortEither);
  EXPECT_EQ(e.flags & ~protoflag::PortSideMask, 0x2001u);
}

TEST(FilterNamedValues, FileNamesAndTexts) {
  EXPECT_EQ(findNamedValue(etherTypeNames(), std::string_view("rarp"))->value, 0x8035);
  EXPECT_EQ(findNamedValue(etherTypeNames(), std::uint16_t{0})->text, "<=1500 (802.3)");
  EXPECT_EQ(findNamedValue(ipProtocolNames(), std::uint16_t{17})->fileName, "UDP");
  EXPECT_EQ(findNamedValue(ipProtocolNames(), std::uint16_t{2}), nullptr);
  EXPECT_EQ(findNamedValue(ipProtocolNames(), std::string_view("TCPX")), nullptr);
}

// ------------------------------------------------------------------ layout

TEST(FilterBlockLayout, BlocksLieAtTheirRecordOffsets) {
  ApConfig c;
  MacFilterBlock m(c);
  m.setFilterOn(1);
  m.setOtherAccess(0x0201);
  ASSERT_TRUE(m.append(range(lobby(0x00), lobby(0xFF), AccessRefuse)));
  EXPECT_EQ(c.u16(672), 1);
  EXPECT_EQ(c.u16(674), 0x0201);
  EXPECT_EQ(c.u16(678), 1);
  EXPECT_EQ(c.u16(680), 0x0011);
  EXPECT_EQ(c.mac(684), lobby(0x00));
  EXPECT_EQ(c.mac(690), lobby(0xFF));

  ProtocolFilterBlock p(c);
  ProtocolFilterEntry e = proto(0x22001, 0x0800, 0x0800, 6, 6, InterfaceEthernet);
  e.portLow = e.portHigh = 80;
  ASSERT_TRUE(p.append(e));
  ASSERT_TRUE(p.append(e));
  const std::size_t second = 17088 + 8 + 32;
  EXPECT_EQ(c.u16(17094), 2);
  EXPECT_EQ(c.u32(second), 0x22001u);
  EXPECT_EQ(c.u16(second + 4), 1);
  EXPECT_EQ(c.u16(second + 6), 0x0800);
  EXPECT_EQ(c.u16(second + 10), 6);
  EXPECT_EQ(c.u16(second + 16), 80);
}

TEST(FilterBlockLayout, ViewsOverBuffersOfExactlyTheBlockSize) {
  std::vector<std::uint8_t> buffer(kMacFilterSize);
  auto view = MacFilterBlock::over(buffer);
  ASSERT_TRUE(view.has_value());
  view->append(single(lobby(1)));
  EXPECT_EQ(buffer[6], 1);
  std::vector<std::uint8_t> shortBuffer(kMacFilterSize - 1), longBuffer(kProtocolFilterSize + 1);
  EXPECT_FALSE(MacFilterBlock::over(shortBuffer).has_value());
  EXPECT_FALSE(ProtocolFilterBlock::over(longBuffer).has_value());
  std::vector<std::uint8_t> protocols(kProtocolFilterSize);
  EXPECT_TRUE(ProtocolFilterBlock::over(protocols).has_value());

  const ApConfig record{};
  ConstMacFilterBlock readOnly(record);
  EXPECT_EQ(readOnly.entryCount(), 0);
  ConstMacFilterBlock fromMutable = *view;
  EXPECT_EQ(fromMutable.entry(0), single(lobby(1)));
}

TEST(FilterBlockLayout, EntryPastTheTableReadsAsZeroAndIsNeverWritten) {
  ApConfig c;
  fillNoise(c.bytes, 3);
  ApConfig before = c;
  MacFilterBlock m(c);
  EXPECT_EQ(m.entry(1024), MacFilterEntry{});
  m.setEntry(1024, single(lobby(9)));
  m.clearEntry(5000);
  EXPECT_EQ(c, before);
}

// ------------------------------------------------------ making MAC entries

TEST(FilterMacEntryForm, RangeEndsAscendEqualEndsAreOneAddress) {
  MacFilterEntry swapped = range(lobby(0xFF), lobby(0x00), AccessRefuse);
  EXPECT_EQ(swapped.address1, lobby(0x00));
  EXPECT_EQ(swapped.address2, lobby(0xFF));
  EXPECT_EQ(swapped.flags, 0x0011);

  MacFilterEntry equal = range(lobby(7), lobby(7), AccessRefuse);
  EXPECT_FALSE(equal.isRange());
  EXPECT_EQ(equal.flags, 0x0001);

  MacFilterEntry one = MacFilterEntry::make(lobby(1), lobby(2), false, AccessDisabled);
  EXPECT_EQ(one.address2, lobby(1));
  EXPECT_EQ(one.flags, 0);
}

TEST(FilterMacEntryForm, AddressesCompareFirstByteMostSignificant) {
  EXPECT_LT(compareMac(mac(0, 0, 0, 0, 0, 0xFF), mac(0, 0, 0, 0, 1, 0)), 0);
  EXPECT_GT(compareMac(mac(1, 0, 0, 0, 0, 0), mac(0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF)), 0);
  EXPECT_EQ(compareMac(lobby(3), lobby(3)), 0);
}

// ---------------------------------------------------------- append, delete

TEST(FilterEntries, AppendGoesToPositionCountPlusOne) {
  ApConfig c;
  MacFilterBlock m(c);
  for (std::uint8_t i = 1; i <= 3; ++i) ASSERT_TRUE(m.append(single(lobby(i))));
  EXPECT_EQ(m.entryCount(), 3);
  EXPECT_EQ(m.entry(2).address1, lobby(3));
}

struct DeleteCase {
  const char* rule;
  std::vector<std::size_t> remove;
  std::vector<std::uint8_t> left;  // last address bytes, in order
  std::size_t removed;
};
void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.rule; }
class FilterDelete : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(FilterDelete, ClosesTheGapAndZeroesTheTail) {
  const auto& c = GetParam();
  ApConfig record;
  MacFilterBlock m(record);
  for (std::uint8_t i = 1; i <= 5; ++i) m.append(single(lobby(i)));
  EXPECT_EQ(m.removeEntries(c.remove), c.removed);
  ASSERT_EQ(m.entryCount(), c.left.size());
  for (std::size_t i = 0; i < c.left.size(); ++i) EXPECT_EQ(m.entry(i).address1, lobby(c.left[i])) << i;
  EXPECT_TRUE(allZero(m.bytes().subspan(8 + 16 * c.left.size())));
}

INSTANTIATE_TEST_SUITE_P(
    FilterRules, FilterDelete,
    ::testing::Values(DeleteCase{"MiddleEntryLaterOnesMoveUp", {1}, {1, 3, 4, 5}, 1},
                      DeleteCase{"SeveralInAnyOrder", {4, 0, 2}, {2, 4}, 3},
                      DeleteCase{"DuplicatesCountOnce", {3, 3}, {1, 2, 3, 5}, 1},
                      DeleteCase{"IndicesPastTheCountIgnored", {5, 1023, 99999}, {1, 2, 3, 4, 5}, 0},
                      DeleteCase{"AllOfThem", {0, 1, 2, 3, 4}, {}, 5},
                      DeleteCase{"NothingSelected", {}, {1, 2, 3, 4, 5}, 0}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(FilterEntries, DeletingRenumbersProtocolEntries) {
  ApConfig c;
  ProtocolFilterBlock p(c);
  p.append(proto(0x30003, 0x0806, 0x0806));
  p.append(proto(0x30003, 0x8035, 0x8035));
  p.append(proto(0x30003, 0x0800, 0x0800, 1, 1));
  EXPECT_TRUE(p.removeEntry(1));
  EXPECT_FALSE(p.removeEntry(2));
  EXPECT_EQ(p.entryCount(), 2);
  EXPECT_EQ(p.entry(1).etherLow, 0x0800);
  EXPECT_TRUE(allZero(p.bytes().subspan(8 + 32 * 2)));
}

TEST(FilterEntries, CountBeyondTheTableFromAUnitIsTreatedAsFull) {
  ApConfig c;
  MacFilterBlock m(c);
  m.setEntryCount(0xFFFF);
  EXPECT_TRUE(m.isFull());
  EXPECT_EQ(m.usedCount(), 1024u);
  EXPECT_FALSE(m.append(single(lobby(1))));
  EXPECT_EQ(m.entryCount(), 0xFFFF);
  EXPECT_EQ(m.removeEntries(std::vector<std::size_t>{0}), 1u);
  EXPECT_EQ(m.entryCount(), 1023);
}

TEST(FilterEntries, FullTablesAcceptNoFurtherEntry) {
  ApConfig c;
  MacFilterBlock m(c);
  for (std::size_t i = 0; i < 1024; ++i) ASSERT_TRUE(m.append(single(lobby(static_cast<std::uint8_t>(i)))));
  EXPECT_TRUE(m.isFull());
  ApConfig before = c;
  EXPECT_FALSE(m.append(single(lobby(1))));
  EXPECT_EQ(c, before);

  ProtocolFilterBlock p(c);
  for (std::size_t i = 0; i < 256; ++i) ASSERT_TRUE(p.append(proto(0x30003, 0x0806, 0x0806)));
  EXPECT_FALSE(p.append(proto(0x30003, 0x0806, 0x0806)));
  EXPECT_EQ(p.entryCount(), 256);
}

// ------------------------------------------------------------ MAC conflicts

struct ConflictCase {
  const char* rule;
  MacFilterEntry candidate;
  MacFilterEntry existing;
  bool conflict;
};
void PrintTo(const ConflictCase& c, std::ostream* os) { *os << c.rule; }
class MacConflict : public ::testing::TestWithParam<ConflictCase> {};

TEST_P(MacConflict, AgainstOtherEntries) {
  const auto& c = GetParam();
  EXPECT_EQ(macEntriesConflict(c.candidate, c.existing), c.conflict);
  ApConfig record;
  MacFilterBlock m(record);
  m.append(c.existing);
  m.append(single(mac(0xAA, 0, 0, 0, 0, 0)));
  EXPECT_EQ(macEntryConflicts(m, c.candidate, 2), c.conflict) << "as a new entry";
  EXPECT_EQ(macEntryConflicts(m, c.candidate, 1), c.conflict) << "editing another slot";
  EXPECT_FALSE(macEntryConflicts(m, c.candidate, 0)) << "an entry never conflicts with its own slot";
}

INSTANTIATE_TEST_SUITE_P(
    FilterRules, MacConflict,
    ::testing::Values(
        ConflictCase{"SingleEqualSingle", single(lobby(0x10)), single(lobby(0x10)), true},
        ConflictCase{"SingleOtherSingle", single(lobby(0x10)), single(lobby(0x11)), false},
        ConflictCase{"SingleEqualIgnoresAccess", single(lobby(0x10), AccessRefuse), single(lobby(0x10)), true},
        ConflictCase{"SingleInsideRange", single(lobby(0x10)), range(lobby(0x00), lobby(0xFF)), true},
        ConflictCase{"SingleOnRangeEnd", single(lobby(0xFF)), range(lobby(0x00), lobby(0xFF)), true},
        ConflictCase{"SingleOutsideRange", single(lobby(0x10)), range(lobby(0x20), lobby(0x30)), false},
        ConflictCase{"RangeAroundSingle", range(lobby(0x00), lobby(0xFF)), single(lobby(0x10)), true},
        ConflictCase{"RangeBesideSingle", range(lobby(0x00), lobby(0x0F)), single(lobby(0x10)), false},
        ConflictCase{"RangeLowEndInsideRange", range(lobby(0x20), lobby(0x40)), range(lobby(0x10), lobby(0x30)),
                     true},
        ConflictCase{"RangeHighEndInsideRange", range(lobby(0x00), lobby(0x10)), range(lobby(0x10), lobby(0x30)),
                     true},
        ConflictCase{"RangeInsideRange", range(lobby(0x12), lobby(0x20)), range(lobby(0x10), lobby(0x30)), true},
        ConflictCase{"RangeMerelyEnclosingRange", range(lobby(0x00), lobby(0xFF)), range(lobby(0x10), lobby(0x30)),
                     false},
        ConflictCase{"DisjointRanges", range(lobby(0x00), lobby(0x0F)), range(lobby(0x10), lobby(0x30)), false}),
    [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ displayLevel

struct LevelCase {
  const char* rule;
  int level;
  std::uint16_t macFlagsAfter;
  std::uint32_t protoFlagsAfter;
  std::uint16_t ifaceAfter;
};
void PrintTo(const LevelCase& c, std::ostream* os) { *os << c.rule; }
class FilterLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(FilterLevel, NormalisesUsedEntries) {
  const auto& c = GetParam();
  ApConfig record;
  MacFilterBlock m(record);
  MacFilterEntry disabledRange = range(lobby(0), lobby(9), AccessDisabled);
  m.append(disabledRange);
  m.setEntry(1, disabledRange);  // a slot past the count
  ProtocolFilterBlock p(record);
  ProtocolFilterEntry tcp = proto(0x12001, 0x0800, 0x0800, 6, 6, InterfaceWireless);
  p.append(tcp);
  p.setEntry(1, tcp);

  m.normalizeForLevel(c.level);
  p.normalizeForLevel(c.level);
  EXPECT_EQ(m.entry(0).flags, c.macFlagsAfter);
  EXPECT_EQ(p.entry(0).flags, c.protoFlagsAfter);
  EXPECT_EQ(p.entry(0).iface, c.ifaceAfter);
  EXPECT_EQ(m.entry(1), disabledRange) << "slots past the count are not entries";
  EXPECT_EQ(p.entry(1), tcp);
}

INSTANTIATE_TEST_SUITE_P(FilterRules, FilterLevel,
                         ::testing::Values(LevelCase{"Level0PermitsAllInterfacesEitherSide", 0, 0x13, 0x32003, 3},
                                           LevelCase{"Level2StillFixed", 2, 0x13, 0x32003, 3},
                                           LevelCase{"Level3KeepsChoices", 3, 0x10, 0x12001, 2},
                                           LevelCase{"Level255KeepsChoices", 255, 0x10, 0x12001, 2}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(FilterLevel, PageStoresOtherAccessAsRefusalBelowLevel3) {
  ApConfig c;
  MacFilterBlock m(c);
  m.storeSettings(true, true, 2);
  EXPECT_EQ(m.filterOn(), 1);
  EXPECT_EQ(m.otherAccess(), 0);
  m.storeSettings(false, true, 3);
  EXPECT_EQ(m.filterOn(), 0);
  EXPECT_EQ(m.otherAccess(), 1);
  m.storeSettings(true, false, 255);
  EXPECT_EQ(m.otherAccess(), 0);
}

// --------------------------------------------------------- reserved bytes

TEST(FilterReserved, CarriedThroughEveryEdit) {
  ApConfig c;
  fillNoise(c.bytes, 11);
  MacFilterBlock m(c);
  ProtocolFilterBlock p(c);
  m.setEntryCount(4);
  p.setEntryCount(4);
  ApConfig unit = c;

  // Decoding and encoding an entry gives its bytes back, reserved ones too.
  for (std::size_t i = 0; i < 4; ++i) {
    m.setEntry(i, m.entry(i));
    p.setEntry(i, p.entry(i));
  }
  m.storeSettings(true, true, 3);
  p.storeSettings(true, false, 3);
  unit.setU16(672, 1);
  unit.setU16(674, 1);
  unit.setU16(17088, 1);
  unit.setU16(17090, 0);
  EXPECT_EQ(c, unit);

  // Normalising touches only the flags and the interface.
  m.normalizeForLevel(0);
  p.normalizeForLevel(0);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(m.entry(i).reserved, MacFilterBlock(unit).entry(i).reserved);
    EXPECT_EQ(p.entry(i).reserved, ProtocolFilterBlock(unit).entry(i).reserved);
    EXPECT_EQ(p.entry(i).portHigh, ProtocolFilterBlock(unit).entry(i).portHigh);
  }
  EXPECT_EQ(c.u16(676), unit.u16(676)) << "the head's reserved word";

  // Deleting moves whole slots.
  MacFilterEntry third = m.entry(2);
  m.removeEntry(1);
  EXPECT_EQ(m.entry(1), third);
  EXPECT_EQ(c.u16(676), unit.u16(676));
  // Everything outside the two blocks is untouched.
  for (std::size_t i = 0; i < kApConfigSize; ++i) {
    bool inMac = i >= kMacFilterOffset && i < kMacFilterOffset + kMacFilterSize;
    bool inProto = i >= kProtocolFilterOffset && i < kProtocolFilterOffset + kProtocolFilterSize;
    if (!inMac && !inProto) {
      ASSERT_EQ(c.bytes[i], unit.bytes[i]) << i;
    }
  }
}

TEST(FilterReserved, ClearZeroesTheWholeBlockOnly) {
  ApConfig c;
  fillNoise(c.bytes, 5);
  ApConfig before = c;
  ProtocolFilterBlock(c).clear();
  EXPECT_TRUE(allZero(c.span(kProtocolFilterOffset, kProtocolFilterSize)));
  EXPECT_EQ(c.u32(25288), before.u32(25288));
  EXPECT_EQ(c.u16(17086), before.u16(17086));
}

}  // namespace
}  // namespace trennic
