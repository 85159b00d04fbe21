// The main window's shared placement, its window menu, the icons and the
// settings it leaves behind.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/app/ini_profile.h"
#include "ui/app/about_dialog.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_dialog.h"

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

  // The main window runs for the whole program while task windows come and
  // go: hiding it for a task window, or hiding a task window to the
  // notification area, must not end either run.
  void hidingWindowsEndsNoRun() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    bool listStayedOpen = false, mainBack = false;
    QTimer::singleShot(0, &main, [&] {
      QTimer::singleShot(0, &main, [&] {
        ui::CNodeListDlg& list = main.nodeList();
        list.hide();  // as to the notification area
        QTimer::singleShot(0, &main, [&] {
          listStayedOpen = main.activeTaskWindow() == &list;
          main.restoreFromTray();
          list.reject();
          QTimer::singleShot(0, &main, [&] {
            mainBack = main.isVisible() && main.activeWindow() == 0;
            main.accept();
          });
        });
      });
      main.button(0)->click();
    });
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, &main, &QDialog::reject);
    watchdog.start(10000);
    QCOMPARE(main.run(), int(QDialog::Accepted));
    QVERIFY(listStayedOpen);
    QVERIFY(mainBack);
  }

  void statusButtonOpensTheStatusWindowInItsPlace() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    QVERIFY(main.button(3)->isEnabled());
    int active = 0;
    QTimer::singleShot(0, &main, [&] {
      active = main.activeWindow();
      QCOMPARE(main.activeTaskWindow(), &main.status());
      main.status().reject();
    });
    main.button(3)->click();
    QCOMPARE(active, 4);
    QVERIFY(main.isVisible());
  }

  void everyIconIsEmbeddedAtEverySize() {
    for (int id = 300; id <= 305; ++id) {
      QIcon icon = ui::programIcon(id);
      QCOMPARE(icon.availableSizes().size(), 6);
      for (int size : {16, 48}) QVERIFY2(!icon.pixmap(size, size).isNull(), qPrintable(QString::number(id)));
    }
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    for (int i = 0; i < 5; ++i) QVERIFY(!main.button(i)->icon().isNull());
  }

  // The Access Point List as the Edit button opens it: its background offers
  // the shared window menu, and "Usual Display" chosen there puts both the
  // list and the main window on top.
  void taskWindowBackgroundOffersTheWindowMenuAndFollowsUsualDisplay() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    QStringList texts;
    bool listOnTop = false;
    QTimer::singleShot(0, &main, [&] {
      ui::CNodeListDlg& list = main.nodeList();
      QCOMPARE(main.activeTaskWindow(), &list);
      QLabel* caption = nullptr;
      for (QLabel* l : list.findChildren<QLabel*>())
        if (l->text() == "Number:") caption = l;
      QVERIFY(caption);
      QPoint p = caption->rect().center();
      QContextMenuEvent e(QContextMenuEvent::Mouse, p, caption->mapToGlobal(p));
      QApplication::sendEvent(caption, &e);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      QAction* usual = nullptr;
      for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        texts << a->text();
        if (a->text() == "Usual Display") usual = a;
      }
      menu->close();
      usual->trigger();
      listOnTop = list.windowFlags() & Qt::WindowStaysOnTopHint;
      list.reject();
    });
    main.button(0)->click();
    QCOMPARE(texts, (QStringList{"Version(&A)...", "Usual Display", "Save Display Position"}));
    QVERIFY(listOnTop);
    QVERIFY(main.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(app.settings.topWin, 1);
    QCOMPARE(main.activeTaskWindow(), nullptr);
  }

  // Without a notification area a minimised window stays an ordinary one;
  // restoring brings back the open task window, not the main window.
  void minimisingWithoutANotificationAreaKeepsTheProgramReachable() {
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    bool stillVisible = false, restored = false;
    QTimer::singleShot(0, &main, [&] {
      ui::CNodeListDlg& list = main.nodeList();
      list.setWindowState(Qt::WindowMinimized);
      QCoreApplication::processEvents();
      stillVisible = list.isVisible() && app.settings.windowsShown;
      list.hide();
      main.restoreFromTray();
      restored = list.isVisible() && !(list.windowState() & Qt::WindowMinimized) && !main.isVisible();
      list.reject();
    });
    main.button(0)->click();
    QVERIFY(stillVisible);
    QVERIFY(restored);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
