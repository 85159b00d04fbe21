#pragma once
// How the command line names units and gets their passwords.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/protocol/operation_driver.h"
#include "core/protocol/packet.h"
#include "core/registry/node_table.h"

namespace trennic::cli {

struct CliContext;

struct UnitTarget {
  ResolvedNode node;
  std::string label;  // as the result lines show it
};

// A node's label, its MAC text or its IP text. An address that is not in
// the table is still usable: a MAC through the multicast group, an IP by
// unicast. Nothing when the text is none of these.
std::optional<UnitTarget> resolveUnit(const NodeTable& table, const std::string& text);

// The UNIT arguments of a command, in order: 0 when each names one unit,
// else the exit status with its one line out: 64 for a text that names no
// unit, 65 for one that would be every unit at once (the broadcast MAC
// address, typed or stored for the node named, or a group address).
// A settings file that cannot be read ends the command here as well.
int resolveUnits(CliContext& ctx, const std::vector<std::string>& texts, std::vector<UnitTarget>& units);

// The arguments of an operation on one unit, its addresses in the order
// the unit last answered on, its label as the second progress line.
OperationArgs operationArgsFor(int operation, const UnitTarget& unit, const PasswordField& password,
                               const char* line1);

// Where a password comes from: --password-file, TRENNIC_PASSWORD, or a
// prompt without echo on the terminal. Never from the command line itself,
// where other users could read it. Nothing on failure, with the reason.
struct PasswordSource {
  std::string file;  // --password-file
  std::string environmentName = "TRENNIC_PASSWORD";
};
std::optional<std::string> obtainPassword(const PasswordSource& source, const QString& prompt, QString* error);

// A terminal prompt without echo; nothing when there is no terminal.
std::optional<std::string> promptHidden(const QString& prompt);

}  // namespace trennic::cli
