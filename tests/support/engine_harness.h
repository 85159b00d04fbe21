#pragma once
// The engine with everything outside it replaced by recorders: requests are
// captured instead of sent, the window is a list of what it was told, and
// the test plays the unit by answering the latest request.
#include <optional>
#include <vector>

#include "core/protocol/engine_link.h"
#include "core/protocol/operation_driver.h"
#include "core/protocol/packet.h"
#include "core/protocol/unit_identity.h"

namespace trennic::testing {

struct SentDatagram {
  Ipv4 ip;
  std::uint16_t port;
  std::vector<std::uint8_t> bytes;
  PacketHeader header() const { return *PacketHeader::decode(bytes); }
  std::span<const std::uint8_t> payload() const { return std::span(bytes).subspan(kHeaderSize); }
};

class RecordingSink : public DatagramSink {
 public:
  // While refusing, the sink says no as a socket does that cannot send, and
  // the datagram is not recorded: it never left.
  bool sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) override {
    if (refusing) {
      ++refused;
      return false;
    }
    sent.push_back({ip, port, {bytes.begin(), bytes.end()}});
    return true;
  }
  std::vector<SentDatagram> sent;
  bool refusing = false;
  int refused = 0;
};

class RecordingHost : public DriverHost {
 public:
  void progress(int percent) override { progressShown.push_back(percent); }
  void showResult(int result) override { messages.push_back(result); }
  void finished(bool success) override { outcome = success; }
  void unitAnswered(const UnitIdentity& id) override { answered.push_back(id); }
  void restarting(Ipv4 alternate) override { restartedOn.push_back(alternate); }

  std::vector<int> progressShown;
  std::vector<int> messages;
  std::optional<bool> outcome;
  std::vector<UnitIdentity> answered;
  std::vector<Ipv4> restartedOn;
};

class EngineHarness {
 public:
  EngineHarness() : link(sink), driver(link, host) {}

  void run(const OperationArgs& args, const OperationContext& context = {}) {
    driver.open(args, context);
    driver.start();
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) link.tick();
  }
  const SentDatagram& last() const { return sink.sent.back(); }
  std::size_t sentCount() const { return sink.sent.size(); }

  // The unit's answer to the latest request, from the address it was sent
  // to (a unit answering the group answers from its own address).
  void answer(std::uint16_t status, std::span<const std::uint8_t> payload = {}, std::optional<std::uint16_t> length = {},
              std::optional<std::uint32_t> address = {}, Ipv4 source = 0) {
    PacketHeader h = last().header();
    h.command = static_cast<std::uint8_t>(h.command | kReplyBit);
    h.status = status;
    h.length = length ? *length : static_cast<std::uint16_t>(payload.size());
    if (address) h.address = *address;
    h.stationMac = MacAddress{};
    h.password = {};
    std::vector<std::uint8_t> bytes(kHeaderSize + payload.size());
    h.encode(bytes.data());
    std::copy(payload.begin(), payload.end(), bytes.begin() + kHeaderSize);
    link.receive(bytes, source ? source : last().ip, 20487);
  }
  // A write or reboot acknowledged in full.
  void ack(std::uint16_t status = StatusOk) { answer(status, {}, last().header().length); }

  RecordingSink sink;
  EngineLink link;
  RecordingHost host;
  OperationDriver driver;
};

inline OperationArgs unicastTo(int op, Ipv4 ip, Ipv4 alternate) {
  OperationArgs a;
  a.operation = op;
  a.primary = ip;
  a.alternate = alternate;
  a.unitMac = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}};
  return a;
}

}  // namespace trennic::testing
