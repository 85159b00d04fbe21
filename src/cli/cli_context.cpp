#include "cli/cli_context.h"

#include <QTextStream>
#include <algorithm>
#include <cstdlib>

#include "core/app/shown_text.h"
#include "core/app/text_file.h"
#include "core/protocol/operations.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"
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
  return fail(ExitIoError,
              QCoreApplication::translate("cli", "the settings file %1 cannot be read: %2; nothing was done")
                  .arg(platform::decodeText(settingsPath()), platform::shownText(textFileProblemText(problem))));
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
    if (!unknown.isEmpty())
      return fail(ExitUsage, QCoreApplication::translate("cli", "no such interface: %1").arg(unknown.join(", ")));
    if (unitPort) e->link().setUnitPort(unitPort);
    if (!e->open()) return fail(ResultNoTcpIp, resultText(ResultNoTcpIp));
    engine = std::move(e);
  }
  out = engine.get();
  return ExitOk;
}

// The old-firmware message ends in blank lines made for a message box.
QString resultText(int result) { return platform::shownText(resultMessage(result)).trimmed(); }

QString shown(const QString& text) { return QString::fromStdU16String(escapeControls(text.toStdU16String())); }

namespace {

// The wide and full-width ranges of East Asian text: Hangul Jamo, the CJK
// blocks with kana and ideographs, Hangul syllables, compatibility
// ideographs, vertical and small forms, full-width forms.
bool isWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int terminalColumns(const QString& text) {
  int columns = 0;
  for (char32_t c : text.toUcs4()) columns += isWide(c) ? 2 : 1;
  return columns;
}

QString padded(const QString& text, int width) {
  const QString fill(std::max(0, std::abs(width) - terminalColumns(text)), QLatin1Char(' '));
  return width > 0 ? fill + text : text + fill;
}

int fail(int status, const QString& message) {
  QTextStream err(stderr);
  err << "trennic-cli: " << shown(message) << Qt::endl;
  return status;
}

void warn(const QString& message) {
  QTextStream err(stderr);
  err << "trennic-cli: " << shown(QCoreApplication::translate("cli", "warning: %1").arg(message)) << Qt::endl;
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
        errorText_ = QCoreApplication::translate("cli", "%1 needs a value").arg(QString::fromStdString(name));
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
