// trennic: the desktop program.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

#include "core/app/debug_log.h"
#include "core/app/version.h"
#include "core/app/settings.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"
#include "platform/app/private_file.h"
#include "platform/app/running_copy.h"
#include "platform/app/settings_location.h"
#include "platform/protocol/local_host.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/protocol/result_message.h"

using namespace trennic;

int main(int argc, char** argv) {
  // Before Qt: the version needs no display.
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s\n", kVersionLine);
      return 0;
    }
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trennic"));
  QApplication::setQuitOnLastWindowClosed(false);

  CUtilityApp app;
  std::vector<std::string> args;
  QStringList interfaces;
  QStringList words = QApplication::arguments();
  // The language first: every text from here on is in it, a refusal of
  // the command line too.
  std::optional<platform::Language> language;
  QString languageError;
  const bool languageOk = platform::takeLanguageOption(words, language, languageError);
  platform::installLanguage(language.value_or(platform::localeLanguage()));
  if (!languageOk) {
    ui::showErrorMessage(nullptr, platform::languageOptionError(QApplication::arguments()));
    return 64;
  }
  for (int i = 1; i < words.size(); ++i) {
    if (words[i] == "--interface" && i + 1 < words.size()) {
      interfaces << words[++i];
      continue;
    }
    args.push_back(words[i].toStdString());
  }
  app.settings.textEncoding = platform::userTextEncoding();
  app.parseCommandLine(args);
  app.settings.settingsPath =
      app.settingsOverride.empty() ? platform::defaultSettingsPath() : app.settingsOverride;
  // A second start on the same settings file brings the running copy back,
  // the only way back by keyboard to a program hidden to the notification
  // icon, and ends before it reads or writes anything.
  platform::RunningCopy copy(app.settings.settingsPath);
  switch (copy.start()) {
    case platform::RunningCopy::Start::BroughtBack:
      return 0;
    case platform::RunningCopy::Start::NoAnswer:
      ui::showErrorMessage(nullptr, QCoreApplication::translate("main", "Trennic is already running with the "
                                                                        "settings file %1 and does not answer.")
                                        .arg(QDir::toNativeSeparators(QString::fromStdString(app.settings.settingsPath))));
      return 1;
    case platform::RunningCopy::Start::Alone:
      break;
  }
  app.loadSettings();
  app.settings.debugLogPath = debugLogPathIn(QDir::currentPath().toStdString(), app.settings.textEncoding);
  // Each run starts a new log, its owner's alone: it holds the passwords.
  if (app.settings.debugLog) platform::createPrivateFile(app.settings.debugLogPath);

  int status = 0;
  {
    ui::CMainMenuDlg main(app, platform::interfaceRestriction(interfaces));
    if (main.initialise()) {
      copy.whenAsked([&main] { main.bringBack(); });
      main.run();
    } else {
      status = 1;
    }
    // From here a new start waits until this one has written its settings.
    copy.ending();
  }
  app.saveSettings();
  return status;
}
