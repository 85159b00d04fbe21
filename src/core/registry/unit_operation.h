#pragma once
// The arguments of an operation on one resolved unit, as every window and
// the command line hand them to the engine.
#include <string>

#include "core/protocol/operation_driver.h"
#include "core/registry/node_table.h"

namespace trennic {

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
