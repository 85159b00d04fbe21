// The node editor's name field, driven with keys and an input method: what
// it shows when it opens, what it takes while typing, and what OK says of a
// name the code page cannot store.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "core/registry/node_table.h"
#include "platform/app/codepage.h"
#include "support/modal_watch.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_edit_dialog.h"

using namespace trennic;
using trennic::ui::CNodeEditDlg;

namespace {

// Text an input method commits at once, as Japanese text arrives.
void commit(QLineEdit* e, const QString& text) {
  QInputMethodEvent ime;
  ime.setCommitString(text);
  QApplication::sendEvent(e, &ime);
}

}  // namespace

class NodeEditTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<NodeTable> nodes;
  QStringList messages;
  testing::ModalWatchers watchers;

  // Runs the editor in a mode on current, with act done to it while it is
  // open; 1 for OK, 2 for Cancel.
  int runEditor(int mode, const std::function<void(CNodeEditDlg*)>& act) {
    CNodeEditDlg editor(*nodes);
    auto seen = watchers.onModal<CNodeEditDlg>(act);
    const int result = editor.edit(mode);
    if (!*seen) return 0;
    return result;
  }

  void useCodePage(const char* name, const QString& sample) {
    qputenv("TRENNIC_CODEPAGE", name);
    if (!platform::encodeText(sample)) QSKIP(qPrintable(QString("no %1 converter").arg(name)));
  }

 private slots:
  void initTestCase() {
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
  }
  void init() {
    messages.clear();
    nodes = std::make_unique<NodeTable>();
  }
  void cleanup() {
    qunsetenv("TRENNIC_CODEPAGE");
    watchers.clear();
    nodes.reset();
  }

  // A name longer than the field takes (node lists from elsewhere hold
  // them) shows whole, stays whole through OK, and can only be shortened.
  void aLongerNameIsShownAndKeptWhole() {
    useCodePage("windows-1252", QString::fromUtf8("\u00e9"));
    const std::string name = "Warehouse north, rack 12, upper shelf #3";
    QCOMPARE(name.size(), std::size_t(40));
    NodeEntry known;
    known.name = name;
    known.mac = "00-80-92-00-00-01";
    known.ip = "192.168.1.10";
    QVERIFY(nodes->AddNode(known));
    nodes->current = known;
    QCOMPARE(runEditor(EditModeChange,
                       [&](CNodeEditDlg* ed) {
                         QCOMPARE(ed->nameEdit()->text(), QString::fromStdString(name));
                         QTest::mouseClick(ed->okButton(), Qt::LeftButton);
                       }),
             1);
    QVERIFY(messages.isEmpty());
    QCOMPARE(nodes->current.name, name);
    QCOMPARE(nodes->current.route, 0);

    // Typing cannot make it longer; Backspace shortens it.
    QCOMPARE(runEditor(EditModeChange,
                       [&](CNodeEditDlg* ed) {
                         QLineEdit* e = ed->nameEdit();
                         e->setFocus();
                         e->end(false);
                         QTest::keyClicks(e, "x");
                         QCOMPARE(e->text(), QString::fromStdString(name));
                         QTest::keyClick(e, Qt::Key_Backspace);
                         QTest::keyClicks(e, "y");
                         QCOMPARE(e->text(), QString::fromStdString(name.substr(0, 39)));
                         QTest::mouseClick(ed->okButton(), Qt::LeftButton);
                       }),
             1);
    QCOMPARE(nodes->current.name, name.substr(0, 39));
  }

  // The limit is 32 bytes of the code page: sixteen two-byte characters
  // under Shift_JIS, and no character more.
  void typingStopsAtTheLimitInBytes() {
    const QString kanji = QString::fromUtf8("\u8868");
    useCodePage("Shift_JIS", kanji);
    QCOMPARE(runEditor(EditModeNew,
                       [&](CNodeEditDlg* ed) {
                         QLineEdit* e = ed->nameEdit();
                         e->setFocus();
                         commit(e, kanji.repeated(16));
                         QCOMPARE(e->text(), kanji.repeated(16));
                         commit(e, kanji);
                         QTest::keyClicks(e, "a");
                         QCOMPARE(e->text(), kanji.repeated(16));
                         QTest::keyClick(e, Qt::Key_Backspace);
                         QTest::keyClicks(e, "abc");
                         QCOMPARE(e->text(), kanji.repeated(15) + "ab");
                       }),
             2);
  }

  // A character the code page has no bytes for: OK says which field and
  // why, and the editor stays open with what was typed.
  void aNameTheCodePageCannotStoreSaysWhy() {
    useCodePage("windows-1252", QString::fromUtf8("\u00e9"));
    const QString typed = QString::fromUtf8("\u03a9mega");
    QCOMPARE(runEditor(EditModeNew,
                       [&](CNodeEditDlg* ed) {
                         ed->nameEdit()->setFocus();
                         commit(ed->nameEdit(), typed);
                         for (int k = 0; k < 6; ++k) {
                           ed->macField(k)->selectAll();
                           QTest::keyClicks(ed->macField(k), k == 5 ? "05" : "00");
                         }
                         QTest::mouseClick(ed->okButton(), Qt::LeftButton);
                         QVERIFY(ed->isVisible());
                         QCOMPARE(ed->nameEdit()->text(), typed);
                       }),
             2);
    QCOMPARE(messages, QStringList{QString::fromUtf8("Invalid parameter.\nName: the character \"\u03a9\" cannot be "
                                                     "stored in the code page windows-1252.")});
    QVERIFY(nodes->usedCount == 0);
  }
};

QTEST_MAIN(NodeEditTest)
#include "node_edit_test.moc"
