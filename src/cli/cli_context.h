#pragma once
// What every command of trennic-cli shares: the settings file, the node
// table loaded from it, the interface choice, and one way to fail.
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/app/settings.h"
#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"

namespace trennic::cli {

// Exit statuses beyond the operation result codes (0 to 12).
enum Exit : int {
  ExitOk = 0,
  ExitFailed = 1,      // the command could not do what was asked
  ExitUsage = 64,      // the command line itself is wrong
  ExitDataError = 65,  // an argument or file holds something malformed
  ExitNoInput = 4,     // a file to read does not exist ("File not found.")
  ExitIoError = 74,    // a file could not be written
};

struct CliContext {
  CUtilityApp app;
  std::vector<std::string> interfaces;
  std::uint16_t unitPort = 0;
  std::unique_ptr<NodeTable> table;
  std::unique_ptr<platform::EngineRuntime> engine;

  const std::string& settingsPath() const { return app.settings.settingsPath; }
  // --interface options, else TRENNIC_INTERFACES.
  QStringList interfaceNames() const;
  // Loads the node table from the settings file on first use.
  NodeTable& nodes();
  // 0 when the settings file reads or is not there yet; else its one line
  // is out (a folder, not a text file...) and 74 is returned, for a command
  // that would otherwise go on with an empty node list.
  int requireSettings() const;
  // Builds the local tables and opens the socket on first use; a status
  // other than 0 means it could not, and the message is out.
  int openEngine(platform::EngineRuntime*& out);
};

// The command line's own texts go through QCoreApplication::translate
// under the context "cli", the core's through platform::shownText; command
// and option names, JSON, CSV and the words of files are interface and go
// through neither. A result code's message in the user's language:
QString resultText(int result);

// Names, ESS IDs and file contents come from units and files the user does
// not control: every text the command line prints shows their control
// characters escaped ("\x1B"), never raw. JSON output escapes on its own.
QString shown(const QString& text);

// The columns the text takes on a terminal: a Japanese character takes two.
int terminalColumns(const QString& text);
// The text filled with blanks to `width` terminal columns, on the left when
// the width is positive, as QString::arg does, so translated headings still
// stand over their columns.
QString padded(const QString& text, int width);

// One clear line on stderr, then the status to exit with.
int fail(int status, const QString& message);
// One line on stderr about something the command still did.
void warn(const QString& message);
// One line on stdout.
void printLine(const QString& text);

// Arguments of a command: positional words and "--name value" options.
class Args {
 public:
  explicit Args(std::vector<std::string> words) : words_(std::move(words)) {}
  bool flag(const std::string& name);
  // Takes "--name VALUE" or "--name=VALUE"; false when the option is absent.
  // A missing value is a usage error reported through error().
  bool option(const std::string& name, std::string& value);
  std::vector<std::string> rest() const { return words_; }
  bool error() const { return error_; }
  QString errorText() const { return errorText_; }

 private:
  std::vector<std::string> words_;
  bool error_ = false;
  QString errorText_;
};

int runNodes(CliContext& ctx, Args& args);
int runHost(CliContext& ctx, Args& args);
int runConfig(CliContext& ctx, Args& args);
int runFilter(CliContext& ctx, Args& args);
int runStatus(CliContext& ctx, Args& args);
int runUnitCommand(CliContext& ctx, const std::string& command, Args& args, bool& handled);

}  // namespace trennic::cli
