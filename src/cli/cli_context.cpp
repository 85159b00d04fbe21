#include "cli/cli_context.h"

#include <QTextStream>

#include "core/app/shown_text.h"
#include "core/app/text_file.h"
#include "platform/app/codepage.h"
#include "platform/protocol/local_host.h"

namespace trennic::cli {

NodeTable& CliContext::nodes() {
  if (!table) {
    table = std::make_unique<NodeTable>(settingsPath(), app.settings.textEncoding);
    table->loadFromSettings();
    // Tidying the file on load is no action of the user's: a read-only file
    // is still read, and any write the command makes is checked on its own.
    table->takeWriteFailure();
  }
  return *table;
}

int CliContext::requireSettings() const {
  const TextFileProblem problem = textFileProblem(settingsPath());
  if (problem == TextFileProblem::None || problem == TextFileProblem::Missing) return ExitOk;
  return fail(ExitIoError, QString("the settings file %1 cannot be read: %2; nothing was done")
                                 .arg(platform::decodeText(settingsPath()), textFileProblemText(problem)));
}

QStringList CliContext::interfaceNames() const {
  QStringList names;
  for (const auto& n : interfaces) names << QString::fromStdString(n);
  return platform::interfaceRestriction(names);
}

int CliContext::openEngine(platform::EngineRuntime*& out) {
  if (!engine) {
    auto e = std::make_unique<platform::EngineRuntime>();
    QStringList unknown;
    e->buildTables(interfaceNames(), &unknown);
    if (!unknown.isEmpty()) return fail(ExitUsage, "no such interface: " + unknown.join(", "));
    if (unitPort) e->link().setUnitPort(unitPort);
    if (!e->open()) return fail(7, "TCP/IP Protocol not installed.");
    engine = std::move(e);
  }
  out = engine.get();
  return ExitOk;
}

QString shown(const QString& text) { return QString::fromStdU16String(escapeControls(text.toStdU16String())); }

int fail(int status, const QString& message) {
  QTextStream err(stderr);
  err << "trennic-cli: " << shown(message) << Qt::endl;
  return status;
}

void warn(const QString& message) {
  QTextStream err(stderr);
  err << "trennic-cli: warning: " << shown(message) << Qt::endl;
}

void printLine(const QString& text) {
  QTextStream out(stdout);
  out << shown(text) << Qt::endl;
}

bool Args::flag(const std::string& name) {
  for (auto it = words_.begin(); it != words_.end(); ++it) {
    if (*it == name) {
      words_.erase(it);
      return true;
    }
  }
  return false;
}

bool Args::option(const std::string& name, std::string& value) {
  for (auto it = words_.begin(); it != words_.end(); ++it) {
    if (*it == name) {
      if (it + 1 == words_.end()) {
        error_ = true;
        errorText_ = name + " needs a value";
        words_.erase(it);
        return false;
      }
      value = *(it + 1);
      words_.erase(it, it + 2);
      return true;
    }
    if (it->rfind(name + "=", 0) == 0) {
      value = it->substr(name.size() + 1);
      words_.erase(it);
      return true;
    }
  }
  return false;
}

}  // namespace trennic::cli
