#pragma once
// What the "Interfaces" and "Wireless Counter" pages show, and what their
// "Clear" buttons reset, from the snapshot of the last completed cycle.
#include <cstdint>
#include <string>
#include <vector>

#include "core/status/status_poller.h"
#include "core/status/status_text.h"

namespace trennic {

// The clear masks the two pages' "Clear" buttons write to the unit.
constexpr std::uint32_t kInterfacesClearMask = 0x00000003;
constexpr std::uint32_t kWirelessCounterClearMask = 0x00000200;

// One line of the "Interfaces" page: the label on the left, then the
// Ethernet and the wireless column.
struct InterfaceRow {
  std::string label;
  std::string ethernet;
  std::string wireless;
  bool operator==(const InterfaceRow&) const = default;
};

// The sixteen lines, top to bottom. With debugDisplay the wireless
// "Resets:" also carries the unit's wireless reset detail, when it has one.
std::vector<InterfaceRow> interfaceRows(const StatusSnapshot& s, bool debugDisplay);

// What a successful Clear on "Interfaces" leaves in the snapshot: every
// counter of both interfaces and the wireless reset detail read 0; MTU,
// speed, MAC address and state are not counters and stay.
void clearInterfaceCounters(StatusSnapshot& s);

// The "Wireless Counter" page: transmit counters on the left, receive
// counters on the right.
struct WirelessCounterView {
  std::vector<StatusField> transmit;
  std::vector<StatusField> receive;
};
WirelessCounterView wirelessCounterView(const StatusSnapshot& s);

// What a successful Clear on "Wireless Counter" leaves: the whole block 0.
void clearWirelessCounters(StatusSnapshot& s);

}  // namespace trennic
