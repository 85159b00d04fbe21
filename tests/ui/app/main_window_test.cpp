// The main window's shared placement, its window menu, the icons and the
// settings it leaves behind.
#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QComboBox>
#include <QTreeWidget>
#include <functional>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/app/ini_profile.h"
#include "ui/app/about_dialog.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/config/config_dialog.h"
#include "ui/files/file_mgmt_dialog.h"
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
    // Positions are those of the client areas, which the windows share.
    main.setGeometry(QRect(QPoint(100, 120), main.size()));
    QDialog task;
    QPoint seen;
    QTimer::singleShot(0, &task, [&] {
      seen = task.geometry().topLeft();
      QCOMPARE(main.activeWindow(), 2);
      QVERIFY(!main.isVisible());
      task.setGeometry(QRect(QPoint(300, 260), task.size()));  // the user moves the task window
      task.accept();
    });
    main.runTaskWindow(2, task);
    QCOMPARE(seen, QPoint(100, 120));
    QCOMPARE(main.activeWindow(), 0);
    QVERIFY(main.isVisible());
    QCOMPARE(main.geometry().topLeft(), QPoint(300, 260));
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

  // Hidden to the notification area and brought back, a task window shows
  // what the user left in it; only the next opening starts afresh.
  void restoringATaskWindowKeepsWhatTheUserLeftInIt() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    NodeEntry unit;
    unit.mac = "00-80-92-00-00-01";
    unit.ip = "127.0.0.2";
    QVERIFY(main.nodes().AddNode(unit));
    unit.mac = "00-80-92-00-00-02";
    unit.ip = "127.0.0.3";
    QVERIFY(main.nodes().AddNode(unit));
    main.show();
    struct Case {
      int button;
      QDialog* window;
      std::function<void()> leave;   // what the user leaves in the window
      std::function<bool()> kept;    // whether it is still there
    };
    const Case cases[] = {
        {0, &main.nodeList(), [&] { main.nodeList().list()->topLevelItem(1)->setSelected(true); },
         [&] { return main.nodeList().list()->selectedItems().size() == 1 &&
                      main.nodeList().list()->topLevelItem(1)->isSelected(); }},
        {1, &main.configuration(),
         [&] {
           main.configuration().unitList()->setCurrentIndex(1);
           main.configuration().tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
         },
         [&] { return main.configuration().unitList()->currentIndex() == 1 &&
                      main.configuration().tabs()->currentIndex() == ui::CConfigDlg::SnmpPage; }},
        {2, &main.fileManagement(),
         [&] {
           main.fileManagement().nameField()->setText("edited.bin");
           main.fileManagement().list()->topLevelItem(1)->setSelected(true);
         },
         [&] { return main.fileManagement().nameField()->text() == "edited.bin" &&
                      main.fileManagement().list()->topLevelItem(1)->isSelected(); }},
        {3, &main.status(), [&] { main.status().tabs()->setCurrentIndex(2); },
         [&] { return main.status().tabs()->currentIndex() == 2; }},
    };
    for (const Case& c : cases) {
      bool keptAfterRestore = false, freshAfterReopening = true;
      QTimer::singleShot(0, &main, [&] {
        c.leave();
        c.window->hide();  // as minimising does with a notification area
        main.restoreFromTray();
        keptAfterRestore = c.window->isVisible() && c.kept();
        c.window->reject();
        QTimer::singleShot(0, &main, [&] {
          freshAfterReopening = c.kept();
          c.window->reject();
        });
        main.button(c.button)->click();
      });
      main.button(c.button)->click();
      QVERIFY2(keptAfterRestore, qPrintable(c.window->windowTitle()));
      QVERIFY2(!freshAfterReopening, qPrintable(c.window->windowTitle()));
    }
  }

  // Exit from the notification icon's menu ends the program from inside a
  // task window with a message still up, through the usual ending steps.
  void exitEndsTheProgramFromInsideATaskWindow() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.setGeometry(QRect(QPoint(150, 170), main.size()));
    bool messageClosed = false;
    QTimer::singleShot(0, &main, [&] {
      QTimer::singleShot(0, &main, [&] {
        ui::CStatusDlg& status = main.status();
        status.setGeometry(QRect(QPoint(320, 240), status.size()));
        QTimer::singleShot(0, &main, [&] { main.requestExit(); });
        QMessageBox box(QMessageBox::Information, QString(), "left open", QMessageBox::Ok, &status);
        box.exec();
        messageClosed = true;
      });
      main.button(3)->click();
    });
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, &main, [] { QFAIL("the program did not end"); });
    watchdog.start(10000);
    QCOMPARE(main.run(), int(QDialog::Accepted));
    QVERIFY(messageClosed);
    QVERIFY(!main.status().isVisible());
    QVERIFY(!main.isVisible());
    // The task window was the last window shown: its place is kept.
    QCOMPARE(QPoint(app.settings.regWinX, app.settings.regWinY), QPoint(320, 240));
  }

  // The five buttons answer Enter as well as Space, and each caption's
  // mnemonic presses its button.
  void theMainWindowWorksFromTheKeyboard() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QStringList mnemonics;
    for (QLabel* l : main.findChildren<QLabel*>())
      if (l->buddy() && l->buddy()->parentWidget() == &main) mnemonics << QKeySequence::mnemonic(l->text()).toString();
    QCOMPARE(mnemonics, (QStringList{"Alt+N", "Alt+C", "Alt+F", "Alt+S", "Alt+X"}));
    struct Press {
      const char* how;
      std::function<void()> press;
    };
    const Press presses[] = {
        {"Enter", [&] { main.button(3)->setFocus(); QTest::keyClick(main.button(3), Qt::Key_Return); }},
        {"Space", [&] { main.button(3)->setFocus(); QTest::keyClick(main.button(3), Qt::Key_Space); }},
        {"mnemonic", [&] { QTest::keyClick(&main, Qt::Key_S, Qt::AltModifier); }},
    };
    for (const Press& p : presses) {
      int opened = 0;
      QTimer poll;
      connect(&poll, &QTimer::timeout, &main, [&] {
        if (main.activeWindow() == 0) return;
        opened = main.activeWindow();
        main.status().reject();
      });
      poll.start(5);
      p.press();
      QTRY_VERIFY_WITH_TIMEOUT(opened != 0 && main.isVisible(), 2000);
      QVERIFY2(opened == 4, p.how);
      QApplication::setActiveWindow(&main);
    }
  }

  // A listener hears each of the five buttons by the caption a sighted user
  // reads beside it.
  void theButtonsAreHeardByTheirCaptions() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QStringList heard;
    for (int i = 0; i < 5; ++i) {
      QToolButton* b = main.button(i);
      QString shown;
      for (QLabel* l : main.findChildren<QLabel*>())
        if (l->buddy() == b) shown = l->text().remove('&');
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
      QCOMPARE(a->role(), QAccessible::Button);
      QCOMPARE(a->text(QAccessible::Name), shown);
      heard << a->text(QAccessible::Name);
    }
    QCOMPARE(heard, (QStringList{"Node Registration", "Configuration", "File Management", "Status", "Exit"}));
  }

  // The display items of the notification icon's menu and of the window
  // menu are heard as check boxes, on or off as their check marks show;
  // toggled from the screen reader, the setting follows. The other items
  // stay commands.
  void theDisplayItemsAreHeardAsCheckBoxes() {
    CUtilityApp app = loadedApp();
    app.settings.topWin = 1;
    app.settings.dispSave = 0;
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    std::unique_ptr<QMenu> windowMenu(main.windowMenu(&main));
    const std::pair<const char*, QMenu*> menus[] = {{"notification icon", main.trayMenu()},
                                                    {"window", windowMenu.get()}};
    const std::pair<const char*, int*> displayItems[] = {{"Usual Display", &app.settings.topWin},
                                                         {"Save Display Position", &app.settings.dispSave}};
    for (const auto& [which, menu] : menus) {
      QVERIFY2(menu, which);
      QAccessibleInterface* m = QAccessible::queryAccessibleInterface(menu);
      QMap<QString, QAccessibleInterface*> items;
      for (int i = 0; i < m->childCount(); ++i) {
        QAccessibleInterface* item = m->child(i);
        QCOMPARE(m->indexOfChild(item), i);
        QCOMPARE(item->parent(), m);
        if (item->role() != QAccessible::Separator) items.insert(item->text(QAccessible::Name), item);
      }
      for (const auto& [name, setting] : displayItems) {
        QAccessibleInterface* item = items.take(name);
        QVERIFY2(item, qPrintable(QString("%1 in the %2 menu").arg(name, which)));
        QCOMPARE(item->role(), QAccessible::CheckBox);
        QVERIFY(item->state().checkable);
        for (int toggle = 0; toggle < 2; ++toggle) {
          QCOMPARE(bool(item->state().checked), *setting != 0);
          const int before = *setting;
          item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
          QCOMPARE(*setting, before ? 0 : 1);
        }
      }
      QVERIFY(!items.isEmpty());
      for (QAccessibleInterface* command : items) {
        QCOMPARE(command->role(), QAccessible::MenuItem);
        QVERIFY2(!command->state().checkable, qPrintable(command->text(QAccessible::Name)));
      }
    }
  }

  // By keyboard the window menu is a context menu like any other: Shift+F10
  // opens it on the background of the main window and of a task window, and
  // in a field the field's own menu.
  void shiftF10OpensTheContextMenuWhereTheFocusIs() {
    CUtilityApp app = loadedApp();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto menuFromTheKeys = [](QWidget* focus) {
      focus->setFocus();
      QTest::keyClick(focus->window()->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
      QStringList texts;
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions())
          if (!a->isSeparator()) texts << a->text();
        menu->close();
      }
      return texts;
    };
    const QStringList windowMenu{"Version(&A)...", "Usual Display", "Save Display Position"};
    QCOMPARE(menuFromTheKeys(main.button(2)), windowMenu);
    QStringList inTheWindow, inAField;
    QTimer::singleShot(0, &main, [&] {
      ui::CFileMgmtDlg& files = main.fileManagement();
      QApplication::setActiveWindow(&files);
      if (QTest::qWaitForWindowActive(&files)) {
        inTheWindow = menuFromTheKeys(files.findChild<QPushButton*>());
        inAField = menuFromTheKeys(files.nameField());
      }
      files.reject();
    });
    main.button(2)->click();
    QCOMPARE(inTheWindow, windowMenu);
    QVERIFY2(!inAField.isEmpty() && inAField != windowMenu, qPrintable(inAField.join(", ")));
  }

  // A mistyped --interface would leave the program reaching nothing.
  void anUnknownInterfaceIsToldAtStart() {
    CUtilityApp app = loadedApp();
    QStringList messages;
    ui::setMessageInterceptor([&](const QString& text) { messages << text; });
    {
      ui::CMainMenuDlg main(app, {"lo", "nosuch9"});
      QVERIFY(main.initialise());
    }
    ui::setMessageInterceptor(nullptr);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains("nosuch9") && !messages[0].contains("nosuch9, lo"), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains("The interfaces of this computer: ") && messages[0].contains("lo"), qPrintable(messages[0]));
  }

  // The title is a text of the user's code page like the others.
  void theTitleIsShownInTheCodePage() {
    qputenv("TRENNIC_CODEPAGE", "Shift_JIS");
    CUtilityApp app = loadedApp();
    app.settings.title = "\x83\x67\x83\x8C\x83\x6A\x83\x62\x83\x4E";
    {
      ui::CMainMenuDlg main(app, {"lo"});
      QVERIFY(main.initialise());
      QCOMPARE(main.windowTitle(), QString::fromUtf8("トレニック"));
    }
    qunsetenv("TRENNIC_CODEPAGE");
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
