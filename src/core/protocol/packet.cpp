#include "core/protocol/packet.h"

#include <algorithm>
#include <cstring>

namespace trennic {

std::uint16_t readLe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t readLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void writeLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void writeLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

PasswordField makePasswordField(std::string_view password) {
  PasswordField f{};
  std::size_t n = std::min(password.size(), kMaxPasswordChars);
  // The password ends at its first NUL, as a C string would.
  std::size_t nul = password.find('\0');
  if (nul != std::string_view::npos) n = std::min(n, nul);
  std::memcpy(f.data(), password.data(), n);
  return f;
}

void PacketHeader::encode(std::uint8_t* out) const {
  writeLe16(out + 0, magic);
  out[2] = version;
  out[3] = command;
  writeLe16(out + 4, requestNo);
  writeLe16(out + 6, transactionNo);
  writeLe32(out + 8, address);
  writeLe16(out + 12, length);
  writeLe16(out + 14, status);
  std::memcpy(out + 16, password.data(), 8);
  std::memcpy(out + 24, stationMac.bytes.data(), 6);
  std::memcpy(out + 30, reserved.data(), 6);
}

std::optional<PacketHeader> PacketHeader::decode(std::span<const std::uint8_t> b) {
  if (b.size() < kHeaderSize) return std::nullopt;
  PacketHeader h;
  const std::uint8_t* p = b.data();
  h.magic = readLe16(p);
  h.version = p[2];
  h.command = p[3];
  h.requestNo = readLe16(p + 4);
  h.transactionNo = readLe16(p + 6);
  h.address = readLe32(p + 8);
  h.length = readLe16(p + 12);
  h.status = readLe16(p + 14);
  std::memcpy(h.password.data(), p + 16, 8);
  std::memcpy(h.stationMac.bytes.data(), p + 24, 6);
  std::memcpy(h.reserved.data(), p + 30, 6);
  return h;
}

std::vector<std::uint8_t> RequestBuilder::build(std::uint8_t command, std::uint32_t address, std::uint16_t length,
                                                std::span<const std::uint8_t> payload,
                                                const PasswordField& password, const MacAddress& stationMac) {
  std::size_t n = std::min(payload.size(), kMaxPayload);
  std::vector<std::uint8_t> out(kHeaderSize + n);
  ++requestNo_;
  ++transactionNo_;
  PacketHeader h;
  h.command = command;
  h.requestNo = requestNo_;
  h.transactionNo = transactionNo_;
  h.address = address;
  h.length = length;
  h.status = 0;
  h.password = password;
  // Only the string and its NUL count; whatever follows in the caller's
  // field is never sent, and a password never runs past six characters, so
  // bytes 22 and 23 are always zero.
  auto end = std::find(h.password.begin(), h.password.begin() + kMaxPasswordChars, 0);
  std::fill(end, h.password.end(), 0);
  h.stationMac = stationMac;
  h.encode(out.data());
  if (n) std::memcpy(out.data() + kHeaderSize, payload.data(), n);
  return out;
}

bool adapterMacMatches(const MacAddress& entry, const MacAddress& mac) {
  if (entry.bytes[0] & 0x02) {
    if ((entry.bytes[0] & ~0x02) != (mac.bytes[0] & ~0x02)) return false;
    return std::equal(entry.bytes.begin() + 1, entry.bytes.end(), mac.bytes.begin() + 1);
  }
  return entry == mac;
}

bool acceptReply(std::span<const std::uint8_t> datagram, Ipv4 sourceIp, const AcceptanceContext& ctx) {
  if (datagram.size() < kHeaderSize) return false;
  auto h = PacketHeader::decode(datagram);
  if (!h->isReply()) return false;
  if (h->transactionNo != ctx.transactionNo) return false;
  const MacAddress& mac = h->stationMac;
  if (mac.isZero()) {
    return sourceIp == 0 || ctx.lastDestination == kMulticastGroup || sourceIp == ctx.lastDestination;
  }
  if (mac.isBroadcast()) return false;
  for (const auto& own : ctx.adapterMacs)
    if (adapterMacMatches(own, mac)) return true;
  return false;
}

}  // namespace trennic
