// The progress window against simulated units: it drives the core engine
// and shows one message at the end, and Cancel sends the closing request.
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"

using namespace trennic;

namespace {

// Every request the engine sends, as the debug log would see it.
struct Recorder : TrafficObserver {
  struct Sent {
    Ipv4 peer;
    PacketHeader header;
  };
  std::vector<Sent> sent;
  void traffic(DumpKind kind, std::uint32_t, Ipv4 peer, std::uint16_t, std::span<const std::uint8_t> bytes) override {
    if (kind != DumpKind::Receive) sent.push_back({peer, *PacketHeader::decode(bytes)});
  }
};

}  // namespace

class ProgressDialogTest : public QObject {
  Q_OBJECT

 private:
  testing::SimProcess sim;
  std::unique_ptr<platform::EngineRuntime> rt;
  Recorder recorder;
  QStringList messages;

  void startUnits(const QStringList& options) {
    QVERIFY2(sim.start(options), qPrintable(sim.error()));
    rt = testing::engineFor(sim, &recorder);
    QVERIFY(rt);
  }

 private slots:
  void initTestCase() {
    // A short tick keeps the silent cases quick; the counts of ticks are
    // pinned down by the engine's own tests.
    qputenv("TRENNIC_TICK_MS", "20");
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
  }
  void init() {
    messages.clear();
    recorder.sent.clear();
  }
  void cleanup() {
    rt.reset();
    sim.stop();
  }

  void searchFindsTheUnits() {
    startUnits({"--units", "3"});
    QTemporaryDir dir;
    NodeTable nodes(dir.filePath("t.INI").toStdString());
    VectorNodeRows rows;
    nodes.FillRows(rows);
    ui::CProgressDlg dlg(rt->link());
    OperationArgs a;
    a.operation = OpSearch;
    a.line1 = "Searching...";
    OperationContext c;
    c.nodes = &nodes;
    c.rows = &rows;
    QCOMPARE(dlg.run(a, c), 1);
    QCOMPARE(nodes.usedCount, std::size_t(3));
    QVERIFY(messages.isEmpty());
    QCOMPARE(dlg.value(), 100);
  }

  void silentUnitEndsWithNoResponseAfterTheFallback() {
    startUnits({"--units", "1", "--loss", "1"});
    ui::CProgressDlg dlg(rt->link());
    OperationArgs a;
    a.operation = OpGetVersion;
    a.primary = ipv4FromOctets(127, 0, 0, 2);
    a.alternate = kMulticastGroup;
    a.unitMac = *parseMac("00-80-92-00-00-01");
    QCOMPARE(dlg.run(a, {}), 2);
    QCOMPARE(messages, QStringList{"No response from node."});
    // Four sends to the unit's address, then four to the group.
    QCOMPARE(recorder.sent.size(), std::size_t(8));
    QCOMPARE(recorder.sent[3].peer, a.primary);
    QCOMPARE(recorder.sent[4].peer, kMulticastGroup);
  }

  void cancelDuringAFirmwareReadSendsTheClosingRead() {
    startUnits({"--units", "1", "--delay", "10"});
    QTemporaryDir dir;
    ui::CProgressDlg dlg(rt->link());
    OperationArgs a;
    a.operation = OpReadFirmware;
    a.primary = a.alternate = ipv4FromOctets(127, 0, 0, 2);
    a.unitMac = *parseMac("00-80-92-00-00-01");
    a.fileName = dir.filePath("fw.bin").toStdString();
    // Press Cancel once some blocks have come in.
    QTimer poll;
    connect(&poll, &QTimer::timeout, &dlg, [&] {
      if (dlg.value() > 0) {
        poll.stop();
        QTest::mouseClick(dlg.findChild<QPushButton*>(), Qt::LeftButton);
      }
    });
    poll.start(5);
    QCOMPARE(dlg.run(a, {}), 2);
    QVERIFY(messages.isEmpty());
    const PacketHeader& closing = recorder.sent.back().header;
    QCOMPARE(closing.command, std::uint8_t(CmdRead));
    QCOMPARE(closing.address, unit_address::kFirmware);
    QCOMPARE(closing.length, std::uint16_t(0));
  }
};

QTEST_MAIN(ProgressDialogTest)
#include "progress_dialog_test.moc"
