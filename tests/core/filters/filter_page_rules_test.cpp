#include "core/filters/filter_page_rules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace trennic {
namespace {

using namespace protoflag;
using Cells = std::vector<std::string>;

MacAddress lobby(std::uint8_t last) { return MacAddress{{0x00, 0x11, 0x22, 0x33, 0x44, last}}; }

struct Proto {
  std::uint32_t flags = 0;
  std::uint16_t iface = InterfaceAll;
  std::uint16_t etherLow = 0, etherHigh = 0, protoLow = 0, protoHigh = 0, portLow = 0, portHigh = 0;
  operator ProtocolFilterEntry() const {
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
};

constexpr std::uint32_t kPermit = 0x3, kRefuse = 0x1;
// IP/TCP, one port, the given side.
Proto tcpPort(std::uint16_t port, unsigned side, std::uint16_t iface = InterfaceAll) {
  return {kPermit | PortGiven | side << PortSideShift, iface, kEtherTypeIp, kEtherTypeIp, 6, 6, port, port};
}

// ------------------------------------------------------------------- page

struct SwitchCase {
  const char* rule;
  std::uint16_t modeSw, networkMode, unitType;
  bool available;
};
void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.rule; }
class MacSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(MacSwitch, FollowsTheMode) {
  ApConfig c;
  c.setU16(cfg::ModeSw, GetParam().modeSw);
  c.setU16(cfg::NetworkMode, GetParam().networkMode);
  c.setU16(cfg::UnitType, GetParam().unitType);
  EXPECT_EQ(macFilterSwitchAvailable(c), GetParam().available);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacSwitch,
                         ::testing::Values(SwitchCase{"the DIP switch decides", 1, 0, 1, true},
                                           SwitchCase{"ad hoc without the switch", 0, 0, 1, false},
                                           SwitchCase{"infrastructure access point", 0, 1, 0, true},
                                           SwitchCase{"infrastructure station", 0, 4, 1, false}));

TEST(FilterNumber, IsFourDigitsWide) {
  EXPECT_EQ(filterNumberText(0, 1024), "   0/1024");
  EXPECT_EQ(filterNumberText(12, 256), "  12/ 256");
}

TEST(MacCells, ShowTheSecondAddressOnlyForARangeAndTheAccessFromLevelThree) {
  MacFilterEntry one = MacFilterEntry::make(lobby(0x10), lobby(0x10), false, AccessRefuse);
  MacFilterEntry range = MacFilterEntry::make(lobby(0x00), lobby(0xFF), true, AccessDisabled);
  EXPECT_EQ(macFilterCells(one, 1, 0), (Cells{"1", "00-11-22-33-44-10", ""}));
  EXPECT_EQ(macFilterCells(one, 1, 3), (Cells{"1", "00-11-22-33-44-10", "", "Refusal"}));
  EXPECT_EQ(macFilterCells(range, 7, 3), (Cells{"7", "00-11-22-33-44-00", "00-11-22-33-44-FF", "Disabled"}));
}

struct ProtoCellsCase {
  const char* rule;
  Proto entry;
  Cells cells;  // level 3: Entry No. to Access Control
};
void PrintTo(const ProtoCellsCase& c, std::ostream* os) { *os << c.rule; }
class ProtoCells : public ::testing::TestWithParam<ProtoCellsCase> {};

TEST_P(ProtoCells, Show) {
  const ProtoCellsCase& c = GetParam();
  EXPECT_EQ(protocolFilterCells(c.entry, 1, 3), c.cells);
  Cells low(c.cells.begin(), c.cells.begin() + 4);
  EXPECT_EQ(protocolFilterCells(c.entry, 1, 0), low);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtoCells,
    ::testing::Values(
        ProtoCellsCase{"type 0 by name is 802.3", {kPermit}, {"1", "<=1500 (802.3)", "", "", "", "All", "Permission"}},
        ProtoCellsCase{"type 0 as a number", {kPermit | EtherNumber}, {"1", "0x0000", "", "", "", "All", "Permission"}},
        ProtoCellsCase{"ARP ignores protocol and port",
                       {kRefuse | PortGiven, InterfaceWireless, kEtherTypeArp, kEtherTypeArp, 6, 6, 80, 80},
                       {"1", "0x0806 (ARP)", "", "", "", "Wireless", "Refusal"}},
        ProtoCellsCase{"ICMP ignores the port",
                       {kPermit | PortGiven, InterfaceEthernet, kEtherTypeIp, kEtherTypeIp, 1, 1, 80, 80},
                       {"1", "0x0800 (IP)", "1 (ICMP)", "", "", "Ethernet", "Permission"}},
        ProtoCellsCase{"a type range covering IP shows its protocol",
                       {kPermit | EtherNumber | EtherRange | ProtoNumber, 0, 0x0600, 0x0900, 50, 50},
                       {"1", "0x0600-0x0900", "50", "", "", "All", "Permission"}},
        ProtoCellsCase{"all protocols is empty",
                       {kPermit | AllProtocols, InterfaceAll, kEtherTypeIp, kEtherTypeIp},
                       {"1", "0x0800 (IP)", "", "", "", "All", "Permission"}},
        ProtoCellsCase{"a port with its side", tcpPort(80, PortDestination, InterfaceEthernet),
                       {"1", "0x0800 (IP)", "6 (TCP)", "80", "Destination", "Ethernet", "Permission"}},
        ProtoCellsCase{"a port range on either side",
                       {kPermit | PortGiven | PortRange | PortSideMask, InterfaceAll, kEtherTypeIp, kEtherTypeIp, 17,
                        17, 1000, 2000},
                       {"1", "0x0800 (IP)", "17 (UDP)", "1000-2000", "Source+Destination", "All", "Permission"}},
        ProtoCellsCase{"all ports is empty, and so is its side",
                       {kPermit | AllPorts | PortSideMask, InterfaceAll, kEtherTypeIp, kEtherTypeIp, 1, 10},
                       {"1", "0x0800 (IP)", "1 (ICMP)", "", "", "All", "Permission"}},
        ProtoCellsCase{"a protocol range",
                       {kPermit | ProtoNumber | ProtoRange | PortGiven, InterfaceAll, kEtherTypeIp, kEtherTypeIp, 1, 10,
                        53, 53},
                       {"1", "0x0800 (IP)", "1-10", "53", "Source+Destination", "All", "Permission"}}));

// -------------------------------------------------------------- conflicts

struct ConflictCase {
  const char* rule;
  Proto candidate, other;
  bool conflict;
};
void PrintTo(const ConflictCase& c, std::ostream* os) { *os << c.rule; }
class ProtoConflict : public ::testing::TestWithParam<ConflictCase> {};

TEST_P(ProtoConflict, Decides) {
  EXPECT_EQ(protocolEntriesConflict(GetParam().candidate, GetParam().other), GetParam().conflict);
}

const Proto kArp{kPermit, InterfaceAll, kEtherTypeArp, kEtherTypeArp};
const Proto k8023{kPermit};
const Proto kUser0{kPermit | EtherNumber};
const Proto kIpAll{kPermit | AllProtocols, InterfaceAll, kEtherTypeIp, kEtherTypeIp};
const Proto kIcmp{kPermit, InterfaceAll, kEtherTypeIp, kEtherTypeIp, 1, 1};
const Proto kTcpAllPorts{kPermit | AllPorts | PortSideMask, InterfaceAll, kEtherTypeIp, kEtherTypeIp, 6, 6};

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtoConflict,
    ::testing::Values(
        ConflictCase{"Ethernet and Wireless are disjoint", tcpPort(80, 3, InterfaceEthernet),
                     tcpPort(80, 3, InterfaceWireless), false},
        ConflictCase{"All meets Ethernet", tcpPort(80, 3, InterfaceAll), tcpPort(80, 3, InterfaceEthernet), true},
        ConflictCase{"All meets Wireless", tcpPort(80, 3, InterfaceAll), tcpPort(80, 3, InterfaceWireless), true},
        ConflictCase{"only Source and only Destination are disjoint", tcpPort(80, PortSource),
                     tcpPort(80, PortDestination), false},
        ConflictCase{"either side meets Source", tcpPort(80, PortEither), tcpPort(80, PortSource), true},
        ConflictCase{"other ports", tcpPort(80, 3), tcpPort(81, 3), false},
        ConflictCase{"all ports meet any port", tcpPort(80, 3), kTcpAllPorts, true},
        ConflictCase{"other protocols", kIcmp, tcpPort(80, 3), false},
        ConflictCase{"all protocols meet any protocol", tcpPort(80, 3), kIpAll, true},
        ConflictCase{"a non-IP type needs only the type", kArp, kArp, true},
        ConflictCase{"a type range misses a type outside it",
                     {kPermit | EtherNumber | EtherRange, InterfaceAll, 0x8000, 0x9000}, kArp, false},
        ConflictCase{"a type range covering IP", {kPermit | EtherNumber | EtherRange | AllProtocols, 3, 0x0600, 0x0900},
                     kArp, true},
        ConflictCase{"802.3 meets 802.3", k8023, k8023, true},
        ConflictCase{"802.3 does not meet type 0 as a number", k8023, kUser0, false}));

TEST(ProtoConflictInTable, SkipsTheEntryBeingEdited) {
  ApConfig c;
  ProtocolFilterBlock block(c);
  block.append(tcpPort(80, 3));
  block.append(kArp);
  EXPECT_FALSE(protocolEntryConflicts(block, tcpPort(80, 3), 0));
  EXPECT_TRUE(protocolEntryConflicts(block, tcpPort(80, 3), 1));
  EXPECT_TRUE(protocolEntryConflicts(block, tcpPort(80, 3), 2));
}

// -------------------------------------------------------------- MAC editor

TEST(MacEditor, ClearingRangeDropsTheFlagsAndTheSecondAddress) {
  MacFilterEntry shown = MacFilterEntry::make(lobby(1), lobby(9), true, AccessRefuse);
  MacFilterEntry e = macEditorRangeClicked(shown, lobby(2), lobby(8), false);
  EXPECT_EQ(e.flags, 0);
  EXPECT_EQ(e.address2, lobby(2));
  e = macEditorRangeClicked(MacFilterEntry::make(lobby(2), lobby(2), false, AccessRefuse), lobby(2), lobby(2), true);
  EXPECT_EQ(e.flags, 0x11);
}

struct MacOkCase {
  const char* rule;
  std::uint8_t last1, last2;
  bool range;
  int access, level;
  std::uint16_t flags;
  std::uint8_t stored1, stored2;
};
void PrintTo(const MacOkCase& c, std::ostream* os) { *os << c.rule; }
class MacEditorOk : public ::testing::TestWithParam<MacOkCase> {};

TEST_P(MacEditorOk, Stores) {
  const MacOkCase& c = GetParam();
  MacFilterEntry shown;
  shown.reserved = 0xBEEF;
  MacFilterEntry e = macEditorEntry(shown, lobby(c.last1), lobby(c.last2), c.range, c.access, c.level);
  EXPECT_EQ(e.flags, c.flags);
  EXPECT_EQ(e.address1, lobby(c.stored1));
  EXPECT_EQ(e.address2, lobby(c.stored2));
  EXPECT_EQ(e.reserved, 0xBEEF);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacEditorOk,
                         ::testing::Values(MacOkCase{"reversed ends go up", 0xFF, 0x00, true, AccessRefuse, 3, 0x11, 0x00, 0xFF},
                                           MacOkCase{"equal ends are one address", 0x10, 0x10, true, AccessRefuse, 3, 0x01, 0x10, 0x10},
                                           MacOkCase{"single takes the first address", 0x10, 0x20, false, AccessDisabled, 3, 0x00, 0x10, 0x10},
                                           MacOkCase{"below level 3 always permits", 0x10, 0x20, true, AccessDisabled, 0, 0x13, 0x10, 0x20}));

// --------------------------------------------------------- protocol editor

TEST(ProtoEditorView, OffersOnlyWhatTheEntryUses) {
  // 802.3: named, nothing below it.
  ProtocolEditorView v = protocolEditorView(Proto{kPermit});
  EXPECT_EQ(v.ether.choice, Ether8023);
  EXPECT_FALSE(v.ether.textEnabled);
  EXPECT_FALSE(v.ether.text);
  EXPECT_FALSE(v.protocol.enabled);
  EXPECT_EQ(v.protocol.choice, ProtocolAll);
  EXPECT_FALSE(v.port.enabled);

  // A type range covering IP still offers no protocol.
  v = protocolEditorView(Proto{kPermit | EtherNumber | EtherRange | AllProtocols, 3, 0x0600, 0x0900});
  EXPECT_EQ(v.ether.choice, EtherUserDefined);
  EXPECT_EQ(v.ether.text, "0x0600-0x0900");
  EXPECT_FALSE(v.protocol.enabled);

  // IP/TCP, a port given: everything offered.
  v = protocolEditorView(tcpPort(80, PortDestination, InterfaceWireless));
  EXPECT_EQ(v.ether.choice, EtherIp);
  EXPECT_TRUE(v.protocol.enabled);
  EXPECT_EQ(v.protocol.choice, ProtocolTcp);
  EXPECT_FALSE(v.protocol.textEnabled);
  EXPECT_TRUE(v.port.enabled);
  EXPECT_EQ(v.port.choice, PortUserDefined);
  EXPECT_EQ(v.port.text, "80");
  EXPECT_TRUE(v.sidesEnabled);
  EXPECT_FALSE(v.source);
  EXPECT_TRUE(v.destination);
  EXPECT_EQ(v.interfaceChoice, ChoiceWireless);
  EXPECT_EQ(v.access, AccessPermit);

  // A protocol range offers no port; all ports offers no sides.
  v = protocolEditorView(Proto{kPermit | ProtoNumber | ProtoRange, 3, kEtherTypeIp, kEtherTypeIp, 1, 10});
  EXPECT_EQ(v.protocol.text, "1-10");
  EXPECT_FALSE(v.port.enabled);
  v = protocolEditorView(kTcpAllPorts);
  EXPECT_TRUE(v.port.enabled);
  EXPECT_EQ(v.port.choice, PortAll);
  EXPECT_FALSE(v.sidesEnabled);

  // A number the user gave for a type that has a name stays a number.
  v = protocolEditorView(Proto{kPermit | EtherNumber, 3, kEtherTypeIp, kEtherTypeIp});
  EXPECT_EQ(v.ether.choice, EtherUserDefined);
  EXPECT_EQ(v.ether.text, "0x0800");
  EXPECT_TRUE(v.protocol.enabled);
}

struct CollectCase {
  const char* rule;
  ProtocolEditorInput in;
  int level;
  std::optional<Proto> entry;
};
void PrintTo(const CollectCase& c, std::ostream* os) { *os << c.rule; }
class ProtoEditorCollect : public ::testing::TestWithParam<CollectCase> {};

TEST_P(ProtoEditorCollect, Reads) {
  const CollectCase& c = GetParam();
  auto e = collectProtocolEntry(ProtocolFilterEntry{}, c.in, c.level);
  ASSERT_EQ(e.has_value(), c.entry.has_value());
  if (e) {
    EXPECT_EQ(*e, ProtocolFilterEntry(*c.entry));
  }
}

ProtocolEditorInput userEther(const char* text) {
  ProtocolEditorInput in;
  in.ether = EtherUserDefined;
  in.etherText = text;
  in.interfaceChoice = ChoiceAllInterfaces;
  in.access = AccessPermit;
  return in;
}
ProtocolEditorInput ipInput(int protocol, const char* protocolText, bool portEnabled, int port, const char* portText,
                            bool source, bool destination) {
  ProtocolEditorInput in;
  in.ether = EtherIp;
  in.protocolEnabled = true;
  in.protocol = protocol;
  in.protocolText = protocolText;
  in.portEnabled = portEnabled;
  in.port = port;
  in.portText = portText;
  in.source = source;
  in.destination = destination;
  in.interfaceChoice = ChoiceEthernet;
  in.access = AccessRefuse;
  return in;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtoEditorCollect,
    ::testing::Values(
        CollectCase{"a user type of 1500 is refused", userEther("1500"), 3, std::nullopt},
        CollectCase{"0x05DD is the first user type", userEther("0x05DD"), 3,
                    Proto{kPermit | EtherNumber, InterfaceAll, 0x05DD, 0x05DD}},
        CollectCase{"both ends of a range above 1500", userEther("0x05DC-0x0600"), 3, std::nullopt},
        CollectCase{"a reversed range goes up", userEther("0x9000-0x8000"), 3,
                    Proto{kPermit | EtherNumber | EtherRange, InterfaceAll, 0x8000, 0x9000}},
        CollectCase{"an empty value is refused", userEther(""), 3, std::nullopt},
        CollectCase{"a user type covering IP gets all protocols", userEther("0x0600-0x0900"), 3,
                    Proto{kPermit | EtherNumber | EtherRange | AllProtocols, InterfaceAll, 0x0600, 0x0900}},
        CollectCase{"TCP before the port is offered gets all ports",
                    ipInput(ProtocolTcp, "", false, -1, "", false, false), 3,
                    Proto{kRefuse | AllPorts, InterfaceEthernet, kEtherTypeIp, kEtherTypeIp, 6, 6}},
        CollectCase{"a port range on one side", ipInput(ProtocolUdp, "", true, PortUserDefined, "2000-1000", true, false), 3,
                    Proto{kRefuse | PortGiven | PortRange | 1u << PortSideShift, InterfaceEthernet, kEtherTypeIp,
                          kEtherTypeIp, 17, 17, 1000, 2000}},
        CollectCase{"an empty port is refused", ipInput(ProtocolTcp, "", true, PortUserDefined, "", true, true), 3,
                    std::nullopt},
        CollectCase{"a protocol that doesn't read", ipInput(ProtocolUserDefined, "abc", false, -1, "", false, false), 3,
                    std::nullopt},
        CollectCase{"a user protocol", ipInput(ProtocolUserDefined, "47", false, -1, "", false, false), 3,
                    Proto{kRefuse | ProtoNumber, InterfaceEthernet, kEtherTypeIp, kEtherTypeIp, 47, 47}},
        CollectCase{"below level 3: permitted, everywhere, either side",
                    ipInput(ProtocolTcp, "", true, PortUserDefined, "80", true, false), 0,
                    Proto{kPermit | PortGiven | PortSideMask, InterfaceAll, kEtherTypeIp, kEtherTypeIp, 6, 6, 80, 80}}));

TEST(ProtoEditor, StartTextsAndSides) {
  EXPECT_EQ(userDefinedStartText(FieldEtherType), "0x05DD");
  EXPECT_EQ(userDefinedStartText(FieldProtocol), "0");
  EXPECT_EQ(userDefinedStartText(FieldPort), "0");
  EXPECT_EQ(portSideAfterClick(PortSource, PortSource, false), PortSource);  // the last box stays
  EXPECT_EQ(portSideAfterClick(PortEither, PortSource, false), PortDestination);
  EXPECT_EQ(portSideAfterClick(PortDestination, PortSource, true), PortEither);
}

}  // namespace
}  // namespace trennic
