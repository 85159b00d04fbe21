// The simulator over real UDP on loopback: unicast to a unit's own address,
// and the multicast group sent out through lo only.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTest>
#include <QUdpSocket>

#include <memory>
#include <set>
#include <vector>

#include "core/protocol/packet.h"
#include "core/protocol/unit_identity.h"
#include "unitsim/sim_options.h"
#include "unitsim/sim_server.h"

namespace trennic::sim {
namespace {

constexpr int kAnswerWaitMs = 2000;
// Long enough for a reply that was going to come from the same event-loop
// pass, short enough to keep the suite quick.
constexpr int kSilenceWaitMs = 200;

struct Received {
  QString source;
  quint16 sourcePort = 0;
  QByteArray bytes;
};

class Client {
 public:
  Client() {
    EXPECT_TRUE(socket_.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    // Group requests leave through lo and nowhere else, and die at the first hop.
    socket_.setMulticastInterface(QNetworkInterface::interfaceFromName(QStringLiteral("lo")));
    socket_.setSocketOption(QAbstractSocket::MulticastTtlOption, 1);
    socket_.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 1);
  }

  void identityRead(const QHostAddress& to, quint16 port, const MacAddress& station, std::uint16_t transactionNo) {
    PacketHeader h;
    h.command = CmdRead;
    h.requestNo = transactionNo;
    h.transactionNo = transactionNo;
    h.length = kIdentitySize;
    h.stationMac = station;
    QByteArray bytes(static_cast<qsizetype>(kHeaderSize), '\0');
    h.encode(reinterpret_cast<std::uint8_t*>(bytes.data()));
    ASSERT_EQ(socket_.writeDatagram(bytes, to, port), bytes.size());
  }

  void readRequest(const QHostAddress& to, quint16 port, std::uint32_t address, std::uint16_t length,
                   std::uint16_t transactionNo) {
    PacketHeader h;
    h.command = CmdRead;
    h.requestNo = transactionNo;
    h.transactionNo = transactionNo;
    h.address = address;
    h.length = length;
    QByteArray bytes(static_cast<qsizetype>(kHeaderSize), '\0');
    h.encode(reinterpret_cast<std::uint8_t*>(bytes.data()));
    ASSERT_EQ(socket_.writeDatagram(bytes, to, port), bytes.size());
  }

  // Everything that arrives until `count` datagrams are in or the wait is over.
  std::vector<Received> collect(std::size_t count, int waitMs) {
    std::vector<Received> got;
    (void)QTest::qWaitFor(
        [&] {
          while (socket_.hasPendingDatagrams()) {
            QNetworkDatagram d = socket_.receiveDatagram();
            got.push_back({d.senderAddress().toString(), static_cast<quint16>(d.senderPort()), d.data()});
          }
          return got.size() >= count;
        },
        waitMs);
    return got;
  }

 private:
  QUdpSocket socket_;
};

class SimServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "unitsim_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) app_ = new QCoreApplication(argc, argv);
  }

  void startServer(SimOptions options) {
    options.port = 0;
    server_ = std::make_unique<SimServer>(std::move(options));
    QString error;
    ASSERT_TRUE(server_->start(&error)) << error.toStdString();
    ASSERT_NE(server_->port(), 0);
  }

  QHostAddress group() const { return QHostAddress(QStringLiteral("239.192.19.99")); }

  // Source address -> the MAC its identity block names.
  std::map<QString, MacAddress> identities(const std::vector<Received>& replies) {
    std::map<QString, MacAddress> out;
    for (const auto& r : replies) {
      std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(r.bytes.constData()),
                                          static_cast<std::size_t>(r.bytes.size()));
      EXPECT_EQ(r.sourcePort, server_->port());
      auto id = identityFromReply(bytes);
      EXPECT_TRUE(id) << r.source.toStdString();
      if (id) out[r.source] = id->macAddress;
    }
    return out;
  }

  static inline QCoreApplication* app_ = nullptr;
  std::unique_ptr<SimServer> server_;
  Client client_;
};

TEST_F(SimServerTest, UnicastReadIsAnsweredByThatUnitFromItsOwnAddress) {
  startServer(SimOptions::withUnits(3));
  client_.identityRead(QHostAddress(QStringLiteral("127.0.0.2")), server_->port(), MacAddress{}, 0x4711);

  auto replies = client_.collect(1, kAnswerWaitMs);
  auto more = client_.collect(2, kSilenceWaitMs);
  replies.insert(replies.end(), more.begin(), more.end());

  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].source, QStringLiteral("127.0.0.2"));
  auto h = PacketHeader::decode(
      std::span(reinterpret_cast<const std::uint8_t*>(replies[0].bytes.constData()), kHeaderSize));
  EXPECT_EQ(h->transactionNo, 0x4711);
  EXPECT_TRUE(h->isReply());
  EXPECT_EQ(identities(replies)[QStringLiteral("127.0.0.2")], server_->unit(0).mac());
}

TEST_F(SimServerTest, GroupReadIsAnsweredByEveryNamedUnit) {
  startServer(SimOptions::withUnits(3));

  client_.identityRead(group(), server_->port(), MacAddress::broadcast(), 1);
  auto all = identities(client_.collect(3, kAnswerWaitMs));
  ASSERT_EQ(all.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(all[QHostAddress(ipv4ToHostOrder(server_->unit(i).ip())).toString()], server_->unit(i).mac());

  client_.identityRead(group(), server_->port(), server_->unit(1).mac(), 2);
  auto replies = client_.collect(1, kAnswerWaitMs);
  auto more = client_.collect(2, kSilenceWaitMs);
  replies.insert(replies.end(), more.begin(), more.end());
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].source, QStringLiteral("127.0.0.3"));
}

TEST_F(SimServerTest, UnitWithFullLossStaysSilent) {
  SimOptions options = SimOptions::withUnits(3);
  options.units[1].loss = 1.0;
  startServer(std::move(options));

  client_.identityRead(group(), server_->port(), MacAddress::broadcast(), 1);
  client_.identityRead(QHostAddress(QStringLiteral("127.0.0.3")), server_->port(), MacAddress{}, 2);
  auto replies = client_.collect(2, kAnswerWaitMs);
  auto more = client_.collect(3, kSilenceWaitMs);
  replies.insert(replies.end(), more.begin(), more.end());

  std::set<QString> sources;
  for (const auto& r : replies) sources.insert(r.source);
  EXPECT_EQ(sources, (std::set<QString>{QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.4")}));
  EXPECT_EQ(replies.size(), 2u);
  EXPECT_EQ(server_->counters().lost, 2u);
}

TEST_F(SimServerTest, UnitOptionsReachEachUnitsMemory) {
  SimOptions options;
  std::string message;
  ASSERT_EQ(parseSimOptions({"--units", "2", "--unit-option", "2:layout=1", "--port", "0"}, options, message),
            ParseOutcome::Run)
      << message;
  startServer(std::move(options));
  ASSERT_EQ(server_->unit(0).layout(), 5);
  ASSERT_EQ(server_->unit(1).layout(), 1);

  struct Case {
    const char* unitAddress;
    std::uint32_t address;
    std::uint16_t length;
    std::uint16_t status;
    std::uint16_t replyLength;
  };
  const Case cases[] = {
      {"127.0.0.2", unit_address::kExtendedInfo, 68, StatusOk, 68},
      {"127.0.0.3", unit_address::kExtendedInfo, 68, StatusEnd, 0},
      {"127.0.0.3", unit_address::kConfigBody, 1422, StatusEnd, 212},
  };
  std::uint16_t transaction = 100;
  for (const auto& c : cases) {
    client_.readRequest(QHostAddress(QString::fromLatin1(c.unitAddress)), server_->port(), c.address, c.length,
                        ++transaction);
    auto replies = client_.collect(1, kAnswerWaitMs);
    ASSERT_EQ(replies.size(), 1u) << c.unitAddress;
    auto h = PacketHeader::decode(std::span(reinterpret_cast<const std::uint8_t*>(replies[0].bytes.constData()),
                                            static_cast<std::size_t>(replies[0].bytes.size())));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->transactionNo, transaction);
    EXPECT_EQ(h->status, c.status) << c.unitAddress << " " << std::hex << c.address;
    EXPECT_EQ(h->length, c.replyLength) << c.unitAddress << " " << std::hex << c.address;
    EXPECT_EQ(static_cast<std::size_t>(replies[0].bytes.size()), kHeaderSize + c.replyLength);
  }
}

}  // namespace
}  // namespace trennic::sim
