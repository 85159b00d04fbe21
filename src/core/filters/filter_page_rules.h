#pragma once
// What the Filter page and its two entry editors decide: which controls the
// mode of the unit allows, the texts of the list cells, how a protocol entry
// is shown in its editor and read back from it, and which new entries clash
// with the table. The windows only move these values in and out of widgets.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/ap_config.h"
#include "core/filters/filter_tables.h"

namespace trennic {

// ---------------------------------------------------------------- the page

// "Enable MAC Address Filter" means something only where stations log in:
// the unit's DIP switch chooses the mode, or it runs as an infrastructure
// access point.
bool macFilterSwitchAvailable(const ApConfig& config);

// "%4u/%4u": the used entries and the size of the table.
std::string filterNumberText(std::size_t count, std::size_t capacity);

// The cells of one list row, from "Entry No." (number is index + 1) on.
// From kFilterDetailLevel on the rows carry the access column (and, for the
// protocol list, the port side and interface columns too).
std::vector<std::string> macFilterCells(const MacFilterEntry& e, std::size_t number, int displayLevel);
std::vector<std::string> protocolFilterCells(const ProtocolFilterEntry& e, std::size_t number, int displayLevel);

// "Ethernet" (1), "Wireless" (2), "All" for any other interface.
std::string_view interfaceText(std::uint16_t iface);
// "Source" (1), "Destination" (2), both joined by "+" for 3 or 0.
std::string portSideText(unsigned side);

// ------------------------------------------------------- protocol conflicts

// Entries that would decide about the same frames. Interfaces Ethernet and
// Wireless are disjoint, and so are a port that is only a source and one
// that is only a destination; the 802.3 entry overlaps only another 802.3
// entry. Below the Ethernet type the protocols (and, where the candidate
// covers TCP or UDP, the ports) must overlap too, unless the candidate is not
// an IP entry or either entry takes all IP protocols.
bool protocolEntriesConflict(const ProtocolFilterEntry& candidate, const ProtocolFilterEntry& other);

// The protocol editor's test of the entry meant for slot `index` against
// every other used entry.
bool protocolEntryConflicts(ConstProtocolFilterBlock block, const ProtocolFilterEntry& candidate, std::size_t index);

// -------------------------------------------------------- the MAC editor

// "Access Control:" of both editors, in the order of FilterAccess.
std::span<const std::string_view> accessChoices();

// "Range" clicked: checking it keeps the flags and makes the entry a range of
// the two addresses typed; clearing it makes the entry the first address with
// no flags at all, so its access reads "Disabled" again.
MacFilterEntry macEditorRangeClicked(const MacFilterEntry& shown, const MacAddress& address1,
                                     const MacAddress& address2, bool range);

// The entry OK stores: a range in ascending order, or one address when the
// ends are equal or "Range" is clear; access from the combo, or 1 below
// kFilterDetailLevel. The reserved word of the entry shown is kept.
MacFilterEntry macEditorEntry(const MacFilterEntry& shown, const MacAddress& address1, const MacAddress& address2,
                              bool range, int access, int displayLevel);

// --------------------------------------------------- the protocol editor

// The items of the editor's combo boxes, in this order.
enum EtherChoice : int { Ether8023, EtherIp, EtherArp, EtherRarp, EtherUserDefined };
enum ProtocolChoice : int { ProtocolIcmp, ProtocolTcp, ProtocolUdp, ProtocolAll, ProtocolUserDefined };
enum PortChoice : int { PortAll, PortUserDefined };
enum InterfaceChoice : int { ChoiceEthernet, ChoiceWireless, ChoiceAllInterfaces };

std::span<const std::string_view> etherTypeChoices();
std::span<const std::string_view> ipProtocolChoices();
std::span<const std::string_view> portChoices();
std::span<const std::string_view> interfaceChoices();

// The value fields take at most this many characters ("0x0600-0x0900").
constexpr int kProtocolValueChars = 13;

// One value: the combo item, the field's text (nothing: the field keeps what
// it holds, so a number typed before is there again when "User Defined" is
// chosen once more) and whether the two controls take input.
struct ProtocolEditorValue {
  int choice = 0;
  std::optional<std::string> text;
  bool enabled = false;      // the combo
  bool textEnabled = false;  // the value field
};

struct ProtocolEditorView {
  ProtocolEditorValue ether, protocol, port;
  bool sidesEnabled = false;  // "Source" and "Destination"
  bool source = false, destination = false;
  int interfaceChoice = ChoiceAllInterfaces;
  int access = AccessDisabled;
};

// How the editor shows an entry. The IP protocol is offered only for the
// single type 0x0800, the port only for TCP or UDP given as one protocol,
// and the port sides only for a port given as a number.
ProtocolEditorView protocolEditorView(const ProtocolFilterEntry& e);

// What the editor's controls hold. A combo with nothing chosen is -1; the
// enabled states are those of the last showing.
struct ProtocolEditorInput {
  int ether = -1;
  std::string etherText;
  bool protocolEnabled = false;
  int protocol = -1;
  std::string protocolText;
  bool portEnabled = false;
  int port = -1;
  std::string portText;
  bool source = false, destination = false;
  int interfaceChoice = -1;
  int access = -1;
};

// The entry the controls describe, or nothing when a value doesn't read: a
// number or range that ParseNumberRange refuses, or an Ethernet type the user
// gives at or below 1500. The reserved bytes of `shown` are kept.
std::optional<ProtocolFilterEntry> collectProtocolEntry(const ProtocolFilterEntry& shown,
                                                        const ProtocolEditorInput& in, int displayLevel);

// What a value field is filled with when "User Defined" is chosen while it is
// empty: the lowest Ethernet type a user may give, protocol 0, port 0.
std::string userDefinedStartText(int field);
enum ProtocolEditorField : int { FieldEtherType, FieldProtocol, FieldPort };

// A click on "Source" (bit 1) or "Destination" (bit 2): the side the boxes
// give afterwards. The last box checked cannot be cleared.
unsigned portSideAfterClick(unsigned side, unsigned bit, bool checked);

}  // namespace trennic
