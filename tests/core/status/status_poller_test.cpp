// The status poll cycle driven tick by tick, with the test playing the unit
// from a table of its status blocks and lists.
#include <gtest/gtest.h>

#include <map>

#include "core/protocol/operations.h"
#include "core/registry/node_table.h"
#include "core/status/status_poller.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

const Ipv4 kUnitIp = ipv4FromOctets(127, 0, 0, 2);
const MacAddress kUnitMac{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}};

class RecordingSink : public DatagramSink {
 public:
  // While refusing, the sink says no as a socket does that cannot send.
  bool sendDatagram(Ipv4 ip, std::uint16_t, std::span<const std::uint8_t> bytes) override {
    if (refusing) {
      ++refused;
      return false;
    }
    sent.push_back({ip, {bytes.begin(), bytes.end()}});
    return true;
  }
  std::vector<std::pair<Ipv4, std::vector<std::uint8_t>>> sent;
  bool refusing = false;
  int refused = 0;
};

class RecordingHost : public StatusHost {
 public:
  void refreshPages() override { ++refreshes; }
  void controlsIdle() override { ++idles; }
  void controlsScanning() override {}
  void clearButtonsEnabled(bool enabled) override { clearEnabled = enabled; }
  void progress(int percent) override { progressShown.push_back(percent); }
  void intervalShown(std::uint32_t seconds) override { shownInterval = seconds; }
  void showResult(int result) override { messages.push_back(result); }
  void showNoSelection() override { ++noSelection; }
  int refreshes = 0, idles = 0, noSelection = 0;
  bool clearEnabled = true;
  std::vector<int> progressShown, messages;
  std::uint32_t shownInterval = 0;
};

std::vector<std::uint8_t> pattern(std::size_t n, std::uint8_t seed) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(seed + i * 7);
  return v;
}

// What the test's unit holds: a fixed block by address (with the status it
// answers), and lists by base address as records.
struct FakeUnit {
  struct Block {
    std::uint16_t status = StatusOk;
    std::vector<std::uint8_t> bytes;
  };
  std::map<std::uint32_t, Block> blocks;
  struct List {
    std::size_t recordSize = 36;
    std::size_t records = 0;
  };
  std::map<std::uint32_t, List> lists;
  bool silentToUnicast = false, silent = false;

  static FakeUnit modern(std::uint32_t firmware = 0x0201) {
    FakeUnit u;
    auto info = pattern(112, 1);
    writeLe32(info.data() + 4, firmware);
    writeLe32(info.data() + kUnitInfoChannelOffset, 11);
    u.blocks[0x00120000] = {StatusOk, info};
    u.blocks[0x00120100] = {StatusOk, pattern(216, 2)};
    u.blocks[0x00121000] = {StatusOk, pattern(128, 3)};
    u.blocks[0x00122000] = {StatusOk, pattern(128, 4)};
    u.blocks[0x00122100] = {StatusOk, pattern(76, 5)};
    u.blocks[0x00126200] = {StatusOk, pattern(176, 6)};
    u.blocks[0x00142000] = {StatusOk, pattern(52, 7)};
    u.lists[0x00122200] = {64, 3};
    u.lists[0x00132000] = {36, 50};
    u.lists[0x00142100] = {36, 2};
    return u;
  }
};

class StatusPoll : public ::testing::Test {
 protected:
  testing::TempDir dir;
  RecordingSink sink;
  EngineLink link{sink};
  RecordingHost host;
  NodeTable nodes{dir.file("trennic.INI")};
  std::optional<StatusTarget> selected = StatusTarget{kUnitIp, kMulticastGroup, kUnitMac, "Lobby"};
  StatusPoller poller{link, host, &nodes, [this] { return selected; }};
  FakeUnit unit = FakeUnit::modern();
  std::vector<std::uint32_t> asked;  // addresses of the requests answered

  PacketHeader lastRequest() const { return *PacketHeader::decode(sink.sent.back().second); }

  // Answers the outstanding request as the fake unit would; false when the
  // unit stays silent.
  bool answer() {
    const auto& [ip, bytes] = sink.sent.back();
    if (unit.silent || (unit.silentToUnicast && ip != kMulticastGroup)) return false;
    PacketHeader h = *PacketHeader::decode(bytes);
    asked.push_back(h.address);
    std::uint16_t status = StatusEnd;
    std::vector<std::uint8_t> payload;
    if (auto b = unit.blocks.find(h.address); b != unit.blocks.end()) {
      status = b->second.status;
      payload = b->second.bytes;
    }
    for (const auto& [base, list] : unit.lists) {
      if (h.address < base || h.address >= base + 0x10000) continue;
      std::size_t from = (h.address - base) / list.recordSize;
      std::size_t n = std::min(h.length / list.recordSize, list.records > from ? list.records - from : 0);
      for (std::size_t r = 0; r < n; ++r) {
        auto rec = pattern(list.recordSize, static_cast<std::uint8_t>(from + r));
        payload.insert(payload.end(), rec.begin(), rec.end());
      }
      status = from + n < list.records ? StatusOk : StatusEnd;
    }
    reply(h, status, payload);
    return true;
  }
  void reply(PacketHeader h, std::uint16_t status, const std::vector<std::uint8_t>& payload) {
    h.command = static_cast<std::uint8_t>(h.command | kReplyBit);
    h.status = status;
    h.length = static_cast<std::uint16_t>(payload.size());
    h.stationMac = MacAddress{};
    std::vector<std::uint8_t> bytes(kHeaderSize + payload.size());
    h.encode(bytes.data());
    std::copy(payload.begin(), payload.end(), bytes.begin() + kHeaderSize);
    link.receive(bytes, sink.sent.back().first == kMulticastGroup ? kUnitIp : sink.sent.back().first, 20487);
  }
  // Plays the unit until the cycle ends or it falls silent.
  void answerCycle() {
    for (int guard = 0; guard < 200 && poller.step() != 0; ++guard)
      if (!answer()) return;
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) link.tick();
  }
};

TEST_F(StatusPoll, OneCycleReadsEveryBlockInOrderAndRecordsTheRoute) {
  nodes.current.mac = "00-80-92-00-00-01";
  nodes.current.ip = "127.0.0.2";
  nodes.AddNode(nodes.current);
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  EXPECT_FALSE(host.clearEnabled);
  answerCycle();
  EXPECT_EQ(asked, (std::vector<std::uint32_t>{0x00120000, 0x00120100, 0x00121000, 0x00122000, 0x00122100,
                                               0x00122200, 0x00126200, 0x00132000, 0x00132000 + 1404, 0x00142000,
                                               0x00142100}));
  EXPECT_EQ(poller.result(), ResultOk);
  EXPECT_EQ(host.refreshes, 1);
  EXPECT_EQ(host.idles, 1);  // interval 0: one cycle, then idle by itself
  EXPECT_FALSE(poller.scanning());
  EXPECT_EQ(link.claimKind(), ClaimKind::None);
  const StatusSnapshot& s = poller.snapshot();
  EXPECT_EQ(std::vector<std::uint8_t>(s.unitStatus.begin(), s.unitStatus.end()), pattern(216, 2));
  EXPECT_EQ(readLe32(s.unitInfo.data() + kUnitInfoChannelOffset), 11u);
  EXPECT_EQ(s.nodeRecordFormat, 3);
  EXPECT_EQ(s.wirelessNodeCount, 3u);
  EXPECT_EQ(s.macCount, 50u);
  EXPECT_EQ(s.stpPortCount, 2u);
  EXPECT_EQ(std::vector<std::uint8_t>(s.macTable.begin() + 49 * 36, s.macTable.begin() + 50 * 36), pattern(36, 49));
  EXPECT_EQ(nodes.slot(0).route, 2);
  // Status reads carry no password.
  EXPECT_EQ(lastRequest().password, PasswordField{});
}

TEST_F(StatusPoll, OlderFirmwareBlocksAndNodeRecords) {
  struct Case {
    const char* why;
    std::uint32_t firmware;
    std::uint16_t format;
    std::size_t record;
    std::uint16_t chunk;
  };
  for (const Case& c : {Case{"2.01 and later", 0x0201, 3, 64, 1408}, Case{"1.28", 0x0128, 3, 64, 1408},
                        Case{"1.11", 0x010B, 2, 64, 1408}, Case{"1.10", 0x010A, 1, 20, 1420}}) {
    SCOPED_TRACE(c.why);
    unit = FakeUnit::modern(c.firmware);
    // Old firmware: 108 bytes with status 2 for the information block.
    auto info = unit.blocks[0x00120000].bytes;
    info.resize(108);
    unit.blocks[0x00120000] = {StatusEnd, info};
    unit.blocks[0x00122000] = {StatusEnd, pattern(68, 9)};
    unit.lists[0x00122200] = {c.record, 2};
    asked.clear();
    poller.setInitialInterval(0);
    ASSERT_TRUE(poller.scanStart());
    while (poller.step() != 0 && poller.step() != 6) answer();
    EXPECT_EQ(lastRequest().length, c.chunk);
    answerCycle();
    const StatusSnapshot& s = poller.snapshot();
    EXPECT_EQ(s.nodeRecordFormat, c.format);
    EXPECT_EQ(static_cast<std::int32_t>(readLe32(s.unitInfo.data() + kUnitInfoChannelOffset)), kChannelUnknown);
    EXPECT_EQ(readLe16(s.unitInfo.data() + kUnitInfoModelOffset), c.firmware < 0x0201 ? 9 : readLe16(info.data() + 34));
    EXPECT_EQ(std::vector<std::uint8_t>(s.wireless.begin() + 68, s.wireless.end()), std::vector<std::uint8_t>(60, 0));
    // A short node record sits at the start of its 64-byte slot.
    EXPECT_EQ(std::vector<std::uint8_t>(s.wirelessNodes.begin() + 64, s.wirelessNodes.begin() + 64 + c.record),
              pattern(c.record, 1));
  }
}

TEST_F(StatusPoll, ListsStopAtTheirCaps) {
  unit.lists[0x00122200] = {64, 70};
  unit.lists[0x00132000] = {36, 1100};
  unit.lists[0x00142100] = {36, 3};
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  answerCycle();
  EXPECT_EQ(poller.result(), ResultOk);
  EXPECT_EQ(poller.snapshot().wirelessNodeCount, 64u);
  EXPECT_EQ(poller.snapshot().macCount, 1024u);
  EXPECT_EQ(poller.snapshot().stpPortCount, 2u);
}

TEST_F(StatusPoll, BlocksNotTakenStayZeroAndTheCycleGoesOn) {
  unit.blocks[0x00120100] = {StatusDenied, {}};
  unit.blocks[0x00121000] = {StatusOk, pattern(100, 1)};  // too short
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  answerCycle();
  EXPECT_EQ(poller.result(), ResultOk);
  EXPECT_EQ(poller.snapshot().unitStatus, (std::array<std::uint8_t, kUnitStatusSize>{}));
  EXPECT_EQ(poller.snapshot().ethernet, (std::array<std::uint8_t, kInterfaceBlockSize>{}));
}

TEST_F(StatusPoll, SilentAtItsAddressTriesTheGroupOnceThenSaysNoResponse) {
  unit.silent = true;
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  EXPECT_EQ(sink.sent.back().first, kUnitIp);
  ticks(9);
  EXPECT_EQ(sink.sent.size(), 4u);  // the request and its re-sends on ticks 3, 6 and 9
  EXPECT_EQ(sink.sent[3].second, sink.sent[0].second);
  ticks(1);
  EXPECT_EQ(poller.step(), 1);
  ticks(1);  // the 11th tick: the cycle again, through the group
  EXPECT_EQ(sink.sent.back().first, kMulticastGroup);
  EXPECT_TRUE(host.messages.empty());
  ticks(11);
  EXPECT_EQ(host.messages, std::vector<int>{ResultNoResponse});
  EXPECT_EQ(poller.step(), 0);
  EXPECT_EQ(link.claimKind(), ClaimKind::None);
}

TEST_F(StatusPoll, AFirstRequestTheSystemRefusesSaysErrorOccurredAtOnce) {
  for (std::uint32_t interval : {0u, 10u}) {
    SCOPED_TRACE(interval);
    host.messages.clear();
    sink.refused = 0;
    sink.refusing = true;
    const int idle = host.idles;
    poller.setInitialInterval(interval);
    ASSERT_TRUE(poller.scanStart());
    EXPECT_EQ(host.messages, std::vector<int>{ResultError});
    EXPECT_EQ(poller.step(), 0);
    EXPECT_FALSE(poller.scanning());
    EXPECT_EQ(host.idles, idle + 1);
    EXPECT_EQ(link.claimKind(), ClaimKind::None);
    ticks(22);
    for (int second = 0; second < 12; ++second) poller.onSecond(trackbarPositionFor(interval));
    EXPECT_EQ(sink.refused, 1) << "nothing is tried again, not even through the group";
    EXPECT_EQ(host.messages.size(), 1u);
  }
}

TEST_F(StatusPoll, ALaterRequestTheSystemRefusesIsSentAgainLikeALostOne) {
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  sink.refusing = true;
  answer();
  ASSERT_EQ(sink.refused, 1);
  EXPECT_EQ(poller.step(), 2);
  sink.refusing = false;
  ticks(3);
  EXPECT_EQ(lastRequest().address, 0x00120100u);
  answerCycle();
  EXPECT_EQ(poller.result(), ResultOk);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(StatusPoll, AUnitWithoutAnAddressIsPolledThroughTheGroupOnly) {
  selected = StatusTarget{kMulticastGroup, kMulticastGroup, kUnitMac, "00-80-92-00-00-01, "};
  unit.silent = true;
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  EXPECT_EQ(sink.sent.back().first, kMulticastGroup);
  ticks(11);
  EXPECT_EQ(host.messages, std::vector<int>{ResultNoResponse});
}

TEST_F(StatusPoll, AUnitHeardOnlyThroughTheGroupIsPolledThereFromThenOn) {
  nodes.current.mac = "00-80-92-00-00-01";
  nodes.current.ip = "127.0.0.2";
  nodes.AddNode(nodes.current);
  unit.silentToUnicast = true;
  poller.setInitialInterval(2);
  ASSERT_TRUE(poller.scanStart());
  ticks(11);
  ASSERT_EQ(sink.sent.back().first, kMulticastGroup);
  answerCycle();
  EXPECT_EQ(poller.result(), ResultOk);
  EXPECT_EQ(nodes.slot(0).route, 1);
  EXPECT_TRUE(poller.scanning());
  poller.onSecond(2);
  EXPECT_EQ(host.progressShown.back(), 50);
  poller.onSecond(2);
  EXPECT_EQ(poller.step(), 1);
  EXPECT_EQ(sink.sent.back().first, kMulticastGroup);
}

// A front that waits between cycles itself keeps what the scan learnt: a
// unit heard only through the group is asked there straight away.
TEST_F(StatusPoll, TheNextCycleOfAScanTimedOutsideKeepsTheGroup) {
  nodes.current.mac = "00-80-92-00-00-01";
  nodes.current.ip = "127.0.0.2";
  nodes.AddNode(nodes.current);
  unit.silentToUnicast = true;
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  EXPECT_FALSE(poller.nextCycle());  // not while a cycle runs
  ticks(11);
  answerCycle();
  ASSERT_EQ(poller.result(), ResultOk);
  EXPECT_EQ(nodes.slot(0).route, 1);
  const std::size_t sent = sink.sent.size();
  ASSERT_TRUE(poller.nextCycle());
  EXPECT_EQ(sink.sent.size(), sent + 1);
  EXPECT_EQ(sink.sent.back().first, kMulticastGroup);
  answerCycle();
  EXPECT_EQ(poller.result(), ResultOk);
  EXPECT_EQ(host.refreshes, 2);
  selected.reset();
  EXPECT_FALSE(poller.nextCycle());
  EXPECT_EQ(host.noSelection, 1);
}

TEST_F(StatusPoll, TrackbarSetsEvenIntervalsAndItsLeftEndStopsAtOnce) {
  struct Case {
    std::uint32_t stored;
    int position;
    std::uint32_t interval;
  };
  for (const Case& c : {Case{7, 4, 6}, Case{200, 61, 120}, Case{0, 1, 0}, Case{10, 6, 10}}) {
    EXPECT_EQ(trackbarPositionFor(c.stored), c.position) << c.stored;
    EXPECT_EQ(intervalForTrackbar(c.position), c.interval) << c.stored;
  }
  poller.setInitialInterval(7);
  poller.onSecond(4);
  EXPECT_EQ(poller.interval(), 6u);
  EXPECT_EQ(host.shownInterval, 6u);
  ASSERT_TRUE(poller.scanStart());
  answer();
  answer();
  ASSERT_EQ(poller.step(), 3);
  const int idle = host.idles;
  poller.onSecond(1);  // moved to the left end in the middle of a cycle
  EXPECT_EQ(poller.step(), 0);
  EXPECT_FALSE(poller.scanning());
  EXPECT_EQ(host.idles, idle + 1);
  EXPECT_TRUE(host.messages.empty());
  const std::size_t sent = sink.sent.size();
  ticks(12);
  EXPECT_EQ(sink.sent.size(), sent);  // nothing re-sent, nothing more asked
}

TEST_F(StatusPoll, AnotherUnitChosenDuringACycleIsPolledFromTheNextCycle) {
  poller.setInitialInterval(2);
  ASSERT_TRUE(poller.scanStart());
  answer();
  const Ipv4 otherIp = ipv4FromOctets(127, 0, 0, 3);
  selected = StatusTarget{otherIp, kMulticastGroup, MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x02}}, "Roof"};
  poller.selectionChanged("Roof");
  EXPECT_TRUE(poller.targetChanged());
  answerCycle();
  EXPECT_EQ(poller.unit().label, "Lobby");
  poller.onSecond(2);
  poller.onSecond(2);
  EXPECT_EQ(poller.unit().label, "Roof");
  EXPECT_EQ(sink.sent.back().first, otherIp);
  EXPECT_FALSE(poller.targetChanged());
}

TEST_F(StatusPoll, NothingSelectedSendsNothing) {
  selected.reset();
  EXPECT_FALSE(poller.scanStart());
  EXPECT_EQ(host.noSelection, 1);
  EXPECT_TRUE(sink.sent.empty());
}

TEST(StatusTarget, TheUnitsOwnAddressComesFirst) {
  testing::TempDir dir;
  NodeTable nodes(dir.file("trennic.INI"));
  nodes.current.mac = "00-80-92-00-00-01";
  nodes.current.ip = "127.0.0.2";
  nodes.current.name = "Lobby";
  nodes.current.route = 1;  // last answered through the group
  nodes.AddNode(nodes.current);
  auto t = resolveStatusTarget(nodes, "Lobby");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->primary, kUnitIp);
  EXPECT_EQ(t->alternate, kMulticastGroup);
  EXPECT_FALSE(resolveStatusTarget(nodes, "nobody"));
}

}  // namespace
}  // namespace trennic
