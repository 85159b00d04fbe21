#pragma once
// The thin Qt layer around the unit models: one UDP socket per unit on the
// unit's own loopback address, one socket on the multicast group joined on
// lo, and the network faults (loss, delay, jitter, duplicates) the options
// ask for. What a unit answers is decided by SimUnit alone.
#include <QHostAddress>
#include <QObject>
#include <functional>
#include <QString>

#include <cstddef>
#include <optional>
#include <random>
#include <vector>

#include "unitsim/sim_options.h"
#include "unitsim/unit_model.h"

class QUdpSocket;

namespace trennic::sim {

class SimServer : public QObject {
  Q_OBJECT

 public:
  struct Counters {
    quint64 received = 0;    // datagrams read from any socket
    quint64 foreign = 0;     // from outside 127.0.0.0/8, or unicast while unicast-silent
    quint64 lost = 0;        // requests a unit ignored because of the loss setting
    quint64 replies = 0;     // reply datagrams sent, duplicates included
    quint64 duplicates = 0;  // extra copies among them
  };

  explicit SimServer(SimOptions options, QObject* parent = nullptr);
  ~SimServer() override;

  // Binds every socket; false with a one-line reason when any bind or the
  // group join fails, in which case nothing stays bound.
  bool start(QString* error);
  void stop();
  bool isRunning() const { return running_; }
  quint16 port() const { return port_; }

  std::size_t unitCount() const { return units_.size(); }
  SimUnit& unit(std::size_t index) { return units_[index].model; }
  const SimUnit& unit(std::size_t index) const { return units_[index].model; }
  const SimOptions& options() const { return options_; }
  const Counters& counters() const { return counters_; }

  // Nothing: the unit follows the global loss setting again.
  void setUnitLoss(std::size_t index, std::optional<double> loss) { units_[index].loss = loss; }

 signals:
  // After each reply datagram has gone out, duplicates included.
  void replySent(int unitIndex);

 private:
  struct Hosted {
    SimUnit model;
    std::optional<double> loss;
    QHostAddress address;
    QUdpSocket* socket = nullptr;
    // The request seen last and how often: the faults of a retransmission
    // are drawn for its own try, not for the time it happened to arrive.
    std::uint16_t lastTransaction = 0;
    std::uint32_t lastAddress = 0;
    std::uint32_t tries = 0;
  };

  struct Incoming {
    QByteArray data;
    QHostAddress from;
    quint16 port = 0;
  };
  void watch(QUdpSocket* socket, std::function<void()> onReadable);
  static bool take(QUdpSocket* socket, Incoming& out);
  bool bindAll(quint16 port, QString* error, bool* portTaken);
  void readUnicast(std::size_t index);
  void readGroup();
  void offer(std::size_t index, const QByteArray& datagram, Route route, const QHostAddress& to, quint16 toPort);
  void send(std::size_t index, const QByteArray& reply, const QHostAddress& to, quint16 toPort);
  // A fault decision for one try of one request at one unit: with a seed,
  // the same run of requests meets the same faults however the replies and
  // retransmissions interleave in time.
  double draw(std::size_t index, const PacketHeader& request, std::uint32_t tries, std::uint64_t purpose) const;

  SimOptions options_;
  std::vector<Hosted> units_;
  QUdpSocket* group_ = nullptr;
  quint16 port_ = 0;
  bool running_ = false;
  std::uint64_t faultSeed_ = 0;
  Counters counters_;
};

}  // namespace trennic::sim
