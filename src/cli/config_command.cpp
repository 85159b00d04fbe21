// trennic-cli config and filter: configuration and filter files between
// files and units, through the same engine, files and rules as the
// Configuration and File Management windows.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/cli_context.h"
#include "cli/operation_runner.h"
#include "cli/unit_args.h"
#include "core/app/text_file.h"
#include "core/config/config_file.h"
#include "core/files/file_kinds.h"
#include "core/filters/filter_files.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"

namespace trennic::cli {

namespace {

using platform::decodeText;

// Files the command line writes keep everything, as a backup must: the
// filter access fields included, as the highest display level shows them.
constexpr int kFileLevel = kDisplayLevelAll;

ConfigFileOptions fileOptions() {
  ConfigFileOptions o;
  o.defaultChannel = DefaultChannel();
  o.displayLevel = kFileLevel;
  o.encoding = platform::userTextEncoding();
  return o;
}

// The built-in defaults with "config.def" of the current folder laid over;
// a config.def that is there but can't be read is said once.
const ConfigSet& configDefaults() {
  static ConfigSet defaults = [] {
    ConfigSet d;
    BuildDefaultConfig(d, DefaultChannel());
    if (const TextFileProblem p = textFileProblem(kConfigDefaultsFileName);
        p != TextFileProblem::None && p != TextFileProblem::Missing)
      warn(QCoreApplication::translate("cli", "%1 cannot be read: %2; the built-in defaults are used")
               .arg(kConfigDefaultsFileName, platform::shownText(textFileProblemText(p))));
    ApplyConfigDefaults(d, kConfigDefaultsFileName, fileOptions());
    return d;
  }();
  return defaults;
}

bool isFolder(const std::string& path) {
  const TextEncoding encoding = platform::userTextEncoding();
  return encoding.endsWithChar(path, '/') || encoding.endsWithChar(path, kPathSeparator);
}

// A folder named without its trailing separator is still that folder, as
// the window's folder chooser hands it on.
std::string asFolderIfFolder(const std::string& path) {
  std::error_code ec;
  if (path.empty() || isFolder(path) || !std::filesystem::is_directory(path, ec)) return path;
  return platform::userTextEncoding().withTrailingSeparator(path, kPathSeparator);
}

// Why a file can't be written at this path, known before a unit is asked
// for anything; empty when nothing stands in the way.
QString outputProblem(const std::string& file) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path p(file);
  if (fs::is_directory(p, ec))
    return QCoreApplication::translate("cli", "%1: %2 (a folder of that name is in the way)")
        .arg(decodeText(file), resultText(ResultError));
  const fs::path parent = p.has_parent_path() ? p.parent_path() : fs::path(".");
  if (!fs::is_directory(parent, ec))
    return QCoreApplication::translate("cli", "%1: %2 (the folder %3 does not exist)")
        .arg(decodeText(file), resultText(ResultError), decodeText(parent.string()));
  return {};
}

int notWritten(const std::string& file) {
  return fail(ExitIoError, QCoreApplication::translate("cli", "%1: %2 (the file could not be written)")
                               .arg(decodeText(file), resultText(ResultError)));
}

QString needsMacForFile() {
  return QCoreApplication::translate(
      "cli", "a file named after the unit needs its MAC address; name the unit by MAC or label");
}

// "%02X%02X%02X.txt" of the unit's last three MAC bytes inside a folder, as
// the File Management window names per-unit files.
std::string unitFile(const std::string& path, const MacAddress& mac) {
  return isFolder(path) ? path + unitConfigFileName(mac) : path;
}

// 0 when the file is what the command needs; else its one clear reason is
// out and the status is "File not found." or "Invalid file.".
int requireFile(const std::string& path, const char* section, const QString& what) {
  ini::Profile p = ini::Profile::load(path, platform::userTextEncoding());
  const QString name = decodeText(path);
  if (p.state() == ini::LoadState::Missing)
    return fail(ResultFileNotFound, QString("%1: %2").arg(name, resultText(ResultFileNotFound)));
  if (p.state() == ini::LoadState::Unreadable)
    return fail(
        ResultBadFile,
        QCoreApplication::translate("cli", "%1: %2 (the file cannot be read)").arg(name, resultText(ResultBadFile)));
  if (!p.hasSection(section))
    return fail(ResultBadFile, QCoreApplication::translate("cli", "%1: %2 (not a %3: it has no [%4] section)")
                                   .arg(name, resultText(ResultBadFile), what, QString::fromLatin1(section)));
  return ExitOk;
}

QString configFileWord() { return QCoreApplication::translate("cli", "configuration file"); }

bool takeOutput(Args& args, std::string& out, int& status) {
  if (!args.option("-o", out) && !args.option("--output", out)) {
    status = fail(ExitUsage, QCoreApplication::translate("cli", "an output file is needed: %1").arg("-o FILE"));
    return false;
  }
  if (args.error()) {
    status = fail(ExitUsage, args.errorText());
    return false;
  }
  return true;
}

struct UnitRun {
  platform::EngineRuntime* engine = nullptr;
  PasswordField password{};
};

// Resolves the units and gets the engine and password ready; 0 when ready.
int prepare(CliContext& ctx, Args& args, const std::vector<std::string>& names, std::vector<UnitTarget>& units,
            UnitRun& run) {
  PasswordSource src;
  args.option("--password-file", src.file);
  if (args.error()) return fail(ExitUsage, args.errorText());
  if (int s = resolveUnits(ctx, names, units)) return s;
  QString error;
  auto pw = obtainPassword(src, QCoreApplication::translate("cli", "Password: "), &error);
  if (!pw) return fail(ExitUsage, error);
  run.password = makePasswordField(*pw);
  return ctx.openEngine(run.engine);
}

// Reads one unit's configuration into the transfer set; its result code.
int readLive(CliContext& ctx, const UnitRun& run, OperationRunner& runner, const UnitTarget& u, ConfigSet& set) {
  ResetToDefaults(configDefaults(), set, u.node.mac);
  OperationContext c;
  c.nodes = &ctx.nodes();
  c.transferSet = &set;
  return runner.run(operationArgsFor(OpReadConfig, u, run.password, QT_TRANSLATE_NOOP("cli", "Reading...")), c);
}

// Every node of the node list, by its MAC address, in slot order.
std::vector<std::string> everyNode(CliContext& ctx) {
  std::vector<std::string> names;
  std::size_t index = 0;
  NodeEntry e;
  while (ctx.nodes().NextNode(index, e)) names.push_back(e.mac);
  return names;
}

int configRead(CliContext& ctx, Args& args) {
  const bool all = args.flag("--all");
  std::string out;
  int status = ExitOk;
  if (!takeOutput(args, out, status)) return status;
  out = asFolderIfFolder(out);
  std::vector<UnitTarget> units;
  UnitRun run;
  Args probe(args.rest());
  std::string ignored;
  probe.option("--password-file", ignored);
  auto positional = probe.rest();
  if (all ? !positional.empty() : positional.size() != 1)
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1")
                               .arg("config read UNIT -o FILE|FOLDER | config read --all -o FOLDER"));
  // Each unit of the list has a file of its own, so they go into a folder.
  if (all && !isFolder(out))
    return fail(ExitUsage, QCoreApplication::translate("cli", "%1 writes one file per unit: %2 names a folder")
                               .arg("--all", "-o FOLDER/"));
  // Before the password is asked: the unit's name only picks the file.
  if (QString problem = outputProblem(isFolder(out) ? out + "file.txt" : out); !problem.isEmpty())
    return fail(ExitIoError, problem);
  if (all) {
    if (int s = ctx.requireSettings()) return s;
    positional = everyNode(ctx);
    if (positional.empty()) return fail(ExitFailed, QCoreApplication::translate("cli", "the node list is empty"));
  }
  if (int s = prepare(ctx, args, positional, units, run)) return s;
  OperationRunner runner(*run.engine);
  // One line per unit, and on past a unit that fails: a backup of the
  // others is still worth having.
  int first = ExitOk;
  for (const UnitTarget& u : units) {
    int result = ExitOk;
    if (isFolder(out) && u.node.mac.isBroadcast()) {
      result = fail(ExitUsage, needsMacForFile());
    } else {
      std::string file = unitFile(out, u.node.mac);
      ConfigSet set;
      if (QString problem = outputProblem(file); !problem.isEmpty())
        result = fail(ExitIoError, problem);
      else if ((result = readLive(ctx, run, runner, u, set)) == ResultOk && !WriteConfigFile(set.record, file, fileOptions()))
        result = notWritten(file);
      else if (result == ResultOk)
        printLine(QString("%1: %2").arg(decodeText(u.label), decodeText(file)));
    }
    if (result != ExitOk && first == ExitOk) first = result;
    if (runner.interrupted()) break;
  }
  return first;
}

int configWrite(CliContext& ctx, Args& args) {
  Args probe(args.rest());
  std::string ignored;
  probe.option("--password-file", ignored);
  auto positional = probe.rest();
  if (positional.size() < 2)
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "usage: %1").arg("config write FILE|FOLDER UNIT [UNIT ...]"));
  std::string source = asFolderIfFolder(positional.front());
  std::vector<std::string> names(positional.begin() + 1, positional.end());
  if (!isFolder(source))
    if (int s = requireFile(source, kConfigSection, configFileWord())) return s;
  std::vector<UnitTarget> units;
  UnitRun run;
  if (int s = prepare(ctx, args, names, units, run)) return s;
  // Every file is read and checked before anything is sent to any unit.
  std::vector<ConfigSet> sets(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (isFolder(source) && units[i].node.mac.isBroadcast()) return fail(ExitUsage, needsMacForFile());
    std::string file = unitFile(source, units[i].node.mac);
    if (int s = requireFile(file, kConfigSection, configFileWord())) return s;
    if (ReadConfigFile(configDefaults(), sets[i], units[i].node.mac, file, fileOptions()) != 1)
      return fail(ResultBadFile, QString("%1: %2").arg(decodeText(file), resultText(ResultBadFile)));
  }
  OperationRunner runner(*run.engine);
  int first = ExitOk;
  for (std::size_t i = 0; i < units.size(); ++i) {
    OperationContext c;
    c.nodes = &ctx.nodes();
    c.transferSet = &sets[i];
    int result =
        runner.run(operationArgsFor(OpWriteConfig, units[i], run.password, QT_TRANSLATE_NOOP("cli", "Writing...")), c);
    if (result == ResultOk) printLine(QCoreApplication::translate("cli", "%1: done").arg(decodeText(units[i].label)));
    if (result != ResultOk && first == ExitOk) first = result;
    if (runner.interrupted()) break;
  }
  return first;
}

int configDefaultsCommand(Args& args) {
  std::string out;
  int status = ExitOk;
  if (!takeOutput(args, out, status)) return status;
  if (!args.rest().empty())
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("config defaults -o FILE"));
  ConfigSet set = configDefaults();
  if (!WriteConfigFile(set.record, out, fileOptions())) return notWritten(out);
  return ExitOk;
}

// Every keyed value of a configuration file as it is held after reading:
// the "Config" keys, then the two filter tables' settings and entries.
std::vector<std::pair<std::string, std::string>> heldValues(ConfigSet& set) {
  auto values = ConfigFileValues(set.record, fileOptions());
  ConstMacFilterBlock mac(set.record);
  values.emplace_back(filterkey::MacFilterOn, mac.filterOn() ? "Enabled" : "Disabled");
  values.emplace_back(filterkey::MacOtherAccess, mac.otherAccess() ? "Enabled" : "Disabled");
  for (std::size_t i = 0; i < mac.usedCount(); ++i)
    values.emplace_back(filterkey::MacEntry + std::to_string(i + 1), formatMacFilterValue(mac.entry(i), kFileLevel));
  ConstProtocolFilterBlock prot(set.record);
  values.emplace_back(filterkey::ProtocolFilterOn, prot.filterOn() ? "Enabled" : "Disabled");
  values.emplace_back(filterkey::ProtocolOtherAccess, prot.otherAccess() ? "Enabled" : "Disabled");
  for (std::size_t i = 0; i < prot.usedCount(); ++i)
    values.emplace_back(filterkey::ProtocolEntry + std::to_string(i + 1),
                        formatProtocolFilterValue(prot.entry(i), kFileLevel));
  return values;
}

int readForShow(const std::string& file, ConfigSet& set) {
  if (int s = requireFile(file, kConfigSection, configFileWord())) return s;
  ReadConfigFile(configDefaults(), set, MacAddress{}, file, fileOptions());
  return ExitOk;
}

int configShow(Args& args) {
  bool json = args.flag("--json");
  auto rest = args.rest();
  if (rest.size() != 1)
    return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("config show FILE [--json]"));
  ConfigSet set;
  if (int s = readForShow(rest[0], set)) return s;
  auto values = heldValues(set);
  QTextStream out(stdout);
  if (json) {
    QJsonObject o;
    for (const auto& [k, v] : values) o[QString::fromStdString(k)] = decodeText(v);
    out << QJsonDocument(o).toJson(QJsonDocument::Indented);
  } else {
    for (const auto& [k, v] : values) out << k.c_str() << '=' << shown(decodeText(v)) << '\n';
  }
  return ExitOk;
}

// Either side of a diff is a file, or a UNIT read live when no file of
// that name is there: drift of a unit from its backup, or of two units.
int configDiff(CliContext& ctx, Args& args) {
  Args probe(args.rest());
  std::string ignored;
  probe.option("--password-file", ignored);
  if (probe.error()) return fail(ExitUsage, probe.errorText());
  auto rest = probe.rest();
  if (rest.size() != 2) return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("config diff A B"));
  ConfigSet a, b;
  std::optional<UnitRun> run;
  std::unique_ptr<OperationRunner> runner;
  for (auto [text, set] : {std::pair{rest[0], &a}, std::pair{rest[1], &b}}) {
    std::error_code ec;
    bool live = false;
    if (!std::filesystem::exists(text, ec)) {
      if (int s = ctx.requireSettings()) return s;
      live = resolveUnit(ctx.nodes(), text).has_value();
    }
    if (!live) {
      if (int s = readForShow(text, *set)) return s;
      continue;
    }
    std::vector<UnitTarget> units;
    if (!run) {
      // The password is asked once, for both units when both are.
      run.emplace();
      if (int s = prepare(ctx, args, {text}, units, *run)) return s;
      runner = std::make_unique<OperationRunner>(*run->engine);
    } else if (int s = resolveUnits(ctx, {text}, units)) {
      return s;
    }
    if (int result = readLive(ctx, *run, *runner, units.front(), *set); result != ResultOk) return result;
  }
  auto va = heldValues(a), vb = heldValues(b);
  auto find = [](const auto& list, const std::string& key) -> const std::string* {
    for (const auto& [k, v] : list)
      if (k == key) return &v;
    return nullptr;
  };
  int differences = 0;
  const QString none = QCoreApplication::translate("cli", "(none)");
  QTextStream out(stdout);
  auto report = [&](const std::string& key, const std::string* x, const std::string* y) {
    if (x && y && *x == *y) return;
    ++differences;
    out << key.c_str() << ": " << (x ? shown(decodeText(*x)) : none) << " -> " << (y ? shown(decodeText(*y)) : none)
        << '\n';
  };
  for (const auto& [k, v] : va) report(k, &v, find(vb, k));
  for (const auto& [k, v] : vb)
    if (!find(va, k)) report(k, nullptr, &v);
  return differences ? ExitFailed : ExitOk;
}

int filterCommand(CliContext& ctx, Args& args) {
  auto words = args.rest();
  if (words.size() < 2 || (words[1] != "mac" && words[1] != "protocol"))
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "usage: %1")
                    .arg("filter read mac|protocol UNIT -o FILE | filter write mac|protocol FILE UNIT [UNIT ...]"));
  std::string verb = words[0];
  bool mac = words[1] == "mac";
  std::size_t size = mac ? kMacFilterSize : kProtocolFilterSize;
  const char* section = mac ? kMacFilterSection : kProtocolFilterSection;
  std::vector<std::string> tail(words.begin() + 2, words.end());
  Args sub(tail);
  std::string out;
  if (verb == "read") {
    int status = ExitOk;
    if (!takeOutput(sub, out, status)) return status;
    Args probe(sub.rest());
    std::string ignored;
    probe.option("--password-file", ignored);
    auto positional = probe.rest();
    if (positional.size() != 1)
      return fail(ExitUsage,
                  QCoreApplication::translate("cli", "usage: %1").arg("filter read mac|protocol UNIT -o FILE"));
    std::vector<UnitTarget> units;
    UnitRun run;
    if (int s = prepare(ctx, sub, positional, units, run)) return s;
    std::vector<std::uint8_t> table(size, 0);
    OperationRunner runner(*run.engine);
    OperationContext c;
    c.nodes = &ctx.nodes();
    c.table = &table;
    int result = runner.run(operationArgsFor(mac ? OpReadMacFilter : OpReadProtFilter, units[0], run.password,
                                             QT_TRANSLATE_NOOP("cli", "Reading...")),
                            c);
    if (result != ResultOk) return result;
    int written = mac ? WriteMacFilterSection(out, *ConstMacFilterBlock::over(table), true, kFileLevel,
                                              fileOptions().encoding)
                      : WriteProtocolFilterSection(out, *ConstProtocolFilterBlock::over(table), true, kFileLevel,
                                                   fileOptions().encoding);
    if (!written) return notWritten(out);
    printLine(QString("%1: %2").arg(decodeText(units[0].label), decodeText(out)));
    return ExitOk;
  }
  if (verb != "write")
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "%1: unknown command \"%2\"").arg("filter", verb.c_str()));
  Args probe(sub.rest());
  std::string ignored;
  probe.option("--password-file", ignored);
  auto positional = probe.rest();
  if (positional.size() < 2)
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "usage: %1").arg("filter write mac|protocol FILE UNIT [UNIT ...]"));
  std::string file = positional[0];
  if (int s = requireFile(file, section,
                          mac ? QCoreApplication::translate("cli", "MAC address filter file")
                              : QCoreApplication::translate("cli", "protocol filter file")))
    return s;
  std::vector<std::uint8_t> table(size, 0);
  int read = mac ? ReadMacFilterSection(file, *MacFilterBlock::over(table), kFileLevel, fileOptions().encoding)
                 : ReadProtocolFilterSection(file, *ProtocolFilterBlock::over(table), kFileLevel,
                                             fileOptions().encoding);
  if (read != kFilterFileRead)
    return fail(ResultBadFile, QString("%1: %2").arg(decodeText(file), resultText(ResultBadFile)));
  std::vector<UnitTarget> units;
  UnitRun run;
  if (int s = prepare(ctx, sub, std::vector<std::string>(positional.begin() + 1, positional.end()), units, run)) return s;
  OperationRunner runner(*run.engine);
  int first = ExitOk;
  for (const auto& u : units) {
    std::vector<std::uint8_t> copy = table;
    OperationContext c;
    c.nodes = &ctx.nodes();
    c.table = &copy;
    int result = runner.run(operationArgsFor(mac ? OpWriteMacFilter : OpWriteProtFilter, u, run.password,
                                             QT_TRANSLATE_NOOP("cli", "Writing...")),
                            c);
    if (result == ResultOk) printLine(QCoreApplication::translate("cli", "%1: done").arg(decodeText(u.label)));
    if (result != ResultOk && first == ExitOk) first = result;
    if (runner.interrupted()) break;
  }
  return first;
}

}  // namespace

int runConfig(CliContext& ctx, Args& args) {
  auto rest = args.rest();
  if (rest.empty())
    return fail(ExitUsage,
                QCoreApplication::translate("cli", "usage: %1").arg("config read|write|defaults|show|diff ..."));
  std::string verb = rest.front();
  Args sub(std::vector<std::string>(rest.begin() + 1, rest.end()));
  if (verb == "read") return configRead(ctx, sub);
  if (verb == "write") return configWrite(ctx, sub);
  if (verb == "defaults") return configDefaultsCommand(sub);
  if (verb == "show") return configShow(sub);
  if (verb == "diff") return configDiff(ctx, sub);
  return fail(ExitUsage, QCoreApplication::translate("cli", "%1: unknown command \"%2\"").arg("config", verb.c_str()));
}

int runFilter(CliContext& ctx, Args& args) { return filterCommand(ctx, args); }

}  // namespace trennic::cli
