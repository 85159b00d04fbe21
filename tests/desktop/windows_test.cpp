// The program's windows on a real X desktop (Xvfb, Openbox, trayer; see
// with_desktop.sh), built in this process as the program builds them and
// driven through the X server: minimised by the window manager, brought back
// from the notification icon, ended from its menu. Simulated units answer
// on loopback.
//
// The windows run modal loops inside each other, so a test is a list of
// steps: each waits for its condition, then acts, from a timer that fires
// inside whatever loop is running.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "core/protocol/packet.h"
#include "core/app/settings.h"
#include "support/desktop_driver.h"
#include "support/sim_process.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/config/base_page.h"
#include "ui/config/config_dialog.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_dialog.h"

using namespace trennic;
namespace desk = trennic::testing::desktop;

namespace {

constexpr int kStepMs = 10000;

// The window's id on the X server now: a widget keeps the id it was created
// with, while its native window can have been made anew since (a window
// given another owner is).
desk::WindowId xid(QWidget* w) {
  w->winId();
  return static_cast<desk::WindowId>(w->windowHandle()->winId());
}
qint64 ownPid() { return QCoreApplication::applicationPid(); }

// Shown means what the user sees: mapped and viewable on the X server.
bool onScreen(QWidget* w) { return w->isVisible() && desk::isViewable(xid(w)); }
// Hidden means the window manager has let the window go as well.
bool offScreen(QWidget* w) {
  return !w->isVisible() && !desk::isViewable(xid(w)) && !desk::stackingOrder().contains(xid(w));
}

class Script : public QObject {
 public:
  // Runs act once ready holds; the script fails when it does not within
  // timeoutMs.
  void step(const QString& what, std::function<bool()> ready, std::function<void()> act, int timeoutMs = kStepMs) {
    steps_.push_back({what, std::move(ready), std::move(act), timeoutMs});
  }
  void then(const QString& what, std::function<void()> act) { step(what, [] { return true; }, std::move(act)); }
  // A check inside an act; the first failed one is the script's failure.
  // For a driver call: its error, read after the call has run.
  void checkTool(bool ok, const QString& what) { check(ok, what + ": " + desk::lastToolError()); }
  void check(bool ok, const QString& what) {
    if (ok || !failure_.isEmpty()) return;
    failure_ = QStringLiteral("step \"%1\": %2").arg(current_, what);
    QTimer::singleShot(0, this, [this] { giveUp(); });
  }
  const QString& failure() const { return failure_; }
  bool finished() const { return next_ >= steps_.size(); }

  // Starts polling; onFailure runs once when a step times out or a check
  // fails, to end what is open.
  void start(std::function<void()> onFailure) {
    onFailure_ = std::move(onFailure);
    clock_.start();
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start(20);
  }

 private:
  struct Step {
    QString what;
    std::function<bool()> ready;
    std::function<void()> act;
    int timeoutMs;
  };
  void poll() {
    if (!failure_.isEmpty()) return giveUp();
    if (finished()) return timer_.stop();
    Step& s = steps_[next_];
    current_ = s.what;
    if (!s.ready()) {
      if (clock_.elapsed() > s.timeoutMs) {
        failure_ = QStringLiteral("step \"%1\" never became ready (%2)").arg(s.what, desk::lastToolError());
        giveUp();
      }
      return;
    }
    ++next_;
    clock_.restart();
    // Posted, so that an act that opens a window's loop does not hold this
    // timer's slot.
    QTimer::singleShot(0, this, [this, act = s.act, what = s.what] {
      current_ = what;
      if (act) act();
    });
  }
  void giveUp() {
    timer_.stop();
    if (onFailure_) std::exchange(onFailure_, nullptr)();
  }

  QList<Step> steps_;
  qsizetype next_ = 0;
  QString current_, failure_;
  QTimer timer_;
  QElapsedTimer clock_;
  std::function<void()> onFailure_;
};

// Opens the notification icon's menu and picks an item by its mnemonic. A
// right click that comes while the window manager is still busy with a
// window going away can miss the menu, so it is given again a few times.
bool chooseFromIconMenu(const QString& mnemonic) {
  const QList<desk::WindowId> icons = desk::trayIcons(ownPid());
  if (icons.size() != 1) return false;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!desk::click(icons[0], 3)) return false;
    if (desk::waitFor([] { return !desk::popupMenus(ownPid()).isEmpty(); }, 1500))
      return desk::chooseFromPopupMenu(ownPid(), {mnemonic});
  }
  return false;
}

// The datagrams the program sent, as the debug log sees them.
struct SentLog : TrafficObserver {
  std::vector<PacketHeader> sent;
  void traffic(DumpKind kind, std::uint32_t, Ipv4, std::uint16_t, std::span<const std::uint8_t> bytes) override {
    if (kind == DumpKind::Receive) return;
    if (auto h = PacketHeader::decode(bytes)) sent.push_back(*h);
  }
};

}  // namespace

class DesktopWindowsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  testing::SimProcess sim_;

  CUtilityApp loadedApp(const QString& name) {
    CUtilityApp app;
    app.settings.settingsPath = dir_.filePath(name).toStdString();
    app.loadSettings();
    return app;
  }
  // The main window as the program builds it, with the simulated units
  // registered.
  std::unique_ptr<ui::CMainMenuDlg> mainWindow(CUtilityApp& app) {
    auto main = std::make_unique<ui::CMainMenuDlg>(app, QStringList{"lo"});
    if (!main->initialise()) return nullptr;
    main->engine().link().setUnitPort(sim_.port());
    for (int k = 1; k <= 3; ++k) {
      NodeEntry e;
      e.mac = QString("00-80-92-00-00-%1").arg(k, 2, 10, QChar('0')).toStdString();
      e.ip = QString("127.0.0.%1").arg(k + 1).toStdString();
      main->nodes().AddNode(e);
    }
    return main;
  }
  // Runs the main window with the script inside it; the script's failure,
  // or whether the run did not end as the script ended it.
  static void run(ui::CMainMenuDlg& main, Script& script) {
    script.start([&main] { main.requestExit(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &main, [&] { qFatal("the program did not end: %s", qPrintable(script.failure())); });
    watchdog.start(90000);
    main.run();
    QVERIFY2(script.failure().isEmpty(), qPrintable(script.failure()));
    QVERIFY2(script.finished(), "the program ended before the script did");
  }

  // Minimises w through the window manager, then brings it back from the
  // notification icon (a double click, or "Restore(&R)" from its menu), and
  // checks on the way that it went to the notification area and came back
  // where it was.
  static void hideAndRestore(Script& s, QWidget* w, bool byMenu) {
    auto placed = std::make_shared<QPoint>();
    s.then("minimise " + w->windowTitle(), [&s, w, placed] {
      *placed = w->geometry().topLeft();
      s.check(!desk::trayIcons(ownPid()).isEmpty(), "no notification icon");
      s.checkTool(desk::minimise(xid(w)), "minimise");
    });
    s.step("hidden to the notification area", [w] { return offScreen(w); }, [&s, byMenu] {
      const QList<desk::WindowId> icons = desk::trayIcons(ownPid());
      s.check(icons.size() == 1, "one notification icon");
      if (icons.isEmpty()) return;
      if (byMenu) {
        s.checkTool(chooseFromIconMenu("r"), "Restore(&R) from the icon's menu");
      } else {
        s.checkTool(desk::doubleClick(icons[0]), "doubleClick");
      }
    });
    s.step("back on the screen", [w] { return onScreen(w); }, nullptr);
    // The window manager may take a moment to put it back in place.
    s.step("where it was", [w, placed] { return desk::clientGeometry(xid(w)).topLeft() == *placed; }, [&s, w, placed] {
      s.check(w->geometry().topLeft() == *placed, "the window came back elsewhere");
    }, 3000);
  }

  static bool fixedSize(QWidget* w) {
    const QStringList actions = desk::allowedActions(xid(w));
    return !actions.isEmpty() && !actions.contains("_NET_WM_ACTION_MAXIMIZE_HORZ") &&
           !actions.contains("_NET_WM_ACTION_MAXIMIZE_VERT") && !actions.contains("_NET_WM_ACTION_RESIZE");
  }

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    QVERIFY2(QSystemTrayIcon::isSystemTrayAvailable(), "no notification area");
    qputenv("TRENNIC_TICK_MS", "100");
    QVERIFY2(sim_.start({"--units", "3", "--firmware-size", "524288", "--delay", "20"}), qPrintable(sim_.error()));
  }

  // Every window comes back from the notification area as it was hidden:
  // the same unit, page, edits, selection and scan, in the same place, and
  // with a size the window manager can neither change nor maximise.
  void everyWindowComesBackAsItWasHidden() {
    CUtilityApp app = loadedApp("restore.INI");
    auto main = mainWindow(app);
    QVERIFY(main);
    Script s;
    ui::CConfigDlg& config = main->configuration();
    ui::CStatusDlg& status = main->status();
    ui::CNodeListDlg& list = main->nodeList();
    ui::CFileMgmtDlg& files = main->fileManagement();

    s.step("the main window", [&] { return onScreen(main.get()); }, [&] { s.check(fixedSize(main.get()), "main window resizable"); });
    hideAndRestore(s, main.get(), false);

    // Configuration: the second unit, an ESS ID typed, the Wireless page.
    s.then("open Configuration", [&] { main->button(1)->click(); });
    s.step("Configuration on the screen", [&] { return onScreen(&config); }, [&] {
      s.check(offScreen(main.get()), "main window still shown");
      s.check(fixedSize(&config), "Configuration resizable");
      config.unitList()->setCurrentIndex(1);
      auto* base = static_cast<ui::CBasePage*>(config.page(ui::CConfigDlg::BasePage));
      base->essId()->setText("typed-before-hiding");
      config.tabs()->setCurrentIndex(ui::CConfigDlg::WirelessPage);
    });
    hideAndRestore(s, &config, false);
    s.then("Configuration as it was", [&] {
      s.check(config.unitList()->currentIndex() == 1, "another unit is selected");
      s.check(config.tabs()->currentIndex() == ui::CConfigDlg::WirelessPage, "another page is shown");
      config.gather();
      s.check(config.record().text(cfg::ESSID, cfg::ESSIDSize) == "typed-before-hiding", "the typed ESS ID is gone");
      config.reject();
    });

    // Status Information, during a periodic scan.
    s.step("main window back", [&] { return onScreen(main.get()); }, [&] { main->button(3)->click(); });
    s.step("Status Information on the screen", [&] { return onScreen(&status); }, [&] {
      s.check(fixedSize(&status), "Status Information resizable");
      status.unitList()->setCurrentIndex(2);
      status.intervalSlider()->setValue(2);  // every 2 seconds, the shortest
      status.tabs()->setCurrentIndex(1);
      status.scanStartButton()->click();
    });
    s.step("scanning", [&] { return status.stopButton()->isEnabled(); }, nullptr);
    hideAndRestore(s, &status, true);
    auto polls = std::make_shared<int>();
    s.then("Status Information as it was", [&, polls] {
      s.check(!status.scanStartButton()->isEnabled(), "Scan Start is enabled during the scan");
      s.check(status.stopButton()->isEnabled(), "Stop is disabled during the scan");
      s.check(status.unitList()->currentIndex() == 2, "another unit is selected");
      s.check(status.tabs()->currentIndex() == 1, "another page is shown");
      *polls = status.progressBar()->value();
    });
    s.step("the scan goes on, and Stop stops it", [&, polls] { return status.progressBar()->value() != *polls; },
           [&] { status.stopButton()->click(); });
    s.step("stopped", [&] { return status.scanStartButton()->isEnabled() && !status.stopButton()->isEnabled(); },
           [&] { status.reject(); });

    // Access Point List: two units selected.
    s.step("main window back again", [&] { return onScreen(main.get()); }, [&] { main->button(0)->click(); });
    s.step("Access Point List on the screen", [&] { return onScreen(&list); }, [&] {
      s.check(fixedSize(&list), "Access Point List resizable");
      list.list()->topLevelItem(0)->setSelected(true);
      list.list()->topLevelItem(2)->setSelected(true);
    });
    hideAndRestore(s, &list, true);
    s.then("Access Point List as it was", [&] {
      s.check(list.list()->topLevelItemCount() == 3, "the list was refilled");
      s.check(list.list()->selectedItems().size() == 2 && list.list()->topLevelItem(2)->isSelected(),
              "the selection is gone");
      list.reject();
    });

    // File Management: a file name typed and one unit selected.
    s.step("main window back once more", [&] { return onScreen(main.get()); }, [&] { main->button(2)->click(); });
    s.step("File Management on the screen", [&] { return onScreen(&files); }, [&] {
      s.check(fixedSize(&files), "File Management resizable");
      files.nameField()->setText("typed.bin");
      files.list()->topLevelItem(1)->setSelected(true);
    });
    hideAndRestore(s, &files, false);
    s.then("File Management as it was", [&] {
      s.check(files.nameField()->text() == "typed.bin", "the file name was reset");
      s.check(files.list()->selectedItems().size() == 1 && files.list()->topLevelItem(1)->isSelected(),
              "the selection is gone");
      files.reject();
    });
    s.step("and the main window at the end", [&] { return onScreen(main.get()); }, [&] { main->requestExit(); });
    run(*main, s);
  }

  // "Exit(&X)" of the notification icon's menu ends the program from a task
  // window during a transfer: the transfer ends with its closing request,
  // and the window's place is kept.
  void exitFromTheIconMenuEndsATransferAndTheProgram() {
    CUtilityApp app = loadedApp("exit.INI");
    auto main = mainWindow(app);
    QVERIFY(main);
    SentLog log;
    main->engine().link().setObserver(&log);
    ui::CFileMgmtDlg& files = main->fileManagement();
    auto placed = std::make_shared<QPoint>();
    Script s;
    s.step("the main window", [&] { return onScreen(main.get()); }, [&] { main->button(2)->click(); });
    s.step("File Management on the screen", [&] { return onScreen(&files); }, [&] {
      desk::move(xid(&files), 333, 222);
    });
    s.step("moved by the user", [&] { return files.geometry().topLeft() != main->geometry().topLeft(); }, [&] {
      *placed = files.geometry().topLeft();
      files.nameField()->setText(dir_.filePath("read.bin"));
      files.list()->topLevelItem(0)->setSelected(true);
      QTimer::singleShot(0, &files, [&] { files.readOrWrite(false); });
    });
    s.step("the password prompt", [] { return qobject_cast<ui::CPasswordDlg*>(QApplication::activeModalWidget()); },
           [] { static_cast<ui::CPasswordDlg*>(QApplication::activeModalWidget())->accept(); });
    s.step("the transfer under way", [&] { return main->progress().isVisible() && main->progress().value() > 0; }, [&] {
      s.checkTool(chooseFromIconMenu("x"), "Exit(&X) from the icon's menu");
    });
    run(*main, s);
    QVERIFY(!log.sent.empty());
    const PacketHeader& last = log.sent.back();
    QCOMPARE(last.command, std::uint8_t(CmdRead));
    QCOMPARE(last.length, std::uint16_t(0));  // the closing request
    QVERIFY(!files.isVisible() && !main->progress().isVisible() && !main->isVisible());
    QCOMPARE(QPoint(app.settings.regWinX, app.settings.regWinY), *placed);
  }

  // With "Usual Display" every window stays above the others, after a
  // restore too, and the progress window opens centred over the window the
  // user works in, above it.
  void usualDisplayKeepsEveryWindowInFront() {
    CUtilityApp app = loadedApp("top.INI");
    app.settings.topWin = 1;
    // A search of the real length, so that the progress window stays up
    // while it is looked at.
    qputenv("TRENNIC_TICK_MS", "1000");
    auto main = mainWindow(app);
    qputenv("TRENNIC_TICK_MS", "100");
    QVERIFY(main);
    QProcess other;  // another program's window, over the whole screen
    auto otherWindow = [&] {
      // xmessage does not tell its process id; its title is its own.
      const desk::ToolResult r = desk::runTool("xdotool", {"search", "--onlyvisible", "--name", "^Another program$"});
      return r.ok ? r.out.section('\n', 0, 0).trimmed().toULongLong() : desk::WindowId{};
    };
    ui::CNodeListDlg& list = main->nodeList();
    ui::CProgressDlg& progress = main->progress();
    // Cancel before the first request only closes the window; once the
    // search is under way it ends with "Search aborted.". Waiting for the
    // start makes the walk the same however slowly the window maps.
    bool started = false;
    connect(&progress, &ui::CProgressDlg::operationStarted, this, [&] { started = true; });
    auto messageBox = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); };
    Script s;
    s.step("the main window", [&] { return onScreen(main.get()); }, [&] {
      s.check(desk::wmState(xid(main.get())).contains("_NET_WM_STATE_ABOVE"), "main window not above");
      main->button(0)->click();
    });
    s.step("Access Point List on the screen", [&] { return onScreen(&list); }, [&] {
      s.check(desk::wmState(xid(&list)).contains("_NET_WM_STATE_ABOVE"), "Access Point List not above");
      QPushButton* search = list.button("Search");
      s.check(search, "no Search button");
      if (search) search->click();
    });
    s.step("the progress window", [&] { return onScreen(&progress) && started; }, [&] {
      const desk::WindowId p = xid(&progress), l = xid(&list);
      s.check(desk::wmState(p).contains("_NET_WM_STATE_ABOVE"), "progress window not above");
      s.check(desk::isAbove(p, l), "progress window behind the Access Point List");
      const QPoint centre = desk::clientGeometry(p).center(), under = desk::clientGeometry(l).center();
      s.check((centre - under).manhattanLength() <= 4,
              QStringLiteral("progress window centred at %1,%2, the Access Point List at %3,%4")
                  .arg(centre.x()).arg(centre.y()).arg(under.x()).arg(under.y()));
      s.check(progress.parentWidget() == &list, "progress window belongs to the hidden main window");
      progress.reject();
    });
    s.step("the search aborted", [&] { return messageBox() && onScreen(messageBox()); }, [&] {
      s.check(messageBox()->text() == QStringLiteral("Search aborted."), "told " + messageBox()->text());
      s.check(desk::wmState(xid(messageBox())).contains("_NET_WM_STATE_ABOVE"), "message not above");
      messageBox()->accept();
    });
    s.step("the search cancelled", [&] { return offScreen(&progress); }, nullptr);
    hideAndRestore(s, &list, false);
    s.step("above the others after a restore",
           [&] { return desk::wmState(xid(&list)).contains("_NET_WM_STATE_ABOVE"); },
           [&] { other.start("xmessage", {"-title", "Another program", "-geometry", "1200x1000+0+0", "another program"}); });
    s.step("the other program's window on the screen", [&] { return otherWindow() && desk::isViewable(otherWindow()); },
           [&] { s.checkTool(desk::activate(otherWindow()), "activate"); });
    s.step("it is active, and below", [&] { return desk::activeWindow() == otherWindow(); }, [&] {
      s.check(desk::isAbove(xid(&list), otherWindow()), "Access Point List behind another window");
      main->requestExit();
    });
    run(*main, s);
    other.kill();
    other.waitForFinished();
  }

  // A mistyped --interface is told at once, in a message box on the screen.
  void anUnknownInterfaceIsToldOnTheScreen() {
    CUtilityApp app = loadedApp("iface.INI");
    QString text;
    bool shown = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !desk::isViewable(xid(box))) return;
      poll.stop();
      shown = true;
      text = box->text();
      box->accept();
    });
    poll.start(20);
    ui::CMainMenuDlg main(app, {"nosuch9"});
    main.initialise();
    QVERIFY(shown);
    QVERIFY2(text.contains("nosuch9") && text.contains("lo"), qPrintable(text));
  }
};

QTEST_MAIN(DesktopWindowsTest)
#include "windows_test.moc"
