// The main window's shared placement, its window menu and the settings it
// leaves behind.
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/app/ini_profile.h"
#include "ui/app/main_menu_dialog.h"

using namespace trennic;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir;
  std::string settingsPath() const { return dir.filePath("trennic.INI").toStdString(); }
  CUtilityApp loadedApp() {
    CUtilityApp app;
    app.settings.settingsPath = settingsPath();
    app.loadSettings();
    return app;
  }

 private slots:
  void taskWindowOpensInPlaceAndTheMainWindowComesBackWhereItClosed() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    main.move(100, 120);
    QDialog task;
    QPoint seen;
    QTimer::singleShot(0, &task, [&] {
      seen = task.pos();
      QCOMPARE(main.activeWindow(), 2);
      QVERIFY(!main.isVisible());
      task.move(300, 260);  // the user moves the task window
      task.accept();
    });
    main.runTaskWindow(2, task);
    QCOMPARE(seen, QPoint(100, 120));
    QCOMPARE(main.activeWindow(), 0);
    QVERIFY(main.isVisible());
    QCOMPARE(main.pos(), QPoint(300, 260));
    QCOMPARE(app.settings.regWinX, 300);
    QCOMPARE(app.settings.regWinY, 260);
  }

  void windowMenuTogglesAndTheSettingsFileFollows() {
    CUtilityApp app = loadedApp();
    // Loading wrote the missing DispSave at once.
    QCOMPARE(ini::getProfileString(settingsPath(), "Environment", "DispSave", ""), std::string("1"));
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    QMenu* menu = main.windowMenu(&main);
    QList<QAction*> actions = menu->actions();
    QStringList texts;
    for (QAction* a : actions)
      if (!a->isSeparator()) texts << a->text();
    QCOMPARE(texts, (QStringList{"Version(&A)...", "Usual Display", "Save Display Position"}));
    QVERIFY(!actions[2]->isChecked());
    actions[2]->trigger();  // Usual Display on
    QCOMPARE(app.settings.topWin, 1);
    QVERIFY(main.windowFlags() & Qt::WindowStaysOnTopHint);
    main.windowMenu(&main)->actions()[4]->trigger();  // Save Display Position off
    QCOMPARE(app.settings.dispSave, 0);
    main.rememberPlacement(&main);
    QVERIFY(app.saveSettings());
    // Without a saved position the next run starts afresh and not on top.
    QCOMPARE(ini::getProfileString(settingsPath(), "Environment", "RegWinX", ""), std::string("-1"));
    QCOMPARE(ini::getProfileString(settingsPath(), "Environment", "TopWin", ""), std::string("0"));
    delete menu;
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
