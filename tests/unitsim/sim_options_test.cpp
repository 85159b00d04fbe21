// Command line and INI file of the simulator.
#include <gtest/gtest.h>

#include <fstream>
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
                             "--unit", ",,,513", "--port=0", "--loss", "0.25", "--duplicate=1", "--delay", "5",
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
}

TEST(SimOptions, BadOptionsGiveOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {"--units", "0"},
      {"--units", "1025"},
      {"--units", "three"},
      {"--loss", "1.5"},
      {"--loss", "-0.1"},
      {"--duplicate", "x"},
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

}  // namespace
}  // namespace trennic::sim
