// The Base page inside the Configuration window: what it shows for the
// working configuration, what it normalises and what it stores.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "core/config/ap_config.h"
#include "support/config_window_fixture.h"
#include "ui/config/base_page.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/result_message.h"

using namespace trennic;

class BasePageTest : public QObject {
  Q_OBJECT

  static ui::CBasePage* base(ui::CConfigDlg& w) { return static_cast<ui::CBasePage*>(w.page(ui::CConfigDlg::BasePage)); }
  static QString ip(ui::CBasePage* p, int address) {
    QStringList octets;
    for (int o = 0; o < 4; ++o) octets << p->ipBox(address, o)->text();
    return octets.join('.');
  }
  // A whole address pasted into the first box of a row, over what it held.
  static void pasteInto(QLineEdit* first, const QString& text) {
    first->setFocus();
    first->selectAll();
    QApplication::clipboard()->setText(text);
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
  }
  // Keys go to whichever box has the focus, as a person's keys do.
  static void typeOn(QWidget* window, const QString& keys) {
    for (QChar c : keys) QTest::keyClicks(window->focusWidget(), QString(c));
  }

 private slots:
  void opensOnTheFirstUnitsDefaults() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    QCOMPARE(w.windowTitle(), QString("Configuration"));
    QCOMPARE(w.unitList()->currentText(), QString("Lobby"));
    QCOMPARE(w.tabs()->tabText(4), QString("Spanning Tree"));
    // The defaults take the first unit's MAC address: 00-11-22-AB-CD-EF.
    QCOMPARE(ip(base(w), 0), QString("10.171.205.239"));
    QCOMPARE(base(w)->essId()->text(), QString("LocalGroup"));
  }

  void modesOutOfRangeAndTheUnitTypeTheyForce() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    ui::CBasePage* p = base(w);
    w.record().setU16(cfg::NetworkMode, 2);
    w.record().setU16(cfg::UnitType, 0);
    p->load();
    QCOMPARE(p->networkMode()->currentText(), QString("ADHOC (Simple Mode)"));
    QCOMPARE(p->unitType()->currentText(), QString("Station"));
    QCOMPARE(w.record().u16(cfg::UnitType), 1);
    p->networkMode()->setCurrentText("Infrastructure (Advanced Mode)");
    QVERIFY(!p->unitType()->isEnabled());
    p->store();
    QCOMPARE(w.record().u16(cfg::NetworkMode), 5);
    QCOMPARE(w.record().u16(cfg::UnitType), 0);
  }

  void anAccessPointKeepsOneChannel() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    ui::CBasePage* p = base(w);
    w.record().setU16(cfg::ModeSw, 0);  // the defaults leave the mode to the DIP switch
    w.record().setU16(cfg::NetworkMode, 1);
    w.record().setU16(cfg::UnitType, 0);
    w.record().setU16(cfg::ChannelCount, 3);
    for (auto [i, ch] : {std::pair{0, 1}, {1, 6}, {2, 11}}) w.record().setU16(cfg::Channels + 2 * i, static_cast<std::uint16_t>(ch));
    p->load();
    QVERIFY(p->channel(1)->isChecked());
    QVERIFY(!p->channel(6)->isChecked());
    QCOMPARE(w.record().u16(cfg::ChannelCount), 1);
    QVERIFY(!p->allButton()->isEnabled());
    // A click on another channel moves the one channel there.
    p->channel(9)->click();
    QVERIFY(!p->channel(1)->isChecked());
    QVERIFY(p->channel(9)->isChecked());
    p->channel(9)->click();
    QVERIFY(p->channel(9)->isChecked());  // the last channel stays
  }

  void ageTimeAndStaticNodeOnStore() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    ui::CBasePage* p = base(w);
    p->ageTime()->setText("");
    p->store();
    QCOMPARE(w.record().u16(cfg::ApAgeTime), 65535);
    QCOMPARE(w.record().u16(cfg::BridgeAgeTime), 65535);
    p->ageTime()->setText("2");
    p->store();
    QCOMPARE(w.record().u16(cfg::ApAgeTime), 3);
    // An access point has no static node, whatever the record holds.
    w.record().setU16(cfg::ModeSw, 0);
    w.record().setU16(cfg::NetworkMode, 4);
    w.record().setU16(cfg::UnitType, 0);
    w.record().setMac(cfg::CompatiStaMac, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
    p->load();
    QVERIFY(!p->staticNode()->isEnabled());
    QVERIFY(!p->staticNode()->isChecked());
    QVERIFY(!p->staticNodeByte(0)->isEnabled());
    p->store();
    QVERIFY(w.record().mac(cfg::CompatiStaMac).isZero());
    // A compatible station keeps it.
    w.record().setU16(cfg::UnitType, 1);
    w.record().setMac(cfg::CompatiStaMac, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
    p->load();
    QVERIFY(p->staticNode()->isChecked());
    QCOMPARE(p->staticNodeByte(5)->text(), QString("55"));
    QCOMPARE(p->lastControl(), static_cast<QWidget*>(p->staticNodeByte(5)));
  }

  // Each address is one row: a pasted address fills its own row and no other,
  // and typing runs on from a full box into the next box of the same address.
  void addressRowsTakeWholeAddresses() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    ui::CBasePage* p = base(w);
    // A compatible station, which has a static node address.
    w.record().setU16(cfg::ModeSw, 0);
    w.record().setU16(cfg::NetworkMode, 4);
    w.record().setU16(cfg::UnitType, 1);
    w.record().setMac(cfg::CompatiStaMac, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
    p->load();
    pasteInto(p->ipBox(0, 0), "192.168.0.10\n");
    pasteInto(p->ipBox(2, 0), "192.168.0.1");
    QCOMPARE(ip(p, 0), QString("192.168.0.10"));
    QCOMPARE(ip(p, 1), QString("255.0.0.0"));
    QCOMPARE(ip(p, 2), QString("192.168.0.1"));
    p->ipBox(1, 0)->setFocus();
    p->ipBox(1, 0)->selectAll();
    typeOn(&w, "2552552550001");  // the last digit finds no box left
    QCOMPARE(ip(p, 1), QString("255.255.255.000"));
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(p->ipBox(1, 3)));
    QCOMPARE(ip(p, 2), QString("192.168.0.1"));
    pasteInto(p->staticNodeByte(0), "00:80:92:ab:cd:ef");
    p->store();
    QCOMPARE(w.record().ip(cfg::IPAddress), ipv4FromOctets(192, 168, 0, 10));
    QCOMPARE(w.record().ip(cfg::SubnetMask), ipv4FromOctets(255, 255, 255, 0));
    QCOMPARE(w.record().mac(cfg::CompatiStaMac), (MacAddress{{0x00, 0x80, 0x92, 0xAB, 0xCD, 0xEF}}));
  }

  void editsSurviveATabSwitch() {
    testing::ConfigWindowFixture f;
    ui::CConfigDlg& w = f.open();
    base(w)->essId()->setText("Warehouse");
    w.tabs()->setCurrentIndex(ui::CConfigDlg::WirelessPage);
    w.tabs()->setCurrentIndex(ui::CConfigDlg::BasePage);
    QCOMPARE(base(w)->essId()->text(), QString("Warehouse"));
    QCOMPARE(w.transfer().record.text(cfg::ESSID, cfg::ESSIDSize), std::string("Warehouse"));
    // Default keeps nothing of the edits.
    w.setDefaults();
    QCOMPARE(base(w)->essId()->text(), QString("LocalGroup"));
  }

  void withoutUnitsEveryUnitActionSaysNoSelect() {
    testing::ConfigWindowFixture f;
    f.app.settings.settingsPath = f.dir.filePath("empty.INI").toStdString();
    NodeTable empty(f.app.settings.settingsPath);
    f.rt = std::make_unique<platform::EngineRuntime>();
    f.progress = std::make_unique<ui::CProgressDlg>(f.rt->link());
    ui::CConfigDlg w(f.app, empty, *f.progress);
    w.show();
    QCOMPARE(w.unitList()->count(), 0);
    QCOMPARE(ip(base(w), 0), QString("10.0.0.0"));
    QStringList messages;
    ui::setMessageInterceptor([&](const QString& m) { messages << m; });
    w.readConfig();
    w.writeConfig();
    w.reboot();
    w.changePassword();
    ui::setMessageInterceptor({});
    QCOMPARE(messages, (QStringList{"No select.", "No select.", "No select.", "No select."}));
  }
};

QTEST_MAIN(BasePageTest)
#include "base_page_test.moc"
