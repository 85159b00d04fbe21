// One running copy per settings file: a second start on the same file brings
// the running copy back and ends, a start on another file runs on its own,
// what a crashed copy left behind never keeps the program from starting, and
// the main window comes back as the user left it.
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstring>
#include <memory>

#include "platform/app/running_copy.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/registry/node_list_dialog.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace trennic;
using platform::RunningCopy;
using Start = RunningCopy::Start;

namespace {

// A start as another process makes it. It blocks while it waits for its
// answer, so it runs on a thread of its own and this thread's event loop
// lets the running copy answer.
Start startElsewhere(const std::string& settings, int answerMs = 3000) {
  Start result = Start::NoAnswer;
  std::unique_ptr<QThread> other(QThread::create([&] {
    RunningCopy copy(settings);
    result = copy.start(answerMs);
  }));
  other->start();
  while (!other->wait(QDeadlineTimer(0))) QTest::qWait(5);
  return result;
}

// The number of a process that has ended: what a crashed copy leaves in
// its lock.
qint64 endedProcessId() {
  QProcess p;
  p.start(QStringLiteral("true"));
  p.waitForFinished();
  return p.processId() ? p.processId() : 999999;
}

}  // namespace

class RunningCopyTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir;
  std::string settings(const char* name) const { return dir.filePath(name).toStdString(); }

 private slots:
  void aSecondStartOnTheSameFileBringsTheRunningCopyBack() {
    QVERIFY(QDir(dir.path()).mkpath("folder/inner"));
    const std::string path = settings("folder/trennic.INI");
    RunningCopy first(path);
    QCOMPARE(first.start(), Start::Alone);
    int broughtBack = 0;
    first.whenAsked([&] { ++broughtBack; });
    // Every spelling of the one file, written yet or not.
    QStringList spellings{QString::fromStdString(path), dir.filePath("folder//trennic.INI"),
                          dir.filePath("folder/inner/../trennic.INI")};
#ifdef Q_OS_UNIX
    QVERIFY(QFile::link(dir.filePath("folder"), dir.filePath("through-a-link")));
    spellings << dir.filePath("through-a-link/trennic.INI");
#endif
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.filePath("folder"));
    spellings << "trennic.INI" << "./inner/../trennic.INI";
    for (bool written : {false, true}) {
      if (written) {
        QFile f(QString::fromStdString(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
      }
      for (const QString& spelling : spellings) {
        const int asked = broughtBack;
        QCOMPARE(RunningCopy::keyFor(spelling.toStdString()), first.key());
        QVERIFY2(startElsewhere(spelling.toStdString()) == Start::BroughtBack, qPrintable(spelling));
        QTRY_COMPARE(broughtBack, asked + 1);
      }
    }
    QDir::setCurrent(before);
    // Another settings file runs a copy of its own, and is asked on its own.
    QVERIFY(RunningCopy::keyFor(settings("other.INI")) != first.key());
    RunningCopy other(settings("other.INI"));
    QCOMPARE(other.start(), Start::Alone);
    QCOMPARE(startElsewhere(settings("other.INI")), Start::BroughtBack);
    QTest::qWait(20);
    QCOMPARE(broughtBack, 2 * int(spellings.size()));
  }

  // A copy asked before its windows are up is told it comes, and comes to
  // the front once it is running.
  void aCopyAskedWhileStartingComesOnceItRuns() {
    RunningCopy first(settings("starting.INI"));
    QCOMPARE(first.start(), Start::Alone);
    QCOMPARE(startElsewhere(settings("starting.INI")), Start::BroughtBack);
    int broughtBack = 0;
    first.whenAsked([&] { ++broughtBack; });
    QTRY_COMPARE(broughtBack, 1);
    QTest::qWait(20);
    QCOMPARE(broughtBack, 1);
  }

  // While a copy writes its settings back, a new start waits for it to go
  // and then runs, reading what it wrote.
  void aStartWaitsForACopyThatIsEnding() {
    auto first = std::make_unique<RunningCopy>(settings("ending.INI"));
    QCOMPARE(first->start(), Start::Alone);
    bool broughtBack = false;
    first->whenAsked([&] { broughtBack = true; });
    first->ending();
    QTimer::singleShot(300, this, [&] { first.reset(); });
    QCOMPARE(startElsewhere(settings("ending.INI")), Start::Alone);
    QVERIFY(!first);
    QVERIFY(!broughtBack);
  }

  // A copy that takes the asking but never answers is not run beside.
  void aCopyThatDoesNotAnswerIsTold() {
    const std::string path = settings("silent.INI");
    QLocalServer silent;
    QVERIFY(silent.listen(RunningCopy::keyFor(path)));
    QCOMPARE(startElsewhere(path, 300), Start::NoAnswer);
  }

  // A crashed copy leaves its name, and may leave its start lock; neither
  // holds up the next start, which takes the name over.
  void whatACrashedCopyLeftNeverBlocksAStart() {
#ifndef Q_OS_UNIX
    QSKIP("a crashed copy's pipe goes with it");
#else
    const std::string path = settings("crashed.INI");
    const QString key = RunningCopy::keyFor(path);
    const QString socketPath = QDir(QDir::tempPath()).filePath(key);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(socketPath);
    QVERIFY(native.size() < qsizetype(sizeof(address.sun_path)));
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(socketPath));

    const QString lockPath = QDir(QDir::tempPath()).filePath(key + ".lock");
    {
      QLockFile lock(lockPath);
      QVERIFY(lock.tryLock(0));
      QFile f(lockPath);
      QVERIFY(f.open(QIODevice::ReadOnly));
      QByteArray held = f.readAll();
      f.close();
      lock.unlock();
      held.replace(0, held.indexOf('\n'), QByteArray::number(endedProcessId()));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(held);
    }
    QVERIFY(QFileInfo::exists(lockPath));

    QElapsedTimer clock;
    clock.start();
    RunningCopy next(path);
    QCOMPARE(next.start(5000), Start::Alone);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString("%1 ms").arg(clock.elapsed())));
    int broughtBack = 0;
    next.whenAsked([&] { ++broughtBack; });
    QCOMPARE(startElsewhere(path), Start::BroughtBack);
    QTRY_COMPARE(broughtBack, 1);
#endif
  }

  // Brought back, the program shows the task window that was hidden to the
  // notification area with what the user left in it, and the keys go to
  // the message still open over it.
  void theMainWindowComesBackAsTheUserLeftIt() {
    CUtilityApp app;
    app.settings.settingsPath = settings("window.INI");
    app.loadSettings();
    ui::CMainMenuDlg main(app, {"lo"});
    QVERIFY(main.initialise());
    main.show();
    bool listBack = false, boxHasTheKeys = false;
    QTimer::singleShot(0, &main, [&] {
      ui::CNodeListDlg& list = main.nodeList();
      QTimer::singleShot(0, &main, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        list.hide();  // as minimising does with a notification area
        app.settings.windowsShown = false;
        main.bringBack();
        listBack = list.isVisible() && main.activeTaskWindow() == &list && app.settings.windowsShown;
        // The window system hands on activations late; what counts is
        // where the keys are once they are all through.
        QTest::qWait(200);
        boxHasTheKeys = QApplication::activeWindow() == box;
        box->reject();
        list.reject();
      });
      QMessageBox box(QMessageBox::Information, QString(), "left open", QMessageBox::Ok, &list);
      box.exec();
    });
    main.button(0)->click();
    QVERIFY(listBack);
    QVERIFY(boxHasTheKeys);
    QVERIFY(main.isVisible());
  }
};

QTEST_MAIN(RunningCopyTest)
#include "running_copy_test.moc"
