// The real program, run again and again on a real desktop (see
// with_desktop.sh), worked by keyboard and from its notification icon: where
// its windows open, where they were left, and that Exit ends it from a task
// window. What it leaves behind is read from its settings file.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/app/ini_profile.h"
#include "support/desktop_driver.h"

namespace desk = trennic::testing::desktop;
using trennic::ini::getProfileString;

namespace {

constexpr int kAppearMs = 10000;
constexpr int kReactMs = 5000;

// One run of trennic over a settings file.
class Run {
 public:
  explicit Run(const QString& settings) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral(TRENNIC_BIN), {"--settings", settings, "--interface", "lo"});
  }
  ~Run() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(5000);
  }
  qint64 pid() const { return process_.processId(); }
  // The one window with this title on the screen, or 0.
  desk::WindowId window(const QString& title) {
    QList<desk::WindowId> found;
    desk::waitFor([&] { return (found = desk::topLevelWindows(pid(), title)).size() == 1; }, kAppearMs);
    return found.size() == 1 && desk::isViewable(found[0]) ? found[0] : 0;
  }
  bool gone(desk::WindowId w) {
    return desk::waitFor([&] { return !desk::isViewable(w); }, kReactMs);
  }
  // Keys on the window, once the window manager has made it active.
  bool keys(desk::WindowId w, const QStringList& keys) {
    return desk::activate(w) && desk::waitFor([&] { return desk::activeWindow() == w; }, kReactMs) &&
           desk::pressKeys(keys);
  }
  bool endedCleanly() {
    return desk::waitFor([&] { return process_.state() == QProcess::NotRunning; }, kReactMs) &&
           process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
  }
  QString output() { return QString::fromLocal8Bit(process_.readAll()); }

 private:
  QProcess process_;
};

QPoint clientAt(desk::WindowId w) { return desk::clientGeometry(w).topLeft(); }

}  // namespace

class DesktopPlacementTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  QString settings(const QString& name) const { return dir_.filePath(name); }
  static QPoint saved(const QString& path) {
    const std::string file = path.toStdString();
    return QPoint(std::stoi(getProfileString(file, "Environment", "RegWinX", "-99")),
                  std::stoi(getProfileString(file, "Environment", "RegWinY", "-99")));
  }

 private slots:
  // Opening and closing a task window and leaving by keyboard, run after
  // run: every window opens at the saved place, and the place stays put.
  void thePlaceHoldsRunAfterRun() {
    const QString path = settings("runs.INI");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Environment]\r\nRegWinX=200\r\nRegWinY=300\r\n");
    f.close();
    // The first button, Edit, has the focus at start: Enter and Space press
    // it as the caption's mnemonic does.
    const char* opening[] = {"alt+n", "Return", "space"};
    for (int run = 1; run <= 3; ++run) {
      Run program(path);
      const desk::WindowId main = program.window("Trennic");
      QVERIFY2(main, qPrintable(program.output()));
      QCOMPARE(clientAt(main), QPoint(200, 300));
      QVERIFY(program.keys(main, {opening[run - 1]}));
      const desk::WindowId list = program.window("Access Point List");
      QVERIFY2(list, opening[run - 1]);
      QCOMPARE(clientAt(list), QPoint(200, 300));
      QVERIFY(program.keys(list, {"Escape"}));
      QVERIFY(program.gone(list));
      QVERIFY(desk::waitFor([&] { return desk::isViewable(main); }, kReactMs));
      QCOMPARE(clientAt(main), QPoint(200, 300));
      QVERIFY(program.keys(main, {"alt+x"}));  // Exit
      QVERIFY(program.endedCleanly());
      QCOMPARE(saved(path), QPoint(200, 300));
    }
  }

  // With no place saved the window manager places the first window, and
  // the next run opens where the last one was closed.
  void theWindowManagerPlacesTheFirstRun() {
    const QString path = settings("first.INI");
    QPoint placed;
    {
      Run program(path);
      const desk::WindowId main = program.window("Trennic");
      QVERIFY2(main, qPrintable(program.output()));
      placed = clientAt(main);
      // Not the screen's corner, where a window placed by the program at
      // 0,0 would be.
      QVERIFY2(placed.x() > 40 && placed.y() > 40, qPrintable(QString("%1,%2").arg(placed.x()).arg(placed.y())));
      QVERIFY(program.keys(main, {"alt+x"}));
      QVERIFY(program.endedCleanly());
    }
    QCOMPARE(saved(path), placed);
    Run again(path);
    const desk::WindowId main = again.window("Trennic");
    QVERIFY(main);
    QCOMPARE(clientAt(main), placed);
    QVERIFY(again.keys(main, {"alt+x"}));
    QVERIFY(again.endedCleanly());
  }

  // "Exit(&X)" of the icon's menu ends the program while a task window is
  // open, and keeps the place where the user moved that window.
  void exitFromTheIconEndsTheProgramFromATaskWindow() {
    const QString path = settings("exit.INI");
    Run program(path);
    const desk::WindowId main = program.window("Trennic");
    QVERIFY2(main, qPrintable(program.output()));
    QVERIFY(program.keys(main, {"alt+c"}));  // Configuration
    const desk::WindowId config = program.window("Configuration");
    QVERIFY2(config, "Alt+C opened no Configuration window");
    const QPoint before = clientAt(config);
    QVERIFY(desk::move(config, 321, 234));
    QPoint moved;
    QVERIFY(desk::waitFor([&] { return (moved = clientAt(config)) != before; }, kReactMs));
    const QList<desk::WindowId> icons = desk::trayIcons(program.pid());
    QCOMPARE(icons.size(), 1);
    QVERIFY(desk::click(icons[0], 3));
    QVERIFY2(desk::chooseFromPopupMenu(program.pid(), {"x"}), qPrintable(desk::lastToolError()));
    QVERIFY2(program.endedCleanly(), "the program went on after Exit");
    QCOMPARE(saved(path), moved);
  }
};

QTEST_GUILESS_MAIN(DesktopPlacementTest)
#include "placement_test.moc"
