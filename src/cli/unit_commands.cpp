// The commands that talk to units: search, version, reboot, password, clear,
// and the firmware and loader images. Every one runs through the same
// engine and driver as the windows do.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>

#include "cli/cli_context.h"
#include "cli/operation_runner.h"
#include "cli/unit_args.h"
#include "core/files/image_file.h"
#include "core/files/wireless_image.h"
#include "core/protocol/unit_identity.h"
#include "platform/app/codepage.h"

namespace trennic::cli {

namespace {

using platform::decodeText;

QString q(const std::string& s) { return decodeText(s); }

struct Targets {
  std::vector<UnitTarget> units;
  int error = ExitOk;
};

Targets resolveAll(CliContext& ctx, const std::vector<std::string>& names) {
  Targets t;
  t.error = resolveUnits(ctx, names, t.units);
  return t;
}

OperationContext contextFor(CliContext& ctx) {
  OperationContext c;
  c.nodes = &ctx.nodes();
  return c;
}

// The password for the units of one command: asked once, used for all of
// them, as the "Use same password" box does. The option is taken first, the
// password itself only once the command line has been found sound.
bool takePasswordOption(Args& args, PasswordSource& src, int& status) {
  args.option("--password-file", src.file);
  if (!args.error()) return true;
  status = fail(ExitUsage, args.errorText());
  return false;
}

bool passwordFrom(const PasswordSource& src, const QString& prompt, PasswordField& out, int& status) {
  QString error;
  auto pw = obtainPassword(src, prompt, &error);
  if (!pw) {
    status = fail(ExitUsage, error);
    return false;
  }
  out = makePasswordField(*pw);
  return true;
}

void reportAborted(int result) {
  if (result == ResultAborted) QTextStream(stderr) << "trennic-cli: " << resultText(ResultAborted) << Qt::endl;
}

QJsonObject nodeJson(const NodeTable& t, const std::string& mac) {
  QJsonObject o;
  int slot = t.FindNodeByMac(mac);
  if (slot < 0) return o;
  const NodeEntry& e = t.slot(static_cast<std::size_t>(slot));
  o["slot"] = slot;
  o["route"] = e.route;
  o["name"] = q(e.name);
  o["mac"] = q(e.mac);
  o["ip"] = q(e.ip);
  o["version"] = q(e.version);
  return o;
}

// The units that answered a collecting operation, once each, in order.
std::vector<std::string> answeredMacs(const OperationRunner& r) {
  std::vector<std::string> macs;
  for (const auto& id : r.answers()) {
    std::string m = formatMac(id.macAddress);
    if (std::find(macs.begin(), macs.end(), m) == macs.end()) macs.push_back(m);
  }
  return macs;
}

int collect(CliContext& ctx, int op, bool json) {
  if (int s = ctx.requireSettings()) return s;
  platform::EngineRuntime* engine = nullptr;
  if (int s = ctx.openEngine(engine); s != ExitOk) return s;
  NodeTable& table = ctx.nodes();
  VectorNodeRows rows;
  table.FillRows(rows);
  OperationRunner runner(*engine);
  OperationArgs a;
  a.operation = op;
  a.line1 = QT_TRANSLATE_NOOP("cli", "Searching...");
  OperationContext c = contextFor(ctx);
  c.rows = &rows;
  int result;
  {
    NodeTable::Batch batch(table);
    result = runner.run(a, c);
  }
  auto macs = answeredMacs(runner);
  QTextStream out(stdout);
  if (json) {
    QJsonArray arr;
    for (const auto& m : macs) arr.append(nodeJson(table, m));
    out << QJsonDocument(arr).toJson(QJsonDocument::Indented);
  } else {
    for (const auto& m : macs) {
      int slot = table.FindNodeByMac(m);
      if (slot < 0) continue;
      const NodeEntry& e = table.slot(static_cast<std::size_t>(slot));
      out << shown(QString("%1 %2 %3 %4").arg(q(e.mac), -17).arg(q(e.ip), -15).arg(q(e.version), -7).arg(q(e.name)))
          << '\n';
    }
    if (!runner.interrupted())
      out << (macs.size() == 1 ? QCoreApplication::translate("cli", "1 unit answered")
                               : QCoreApplication::translate("cli", "%1 units answered").arg(macs.size()))
          << '\n';
  }
  out.flush();
  if (const std::size_t lost = table.unkeptAnswers())
    warn(lost == 1 ? QCoreApplication::translate(
                         "cli", "1 of the units that answered was not kept: the node list holds at most %1 units")
                         .arg(kMaxNodes)
                   : QCoreApplication::translate(
                         "cli", "%1 of the units that answered were not kept: the node list holds at most %2 units")
                         .arg(lost)
                         .arg(kMaxNodes));
  reportAborted(result);
  return result;
}

int runSearch(CliContext& ctx, Args& args) {
  bool json = args.flag("--json");
  if (!args.rest().empty())
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("search [--json]"));
  return collect(ctx, OpSearch, json);
}

int runVersion(CliContext& ctx, Args& args) {
  bool json = args.flag("--json");
  auto names = args.rest();
  if (names.empty()) return collect(ctx, OpGetVersionAll, json);
  Targets t = resolveAll(ctx, names);
  if (t.error) return t.error;
  platform::EngineRuntime* engine = nullptr;
  if (int s = ctx.openEngine(engine); s != ExitOk) return s;
  VectorNodeRows rows;
  ctx.nodes().FillRows(rows);
  OperationRunner runner(*engine);
  int first = ExitOk;
  QJsonArray arr;
  for (const auto& u : t.units) {
    OperationContext c = contextFor(ctx);
    c.rows = &rows;
    int result =
        runner.run(operationArgsFor(OpGetVersion, u, PasswordField{}, QT_TRANSLATE_NOOP("cli", "Reading...")), c);
    if (result == ResultOk && !runner.answers().empty()) {
      const UnitIdentity& id = runner.answers().back();
      if (json) {
        arr.append(nodeJson(ctx.nodes(), formatMac(id.macAddress)));
      } else {
        printLine(QString("%1: %2").arg(q(u.label), formatVersion(id.firmwareVersion, id.unitType).c_str()));
      }
    }
    if (result != ResultOk && first == ExitOk) first = result;
    if (runner.interrupted()) break;
  }
  if (json) QTextStream(stdout) << QJsonDocument(arr).toJson(QJsonDocument::Indented);
  reportAborted(first);
  return first;
}

// One operation on each named unit, one after another, one line each.
int forEachUnit(CliContext& ctx, const std::vector<UnitTarget>& units, const PasswordField& password, int op,
                const char* line1, const std::function<void(OperationArgs&, OperationContext&)>& prepare = {},
                const std::function<int(OperationRunner&, const UnitTarget&)>& after = {}) {
  platform::EngineRuntime* engine = nullptr;
  if (int s = ctx.openEngine(engine); s != ExitOk) return s;
  OperationRunner runner(*engine);
  int first = ExitOk;
  for (const auto& u : units) {
    OperationArgs a = operationArgsFor(op, u, password, line1);
    OperationContext c = contextFor(ctx);
    if (prepare) prepare(a, c);
    int result = runner.run(a, c);
    if (result == ResultOk && after) result = after(runner, u);
    if (result == ResultOk) printLine(QCoreApplication::translate("cli", "%1: done").arg(q(u.label)));
    if (result != ResultOk && first == ExitOk) first = result;
    if (runner.interrupted()) break;
  }
  reportAborted(first);
  return first;
}

int runReboot(CliContext& ctx, Args& args) {
  PasswordSource src;
  PasswordField pw{};
  int status = ExitOk;
  if (!takePasswordOption(args, src, status)) return status;
  auto names = args.rest();
  if (names.empty())
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("reboot UNIT [UNIT ...]"));
  Targets t = resolveAll(ctx, names);
  if (t.error) return t.error;
  if (!passwordFrom(src, QCoreApplication::translate("cli", "Password: "), pw, status)) return status;
  return forEachUnit(ctx, t.units, pw, OpReboot, QT_TRANSLATE_NOOP("cli", "Rebooting..."));
}

int runClear(CliContext& ctx, Args& args) {
  PasswordSource src;
  PasswordField pw{};
  int status = ExitOk;
  if (!takePasswordOption(args, src, status)) return status;
  auto rest = args.rest();
  if (rest.size() != 2)
    return fail(
        ExitUsage,
        QCoreApplication::translate("cli", "usage: %1   (MASK in hex, e.g. %2)").arg("clear UNIT MASK", "0x00000003"));
  bool ok = false;
  std::uint32_t mask = QString::fromStdString(rest[1]).toUInt(&ok, 16);
  if (!ok)
    return fail(
        ExitUsage,
        QCoreApplication::translate("cli", "%1: \"%2\" is not a hexadecimal mask").arg("clear", rest[1].c_str()));
  Targets t = resolveAll(ctx, {rest[0]});
  if (t.error) return t.error;
  if (!passwordFrom(src, QCoreApplication::translate("cli", "Password: "), pw, status)) return status;
  return forEachUnit(ctx, t.units, pw, OpClear, QT_TRANSLATE_NOOP("cli", "Writing..."),
                     [mask](OperationArgs&, OperationContext& c) { c.clearMask = mask; });
}

int runPassword(CliContext& ctx, Args& args) {
  PasswordSource current, next;
  args.option("--password-file", current.file);
  args.option("--new-password-file", next.file);
  next.environmentName = "TRENNIC_NEW_PASSWORD";
  if (args.error()) return fail(ExitUsage, args.errorText());
  auto rest = args.rest();
  if (rest.size() != 1)
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1")
                               .arg("password UNIT [--password-file F] [--new-password-file F]"));
  Targets t = resolveAll(ctx, rest);
  if (t.error) return t.error;
  QString error;
  auto cur = obtainPassword(current, QCoreApplication::translate("cli", "Current Password: "), &error);
  if (!cur) return fail(ExitUsage, error);
  auto fresh = obtainPassword(next, QCoreApplication::translate("cli", "New Password: "), &error);
  if (!fresh) return fail(ExitUsage, error);
  if (next.file.empty() && !qEnvironmentVariableIsSet("TRENNIC_NEW_PASSWORD")) {
    auto verify = promptHidden(QCoreApplication::translate("cli", "Verify Password: "));
    if (verify && *verify != *fresh)
      return fail(ExitDataError, QCoreApplication::translate("cli", "Invalid password."));
  }
  PasswordField newField = makePasswordField(*fresh);
  return forEachUnit(ctx, t.units, makePasswordField(*cur), OpSetPassword, QT_TRANSLATE_NOOP("cli", "Writing..."),
                     [newField](OperationArgs&, OperationContext& c) { c.newPassword = newField; });
}

bool sameBytes(const QString& a, const QString& b, qint64& firstDifference) {
  QFile fa(a), fb(b);
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
  QByteArray x = fa.readAll(), y = fb.readAll();
  qint64 n = std::min(x.size(), y.size());
  for (qint64 i = 0; i < n; ++i)
    if (x[i] != y[i]) {
      firstDifference = i;
      return false;
    }
  firstDifference = n;
  return x.size() == y.size();
}

int runImage(CliContext& ctx, Args& args, bool firmware) {
  const char* kind = firmware ? "firmware" : "loader";
  bool force = args.flag("--force");
  bool verify = args.flag("--verify");
  PasswordSource src;
  PasswordField pw{};
  int status = ExitOk;
  if (!takePasswordOption(args, src, status)) return status;
  auto words = args.rest();
  if (words.empty())
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1")
                               .arg(QString("%1 read UNIT FILE | %1 write FILE UNIT [UNIT ...]").arg(kind)));
  std::string verb = words.front();
  std::vector<std::string> rest(words.begin() + 1, words.end());

  if (verb == "read") {
    if (rest.size() != 2)
      return fail(ExitUsage,
                  QCoreApplication::translate("cli", "usage: %1").arg(QString("%1 read UNIT FILE").arg(kind)));
    Targets t = resolveAll(ctx, {rest[0]});
    if (t.error) return t.error;
    if (!passwordFrom(src, QCoreApplication::translate("cli", "Password: "), pw, status)) return status;
    std::string file = rest[1];
    int result =
        forEachUnit(ctx, t.units, pw, firmware ? OpReadFirmware : OpReadLoader, QT_TRANSLATE_NOOP("cli", "Reading..."),
                    [&](OperationArgs& a, OperationContext&) { a.fileName = file; });
    if (result != ResultOk && QFile::exists(QString::fromStdString(ImageSink::partialPath(file))))
      QTextStream(stderr) << "trennic-cli: "
                          << QCoreApplication::translate("cli", "the bytes received so far are in %1")
                                 .arg(shown(q(ImageSink::partialPath(file))))
                          << Qt::endl;
    return result;
  }
  if (verb != "write")
    return fail(ExitUsage, QCoreApplication::translate("cli", "%1: unknown command \"%2\"").arg(kind, verb.c_str()));
  if (rest.size() < 2)
    return fail(
        ExitUsage,
        QCoreApplication::translate("cli", "usage: %1").arg(QString("%1 write FILE UNIT [UNIT ...]").arg(kind)));
  std::string file = rest[0];
  QFileInfo info(QString::fromStdString(file));
  if (!info.isFile()) return fail(ResultFileNotFound, QString("%1: %2").arg(q(file), resultText(ResultFileNotFound)));
  switch (checkImageFile(file, firmware)) {
    case ImageProblem::None:
    case ImageProblem::Missing:  // told above
      break;
    case ImageProblem::Empty:
      return fail(
          ResultBadFile,
          QCoreApplication::translate("cli", "%1: %2 (the file is empty)").arg(q(file), resultText(ResultBadFile)));
    case ImageProblem::TooLarge:
      return fail(
          ResultBadFile,
          (firmware ? QCoreApplication::translate("cli", "%1: %2 (larger than the unit's firmware area of %3 bytes)")
                    : QCoreApplication::translate("cli", "%1: %2 (larger than the unit's loader area of %3 bytes)"))
              .arg(q(file), resultText(ResultBadFile),
                   QString::number(firmware ? unit_address::kFirmwareSize : unit_address::kLoaderSize)));
    case ImageProblem::BadHeader:
      if (!force)
        return fail(ResultBadFile,
                    QCoreApplication::translate(
                        "cli", "%1: %2 (not a firmware image: its header check fails; %3 writes it anyway)")
                        .arg(q(file), resultText(ResultBadFile), "--force"));
      break;
  }
  Targets t = resolveAll(ctx, std::vector<std::string>(rest.begin() + 1, rest.end()));
  if (t.error) return t.error;
  if (!passwordFrom(src, QCoreApplication::translate("cli", "Password: "), pw, status)) return status;
  QTemporaryDir scratch;
  auto readBack = [&](OperationRunner& runner, const UnitTarget& u) -> int {
    if (!verify) return ResultOk;
    QString back = scratch.filePath("readback.bin");
    QFile::remove(back);
    OperationArgs a =
        operationArgsFor(firmware ? OpReadFirmware : OpReadLoader, u, pw, QT_TRANSLATE_NOOP("cli", "Verifying..."));
    a.fileName = back.toStdString();
    int result = runner.run(a, contextFor(ctx));
    if (result != ResultOk) return result;
    qint64 at = 0;
    if (!sameBytes(info.filePath(), back, at)) {
      QTextStream(stderr) << "trennic-cli: "
                          << (firmware
                                  ? QCoreApplication::translate(
                                        "cli", "%1: VERIFY FAILED: the firmware read back differs from %2 at byte %3")
                                  : QCoreApplication::translate(
                                        "cli", "%1: VERIFY FAILED: the loader read back differs from %2 at byte %3"))
                                 .arg(shown(q(u.label)), shown(q(file)), QString::number(at))
                          << Qt::endl;
      return ResultError;
    }
    return ResultOk;
  };
  return forEachUnit(
      ctx, t.units, pw, firmware ? OpWriteFirmware : OpWriteLoader, QT_TRANSLATE_NOOP("cli", "Writing..."),
      [&](OperationArgs& a, OperationContext&) { a.fileName = info.filePath().toStdString(); }, readBack);
}

// A card whose PDA block lacks its own address has the block filed under
// the unit's, so a unit named by its IP address alone first tells its
// address from its identity block. Every unit is asked before any is
// loaded: when one cannot tell, none is written to.
int learnUnitMacs(CliContext& ctx, std::vector<UnitTarget>& units) {
  platform::EngineRuntime* engine = nullptr;
  for (auto& u : units) {
    if (isUnitMac(u.node.mac)) continue;
    if (!engine)
      if (int s = ctx.openEngine(engine); s != ExitOk) return s;
    OperationRunner runner(*engine);
    // Nothing is merged: loading a card leaves the node list as it was.
    int result = runner.run(operationArgsFor(OpGetVersion, u, PasswordField{}, QT_TRANSLATE_NOOP("cli", "Reading...")),
                            OperationContext{});
    if (runner.interrupted()) {
      reportAborted(result);
      return result;
    }
    std::optional<MacAddress> mac;
    if (result == ResultOk && !runner.answers().empty())
      mac = unitMacFor(u.node.mac, runner.answers().back().macAddress);
    if (!mac)
      return fail(
          result == ResultOk ? ResultError : result,
          QCoreApplication::translate("cli",
                                      "%1: %2 (its MAC address is not known and it did not tell it, so its card's data "
                                      "would have no file of its own; nothing was written to any unit)")
              .arg(q(u.label), resultText(ResultError)));
    u.node.mac = *mac;
  }
  return ExitOk;
}

// The wireless card's firmware from an S-record file. The file is scanned
// before anything is sent; which card each unit holds is learnt during the
// load, where the other card's image ends it with "Not supported.".
int runWireless(CliContext& ctx, Args& args) {
  PasswordSource src;
  PasswordField pw{};
  int status = ExitOk;
  std::string pdaFolder = "PDA", dump;
  args.option("--pda-folder", pdaFolder);
  args.option("--image-dump", dump);
  if (!takePasswordOption(args, src, status)) return status;
  auto words = args.rest();
  const QString usage = QCoreApplication::translate("cli", "usage: %1")
                            .arg("wireless write FILE UNIT [UNIT ...] [--pda-folder DIR] [--image-dump FILE]");
  if (words.empty()) return fail(ExitUsage, usage);
  if (words.front() == "read")
    return fail(ResultNotSupported, QString("%1: %2").arg("wireless read", resultText(ResultNotSupported)));
  if (words.front() != "write" || words.size() < 3) return fail(ExitUsage, usage);
  std::string file = words[1];
  QFileInfo info(QString::fromStdString(file));
  if (!info.isFile()) return fail(ResultFileNotFound, QString("%1: %2").arg(q(file), resultText(ResultFileNotFound)));
  WirelessImage image;
  if (image.ScanWirelessFile(info.filePath().toStdString()) != WirelessReady)
    return fail(ResultBadFile,
                QCoreApplication::translate("cli",
                                            "%1: %2 (no wireless card image: no end record, no data, or data outside "
                                            "the card's window)")
                    .arg(q(file), resultText(ResultBadFile)));
  Targets t = resolveAll(ctx, std::vector<std::string>(words.begin() + 2, words.end()));
  if (t.error) return t.error;
  if (!passwordFrom(src, QCoreApplication::translate("cli", "Password: "), pw, status)) return status;
  if (int learnt = learnUnitMacs(ctx, t.units); learnt != ExitOk) return learnt;
  return forEachUnit(ctx, t.units, pw, OpWriteWlFirmware, QT_TRANSLATE_NOOP("cli", "Writing..."),
                     [&](OperationArgs& a, OperationContext& c) {
                       a.fileName = info.filePath().toStdString();
                       c.wirelessImage = &image;
                       c.pdaFolder = pdaFolder;
                       c.wirelessDumpPath = dump;
                     });
}

}  // namespace

int runUnitCommand(CliContext& ctx, const std::string& command, Args& args, bool& handled) {
  handled = true;
  if (command == "search") return runSearch(ctx, args);
  if (command == "version") return runVersion(ctx, args);
  if (command == "reboot") return runReboot(ctx, args);
  if (command == "password") return runPassword(ctx, args);
  if (command == "clear") return runClear(ctx, args);
  if (command == "firmware") return runImage(ctx, args, true);
  if (command == "loader") return runImage(ctx, args, false);
  if (command == "wireless") return runWireless(ctx, args);
  handled = false;
  return ExitUsage;
}

}  // namespace trennic::cli
