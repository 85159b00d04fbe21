#pragma once
// The two filter tables of a unit: the MAC address filter (stored under the
// name AP Login Filter) and the protocol filter. Both are regions of the
// configuration record and travel with it; the filter-table transfers move
// the same bytes on their own, in a buffer of exactly the block's size.
//
// The blocks are views: they read and write the bytes in place, so a table
// inside an ApConfig and a table in a transfer buffer obey the same rules.
// Bytes no rule here names (the reserved words of the head and of every
// entry) are carried exactly as a unit returned them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

#include "core/config/ap_config.h"
#include "core/protocol/addresses.h"

namespace trennic {

// Below this displayLevel the access, port side, interface and the "except a
// list" settings are not offered, and the program fills in fixed values.
constexpr int kFilterDetailLevel = 3;

// ------------------------------------------------------------------ access

// Access of an entry, bits 0-1 of its flags; the numbers are also the digits
// the filter files write.
enum FilterAccess : int {
  AccessDisabled = 0,  // the entry stays in the table but is not applied
  AccessPermit = 1,
  AccessRefuse = 2,
};

constexpr std::uint32_t kAccessMask = 0x3;

// Bit 0 clear gives 0; bits 0 and 1 set give 1; bit 0 alone gives 2.
constexpr int accessFromFlags(std::uint32_t flags) {
  if (!(flags & 0x1)) return AccessDisabled;
  return (flags & 0x2) ? AccessPermit : AccessRefuse;
}

// 0 clears bit 0 (bit 1 is kept); 1 sets both bits; 2 sets bit 0 and clears
// bit 1. Any other access leaves the flags as they were.
constexpr std::uint32_t flagsWithAccess(std::uint32_t flags, int access) {
  switch (access) {
    case AccessDisabled: return flags & ~std::uint32_t{0x1};
    case AccessPermit: return flags | 0x3;
    case AccessRefuse: return (flags | 0x1) & ~std::uint32_t{0x2};
    default: return flags;
  }
}

// "Disabled", "Permission", "Refusal"; empty for any other access.
std::string_view accessText(int access);

// The switch words of the head settings, as the configuration file uses them.
constexpr std::array<std::string_view, 2> kSwitchWords = {"Disabled", "Enabled"};

// ---------------------------------------------------------------- entries

// Addresses compare as 6-byte numbers, first byte most significant.
int compareMac(const MacAddress& a, const MacAddress& b);

constexpr std::uint16_t kMacEntryRange = 0x10;

struct MacFilterEntry {
  static constexpr std::size_t kSize = 16;

  std::uint16_t flags = 0;     // access bits 0-1, kMacEntryRange
  std::uint16_t reserved = 0;  // carried
  MacAddress address1;         // the address, or the lower end of the range
  MacAddress address2;         // the upper end; equal to address1 for one address

  bool isRange() const { return (flags & kMacEntryRange) != 0; }
  int access() const { return accessFromFlags(flags); }
  // False, with the flags unchanged, for an access other than 0, 1 or 2.
  bool setAccess(int access);
  // Below kFilterDetailLevel every entry is applied with access 1.
  void normalizeForLevel(int displayLevel);

  // A new entry in its stored form: a range keeps its ends in ascending order
  // and a range with equal ends is one address; a single address has
  // address2 equal to address1. Reserved words are zero.
  static MacFilterEntry make(const MacAddress& a1, const MacAddress& a2, bool range, int access);

  static MacFilterEntry decode(std::span<const std::uint8_t, kSize> bytes);
  void encode(std::span<std::uint8_t, kSize> bytes) const;
  friend bool operator==(const MacFilterEntry&, const MacFilterEntry&) = default;
};

// Protocol entry flags.
namespace protoflag {
constexpr std::uint32_t EtherNumber = 0x20;    // the type was given as a number, not chosen by name
constexpr std::uint32_t EtherRange = 0x40;
constexpr std::uint32_t AllProtocols = 0x100;  // no IP protocol given
constexpr std::uint32_t ProtoNumber = 0x200;
constexpr std::uint32_t ProtoRange = 0x400;
constexpr std::uint32_t AllPorts = 0x1000;     // no port given
constexpr std::uint32_t PortGiven = 0x2000;
constexpr std::uint32_t PortRange = 0x4000;
constexpr std::uint32_t PortSideMask = 0x30000;
constexpr unsigned PortSideShift = 16;
}  // namespace protoflag

enum FilterPortSide : unsigned { PortSource = 1, PortDestination = 2, PortEither = 3 };
enum FilterInterface : std::uint16_t { InterfaceEthernet = 1, InterfaceWireless = 2, InterfaceAll = 3 };

constexpr std::uint16_t kEtherTypeIp = 0x0800, kEtherTypeArp = 0x0806, kEtherTypeRarp = 0x8035;
constexpr std::uint16_t kIpProtocolIcmp = 1, kIpProtocolTcp = 6, kIpProtocolUdp = 17;
// Frames with a length of at most 1500 carry no type; a type the user gives
// as a number must lie above that.
constexpr std::uint16_t kMaxFrameLength = 1500;

struct ProtocolFilterEntry {
  static constexpr std::size_t kSize = 32;

  std::uint32_t flags = 0;
  // 1 Ethernet, 2 Wireless, 3 all. (Not named "interface": some platform
  // headers define that word as a macro.)
  std::uint16_t iface = 0;
  std::uint16_t etherLow = 0, etherHigh = 0;  // equal for a single type
  std::uint16_t protoLow = 0, protoHigh = 0;  // equal for a single protocol
  std::uint16_t portLow = 0, portHigh = 0;    // equal for a single port
  std::array<std::uint8_t, 14> reserved{};    // carried

  int access() const { return accessFromFlags(flags); }
  bool setAccess(int access);
  // Bits 16-17: 1 source, 2 destination, 3 either.
  unsigned portSide() const { return (flags & protoflag::PortSideMask) >> protoflag::PortSideShift; }
  void setPortSide(unsigned side);

  // Type 0 chosen by name: frames that carry a length instead of a type.
  bool is8023() const { return !(flags & protoflag::EtherNumber) && etherLow == 0; }
  // The IP protocol fields count only when the type range covers IP.
  bool ipProtocolApplies() const { return etherLow <= kEtherTypeIp && kEtherTypeIp <= etherHigh; }
  // The port fields and the port side count only when, in addition, the
  // protocol range covers TCP or UDP.
  bool portApplies() const;
  // Below kFilterDetailLevel every entry is applied with access 1, on all
  // interfaces and with either port side.
  void normalizeForLevel(int displayLevel);

  static ProtocolFilterEntry decode(std::span<const std::uint8_t, kSize> bytes);
  void encode(std::span<std::uint8_t, kSize> bytes) const;
  friend bool operator==(const ProtocolFilterEntry&, const ProtocolFilterEntry&) = default;
};

// A protocol range [low, high] covers TCP or UDP.
constexpr bool coversTcpOrUdp(std::uint16_t low, std::uint16_t high) {
  return (low <= kIpProtocolTcp && high >= kIpProtocolTcp) || (low <= kIpProtocolUdp && high >= kIpProtocolUdp);
}

// A numeric Ethernet type (or both ends of a range) the user may give.
constexpr bool userEtherTypeAcceptable(std::uint16_t low, std::uint16_t high) {
  return low > kMaxFrameLength && high > kMaxFrameLength;
}

// Values with names: the name the filter files use and the text of lists
// and editors.
struct NamedFilterValue {
  std::uint16_t value;
  std::string_view fileName;
  std::string_view text;
};
// 0 "802.3", 0x0800 "IP", 0x0806 "ARP", 0x8035 "RARP".
std::span<const NamedFilterValue> etherTypeNames();
// 1 "ICMP", 6 "TCP", 17 "UDP".
std::span<const NamedFilterValue> ipProtocolNames();
const NamedFilterValue* findNamedValue(std::span<const NamedFilterValue> table, std::uint16_t value);
// The file name compared without regard to case.
const NamedFilterValue* findNamedValue(std::span<const NamedFilterValue> table, std::string_view fileName);

// ------------------------------------------------------------------ blocks

template <class Entry>
struct FilterTableShape;

template <>
struct FilterTableShape<MacFilterEntry> {
  static constexpr std::size_t kBlockSize = kMacFilterSize;
  static constexpr std::size_t kCapacity = 1024;
  static constexpr std::size_t kRecordOffset = kMacFilterOffset;
};

template <>
struct FilterTableShape<ProtocolFilterEntry> {
  static constexpr std::size_t kBlockSize = kProtocolFilterSize;
  static constexpr std::size_t kCapacity = 256;
  static constexpr std::size_t kRecordOffset = kProtocolFilterOffset;
};

// Offsets in the 8-byte head both blocks start with.
namespace filterhead {
constexpr std::size_t FilterOn = 0, OtherAccess = 2, Reserved = 4, EntryCount = 6;
constexpr std::size_t Size = 8;
}  // namespace filterhead

// A view of one filter block. Byte is std::uint8_t for a table that may be
// changed and const std::uint8_t for one that is only read. Entries are
// addressed by index from 0; the entry number shown to the user is index + 1.
//
// The changing members are constrained on a mutable Byte; the constraint is
// spelled out on each of them, as some compilers cannot see a class member
// from the requires-clause of a definition outside the class.
template <class Byte, class Entry>
class BasicFilterBlock {
  static constexpr bool kMutable = !std::is_const_v<Byte>;
  using Record = std::conditional_t<kMutable, ApConfig, const ApConfig>;

 public:
  using EntryType = Entry;
  static constexpr std::size_t kSize = FilterTableShape<Entry>::kBlockSize;
  static constexpr std::size_t kCapacity = FilterTableShape<Entry>::kCapacity;
  static constexpr std::size_t kEntrySize = Entry::kSize;
  static_assert(filterhead::Size + kCapacity * kEntrySize == kSize);

  explicit BasicFilterBlock(std::span<Byte, kSize> bytes) : bytes_(bytes) {}
  // The table inside a configuration record.
  explicit BasicFilterBlock(Record& record)
      : bytes_(record.bytes.data() + FilterTableShape<Entry>::kRecordOffset, kSize) {}
  // A buffer of any length; nothing unless it is exactly the block's size.
  static std::optional<BasicFilterBlock> over(std::span<Byte> bytes) {
    if (bytes.size() != kSize) return std::nullopt;
    return BasicFilterBlock(std::span<Byte, kSize>(bytes.data(), kSize));
  }
  operator BasicFilterBlock<const std::uint8_t, Entry>() const
    requires(!std::is_const_v<Byte>)
  {
    return BasicFilterBlock<const std::uint8_t, Entry>(std::span<const std::uint8_t, kSize>(bytes_));
  }

  std::span<Byte, kSize> bytes() const { return bytes_; }

  std::uint16_t filterOn() const { return word(filterhead::FilterOn); }
  std::uint16_t otherAccess() const { return word(filterhead::OtherAccess); }
  // The count as stored; a unit may report more than the table holds.
  std::uint16_t entryCount() const { return word(filterhead::EntryCount); }
  // The entries that exist: the count, but never past the table.
  std::size_t usedCount() const;
  bool isFull() const { return entryCount() >= kCapacity; }

  // Entry at an index below kCapacity; a zero entry past it.
  Entry entry(std::size_t index) const;

  void setFilterOn(std::uint16_t v) const
    requires(!std::is_const_v<Byte>)
  {
    setWord(filterhead::FilterOn, v);
  }
  void setOtherAccess(std::uint16_t v) const
    requires(!std::is_const_v<Byte>)
  {
    setWord(filterhead::OtherAccess, v);
  }
  void setEntryCount(std::uint16_t v) const
    requires(!std::is_const_v<Byte>)
  {
    setWord(filterhead::EntryCount, v);
  }
  // The page's settings: the filter switch, and what happens to traffic no
  // entry matches. Below kFilterDetailLevel the user has no say in the
  // latter and it is stored as 0.
  void storeSettings(bool on, bool permitOthers, int displayLevel) const
    requires(!std::is_const_v<Byte>);

  // Writes the slot at an index below kCapacity (an editor works on a slot
  // before the count includes it); ignored past the table.
  void setEntry(std::size_t index, const Entry& e) const
    requires(!std::is_const_v<Byte>);
  void clearEntry(std::size_t index) const
    requires(!std::is_const_v<Byte>);
  // Appends at position entryCount + 1; false, with nothing changed, when
  // the table is full.
  bool append(const Entry& e) const
    requires(!std::is_const_v<Byte>);
  // Removes the entries at the given indices (duplicates and indices past
  // the used entries are ignored); the rest move up in their order, the
  // count shrinks and every slot past it is zero. Returns how many went.
  std::size_t removeEntries(std::span<const std::size_t> indices) const
    requires(!std::is_const_v<Byte>);
  bool removeEntry(std::size_t index) const
    requires(!std::is_const_v<Byte>)
  {
    return removeEntries(std::span<const std::size_t>(&index, 1)) == 1;
  }
  // Every byte zero, the head's reserved word too.
  void clear() const
    requires(!std::is_const_v<Byte>);
  // Applies the fixed values of a level below kFilterDetailLevel to every
  // used entry; at higher levels nothing changes.
  void normalizeForLevel(int displayLevel) const
    requires(!std::is_const_v<Byte>);

 private:
  std::uint16_t word(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
  }
  void setWord(std::size_t at, std::uint16_t v) const
    requires(!std::is_const_v<Byte>)
  {
    bytes_[at] = static_cast<std::uint8_t>(v);
    bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  std::span<Byte, kEntrySize> slot(std::size_t index) const {
    return std::span<Byte, kEntrySize>(bytes_.data() + filterhead::Size + index * kEntrySize, kEntrySize);
  }

  std::span<Byte, kSize> bytes_;
};

using MacFilterBlock = BasicFilterBlock<std::uint8_t, MacFilterEntry>;
using ConstMacFilterBlock = BasicFilterBlock<const std::uint8_t, MacFilterEntry>;
using ProtocolFilterBlock = BasicFilterBlock<std::uint8_t, ProtocolFilterEntry>;
using ConstProtocolFilterBlock = BasicFilterBlock<const std::uint8_t, ProtocolFilterEntry>;

// A read-only block is instantiated member by member: instantiating the whole
// class would, with some compilers, also instantiate the changing members
// whose constraint it does not meet.
extern template class BasicFilterBlock<std::uint8_t, MacFilterEntry>;
extern template class BasicFilterBlock<std::uint8_t, ProtocolFilterEntry>;
extern template std::size_t ConstMacFilterBlock::usedCount() const;
extern template MacFilterEntry ConstMacFilterBlock::entry(std::size_t) const;
extern template std::size_t ConstProtocolFilterBlock::usedCount() const;
extern template ProtocolFilterEntry ConstProtocolFilterBlock::entry(std::size_t) const;

// ------------------------------------------------------------- conflicts

// A single address conflicts with an equal single address and with a range
// that contains it; a range conflicts with a single address inside it and
// with a range that contains either of its ends. A range that merely
// encloses another is no conflict.
bool macEntriesConflict(const MacFilterEntry& candidate, const MacFilterEntry& other);

// The MAC entry editor's test of the entry meant for slot `index` against
// every other used entry. Entries read from files or from a unit are never
// tested.
bool macEntryConflicts(ConstMacFilterBlock block, const MacFilterEntry& candidate, std::size_t index);

}  // namespace trennic
