#include "unitsim/sim_server.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTimer>
#include <QUdpSocket>

#include <span>

namespace trennic::sim {

namespace {

// A port picked by the system for the first unit may already be taken on
// another unit's address; a few fresh picks settle that.
constexpr int kAutoPortAttempts = 8;

QHostAddress toQt(Ipv4 ip) { return QHostAddress(ipv4ToHostOrder(ip)); }

// Nothing the simulator sends may leave the machine.
bool isLoopback(const QHostAddress& a) {
  bool ok = false;
  quint32 v = a.toIPv4Address(&ok);
  return ok && (v >> 24) == 127;
}

std::span<const std::uint8_t> bytesOf(const QByteArray& a) {
  return {reinterpret_cast<const std::uint8_t*>(a.constData()), static_cast<std::size_t>(a.size())};
}

}  // namespace

SimServer::SimServer(SimOptions options, QObject* parent) : QObject(parent), options_(std::move(options)) {
  units_.reserve(options_.units.size());
  for (const auto& described : options_.units) {
    Hosted h{SimUnit(described.settings), described.loss, toQt(described.settings.ip), nullptr};
    for (const auto& [address, status] : options_.forcedStatus) h.model.forceStatus(address, status);
    units_.push_back(std::move(h));
  }
  if (options_.seed) {
    faultSeed_ = *options_.seed;
  } else {
    std::random_device rd;
    faultSeed_ = (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
  }
}

SimServer::~SimServer() { stop(); }

bool SimServer::start(QString* error) {
  if (running_) return true;
  if (units_.empty()) {
    if (error) *error = QStringLiteral("no units to host");
    return false;
  }
  int attempts = options_.port == 0 ? kAutoPortAttempts : 1;
  for (int i = 0; i < attempts; ++i) {
    bool portTaken = false;
    if (bindAll(options_.port, error, &portTaken)) {
      running_ = true;
      return true;
    }
    if (!portTaken) break;
  }
  return false;
}

// One datagram for each notification, read at once: asking first whether
// one is pending and how large costs two more system calls on every block a
// unit answers.
void SimServer::watch(QUdpSocket* socket, std::function<void()> onReadable) {
  connect(socket, &QUdpSocket::readyRead, this, std::move(onReadable));
}

bool SimServer::take(QUdpSocket* socket, Incoming& out) {
  char buf[2048];
  qint64 n = socket->readDatagram(buf, sizeof buf, &out.from, &out.port);
  if (n < 0) return false;
  out.data = QByteArray(buf, static_cast<qsizetype>(n));
  return true;
}

bool SimServer::bindAll(quint16 port, QString* error, bool* portTaken) {
  auto fail = [&](const QString& what, QUdpSocket* s) {
    if (error) *error = what + QStringLiteral(": ") + s->errorString();
    *portTaken = s->error() == QAbstractSocket::AddressInUseError;
    stop();
    return false;
  };

  for (std::size_t i = 0; i < units_.size(); ++i) {
    auto& h = units_[i];
    h.socket = new QUdpSocket(this);
    // No address sharing: a second simulator on the same port must fail
    // loudly instead of splitting the requests with the first.
    if (!h.socket->bind(h.address, port, QAbstractSocket::DontShareAddress))
      return fail(QStringLiteral("cannot bind %1:%2").arg(h.address.toString()).arg(port), h.socket);
    if (port == 0) port = h.socket->localPort();
    watch(h.socket, [this, i] { readUnicast(i); });
  }

  const QHostAddress groupAddress = toQt(kMulticastGroup);
  group_ = new QUdpSocket(this);
  if (!group_->bind(groupAddress, port, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
    return fail(QStringLiteral("cannot bind %1:%2").arg(groupAddress.toString()).arg(port), group_);
  // Only lo: the group must never be joined on a real network. Qt calls lo
  // not multicast-capable, yet joining and looping datagrams on it works.
  QNetworkInterface lo = QNetworkInterface::interfaceFromName(QStringLiteral("lo"));
  if (!lo.isValid()) {
    if (error) *error = QStringLiteral("cannot join %1: no loopback interface lo").arg(groupAddress.toString());
    *portTaken = false;
    stop();
    return false;
  }
  if (!group_->joinMulticastGroup(groupAddress, lo))
    return fail(QStringLiteral("cannot join %1 on lo").arg(groupAddress.toString()), group_);
  watch(group_, [this] { readGroup(); });

  port_ = port;
  return true;
}

void SimServer::stop() {
  for (auto& h : units_) {
    delete h.socket;
    h.socket = nullptr;
  }
  delete group_;
  group_ = nullptr;
  running_ = false;
}

double SimServer::draw(std::size_t index, const PacketHeader& request, std::uint32_t tries,
                       std::uint64_t purpose) const {
  auto mix = [](std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  };
  std::uint64_t h = mix(faultSeed_ ^ mix(purpose));
  h = mix(h ^ index);
  h = mix(h ^ (static_cast<std::uint64_t>(request.transactionNo) << 32 | request.address));
  h = mix(h ^ (static_cast<std::uint64_t>(request.command) << 32 | tries));
  return static_cast<double>(h >> 11) / 9007199254740992.0;  // [0, 1)
}

void SimServer::readUnicast(std::size_t index) {
  Incoming d;
  if (!units_[index].socket || !take(units_[index].socket, d)) return;
  ++counters_.received;
  if (!isLoopback(d.from) || options_.unicastSilent) {
    ++counters_.foreign;
    return;
  }
  offer(index, d.data, Route::Unicast, d.from, d.port);
}

void SimServer::readGroup() {
  Incoming d;
  if (!group_ || !take(group_, d)) return;
  ++counters_.received;
  if (!isLoopback(d.from)) {
    ++counters_.foreign;
    return;
  }
  const QByteArray& data = d.data;
  auto header = PacketHeader::decode(bytesOf(data));
  if (!header) return;
  for (std::size_t i = 0; i < units_.size(); ++i) {
    // Units not named stay out of it, so they draw no loss dice and a
    // seeded run does not depend on how many bystanders there are.
    if (!units_[i].model.addressedBy(header->stationMac)) continue;
    offer(i, data, Route::Group, d.from, d.port);
  }
}

void SimServer::offer(std::size_t index, const QByteArray& datagram, Route route, const QHostAddress& to,
                      quint16 toPort) {
  Hosted& h = units_[index];
  auto request = PacketHeader::decode(bytesOf(datagram));
  if (!request) return;
  if (request->transactionNo == h.lastTransaction && request->address == h.lastAddress && h.tries > 0) {
    ++h.tries;
  } else {
    h.lastTransaction = request->transactionNo;
    h.lastAddress = request->address;
    h.tries = 1;
  }
  double loss = h.loss.value_or(options_.loss);
  bool runExhausted = options_.maxLossRun > 0 && h.tries > static_cast<std::uint32_t>(options_.maxLossRun);
  if (loss > 0 && !runExhausted && draw(index, *request, h.tries, 1) < loss) {
    ++counters_.lost;
    return;
  }
  bool wasRebooting = h.model.rebooting();
  auto reply = h.model.handle(bytesOf(datagram), route);
  if (!wasRebooting && h.model.rebooting()) {
    // The model only knows it is rebooting; how long that lasts is time,
    // which is ours to keep.
    if (options_.rebootSilenceMs <= 0)
      h.model.finishReboot();
    else
      QTimer::singleShot(options_.rebootSilenceMs, this, [this, index] { units_[index].model.finishReboot(); });
  }
  if (!reply) return;

  QByteArray bytes(reinterpret_cast<const char*>(reply->data()), static_cast<qsizetype>(reply->size()));
  int copies = options_.duplicate > 0 && draw(index, *request, h.tries, 2) < options_.duplicate ? 2 : 1;
  int delay = options_.delayMs;
  if (options_.jitterMs > 0)
    delay += static_cast<int>(draw(index, *request, h.tries, 3) * (options_.jitterMs + 1));

  auto deliver = [this, index, bytes, to, toPort, copies] {
    for (int c = 0; c < copies; ++c) {
      send(index, bytes, to, toPort);
      if (c > 0) ++counters_.duplicates;
    }
  };
  if (delay <= 0)
    deliver();
  else
    QTimer::singleShot(delay, this, deliver);
}

void SimServer::send(std::size_t index, const QByteArray& reply, const QHostAddress& to, quint16 toPort) {
  QUdpSocket* s = units_[index].socket;
  if (!running_ || !s || !isLoopback(to)) return;
  // From the unit's own socket, so the reply's source is the unit's address
  // even when the request came through the group.
  s->writeDatagram(reply, to, toPort);
  ++counters_.replies;
  emit replySent(static_cast<int>(index));
}

}  // namespace trennic::sim
