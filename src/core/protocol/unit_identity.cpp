#include "core/protocol/unit_identity.h"

#include <cstdio>
#include <cstring>

#include "core/protocol/packet.h"

namespace trennic {

std::optional<UnitIdentity> UnitIdentity::decode(std::span<const std::uint8_t> p) {
  if (p.size() < kIdentitySize) return std::nullopt;
  UnitIdentity id;
  id.firmwareVersion = readLe16(p.data() + 66);
  std::memcpy(id.macAddress.bytes.data(), p.data() + 68, 6);
  id.ipAddress = ipv4FromOctets(p[76], p[77], p[78], p[79]);
  id.unitType = readLe16(p.data() + 80);
  if (id.unitType != kUnitTypeStandard && id.unitType != kUnitTypeT) return std::nullopt;
  return id;
}

void UnitIdentity::encode(std::uint8_t* out) const {
  std::memset(out, 0, kIdentitySize);
  writeLe16(out + 66, firmwareVersion);
  std::memcpy(out + 68, macAddress.bytes.data(), 6);
  auto o = ipv4Octets(ipAddress);
  std::memcpy(out + 76, o.data(), 4);
  writeLe16(out + 80, unitType);
}

bool isUnitMac(const MacAddress& mac) { return !mac.isZero() && (mac.bytes[0] & 0x01) == 0; }

std::optional<MacAddress> unitMacFor(const MacAddress& preferred, const MacAddress& fallback) {
  if (isUnitMac(preferred)) return preferred;
  if (isUnitMac(fallback)) return fallback;
  return std::nullopt;
}

std::string formatVersion(std::uint16_t version, std::uint16_t unitType) {
  if (version == kNoVersion) return "-.--";
  char buf[16];
  std::snprintf(buf, sizeof buf, unitType == kUnitTypeT ? "%u.%02uT" : "%u.%02u", version >> 8u, version & 0xFFu);
  return buf;
}

std::optional<UnitIdentity> identityFromReply(std::span<const std::uint8_t> datagram) {
  if (datagram.size() < kHeaderSize + kIdentitySize) return std::nullopt;
  return UnitIdentity::decode(datagram.subspan(kHeaderSize, kIdentitySize));
}

}  // namespace trennic
