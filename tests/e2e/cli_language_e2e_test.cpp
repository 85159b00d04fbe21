// trennic-cli in the user's language against trennic-unitsim over UDP on
// loopback: the locale or --language picks English or Japanese for what a
// person reads, and what a script reads is the same in either.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include "support/sim_process.h"

namespace {

using trennic::testing::SimProcess;

struct CliRun {
  int status = -1;
  QByteArray out, err;
};

bool hasNonAscii(const QByteArray& bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

class CliLanguage : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  SimProcess sim;

  QString path(const QString& name) const { return dir.filePath(name); }

  // The locale is LANG alone: the variables that would win over it are
  // taken out of whatever the machine running the tests has set.
  CliRun cli(const QString& lang, const QStringList& args, const QString& folder = {}) {
    const QString base = folder.isEmpty() ? dir.path() : path(folder);
    QProcess p;
    p.setWorkingDirectory(base);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env.remove(name);
    env.insert("LANG", lang);
    env.insert("TRENNIC_INTERFACES", "lo");
    env.insert("TRENNIC_TICK_MS", "50");
    env.remove("TRENNIC_PASSWORD");
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral(TRENNIC_CLI_PATH),
            QStringList{"--settings", base + "/trennic.INI", "--unit-port", QString::number(sim.port())} +
                args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
  }

  QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
};

// A unit that never answers ends in "No response from node.", a text of the
// core's the command line shows in the chosen language. The Japanese rows
// rely on its Japanese translation in translations/trennic_ja.ts.
TEST_F(CliLanguage, TheLocaleOrLanguageOptionChoosesTheLanguage) {
  ASSERT_TRUE(sim.start({"--units", "1", "--loss", "1"})) << sim.error().toStdString();
  struct Case {
    const char* why;
    const char* lang;
    QStringList args;
    bool japanese;
  } cases[] = {
      {"a Japanese locale", "ja_JP.UTF-8", {"version", "127.0.0.2"}, true},
      {"the C locale", "C", {"version", "127.0.0.2"}, false},
      {"--language en over a Japanese locale", "ja_JP.UTF-8", {"--language", "en", "version", "127.0.0.2"}, false},
      {"--language=ja over an English locale", "en_US.UTF-8", {"--language=ja", "version", "127.0.0.2"}, true},
      {"--language after the command", "C", {"version", "127.0.0.2", "--language", "ja"}, true},
  };
  for (const auto& c : cases) {
    CliRun r = cli(c.lang, c.args);
    EXPECT_EQ(r.status, 1) << c.why << ": " << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << c.why << ": " << r.err.toStdString();
    EXPECT_EQ(r.err.contains("No response from node."), !c.japanese) << c.why << ": " << r.err.toStdString();
    EXPECT_EQ(hasNonAscii(r.err), c.japanese) << c.why << ": " << r.err.toStdString();
  }
}

// A word after --language that is no language is a usage error, said in
// the locale's language; nothing is done.
TEST_F(CliLanguage, ABadLanguageIsAUsageError) {
  ASSERT_TRUE(sim.start({"--units", "1"})) << sim.error().toStdString();
  struct Case {
    const char* why;
    const char* lang;
    QStringList args;
    bool japanese;
  } cases[] = {
      {"an unknown word", "C", {"--language", "xx", "search"}, false},
      {"an unknown word after =", "C", {"search", "--language=fr"}, false},
      {"no word at all", "C", {"search", "--language"}, false},
      {"an unknown word under a Japanese locale", "ja_JP.UTF-8", {"--language", "xx", "search"}, true},
  };
  for (const auto& c : cases) {
    CliRun r = cli(c.lang, c.args);
    EXPECT_EQ(r.status, 64) << c.why;
    EXPECT_EQ(r.err.count('\n'), 1) << c.why << ": " << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--language")) << c.why << ": " << r.err.toStdString();
    EXPECT_EQ(hasNonAscii(r.err), c.japanese) << c.why << ": " << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << c.why;
  }
  EXPECT_FALSE(QFile::exists(path("trennic.INI")));  // no search ran
  CliRun help = cli("C", {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.contains("[--language en|ja]")) << help.out.toStdString();
}

// JSON, CSV and the files written are interface: each command gives the
// same bytes in English and in Japanese, each language in a folder of its
// own with a settings file that goes through the same commands.
TEST_F(CliLanguage, WhatScriptsReadIsTheSameInEveryLanguage) {
  ASSERT_TRUE(sim.start({"--units", "3"})) << sim.error().toStdString();
  const QList<QStringList> commands = {{"search", "--json"},
                                       {"version", "--json"},
                                       {"version", "127.0.0.3", "--json"},
                                       {"nodes", "list", "--json"},
                                       {"nodes", "list", "--csv"},
                                       {"config", "read", "127.0.0.2", "-o", "unit.txt"},
                                       {"config", "show", "unit.txt", "--json"}};
  const QString languages[] = {"en", "ja"};
  for (const QString& language : languages) ASSERT_TRUE(QDir(dir.path()).mkdir(language));
  for (const QStringList& command : commands) {
    CliRun runs[2];
    for (int i = 0; i < 2; ++i) runs[i] = cli("C", QStringList{"--language", languages[i]} + command, languages[i]);
    const std::string why = command.join(' ').toStdString();
    EXPECT_EQ(runs[0].status, 0) << why << ": " << runs[0].err.toStdString();
    EXPECT_EQ(runs[1].status, runs[0].status) << why;
    EXPECT_FALSE(runs[0].out.isEmpty()) << why;
    EXPECT_EQ(runs[1].out, runs[0].out) << why;
  }
  EXPECT_EQ(read(path("ja/unit.txt")), read(path("en/unit.txt")));
  EXPECT_EQ(read(path("ja/trennic.INI")), read(path("en/trennic.INI")));
}

}  // namespace
