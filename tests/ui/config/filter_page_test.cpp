// The Filter page of the Configuration window and its two entry editors,
// driven with clicks, keys and the lists' popup menu. Each test then reads
// the filter tables of the working configuration, or the filter files that
// came out.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

#include "support/modal_watch.h"
#include "core/filters/filter_tables.h"
#include "support/config_window_fixture.h"
#include "ui/app/file_choice.h"
#include "ui/config/filter_page.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/result_message.h"

using namespace trennic;
using trennic::ui::CConfigDlg;
using trennic::ui::CFilterPage;
using trennic::ui::CMacFilterDlg;
using trennic::ui::CProtFilterDlg;

namespace {

constexpr CFilterPage::Table kMac = CFilterPage::MacTable;
constexpr CFilterPage::Table kProto = CFilterPage::ProtocolTable;

MacAddress lobby(std::uint8_t last) { return MacAddress{{0x00, 0x11, 0x22, 0x33, 0x44, last}}; }

ProtocolFilterEntry tcp80(std::uint16_t iface, unsigned side = PortDestination) {
  ProtocolFilterEntry e;
  e.flags = 0x3 | protoflag::PortGiven | side << protoflag::PortSideShift;
  e.iface = iface;
  e.etherLow = e.etherHigh = kEtherTypeIp;
  e.protoLow = e.protoHigh = kIpProtocolTcp;
  e.portLow = e.portHigh = 80;
  return e;
}

void retype(QLineEdit* e, const QString& text) {
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
}

void typeAddress(CMacFilterDlg* ed, int address, const QStringList& bytes) {
  for (int k = 0; k < 6; ++k) retype(ed->addressField(address, k), bytes.value(k));
}

// A whole address pasted into the first box of a row, over what it held.
void pasteInto(QLineEdit* first, const QString& text) {
  first->setFocus();
  first->selectAll();
  QApplication::clipboard()->setText(text);
  QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
}

QStringList addressFields(CMacFilterDlg* ed, int address) {
  QStringList out;
  for (int k = 0; k < 6; ++k) out << ed->addressField(address, k)->text();
  return out;
}

// A choice made with the arrow keys, one item at a time, as a person would.
void pick(QComboBox* box, const QString& item) {
  const int target = box->findText(item);
  QVERIFY2(target >= 0, qPrintable(item));
  QVERIFY2(box->isEnabled(), qPrintable(item));
  while (box->currentIndex() < target) QTest::keyClick(box, Qt::Key_Down);
  while (box->currentIndex() > target) QTest::keyClick(box, Qt::Key_Up);
}

// A click on the box itself, not on the empty end of a stretched one.
void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

QStringList items(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

QStringList headers(const QTreeWidget* list) {
  QStringList out;
  for (int c = 0; c < list->columnCount(); ++c) out << list->headerItem()->text(c);
  return out;
}

QStringList row(const QTreeWidget* list, int r) {
  QStringList out;
  for (int c = 0; c < list->columnCount(); ++c) out << list->topLevelItem(r)->text(c);
  return out;
}

// The lines of a file, without their line ends.
QStringList fileLines(const QString& path) {
  QFile f(path);
  QStringList out;
  if (!f.open(QIODevice::ReadOnly)) return out;
  for (const QByteArray& line : f.readAll().split('\n')) out << QString::fromLatin1(line).trimmed();
  return out;
}

void writeFile(const QString& path, const QByteArray& text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
}

// Every label and button at least as wide as its text needs.
void nothingCutOff(QWidget* w) {
  for (QLabel* l : w->findChildren<QLabel*>())
    if (l->isVisible()) QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
    if (b->isVisible()) QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
}

}  // namespace

class FilterPageTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::ConfigWindowFixture> f;
  CConfigDlg* w = nullptr;
  CFilterPage* page = nullptr;
  QStringList messages;
  // What the page asked the file dialog, and what the dialog answers.
  QStringList asked;
  QString chosenPath;
  testing::ModalWatchers watchers;

  template <class T>
  std::shared_ptr<bool> onModal(std::function<void(T*)> f) {
    return watchers.onModal<T>(std::move(f));
  }

  // The window at a display level, showing the Filter page.
  void openPage(int level) {
    f = std::make_unique<testing::ConfigWindowFixture>();
    w = &f->open(level);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // The window's own chooser, with only the system's dialog answered.
    ui::setFileDialogInterceptor([this](bool forOpening, const QString& proposed, const QString& filter) {
      asked << QString("%1 %2 %3").arg(forOpening ? "open" : "save", proposed, filter);
      return chosenPath;
    });
    w->tabs()->setCurrentIndex(CConfigDlg::FilterPage);
    page = static_cast<CFilterPage*>(w->page(CConfigDlg::FilterPage));
    QVERIFY(page->isVisible());
  }

  MacFilterBlock macBlock() { return MacFilterBlock(w->record()); }
  ProtocolFilterBlock protoBlock() { return ProtocolFilterBlock(w->record()); }

  // Tables put straight into the working configuration, then shown.
  void setMacTable(const std::vector<MacFilterEntry>& entries, bool on = true) {
    MacFilterBlock b = macBlock();
    b.clear();
    b.setFilterOn(on ? 1 : 0);
    b.setOtherAccess(1);
    for (const auto& e : entries) b.append(e);
    page->load();
  }
  void setProtoTable(const std::vector<ProtocolFilterEntry>& entries, bool on = true) {
    ProtocolFilterBlock b = protoBlock();
    b.clear();
    b.setFilterOn(on ? 1 : 0);
    for (const auto& e : entries) b.append(e);
    page->load();
  }

  void click(CFilterPage::Table t, const QString& caption) {
    QPushButton* b = page->button(t, caption);
    QVERIFY2(b && b->isEnabled(), qPrintable(caption));
    QTest::mouseClick(b, Qt::LeftButton);
  }

  void clickRow(CFilterPage::Table t, int r, Qt::KeyboardModifiers mods = {}) {
    QTreeWidget* list = page->list(t);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, list->visualItemRect(list->topLevelItem(r)).center());
  }

  void doubleClickRow(CFilterPage::Table t, int r) {
    QTreeWidget* list = page->list(t);
    const QPoint p = list->visualItemRect(list->topLevelItem(r)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
  }

  // Right-click in the list and pick an item of the popup by its key.
  void listMenu(CFilterPage::Table t, Qt::Key key) {
    QWidget* vp = page->list(t)->viewport();
    const QPoint p(vp->width() / 2, vp->height() - 4);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, vp->mapToGlobal(p));
    QApplication::sendEvent(vp, &e);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    QCOMPARE(texts, (QStringList{"New(&N)", "Edit(&E)", "Delete(&D)", "Open(&O)", "Save(&S)", "All(&A)", "Release(&C)"}));
    QTest::keyClick(menu, key);
  }

 private slots:
  void initTestCase() {
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
  }
  void init() {
    messages.clear();
    asked.clear();
    chosenPath.clear();
  }
  void cleanup() {
    ui::setFileDialogInterceptor({});
    watchers.clear();
    page = nullptr;
    w = nullptr;
    f.reset();
  }

  // ------------------------------------------------------------- the page

  void showsItsControlsByLevel_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("level 0: no access, sides, interfaces or except choice") << 0;
    QTest::newRow("level 3: everything") << 3;
  }
  void showsItsControlsByLevel() {
    QFETCH(int, level);
    openPage(level);
    const bool detail = level >= 3;
    QStringList groups;
    for (QGroupBox* g : page->findChildren<QGroupBox*>()) groups << g->title();
    QCOMPARE(groups, (QStringList{"MAC Address Filter", "Protocol Filter"}));
    QCOMPARE(page->enableBox(kMac)->text(), QString("Enable MAC Address Filter"));
    QCOMPARE(page->enableBox(kProto)->text(), QString("Enable Protocol Filter"));
    for (auto t : {kMac, kProto}) {
      QCOMPARE(items(page->otherAccessBox(t)), (QStringList{"Permission", "Refusal"}));
      QCOMPARE(page->otherAccessBox(t)->isVisible(), detail);
      for (const char* b : {"New", "Delete", "Open", "Save"}) QVERIFY2(page->button(t, b), b);
      QCOMPARE(page->list(t)->selectionMode(), QAbstractItemView::ExtendedSelection);
      QCOMPARE(page->list(t)->selectionBehavior(), QAbstractItemView::SelectRows);
    }
    QStringList texts;
    for (QLabel* l : page->findChildren<QLabel*>())
      if (l->isVisible()) texts << l->text();
    for (const char* t : {"MAC Address List:", "Protocol List:", "Number:"}) QVERIFY2(texts.contains(t), t);
    QCOMPARE(texts.contains("Address except a list:"), detail);
    QCOMPARE(texts.contains("Protocol except a list:"), detail);

    QStringList mac{"Entry No.", "Wireless MAC Address 1", "Wireless MAC Address 2"};
    QStringList proto{"Entry No.", "Ether Type", "IP Protocol", "IP Port Protocol"};
    QList<int> macWidths{70, 160, 160}, protoWidths{70, 130, 100, 130};
    if (detail) {
      mac << "Access Control";
      macWidths << 110;
      proto << "IP Port Type" << "Interface" << "Access Control";
      protoWidths << 130 << 70 << 110;
    }
    QCOMPARE(headers(page->list(kMac)), mac);
    QCOMPARE(headers(page->list(kProto)), proto);
    // The designed widths, or more where the font needs more for a title.
    auto columnsFit = [](QTreeWidget* list, const QList<int>& widths) {
      int total = 0;
      for (int c = 0; c < widths.size(); ++c) {
        const int w = list->columnWidth(c);
        if (w < widths[c] || w < list->header()->sectionSizeHint(c) || w > std::max(widths[c], list->header()->sectionSizeHint(c)))
          return -1;
        total += w;
      }
      return total;
    };
    QVERIFY(columnsFit(page->list(kMac), macWidths) > 0);
    const int protoWidth = columnsFit(page->list(kProto), protoWidths);
    QVERIFY(protoWidth > 0);
    QVERIFY(page->list(kProto)->viewport()->width() >= protoWidth);

    setMacTable({MacFilterEntry::make(lobby(0x10), lobby(0x10), false, AccessRefuse)});
    QCOMPARE(page->numberLabel(kMac)->text(), QString("   1/1024"));
    QCOMPARE(page->numberLabel(kProto)->text(), QString("   0/ 256"));
    if (detail) {
      QCOMPARE(row(page->list(kMac), 0), (QStringList{"1", "00-11-22-33-44-10", "", "Refusal"}));
    } else {
      // The user has no say in the access; the entry is applied.
      QCOMPARE(row(page->list(kMac), 0), (QStringList{"1", "00-11-22-33-44-10", ""}));
      QCOMPARE(macBlock().entry(0).access(), int(AccessPermit));
    }
    nothingCutOff(w);
  }

  void switchesEnableTheirGroups() {
    openPage(3);
    setMacTable({}, false);
    setProtoTable({}, false);
    auto active = [this](CFilterPage::Table t) {
      return page->list(t)->isEnabled() && page->button(t, "New")->isEnabled() &&
             page->button(t, "Delete")->isEnabled() && page->otherAccessBox(t)->isEnabled();
    };
    for (auto t : {kMac, kProto}) {
      QVERIFY(!active(t));
      QVERIFY(page->button(t, "Open")->isEnabled() && page->button(t, "Save")->isEnabled());
    }
    clickBox(page->enableBox(kProto));
    QVERIFY(active(kProto));
    QVERIFY(!active(kMac));
    QCOMPARE(protoBlock().filterOn(), std::uint16_t(1));

    // Ad hoc without the DIP switch: no station logs in, so the MAC filter
    // can't be switched, even when the table says it is on.
    w->record().setU16(cfg::ModeSw, 0);
    w->record().setU16(cfg::NetworkMode, 0);
    setMacTable({MacFilterEntry::make(lobby(1), lobby(1), false, AccessPermit)}, true);
    QVERIFY(!page->enableBox(kMac)->isEnabled());
    QVERIFY(!active(kMac));
    QVERIFY(page->button(kMac, "Open")->isEnabled() && page->button(kMac, "Save")->isEnabled());
    QVERIFY(page->enableBox(kProto)->isEnabled());
    // An infrastructure access point has them.
    w->record().setU16(cfg::NetworkMode, 1);
    w->record().setU16(cfg::UnitType, 0);
    page->load();
    QVERIFY(page->enableBox(kMac)->isEnabled());
    QVERIFY(active(kMac));
  }

  void storesTheSettings_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("otherAfterRefusal");
    QTest::addColumn<int>("otherAfterPermission");
    QTest::newRow("level 3 stores the choice") << 3 << 0 << 1;
    QTest::newRow("level 0 always refuses") << 0 << 0 << 0;
  }
  void storesTheSettings() {
    QFETCH(int, level);
    QFETCH(int, otherAfterRefusal);
    QFETCH(int, otherAfterPermission);
    openPage(level);
    setMacTable({}, false);
    clickBox(page->enableBox(kMac));
    if (level >= 3) {
      pick(page->otherAccessBox(kMac), "Refusal");
    } else {
      page->store();
    }
    QCOMPARE(macBlock().filterOn(), std::uint16_t(1));
    QCOMPARE(int(macBlock().otherAccess()), otherAfterRefusal);
    if (level >= 3) pick(page->otherAccessBox(kMac), "Permission");
    // Another tab and back: the page was stored and shows the same.
    w->tabs()->setCurrentIndex(CConfigDlg::SnmpPage);
    QCOMPARE(int(macBlock().otherAccess()), otherAfterPermission);
    w->tabs()->setCurrentIndex(CConfigDlg::FilterPage);
    QVERIFY(page->enableBox(kMac)->isChecked());
    QVERIFY(page->list(kMac)->isEnabled());
    QCOMPARE(page->otherAccessBox(kMac)->currentText(), QString(otherAfterPermission ? "Permission" : "Refusal"));
  }

  void tabLeavesAtThePageEnds() {
    openPage(3);
    setMacTable({}, false);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    // With the MAC filter off, its switch is still the first stop.
    QCOMPARE(page->firstControl(), static_cast<QWidget*>(page->enableBox(kMac)));
    page->lastControl()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->button("Password")));
    page->firstControl()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->tabs()->tabBar()));
  }

  // ------------------------------------------------------------ MAC entries

  void newMacRangeIsStoredInOrder() {
    openPage(3);
    setMacTable({});
    auto seen = onModal<CMacFilterDlg>([](CMacFilterDlg* ed) {
      QCOMPARE(ed->numberText()->text(), QString("1"));
      QVERIFY(!ed->rangeBox()->isChecked());
      QCOMPARE(ed->accessBox()->currentText(), QString("Permission"));
      QCOMPARE(items(ed->accessBox()), (QStringList{"Disabled", "Permission", "Refusal"}));
      QVERIFY(!ed->addressField(1, 0)->isEnabled());
      nothingCutOff(ed);
      typeAddress(ed, 0, {"00", "11", "22", "33", "44", "ff"});
      clickBox(ed->rangeBox());
      QVERIFY(ed->addressField(1, 0)->isEnabled());
      // The second address is what the entry held: a new one holds zeros.
      QCOMPARE(addressFields(ed, 1), (QStringList{"00", "00", "00", "00", "00", "00"}));
      typeAddress(ed, 1, {"00", "11", "22", "33", "44", "00"});
      pick(ed->accessBox(), "Refusal");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click(kMac, "New");
    QVERIFY(*seen);
    QVERIFY(messages.isEmpty());
    QCOMPARE(macBlock().entryCount(), std::uint16_t(1));
    const MacFilterEntry e = macBlock().entry(0);
    QCOMPARE(e.flags, std::uint16_t(0x11));
    QCOMPARE(formatMac(e.address1), std::string("00-11-22-33-44-00"));
    QCOMPARE(formatMac(e.address2), std::string("00-11-22-33-44-FF"));
    QCOMPARE(row(page->list(kMac), 0), (QStringList{"1", "00-11-22-33-44-00", "00-11-22-33-44-FF", "Refusal"}));
    QVERIFY(page->list(kMac)->topLevelItem(0)->isSelected());
    QCOMPARE(page->numberLabel(kMac)->text(), QString("   1/1024"));
  }

  // Each address of the editor is one row: a pasted address fills it, typing
  // runs on from a full box, and neither spills into the other address.
  void macAddressesPastedAndTypedWhole() {
    openPage(3);
    setMacTable({});
    int refused = 0;
    auto seen = onModal<CMacFilterDlg>([&](CMacFilterDlg* ed) {
      for (int a = 0; a < 2; ++a)
        for (int k = 0; k < 6; ++k)
          connect(ed->addressField(a, k), &CHexEdit::invalidCharacter, ed, [&refused] { ++refused; });
      pasteInto(ed->addressField(0, 0), "00-11-22-33-44-55");
      QCOMPARE(addressFields(ed, 0), (QStringList{"00", "11", "22", "33", "44", "55"}));
      clickBox(ed->rangeBox());
      ed->addressField(1, 0)->setFocus();
      ed->addressField(1, 0)->selectAll();
      for (QChar c : QString("001122334466f")) QTest::keyClicks(ed->focusWidget(), QString(c));
      QCOMPARE(addressFields(ed, 1), (QStringList{"00", "11", "22", "33", "44", "66"}));
      QCOMPARE(addressFields(ed, 0), (QStringList{"00", "11", "22", "33", "44", "55"}));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click(kMac, "New");
    QVERIFY(*seen);
    QCOMPARE(refused, 1);  // the "f" past the last box
    QCOMPARE(formatMac(macBlock().entry(0).address1), std::string("00-11-22-33-44-55"));
    QCOMPARE(formatMac(macBlock().entry(0).address2), std::string("00-11-22-33-44-66"));
  }

  void clearingRangeTakesTheFirstAddressAndNoAccess() {
    openPage(3);
    setMacTable({MacFilterEntry::make(lobby(0x00), lobby(0xFF), true, AccessRefuse)});
    auto seen = onModal<CMacFilterDlg>([](CMacFilterDlg* ed) {
      QVERIFY(ed->rangeBox()->isChecked());
      QCOMPARE(addressFields(ed, 1), (QStringList{"00", "11", "22", "33", "44", "FF"}));
      QCOMPARE(ed->accessBox()->currentText(), QString("Refusal"));
      retype(ed->addressField(0, 5), "20");
      clickBox(ed->rangeBox());
      QCOMPARE(addressFields(ed, 1), (QStringList{"00", "11", "22", "33", "44", "20"}));
      QVERIFY(!ed->addressField(1, 5)->isEnabled());
      QCOMPARE(ed->accessBox()->currentText(), QString("Disabled"));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    doubleClickRow(kMac, 0);
    QVERIFY(*seen);
    const MacFilterEntry e = macBlock().entry(0);
    QCOMPARE(e.flags, std::uint16_t(0));
    QCOMPARE(e.address2, lobby(0x20));
    QCOMPARE(row(page->list(kMac), 0), (QStringList{"1", "00-11-22-33-44-20", "", "Disabled"}));
    QVERIFY(page->list(kMac)->topLevelItem(0)->isSelected());
  }

  void macConflictKeepsTheEditorOpen() {
    openPage(0);
    setMacTable({MacFilterEntry::make(lobby(0x10), lobby(0x10), false, AccessPermit)});
    auto seen = onModal<CMacFilterDlg>([this](CMacFilterDlg* ed) {
      QCOMPARE(ed->numberText()->text(), QString("2"));
      QVERIFY(!ed->accessBox()->isVisible());
      clickBox(ed->rangeBox());
      typeAddress(ed, 0, {"00", "11", "22", "33", "44", "00"});
      typeAddress(ed, 1, {"00", "11", "22", "33", "44", "FF"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Already exist."});
      QVERIFY(ed->isVisible());
      // Equal ends are one address, and one that clashes with nothing.
      typeAddress(ed, 1, {"00", "11", "22", "33", "44", "00"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click(kMac, "New");
    QVERIFY(*seen);
    QCOMPARE(messages, QStringList{"Already exist."});
    QCOMPARE(macBlock().entryCount(), std::uint16_t(2));
    QCOMPARE(macBlock().entry(1).flags, std::uint16_t(0x03));
    QCOMPARE(macBlock().entry(1).address2, lobby(0x00));

    // Cancel leaves nothing behind, not even in the slot past the table.
    auto cancelled = onModal<CMacFilterDlg>([](CMacFilterDlg* ed) {
      typeAddress(ed, 0, {"00", "11", "22", "33", "44", "77"});
      QTest::mouseClick(ed->cancelButton(), Qt::LeftButton);
    });
    click(kMac, "New");
    QVERIFY(*cancelled);
    QCOMPARE(macBlock().entryCount(), std::uint16_t(2));
    QVERIFY(macBlock().entry(2) == MacFilterEntry{});
    QCOMPARE(page->list(kMac)->topLevelItemCount(), 2);
  }

  void fullTablesTakeNoNewEntry_data() {
    QTest::addColumn<int>("table");
    QTest::newRow("1024 MAC entries") << int(kMac);
    QTest::newRow("256 protocol entries") << int(kProto);
  }
  void fullTablesTakeNoNewEntry() {
    QFETCH(int, table);
    const auto t = static_cast<CFilterPage::Table>(table);
    openPage(3);
    std::vector<MacFilterEntry> macs;
    for (int i = 0; i < 1024; ++i) {
      MacAddress a{{0x00, 0x80, 0x92, 0x00, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)}};
      macs.push_back(MacFilterEntry::make(a, a, false, AccessPermit));
    }
    std::vector<ProtocolFilterEntry> protos;
    for (int i = 0; i < 256; ++i) protos.push_back(tcp80(InterfaceAll));
    if (t == kMac)
      setMacTable(macs);
    else
      setProtoTable(protos);
    QCOMPARE(page->numberLabel(t)->text(), QString(t == kMac ? "1024/1024" : " 256/ 256"));
    auto macSeen = onModal<CMacFilterDlg>([](CMacFilterDlg*) {});
    auto protoSeen = onModal<CProtFilterDlg>([](CProtFilterDlg*) {});
    click(t, "New");
    QVERIFY(!*macSeen && !*protoSeen);
    QCOMPARE(messages, QStringList{"Can't add list"});
  }

  void deleteClosesTheGap() {
    openPage(3);
    setMacTable({MacFilterEntry::make(lobby(1), lobby(1), false, AccessPermit),
                 MacFilterEntry::make(lobby(2), lobby(2), false, AccessRefuse),
                 MacFilterEntry::make(lobby(3), lobby(9), true, AccessDisabled)});
    // The table keeps what no rule names: a reserved word a unit returned.
    MacFilterEntry third = macBlock().entry(2);
    third.reserved = 0x5A5A;
    macBlock().setEntry(2, third);
    clickRow(kMac, 1);
    click(kMac, "Delete");
    QCOMPARE(page->list(kMac)->topLevelItemCount(), 2);
    QCOMPARE(row(page->list(kMac), 1), (QStringList{"2", "00-11-22-33-44-03", "00-11-22-33-44-09", "Disabled"}));
    QCOMPARE(page->numberLabel(kMac)->text(), QString("   2/1024"));
    QCOMPARE(macBlock().entryCount(), std::uint16_t(2));
    QVERIFY(macBlock().entry(1) == third);
    QVERIFY(macBlock().entry(2) == MacFilterEntry{});

    // Without a selection nothing happens; "All" and "Delete" from the
    // popup empty the list; "Release" clears a selection.
    page->list(kMac)->clearSelection();
    click(kMac, "Delete");
    QCOMPARE(page->list(kMac)->topLevelItemCount(), 2);
    listMenu(kMac, Qt::Key_A);
    QCOMPARE(page->list(kMac)->selectedItems().size(), 2);
    listMenu(kMac, Qt::Key_C);
    QCOMPARE(page->list(kMac)->selectedItems().size(), 0);
    listMenu(kMac, Qt::Key_A);
    listMenu(kMac, Qt::Key_D);
    QCOMPARE(page->list(kMac)->topLevelItemCount(), 0);
    QCOMPARE(macBlock().entryCount(), std::uint16_t(0));
    QCOMPARE(page->numberLabel(kMac)->text(), QString("   0/1024"));
  }

  // ------------------------------------------------------- protocol entries

  void userDefinedEtherTypeMustExceed1500() {
    openPage(3);
    setProtoTable({});
    auto seen = onModal<CProtFilterDlg>([this](CProtFilterDlg* ed) {
      QComboBox* ether = ed->choiceBox(FieldEtherType);
      QCOMPARE(items(ether),
               (QStringList{"<=1500 (802.3)", "0x0800 (IP)", "0x0806 (ARP)", "0x8035 (RARP)", "User Defined"}));
      QCOMPARE(items(ed->choiceBox(FieldProtocol)),
               (QStringList{"1 (ICMP)", "6 (TCP)", "17 (UDP)", "All", "User Defined"}));
      QCOMPARE(items(ed->choiceBox(FieldPort)), (QStringList{"All", "User Defined"}));
      QCOMPARE(items(ed->interfaceBox()), (QStringList{"Ethernet", "Wireless", "All"}));
      QCOMPARE(ether->currentText(), QString("<=1500 (802.3)"));
      QVERIFY(!ed->valueField(FieldEtherType)->isEnabled());
      QVERIFY(!ed->choiceBox(FieldProtocol)->isEnabled());
      QCOMPARE(ed->valueField(FieldEtherType)->maxLength(), 13);
      nothingCutOff(ed);
      pick(ether, "User Defined");
      QCOMPARE(ed->valueField(FieldEtherType)->text(), QString("0x05DD"));
      QVERIFY(ed->valueField(FieldEtherType)->isEnabled());
      retype(ed->valueField(FieldEtherType), "1500");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Invalid parameter."});
      QVERIFY(ed->isVisible());
      // Another type and back: the number typed is there again, and its
      // field takes input although the number doesn't read yet.
      pick(ether, "0x0800 (IP)");
      QVERIFY(!ed->valueField(FieldEtherType)->isEnabled());
      QVERIFY(ed->choiceBox(FieldProtocol)->isEnabled());
      pick(ether, "User Defined");
      QCOMPARE(ed->valueField(FieldEtherType)->text(), QString("1500"));
      QVERIFY(ed->valueField(FieldEtherType)->isEnabled());
      retype(ed->valueField(FieldEtherType), "0x05dd");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click(kProto, "New");
    QVERIFY(*seen);
    QCOMPARE(messages, QStringList{"Invalid parameter."});
    const ProtocolFilterEntry e = protoBlock().entry(0);
    QCOMPARE(e.flags, std::uint32_t(0x23));
    QCOMPARE(e.etherLow, std::uint16_t(0x05DD));
    QCOMPARE(e.iface, std::uint16_t(InterfaceAll));
    QCOMPARE(row(page->list(kProto), 0), (QStringList{"1", "0x05DD", "", "", "", "All", "Permission"}));
  }

  void ipTcpPortWithItsSide() {
    openPage(3);
    setProtoTable({});
    auto seen = onModal<CProtFilterDlg>([](CProtFilterDlg* ed) {
      pick(ed->choiceBox(FieldEtherType), "0x0800 (IP)");
      QVERIFY(ed->choiceBox(FieldProtocol)->isEnabled());
      QCOMPARE(ed->choiceBox(FieldProtocol)->currentText(), QString("All"));
      QVERIFY(!ed->choiceBox(FieldPort)->isEnabled());
      pick(ed->choiceBox(FieldProtocol), "6 (TCP)");
      QVERIFY(ed->choiceBox(FieldPort)->isEnabled());
      QCOMPARE(ed->choiceBox(FieldPort)->currentText(), QString("All"));
      QVERIFY(!ed->sourceBox()->isEnabled());
      pick(ed->choiceBox(FieldPort), "User Defined");
      QCOMPARE(ed->valueField(FieldPort)->text(), QString("0"));
      QVERIFY(ed->sourceBox()->isEnabled() && ed->sourceBox()->isChecked());
      QVERIFY(ed->destinationBox()->isEnabled() && ed->destinationBox()->isChecked());
      retype(ed->valueField(FieldPort), "80");
      clickBox(ed->sourceBox());
      QVERIFY(!ed->sourceBox()->isChecked());
      // The last box checked stays checked.
      clickBox(ed->destinationBox());
      QVERIFY(ed->destinationBox()->isChecked());
      pick(ed->interfaceBox(), "Ethernet");
      pick(ed->accessBox(), "Refusal");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click(kProto, "New");
    QVERIFY(*seen);
    QVERIFY(messages.isEmpty());
    QCOMPARE(row(page->list(kProto), 0),
             (QStringList{"1", "0x0800 (IP)", "6 (TCP)", "80", "Destination", "Ethernet", "Refusal"}));
    QVERIFY(protoBlock().entry(0) == [] {
      ProtocolFilterEntry e = tcp80(InterfaceEthernet);
      e.setAccess(AccessRefuse);
      return e;
    }());

    // Shown again, an ARP entry offers neither protocol nor port.
    auto arp = onModal<CProtFilterDlg>([](CProtFilterDlg* ed) {
      QCOMPARE(ed->numberText()->text(), QString("1"));
      QCOMPARE(ed->valueField(FieldPort)->text(), QString("80"));
      pick(ed->choiceBox(FieldEtherType), "0x0806 (ARP)");
      QVERIFY(!ed->choiceBox(FieldProtocol)->isEnabled());
      QVERIFY(!ed->choiceBox(FieldPort)->isEnabled());
      QVERIFY(!ed->sourceBox()->isEnabled());
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    doubleClickRow(kProto, 0);
    QVERIFY(*arp);
    QCOMPARE(row(page->list(kProto), 0), (QStringList{"1", "0x0806 (ARP)", "", "", "", "Ethernet", "Refusal"}));
    QCOMPARE(protoBlock().entry(0).flags & ~std::uint32_t(0x3), std::uint32_t(0));
  }

  void protocolConflictsDependOnInterface() {
    openPage(3);
    setProtoTable({tcp80(InterfaceEthernet), tcp80(InterfaceWireless), tcp80(InterfaceAll, PortSource)});
    QCOMPARE(row(page->list(kProto), 2),
             (QStringList{"3", "0x0800 (IP)", "6 (TCP)", "80", "Source", "All", "Permission"}));
    // The Wireless one on all interfaces meets the Ethernet one.
    auto seen = onModal<CProtFilterDlg>([this](CProtFilterDlg* ed) {
      QCOMPARE(ed->interfaceBox()->currentText(), QString("Wireless"));
      QVERIFY(ed->destinationBox()->isChecked() && !ed->sourceBox()->isChecked());
      pick(ed->interfaceBox(), "All");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Already exist."});
      QVERIFY(ed->isVisible());
      QTest::mouseClick(ed->cancelButton(), Qt::LeftButton);
    });
    doubleClickRow(kProto, 1);
    QVERIFY(*seen);
    QCOMPARE(protoBlock().entry(1).iface, std::uint16_t(InterfaceWireless));
    // The source-only one, edited to the destination side, meets both.
    auto side = onModal<CProtFilterDlg>([this](CProtFilterDlg* ed) {
      clickBox(ed->destinationBox());
      clickBox(ed->sourceBox());
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, (QStringList{"Already exist.", "Already exist."}));
    });
    doubleClickRow(kProto, 2);
    QVERIFY(*side);
    QCOMPARE(protoBlock().entry(2).portSide(), unsigned(PortSource));
  }

  // ------------------------------------------------------------------ files

  void saveBelowLevelThreeWritesNoAccess() {
    openPage(0);
    QTemporaryDir dir;
    chosenPath = dir.filePath("logflist");
    setMacTable({MacFilterEntry::make(lobby(0x55), lobby(0x55), false, AccessRefuse),
                 MacFilterEntry::make(lobby(0x00), lobby(0xFF), true, AccessPermit)});
    click(kMac, "Save");
    QCOMPARE(asked, QStringList{"save logflist MAC Address Filter File (logflist);;All Files (*)"});
    QStringList lines = fileLines(chosenPath);
    lines.removeAll(QString());
    QCOMPARE(lines, (QStringList{"[AP Login Filter Tables]", "APLoginFilter=Enabled", "NodeAddress1=00-11-22-33-44-55",
                                 "NodeAddress2=00-11-22-33-44-00,00-11-22-33-44-FF"}));
    QVERIFY(messages.isEmpty());

    // A file that can't be created.
    chosenPath = dir.filePath("no such folder/logflist");
    click(kMac, "Save");
    QCOMPARE(messages, QStringList{"File not found."});
  }

  void openLoadsTheTable() {
    openPage(3);
    QTemporaryDir dir;
    chosenPath = dir.filePath("prtflist");
    writeFile(chosenPath,
              "[Protocol Filter Tables]\r\nProtocolFilter=Enabled\r\nProtFilOtherAccess=Enabled\r\n"
              "ProtocolType1=IP,TCP,80,2,1,2\r\nProtocolType=0x0800,UDP,1000-2000\r\n");
    setProtoTable({}, false);
    click(kProto, "Open");
    QCOMPARE(asked, QStringList{"open prtflist Protocol Filter File (prtflist);;All Files (*)"});
    QVERIFY(messages.isEmpty());
    QVERIFY(page->enableBox(kProto)->isChecked());
    QVERIFY(page->list(kProto)->isEnabled());
    QCOMPARE(page->otherAccessBox(kProto)->currentText(), QString("Permission"));
    QCOMPARE(page->list(kProto)->topLevelItemCount(), 2);
    QCOMPARE(row(page->list(kProto), 0),
             (QStringList{"1", "0x0800 (IP)", "6 (TCP)", "80", "Destination", "Ethernet", "Refusal"}));
    QCOMPARE(row(page->list(kProto), 1),
             (QStringList{"2", "0x0800 (IP)", "17 (UDP)", "1000-2000", "Source+Destination", "All", "Permission"}));
    QCOMPARE(page->numberLabel(kProto)->text(), QString("   2/ 256"));

    // From the popup, a file that isn't there: the chooser hands the name on
    // and the page says so; the table stays as it was.
    chosenPath = dir.filePath("missing");
    listMenu(kProto, Qt::Key_O);
    QCOMPARE(messages, QStringList{"File not found."});
    QCOMPARE(protoBlock().entryCount(), std::uint16_t(2));
    QCOMPARE(page->list(kProto)->topLevelItemCount(), 2);
    // No choice, nothing done.
    chosenPath.clear();
    click(kProto, "Open");
    QCOMPARE(messages.size(), 1);
    QCOMPARE(protoBlock().entryCount(), std::uint16_t(2));
  }
};

QTEST_MAIN(FilterPageTest)
#include "filter_page_test.moc"
