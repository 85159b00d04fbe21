#include "platform/protocol/engine_runtime.h"

namespace trennic::platform {

EngineRuntime::EngineRuntime(QObject* parent) : QObject(parent), link_(*this) {
  timer_.setInterval(tickMillisecondsFromEnvironment());
  connect(&timer_, &QTimer::timeout, this, [this] {
    ++ticks_;
    link_.tick();
  });
  connect(&transport_, &UdpTransport::datagramReceived, this,
          [this](const QByteArray& bytes, Ipv4 source, quint16 port) {
            link_.receive(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                        static_cast<std::size_t>(bytes.size())),
                          source, port);
          });
  link_.setUnitPort(unitPortFromEnvironment());
}

EngineRuntime::~EngineRuntime() { close(); }

void EngineRuntime::buildTables(const QStringList& interfaces, QStringList* unknown) {
  transport_.setInterfaces(interfaces);
  transport_.buildLocalAddressTable(unknown);
  transport_.buildAdapterMacTable();
  link_.setAdapterMacs(transport_.localHost().adapterMacs);
}

bool EngineRuntime::open() {
  link_.reset();
  timer_.start();
  return transport_.openSocket() == 1;
}

void EngineRuntime::close() {
  transport_.closeSocket();
  timer_.stop();
}

bool EngineRuntime::sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  return transport_.sendDatagram(ip, port, bytes);
}

int tickMillisecondsFromEnvironment() {
  bool ok = false;
  int ms = qEnvironmentVariable("TRENNIC_TICK_MS").toInt(&ok);
  return ok && ms >= 1 && ms <= 60000 ? ms : EngineRuntime::kTickMilliseconds;
}

std::uint16_t unitPortFromEnvironment(std::uint16_t fallback) {
  bool ok = false;
  uint port = qEnvironmentVariable("TRENNIC_UNIT_PORT").toUInt(&ok);
  return ok && port > 0 && port < 65536 ? static_cast<std::uint16_t>(port) : fallback;
}

}  // namespace trennic::platform
