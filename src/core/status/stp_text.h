#pragma once
// What the "Spaninng Tree" page shows from the snapshot of the last
// completed cycle: the bridge's values and one row per port.
#include <cstdint>
#include <string>
#include <vector>

#include "core/status/status_poller.h"
#include "core/status/status_text.h"
#include "core/status/table_text.h"

namespace trennic {

// "%02X%02X:%02X-%02X-%02X-%02X-%02X-%02X": priority, then MAC address.
std::string bridgeIdText(const std::uint8_t* eight);
// "%lu days %lu:%lu:%lu" of the whole seconds in a time given in
// hundredths of a second.
std::string topologyChangeTimeText(std::uint32_t hundredths);

struct StpView {
  std::vector<StatusField> bridge;  // twelve fields, in page order
  StatusTable ports;                // "Port Information:"
};
StpView stpView(const StatusSnapshot& s);

}  // namespace trennic
