#pragma once
// What the "Wireless Node" and "Bridge" pages show, and what their "Clear"
// buttons reset, from the snapshot of the last completed cycle.
#include <cstdint>
#include <string>
#include <vector>

#include "core/status/status_poller.h"
#include "core/status/status_text.h"

namespace trennic {

// The clear masks the two pages' "Clear" buttons write to the unit.
constexpr std::uint32_t kWirelessNodeClearMask = 0x00000100;
constexpr std::uint32_t kBridgeClearMask = 0x00001000;

struct StatusColumn {
  std::string title;
  int width = 0;  // pixels
  bool operator==(const StatusColumn&) const = default;
};

// A report-style list of a status page: its columns, one row of cells per
// record in the order received, and the "Number:" text beside it.
struct StatusTable {
  std::vector<StatusColumn> columns;
  std::vector<std::vector<std::string>> rows;
  std::string number;
};

// "%4u/%4u" of (count, maximum).
std::string listCountText(std::uint32_t count, std::uint32_t maximum);

// The "Wireless Node" page. The columns depend on the display level and
// /D only, so they are the same for every refresh of one program run.
struct WirelessNodeView {
  // "Login AP:", "Quality:", "Noise Level:", and "Login Refuse:" from
  // display level 1 on (at level 0 the page has no such field).
  std::vector<StatusField> link;
  StatusTable nodes;
};
WirelessNodeView wirelessNodeView(const StatusSnapshot& s, int displayLevel, bool debugDisplay);

// What a successful Clear on "Wireless Node" leaves: no nodes.
void clearWirelessNodeList(StatusSnapshot& s);

// The "Bridge" page: the MAC address table.
StatusTable macTableView(const StatusSnapshot& s);

// What a successful Clear on "Bridge" leaves: an empty MAC address table.
void clearMacTable(StatusSnapshot& s);

}  // namespace trennic
