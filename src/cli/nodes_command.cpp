// trennic-cli nodes: the node table from the command line, written to the
// settings file exactly as the Access Point List window writes it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

#include "cli/cli_context.h"
#include "core/app/ini_profile.h"
#include "core/protocol/operations.h"
#include "core/registry/node_editor.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"

namespace trennic::cli {

namespace {

using platform::decodeText;

constexpr std::size_t kMaxNameBytes = 32;

int settingsNotWritten() {
  return fail(
      ExitIoError,
      QCoreApplication::translate("cli", "%1 (the settings file could not be written)").arg(resultText(ResultError)));
}

QString csvCell(const QString& s) {
  if (!s.contains(',') && !s.contains('"') && !s.contains('\n') && !s.contains('\r')) return s;
  QString q = s;
  q.replace("\"", "\"\"");
  return "\"" + q + "\"";
}

int listNodes(CliContext& ctx, Args& args) {
  bool json = args.flag("--json");
  bool csv = args.flag("--csv");
  if (json && csv)
    return fail(ExitUsage, QCoreApplication::translate("cli", "choose one of %1 and %2").arg("--json", "--csv"));
  if (!args.rest().empty())
    return fail(ExitUsage, QCoreApplication::translate("cli", "%1: unexpected argument").arg("nodes list"));
  NodeTable& t = ctx.nodes();
  QTextStream out(stdout);
  if (json) {
    QJsonArray arr;
    for (std::size_t i = 0; i < kMaxNodes; ++i) {
      const NodeEntry& e = t.slot(i);
      if (e.used != 1) continue;
      QJsonObject o;
      o["slot"] = static_cast<int>(i);
      o["route"] = e.route;
      o["name"] = decodeText(e.name);
      o["mac"] = decodeText(e.mac);
      o["ip"] = decodeText(e.ip);
      o["version"] = decodeText(e.version);
      arr.append(o);
    }
    out << QJsonDocument(arr).toJson(QJsonDocument::Indented);
    return ExitOk;
  }
  if (csv) out << "slot,route,name,mac,ip,version\n";
  else
    out << padded(QCoreApplication::translate("cli", "Slot"), 4) << ' '
        << padded(QCoreApplication::translate("cli", "Route"), 5) << ' '
        << padded(QCoreApplication::translate("cli", "MAC Address"), -17) << ' '
        << padded(QCoreApplication::translate("cli", "IP Address"), -15) << ' '
        << padded(QCoreApplication::translate("cli", "Version"), -7) << ' '
        << QCoreApplication::translate("cli", "Access Point") << '\n';
  for (std::size_t i = 0; i < kMaxNodes; ++i) {
    const NodeEntry& e = t.slot(i);
    if (e.used != 1) continue;
    if (csv) {
      out << i << ',' << e.route << ',' << csvCell(shown(decodeText(e.name))) << ',' << csvCell(shown(decodeText(e.mac)))
          << ',' << csvCell(shown(decodeText(e.ip))) << ',' << csvCell(shown(decodeText(e.version))) << '\n';
    } else {
      out << shown(QString("%1 %2 %3 %4 %5 %6")
                       .arg(i, 4)
                       .arg(e.route, 5)
                       .arg(decodeText(e.mac), -17)
                       .arg(decodeText(e.ip), -15)
                       .arg(decodeText(e.version), -7)
                       .arg(decodeText(e.name)))
          << '\n';
    }
  }
  if (!csv) out << t.NumberText().c_str() << '\n';
  return ExitOk;
}

int importNodes(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.size() != 1)
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("nodes import FILE"));
  const std::string& file = rest[0];
  ini::Profile p = ini::Profile::load(file, ctx.app.settings.textEncoding);
  if (p.state() == ini::LoadState::Missing)
    return fail(ExitNoInput, QString("%1: %2").arg(file.c_str(), resultText(ResultFileNotFound)));
  auto problems = checkNodeListFile(p);
  if (!problems.empty()) {
    // The file's key and values as the file holds them, in the user's code page.
    // All at once, so that a value holding "%2" stays as it is.
    const NodeListProblem& problem = problems.front();
    QString first = platform::shownText(problem.text);
    if (problem.args.size() == 1) first = first.arg(decodeText(problem.args[0]));
    if (problem.args.size() >= 2) first = first.arg(decodeText(problem.args[0]), decodeText(problem.args[1]));
    const QString name = QString::fromStdString(file);
    const QString more = QString::number(problems.size() - 1);
    return fail(
        ExitDataError,
        problems.size() == 1 ? QCoreApplication::translate("cli", "%1: %2; nothing imported").arg(name, first)
        : problems.size() == 2
            ? QCoreApplication::translate("cli", "%1: %2 (and 1 more problem); nothing imported").arg(name, first)
            : QCoreApplication::translate("cli", "%1: %2 (and %3 more problems); nothing imported")
                  .arg(name, first, more));
  }
  NodeTable& t = ctx.nodes();
  t.LoadNodeList(file);
  if (!t.SaveNodeList(ctx.settingsPath())) return settingsNotWritten();
  printLine(t.usedCount == 1 ? QCoreApplication::translate("cli", "imported 1 node")
                             : QCoreApplication::translate("cli", "imported %1 nodes").arg(t.usedCount));
  return ExitOk;
}

int exportNodes(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.size() != 1)
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("nodes export FILE"));
  if (!ctx.nodes().SaveNodeList(rest[0]))
    return fail(ExitIoError, QCoreApplication::translate("cli", "%1: %2 (the file could not be written)")
                                 .arg(rest[0].c_str(), resultText(ResultError)));
  return ExitOk;
}

int addNode(CliContext& ctx, Args& args) {
  std::string macText, ipText, nameText;
  bool hasMac = args.option("--mac", macText);
  bool hasIp = args.option("--ip", ipText);
  bool hasName = args.option("--name", nameText);
  if (args.error()) return fail(ExitUsage, args.errorText());
  if (!hasMac || !args.rest().empty())
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "usage: %1").arg("nodes add --mac MAC [--ip IP] [--name NAME]"));
  auto mac = parseMac(macText);
  if (!mac)
    return fail(ExitDataError,
                QCoreApplication::translate("cli", "Invalid parameter. (bad MAC address \"%1\")").arg(macText.c_str()));
  if (!isNodeMac(*mac))
    return fail(ExitDataError,
                QCoreApplication::translate(
                    "cli", "Invalid parameter. (%1 is the broadcast address, every unit's; a node needs its own)")
                    .arg(formatMac(*mac).c_str()));
  NodeEntry e;
  e.mac = formatMac(*mac);
  if (hasIp) {
    auto ip = parseIpv4(ipText);
    if (!ip)
      return fail(ExitDataError,
                  QCoreApplication::translate("cli", "Invalid parameter. (bad IP address \"%1\")").arg(ipText.c_str()));
    e.ip = formatIpv4(*ip);
  } else {
    e.ip = formatIpv4(ipv4FromOctets(10, mac->bytes[3], mac->bytes[4], mac->bytes[5]));
  }
  if (hasName) {
    auto bytes = platform::encodeText(QString::fromLocal8Bit(nameText.c_str()));
    if (!bytes)
      return fail(ExitDataError,
                  QCoreApplication::translate(
                      "cli", "Invalid parameter. (the name holds characters the code page cannot store)"));
    if (nodeNameHasLineBreak(*bytes))
      return fail(ExitDataError,
                  QCoreApplication::translate("cli", "Invalid parameter. (the name holds a line break)"));
    if (bytes->size() > kMaxNameBytes)
      return fail(ExitDataError,
                  QCoreApplication::translate("cli", "Invalid parameter. (the name is longer than %1 characters)")
                      .arg(kMaxNameBytes));
    e.name = *bytes;
  }
  // A new node always differs from the empty one the editor starts with.
  e.route = RouteUnicast;
  NodeTable& t = ctx.nodes();
  if (t.usedCount + 1 > kMaxNodes) return fail(ExitFailed, QCoreApplication::translate("cli", "Can't add list"));
  for (std::size_t i = 0; i < kMaxNodes; ++i) {
    const NodeEntry& s = t.slot(i);
    if (s.used == 1 && (s.mac == e.mac || s.ip == e.ip))
      return fail(ExitFailed,
                  (s.mac == e.mac ? QCoreApplication::translate("cli", "Already exist. (%1 uses this MAC address)")
                                  : QCoreApplication::translate("cli", "Already exist. (%1 uses this IP address)"))
                      .arg(decodeText(NodeTable::NodeLabel(s))));
  }
  VectorNodeRows rows;
  t.FillRows(rows);
  if (!t.AddAndRecord(rows, e)) return fail(ExitFailed, QCoreApplication::translate("cli", "Can't add list"));
  // The write goes through the same atomic replacement; check it landed.
  NodeTable check(ctx.settingsPath(), ctx.app.settings.textEncoding);
  check.LoadNodeList(ctx.settingsPath());
  if (check.FindNodeByMac(e.mac) < 0) return settingsNotWritten();
  return ExitOk;
}

int removeNode(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.size() != 1) return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("nodes remove MAC"));
  auto mac = parseMac(rest[0]);
  if (!mac)
    return fail(ExitDataError,
                QCoreApplication::translate("cli", "Invalid parameter. (bad MAC address \"%1\")").arg(rest[0].c_str()));
  NodeTable& t = ctx.nodes();
  std::string text = formatMac(*mac);
  if (t.FindNodeByMac(text) < 0)
    return fail(ExitFailed,
                QCoreApplication::translate("cli", "No select. (no node has the MAC address %1)").arg(text.c_str()));
  VectorNodeRows rows;
  t.FillRows(rows);
  // One replacement of the file: erased and relisted, or left as it was.
  t.beginBatch();
  t.EraseNodeEntries();
  t.RemoveNodeByMac(text);
  rows.rows.erase(std::remove_if(rows.rows.begin(), rows.rows.end(), [&](const NodeEntry& r) { return r.mac == text; }),
                  rows.rows.end());
  t.RelistFromRows(rows);
  if (!t.endBatch()) return settingsNotWritten();
  return ExitOk;
}

int clearNodes(CliContext& ctx, Args& args) {
  if (!args.rest().empty()) return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("nodes clear"));
  NodeTable& t = ctx.nodes();
  const bool written = t.EraseNodeEntries();
  t.ClearNodes();
  t.listedCount = 0;
  if (!written) return settingsNotWritten();
  return ExitOk;
}

int sortNodes(CliContext& ctx, Args& args) {
  bool descending = args.flag("--descending");
  auto rest = args.rest();
  if (rest.size() != 1)
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "usage: %1").arg("nodes sort name|mac|ip|version [--descending]"));
  static const char* names[] = {"name", "mac", "ip", "version"};
  int column = -1;
  for (int c = 0; c < 4; ++c)
    if (rest[0] == names[c] || rest[0] == std::to_string(c)) column = c;
  if (column < 0)
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "%1: unknown column \"%2\"").arg("nodes sort", rest[0].c_str()));
  NodeTable& t = ctx.nodes();
  VectorNodeRows rows;
  t.FillRows(rows);
  t.sortDescending[static_cast<std::size_t>(column)] = descending ? 1 : 0;
  if (!t.SortAndRelist(rows, column)) return settingsNotWritten();
  return ExitOk;
}

}  // namespace

int runNodes(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.empty())
    return fail(
        ExitUsage,
        QCoreApplication::translate("cli", "usage: %1").arg("nodes list|import|export|add|remove|clear|sort ..."));
  std::string verb = rest.front();
  std::vector<std::string> tail(rest.begin() + 1, rest.end());
  Args sub(tail);
  // Each of them starts from the list in the settings file, and an empty
  // list is no answer when the file is there but can't be read.
  if (int s = ctx.requireSettings()) return s;
  if (verb == "list") return listNodes(ctx, sub);
  if (verb == "import") return importNodes(ctx, sub);
  if (verb == "export") return exportNodes(ctx, sub);
  if (verb == "add") return addNode(ctx, sub);
  if (verb == "remove") return removeNode(ctx, sub);
  if (verb == "clear") return clearNodes(ctx, sub);
  if (verb == "sort") return sortNodes(ctx, sub);
  return fail(ExitUsage, QCoreApplication::translate("cli", "%1: unknown command \"%2\"").arg("nodes", verb.c_str()));
}

}  // namespace trennic::cli
