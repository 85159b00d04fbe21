#pragma once
// One simulated unit as a pure state machine: a request datagram goes in, a
// reply datagram (or nothing) comes out. No sockets, no clocks, no Qt, so the
// same object serves the UDP server and the unit tests, and faults and timing
// stay the server's business.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/protocol/addresses.h"
#include "core/protocol/packet.h"
#include "core/protocol/unit_identity.h"

namespace trennic::sim {

// A status the unit gives to requests it cannot carry out for reasons other
// than the password: writes to read-only blocks, torn password blocks. The
// program treats every such status as "Error occurred.".
constexpr std::uint16_t kStatusRefused = 3;

// The status area answers without a password: the status window polls with
// an empty one, also on a protected unit.
constexpr std::uint32_t kStatusAreaFirst = 0x00120000;
constexpr std::uint32_t kStatusAreaLast = 0x0015FFFF;
constexpr std::size_t kPasswordBlockSize = 16;

// How a unit answers the read of its extended information block. Units with
// the block answer status 0, some firmware answers 6 instead; units without
// it answer status 2 and no bytes. Auto: absent for layout 1, else status 0.
enum class ExtendedBlock { Auto, Status0, Status6, Absent };

constexpr int kDefaultLayout = 5;
constexpr std::uint32_t kDefaultFirmwareSize = 200 * 1024;
constexpr std::uint32_t kDefaultLoaderSize = 64 * 1024;
// The firmware image needs room for its header.
constexpr std::uint32_t kMinFirmwareSize = 64;

// What the unit is: its identity block, and the firmware generation its
// memory follows.
struct UnitSettings {
  MacAddress mac{};
  Ipv4 ip = 0;  // network order
  std::uint16_t unitType = kUnitTypeStandard;
  std::uint16_t firmwareVersion = 0x0201;
  std::string password;  // at most six characters; empty: no password

  int layout = kDefaultLayout;  // configuration layout 1..5
  ExtendedBlock extended = ExtendedBlock::Auto;
  // The first two words of the system information block as given, for
  // firmware the program does not know; nothing: derived from the layout.
  std::optional<std::array<std::uint32_t, 2>> infoWords;
  std::uint32_t firmwareSize = kDefaultFirmwareSize;  // bytes of the image held at start
  std::uint32_t loaderSize = kDefaultLoaderSize;
  // Firmware and loader writes take at most this many bytes each; 0: all.
  std::uint16_t shortAck = 0;
  // Firmware and loader reads end after this many bytes, with the empty
  // block that ends an image, whatever length the firmware header gives: a
  // unit that stops short. 0: at the image's own end.
  std::uint32_t shortImage = 0;
  bool clearUnsupported = false;  // the clear mask write answers status 2
  // The wireless card: its kind (byte 192 of the second system information
  // block), and whether the firmware is old enough to answer the two system
  // information reads with status 2 and its shorter blocks (108, 152 bytes).
  int cardKind = 0;
  bool oldInfoBlocks = false;
  // Whether the card's PDA block carries the card's MAC address (record
  // 0x0101); cards whose block lacks it have their data filed under the
  // unit's address.
  bool cardMacRecord = true;
  // What the unit's status lists hold at start: stations logged in to it
  // and entries of its bridge's MAC address table.
  std::uint32_t wirelessNodes = 3;
  std::uint32_t macTableEntries = 8;
};

// A unit's address space as sparse pages: bytes never written read as 0, or
// as the filler makes them, so a unit can pretend to hold the 4 GB map and a
// firmware image while storing only what was touched. A thousand units with
// 200 KiB of firmware each would not fit otherwise.
class SparseMemory {
 public:
  static constexpr std::uint32_t kPageSize = 256;
  // Gives the contents of a page that was never written.
  using Filler = std::function<void(std::uint32_t pageBase, std::span<std::uint8_t> page)>;

  std::vector<std::uint8_t> read(std::uint32_t address, std::size_t length) const;
  // Writing what a page already reads as, into a page not yet held, keeps it
  // unheld.
  void write(std::uint32_t address, std::span<const std::uint8_t> bytes);
  void clear() { pages_.clear(); }
  void setFiller(Filler filler) { filler_ = std::move(filler); }
  std::size_t pagesInUse() const { return pages_.size(); }

 private:
  void fillPage(std::uint32_t base, std::span<std::uint8_t> page) const;

  std::map<std::uint32_t, std::vector<std::uint8_t>> pages_;  // by page base
  Filler filler_;
};

// One request as an area handler sees it. The payload is what the datagram
// carries, cut to `length`.
struct AreaRequest {
  std::uint8_t command = 0;
  std::uint32_t address = 0;
  std::uint16_t length = 0;
  std::span<const std::uint8_t> payload;
};

// What an area handler answers: the status, the bytes read (reads) and the
// count to put in the reply's length field (bytes read, or bytes taken).
struct AreaReply {
  std::uint16_t status = StatusOk;
  std::vector<std::uint8_t> payload;
  std::uint16_t length = 0;
};

class SimUnit;

// A range of the address space with its own rules. A request belongs to the
// area that holds its first byte; requests outside every area go to plain
// memory and need the password.
struct MemoryArea {
  std::string name;
  std::uint32_t first = 0;
  std::uint32_t last = 0;  // inclusive, so an area may end at 0xFFFFFFFF
  bool openRead = false;   // reads need no password
  // Empty handlers mean plain memory.
  std::function<AreaReply(SimUnit&, const AreaRequest&)> read;
  std::function<AreaReply(SimUnit&, const AreaRequest&)> write;

  bool contains(std::uint32_t address) const { return address >= first && address <= last; }
};

// How a request reached the unit: through the multicast group it has to name
// the unit (or every unit) in stationMac; by unicast it is the unit's anyway.
enum class Route { Unicast, Group };

class SimUnit {
 public:
  explicit SimUnit(UnitSettings settings);

  const UnitSettings& settings() const { return settings_; }
  const MacAddress& mac() const { return settings_.mac; }
  Ipv4 ip() const { return settings_.ip; }
  std::uint16_t unitType() const { return settings_.unitType; }
  std::uint16_t firmwareVersion() const { return settings_.firmwareVersion; }
  const std::string& password() const { return settings_.password; }

  // Cut to six characters, as the password block holds no more.
  void setPassword(std::string_view password);
  void setFirmwareVersion(std::uint16_t version);
  void setUnitType(std::uint16_t type);
  void setIp(Ipv4 ip);

  // --- What the memory areas keep (unit_memory_areas.h sets them up) ---

  int layout() const { return settings_.layout; }
  std::size_t configBodySize() const;
  // The status the extended information read answers: 0, 6, or StatusEnd
  // when the unit has no such block.
  std::uint16_t extendedStatus() const;
  // The first two words of the system information block.
  std::array<std::uint32_t, 2> infoWords() const;

  // The configuration as the unit holds it: the 176 header bytes, the body
  // of the unit's layout, and both laid out like the program's image of that
  // layout (20 zero bytes, header, body), so a test can compare them with
  // ConfigSet::image(layout) byte for byte.
  std::vector<std::uint8_t> configHeader() const;
  std::vector<std::uint8_t> configBody() const;
  std::vector<std::uint8_t> configImage() const;
  // Takes image[20..196) as header and image[196..) as body, as far as the
  // image and the unit's body reach.
  void loadConfigImage(std::span<const std::uint8_t> image);

  // Firmware (base 0xFFE00000) and loader (base 0xFFD00000) images: their
  // current length and bytes.
  std::uint32_t imageLength(std::uint32_t base) const;
  void setImageLength(std::uint32_t base, std::uint32_t length) { imageLengths_[base] = length; }
  std::vector<std::uint8_t> storedImage(std::uint32_t base) const;
  std::vector<std::uint8_t> firmwareImage() const { return storedImage(unit_address::kFirmware); }
  std::vector<std::uint8_t> loaderImage() const { return storedImage(unit_address::kLoader); }

  // Clear mask writes the unit took.
  void recordClear(std::uint32_t mask) {
    lastClearMask_ = mask;
    ++clearCount_;
  }
  unsigned clearCount() const { return clearCount_; }
  std::uint32_t lastClearMask() const { return lastClearMask_; }

  // Wireless card loads the unit saw through to their closing write, and
  // the card image as written (0x20000 bytes from 0x001E0000).
  void recordCardLoad() { ++cardLoadCount_; }

  // The status lists' lengths as they are now; clearing empties them.
  std::uint32_t wirelessNodeCount() const { return wirelessNodeCount_; }
  std::uint32_t macTableCount() const { return macTableCount_; }
  void setWirelessNodeCount(std::uint32_t n) { wirelessNodeCount_ = n; }
  void setMacTableCount(std::uint32_t n) { macTableCount_ = n; }
  unsigned cardLoadCount() const { return cardLoadCount_; }
  std::vector<std::uint8_t> cardImage() const;

  // The reply datagram for a request, or nothing when the unit stays silent:
  // datagrams shorter than the header, replies, wrong magic, unknown
  // commands, group requests naming another unit, and anything while the
  // unit is rebooting.
  std::optional<std::vector<std::uint8_t>> handle(std::span<const std::uint8_t> request,
                                                  Route route = Route::Unicast);

  // Whether a request through the group with this stationMac is meant for us.
  bool addressedBy(const MacAddress& stationMac) const;

  // Answers every request at exactly this address with the status and no
  // payload, before anything else is looked at.
  void forceStatus(std::uint32_t address, std::uint16_t status) { forced_[address] = status; }
  void clearForcedStatus(std::uint32_t address) { forced_.erase(address); }

  // A reboot request puts the unit into rebooting: it answers nothing until
  // whoever keeps the time calls finishReboot(). The system information then
  // shows what the configuration says, as after a real start.
  bool rebooting() const { return rebooting_; }
  void finishReboot();
  unsigned rebootCount() const { return rebootCount_; }

  // Direct access for the areas and for inspection; no password, no rules.
  SparseMemory& memory() { return memory_; }
  const SparseMemory& memory() const { return memory_; }
  std::vector<std::uint8_t> peek(std::uint32_t address, std::size_t length) const {
    return memory_.read(address, length);
  }
  void poke(std::uint32_t address, std::span<const std::uint8_t> bytes) { memory_.write(address, bytes); }

  // A new area takes precedence over those already there, so a later model
  // (configuration, firmware, status blocks) can claim part of a range.
  void addArea(MemoryArea area);
  const MemoryArea* areaAt(std::uint32_t address) const;

 private:
  void refreshIdentity();
  bool passwordMatches(const PasswordField& field) const;
  AreaReply serve(const PacketHeader& h, std::span<const std::uint8_t> payload);

  UnitSettings settings_;
  SparseMemory memory_;
  std::vector<MemoryArea> areas_;  // newest first
  std::map<std::uint32_t, std::uint16_t> forced_;
  std::map<std::uint32_t, std::uint32_t> imageLengths_;  // by area base
  bool rebooting_ = false;
  unsigned rebootCount_ = 0;
  unsigned clearCount_ = 0;
  std::uint32_t lastClearMask_ = 0;
  unsigned cardLoadCount_ = 0;
  std::uint32_t wirelessNodeCount_ = 0;
  std::uint32_t macTableCount_ = 0;
};

// The areas every unit starts with: the identity block (open, read-only),
// the password block (write-only, changes the password) and the status area
// (open for reading). The memory model of unit_memory_areas.h is laid over
// them.
std::vector<MemoryArea> standardAreas();

// Plain-memory handlers, for areas that only change the password rules.
AreaReply readPlain(SimUnit& unit, const AreaRequest& request);
AreaReply writePlain(SimUnit& unit, const AreaRequest& request);

}  // namespace trennic::sim
