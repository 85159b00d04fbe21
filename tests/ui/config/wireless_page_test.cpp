// The Wireless page and the login priority editor inside the Configuration
// window, driven the way a person uses them: keys into the lists and boxes,
// clicks on the check boxes, buttons and rows. Each test then reads the
// working configuration that came out.
#include "support/modal_watch.h"
#include "ui/config/wireless_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/config/ap_config.h"
#include "support/config_window_fixture.h"
#include "ui/config/base_page.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/result_message.h"

using namespace trennic;
using trennic::ui::CConfigDlg;
using trennic::ui::CLoginPriorityDlg;
using trennic::ui::CWirelessPage;

namespace {

// "Key=value ..." with the configuration file's keys and plain numbers, laid
// over the working configuration as a read from a unit would leave it.
void setFields(ApConfig& c, const QString& fields) {
  for (const QString& pair : fields.split(' ', Qt::SkipEmptyParts)) {
    const QStringList kv = pair.split('=');
    const ConfigField* f = findConfigField(kv[0].toStdString());
    QVERIFY2(f, qPrintable(kv[0]));
    c.setU16(f->offset, static_cast<std::uint16_t>(kv[1].toUInt()));
  }
}

void setWepSlot(ApConfig& c, int slot, std::uint16_t flags, std::uint16_t length, std::uint8_t fill = 0) {
  const std::size_t at = cfg::WepKeys + cfg::WepKeyEntrySize * static_cast<std::size_t>(slot);
  c.setU16(at + cfg::WepKeyFlagsAt, flags);
  c.setU16(at + cfg::WepKeyLengthAt, length);
  for (std::size_t i = 0; i < cfg::WepKeyBytes; ++i) c.bytes[at + cfg::WepKeyBytesAt + i] = i < length ? fill : 0;
}

std::vector<std::uint8_t> wepSlot(const ApConfig& c, int slot) {
  auto s = c.span(cfg::WepKeys + cfg::WepKeyEntrySize * static_cast<std::size_t>(slot), cfg::WepKeyEntrySize);
  return {s.begin(), s.end()};
}

void setPriorities(ApConfig& c, const QStringList& macs) {
  for (int i = 0; i < macs.size(); ++i)
    c.setMac(cfg::PriorityAps + cfg::PriorityEntrySize * static_cast<std::size_t>(i), *parseMac(macs[i].toStdString()));
  c.setU16(cfg::PriorityCount, static_cast<std::uint16_t>(macs.size()));
}

QStringList priorities(const ApConfig& c) {
  QStringList out;
  for (std::size_t i = 0; i < c.u16(cfg::PriorityCount); ++i)
    out << QString::fromStdString(formatMac(c.mac(cfg::PriorityAps + cfg::PriorityEntrySize * i)));
  return out;
}

QStringList rows(QTreeWidget* list) {
  QStringList out;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    out << list->topLevelItem(i)->text(0) + " " + list->topLevelItem(i)->text(1);
  return out;
}

QStringList items(QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

// Drops the list down and picks the entry with the keyboard, as a person
// would; the list hears of the choice as of any other.
void choose(QComboBox* box, const QString& text) {
  const int target = box->findText(text);
  QVERIFY2(target >= 0, qPrintable(text));
  box->showPopup();
  QAbstractItemView* view = box->view();
  view->setCurrentIndex(box->model()->index(target, box->modelColumn(), box->rootModelIndex()));
  QTest::keyClick(view, Qt::Key_Return);
  QVERIFY(!view->isVisible());
}

// A double click as the mouse makes it: a click, then the second press.
void doubleClick(QWidget* w, const QPoint& p) {
  QTest::mouseClick(w, Qt::LeftButton, {}, p);
  QTest::mouseDClick(w, Qt::LeftButton, {}, p);
}

void retype(QLineEdit* e, const QString& text) {
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
}

QPoint rowCentre(QTreeWidget* list, int row) { return list->visualItemRect(list->topLevelItem(row)).center(); }

}  // namespace

class WirelessPageTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::ConfigWindowFixture> f;
  CConfigDlg* w = nullptr;
  QStringList messages;
  testing::ModalWatchers watchers;

  CWirelessPage* page() const { return static_cast<CWirelessPage*>(w->page(CConfigDlg::WirelessPage)); }
  ApConfig& record() const { return w->record(); }

  // The window on its Wireless page, after `fields` were laid over the
  // working configuration and every page loaded it, as after a Read.
  void openWith(const QString& fields, const std::function<void(ApConfig&)>& more = {}) {
    f = std::make_unique<testing::ConfigWindowFixture>();
    w = &f->open();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->tabs()->setCurrentIndex(CConfigDlg::WirelessPage);
    setFields(record(), fields);
    if (more) more(record());
    w->loadAllPages();
  }

  // Switching tabs stores every page into the working configuration.
  void storeBySwitching() {
    w->tabs()->setCurrentIndex(CConfigDlg::SnmpPage);
    w->tabs()->setCurrentIndex(CConfigDlg::WirelessPage);
  }

  std::shared_ptr<bool> onEditor(std::function<void(CLoginPriorityDlg*)> act) {
    return watchers.onModal<CLoginPriorityDlg>(std::move(act));
  }

  static QStringList editorBytes(CLoginPriorityDlg* ed) {
    QStringList out;
    for (int k = 0; k < 6; ++k) out << ed->macField(k)->text();
    return out;
  }

  static void typeAddress(CLoginPriorityDlg* ed, const QString& mac) {
    const QStringList bytes = mac.split('-');
    for (int k = 0; k < 6; ++k) retype(ed->macField(k), bytes.value(k));
  }

  void listMenu(Qt::Key key) {
    QWidget* vp = page()->priorityList()->viewport();
    QPoint p(vp->width() / 2, vp->height() - 4);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, vp->mapToGlobal(p));
    QApplication::sendEvent(vp, &e);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 5);
    QTest::keyClick(menu, key);
  }

  void selectRows(std::initializer_list<int> list) {
    QTreeWidget* l = page()->priorityList();
    bool first = true;
    for (int r : list) {
      QTest::mouseClick(l->viewport(), Qt::LeftButton, first ? Qt::NoModifier : Qt::ControlModifier, rowCentre(l, r));
      first = false;
    }
  }

 private slots:
  void initTestCase() {
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
  }
  void init() { messages.clear(); }
  void cleanup() {
    watchers.clear();
    w = nullptr;
    f.reset();
  }

  // What a unit may hand over outside the page's ranges is brought into
  // them on load, shown so, and kept so by the next store.
  void loadNormalises_data() {
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("odd threshold goes down") << "RoamRoamingThreshold=81"
                                             << "RoamRoamingThreshold" << 80 << 80 << "80";
    QTest::newRow("threshold above 150") << "RoamRoamingThreshold=200"
                                         << "RoamRoamingThreshold" << 150 << 150 << "150";
    QTest::newRow("threshold below 50") << "RoamRoamingThreshold=7"
                                        << "RoamRoamingThreshold" << 50 << 50 << "50";
    QTest::newRow("sampling time 0") << "RoamSampligTime=0"
                                     << "RoamSampligTime" << 1 << 1 << "1";
    QTest::newRow("sampling time 11") << "RoamSampligTime=11"
                                      << "RoamSampligTime" << 10 << 10 << "10";
    QTest::newRow("scramble above 1") << "Scramble=2 ScrambleVersion=2"
                                      << "Scramble" << 0 << 0 << "Disabled";
    QTest::newRow("scramble type 2") << "Scramble=1 ScrambleVersion=2"
                                     << "ScrambleVersion" << 2 << 2 << "Type 2";
    QTest::newRow("odd version is type 1") << "Scramble=1 ScrambleVersion=7"
                                           << "ScrambleVersion" << 7 << 1 << "Type 1";
    QTest::newRow("default key above 3") << "WepDefTxKey=9"
                                         << "WepDefTxKey" << 0 << 0 << "1";
  }
  void loadNormalises() {
    QFETCH(QString, fields);
    QFETCH(QString, key);
    QFETCH(int, loaded);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    openWith(fields);
    QComboBox* list = key.startsWith("RoamRoaming") ? page()->thresholdList()
                      : key.startsWith("RoamSamp")  ? page()->samplingTimeList()
                      : key.startsWith("Scramble")  ? page()->scrambleList()
                                                    : page()->defaultKeyList();
    QCOMPARE(list->currentText(), shown);
    const std::size_t at = findConfigField(key.toStdString())->offset;
    QCOMPARE(int(record().u16(at)), loaded);
    storeBySwitching();
    QCOMPARE(int(record().u16(at)), stored);
    QCOMPARE(list->currentText(), shown);
  }

  void wepSwitchAboveOneIsOff() {
    openWith("Wep=3");
    QVERIFY(!page()->wepBox()->isChecked());
    QVERIFY(!page()->defaultKeyList()->isEnabled());
    QCOMPARE(int(record().u16(cfg::Wep)), 0);
  }

  // A key the page cannot show (neither 5 nor 13 bytes, or not present) is
  // cleared whole and shown "Disabled"; the others show their bytes.
  void keySlotsOnLoad() {
    openWith("Wep=1", [](ApConfig& c) {
      setWepSlot(c, 0, 1, 5, 0xA1);
      setWepSlot(c, 1, 1, 8, 0x55);
      setWepSlot(c, 2, 1, 13, 0x0F);
      setWepSlot(c, 3, 0, 5, 0x77);
    });
    const QStringList sizes{"40 bit", "Disabled", "128 bit", "Disabled"};
    const QStringList keys{"A1A1A1A1A1", "", QString("0F").repeated(13), ""};
    for (int k = 0; k < 4; ++k) {
      QCOMPARE(page()->keySizeList(k)->currentText(), sizes[k]);
      QCOMPARE(page()->keyField(k)->text(), keys[k]);
      QCOMPARE(page()->keyField(k)->maxLength(), keys[k].size());
      QCOMPARE(page()->keyField(k)->isEnabled(), !keys[k].isEmpty());
    }
    QCOMPARE(wepSlot(record(), 1), std::vector<std::uint8_t>(36, 0));
    QCOMPARE(wepSlot(record(), 3), std::vector<std::uint8_t>(36, 0));
    QCOMPARE(items(page()->defaultKeyList()), (QStringList{"1", "3"}));
  }

  void defaultKeyMovesToFirstPresent() {
    openWith("Wep=1 WepDefTxKey=2", [](ApConfig& c) {
      setWepSlot(c, 0, 1, 5);
      setWepSlot(c, 1, 0, 0);
      setWepSlot(c, 2, 0, 0);
      setWepSlot(c, 3, 1, 13);
    });
    QCOMPARE(items(page()->defaultKeyList()), (QStringList{"1", "4"}));
    QCOMPARE(page()->defaultKeyList()->currentText(), QString("1"));
    QCOMPARE(int(record().u16(cfg::WepDefTxKey)), 0);
    // Choosing "4" is stored as slot index 3.
    choose(page()->defaultKeyList(), "4");
    storeBySwitching();
    QCOMPARE(int(record().u16(cfg::WepDefTxKey)), 3);
    QCOMPARE(page()->defaultKeyList()->currentText(), QString("4"));
  }

  // WEP on keeps at least one key: switching the only one off is refused.
  void lastKeyCannotBeDisabled_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("size");
    QTest::newRow("40 bit") << 5 << "40 bit";
    QTest::newRow("128 bit") << 13 << "128 bit";
  }
  void lastKeyCannotBeDisabled() {
    QFETCH(int, length);
    QFETCH(QString, size);
    openWith("Wep=1", [length](ApConfig& c) {
      setWepSlot(c, 0, 1, static_cast<std::uint16_t>(length), 0x3C);
      for (int k = 1; k < 4; ++k) setWepSlot(c, k, 0, 0);
    });
    const auto before = wepSlot(record(), 0);
    QComboBox* list = page()->keySizeList(0);
    choose(list, "Disabled");
    QCOMPARE(list->currentText(), size);
    QCOMPARE(wepSlot(record(), 0), before);
    // With a second key present the first may go.
    choose(page()->keySizeList(1), "40 bit");
    choose(list, "Disabled");
    QCOMPARE(list->currentText(), QString("Disabled"));
    QVERIFY(!page()->keyField(0)->isEnabled());
    QCOMPARE(items(page()->defaultKeyList()), QStringList{"2"});
    QCOMPARE(int(record().u16(cfg::WepDefTxKey)), 1);
    QCOMPARE(wepSlot(record(), 0), std::vector<std::uint8_t>(36, 0));
  }

  // A size chosen for a key opens its box at the size's length; the key
  // typed there goes into the slot, a short key padded with zeros.
  void keyTypedIntoNewSize() {
    openWith("Wep=1");
    QComboBox* size = page()->keySizeList(1);
    CHexEdit* key = page()->keyField(1);
    QVERIFY(!key->isEnabled());
    choose(size, "128 bit");
    QVERIFY(key->isEnabled());
    QCOMPARE(key->maxLength(), 26);
    QCOMPARE(key->text(), QString(26, '0'));
    QCOMPARE(items(page()->defaultKeyList()), (QStringList{"1", "2"}));
    retype(key, "0123456789abcdef");
    storeBySwitching();
    std::vector<std::uint8_t> expected(36, 0);
    expected[0] = 1;
    expected[2] = 13;
    const std::uint8_t bytes[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::copy(std::begin(bytes), std::end(bytes), expected.begin() + 4);
    QCOMPARE(wepSlot(record(), 1), expected);
    QCOMPARE(key->text(), QString("0123456789ABCDEF0000000000"));
    // Down to 40 bit keeps the first five bytes.
    choose(size, "40 bit");
    QCOMPARE(key->text(), QString("0123456789"));
    QCOMPARE(key->maxLength(), 10);
  }

  void wepSwitchEnablesTheRows() {
    openWith("Wep=0");
    QVERIFY(!page()->keySizeList(0)->isEnabled());
    QVERIFY(!page()->keyField(0)->isEnabled());
    QTest::mouseClick(page()->wepBox(), Qt::LeftButton);
    QCOMPARE(int(record().u16(cfg::Wep)), 1);
    QVERIFY(page()->defaultKeyList()->isEnabled());
    QVERIFY(page()->keySizeList(3)->isEnabled());
    QVERIFY(page()->keyField(0)->isEnabled());
    QVERIFY(!page()->keyField(3)->isEnabled());  // absent key
  }

  void scrambleStored() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 Scramble=0");
    CWirelessPage* p = page();
    QVERIFY(!p->scrambleKeyField(0)->isEnabled());
    choose(p->scrambleList(), "Type 2");
    QCOMPARE(int(record().u16(cfg::Scramble)), 1);
    QCOMPARE(int(record().u16(cfg::ScrambleVersion)), 2);
    for (int i = 0; i < 10; ++i) QVERIFY(p->scrambleKeyField(i)->isEnabled());
    const QStringList typed{"1", "a2", "B3", "", "ff", "00", "9", "0A", "c", "DD"};
    record().bytes[cfg::ScrambleKey + 3] = 0x44;  // an emptied box keeps its byte
    for (int i = 0; i < 10; ++i) retype(p->scrambleKeyField(i), typed[i]);
    storeBySwitching();
    const std::uint8_t expected[10] = {0x01, 0xA2, 0xB3, 0x44, 0xFF, 0x00, 0x09, 0x0A, 0x0C, 0xDD};
    for (int i = 0; i < 10; ++i) QCOMPARE(int(record().bytes[cfg::ScrambleKey + i]), int(expected[i]));
    QCOMPARE(p->scrambleKeyField(3)->text(), QString("44"));
    QCOMPARE(p->scrambleKeyField(8)->text(), QString("0C"));
    choose(p->scrambleList(), "Disabled");
    QCOMPARE(int(record().u16(cfg::Scramble)), 0);
    QVERIFY(!p->scrambleKeyField(0)->isEnabled());
  }

  // The scramble key's ten boxes take a key typed straight through.
  void scrambleKeyTypedStraightThrough() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 Scramble=0");
    choose(page()->scrambleList(), "Type 2");
    page()->scrambleKeyField(0)->setFocus();
    page()->scrambleKeyField(0)->selectAll();
    for (QChar c : QString("00112233445566778899")) QTest::keyClicks(w->focusWidget(), QString(c));
    storeBySwitching();
    for (int i = 0; i < 10; ++i) QCOMPARE(int(record().bytes[cfg::ScrambleKey + static_cast<std::size_t>(i)]), 0x11 * i);
  }

  // What the mode set on the Base page leaves usable here.
  void modeDecidesWhatIsUsable_data() {
    QTest::addColumn<QString>("fields");
    QTest::addColumn<bool>("scrambleList");
    QTest::addColumn<bool>("scrambleKey");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<bool>("roaming");
    QTest::addColumn<bool>("borders");
    const char* roamOn = " RoamExtendCtrl=1 SpeedThreshold=1 Scramble=1";
    QTest::newRow("access point") << QString("ModeSw=0 NetworkMode=1 UnitType=0") + roamOn << true << true << false
                                  << false << false;
    QTest::newRow("ad hoc station") << QString("ModeSw=0 NetworkMode=0 UnitType=1") + roamOn << true << true << false
                                    << false << false;
    QTest::newRow("station, roaming off")
        << "ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=0 Scramble=1" << true << true << true << false << false;
    QTest::newRow("station, roaming on") << QString("ModeSw=0 NetworkMode=5 UnitType=1") + roamOn << true << true
                                         << true << true << true;
    QTest::newRow("station, speed control off") << "ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1 SpeedThreshold=0"
                                                << true << false << true << true << false;
    QTest::newRow("DIP switch decides") << QString("ModeSw=1 NetworkMode=0 UnitType=0") + roamOn << true << true << true
                                        << true << true;
    QTest::newRow("Wi-Fi compatible station")
        << QString("ModeSw=0 NetworkMode=4 UnitType=1") + roamOn << false << false << true << true << true;
  }
  void modeDecidesWhatIsUsable() {
    QFETCH(QString, fields);
    QFETCH(bool, scrambleList);
    QFETCH(bool, scrambleKey);
    QFETCH(bool, extended);
    QFETCH(bool, roaming);
    QFETCH(bool, borders);
    openWith(fields);
    CWirelessPage* p = page();
    QCOMPARE(p->scrambleList()->isEnabled(), scrambleList);
    for (int i = 0; i < 10; ++i) QCOMPARE(p->scrambleKeyField(i)->isEnabled(), scrambleKey);
    QVERIFY(p->wepBox()->isEnabled());
    QCOMPARE(p->extendedRoamingBox()->isEnabled(), extended);
    for (QWidget* c :
         std::initializer_list<QWidget*>{p->thresholdList(), p->samplingTimeList(), p->speedControlBox(),
                                         p->priorityList(), p->newButton(), p->deleteButton(), p->loginOtherApBox()})
      QCOMPARE(c->isEnabled(), roaming);
    for (int i = 0; i < 3; ++i) QCOMPARE(p->borderField(i)->isEnabled(), borders);
  }

  // Extended roaming off takes a station back to a single channel.
  void extendedRoamingOffLeavesOneChannel() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1 ChannelFree=3", [](ApConfig& c) {
      for (std::size_t i = 0; i < 3; ++i) c.setU16(cfg::Channels + 2 * i, static_cast<std::uint16_t>(1 + 5 * i));
    });
    CWirelessPage* p = page();
    QVERIFY(p->extendedRoamingBox()->isChecked());
    QTest::mouseClick(p->extendedRoamingBox(), Qt::LeftButton);
    QCOMPARE(int(record().u16(cfg::RoamExtendCtrl)), 0);
    QCOMPARE(int(record().u16(cfg::ChannelCount)), 1);
    QCOMPARE(int(record().u16(cfg::Channels)), 1);
    QVERIFY(!p->thresholdList()->isEnabled());
    QVERIFY(!p->loginOtherApBox()->isEnabled());
    // The Base page shows the single channel, and a station without
    // extended roaming may not choose another.
    auto* base = static_cast<ui::CBasePage*>(w->page(CConfigDlg::BasePage));
    QVERIFY(base->channel(1)->isChecked());
    QVERIFY(!base->channel(6)->isChecked());
    QVERIFY(!base->channel(11)->isChecked());
    QVERIFY(!base->channel(6)->isEnabled());
    QTest::mouseClick(p->extendedRoamingBox(), Qt::LeftButton);
    QCOMPARE(int(record().u16(cfg::RoamExtendCtrl)), 1);
    QVERIFY(base->channel(6)->isEnabled());
    QVERIFY(base->allButton()->isEnabled());
    QVERIFY(p->thresholdList()->isEnabled());
    QVERIFY(!p->borderField(0)->isEnabled());
    QTest::mouseClick(p->speedControlBox(), Qt::LeftButton);
    QCOMPARE(int(record().u16(cfg::SpeedThreshold)), 1);
    QVERIFY(p->borderField(0)->isEnabled());
  }

  void roamingValuesStored() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1 SpeedThreshold=1 RoamPriApOther=1");
    CWirelessPage* p = page();
    QCOMPARE(p->borderField(0)->text(), QString("90"));
    QCOMPARE(p->borderField(1)->text(), QString("80"));
    QCOMPARE(p->borderField(2)->text(), QString("70"));
    QCOMPARE(p->borderField(0)->maxLength(), 3);
    choose(p->thresholdList(), "100");
    choose(p->samplingTimeList(), "7");
    QTest::mouseClick(p->loginOtherApBox(), Qt::LeftButton);
    retype(p->borderField(0), "120");
    retype(p->borderField(1), "3");  // short: left for the store, which takes it as it is
    retype(p->borderField(2), "");   // emptied: keeps its value
    storeBySwitching();
    QCOMPARE(int(record().u16(cfg::RoamRoamingThreshold)), 100);
    QCOMPARE(int(record().u16(cfg::RoamSampligTime)), 7);
    QCOMPARE(int(record().u16(cfg::RoamPriApOther)), 0);
    QCOMPARE(int(record().u16(cfg::Speed5_11m)), 120);
    QCOMPARE(int(record().u16(cfg::Speed2_5m)), 3);
    QCOMPARE(int(record().u16(cfg::Speed1_2m)), 70);
    QCOMPARE(int(record().u16(cfg::ChannelCount)), 1);  // roaming on: left as the Base page set it
  }

  // --- The preferred access points ---

  void newEntryStartsAtZero() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1");
    QStringList shown;
    QString priority;
    auto seen = onEditor([&](CLoginPriorityDlg* ed) {
      shown = editorBytes(ed);
      priority = ed->priorityLabel()->text();
      QCOMPARE(ed->focusWidget(), static_cast<QWidget*>(ed->macField(0)));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(page()->newButton(), Qt::LeftButton);
    QVERIFY(*seen);
    QCOMPARE(shown, QStringList(6, "00"));
    QCOMPARE(priority, QString("1"));
    QCOMPARE(priorities(record()), QStringList{"00-00-00-00-00-00"});
    QCOMPARE(rows(page()->priorityList()), QStringList{"1 00-00-00-00-00-00"});
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(page()->priorityList()));
  }

  // The editor's address is one row: a copied address fills all six bytes.
  void pastedAddressFillsTheEditor() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1");
    auto seen = onEditor([&](CLoginPriorityDlg* ed) {
      ed->macField(0)->selectAll();
      QApplication::clipboard()->setText("00:80:92:ab:cd:ef\n");
      QTest::keyClick(ed->macField(0), Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(editorBytes(ed), (QStringList{"00", "80", "92", "ab", "cd", "ef"}));
      QCOMPARE(ed->focusWidget(), static_cast<QWidget*>(ed->macField(5)));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(page()->newButton(), Qt::LeftButton);
    QVERIFY(*seen);
    QCOMPARE(priorities(record()), QStringList{"00-80-92-AB-CD-EF"});
  }

  void duplicateAddressKeepsTheEditorOpen() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1", [](ApConfig& c) {
      setPriorities(c, {"00-80-92-00-00-01", "00-80-92-00-00-02"});
    });
    bool stayedOpen = false;
    auto seen = onEditor([&](CLoginPriorityDlg* ed) {
      QCOMPARE(ed->priorityLabel()->text(), QString("3"));
      typeAddress(ed, "00-80-92-00-00-02");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      stayedOpen = ed->isVisible();
      QCOMPARE(editorBytes(ed), (QStringList{"00", "80", "92", "00", "00", "02"}));
      typeAddress(ed, "00-80-92-00-00-0a");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(page()->newButton(), Qt::LeftButton);
    QVERIFY(*seen);
    QVERIFY(stayedOpen);
    QCOMPARE(messages, QStringList{"Already exist."});
    QCOMPARE(priorities(record()), (QStringList{"00-80-92-00-00-01", "00-80-92-00-00-02", "00-80-92-00-00-0A"}));
    QCOMPARE(rows(page()->priorityList()).last(), QString("3 00-80-92-00-00-0A"));
  }

  void sixthEntryRefused() {
    const QStringList five{"02-00-00-00-00-01", "02-00-00-00-00-02", "02-00-00-00-00-03", "02-00-00-00-00-04",
                           "02-00-00-00-00-05"};
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1", [&](ApConfig& c) { setPriorities(c, five); });
    const auto before = record();
    QTest::mouseClick(page()->newButton(), Qt::LeftButton);
    QCOMPARE(messages, QStringList{"Can't add list"});
    QVERIFY(record() == before);
    QCOMPARE(page()->priorityList()->topLevelItemCount(), 5);
  }

  // Double click edits the row; its own address is no duplicate, and Cancel
  // changes nothing.
  void editByDoubleClick() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1", [](ApConfig& c) {
      setPriorities(c, {"00-80-92-00-00-01", "00-80-92-00-00-02"});
    });
    QTreeWidget* list = page()->priorityList();
    QStringList shown;
    auto seen = onEditor([&](CLoginPriorityDlg* ed) {
      shown = editorBytes(ed);
      QCOMPARE(ed->priorityLabel()->text(), QString("2"));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);  // unchanged: not a duplicate of itself
    });
    doubleClick(list->viewport(), rowCentre(list, 1));
    QVERIFY(*seen);
    QVERIFY(messages.isEmpty());
    QCOMPARE(shown, (QStringList{"00", "80", "92", "00", "00", "02"}));

    seen = onEditor([](CLoginPriorityDlg* ed) {
      typeAddress(ed, "0A-0B-0C-0D-0E-0F");
      QTest::mouseClick(ed->cancelButton(), Qt::LeftButton);
    });
    doubleClick(list->viewport(), rowCentre(list, 0));
    QVERIFY(*seen);
    QCOMPARE(priorities(record()), (QStringList{"00-80-92-00-00-01", "00-80-92-00-00-02"}));

    seen = onEditor([](CLoginPriorityDlg* ed) {
      typeAddress(ed, "0A-0B-0C-0D-0E-0F");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    doubleClick(list->viewport(), rowCentre(list, 0));
    QVERIFY(*seen);
    QCOMPARE(rows(list), (QStringList{"1 0A-0B-0C-0D-0E-0F", "2 00-80-92-00-00-02"}));
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems().first(), list->topLevelItem(0));
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(list));
  }

  void deleteMovesTheRestUp() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1", [](ApConfig& c) {
      setPriorities(
          c, {"02-00-00-00-00-01", "02-00-00-00-00-02", "02-00-00-00-00-03", "02-00-00-00-00-04", "02-00-00-00-00-05"});
    });
    selectRows({0, 2});
    QTest::mouseClick(page()->deleteButton(), Qt::LeftButton);
    QCOMPARE(rows(page()->priorityList()),
             (QStringList{"1 02-00-00-00-00-02", "2 02-00-00-00-00-04", "3 02-00-00-00-00-05"}));
    QCOMPARE(priorities(record()), (QStringList{"02-00-00-00-00-02", "02-00-00-00-00-04", "02-00-00-00-00-05"}));
    auto vacated = record().span(cfg::PriorityAps + 3 * cfg::PriorityEntrySize, 2 * cfg::PriorityEntrySize);
    QVERIFY(std::all_of(vacated.begin(), vacated.end(), [](std::uint8_t b) { return b == 0; }));
    QVERIFY(page()->priorityList()->selectedItems().isEmpty());
    // Without a selection Delete does nothing, and says nothing.
    QTest::mouseClick(page()->deleteButton(), Qt::LeftButton);
    QCOMPARE(page()->priorityList()->topLevelItemCount(), 3);
    QVERIFY(messages.isEmpty());
  }

  void popupMenu() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1", [](ApConfig& c) {
      setPriorities(c, {"02-00-00-00-00-01", "02-00-00-00-00-02", "02-00-00-00-00-03"});
    });
    QTreeWidget* list = page()->priorityList();
    listMenu(Qt::Key_A);
    QCOMPARE(list->selectedItems().size(), 3);
    listMenu(Qt::Key_C);
    QCOMPARE(list->selectedItems().size(), 0);
    // Edit without a selection opens nothing.
    listMenu(Qt::Key_E);
    QVERIFY(!QApplication::activeModalWidget());
    selectRows({1});
    listMenu(Qt::Key_D);
    QCOMPARE(priorities(record()), (QStringList{"02-00-00-00-00-01", "02-00-00-00-00-03"}));
    auto seen = onEditor([](CLoginPriorityDlg* ed) {
      typeAddress(ed, "02-00-00-00-00-07");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    listMenu(Qt::Key_N);
    QVERIFY(*seen);
    QCOMPARE(rows(list).last(), QString("3 02-00-00-00-00-07"));
  }

  // --- Keyboard ---

  void tabIntoAndOutOfThePage_data() {
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("station, roaming off") << "ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=0"
                                          << "Scramble"
                                          << "Extended Roaming";
    QTest::newRow("station, roaming on") << "ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1"
                                         << "Scramble"
                                         << "Login Other AP";
    QTest::newRow("Wi-Fi, scrambling off") << "ModeSw=0 NetworkMode=4 UnitType=1 Scramble=0"
                                           << "Enable"
                                           << "Extended Roaming";
    // The scrambling list is greyed out in Wi-Fi mode, whatever it holds.
    QTest::newRow("Wi-Fi, scrambling on") << "ModeSw=0 NetworkMode=4 UnitType=1 Scramble=1"
                                          << "Enable"
                                          << "Extended Roaming";
    // Nothing of extended roaming is usable on an access point; the last
    // field that is lies further up.
    QTest::newRow("access point, WEP off") << "ModeSw=0 NetworkMode=1 UnitType=0 RoamExtendCtrl=1 Wep=0"
                                           << "Scramble"
                                           << "Enable";
    QTest::newRow("access point, WEP on") << "ModeSw=0 NetworkMode=1 UnitType=0 Wep=1"
                                          << "Scramble"
                                          << "Key 4 size";
  }
  void tabIntoAndOutOfThePage() {
    QFETCH(QString, fields);
    QFETCH(QString, first);
    QFETCH(QString, last);
    openWith(fields);
    CWirelessPage* p = page();
    auto name = [p](QWidget* wd) -> QString {
      if (wd == p->scrambleList()) return "Scramble";
      if (wd == p->wepBox()) return "Enable";
      if (wd == p->extendedRoamingBox()) return "Extended Roaming";
      if (wd == p->loginOtherApBox()) return "Login Other AP";
      if (wd == p->keySizeList(3)) return "Key 4 size";
      return wd ? wd->metaObject()->className() : "none";
    };
    QTabBar* bar = w->tabs()->tabBar();
    QPushButton* password = w->button("Password");
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Tab);
    QCOMPARE(name(QApplication::focusWidget()), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bar));
    password->setFocus();
    QTest::keyClick(password, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(name(QApplication::focusWidget()), last);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(password));
  }

  // --- Layout ---

  // At the default font every caption, box and list shows its whole text.
  void nothingClipped() {
    openWith("ModeSw=0 NetworkMode=1 UnitType=1 RoamExtendCtrl=1 Wep=1 SpeedThreshold=1");
    CLoginPriorityDlg editor(record(), w);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    for (QWidget* top : std::initializer_list<QWidget*>{page(), &editor}) {
      for (QWidget* c : top->findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(c) && !qobject_cast<QAbstractButton*>(c) && !qobject_cast<QComboBox*>(c)) continue;
        QVERIFY2(c->width() >= c->minimumSizeHint().width(),
                 qPrintable(c->objectName() + " " + c->metaObject()->className()));
        if (auto* l = qobject_cast<QLabel*>(c)) QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(l->text()));
        if (auto* b = qobject_cast<QAbstractButton*>(c))
          QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(b->text()));
      }
      for (auto* e : top->findChildren<QLineEdit*>()) {
        if (e->maxLength() == 0 || qobject_cast<QComboBox*>(e->parentWidget())) continue;
        const int room = e->width() - e->fontMetrics().horizontalAdvance(QString(e->maxLength(), 'D'));
        QVERIFY2(room > 0, qPrintable(e->accessibleName()));
      }
    }
    // Every row of a full list in view, both columns whole.
    QTreeWidget* list = page()->priorityList();
    QCOMPARE(list->columnWidth(0), std::max(80, list->header()->sectionSizeHint(0)));
    QCOMPARE(list->columnWidth(1), std::max(150, list->header()->sectionSizeHint(1)));
    QVERIFY(list->viewport()->width() >= list->columnWidth(0) + list->columnWidth(1));
    setPriorities(record(), {"02-00-00-00-00-01", "02-00-00-00-00-02", "02-00-00-00-00-03", "02-00-00-00-00-04",
                             "02-00-00-00-00-05"});
    w->loadAllPages();
    QVERIFY(list->visualItemRect(list->topLevelItem(4)).bottom() < list->viewport()->height());
  }
};

QTEST_MAIN(WirelessPageTest)
#include "wireless_page_test.moc"
