// trennic-cli: the program's engine and tables for scripts and batch work.
#include <QCoreApplication>
#include <QTextStream>

#include "cli/cli_context.h"
#include "core/app/version.h"
#include "core/protocol/operations.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"
#include "platform/app/settings_location.h"

using namespace trennic;
using namespace trennic::cli;

namespace {

// The synopsis itself is interface: command and option names never change.
const char* kSynopsis = "trennic-cli [--settings FILE] [--interface NAME]... [--language en|ja] COMMAND ...";

// One text per block for the translators, the blank lines between them
// ours. In each, the command lines, option names, the words in capitals and
// the exit numbers are the program's interface and stay as they are.
QString usage() {
  QString text = QCoreApplication::translate("cli", "usage: %1").arg(kSynopsis) + "\n\n";
  //: Translate the descriptions only; keep "commands:" a heading.
  text += QCoreApplication::translate(
      "cli",
      "commands:\n"
      "  nodes list [--json | --csv]      the known units, in slot order\n"
      "  nodes import FILE                replace the list with a node list file\n"
      "  nodes export FILE                write the list as a node list file\n"
      "  nodes add --mac MAC [--ip IP] [--name NAME]\n"
      "  nodes remove MAC\n"
      "  nodes clear\n"
      "  nodes sort name|mac|ip|version [--descending]\n"
      "  host                             this machine's address tables and socket\n");
  text += "\n";
  //: Translate the descriptions only.
  text += QCoreApplication::translate(
      "cli",
      "  search [--json]                  find the units on the network and list them\n"
      "  version [UNIT ...] [--json]      firmware versions (all units when none is named)\n"
      "  reboot UNIT [UNIT ...]\n"
      "  password UNIT                    change a unit's password\n"
      "  clear UNIT MASK                  clear status counters (MASK in hex)\n"
      "  firmware read UNIT FILE\n"
      "  firmware write FILE UNIT [UNIT ...] [--verify] [--force]\n"
      "  loader read UNIT FILE\n"
      "  loader write FILE UNIT [UNIT ...] [--verify]\n"
      "  wireless write FILE UNIT [UNIT ...] [--pda-folder DIR] [--image-dump FILE]\n"
      "                                   the wireless card's firmware from S-records;\n"
      "                                   each card's PDA block is kept in DIR (./PDA)\n");
  text += "\n";
  //: Translate the descriptions only; %02X%02X%02X.txt and config.def are file names.
  text += QCoreApplication::translate(
      "cli",
      "  config read UNIT -o FILE|FOLDER      a folder takes the unit's own %02X%02X%02X.txt;\n"
      "                                       exit 74, before anything is sent, where no file can go\n"
      "  config write FILE|FOLDER UNIT [UNIT ...]\n"
      "  config defaults -o FILE              the defaults, with config.def applied\n"
      "  config show FILE [--json]            every keyed value as the program holds it\n"
      "  config diff A B                      the keys whose values differ (exit 1 if any)\n"
      "  filter read mac|protocol UNIT -o FILE\n"
      "  filter write mac|protocol FILE UNIT [UNIT ...]\n");
  //: Translate the descriptions only; %02X%02X%02X.txt is a file name.
  text += QCoreApplication::translate(
      "cli",
      "  config read --all -o FOLDER          every unit of the node list into its own\n"
      "                                       %02X%02X%02X.txt, going on past a unit that fails\n"
      "  config diff A B                      A or B may be a UNIT instead of a file: read live\n");
  text += "\n";
  //: Translate the descriptions only.
  text += QCoreApplication::translate(
      "cli",
      "  status UNIT [UNIT ...] | --all [--json | --openmetrics [--output FILE]]\n"
      "         [--watch SECONDS [--count N]]\n"
      "                                   every status page of each unit, one poll cycle\n"
      "                                   each, as text, JSON Lines or OpenMetrics; --watch\n"
      "                                   repeats the round SECONDS (2 to 120) after its end\n");
  text += "\n";
  //: Keep the option and variable names as they are.
  text += QCoreApplication::translate(
      "cli",
      "UNIT is a node's name, its MAC address or its IP address; never the broadcast\n"
      "address FF-FF-FF-FF-FF-FF, which every unit would take. Passwords come from\n"
      "--password-file FILE, TRENNIC_PASSWORD or a prompt (TRENNIC_NEW_PASSWORD and\n"
      "--new-password-file for the new one); never from the command line. A password\n"
      "file other users can read is used, with a warning.\n");
  //: Keep the numbers: scripts test them.
  text += QCoreApplication::translate(
      "cli",
      "Exit status: 0 success, 1 no response, 2 aborted, 3 error, 4 file not found,\n"
      "6 access denied, 8 not supported, 10 search aborted, 11 invalid file,\n"
      "12 firmware too old or new for this program, 64 usage, 65 malformed argument\n"
      "or file (a UNIT that would be every unit among them), 74 the settings file\n"
      "could not be read, or a file could not be written (the settings file, a node\n"
      "list, a configuration or image file, or where one should go).\n");
  text += "\n";
  //: Keep the option, variable and file names as they are.
  text += QCoreApplication::translate(
      "cli",
      "The settings file is the one the window program uses (trennic.INI beside it)\n"
      "unless --settings names another. --interface (or TRENNIC_INTERFACES) limits\n"
      "the network interfaces used to reach units.\n");
  //: Keep the option, its words and the variable names as they are.
  text += QCoreApplication::translate(
      "cli",
      "--language en|ja speaks English or Japanese; without it the locale decides\n"
      "(LANGUAGE, LC_ALL, LC_MESSAGES, LANG). JSON, CSV and the files written are\n"
      "the same in every language.\n");
  return text;
}

// A bad --language is told in the locale's language; its words as the user
// typed them.
int badLanguage() {
  return fail(ExitUsage, platform::languageOptionError(QCoreApplication::arguments().mid(1)));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication qapp(argc, argv);
  QCoreApplication::setApplicationName("trennic-cli");
  // Names on the command line are bytes in the user's code page and reach
  // the node table as typed: Latin-1 carries every byte through QString
  // unchanged, and --language and its words are ASCII.
  QStringList byteWords;
  for (int i = 1; i < argc; ++i) byteWords << QString::fromLatin1(argv[i]);
  std::optional<platform::Language> chosen;
  QString languageError;
  const bool languageOk = platform::takeLanguageOption(byteWords, chosen, languageError);
  // Before anything is printed: every message after this is the user's.
  platform::installLanguage(languageOk && chosen ? *chosen : platform::localeLanguage());
  if (!languageOk) return badLanguage();
  std::vector<std::string> words;
  for (const QString& w : byteWords) words.push_back(w.toLatin1().toStdString());

  CliContext ctx;
  // Names in the settings file and in node lists are in the user's code
  // page, and its byte rule says where they end.
  ctx.app.settings.textEncoding = platform::userTextEncoding();
  Args global(words);
  std::string value;
  if (global.option("--settings", value)) ctx.app.settingsOverride = value;
  while (global.option("--interface", value)) ctx.interfaces.push_back(value);
  if (global.option("--unit-port", value)) {
    bool ok = false;
    uint port = QString::fromStdString(value).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
      return fail(ExitUsage, QCoreApplication::translate("cli", "%1 needs a port number").arg("--unit-port"));
    ctx.unitPort = static_cast<std::uint16_t>(port);
  }
  if (global.error()) return fail(ExitUsage, global.errorText());
  if (global.flag("--help") || global.flag("-h")) {
    QTextStream(stdout) << usage();
    return ExitOk;
  }
  if (global.flag("--version")) {
    QTextStream(stdout) << kVersionLine << '\n';
    return ExitOk;
  }
  auto rest = global.rest();
  if (rest.empty()) {
    QTextStream(stderr) << usage();
    return ExitUsage;
  }
  ctx.app.settings.settingsPath =
      ctx.app.settingsOverride.empty() ? platform::defaultSettingsPath() : ctx.app.settingsOverride;
  std::string command = rest.front();
  Args args(std::vector<std::string>(rest.begin() + 1, rest.end()));
  auto dispatch = [&]() -> int {
    if (command == "nodes") return runNodes(ctx, args);
    if (command == "host") return runHost(ctx, args);
    if (command == "config") return runConfig(ctx, args);
    if (command == "filter") return runFilter(ctx, args);
    if (command == "status") return runStatus(ctx, args);
    bool handled = false;
    int status = runUnitCommand(ctx, command, args, handled);
    if (handled) return status;
    return fail(ExitUsage, QCoreApplication::translate("cli", "unknown command \"%1\" (try %2)")
                               .arg(QString::fromStdString(command), "--help"));
  };
  int status = dispatch();
  // Node list writes also happen on the side (a route learnt, a search's
  // answers), so one check here covers every command; a command that has
  // already said so is not told twice.
  if (ctx.table && ctx.table->takeWriteFailure() && status != ExitIoError) {
    const int failed =
        fail(ExitIoError, QCoreApplication::translate("cli", "%1 (the settings file %2 could not be written)")
                              .arg(resultText(ResultError), QString::fromStdString(ctx.settingsPath())));
    if (status == ExitOk) status = failed;
  }
  return status;
}
