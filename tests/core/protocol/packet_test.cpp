#include "core/protocol/packet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace trennic {
namespace {

using Bytes = std::vector<std::uint8_t>;

const MacAddress kUnit{{0x00, 0x80, 0x92, 0x11, 0x22, 0x33}};

// ------------------------------------------------------------------ header

TEST(PacketHeader, EncodesEveryFieldAtItsOffset) {
  PacketHeader h;
  h.command = 0x81;
  h.requestNo = 0x0102;
  h.transactionNo = 0x0304;
  h.address = 0xFFE00400;
  h.length = 0x058E;
  h.status = 0x0006;
  h.password = {'p', 'w', 0, 0, 0, 0, 0, 0};
  h.stationMac = MacAddress{{0x02, 0x11, 0x22, 0x33, 0x44, 0x55}};
  h.reserved = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
  std::array<std::uint8_t, kHeaderSize> out{};
  h.encode(out.data());
  const std::array<std::uint8_t, kHeaderSize> expected{
      0x53, 0x56,                          // magic, little-endian 0x5653
      0x01,                                // version
      0x81,                                // command
      0x02, 0x01,                          // requestNo
      0x04, 0x03,                          // transactionNo
      0x00, 0x04, 0xE0, 0xFF,              // address
      0x8E, 0x05,                          // length
      0x06, 0x00,                          // status
      'p',  'w',  0,    0,    0, 0, 0, 0,  // password
      0x02, 0x11, 0x22, 0x33, 0x44, 0x55,  // stationMac
      0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5,  // reserved
  };
  EXPECT_EQ(out, expected);

  auto back = PacketHeader::decode(out);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->magic, kPacketMagic);
  EXPECT_EQ(back->version, 1);
  EXPECT_EQ(back->command, 0x81);
  EXPECT_TRUE(back->isReply());
  EXPECT_EQ(back->requestNo, 0x0102);
  EXPECT_EQ(back->transactionNo, 0x0304);
  EXPECT_EQ(back->address, 0xFFE00400u);
  EXPECT_EQ(back->length, 0x058E);
  EXPECT_EQ(back->status, 6);
  EXPECT_EQ(back->password, h.password);
  EXPECT_EQ(back->stationMac, h.stationMac);
  EXPECT_EQ(back->reserved, h.reserved);
}

TEST(PacketHeader, DecodeNeedsAWholeHeader) {
  Bytes b(kHeaderSize - 1, 0);
  EXPECT_FALSE(PacketHeader::decode(b));
  b.push_back(0);
  EXPECT_TRUE(PacketHeader::decode(b));
}

TEST(PacketHeader, LittleEndianHelpers) {
  std::uint8_t b[4] = {};
  writeLe32(b, 0x00122000);
  EXPECT_EQ(b[0], 0x00);
  EXPECT_EQ(b[1], 0x20);
  EXPECT_EQ(b[2], 0x12);
  EXPECT_EQ(b[3], 0x00);
  EXPECT_EQ(readLe32(b), 0x00122000u);
  writeLe16(b, 0x5007);
  EXPECT_EQ(b[0], 0x07);
  EXPECT_EQ(b[1], 0x50);
  EXPECT_EQ(readLe16(b), 0x5007);
}

// --------------------------------------------------------------- requests

TEST(RequestBuilder, FirstRequestAfterStart) {
  RequestBuilder rb;
  Bytes d = rb.build(CmdRead, unit_address::kSystemInfo, 112, {}, makePasswordField("secret"),
                     RequestBuilder::stationMacFor(kMulticastGroup, kUnit));
  const Bytes expected{
      0x53, 0x56, 0x01, CmdRead,                        // magic, version, command
      0x01, 0x00, 0x01, 0x00,                           // requestNo 1, transactionNo 1
      0x00, 0x00, 0x12, 0x00,                           // address 0x00120000
      0x70, 0x00,                                       // length 112
      0x00, 0x00,                                       // status
      's',  'e',  'c',  'r',  'e', 't', 0x00, 0x00,     // password, NUL, padding
      0x00, 0x80, 0x92, 0x11, 0x22, 0x33,               // stationMac: multicast names the unit
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00,               // reserved
  };
  EXPECT_EQ(d, expected);
  EXPECT_EQ(rb.requestNo(), 1);
  EXPECT_EQ(rb.transactionNo(), 1);
}

TEST(RequestBuilder, EveryNewRequestRaisesBothCounters) {
  RequestBuilder rb;
  rb.setCounters(10, 200);
  Bytes d = rb.build(CmdReboot, 0, 0, {}, PasswordField{}, MacAddress{});
  EXPECT_EQ(readLe16(d.data() + 4), 11);
  EXPECT_EQ(readLe16(d.data() + 6), 201);
  d = rb.build(CmdReboot, 0, 0, {}, PasswordField{}, MacAddress{});
  EXPECT_EQ(readLe16(d.data() + 4), 12);
  EXPECT_EQ(readLe16(d.data() + 6), 202);
}

TEST(RequestBuilder, CountersWrapToZero) {
  RequestBuilder rb;
  rb.setCounters(65534, 65534);
  Bytes d = rb.build(CmdRead, 0, 88, {}, PasswordField{}, MacAddress{});
  EXPECT_EQ(readLe16(d.data() + 4), 65535);
  EXPECT_EQ(readLe16(d.data() + 6), 65535);
  d = rb.build(CmdRead, 0, 88, {}, PasswordField{}, MacAddress{});
  EXPECT_EQ(readLe16(d.data() + 4), 0);
  EXPECT_EQ(readLe16(d.data() + 6), 0);
  EXPECT_EQ(rb.transactionNo(), 0);
}

TEST(RequestBuilder, WriteCarriesItsPayloadBehindTheHeader) {
  RequestBuilder rb;
  const Bytes payload{0x03, 0x00, 0x00, 0x00};
  Bytes d = rb.build(CmdWrite, unit_address::kClearMask, 4, payload, PasswordField{}, MacAddress{});
  ASSERT_EQ(d.size(), kHeaderSize + 4);
  EXPECT_EQ(d[3], CmdWrite);
  EXPECT_EQ(readLe32(d.data() + 8), unit_address::kClearMask);
  EXPECT_EQ(readLe16(d.data() + 12), 4);
  EXPECT_EQ(Bytes(d.begin() + kHeaderSize, d.end()), payload);
}

TEST(RequestBuilder, ReadAndRebootAreHeaderOnly) {
  RequestBuilder rb;
  EXPECT_EQ(rb.build(CmdRead, 0, 88, {}, PasswordField{}, MacAddress{}).size(), kHeaderSize);
  EXPECT_EQ(rb.build(CmdReboot, 0, 0, {}, PasswordField{}, MacAddress{}).size(), kHeaderSize);
}

struct PasswordCase {
  const char* rule;
  PasswordField given;
  std::array<std::uint8_t, 8> sent;
};
void PrintTo(const PasswordCase& c, std::ostream* os) { *os << c.rule; }

class PasswordBytes : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordBytes, Bytes16To23) {
  RequestBuilder rb;
  Bytes d = rb.build(CmdRead, 0, 88, {}, GetParam().given, MacAddress{});
  std::array<std::uint8_t, 8> got{};
  std::copy(d.begin() + 16, d.begin() + 24, got.begin());
  EXPECT_EQ(got, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PasswordBytes,
    ::testing::Values(
        PasswordCase{"SixCharactersThenTwoZeros", makePasswordField("abcdef"), {'a', 'b', 'c', 'd', 'e', 'f', 0, 0}},
        PasswordCase{"ShortPasswordNulPadded", makePasswordField("ab"), {'a', 'b', 0, 0, 0, 0, 0, 0}},
        PasswordCase{"NoPasswordAllZero", makePasswordField(""), {0, 0, 0, 0, 0, 0, 0, 0}},
        PasswordCase{"LongerInputCutToSix", makePasswordField("abcdefgh"), {'a', 'b', 'c', 'd', 'e', 'f', 0, 0}},
        PasswordCase{"BytesAfterTheNulNeverSent", PasswordField{'a', 0, 'x', 'y', 'z', 1, 2, 3},
                     {'a', 0, 0, 0, 0, 0, 0, 0}},
        PasswordCase{"FullFieldStillEndsInTwoZeros", PasswordField{'1', '2', '3', '4', '5', '6', '7', '8'},
                     {'1', '2', '3', '4', '5', '6', 0, 0}}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(RequestBuilder, PasswordFieldEndsAtEmbeddedNul) {
  EXPECT_EQ(makePasswordField(std::string_view("ab\0cd", 5)), (PasswordField{'a', 'b', 0, 0, 0, 0, 0, 0}));
}

TEST(RequestBuilder, StationMacOnlyThroughTheMulticastGroup) {
  EXPECT_EQ(RequestBuilder::stationMacFor(kMulticastGroup, kUnit), kUnit);
  EXPECT_EQ(RequestBuilder::stationMacFor(ipv4FromOctets(192, 168, 0, 5), kUnit), MacAddress{});
  // 99.19.192.239 is the group's octets the wrong way round: a unicast address.
  EXPECT_EQ(RequestBuilder::stationMacFor(ipv4FromOctets(99, 19, 192, 239), kUnit), MacAddress{});

  RequestBuilder rb;
  Bytes d = rb.build(CmdRead, 0, 88, {}, PasswordField{},
                     RequestBuilder::stationMacFor(ipv4FromOctets(192, 168, 0, 5), kUnit));
  EXPECT_EQ(Bytes(d.begin() + 24, d.begin() + 30), Bytes(6, 0));
}

// ---------------------------------------------------------- acceptance rule

const Ipv4 kUnicastUnit = ipv4FromOctets(192, 168, 0, 5);
const Ipv4 kOtherHost = ipv4FromOctets(192, 168, 0, 6);
const MacAddress kLocalBitOwn{{0x02, 0x00, 0x00, 0x12, 0x34, 0x56}};
const MacAddress kGlobalOwn{{0x00, 0x00, 0x00, 0x12, 0x34, 0x56}};
const MacAddress kZero{};
const std::uint16_t kLatest = 0x1234;

struct AcceptCase {
  const char* rule;
  std::size_t size;
  std::uint8_t command;
  std::uint16_t transactionNo;
  MacAddress stationMac;
  Ipv4 source;
  Ipv4 lastDestination;
  std::vector<MacAddress> adapters;
  bool accepted;
};
void PrintTo(const AcceptCase& c, std::ostream* os) { *os << c.rule; }

Bytes reply(const AcceptCase& c) {
  PacketHeader h;
  h.command = c.command;
  h.transactionNo = c.transactionNo;
  h.requestNo = static_cast<std::uint16_t>(c.transactionNo + 7);  // never examined
  h.magic = 0;                                                    // never examined
  h.version = 9;                                                  // never examined
  h.stationMac = c.stationMac;
  Bytes d(std::max(c.size, kHeaderSize), 0xEE);
  h.encode(d.data());
  d.resize(c.size);
  return d;
}

class AcceptReply : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(AcceptReply, Rule) {
  const AcceptCase& c = GetParam();
  AcceptanceContext ctx;
  ctx.transactionNo = kLatest;
  ctx.lastDestination = c.lastDestination;
  ctx.adapterMacs = c.adapters;
  EXPECT_EQ(acceptReply(reply(c), c.source, ctx), c.accepted);
}

constexpr std::uint8_t kReadReply = CmdRead | kReplyBit;

INSTANTIATE_TEST_SUITE_P(
    Rules, AcceptReply,
    ::testing::Values(
        AcceptCase{"ShorterThanHeaderDropped", 35, kReadReply, kLatest, kZero, 0, kMulticastGroup, {}, false},
        AcceptCase{"HeaderOnlyReplyAccepted", 36, CmdWrite | kReplyBit, kLatest, kZero, kUnicastUnit, kUnicastUnit,
                   {}, true},
        AcceptCase{"ReplyWithPayloadAccepted", 36 + 88, kReadReply, kLatest, kZero, kUnicastUnit, kUnicastUnit, {},
                   true},
        AcceptCase{"LargestDatagramAccepted", kMaxDatagram, kReadReply, kLatest, kZero, 0, kMulticastGroup, {}, true},
        AcceptCase{"ReplyBitClearDropped", 36, CmdRead, kLatest, kZero, 0, kMulticastGroup, {}, false},
        AcceptCase{"StaleTransactionDropped", 36, kReadReply, kLatest - 1, kZero, 0, kMulticastGroup, {}, false},
        AcceptCase{"NewerTransactionDropped", 36, kReadReply, kLatest + 1, kZero, 0, kMulticastGroup, {}, false},
        AcceptCase{"ZeroMacAfterMulticastFromAnySource", 36, kReadReply, kLatest, kZero, kOtherHost,
                   kMulticastGroup, {}, true},
        AcceptCase{"ZeroMacAfterUnicastFromThatAddress", 36, kReadReply, kLatest, kZero, kUnicastUnit, kUnicastUnit,
                   {}, true},
        AcceptCase{"ZeroMacAfterUnicastFromOtherAddressDropped", 36, kReadReply, kLatest, kZero, kOtherHost,
                   kUnicastUnit, {}, false},
        AcceptCase{"ZeroMacFromUnknownSourceAccepted", 36, kReadReply, kLatest, kZero, 0, kUnicastUnit, {}, true},
        AcceptCase{"BroadcastMacDropped", 36, kReadReply, kLatest, MacAddress::broadcast(), 0, kMulticastGroup,
                   {MacAddress::broadcast()}, false},
        AcceptCase{"LocalBitEntryAcceptsGlobalForm", 36, kReadReply, kLatest, kGlobalOwn, kOtherHost, kUnicastUnit,
                   {kLocalBitOwn}, true},
        AcceptCase{"LocalBitEntryAcceptsItself", 36, kReadReply, kLatest, kLocalBitOwn, 0, kMulticastGroup,
                   {kLocalBitOwn}, true},
        AcceptCase{"GlobalEntryRejectsLocalForm", 36, kReadReply, kLatest, kLocalBitOwn, 0, kMulticastGroup,
                   {kGlobalOwn}, false},
        AcceptCase{"GlobalEntryExactMatchAccepted", 36, kReadReply, kLatest, kGlobalOwn, 0, kMulticastGroup,
                   {kGlobalOwn}, true},
        AcceptCase{"LocalBitLeniencyIsOnlyThatBit", 36, kReadReply, kLatest,
                   MacAddress{{0x03, 0x00, 0x00, 0x12, 0x34, 0x56}}, 0, kMulticastGroup, {kLocalBitOwn}, false},
        AcceptCase{"LocalBitEntryNeedsLastFiveBytes", 36, kReadReply, kLatest,
                   MacAddress{{0x00, 0x00, 0x00, 0x12, 0x34, 0x57}}, 0, kMulticastGroup, {kLocalBitOwn}, false},
        AcceptCase{"ForeignMacDropped", 36, kReadReply, kLatest, kUnit, 0, kMulticastGroup,
                   {kGlobalOwn, kLocalBitOwn}, false},
        AcceptCase{"AnyTableEntryMayMatch", 36, kReadReply, kLatest, kGlobalOwn, 0, kMulticastGroup,
                   {kUnit, kGlobalOwn}, true},
        AcceptCase{"NonZeroMacWithoutAdaptersDropped", 36, kReadReply, kLatest, kGlobalOwn, 0, kMulticastGroup, {},
                   false}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(AdapterMac, LocallyAdministeredBitIsTheOnlyLeniency) {
  EXPECT_TRUE(adapterMacMatches(kLocalBitOwn, kGlobalOwn));
  EXPECT_TRUE(adapterMacMatches(kLocalBitOwn, kLocalBitOwn));
  EXPECT_FALSE(adapterMacMatches(kGlobalOwn, kLocalBitOwn));
  EXPECT_TRUE(adapterMacMatches(kGlobalOwn, kGlobalOwn));
  // 0x06 has bit 1 set too; it is 0x04 with the local bit, and nothing else.
  const MacAddress e{{0x06, 1, 2, 3, 4, 5}};
  EXPECT_TRUE(adapterMacMatches(e, MacAddress{{0x04, 1, 2, 3, 4, 5}}));
  EXPECT_FALSE(adapterMacMatches(e, MacAddress{{0x02, 1, 2, 3, 4, 5}}));
}

}  // namespace
}  // namespace trennic
