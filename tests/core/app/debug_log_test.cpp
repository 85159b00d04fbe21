// The "/DL" trace: the dump text byte for byte, its numbering through the
// engine, the host description and the rules of a single write.
#include "core/app/debug_log.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/settings.h"
#include "support/engine_harness.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

using testing::readBytes;
using testing::RecordingSink;
using testing::TempDir;
using testing::writeBytes;

const Ipv4 kUnit = ipv4FromOctets(192, 168, 1, 20);
const char* const kFixedTime = "Mon Dec 01 09:05:00 2003";
const char* const kDashes = "------------------------------------------------------\n\n";

DebugLog::TimeSource fixedTime() {
  return [] { return std::string(kFixedTime); };
}

// The file as the program reads it back: the log writes no CR of its own, so
// dropping them undoes the text mode of platforms that have one.
std::string logText(const std::string& path) {
  std::string s = readBytes(path);
  std::erase(s, '\r');
  return s;
}

// What a text written with "\n" looks like in the file.
std::string asWritten(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += testing::kNewFileEol;
    else
      out += c;
  }
  return out;
}

struct Dump {
  std::string header, number, time, ip, port, length, data;
};

// Splits the log into its dumps and picks out their fields.
std::vector<Dump> dumpsIn(const std::string& text) {
  std::vector<Dump> out;
  std::size_t pos = 0;
  for (std::size_t end; (end = text.find(kDashes, pos)) != std::string::npos; pos = end + std::string_view(kDashes).size()) {
    std::string block = text.substr(pos, end - pos);
    Dump d;
    std::size_t dataAt = block.find("\n<<< DATA >>>\n");
    if (dataAt == std::string::npos) break;
    d.data = block.substr(dataAt + 14);
    std::istringstream lines(block.substr(0, dataAt + 1));
    std::getline(lines, d.header);
    auto field = [&](std::string& to) {
      std::string l;
      std::getline(lines, l);
      to = l.size() > 24 ? l.substr(24) : l;
    };
    field(d.number);
    field(d.time);
    field(d.ip);
    field(d.port);
    field(d.length);
    out.push_back(d);
  }
  return out;
}

const char* const kTransmitHeader = "<== Transmit Data ------------------------------------";
const char* const kRetransmitHeader = "<==== Re-Transmit Data -------------------------------";
const char* const kReceiveHeader = "==> Receive Data -------------------------------------";

// ------------------------------------------------------------ dump text

TEST(DebugLogDump, WholeTextByKind) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
                                           0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0xAB, 0xCD, 0xFF};
  const std::string body =
      "Date/Time             : Mon Dec 01 09:05:00 2003\n"
      "Destination IP Address: 192.168.1.20\n"
      "Destination Port No.  : 0x5007(20487)\n"
      "Data Length           : 0x0014(20)\n"
      "\n"
      "<<< DATA >>>\n"
      "0000: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \n"
      "0010: 10 AB CD FF \n"
      "------------------------------------------------------\n"
      "\n";
  struct Case {
    const char* rule;
    int kind;
    std::uint32_t number;
    std::string expected;
  } cases[] = {
      {"transmit", 0, 7, "<== Transmit Data ------------------------------------\nData No.              : 7\n" + body},
      {"retransmit", 1, 8, "<==== Re-Transmit Data -------------------------------\nData No.              : 8\n" + body},
      {"receive shows the sender under the same labels", 2, 4294967295u,
       "==> Receive Data -------------------------------------\nData No.              : 4294967295\n" + body},
  };
  for (const auto& c : cases) {
    TempDir dir;
    DebugLog log(dir.file(kDebugLogName), true, fixedTime());
    EXPECT_TRUE(log.dumpDatagram(c.kind, c.number, 0xC0A80114, 20487, bytes.data(), bytes.size())) << c.rule;
    EXPECT_EQ(readBytes(log.path()), asWritten(c.expected)) << c.rule;
  }
}

TEST(DebugLogDump, DataLinesOfRealRequests) {
  struct Case {
    const char* rule;
    std::uint8_t command;
    std::uint16_t length;
    std::size_t payload;
    std::vector<std::size_t> lineSizes;  // bytes on each data line
  } cases[] = {
      {"36-byte read: two full lines and one of four, each ended", CmdRead, 112, 0, {16, 16, 4}},
      {"1458-byte write: eight full lines, no extra line end", CmdWrite, 1422, 1422, {16, 16, 16, 16, 16, 16, 16, 16}},
      {"exactly 128 bytes: eight full lines, no extra line end", CmdWrite, 92, 92, {16, 16, 16, 16, 16, 16, 16, 16}},
      {"48 bytes: three full lines, no extra line end", CmdWrite, 12, 12, {16, 16, 16}},
      {"37 bytes: one byte alone on the last line", CmdWrite, 1, 1, {16, 16, 5}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    DebugLog log(dir.file(kDebugLogName), true, fixedTime());
    RecordingSink sink;
    EngineLink link(sink);
    link.setObserver(&log);
    std::vector<std::uint8_t> payload(c.payload);
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(0xF0 - i);
    link.sendRequest(kUnit, c.command, unit_address::kConfigBody, c.length, payload, makePasswordField("abc"),
                     MacAddress{});
    ASSERT_EQ(sink.sent.size(), 1u) << c.rule;
    const std::vector<std::uint8_t>& sent = sink.sent[0].bytes;

    auto dumps = dumpsIn(logText(log.path()));
    ASSERT_EQ(dumps.size(), 1u) << c.rule;
    char length[32];
    std::snprintf(length, sizeof length, "0x%04X(%u)", static_cast<unsigned>(sent.size()),
                  static_cast<unsigned>(sent.size()));
    EXPECT_EQ(dumps[0].length, length) << c.rule;

    // Every line ends in "\n"; an empty line would be an extra line end.
    const std::string& data = dumps[0].data;
    ASSERT_TRUE(data.ends_with("\n")) << c.rule;
    std::vector<std::size_t> sizes;
    std::vector<std::uint8_t> shown;
    std::istringstream lines(data);
    std::size_t offset = 0;
    for (std::string l; std::getline(lines, l);) {
      char prefix[8];
      std::snprintf(prefix, sizeof prefix, "%04X: ", static_cast<unsigned>(offset));
      EXPECT_TRUE(l.starts_with(prefix)) << c.rule << ": " << l;
      std::istringstream hex(l.substr(6));
      std::size_t count = 0;
      for (std::string tok; hex >> tok; ++count) shown.push_back(static_cast<std::uint8_t>(std::stoul(tok, nullptr, 16)));
      EXPECT_EQ(l.size(), 6 + 3 * count) << c.rule << ": \"%02X \" per byte";
      sizes.push_back(count);
      offset += count;
    }
    EXPECT_EQ(sizes, c.lineSizes) << c.rule;
    EXPECT_EQ(shown, std::vector<std::uint8_t>(sent.begin(), sent.begin() + static_cast<long>(shown.size())))
        << c.rule << ": the bytes as sent";
  }
}

TEST(DebugLogDump, NeverDumpsAnEmptyDatagram) {
  TempDir dir;
  DebugLog log(dir.file(kDebugLogName), true, fixedTime());
  const std::uint8_t byte = 0;
  EXPECT_TRUE(log.dumpDatagram(2, 1, 0xC0A80114, 20487, &byte, 0));
  EXPECT_EQ(dumpText(0, 1, kFixedTime, 0xC0A80114, 20487, &byte, 0), "");
  EXPECT_TRUE(dir.entries().empty());
}

TEST(DebugLogDump, BlockIsCappedAtTheDumpBuffer) {
  const std::uint8_t bytes[kHeaderSize] = {};
  std::string hugeTime(kDumpBufferSize, 'x');
  EXPECT_EQ(dumpText(0, 1, hugeTime, 0, 0, bytes, sizeof bytes).size(), kDumpBufferSize);
  EXPECT_LT(dumpText(0, 1, kFixedTime, 0xFFFFFFFF, 65535, bytes, sizeof bytes).size(), kDumpBufferSize);
}

std::tm tmOf(int year, int month, int day, int weekday, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_wday = weekday;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

TEST(DebugLogTime, CtimeForm) {
  struct Case {
    const char* rule;
    std::tm t;
    const char* expected;
  } cases[] = {
      {"day of month two digits", tmOf(2003, 12, 1, 1, 9, 5, 0), "Mon Dec 01 09:05:00 2003"},
      {"late in the day", tmOf(2020, 2, 29, 6, 23, 59, 7), "Sat Feb 29 23:59:07 2020"},
  };
  for (const auto& c : cases) EXPECT_EQ(ctimeText(c.t), c.expected) << c.rule;
}

// ------------------------------------------------------------ numbering

TEST(DebugLogEngine, RetransmissionAndReceiveNumbering) {
  TempDir dir;
  DebugLog log(dir.file(kDebugLogName), true, fixedTime());
  RecordingSink sink;
  EngineLink link(sink);
  link.setObserver(&log);

  std::vector<std::uint8_t> request =
      link.sendRequest(kUnit, CmdRead, unit_address::kSystemInfo, 112, {}, makePasswordField(""), MacAddress{});
  link.retransmit(kUnit, request);
  std::vector<std::uint8_t> junk(40, 0x5A);  // dropped by the acceptance rule, logged all the same
  link.receive(junk, kUnit, 20487);
  link.receive({}, kUnit, 20487);  // nothing read: no dump, no number
  link.receive(junk, ipv4FromOctets(10, 0, 0, 9), 4660);
  link.sendRequest(kUnit, CmdRead, unit_address::kSystemInfo, 112, {}, makePasswordField(""), MacAddress{});

  auto dumps = dumpsIn(logText(log.path()));
  ASSERT_EQ(dumps.size(), 5u);
  struct Row {
    const char* header;
    const char* number;
    const char* ip;
    const char* port;
  } rows[] = {
      {kTransmitHeader, "1", "192.168.1.20", "0x5007(20487)"},
      {kRetransmitHeader, "2", "192.168.1.20", "0x5007(20487)"},
      {kReceiveHeader, "1", "192.168.1.20", "0x5007(20487)"},
      {kReceiveHeader, "2", "10.0.0.9", "0x1234(4660)"},
      {kTransmitHeader, "3", "192.168.1.20", "0x5007(20487)"},
  };
  for (std::size_t i = 0; i < dumps.size(); ++i) {
    EXPECT_EQ(dumps[i].header, rows[i].header) << i;
    EXPECT_EQ(dumps[i].number, rows[i].number) << i;
    EXPECT_EQ(dumps[i].time, kFixedTime) << i;
    EXPECT_EQ(dumps[i].ip, rows[i].ip) << i;
    EXPECT_EQ(dumps[i].port, rows[i].port) << i;
  }
  EXPECT_EQ(dumps[1].data, dumps[0].data) << "a retransmission shows the same bytes";
  EXPECT_NE(dumps[4].data, dumps[0].data) << "a new request has new counters";
}

// The transport's side of a multicast request on a host with three
// addresses: one copy per interface.
class FanOutSink : public DatagramSink {
 public:
  bool sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) override {
    for (int i = 0; i < 3; ++i) inner.sendDatagram(ip, port, bytes);
    return true;
  }
  RecordingSink inner;
};

TEST(DebugLogEngine, MulticastRequestIsDumpedOnce) {
  TempDir dir;
  DebugLog log(dir.file(kDebugLogName), true, fixedTime());
  FanOutSink sink;
  EngineLink link(sink);
  link.setObserver(&log);
  const MacAddress unit{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}};
  link.sendRequest(kMulticastGroup, CmdRead, unit_address::kIdentity, 88, {}, makePasswordField(""), unit);
  link.sendRequest(kMulticastGroup, CmdRead, unit_address::kIdentity, 88, {}, makePasswordField(""), unit);
  ASSERT_EQ(sink.inner.sent.size(), 6u);

  auto dumps = dumpsIn(logText(log.path()));
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].number, "1");
  EXPECT_EQ(dumps[0].ip, "239.192.19.99");
  EXPECT_EQ(dumps[1].number, "2");
}

// ------------------------------------------------------------ host description

TEST(DebugLogHost, Description) {
  struct Case {
    const char* rule;
    std::string host;
    std::vector<Ipv4> addresses;
    std::vector<MacAddress> macs;
    std::string expected;
  } cases[] = {
      {"two of each, indices from 0",
       "ap-admin",
       {ipv4FromOctets(192, 168, 1, 5), ipv4FromOctets(10, 0, 0, 2)},
       {MacAddress{{0x00, 0x80, 0x92, 0x0A, 0xBC, 0xDE}}, MacAddress{{0x02, 0x00, 0x4C, 0x4F, 0x4F, 0x50}}},
       "<<< Host Name >>>\n"
       "\"ap-admin\"\n"
       "\n"
       "<<< IP Address Table (entry=2) >>>\n"
       "IP Address (0) = 192.168.1.5\n"
       "IP Address (1) = 10.0.0.2\n"
       "\n"
       "<<< MAC Address Table (entry=2) >>>\n"
       "MAC Address (0) = 00-80-92-0A-BC-DE\n"
       "MAC Address (1) = 02-00-4C-4F-4F-50\n"
       "\n"},
      {"a host without a name or tables",
       "",
       {},
       {},
       "<<< Host Name >>>\n"
       "\"\"\n"
       "\n"
       "<<< IP Address Table (entry=0) >>>\n"
       "\n"
       "<<< MAC Address Table (entry=0) >>>\n"
       "\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    DebugLog log(dir.file(kDebugLogName), true, fixedTime());
    EXPECT_TRUE(log.writeHostDescription(c.host, c.addresses, c.macs)) << c.rule;
    EXPECT_EQ(readBytes(log.path()), asWritten(c.expected)) << c.rule;
  }
}

// ------------------------------------------------------------ writes and switch

TEST(DebugLogWrite, LevelAndSwitchRules) {
  struct Case {
    const char* rule;
    bool enabled;
    int level;
    const char* text;
    bool returns;
    std::optional<std::string> file;  // nothing: no file is created
  } cases[] = {
      {"level 1 is written", true, 1, "entry\n", true, "entry\n"},
      {"higher levels are written too", true, 2, "entry\n", true, "entry\n"},
      {"level 0 writes nothing and succeeds", true, 0, "entry\n", true, std::nullopt},
      {"negative level writes nothing and succeeds", true, -1, "entry\n", true, std::nullopt},
      {"empty text writes nothing and succeeds", true, 1, "", true, std::nullopt},
      {"log off fails", false, 1, "entry\n", false, std::nullopt},
      {"log off with nothing to write still succeeds", false, 0, "entry\n", true, std::nullopt},
  };
  for (const auto& c : cases) {
    TempDir dir;
    DebugLog log(dir.file(kDebugLogName), c.enabled, fixedTime());
    EXPECT_EQ(log.writeLog(c.level, c.text), c.returns) << c.rule;
    if (c.file) {
      EXPECT_EQ(readBytes(log.path()), asWritten(*c.file)) << c.rule;
    } else {
      EXPECT_TRUE(dir.entries().empty()) << c.rule;
    }
  }
}

TEST(DebugLogWrite, OffTouchesNothing) {
  TempDir dir;
  bool clockRead = false;
  DebugLog log(dir.file(kDebugLogName), false, [&] {
    clockRead = true;
    return std::string(kFixedTime);
  });
  RecordingSink sink;
  EngineLink link(sink);
  link.setObserver(&log);
  std::vector<std::uint8_t> request =
      link.sendRequest(kUnit, CmdRead, unit_address::kSystemInfo, 112, {}, makePasswordField(""), MacAddress{});
  link.retransmit(kUnit, request);
  link.receive(request, kUnit, 20487);
  EXPECT_FALSE(log.writeHostDescription("ap-admin", std::vector<Ipv4>{kUnit}, std::vector<MacAddress>{}));
  EXPECT_FALSE(log.dumpDatagram(0, 1, 0, 20487, request.data(), request.size()));
  EXPECT_EQ(sink.sent.size(), 2u) << "traffic goes on";
  EXPECT_FALSE(clockRead);
  EXPECT_TRUE(dir.entries().empty());
}

TEST(DebugLogWrite, UnopenableFileLosesTheEntry) {
  TempDir dir;
  DebugLog log(dir.file("missing") + kPathSeparator + kDebugLogName, true, fixedTime());
  const std::uint8_t bytes[kHeaderSize] = {};
  EXPECT_FALSE(log.writeLog(1, "entry\n"));
  EXPECT_FALSE(log.dumpDatagram(0, 1, 0, 20487, bytes, sizeof bytes));
  EXPECT_FALSE(log.writeHostDescription("ap-admin", {}, {}));
  EXPECT_TRUE(dir.entries().empty());
}

TEST(DebugLogWrite, AppendsAndIsCompleteAfterEveryWrite) {
  TempDir dir;
  const std::string path = dir.file(kDebugLogName);
  writeBytes(path, asWritten("from before\n"));
  DebugLog log(path, true, fixedTime());
  EXPECT_TRUE(log.writeLog(1, "one\n"));
  EXPECT_EQ(readBytes(path), asWritten("from before\none\n"));
  EXPECT_TRUE(log.writeLog(1, "two\n"));
  EXPECT_EQ(readBytes(path), asWritten("from before\none\ntwo\n"));
}

TEST(DebugLogWrite, EachRunStartsANewFile) {
  TempDir dir;
  const std::string path = dir.file(kDebugLogName);
  writeBytes(path, "the last run\n");
  EXPECT_TRUE(startDebugLog(path));
  EXPECT_TRUE(dir.entries().empty());
  EXPECT_TRUE(startDebugLog(path)) << "no earlier log is fine";
  DebugLog log(path, true, fixedTime());
  EXPECT_TRUE(log.writeLog(1, "this run\n"));
  EXPECT_EQ(readBytes(path), asWritten("this run\n"));
}

TEST(DebugLogWrite, PathInTheWorkingFolder) {
  const std::string sep(1, kPathSeparator);
  struct Case {
    const char* rule;
    std::string folder;
    std::string expected;
  } cases[] = {
      {"separator added", "work", "work" + sep + "debuglog.txt"},
      {"separator kept", "work" + sep, "work" + sep + "debuglog.txt"},
      {"no folder: relative to the working folder", "", "debuglog.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(debugLogPathIn(c.folder, TextEncoding::singleByte()), c.expected) << c.rule;
  // "Café" in windows-1252 ends in a byte that Shift_JIS would pair with
  // the separator.
  EXPECT_EQ(debugLogPathIn("Caf\xE9" + sep, TextEncoding::singleByte()), "Caf\xE9" + sep + "debuglog.txt");
}

}  // namespace
}  // namespace trennic
