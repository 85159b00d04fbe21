#pragma once
// The engine as the main window (or the command line) owns it: the socket,
// the local tables, the core engine link and the 1000 ms engine tick.
#include <QObject>
#include <QStringList>
#include <QTimer>

#include "core/protocol/engine_link.h"
#include "platform/protocol/udp_transport.h"

namespace trennic::platform {

class EngineRuntime : public QObject, public DatagramSink {
  Q_OBJECT
 public:
  explicit EngineRuntime(QObject* parent = nullptr);
  ~EngineRuntime() override;

  // Builds the local address and adapter tables for the named interfaces
  // (all when none). Unknown names are returned through unknown.
  void buildTables(const QStringList& interfaces, QStringList* unknown = nullptr);
  // Starts the engine tick and opens the socket; false when no socket
  // could be opened.
  bool open();
  void close();

  EngineLink& link() { return link_; }
  UdpTransport& transport() { return transport_; }

  bool sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) override;

  static constexpr int kTickMilliseconds = 1000;
  // Engine ticks delivered since the runtime was made.
  std::uint64_t ticks() const { return ticks_; }

 private:
  UdpTransport transport_;
  EngineLink link_;
  QTimer timer_;
  std::uint64_t ticks_ = 0;
};

// The port units listen on: 20487, or TRENNIC_UNIT_PORT for tests that run
// simulated units on a port of their own.
std::uint16_t unitPortFromEnvironment(std::uint16_t fallback = kUnitPort);

// The engine tick: one second. End-to-end tests that push thousands of
// blocks through a lossy simulated link shorten it with TRENNIC_TICK_MS, so
// that a retransmission after five ticks does not cost five seconds.
int tickMillisecondsFromEnvironment();

}  // namespace trennic::platform
