// The request engine driven tick by tick: retransmission, give-up, fallback,
// Cancel and the engine claim.
#include <gtest/gtest.h>

#include "core/registry/node_table.h"
#include "support/temp_dir.h"
#include "support/engine_harness.h"

namespace trennic {
namespace {

using testing::EngineHarness;
using testing::unicastTo;

const Ipv4 kUnit = ipv4FromOctets(192, 168, 0, 5);

TEST(EngineTicks, SilenceRetransmitsAndGivesUpByTickClass) {
  struct Case {
    const char* why;
    int op;
    std::vector<int> retransmitTicks;
    int giveUpTick;
  } cases[] = {
      {"standard: every third tick, gives up after ten", OpReadConfig, {3, 6, 9}, 11},
      {"transfer: every fifth tick, gives up after fifteen", OpReadFirmware, {5, 10, 15}, 16},
      {"short: every third tick, gives up after ten", OpReboot, {3, 6, 9}, 11},
  };
  for (const auto& c : cases) {
    EngineHarness e;
    testing::TempDir dir;
    OperationArgs a = unicastTo(c.op, kUnit, kUnit);  // one address: no fallback run
    a.fileName = dir.file("image.bin");
    e.run(a);
    ASSERT_EQ(e.sentCount(), 1u) << c.why;
    std::vector<int> resent;
    for (int t = 1; t <= c.giveUpTick; ++t) {
      std::size_t before = e.sentCount();
      e.ticks(1);
      if (e.sentCount() > before) {
        resent.push_back(t);
        EXPECT_EQ(e.last().bytes, e.sink.sent.front().bytes) << c.why << ": retransmission is byte for byte";
      }
      if (t < c.giveUpTick) {
        EXPECT_FALSE(e.host.outcome.has_value()) << c.why << " tick " << t;
      }
    }
    EXPECT_EQ(resent, c.retransmitTicks) << c.why;
    EXPECT_EQ(e.host.outcome, false) << c.why;
    EXPECT_EQ(e.host.messages, std::vector<int>{ResultNoResponse}) << c.why;
  }
}

TEST(EngineTicks, ShortClassShowsTenPercentPerSilentTick) {
  EngineHarness e;
  e.run(unicastTo(OpReboot, kUnit, kUnit));
  e.ticks(4);
  EXPECT_EQ(e.host.progressShown, (std::vector<int>{0, 10, 20, 30, 40}));
}

TEST(EngineTicks, SearchEndsOnItsSixthTickHavingSentTwice) {
  EngineHarness e;
  OperationArgs a;
  a.operation = OpSearch;
  e.run(a);
  e.ticks(5);
  EXPECT_FALSE(e.host.outcome.has_value());
  e.ticks(1);
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_EQ(e.sentCount(), 2u);
  EXPECT_EQ(e.host.progressShown, (std::vector<int>{0, 0, 20, 40, 60, 80, 100, 100}));
  EXPECT_TRUE(e.host.messages.empty());
}

TEST(EngineFallback, SilentUnicastRestartsOnTheGroupAndRecordsTheRoute) {
  testing::TempDir dir;
  NodeTable nodes(dir.file("s.INI"));
  VectorNodeRows rows;
  nodes.FillRows(rows);
  NodeEntry n;
  n.mac = "00-80-92-00-00-01";
  n.ip = "192.168.0.5";
  n.route = RouteUnicast;
  nodes.AddAndRecord(rows, n);
  ResolvedNode r = nodes.ResolveNode("00-80-92-00-00-01, 192.168.0.5");

  EngineHarness e;
  OperationArgs a;
  a.operation = OpGetVersion;
  a.primary = r.primary;
  a.alternate = r.alternate;
  a.unitMac = r.mac;
  OperationContext c;
  c.nodes = &nodes;
  c.rows = &rows;
  e.run(a, c);
  EXPECT_EQ(e.last().ip, kUnit);
  EXPECT_TRUE(e.last().header().stationMac.isZero());
  e.ticks(11);
  ASSERT_EQ(e.host.restartedOn, std::vector<Ipv4>{kMulticastGroup});
  EXPECT_EQ(e.sentCount(), 5u);  // 1 + 3 retransmissions, then the new run's first
  EXPECT_EQ(e.last().ip, kMulticastGroup);
  EXPECT_EQ(e.last().header().stationMac, r.mac);

  UnitIdentity id;
  id.macAddress = r.mac;
  id.ipAddress = kUnit;
  std::uint8_t block[kIdentitySize];
  id.encode(block);
  e.answer(StatusOk, block, {}, {}, kUnit);
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_TRUE(e.host.messages.empty());
  EXPECT_EQ(nodes.slot(0).route, RouteMulticast);
  // The next operation goes to the group first.
  EXPECT_EQ(nodes.ResolveNode("00-80-92-00-00-01, 192.168.0.5").primary, kMulticastGroup);
}

TEST(EngineFallback, UnitThatAnsweredOnceGetsNoFallback) {
  EngineHarness e;
  e.run(unicastTo(OpReadConfig, kUnit, kMulticastGroup));
  std::vector<std::uint8_t> info(112, 0);
  e.answer(StatusOk, info);
  e.ticks(11);
  EXPECT_TRUE(e.host.restartedOn.empty());
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultNoResponse});
}

TEST(EngineFallback, DeniedEndsAtOnceWithoutFallback) {
  EngineHarness e;
  e.run(unicastTo(OpReboot, kUnit, kMulticastGroup));
  e.ack(StatusDenied);
  EXPECT_EQ(e.host.outcome, false);
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultDenied});
  EXPECT_EQ(e.sentCount(), 1u);
}

TEST(EngineCancel, SearchShowsSearchAbortedAndKeepsWhatWasFound) {
  testing::TempDir dir;
  NodeTable nodes(dir.file("s.INI"));
  VectorNodeRows rows;
  nodes.FillRows(rows);
  EngineHarness e;
  OperationArgs a;
  a.operation = OpSearch;
  OperationContext c;
  c.nodes = &nodes;
  c.rows = &rows;
  e.run(a, c);
  UnitIdentity id;
  id.macAddress = MacAddress{{0, 0x80, 0x92, 0, 0, 7}};
  id.ipAddress = ipv4FromOctets(127, 0, 0, 8);
  std::uint8_t block[kIdentitySize];
  id.encode(block);
  e.answer(StatusOk, block, {}, {}, id.ipAddress);
  e.driver.cancel();
  EXPECT_EQ(e.driver.result(), ResultSearchAborted);
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultSearchAborted});
  EXPECT_EQ(nodes.usedCount, 1u);
  EXPECT_EQ(e.sentCount(), 1u);  // no closing request outside transfers
}

TEST(EngineSend, AFirstRequestTheSystemRefusesEndsAtOnceWithErrorOccurred) {
  struct Case {
    const char* why;
    int op;
    Ipv4 primary;
  } cases[] = {
      {"standard", OpReadConfig, kUnit},
      {"transfer", OpReadFirmware, kUnit},
      {"short", OpReboot, kUnit},
      {"collect", OpSearch, kMulticastGroup},
  };
  for (const auto& c : cases) {
    EngineHarness e;
    testing::TempDir dir;
    OperationArgs a = unicastTo(c.op, c.primary, kMulticastGroup);
    a.fileName = dir.file("image.bin");
    e.sink.refusing = true;
    e.run(a);
    EXPECT_EQ(e.host.outcome, false) << c.why;
    EXPECT_EQ(e.host.messages, std::vector<int>{ResultError}) << c.why;
    EXPECT_TRUE(e.host.restartedOn.empty()) << c.why << ": no second run on the group";
    EXPECT_EQ(e.link.claimKind(), ClaimKind::None) << c.why;
    e.ticks(40);
    EXPECT_EQ(e.sink.refused, 1) << c.why << ": nothing is tried again";
    EXPECT_TRUE(dir.entries().empty()) << c.why;
  }
}

TEST(EngineSend, ALaterRequestTheSystemRefusesIsSentAgainLikeALostOne) {
  EngineHarness e;
  e.run(unicastTo(OpReadConfig, kUnit, kMulticastGroup));
  std::vector<std::uint8_t> info(112, 0);
  e.sink.refusing = true;
  e.answer(StatusOk, info);
  ASSERT_EQ(e.sink.refused, 1);
  EXPECT_FALSE(e.host.outcome.has_value());
  e.sink.refusing = false;
  e.ticks(3);
  ASSERT_EQ(e.sentCount(), 2u);
  EXPECT_EQ(e.last().header().address, unit_address::kExtendedInfo);
  EXPECT_TRUE(e.host.messages.empty());
}

TEST(EngineLinkTest, ReplyRoutingAndClaim) {
  EngineHarness e;
  e.run(unicastTo(OpReboot, kUnit, kUnit));
  // A stale transaction number is not ours.
  PacketHeader h = e.last().header();
  h.command |= kReplyBit;
  h.transactionNo = static_cast<std::uint16_t>(h.transactionNo - 1);
  std::vector<std::uint8_t> stale(kHeaderSize);
  h.encode(stale.data());
  e.link.receive(stale, kUnit, 20487);
  EXPECT_FALSE(e.host.outcome.has_value());
  // A reply from another address than the one asked is not ours either.
  e.answer(StatusOk, {}, 0, {}, ipv4FromOctets(192, 168, 0, 6));
  EXPECT_FALSE(e.host.outcome.has_value());
  e.ack();
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_EQ(e.link.claimKind(), ClaimKind::None);
  // After the end, ticks and replies find no claimant.
  std::size_t sent = e.sentCount();
  e.ticks(20);
  EXPECT_EQ(e.sentCount(), sent);
  EXPECT_EQ(e.link.receivedCount(), 3u);
}

TEST(EngineLinkTest, TickIsNotReenteredWhileBeingHandled) {
  testing::RecordingSink sink;
  EngineLink link(sink);
  struct Nested : EngineClient {
    EngineLink* link;
    int ticks = 0;
    void onReply(std::span<const std::uint8_t>) override {}
    void onTick() override {
      ++ticks;
      link->tick();  // a modal loop inside a tick delivering the next one
    }
  } client;
  client.link = &link;
  link.claim(ClaimKind::Progress, &client);
  link.tick();
  link.tick();
  EXPECT_EQ(client.ticks, 2);
}

TEST(EngineLinkTest, CountersWrapAndLastDestinationFollowsRequests) {
  testing::RecordingSink sink;
  EngineLink link(sink);
  link.builder().setCounters(65534, 65534);
  link.sendRequest(kUnit, CmdRead, 0, 88, {}, PasswordField{}, MacAddress{});
  link.sendRequest(kMulticastGroup, CmdRead, 0, 88, {}, PasswordField{}, MacAddress::broadcast());
  EXPECT_EQ(sink.sent[0].header().transactionNo, 65535);
  EXPECT_EQ(sink.sent[1].header().transactionNo, 0);
  EXPECT_EQ(sink.sent[1].header().stationMac, MacAddress::broadcast());
  EXPECT_EQ(link.lastDestination(), kMulticastGroup);
  EXPECT_EQ(link.sentCount(), 2u);
}

}  // namespace
}  // namespace trennic
