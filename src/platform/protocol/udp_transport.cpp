#include "platform/protocol/udp_transport.h"

#include <QNetworkDatagram>
#include <QVariant>
#include <cstring>

#include "core/protocol/packet.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using OptLen = int;
#else
#include <netinet/in.h>
#include <sys/socket.h>
using OptLen = socklen_t;
#endif

namespace trennic::platform {

namespace {

// Enough for a search answered by a thousand units at once; the kernel may
// grant less, which report() tells.
constexpr int kWantedReceiveBuffer = 8 << 20;

in_addr toInAddr(Ipv4 ip) {
  in_addr a{};
  // Ipv4 values already hold the octets in network order in memory.
  std::memcpy(&a.s_addr, &ip, 4);
  return a;
}

}  // namespace

UdpTransport::UdpTransport(QObject* parent) : QObject(parent) {}

UdpTransport::~UdpTransport() { closeSocket(); }

void UdpTransport::buildLocalAddressTable(QStringList* unknownInterfaces) {
  platform::buildLocalAddressTable(host_, interfaces_, unknownInterfaces);
}

void UdpTransport::buildAdapterMacTable() { platform::buildAdapterMacTable(host_); }

quint16 UdpTransport::localPort() const { return socket_ ? socket_->localPort() : 0; }

bool UdpTransport::join(Ipv4 interfaceAddress) {
  ip_mreq m{};
  m.imr_multiaddr = toInAddr(kMulticastGroup);
  m.imr_interface = toInAddr(interfaceAddress);
  int rc = ::setsockopt(static_cast<int>(socket_->socketDescriptor()), IPPROTO_IP, IP_ADD_MEMBERSHIP,
                        reinterpret_cast<const char*>(&m), static_cast<OptLen>(sizeof m));
  ++(rc == 0 ? report_.joins : report_.joinFailures);
  return rc == 0;
}

bool UdpTransport::setMulticastInterface(Ipv4 address) {
  in_addr a = toInAddr(address);
  return ::setsockopt(static_cast<int>(socket_->socketDescriptor()), IPPROTO_IP, IP_MULTICAST_IF,
                      reinterpret_cast<const char*>(&a), static_cast<OptLen>(sizeof a)) == 0;
}

void UdpTransport::growReceiveBuffer() {
  int fd = static_cast<int>(socket_->socketDescriptor());
  int want = kWantedReceiveBuffer;
#ifdef SO_RCVBUFFORCE
  // Past the system's limit where we are allowed to; otherwise up to it.
  if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &want, sizeof want) != 0)
#endif
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&want), static_cast<OptLen>(sizeof want));
  int got = 0;
  OptLen len = sizeof got;
  if (::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&got), &len) == 0) report_.receiveBufferBytes = got;
}

int UdpTransport::openSocket() {
  if (socket_) return 1;
  auto s = std::make_unique<QUdpSocket>();
  if (!s->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) return 0;
  socket_ = std::move(s);
  report_ = {};
  growReceiveBuffer();
  // Units sit on the local network: one hop, and a simulator on this host
  // must hear our own multicast.
  socket_->setSocketOption(QAbstractSocket::MulticastTtlOption, QVariant(1));
  socket_->setSocketOption(QAbstractSocket::MulticastLoopbackOption, QVariant(1));
  if (host_.restricted) {
    for (Ipv4 a : host_.addresses) join(a);
  } else if (host_.addresses.size() < 2) {
    join(0);
  } else {
    for (Ipv4 a : host_.addresses) join(a);
  }
  int one = 1;
  ::setsockopt(static_cast<int>(socket_->socketDescriptor()), SOL_SOCKET, SO_BROADCAST,
               reinterpret_cast<const char*>(&one), static_cast<OptLen>(sizeof one));
  connect(socket_.get(), &QUdpSocket::readyRead, this, &UdpTransport::receiveDatagrams);
  return 1;
}

int UdpTransport::closeSocket() {
  if (!socket_) return 0;
  socket_->disconnect(this);
  socket_->close();
  socket_.reset();
  return 1;
}

bool UdpTransport::sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  if (!socket_) return false;
  const char* data = reinterpret_cast<const char*>(bytes.data());
  auto size = static_cast<qint64>(bytes.size());
  if (ip == kMulticastGroup && (host_.restricted || host_.addresses.size() >= 2)) {
    bool any = false;
    for (Ipv4 a : host_.addresses) {
      // A copy whose interface cannot be chosen would take the system's
      // default route, which a restricted program must never use.
      if (!setMulticastInterface(a)) continue;
      if (socket_->writeDatagram(data, size, QHostAddress(ipv4ToHostOrder(ip)), port) < 0) continue;
      ++copiesSent_;
      any = true;
    }
    return any;
  }
  if (host_.restricted && ip != kMulticastGroup && !host_.onNamedNetworks(ip)) {
    ++refusedSends_;
    return true;
  }
  if (socket_->writeDatagram(data, size, QHostAddress(ipv4ToHostOrder(ip)), port) < 0) return false;
  ++copiesSent_;
  return true;
}

void UdpTransport::receiveDatagrams() {
  // One datagram for each notification: the socket notifies again while
  // more wait. Asking first whether one is pending, and how large, would
  // cost two more system calls on every block of a transfer.
  if (!socket_) return;
  char buf[kMaxDatagram + 1];
  QHostAddress from;
  quint16 port = 0;
  qint64 n = socket_->readDatagram(buf, sizeof buf, &from, &port);
  if (n < 0) return;
  lastSourceIp_ = ipv4FromHostOrder(from.toIPv4Address());
  lastSourcePort_ = port;
  // Larger than we can read whole: lost, as the protocol never sends one.
  if (n == 0 || n > static_cast<qint64>(kMaxDatagram)) return;
  emit datagramReceived(QByteArray(buf, static_cast<qsizetype>(n)), lastSourceIp_, lastSourcePort_);
}

}  // namespace trennic::platform
