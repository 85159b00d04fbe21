// Renders every window of the program with demo data to PNG files, headless,
// so that their layout can be looked at without a display.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "core/app/settings.h"
#include "ui/app/about_dialog.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"

using namespace trennic;

namespace {

bool save(QWidget& w, const QString& folder, const char* name) {
  w.adjustSize();
  w.show();
  QApplication::processEvents();
  QString path = folder + "/" + name + ".png";
  bool ok = w.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  w.hide();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  QString folder = argc > 1 ? QString(argv[1]) : QDir::currentPath() + "/screenshots";
  QDir().mkpath(folder);
  QTemporaryDir dir;
  CUtilityApp app;
  app.settings.settingsPath = dir.filePath("trennic.INI").toStdString();
  bool ok = true;

  ui::CMainMenuDlg main(app, {"lo"});
  ok &= save(main, folder, "main_window");

  ui::CProgressDlg progress(main.engine().link());
  progress.setLines("Reading...", "Lobby  (2/3)");
  progress.progress(45);
  ok &= save(progress, folder, "progress_window");

  ui::CPasswordDlg password;
  password.useSameBox()->setVisible(true);
  password.passwordEdit()->setText("secret");
  ok &= save(password, folder, "password_window");

  ui::CPasswordChangeDlg change(progress);
  ok &= save(change, folder, "password_change_window");

  ui::CAboutDlg about;
  ok &= save(about, folder, "version_box");
  return ok ? 0 : 1;
}
