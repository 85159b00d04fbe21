#pragma once
// The 88-byte block at unit address 0 that search and version queries read.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/protocol/addresses.h"

namespace trennic {

constexpr std::size_t kIdentitySize = 88;
constexpr std::uint16_t kNoVersion = 0xFFFF;
constexpr std::uint16_t kUnitTypeStandard = 9;
constexpr std::uint16_t kUnitTypeT = 21;

struct UnitIdentity {
  std::uint16_t firmwareVersion = kNoVersion;  // high byte major, low byte minor
  MacAddress macAddress{};
  Ipv4 ipAddress = 0;  // network order
  std::uint16_t unitType = kUnitTypeStandard;

  // Only unit types 9 and 21 are units of ours; anything else is ignored.
  static std::optional<UnitIdentity> decode(std::span<const std::uint8_t> payload);
  void encode(std::uint8_t* out) const;  // kIdentitySize bytes; unknown bytes zero
};

// Whether a MAC address can be one unit's own: not unset (all zero), not
// the broadcast address, not a group address. Files kept per unit are named
// after such an address only, or two units would share one file.
bool isUnitMac(const MacAddress& mac);

// The MAC address a unit's own files are named after: `preferred` when it
// is one unit's, else `fallback` when that is; nothing when neither is.
std::optional<MacAddress> unitMacFor(const MacAddress& preferred, const MacAddress& fallback);

// "%u.%02u", "%u.%02uT" for unit type 21, "-.--" for 0xFFFF.
std::string formatVersion(std::uint16_t version, std::uint16_t unitType = kUnitTypeStandard);

// The identity carried by a reply datagram: nothing when the datagram is
// shorter than header plus block or the unit type is not ours.
std::optional<UnitIdentity> identityFromReply(std::span<const std::uint8_t> datagram);

}  // namespace trennic
