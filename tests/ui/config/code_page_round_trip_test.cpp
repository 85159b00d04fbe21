// Japanese texts through the Configuration window and a simulated unit on
// loopback, under Shift_JIS: an ESS ID and SNMP texts from a file, shown,
// saved, written to the unit, read back and written again, never change a
// byte; nor does the node's Japanese name that picks the unit.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "core/registry/node_table.h"
#include "platform/app/codepage.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"
#include "ui/config/base_page.h"
#include "ui/config/config_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"

using namespace trennic;

namespace {

struct Text {
  const char* key;
  std::size_t offset;
  std::size_t size;
  QByteArray bytes;
};

// 0xED 0x40 reads as a kanji the code page writes as 0xFA 0x5C; 0x5C and
// 0x7C are second bytes of ソ, 表 and ポ; "東京\" ends in a real backslash.
const Text kTexts[] = {
    {"ESSID", cfg::ESSID, cfg::ESSIDSize, QByteArray("\xED\x40\x83\x5C\x83\x7C\x95\x5C")},
    {"SnmpCommunity", cfg::SnmpCommunity, cfg::SnmpTextSize, QByteArray("\x83\x5C\x83\x74\x83\x67")},
    {"SnmpSysName", cfg::SnmpSysName, cfg::SnmpTextSize, QByteArray("\x95\x5C\x8E\xA6\x87\x40")},
    {"SnmpSysLocation", cfg::SnmpSysLocation, cfg::SnmpTextSize, QByteArray("\x93\x8C\x8B\x9E\x5C")},
    {"SnmpSysContact", cfg::SnmpSysContact, cfg::SnmpTextSize, QByteArray("\xFA\x5C\x83\x7C| x")},
};

QByteArray held(const ApConfig& r, const Text& t) {
  const auto* p = reinterpret_cast<const char*>(r.bytes.data() + t.offset);
  return QByteArray(p, static_cast<qsizetype>(t.size));
}
QByteArray padded(const Text& t) { return t.bytes + QByteArray(static_cast<qsizetype>(t.size) - t.bytes.size(), '\0'); }

}  // namespace

class CodePageRoundTripTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  testing::SimProcess sim;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<ui::CProgressDlg> progress;
  CUtilityApp app;
  QStringList messages;
  QStringList prompted;
  QTimer answerer;

  std::unique_ptr<ui::CConfigDlg> openWindow() {
    auto w = std::make_unique<ui::CConfigDlg>(app, *nodes, *progress);
    w->show();
    return w;
  }
  void expectEveryText(ui::CConfigDlg& w, const char* when) {
    for (const Text& t : kTexts)
      QVERIFY2(held(w.record(), t) == padded(t), qPrintable(QString("%1, %2").arg(when, t.key)));
  }
  // Every tab once: each switch stores all pages into the record.
  static void visitEveryPage(ui::CConfigDlg& w) {
    for (int p = 0; p < ui::CConfigDlg::kPageCount; ++p) w.tabs()->setCurrentIndex(p);
    w.tabs()->setCurrentIndex(ui::CConfigDlg::BasePage);
  }

 private slots:
  void initTestCase() {
    qputenv("TRENNIC_CODEPAGE", "Shift_JIS");
    qputenv("TRENNIC_TICK_MS", "20");
    if (!platform::encodeText(QString::fromUtf8("表"))) QSKIP("no Shift_JIS converter");
    app.settings.textEncoding = platform::userTextEncoding();
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
    QVERIFY2(sim.start({"--units", "1"}), qPrintable(sim.error()));
    rt = testing::engineFor(sim);
    QVERIFY(rt);
    nodes = std::make_unique<NodeTable>(dir.filePath("trennic.INI").toStdString());
    NodeEntry e;
    e.name = "\xED\x40\x95\x5C";  // 纊表
    e.mac = "00-80-92-00-00-01";
    e.ip = "127.0.0.2";
    nodes->AddNode(e);
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
    // The demo unit has no password.
    connect(&answerer, &QTimer::timeout, this, [this] {
      if (auto* pw = qobject_cast<ui::CPasswordDlg*>(QApplication::activeModalWidget())) {
        prompted << pw->findChildren<QLabel*>().front()->text();
        pw->accept();
      }
    });
    answerer.start(5);
  }
  void cleanupTestCase() { qunsetenv("TRENNIC_CODEPAGE"); }

  void textsFromAFileAndAUnitKeepTheirBytes() {
    QFile file(dir.filePath("japanese.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Config]\r\n");
    for (const Text& t : kTexts) file.write(QByteArray(t.key) + "=" + t.bytes + "\r\n");
    file.close();

    auto w = openWindow();
    QCOMPARE(w->unitList()->currentText(), QString::fromUtf8("纊表"));
    w->chooseFile = [&](bool, const QString&, const QString&) { return file.fileName(); };
    w->openFile();
    auto* base = static_cast<ui::CBasePage*>(w->page(ui::CConfigDlg::BasePage));
    QCOMPARE(base->essId()->text(), QString::fromUtf8("纊ソポ表"));
    visitEveryPage(*w);
    expectEveryText(*w, "opened");

    // Saved as it was shown, and opened again.
    const QString saved = dir.filePath("saved.txt");
    w->chooseFile = [&](bool, const QString&, const QString&) { return saved; };
    w->saveFile();
    w->setDefaults();
    QCOMPARE(base->essId()->text(), QString("LocalGroup"));
    w->openFile();
    expectEveryText(*w, "saved");

    // To the unit, and back into a window that shows the defaults.
    w->writeConfig();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(prompted.size(), 1);
    QCOMPARE(prompted.front(), QString::fromUtf8("纊表"));
    w = openWindow();
    base = static_cast<ui::CBasePage*>(w->page(ui::CConfigDlg::BasePage));
    QCOMPARE(base->essId()->text(), QString("LocalGroup"));
    w->readConfig();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(base->essId()->text(), QString::fromUtf8("纊ソポ表"));
    expectEveryText(*w, "read");

    // Read, shown on every page, left alone and written back.
    visitEveryPage(*w);
    w->writeConfig();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    w = openWindow();
    w->readConfig();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    expectEveryText(*w, "written back");
  }
};

QTEST_MAIN(CodePageRoundTripTest)
#include "code_page_round_trip_test.moc"
