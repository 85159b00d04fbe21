#pragma once
// The program's single UDP socket: ephemeral port, multicast joins, one copy
// of each multicast request per local interface, and every datagram read
// handed on with its source.
#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QUdpSocket>
#include <cstdint>
#include <memory>
#include <span>

#include "core/protocol/addresses.h"
#include "platform/protocol/local_host.h"

namespace trennic::platform {

// What the socket was able to set up, for the debug log and the README's
// claims about the receive buffer.
struct SocketReport {
  int joins = 0;
  int joinFailures = 0;
  int receiveBufferBytes = 0;
};

class UdpTransport : public QObject {
  Q_OBJECT
 public:
  explicit UdpTransport(QObject* parent = nullptr);
  ~UdpTransport() override;

  // Interfaces the administrator restricted the program to; empty for all.
  void setInterfaces(const QStringList& names) { interfaces_ = names; }
  const QStringList& interfaces() const { return interfaces_; }

  void buildLocalAddressTable(QStringList* unknownInterfaces = nullptr);
  void buildAdapterMacTable();
  const LocalHost& localHost() const { return host_; }
  LocalHost& localHost() { return host_; }

  // 1 on success, 0 when no socket could be opened.
  int openSocket();
  // 0 when no socket was open, else 1.
  int closeSocket();
  bool isOpen() const { return socket_ != nullptr; }
  quint16 localPort() const;
  const SocketReport& report() const { return report_; }

  // Sends one datagram; false when the socket took none of it (through the
  // group: no copy at all), so a request that never left is not waited
  // for. Through the group it goes once per local address when there are
  // several, or when interfaces were named. A unicast withheld from the
  // named interfaces' networks counts as sent: the unit may still be
  // reached through the group, which the engine tries after the silence.
  bool sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes);

  Ipv4 lastSourceIp() const { return lastSourceIp_; }
  std::uint16_t lastSourcePort() const { return lastSourcePort_; }
  // Copies that actually left (one per interface for the group); the
  // engine counts requests, this counts datagrams.
  std::uint32_t copiesSent() const { return copiesSent_; }
  // Unicasts refused because they would leave the named interfaces.
  std::uint32_t refusedSends() const { return refusedSends_; }

 signals:
  // One datagram read from the socket (never empty), with its sender.
  void datagramReceived(const QByteArray& bytes, trennic::Ipv4 source, quint16 sourcePort);

 private:
  void receiveDatagrams();
  bool setMulticastInterface(Ipv4 address);
  bool join(Ipv4 interfaceAddress);
  void growReceiveBuffer();

  QStringList interfaces_;
  LocalHost host_;
  std::unique_ptr<QUdpSocket> socket_;
  SocketReport report_;
  std::uint32_t copiesSent_ = 0;
  std::uint32_t refusedSends_ = 0;
  Ipv4 lastSourceIp_ = 0;
  std::uint16_t lastSourcePort_ = 0;
};

}  // namespace trennic::platform
