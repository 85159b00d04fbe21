#pragma once
// The wireless card's firmware: a text file of Motorola S-records turned
// into the 128 KiB image the unit loads into its card, with the card's own
// calibration data (its PDA block, read from the unit) plugged in where the
// file asks for it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/protocol/addresses.h"

namespace trennic {

constexpr std::uint32_t kWirelessWindowSize = 0x20000;
constexpr std::size_t kPdaBlockSize = 1024;
constexpr std::size_t kPdaWords = kPdaBlockSize / 2;
constexpr std::size_t kWirelessRuns = 20;
constexpr std::uint16_t kPdaMacRecord = 0x0101;
// The longest line the reader takes as one; longer ones are read in pieces.
constexpr std::size_t kSRecordLineMax = 4094;

// One line of the file, when it is usable: type character ('3' data, '7'
// end, others skipped by the callers), the count, the address and the
// count − 5 data bytes. The checksum is not looked at.
struct SRecordLine {
  char type = 0;
  unsigned count = 0;
  std::uint32_t address = 0;
  std::vector<std::uint8_t> data;
};
std::optional<SRecordLine> ParseSRecordLine(std::string_view line);

// The word index of the PDA record with this code, or nothing.
std::optional<std::size_t> FindPdaRecord(std::span<const std::uint8_t> pda, std::uint16_t code);

// The card kind an image base belongs to.
enum CardKind : std::uint16_t { CardKind0 = 0, CardKind1 = 1 };

// The results of PrepareWirelessImage.
enum WirelessResult : int {
  WirelessReady = 0,
  WirelessCannotOpen = 1,
  WirelessInvalid = 2,
  WirelessOtherCard = 3,
  WirelessCannotReopen = 4,
};

struct ImageBlock {
  std::uint32_t imageOffset = 0;
  std::uint16_t length = 0;
  bool more = false;
};

class WirelessImage {
 public:
  WirelessImage();

  std::array<std::uint8_t, kPdaBlockSize> pda{};
  std::vector<std::uint8_t> bytes;  // kWirelessWindowSize bytes
  // Contiguous runs of card addresses, end exclusive; (0, 0) is free.
  std::array<std::pair<std::uint32_t, std::uint32_t>, kWirelessRuns> runs{};
  std::uint32_t entryAddress = 0;
  std::uint32_t lowest = 0xFFFFFFFF;
  std::uint32_t highest = 0;
  std::uint32_t reportedSize = 0;
  std::uint32_t runCount = 0;
  std::uint32_t imageBase = 0x3E0000;
  std::uint16_t cardKind = CardKind0;

  // Keeps the unit's PDA block and stores it as "<folder>/HHHHHH.pda", named
  // after the card's own MAC address (record 0x0101) or else the unit's.
  // False when the file could not be written whole, or when neither address
  // is one unit's: such a name would be shared by every unit like it.
  bool SavePdaFile(std::span<const std::uint8_t> block, const MacAddress& unitMac, const std::string& folder);
  // The file name SavePdaFile uses for the kept block; nothing when neither
  // the card's address nor the unit's is one unit's own.
  std::optional<std::string> pdaFileName(const MacAddress& unitMac) const;

  int ScanWirelessFile(const std::string& path);
  int LoadWirelessData(const std::string& path);
  int ApplyPlugRecords(const std::string& path);
  // Scan, check the card kind, load the data and apply the plugs. With
  // dumpPath, the finished window is also written there, for inspection.
  int PrepareWirelessImage(const std::string& path, int unitCardKind, const std::string& dumpPath = {});

  // The block that starts `offset` data bytes into the image; past the last
  // run, image offset 0x1FFFF and length 0.
  ImageBlock NextImageBlock(std::uint32_t offset) const;
  // The bytes of a block NextImageBlock gave.
  std::span<const std::uint8_t> blockBytes(const ImageBlock& block) const;

 private:
  void reset();
  void store(std::uint32_t address, std::span<const std::uint8_t> data);
};

}  // namespace trennic
