#include "core/filters/filter_tables.h"

#include "core/app/display_text.h"

#include <algorithm>
#include <vector>

namespace trennic {

namespace {

std::uint16_t getU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t getU32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(getU16(b, at)) | static_cast<std::uint32_t>(getU16(b, at + 2)) << 16;
}
void putU16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void putU32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
  putU16(b, at, static_cast<std::uint16_t>(v));
  putU16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}
MacAddress getMac(std::span<const std::uint8_t> b, std::size_t at) {
  MacAddress m;
  std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(at), 6, m.bytes.begin());
  return m;
}
void putMac(std::span<std::uint8_t> b, std::size_t at, const MacAddress& m) {
  std::copy(m.bytes.begin(), m.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
}

bool isValidAccess(int access) { return access >= AccessDisabled && access <= AccessRefuse; }

char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

constexpr NamedFilterValue kEtherTypes[] = {
    {0, "802.3", "<=1500 (802.3)"},
    {kEtherTypeIp, "IP", "0x0800 (IP)"},
    {kEtherTypeArp, "ARP", "0x0806 (ARP)"},
    {kEtherTypeRarp, "RARP", "0x8035 (RARP)"},
};
constexpr NamedFilterValue kIpProtocols[] = {
    {kIpProtocolIcmp, "ICMP", "1 (ICMP)"},
    {kIpProtocolTcp, "TCP", "6 (TCP)"},
    {kIpProtocolUdp, "UDP", "17 (UDP)"},
};

// MAC entry layout.
constexpr std::size_t kMacFlagsAt = 0, kMacReservedAt = 2, kMacAddress1At = 4, kMacAddress2At = 10;
// Protocol entry layout.
constexpr std::size_t kProtoFlagsAt = 0, kProtoIfaceAt = 4, kEtherLowAt = 6, kEtherHighAt = 8, kProtoLowAt = 10,
                      kProtoHighAt = 12, kPortLowAt = 14, kPortHighAt = 16, kProtoReservedAt = 18;

}  // namespace

std::string_view accessText(int access) {
  static constexpr std::string_view kTexts[] = {SHOWN("Disabled"), SHOWN("Permission"), SHOWN("Refusal")};
  return isValidAccess(access) ? kTexts[access] : std::string_view{};
}

int compareMac(const MacAddress& a, const MacAddress& b) {
  for (std::size_t i = 0; i < a.bytes.size(); ++i)
    if (a.bytes[i] != b.bytes[i]) return a.bytes[i] < b.bytes[i] ? -1 : 1;
  return 0;
}

// ---------------------------------------------------------------- MAC entry

bool MacFilterEntry::setAccess(int access) {
  if (!isValidAccess(access)) return false;
  flags = static_cast<std::uint16_t>(flagsWithAccess(flags, access));
  return true;
}

void MacFilterEntry::normalizeForLevel(int displayLevel) {
  if (displayLevel < kFilterDetailLevel) flags = static_cast<std::uint16_t>(flags | kAccessMask);
}

MacFilterEntry MacFilterEntry::make(const MacAddress& a1, const MacAddress& a2, bool range, int access) {
  MacFilterEntry e;
  e.address1 = a1;
  e.address2 = a1;
  int order = compareMac(a1, a2);
  if (range && order != 0) {
    e.flags = kMacEntryRange;
    if (order > 0) {
      e.address1 = a2;
      e.address2 = a1;
    } else {
      e.address2 = a2;
    }
  }
  e.setAccess(access);
  return e;
}

MacFilterEntry MacFilterEntry::decode(std::span<const std::uint8_t, kSize> b) {
  MacFilterEntry e;
  e.flags = getU16(b, kMacFlagsAt);
  e.reserved = getU16(b, kMacReservedAt);
  e.address1 = getMac(b, kMacAddress1At);
  e.address2 = getMac(b, kMacAddress2At);
  return e;
}

void MacFilterEntry::encode(std::span<std::uint8_t, kSize> b) const {
  putU16(b, kMacFlagsAt, flags);
  putU16(b, kMacReservedAt, reserved);
  putMac(b, kMacAddress1At, address1);
  putMac(b, kMacAddress2At, address2);
}

// ----------------------------------------------------------- protocol entry

bool ProtocolFilterEntry::setAccess(int access) {
  if (!isValidAccess(access)) return false;
  flags = flagsWithAccess(flags, access);
  return true;
}

void ProtocolFilterEntry::setPortSide(unsigned side) {
  flags = (flags & ~protoflag::PortSideMask) | ((side << protoflag::PortSideShift) & protoflag::PortSideMask);
}

bool ProtocolFilterEntry::portApplies() const { return ipProtocolApplies() && coversTcpOrUdp(protoLow, protoHigh); }

void ProtocolFilterEntry::normalizeForLevel(int displayLevel) {
  if (displayLevel >= kFilterDetailLevel) return;
  flags |= kAccessMask | protoflag::PortSideMask;
  iface = InterfaceAll;
}

ProtocolFilterEntry ProtocolFilterEntry::decode(std::span<const std::uint8_t, kSize> b) {
  ProtocolFilterEntry e;
  e.flags = getU32(b, kProtoFlagsAt);
  e.iface = getU16(b, kProtoIfaceAt);
  e.etherLow = getU16(b, kEtherLowAt);
  e.etherHigh = getU16(b, kEtherHighAt);
  e.protoLow = getU16(b, kProtoLowAt);
  e.protoHigh = getU16(b, kProtoHighAt);
  e.portLow = getU16(b, kPortLowAt);
  e.portHigh = getU16(b, kPortHighAt);
  std::copy_n(b.begin() + kProtoReservedAt, e.reserved.size(), e.reserved.begin());
  return e;
}

void ProtocolFilterEntry::encode(std::span<std::uint8_t, kSize> b) const {
  putU32(b, kProtoFlagsAt, flags);
  putU16(b, kProtoIfaceAt, iface);
  putU16(b, kEtherLowAt, etherLow);
  putU16(b, kEtherHighAt, etherHigh);
  putU16(b, kProtoLowAt, protoLow);
  putU16(b, kProtoHighAt, protoHigh);
  putU16(b, kPortLowAt, portLow);
  putU16(b, kPortHighAt, portHigh);
  std::copy(reserved.begin(), reserved.end(), b.begin() + kProtoReservedAt);
}

std::span<const NamedFilterValue> etherTypeNames() { return kEtherTypes; }
std::span<const NamedFilterValue> ipProtocolNames() { return kIpProtocols; }

const NamedFilterValue* findNamedValue(std::span<const NamedFilterValue> table, std::uint16_t value) {
  for (const auto& n : table)
    if (n.value == value) return &n;
  return nullptr;
}

const NamedFilterValue* findNamedValue(std::span<const NamedFilterValue> table, std::string_view fileName) {
  for (const auto& n : table)
    if (equalsNoCase(n.fileName, fileName)) return &n;
  return nullptr;
}

// ------------------------------------------------------------------- blocks

template <class Byte, class Entry>
std::size_t BasicFilterBlock<Byte, Entry>::usedCount() const {
  return std::min<std::size_t>(entryCount(), kCapacity);
}

template <class Byte, class Entry>
Entry BasicFilterBlock<Byte, Entry>::entry(std::size_t index) const {
  if (index >= kCapacity) return Entry{};
  return Entry::decode(std::span<const std::uint8_t, kEntrySize>(slot(index)));
}

template <class Byte, class Entry>
void BasicFilterBlock<Byte, Entry>::storeSettings(bool on, bool permitOthers, int displayLevel) const
  requires(!std::is_const_v<Byte>)
{
  setFilterOn(on ? 1 : 0);
  setOtherAccess(displayLevel >= kFilterDetailLevel && permitOthers ? 1 : 0);
}

template <class Byte, class Entry>
void BasicFilterBlock<Byte, Entry>::setEntry(std::size_t index, const Entry& e) const
  requires(!std::is_const_v<Byte>)
{
  if (index >= kCapacity) return;
  e.encode(slot(index));
}

template <class Byte, class Entry>
void BasicFilterBlock<Byte, Entry>::clearEntry(std::size_t index) const
  requires(!std::is_const_v<Byte>)
{
  if (index >= kCapacity) return;
  auto s = slot(index);
  std::fill(s.begin(), s.end(), std::uint8_t{0});
}

template <class Byte, class Entry>
bool BasicFilterBlock<Byte, Entry>::append(const Entry& e) const
  requires(!std::is_const_v<Byte>)
{
  if (isFull()) return false;
  std::size_t at = entryCount();
  setEntry(at, e);
  setEntryCount(static_cast<std::uint16_t>(at + 1));
  return true;
}

template <class Byte, class Entry>
std::size_t BasicFilterBlock<Byte, Entry>::removeEntries(std::span<const std::size_t> indices) const
  requires(!std::is_const_v<Byte>)
{
  std::size_t used = usedCount();
  std::vector<bool> gone(used, false);
  std::size_t removed = 0;
  for (std::size_t i : indices)
    if (i < used && !gone[i]) {
      gone[i] = true;
      ++removed;
    }
  if (removed == 0) return 0;
  // Whole slots move, so every byte of a kept entry stays as it was.
  std::size_t to = 0;
  for (std::size_t from = 0; from < used; ++from) {
    if (gone[from]) continue;
    if (to != from) std::copy_n(slot(from).begin(), kEntrySize, slot(to).begin());
    ++to;
  }
  for (std::size_t i = to; i < kCapacity; ++i) clearEntry(i);
  setEntryCount(static_cast<std::uint16_t>(to));
  return removed;
}

template <class Byte, class Entry>
void BasicFilterBlock<Byte, Entry>::clear() const
  requires(!std::is_const_v<Byte>)
{
  std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0});
}

template <class Byte, class Entry>
void BasicFilterBlock<Byte, Entry>::normalizeForLevel(int displayLevel) const
  requires(!std::is_const_v<Byte>)
{
  if (displayLevel >= kFilterDetailLevel) return;
  for (std::size_t i = 0, n = usedCount(); i < n; ++i) {
    Entry e = entry(i);
    e.normalizeForLevel(displayLevel);
    setEntry(i, e);
  }
}

template class BasicFilterBlock<std::uint8_t, MacFilterEntry>;
template class BasicFilterBlock<std::uint8_t, ProtocolFilterEntry>;
template std::size_t ConstMacFilterBlock::usedCount() const;
template MacFilterEntry ConstMacFilterBlock::entry(std::size_t) const;
template std::size_t ConstProtocolFilterBlock::usedCount() const;
template ProtocolFilterEntry ConstProtocolFilterBlock::entry(std::size_t) const;

// ---------------------------------------------------------------- conflicts

namespace {
bool contains(const MacFilterEntry& range, const MacAddress& a) {
  return compareMac(range.address1, a) <= 0 && compareMac(a, range.address2) <= 0;
}
}  // namespace

bool macEntriesConflict(const MacFilterEntry& candidate, const MacFilterEntry& other) {
  if (!candidate.isRange()) {
    if (!other.isRange()) return candidate.address1 == other.address1;
    return contains(other, candidate.address1);
  }
  if (!other.isRange()) return contains(candidate, other.address1);
  return contains(other, candidate.address1) || contains(other, candidate.address2);
}

bool macEntryConflicts(ConstMacFilterBlock block, const MacFilterEntry& candidate, std::size_t index) {
  for (std::size_t i = 0, n = block.usedCount(); i < n; ++i)
    if (i != index && macEntriesConflict(candidate, block.entry(i))) return true;
  return false;
}

}  // namespace trennic
