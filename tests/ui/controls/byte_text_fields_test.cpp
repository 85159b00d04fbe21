// The fields that hold a byte text, driven as a person types into them under
// Shift_JIS and windows-1252: the ESS ID, the four SNMP texts, the passwords
// and File Management's names. What they take, what they refuse and say,
// where their byte limits stop, and that a text shown and left alone keeps
// its bytes; and a unit's own text shown in the code page.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "core/config/ap_config.h"
#include "core/files/file_kinds.h"
#include "platform/app/codepage.h"
#include "support/config_window_fixture.h"
#include "support/modal_watch.h"
#include "ui/config/base_page.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_pages.h"

using namespace trennic;

namespace {

// Text an input method commits at once, as Japanese text arrives.
void commit(QLineEdit* e, const QString& text) {
  QInputMethodEvent ime;
  ime.setCommitString(text);
  QApplication::sendEvent(e, &ime);
}

void paste(QLineEdit* e, const QString& text) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

void clear(QLineEdit* e) {
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
}

QLineEdit* byLabel(QWidget* page, const QString& label) {
  for (QLabel* l : page->findChildren<QLabel*>())
    if (l->text() == label) return qobject_cast<QLineEdit*>(l->buddy());
  return nullptr;
}

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// A byte text field of the Configuration window and where it keeps its text.
struct TextField {
  const char* name;  // as the message names it
  int page;
  const char* label;
  std::size_t offset;
  std::size_t size;
  std::size_t limit;
};
const TextField kFields[] = {
    {"ESS ID", ui::CConfigDlg::BasePage, "ESS ID:", cfg::ESSID, cfg::ESSIDSize, 32},
    {"Community Name", ui::CConfigDlg::SnmpPage, "Community Name:", cfg::SnmpCommunity, cfg::SnmpTextSize, 31},
    {"Name", ui::CConfigDlg::SnmpPage, "Name:", cfg::SnmpSysName, cfg::SnmpTextSize, 31},
    {"Location", ui::CConfigDlg::SnmpPage, "Location:", cfg::SnmpSysLocation, cfg::SnmpTextSize, 31},
    {"Contact", ui::CConfigDlg::SnmpPage, "Contact:", cfg::SnmpSysContact, cfg::SnmpTextSize, 31},
};

QLineEdit* fieldOf(ui::CConfigDlg& w, const TextField& f) {
  w.tabs()->setCurrentIndex(f.page);
  if (f.page == ui::CConfigDlg::BasePage) return static_cast<ui::CBasePage*>(w.page(f.page))->essId();
  return byLabel(w.page(f.page), f.label);
}

// Another tab: the window stores every page into the record.
void gather(ui::CConfigDlg& w, const TextField& f) {
  w.tabs()->setCurrentIndex(f.page == ui::CConfigDlg::BasePage ? ui::CConfigDlg::WirelessPage
                                                               : ui::CConfigDlg::BasePage);
}

QByteArray field(const ApConfig& r, const TextField& f) {
  return QByteArray(reinterpret_cast<const char*>(r.bytes.data() + f.offset), static_cast<qsizetype>(f.size));
}
QByteArray padded(const QByteArray& text, const TextField& f) {
  return text + QByteArray(static_cast<qsizetype>(f.size) - text.size(), '\0');
}

}  // namespace

class ByteTextFieldsTest : public QObject {
  Q_OBJECT

  QStringList messages;
  testing::ModalWatchers watchers;

  void useCodePage(const char* name, const QString& sample) {
    qputenv("TRENNIC_CODEPAGE", name);
    if (!platform::encodeText(sample)) QSKIP(qPrintable(QString("no %1 converter").arg(name)));
  }

 private slots:
  void initTestCase() {
    ui::setMessageInterceptor([this](const QString& m) { messages << m; });
  }
  void init() { messages.clear(); }
  void cleanup() {
    qunsetenv("TRENNIC_CODEPAGE");
    watchers.clear();
  }

  void typing_data() {
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<int>("shortOfLimit");  // the field first holds this much less than its limit in "a"; -1 empty
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("shown");  // what the field then shows after the first text
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("refused");  // the character the message names

    // Second bytes that are "\" and "|" in ASCII stay parts of their kanji.
    QTest::newRow("Shift_JIS second bytes 5C and 7C")
        << QByteArray("Shift_JIS") << -1 << u("ソ表ポ") << false << u("ソ表ポ")
        << QByteArray("\x83\x5C\x95\x5C\x83\x7C") << QString();
    QTest::newRow("windows-1252 holds the euro sign")
        << QByteArray("windows-1252") << -1 << u("€é") << false << u("€é") << QByteArray("\x80\xE9") << QString();
    QTest::newRow("windows-1252 cannot hold a kanji")
        << QByteArray("windows-1252") << -1 << u("表") << false << QString() << QByteArray() << u("表");
    QTest::newRow("a pasted kanji is refused with what came with it")
        << QByteArray("windows-1252") << -1 << u("ab表") << true << QString() << QByteArray() << u("表");
    QTest::newRow("a kanji that would be cut at the limit is refused")
        << QByteArray("Shift_JIS") << 1 << u("表") << false << QString() << QByteArray() << QString();
    QTest::newRow("a paste keeps the characters that fit whole")
        << QByteArray("Shift_JIS") << 3 << u("表表") << true << u("表") << QByteArray("\x95\x5C") << QString();
  }

  // Every field of the table, under the same cases.
  void typing() {
    QFETCH(QByteArray, codePage);
    QFETCH(int, shortOfLimit);
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, shown);
    QFETCH(QByteArray, stored);
    QFETCH(QString, refused);
    useCodePage(codePage.constData(), u("a"));
    if (codePage == "Shift_JIS") useCodePage(codePage.constData(), u("表"));
    for (const TextField& f : kFields) {
      messages.clear();
      testing::ConfigWindowFixture fixture;
      ui::CConfigDlg& w = fixture.open();
      QLineEdit* e = fieldOf(w, f);
      QVERIFY2(e, f.name);
      clear(e);
      const QString head = shortOfLimit < 0 ? QString() : QString(static_cast<qsizetype>(f.limit) - shortOfLimit, 'a');
      QTest::keyClicks(e, head);
      if (pasted)
        paste(e, typed);
      else
        commit(e, typed);
      QCOMPARE(e->text(), head + shown);
      gather(w, f);
      QCOMPARE(field(w.record(), f), padded(head.toLatin1() + stored, f));
      if (refused.isEmpty()) {
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
      } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.front(), QString("Invalid parameter.\n%1: the character \"%2\" cannot be stored in the code page %3.")
                                       .arg(f.name, refused, QString::fromLatin1(codePage)));
      }
    }
  }

  // A text read from a unit or a file goes back as it came, even where the
  // code page would write the character it shows differently (0xED 0x40 is
  // written back as 0xFA 0x5C), and even past the field's limit and without
  // its NUL. Changing it and changing it back is leaving it alone.
  void aTextLeftAloneKeepsItsBytes() {
    useCodePage("Shift_JIS", u("表"));
    const QByteArray kanji("\xED\x40\x83\x5C\x83\x7C");
    for (const TextField& f : kFields) {
      testing::ConfigWindowFixture fixture;
      ui::CConfigDlg& w = fixture.open();
      const QByteArray full(static_cast<qsizetype>(f.size), 'y');
      for (const QByteArray& held : {padded(kanji, f), full.left(full.size() - 6) + kanji, full}) {
        std::copy(held.begin(), held.end(), w.record().bytes.begin() + static_cast<std::ptrdiff_t>(f.offset));
        w.page(f.page)->load();
        QLineEdit* e = fieldOf(w, f);
        QCOMPARE(e->text(), platform::decodeText(held.split('\0').front().toStdString()));
        gather(w, f);
        QCOMPARE(field(w.record(), f), held);

        e = fieldOf(w, f);
        const QString last = e->text().right(1);
        e->setFocus();
        e->end(false);
        QTest::keyClick(e, Qt::Key_Backspace);
        commit(e, last);
        gather(w, f);
        QCOMPARE(field(w.record(), f), held);
      }
    }
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
  }

  // A password is six bytes: three kanji, and the prompt never says which
  // character it could not take.
  void passwordsCountBytes() {
    useCodePage("Shift_JIS", u("表"));
    ui::CPasswordDlg prompt;
    PasswordField password{};
    auto seen = watchers.onModal<ui::CPasswordDlg>([](ui::CPasswordDlg* d) {
      commit(d->passwordEdit(), u("表表表表"));
      QCOMPARE(d->passwordEdit()->text(), u("表表表"));
      d->accept();
    });
    QCOMPARE(prompt.ask(u("Lobby"), nullptr, &password), 1);
    QVERIFY(*seen);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(password.data()), 8), QByteArray("\x95\x5C\x95\x5C\x95\x5C\0\0", 8));

    qputenv("TRENNIC_CODEPAGE", "windows-1252");
    seen = watchers.onModal<ui::CPasswordDlg>([](ui::CPasswordDlg* d) {
      commit(d->passwordEdit(), u("ab"));
      commit(d->passwordEdit(), u("表"));
      QCOMPARE(d->passwordEdit()->text(), u("ab"));
      d->accept();
    });
    QCOMPARE(prompt.ask(u("Lobby"), nullptr, &password), 1);
    QVERIFY(*seen);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(password.data()), 8), QByteArray("ab\0\0\0\0\0\0", 8));
    QCOMPARE(messages, QStringList{"Invalid parameter.\nPassword: the text cannot be stored in the code page windows-1252."});
  }

  // File Management keeps its file and folder names in the settings, in the
  // code page: a name it cannot store is refused, in the field or from the
  // file dialog, and a name left alone keeps its bytes.
  void fileManagementNames() {
    useCodePage("Shift_JIS", u("表"));
    testing::ConfigWindowFixture fixture;
    fixture.open();
    fixture.window->hide();
    CUtilityApp& app = fixture.app;
    auto openFiles = [&](int kind) {
      app.settings.fileType = static_cast<unsigned>(kind);
      auto w = std::make_unique<ui::CFileMgmtDlg>(app, *fixture.nodes, *fixture.progress);
      w->show();
      return w;
    };

    fileNameSetting(app.settings, FileKindFirmware) = "\xED\x40\x83\x5C.bin";
    auto w = openFiles(FileKindFirmware);
    QCOMPARE(w->nameField()->text(), u("纊ソ.bin"));
    w->accept();
    QCOMPARE(fileNameSetting(app.settings, FileKindFirmware), std::string("\xED\x40\x83\x5C.bin"));

    w = openFiles(FileKindFirmware);
    clear(w->nameField());
    commit(w->nameField(), u("表示.bin"));
    w->accept();
    QCOMPARE(fileNameSetting(app.settings, FileKindFirmware), std::string("\x95\x5C\x8E\xA6.bin"));

    // A folder ends in a separator, which no second byte is taken for.
    w = openFiles(FileKindConfig);
    w->chooseFile = [](int, const QString&) { return u("/srv/表"); };
    w->browse();
    QCOMPARE(w->nameField()->text(), u("/srv/表/"));
    w->accept();
    QCOMPARE(fileNameSetting(app.settings, FileKindConfig), std::string("/srv/\x95\x5C/"));

    qputenv("TRENNIC_CODEPAGE", "windows-1252");
    fileNameSetting(app.settings, FileKindFirmware) = "caf\xE9.bin";
    w = openFiles(FileKindFirmware);
    QCOMPARE(w->nameField()->text(), u("café.bin"));
    w->chooseFile = [](int, const QString&) { return u("/srv/表/firmware.bin"); };
    w->browse();
    QCOMPARE(w->nameField()->text(), u("café.bin"));
    commit(w->nameField(), u("表"));
    QCOMPARE(w->nameField()->text(), u("café.bin"));
    w->accept();
    QCOMPARE(fileNameSetting(app.settings, FileKindFirmware), std::string("caf\xE9.bin"));
    QCOMPARE(messages, QStringList(2, "Invalid parameter.\nFile Name: the character \"表\" cannot be stored in the code page windows-1252."));
  }

  // What a unit says of itself is shown in the code page too: its card type.
  void theCardTypeIsShownInTheCodePage() {
    useCodePage("Shift_JIS", u("表"));
    StatusSnapshot snapshot;
    const QByteArray card("\x96\xB3\x90\xFC\x83\x4A\x81\x5B\x83\x68 11Mb\x5C");  // "無線カード 11Mb" and a backslash
    std::copy(card.begin(), card.end(), snapshot.unitInfo.begin() + 56);
    ui::CEnvPage page(snapshot, nullptr);
    page.refresh();
    bool seen = false;
    for (const auto& f : page.valueFields())
      if (f.label == "Card Type:") {
        QCOMPARE(f.field->text(), platform::decodeText(card.toStdString()));
        QVERIFY(f.field->text().startsWith(u("無線カード")));
        seen = true;
      }
    QVERIFY(seen);
  }

  // The settings file's name is the file system's, whatever the code page:
  // a folder named in Japanese reads as Japanese in what the windows say.
  void theSettingsFileIsNamedAsTheFileSystemNamesIt() {
    useCodePage("windows-1252", u("a"));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u("設定/Trennic.INI")));
    const QString settings = dir.filePath(u("設定/Trennic.INI"));
    NodeTable nodes(QFile::encodeName(settings).toStdString(), platform::userTextEncoding());
    nodes.loadFromSettings();
    platform::EngineRuntime rt;
    ui::CProgressDlg progress(rt.link());
    ui::CNodeListDlg list(nodes, progress);
    list.show();
    QTRY_COMPARE(messages.size(), 1);
    QVERIFY2(messages.front().startsWith("The settings file " + settings + " cannot be read"), qPrintable(messages.front()));

    NodeEntry e;
    e.mac = "00-80-92-00-00-01";
    nodes.WriteNodeEntry(nodes.settingsPath(), 1, e);
    QVERIFY(ui::reportSettingsWriteFailure(nullptr, nodes));
    QCOMPARE(messages.back(), "Error occurred.\n\nThe settings file " + settings + " could not be written.");
  }
};

QTEST_MAIN(ByteTextFieldsTest)
#include "byte_text_fields_test.moc"
