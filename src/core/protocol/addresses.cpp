#include "core/protocol/addresses.h"

#include "core/app/text_scan.h"

#include <cstdio>

namespace trennic {

namespace {

using text::isSpace;
bool isHexDigit(char c) { return text::hexDigit(c) >= 0; }
unsigned hexValue(char c) { return static_cast<unsigned>(text::hexDigit(c)); }

// One scanf-style number: leading white space, an optional sign, then digits.
// Values that overflow are clamped so the caller's range check fails.
bool scanNumber(std::string_view s, std::size_t& i, bool hex, unsigned long long& out) {
  while (i < s.size() && isSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (hex && i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && i + 2 < s.size() &&
      isHexDigit(s[i + 2]))
    i += 2;
  std::size_t start = i;
  unsigned long long n = 0;
  while (i < s.size() && (hex ? isHexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9'))) {
    n = n * (hex ? 16 : 10) + (hex ? hexValue(s[i]) : static_cast<unsigned>(s[i] - '0'));
    if (n > 0xFFFFFFFFull) n = 0x100000000ull;
    ++i;
  }
  if (i == start) return false;
  // A negative number is never a valid octet.
  out = negative && n != 0 ? 0x100000000ull : n;
  return true;
}

template <std::size_t N>
bool scanSeparated(std::string_view s, char sep, bool hex, std::array<unsigned long long, N>& out) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < N; ++k) {
    if (k > 0) {
      if (i >= s.size() || s[i] != sep) return false;
      ++i;
    }
    if (!scanNumber(s, i, hex, out[k])) return false;
  }
  return true;
}

}  // namespace

bool MacAddress::isZero() const {
  for (auto b : bytes)
    if (b != 0) return false;
  return true;
}

bool MacAddress::isBroadcast() const { return *this == broadcast(); }

std::string formatMac(const MacAddress& m) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02X-%02X-%02X-%02X-%02X-%02X", m.bytes[0], m.bytes[1], m.bytes[2], m.bytes[3],
                m.bytes[4], m.bytes[5]);
  return buf;
}

std::optional<MacAddress> parseMac(std::string_view text) {
  std::array<unsigned long long, 6> v{};
  if (!scanSeparated(text, '-', true, v)) return std::nullopt;
  MacAddress m;
  for (std::size_t k = 0; k < 6; ++k) {
    if (v[k] > 255) return std::nullopt;
    m.bytes[k] = static_cast<std::uint8_t>(v[k]);
  }
  return m;
}

std::string formatIpv4(Ipv4 ip) {
  auto o = ipv4Octets(ip);
  char buf[20];
  std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", o[0], o[1], o[2], o[3]);
  return buf;
}

std::optional<Ipv4> parseIpv4(std::string_view text) {
  std::array<unsigned long long, 4> v{};
  if (!scanSeparated(text, '.', false, v)) return std::nullopt;
  for (auto n : v)
    if (n > 255) return std::nullopt;
  return ipv4FromOctets(static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                        static_cast<std::uint8_t>(v[2]), static_cast<std::uint8_t>(v[3]));
}

}  // namespace trennic
