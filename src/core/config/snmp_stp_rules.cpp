#include "core/config/snmp_stp_rules.h"

#include <optional>

#include "core/controls/edit_rules.h"

namespace trennic {

std::uint16_t snmpAccessShown(std::uint16_t stored) { return stored > 1 ? 1 : stored; }

SnmpEnabling snmpEnabling(std::uint16_t agent, Ipv4 trapDestination) {
  const bool on = agent != 0;
  return {on, on && snmpTrapSent(trapDestination)};
}

std::uint8_t trapOctetFromText(std::string_view text) {
  const std::optional<ParsedDecimal> parsed = parseDecimalText(text);
  if (!parsed) return 0;
  // A number past 32 bits is read as the largest one, whose low byte is 255;
  // the field's three-digit limit keeps typed text far from that.
  const std::uint32_t value = parsed->tooLarge ? 0xFFFFFFFFu : parsed->value;
  return static_cast<std::uint8_t>(value & 0xFF);
}

Ipv4 trapDestinationFromTexts(bool sendTrap, const std::array<std::string_view, 4>& octets) {
  if (!sendTrap) return 0;
  return ipv4FromOctets(trapOctetFromText(octets[0]), trapOctetFromText(octets[1]), trapOctetFromText(octets[2]),
                        trapOctetFromText(octets[3]));
}

std::string snmpFieldText(std::string_view bytes, TextEncoding encoding) {
  // A NUL would end the text early in the record anyway; stop there so the
  // cut below counts only what is kept.
  bytes = bytes.substr(0, bytes.find('\0'));
  return std::string(encoding.truncate(bytes, kSnmpTextMax));
}

std::uint16_t stpFieldValue(const StpField& field, std::string_view text) {
  const std::optional<ParsedDecimal> parsed = parseDecimalText(text);
  if (!parsed || parsed->tooLarge || parsed->value < field.minimum || parsed->value > field.maximum)
    return field.fallback;
  return static_cast<std::uint16_t>(parsed->value);
}

bool stpConfigurable(std::uint16_t modeSw, std::uint16_t networkMode) { return modeSw != 0 || networkMode == 0; }

StpEnabling stpEnabling(std::uint16_t modeSw, std::uint16_t networkMode, std::uint16_t stpFunc) {
  if (!stpConfigurable(modeSw, networkMode)) return {false, false};
  return {true, stpFunc != 0};
}

}  // namespace trennic
