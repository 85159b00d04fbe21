#pragma once
// The node editor's decisions: what its fields show when it opens, what OK
// makes of them, and how an accepted node enters the table and the list.
// The editor window only moves texts between its fields and these
// functions, so the command line and the tests judge a node the same way.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/registry/node_table.h"

namespace trennic {

// The editor's two modes.
enum NodeEditMode : int {
  EditModeNew = 0,     // a node is being created
  EditModeChange = 1,  // an existing node is changed; its MAC address stays
};

enum class NodeCheck {
  Accepted,
  Unchanged,  // name, MAC and IP as they were; closes like Accepted
  Invalid,    // "Invalid parameter."
  Duplicate,  // "Already exist."
};

// The message a refused OK shows; nullptr when the editor closes.
const char* nodeCheckMessage(NodeCheck result);

// Typing into the name field stops at this many bytes of the user's code
// page. The limit is the field's, not the node's: a longer name (node lists
// from elsewhere hold them) is shown whole and kept, and an edit may shorten
// it but never make it longer.
constexpr std::size_t kMaxNodeNameBytes = 32;
bool nodeNameEditFits(std::size_t bytesBefore, std::size_t bytesAfter);

// Whether a node may carry this MAC address. The broadcast address is every
// unit's: a request for it through the group would reach them all at once,
// so no node is ever given it.
inline bool isNodeMac(const MacAddress& mac) { return !mac.isBroadcast(); }
constexpr const char* kNoMacYet = "00-00-00-00-00-00";

// The editor's fields as texts: one per MAC byte, one per IP octet.
struct NodeEditorFields {
  std::string name;
  std::array<std::string, 6> mac;
  std::array<std::string, 4> ip;
  bool macEditable = true;
  // False when the typed name holds a character the user's code page
  // cannot store; such a name could never be written back as typed.
  bool nameStorable = true;
  // The first such character, in UTF-8, for the message that names it.
  std::string unstorableChar;
  // False while the name field still shows the name it opened with: the
  // node keeps that name byte for byte, whatever the field made of it.
  bool nameEdited = true;
};

// Opening, in both modes: a node without a MAC address gets 00-00-00-00-00-00
// in current; the fields show current's name, its MAC bytes as "%02X" (0 for
// a byte that does not read) and its IP octets, or 10 and the last three MAC
// bytes when it has no IP address. The caller takes the originals from
// current afterwards.
NodeEditorFields OpenNodeEditor(NodeEntry& current, int mode);

// The IP fields a node gets when its address was never typed: 10, then the
// last three MAC bytes in decimal, each field read as a hexadecimal number
// (0 when it does not read). A new node's IP fields follow its MAC fields
// with this until the user types into one of them, so that untouched IP
// fields give the address the node answers on before it is configured.
std::array<std::string, 4> defaultIpFields(const std::array<std::string, 6>& macFields);

// The texts OK stores: the MAC fields joined with "-", and "%u.%u.%u.%u" of
// the IP fields, each read as an unsigned number (0 when it does not read)
// and taken modulo 256.
std::string joinMacFields(const std::array<std::string, 6>& macFields);
std::string ipFromFields(const std::array<std::string, 4>& ipFields);

// OK: current takes the fields, then is checked against the table.
// - The MAC must read as six hexadecimal numbers each at most 255 and be a
//   node's (isNodeMac), else Invalid; it is then written
//   "%02X-%02X-%02X-%02X-%02X-%02X".
// - New: a node with the same MAC or the same IP is a Duplicate.
// - Change: no node with this MAC is Invalid; name, MAC and IP as in original
//   is Unchanged; MAC and IP as in original is Accepted; another node with
//   the same IP is a Duplicate.
// Invalid and Duplicate restore current from original (the fields keep what
// the user typed); Accepted and Unchanged set the route to 2 when the IP
// differs from original's, since the unit is then reachable at an address
// of its own. A name that was not edited is original's, and a name edited
// into one the code page cannot store is Invalid.
// A name that holds a line break cannot be a node's: the profile line would
// end inside it and lose the closing quote and the version with it.
bool nodeNameHasLineBreak(std::string_view name);

NodeCheck AcceptNodeEditor(const NodeTable& table, int mode, const NodeEditorFields& fields,
                           const NodeEntry& original, NodeEntry& current);

// The whole message of a refused OK, empty when the editor closes: the
// message of nodeCheckMessage, and when the cause is a name the code page
// cannot store, a second line naming the field, the character and the code
// page (as the front names it), so that the user knows what to change.
// Whether the refusal is the name's: a typed character the code page
// cannot store, which the message then names.
bool nodeCheckBlamesName(NodeCheck result, const NodeEditorFields& fields);
std::string nodeCheckText(NodeCheck result, const NodeEditorFields& fields, std::string_view codePage);

// New after OK: row appended, node added, key Entry<listedCount> written,
// number label refreshed. False when there is no MAC or no room.
bool CommitNewNode(NodeTable& table, NodeRows& rows, const NodeEntry& node);

// Edit after OK: the slot takes the node's four texts and route, the row its
// four cells, and the key under the node's entry number is rewritten. False
// when the row or the slot is missing (nothing is changed then).
bool CommitEditedNode(NodeTable& table, NodeRows& rows, std::size_t row, int slot, const NodeEntry& node);

}  // namespace trennic
