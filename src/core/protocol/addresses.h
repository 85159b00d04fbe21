#pragma once
// MAC and IPv4 address values and their text forms as the program shows them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trennic {

// Six bytes in transmission order.
struct MacAddress {
  std::array<std::uint8_t, 6> bytes{};

  static MacAddress broadcast() { return MacAddress{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}; }
  bool isZero() const;
  bool isBroadcast() const;
  friend bool operator==(const MacAddress&, const MacAddress&) = default;
};

// "%02X-%02X-%02X-%02X-%02X-%02X"
std::string formatMac(const MacAddress& mac);

// Six hexadecimal numbers separated by "-", each at most 255, read the way
// sscanf("%X-%X-%X-%X-%X-%X") reads them; nothing when they don't read.
std::optional<MacAddress> parseMac(std::string_view text);

// IPv4 addresses handed between windows and the engine are 32-bit values in
// network order: the first octet is the lowest byte in memory, so the group
// 239.192.19.99 is the value 0x6313C0EF.
using Ipv4 = std::uint32_t;

constexpr Ipv4 ipv4FromOctets(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return static_cast<Ipv4>(a) | static_cast<Ipv4>(b) << 8 | static_cast<Ipv4>(c) << 16 |
         static_cast<Ipv4>(d) << 24;
}
constexpr std::array<std::uint8_t, 4> ipv4Octets(Ipv4 ip) {
  return {static_cast<std::uint8_t>(ip), static_cast<std::uint8_t>(ip >> 8),
          static_cast<std::uint8_t>(ip >> 16), static_cast<std::uint8_t>(ip >> 24)};
}
// Host order (first octet most significant), as sockets and the debug log use it.
constexpr std::uint32_t ipv4ToHostOrder(Ipv4 ip) {
  auto o = ipv4Octets(ip);
  return static_cast<std::uint32_t>(o[0]) << 24 | static_cast<std::uint32_t>(o[1]) << 16 |
         static_cast<std::uint32_t>(o[2]) << 8 | o[3];
}
constexpr Ipv4 ipv4FromHostOrder(std::uint32_t h) {
  return ipv4FromOctets(static_cast<std::uint8_t>(h >> 24), static_cast<std::uint8_t>(h >> 16),
                        static_cast<std::uint8_t>(h >> 8), static_cast<std::uint8_t>(h));
}

constexpr Ipv4 kMulticastGroup = ipv4FromOctets(239, 192, 19, 99);
static_assert(kMulticastGroup == 0x6313C0EF);
constexpr std::uint16_t kUnitPort = 20487;

// "%u.%u.%u.%u", first octet first.
std::string formatIpv4(Ipv4 ip);

// Four unsigned numbers separated by dots, each at most 255, read the way
// sscanf("%u.%u.%u.%u") reads them; nothing when they don't read.
std::optional<Ipv4> parseIpv4(std::string_view text);

}  // namespace trennic
