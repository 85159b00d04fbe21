#include "core/status/stp_text.h"
#include "core/app/display_text.h"

#include <algorithm>
#include <cstdio>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

std::string portStateText(std::uint16_t state) {
  switch (state) {
    case 1: return SHOWN("disabled");
    case 2: return SHOWN("blocking");
    case 3: return SHOWN("listening");
    case 4: return SHOWN("learning");
    case 5: return SHOWN("forwarding");
    case 6: return SHOWN("broken");
    default: return "";
  }
}

std::string number16(const std::uint8_t* p) { return std::to_string(readLe16(p)); }

}  // namespace

std::string bridgeIdText(const std::uint8_t* b) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02X%02X:%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5], b[6],
                b[7]);
  return buf;
}

std::string topologyChangeTimeText(std::uint32_t hundredths) {
  const unsigned long s = hundredths / 100;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%lu days %lu:%lu:%lu", s / 86400, (s % 86400) / 3600, (s % 3600) / 60, s % 60);
  return buf;
}

StpView stpView(const StatusSnapshot& s) {
  StpView v;
  const std::uint8_t* b = s.stpBridge.data();
  // "Designated Root:" comes first, as the page's keyboard order begins
  // there. Then what the bridge learnt from the root, then its own values,
  // then the topology change history: the order in which an administrator
  // reads a spanning tree.
  v.bridge = {
      {SHOWN("Designated Root:"), bridgeIdText(b + 12)},
      {SHOWN("Root Path Cost:"), counterText(b + 20)},
      {SHOWN("Root Port:"), number16(b + 24)},
      {SHOWN("Max Age Time:"), number16(b + 26)},
      {SHOWN("Hello Time:"), counterText(b + 28)},
      {SHOWN("Forward Delay:"), counterText(b + 36)},
      {SHOWN("Bridge Priority:"), number16(b + 2)},
      {SHOWN("Max Age Time(Bridge):"), counterText(b + 40)},
      {SHOWN("Hello Time(Bridge):"), counterText(b + 44)},
      {SHOWN("Forward Delay(Bridge):"), counterText(b + 48)},
      {SHOWN("Topology Changes:"), number16(b + 8)},
      {SHOWN("Time Since Topology Change:"), topologyChangeTimeText(readLe32(b + 4))},
  };

  v.ports.columns = {{SHOWN("Port"), 50},
                     {SHOWN("Priority"), 65},
                     {SHOWN("State"), 80},
                     {SHOWN("Path Cost"), 75},
                     {SHOWN("Root Bridge"), 170},
                     {SHOWN("Designated Cost"), 120},
                     {SHOWN("Designated Bridge"), 170},
                     {SHOWN("Designated Bridge Port"), 80},
                     {SHOWN("Forward Translations"), 200}};
  const std::size_t count = std::min<std::size_t>(s.stpPortCount, kStpPortMax);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* r = s.stpPorts.data() + i * kStpPortRecord;
    v.ports.rows.push_back({number16(r + 0), number16(r + 2), portStateText(readLe16(r + 4)), counterText(r + 8),
                            bridgeIdText(r + 12), number16(r + 20), bridgeIdText(r + 24), number16(r + 32),
                            number16(r + 34)});
  }
  v.ports.number = listCountText(static_cast<std::uint32_t>(count), kStpPortMax);
  return v;
}

}  // namespace trennic
