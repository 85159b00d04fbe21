// The status poll cycle over real UDP against a simulated unit: every block
// and list of the unit arrives in one snapshot.
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/protocol/packet.h"
#include "core/status/status_poller.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"

namespace trennic {
namespace {

class CountingHost : public StatusHost {
 public:
  void refreshPages() override { ++refreshes; }
  void controlsIdle() override {}
  void controlsScanning() override {}
  void clearButtonsEnabled(bool) override {}
  void progress(int) override {}
  void intervalShown(std::uint32_t) override {}
  void showResult(int result) override { messages.push_back(result); }
  void showNoSelection() override {}
  int refreshes = 0;
  std::vector<int> messages;
};

TEST(StatusPollE2E, OneCycleFetchesEveryBlockAndStopsListsAtTheirCaps) {
  testing::SimProcess sim;
  ASSERT_TRUE(sim.start({"--units", "1", "--mac-table", "1100", "--wireless-nodes", "5"}))
      << sim.error().toStdString();
  auto engine = testing::engineFor(sim);
  ASSERT_TRUE(engine);
  platform::EngineRuntime& rt = *engine;
  CountingHost host;
  StatusTarget unit{ipv4FromOctets(127, 0, 0, 2), kMulticastGroup, MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}},
                    "unit 1"};
  StatusPoller poller(rt.link(), host, nullptr, [&] { return std::optional<StatusTarget>(unit); });
  poller.setInitialInterval(0);
  ASSERT_TRUE(poller.scanStart());
  QEventLoop loop;
  QTimer poll, limit;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (poller.step() == 0) loop.quit();
  });
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(5);
  limit.start(15000);
  loop.exec();
  ASSERT_EQ(host.refreshes, 1);
  EXPECT_TRUE(host.messages.empty());
  const StatusSnapshot& s = poller.snapshot();
  EXPECT_EQ(s.firmwareVersion(), 0x0201u);
  EXPECT_EQ(readLe32(s.ethernet.data()), 1500u);
  EXPECT_EQ(readLe32(s.wireless.data()), 2312u);
  EXPECT_EQ(readLe32(s.wirelessLink.data() + 8), 3u);
  EXPECT_EQ(s.nodeRecordFormat, 3);
  EXPECT_EQ(s.wirelessNodeCount, 5u);
  EXPECT_EQ(s.macCount, 1024u);
  EXPECT_EQ(s.stpPortCount, 2u);
  EXPECT_EQ(readLe16(s.stpBridge.data() + 2), 32768);
}

}  // namespace
}  // namespace trennic
