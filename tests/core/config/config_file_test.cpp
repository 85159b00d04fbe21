#include "core/config/config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/app/ini_profile.h"
#include "core/filters/filter_files.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

// The file as written, its lines ending in LF: files are written in the
// platform's text mode, with CR LF on Windows as the units' tool wrote them.
std::string writtenText(const std::string& path) {
  std::string text = testing::readBytes(path);
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k)
    if (!(text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n')) out += text[k];
  return out;
}

using testing::TempDir;
using testing::readBytes;
using testing::writeBytes;

ConfigSet builtDefaults(unsigned channel = 1) {
  ConfigSet d;
  BuildDefaultConfig(d, channel);
  return d;
}

constexpr std::uint16_t kMark = 0x7777;
const Ipv4 kMarkIp = ipv4FromOctets(9, 9, 9, 9);

// Defaults in which every keyed field differs from what the tests write, so
// that a key which leaves its field alone shows.
ConfigSet markedDefaults() {
  ConfigSet d = builtDefaults();
  ApConfig& c = d.record;
  for (const auto& f : configFields()) {
    if (f.kind == FieldKind::Word) c.setU16(f.offset, kMark);
    if (f.kind == FieldKind::Ip) c.setIp(f.offset, kMarkIp);
  }
  c.setText(cfg::ESSID, cfg::ESSIDSize, "Office");
  c.setText(cfg::SnmpCommunity, cfg::SnmpTextSize, "public");
  c.setText(cfg::SnmpSysName, cfg::SnmpTextSize, "name");
  c.setText(cfg::SnmpSysLocation, cfg::SnmpTextSize, "place");
  c.setText(cfg::SnmpSysContact, cfg::SnmpTextSize, "who");
  for (std::size_t i = 0; i < cfg::ScrambleKeySize; ++i) c.bytes[cfg::ScrambleKey + i] = 0xEE;
  c.setMac(cfg::CompatiStaMac, MacAddress{{0xE, 0xE, 0xE, 0xE, 0xE, 0xE}});
  c.setU16(cfg::PriorityCount, 1);
  c.setMac(cfg::PriorityAps, MacAddress{{0xE, 1, 2, 3, 4, 5}});
  c.setU16(cfg::ChannelCount, 2);
  c.setU16(cfg::Channels, 3);
  c.setU16(cfg::Channels + 2, 4);
  c.setU16(cfg::WepKeys + cfg::WepKeyLengthAt, 13);
  for (std::size_t i = 0; i < 13; ++i) c.bytes[cfg::WepKeys + cfg::WepKeyBytesAt + i] = 0xAA;
  ProjectLegacy(d);
  return d;
}

std::string configText(const std::vector<std::string>& lines) {
  std::string out = "[Config]\n";
  for (const auto& l : lines) out += l + "\n";
  return out;
}

// Reads a file whose "Config" section holds the given lines.
ConfigSet readLines(const std::vector<std::string>& lines, const ConfigSet& defaults,
                    const ConfigFileOptions& options = {}) {
  TempDir dir;
  std::string path = dir.file("config.txt");
  writeBytes(path, configText(lines));
  ConfigSet target;
  EXPECT_EQ(ReadConfigFile(defaults, target, MacAddress{}, path, options), 1);
  return target;
}

ConfigSet readOne(const std::string& key, const std::string& value, const ConfigSet& defaults,
                  const ConfigFileOptions& options = {}) {
  return readLines({key + "=" + value}, defaults, options);
}

ConfigFileOptions optionsFor(TextEncoding encoding) {
  ConfigFileOptions o;
  o.encoding = encoding;
  return o;
}

std::vector<std::uint8_t> bytesOf(const ApConfig& c, std::size_t offset, std::size_t size) {
  auto s = c.span(offset, size);
  return {s.begin(), s.end()};
}

std::vector<std::uint16_t> channelsOf(const ApConfig& c) {
  std::vector<std::uint16_t> out;
  for (std::size_t i = 0; i < cfg::ChannelSlots; ++i) out.push_back(c.u16(cfg::Channels + 2 * i));
  return out;
}

// The "Config" section as ConfigFileValues renders it.
std::string renderedSection(const ApConfig& c, const ConfigFileOptions& options = {}) {
  std::string out = "[Config]\n";
  for (const auto& [key, value] : ConfigFileValues(c, options)) out += key + "=" + value + "\n";
  return out;
}

// ------------------------------------------------------------------ writing

const char* const kDefaultSection =
    "[Config]\n"
    "IPAddress=10.0.0.0\n"
    "SubnetMask=255.0.0.0\n"
    "DefaultGateway=0.0.0.0\n"
    "ModeSw=Enabled\n"
    "NetworkMode=ADHOC\n"
    "UnitType=STA\n"
    "Scramble=Disabled\n"
    "ScrambleVersion=1\n"
    "ScrambleKey=00.00.00.00.00.00.00.00.00.00\n"
    "ESSID=\"LocalGroup\"\n"
    "TxRate=Auto\n"
    "ChannelFree=Disabled\n"
    "ChannelNo=1\n"
    "SwDestAddrType=Broardcast\n"
    "CompatiStaMac=00-00-00-00-00-00\n"
    "CompatiStaAgeTime=10\n"
    "WlFirmTimeOut=60\n"
    "ApRateBasic=0\n"
    "ApRateSupported=15\n"
    "ApRateTaRateCtrl=0\n"
    "RoamExtendCtrl=Disabled\n"
    "RoamRoamingThreshold=80\n"
    "RoamSampligTime=3\n"
    "RoamPriApMac1=\n"
    "RoamPriApMac2=\n"
    "RoamPriApMac3=\n"
    "RoamPriApMac4=\n"
    "RoamPriApMac5=\n"
    "RoamPriApOther=Enabled\n"
    "ApAgeTime=5\n"
    "ApAnyIDBlock=Disabled\n"
    "Wep=Disabled\n"
    "WepVersion=1\n"
    "WepDefTxKey=0\n"
    "WepKeySize1=5\n"
    "WepKey1=0000000000\n"
    "WepKeySize2=0\n"
    "WepKey2=\n"
    "WepKeySize3=0\n"
    "WepKey3=\n"
    "WepKeySize4=0\n"
    "WepKey4=\n"
    "SpeedThreshold=Disabled\n"
    "Speed5_11m=90\n"
    "Speed2_5m=80\n"
    "Speed1_2m=70\n"
    "SnmpCommunity=\"quorel\"\n"
    "SnmpAccess=ReadWrite\n"
    "SnmpTrapIpAddr=0.0.0.0\n"
    "SnmpSysName=\"\"\n"
    "SnmpSysLocation=\"\"\n"
    "SnmpSysContact=\"\"\n"
    "SnmpAgent=Enabled\n"
    "StpFunc=Enabled\n"
    "StpPriority=32768\n"
    "StpMaxAge=20\n"
    "StpHelloTime=2\n"
    "StpFwdDelay=15\n"
    "StpCostEt=100\n"
    "StpCostWl=500\n";

TEST(WriteConfigFile, DefaultsGiveEveryKeyInTheWritersOrderThenTheTwoFilterSections) {
  TempDir dir;
  std::string path = dir.file("config.txt");
  ApConfig c = builtDefaults().record;
  ASSERT_EQ(WriteConfigFile(c, path), 1);
  std::string text = writtenText(path);
  ASSERT_EQ(text.substr(0, std::string(kDefaultSection).size()), kDefaultSection);
  EXPECT_EQ(renderedSection(c), kDefaultSection);

  auto file = ini::Profile::load(path);
  EXPECT_TRUE(file.hasSection(kMacFilterSection));
  EXPECT_TRUE(file.hasSection(kProtocolFilterSection));
  std::size_t config = text.find("[Config]"), mac = text.find("[AP Login Filter Tables]"),
              protocol = text.find("[Protocol Filter Tables]");
  EXPECT_LT(config, mac);
  EXPECT_LT(mac, protocol);
}

TEST(WriteConfigFile, ReplacesTheWholeFileAndAbsentKeySlotsLoseTheirLength) {
  TempDir dir;
  std::string path = dir.file("config.txt");
  writeBytes(path, "[Other]\nA=1\n[Config]\nJunk=1\nESSID=old\n");
  ApConfig c = builtDefaults().record;
  ASSERT_EQ(WriteConfigFile(c, path), 1);
  auto file = ini::Profile::load(path);
  EXPECT_FALSE(file.hasSection("Other"));
  EXPECT_FALSE(file.value("Config", "Junk"));
  EXPECT_EQ(file.keys("Config").size(), ConfigFileValues(c).size());
  // Slot 1 is present; slots 2 to 4 are not, and now say so in the record too.
  EXPECT_EQ(c.u16(cfg::WepKeys + cfg::WepKeyLengthAt), 5);
  for (std::size_t k = 2; k <= 4; ++k)
    EXPECT_EQ(c.u16(cfg::WepKeys + cfg::WepKeyEntrySize * (k - 1) + cfg::WepKeyLengthAt), 0) << k;
}

TEST(WriteConfigFile, AFailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  ApConfig c = builtDefaults().record;
  std::string readOnly = dir.file("locked.txt");
  writeBytes(readOnly, "[Config]\nESSID=\"kept\"\n");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  EXPECT_EQ(WriteConfigFile(c, readOnly), 0);
  EXPECT_EQ(readBytes(readOnly), "[Config]\nESSID=\"kept\"\n");
  EXPECT_EQ(WriteConfigFile(c, dir.file("missing/config.txt")), 0);
  EXPECT_EQ(WriteConfigFile(c, dir.path().string()), 0);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"locked.txt"});
}

TEST(WriteConfigFile, ValuesOutsideAWordTableAreWrittenAsNumbersAndReadBack) {
  struct Case {
    const char* key;
    std::size_t offset;
    std::uint16_t value;
  } cases[] = {
      {"SwDestAddrType", cfg::SwDestAddrType, 2}, {"NetworkMode", cfg::NetworkMode, 2},
      {"NetworkMode", cfg::NetworkMode, 3},       {"NetworkMode", cfg::NetworkMode, 6},
      {"TxRate", cfg::TxRate, 9},                 {"UnitType", cfg::UnitType, 65535},
      {"SnmpAccess", cfg::SnmpAccess, 300},       {"ModeSw", cfg::ModeSw, 2},
      {"StpFunc", cfg::StpFunc, 7},
  };
  ConfigSet defaults = builtDefaults();
  for (const auto& k : cases) {
    TempDir dir;
    std::string path = dir.file("config.txt");
    ApConfig c = defaults.record;
    c.setU16(k.offset, k.value);
    ASSERT_EQ(WriteConfigFile(c, path), 1);
    EXPECT_EQ(ini::Profile::load(path).value("Config", k.key), std::to_string(k.value)) << k.key;
    ConfigSet back;
    ASSERT_EQ(ReadConfigFile(defaults, back, MacAddress{}, path), 1);
    EXPECT_EQ(back.record.u16(k.offset), k.value) << k.key;
  }
}

TEST(ConfigFileValues, CountsFromAUnitNeverReachPastTheirSlots) {
  ApConfig c = builtDefaults().record;
  c.setU16(cfg::ChannelCount, 20);
  for (std::size_t i = 0; i < cfg::ChannelSlots; ++i) c.setU16(cfg::Channels + 2 * i, static_cast<std::uint16_t>(i + 1));
  c.setU16(cfg::PriorityCount, 9);
  c.setMac(cfg::PriorityAps, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
  c.setU16(cfg::WepKeys + cfg::WepKeyLengthAt, 40);
  for (std::size_t i = 0; i < cfg::WepKeyBytes; ++i) c.bytes[cfg::WepKeys + cfg::WepKeyBytesAt + i] = 0x5A;
  std::string key;
  for (std::size_t i = 0; i < cfg::WepKeyBytes; ++i) key += "5A";
  std::vector<std::pair<std::string, std::string>> expected = {
      {"ChannelNo", "1,2,3,4,5,6,7,8,9,10,11,12,13,14"},
      {"RoamPriApMac1", "00-11-22-33-44-55"},
      {"RoamPriApMac5", ""},
      {"WepKeySize1", "40"},
      {"WepKey1", key},  // the slot's 32 bytes, nothing of the next slot
  };
  auto values = ConfigFileValues(c);
  for (const auto& [name, value] : expected) {
    auto it = std::find_if(values.begin(), values.end(), [&name = name](const auto& kv) { return kv.first == name; });
    ASSERT_NE(it, values.end()) << name;
    EXPECT_EQ(it->second, value) << name;
  }
  EXPECT_EQ(values.size(), std::size_t{60});
}

// ------------------------------------------------------------------ reading

TEST(ReadConfigFile, WordsInAnyCaseOrAsTheirNumber) {
  struct Case {
    const char* why;
    const char* key;
    std::size_t offset;
    const char* value;
    std::uint16_t expected;
  } cases[] = {
      {"lower case", "NetworkMode", cfg::NetworkMode, "infrastructure", 1},
      {"upper case", "NetworkMode", cfg::NetworkMode, "INFRASTRUCTURE", 1},
      {"mixed case", "NetworkMode", cfg::NetworkMode, "iNfRaStRuCtUrE", 1},
      {"ad hoc", "NetworkMode", cfg::NetworkMode, "adhoc", 0},
      {"compatible", "NetworkMode", cfg::NetworkMode, "Compatible", 4},
      {"advanced", "NetworkMode", cfg::NetworkMode, "ADVANCED", 5},
      {"empty leaves the defaults", "NetworkMode", cfg::NetworkMode, "", kMark},
      {"a word's beginning is no word", "NetworkMode", cfg::NetworkMode, "Infra", kMark},
      {"a mode without a word, by number", "NetworkMode", cfg::NetworkMode, "3", 3},
      {"unit type", "UnitType", cfg::UnitType, "ap", 0},
      {"station", "UnitType", cfg::UnitType, "Sta", 1},
      {"rates", "TxRate", cfg::TxRate, "1m/2m", 2},
      {"5.5M", "TxRate", cfg::TxRate, "5.5m", 3},
      {"11M", "TxRate", cfg::TxRate, "11M", 4},
      {"1M", "TxRate", cfg::TxRate, "1M", 0},
      {"auto", "TxRate", cfg::TxRate, "auto", 5},
      {"access", "SnmpAccess", cfg::SnmpAccess, "readonly", 0},
      {"read and write", "SnmpAccess", cfg::SnmpAccess, "READWRITE", 1},
      {"destination", "SwDestAddrType", cfg::SwDestAddrType, "UNICAST", 0},
      {"the file's own spelling", "SwDestAddrType", cfg::SwDestAddrType, "broardcast", 1},
      {"the dictionary's spelling is no word", "SwDestAddrType", cfg::SwDestAddrType, "Broadcast", kMark},
      {"switch on", "StpFunc", cfg::StpFunc, "enabled", 1},
      {"switch off", "Wep", cfg::Wep, "DISABLED", 0},
      {"blanks around the value", "Scramble", cfg::Scramble, "  Enabled  ", 1},
      {"no such switch word", "ModeSw", cfg::ModeSw, "on", kMark},
      {"number modulo 65536", "ModeSw", cfg::ModeSw, "65537", 1},
      {"a number must stand alone", "ModeSw", cfg::ModeSw, "1x", kMark},
  };
  ConfigSet defaults = markedDefaults();
  for (const auto& k : cases) EXPECT_EQ(readOne(k.key, k.value, defaults).record.u16(k.offset), k.expected) << k.why;
}

TEST(ReadConfigFile, NumbersModulo65536) {
  struct Case {
    const char* value;
    std::uint16_t expected;
  } cases[] = {
      {"4096", 4096},    {"70000", 4464}, {"65535", 65535}, {"65536", 0},  {"\"  42\"", 42},
      {"12abc", 12},     {"+7", 7},       {"-1", 65535},    {"abc", kMark}, {"", kMark},
      {"4294967297", 1},
  };
  ConfigSet defaults = markedDefaults();
  for (const auto& k : cases)
    EXPECT_EQ(readOne("StpPriority", k.value, defaults).record.u16(cfg::StpPriority), k.expected) << k.value;
}

TEST(ReadConfigFile, Ipv4TextsFirstByteFirstEachModulo256) {
  struct Case {
    const char* value;
    Ipv4 expected;
  } cases[] = {
      {"192.168.1.7", ipv4FromOctets(192, 168, 1, 7)},
      {"256.257.0.1", ipv4FromOctets(0, 1, 0, 1)},
      {"300.1.2.3", ipv4FromOctets(44, 1, 2, 3)},
      {"1. 2. 3. 4", ipv4FromOctets(1, 2, 3, 4)},
      {"1.2.3.4 trailing", ipv4FromOctets(1, 2, 3, 4)},
      {"1.2.3", kMarkIp},
      {"1.2.3.", kMarkIp},
      {"a.b.c.d", kMarkIp},
      {"", kMarkIp},
  };
  ConfigSet defaults = markedDefaults();
  for (const auto& k : cases) {
    ConfigSet s = readOne("SubnetMask", k.value, defaults);
    EXPECT_EQ(formatIpv4(s.record.ip(cfg::SubnetMask)), formatIpv4(k.expected)) << k.value;
  }
}

TEST(ReadConfigFile, ChannelList) {
  struct Case {
    const char* why;
    std::vector<std::string> lines;
    std::uint16_t count;
    std::vector<std::uint16_t> channels;  // leading slots; the rest are zero
  } cases[] = {
      {"three channels", {"ChannelFree=Disabled", "ChannelNo=1,6,11"}, 3, {1, 6, 11}},
      {"a blank ends the scan", {"ChannelFree=Disabled", "ChannelNo=1, 6"}, 1, {1}},
      {"no channel gives the default channel", {"ChannelFree=Disabled", "ChannelNo=0,15"}, 1, {7}},
      {"an empty list gives the default channel", {"ChannelFree=Disabled", "ChannelNo="}, 1, {7}},
      {"a number cut short still counts", {"ChannelFree=Disabled", "ChannelNo=6x"}, 1, {6}},
      {"a number cut short must be a channel", {"ChannelFree=Disabled", "ChannelNo=15x"}, 1, {7}},
      {"a dropped entry starts over", {"ChannelFree=Disabled", "ChannelNo=20,3x"}, 1, {3}},
      {"after counted channels it is dropped", {"ChannelFree=Disabled", "ChannelNo=1,2,3x"}, 2, {1, 2}},
      {"after counted channels a cut one leaves no trace", {"ChannelFree=Disabled", "ChannelNo=1,6/,11"}, 1, {1}},
      {"an empty first entry", {"ChannelFree=Disabled", "ChannelNo=,5"}, 1, {5}},
      {"duplicates stay", {"ChannelFree=Disabled", "ChannelNo=3,3"}, 2, {3, 3}},
      {"entries are 16 bits", {"ChannelFree=Disabled", "ChannelNo=65542"}, 1, {6}},
      {"at most 14",
       {"ChannelFree=Disabled", "ChannelNo=1,2,3,4,5,6,7,8,9,10,11,12,13,14,1"},
       14,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
      {"all free whatever the list says", {"ChannelFree=enabled", "ChannelNo=1,6,11"}, 0, {}},
      {"without ChannelFree the list counts", {"ChannelNo=2,4"}, 2, {2, 4}},
      {"a ChannelFree that is no switch word", {"ChannelFree=maybe", "ChannelNo=2"}, 1, {2}},
      {"without either key", {}, 1, {7}},
  };
  ConfigSet defaults = markedDefaults();
  ConfigFileOptions options;
  options.defaultChannel = 7;
  for (const auto& k : cases) {
    ConfigSet s = readLines(k.lines, defaults, options);
    std::vector<std::uint16_t> expected = k.channels;
    expected.resize(cfg::ChannelSlots);
    EXPECT_EQ(s.record.u16(cfg::ChannelCount), k.count) << k.why;
    EXPECT_EQ(channelsOf(s.record), expected) << k.why;
    // Written and read again, the list is the one that was read.
    TempDir dir;
    ASSERT_EQ(WriteConfigFile(s.record, dir.file("again.txt"), options), 1);
    ConfigSet again;
    ASSERT_EQ(ReadConfigFile(defaults, again, MacAddress{}, dir.file("again.txt"), options), 1);
    EXPECT_EQ(again.record.u16(cfg::ChannelCount), k.count) << k.why;
    EXPECT_EQ(channelsOf(again.record), expected) << k.why;
  }
}

TEST(WriteConfigFile, AllFreeChannelsWriteEnabledAndTheDefaultChannel) {
  ApConfig c = builtDefaults().record;
  c.setU16(cfg::ChannelCount, 0);
  ConfigFileOptions options;
  options.defaultChannel = 11;
  auto values = ConfigFileValues(c, options);
  auto at = [&](const char* key) {
    for (const auto& kv : values)
      if (kv.first == key) return kv.second;
    return std::string("?");
  };
  EXPECT_EQ(at("ChannelFree"), "Enabled");
  EXPECT_EQ(at("ChannelNo"), "11");
}

TEST(ReadConfigFile, PriorityListClosesGapsInFileOrder) {
  const std::string a = "00-11-22-33-44-55", b = "02-00-00-0A-0B-0C", z = "00-00-00-00-00-00";
  struct Case {
    const char* why;
    std::vector<std::string> values;  // RoamPriApMac1..5
    std::vector<std::string> entries;
  } cases[] = {
      {"a gap before the only entry", {"", a, "", "", ""}, {a}},
      {"all five", {a, b, "0a-0b-0c-0d-0e-0f", "10-20-30-40-50-60", "FF-FF-FF-FF-FF-FF"},
       {a, b, "0A-0B-0C-0D-0E-0F", "10-20-30-40-50-60", "FF-FF-FF-FF-FF-FF"}},
      {"an all-zero address is no entry", {z, b, "", "", ""}, {b}},
      {"unreadable values are gaps", {"junk", b, "", a, "11-22-33"}, {b, a}},
      {"none", {"", "", "", "", ""}, {}},
  };
  ConfigSet defaults = markedDefaults();
  for (const auto& k : cases) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 5; ++i) lines.push_back("RoamPriApMac" + std::to_string(i + 1) + "=" + k.values[i]);
    ConfigSet s = readLines(lines, defaults);
    ASSERT_EQ(s.record.u16(cfg::PriorityCount), k.entries.size()) << k.why;
    for (std::size_t i = 0; i < k.entries.size(); ++i)
      EXPECT_EQ(formatMac(s.record.mac(cfg::PriorityAps + cfg::PriorityEntrySize * i)), k.entries[i]) << k.why;
  }
}

TEST(ReadConfigFile, WepSlotSizesAndKeyTexts) {
  struct Case {
    const char* why;
    std::vector<std::string> lines;  // for slot 2
    std::uint16_t flags;
    std::uint16_t length;
    std::vector<std::uint8_t> key;  // leading bytes; the rest are zero
  } cases[] = {
      {"a short key text", {"WepKeySize2=13", "WepKey2=0102"}, 1, 13, {1, 2}},
      {"40 bit", {"WepKeySize2=5", "WepKey2=0A0B0C0D0E"}, 1, 5, {0xA, 0xB, 0xC, 0xD, 0xE}},
      {"lower-case digits", {"WepKeySize2=5", "WepKey2=0a0b0c0d0e"}, 1, 5, {0xA, 0xB, 0xC, 0xD, 0xE}},
      {"only size bytes are taken", {"WepKeySize2=2", "WepKey2=01020304"}, 1, 2, {1, 2}},
      {"a bad digit stops the key", {"WepKeySize2=5", "WepKey2=01G203"}, 1, 5, {1}},
      {"a lone last digit is dropped", {"WepKeySize2=5", "WepKey2=010"}, 1, 5, {1}},
      {"present without a key text", {"WepKeySize2=5"}, 1, 5, {}},
      {"size 0 is no key", {"WepKeySize2=0", "WepKey2=FFFF"}, 0, 0, {}},
      {"no size is no key", {"WepKey2=FFFF"}, 0, 0, {}},
      {"an unreadable size is no key", {"WepKeySize2=abc", "WepKey2=FFFF"}, 0, 0, {}},
      {"above 32 is 32", {"WepKeySize2=40", "WepKey2=" + std::string(80, 'F')}, 1, 32,
       std::vector<std::uint8_t>(32, 0xFF)},
      {"modulo 65536 first", {"WepKeySize2=65541", "WepKey2=0102030405"}, 1, 5, {1, 2, 3, 4, 5}},
  };
  ConfigSet defaults = markedDefaults();
  const std::size_t slot2 = cfg::WepKeys + cfg::WepKeyEntrySize;
  for (const auto& k : cases) {
    ConfigSet s = readLines(k.lines, defaults);
    std::vector<std::uint8_t> key = k.key;
    key.resize(cfg::WepKeyBytes);
    EXPECT_EQ(s.record.u16(slot2 + cfg::WepKeyFlagsAt), k.flags) << k.why;
    EXPECT_EQ(s.record.u16(slot2 + cfg::WepKeyLengthAt), k.length) << k.why;
    EXPECT_EQ(bytesOf(s.record, slot2 + cfg::WepKeyBytesAt, cfg::WepKeyBytes), key) << k.why;
  }
}

TEST(ReadConfigFile, ScrambleKeyAndStaticNodeAddress) {
  ConfigSet defaults = markedDefaults();
  std::vector<std::uint8_t> marked(cfg::ScrambleKeySize, 0xEE);
  struct Case {
    const char* value;
    std::vector<std::uint8_t> expected;
  } keys[] = {
      {"01.02.03.04.05.06.07.08.09.FA", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xFA}},
      {"0a.0b.0c.0d.0e.0f.10.11.12.13", {0xA, 0xB, 0xC, 0xD, 0xE, 0xF, 0x10, 0x11, 0x12, 0x13}},
      {"01.02.03.04.05.06.07.08.09", marked},
      {"01-02-03-04-05-06-07-08-09-0A", marked},
      {"", marked},
  };
  for (const auto& k : keys)
    EXPECT_EQ(bytesOf(readOne("ScrambleKey", k.value, defaults).record, cfg::ScrambleKey, cfg::ScrambleKeySize),
              k.expected)
        << k.value;

  struct MacCase {
    std::vector<std::string> lines;
    const char* expected;
  } macs[] = {
      {{"CompatiStaMac=00-11-22-33-44-55"}, "00-11-22-33-44-55"},
      {{"CompatiStaMac=a-b-c-d-e-f"}, "0A-0B-0C-0D-0E-0F"},
      {{"CompatiStaMac=junk"}, "00-00-00-00-00-00"},  // cleared first
      {{}, "00-00-00-00-00-00"},                       // a missing key is the zero address
  };
  for (const auto& k : macs)
    EXPECT_EQ(formatMac(readLines(k.lines, defaults).record.mac(cfg::CompatiStaMac)), k.expected)
        << (k.lines.empty() ? "missing" : k.lines[0]);
}

TEST(ReadConfigFile, TextsAreCutAndMissingTextsHaveTheirOwnDefaults) {
  struct Case {
    const char* why;
    std::vector<std::string> lines;
    std::size_t offset;
    std::size_t size;
    std::string expected;
    TextEncoding encoding = TextEncoding::singleByte();
  } cases[] = {
      {"a missing ESS ID", {}, cfg::ESSID, cfg::ESSIDSize, "LocalGroup"},
      {"a missing community", {}, cfg::SnmpCommunity, cfg::SnmpTextSize, "quorel"},
      {"a missing name", {}, cfg::SnmpSysName, cfg::SnmpTextSize, ""},
      {"a missing location", {}, cfg::SnmpSysLocation, cfg::SnmpTextSize, ""},
      {"a missing contact", {}, cfg::SnmpSysContact, cfg::SnmpTextSize, ""},
      {"an empty ESS ID", {"ESSID=\"\""}, cfg::ESSID, cfg::ESSIDSize, ""},
      {"without quotes", {"ESSID=Plain text"}, cfg::ESSID, cfg::ESSIDSize, "Plain text"},
      {"blanks inside the quotes stay", {"SnmpSysName=\"  x  \""}, cfg::SnmpSysName, cfg::SnmpTextSize, "  x  "},
      {"ESS ID at most 32", {"ESSID=" + std::string(40, 'e')}, cfg::ESSID, cfg::ESSIDSize, std::string(32, 'e')},
      {"SNMP texts at most 31", {"SnmpSysContact=" + std::string(40, 'c')}, cfg::SnmpSysContact, cfg::SnmpTextSize,
       std::string(31, 'c')},
      {"the cut never splits a double-byte character",
       {"ESSID=\"" + std::string(31, 'a') + "\x95\x5C\x5C\""},
       cfg::ESSID,
       cfg::ESSIDSize,
       std::string(31, 'a'),
       TextEncoding::shiftJis()},
      // In windows-1252 0xE9 is "é", one byte that fits the last place.
      {"a single-byte letter from the lead ranges fills the last byte",
       {"ESSID=\"" + std::string(31, 'a') + "\xE9x\""},
       cfg::ESSID,
       cfg::ESSIDSize,
       std::string(31, 'a') + "\xE9"},
      {"the same bytes under Shift_JIS are a pair that does not fit",
       {"ESSID=\"" + std::string(31, 'a') + "\xE9x\""},
       cfg::ESSID,
       cfg::ESSIDSize,
       std::string(31, 'a'),
       TextEncoding::shiftJis()},
      {"an SNMP text ending in a single-byte letter", {"SnmpSysName=\"" + std::string(30, 'n') + "\x96\x96\""},
       cfg::SnmpSysName, cfg::SnmpTextSize, std::string(30, 'n') + "\x96"},
      {"a backslash before anything else is a backslash", {"SnmpSysLocation=C:\\temp\\"}, cfg::SnmpSysLocation,
       cfg::SnmpTextSize, "C:\\temp\\"},
  };
  ConfigSet defaults = markedDefaults();
  for (const auto& k : cases)
    EXPECT_EQ(readLines(k.lines, defaults, optionsFor(k.encoding)).record.text(k.offset, k.size), k.expected) << k.why;
}

TEST(ReadConfigFile, OldStyleFilesReadAsTheirWriterMeant) {
  // The writer has always put a backslash before every double quote and
  // backslash byte, the second byte of a double-byte character included.
  struct Case {
    const char* value;
    std::string meant;
  } cases[] = {
      {"\"a\\\\b\"", "a\\b"},
      {"\"say \\\"hi\\\"\"", "say \"hi\""},
      {"\"\\\\\\\\server\\\\share\"", "\\\\server\\share"},
      {"\"\x95\x5C\x5C\"", "\x95\x5C"},                  // one double-byte character
      {"\"\x83\x5C\x5C\\\"\x95\x5C\x5C\"", "\x83\x5C\"\x95\x5C"},
      // Saved once more after an old load had kept the escapes: a\"b.
      {"\"a\\\\\\\"b\"", "a\\\"b"},
  };
  ConfigSet defaults = builtDefaults();
  for (const auto& k : cases)
    EXPECT_EQ(readOne("ESSID", k.value, defaults).record.text(cfg::ESSID, cfg::ESSIDSize), k.meant) << k.value;
}

TEST(ReadConfigFile, TextsRoundTripByteForByte) {
  const std::string texts[] = {
      "say \"hi\"",
      "C:\\dir\\",
      "\\",
      "\"",
      "\\\"",
      "\"\"",
      "\x95\x5C",               // a double-byte character whose second byte is a backslash
      "\x83\x5C\x5C\x95\x5C\"",  // and another, then a backslash, another, a quote
      "  padded  ",
      "a=b;c [x] #1",
      std::string(16, '\\') + std::string(15, '"'),
      "\xE0\x40\xFC\xFC",
      // windows-1252 names ending in a byte of the Shift-JIS lead ranges
      "Caf\xE9", "Voil\xE0", "M\xFC", "Gar\xE7", "Bob\x92", "East \x96", "\xE9\\", "\xE9\"",
      std::string(30, 'a') + "\xE9",
  };
  ConfigSet defaults = builtDefaults();
  for (const TextEncoding encoding : {TextEncoding::shiftJis(), TextEncoding::singleByte()})
  for (const auto& t : texts) {
    const ConfigFileOptions options = optionsFor(encoding);
    TempDir dir;
    std::string path = dir.file("config.txt");
    ApConfig c = defaults.record;
    c.setText(cfg::ESSID, cfg::ESSIDSize, t);
    c.setText(cfg::SnmpSysName, cfg::SnmpTextSize, t);
    c.setText(cfg::SnmpCommunity, cfg::SnmpTextSize, t);
    ASSERT_EQ(WriteConfigFile(c, path, options), 1);
    ConfigSet back;
    for (int round = 0; round < 3; ++round) {
      ASSERT_EQ(ReadConfigFile(defaults, back, MacAddress{}, path, options), 1);
      EXPECT_EQ(bytesOf(back.record, cfg::ESSID, cfg::ESSIDSize), bytesOf(c, cfg::ESSID, cfg::ESSIDSize)) << t;
      EXPECT_EQ(back.record.text(cfg::SnmpSysName, cfg::SnmpTextSize), t);
      EXPECT_EQ(back.record.text(cfg::SnmpCommunity, cfg::SnmpTextSize), t);
      ASSERT_EQ(WriteConfigFile(back.record, path, options), 1);
    }
  }
}

// A configuration file with a section of its own named in windows-1252
// ("Notes é") between "Config" and the filter sections: the keys of that
// section stay its own, so a key the "Config" section lacks keeps its default.
TEST(ConfigFileRoundTrip, ASectionNamedWithASingleByteLetterStaysApart) {
  TempDir dir;
  std::string path = dir.file("config.txt");
  ConfigSet defaults = builtDefaults();
  ApConfig c = defaults.record;
  c.setText(cfg::ESSID, cfg::ESSIDSize, "Caf\xE9");
  c.setText(cfg::SnmpSysContact, cfg::SnmpTextSize, "who");
  const ConfigFileOptions options = optionsFor(TextEncoding::singleByte());
  ASSERT_EQ(WriteConfigFile(c, path, options), 1);
  std::string text = readBytes(path);
  const std::size_t contact = text.find("SnmpSysContact=");
  ASSERT_NE(contact, std::string::npos);
  text.erase(contact, text.find('\n', contact) + 1 - contact);
  const std::size_t filters = text.find("[AP Login Filter Tables]");
  ASSERT_NE(filters, std::string::npos);
  text.insert(filters, "[Notes \xE9]\nSnmpSysContact=\"not the unit's\"\n\n");
  writeBytes(path, text);
  ConfigSet back;
  ASSERT_EQ(ReadConfigFile(defaults, back, MacAddress{}, path, options), 1);
  EXPECT_EQ(back.record.text(cfg::ESSID, cfg::ESSIDSize), "Caf\xE9");
  EXPECT_EQ(back.record.text(cfg::SnmpSysContact, cfg::SnmpTextSize), "");
}

TEST(WriteConfigFile, EscapesByteByByteAsTheFilesAlwaysHad) {
  ApConfig c = builtDefaults().record;
  c.setText(cfg::ESSID, cfg::ESSIDSize, "\x95\x5C\"a\\");
  c.setText(cfg::SnmpSysName, cfg::SnmpTextSize, "one\r\ntwo");
  TempDir dir;
  std::string path = dir.file("config.txt");
  ASSERT_EQ(WriteConfigFile(c, path), 1);
  std::string text = writtenText(path);
  EXPECT_NE(text.find("\nESSID=\"\x95\x5C\x5C\\\"a\\\\\"\n"), std::string::npos);
  // A line break would end the value early; the text ends before it, quoted.
  EXPECT_NE(text.find("\nSnmpSysName=\"one\"\n"), std::string::npos);
}

TEST(ReadConfigFile, MissingKeys) {
  ConfigSet defaults = markedDefaults();
  const MacAddress mac{{0x02, 0x00, 0x00, 0x0A, 0x0B, 0x0C}};
  // Files without the section are no configuration at all (below).
  for (const char* text : {"[Config]\n"}) {
    TempDir dir;
    std::string path = dir.file("config.txt");
    writeBytes(path, text);
    ConfigSet s;
    ASSERT_EQ(ReadConfigFile(defaults, s, mac, path), 1) << text;
    const ApConfig& c = s.record;
    // Keys whose missing value doesn't parse keep the reset's values.
    for (const auto& f : configFields()) {
      if (f.kind == FieldKind::Word && f.offset != cfg::ChannelCount) {
        EXPECT_EQ(c.u16(f.offset), kMark) << f.key;
      }
      if (f.kind == FieldKind::Ip && f.offset != cfg::IPAddress) {
        EXPECT_EQ(c.ip(f.offset), kMarkIp) << f.key;
      }
    }
    EXPECT_EQ(formatIpv4(c.ip(cfg::IPAddress)), "10.10.11.12");
    EXPECT_EQ(bytesOf(c, cfg::ScrambleKey, cfg::ScrambleKeySize), std::vector<std::uint8_t>(10, 0xEE));
    // The others have defaults of their own.
    EXPECT_EQ(c.text(cfg::ESSID, cfg::ESSIDSize), "LocalGroup");
    EXPECT_EQ(c.text(cfg::SnmpCommunity, cfg::SnmpTextSize), "quorel");
    EXPECT_EQ(c.text(cfg::SnmpSysName, cfg::SnmpTextSize), "");
    EXPECT_EQ(c.text(cfg::SnmpSysLocation, cfg::SnmpTextSize), "");
    EXPECT_EQ(c.text(cfg::SnmpSysContact, cfg::SnmpTextSize), "");
    EXPECT_TRUE(c.mac(cfg::CompatiStaMac).isZero());
    EXPECT_EQ(c.u16(cfg::ChannelCount), 1);
    EXPECT_EQ(channelsOf(c), (std::vector<std::uint16_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(c.u16(cfg::PriorityCount), 0);
    EXPECT_EQ(bytesOf(c, cfg::WepKeys, cfg::WepKeySlots * cfg::WepKeyEntrySize),
              std::vector<std::uint8_t>(cfg::WepKeySlots * cfg::WepKeyEntrySize, 0));
    // The legacy images follow the record.
    ConfigSet projected = s;
    ProjectLegacy(projected);
    EXPECT_TRUE(projected.legacy1 == s.legacy1 && projected.legacy2 == s.legacy2 && projected.legacy3 == s.legacy3);
  }
}

TEST(ReadConfigFile, NoFileMeansZeroAfterTheReset) {
  TempDir dir;
  ConfigSet defaults = builtDefaults();
  const MacAddress mac{{0x02, 0x00, 0x00, 0x0A, 0x0B, 0x0C}};
  ConfigSet expected;
  ResetToDefaults(defaults, expected, mac);
  for (const std::string& path : {std::string(), dir.file("absent.txt"), dir.path().string()}) {
    ConfigSet s = markedDefaults();
    EXPECT_EQ(ReadConfigFile(defaults, s, mac, path), 0) << path;
    EXPECT_TRUE(s.record == expected.record && s.legacy3 == expected.legacy3) << path;
  }
}

// ------------------------------------------------------------------ round trip

// A record in which every keyed field holds a value other than its default,
// in the form a read leaves it (unused slots zero).
ApConfig sampleRecord(const ConfigSet& defaults) {
  ApConfig c = defaults.record;
  c.setIp(cfg::IPAddress, ipv4FromOctets(192, 168, 10, 20));
  c.setIp(cfg::SubnetMask, ipv4FromOctets(255, 255, 255, 0));
  c.setIp(cfg::DefaultGateway, ipv4FromOctets(192, 168, 10, 1));
  c.setU16(cfg::ModeSw, 0);
  c.setU16(cfg::NetworkMode, 4);
  c.setU16(cfg::UnitType, 0);
  c.setU16(cfg::Scramble, 1);
  c.setU16(cfg::ScrambleVersion, 2);
  for (std::size_t i = 0; i < cfg::ScrambleKeySize; ++i) c.bytes[cfg::ScrambleKey + i] = static_cast<std::uint8_t>(0x11 * i + 5);
  c.setText(cfg::ESSID, cfg::ESSIDSize, "ThirtyTwoCharacters-----ESSID-32");
  c.setU16(cfg::TxRate, 3);
  c.setU16(cfg::ChannelCount, 3);
  c.setU16(cfg::Channels, 1);
  c.setU16(cfg::Channels + 2, 6);
  c.setU16(cfg::Channels + 4, 11);
  c.setU16(cfg::SwDestAddrType, 0);
  c.setMac(cfg::CompatiStaMac, MacAddress{{0x02, 0xAB, 0xCD, 0xEF, 0x01, 0x23}});
  c.setU16(cfg::CompatiStaAgeTime, 20);
  c.setU16(cfg::WlFirmTimeOut, 90);
  c.setU16(cfg::ApRateBasic, 3);
  c.setU16(cfg::ApRateSupported, 7);
  c.setU16(cfg::ApRateTaRateCtrl, 1);
  c.setU16(cfg::RoamExtendCtrl, 1);
  c.setU16(cfg::RoamRoamingThreshold, 100);
  c.setU16(cfg::RoamSampligTime, 5);
  c.setU16(cfg::PriorityCount, 2);
  c.setMac(cfg::PriorityAps, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
  c.setMac(cfg::PriorityAps + cfg::PriorityEntrySize, MacAddress{{0, 0x66, 0x77, 0x88, 0x99, 0xAA}});
  c.setU16(cfg::RoamPriApOther, 0);
  c.setU16(cfg::ApAgeTime, 30);
  c.setU16(cfg::ApAnyIDBlock, 1);
  c.setU16(cfg::Wep, 1);
  c.setU16(cfg::WepVersion, 2);
  c.setU16(cfg::WepDefTxKey, 3);
  const std::uint16_t lengths[] = {13, 5, 0, 32};
  for (std::size_t k = 0; k < cfg::WepKeySlots; ++k) {
    std::size_t slot = cfg::WepKeys + cfg::WepKeyEntrySize * k;
    std::fill_n(c.bytes.begin() + static_cast<std::ptrdiff_t>(slot), cfg::WepKeyEntrySize, 0);
    if (lengths[k] == 0) continue;
    c.setU16(slot + cfg::WepKeyFlagsAt, cfg::WepKeyPresent);
    c.setU16(slot + cfg::WepKeyLengthAt, lengths[k]);
    for (std::size_t i = 0; i < lengths[k]; ++i)
      c.bytes[slot + cfg::WepKeyBytesAt + i] = static_cast<std::uint8_t>(0x30 + 7 * k + i);
  }
  c.setU16(cfg::SpeedThreshold, 1);
  c.setU16(cfg::Speed5_11m, 95);
  c.setU16(cfg::Speed2_5m, 85);
  c.setU16(cfg::Speed1_2m, 75);
  c.setText(cfg::SnmpCommunity, cfg::SnmpTextSize, "private");
  c.setU16(cfg::SnmpAccess, 0);
  c.setIp(cfg::SnmpTrapIpAddr, ipv4FromOctets(10, 1, 2, 3));
  c.setText(cfg::SnmpSysName, cfg::SnmpTextSize, "Thirty-one characters, exactly!");
  c.setText(cfg::SnmpSysLocation, cfg::SnmpTextSize, "Lobby");
  c.setText(cfg::SnmpSysContact, cfg::SnmpTextSize, "admin@example");
  c.setU16(cfg::SnmpAgent, 0);
  c.setU16(cfg::StpFunc, 0);
  c.setU16(cfg::StpPriority, 65535);
  c.setU16(cfg::StpMaxAge, 6);
  c.setU16(cfg::StpHelloTime, 1);
  c.setU16(cfg::StpFwdDelay, 4);
  c.setU16(cfg::StpCostEt, 10);
  c.setU16(cfg::StpCostWl, 65000);
  return c;
}

// Record bytes that the "Config" section carries.
std::vector<bool> keyedBytes() {
  std::vector<bool> keyed(kApConfigSize, false);
  auto mark = [&](std::size_t offset, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) keyed[offset + i] = true;
  };
  for (const auto& f : configFields()) mark(f.offset, f.size);
  mark(cfg::PriorityCount, 2);
  return keyed;
}

TEST(ConfigFileRoundTrip, EveryKeyedFieldComesBackAndEverythingElseFromTheDefaults) {
  ConfigSet defaults = builtDefaults();
  ApConfig sample = sampleRecord(defaults);
  // Reserved bytes of the received record must not reach the file.
  ApConfig written = sample;
  auto keyed = keyedBytes();
  for (std::size_t i = 0; i < kApConfigSize; ++i)
    if (!keyed[i] && (i < kMacFilterOffset || i >= kMacFilterOffset + kMacFilterSize) &&
        (i < kProtocolFilterOffset || i >= kProtocolFilterOffset + kProtocolFilterSize))
      written.bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);

  TempDir dir;
  std::string path = dir.file("config.txt");
  ASSERT_EQ(WriteConfigFile(written, path), 1);
  ConfigSet back;
  ASSERT_EQ(ReadConfigFile(defaults, back, MacAddress{{1, 2, 3, 4, 5, 6}}, path), 1);

  for (const auto& f : configFields())
    EXPECT_EQ(bytesOf(back.record, f.offset, f.size), bytesOf(sample, f.offset, f.size)) << f.key;
  EXPECT_EQ(back.record.u16(cfg::PriorityCount), 2);
  std::size_t unkeyedDiffering = 0;
  for (std::size_t i = 0; i < kApConfigSize; ++i) {
    bool filters = (i >= kMacFilterOffset && i < kMacFilterOffset + kMacFilterSize) ||
                   (i >= kProtocolFilterOffset && i < kProtocolFilterOffset + kProtocolFilterSize);
    if (!keyed[i] && !filters && back.record.bytes[i] != defaults.record.bytes[i]) ++unkeyedDiffering;
  }
  EXPECT_EQ(unkeyedDiffering, 0u);

  // Writing what was read gives the same file again.
  std::string first = readBytes(path);
  ASSERT_EQ(WriteConfigFile(back.record, path), 1);
  EXPECT_EQ(readBytes(path), first);
}

TEST(ConfigFileRoundTrip, FilterTablesTravelInTheSameFile) {
  for (int level : {0, 3}) {
    ConfigSet defaults = builtDefaults();
    ApConfig c = defaults.record;
    // What traffic outside the lists meets is in the file only from the
    // detail level on; below it the readers start from their fixed values.
    const bool detail = level >= kFilterDetailLevel;
    MacFilterBlock mac(c);
    mac.setFilterOn(1);
    mac.setOtherAccess(detail ? 0 : 1);
    mac.append(MacFilterEntry::make(MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}}, {}, false, AccessPermit));
    mac.append(MacFilterEntry::make(MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x00}},
                                    MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0xFF}}, true,
                                    detail ? AccessRefuse : AccessPermit));
    ProtocolFilterBlock protocol(c);
    protocol.setFilterOn(1);
    protocol.setOtherAccess(detail ? 1 : 0);
    auto entry = parseProtocolFilterValue(detail ? "IP,TCP,80,2,1,2" : "IP,TCP,80");
    ASSERT_TRUE(entry);
    protocol.append(*entry);

    TempDir dir;
    std::string path = dir.file("config.txt");
    ConfigFileOptions options;
    options.displayLevel = level;
    ASSERT_EQ(WriteConfigFile(c, path, options), 1);
    ConfigSet back;
    ASSERT_EQ(ReadConfigFile(defaults, back, MacAddress{}, path, options), 1);
    EXPECT_EQ(bytesOf(back.record, kMacFilterOffset, kMacFilterSize), bytesOf(c, kMacFilterOffset, kMacFilterSize))
        << level;
    EXPECT_EQ(bytesOf(back.record, kProtocolFilterOffset, kProtocolFilterSize),
              bytesOf(c, kProtocolFilterOffset, kProtocolFilterSize))
        << level;
  }
}

TEST(ReadConfigFile, FilterTablesComeFromTheFileNotFromTheDefaults) {
  ConfigSet defaults = builtDefaults();
  MacFilterBlock(defaults.record).append(MacFilterEntry::make(MacAddress{{0, 1, 2, 3, 4, 5}}, {}, false, AccessPermit));
  ConfigSet s = readLines({"ESSID=x"}, defaults);
  EXPECT_EQ(ConstMacFilterBlock(s.record).entryCount(), 0);
}

// ------------------------------------------------------------------ config.def

TEST(ApplyConfigDefaults, ItsKeysChangeTheDefaultsOfEveryNewConfiguration) {
  TempDir dir;
  writeBytes(dir.file("config.def"), configText({"ESSID=\"Office\"", "StpPriority=4096", "IPAddress=1.2.3.4"}));
  ConfigSet defaults = builtDefaults();
  auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  int result = ApplyConfigDefaults(defaults);  // "config.def" in the current folder
  std::filesystem::current_path(previous);
  ASSERT_EQ(result, 1);
  EXPECT_EQ(defaults.record.text(cfg::ESSID, cfg::ESSIDSize), "Office");
  EXPECT_EQ(defaults.record.u16(cfg::StpPriority), 4096);
  ConfigSet projected = defaults;
  ProjectLegacy(projected);
  EXPECT_TRUE(projected.legacy1 == defaults.legacy1 && projected.legacy3 == defaults.legacy3);

  // Every reset sets the address from a MAC address, so "IPAddress" there
  // has no effect.
  ConfigSet working;
  ResetToDefaults(defaults, working, MacAddress{{0, 0, 0, 7, 8, 9}});
  EXPECT_EQ(formatIpv4(working.record.ip(cfg::IPAddress)), "10.7.8.9");
  EXPECT_EQ(working.record.text(cfg::ESSID, cfg::ESSIDSize), "Office");

  // A file without "ESSID" takes the built-in text, not the one config.def gave;
  // a file without "StpPriority" keeps config.def's.
  std::string other = dir.file("other.txt");
  writeBytes(other, configText({"StpMaxAge=9"}));
  ConfigSet opened;
  ASSERT_EQ(ReadConfigFile(defaults, opened, MacAddress{}, other), 1);
  EXPECT_EQ(opened.record.text(cfg::ESSID, cfg::ESSIDSize), "LocalGroup");
  EXPECT_EQ(opened.record.u16(cfg::StpPriority), 4096);
  EXPECT_EQ(formatIpv4(opened.record.ip(cfg::IPAddress)), "10.0.0.0");
}

TEST(ApplyConfigDefaults, WithoutTheFileTheBuiltInDefaultsStay) {
  TempDir dir;
  ConfigSet defaults = builtDefaults();
  EXPECT_EQ(ApplyConfigDefaults(defaults, dir.file("config.def")), 0);
  ConfigSet built = builtDefaults();
  EXPECT_TRUE(defaults.record == built.record && defaults.legacy1 == built.legacy1 &&
              defaults.legacy2 == built.legacy2 && defaults.legacy3 == built.legacy3);
}

}  // namespace
// Only a file with a "Config" section is a configuration: any other file
// would read as all defaults, and a Write would send those to a unit.
TEST(ReadConfigFile, AFileWithoutAConfigSectionIsNoConfiguration) {
  struct Case {
    const char* what;
    std::string text;
    int result;
  };
  const Case cases[] = {
      {"a node list file", "[NodeList]\nEntry1=\"\",\"00-80-92-00-00-01\",\"127.0.0.2\",\"2.01\"\n", kNotAConfigFile},
      {"a filter file", "[AP Login Filter Tables]\nEntryCount=0\n", kNotAConfigFile},
      {"an empty file", "", kNotAConfigFile},
      {"another section with a configuration key", "[Elsewhere]\nESSID=x\n", kNotAConfigFile},
      {"a section with one key", "[config]\nIPAddress=10.9.8.7\n", 1},
      {"an empty section", "[Config]\n", 1},
  };
  const ConfigSet defaults = builtDefaults();
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.file("file.txt");
    writeBytes(path, c.text);
    ConfigSet target, reset;
    target.record.setU16(cfg::UnitType, 0x7777);
    EXPECT_EQ(ReadConfigFile(defaults, target, MacAddress{}, path), c.result) << c.what;
    // Reset either way: the caller reads into a set it can drop.
    if (c.result != 1) {
      ResetToDefaults(defaults, reset, MacAddress{});
      EXPECT_TRUE(std::equal(target.record.span(0, kApConfigSize).begin(), target.record.span(0, kApConfigSize).end(),
                             reset.record.span(0, kApConfigSize).begin()))
          << c.what;
    }
  }
}

}  // namespace trennic
