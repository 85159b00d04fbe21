// The Status Information window against a simulated unit over loopback:
// one cycle fills the pages, Clear goes through the password and progress
// windows, and the interval goes back into the settings.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "core/registry/node_table.h"
#include "core/status/widest_text.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/status/status_dialog.h"
#include "ui/status/status_pages.h"

using namespace trennic;

namespace {

// The room a line edit leaves its text: the contents rectangle of its
// frame, less the text margins and the edit's own margin on either side.
int textRoom(QLineEdit* e) {
  QStyleOptionFrame opt;
  opt.initFrom(e);
  opt.rect = e->contentsRect();
  opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
  const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
  const QMargins tm = e->textMargins();
  return r.width() - tm.left() - tm.right() - 2 * 2;
}

// Where each request went, as the debug log would see it.
struct SentLog : TrafficObserver {
  struct Sent {
    Ipv4 peer;
    PacketHeader header;
  };
  std::vector<Sent> sent;
  void traffic(DumpKind kind, std::uint32_t, Ipv4 peer, std::uint16_t, std::span<const std::uint8_t> bytes) override {
    if (kind != DumpKind::Receive) sent.push_back({peer, *PacketHeader::decode(bytes)});
  }
  // The peer of the first request with this command.
  std::optional<Ipv4> firstPeer(std::uint8_t command) const {
    for (const Sent& s : sent)
      if (s.header.command == command) return s.peer;
    return std::nullopt;
  }
};

}  // namespace

class StatusDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir;
  testing::SimProcess sim;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<ui::CProgressDlg> progress;
  CUtilityApp app;
  QStringList messages;
  SentLog sentLog;

  std::unique_ptr<ui::CStatusDlg> openWindow(int displayLevel = 0) {
    app.settings.displayLevel = displayLevel;
    auto w = std::make_unique<ui::CStatusDlg>(app, *nodes, rt->link(), *progress);
    w->show();
    return w;
  }
  // Runs the event loop until the cycle is over.
  static bool waitForIdle(ui::CStatusDlg& w) {
    QElapsedTimer clock;
    clock.start();
    while (w.poller().step() != 0 && clock.elapsed() < 10000) QTest::qWait(5);
    return w.poller().step() == 0;
  }
  static QString numberOf(ui::CStatusDlg& w, int page) {
    return static_cast<ui::CStatusListPage*>(w.page(page))->numberLabel()->text();
  }

 private slots:
  void initTestCase() {
    qputenv("TRENNIC_TICK_MS", "20");
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
    QVERIFY2(sim.start({"--units", "2", "--mac-table", "12"}), qPrintable(sim.error()));
    rt = testing::engineFor(sim, &sentLog);
    QVERIFY(rt);
    nodes = std::make_unique<NodeTable>(dir.filePath("trennic.INI").toStdString());
    for (auto [name, mac, ip] : {std::tuple{"Lobby", "00-80-92-00-00-01", "127.0.0.2"},
                                 std::tuple{"", "00-80-92-00-00-02", "127.0.0.3"}}) {
      NodeEntry e;
      e.name = name;
      e.mac = mac;
      e.ip = ip;
      nodes->AddNode(e);
    }
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
  }
  void init() {
    messages.clear();
    sentLog.sent.clear();
  }

  void opensWithTheUnitsAndTheStoredInterval() {
    app.settings.scanTime = 7;
    auto w = openWindow();
    QCOMPARE(w->windowTitle(), QString("Status Information"));
    QCOMPARE(w->unitList()->count(), 2);
    QCOMPARE(w->unitList()->itemText(1), QString("00-80-92-00-00-02, 127.0.0.3"));
    QCOMPARE(w->intervalSlider()->value(), 4);
    QCOMPARE(w->intervalText()->text(), QString("7"));
    QVERIFY(!w->stopButton()->isEnabled());
    QCOMPARE(w->tabs()->count(), 7);  // no Status tab below level 3; Traffic last
    QTRY_COMPARE(w->intervalText()->text(), QString("6"));  // the first timer tick rounds it
    w->reject();
    QCOMPARE(app.settings.scanTime, 6u);
    QCOMPARE(openWindow(3)->tabs()->count(), 8);
  }

  void oneCycleFillsEveryPage() {
    app.settings.scanTime = 0;
    auto w = openWindow();
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    QVERIFY(!w->scanStartButton()->isEnabled());
    QVERIFY(waitForIdle(*w));
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    auto* env = static_cast<ui::CEnvPage*>(w->page(0));
    QCOMPARE(env->fields()[1]->text(), QString("2.01"));
    QCOMPARE(env->fields()[6]->text(), QString("127.0.0.2"));
    auto* interfaces = static_cast<ui::CInterfacePage*>(w->page(1));
    QCOMPARE(interfaces->ethernetField(0)->text(), QString("1500"));
    QCOMPARE(interfaces->wirelessField(2)->text(), QString("02-80-92-00-00-01"));
    QCOMPARE(numberOf(*w, 2), QString("   3/  64"));
    QCOMPARE(numberOf(*w, 3), QString("  12/1024"));
    QCOMPARE(static_cast<ui::CStatusListPage*>(w->page(3))->list()->topLevelItemCount(), 12);
    QCOMPARE(numberOf(*w, 4), QString("   2/   2"));
    // Interval 0: the window is idle again by itself.
    QVERIFY(w->scanStartButton()->isEnabled());
    QVERIFY(!w->stopButton()->isEnabled());
    QVERIFY(w->page(3)->clearButton()->isEnabled());
  }

  void clearEmptiesTheBridgeTableOnTheUnitAndThePage() {
    app.settings.scanTime = 0;
    auto w = openWindow();
    w->unitList()->setCurrentIndex(1);
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    QVERIFY(waitForIdle(*w));
    QCOMPARE(numberOf(*w, 3), QString("  12/1024"));
    bool asked = false;
    QTimer::singleShot(0, this, [&] {
      auto* pw = qobject_cast<ui::CPasswordDlg*>(QApplication::activeModalWidget());
      QVERIFY(pw);
      asked = true;
      QVERIFY(!pw->useSameBox()->isVisible());
      pw->accept();
    });
    QTest::mouseClick(w->page(3)->clearButton(), Qt::LeftButton);
    QVERIFY(asked);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(numberOf(*w, 3), QString("   0/1024"));
    // The unit's table is empty too: the next cycle finds nothing.
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    QVERIFY(waitForIdle(*w));
    QCOMPARE(numberOf(*w, 3), QString("   0/1024"));
  }

  // Clear tries the unit's own address first and the group second, as a
  // scan does, whichever way the unit last answered.
  void clearGoesToTheUnitsOwnAddressFirst() {
    const MacAddress lobby = *parseMac("00-80-92-00-00-01");
    const Ipv4 own = *parseIpv4("127.0.0.2");
    for (std::int32_t route : {RouteMulticast, RouteUnicast, RouteUnknown}) {
      nodes->SetNodeRoute(lobby, route);
      sentLog.sent.clear();
      auto w = openWindow();
      w->unitList()->setCurrentIndex(0);
      QTimer::singleShot(0, this, [] {
        if (auto* pw = qobject_cast<ui::CPasswordDlg*>(QApplication::activeModalWidget())) pw->accept();
      });
      QTest::mouseClick(w->page(1)->clearButton(), Qt::LeftButton);
      QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
      QCOMPARE(sentLog.firstPeer(CmdWrite), std::optional<Ipv4>(own));
      sentLog.sent.clear();
      QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
      QVERIFY(waitForIdle(*w));
      QCOMPARE(sentLog.firstPeer(CmdRead), std::optional<Ipv4>(own));
    }
  }

  void cancelledClearChangesNothing() {
    app.settings.scanTime = 0;
    auto w = openWindow();
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    QVERIFY(waitForIdle(*w));
    const QString before = numberOf(*w, 2);
    QTimer::singleShot(0, this, [] {
      if (auto* pw = qobject_cast<ui::CPasswordDlg*>(QApplication::activeModalWidget())) pw->reject();
    });
    QTest::mouseClick(w->page(2)->clearButton(), Qt::LeftButton);
    QCOMPARE(numberOf(*w, 2), before);
    QVERIFY(messages.isEmpty());
  }

  void periodicScanRepeatsUntilStop() {
    app.settings.scanTime = 2;
    auto w = openWindow();
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    QVERIFY(w->poller().scanning());
    QVERIFY(w->stopButton()->isEnabled());
    QVERIFY(waitForIdle(*w));
    QVERIFY(!w->page(1)->clearButton()->isEnabled());  // no Clear while scanning
    QTRY_COMPARE(w->poller().step(), 1);  // the wait ran out: the next cycle
    QTest::mouseClick(w->stopButton(), Qt::LeftButton);
    QVERIFY(!w->poller().scanning());
    QCOMPARE(w->poller().step(), 0);
    QVERIFY(w->scanStartButton()->isEnabled());
    QVERIFY(w->page(1)->clearButton()->isEnabled());
    QCOMPARE(w->progressBar()->value(), 0);
  }

  void keysMoveBetweenTheUnitListTheTabsAndThePage() {
    app.settings.scanTime = 0;
    auto w = openWindow();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
    QVERIFY(waitForIdle(*w));
    auto* env = static_cast<ui::CEnvPage*>(w->page(0));
    QTabBar* bar = w->tabs()->tabBar();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(env->fields().front()));
    QCOMPARE(env->fields().front()->selectedText(), env->fields().front()->text());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bar));
    w->unitList()->setFocus();
    QTest::keyClick(w->unitList(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(env->fields().back()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->unitList()));
    // A list page: the list takes the focus with its first row.
    w->tabs()->setCurrentIndex(3);
    auto* bridge = static_cast<ui::CStatusListPage*>(w->page(3));
    QTest::keyClick(bar, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bridge->list()));
    QCOMPARE(bridge->list()->currentItem(), bridge->list()->topLevelItem(0));
    // Idle, the Interfaces page ends on its Clear button.
    w->tabs()->setCurrentIndex(1);
    QCOMPARE(w->page(1)->lastControl(false), static_cast<QWidget*>(w->page(1)->clearButton()));
  }

  // Every read-only field of every page shows the widest text it can get
  // whole, at the default font, with every field and tab there is.
  void everyFieldHoldsItsWidestText() {
    app.settings.debugDisplay = true;
    auto w = openWindow(3);
    app.settings.debugDisplay = false;
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    int measured = 0;
    for (int tab = 0; tab < w->tabs()->count(); ++tab) {
      w->tabs()->setCurrentIndex(tab);
      QApplication::processEvents();
      auto* page = static_cast<ui::CStatusPage*>(w->tabs()->widget(tab));
      for (const auto& [label, field] : page->valueFields()) {
        const std::vector<std::string> widest = widestTexts(label);
        QVERIFY2(!widest.empty(), label.c_str());
        QVERIFY2(field->isVisible(), label.c_str());
        const QFontMetrics fm(field->font());
        // At the narrowest the layout may make it, whatever else on the
        // window is wide.
        field->resize(field->minimumWidth(), field->height());
        for (const std::string& text : widest) {
          field->setText(ui::widestSample(fm, text));
          // The caret needs a pixel after the last character.
          const int needed = fm.horizontalAdvance(field->text()) + 1;
          QVERIFY2(needed <= textRoom(field), qPrintable(QString("%1 \"%2\": %3 pixels in %4")
                                                             .arg(label.c_str(), field->text())
                                                             .arg(needed)
                                                             .arg(textRoom(field))));
          ++measured;
        }
      }
    }
    // Thirteen, seven with the events, 32, four, twelve, fourteen fields.
    QVERIFY(measured >= 13 + 10 + 32 + 4 + 12 + 14);
  }

  // The port list shows its widest row without a horizontal scroll bar,
  // every heading and cell whole.
  void thePortListNeedsNoSidewaysScrolling() {
    auto w = openWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->tabs()->setCurrentIndex(4);
    auto* list = static_cast<ui::CStatusListPage*>(w->page(4))->list();
    QApplication::processEvents();
    const QFontMetrics fm(list->font());
    for (int row = 0; row < 2; ++row) {
      auto* item = new QTreeWidgetItem;
      for (int c = 0; c < list->columnCount(); ++c) {
        const std::vector<std::string> widest = widestTexts(list->headerItem()->text(c).toStdString());
        QVERIFY2(!widest.empty(), qPrintable(list->headerItem()->text(c)));
        // One row of each column's widest text, the other of its last.
        QString sample = ui::widestSample(fm, widest.front());
        for (const std::string& t : widest)
          if (row == 0 && fm.horizontalAdvance(ui::widestSample(fm, t)) > fm.horizontalAdvance(sample))
            sample = ui::widestSample(fm, t);
        item->setText(c, row == 0 ? sample : ui::widestSample(fm, widest.back()));
      }
      list->addTopLevelItem(item);
    }
    QApplication::processEvents();
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    for (int c = 0; c < list->columnCount(); ++c) {
      const QString title = list->headerItem()->text(c);
      // What resizing the column to its contents would give it.
      const int contents = static_cast<QAbstractItemView*>(list)->sizeHintForColumn(c);
      QVERIFY2(list->columnWidth(c) >= contents,
               qPrintable(QString("%1: %2 < %3").arg(title).arg(list->columnWidth(c)).arg(contents)));
      QVERIFY2(list->columnWidth(c) >= list->header()->sectionSizeHint(c), qPrintable(title));
    }
  }

  // A listener hears the interval in seconds, as the window shows it, under
  // its caption; moving the slider to its lowest position stops a scan and
  // leaves the keys on the slider, whether a scan ran or not.
  void theIntervalSliderSpeaksSecondsAndKeepsTheKeys() {
    app.settings.scanTime = 10;
    auto w = openWindow();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    ui::CIntervalSlider* slider = w->intervalSlider();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(slider);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Slider);
    QCOMPARE(a->text(QAccessible::Name), QString("Interval"));
    QCOMPARE(a->text(QAccessible::Value), QString("10 seconds"));
    QAccessibleValueInterface* value = a->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 10);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 120);
    QCOMPARE(value->minimumStepSize().toInt(), 2);
    QStringList labels;
    for (const auto& [other, relation] : a->relations(QAccessible::Label)) labels << other->text(QAccessible::Name);
    QCOMPARE(labels, QStringList{"Interval"});
    value->setCurrentValue(30);
    QCOMPARE(slider->value(), 16);
    QTRY_COMPARE(w->intervalText()->text(), QString("30"));
    QCOMPARE(a->text(QAccessible::Value), QString("30 seconds"));

    for (bool scanning : {false, true}) {
      slider->setSeconds(2);
      QTRY_COMPARE(w->poller().interval(), 2u);
      if (scanning) QTest::mouseClick(w->scanStartButton(), Qt::LeftButton);
      QCOMPARE(w->poller().scanning(), scanning);
      slider->setFocus();
      QTest::keyClick(slider, Qt::Key_Home);
      QTRY_COMPARE(w->intervalText()->text(), QString("0"));
      QCOMPARE(a->text(QAccessible::Value), QString("0 seconds"));
      QVERIFY(!w->poller().scanning());
      QCOMPARE(w->poller().step(), 0);
      QVERIFY(w->scanStartButton()->isEnabled());
      QVERIFY2(slider->hasFocus(), scanning ? "scanning" : "idle");
    }
    w->reject();
  }

  void nothingToSelectSaysSo() {
    NodeTable empty(dir.filePath("empty.INI").toStdString());
    ui::CStatusDlg w(app, empty, rt->link(), *progress);
    w.show();
    QTest::mouseClick(w.scanStartButton(), Qt::LeftButton);
    QCOMPARE(messages, QStringList{"No select."});
    QCOMPARE(w.poller().step(), 0);
  }
};

QTEST_MAIN(StatusDialogTest)
#include "status_dialog_test.moc"
