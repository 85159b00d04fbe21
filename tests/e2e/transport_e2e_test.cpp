#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <set>

#include "core/protocol/packet.h"
#include "core/protocol/unit_identity.h"
#include "platform/protocol/udp_transport.h"
#include "support/sim_process.h"

namespace trennic {
namespace {

using platform::UdpTransport;

struct Received {
  std::vector<std::uint8_t> bytes;
  Ipv4 source;
};

// The program's side of one exchange: the transport restricted to lo, the
// request builder and the acceptance rule, as the engine uses them.
class Exchange {
 public:
  Exchange() {
    transport.setInterfaces({"lo"});
    transport.buildLocalAddressTable();
    transport.buildAdapterMacTable();
    EXPECT_EQ(transport.openSocket(), 1);
    QObject::connect(&transport, &UdpTransport::datagramReceived,
                     [this](const QByteArray& b, Ipv4 source, quint16) {
                       received.push_back({std::vector<std::uint8_t>(b.begin(), b.end()), source});
                     });
  }

  void sendIdentityRead(Ipv4 destination, const MacAddress& unit, std::uint16_t port) {
    lastDestination = destination;
    auto bytes = builder.build(CmdRead, unit_address::kIdentity, kIdentitySize, {}, PasswordField{},
                               RequestBuilder::stationMacFor(destination, unit));
    transport.sendDatagram(destination, port, bytes);
  }

  // Runs the event loop until count datagrams arrived or the time is up.
  void waitFor(std::size_t count, int milliseconds) {
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&transport, &UdpTransport::datagramReceived, &loop, [&] {
      if (received.size() >= count) loop.quit();
    });
    limit.start(milliseconds);
    if (received.size() < count) loop.exec();
  }

  bool accepted(const Received& r) const {
    AcceptanceContext ctx{builder.transactionNo(), lastDestination, transport.localHost().adapterMacs};
    return acceptReply(r.bytes, r.source, ctx);
  }

  UdpTransport transport;
  RequestBuilder builder;
  Ipv4 lastDestination = 0;
  std::vector<Received> received;
};

Ipv4 loopback(unsigned last) { return ipv4FromOctets(127, 0, 0, static_cast<std::uint8_t>(last)); }

TEST(TransportE2E, RestrictedToLoopbackNothingLeavesTheMachine) {
  UdpTransport t;
  t.setInterfaces({"lo"});
  t.buildLocalAddressTable();
  ASSERT_EQ(t.localHost().addresses, std::vector<Ipv4>{loopback(1)});
  ASSERT_EQ(t.openSocket(), 1);
  EXPECT_EQ(t.report().joins, 1);
  std::uint8_t probe[kHeaderSize] = {};
  // A documentation address (TEST-NET-1) is not on lo's network: refused,
  // yet told as sent, so that the engine goes on to try the group.
  EXPECT_TRUE(t.sendDatagram(ipv4FromOctets(192, 0, 2, 99), 9, probe));
  EXPECT_EQ(t.refusedSends(), 1u);
  EXPECT_EQ(t.copiesSent(), 0u);
  EXPECT_EQ(t.closeSocket(), 1);
  EXPECT_EQ(t.closeSocket(), 0);
}

TEST(TransportE2E, ADatagramThatCannotLeaveIsReported) {
  UdpTransport t;
  t.setInterfaces({"lo"});
  t.buildLocalAddressTable();
  std::uint8_t probe[kHeaderSize] = {};
  EXPECT_FALSE(t.sendDatagram(loopback(2), 9, probe)) << "no socket yet";
  ASSERT_EQ(t.openSocket(), 1);
  EXPECT_TRUE(t.sendDatagram(loopback(2), 9, probe));
  // Larger than any UDP datagram: the socket takes none of it.
  std::vector<std::uint8_t> huge(70000, 0);
  EXPECT_FALSE(t.sendDatagram(loopback(2), 9, huge));
  EXPECT_FALSE(t.sendDatagram(kMulticastGroup, 9, huge));
  EXPECT_EQ(t.copiesSent(), 1u);
}

TEST(TransportE2E, GroupReadIsAnsweredByEveryUnitAndEachReplyIsAccepted) {
  testing::SimProcess sim;
  ASSERT_TRUE(sim.start({"--units", "3"})) << sim.error().toStdString();
  Exchange ex;
  ex.sendIdentityRead(kMulticastGroup, MacAddress::broadcast(), sim.port());
  ex.waitFor(3, 3000);
  ASSERT_EQ(ex.received.size(), 3u) << sim.output().toStdString();
  std::set<Ipv4> sources;
  std::set<std::string> macs;
  for (const auto& r : ex.received) {
    EXPECT_TRUE(ex.accepted(r));
    auto id = identityFromReply(r.bytes);
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(id->ipAddress, r.source);
    sources.insert(r.source);
    macs.insert(formatMac(id->macAddress));
  }
  EXPECT_EQ(sources, (std::set<Ipv4>{loopback(2), loopback(3), loopback(4)}));
  EXPECT_EQ(macs.size(), 3u);
  // Through lo there is exactly one copy of the request.
  EXPECT_EQ(ex.transport.copiesSent(), 1u);
}

TEST(TransportE2E, UnicastReadIsAnsweredByItsUnitOnly) {
  testing::SimProcess sim;
  ASSERT_TRUE(sim.start({"--units", "3"})) << sim.error().toStdString();
  Exchange ex;
  ex.sendIdentityRead(loopback(3), MacAddress::broadcast(), sim.port());
  ex.waitFor(2, 1000);  // a second answer would be a fault
  ASSERT_EQ(ex.received.size(), 1u);
  EXPECT_EQ(ex.received[0].source, loopback(3));
  EXPECT_TRUE(ex.accepted(ex.received[0]));
  // The same reply from another address than the one asked is not ours.
  Received forged = ex.received[0];
  forged.source = loopback(2);
  EXPECT_FALSE(ex.accepted(forged));
}

TEST(TransportE2E, GroupReadNamingOneUnitIsAnsweredByThatUnit) {
  testing::SimProcess sim;
  ASSERT_TRUE(sim.start({"--units", "3"})) << sim.error().toStdString();
  Exchange ex;
  ex.sendIdentityRead(kMulticastGroup, *parseMac("00-80-92-00-00-02"), sim.port());
  ex.waitFor(2, 1000);
  ASSERT_EQ(ex.received.size(), 1u);
  EXPECT_EQ(formatMac(identityFromReply(ex.received[0].bytes)->macAddress), "00-80-92-00-00-02");
}

TEST(TransportE2E, UnitWithTotalLossStaysSilent) {
  testing::SimProcess sim;
  ASSERT_TRUE(sim.start({"--units", "2", "--loss", "1"})) << sim.error().toStdString();
  Exchange ex;
  ex.sendIdentityRead(kMulticastGroup, MacAddress::broadcast(), sim.port());
  ex.sendIdentityRead(loopback(2), MacAddress::broadcast(), sim.port());
  ex.waitFor(1, 800);
  EXPECT_TRUE(ex.received.empty());
}

}  // namespace
}  // namespace trennic
