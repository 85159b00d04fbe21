// The Access Point List window and the node editor, driven the way a person
// uses them: clicks, typed keys and menus. Each test then reads the settings
// file (and the node list files) that came out.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "support/modal_watch.h"
#include "core/registry/node_table.h"
#include "platform/app/codepage.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_edit_dialog.h"
#include "ui/registry/node_list_dialog.h"

using namespace trennic;
using trennic::ui::CNodeEditDlg;
using trennic::ui::CNodeListDlg;

namespace {

// The "NodeList" lines of a profile file, as they stand in it.
QStringList nodeListLines(const QString& path) {
  QFile f(path);
  QStringList out;
  if (!f.open(QIODevice::ReadOnly)) return out;
  bool inList = false;
  for (const QByteArray& raw : f.readAll().split('\n')) {
    QString line = QString::fromLatin1(raw).trimmed();
    if (line.startsWith('[')) {
      inList = line.compare("[NodeList]", Qt::CaseInsensitive) == 0;
    } else if (inList && !line.isEmpty()) {
      out << line;
    }
  }
  return out;
}

void writeFile(const QString& path, const QStringList& lines) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  for (const QString& l : lines) f.write((l + "\n").toLatin1());
}

void retype(QLineEdit* e, const QString& text) {
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
}

void typeMac(CNodeEditDlg* ed, const QStringList& bytes) {
  for (int k = 0; k < 6; ++k) retype(ed->macField(k), bytes.value(k));
}

void typeIp(CNodeEditDlg* ed, const QStringList& octets) {
  for (int k = 0; k < 4; ++k) retype(ed->ipField(k), octets.value(k));
}

QStringList macFields(CNodeEditDlg* ed) {
  QStringList out;
  for (int k = 0; k < 6; ++k) out << ed->macField(k)->text();
  return out;
}

QStringList ipFields(CNodeEditDlg* ed) {
  QStringList out;
  for (int k = 0; k < 4; ++k) out << ed->ipField(k)->text();
  return out;
}

QAction* actionNamed(const QList<QAction*>& actions, const QString& text) {
  for (QAction* a : actions)
    if (a->text() == text) return a;
  return nullptr;
}

}  // namespace

class NodeListTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir;
  QString settings;
  std::unique_ptr<testing::SimProcess> sim;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<ui::CProgressDlg> progress;
  std::unique_ptr<CNodeListDlg> dlg;
  QStringList messages;
  testing::ModalWatchers watchers;

  template <class T>
  std::shared_ptr<bool> onModal(std::function<void(T*)> f) {
    return watchers.onModal<T>(std::move(f));
  }

  // The window as the main window opens it, over a settings file that holds
  // these NodeList values as Entry1, Entry2, ...
  void openWindow(const QStringList& entries) {
    QStringList lines{"[Environment]", "TopWin=0", "[NodeList]"};
    for (int i = 0; i < entries.size(); ++i) lines << QString("Entry%1=%2").arg(i + 1).arg(entries[i]);
    writeFile(settings, lines);
    nodes = std::make_unique<NodeTable>(settings.toStdString(), platform::userTextEncoding());
    nodes->loadFromSettings();
    if (!rt) rt = std::make_unique<platform::EngineRuntime>();
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
    dlg = std::make_unique<CNodeListDlg>(*nodes, *progress);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
  }

  QTreeWidget* list() const { return dlg->list(); }

  QStringList rowTexts(int r) const {
    QStringList out;
    for (int c = 0; c < 4; ++c) out << list()->topLevelItem(r)->text(c);
    return out;
  }

  void clickRow(int r, Qt::KeyboardModifiers mods = {}) {
    QRect rect = list()->visualItemRect(list()->topLevelItem(r));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, mods, rect.center());
  }

  // A person's double-click: the first click's press and release, then the
  // double-click event, which is all QTest::mouseDClick delivers to a widget.
  void doubleClickRow(int r) {
    QRect rect = list()->visualItemRect(list()->topLevelItem(r));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
  }

  void clickHeader(int column) {
    QHeaderView* h = list()->header();
    QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
  }

  void click(const QString& button) {
    QPushButton* b = dlg->button(button);
    QVERIFY2(b, qPrintable(button));
    QTest::mouseClick(b, Qt::LeftButton);
  }

  // Right-click in the empty part of the list and pick an item of the popup
  // by its accelerator key.
  void listMenu(Qt::Key key) {
    QWidget* vp = list()->viewport();
    QPoint p(vp->width() / 2, vp->height() - 4);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, vp->mapToGlobal(p));
    QApplication::sendEvent(vp, &e);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 5);
    QTest::keyClick(menu, key);
  }

  void fileMenu(const QString& item) {
    auto* bar = dlg->findChild<QMenuBar*>();
    QVERIFY(bar);
    QAction* file = actionNamed(bar->actions(), "File(&F)");
    QVERIFY(file && file->menu());
    QAction* a = actionNamed(file->menu()->actions(), item);
    QVERIFY2(a, qPrintable(item));
    a->trigger();
  }

  int selectedCount() const { return list()->selectedItems().size(); }

 private slots:
  void initTestCase() {
    // A short tick keeps the six ticks of a search quick.
    qputenv("TRENNIC_TICK_MS", "20");
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
  }
  void init() {
    messages.clear();
    dir = std::make_unique<QTemporaryDir>();
    settings = dir->filePath("Trennic.INI");
  }
  void cleanup() {
    qunsetenv("TRENNIC_CODEPAGE");
    watchers.clear();
    dlg.reset();
    progress.reset();
    nodes.reset();
    rt.reset();
    if (sim) sim->stop();
    sim.reset();
    dir.reset();
  }

  void opensWithTheTableAndItsLayout() {
    openWindow({"2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "1,00-80-92-00-00-02,192.168.1.11,\"\",-.--"});
    QCOMPARE(dlg->windowTitle(), QString("Access Point List"));
    QCOMPARE(list()->topLevelItemCount(), 2);
    QCOMPARE(rowTexts(0), (QStringList{"Hall", "00-80-92-00-00-01", "192.168.1.10", "2.01"}));
    QCOMPARE(rowTexts(1), (QStringList{"", "00-80-92-00-00-02", "192.168.1.11", "-.--"}));
    QCOMPARE(dlg->numberLabel()->text(), QString("   2/1024"));
    const QStringList headers{"Access Point", "MAC Address", "IP Address", "Version"};
    const int widths[] = {140, 140, 110, 85};
    for (int c = 0; c < 4; ++c) {
      QCOMPARE(list()->headerItem()->text(c), headers[c]);
      QCOMPARE(list()->columnWidth(c), widths[c]);
    }
    QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(list()->selectionBehavior(), QAbstractItemView::SelectRows);
    // All four columns fit without a horizontal scroll bar.
    QVERIFY(list()->viewport()->width() >= 140 + 140 + 110 + 85);
    for (const char* b : {"Search", "Clear", "New", "Delete", "Exit"}) QVERIFY2(dlg->button(b), b);
    // Nothing is cut off at the default font.
    for (QLabel* l : dlg->findChildren<QLabel*>())
      QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
    for (QPushButton* b : dlg->findChildren<QPushButton*>())
      QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
  }

  void newNodeWithUntouchedIpGetsTheDefaultAddress() {
    openWindow({});
    auto seen = onModal<CNodeEditDlg>(
        [](CNodeEditDlg* ed) {
          QCOMPARE(ed->windowTitle(), QString());
          QVERIFY(!ed->addButton()->isVisible());
          QCOMPARE(macFields(ed), (QStringList{"00", "00", "00", "00", "00", "00"}));
          QCOMPARE(ipFields(ed), (QStringList{"10", "0", "0", "0"}));
          for (int k = 0; k < 6; ++k) QVERIFY(ed->macField(k)->isEnabled());
          for (QLabel* l : ed->findChildren<QLabel*>())
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
          for (int k = 0; k < 6; ++k)
            QVERIFY(ed->macField(k)->width() > ed->macField(k)->fontMetrics().horizontalAdvance("DD"));
          QTest::keyClicks(ed->nameEdit(), "Roof");
          typeMac(ed, {"00", "11", "22", "ab", "CD", "EF"});
          QCOMPARE(ipFields(ed), (QStringList{"10", "171", "205", "239"}));
          QTest::mouseClick(ed->okButton(), Qt::LeftButton);
        });
    click("New");
    QVERIFY(*seen);
    QVERIFY(messages.isEmpty());
    QCOMPARE(nodeListLines(settings), QStringList{"Entry1=2,00-11-22-AB-CD-EF,10.171.205.239,\"Roof\","});
    QCOMPARE(list()->topLevelItemCount(), 1);
    QCOMPARE(rowTexts(0), (QStringList{"Roof", "00-11-22-AB-CD-EF", "10.171.205.239", ""}));
    QCOMPARE(dlg->numberLabel()->text(), QString("   1/1024"));
  }

  void namesAreStoredInTheUsersCodePage() {
    qputenv("TRENNIC_CODEPAGE", "Shift_JIS");
    if (!platform::encodeText(QString::fromUtf8("\u30bd"))) QSKIP("no Shift_JIS converter");
    openWindow({});
    // Both characters end in the byte of a backslash, which is never escaped.
    const QString name = QString::fromUtf8("\u30bd\u8868");
    auto seen = onModal<CNodeEditDlg>([&](CNodeEditDlg* ed) {
      // Japanese text comes from the input method, committed at once.
      QInputMethodEvent ime;
      ime.setCommitString(name);
      QApplication::sendEvent(ed->nameEdit(), &ime);
      typeMac(ed, {"00", "80", "92", "00", "00", "05"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click("New");
    QVERIFY(*seen);
    QVERIFY(messages.isEmpty());
    QFile f(settings);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("Entry1=2,00-80-92-00-00-05,10.0.0.5,\"\x83\x5C\x95\x5C\","));
    QCOMPARE(rowTexts(0)[0], name);
    // Opened again, the list shows the name as it was typed.
    dlg->hide();
    nodes->loadFromSettings();
    dlg->show();
    QCOMPARE(rowTexts(0)[0], name);
    // The same bytes are what an edit compares, so nothing is lost.
    auto again = onModal<CNodeEditDlg>([&](CNodeEditDlg* ed) {
      QCOMPARE(ed->nameEdit()->text(), name);
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    doubleClickRow(0);
    QVERIFY(*again);
    QVERIFY(messages.isEmpty());
  }

  void newNodeTypedIpIsKept() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    auto seen = onModal<CNodeEditDlg>([](CNodeEditDlg* ed) {
      typeIp(ed, {"172", "16", "0", "9"});
      // A MAC typed after the address no longer moves it.
      typeMac(ed, {"00", "80", "92", "00", "00", "09"});
      QCOMPARE(ipFields(ed), (QStringList{"172", "16", "0", "9"}));
      QTest::keyClick(ed->ipField(3), Qt::Key_Return);
    });
    click("New");
    QVERIFY(*seen);
    QCOMPARE(nodeListLines(settings), (QStringList{"Entry1=0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01",
                                                   "Entry2=2,00-80-92-00-00-09,172.16.0.9,\"\","}));
    QCOMPARE(list()->topLevelItemCount(), 2);
  }

  // The MAC and IP rows each work as one field: a copied MAC address fills
  // all six boxes (and moves the default IP address with it), and an IP
  // address typed straight through runs on from box to box.
  void addressesPastedAndTypedWhole() {
    openWindow({});
    int refused = 0;
    auto seen = onModal<CNodeEditDlg>([&refused](CNodeEditDlg* ed) {
      for (int k = 0; k < 4; ++k)
        QObject::connect(ed->ipField(k), &CDecimalEdit::invalidCharacter, ed, [&refused] { ++refused; });
      ed->macField(0)->setFocus();
      ed->macField(0)->selectAll();
      QApplication::clipboard()->setText("00-11-22-ab-CD-EF\n");
      QTest::keyClick(ed->macField(0), Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(macFields(ed), (QStringList{"00", "11", "22", "ab", "CD", "EF"}));
      QCOMPARE(ipFields(ed), (QStringList{"10", "171", "205", "239"}));
      ed->ipField(0)->setFocus();
      ed->ipField(0)->selectAll();
      for (QChar c : QString("1921680000099")) QTest::keyClicks(ed->focusWidget(), QString(c));
      QCOMPARE(ipFields(ed), (QStringList{"192", "168", "000", "009"}));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    click("New");
    QVERIFY(*seen);
    QCOMPARE(refused, 1);  // the digit past the last octet
    QCOMPARE(nodeListLines(settings), QStringList{"Entry1=2,00-11-22-AB-CD-EF,192.168.0.9,\"\","});
  }

  void newNodeWithAnEmptyMacFieldIsInvalid() {
    openWindow({});
    auto seen = onModal<CNodeEditDlg>([this](CNodeEditDlg* ed) {
      QTest::keyClicks(ed->nameEdit(), "Roof");
      typeMac(ed, {"00", "11", "", "AB", "CD", "EF"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Invalid parameter."});
      // The editor stays open with what the user typed.
      QVERIFY(ed->isVisible());
      QCOMPARE(macFields(ed), (QStringList{"00", "11", "", "AB", "CD", "EF"}));
      QCOMPARE(ed->nameEdit()->text(), QString("Roof"));
      QTest::mouseClick(ed->cancelButton(), Qt::LeftButton);
    });
    click("New");
    QVERIFY(*seen);
    QCOMPARE(messages, QStringList{"Invalid parameter."});
    QCOMPARE(list()->topLevelItemCount(), 0);
    QVERIFY(nodeListLines(settings).isEmpty());
  }

  void newNodeWithAKnownMacOrIpAlreadyExists() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    auto seen = onModal<CNodeEditDlg>([this](CNodeEditDlg* ed) {
      typeMac(ed, {"00", "80", "92", "00", "00", "01"});
      typeIp(ed, {"10", "0", "0", "77"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Already exist."});
      QVERIFY(ed->isVisible());
      // The same address under another MAC is refused as well.
      typeMac(ed, {"00", "80", "92", "00", "00", "05"});
      typeIp(ed, {"192", "168", "1", "10"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, (QStringList{"Already exist.", "Already exist."}));
      QVERIFY(ed->isVisible());
      QTest::mouseClick(ed->cancelButton(), Qt::LeftButton);
    });
    click("New");
    QVERIFY(*seen);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(nodeListLines(settings), QStringList{"Entry1=0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    QCOMPARE(list()->topLevelItemCount(), 1);
  }

  void newWithAFullTableCannotAdd() {
    QStringList entries;
    for (int i = 0; i < 1024; ++i)
      entries << QString("0,00-00-00-00-%1-%2,10.1.%3.%4,\"\",")
                     .arg(i >> 8, 2, 16, QChar('0'))
                     .arg(i & 0xFF, 2, 16, QChar('0'))
                     .arg(i >> 8)
                     .arg(i & 0xFF)
                     .toUpper();
    openWindow(entries);
    QCOMPARE(dlg->numberLabel()->text(), QString("1024/1024"));
    auto seen = onModal<CNodeEditDlg>([](CNodeEditDlg*) {});
    click("New");
    QVERIFY(!*seen);
    QCOMPARE(messages, QStringList{"Can't add list"});
    QCOMPARE(nodeListLines(settings).size(), 1024);
  }

  void editingOnlyTheNameKeepsTheAddressesAndRewritesTheEntry() {
    openWindow({"2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "1,00-80-92-00-00-02,192.168.1.11,\"\",2.01",
                "2,00-80-92-00-00-03,192.168.1.12,\"Yard\",2.01"});
    auto seen = onModal<CNodeEditDlg>([](CNodeEditDlg* ed) {
      QCOMPARE(macFields(ed), (QStringList{"00", "80", "92", "00", "00", "02"}));
      QCOMPARE(ipFields(ed), (QStringList{"192", "168", "1", "11"}));
      for (int k = 0; k < 6; ++k) QVERIFY(!ed->macField(k)->isEnabled());
      retype(ed->nameEdit(), "Gate");
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    doubleClickRow(1);
    QVERIFY(*seen);
    QVERIFY(messages.isEmpty());
    QCOMPARE(nodeListLines(settings), (QStringList{"Entry1=2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01",
                                                   "Entry2=0,00-80-92-00-00-02,192.168.1.11,\"Gate\",2.01",
                                                   "Entry3=2,00-80-92-00-00-03,192.168.1.12,\"Yard\",2.01"}));
    QCOMPARE(rowTexts(1), (QStringList{"Gate", "00-80-92-00-00-02", "192.168.1.11", "2.01"}));
  }

  void editingTheIpToAnotherNodesIpAlreadyExists() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "0,00-80-92-00-00-02,192.168.1.11,\"\",2.01"});
    clickRow(1);
    auto seen = onModal<CNodeEditDlg>([this](CNodeEditDlg* ed) {
      typeIp(ed, {"192", "168", "1", "10"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Already exist."});
      QVERIFY(ed->isVisible());
      // A free address is taken, and the node is then reached by it.
      typeIp(ed, {"192", "168", "1", "20"});
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
    });
    listMenu(Qt::Key_E);
    QVERIFY(*seen);
    QCOMPARE(messages, QStringList{"Already exist."});
    QCOMPARE(nodeListLines(settings), (QStringList{"Entry1=0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01",
                                                   "Entry2=2,00-80-92-00-00-02,192.168.1.20,\"\",2.01"}));
  }

  void editWithoutASelectionCanOnlyBeCancelled() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    auto seen = onModal<CNodeEditDlg>([this](CNodeEditDlg* ed) {
      QCOMPARE(macFields(ed), (QStringList{"00", "00", "00", "00", "00", "00"}));
      QTest::mouseClick(ed->okButton(), Qt::LeftButton);
      QCOMPARE(messages, QStringList{"Invalid parameter."});
      QVERIFY(ed->isVisible());
      QTest::keyClick(ed, Qt::Key_Escape);
      QVERIFY(!ed->isVisible());
    });
    listMenu(Qt::Key_E);
    QVERIFY(*seen);
    QCOMPARE(messages, QStringList{"Invalid parameter."});
    QCOMPARE(nodeListLines(settings), QStringList{"Entry1=0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
  }

  void deleteRemovesTheSelectedRowsAndRenumbers() {
    openWindow({"2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "1,00-80-92-00-00-02,192.168.1.11,\"\",2.01",
                "2,00-80-92-00-00-03,192.168.1.12,\"Yard\",2.01"});
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    QCOMPARE(selectedCount(), 2);
    click("Delete");
    QVERIFY(messages.isEmpty());
    // The rows left are written again in row order, with route 0.
    QCOMPARE(nodeListLines(settings), QStringList{"Entry1=0,00-80-92-00-00-02,192.168.1.11,\"\",2.01"});
    QCOMPARE(list()->topLevelItemCount(), 1);
    QCOMPARE(rowTexts(0)[1], QString("00-80-92-00-00-02"));
    QCOMPARE(dlg->numberLabel()->text(), QString("   1/1024"));
    QCOMPARE(selectedCount(), 0);
  }

  void deleteWithoutASelection() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    click("Delete");
    QCOMPARE(messages, QStringList{"No select."});
    QCOMPARE(nodeListLines(settings).size(), 1);
    // The popup's Delete says the same.
    listMenu(Qt::Key_D);
    QCOMPARE(messages, (QStringList{"No select.", "No select."}));
  }

  void popupSelectsAllAndReleases() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "0,00-80-92-00-00-02,192.168.1.11,\"\",2.01",
                "0,00-80-92-00-00-03,192.168.1.12,\"\",2.01"});
    listMenu(Qt::Key_A);
    QCOMPARE(selectedCount(), 3);
    listMenu(Qt::Key_C);
    QCOMPARE(selectedCount(), 0);
    // The popup's New opens the editor.
    auto seen = onModal<CNodeEditDlg>([](CNodeEditDlg* ed) { QTest::mouseClick(ed->cancelButton(), Qt::LeftButton); });
    listMenu(Qt::Key_N);
    QVERIFY(*seen);
    QCOMPARE(list()->topLevelItemCount(), 3);
  }

  void clearLeavesNoEntries() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "0,00-80-92-00-00-02,192.168.1.11,\"\",2.01"});
    click("Clear");
    QVERIFY(messages.isEmpty());
    QVERIFY(nodeListLines(settings).isEmpty());
    QCOMPARE(list()->topLevelItemCount(), 0);
    QCOMPARE(dlg->numberLabel()->text(), QString("   0/1024"));
    // The rest of the settings file stays.
    QFile f(settings);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("TopWin=0"));
  }

  // A folder where the settings file was: every change the window makes is
  // told, once per action, and the list stays as the window shows it.
  void aSettingsFileThatCantBeWrittenIsToldOnEveryChange() {
    openWindow({"0,00-80-92-00-00-01,10.0.0.10,\"b\",2.01", "0,00-80-92-00-00-02,10.0.0.9,\"c\",2.01"});
    QVERIFY(QFile::remove(settings));
    QVERIFY(QDir(dir->path()).mkdir("Trennic.INI"));
    const QString told = "Error occurred.\n\nThe settings file " + settings + " could not be written.";
    clickHeader(2);
    QCOMPARE(messages, QStringList{told});
    QCOMPARE(rowTexts(0)[2], QString("10.0.0.9"));
    clickRow(0);
    click("Delete");
    QCOMPARE(messages, (QStringList{told, told}));
    QCOMPARE(list()->topLevelItemCount(), 1);
    click("Clear");
    QCOMPARE(messages, (QStringList{told, told, told}));
  }

  void headerClicksSortAscendingThenDescending() {
    openWindow({"0,00-80-92-00-00-01,10.0.0.10,\"b\",2.01", "0,00-80-92-00-00-02,10.0.0.9,\"c\",2.01",
                "0,00-80-92-00-00-03,10.0.0.100,\"a\",2.01"});
    clickHeader(2);
    QCOMPARE(nodeListLines(settings), (QStringList{"Entry1=0,00-80-92-00-00-02,10.0.0.9,\"c\",2.01",
                                                   "Entry2=0,00-80-92-00-00-01,10.0.0.10,\"b\",2.01",
                                                   "Entry3=0,00-80-92-00-00-03,10.0.0.100,\"a\",2.01"}));
    QCOMPARE(rowTexts(0)[2], QString("10.0.0.9"));
    QCOMPARE(rowTexts(2)[2], QString("10.0.0.100"));
    clickHeader(2);
    QCOMPARE(nodeListLines(settings), (QStringList{"Entry1=0,00-80-92-00-00-03,10.0.0.100,\"a\",2.01",
                                                   "Entry2=0,00-80-92-00-00-01,10.0.0.10,\"b\",2.01",
                                                   "Entry3=0,00-80-92-00-00-02,10.0.0.9,\"c\",2.01"}));
    QCOMPARE(rowTexts(0)[2], QString("10.0.0.100"));
    // Another column starts ascending.
    clickHeader(0);
    QCOMPARE(rowTexts(0)[0], QString("a"));
    QCOMPARE(rowTexts(2)[0], QString("c"));
    QCOMPARE(nodeListLines(settings).first(), QString("Entry1=0,00-80-92-00-00-03,10.0.0.100,\"a\",2.01"));
  }

  void fileOpenReplacesTheList() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    const QString file = dir->filePath("nodelist.txt");
    writeFile(file, {"[NodeList]", "Entry1=1,00-80-92-00-00-07,192.168.2.7,\"Seven\",2.01",
                     "Entry2=0,00-80-92-00-00-08,192.168.2.8,\"\","});
    bool asked = false;
    dlg->chooseFile = [&](bool forOpening, const QString& proposed) {
      asked = forOpening && proposed == "nodelist.txt";
      return file;
    };
    fileMenu("Open(&O)");
    QVERIFY(asked);
    QVERIFY(messages.isEmpty());
    QCOMPARE(list()->topLevelItemCount(), 2);
    QCOMPARE(rowTexts(0), (QStringList{"Seven", "00-80-92-00-00-07", "192.168.2.7", "2.01"}));
    QCOMPARE(nodeListLines(settings), (QStringList{"Entry1=1,00-80-92-00-00-07,192.168.2.7,\"Seven\",2.01",
                                                   "Entry2=0,00-80-92-00-00-08,192.168.2.8,\"\","}));
    QCOMPARE(dlg->numberLabel()->text(), QString("   2/1024"));
  }

  void fileOpenWithoutANodeListEmptiesTheList() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "0,00-80-92-00-00-02,192.168.1.11,\"\",2.01"});
    const QString file = dir->filePath("other.txt");
    writeFile(file, {"[Something]", "Entry1=0,00-80-92-00-00-09,10.0.0.9,\"\","});
    dlg->chooseFile = [&](bool, const QString&) { return file; };
    fileMenu("Open(&O)");
    QVERIFY(messages.isEmpty());
    QCOMPARE(list()->topLevelItemCount(), 0);
    QVERIFY(nodeListLines(settings).isEmpty());
    QCOMPARE(dlg->numberLabel()->text(), QString("   0/1024"));
  }

  void fileOpenOfAMissingFileChangesNothing() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    dlg->chooseFile = [&](bool, const QString&) { return dir->filePath("missing.txt"); };
    fileMenu("Open(&O)");
    dlg->chooseFile = [&](bool, const QString&) { return QString(); };
    fileMenu("Open(&O)");
    QVERIFY(messages.isEmpty());
    QCOMPARE(list()->topLevelItemCount(), 1);
    QCOMPARE(nodeListLines(settings), QStringList{"Entry1=0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
  }

  void fileSaveWritesTheList() {
    openWindow({"2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01", "1,00-80-92-00-00-02,192.168.1.11,\"\",-.--"});
    const QString file = dir->filePath("export.txt");
    writeFile(file, {"[Old]", "Key=1"});
    bool asked = false;
    dlg->chooseFile = [&](bool forOpening, const QString& proposed) {
      asked = !forOpening && proposed == "nodelist.txt";
      return file;
    };
    fileMenu("Save(&A)");
    QVERIFY(asked);
    QVERIFY(messages.isEmpty());
    QCOMPARE(nodeListLines(file), (QStringList{"Entry1=2,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01",
                                               "Entry2=1,00-80-92-00-00-02,192.168.1.11,\"\",-.--"}));
    // The file holds only the list.
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.readAll().contains("[Old]"));
  }

  void fileSaveThatFailsSaysSo() {
    openWindow({"0,00-80-92-00-00-01,192.168.1.10,\"Hall\",2.01"});
    dlg->chooseFile = [&](bool, const QString&) { return dir->filePath("no-such-folder/nodelist.txt"); };
    fileMenu("Save(&A)");
    QCOMPARE(messages, QStringList{"Error occurred."});
  }

  void searchMergesTheUnitsItFinds() {
    sim = std::make_unique<testing::SimProcess>();
    QVERIFY2(sim->start({"--units", "3"}), qPrintable(sim->error()));
    rt = testing::engineFor(*sim);
    QVERIFY(rt);
    // The second unit is known by name under an address it no longer has.
    openWindow({"0,00-80-92-00-00-02,10.0.0.5,\"Lobby\","});
    clickRow(0);
    click("Search");
    QVERIFY(messages.isEmpty());
    QCOMPARE(list()->topLevelItemCount(), 3);
    QCOMPARE(selectedCount(), 3);
    QCOMPARE(rowTexts(0), (QStringList{"Lobby", "00-80-92-00-00-02", "127.0.0.3", "2.01"}));
    QCOMPARE(dlg->numberLabel()->text(), QString("   3/1024"));
    QStringList lines = nodeListLines(settings);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QString("Entry1=2,00-80-92-00-00-02,127.0.0.3,\"Lobby\",2.01"));
    // The two new units follow in the order they answered. Each answered
    // the retransmission too, and the second merge sees an address other
    // than 10.m3.m4.m5, so the route is left to the merge rules.
    QStringList rest{lines[1].mid(lines[1].indexOf(',')), lines[2].mid(lines[2].indexOf(','))};
    rest.sort();
    QCOMPARE(rest, (QStringList{",00-80-92-00-00-01,127.0.0.2,\"\",2.01", ",00-80-92-00-00-03,127.0.0.4,\"\",2.01"}));
    QVERIFY(lines[1].startsWith("Entry2=") && lines[2].startsWith("Entry3="));
  }

  // The units of a search the list has no room for are told, in one message.
  void searchBeyondAFullListTellsHowManyUnitsWereNotListed() {
    sim = std::make_unique<testing::SimProcess>();
    QVERIFY2(sim->start({"--units", "3"}), qPrintable(sim->error()));
    rt = testing::engineFor(*sim);
    QVERIFY(rt);
    QStringList entries;
    for (int i = 0; i < 1022; ++i)
      entries << QString("0,00-11-22-33-%1-%2,10.1.%3.%4,\"\",")
                     .arg(i >> 8, 2, 16, QChar('0'))
                     .arg(i & 0xFF, 2, 16, QChar('0'))
                     .arg(i >> 8)
                     .arg(i & 0xFF)
                     .toUpper();
    openWindow(entries);
    click("Search");
    QCOMPARE(messages,
             QStringList{"1 of the units that answered could not be listed: the list holds at most 1024 units."});
    QCOMPARE(list()->topLevelItemCount(), 1024);
    QCOMPARE(dlg->numberLabel()->text(), QString("1024/1024"));
  }

  // A settings file in whose place there is a folder or no text: the window
  // opens with an empty list and says why, instead of saying nothing.
  void aSettingsFileThatCannotBeReadIsToldOnOpening() {
    struct Case {
      const char* what;
      std::function<void()> put;
      QString reason;
    } cases[] = {
        {"a folder", [&] { QVERIFY(std::filesystem::create_directory(settings.toStdString())); }, "it is a folder"},
        {"a program", [&] {
           QFile f(settings);
           QVERIFY(f.open(QIODevice::WriteOnly));
           f.write(QByteArray("\x7F" "ELF\x02\x01\x01\x00\x00\x00", 10));
         }, "it is not a text file"},
    };
    for (const auto& c : cases) {
      dlg.reset();
      progress.reset();
      nodes.reset();
      init();
      c.put();
      nodes = std::make_unique<NodeTable>(settings.toStdString(), platform::userTextEncoding());
      nodes->loadFromSettings();
      if (!rt) rt = std::make_unique<platform::EngineRuntime>();
      progress = std::make_unique<ui::CProgressDlg>(rt->link());
      dlg = std::make_unique<CNodeListDlg>(*nodes, *progress);
      dlg->show();
      QTRY_COMPARE(messages, QStringList{"The settings file " + settings + " cannot be read: " + c.reason +
                                         ".\n\nThe list shows none of the units kept in it, and changes to the "
                                         "list are not kept."});
      QCOMPARE(list()->topLevelItemCount(), 0);
    }
  }
};

QTEST_MAIN(NodeListTest)
#include "node_list_test.moc"
