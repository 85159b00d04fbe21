// trennic-cli nodes: the node table from the command line, written to the
// settings file exactly as the Access Point List window writes it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

#include "cli/cli_context.h"
#include "core/app/ini_profile.h"
#include "core/registry/node_editor.h"
#include "platform/app/codepage.h"

namespace trennic::cli {

namespace {

using platform::decodeText;

constexpr std::size_t kMaxNameBytes = 32;

QString csvCell(const QString& s) {
  if (!s.contains(',') && !s.contains('"') && !s.contains('\n') && !s.contains('\r')) return s;
  QString q = s;
  q.replace("\"", "\"\"");
  return "\"" + q + "\"";
}

int listNodes(CliContext& ctx, Args& args) {
  bool json = args.flag("--json");
  bool csv = args.flag("--csv");
  if (json && csv) return fail(ExitUsage, "choose one of --json and --csv");
  if (!args.rest().empty()) return fail(ExitUsage, "nodes list: unexpected argument");
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
  else out << QString("%1 %2 %3 %4 %5 %6\n").arg("Slot", 4).arg("Route", 5).arg("MAC Address", -17).arg("IP Address", -15).arg("Version", -7).arg("Access Point");
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
  if (rest.size() != 1) return fail(ExitUsage, "usage: nodes import FILE");
  const std::string& file = rest[0];
  ini::Profile p = ini::Profile::load(file, ctx.app.settings.textEncoding);
  if (p.state() == ini::LoadState::Missing) return fail(ExitNoInput, QString("%1: File not found.").arg(file.c_str()));
  auto problems = checkNodeListFile(p);
  if (!problems.empty()) {
    QString msg = QString("%1: %2").arg(QString::fromStdString(file), decodeText(problems.front()));
    if (problems.size() > 1) msg += QString(" (and %1 more problem%2)").arg(problems.size() - 1).arg(problems.size() > 2 ? "s" : "");
    return fail(ExitDataError, msg + "; nothing imported");
  }
  NodeTable& t = ctx.nodes();
  t.LoadNodeList(file);
  if (!t.SaveNodeList(ctx.settingsPath())) return fail(ExitIoError, "Error occurred. (the settings file could not be written)");
  printLine(QString("imported %1 node%2").arg(t.usedCount).arg(t.usedCount == 1 ? "" : "s"));
  return ExitOk;
}

int exportNodes(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.size() != 1) return fail(ExitUsage, "usage: nodes export FILE");
  if (!ctx.nodes().SaveNodeList(rest[0]))
    return fail(ExitIoError, QString("%1: Error occurred. (the file could not be written)").arg(rest[0].c_str()));
  return ExitOk;
}

int addNode(CliContext& ctx, Args& args) {
  std::string macText, ipText, nameText;
  bool hasMac = args.option("--mac", macText);
  bool hasIp = args.option("--ip", ipText);
  bool hasName = args.option("--name", nameText);
  if (args.error()) return fail(ExitUsage, QString::fromStdString(args.errorText()));
  if (!hasMac || !args.rest().empty()) return fail(ExitUsage, "usage: nodes add --mac MAC [--ip IP] [--name NAME]");
  auto mac = parseMac(macText);
  if (!mac) return fail(ExitDataError, QString("Invalid parameter. (bad MAC address \"%1\")").arg(macText.c_str()));
  if (!isNodeMac(*mac))
    return fail(ExitDataError, QString("Invalid parameter. (%1 is the broadcast address, every unit's; a node needs its own)")
                                   .arg(formatMac(*mac).c_str()));
  NodeEntry e;
  e.mac = formatMac(*mac);
  if (hasIp) {
    auto ip = parseIpv4(ipText);
    if (!ip) return fail(ExitDataError, QString("Invalid parameter. (bad IP address \"%1\")").arg(ipText.c_str()));
    e.ip = formatIpv4(*ip);
  } else {
    e.ip = formatIpv4(ipv4FromOctets(10, mac->bytes[3], mac->bytes[4], mac->bytes[5]));
  }
  if (hasName) {
    auto bytes = platform::encodeText(QString::fromLocal8Bit(nameText.c_str()));
    if (!bytes) return fail(ExitDataError, "Invalid parameter. (the name holds characters the code page cannot store)");
    if (nodeNameHasLineBreak(*bytes)) return fail(ExitDataError, "Invalid parameter. (the name holds a line break)");
    if (bytes->size() > kMaxNameBytes) return fail(ExitDataError, "Invalid parameter. (the name is longer than 32 characters)");
    e.name = *bytes;
  }
  // A new node always differs from the empty one the editor starts with.
  e.route = RouteUnicast;
  NodeTable& t = ctx.nodes();
  if (t.usedCount + 1 > kMaxNodes) return fail(ExitFailed, "Can't add list");
  for (std::size_t i = 0; i < kMaxNodes; ++i) {
    const NodeEntry& s = t.slot(i);
    if (s.used == 1 && (s.mac == e.mac || s.ip == e.ip))
      return fail(ExitFailed, QString("Already exist. (%1 uses this %2)")
                                  .arg(decodeText(NodeTable::NodeLabel(s)), s.mac == e.mac ? "MAC address" : "IP address"));
  }
  VectorNodeRows rows;
  t.FillRows(rows);
  if (!t.AddAndRecord(rows, e)) return fail(ExitFailed, "Can't add list");
  // The write goes through the same atomic replacement; check it landed.
  NodeTable check(ctx.settingsPath(), ctx.app.settings.textEncoding);
  check.LoadNodeList(ctx.settingsPath());
  if (check.FindNodeByMac(e.mac) < 0) return fail(ExitIoError, "Error occurred. (the settings file could not be written)");
  return ExitOk;
}

int removeNode(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.size() != 1) return fail(ExitUsage, "usage: nodes remove MAC");
  auto mac = parseMac(rest[0]);
  if (!mac) return fail(ExitDataError, QString("Invalid parameter. (bad MAC address \"%1\")").arg(rest[0].c_str()));
  NodeTable& t = ctx.nodes();
  std::string text = formatMac(*mac);
  if (t.FindNodeByMac(text) < 0) return fail(ExitFailed, QString("No select. (no node has the MAC address %1)").arg(text.c_str()));
  VectorNodeRows rows;
  t.FillRows(rows);
  // One replacement of the file: erased and relisted, or left as it was.
  t.beginBatch();
  t.EraseNodeEntries();
  t.RemoveNodeByMac(text);
  rows.rows.erase(std::remove_if(rows.rows.begin(), rows.rows.end(), [&](const NodeEntry& r) { return r.mac == text; }),
                  rows.rows.end());
  t.RelistFromRows(rows);
  if (!t.endBatch()) return fail(ExitIoError, "Error occurred. (the settings file could not be written)");
  return ExitOk;
}

int clearNodes(CliContext& ctx, Args& args) {
  if (!args.rest().empty()) return fail(ExitUsage, "usage: nodes clear");
  NodeTable& t = ctx.nodes();
  const bool written = t.EraseNodeEntries();
  t.ClearNodes();
  t.listedCount = 0;
  if (!written) return fail(ExitIoError, "Error occurred. (the settings file could not be written)");
  return ExitOk;
}

int sortNodes(CliContext& ctx, Args& args) {
  bool descending = args.flag("--descending");
  auto rest = args.rest();
  if (rest.size() != 1) return fail(ExitUsage, "usage: nodes sort name|mac|ip|version [--descending]");
  static const char* names[] = {"name", "mac", "ip", "version"};
  int column = -1;
  for (int c = 0; c < 4; ++c)
    if (rest[0] == names[c] || rest[0] == std::to_string(c)) column = c;
  if (column < 0) return fail(ExitUsage, QString("nodes sort: unknown column \"%1\"").arg(rest[0].c_str()));
  NodeTable& t = ctx.nodes();
  VectorNodeRows rows;
  t.FillRows(rows);
  t.sortDescending[static_cast<std::size_t>(column)] = descending ? 1 : 0;
  if (!t.SortAndRelist(rows, column)) return fail(ExitIoError, "Error occurred. (the settings file could not be written)");
  return ExitOk;
}

}  // namespace

int runNodes(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.empty()) return fail(ExitUsage, "usage: nodes list|import|export|add|remove|clear|sort ...");
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
  return fail(ExitUsage, QString("nodes: unknown command \"%1\"").arg(verb.c_str()));
}

}  // namespace trennic::cli
