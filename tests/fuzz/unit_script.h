#pragma once
// A unit played by the fuzzer: the input is a script of engine ticks,
// replies to the latest request and stray datagrams. A reply starts from
// the header of the request it answers, so that the acceptance rule lets
// most of them through to the sequence, and takes its status, length,
// address and payload from the input.
#include <functional>

#include "core/protocol/engine_link.h"
#include "core/protocol/packet.h"
#include "fuzz/fuzz_support.h"

namespace trennic::fuzz {

constexpr Ipv4 kFuzzUnit = 0x0200007F;  // 127.0.0.2 in network order

class ScriptSink : public DatagramSink {
 public:
  bool sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) override {
    check(bytes.size() >= kHeaderSize && bytes.size() <= kMaxDatagram, "a request fits one datagram");
    if (refusing) return false;
    lastIp = ip;
    lastPort = port;
    last.assign(bytes.begin(), bytes.end());
    ++sent;
    return true;
  }
  bool refusing = false;
  Ipv4 lastIp = 0;
  std::uint16_t lastPort = 0;
  std::vector<std::uint8_t> last;
  std::size_t sent = 0;
};

// Builds the datagram of one scripted reply to the sink's latest request.
inline std::vector<std::uint8_t> scriptedReply(Input& in, const std::vector<std::uint8_t>& request) {
  PacketHeader h = *PacketHeader::decode(request);
  const std::uint16_t asked = h.command == CmdRead ? h.length : 0;
  h.command = static_cast<std::uint8_t>(h.command | kReplyBit);
  const std::uint8_t st = in.byte();
  h.status = st < 0xC0 ? StatusOk : st < 0xE0 ? StatusEnd : static_cast<std::uint16_t>(st & 7);
  std::size_t payload = asked;
  const std::uint8_t shape = in.byte();
  if (shape >= 0xC0) {
    // A reply of another size than asked, with a length word that may lie.
    payload = in.u16() % (kMaxPayload + 1);
    h.length = shape >= 0xF0 ? in.u16() : static_cast<std::uint16_t>(payload);
  }
  // Otherwise a read is answered in full and a write or reboot acknowledged
  // in full: the request's own length stays.
  if (in.byte() >= 0xE0) h.address = in.u32();
  if (in.byte() >= 0xF0) h.transactionNo = in.u16();
  h.stationMac = MacAddress{};
  h.password = {};
  std::vector<std::uint8_t> bytes(kHeaderSize + payload, 0);
  h.encode(bytes.data());
  auto body = in.take(payload);
  std::copy(body.begin(), body.end(), bytes.begin() + kHeaderSize);
  return bytes;
}

// Plays the script to its end. `other` is called with a byte for the
// target's own actions (cancel, stop, the window's timer, ...).
inline void playScript(Input& in, EngineLink& link, ScriptSink& sink, const std::function<void(std::uint8_t)>& other) {
  while (!in.empty()) {
    const std::uint8_t op = in.byte();
    if (op < 0x50) {
      link.tick();
    } else if (op < 0xE0) {
      if (sink.last.empty()) continue;
      auto reply = scriptedReply(in, sink.last);
      const Ipv4 from = in.byte() >= 0xF8 ? kFuzzUnit + 0x01000000 : (sink.lastIp == kMulticastGroup ? kFuzzUnit : sink.lastIp);
      link.receive(reply, from, sink.lastPort);
    } else if (op < 0xF0) {
      auto raw = in.take(in.u16() % (kMaxDatagram + 1));
      link.receive(raw, kFuzzUnit, link.unitPort());
    } else if (op < 0xF4) {
      sink.refusing = !sink.refusing;
    } else {
      other(in.byte());
    }
  }
  sink.refusing = false;
}

}  // namespace trennic::fuzz
