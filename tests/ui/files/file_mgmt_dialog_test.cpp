// The File Management window against simulated units over loopback: each
// kind read and written for the selected units, the password asked as the
// user chose, and the rows left selected for the units that succeeded.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"
#include "ui/app/about_dialog.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_rows_view.h"

using namespace trennic;

class FileMgmtDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir;
  testing::SimProcess sim;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<ui::CProgressDlg> progress;
  CUtilityApp app;
  QStringList messages, secondLines;
  int passwordPrompts = 0;
  bool tickUseSame = false;
  bool cancelFirstPrompt = false;
  QString password;
  int confirmations = 0;
  QTimer modalWatcher;

  std::unique_ptr<ui::CFileMgmtDlg> openWindow(int kind) {
    app.settings.fileType = static_cast<unsigned>(kind);
    auto w = std::make_unique<ui::CFileMgmtDlg>(app, *nodes, *progress);
    w->show();
    return w;
  }
  static void select(ui::CFileMgmtDlg& w, std::initializer_list<int> rows) {
    w.list()->clearSelection();
    for (int r : rows) w.list()->topLevelItem(r)->setSelected(true);
  }
  static std::vector<std::size_t> selected(ui::CFileMgmtDlg& w) { return w.list()->selectedRows(); }
  QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private slots:
  void initTestCase() {
    qputenv("TRENNIC_TICK_MS", "20");
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
    QVERIFY2(sim.start({"--units", "3", "--unit", ",,,,", "--unit", ",,,,secret", "--firmware-size", "3000"}),
             qPrintable(sim.error()));
    rt = testing::engineFor(sim);
    QVERIFY(rt);
    nodes = std::make_unique<NodeTable>(dir.filePath("trennic.INI").toStdString());
    for (int k = 1; k <= 3; ++k) {
      NodeEntry e;
      e.mac = QString("00-80-92-00-00-%1").arg(k, 2, 10, QChar('0')).toStdString();
      e.ip = QString("127.0.0.%1").arg(k + 1).toStdString();
      nodes->AddNode(e);
    }
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
    connect(progress.get(), &ui::CProgressDlg::operationStarted, this, [this] {
      QList<QLabel*> labels = progress->findChildren<QLabel*>();
      if (labels.size() >= 2) secondLines << labels[1]->text();
    });
    // The password and confirmation windows answer as the test says.
    connect(&modalWatcher, &QTimer::timeout, this, [this] {
      QWidget* w = QApplication::activeModalWidget();
      if (auto* pw = qobject_cast<ui::CPasswordDlg*>(w)) {
        ++passwordPrompts;
        if (cancelFirstPrompt && passwordPrompts == 1) return pw->reject();
        pw->passwordEdit()->setText(password);
        if (pw->useSameBox()->isVisible()) pw->useSameBox()->setChecked(tickUseSame);
        pw->accept();
      } else if (auto* confirm = qobject_cast<ui::CConfirmDlg*>(w)) {
        ++confirmations;
        confirm->accept();
      }
    });
    modalWatcher.start(5);
  }
  void init() {
    messages.clear();
    secondLines.clear();
    passwordPrompts = confirmations = 0;
    tickUseSame = cancelFirstPrompt = false;
    password.clear();
    app.settings.displayLevel = 0;
  }

  void kindsAndTheirNames() {
    auto w = openWindow(0);
    QCOMPARE(w->windowTitle(), QString("Firmware"));
    QCOMPARE(w->typeList()->count(), 5);  // no Loader without a maintenance switch
    QCOMPARE(w->typeList()->itemText(2), QString("Firmware(Wireless Card)"));
    QCOMPARE(w->nameLabel()->text(), QString("File Name:"));
    QCOMPARE(w->nameField()->text(), QString("firmware.bin"));
    w->typeList()->setCurrentIndex(1);
    emit w->typeList()->activated(w->typeList()->currentIndex());
    QCOMPARE(w->nameLabel()->text(), QString("Directory Name:"));
    w->nameField()->setText(dir.filePath("cfg"));
    w->typeList()->setCurrentIndex(2);
    emit w->typeList()->activated(w->typeList()->currentIndex());
    QVERIFY(!w->button("Read")->isEnabled());
    QCOMPARE(app.settings.configDirName, (dir.filePath("cfg") + "/").toStdString());
    w->reject();
    QCOMPARE(app.settings.fileType, 2u);
    QCOMPARE(openWindow(3)->typeList()->count(), 6);  // the loader was the kind last chosen
  }

  void configurationReadWritesOneFilePerUnit() {
    QDir().mkpath(dir.filePath("cfg"));
    auto w = openWindow(1);
    w->nameField()->setText(dir.filePath("cfg"));
    select(*w, {0, 2});
    tickUseSame = true;
    w->readOrWrite(false);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(passwordPrompts, 1);
    QCOMPARE(secondLines, (QStringList{"00-80-92-00-00-01, 127.0.0.2  (1/2)", "00-80-92-00-00-03, 127.0.0.4  (2/2)"}));
    QVERIFY(read(dir.filePath("cfg/000001.txt")).contains("[Config]"));
    QVERIFY(read(dir.filePath("cfg/000003.txt")).contains("IPAddress=127.0.0.4"));
    QCOMPARE(w->nameField()->text(), dir.filePath("cfg") + "/");
    // And back: each unit takes its own file.
    select(*w, {0});
    w->readOrWrite(true);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(selected(*w), std::vector<std::size_t>{0});
    // A unit without its file fails with "File not found.".
    select(*w, {1});
    w->readOrWrite(true);
    QCOMPARE(messages, QStringList{"File not found."});
  }

  void firmwareReadTakesTheFirstSelectedUnitOnly() {
    auto w = openWindow(0);
    w->nameField()->setText(dir.filePath("fw.bin"));
    select(*w, {0, 1, 2});
    w->readOrWrite(false);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(secondLines, QStringList{"00-80-92-00-00-01, 127.0.0.2"});
    QCOMPARE(read(dir.filePath("fw.bin")).size(), 3000);
    QCOMPARE(selected(*w), std::vector<std::size_t>{0});
  }

  void aFailureStopsTheRunAndLeavesTheUnitsThatSucceeded() {
    // The filter file comes from the first unit, then goes to all three;
    // the second has a password the test does not know.
    auto w = openWindow(4);
    w->nameField()->setText(dir.filePath("logflist"));
    select(*w, {0});
    w->readOrWrite(false);
    QVERIFY(read(dir.filePath("logflist")).contains("[AP Login Filter Tables]"));
    select(*w, {0, 1, 2});
    w->readOrWrite(true);
    QCOMPARE(messages, QStringList{"Access denied."});
    QCOMPARE(passwordPrompts, 1 + 2);
    QCOMPARE(selected(*w), std::vector<std::size_t>{0});
  }

  void cancellingAPromptSkipsThatUnit() {
    auto w = openWindow(4);
    w->nameField()->setText(dir.filePath("logflist"));
    select(*w, {0, 2});
    cancelFirstPrompt = true;
    w->readOrWrite(true);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(passwordPrompts, 2);
    QCOMPARE(secondLines, QStringList{"00-80-92-00-00-03, 127.0.0.4  (1/2)"});
    QCOMPARE(selected(*w), (std::vector<std::size_t>{0, 2}));
  }

  // A file that is not what its kind needs is caught before the first
  // unit: a firmware file whose header fails is written only when the user
  // says so, an empty or oversized image never.
  void aWrongImageReachesNoUnit() {
    auto fileOf = [&](const char* name, const QByteArray& bytes) {
      QFile f(dir.filePath(name));
      f.open(QIODevice::WriteOnly);
      f.write(bytes);
      return f.fileName();
    };
    struct Case {
      const char* what;
      int kind;
      QString file;
      bool answer;  // to the question, when it comes
      QStringList questions, messages;
      int prompts;  // password prompts: the run went on to the units
    };
    const QString notFirmware = "The file is not a valid firmware image. Write it anyway?";
    const Case cases[] = {
        {"a text as firmware, No", 0, fileOf("notes.txt", QByteArray(400, 'x')), false, {notFirmware}, {}, 0},
        {"a text as firmware, Yes", 0, fileOf("notes.txt", QByteArray(400, 'x')), true, {notFirmware}, {}, 1},
        {"an empty loader", 3, fileOf("empty.bin", QByteArray()), true, {}, {"Invalid file."}, 0},
        {"a loader past its area", 3, fileOf("big.bin", QByteArray(0x20001, '\1')), true, {}, {"Invalid file."}, 0},
    };
    QStringList questions;
    bool answer = false;
    ui::setQuestionInterceptor([&](const QString& q) {
      questions << q;
      return answer;
    });
    for (const Case& c : cases) {
      questions.clear();
      messages.clear();
      passwordPrompts = 0;
      answer = c.answer;
      cancelFirstPrompt = true;  // the test stops at the prompt: nothing is sent
      auto w = openWindow(c.kind);
      w->nameField()->setText(c.file);
      select(*w, {0});
      w->readOrWrite(true);
      QCOMPARE(questions, c.questions);
      QCOMPARE(messages.mid(0, c.messages.size()), c.messages);
      QVERIFY2(passwordPrompts == c.prompts, c.what);
    }
    ui::setQuestionInterceptor(nullptr);
  }

  void pathsAndSelectionsAreCheckedFirst() {
    auto w = openWindow(0);
    struct Case {
      const char* why;
      QString name;
      bool write;
      bool anySelected;
      const char* message;
    };
    const Case cases[] = {
        {"empty name", "", true, true, "File not found."},
        {"nothing selected", dir.filePath("fw.bin"), true, false, "No select."},
        {"writing a file that is not there", dir.filePath("none.bin"), true, true, "File not found."},
        {"reading into a folder", dir.path(), false, true, "Invalid file name."},
    };
    for (const Case& c : cases) {
      messages.clear();
      w->nameField()->setText(c.name);
      if (c.anySelected)
        select(*w, {0});
      else
        w->list()->clearSelection();
      w->readOrWrite(c.write);
      QCOMPARE(messages, QStringList{c.message});
      QVERIFY2(secondLines.isEmpty(), c.why);
    }
  }

  void rebootAsksFirstAndVersionsComeFromTheGroup() {
    auto w = openWindow(0);
    select(*w, {0});
    w->reboot();
    QCOMPARE(confirmations, 1);
    QCOMPARE(secondLines, QStringList{"00-80-92-00-00-01, 127.0.0.2  (1/1)"});
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    w->list()->clearSelection();
    w->getVersion();
    QCOMPARE(passwordPrompts, 1);  // the reboot's only
    QCOMPARE(w->list()->row(2).version, std::string("2.01"));
  }
};

QTEST_MAIN(FileMgmtDialogTest)
#include "file_mgmt_dialog_test.moc"
