// trennic-cli config and filter against simulated units held in this
// process, so that the test can look straight into their configuration
// memory.
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/app/settings.h"
#include "core/config/config_file.h"
#include "core/files/file_kinds.h"
#include "core/filters/filter_tables.h"
#include "support/cli_fixture.h"

namespace trennic {
namespace {

using testing::CliRun;

class CliConfig : public testing::CliFixture {
 protected:
  QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
};

TEST_F(CliConfig, ReadThenWriteLeavesTheUnitsMemoryByteIdentical) {
  startUnits({"--units", "2", "--unit-option", "2:layout=2"});
  for (std::size_t k = 0; k < 2; ++k) {
    std::vector<std::uint8_t> before = server->unit(k).configImage();
    QString unit = QString::fromStdString(formatIpv4(server->unit(k).ip()));
    ASSERT_EQ(cli({"config", "read", unit, "-o", dir.filePath("unit.txt")}).status, 0);
    CliRun w = cli({"config", "write", dir.filePath("unit.txt"), unit});
    ASSERT_EQ(w.status, 0) << w.err.toStdString();
    auto after = server->unit(k).configImage();
    ASSERT_EQ(after.size(), before.size());
    // The file gives an absent WEP key no length, so the length word of an
    // absent slot reads back as 0; every other byte is the unit's own.
    auto absentKeyLength = [&](std::size_t i) {
      if (i < cfg::WepKeys || i >= cfg::WepKeys + cfg::WepKeySlots * cfg::WepKeyEntrySize) return false;
      std::size_t slot = cfg::WepKeys + (i - cfg::WepKeys) / cfg::WepKeyEntrySize * cfg::WepKeyEntrySize;
      return (before[slot] & 1) == 0 && (i == slot + 2 || i == slot + 3) && after[i] == 0;
    };
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (!absentKeyLength(i)) {
        ASSERT_EQ(after[i], before[i]) << "layout " << server->unit(k).layout() << ", image offset " << i;
      }
    }
    // From then on a read and a write leave every byte as it is.
    ASSERT_EQ(cli({"config", "read", unit, "-o", dir.filePath("again.txt")}).status, 0);
    ASSERT_EQ(cli({"config", "write", dir.filePath("again.txt"), unit}).status, 0);
    EXPECT_EQ(server->unit(k).configImage(), after) << "layout " << server->unit(k).layout();
  }
}

TEST_F(CliConfig, EveryKeyedByteSurvivesReadAndWrite) {
  startUnits({"--units", "1"});
  // Something other than the defaults, so a lossy round trip would show.
  ConfigSet set;
  BuildDefaultConfig(set);
  set.record.setIp(cfg::IPAddress, ipv4FromOctets(127, 0, 0, 2));
  set.record.setText(cfg::ESSID, cfg::ESSIDSize, "Quote\"Back\\slash");
  set.record.setU16(cfg::StpPriority, 4096);
  set.record.bytes[kMacFilterOffset + 8] = 0x12;  // reserved and table bytes travel too
  server->unit(0).loadConfigImage(set.image(5));

  CliRun r = cli({"config", "read", "127.0.0.2", "-o", dir.filePath("unit.txt")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  CliRun w = cli({"config", "write", dir.filePath("unit.txt"), "127.0.0.2"});
  ASSERT_EQ(w.status, 0) << w.err.toStdString();
  std::vector<std::uint8_t> after = server->unit(0).configImage();
  // Every byte the file carries comes back; only what no key holds may
  // return to its default.
  ConfigSet expected;
  BuildDefaultConfig(expected);
  ReadConfigFile(expected, expected, MacAddress{}, dir.filePath("unit.txt").toStdString(), {1, kDisplayLevelAll});
  auto image = expected.image(5);
  EXPECT_TRUE(std::equal(after.begin() + 20, after.end(), image.begin() + 20));
  EXPECT_EQ(set.record.text(cfg::ESSID, cfg::ESSIDSize), expected.record.text(cfg::ESSID, cfg::ESSIDSize));
  // A second round changes nothing at all.
  ASSERT_EQ(cli({"config", "read", "127.0.0.2", "-o", dir.filePath("again.txt")}).status, 0);
  ASSERT_EQ(cli({"config", "write", dir.filePath("again.txt"), "127.0.0.2"}).status, 0);
  EXPECT_EQ(server->unit(0).configImage(), after);
  EXPECT_EQ(read(dir.filePath("again.txt")), read(dir.filePath("unit.txt")));
}

// An existing folder is a folder with or without its separator; a place no
// file can go is refused before the unit is asked for anything.
TEST_F(CliConfig, ReadIntoAFolderOrNowhereIsKnownBeforeTheUnitIsAsked) {
  startUnits({"--units", "1"});
  // A file named after the unit needs its MAC address.
  const QString unit = QString::fromStdString(formatMac(server->unit(0).mac()));
  ASSERT_TRUE(QDir(dir.path()).mkdir("backup"));
  CliRun r = cli({"config", "read", unit, "-o", dir.filePath("backup")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QString named = QString::fromStdString(unitConfigFileName(server->unit(0).mac()));
  EXPECT_TRUE(QFile::exists(dir.filePath("backup/" + named)));

  const quint64 asked = server->counters().received;
  for (const QString& nowhere : {dir.filePath("missing/unit.txt"), dir.filePath("missing/")}) {
    CliRun bad = cli({"config", "read", unit, "-o", nowhere});
    EXPECT_EQ(bad.status, 74) << nowhere.toStdString();
    EXPECT_TRUE(bad.err.contains("does not exist")) << bad.err.toStdString();
  }
  EXPECT_EQ(server->counters().received, asked);
  // And a write from that folder, named without its separator, reads the unit's file back.
  CliRun w = cli({"config", "write", dir.filePath("backup"), unit});
  EXPECT_EQ(w.status, 0) << w.err.toStdString();
}

TEST_F(CliConfig, FilterWriteChangesOnlyTheTable) {
  startUnits({"--units", "1"});
  std::vector<std::uint8_t> before = server->unit(0).configImage();
  QFile f(dir.filePath("logflist"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[AP Login Filter Tables]\nAPLoginFilter=Enabled\nAPLogFilOtherAccess=Enabled\n"
          "NodeAddress1=00-11-22-33-44-55,,1\nNodeAddress2=00-11-22-33-44-60,00-11-22-33-44-70,2\n");
  f.close();
  CliRun w = cli({"filter", "write", "mac", dir.filePath("logflist"), "127.0.0.2"});
  ASSERT_EQ(w.status, 0) << w.err.toStdString();
  std::vector<std::uint8_t> after = server->unit(0).configImage();
  ASSERT_EQ(after.size(), before.size());
  std::size_t changedOutside = 0, changedInside = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] == before[i]) continue;
    bool inTable = i >= kMacFilterOffset && i < kMacFilterOffset + kMacFilterSize;
    ++(inTable ? changedInside : changedOutside);
  }
  EXPECT_EQ(changedOutside, 0u);
  EXPECT_GT(changedInside, 0u);
  ApConfig held;
  std::copy(after.begin(), after.end(), held.bytes.begin());
  ConstMacFilterBlock block(held);
  EXPECT_EQ(block.filterOn(), 1);
  EXPECT_EQ(block.usedCount(), 2u);
  // And back out again as the same file.
  ASSERT_EQ(cli({"filter", "read", "mac", "127.0.0.2", "-o", dir.filePath("back")}).status, 0);
  QByteArray back = read(dir.filePath("back"));
  EXPECT_TRUE(back.contains("NodeAddress2=00-11-22-33-44-60,00-11-22-33-44-70,2")) << back.toStdString();
}

TEST_F(CliConfig, EachLayoutReadsAsItsImportGives) {
  startUnits({"--units", "5", "--unit-option", "1:layout=1", "--unit-option", "2:layout=2", "--unit-option",
              "3:layout=3", "--unit-option", "4:layout=4"});
  for (int k = 0; k < 5; ++k) {
    const sim::SimUnit& u = server->unit(static_cast<std::size_t>(k));
    int layout = u.layout();
    // What the program must make of the unit's image: its own defaults for
    // the unit, the image of the layout laid over them, then the import.
    ConfigSet defaults, set;
    BuildDefaultConfig(defaults);
    ResetToDefaults(defaults, set, u.mac());
    auto image = u.configImage();
    auto target = set.image(layout);
    std::copy(image.begin() + 20, image.end(), target.begin() + 20);
    if (layout == 5) {
      ProjectLegacy(set);
    } else {
      ImportLegacy(layout, set);
    }
    QString expectedFile = dir.filePath(QString("expected%1.txt").arg(k));
    ASSERT_TRUE(WriteConfigFile(set.record, expectedFile.toStdString(), {1, kDisplayLevelAll}));

    QString got = dir.filePath(QString("unit%1.txt").arg(k));
    CliRun r = cli({"config", "read", QString::fromStdString(formatIpv4(u.ip())), "-o", got});
    ASSERT_EQ(r.status, 0) << "layout " << layout << ": " << r.err.toStdString();
    EXPECT_EQ(read(got), read(expectedFile)) << "layout " << layout;
  }
}

TEST_F(CliConfig, WhatIsNotAConfigurationFileIsNeverSent) {
  startUnits({"--units", "1"});
  std::vector<std::uint8_t> before = server->unit(0).configImage();
  QFile f(dir.filePath("notes.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("just some text\n");
  f.close();
  struct Case {
    const char* why;
    QStringList args;
    int status;
  } cases[] = {
      {"no Config section", {"config", "write", dir.filePath("notes.txt"), "127.0.0.2"}, 11},
      {"missing file", {"config", "write", dir.filePath("none.txt"), "127.0.0.2"}, 4},
      {"not a filter file", {"filter", "write", "protocol", dir.filePath("notes.txt"), "127.0.0.2"}, 11},
  };
  for (const auto& c : cases) {
    CliRun r = cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.why << ": " << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << c.why;
  }
  EXPECT_EQ(server->counters().received, 0u);
  EXPECT_EQ(server->unit(0).configImage(), before);
}

TEST_F(CliConfig, DiffNamesTheKeysThatDiffer) {
  startUnits({"--units", "1"});
  ASSERT_EQ(cli({"config", "defaults", "-o", dir.filePath("a.txt")}).status, 0);
  QByteArray text = read(dir.filePath("a.txt"));
  text.replace("StpPriority=32768", "StpPriority=4096");
  QFile f(dir.filePath("b.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text);
  f.close();
  CliRun same = cli({"config", "diff", dir.filePath("a.txt"), dir.filePath("a.txt")});
  EXPECT_EQ(same.status, 0);
  CliRun d = cli({"config", "diff", dir.filePath("a.txt"), dir.filePath("b.txt")});
  EXPECT_EQ(d.status, 1);
  EXPECT_EQ(d.out, "StpPriority: 32768 -> 4096\n");
}

}  // namespace
}  // namespace trennic
