#include "core/status/table_text.h"
#include "core/app/display_text.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

constexpr std::uint32_t kUnitTypeStation = 1;
constexpr const char* kNoRate = "-------";

std::string rxRateText(std::uint32_t bitsPerSecond) {
  switch (bitsPerSecond) {
    case 1000000: return SHOWN("  1Mbps");
    case 2000000: return SHOWN("  2Mbps");
    case 5500000: return SHOWN("5.5Mbps");
    case 11000000: return SHOWN(" 11Mbps");
    default: return kNoRate;
  }
}

std::string loginApText(const std::uint8_t* link) {
  switch (readLe32(link + 8)) {
    case 1: return SHOWN("Not login.");
    case 2: return SHOWN("Login executing...");
    case 3: return macText(link + 0);
    default: return "";
  }
}

// The poll cycle caps its counts, but a snapshot may come from elsewhere:
// a count past the records held must not read beyond them.
std::size_t recordsHeld(std::uint32_t count, std::size_t cap, std::size_t bytes, std::size_t recordSize) {
  return std::min({static_cast<std::size_t>(count), cap, bytes / recordSize});
}

struct NodeColumn {
  StatusColumn column;
  std::function<std::string(const std::uint8_t*)> cell;
};

}  // namespace

std::string listCountText(std::uint32_t count, std::uint32_t maximum) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%4u/%4u", static_cast<unsigned>(count), static_cast<unsigned>(maximum));
  return buf;
}

WirelessNodeView wirelessNodeView(const StatusSnapshot& s, int displayLevel, bool debugDisplay) {
  WirelessNodeView v;
  const std::uint8_t* info = s.unitInfo.data();
  const std::uint8_t* link = s.wirelessLink.data();
  // Only a station in an infrastructure mode logs in to an access point;
  // for any other unit the link block means nothing.
  const bool station = readLe32(info + 48) != 0 && readLe32(info + 52) == kUnitTypeStation;
  v.link = {{SHOWN("Login AP:"), station ? loginApText(link) : ""},
            {SHOWN("Quality:"), station ? std::to_string(readLe16(link + 12)) : ""},
            {SHOWN("Noise Level:"), station ? std::to_string(readLe16(link + 14)) : ""}};
  if (displayLevel >= 1) v.link.push_back({SHOWN("Login Refuse:"), station ? counterText(link + 32) : ""});

  const std::uint16_t format = s.nodeRecordFormat;
  const bool longRecord = format == 2 || format == 3;
  // Firmware up to 2.00 does not count duplicates; what it leaves in the
  // record is no count.
  const bool duplicatesKept = s.firmwareVersion() > 0x0200;

  std::vector<NodeColumn> columns;
  columns.push_back({{SHOWN("Wireless MAC Address"), 155}, [](const std::uint8_t* r) { return macText(r + 0); }});
  if (displayLevel >= 2) {
    columns.push_back({{SHOWN("Ethernet Address"), 145}, [](const std::uint8_t* r) { return macText(r + 20); }});
  }
  columns.push_back({{SHOWN("Age Time(sec.)"), 100}, [](const std::uint8_t* r) { return counterText(r + 12); }});
  columns.push_back({{SHOWN("RSSI"), 70}, [=](const std::uint8_t* r) {
                       const std::string signal = std::to_string(readLe16(r + 16));
                       if (displayLevel < 1 || !longRecord) return signal;
                       return signal + "(" + std::to_string(readLe16(r + 18)) + ")";
                     }});
  if (displayLevel >= 1) {
    columns.push_back({{SHOWN("Rx Rate"), 80}, [=](const std::uint8_t* r) {
                         return format == 3 ? rxRateText(readLe32(r + 32)) : std::string(kNoRate);
                       }});
  }
  if (debugDisplay) {
    columns.push_back({{SHOWN("Rx Duplicate Pkts"), 130},
                       [=](const std::uint8_t* r) { return duplicatesKept ? counterText(r + 40) : std::string("0"); }});
    columns.push_back({{SHOWN("Network Mode"), 200}, [=](const std::uint8_t* r) {
                         return format == 3 ? networkModeText(readLe16(r + 36)) : std::string();
                       }});
  }

  for (const NodeColumn& c : columns) v.nodes.columns.push_back(c.column);
  const std::size_t count =
      recordsHeld(s.wirelessNodeCount, kWirelessNodeMax, s.wirelessNodes.size(), kWirelessNodeSlot);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* record = s.wirelessNodes.data() + i * kWirelessNodeSlot;
    std::vector<std::string> row;
    row.reserve(columns.size());
    for (const NodeColumn& c : columns) row.push_back(c.cell(record));
    v.nodes.rows.push_back(std::move(row));
  }
  v.nodes.number = listCountText(static_cast<std::uint32_t>(count), kWirelessNodeMax);
  return v;
}

void clearWirelessNodeList(StatusSnapshot& s) {
  s.wirelessNodeCount = 0;
  s.wirelessNodes.fill(0);
}

StatusTable macTableView(const StatusSnapshot& s) {
  StatusTable t;
  t.columns = {{SHOWN("MAC Address"), 145}, {SHOWN("Interface"), 70}, {SHOWN("Age Time(min.)"), 105}, {SHOWN("Wireless MAC Address"), 155}};
  const std::size_t count = recordsHeld(s.macCount, kMacTableMax, s.macTable.size(), kMacTableRecord);
  t.rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* r = s.macTable.data() + i * kMacTableRecord;
    const std::uint16_t interface = readLe16(r + 18);
    t.rows.push_back({macText(r + 12),
                      interface == 1   ? SHOWN("Ethernet")
                      : interface == 2 ? SHOWN("Wireless")
                                       : "",
                      std::to_string(readLe16(r + 26)),
                      // Only a wireless entry has a wireless address; the
                      // bytes of any other entry are whatever the unit left.
                      interface == 2 ? macText(r + 20) : ""});
  }
  t.number = listCountText(static_cast<std::uint32_t>(count), kMacTableMax);
  return t;
}

void clearMacTable(StatusSnapshot& s) {
  s.macCount = 0;
  std::fill(s.macTable.begin(), s.macTable.end(), 0);
}

}  // namespace trennic
