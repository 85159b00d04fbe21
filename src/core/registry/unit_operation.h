#pragma once
// The arguments of an operation on one resolved unit, as every window and
// the command line hand them to the engine.
#include <string>

#include "core/protocol/operation_driver.h"
#include "core/registry/node_table.h"

namespace trennic {

// Whether requests for this target would be taken by every unit at once: a
// unit takes a request for its own MAC address or for the broadcast
// address, and the group (or any other multicast or broadcast IP address)
// carries it to all of them. No command meant for one unit is sent so.
inline bool reachesEveryUnit(const ResolvedNode& unit) {
  auto toMany = [](Ipv4 ip) {
    const auto o = ipv4Octets(ip);
    return (o[0] >= 224 && o[0] <= 239) || ip == 0xFFFFFFFFu;
  };
  return unit.mac.isBroadcast() && (toMany(unit.primary) || toMany(unit.alternate));
}

inline OperationArgs operationArgsFor(int operation, const ResolvedNode& unit, const PasswordField& password,
                                      std::string line1, std::string line2 = {}) {
  OperationArgs a;
  a.operation = operation;
  a.primary = unit.primary;
  a.alternate = unit.alternate;
  a.unitMac = unit.mac;
  a.password = password;
  a.line1 = std::move(line1);
  a.line2 = std::move(line2);
  return a;
}

}  // namespace trennic
