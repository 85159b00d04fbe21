#include "core/app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/app/ini_profile.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

namespace fs = std::filesystem;
using trennic::testing::readBytes;
using trennic::testing::TempDir;
using trennic::testing::writeBytes;

// ------------------------------------------------------------ command line

struct SwitchCase {
  const char* rule;
  std::vector<std::string> args;
  int level;
  bool debugDisplay;
  bool debugLog;
};
void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.rule; }

class CommandLine : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLine, Switches) {
  const SwitchCase& c = GetParam();
  CUtilityApp app;
  app.parseCommandLine(c.args);
  EXPECT_EQ(app.settings.displayLevel, c.level);
  EXPECT_EQ(app.settings.debugDisplay, c.debugDisplay);
  EXPECT_EQ(app.settings.debugLog, c.debugLog);
  EXPECT_TRUE(app.settingsOverride.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommandLine,
    ::testing::Values(SwitchCase{"NoSwitchesLevelZero", {}, 0, false, false},
                      SwitchCase{"CaseIgnored", {"/e3", "/DL"}, 3, false, true},
                      SwitchCase{"LastLevelSwitchWins", {"/E3", "/E1"}, 1, false, false},
                      SwitchCase{"LaterLevelKeepsDebugDisplay", {"/D", "/E2"}, 2, true, false},
                      SwitchCase{"DebugDisplayPassesEveryLevel", {"/d"}, kDisplayLevelAll, true, false},
                      SwitchCase{"PlainEIsLevelOne", {"/E"}, 1, false, false},
                      SwitchCase{"DebugLogLongForm", {"/dl1"}, 0, false, true},
                      SwitchCase{"UnknownSwitchIgnored", {"/X"}, 0, false, false},
                      SwitchCase{"SwitchMustMatchWhole", {"/E2x", "/DLL", "E3"}, 0, false, false},
                      SwitchCase{"UnknownBetweenKnownIgnored", {"/E2", "/X", "/DL"}, 2, false, true}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(CommandLine, SettingsFileOption) {
  CUtilityApp app;
  app.parseCommandLine({"/E1", "--settings", "/tmp/t.ini", "/DL"});
  EXPECT_EQ(app.settingsOverride, "/tmp/t.ini");
  EXPECT_EQ(app.settings.displayLevel, 1);
  EXPECT_TRUE(app.settings.debugLog);

  CUtilityApp joined;
  joined.parseCommandLine({"--settings=other.ini"});
  EXPECT_EQ(joined.settingsOverride, "other.ini");
}

TEST(CommandLine, SettingsFileNameIsNotTakenAsSwitch) {
  CUtilityApp app;
  app.parseCommandLine({"--settings", "/D"});
  EXPECT_EQ(app.settingsOverride, "/D");
  EXPECT_EQ(app.settings.displayLevel, 0);
  EXPECT_FALSE(app.settings.debugDisplay);
}

// ------------------------------------------------------- settings file path

struct PathCase {
  const char* rule;
  std::string program;
  std::string currentDir;
  std::string expected;
};
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.rule; }

class SettingsPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(SettingsPath, BesideTheProgram) {
  const PathCase& c = GetParam();
  EXPECT_EQ(settingsPathFor(c.program, c.currentDir, TextEncoding::singleByte()), c.expected);
}

const std::string kSep(1, kPathSeparator);

INSTANTIATE_TEST_SUITE_P(
    Rules, SettingsPath,
    ::testing::Values(
        PathCase{"ExtensionBecomesIni", "C:/x/Korvel.exe", "/cwd", "C:/x/Korvel.INI"},
        PathCase{"UpperCaseProgram", "C:/X/KORVEL.EXE", "/cwd", "C:/X/KORVEL.INI"},
        PathCase{"NoExtensionGainsIni", "/opt/trennic/trennic", "/cwd", "/opt/trennic/trennic.INI"},
        PathCase{"DotInFolderIsNoExtension", "/opt/v2.1/trennic", "/cwd", "/opt/v2.1/trennic.INI"},
        PathCase{"ShortExtensionReplacedWhole", "/opt/t.ex", "/cwd", "/opt/t.INI"},
        PathCase{"ShortPathGoesToCurrentFolder", "ab", "/home/u", "/home/u" + kSep + "ab.INI"},
        PathCase{"CurrentFolderSeparatorNotDoubled", "ab", "/home/u" + kSep, "/home/u" + kSep + "ab.INI"}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(SettingsPath, FolderOfKeepsTheSeparator) {
  EXPECT_EQ(folderOf("C:/x/Korvel.exe", TextEncoding::singleByte()), "C:/x/");
  EXPECT_EQ(folderOf("Korvel.exe", TextEncoding::singleByte()), "");
}

// A folder whose name ends in a byte of the Shift-JIS lead ranges ("Café" in
// windows-1252) keeps its separator under a single-byte code page; under
// Shift_JIS the byte pairs with what follows, as it always has.
TEST(SettingsPath, SeparatorsFollowTheCodePage) {
  const std::string cafe = "Caf\xE9/";
  EXPECT_EQ(folderOf(cafe + "trennic", TextEncoding::singleByte()), cafe);
  EXPECT_EQ(settingsPathFor("ab", cafe, TextEncoding::singleByte()), cafe + "ab.INI");
  EXPECT_EQ(folderOf("\x95\x5C/trennic", TextEncoding::shiftJis()), "\x95\x5C/");
  EXPECT_EQ(folderOf(cafe + "trennic", TextEncoding::shiftJis()), "");
}

// ----------------------------------------------------------------- loading

class SettingsFile : public ::testing::Test {
 protected:
  TempDir dir;
  CUtilityApp app;

  void SetUp() override { app.settings.settingsPath = dir.file("Trennic.INI"); }
  const std::string& path() const { return app.settings.settingsPath; }
  std::string stored(const char* key) const { return ini::getProfileString(path(), "Environment", key, "<none>"); }
};

TEST_F(SettingsFile, MissingFileGivesDefaultsAndGainsDispSave) {
  app.settings.windowsShown = false;
  app.loadSettings();
  const AppSettings d;
  const AppSettings& s = app.settings;
  EXPECT_EQ(s.dispSave, 1);
  EXPECT_EQ(s.regWinX, -1);
  EXPECT_EQ(s.regWinY, -1);
  EXPECT_EQ(s.topWin, 0);
  EXPECT_EQ(s.fileType, 0u);
  EXPECT_EQ(s.firmFileName, "firmware.bin");
  EXPECT_EQ(s.wlFirmFileName, "wx73kqd.hex");
  EXPECT_EQ(s.wlFirmTmpFileName, "");
  EXPECT_EQ(s.loaderFileName, "loader.bin");
  EXPECT_EQ(s.configDirName, d.configDirName);
  EXPECT_EQ(s.logFilFileName, "logflist");
  EXPECT_EQ(s.protFilFileName, "prtflist");
  EXPECT_EQ(s.scanTime, 10u);
  EXPECT_TRUE(s.windowsShown);
  EXPECT_EQ(stored("DispSave"), "1");
}

TEST_F(SettingsFile, MissingDispSaveIsWrittenAtLoad) {
  writeBytes(path(), "[Environment]\nScanTime=5\n\n[NodeList]\nEntry1=x\n");
  app.loadSettings();
  EXPECT_EQ(stored("DispSave"), "1");
  EXPECT_EQ(stored("ScanTime"), "5");
  EXPECT_EQ(ini::getProfileString(path(), "NodeList", "Entry1", ""), "x");
  // Nothing but DispSave is written before the program ends.
  EXPECT_EQ(ini::Profile::load(path()).keys("Environment"), (std::vector<std::string>{"ScanTime", "DispSave"}));
}

TEST_F(SettingsFile, PresentDispSaveIsLeftAlone) {
  const std::string before = "[Environment]\r\nDispSave=0\r\n";
  writeBytes(path(), before);
  app.loadSettings();
  EXPECT_EQ(app.settings.dispSave, 0);
  EXPECT_EQ(readBytes(path()), before);
}

struct LoadCase {
  const char* rule;
  std::string environment;  // lines of the section
  int AppSettings::*intField;
  unsigned AppSettings::*unsignedField;
  long long expected;
};
void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.rule; }

class SettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SettingsLoad, NumberRules) {
  const LoadCase& c = GetParam();
  TempDir dir;
  CUtilityApp app;
  app.settings.settingsPath = dir.file("Trennic.INI");
  writeBytes(app.settings.settingsPath, "[Environment]\nDispSave=1\n" + c.environment);
  app.loadSettings();
  long long got = 0;
  if (c.intField)
    got = app.settings.*c.intField;
  else
    got = app.settings.*c.unsignedField;
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SettingsLoad,
    ::testing::Values(
        LoadCase{"FileTypeAboveFiveIsZero", "FileType=9\n", nullptr, &AppSettings::fileType, 0},
        LoadCase{"FileTypeFiveKept", "FileType=5\n", nullptr, &AppSettings::fileType, 5},
        LoadCase{"FileTypeMinusOneIsDefault", "FileType=-1\n", nullptr, &AppSettings::fileType, 0},
        LoadCase{"NoScanTimeIsTen", "", nullptr, &AppSettings::scanTime, 10},
        LoadCase{"ScanTimeRead", "ScanTime=30\n", nullptr, &AppSettings::scanTime, 30},
        LoadCase{"ScanTimeMinusOneIsDefault", "ScanTime=-1\n", nullptr, &AppSettings::scanTime, 10},
        LoadCase{"RegWinXRead", "RegWinX=120\n", &AppSettings::regWinX, nullptr, 120},
        LoadCase{"RegWinYMinusOneIsDefault", "RegWinY=-1\n", &AppSettings::regWinY, nullptr, -1},
        LoadCase{"TopWinRead", "TopWin=1\n", &AppSettings::topWin, nullptr, 1},
        LoadCase{"TopWinMinusOneIsDefault", "TopWin=-1\n", &AppSettings::topWin, nullptr, 0},
        LoadCase{"KeyNamesIgnoreCase", "scantime=7\n", nullptr, &AppSettings::scanTime, 7}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST_F(SettingsFile, DispSaveMinusOneIsDefault) {
  writeBytes(path(), "[Environment]\nDispSave=-1\n");
  app.loadSettings();
  EXPECT_EQ(app.settings.dispSave, 1);
}

TEST_F(SettingsFile, SectionNameIgnoresCase) {
  writeBytes(path(), "[ENVIRONMENT]\nDISPSAVE=0\nFirmFileName=my.bin\n");
  app.loadSettings();
  EXPECT_EQ(app.settings.dispSave, 0);
  EXPECT_EQ(app.settings.firmFileName, "my.bin");
}

TEST_F(SettingsFile, TextsAreCutTo259Bytes) {
  writeBytes(path(), "[Environment]\nDispSave=1\nFirmFileName=" + std::string(300, 'f') + "\n");
  app.loadSettings();
  EXPECT_EQ(app.settings.firmFileName, std::string(259, 'f'));
}

// ------------------------------------------------------------------ saving

TEST_F(SettingsFile, DispSaveOffForgetsPlacementWhateverItWas) {
  app.settings.dispSave = 0;
  app.settings.regWinX = 640;
  app.settings.regWinY = 480;
  app.settings.topWin = 1;
  ASSERT_TRUE(app.saveSettings());
  EXPECT_EQ(stored("DispSave"), "0");
  EXPECT_EQ(stored("RegWinX"), "-1");
  EXPECT_EQ(stored("RegWinY"), "-1");
  EXPECT_EQ(stored("TopWin"), "0");
}

TEST_F(SettingsFile, DispSaveOnKeepsPlacement) {
  app.settings.dispSave = 1;
  app.settings.regWinX = -20;
  app.settings.regWinY = 480;
  app.settings.topWin = 1;
  ASSERT_TRUE(app.saveSettings());
  EXPECT_EQ(stored("RegWinX"), "-20");
  EXPECT_EQ(stored("RegWinY"), "480");
  EXPECT_EQ(stored("TopWin"), "1");
}

TEST_F(SettingsFile, KeysWrittenInTableOrderAndOtherSectionsKept) {
  writeBytes(path(), "; kept\n[NodeList]\nEntry1=1,00-11-22-33-44-55,10.0.0.1,\"n\",1.00\n");
  app.settings.wlFirmTmpFileName = "never.tmp";
  ASSERT_TRUE(app.saveSettings());
  ini::Profile p = ini::Profile::load(path());
  EXPECT_EQ(p.keys("Environment"),
            (std::vector<std::string>{"DispSave", "RegWinX", "RegWinY", "TopWin", "FileType", "FirmFileName",
                                      "WlFirmFileName", "LoaderFileName", "ConfigDirName", "LogFilFileName",
                                      "ProtFilFileName", "ScanTime"}));
  EXPECT_EQ(p.getString("NodeList", "Entry1", ""), "1,00-11-22-33-44-55,10.0.0.1,\"n\",1.00");
  std::string text = readBytes(path());
  EXPECT_EQ(text.rfind("; kept\n[NodeList]\n", 0), 0u) << text;
  EXPECT_EQ(text.find("never.tmp"), std::string::npos);
}

TEST_F(SettingsFile, ExistingSectionIsUpdatedInPlace) {
  writeBytes(path(), "[Environment]\nScanTime=3\nOwnKey=x\nDispSave=1\n[NodeList]\nEntry1=e\n");
  app.loadSettings();
  app.settings.scanTime = 20;
  ASSERT_TRUE(app.saveSettings());
  ini::Profile p = ini::Profile::load(path());
  std::vector<std::string> keys = p.keys("Environment");
  ASSERT_GE(keys.size(), 3u);
  EXPECT_EQ(keys[0], "ScanTime");
  EXPECT_EQ(keys[1], "OwnKey");
  EXPECT_EQ(keys[2], "DispSave");
  EXPECT_EQ(p.getString("Environment", "ScanTime", ""), "20");
  EXPECT_EQ(p.getString("Environment", "OwnKey", ""), "x");
  EXPECT_EQ(p.getString("NodeList", "Entry1", ""), "e");
}

TEST_F(SettingsFile, SavedSettingsLoadBack) {
  AppSettings& s = app.settings;
  s.dispSave = 1;
  s.regWinX = 10;
  s.regWinY = 20;
  s.topWin = 1;
  s.fileType = 4;
  s.firmFileName = "C:\\fw\\\x95\x5C.bin";
  s.wlFirmFileName = "card.hex";
  s.loaderFileName = "ld.bin";
  s.configDirName = "D:\\configs\\";
  s.logFilFileName = "mac.txt";
  s.protFilFileName = "prot.txt";
  s.scanTime = 5;
  ASSERT_TRUE(app.saveSettings());

  CUtilityApp again;
  again.settings.settingsPath = path();
  again.loadSettings();
  const AppSettings& r = again.settings;
  EXPECT_EQ(r.regWinX, 10);
  EXPECT_EQ(r.regWinY, 20);
  EXPECT_EQ(r.topWin, 1);
  EXPECT_EQ(r.fileType, 4u);
  EXPECT_EQ(r.firmFileName, s.firmFileName);
  EXPECT_EQ(r.wlFirmFileName, "card.hex");
  EXPECT_EQ(r.loaderFileName, "ld.bin");
  EXPECT_EQ(r.configDirName, "D:\\configs\\");
  EXPECT_EQ(r.logFilFileName, "mac.txt");
  EXPECT_EQ(r.protFilFileName, "prot.txt");
  EXPECT_EQ(r.scanTime, 5u);
}

TEST_F(SettingsFile, FileNamesInQuotesOrBlanksLoadBack) {
  AppSettings& s = app.settings;
  s.firmFileName = "'fw.bin'";
  s.wlFirmFileName = "\"card\".hex";
  s.loaderFileName = " ld.bin";
  s.logFilFileName = "\"mac\"";
  ASSERT_TRUE(app.saveSettings());
  EXPECT_EQ(stored("LoaderFileName"), " ld.bin");
  EXPECT_EQ(stored("WlFirmFileName"), "\"card\".hex");

  CUtilityApp again;
  again.settings.settingsPath = path();
  again.loadSettings();
  EXPECT_EQ(again.settings.firmFileName, "'fw.bin'");
  EXPECT_EQ(again.settings.wlFirmFileName, "\"card\".hex");
  EXPECT_EQ(again.settings.loaderFileName, " ld.bin");
  EXPECT_EQ(again.settings.logFilFileName, "\"mac\"");
}

TEST_F(SettingsFile, SaveOverAFolderFails) {
  fs::create_directory(path());
  EXPECT_FALSE(app.saveSettings());
  EXPECT_TRUE(fs::is_directory(path()));
}

}  // namespace
}  // namespace trennic
