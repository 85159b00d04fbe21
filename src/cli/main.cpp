// trennic-cli: the program's engine and tables for scripts and batch work.
#include <QCoreApplication>
#include <QTextStream>

#include "cli/cli_context.h"
#include "platform/app/codepage.h"
#include "platform/app/settings_location.h"

using namespace trennic;
using namespace trennic::cli;

namespace {

const char* kUsage =
    "usage: trennic-cli [--settings FILE] [--interface NAME]... COMMAND ...\n"
    "\n"
    "commands:\n"
    "  nodes list [--json | --csv]      the known units, in slot order\n"
    "  nodes import FILE                replace the list with a node list file\n"
    "  nodes export FILE                write the list as a node list file\n"
    "  nodes add --mac MAC [--ip IP] [--name NAME]\n"
    "  nodes remove MAC\n"
    "  nodes clear\n"
    "  nodes sort name|mac|ip|version [--descending]\n"
    "  host                             this machine's address tables and socket\n"
    "\n"
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
    "                                   each card's PDA block is kept in DIR (./PDA)\n"
    "\n"
    "  config read UNIT -o FILE|FOLDER      a folder takes the unit's own %02X%02X%02X.txt;\n"
    "                                       exit 74, before anything is sent, where no file can go\n"
    "  config write FILE|FOLDER UNIT [UNIT ...]\n"
    "  config defaults -o FILE              the defaults, with config.def applied\n"
    "  config show FILE [--json]            every keyed value as the program holds it\n"
    "  config diff A B                      the keys whose values differ (exit 1 if any)\n"
    "  filter read mac|protocol UNIT -o FILE\n"
    "  filter write mac|protocol FILE UNIT [UNIT ...]\n"
    "\n"
    "UNIT is a node's name, its MAC address or its IP address; never the broadcast\n"
    "address FF-FF-FF-FF-FF-FF, which every unit would take. Passwords come from\n"
    "--password-file FILE, TRENNIC_PASSWORD or a prompt (TRENNIC_NEW_PASSWORD and\n"
    "--new-password-file for the new one); never from the command line. A password\n"
    "file other users can read is used, with a warning.\n"
    "Exit status: 0 success, 1 no response, 2 aborted, 3 error, 4 file not found,\n"
    "6 access denied, 8 not supported, 10 search aborted, 11 invalid file,\n"
    "12 firmware too old or new for this program, 64 usage, 65 malformed argument\n"
    "or file (a UNIT that would be every unit among them), 74 the settings file\n"
    "could not be read, or a file could not be written (the settings file, a node\n"
    "list, a configuration or image file, or where one should go).\n"
    "\n"
    "The settings file is the one the window program uses (trennic.INI beside it)\n"
    "unless --settings names another. --interface (or TRENNIC_INTERFACES) limits\n"
    "the network interfaces used to reach units.\n";

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication qapp(argc, argv);
  QCoreApplication::setApplicationName("trennic-cli");
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);

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
    if (!ok || port == 0 || port > 65535) return fail(ExitUsage, "--unit-port needs a port number");
    ctx.unitPort = static_cast<std::uint16_t>(port);
  }
  if (global.error()) return fail(ExitUsage, QString::fromStdString(global.errorText()));
  if (global.flag("--help") || global.flag("-h")) {
    QTextStream(stdout) << kUsage;
    return ExitOk;
  }
  auto rest = global.rest();
  if (rest.empty()) {
    QTextStream(stderr) << kUsage;
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
    bool handled = false;
    int status = runUnitCommand(ctx, command, args, handled);
    if (handled) return status;
    return fail(ExitUsage, QString("unknown command \"%1\" (try --help)").arg(command.c_str()));
  };
  int status = dispatch();
  // Node list writes also happen on the side (a route learnt, a search's
  // answers), so one check here covers every command; a command that has
  // already said so is not told twice.
  if (ctx.table && ctx.table->takeWriteFailure() && status != ExitIoError) {
    const int failed = fail(ExitIoError, QString("Error occurred. (the settings file %1 could not be written)")
                                             .arg(QString::fromStdString(ctx.settingsPath())));
    if (status == ExitOk) status = failed;
  }
  return status;
}
