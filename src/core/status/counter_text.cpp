#include "core/status/counter_text.h"
#include "core/app/display_text.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

// Where the counters start in an interface block: everything from here on
// is reset by a Clear.
constexpr std::size_t kInterfaceCountersOffset = 20;
constexpr std::size_t kWirelessResetDetailOffset = 188;  // in the unit status block
constexpr std::size_t kInterfaceResetsOffset = 64;

struct CounterLine {
  const char* label;
  std::size_t offset;
};

// The page's order. Waits come before errors on screen although the unit
// keeps them the other way round.
constexpr CounterLine kInterfaceCounters[] = {
    {SHOWN("Receive Octets:"), 20},   {SHOWN("Receive Packets(Unicast):"), 24},  {SHOWN("Receive Packets(Broadcast):"), 28},
    {SHOWN("Receive Discards:"), 32}, {SHOWN("Receive Errors :"), 36},           {SHOWN("Receive Errors(CRC):"), 40},
    {SHOWN("Transmit Octets:"), 44},  {SHOWN("Transmit Packets(Unicast):"), 48}, {SHOWN("Transmit Packets(Broadcast):"), 52},
    {SHOWN("Transmit Waits:"), 60},   {SHOWN("Transmit Errors:"), 56},
};

constexpr CounterLine kTransmitCounters[] = {
    {SHOWN("TXUnicastFrames:"), 0},          {SHOWN("TXMulticastFrames:"), 4},
    {SHOWN("TXUnicastOctets:"), 12},         {SHOWN("TXMulticastOctets:"), 16},
    {SHOWN("TXDeferredTransmissions:"), 20}, {SHOWN("TXSingleRetryFrames:"), 24},
    {SHOWN("TXMultipleRetryFrames:"), 28},   {SHOWN("TXDiscards:"), 36},
};

constexpr CounterLine kReceiveCounters[] = {
    {SHOWN("RXUnicastFrames:"), 40},   {SHOWN("RXMulticastFrames:"), 44}, {SHOWN("RXUnicastOctets:"), 52},
    {SHOWN("RXMulticastOctets:"), 56}, {SHOWN("RXFCSErrors:"), 60},       {SHOWN("RXDiscardsNoBuffer:"), 64},
};

std::string interfaceStateText(std::uint32_t state) { return state == 1 ? SHOWN("up") : state == 2 ? SHOWN("down") : ""; }

std::vector<StatusField> counterFields(const std::uint8_t* block, std::span<const CounterLine> lines) {
  std::vector<StatusField> fields;
  fields.reserve(lines.size());
  for (const CounterLine& line : lines) fields.push_back({line.label, counterText(block + line.offset)});
  return fields;
}

}  // namespace

std::vector<InterfaceRow> interfaceRows(const StatusSnapshot& s, bool debugDisplay) {
  const std::uint8_t* e = s.ethernet.data();
  const std::uint8_t* w = s.wireless.data();
  std::vector<InterfaceRow> rows = {
      {SHOWN("MTU:"), counterText(e + 0), counterText(w + 0)},
      {SHOWN("Speed:"), counterText(e + 4), counterText(w + 4)},
      {SHOWN("MAC Address:"), macText(e + 8), macText(w + 8)},
      {SHOWN("Interface State:"), interfaceStateText(readLe32(e + 16)), interfaceStateText(readLe32(w + 16))},
  };
  for (const CounterLine& line : kInterfaceCounters) {
    rows.push_back({line.label, counterText(e + line.offset), counterText(w + line.offset)});
  }
  std::string wirelessResets = counterText(w + kInterfaceResetsOffset);
  const std::uint32_t detail = readLe32(s.unitStatus.data() + kWirelessResetDetailOffset);
  if (debugDisplay && detail != 0) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "(%X)", static_cast<unsigned>(detail));
    wirelessResets += buf;
  }
  rows.push_back({SHOWN("Resets:"), counterText(e + kInterfaceResetsOffset), wirelessResets});
  return rows;
}

void clearInterfaceCounters(StatusSnapshot& s) {
  std::fill(s.ethernet.begin() + kInterfaceCountersOffset, s.ethernet.end(), 0);
  std::fill(s.wireless.begin() + kInterfaceCountersOffset, s.wireless.end(), 0);
  writeLe32(s.unitStatus.data() + kWirelessResetDetailOffset, 0);
}

WirelessCounterView wirelessCounterView(const StatusSnapshot& s) {
  const std::uint8_t* b = s.wirelessCounters.data();
  return {counterFields(b, kTransmitCounters), counterFields(b, kReceiveCounters)};
}

void clearWirelessCounters(StatusSnapshot& s) { s.wirelessCounters.fill(0); }

}  // namespace trennic
