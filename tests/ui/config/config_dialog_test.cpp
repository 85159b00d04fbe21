// The Configuration window against simulated units over loopback: a unit's
// configuration read, edited, written and read back; files saved and
// opened; a unit whose firmware no layout knows.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "core/filters/filter_tables.h"
#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"
#include "support/modal_watch.h"
#include "support/sim_process.h"
#include "ui/app/about_dialog.h"
#include "ui/config/base_page.h"
#include "ui/config/config_dialog.h"
#include "ui/config/filter_page.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"

using namespace trennic;

namespace {

void retype(QLineEdit* e, const QString& text) {
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
}

}  // namespace

class ConfigDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir;
  testing::SimProcess sim;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<ui::CProgressDlg> progress;
  CUtilityApp app;
  QStringList messages;
  int prompts = 0;
  QTimer answerer;
  testing::ModalWatchers watchers;
  std::unique_ptr<ui::CConfigDlg> w;

  ui::CBasePage* base() const { return static_cast<ui::CBasePage*>(w->page(ui::CConfigDlg::BasePage)); }
  QString ip() const {
    QStringList octets;
    for (int o = 0; o < 4; ++o) octets << base()->ipBox(0, o)->text();
    return octets.join('.');
  }

 private slots:
  void initTestCase() {
    qputenv("TRENNIC_TICK_MS", "20");
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
    QVERIFY2(sim.start({"--units", "2", "--unit-option", "2:info-words=0x100,0x120"}), qPrintable(sim.error()));
    rt = testing::engineFor(sim);
    QVERIFY(rt);
    nodes = std::make_unique<NodeTable>(dir.filePath("trennic.INI").toStdString());
    for (int k = 1; k <= 2; ++k) {
      NodeEntry e;
      e.name = k == 1 ? "Lobby" : "Old";
      e.mac = QString("00-80-92-00-00-%1").arg(k, 2, 10, QChar('0')).toStdString();
      e.ip = QString("127.0.0.%1").arg(k + 1).toStdString();
      nodes->AddNode(e);
    }
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
    // The demo units have no password; the confirmation is answered OK.
    connect(&answerer, &QTimer::timeout, this, [this] {
      QWidget* m = QApplication::activeModalWidget();
      if (auto* pw = qobject_cast<ui::CPasswordDlg*>(m)) {
        ++prompts;
        pw->accept();
      } else if (auto* c = qobject_cast<ui::CConfirmDlg*>(m)) {
        c->accept();
      }
    });
    answerer.start(5);
  }
  void init() {
    messages.clear();
    prompts = 0;
    w = std::make_unique<ui::CConfigDlg>(app, *nodes, *progress);
    w->show();
  }
  void cleanup() { watchers.clear(); }

  // Enter in a field of any page ends the typing there: the window stays
  // open and the field holds what was typed, which the pages then store.
  void enterInAFieldNeverClosesTheWindow() {
    QVERIFY(w->button("Exit")->isDefault());
    int fields = 0;
    for (int p = 0; p < ui::CConfigDlg::kPageCount; ++p) {
      w->tabs()->setCurrentIndex(p);
      for (QLineEdit* e : w->page(p)->findChildren<QLineEdit*>()) {
        if (!e->isVisible() || !e->isEnabled() || e->isReadOnly()) continue;
        retype(e, "1");
        const QString typed = e->text();
        QTest::keyClick(e, Qt::Key_Return);
        QVERIFY2(w->isVisible(), qPrintable(w->tabs()->tabText(p) + ": " + e->accessibleName()));
        QCOMPARE(e->text(), typed);
        ++fields;
      }
    }
    QVERIFY(fields > 10);
    w->tabs()->setCurrentIndex(ui::CConfigDlg::BasePage);
    retype(base()->essId(), "Warehouse");
    QTest::keyClick(base()->essId(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(w->isVisible());
    w->tabs()->setCurrentIndex(ui::CConfigDlg::WirelessPage);
    w->tabs()->setCurrentIndex(ui::CConfigDlg::BasePage);
    QCOMPARE(base()->essId()->text(), QString("Warehouse"));
    QCOMPARE(w->transfer().record.text(cfg::ESSID, cfg::ESSIDSize), std::string("Warehouse"));
    QVERIFY(messages.isEmpty());
  }

  // In an entry editor Enter is its OK: the entry is taken, and the window
  // under it stays open.
  void enterInAnEditorTakesTheEntry() {
    w->tabs()->setCurrentIndex(ui::CConfigDlg::FilterPage);
    auto* page = static_cast<ui::CFilterPage*>(w->page(ui::CConfigDlg::FilterPage));
    MacFilterBlock(w->record()).setFilterOn(1);
    page->load();
    auto seen = watchers.onModal<ui::CMacFilterDlg>([](ui::CMacFilterDlg* ed) {
      retype(ed->addressField(0, 5), "7");
      QTest::keyClick(ed->addressField(0, 5), Qt::Key_Return);
      QVERIFY(!ed->isVisible());
    });
    QTest::mouseClick(page->button(ui::CFilterPage::MacTable, "New"), Qt::LeftButton);
    QVERIFY(*seen);
    QVERIFY(w->isVisible());
    QCOMPARE(MacFilterBlock(w->record()).entryCount(), std::uint16_t(1));
    QCOMPARE(formatMac(MacFilterBlock(w->record()).entry(0).address1), std::string("00-00-00-00-00-07"));
  }

  // What closes the window still does: Esc in a field, "Exit", Enter where
  // no field has the focus, and the close box.
  void escExitAndTheCloseBoxStillClose() {
    struct Case {
      const char* how;
      std::function<void()> act;
      int result;
    } cases[] = {
        {"Esc in a field", [&] { retype(base()->essId(), "x"); QTest::keyClick(base()->essId(), Qt::Key_Escape); },
         QDialog::Rejected},
        {"Exit", [&] { QTest::mouseClick(w->button("Exit"), Qt::LeftButton); }, QDialog::Accepted},
        {"Enter on the tab strip",
         [&] {
           w->tabs()->tabBar()->setFocus();
           QTest::keyClick(w->tabs()->tabBar(), Qt::Key_Return);
         },
         QDialog::Accepted},
        {"the close box", [&] { w->close(); }, QDialog::Rejected},
    };
    for (auto& c : cases) {
      w = std::make_unique<ui::CConfigDlg>(app, *nodes, *progress);
      w->show();
      c.act();
      QVERIFY2(!w->isVisible(), c.how);
      QVERIFY2(w->result() == c.result, c.how);
    }
  }

  void readEditWriteAndReadBack() {
    QCOMPARE(ip(), QString("10.0.0.1"));  // the defaults for the first unit
    w->readConfig();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(prompts, 1);
    QCOMPARE(ip(), QString("127.0.0.2"));  // what the unit holds
    base()->essId()->setText("Warehouse");
    w->writeConfig();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    w->setDefaults();
    QCOMPARE(base()->essId()->text(), QString("LocalGroup"));
    w->readConfig();
    QCOMPARE(base()->essId()->text(), QString("Warehouse"));
  }

  void firmwareThatNoLayoutKnowsLeavesThePagesAlone() {
    w->unitList()->setCurrentIndex(1);
    base()->essId()->setText("Kept");
    w->readConfig();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.front().startsWith("The firmware version that does not support it."));
    QCOMPARE(base()->essId()->text(), QString("Kept"));
  }

  void savedFilesOpenAgainAndMissingKeysReadAsDefaults() {
    const QString saved = dir.filePath("config.txt");
    w->chooseFile = [&](bool, const QString&, const QString&) { return saved; };
    base()->essId()->setText("Saved");
    w->saveFile();
    QVERIFY(QFile(saved).exists());
    w->setDefaults();
    w->openFile();
    QCOMPARE(base()->essId()->text(), QString("Saved"));
    // A file without ESSID gives the default, not what was shown before.
    QFile f(dir.filePath("partial.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Config]\nIPAddress=10.9.8.7\n");
    f.close();
    w->chooseFile = [&](bool, const QString&, const QString&) { return dir.filePath("partial.txt"); };
    w->openFile();
    QCOMPARE(base()->essId()->text(), QString("LocalGroup"));
    QCOMPARE(ip(), QString("10.9.8.7"));
  }

  // A file that is no configuration (here a node list) changes nothing.
  void openingAnotherKindOfFileChangesNothing() {
    QFile f(dir.filePath("nodelist.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[NodeList]\nEntry1=\"\",\"00-80-92-00-00-01\",\"127.0.0.2\",\"2.01\"\n");
    f.close();
    base()->essId()->setText("Kept");
    const QString before = ip();
    w->chooseFile = [&](bool, const QString&, const QString&) { return dir.filePath("nodelist.txt"); };
    w->openFile();
    QCOMPARE(messages, QStringList{"Invalid file."});
    QCOMPARE(base()->essId()->text(), QString("Kept"));
    QCOMPARE(ip(), before);
  }

  // "All channels free" from a file is cut to one channel on the way out:
  // the default one, never a channel 0 that the unit would be sent.
  void allChannelsFreeNeverBecomesChannelZero() {
    QFile f(dir.filePath("free.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Config]\nNetworkMode=1\nUnitType=1\nChannelFree=Enabled\nChannelNo=1\n");
    f.close();
    const QString saved = dir.filePath("free-saved.txt");
    w->chooseFile = [&](bool, const QString&, const QString&) { return dir.filePath("free.txt"); };
    w->openFile();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    w->chooseFile = [&](bool, const QString&, const QString&) { return saved; };
    w->saveFile();
    QFile back(saved);
    QVERIFY(back.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(back.readAll());
    QVERIFY2(text.contains("ChannelNo=1\r\n") || text.contains("ChannelNo=1\n"), qPrintable(text));
    QVERIFY2(!text.contains("ChannelNo=0"), qPrintable(text));
  }

  void rebootAsksFirst() {
    w->reboot();
    QCOMPARE(prompts, 1);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
  }

  // A config.def that is there but no file is said on every opening, and
  // the window goes on from the built-in defaults.
  void aConfigDefThatCannotBeReadIsToldOnOpening() {
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("config.def"));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    w->reject();
    QVERIFY(messages.isEmpty());
    w->show();
    const QString told = "config.def cannot be read: it is a folder.\n\nThe built-in defaults are used.";
    QTRY_COMPARE(messages, QStringList{told});
    QVERIFY(QDir::setCurrent(before));
  }
};

QTEST_MAIN(ConfigDialogTest)
#include "config_dialog_test.moc"
