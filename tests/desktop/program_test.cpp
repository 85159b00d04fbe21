// The desktop program as a user meets it on a real X desktop (Xvfb, Openbox,
// trayer; see with_desktop.sh): its main window and notification icon,
// minimising to the icon, double click to come back, a second start to come
// back by keyboard, and Exit from the icon's menu. Each step builds on the
// one before, in the order listed.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/desktop_driver.h"

namespace desk = trennic::testing::desktop;

namespace {

constexpr int kAppearMs = 10000;
constexpr int kReactMs = 5000;

// The keys of one section of an INI file, as the file holds them.
QMap<QString, QString> iniSection(const QString& path, const QString& section) {
  QMap<QString, QString> keys;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return keys;
  bool inside = false;
  while (!f.atEnd()) {
    const QString line = QString::fromLatin1(f.readLine()).trimmed();
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      inside = line.mid(1, line.size() - 2).compare(section, Qt::CaseInsensitive) == 0;
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (inside && eq > 0) keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
  }
  return keys;
}

}  // namespace

class DesktopProgramTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QProcess program_;
  desk::WindowId main_ = 0;
  desk::WindowId icon_ = 0;

  QString settingsPath() const { return dir_.filePath(QStringLiteral("trennic.INI")); }
  qint64 pid() const { return program_.processId(); }
  bool running() const { return program_.state() == QProcess::Running; }
  QString programOutput() { return QString::fromLocal8Bit(program_.readAll()); }
  // What a failed step needs to tell: is the program still there, what did
  // it say, what did the last helper tool say.
  QByteArray why(const char* what) {
    const QString state = running() ? QStringLiteral("running")
                          : program_.exitStatus() == QProcess::CrashExit
                              ? QStringLiteral("ended by signal or crash")
                              : QStringLiteral("ended with exit code %1").arg(program_.exitCode());
    return QStringLiteral("%1 (program %2; its output: %3; last tool: %4)")
        .arg(QLatin1String(what), state, programOutput().trimmed(), desk::lastToolError())
        .toLocal8Bit();
  }

  void report(const char* step, const QElapsedTimer& clock) { qInfo("%s: %lld ms", step, clock.elapsed()); }

  bool openIconMenu() {
    return desk::click(icon_, 3) && desk::waitFor([&] { return !desk::popupMenus(pid()).isEmpty(); }, kReactMs);
  }

  // The program started again, as a user starts it from a menu or a
  // terminal; its exit status, or -1 when it did not end by itself.
  int startAgain(const QString& settings, QString* said = nullptr) {
    QProcess again;
    again.setProcessChannelMode(QProcess::MergedChannels);
    again.setWorkingDirectory(dir_.path());
    again.start(QStringLiteral(TRENNIC_BIN), {QStringLiteral("--settings"), settings, QStringLiteral("--interface"),
                                               QStringLiteral("lo")});
    const bool ended = again.waitForStarted(kAppearMs) && desk::waitFor([&] {
      return again.state() == QProcess::NotRunning;
    }, kAppearMs);
    if (said) *said = QString::fromLocal8Bit(again.readAll()).trimmed();
    if (!ended) {
      again.kill();
      again.waitForFinished(kReactMs);
      return -1;
    }
    return again.exitStatus() == QProcess::NormalExit ? again.exitCode() : -1;
  }
  QByteArray settingsFile() const {
    QFile f(settingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Hidden to the icon by the window manager's minimise.
  bool hideToTheIcon(desk::WindowId w) {
    return desk::minimise(w) && desk::waitFor([&] { return !desk::isMapped(w); }, kReactMs);
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    program_.setProcessChannelMode(QProcess::MergedChannels);
    program_.setWorkingDirectory(dir_.path());
    program_.start(QStringLiteral(TRENNIC_BIN),
                   {QStringLiteral("--settings"), settingsPath(), QStringLiteral("--interface"), QStringLiteral("lo")});
    QVERIFY2(program_.waitForStarted(kAppearMs), qPrintable(program_.errorString()));
  }

  void mainWindowAndNotificationIconAppear() {
    QElapsedTimer clock;
    clock.start();
    QList<desk::WindowId> windows;
    QVERIFY2(desk::waitFor([&] { return !(windows = desk::topLevelWindows(pid(), QStringLiteral("Trennic"))).isEmpty(); },
                           kAppearMs),
             qPrintable(QStringLiteral("no main window; program said: ") + programOutput()));
    QCOMPARE(windows.size(), 1);
    main_ = windows.first();
    report("main window on the screen", clock);
    QVERIFY(desk::isViewable(main_));
    const QRect frame = desk::frameGeometry(main_);
    QVERIFY2(QRect(0, 0, 1280, 1024).contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                                     .arg(frame.x())
                                                                     .arg(frame.y())
                                                                     .arg(frame.width())
                                                                     .arg(frame.height())));
    QVERIFY(desk::allowedActions(main_).contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")));

    QList<desk::WindowId> icons;
    QVERIFY2(desk::waitFor([&] {
      icons = desk::trayIcons(pid());
      return icons.size() == 1 && desk::isViewable(icons.first());
    }, kAppearMs), "no notification icon of the program in trayer's panel");
    icon_ = icons.first();
    report("notification icon in the panel", clock);
    QCOMPARE(desk::windowClass(icon_), QStringLiteral("trennic Trennic"));
    QVERIFY(!desk::clientGeometry(icon_).isEmpty());
  }

  void minimisingHidesTheWindowToTheIcon() {
    QVERIFY(main_ && icon_);
    QElapsedTimer clock;
    clock.start();
    QVERIFY2(desk::minimise(main_), qPrintable(desk::lastToolError()));
    QVERIFY2(desk::waitFor([&] { return !desk::isMapped(main_); }, kReactMs), "the main window stayed mapped");
    report("minimised window off the screen", clock);
    QVERIFY(!desk::isViewable(main_));
    // Hidden, not merely iconified: nothing of the program is left for the
    // window manager to list.
    QVERIFY(desk::topLevelWindows(pid(), QStringLiteral("Trennic")).isEmpty());
    QVERIFY(!desk::stackingOrder().contains(main_));
    QVERIFY(desk::trayIcons(pid()).contains(icon_));
    QVERIFY(desk::isViewable(icon_));
    QVERIFY(running());
  }

  void doubleClickOnTheIconBringsTheWindowBack() {
    QVERIFY(main_ && icon_);
    QElapsedTimer clock;
    clock.start();
    QVERIFY2(desk::doubleClick(icon_), qPrintable(desk::lastToolError()));
    QVERIFY2(desk::waitFor([&] { return desk::isViewable(main_); }, kReactMs), "the main window did not come back");
    report("window back after the double click", clock);
    QVERIFY(!desk::wmState(main_).contains(QStringLiteral("_NET_WM_STATE_HIDDEN")));
    QVERIFY(desk::stackingOrder().contains(main_));
    QVERIFY(desk::trayIcons(pid()).contains(icon_));
  }

  void iconMenuOpensWhileTheMainWindowShows() {
    QVERIFY(main_ && icon_);
    QVERIFY(desk::isViewable(main_));
    // A main window modal to the whole program would block the icon's window
    // too, and the menu would never come.
    QVERIFY2(openIconMenu(), why("no menu after a right click on the icon while the main window shows"));
    QVERIFY(desk::pressKeys({QStringLiteral("Escape")}));
    QVERIFY2(desk::waitFor([&] { return desk::popupMenus(pid()).isEmpty(); }, kReactMs), "Escape left the menu open");
    QVERIFY(desk::isViewable(main_));
    QVERIFY(running());
  }

  // Hidden to the icon, the program is out of reach of the keyboard; a
  // second start on the same settings file brings it back and ends, without
  // touching the settings file.
  void aSecondStartBringsTheHiddenCopyBack() {
    QVERIFY(main_ && icon_);
    QVERIFY2(hideToTheIcon(main_), why("the main window stayed on the screen"));
    const QByteArray settingsBefore = settingsFile();
    QElapsedTimer clock;
    clock.start();
    QString said;
    QCOMPARE(startAgain(settingsPath(), &said), 0);
    QVERIFY2(said.isEmpty(), qPrintable(said));
    QVERIFY2(desk::waitFor([&] { return desk::isViewable(main_); }, kReactMs), why("the hidden copy did not come back"));
    QVERIFY2(desk::waitFor([&] { return desk::activeWindow() == main_; }, kReactMs), "the copy came back without the keys");
    report("hidden copy back after a second start", clock);
    QCOMPARE(desk::topLevelWindows(pid(), QStringLiteral("Trennic")), QList<desk::WindowId>{main_});
    QCOMPARE(settingsFile(), settingsBefore);
    QVERIFY(running());
  }

  // The window the user worked in comes back, not the main window behind it.
  void aSecondStartBringsBackTheTaskWindowTheUserWorkedIn() {
    QVERIFY(main_ && icon_);
    QVERIFY(desk::activate(main_) && desk::waitFor([&] { return desk::activeWindow() == main_; }, kReactMs));
    QVERIFY(desk::pressKeys({QStringLiteral("alt+s")}));  // Status
    QList<desk::WindowId> found;
    QVERIFY2(desk::waitFor([&] {
      return (found = desk::topLevelWindows(pid(), QStringLiteral("Status Information"))).size() == 1;
    }, kAppearMs), "Alt+S opened no Status Information window");
    const desk::WindowId status = found.first();
    QVERIFY2(hideToTheIcon(status), why("the Status Information window stayed on the screen"));
    QCOMPARE(startAgain(settingsPath()), 0);
    QVERIFY2(desk::waitFor([&] { return desk::isViewable(status) && desk::activeWindow() == status; }, kReactMs),
             why("the Status Information window did not come back with the keys"));
    QVERIFY(!desk::isViewable(main_));
    QVERIFY(desk::pressKeys({QStringLiteral("Escape")}));
    QVERIFY2(desk::waitFor([&] { return desk::isViewable(main_) && !desk::isViewable(status); }, kReactMs),
             "Escape did not take the Status Information window back to the main window");
  }

  // Another settings file is another copy, with a window of its own.
  void aStartOnAnotherSettingsFileRunsBeside() {
    QProcess other;
    other.setProcessChannelMode(QProcess::MergedChannels);
    other.setWorkingDirectory(dir_.path());
    other.start(QStringLiteral(TRENNIC_BIN), {QStringLiteral("--settings"), dir_.filePath(QStringLiteral("other.INI")),
                                               QStringLiteral("--interface"), QStringLiteral("lo")});
    QVERIFY(other.waitForStarted(kAppearMs));
    QList<desk::WindowId> found;
    QVERIFY2(desk::waitFor([&] {
      return (found = desk::topLevelWindows(other.processId(), QStringLiteral("Trennic"))).size() == 1;
    }, kAppearMs), qPrintable(QString::fromLocal8Bit(other.readAll())));
    QVERIFY(desk::activate(found.first()) &&
            desk::waitFor([&] { return desk::activeWindow() == found.first(); }, kReactMs));
    QVERIFY(desk::pressKeys({QStringLiteral("alt+x")}));  // Exit
    QVERIFY(desk::waitFor([&] { return other.state() == QProcess::NotRunning; }, kReactMs));
    QCOMPARE(other.exitCode(), 0);
    QVERIFY(desk::isViewable(main_));
    QVERIFY(running());
  }

  void exitFromTheIconMenuEndsTheProgram() {
    QVERIFY(main_ && icon_);
    const qint64 programPid = pid();
    // Ended from where it waits most of the time: hidden to the icon.
    QVERIFY2(desk::minimise(main_), why("the window manager did not take the minimise"));
    QVERIFY(desk::waitFor([&] { return !desk::isMapped(main_); }, kReactMs));
    QElapsedTimer clock;
    clock.start();
    QVERIFY2(openIconMenu(), why("no menu after a right click on the icon"));
    report("icon menu open", clock);
    QVERIFY2(desk::chooseFromPopupMenu(programPid, {QStringLiteral("x")}), qPrintable(desk::lastToolError()));
    QVERIFY2(desk::waitFor([&] { return !running(); }, kReactMs), "the program was still running after Exit");
    report("program ended after Exit", clock);
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
    QVERIFY(desk::waitFor([&] { return desk::trayIcons(programPid).isEmpty(); }, kReactMs));

    const QMap<QString, QString> env = iniSection(settingsPath(), QStringLiteral("Environment"));
    QVERIFY2(!env.isEmpty(), "no [Environment] section in the settings file");
    bool xOk = false, yOk = false;
    env.value(QStringLiteral("RegWinX")).toInt(&xOk);
    env.value(QStringLiteral("RegWinY")).toInt(&yOk);
    QVERIFY2(xOk && yOk, qPrintable(QStringLiteral("RegWinX=%1 RegWinY=%2")
                                        .arg(env.value(QStringLiteral("RegWinX")), env.value(QStringLiteral("RegWinY")))));
  }

  void cleanupTestCase() {
    if (program_.state() != QProcess::NotRunning) {
      program_.kill();
      program_.waitForFinished(5000);
    }
  }
};

QTEST_GUILESS_MAIN(DesktopProgramTest)
#include "program_test.moc"
