// The Spanning Tree page's bridge fields and port rows.
#include "core/status/stp_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/protocol/packet.h"

namespace trennic {
namespace {

StatusSnapshot zeroed() {
  StatusSnapshot s;
  s.clear();
  return s;
}

TEST(SpanningTreePage, TimeSinceTopologyChange) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0, "0 days 0:0:0"},       {99, "0 days 0:0:0"},  // whole seconds only
      {366100, "0 days 1:1:1"},  {8639999, "0 days 23:59:59"},
      {8640000, "1 days 0:0:0"}, {0xFFFFFFFF, "497 days 2:27:52"},
  };
  for (auto [hundredths, text] : cases) EXPECT_EQ(topologyChangeTimeText(hundredths), text) << hundredths;
}

TEST(SpanningTreePage, BridgeIdentifierIsPriorityThenMac) {
  const std::uint8_t id[8] = {0x80, 0x00, 0x00, 0x90, 0x12, 0x34, 0x56, 0x78};
  EXPECT_EQ(bridgeIdText(id), "8000:00-90-12-34-56-78");
}

TEST(SpanningTreePage, FailedReadsShowZerosAndNoPorts) {
  const StpView v = stpView(zeroed());
  const std::vector<StatusField> bridge = {
      {"Designated Root:", "0000:00-00-00-00-00-00"},
      {"Root Path Cost:", "0"},
      {"Root Port:", "0"},
      {"Max Age Time:", "0"},
      {"Hello Time:", "0"},
      {"Forward Delay:", "0"},
      {"Bridge Priority:", "0"},
      {"Max Age Time(Bridge):", "0"},
      {"Hello Time(Bridge):", "0"},
      {"Forward Delay(Bridge):", "0"},
      {"Topology Changes:", "0"},
      {"Time Since Topology Change:", "0 days 0:0:0"},
  };
  EXPECT_EQ(v.bridge, bridge);
  EXPECT_TRUE(v.ports.rows.empty());
  EXPECT_EQ(v.ports.number, "   0/   2");
  EXPECT_EQ(v.ports.columns.size(), 9u);
}

TEST(SpanningTreePage, BridgeFieldsFromTheirOffsets) {
  StatusSnapshot s = zeroed();
  std::uint8_t* b = s.stpBridge.data();
  std::memset(b, 0xEE, kStpBridgeSize);  // the fields not shown hold something
  writeLe16(b + 2, 32768);
  writeLe32(b + 4, 366100);
  writeLe16(b + 8, 65535);
  const std::uint8_t root[8] = {0x10, 0x00, 0x00, 0x80, 0x92, 0x01, 0x02, 0x03};
  std::memcpy(b + 12, root, 8);
  writeLe32(b + 20, 4000000000u);
  writeLe16(b + 24, 2);
  writeLe16(b + 26, 2000);
  writeLe32(b + 28, 200);
  writeLe32(b + 36, 1500);
  writeLe32(b + 40, 2001);
  writeLe32(b + 44, 201);
  writeLe32(b + 48, 1501);
  const std::vector<StatusField> bridge = {
      {"Designated Root:", "1000:00-80-92-01-02-03"},
      {"Root Path Cost:", "4000000000"},
      {"Root Port:", "2"},
      {"Max Age Time:", "2000"},
      {"Hello Time:", "200"},
      {"Forward Delay:", "1500"},
      {"Bridge Priority:", "32768"},
      {"Max Age Time(Bridge):", "2001"},
      {"Hello Time(Bridge):", "201"},
      {"Forward Delay(Bridge):", "1501"},
      {"Topology Changes:", "65535"},
      {"Time Since Topology Change:", "0 days 1:1:1"},
  };
  EXPECT_EQ(stpView(s).bridge, bridge);
}

void setPort(StatusSnapshot& s, std::size_t i, std::uint16_t number, std::uint16_t state) {
  std::uint8_t* r = s.stpPorts.data() + i * kStpPortRecord;
  std::memset(r, 0xEE, kStpPortRecord);
  writeLe16(r + 0, number);
  writeLe16(r + 2, 128);
  writeLe16(r + 4, state);
  writeLe32(r + 8, 100000);
  const std::uint8_t root[8] = {0x80, 0x00, 0x00, 0x90, 0x12, 0x34, 0x56, 0x78};
  const std::uint8_t designated[8] = {0x80, 0x00, 0x00, 0x80, 0x92, 0x00, 0x00, 0x01};
  std::memcpy(r + 12, root, 8);
  writeLe16(r + 20, 19);
  std::memcpy(r + 24, designated, 8);
  writeLe16(r + 32, 0x8001);
  writeLe16(r + 34, 3);
}

TEST(SpanningTreePage, PortRows) {
  StatusSnapshot s = zeroed();
  setPort(s, 0, 1, 5);
  setPort(s, 1, 2, 2);
  s.stpPortCount = 3;  // never more rows than the two records held
  const StpView v = stpView(s);
  const std::vector<std::vector<std::string>> rows = {
      {"1", "128", "forwarding", "100000", "8000:00-90-12-34-56-78", "19", "8000:00-80-92-00-00-01", "32769", "3"},
      {"2", "128", "blocking", "100000", "8000:00-90-12-34-56-78", "19", "8000:00-80-92-00-00-01", "32769", "3"},
  };
  EXPECT_EQ(v.ports.rows, rows);
  EXPECT_EQ(v.ports.number, "   2/   2");
  ASSERT_EQ(v.ports.columns.size(), rows[0].size());
  EXPECT_EQ(v.ports.columns.back(), (StatusColumn{"Forward Translations", 200}));
}

TEST(SpanningTreePage, PortStateTexts) {
  const char* texts[] = {"", "disabled", "blocking", "listening", "learning", "forwarding", "broken", ""};
  for (std::uint16_t state = 0; state < 8; ++state) {
    StatusSnapshot s = zeroed();
    setPort(s, 0, 1, state);
    s.stpPortCount = 1;
    EXPECT_EQ(stpView(s).ports.rows.at(0).at(2), texts[state]) << state;
  }
}

}  // namespace
}  // namespace trennic
