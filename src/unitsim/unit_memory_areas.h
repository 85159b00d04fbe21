#pragma once
// The memory a simulated unit holds beyond its identity and password: the
// system information blocks that tell the program which configuration layout
// the firmware uses, the configuration header and body, the firmware and
// loader images and the clear mask. Pure rules over SimUnit's memory; no
// sockets, no clocks.
//
// How these areas answer, where the program only relies on part of it:
// - Fixed blocks (system information 112 bytes, second system information
//   216, status record 128, extended information 128) answer reads from
//   their start with at most their own size, status 0, and refuse writes.
// - The extended information block answers status 0 or 6 with its bytes, or,
//   on a unit without it, status 2 and no bytes.
// - The configuration body is as long as the layout says. A read is cut at
//   the body's end; the block that reaches the end carries status 2, and a
//   read from the end onward answers status 2 and no bytes. A write must fit
//   inside the body, else it is refused whole.
// - The configuration header takes reads cut at its end and writes that fit.
// - Firmware and loader images: a read gives at most 1024 bytes of the image
//   and no bytes at or past its end, which is how the program learns where
//   the image ends. A write at any offset of the area is stored (so a
//   retransmitted block is simply stored again); a write at the area's start
//   begins a new image, later writes make it as long as the highest byte
//   written, and a zero-length write ends it at that offset. A zero-length
//   write at the start is the closing request of a cancelled load and leaves
//   the image as far as it was written. A zero-length read is answered with
//   no bytes; the unit keeps no notion of a read in progress.
// - The clear mask takes exactly four bytes at its address: status 0, or
//   status 2 on a unit that cannot clear.
// - Old firmware answers the two system information reads with status 2 and
//   its shorter blocks, 108 and 152 bytes, whatever length was asked.
// - The wireless card's information (PDA) block, 1024 bytes at 0x001D0000,
//   holds a chain of records: the card's MAC address (code 0x0101, the
//   unit's own with the locally administered bit), two calibration words
//   (0x0104) and the end word. Reads need the password.
// - The card firmware window, 0x20000 bytes from 0x001E0000, stores the
//   blocks written to it; a zero-length write at its start opens a load (or
//   closes a cancelled one), anywhere else it completes the load.
// - The status blocks the Status window polls, all open for reading: the
//   Ethernet and wireless interface blocks (0x00121000, and 0x00122000,
//   which is also the extended information block), the wireless link block,
//   the wireless counters and the spanning tree bridge block, and three
//   lists (wireless nodes at 0x00122200, the MAC address table at
//   0x00132000, the two spanning tree ports at 0x00142100). A list read
//   gives as many whole records as the length asks for; the reply that
//   reaches the list's end carries status 2, and a read past it status 2
//   and no bytes. Node records are 20 bytes on firmware 1.10 and before,
//   64 after. Each read of an interface block moves its counters on, so a
//   periodic scan sees traffic. The clear mask empties what its bits name:
//   0x1 and 0x2 the Ethernet and wireless interface counters, 0x100 the
//   wireless nodes, 0x200 the wireless counters, 0x1000 the MAC table.
#include <array>
#include <cstdint>
#include <span>

#include "unitsim/unit_model.h"

namespace trennic::sim {

constexpr std::size_t kSystemInfoSize = 112;
constexpr std::size_t kSystemInfo2Size = 216;
constexpr std::size_t kStatusRecordSize = 128;
constexpr std::size_t kExtendedInfoSize = 128;
constexpr std::size_t kClearMaskSize = 4;
constexpr std::size_t kOldSystemInfoSize = 108;
constexpr std::size_t kOldSystemInfo2Size = 152;
constexpr std::size_t kCardInfoSize = 1024;
constexpr std::uint32_t kCardImageSize = 0x20000;
constexpr std::size_t kCardKindOffset = 192;
constexpr std::uint32_t kWirelessLinkBlock = 0x00122100;
constexpr std::uint32_t kWirelessNodeList = 0x00122200;
constexpr std::uint32_t kWirelessCounterBlock = 0x00126200;
constexpr std::uint32_t kMacTableList = 0x00132000;
constexpr std::uint32_t kStpBridgeBlock = 0x00142000;
constexpr std::uint32_t kStpPortList = 0x00142100;
constexpr std::uint32_t kClearEthernet = 0x1, kClearWireless = 0x2, kClearWirelessNodes = 0x100,
                        kClearWirelessCounters = 0x200, kClearMacTable = 0x1000;
// A node record's size on the wire for this unit's firmware.
std::size_t wirelessNodeRecordSize(const UnitSettings& settings);
// The body area reaches up to the status area; past the body it answers
// like the body's end.
constexpr std::uint32_t kConfigBodyAreaLast = 0x0011FFFF;
constexpr std::size_t kImageBlock = 1024;
constexpr std::size_t kFirmwareHeaderSize = 64;
constexpr std::size_t kFirmwareLengthOffset = 36;
constexpr std::size_t kFirmwareVersionOffset = 32;
constexpr std::size_t kFirmwareLoadAddressOffset = 40;
constexpr std::size_t kFirmwareDataWordOffset = 52;  // left out of the header check
constexpr std::size_t kFirmwareNameOffset = 8;
constexpr char kFirmwareName[] = "UNITSIM FIRMWARE";  // 16 characters, no NUL in the header

// The version word the firmware of each layout reports with the extended
// block present: 0x0100, 0x010B, 0x0114, 0x011E, 0x0201.
std::uint16_t layoutVersionWord(int layout);

// The first two words of the system information block. Word 1 holds the
// loader version 1.00 (0x0100), which is what firmware without the extended
// block is told apart by. Word 2 is the firmware version: the unit's own
// version when that is one its layout's firmware reports, else the layout's
// version word. An explicit pair in the settings wins.
std::array<std::uint32_t, 2> systemInfoWords(const UnitSettings& settings);

// The extended block mode with Auto resolved: absent for layout 1, status 0
// otherwise.
ExtendedBlock resolvedExtended(const UnitSettings& settings);

// The check word that makes a 64-byte image header pass the program's check:
// the complement of the ones' complement sum of its 32 little-endian words,
// with the words at offsets 0 and 52 taken as zero, plus 0x4353.
std::uint16_t firmwareHeaderCheckWord(std::span<const std::uint8_t> header);

// The bytes an image area holds at start, by offset from the area's base:
// deterministic and different from unit to unit. The firmware's first 64
// bytes are its header (check word, name, version, length, load address);
// the loader has no header.
void fillFirmwareBytes(const UnitSettings& settings, std::uint32_t offset, std::span<std::uint8_t> out);
void fillLoaderBytes(const UnitSettings& settings, std::uint32_t offset, std::span<std::uint8_t> out);

// Adds the areas above to a unit and fills them: the system information from
// the settings, the configuration from the program's defaults with the unit's
// own IP address, the firmware and loader images of the configured sizes.
void installUnitMemory(SimUnit& unit);

// Rewrites the system information blocks from the settings and the unit's
// current configuration, as a unit does when it starts.
void refreshSystemInfo(SimUnit& unit);

}  // namespace trennic::sim
