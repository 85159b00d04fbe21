// Command line and INI file of the simulator.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "unitsim/sim_options.h"

namespace trennic::sim {
namespace {

TEST(SimOptions, GeneratedUnitsStayOnDistinctLoopbackAddresses) {
  struct Case {
    int k;
    const char* mac;
    const char* ip;
    std::uint16_t type;
  };
  const Case cases[] = {
      {1, "00-80-92-00-00-01", "127.0.0.2", 9},   {4, "00-80-92-00-00-04", "127.0.0.5", 21},
      {253, "00-80-92-00-00-FD", "127.0.0.254", 9}, {254, "00-80-92-00-00-FE", "127.0.1.1", 9},
      {507, "00-80-92-00-01-FB", "127.0.1.254", 9}, {508, "00-80-92-00-01-FC", "127.0.2.1", 21},
      {1024, "00-80-92-00-04-00", "127.0.4.9", 21},
  };
  for (const auto& c : cases) {
    UnitSettings s = defaultUnitSettings(c.k);
    EXPECT_EQ(formatMac(s.mac), c.mac) << c.k;
    EXPECT_EQ(formatIpv4(s.ip), c.ip) << c.k;
    EXPECT_EQ(s.unitType, c.type) << c.k;
    EXPECT_EQ(s.firmwareVersion, 0x0201) << c.k;
    EXPECT_TRUE(s.password.empty()) << c.k;
  }

  std::set<Ipv4> ips;
  for (int k = 1; k <= kMaxUnits; ++k) {
    auto o = ipv4Octets(defaultUnitSettings(k).ip);
    EXPECT_EQ(o[0], 127);
    EXPECT_NE(o[3], 0);
    EXPECT_NE(o[3], 255);
    ips.insert(defaultUnitSettings(k).ip);
  }
  EXPECT_EQ(ips.size(), static_cast<std::size_t>(kMaxUnits));
}

TEST(SimOptions, DefaultsAndCommandLine) {
  SimOptions o;
  std::string msg;
  ASSERT_EQ(parseSimOptions({}, o, msg), ParseOutcome::Run);
  EXPECT_EQ(o.units.size(), 3u);
  EXPECT_EQ(o.port, kUnitPort);
  EXPECT_EQ(o.loss, 0.0);
  EXPECT_FALSE(o.seed);

  ASSERT_EQ(parseSimOptions({"--units", "4", "--unit", "02-11-22-33-44-55,127.0.0.9,21,0x0305,pw",
                             "--unit", ",,,513", "--port=0", "--loss", "0.25", "--duplicate=1", "--max-loss-run", "3", "--delay", "5",
                             "--jitter", "7", "--unicast-silent", "--status", "120000=2", "--status",
                             "0x00001010=0x1", "--reboot-silence", "1.5", "--seed", "42"},
                            o, msg),
            ParseOutcome::Run)
      << msg;
  ASSERT_EQ(o.units.size(), 4u);
  EXPECT_EQ(formatMac(o.units[0].settings.mac), "02-11-22-33-44-55");
  EXPECT_EQ(formatIpv4(o.units[0].settings.ip), "127.0.0.9");
  EXPECT_EQ(o.units[0].settings.unitType, 21);
  EXPECT_EQ(o.units[0].settings.firmwareVersion, 0x0305);
  EXPECT_EQ(o.units[0].settings.password, "pw");
  // Empty and missing fields keep the unit's defaults.
  EXPECT_EQ(formatMac(o.units[1].settings.mac), "00-80-92-00-00-02");
  EXPECT_EQ(o.units[1].settings.firmwareVersion, 513);
  EXPECT_EQ(formatIpv4(o.units[3].settings.ip), "127.0.0.5");
  EXPECT_EQ(o.port, 0);
  EXPECT_EQ(o.loss, 0.25);
  EXPECT_EQ(o.duplicate, 1.0);
  EXPECT_EQ(o.maxLossRun, 3);
  EXPECT_EQ(o.delayMs, 5);
  EXPECT_EQ(o.jitterMs, 7);
  EXPECT_TRUE(o.unicastSilent);
  EXPECT_EQ(o.forcedStatus, (std::map<std::uint32_t, std::uint16_t>{{0x00120000, 2}, {0x00001010, 1}}));
  EXPECT_EQ(o.rebootSilenceMs, 1500);
  EXPECT_EQ(o.seed, 42u);

  ASSERT_EQ(parseSimOptions({"--unit", "02-00-00-00-00-01", "--unit", "02-00-00-00-00-02"}, o, msg),
            ParseOutcome::Run);
  EXPECT_EQ(o.units.size(), 2u) << "explicit units set the count when --units is absent";

  EXPECT_EQ(parseSimOptions({"--loss", "0", "--help"}, o, msg), ParseOutcome::Help);
  EXPECT_EQ(parseSimOptions({"--units", "3", "--version"}, o, msg), ParseOutcome::Version);
}

TEST(SimOptions, BadOptionsGiveOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {"--units", "0"},
      {"--units", "1025"},
      {"--units", "three"},
      {"--loss", "1.5"},
      {"--loss", "-0.1"},
      {"--duplicate", "x"},
      {"--max-loss-run", "-1"},
      {"--delay"},
      {"--port", "70000"},
      {"--status", "12=x"},
      {"--status", "=2"},
      {"--seed", "-1"},
      {"--reboot-silence", "forever"},
      {"--bogus"},
      {"stray"},
      {"--unit", "00-80-92"},
      {"--unit", "00-00-00-00-00-00"},
      {"--unit", "02-00-00-00-00-01,192.168.0.5"},
      {"--unit", "02-00-00-00-00-01,127.0.0.9,9,0x10000"},
      {"--unit", "02-00-00-00-00-01,127.0.0.9,9,0x0201,toolong"},
      {"--unit", "02-00-00-00-00-01,127.0.0.9,9,0x0201,pw,extra"},
      {"--units", "1", "--unit", "02-00-00-00-00-01", "--unit", "02-00-00-00-00-02"},
      {"--units", "2", "--unit", ",127.0.0.3"},  // unit 2 is 127.0.0.3 by default
      {"--unit", ",", "--unit", "00-80-92-00-00-01"},  // unit 1 keeps that MAC
      {"--config", "/nonexistent/trennic-unitsim.ini"},
  };
  for (const auto& args : cases) {
    SimOptions o;
    std::string msg;
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_EQ(parseSimOptions(args, o, msg), ParseOutcome::Error) << joined;
    EXPECT_FALSE(msg.empty()) << joined;
    EXPECT_EQ(msg.find('\n'), std::string::npos) << joined;
  }
}

TEST(SimOptions, ConfigFileSetsUnitsAndFaultsAndTheCommandLineWins) {
  std::string path = ::testing::TempDir() + "unitsim_options_test.ini";
  {
    std::ofstream f(path);
    f << "[Faults]\nLoss=0.1\nDelay=10\nUnicastSilent=1\nRebootSilence=2\nSeed=7\n"
         "Status=0x00120000=2, 1010=1\n"
         "[Unit2]\nMac=02-00-00-00-00-22\nIp=127.0.3.3\nType=21\nVersion=0x0110\nPassword=secret\nLoss=1\n";
  }
  SimOptions o;
  std::string msg;
  ASSERT_EQ(parseSimOptions({"--config", path, "--loss", "0.5"}, o, msg), ParseOutcome::Run) << msg;
  ASSERT_EQ(o.units.size(), 2u);
  EXPECT_EQ(formatMac(o.units[0].settings.mac), "00-80-92-00-00-01");
  EXPECT_FALSE(o.units[0].loss);
  const auto& u2 = o.units[1];
  EXPECT_EQ(formatMac(u2.settings.mac), "02-00-00-00-00-22");
  EXPECT_EQ(formatIpv4(u2.settings.ip), "127.0.3.3");
  EXPECT_EQ(u2.settings.unitType, 21);
  EXPECT_EQ(u2.settings.firmwareVersion, 0x0110);
  EXPECT_EQ(u2.settings.password, "secret");
  EXPECT_EQ(u2.loss, 1.0);
  EXPECT_EQ(o.loss, 0.5);
  EXPECT_EQ(o.delayMs, 10);
  EXPECT_TRUE(o.unicastSilent);
  EXPECT_EQ(o.rebootSilenceMs, 2000);
  EXPECT_EQ(o.seed, 7u);
  EXPECT_EQ(o.forcedStatus, (std::map<std::uint32_t, std::uint16_t>{{0x00120000, 2}, {0x00001010, 1}}));

  // A --unit overrides the section field by field.
  ASSERT_EQ(parseSimOptions({"--config", path, "--units", "3", "--unit", ",", "--unit", ",,9"}, o, msg),
            ParseOutcome::Run)
      << msg;
  ASSERT_EQ(o.units.size(), 3u);
  EXPECT_EQ(o.units[1].settings.unitType, 9);
  EXPECT_EQ(o.units[1].settings.password, "secret");

  {
    std::ofstream f(path);
    f << "[Unit1]\nIp=10.0.0.1\n";
  }
  EXPECT_EQ(parseSimOptions({"--config", path}, o, msg), ParseOutcome::Error);
  EXPECT_NE(msg.find("127.0.0.0/8"), std::string::npos) << msg;
  std::remove(path.c_str());
}

TEST(SimOptions, UnitMemoryOptionsForAllUnitsAndForOne) {
  using Words = std::array<std::uint32_t, 2>;
  struct Case {
    const char* rule;
    std::vector<std::string> args;
    std::function<bool(const std::vector<UnitDescription>&)> holds;
  };
  auto settingsOf = [](const std::vector<UnitDescription>& u, std::size_t k) { return u.at(k - 1).settings; };
  const Case cases[] = {
      {"defaults: layout 5, extended auto, 200 KiB firmware, 64 KiB loader, version 2.01",
       {},
       [&](const auto& u) {
         auto s = settingsOf(u, 1);
         return s.layout == 5 && s.extended == ExtendedBlock::Auto && !s.infoWords && s.firmwareSize == 204800 &&
                s.loaderSize == 65536 && s.shortAck == 0 && !s.clearUnsupported && s.firmwareVersion == 0x0201;
       }},
      {"--layout applies to every unit, and its firmware version shows in the identity",
       {"--layout", "3"},
       [&](const auto& u) {
         return settingsOf(u, 1).layout == 3 && settingsOf(u, 3).layout == 3 &&
                settingsOf(u, 2).firmwareVersion == 0x0114;
       }},
      {"an explicit version stays",
       {"--units", "2", "--layout=4", "--unit", ",,,0x011F"},
       [&](const auto& u) {
         return settingsOf(u, 1).firmwareVersion == 0x011F && settingsOf(u, 2).firmwareVersion == 0x011E;
       }},
      {"--unit-option sets one unit and beats the option for all",
       {"--units", "3", "--layout", "3", "--unit-option", "2:layout=1"},
       [&](const auto& u) {
         return settingsOf(u, 1).layout == 3 && settingsOf(u, 2).layout == 1 && settingsOf(u, 3).layout == 3 &&
                settingsOf(u, 2).firmwareVersion == 0x0100;
       }},
      {"--unit-option keys in any spelling, later ones win",
       {"--unit-option", "1:InfoWords=0x100,0x120", "--unit-option", "1:FIRMWARE_SIZE=1500", "--unit-option",
        "1:short-ack=100", "--unit-option", "1:short-ack=200", "--unit-option", "1:password=a b"},
       [&](const auto& u) {
         auto s = settingsOf(u, 1);
         return s.infoWords == Words{0x100, 0x120} && s.firmwareSize == 1500 && s.shortAck == 200 &&
                s.password == "a b" && s.firmwareVersion == 0x0120;
       }},
      {"--unit-option counts as configuring that unit, like --unit",
       {"--unit-option", "5:extended=absent"},
       [&](const auto& u) { return u.size() == 5 && settingsOf(u, 5).extended == ExtendedBlock::Absent; }},
      {"all the options for every unit",
       {"--extended", "6", "--info-words", "256,0x0201", "--firmware-size", "0x80000", "--loader-size", "0",
        "--short-ack=1000", "--clear-unsupported"},
       [&](const auto& u) {
         auto s = settingsOf(u, 2);
         return s.extended == ExtendedBlock::Status6 && s.infoWords == Words{0x100, 0x201} &&
                s.firmwareSize == 0x80000 && s.loaderSize == 0 && s.shortAck == 1000 && s.clearUnsupported;
       }},
      {"extended mode words in any case, auto back to the default",
       {"--extended", "ABSENT", "--unit-option", "2:extended=auto", "--unit-option", "3:extended=0"},
       [&](const auto& u) {
         return settingsOf(u, 1).extended == ExtendedBlock::Absent &&
                settingsOf(u, 2).extended == ExtendedBlock::Auto &&
                settingsOf(u, 3).extended == ExtendedBlock::Status0;
       }},
      {"a unit can take clearing back",
       {"--units", "2", "--clear-unsupported", "--unit-option", "1:ClearUnsupported=0"},
       [&](const auto& u) { return !settingsOf(u, 1).clearUnsupported && settingsOf(u, 2).clearUnsupported; }},
      {"the wireless card's kind and old information blocks, for all units and for one",
       {"--units", "2", "--card-kind", "1", "--old-info", "--unit-option", "2:CardKind=0", "--unit-option",
        "2:old-info=0"},
       [&](const auto& u) {
         return settingsOf(u, 1).cardKind == 1 && settingsOf(u, 1).oldInfoBlocks && settingsOf(u, 2).cardKind == 0 &&
                !settingsOf(u, 2).oldInfoBlocks && settingsOf(u, 1).cardMacRecord;
       }},
      {"cards without their MAC address record, for all units and for one",
       {"--units", "2", "--no-card-mac", "--unit-option", "2:card-mac=1"},
       [&](const auto& u) { return !settingsOf(u, 1).cardMacRecord && settingsOf(u, 2).cardMacRecord; }},
      {"image reads that stop short, for all units and for one",
       {"--units", "2", "--short-image", "3000", "--unit-option", "2:ShortImage=0"},
       [&](const auto& u) { return settingsOf(u, 1).shortImage == 3000 && settingsOf(u, 2).shortImage == 0; }},
      {"status list lengths",
       {"--units", "2", "--mac-table", "1100", "--unit-option", "2:WirelessNodes=70"},
       [&](const auto& u) {
         return settingsOf(u, 1).macTableEntries == 1100 && settingsOf(u, 1).wirelessNodes == 3 &&
                settingsOf(u, 2).wirelessNodes == 70 && settingsOf(u, 2).macTableEntries == 1100;
       }},
  };
  for (const auto& c : cases) {
    SimOptions o;
    std::string msg;
    ASSERT_EQ(parseSimOptions(c.args, o, msg), ParseOutcome::Run) << c.rule << ": " << msg;
    EXPECT_TRUE(c.holds(o.units)) << c.rule;
  }
}

TEST(SimOptions, BadUnitMemoryOptionsGiveOneLineNamingThem) {
  struct Case {
    std::vector<std::string> args;
    const char* named;
  };
  const Case cases[] = {
      {{"--layout", "0"}, "--layout"},
      {{"--layout", "6"}, "--layout"},
      {{"--layout"}, "--layout"},
      {{"--extended", "2"}, "--extended"},
      {{"--extended", "present"}, "--extended"},
      {{"--info-words", "0x100"}, "--info-words"},
      {{"--info-words", "0x100,0x120,3"}, "--info-words"},
      {{"--info-words", "0x100,0x100000000"}, "--info-words"},
      {{"--firmware-size", "63"}, "--firmware-size"},
      {{"--firmware-size", "0x80001"}, "--firmware-size"},
      {{"--loader-size", "0x20001"}, "--loader-size"},
      {{"--short-ack", "1025"}, "--short-ack"},
      {{"--short-ack", "-1"}, "--short-ack"},
      {{"--short-image", "0x80001"}, "--short-image"},
      {{"--clear-unsupported=1"}, "--clear-unsupported"},
      {{"--unit-option", "2layout=1"}, "--unit-option"},
      {{"--unit-option", "0:layout=1"}, "--unit-option"},
      {{"--unit-option", "1025:layout=1"}, "--unit-option"},
      {{"--unit-option", "2:colour=blue"}, "colour"},
      {{"--unit-option", "2:layout"}, "--unit-option"},
      {{"--unit-option", "2:layout=9"}, "--unit-option 2:layout=9"},
      {{"--unit-option", "1:ip=10.0.0.1"}, "127.0.0.0/8"},
      {{"--units", "2", "--unit-option", "3:layout=1"}, "fewer"},
  };
  for (const auto& c : cases) {
    SimOptions o;
    std::string msg;
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    EXPECT_EQ(parseSimOptions(c.args, o, msg), ParseOutcome::Error) << joined;
    EXPECT_NE(msg.find(c.named), std::string::npos) << joined << "-> " << msg;
    EXPECT_EQ(msg.find('\n'), std::string::npos) << joined;
  }
}

TEST(SimOptions, UnitSectionsTakeTheMemoryKeys) {
  std::string path = ::testing::TempDir() + "unitsim_memory_options_test.ini";
  {
    std::ofstream f(path);
    f << "[Unit1]\nLayout=2\nExtended=6\nFirmwareSize=4096\nLoaderSize=100\nShortAck=512\n"
         "ClearUnsupported=1\n"
         "[Unit2]\nInfoWords=0x0100, 0x0120\nExtended=absent\n";
  }
  SimOptions o;
  std::string msg;
  ASSERT_EQ(parseSimOptions({"--config", path, "--layout", "4", "--unit-option", "2:layout=5"}, o, msg),
            ParseOutcome::Run)
      << msg;
  ASSERT_EQ(o.units.size(), 2u);
  const auto& u1 = o.units[0].settings;
  EXPECT_EQ(u1.layout, 2) << "the unit's section beats the option for all";
  EXPECT_EQ(u1.extended, ExtendedBlock::Status6);
  EXPECT_EQ(u1.firmwareSize, 4096u);
  EXPECT_EQ(u1.loaderSize, 100u);
  EXPECT_EQ(u1.shortAck, 512);
  EXPECT_TRUE(u1.clearUnsupported);
  EXPECT_EQ(u1.firmwareVersion, 0x010B);
  const auto& u2 = o.units[1].settings;
  EXPECT_EQ(u2.layout, 5);
  EXPECT_EQ(u2.infoWords, (std::array<std::uint32_t, 2>{0x0100, 0x0120}));
  EXPECT_EQ(u2.extended, ExtendedBlock::Absent);

  {
    std::ofstream f(path);
    f << "[Unit1]\nShortAck=lots\n";
  }
  EXPECT_EQ(parseSimOptions({"--config", path}, o, msg), ParseOutcome::Error);
  EXPECT_NE(msg.find("[Unit1]"), std::string::npos) << msg;
  EXPECT_NE(msg.find("lots"), std::string::npos) << msg;
  std::remove(path.c_str());
}

}  // namespace
}  // namespace trennic::sim
