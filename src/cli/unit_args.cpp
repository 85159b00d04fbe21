#include "cli/unit_args.h"

#include "cli/cli_context.h"
#include "core/registry/unit_operation.h"
#include "platform/app/codepage.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

#ifndef _WIN32
#include <termios.h>
#include <unistd.h>
#endif

namespace trennic::cli {

std::optional<UnitTarget> resolveUnit(const NodeTable& table, const std::string& text) {
  UnitTarget t;
  t.node = table.ResolveNode(text);
  if (t.node.found) {
    t.label = t.node.label;
    return t;
  }
  if (auto mac = parseMac(text)) {
    std::string macText = formatMac(*mac);
    int slot = table.FindNodeByMac(macText);
    if (slot >= 0) {
      const NodeEntry& e = table.slot(static_cast<std::size_t>(slot));
      t.node = table.ResolveNode(NodeTable::NodeLabel(e));
      t.label = t.node.label;
      return t;
    }
    t.node = ResolvedNode{};
    t.node.found = true;
    t.node.mac = *mac;
    t.label = macText;
    return t;
  }
  if (auto ip = parseIpv4(text)) {
    std::string ipText = formatIpv4(*ip);
    for (std::size_t i = 0; i < kMaxNodes; ++i) {
      const NodeEntry& e = table.slot(i);
      if (e.used == 1 && e.ip == ipText) {
        t.node = table.ResolveNode(NodeTable::NodeLabel(e));
        t.label = t.node.label;
        return t;
      }
    }
    // Unknown MAC: only its own address may answer, so there is no group
    // to fall back to.
    t.node = ResolvedNode{};
    t.node.found = true;
    t.node.primary = t.node.alternate = *ip;
    t.label = ipText;
    return t;
  }
  return std::nullopt;
}

int resolveUnits(CliContext& ctx, const std::vector<std::string>& texts, std::vector<UnitTarget>& units) {
  if (int s = ctx.requireSettings()) return s;
  for (const auto& text : texts) {
    auto u = resolveUnit(ctx.nodes(), text);
    const QString named = platform::decodeText(text);
    if (!u)
      return fail(ExitUsage,
                  QCoreApplication::translate("cli", "\"%1\" is no known unit, MAC address or IP address").arg(named));
    if (reachesEveryUnit(u->node))
      return fail(ExitDataError, QCoreApplication::translate(
                                     "cli",
                                     "\"%1\" is no one unit: every unit would take the command through the group "
                                     "(%2 is the broadcast address); name a unit by its own address")
                                     .arg(named, QString::fromStdString(formatMac(u->node.mac))));
    units.push_back(*u);
  }
  return ExitOk;
}

OperationArgs operationArgsFor(int operation, const UnitTarget& u, const PasswordField& password, const char* line1) {
  return trennic::operationArgsFor(operation, u.node, password, line1, u.label);
}

std::optional<std::string> promptHidden(const QString& prompt) {
#ifndef _WIN32
  if (!::isatty(0)) return std::nullopt;
  QTextStream(stderr) << prompt << Qt::flush;
  termios old{};
  tcgetattr(0, &old);
  termios quiet = old;
  quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
  tcsetattr(0, TCSANOW, &quiet);
  std::string line;
  int c;
  while ((c = std::getchar()) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  tcsetattr(0, TCSANOW, &old);
  QTextStream err(stderr);
  err << Qt::endl;
  return line;
#else
  (void)prompt;
  return std::nullopt;
#endif
}

std::optional<std::string> obtainPassword(const PasswordSource& source, const QString& prompt, QString* error) {
  std::optional<std::string> pw;
  if (!source.file.empty()) {
    QFile f(QString::fromStdString(source.file));
    if (!f.open(QIODevice::ReadOnly)) {
      if (error)
        *error = QCoreApplication::translate("cli", "%1: cannot read the password file").arg(source.file.c_str());
      return std::nullopt;
    }
    // As ssh does for a key file anyone may read: said, and still used.
    if (f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
      warn(QCoreApplication::translate("cli", "%1: other users can read this password file (chmod 600 keeps it yours)")
               .arg(QString::fromStdString(source.file)));
    QByteArray line = f.readLine();
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    pw = line.toStdString();
  } else if (qEnvironmentVariableIsSet(source.environmentName.c_str())) {
    pw = qEnvironmentVariable(source.environmentName.c_str()).toStdString();
  } else if (auto typed = promptHidden(prompt)) {
    pw = *typed;
  } else {
    // No terminal to ask at: units without a password take an empty one.
    pw = std::string();
  }
  if (pw->size() > kMaxPasswordChars) {
    if (error)
      *error = QCoreApplication::translate("cli", "a password has at most %1 characters").arg(kMaxPasswordChars);
    return std::nullopt;
  }
  return pw;
}

}  // namespace trennic::cli
