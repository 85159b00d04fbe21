#pragma once
// The rules of the "SNMP" and "Spanning Tree" configuration pages: what the
// controls show for a record, which of them can be used, and what their
// texts store. The pages only carry the answers over to their widgets.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/text_encoding.h"
#include "core/config/ap_config.h"
#include "core/protocol/addresses.h"

namespace trennic {

// --- SNMP --------------------------------------------------------------------

// The four SNMP texts share one size: 32 bytes, the last always the NUL.
inline constexpr std::size_t kSnmpTextMax = cfg::SnmpTextSize - 1;

// A unit knows read only (0) and read and write (1); anything above reads as
// read and write, the wider of the two, which the page then stores back.
std::uint16_t snmpAccessShown(std::uint16_t stored);

// There is no flag for traps: a destination of 0.0.0.0 sends none.
constexpr bool snmpTrapSent(Ipv4 destination) { return destination != 0; }

struct SnmpEnabling {
  bool agentFields;  // community, access, "Send Trap" and the three system texts
  bool trapOctets;   // the four fields of the trap destination
};
// With the agent off everything but its own box is greyed out; the record
// keeps the values regardless.
SnmpEnabling snmpEnabling(std::uint16_t agent, Ipv4 trapDestination);

// One octet field of the trap destination: its number's low 8 bits; a text
// without a number (an empty field) gives 0.
std::uint8_t trapOctetFromText(std::string_view text);
// What the trap part stores: 0.0.0.0 unless "Send Trap" is ticked, else the
// four fields, first field first.
Ipv4 trapDestinationFromTexts(bool sendTrap, const std::array<std::string_view, 4>& octets);

// A text as its field takes it: at most kSnmpTextMax bytes, cut before a
// double-byte character of the encoding that would not fit whole.
std::string snmpFieldText(std::string_view bytes, TextEncoding encoding);

// --- Spanning tree -------------------------------------------------------------

// One number field of the page: its word in the record, the range its edit
// control keeps, and what a text outside that range stores (the record's
// default).
struct StpField {
  std::size_t offset;
  std::uint16_t minimum;
  std::uint16_t maximum;
  std::uint16_t fallback;
};

// In the page's order: bridge priority, max age, hello time, forward delay,
// then the path costs of the Ethernet and the wireless port.
inline constexpr std::array<StpField, 6> kStpFields{{
    {cfg::StpPriority, 0, 65535, 32768},
    {cfg::StpMaxAge, 6, 40, 20},
    {cfg::StpHelloTime, 1, 10, 2},
    {cfg::StpFwdDelay, 4, 30, 15},
    {cfg::StpCostEt, 1, 65535, 100},
    {cfg::StpCostWl, 1, 65535, 500},
}};

// The word a field's text stores: its number when it has one inside the
// range, else the fallback. The edit control only enforces its range on a
// full field, so a short value such as 3 seconds of max age reaches here.
std::uint16_t stpFieldValue(const StpField& field, std::string_view text);

// Outside DIP-switch mode (ModeSw 0) an infrastructure unit (NetworkMode not
// 0) runs no spanning tree of its own choosing, so nothing of it can be set.
bool stpConfigurable(std::uint16_t modeSw, std::uint16_t networkMode);

struct StpEnabling {
  bool function;  // "Enable Spanning Tree"
  bool fields;    // the six numbers
};
StpEnabling stpEnabling(std::uint16_t modeSw, std::uint16_t networkMode, std::uint16_t stpFunc);

}  // namespace trennic
