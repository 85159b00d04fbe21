// The Traffic tab's numbers: packets per second between cycles, cut into
// segments where a counter went down or cycles are missing.
#include "core/status/traffic_history.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "core/protocol/packet.h"

namespace trennic {
namespace {

const MacAddress kLobby{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}};
const MacAddress kWarehouse{{0x00, 0x80, 0x92, 0x00, 0x00, 0x03}};

// One cycle: its time and the Ethernet received packets; the other three
// curves count the same.
struct Cycle {
  std::int64_t timeMs;
  std::optional<std::uint64_t> packets;
};

TrafficSample sample(const Cycle& c, std::uint32_t interval = 10) {
  TrafficSample s;
  s.timeMs = c.timeMs;
  s.intervalSeconds = interval;
  s.packets.fill(c.packets);
  return s;
}

struct Case {
  const char* rule;
  std::vector<Cycle> cycles;
  std::vector<TrafficSegment> segments;
  std::optional<double> current;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.rule; }

class RatesAndSegments : public ::testing::TestWithParam<Case> {};

TEST_P(RatesAndSegments, FollowTheCounters) {
  const Case& c = GetParam();
  TrafficHistory h;
  for (const Cycle& cycle : c.cycles) h.add(kLobby, sample(cycle));
  for (std::size_t curve = 0; curve < kTrafficCurves; ++curve) {
    EXPECT_EQ(h.segments(static_cast<TrafficCurve>(curve)), c.segments) << c.rule;
    EXPECT_EQ(h.current(static_cast<TrafficCurve>(curve)), c.current) << c.rule;
  }
}

// The interval is 10 s: up to 50 s between two cycles is one unbroken scan.
INSTANTIATE_TEST_SUITE_P(
    Traffic, RatesAndSegments,
    ::testing::Values(
        Case{"one cycle gives no rate yet", {{0, 100}}, {}, std::nullopt},
        Case{"steady traffic is one segment",
             {{0, 100}, {10000, 150}, {20000, 200}, {30500, 305}},
             {{{10000, 5}, {20000, 5}, {30500, 10}}},
             10},
        Case{"no traffic is a rate of 0", {{0, 7}, {10000, 7}}, {{{10000, 0}}}, 0},
        Case{"a counter that went down starts a new segment, never a negative rate",
             {{0, 100}, {10000, 200}, {20000, 30}, {30000, 80}, {40000, 180}},
             {{{10000, 10}}, {{30000, 5}, {40000, 10}}},
             10},
        Case{"a pause longer than two intervals and a slow cycle cuts the curve",
             {{0, 100}, {10000, 200}, {60001, 300}, {70001, 400}},
             {{{10000, 10}}, {{70001, 10}}},
             10},
        Case{"a pause just within two intervals and a slow cycle does not",
             {{0, 100}, {50000, 600}},
             {{{50000, 10}}},
             10},
        Case{"a cycle without the interface's block cuts its curve",
             {{0, 100}, {10000, 200}, {20000, std::nullopt}, {30000, 400}, {40000, 500}},
             {{{10000, 10}}, {{40000, 10}}},
             10},
        Case{"time that did not go on gives no rate", {{5000, 100}, {5000, 200}}, {}, std::nullopt},
        Case{"the last cycle after a reset has no current rate",
             {{0, 100}, {10000, 200}, {20000, 0}},
             {{{10000, 10}}},
             std::nullopt}),
    [](const ::testing::TestParamInfo<Case>& info) {
      std::string name;
      for (const char* c = info.param.rule; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST(TrafficHistory, KeepsTheLast120CyclesOfOneUnit) {
  TrafficHistory h;
  for (std::int64_t i = 0; i <= 120; ++i) h.add(kLobby, sample({i * 10000, static_cast<std::uint64_t>(i * 20)}));
  ASSERT_EQ(h.size(), 120u);
  EXPECT_EQ(h.samples().front().timeMs, 10000);  // the first cycle dropped
  const auto segments = h.segments(EthernetReceived);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments.front().size(), 119u);
  EXPECT_EQ(segments.front().front(), (TrafficPoint{20000, 2}));
  EXPECT_EQ(h.highest(), 2);
  // Another unit's cycle starts over.
  h.add(kWarehouse, sample({1220000, 5}));
  EXPECT_EQ(h.size(), 1u);
  EXPECT_EQ(h.current(EthernetReceived), std::nullopt);
  h.reset();
  EXPECT_EQ(h.size(), 0u);
}

// The curves count unicast and broadcast packets of each direction; an
// interface block the cycle did not bring has none.
TEST(TrafficHistory, SamplesThePacketCountersOfBothInterfaces) {
  StatusSnapshot s;
  s.clear();
  writeLe32(s.ethernet.data() + 0, 1500);
  writeLe32(s.ethernet.data() + 20, 999999);  // octets: not packets
  writeLe32(s.ethernet.data() + 24, 0xFFFFFFFF);
  writeLe32(s.ethernet.data() + 28, 2);
  writeLe32(s.ethernet.data() + 48, 30);
  writeLe32(s.ethernet.data() + 52, 4);
  TrafficSample t = trafficSampleOf(s, 1234, 6);
  EXPECT_EQ(t.timeMs, 1234);
  EXPECT_EQ(t.intervalSeconds, 6u);
  EXPECT_EQ(t.packets[EthernetReceived], std::optional<std::uint64_t>(0x100000001ull));
  EXPECT_EQ(t.packets[EthernetSent], std::optional<std::uint64_t>(34));
  EXPECT_EQ(t.packets[WirelessReceived], std::nullopt);
  EXPECT_EQ(t.packets[WirelessSent], std::nullopt);
}

TEST(TrafficScale, RoundStepsThatCoverTheHighestValue) {
  struct Row {
    double highest;
    TrafficScale scale;
  };
  for (const Row& r : {Row{0, {1, 1}}, Row{3, {3, 1}}, Row{10, {10, 2}}, Row{47, {50, 10}}, Row{0.3, {0.3, 0.1}},
                       Row{1234, {1500, 500}}}) {
    const TrafficScale got = trafficScale(r.highest);
    EXPECT_DOUBLE_EQ(got.top, r.scale.top) << r.highest;
    EXPECT_DOUBLE_EQ(got.step, r.scale.step) << r.highest;
  }
}

}  // namespace
}  // namespace trennic
