// trennic-cli nodes on real files, run as the administrator runs it.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/app/codepage.h"

namespace {

struct CliRun {
  int status = -1;
  QByteArray out, err;
};

class CliNodes : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString settings() const { return dir.filePath("trennic.INI"); }

  CliRun cli(const QStringList& args, const QByteArray& codepage = "windows-1252") {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TRENNIC_CODEPAGE", codepage);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TRENNIC_CLI_PATH), QStringList{"--settings", settings()} + args);
    p.waitForFinished(20000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
  }
  QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
};

TEST_F(CliNodes, AddListSortRemove) {
  EXPECT_EQ(cli({"nodes", "add", "--mac", "00-11-22-ab-cd-ef", "--name", "Lobby"}).status, 0);
  EXPECT_EQ(cli({"nodes", "add", "--mac", "00-11-22-00-00-01", "--ip", "10.0.0.9"}).status, 0);
  CliRun list = cli({"nodes", "list", "--json"});
  ASSERT_EQ(list.status, 0) << list.err.toStdString();
  QJsonArray nodes = QJsonDocument::fromJson(list.out).array();
  ASSERT_EQ(nodes.size(), 2);
  QJsonObject first = nodes[0].toObject();
  EXPECT_EQ(first["slot"].toInt(), 0);
  EXPECT_EQ(first["route"].toInt(), 2);
  EXPECT_EQ(first["name"].toString(), "Lobby");
  EXPECT_EQ(first["mac"].toString(), "00-11-22-AB-CD-EF");
  EXPECT_EQ(first["ip"].toString(), "10.171.205.239");  // 10.m3.m4.m5 when none is given
  EXPECT_EQ(first["version"].toString(), "");

  EXPECT_EQ(cli({"nodes", "sort", "ip"}).status, 0);
  EXPECT_TRUE(read(settings()).contains("Entry1=2,00-11-22-00-00-01,10.0.0.9,\"\","));

  EXPECT_EQ(cli({"nodes", "remove", "00-11-22-00-00-01"}).status, 0);
  EXPECT_EQ(QJsonDocument::fromJson(cli({"nodes", "list", "--json"}).out).array().size(), 1);
  EXPECT_EQ(cli({"nodes", "clear"}).status, 0);
  EXPECT_FALSE(read(settings()).contains("Entry"));
}

TEST_F(CliNodes, ImportExportKeepsEveryByteOfAShiftJisName) {
  // 0x95 0x5C is one character whose second byte is a backslash, in a list
  // written under Shift_JIS and read under it.
  QByteArray list = "[NodeList]\nEntry1=1,00-80-92-00-00-01,127.0.0.2,\"\x95\x5C\x8E\xA6 \\\"A\\\"\",2.01\n";
  write(dir.filePath("in.txt"), list);
  CliRun imp = cli({"nodes", "import", dir.filePath("in.txt")}, "Shift_JIS");
  ASSERT_EQ(imp.status, 0) << imp.err.toStdString();
  ASSERT_EQ(cli({"nodes", "export", dir.filePath("out.txt")}, "Shift_JIS").status, 0);
  EXPECT_EQ(read(dir.filePath("out.txt")), list);
  CliRun json = cli({"nodes", "list", "--json"}, "Shift_JIS");
  EXPECT_EQ(QJsonDocument::fromJson(json.out).array()[0].toObject()["name"].toString(),
            QString::fromUtf8("\xE8\xA1\xA8\xE7\xA4\xBA \"A\""));
}

// Under windows-1252 the last letter of "Café" is the byte 0xE9, which
// Shift_JIS would take for the first half of a pair with the closing quote.
// Every such name comes back whole, and the fields after it stay in place.
TEST_F(CliNodes, Windows1252NamesEndingInAnyLetterComeBackWhole) {
  const QStringList names = {QString::fromUtf8("Caf\u00e9"),  QString::fromUtf8("Voil\u00e0"),
                             QString::fromUtf8("M\u00fc"),     QString::fromUtf8("Gar\u00e7"),
                             QString::fromUtf8("Bob\u2019"),   QString::fromUtf8("East \u2013"),
                             QString::fromUtf8("\u00e9\\"),   QString::fromUtf8("\u00e9\"")};
  for (int i = 0; i < names.size(); ++i) {
    const QString mac = QString("00-80-92-00-01-%1").arg(i, 2, 10, QChar('0'));
    CliRun add = cli({"nodes", "add", "--mac", mac, "--ip", QString("10.0.1.%1").arg(i + 1), "--name", names[i]});
    ASSERT_EQ(add.status, 0) << names[i].toStdString() << ": " << add.err.toStdString();
  }
  EXPECT_TRUE(read(settings()).contains("Entry1=2,00-80-92-00-01-00,10.0.1.1,\"Caf\xE9\",\n"));
  CliRun list = cli({"nodes", "list", "--json"});
  ASSERT_EQ(list.status, 0) << list.err.toStdString();
  QJsonArray nodes = QJsonDocument::fromJson(list.out).array();
  ASSERT_EQ(nodes.size(), names.size());
  for (int i = 0; i < names.size(); ++i) {
    EXPECT_EQ(nodes[i].toObject()["name"].toString(), names[i]) << i;
    EXPECT_EQ(nodes[i].toObject()["ip"].toString(), QString("10.0.1.%1").arg(i + 1)) << i;
  }

  // A list from elsewhere keeps its version field after such a name.
  write(dir.filePath("in.txt"), "[NodeList]\nEntry1=1,00-80-92-00-00-01,127.0.0.2,\"Caf\xE9\",2.01\n");
  ASSERT_EQ(cli({"nodes", "import", dir.filePath("in.txt")}).status, 0);
  QJsonObject first = QJsonDocument::fromJson(cli({"nodes", "list", "--json"}).out).array()[0].toObject();
  EXPECT_EQ(first["name"].toString(), names[0]);
  EXPECT_EQ(first["version"].toString(), "2.01");
}

// The byte rule comes from the code page's name, in any of its spellings.
TEST(CodePage, NamesItsByteRule) {
  using trennic::TextEncoding;
  struct Case {
    const char* name;
    TextEncoding rule;
  } cases[] = {
      {"Shift_JIS", TextEncoding::shiftJis()},      {"shift-jis", TextEncoding::shiftJis()},
      {"SJIS", TextEncoding::shiftJis()},           {"windows-31j", TextEncoding::shiftJis()},
      {"CP932", TextEncoding::shiftJis()},          {"MS_Kanji", TextEncoding::shiftJis()},
      {"windows-1252", TextEncoding::singleByte()}, {"ISO-8859-1", TextEncoding::singleByte()},
      {"windows-1250", TextEncoding::singleByte()}, {"UTF-8", TextEncoding::singleByte()},
      {"", TextEncoding::singleByte()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(trennic::platform::textEncodingFor(QString::fromLatin1(c.name)), c.rule) << c.name;
}

// Files saved as "Unicode" text are read in the code page in use, through
// the code page's own conversion; a character it lacks is one '?'.
TEST(CodePage, ConvertsTheTextOfUnicodeFiles) {
  using trennic::platform::textEncodingFor;
  const trennic::CodePageConversion& sjis = textEncodingFor("Shift_JIS").conversion();
  EXPECT_EQ(sjis.fromUtf16(u"\u8868\u30BE\uFF5Ea\U0001F600\u00E9"), "\x95\x5C\x83\x5D\x81\x60" "a??");
  EXPECT_EQ(sjis.toUtf16("\x95\x5C\x83\x5D\x81\x60" "a"), u"\u8868\u30BE\uFF5Ea");
  EXPECT_EQ(sjis.toUtf16("a\xA0\x83"), u"a??");
  const trennic::CodePageConversion& latin = textEncodingFor("windows-1252").conversion();
  EXPECT_EQ(latin.fromUtf16(u"Caf\u00E9\u20AC\u0141"), "Caf\xE9\x80?");
  EXPECT_EQ(latin.toUtf16("Caf\xE9\x80"), u"Caf\u00E9\u20AC");
  EXPECT_EQ(textEncodingFor("windows-1250").conversion().fromUtf16(u"\u0141\u00E9"), "\xA3\xE9");
}

// A node list and a settings file a Windows editor saved as "Unicode" text:
// the list imports, and the settings file stays such a file, its other lines
// as they were.
TEST_F(CliNodes, UnicodeFilesFromWindowsEditors) {
  auto utf16 = [](const char* utf8) {
    QStringEncoder e(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return QByteArray(e(QString::fromUtf8(utf8)));
  };
  write(settings(), utf16("; Ger\u00e4t \U0001F600\r\n[Environment]\r\nScanTime=5\r\n"));
  write(dir.filePath("in.txt"),
        utf16("[NodeList]\r\nEntry1=1,00-80-92-00-00-01,127.0.0.2,\"\u8868\u793a\uff5e\",2.01\r\n"));
  CliRun imp = cli({"nodes", "import", dir.filePath("in.txt")}, "Shift_JIS");
  ASSERT_EQ(imp.status, 0) << imp.err.toStdString();
  CliRun json = cli({"nodes", "list", "--json"}, "Shift_JIS");
  EXPECT_EQ(QJsonDocument::fromJson(json.out).array()[0].toObject()["name"].toString(),
            QString::fromUtf8("\u8868\u793a\uff5e"));
  QByteArray stored = read(settings());
  ASSERT_TRUE(stored.startsWith("\xFF\xFE"));
  QString text = QStringDecoder(QStringConverter::Utf16LE)(stored);
  EXPECT_TRUE(text.startsWith(QString::fromUtf8("; Ger\u00e4t \U0001F600\r\n[Environment]\r\nScanTime=5\r\n"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("Entry1=1,00-80-92-00-00-01,127.0.0.2,\"\u8868\u793a\uff5e\",2.01\r\n")))
      << text.toStdString();
}

TEST_F(CliNodes, BadInputChangesNothing) {
  ASSERT_EQ(cli({"nodes", "add", "--mac", "00-00-00-00-00-01"}).status, 0);
  QByteArray before = read(settings());
  write(dir.filePath("bad.txt"), "[NodeList]\nEntry1=0,00-00-00-00-00,1.2.3.4,\"x\",\n");
  struct Case {
    const char* why;
    QStringList args;
    int status;
  } cases[] = {
      {"missing file", {"nodes", "import", dir.filePath("none.txt")}, 4},
      {"malformed entry", {"nodes", "import", dir.filePath("bad.txt")}, 65},
      {"bad MAC", {"nodes", "add", "--mac", "00-11-22-33-44-G5"}, 65},
      {"duplicate MAC", {"nodes", "add", "--mac", "00-00-00-00-00-01", "--ip", "1.1.1.1"}, 1},
      {"unknown node", {"nodes", "remove", "00-00-00-00-00-09"}, 1},
      {"usage", {"nodes", "frobnicate"}, 64},
  };
  for (const auto& c : cases) {
    CliRun r = cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.why;
    EXPECT_EQ(r.err.count('\n'), 1) << c.why << ": " << r.err.toStdString();
    EXPECT_EQ(read(settings()), before) << c.why;
  }
}

}  // namespace

// Nothing written is never reported as done: a read-only settings file, or a
// folder where it should be, ends every changing command with 74 and a line
// saying why, and the file stays as it was.
TEST_F(CliNodes, ASettingsFileThatCantBeWrittenFailsEveryChange) {
  ASSERT_EQ(cli({"nodes", "add", "--mac", "00-00-00-00-00-02", "--name", "B"}).status, 0);
  ASSERT_EQ(cli({"nodes", "add", "--mac", "00-00-00-00-00-01", "--name", "A"}).status, 0);
  const QByteArray before = read(settings());
  ASSERT_TRUE(QFile::setPermissions(settings(), QFile::ReadOwner | QFile::ReadUser));
  const QList<QStringList> changes = {{"nodes", "remove", "00-00-00-00-00-01"},
                                      {"nodes", "clear"},
                                      {"nodes", "sort", "name"},
                                      {"nodes", "add", "--mac", "00-00-00-00-00-03"},
                                      {"nodes", "import", dir.filePath("list.txt")}};
  write(dir.filePath("list.txt"), "[NodeList]\nEntry1=1,00-00-00-00-00-09,10.0.0.9,\"\",\n");
  for (const QStringList& change : changes) {
    CliRun run = cli(change);
    EXPECT_EQ(run.status, 74) << change.join(' ').toStdString();
    EXPECT_TRUE(run.err.contains("could not be written")) << change.join(' ').toStdString() << ": " << run.err.toStdString();
    EXPECT_EQ(read(settings()), before) << change.join(' ').toStdString();
  }
  // Reading still works on a file that can't be written.
  EXPECT_EQ(cli({"nodes", "list"}).status, 0);
  QFile::setPermissions(settings(), QFile::ReadOwner | QFile::WriteOwner);

  QTemporaryDir other;
  ASSERT_TRUE(QDir(other.path()).mkdir("trennic.INI"));
  QProcess p;
  p.start(QStringLiteral(TRENNIC_CLI_PATH),
          {"--settings", other.filePath("trennic.INI"), "nodes", "add", "--mac", "00-00-00-00-00-04"});
  p.waitForFinished(20000);
  EXPECT_EQ(p.exitCode(), 74) << p.readAllStandardError().toStdString();
}
