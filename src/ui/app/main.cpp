// trennic: the desktop program.
#include <QApplication>
#include <QDir>

#include "core/app/debug_log.h"
#include "core/app/settings.h"
#include "platform/app/codepage.h"
#include "platform/app/private_file.h"
#include "platform/app/settings_location.h"
#include "platform/protocol/local_host.h"
#include "ui/app/main_menu_dialog.h"

using namespace trennic;

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trennic"));
  QApplication::setQuitOnLastWindowClosed(false);

  CUtilityApp app;
  std::vector<std::string> args;
  QStringList interfaces;
  QStringList words = QApplication::arguments();
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
  app.loadSettings();
  app.settings.debugLogPath = debugLogPathIn(QDir::currentPath().toStdString(), app.settings.textEncoding);
  // Each run starts a new log, its owner's alone: it holds the passwords.
  if (app.settings.debugLog) platform::createPrivateFile(app.settings.debugLogPath);

  int status = 0;
  {
    ui::CMainMenuDlg main(app, platform::interfaceRestriction(interfaces));
    if (main.initialise()) {
      main.run();
    } else {
      status = 1;
    }
  }
  app.saveSettings();
  return status;
}
