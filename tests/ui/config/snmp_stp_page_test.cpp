// The SNMP and Spanning Tree pages inside the Configuration window: what they
// show for the working configuration, what a click changes at once, what
// they store, and where Tab leaves them.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <algorithm>

#include "core/config/ap_config.h"
#include "core/config/snmp_stp_rules.h"
#include "support/config_window_fixture.h"
#include "ui/config/config_page.h"
#include "ui/controls/decimal_edit.h"

using namespace trennic;

namespace {

ui::CConfigPage* snmp(ui::CConfigDlg& w) { return w.page(ui::CConfigDlg::SnmpPage); }
ui::CConfigPage* stp(ui::CConfigDlg& w) { return w.page(ui::CConfigDlg::StpPage); }

// Controls are found as a person finds them: by their own text, or by the
// label in front of them.
QCheckBox* box(QWidget* page, const QString& text) {
  for (QCheckBox* b : page->findChildren<QCheckBox*>())
    if (b->text() == text) return b;
  return nullptr;
}

template <typename T = QLineEdit>
T* field(QWidget* page, const QString& label) {
  for (QLabel* l : page->findChildren<QLabel*>())
    if (l->text() == label) return qobject_cast<T*>(l->buddy());
  return nullptr;
}

QLineEdit* named(QWidget* page, const QString& accessibleName) {
  for (QLineEdit* e : page->findChildren<QLineEdit*>())
    if (e->accessibleName() == accessibleName) return e;
  return nullptr;
}

// The four trap octet fields, first octet first.
QList<CDecimalEdit*> trapOctets(QWidget* page) {
  QList<CDecimalEdit*> octets;
  for (int k = 1; k <= 4; ++k) octets << static_cast<CDecimalEdit*>(named(page, QString("IP Address, byte %1 of 4").arg(k)));
  return octets;
}

QString shownTrap(QWidget* page) {
  QStringList texts;
  for (CDecimalEdit* e : trapOctets(page)) texts << e->text();
  return texts.join('.');
}

// A click on the box itself: a box may be laid out wider than its text, and
// the blank rest of it does not take clicks.
void click(QCheckBox* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

// What a person does to change a field: select everything, then type.
void retype(QLineEdit* e, const QString& text) {
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
}

QString text(const ApConfig& r, std::size_t offset) {
  return QString::fromStdString(r.text(offset, cfg::SnmpTextSize));
}

QLineEdit* stpField(QWidget* page, int index) {
  static const char* const labels[] = {"Bridge Priority(0 - 65535):", "Max Age Time(6 - 40 sec.):",
                                       "Hello Time(1 - 10 sec.):", "Forward Delay(4 - 30 sec.):",
                                       "Path Cost(1 - 65535):"};
  if (index == 5) return named(page, "Wireless Path Cost");
  return field(page, labels[index]);
}

}  // namespace

class SnmpStpPageTest : public QObject {
  Q_OBJECT

 private slots:
  // --- SNMP -------------------------------------------------------------------

  void snmpShowsTheDefaults() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QWidget* p = snmp(w);
    QVERIFY(box(p, "Enable SNMP Agent")->isChecked());
    QCOMPARE(field(p, "Community Name:")->text(), QString("quorel"));
    auto* access = field<QComboBox>(p, "Access:");
    QCOMPARE(access->count(), 2);
    QCOMPARE(access->itemText(0), QString("Read Only"));
    QCOMPARE(access->itemText(1), QString("Read & Write"));
    QCOMPARE(access->currentText(), QString("Read & Write"));
    QVERIFY(!box(p, "Send Trap")->isChecked());
    QCOMPARE(shownTrap(p), QString("0.0.0.0"));
    QCOMPARE(field(p, "IP Address:"), trapOctets(p).first());
    for (CDecimalEdit* e : trapOctets(p)) {
      QVERIFY(!e->isEnabled());
      QCOMPARE(e->maximum(), 255u);
    }
    for (const char* label : {"Community Name:", "Name:", "Location:", "Contact:"})
      QCOMPARE(field(p, label)->maxLength(), 31);
    QCOMPARE(field(p, "Name:")->text(), QString());
  }

  void snmpAccessAboveOneReadsAsReadAndWrite_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("after");
    QTest::newRow("read only") << 0 << "Read Only" << 0;
    QTest::newRow("read and write") << 1 << "Read & Write" << 1;
    QTest::newRow("7 becomes read and write") << 7 << "Read & Write" << 1;
  }
  void snmpAccessAboveOneReadsAsReadAndWrite() {
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(int, after);
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.record().setU16(cfg::SnmpAccess, static_cast<std::uint16_t>(stored));
    snmp(w)->load();
    QCOMPARE(field<QComboBox>(snmp(w), "Access:")->currentText(), shown);
    QCOMPARE(int(w.record().u16(cfg::SnmpAccess)), after);
    snmp(w)->store();
    QCOMPARE(int(w.record().u16(cfg::SnmpAccess)), after);
  }

  void snmpAgentOffGreysOutAndKeepsTheValues() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    QWidget* p = snmp(w);
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    ApConfig& r = w.record();
    r.setIp(cfg::SnmpTrapIpAddr, ipv4FromOctets(10, 1, 2, 3));
    r.setText(cfg::SnmpSysName, cfg::SnmpTextSize, "roof");
    r.setU16(cfg::SnmpAccess, 0);
    snmp(w)->load();
    QVERIFY(trapOctets(p).first()->isEnabled());

    const ApConfig before = r;
    click(box(p, "Enable SNMP Agent"));
    QCOMPARE(int(r.u16(cfg::SnmpAgent)), 0);
    QVERIFY(box(p, "Enable SNMP Agent")->isEnabled());
    for (const char* label : {"Community Name:", "Name:", "Location:", "Contact:"}) QVERIFY(!field(p, label)->isEnabled());
    QVERIFY(!field<QComboBox>(p, "Access:")->isEnabled());
    QVERIFY(!box(p, "Send Trap")->isEnabled());
    QVERIFY(box(p, "Send Trap")->isChecked());
    for (CDecimalEdit* e : trapOctets(p)) QVERIFY(!e->isEnabled());
    // Of the SNMP fields only the agent word changed, and a tab switch
    // stores nothing else either.
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    ApConfig expected = before;
    expected.setU16(cfg::SnmpAgent, 0);
    QVERIFY(std::ranges::equal(r.span(cfg::SnmpSysName, kConfigBodyOffset - cfg::SnmpSysName),
                               expected.span(cfg::SnmpSysName, kConfigBodyOffset - cfg::SnmpSysName)));

    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    click(box(p, "Enable SNMP Agent"));
    QCOMPARE(int(r.u16(cfg::SnmpAgent)), 1);
    QVERIFY(field(p, "Contact:")->isEnabled());
    QVERIFY(trapOctets(p).last()->isEnabled());
    QCOMPARE(shownTrap(p), QString("10.1.2.3"));
  }

  void snmpSendTrap() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QWidget* p = snmp(w);
    QCheckBox* trap = box(p, "Send Trap");
    const QList<CDecimalEdit*> octets = trapOctets(p);

    // Ticked over zeros: the fields open, but the destination is still none.
    click(trap);
    QVERIFY(trap->isChecked());
    for (CDecimalEdit* e : octets) QVERIFY(e->isEnabled());
    QCOMPARE(w.record().ip(cfg::SnmpTrapIpAddr), 0u);
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QVERIFY(!trap->isChecked());

    // An address typed in, one octet left empty.
    click(trap);
    retype(octets[0], "192");
    retype(octets[1], "168");
    retype(octets[2], "");
    retype(octets[3], "300");  // the full field keeps 255
    QCOMPARE(octets[3]->text(), QString("255"));
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QCOMPARE(w.record().ip(cfg::SnmpTrapIpAddr), ipv4FromOctets(192, 168, 0, 255));
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QVERIFY(trap->isChecked());
    QCOMPARE(shownTrap(p), QString("192.168.0.255"));

    // Unticking clears the destination at once.
    click(trap);
    QCOMPARE(w.record().ip(cfg::SnmpTrapIpAddr), 0u);
    QCOMPARE(shownTrap(p), QString("0.0.0.0"));
    for (CDecimalEdit* e : octets) QVERIFY(!e->isEnabled());
  }

  // The trap address is one row: a copied address fills all four octets.
  void snmpTrapAddressPastedWhole() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QWidget* p = snmp(w);
    click(box(p, "Send Trap"));
    CDecimalEdit* first = trapOctets(p).first();
    first->setFocus();
    first->selectAll();
    QApplication::clipboard()->setText("10.20.30.40\n");
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(shownTrap(p), QString("10.20.30.40"));
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QCOMPARE(w.record().ip(cfg::SnmpTrapIpAddr), ipv4FromOctets(10, 20, 30, 40));
  }

  void snmpTextsStopAtThirtyOneCharacters() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QWidget* p = snmp(w);
    const QString forty(40, 'c');
    retype(field(p, "Community Name:"), forty);
    QCOMPARE(field(p, "Community Name:")->text(), QString(31, 'c'));
    retype(field(p, "Name:"), "Lobby AP");
    retype(field(p, "Location:"), "Hall 2");
    retype(field(p, "Contact:"), "ops@example.org");
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    const ApConfig& r = w.record();
    QCOMPARE(text(r, cfg::SnmpCommunity), QString(31, 'c'));
    QCOMPARE(int(r.bytes[cfg::SnmpCommunity + 31]), 0);
    QCOMPARE(text(r, cfg::SnmpSysName), QString("Lobby AP"));
    QCOMPARE(text(r, cfg::SnmpSysLocation), QString("Hall 2"));
    QCOMPARE(text(r, cfg::SnmpSysContact), QString("ops@example.org"));
    // The rest of a shortened field is zero again.
    for (std::size_t i = 8; i < cfg::SnmpTextSize; ++i) QCOMPARE(int(r.bytes[cfg::SnmpSysName + i]), 0);
  }

  void snmpTabLeavesThePageAtItsEnds() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QWidget* p = snmp(w);
    QTabBar* strip = w.tabs()->tabBar();
    QPushButton* password = w.button("Password");
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QTest::keyClick(strip, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), box(p, "Enable SNMP Agent"));
    QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), field(p, "Community Name:"));
    QTest::keyClick(w.focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(w.focusWidget(), Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), strip);

    QTest::keyClick(password, Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), field(p, "Contact:"));
    QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), password);

    // With the agent off its box is the only stop on the page.
    click(box(p, "Enable SNMP Agent"));
    QTest::keyClick(password, Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), box(p, "Enable SNMP Agent"));
    QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), password);
  }

  // --- Spanning tree ----------------------------------------------------------

  void stpShowsTheDefaults() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QWidget* p = stp(w);
    QVERIFY(box(p, "Enable Spanning Tree")->isChecked());
    QVERIFY(box(p, "Enable Spanning Tree")->isEnabled());
    const QStringList values = {"32768", "20", "2", "15", "100", "500"};
    const quint32 ranges[][2] = {{0, 65535}, {6, 40}, {1, 10}, {4, 30}, {1, 65535}, {1, 65535}};
    for (int i = 0; i < 6; ++i) {
      auto* e = static_cast<CDecimalEdit*>(stpField(p, i));
      QVERIFY(e);
      QCOMPARE(e->text(), values[i]);
      QVERIFY(e->isEnabled());
      QCOMPARE(e->minimum(), ranges[i][0]);
      QCOMPARE(e->maximum(), ranges[i][1]);
    }
    QCOMPARE(named(p, "Ethernet Path Cost"), stpField(p, 4));
    bool group = false;
    for (QLabel* l : p->findChildren<QLabel*>()) group |= l->text() == "Ethernet" || l->text() == "Wireless";
    QVERIFY(group);
  }

  void stpAvailability_data() {
    QTest::addColumn<int>("modeSw");
    QTest::addColumn<int>("networkMode");
    QTest::addColumn<int>("stpFunc");
    QTest::addColumn<bool>("boxEnabled");
    QTest::addColumn<bool>("fieldsEnabled");
    QTest::newRow("infrastructure outside DIP mode, tree on") << 0 << 1 << 1 << false << false;
    QTest::newRow("Wi-Fi mode outside DIP mode") << 0 << 4 << 1 << false << false;
    QTest::newRow("ad hoc outside DIP mode") << 0 << 0 << 1 << true << true;
    QTest::newRow("ad hoc, tree off") << 0 << 0 << 0 << true << false;
    QTest::newRow("DIP mode, infrastructure") << 1 << 1 << 1 << true << true;
    QTest::newRow("DIP mode, advanced, tree off") << 1 << 5 << 0 << true << false;
  }
  void stpAvailability() {
    QFETCH(int, modeSw);
    QFETCH(int, networkMode);
    QFETCH(int, stpFunc);
    QFETCH(bool, boxEnabled);
    QFETCH(bool, fieldsEnabled);
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.record().setU16(cfg::ModeSw, static_cast<std::uint16_t>(modeSw));
    w.record().setU16(cfg::NetworkMode, static_cast<std::uint16_t>(networkMode));
    w.record().setU16(cfg::StpFunc, static_cast<std::uint16_t>(stpFunc));
    // As after a Read: every page shows the record, then the tab is chosen.
    w.loadAllPages();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QWidget* p = stp(w);
    QCOMPARE(box(p, "Enable Spanning Tree")->isChecked(), stpFunc != 0);
    QCOMPARE(box(p, "Enable Spanning Tree")->isEnabled(), boxEnabled);
    for (int i = 0; i < 6; ++i) QCOMPARE(stpField(p, i)->isEnabled(), fieldsEnabled);
  }

  void stpModeChangeReloads() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QWidget* p = stp(w);
    w.record().setU16(cfg::ModeSw, 0);
    w.record().setU16(cfg::NetworkMode, 1);
    stp(w)->load();
    QVERIFY(!box(p, "Enable Spanning Tree")->isEnabled());
    // The Base page reloads this page when the mode goes to ad hoc.
    w.record().setU16(cfg::NetworkMode, 0);
    stp(w)->load();
    QVERIFY(box(p, "Enable Spanning Tree")->isEnabled());
    QVERIFY(stpField(p, 0)->isEnabled());
  }

  void stpStoresOutOfRangeTextsAsTheDefaults_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("priority 0") << 0 << "0" << "0" << 0;
    QTest::newRow("empty priority") << 0 << "" << "" << 32768;
    QTest::newRow("five nines of priority") << 0 << "99999" << "65535" << 65535;
    QTest::newRow("max age 3 stays short") << 1 << "3" << "3" << 20;
    QTest::newRow("max age 50 becomes 40") << 1 << "50" << "40" << 40;
    QTest::newRow("max age 6") << 1 << "6" << "6" << 6;
    QTest::newRow("hello time 0 becomes 1") << 2 << "0" << "1" << 1;
    QTest::newRow("forward delay 31 becomes 30") << 3 << "31" << "30" << 30;
    QTest::newRow("empty Ethernet cost") << 4 << "" << "" << 100;
    QTest::newRow("empty wireless cost") << 5 << "" << "" << 500;
    QTest::newRow("wireless cost 7") << 5 << "7" << "7" << 7;
  }
  void stpStoresOutOfRangeTextsAsTheDefaults() {
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QLineEdit* e = stpField(stp(w), index);
    retype(e, typed);
    QCOMPARE(e->text(), shown);
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QCOMPARE(int(w.record().u16(kStpFields[static_cast<std::size_t>(index)].offset)), stored);
  }

  void stpZeroThatReachesStoreIsTheDefault() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    stpField(stp(w), 2)->setText("0");
    stp(w)->store();
    QCOMPARE(int(w.record().u16(cfg::StpHelloTime)), 2);
  }

  void stpUntickingKeepsTheTextsAndStoresThem() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QWidget* p = stp(w);
    retype(stpField(p, 0), "4096");
    retype(stpField(p, 5), "250");
    QCheckBox* function = box(p, "Enable Spanning Tree");
    click(function);
    // The click changes the record's switch at once, and nothing else.
    QCOMPARE(int(w.record().u16(cfg::StpFunc)), 0);
    QCOMPARE(int(w.record().u16(cfg::StpPriority)), 32768);
    for (int i = 0; i < 6; ++i) QVERIFY(!stpField(p, i)->isEnabled());
    QCOMPARE(stpField(p, 0)->text(), QString("4096"));
    w.tabs()->setCurrentIndex(ui::CConfigDlg::SnmpPage);
    QCOMPARE(int(w.record().u16(cfg::StpFunc)), 0);
    QCOMPARE(int(w.record().u16(cfg::StpPriority)), 4096);
    QCOMPARE(int(w.record().u16(cfg::StpCostWl)), 250);
  }

  void stpTabLeavesThePageAtItsEnds() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    w.tabs()->setCurrentIndex(ui::CConfigDlg::StpPage);
    QWidget* p = stp(w);
    QTabBar* strip = w.tabs()->tabBar();
    QPushButton* password = w.button("Password");
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCheckBox* function = box(p, "Enable Spanning Tree");

    QTest::keyClick(strip, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), function);
    QTest::keyClick(function, Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), strip);
    QTest::keyClick(password, Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), stpField(p, 5));
    QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), password);

    // Tree off: the box is first and last.
    click(function);
    QTest::keyClick(password, Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), function);
    QTest::keyClick(function, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), password);

    // Nothing to configure: Tab passes through the page in both directions.
    w.record().setU16(cfg::ModeSw, 0);
    w.record().setU16(cfg::NetworkMode, 1);
    stp(w)->load();
    QTest::keyClick(strip, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), password);
    QTest::keyClick(password, Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), strip);
  }

};

QTEST_MAIN(SnmpStpPageTest)
#include "snmp_stp_page_test.moc"
