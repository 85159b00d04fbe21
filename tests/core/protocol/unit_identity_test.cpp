#include "core/protocol/unit_identity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "core/protocol/packet.h"

namespace trennic {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A search reply: header, then the identity block with the fields placed by
// hand so that the offsets themselves are under test.
Bytes identityReply(std::uint16_t version, std::uint16_t unitType, std::size_t size = kHeaderSize + kIdentitySize) {
  Bytes d(std::max(size, kHeaderSize + kIdentitySize), 0x5A);
  PacketHeader h;
  h.command = CmdRead | kReplyBit;
  h.length = kIdentitySize;
  h.encode(d.data());
  std::uint8_t* p = d.data() + kHeaderSize;
  p[66] = static_cast<std::uint8_t>(version);
  p[67] = static_cast<std::uint8_t>(version >> 8);
  const std::uint8_t mac[6] = {0x00, 0x80, 0x92, 0xAB, 0xCD, 0xEF};
  std::copy(mac, mac + 6, p + 68);
  const std::uint8_t ip[4] = {192, 168, 0, 5};
  std::copy(ip, ip + 4, p + 76);
  p[80] = static_cast<std::uint8_t>(unitType);
  p[81] = static_cast<std::uint8_t>(unitType >> 8);
  d.resize(size);
  return d;
}

struct VersionCase {
  const char* rule;
  std::uint16_t version;
  std::uint16_t unitType;
  const char* shown;
};
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.rule; }

class VersionText : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionText, ShownFromTheReply) {
  const VersionCase& c = GetParam();
  auto id = identityFromReply(identityReply(c.version, c.unitType));
  ASSERT_TRUE(id);
  EXPECT_EQ(formatVersion(id->firmwareVersion, id->unitType), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Rules, VersionText,
                         ::testing::Values(VersionCase{"MajorDotTwoDigitMinor", 0x0201, 9, "2.01"},
                                           VersionCase{"TypeTwentyOneGainsT", 0x0201, 21, "2.01T"},
                                           VersionCase{"NoVersion", 0xFFFF, 9, "-.--"},
                                           VersionCase{"NoVersionHasNoT", 0xFFFF, 21, "-.--"},
                                           VersionCase{"BytesAreDecimalNumbers", 0x0A0C, 9, "10.12"},
                                           VersionCase{"ZeroMinorPadded", 0x0100, 9, "1.00"}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(UnitIdentity, FieldsAtTheirOffsets) {
  auto id = identityFromReply(identityReply(0x0305, 9));
  ASSERT_TRUE(id);
  EXPECT_EQ(id->firmwareVersion, 0x0305);
  EXPECT_EQ(formatMac(id->macAddress), "00-80-92-AB-CD-EF");
  EXPECT_EQ(id->ipAddress, ipv4FromOctets(192, 168, 0, 5));
  EXPECT_EQ(formatIpv4(id->ipAddress), "192.168.0.5");
  EXPECT_EQ(id->unitType, 9);
}

struct TypeCase {
  const char* rule;
  std::uint16_t unitType;
  bool accepted;
};
void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.rule; }

class UnitType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(UnitType, OnlyOursAccepted) {
  EXPECT_EQ(identityFromReply(identityReply(0x0201, GetParam().unitType)).has_value(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Rules, UnitType,
                         ::testing::Values(TypeCase{"Nine", 9, true}, TypeCase{"TwentyOne", 21, true},
                                           TypeCase{"FiveIgnored", 5, false}, TypeCase{"ZeroIgnored", 0, false},
                                           // The type is a 16-bit word: 0x0109 is not 9.
                                           TypeCase{"HighByteCounts", 0x0109, false}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(UnitIdentity, ReplyMustHoldTheWholeBlock) {
  EXPECT_FALSE(identityFromReply(identityReply(0x0201, 9, 120)));
  EXPECT_FALSE(identityFromReply(identityReply(0x0201, 9, kHeaderSize + kIdentitySize - 1)));
  EXPECT_TRUE(identityFromReply(identityReply(0x0201, 9, 124)));
  EXPECT_TRUE(identityFromReply(identityReply(0x0201, 9, 200)));
}

TEST(UnitIdentity, EncodeReadsBack) {
  UnitIdentity id;
  id.firmwareVersion = 0x0201;
  id.macAddress = MacAddress{{1, 2, 3, 4, 5, 6}};
  id.ipAddress = ipv4FromOctets(10, 4, 5, 6);
  id.unitType = kUnitTypeT;
  Bytes block(kIdentitySize, 0xEE);
  id.encode(block.data());
  EXPECT_EQ(block[66], 0x01);
  EXPECT_EQ(block[67], 0x02);
  EXPECT_EQ(Bytes(block.begin() + 68, block.begin() + 74), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Bytes(block.begin() + 76, block.begin() + 80), (Bytes{10, 4, 5, 6}));
  EXPECT_EQ(block[80], 21);
  EXPECT_EQ(block[81], 0);
  EXPECT_EQ(block[0], 0) << "bytes without meaning are zero";
  auto back = UnitIdentity::decode(block);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->firmwareVersion, id.firmwareVersion);
  EXPECT_EQ(back->macAddress, id.macAddress);
  EXPECT_EQ(back->ipAddress, id.ipAddress);
  EXPECT_EQ(back->unitType, id.unitType);
}

}  // namespace
}  // namespace trennic
