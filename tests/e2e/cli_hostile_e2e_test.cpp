// trennic-cli given what others control: names and files with terminal
// escapes, the broadcast address as a unit, more units than the list holds,
// files that are no text, a password file others may read.
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/cli_fixture.h"

namespace trennic {
namespace {

using testing::CliRun;

class CliHostile : public testing::CliFixture {
 protected:
  CliHostile() { environment.insert("TRENNIC_CODEPAGE", "windows-1252"); }

  QString path(const QString& name) const { return dir.filePath(name); }

  quint64 received() const { return server ? server->counters().received : 0; }

  void write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  void writeNodeList(const QList<QByteArray>& entries) {
    QByteArray text = "[NodeList]\n";
    for (int i = 0; i < entries.size(); ++i) text += "Entry" + QByteArray::number(i + 1) + "=" + entries[i] + "\n";
    write(path("trennic.INI"), text);
  }
};

// Nothing below 0x20 but the line ends, no DEL, no C1 control.
bool noRawControls(const QByteArray& output) {
  const QString text = QString::fromUtf8(output);
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != '\n') || (u >= 0x7F && u <= 0x9F)) return false;
  }
  return true;
}

TEST_F(CliHostile, ControlCharactersFromUnitsAndFilesAreShownEscaped) {
  startUnits({"--units", "1"});
  writeNodeList({"0,00-80-92-00-00-01,127.0.0.2,\"Lobby\x1B[31m\x07\",2.01"});
  const QByteArray shownName = "Lobby\\x1B[31m\\x07";
  for (const QStringList& args : {QStringList{"nodes", "list"}, QStringList{"nodes", "list", "--csv"},
                                  QStringList{"version", "Lobby\x1B[31m\x07"}}) {
    CliRun r = cli(args);
    EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(shownName)) << r.out.toStdString();
    EXPECT_TRUE(noRawControls(r.out) && noRawControls(r.err)) << args.join(' ').toStdString();
  }
  // JSON escapes as JSON does, and the name reads back as it is.
  CliRun json = cli({"nodes", "list", "--json"});
  EXPECT_TRUE(json.out.contains("\\u001b[31m\\u0007")) << json.out.toStdString();
  EXPECT_EQ(QJsonDocument::fromJson(json.out).array()[0].toObject()["name"].toString(), "Lobby\x1B[31m\x07");

  // A text typed or read back in an error message.
  CliRun unknown = cli({"reboot", "\x1B]0;owned\x07"});
  EXPECT_EQ(unknown.status, 64);
  EXPECT_TRUE(unknown.err.contains("\\x1B]0;owned\\x07")) << unknown.err.toStdString();
  EXPECT_TRUE(noRawControls(unknown.err));

  // A configuration file passed on by another administrator.
  write(path("config.txt"), "[Config]\nESSID=\"lan\x1B[2J\x9B" "1m\"\n");
  CliRun show = cli({"config", "show", path("config.txt")});
  ASSERT_EQ(show.status, 0) << show.err.toStdString();
  EXPECT_TRUE(show.out.contains("lan\\x1B[2J")) << show.out.toStdString();
  EXPECT_TRUE(noRawControls(show.out));
  write(path("plain.txt"), "[Config]\nESSID=\"lan\"\n");
  CliRun diff = cli({"config", "diff", path("plain.txt"), path("config.txt")});
  EXPECT_EQ(diff.status, 1);
  EXPECT_TRUE(diff.out.contains("lan\\x1B[2J")) << diff.out.toStdString();
  EXPECT_TRUE(noRawControls(diff.out));
}

TEST_F(CliHostile, NoCommandTakesTheBroadcastAddressForAUnit) {
  startUnits({"--units", "2"});
  // A node list from elsewhere that gave a node the broadcast address.
  writeNodeList({"1,FF-FF-FF-FF-FF-FF,127.0.0.9,\"everyone\",2.01"});
  const QByteArray before = read(path("trennic.INI"));
  const QString bc = "FF-FF-FF-FF-FF-FF";
  const QStringList commands[] = {
      {"reboot", bc},
      {"reboot", "127.0.0.2", "ff-ff-ff-ff-ff-ff"},
      {"reboot", "everyone"},
      {"reboot", "239.192.19.99"},
      {"password", bc},
      {"clear", bc, "0x00000003"},
      {"version", bc},
      {"firmware", "read", bc, path("fw.bin")},
      {"config", "read", bc, "-o", path("unit.txt")},
      {"filter", "read", "mac", bc, "-o", path("mac.txt")},
  };
  for (const QStringList& args : commands) {
    CliRun r = cli(args, {{"TRENNIC_PASSWORD", ""}, {"TRENNIC_NEW_PASSWORD", "x"}});
    EXPECT_EQ(r.status, 65) << args.join(' ').toStdString() << ": " << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("broadcast address")) << r.err.toStdString();
  }
  EXPECT_EQ(received(), 0u) << "nothing was sent";
  CliRun add = cli({"nodes", "add", "--mac", bc, "--ip", "10.0.0.1"});
  EXPECT_EQ(add.status, 65);
  EXPECT_TRUE(add.err.contains("Invalid parameter.")) << add.err.toStdString();
  EXPECT_EQ(read(path("trennic.INI")), before);
  // A unit by its IP address alone is one unit.
  EXPECT_EQ(cli({"version", "127.0.0.2"}).status, 0);
}

TEST_F(CliHostile, ASearchBeyondAFullListSaysHowManyUnitsWereNotKept) {
  startUnits({"--units", "3"});
  QList<QByteArray> entries;
  for (int i = 0; i < 1022; ++i)
    entries << QString("0,00-11-22-33-%1-%2,10.1.%3.%4,\"\",")
                   .arg(i >> 8, 2, 16, QChar('0'))
                   .arg(i & 0xFF, 2, 16, QChar('0'))
                   .arg(i >> 8)
                   .arg(i & 0xFF)
                   .toUpper()
                   .toLatin1();
  writeNodeList(entries);
  CliRun r = cli({"search"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("3 units answered")) << r.out.toStdString();
  EXPECT_EQ(r.err, "trennic-cli: warning: 1 of the units that answered was not kept: the node list holds at most "
                   "1024 units\n");
  EXPECT_EQ(QJsonDocument::fromJson(cli({"nodes", "list", "--json"}).out).array().size(), 1024);
  // With room for the last unit, nothing is lost and nothing said.
  ASSERT_EQ(cli({"nodes", "remove", "00-11-22-33-00-00"}).status, 0);
  CliRun again = cli({"search"});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.err, "");
  EXPECT_EQ(QJsonDocument::fromJson(cli({"nodes", "list", "--json"}).out).array().size(), 1024);
}

TEST_F(CliHostile, ASettingsFileOrConfigDefThatCannotBeReadIsSaid) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("trennic.INI"));
  for (const QStringList& args : {QStringList{"nodes", "list"}, QStringList{"nodes", "clear"}, QStringList{"search"},
                                  QStringList{"reboot", "127.0.0.2"}}) {
    CliRun r = cli(args);
    EXPECT_EQ(r.status, 74) << args.join(' ').toStdString();
    EXPECT_EQ(r.out, "") << "no empty list";
    EXPECT_EQ(r.err, "trennic-cli: the settings file " + path("trennic.INI").toUtf8() +
                         " cannot be read: it is a folder; nothing was done\n");
  }
  ASSERT_TRUE(QDir(dir.path()).rmdir("trennic.INI"));
  write(path("trennic.INI"), QByteArray("\x7F" "ELF\x02\x01\x01\x00\x00\x00\x00", 11));
  CliRun binary = cli({"nodes", "list"});
  EXPECT_EQ(binary.status, 74);
  EXPECT_TRUE(binary.err.contains("it is not a text file")) << binary.err.toStdString();
  EXPECT_EQ(read(path("trennic.INI")).size(), 11) << "left as it was";

  // The defaults go on without config.def, and say so once.
  ASSERT_TRUE(QDir(dir.path()).mkdir("config.def"));
  CliRun defaults = cli({"config", "defaults", "-o", path("defaults.txt")});
  EXPECT_EQ(defaults.status, 0) << defaults.err.toStdString();
  EXPECT_EQ(defaults.err, "trennic-cli: warning: config.def cannot be read: it is a folder; the built-in defaults are used\n");
  EXPECT_TRUE(read(path("defaults.txt")).contains("[Config]"));
}

TEST_F(CliHostile, APasswordFileOthersCanReadWorksWithAWarning) {
  startUnits({"--units", "1", "--unit", "00-80-92-00-00-01,127.0.0.2,9,0x0201,secret"});
  write(path("pw"), "secret\n");
  QFile::setPermissions(path("pw"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                        QFileDevice::ReadOther);
  CliRun open = cli({"reboot", "127.0.0.2", "--password-file", path("pw")});
  EXPECT_EQ(open.status, 0) << open.err.toStdString();
  EXPECT_EQ(open.err, "trennic-cli: warning: " + path("pw").toUtf8() +
                          ": other users can read this password file (chmod 600 keeps it yours)\n");
  QFile::setPermissions(path("pw"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  CliRun kept = cli({"reboot", "127.0.0.2", "--password-file", path("pw")});
  EXPECT_EQ(kept.status, 0) << kept.err.toStdString();
  EXPECT_EQ(kept.err, "");
}

}  // namespace
}  // namespace trennic
