#include "core/protocol/engine_link.h"

namespace trennic {

void EngineLink::reset() {
  builder_.reset();
  sentCount_ = receivedCount_ = 0;
  lastDestination_ = 0;
  claimKind_ = ClaimKind::None;
  client_ = nullptr;
  inTick_ = false;
}

std::vector<std::uint8_t> EngineLink::sendRequest(Ipv4 destination, std::uint8_t command, std::uint32_t address,
                                                  std::uint16_t length, std::span<const std::uint8_t> payload,
                                                  const PasswordField& password, const MacAddress& unitMac,
                                                  bool* sent) {
  std::vector<std::uint8_t> bytes = builder_.build(command, address, length, payload, password,
                                                   RequestBuilder::stationMacFor(destination, unitMac));
  const bool left = send(DumpKind::Transmit, destination, bytes);
  if (sent) *sent = left;
  return bytes;
}

bool EngineLink::retransmit(Ipv4 destination, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return false;
  return send(DumpKind::Retransmit, destination, bytes);
}

bool EngineLink::send(DumpKind kind, Ipv4 destination, std::span<const std::uint8_t> bytes) {
  if (bytes.size() > 3 && (bytes[3] & kReplyBit) == 0) lastDestination_ = destination;
  if (observer_) observer_->traffic(kind, sentCount_ + 1, destination, unitPort_, bytes);
  ++sentCount_;
  return sink_.sendDatagram(destination, unitPort_, bytes);
}

void EngineLink::claim(ClaimKind kind, EngineClient* client) {
  claimKind_ = client ? kind : ClaimKind::None;
  client_ = client;
  inTick_ = false;
}

void EngineLink::release() {
  claimKind_ = ClaimKind::None;
  client_ = nullptr;
  inTick_ = false;
}

void EngineLink::receive(std::span<const std::uint8_t> datagram, Ipv4 source, std::uint16_t sourcePort) {
  if (datagram.empty()) return;
  if (observer_) observer_->traffic(DumpKind::Receive, receivedCount_ + 1, source, sourcePort, datagram);
  ++receivedCount_;
  AcceptanceContext ctx{builder_.transactionNo(), lastDestination_, adapterMacs_};
  if (!acceptReply(datagram, source, ctx)) return;
  if (client_) client_->onReply(datagram);
}

void EngineLink::tick() {
  if (inTick_ || !client_) return;
  inTick_ = true;
  EngineClient* client = client_;
  client->onTick();
  inTick_ = false;
}

}  // namespace trennic
