#include "core/protocol/addresses.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace trennic {
namespace {

struct MacCase {
  const char* rule;
  std::string text;
  std::optional<MacAddress> expected;
};
void PrintTo(const MacCase& c, std::ostream* os) { *os << c.rule; }

class ParseMac : public ::testing::TestWithParam<MacCase> {};

TEST_P(ParseMac, Reads) { EXPECT_EQ(parseMac(GetParam().text), GetParam().expected); }

MacAddress mac(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint8_t e, std::uint8_t f) {
  return MacAddress{{a, b, c, d, e, f}};
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseMac,
    ::testing::Values(MacCase{"UpperCaseHex", "00-11-22-AA-BB-CC", mac(0x00, 0x11, 0x22, 0xAA, 0xBB, 0xCC)},
                      MacCase{"LowerCaseHex", "0a-1b-2c-3d-4e-5f", mac(0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F)},
                      MacCase{"SingleDigits", "0-1-2-3-4-F", mac(0, 1, 2, 3, 4, 0xF)},
                      MacCase{"AllOnes", "FF-FF-FF-FF-FF-FF", MacAddress::broadcast()},
                      MacCase{"LeadingZerosAllowed", "000FF-01-02-03-04-05", mac(0xFF, 1, 2, 3, 4, 5)},
                      MacCase{"ValueAbove255Rejected", "100-00-00-00-00-00", std::nullopt},
                      MacCase{"HugeValueRejected", "FFFFFFFFFF-00-00-00-00-00", std::nullopt},
                      MacCase{"MissingPartRejected", "00-11-22-33-44", std::nullopt},
                      MacCase{"EmptyLastPartRejected", "00-11-22-33-44-", std::nullopt},
                      MacCase{"EmptyMiddlePartRejected", "00-11--33-44-55", std::nullopt},
                      MacCase{"NegativeRejected", "-1-00-00-00-00-00", std::nullopt},
                      MacCase{"NegativeLastRejected", "00-00-00-00-00--2", std::nullopt},
                      MacCase{"ColonsRejected", "00:11:22:33:44:55", std::nullopt},
                      MacCase{"NonHexRejected", "GG-11-22-33-44-55", std::nullopt},
                      MacCase{"EmptyRejected", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.rule); });

struct IpCase {
  const char* rule;
  std::string text;
  std::optional<Ipv4> expected;
};
void PrintTo(const IpCase& c, std::ostream* os) { *os << c.rule; }

class ParseIpv4 : public ::testing::TestWithParam<IpCase> {};

TEST_P(ParseIpv4, Reads) { EXPECT_EQ(parseIpv4(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseIpv4,
    ::testing::Values(IpCase{"Ordinary", "192.168.0.5", ipv4FromOctets(192, 168, 0, 5)},
                      IpCase{"AllZero", "0.0.0.0", Ipv4{0}},
                      IpCase{"AllMax", "255.255.255.255", Ipv4{0xFFFFFFFF}},
                      IpCase{"MulticastGroup", "239.192.19.99", kMulticastGroup},
                      IpCase{"LeadingZerosAreDecimal", "010.000.000.009", ipv4FromOctets(10, 0, 0, 9)},
                      IpCase{"OctetAbove255Rejected", "256.0.0.1", std::nullopt},
                      IpCase{"LastOctetAbove255Rejected", "1.2.3.1000", std::nullopt},
                      IpCase{"MissingPartRejected", "1.2.3", std::nullopt},
                      IpCase{"EmptyLastPartRejected", "1.2.3.", std::nullopt},
                      IpCase{"NegativeRejected", "-1.2.3.4", std::nullopt},
                      IpCase{"NegativeLastRejected", "1.2.3.-4", std::nullopt},
                      IpCase{"LettersRejected", "a.b.c.d", std::nullopt},
                      IpCase{"HexRejected", "0x0A.0.0.1", std::nullopt},
                      IpCase{"EmptyRejected", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(FormatMac, UpperCaseTwoDigitsDashed) {
  EXPECT_EQ(formatMac(mac(0x00, 0x0a, 0xBC, 0x01, 0xff, 0x10)), "00-0A-BC-01-FF-10");
  EXPECT_EQ(formatMac(MacAddress{}), "00-00-00-00-00-00");
}

TEST(FormatIpv4, FirstOctetFirst) {
  EXPECT_EQ(formatIpv4(ipv4FromOctets(10, 0, 0, 255)), "10.0.0.255");
  EXPECT_EQ(formatIpv4(kMulticastGroup), "239.192.19.99");
}

TEST(Addresses, TextFormsReadBack) {
  for (const char* t : {"00-11-22-AA-BB-CC", "FF-00-FF-00-FF-00"}) EXPECT_EQ(formatMac(*parseMac(t)), t);
  for (const char* t : {"192.168.0.5", "0.0.0.0", "255.255.255.255"}) EXPECT_EQ(formatIpv4(*parseIpv4(t)), t);
}

TEST(Addresses, MulticastGroupInNetworkOrder) {
  EXPECT_EQ(kMulticastGroup, 0x6313C0EFu);
  auto octets = ipv4Octets(kMulticastGroup);
  EXPECT_EQ(octets, (std::array<std::uint8_t, 4>{239, 192, 19, 99}));
  EXPECT_EQ(ipv4ToHostOrder(kMulticastGroup), 0xEFC01363u);
  EXPECT_EQ(ipv4FromHostOrder(0xEFC01363u), kMulticastGroup);
  EXPECT_EQ(kUnitPort, 0x5007);
}

TEST(Addresses, MacPredicates) {
  EXPECT_TRUE(MacAddress{}.isZero());
  EXPECT_FALSE(MacAddress{}.isBroadcast());
  EXPECT_TRUE(MacAddress::broadcast().isBroadcast());
  EXPECT_FALSE(mac(0, 0, 0, 0, 0, 1).isZero());
  EXPECT_FALSE(mac(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE).isBroadcast());
}

}  // namespace
}  // namespace trennic
