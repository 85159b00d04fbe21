#pragma once
// Requests as the program sends them and the parts of a reply, for driving a
// SimUnit by hand.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/protocol/packet.h"
#include "unitsim/unit_model.h"

namespace trennic::sim::testing {

using Bytes = std::vector<std::uint8_t>;

struct Req {
  std::uint8_t command = CmdRead;
  std::uint32_t address = 0;
  std::uint16_t length = 0;
  Bytes payload;
  std::string password;
  MacAddress station{};
  std::uint16_t requestNo = 0x0102;
  std::uint16_t transactionNo = 0xBEEF;
};

inline Bytes encode(const Req& r) {
  PacketHeader h;
  h.command = r.command;
  h.requestNo = r.requestNo;
  h.transactionNo = r.transactionNo;
  h.address = r.address;
  h.length = r.length;
  h.password = makePasswordField(r.password);
  h.stationMac = r.station;
  Bytes out(kHeaderSize);
  h.encode(out.data());
  out.insert(out.end(), r.payload.begin(), r.payload.end());
  return out;
}

inline Req read(std::uint32_t address, std::uint16_t length, std::string password = "") {
  return Req{CmdRead, address, length, {}, std::move(password)};
}
inline Req write(std::uint32_t address, Bytes payload, std::string password = "") {
  auto n = static_cast<std::uint16_t>(payload.size());
  return Req{CmdWrite, address, n, std::move(payload), std::move(password)};
}
inline Req reboot(std::string password = "") { return Req{CmdReboot, 0, 0, {}, std::move(password)}; }

inline PacketHeader headerOf(const Bytes& reply) { return *PacketHeader::decode(reply); }
inline Bytes payloadOf(const Bytes& reply) { return Bytes(reply.begin() + kHeaderSize, reply.end()); }
inline std::uint16_t statusOf(SimUnit& unit, const Req& r) { return headerOf(*unit.handle(encode(r))).status; }

// A reply taken apart; a silent unit gives status 0xFFFF.
struct Answer {
  std::uint32_t address = 0;
  std::uint16_t status = 0xFFFF;
  std::uint16_t length = 0;
  Bytes payload;
};

inline Answer ask(SimUnit& unit, const Req& r) {
  auto reply = unit.handle(encode(r));
  if (!reply) return {};
  PacketHeader h = headerOf(*reply);
  return {h.address, h.status, h.length, payloadOf(*reply)};
}

}  // namespace trennic::sim::testing
