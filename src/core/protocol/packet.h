#pragma once
// The datagram every exchange with a unit is made of: a 36-byte header and an
// optional payload. All header integers are little-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/protocol/addresses.h"

namespace trennic {

enum Command : std::uint8_t {
  CmdRead = 1,
  CmdWrite = 2,
  CmdReboot = 5,
};
constexpr std::uint8_t kReplyBit = 0x80;

enum Status : std::uint16_t {
  StatusOk = 0,
  StatusDenied = 1,
  StatusEnd = 2,
};

constexpr std::uint16_t kPacketMagic = 0x5653;
constexpr std::uint8_t kPacketVersion = 1;
constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kMaxPayload = 1422;
constexpr std::size_t kMaxDatagram = 1500;
constexpr std::size_t kPasswordField = 8;
constexpr std::size_t kMaxPasswordChars = 6;

// Unit memory map: the addresses the program reads and writes.
namespace unit_address {
constexpr std::uint32_t kIdentity = 0x00000000;
constexpr std::uint32_t kPassword = 0x00001000;
constexpr std::uint32_t kConfigHeader = 0x00001010;
constexpr std::uint32_t kConfigBody = 0x00100000;
constexpr std::uint32_t kSystemInfo = 0x00120000;
constexpr std::uint32_t kSystemInfo2 = 0x00120100;
constexpr std::uint32_t kClearMask = 0x00120200;
constexpr std::uint32_t kStatusRecord = 0x00121000;
constexpr std::uint32_t kExtendedInfo = 0x00122000;
constexpr std::uint32_t kCardInfo = 0x001D0000;
constexpr std::uint32_t kCardFirmware = 0x001E0000;
constexpr std::uint32_t kFirmware = 0xFFE00000;
constexpr std::uint32_t kFirmwareSize = 0x80000;
constexpr std::uint32_t kLoader = 0xFFD00000;
constexpr std::uint32_t kLoaderSize = 0x20000;
}  // namespace unit_address

using PasswordField = std::array<std::uint8_t, kPasswordField>;

// The eight-byte header form of a password: at most six characters, NUL
// terminated and NUL padded. Longer input is cut to six characters.
PasswordField makePasswordField(std::string_view password);

struct PacketHeader {
  std::uint16_t magic = kPacketMagic;
  std::uint8_t version = kPacketVersion;
  std::uint8_t command = 0;
  std::uint16_t requestNo = 0;
  std::uint16_t transactionNo = 0;
  std::uint32_t address = 0;
  std::uint16_t length = 0;
  std::uint16_t status = 0;
  PasswordField password{};
  MacAddress stationMac{};
  std::array<std::uint8_t, 6> reserved{};

  bool isReply() const { return (command & kReplyBit) != 0; }

  void encode(std::uint8_t* out) const;  // kHeaderSize bytes
  // Nothing for a datagram shorter than the header.
  static std::optional<PacketHeader> decode(std::span<const std::uint8_t> bytes);
};

std::uint16_t readLe16(const std::uint8_t* p);
std::uint32_t readLe32(const std::uint8_t* p);
void writeLe16(std::uint8_t* p, std::uint16_t v);
void writeLe32(std::uint8_t* p, std::uint32_t v);

// Builds every request the program sends. The two counters start at 0, are
// both raised for each new request and wrap at 65535; a retransmission reuses
// the stored bytes, so it keeps its numbers.
class RequestBuilder {
 public:
  std::vector<std::uint8_t> build(std::uint8_t command, std::uint32_t address, std::uint16_t length,
                                  std::span<const std::uint8_t> payload, const PasswordField& password,
                                  const MacAddress& stationMac);

  // The header for a request to destination: the unit's MAC goes into
  // stationMac only when the request travels through the multicast group.
  static MacAddress stationMacFor(Ipv4 destination, const MacAddress& unit) {
    return destination == kMulticastGroup ? unit : MacAddress{};
  }

  std::uint16_t requestNo() const { return requestNo_; }
  std::uint16_t transactionNo() const { return transactionNo_; }
  void reset() { requestNo_ = transactionNo_ = 0; }
  void setCounters(std::uint16_t requestNo, std::uint16_t transactionNo) {
    requestNo_ = requestNo;
    transactionNo_ = transactionNo;
  }

 private:
  std::uint16_t requestNo_ = 0;
  std::uint16_t transactionNo_ = 0;
};

// What the acceptance rule needs to know about the latest request and the
// local host.
struct AcceptanceContext {
  std::uint16_t transactionNo = 0;  // of the latest new request
  Ipv4 lastDestination = 0;         // of the latest request
  std::span<const MacAddress> adapterMacs;
};

// The rule by which a received datagram is taken as the reply to the
// outstanding request. sourceIp is 0 when the sender is unknown.
bool acceptReply(std::span<const std::uint8_t> datagram, Ipv4 sourceIp, const AcceptanceContext& ctx);

// An adapter MAC table entry with the locally administered bit set also
// matches a stationMac that differs from it only in that bit.
bool adapterMacMatches(const MacAddress& tableEntry, const MacAddress& stationMac);

}  // namespace trennic
