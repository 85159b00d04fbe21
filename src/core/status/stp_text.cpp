#include "core/status/stp_text.h"

#include <algorithm>
#include <cstdio>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

std::string portStateText(std::uint16_t state) {
  switch (state) {
    case 1: return "disabled";
    case 2: return "blocking";
    case 3: return "listening";
    case 4: return "learning";
    case 5: return "forwarding";
    case 6: return "broken";
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
      {"Designated Root:", bridgeIdText(b + 12)},
      {"Root Path Cost:", counterText(b + 20)},
      {"Root Port:", number16(b + 24)},
      {"Max Age Time:", number16(b + 26)},
      {"Hello Time:", counterText(b + 28)},
      {"Forward Delay:", counterText(b + 36)},
      {"Bridge Priority:", number16(b + 2)},
      {"Max Age Time(Bridge):", counterText(b + 40)},
      {"Hello Time(Bridge):", counterText(b + 44)},
      {"Forward Delay(Bridge):", counterText(b + 48)},
      {"Topology Changes:", number16(b + 8)},
      {"Time Since Topology Change:", topologyChangeTimeText(readLe32(b + 4))},
  };

  v.ports.columns = {{"Port", 50},
                     {"Priority", 65},
                     {"State", 80},
                     {"Path Cost", 75},
                     {"Root Bridge", 170},
                     {"Designated Cost", 120},
                     {"Designated Bridge", 170},
                     {"Designated Bridge Port", 80},
                     {"Forward Translations", 200}};
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
