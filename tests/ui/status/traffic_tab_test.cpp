// The Status window's "Traffic" tab over simulated units answering in the
// same process: a periodic scan fills the history, another unit starts it
// again, and a listener hears the current rates.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <memory>

#include "core/registry/node_table.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/status/status_dialog.h"
#include "ui/status/traffic_chart.h"
#include "unitsim/sim_options.h"
#include "unitsim/unit_model.h"

using namespace trennic;

namespace {

// Two simulated units reached at their own addresses, their replies handed
// to the engine when the test says so. Every read of an interface block
// counts three more unicast and three more broadcast packets each way.
class DirectUnits : public DatagramSink {
 public:
  DirectUnits() {
    for (int k : {1, 2}) units.push_back(std::make_unique<sim::SimUnit>(sim::defaultUnitSettings(k)));
  }
  bool sendDatagram(Ipv4 to, std::uint16_t, std::span<const std::uint8_t> bytes) override {
    for (auto& u : units)
      if (u->ip() == to)
        if (auto reply = u->handle(bytes)) replies.push_back({to, std::move(*reply)});
    return true;
  }
  void deliver(EngineLink& link) {
    while (!replies.empty()) {
      auto [from, reply] = std::move(replies.front());
      replies.pop_front();
      link.receive(reply, from, kUnitPort);
    }
  }
  std::vector<std::unique_ptr<sim::SimUnit>> units;
  std::deque<std::pair<Ipv4, std::vector<std::uint8_t>>> replies;
};

const QString kSteady = QStringLiteral(
    "Packets per second in the last cycle: Ethernet received 3.0, Ethernet sent 3.0, wireless received 3.0, "
    "wireless sent 3.0.");
const QString kNone = QStringLiteral(
    "Packets per second in the last cycle: Ethernet received none, Ethernet sent none, wireless received none, "
    "wireless sent none.");

QString heardDescription(QWidget* w) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a ? a->text(QAccessible::Description) : QString();
}

}  // namespace

class TrafficTabTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  DirectUnits units;
  EngineLink link{units};
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<ui::CProgressDlg> progress;
  CUtilityApp app;
  // The clock the window reads when a cycle completes: two seconds a cycle.
  std::int64_t now = 0;
  int cycles = 0;

  std::unique_ptr<ui::CStatusDlg> openWindow(std::uint32_t scanTime, int displayLevel = 0) {
    app.settings.scanTime = scanTime;
    app.settings.displayLevel = displayLevel;
    auto w = std::make_unique<ui::CStatusDlg>(app, *nodes, link, *progress);
    w->setClock([this] {
      ++cycles;
      return now += 2000;
    });
    w->show();
    return w;
  }
  // What the window's one-second timer does, until one more cycle of a
  // periodic scan has completed.
  bool nextCycle(ui::CStatusDlg& w) {
    const int before = cycles;
    for (int second = 0; second < 200 && cycles == before; ++second) {
      units.deliver(link);
      if (cycles == before && w.poller().step() == 0) w.poller().onSecond(w.intervalSlider()->value());
    }
    units.deliver(link);
    return cycles == before + 1;
  }

 private slots:
  void initTestCase() {
    // The window's own timer stays out of the way: the test is its clock.
    qputenv("TRENNIC_TICK_MS", "60000");
    nodes = std::make_unique<NodeTable>(dir.filePath("trennic.INI").toStdString());
    for (auto [name, mac, ip] : {std::tuple{"Lobby", "00-80-92-00-00-01", "127.0.0.2"},
                                 std::tuple{"Warehouse", "00-80-92-00-00-02", "127.0.0.3"}}) {
      NodeEntry e;
      e.name = name;
      e.mac = mac;
      e.ip = ip;
      nodes->AddNode(e);
    }
    progress = std::make_unique<ui::CProgressDlg>(link);
  }

  // After the seven pages in their order, whether the Status tab shows or not.
  void theTrafficTabComesAfterTheSevenPages() {
    for (int level : {0, 3}) {
      auto w = openWindow(10, level);
      const int pages = level >= 3 ? 7 : 6;
      QCOMPARE(w->tabs()->count(), pages + 1);
      for (int i = 0; i < pages; ++i) QCOMPARE(w->tabs()->widget(i), static_cast<QWidget*>(w->page(i)));
      QCOMPARE(w->tabs()->widget(pages), static_cast<QWidget*>(w->trafficPage()));
      QCOMPARE(w->tabs()->tabText(pages), QString("Traffic"));
      if (level < 3) QCOMPARE(w->tabs()->indexOf(w->page(6)), -1);
    }
  }

  void aPeriodicScanFillsTheHistory() {
    auto w = openWindow(2);
    ui::CTrafficChart* chart = w->trafficPage()->chart();
    QCOMPARE(heardDescription(chart), kNone);
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    for (int i = 0; i < 4; ++i) QVERIFY(nextCycle(*w));
    QCOMPARE(w->trafficHistory().size(), 4u);
    // Six packets a cycle each way, two seconds apart.
    QCOMPARE(heardDescription(chart), kSteady);
    QCOMPARE(chart->accessibleName(), QString("Traffic history"));
    for (std::size_t c = 0; c < kTrafficCurves; ++c)
      QCOMPARE(w->trafficHistory().segments(static_cast<TrafficCurve>(c)).size(), 1u);
    w->reject();
    // Single cycles are far apart: they make no history.
    w = openWindow(0);
    QCOMPARE(w->trafficHistory().size(), 0u);
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    units.deliver(link);
    QCOMPARE(w->poller().step(), 0);
    QCOMPARE(w->trafficHistory().size(), 0u);
  }

  void anotherUnitStartsTheHistoryAgain() {
    auto w = openWindow(2);
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) QVERIFY(nextCycle(*w));
    QCOMPARE(w->trafficHistory().size(), 3u);
    w->unitList()->setCurrentIndex(1);
    QCOMPARE(w->trafficHistory().size(), 0u);
    QCOMPARE(heardDescription(w->trafficPage()->chart()), kNone);
    for (int i = 0; i < 2; ++i) QVERIFY(nextCycle(*w));
    QCOMPARE(w->poller().unit().label, std::string("Warehouse"));
    QCOMPARE(w->trafficHistory().size(), 2u);
    QCOMPARE(heardDescription(w->trafficPage()->chart()), kSteady);
  }

  // The chart is the page's one control: Tab from the tab strip enters it,
  // Tab from it goes on to the unit list and Shift+Tab from there comes back.
  void theKeysEnterAndLeaveThroughTheChart() {
    auto w = openWindow(10);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->tabs()->setCurrentWidget(w->trafficPage());
    QWidget* chart = w->trafficPage()->chart();
    QTabBar* bar = w->tabs()->tabBar();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), chart);
    QTest::keyClick(chart, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->unitList()));
    QTest::keyClick(w->unitList(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), chart);
    QTest::keyClick(chart, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bar));
    // Laid out, the chart has the room its axis labels and legend need.
    QApplication::processEvents();
    QVERIFY(chart->width() >= chart->minimumSizeHint().width());
    QVERIFY(chart->height() >= chart->minimumSizeHint().height());
  }
};

QTEST_MAIN(TrafficTabTest)
#include "traffic_tab_test.moc"
