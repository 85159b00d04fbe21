#include "unitsim/unit_memory_areas.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/config/ap_config.h"

namespace trennic::sim {

namespace {

using unit_address::kConfigBody;
using unit_address::kConfigHeader;
using unit_address::kFirmware;
using unit_address::kLoader;

constexpr std::uint32_t kLoaderVersionWord = 0x0100;

// Versions the firmware of each layout may report; the first is the one a
// unit reports when its own version is none of them.
struct LayoutVersions {
  int layout;
  std::uint16_t words[2];
};
constexpr LayoutVersions kLayoutVersions[] = {
    {1, {0x0100, 0x010A}}, {2, {0x010B, 0x010B}}, {3, {0x0114, 0x0114}},
    {4, {0x011E, 0x011F}}, {5, {0x0201, 0x0200}},
};

// Plausible contents of the status blocks; the program only shows them.
constexpr std::uint16_t kHardwareVersion = 0x02;
constexpr std::uint16_t kCardFirmwareVersion[3] = {1, 7, 3};
constexpr char kCardType[] = "IEEE 802.11b DS 11Mbps PC Card";
constexpr std::uint32_t kPacketBuffers = 200, kMinPacketBuffers = 152;
constexpr std::uint32_t kLedOn = 1, kDipOff = 2;

AreaReply refuse() {
  AreaReply reply;
  reply.status = kStatusRefused;
  return reply;
}

AreaReply endWithoutBytes() {
  AreaReply reply;
  reply.status = StatusEnd;
  return reply;
}

AreaReply readBytes(SimUnit& unit, std::uint32_t address, std::size_t n, std::uint16_t status = StatusOk) {
  AreaReply reply;
  reply.status = status;
  reply.payload = unit.memory().read(address, n);
  reply.length = static_cast<std::uint16_t>(n);
  return reply;
}

// --- Deterministic image bytes ----------------------------------------------

std::uint64_t splitMix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t imageSeed(const UnitSettings& s, std::uint64_t tag) {
  std::uint64_t seed = tag;
  for (auto b : s.mac.bytes) seed = splitMix(seed ^ b);
  return seed;
}

void fillPseudoRandom(std::uint64_t seed, std::uint32_t offset, std::span<std::uint8_t> out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    std::uint32_t at = offset + static_cast<std::uint32_t>(i);
    out[i] = static_cast<std::uint8_t>(splitMix(seed + at / 8) >> (at % 8 * 8));
  }
}

constexpr std::uint64_t kFirmwareTag = 0x4657;  // "FW"
constexpr std::uint64_t kLoaderTag = 0x4C44;    // "LD"

std::array<std::uint8_t, kFirmwareHeaderSize> firmwareHeader(const UnitSettings& s) {
  std::array<std::uint8_t, kFirmwareHeaderSize> h{};
  std::memcpy(h.data() + kFirmwareNameOffset, kFirmwareName, sizeof kFirmwareName - 1);
  writeLe16(h.data() + kFirmwareVersionOffset, static_cast<std::uint16_t>(systemInfoWords(s)[1]));
  writeLe32(h.data() + kFirmwareLengthOffset, s.firmwareSize);
  writeLe32(h.data() + kFirmwareLoadAddressOffset, kFirmware);
  // A word of its own that the header check leaves out; never zero, so a
  // check that wrongly took it in would fail.
  writeLe16(h.data() + kFirmwareDataWordOffset,
            static_cast<std::uint16_t>(splitMix(imageSeed(s, kFirmwareTag)) | 1));
  writeLe16(h.data(), firmwareHeaderCheckWord(h));
  return h;
}

// --- Area handlers ------------------------------------------------------------

// A fixed block: reads from inside it are cut at its end, writes refused.
MemoryArea fixedBlock(std::string name, std::uint32_t first, std::size_t size) {
  std::uint32_t last = first + static_cast<std::uint32_t>(size) - 1;
  return {std::move(name), first, last, true,
          [last](SimUnit& unit, const AreaRequest& r) {
            return readBytes(unit, r.address, std::min<std::size_t>(r.length, last - r.address + 1));
          },
          [](SimUnit&, const AreaRequest&) { return refuse(); }};
}

// The system information blocks, which old firmware answers with status 2
// and a shorter block of its own size.
MemoryArea infoBlock(std::string name, std::uint32_t first, std::size_t size, std::size_t oldSize) {
  std::uint32_t last = first + static_cast<std::uint32_t>(size) - 1;
  return {std::move(name), first, last, true,
          [first, last, oldSize](SimUnit& unit, const AreaRequest& r) {
            if (unit.settings().oldInfoBlocks) {
              if (r.address != first) return endWithoutBytes();
              return readBytes(unit, r.address, oldSize, StatusEnd);
            }
            return readBytes(unit, r.address, std::min<std::size_t>(r.length, last - r.address + 1));
          },
          [](SimUnit&, const AreaRequest&) { return refuse(); }};
}

AreaReply readCardInfo(SimUnit& unit, const AreaRequest& r) {
  std::uint32_t last = unit_address::kCardInfo + static_cast<std::uint32_t>(kCardInfoSize) - 1;
  return readBytes(unit, r.address, std::min<std::size_t>(r.length, last - r.address + 1));
}

AreaReply readCardImage(SimUnit& unit, const AreaRequest& r) {
  std::uint32_t offset = r.address - unit_address::kCardFirmware;
  return readBytes(unit, r.address, std::min<std::size_t>({r.length, kImageBlock, kCardImageSize - offset}));
}

AreaReply writeCardImage(SimUnit& unit, const AreaRequest& r) {
  std::uint32_t offset = r.address - unit_address::kCardFirmware;
  AreaReply reply;
  if (r.payload.empty()) {
    // At the start it opens a load (or closes a cancelled one); anywhere
    // else it is the load's last write.
    if (offset > 0) unit.recordCardLoad();
    return reply;
  }
  if (offset + r.payload.size() > kCardImageSize) return refuse();
  std::size_t take = r.payload.size();
  if (unit.settings().shortAck > 0) take = std::min<std::size_t>(take, unit.settings().shortAck);
  unit.memory().write(r.address, r.payload.first(take));
  reply.length = static_cast<std::uint16_t>(take);
  return reply;
}

// The card's records: its MAC address, unless the card is one without it,
// and two calibration words fixed by the unit's MAC.
std::vector<std::uint8_t> cardInfoBlock(const UnitSettings& s) {
  std::vector<std::uint8_t> b(kCardInfoSize, 0);
  std::size_t w = 0;
  auto word = [&](std::uint16_t v) {
    writeLe16(b.data() + 2 * w, v);
    ++w;
  };
  if (s.cardMacRecord) {
    word(4);
    word(0x0101);
    std::array<std::uint8_t, 6> mac = s.mac.bytes;
    mac[0] |= 0x02;
    for (int i = 0; i < 6; i += 2) word(static_cast<std::uint16_t>(mac[i] | mac[i + 1] << 8));
  }
  word(3);
  word(0x0104);
  word(static_cast<std::uint16_t>(0x1000 + s.mac.bytes[5]));
  word(static_cast<std::uint16_t>(0x2000 + s.mac.bytes[4]));
  word(0);
  return b;
}

// --- Status blocks -------------------------------------------------------------

constexpr std::uint32_t kEthernetBlock = unit_address::kStatusRecord;
constexpr std::uint32_t kWirelessBlock = unit_address::kExtendedInfo;
constexpr std::size_t kInterfaceCountersAt = 20;
constexpr std::size_t kInterfaceBlock = 128;
constexpr std::size_t kLinkSize = 76, kCountersSize = 176, kBridgeSize = 52, kTableRecord = 36;

std::array<std::uint8_t, 6> radioMac(const UnitSettings& s) {
  auto mac = s.mac.bytes;
  mac[0] |= 0x02;
  return mac;
}

void fillInterfaceBlock(SimUnit& unit, std::uint32_t address, bool wireless) {
  const UnitSettings& s = unit.settings();
  std::array<std::uint8_t, kInterfaceBlock> b{};
  writeLe32(&b[0], wireless ? 2312 : 1500);
  writeLe32(&b[4], wireless ? 11000000 : 10000000);
  auto mac = wireless ? radioMac(s) : s.mac.bytes;
  std::copy(mac.begin(), mac.end(), b.begin() + 8);
  writeLe32(&b[16], 1);  // up
  const std::uint32_t seed = s.mac.bytes[4] << 8 | s.mac.bytes[5];
  for (std::size_t at = kInterfaceCountersAt; at < 64; at += 4) writeLe32(&b[at], seed * 97 + static_cast<std::uint32_t>(at) * 13);
  writeLe32(&b[64], wireless ? 1 : 0);  // resets
  unit.memory().write(address, b);
}

// Traffic goes on between two polls: octets and packets, never errors.
void moveCountersOn(SimUnit& unit, std::uint32_t address) {
  for (std::size_t at : {20, 24, 28, 44, 48, 52}) {
    auto word = unit.memory().read(address + static_cast<std::uint32_t>(at), 4);
    std::uint32_t v = readLe32(word.data()) + (at == 20 || at == 44 ? 1536 : 3);
    writeLe32(word.data(), v);
    unit.memory().write(address + static_cast<std::uint32_t>(at), word);
  }
}

AreaReply readInterfaceBlock(SimUnit& unit, const AreaRequest& r, std::uint32_t base, std::uint16_t status) {
  AreaReply reply = readBytes(unit, r.address, std::min<std::size_t>(r.length, base + kInterfaceBlock - r.address), status);
  moveCountersOn(unit, base);
  return reply;
}

void fillStatusBlocks(SimUnit& unit) {
  const UnitSettings& s = unit.settings();
  fillInterfaceBlock(unit, kEthernetBlock, false);
  fillInterfaceBlock(unit, kWirelessBlock, true);
  std::array<std::uint8_t, kLinkSize> link{};
  // Logged in to an access point of the same maker, as a station would be.
  const std::uint8_t ap[6] = {0x00, 0x80, 0x92, 0x7F, 0x00, 0x01};
  std::copy(ap, ap + 6, link.begin());
  writeLe32(&link[8], 3);
  writeLe16(&link[12], 72);
  writeLe16(&link[14], 18);
  writeLe32(&link[32], 0);
  unit.memory().write(kWirelessLinkBlock, link);
  std::array<std::uint8_t, kCountersSize> counters{};
  for (std::size_t at = 0; at < 68; at += 4) writeLe32(&counters[at], static_cast<std::uint32_t>(1000 + at * 31 + s.mac.bytes[5]));
  unit.memory().write(kWirelessCounterBlock, counters);
  std::array<std::uint8_t, kBridgeSize> bridge{};
  writeLe16(&bridge[2], 32768);
  writeLe32(&bridge[4], 12345678);  // hundredths: 1 day 10:17:36
  writeLe16(&bridge[8], 3);
  bridge[12] = 0x80;
  std::copy(s.mac.bytes.begin(), s.mac.bytes.end(), bridge.begin() + 14);
  writeLe16(&bridge[26], 20);
  writeLe32(&bridge[28], 2);
  writeLe32(&bridge[36], 15);
  writeLe32(&bridge[40], 20);
  writeLe32(&bridge[44], 2);
  writeLe32(&bridge[48], 15);
  unit.memory().write(kStpBridgeBlock, bridge);
}

std::vector<std::uint8_t> wirelessNodeRecord(const UnitSettings& s, std::uint32_t i) {
  std::vector<std::uint8_t> r(64, 0);
  const std::uint8_t mac[6] = {0x02, 0x80, 0x92, 0x10, s.mac.bytes[5], static_cast<std::uint8_t>(i + 1)};
  std::copy(mac, mac + 6, r.begin());
  writeLe32(&r[12], 10 + i);
  writeLe32(&r[16], (20u << 16) | (40 + 5 * i));
  const std::uint8_t eth[6] = {0x00, 0x80, 0x92, 0x20, s.mac.bytes[5], static_cast<std::uint8_t>(i + 1)};
  std::copy(eth, eth + 6, r.begin() + 20);
  writeLe32(&r[32], i % 2 ? 5500000 : 11000000);
  writeLe16(&r[36], 1);
  writeLe32(&r[40], i);
  r.resize(wirelessNodeRecordSize(s));
  return r;
}

std::vector<std::uint8_t> macTableRecord(const UnitSettings& s, std::uint32_t i) {
  std::vector<std::uint8_t> r(kTableRecord, 0);
  const std::uint8_t station[6] = {0x00, 0xA0, 0xC9, s.mac.bytes[5], static_cast<std::uint8_t>(i >> 8),
                                   static_cast<std::uint8_t>(i)};
  std::copy(station, station + 6, r.begin() + 12);
  const bool wireless = i % 2 == 1;
  writeLe16(&r[18], wireless ? 2 : 1);
  if (wireless) {
    const std::uint8_t via[6] = {0x02, 0x80, 0x92, 0x10, s.mac.bytes[5], 1};
    std::copy(via, via + 6, r.begin() + 20);
  }
  writeLe16(&r[26], static_cast<std::uint16_t>(1 + i % 5));
  return r;
}

std::vector<std::uint8_t> stpPortRecord(const UnitSettings& s, std::uint32_t i) {
  std::vector<std::uint8_t> r(kTableRecord, 0);
  writeLe16(&r[0], static_cast<std::uint16_t>(i + 1));
  writeLe16(&r[2], 128);
  writeLe16(&r[4], 5);  // forwarding
  writeLe32(&r[8], i == 0 ? 100 : 500);
  r[12] = 0x80;
  std::copy(s.mac.bytes.begin(), s.mac.bytes.end(), r.begin() + 14);
  r[24] = 0x80;
  std::copy(s.mac.bytes.begin(), s.mac.bytes.end(), r.begin() + 26);
  writeLe16(&r[32], static_cast<std::uint16_t>(0x8001 + i));
  writeLe16(&r[34], 1);
  return r;
}

using RecordMaker = std::vector<std::uint8_t> (*)(const UnitSettings&, std::uint32_t);

MemoryArea listArea(std::string name, std::uint32_t base, std::uint32_t last,
                    std::function<std::size_t(const SimUnit&)> recordSize,
                    std::function<std::uint32_t(const SimUnit&)> count, RecordMaker make) {
  auto read = [=](SimUnit& unit, const AreaRequest& r) {
    const std::size_t size = recordSize(unit);
    const std::uint32_t from = static_cast<std::uint32_t>((r.address - base) / size);
    const std::uint32_t total = count(unit);
    if (from >= total) return endWithoutBytes();
    const std::uint32_t n = std::min<std::uint32_t>(static_cast<std::uint32_t>(r.length / size), total - from);
    AreaReply reply;
    for (std::uint32_t i = 0; i < n; ++i) {
      auto rec = make(unit.settings(), from + i);
      reply.payload.insert(reply.payload.end(), rec.begin(), rec.end());
    }
    reply.length = static_cast<std::uint16_t>(reply.payload.size());
    reply.status = from + n < total ? StatusOk : StatusEnd;
    return reply;
  };
  return {std::move(name), base, last, true, read, [](SimUnit&, const AreaRequest&) { return refuse(); }};
}

void installStatusAreas(SimUnit& unit) {
  unit.setWirelessNodeCount(unit.settings().wirelessNodes);
  unit.setMacTableCount(unit.settings().macTableEntries);
  unit.addArea(fixedBlock("wireless link", kWirelessLinkBlock, kLinkSize));
  unit.addArea(listArea(
      "wireless nodes", kWirelessNodeList, kWirelessCounterBlock - 1,
      [](const SimUnit& u) { return wirelessNodeRecordSize(u.settings()); },
      [](const SimUnit& u) { return u.wirelessNodeCount(); }, wirelessNodeRecord));
  unit.addArea(fixedBlock("wireless counters", kWirelessCounterBlock, kCountersSize));
  unit.addArea(listArea(
      "MAC address table", kMacTableList, kStpBridgeBlock - 1, [](const SimUnit&) { return kTableRecord; },
      [](const SimUnit& u) { return u.macTableCount(); }, macTableRecord));
  unit.addArea(fixedBlock("spanning tree bridge", kStpBridgeBlock, kBridgeSize));
  unit.addArea(listArea(
      "spanning tree ports", kStpPortList, kStpPortList + 0xFFF, [](const SimUnit&) { return kTableRecord; },
      [](const SimUnit&) { return 2u; }, stpPortRecord));
  unit.addArea({"interface (Ethernet)", kEthernetBlock, kEthernetBlock + kInterfaceBlock - 1, true,
                [](SimUnit& u, const AreaRequest& r) { return readInterfaceBlock(u, r, kEthernetBlock, StatusOk); },
                [](SimUnit&, const AreaRequest&) { return refuse(); }});
  fillStatusBlocks(unit);
}

void clearStatus(SimUnit& unit, std::uint32_t mask) {
  const std::vector<std::uint8_t> zeros(kInterfaceBlock - kInterfaceCountersAt, 0);
  if (mask & kClearEthernet) unit.memory().write(kEthernetBlock + kInterfaceCountersAt, zeros);
  if (mask & kClearWireless) unit.memory().write(kWirelessBlock + kInterfaceCountersAt, zeros);
  if (mask & kClearWirelessNodes) unit.setWirelessNodeCount(0);
  if (mask & kClearWirelessCounters) unit.memory().write(kWirelessCounterBlock, std::vector<std::uint8_t>(kCountersSize, 0));
  if (mask & kClearMacTable) unit.setMacTableCount(0);
}

AreaReply writeClearMask(SimUnit& unit, const AreaRequest& r) {
  if (r.address != unit_address::kClearMask || r.payload.size() != kClearMaskSize) return refuse();
  if (unit.settings().clearUnsupported) return endWithoutBytes();
  unit.recordClear(readLe32(r.payload.data()));
  clearStatus(unit, readLe32(r.payload.data()));
  AreaReply reply;
  reply.length = static_cast<std::uint16_t>(kClearMaskSize);
  return reply;
}

// The extended information block is the wireless interface block too.
AreaReply readExtended(SimUnit& unit, const AreaRequest& r) {
  std::uint16_t status = unit.extendedStatus();
  if (status == StatusEnd) return endWithoutBytes();
  return readInterfaceBlock(unit, r, kWirelessBlock, status);
}

AreaReply readConfigHeader(SimUnit& unit, const AreaRequest& r) {
  std::size_t offset = r.address - kConfigHeader;
  return readBytes(unit, r.address, std::min<std::size_t>(r.length, kConfigHeaderSize - offset));
}

AreaReply writeConfigHeader(SimUnit& unit, const AreaRequest& r) {
  std::size_t offset = r.address - kConfigHeader;
  if (offset + r.payload.size() > kConfigHeaderSize) return refuse();
  return writePlain(unit, r);
}

// The body is a multi-block area: its last block says so with status 2.
AreaReply readConfigBody(SimUnit& unit, const AreaRequest& r) {
  std::size_t offset = r.address - kConfigBody;
  std::size_t size = unit.configBodySize();
  if (offset >= size) return endWithoutBytes();
  std::size_t n = std::min<std::size_t>(r.length, size - offset);
  return readBytes(unit, r.address, n, offset + n >= size ? StatusEnd : StatusOk);
}

// Whole or not at all, so a write past the end cannot leave a torn body.
AreaReply writeConfigBody(SimUnit& unit, const AreaRequest& r) {
  std::size_t offset = r.address - kConfigBody;
  if (offset + r.payload.size() > unit.configBodySize()) return refuse();
  return writePlain(unit, r);
}

MemoryArea imageArea(std::string name, std::uint32_t base, std::uint32_t areaSize) {
  auto read = [base](SimUnit& unit, const AreaRequest& r) {
    std::uint32_t offset = r.address - base;
    std::uint32_t length = unit.imageLength(base);
    if (unit.settings().shortImage > 0) length = std::min(length, unit.settings().shortImage);
    if (offset >= length) return readBytes(unit, r.address, 0);
    std::size_t n = std::min<std::size_t>({r.length, kImageBlock, length - offset});
    return readBytes(unit, r.address, n);
  };
  auto write = [base, areaSize](SimUnit& unit, const AreaRequest& r) {
    std::uint32_t offset = r.address - base;
    AreaReply reply;
    if (r.payload.empty()) {
      // Offset 0 is Cancel's closing request, not an empty image.
      if (offset > 0) unit.setImageLength(base, offset);
      return reply;
    }
    if (offset + r.payload.size() > areaSize) return refuse();
    std::size_t take = r.payload.size();
    if (unit.settings().shortAck > 0) take = std::min<std::size_t>(take, unit.settings().shortAck);
    unit.memory().write(r.address, r.payload.first(take));
    auto end = offset + static_cast<std::uint32_t>(take);
    unit.setImageLength(base, offset == 0 ? end : std::max(unit.imageLength(base), end));
    reply.length = static_cast<std::uint16_t>(take);
    return reply;
  };
  // One byte past the area still belongs to it: that is where the
  // zero-length write of an image that fills the whole area ends it.
  return {std::move(name), base, base + areaSize, false, read, write};
}

const ConfigSet& builtInDefaults() {
  static const std::unique_ptr<ConfigSet> defaults = [] {
    auto set = std::make_unique<ConfigSet>();
    BuildDefaultConfig(*set);
    return set;
  }();
  return *defaults;
}

void installConfiguration(SimUnit& unit) {
  auto set = std::make_unique<ConfigSet>();
  ResetToDefaults(builtInDefaults(), *set, unit.mac());
  std::span<std::uint8_t> image = set->image(unit.layout());
  // A layout no firmware has leaves the unit without a configuration.
  if (image.size() < kConfigBodyOffset) return;
  auto ip = ipv4Octets(unit.ip());
  std::copy(ip.begin(), ip.end(), image.begin() + cfg::IPAddress);
  unit.loadConfigImage(image);
}

}  // namespace

std::uint16_t layoutVersionWord(int layout) {
  for (const auto& v : kLayoutVersions)
    if (v.layout == layout) return v.words[0];
  return 0;
}

std::array<std::uint32_t, 2> systemInfoWords(const UnitSettings& s) {
  if (s.infoWords) return *s.infoWords;
  std::uint32_t firmware = layoutVersionWord(s.layout);
  for (const auto& v : kLayoutVersions)
    if (v.layout == s.layout && (s.firmwareVersion == v.words[0] || s.firmwareVersion == v.words[1]))
      firmware = s.firmwareVersion;
  return {kLoaderVersionWord, firmware};
}

ExtendedBlock resolvedExtended(const UnitSettings& s) {
  if (s.extended != ExtendedBlock::Auto) return s.extended;
  return s.layout == 1 ? ExtendedBlock::Absent : ExtendedBlock::Status0;
}

// The unit builds its own images; it does not borrow the program's check, so
// a slip in either shows up when they meet.
std::uint16_t firmwareHeaderCheckWord(std::span<const std::uint8_t> header) {
  std::uint32_t sum = 0;
  auto add = [&sum](std::uint16_t w) {
    sum += w;
    sum = (sum & 0xFFFF) + (sum >> 16);
  };
  for (std::size_t at = 0; at + 1 < kFirmwareHeaderSize && at + 1 < header.size(); at += 2)
    if (at != 0 && at != kFirmwareDataWordOffset) add(readLe16(header.data() + at));
  add(0x4353);
  return static_cast<std::uint16_t>(~sum);
}

void fillFirmwareBytes(const UnitSettings& s, std::uint32_t offset, std::span<std::uint8_t> out) {
  fillPseudoRandom(imageSeed(s, kFirmwareTag), offset, out);
  if (offset >= kFirmwareHeaderSize) return;
  auto header = firmwareHeader(s);
  std::size_t n = std::min<std::size_t>(out.size(), kFirmwareHeaderSize - offset);
  std::memcpy(out.data(), header.data() + offset, n);
}

void fillLoaderBytes(const UnitSettings& s, std::uint32_t offset, std::span<std::uint8_t> out) {
  fillPseudoRandom(imageSeed(s, kLoaderTag), offset, out);
}

void refreshSystemInfo(SimUnit& unit) {
  const UnitSettings& s = unit.settings();
  std::vector<std::uint8_t> header = unit.configHeader();
  std::vector<std::uint8_t> body = unit.configBody();
  auto headerAt = [&](std::size_t imageOffset) { return header.data() + (imageOffset - kConfigHeaderOffset); };
  auto bodyWord = [&](std::size_t imageOffset) -> std::uint16_t {
    std::size_t at = imageOffset - kConfigBodyOffset;
    return at + 2 <= body.size() ? readLe16(body.data() + at) : 0;
  };

  std::array<std::uint8_t, kSystemInfoSize> info{};
  auto words = unit.infoWords();
  writeLe32(&info[0], words[0]);
  writeLe32(&info[4], words[1]);
  for (int i = 0; i < 3; ++i) writeLe16(&info[8 + 2 * i], kCardFirmwareVersion[i]);
  writeLe16(&info[16], kHardwareVersion);
  std::copy(s.mac.bytes.begin(), s.mac.bytes.end(), info.begin() + 20);
  // The radio has an address of its own, told apart by the locally
  // administered bit.
  std::copy(s.mac.bytes.begin(), s.mac.bytes.end(), info.begin() + 28);
  info[28] |= 0x02;
  writeLe16(&info[34], s.unitType);
  // The unit stays where it is bound, whatever its configuration says.
  auto ip = ipv4Octets(s.ip);
  std::copy(ip.begin(), ip.end(), info.begin() + 36);
  std::memcpy(&info[40], headerAt(cfg::SubnetMask), 4);
  std::memcpy(&info[44], headerAt(cfg::DefaultGateway), 4);
  writeLe32(&info[48], bodyWord(cfg::NetworkMode));
  writeLe32(&info[52], bodyWord(cfg::UnitType));
  std::memcpy(&info[56], kCardType, sizeof kCardType);
  std::uint16_t channel = bodyWord(cfg::ChannelCount) == 0 ? 0xFFFF : bodyWord(cfg::Channels);
  writeLe32(&info[108], channel == 0xFFFF ? 0xFFFFFFFFu : channel);  // -1: free
  unit.memory().write(unit_address::kSystemInfo, info);

  std::array<std::uint8_t, kSystemInfo2Size> info2{};
  writeLe32(&info2[4], kPacketBuffers);
  writeLe32(&info2[8], kMinPacketBuffers);
  for (int led = 0; led < 3; ++led) writeLe32(&info2[16 + 4 * led], kLedOn);
  for (int sw = 0; sw < 4; ++sw) writeLe32(&info2[88 + 4 * sw], kDipOff);
  info2[181] = static_cast<std::uint8_t>(channel == 0xFFFF ? 0 : channel);
  info2[182] = static_cast<std::uint8_t>(bodyWord(cfg::RegDomain));
  info2[kCardKindOffset] = static_cast<std::uint8_t>(s.cardKind);
  unit.memory().write(unit_address::kSystemInfo2, info2);
}

void installUnitMemory(SimUnit& unit) {
  const UnitSettings settings = unit.settings();
  unit.memory().setFiller([settings](std::uint32_t base, std::span<std::uint8_t> page) {
    if (base >= kFirmware && base - kFirmware < unit_address::kFirmwareSize)
      fillFirmwareBytes(settings, base - kFirmware, page);
    else if (base >= kLoader && base - kLoader < unit_address::kLoaderSize)
      fillLoaderBytes(settings, base - kLoader, page);
    else
      std::fill(page.begin(), page.end(), 0);
  });
  unit.setImageLength(kFirmware, std::clamp(settings.firmwareSize, static_cast<std::uint32_t>(kMinFirmwareSize),
                                            unit_address::kFirmwareSize));
  unit.setImageLength(kLoader, std::min(settings.loaderSize, unit_address::kLoaderSize));

  // Newest first wins, so the fixed blocks sit on top of the status area.
  unit.addArea(infoBlock("system information", unit_address::kSystemInfo, kSystemInfoSize, kOldSystemInfoSize));
  unit.addArea(infoBlock("second system information", unit_address::kSystemInfo2, kSystemInfo2Size,
                         kOldSystemInfo2Size));
  unit.addArea({"clear mask", unit_address::kClearMask,
                unit_address::kClearMask + static_cast<std::uint32_t>(kClearMaskSize) - 1, true,
                [](SimUnit& u, const AreaRequest& r) { return readBytes(u, r.address, 0); }, writeClearMask});
  unit.addArea(fixedBlock("status record", unit_address::kStatusRecord, kStatusRecordSize));
  unit.addArea({"extended information", unit_address::kExtendedInfo,
                unit_address::kExtendedInfo + static_cast<std::uint32_t>(kExtendedInfoSize) - 1, true, readExtended,
                [](SimUnit&, const AreaRequest&) { return refuse(); }});
  unit.addArea({"configuration header", kConfigHeader,
                kConfigHeader + static_cast<std::uint32_t>(kConfigHeaderSize) - 1, false, readConfigHeader,
                writeConfigHeader});
  unit.addArea({"configuration body", kConfigBody, kConfigBodyAreaLast, false, readConfigBody, writeConfigBody});
  unit.addArea(imageArea("firmware", kFirmware, unit_address::kFirmwareSize));
  unit.addArea(imageArea("loader", kLoader, unit_address::kLoaderSize));
  unit.addArea({"wireless card information", unit_address::kCardInfo,
                unit_address::kCardInfo + static_cast<std::uint32_t>(kCardInfoSize) - 1, false, readCardInfo,
                [](SimUnit&, const AreaRequest&) { return refuse(); }});
  unit.addArea({"wireless card firmware", unit_address::kCardFirmware, unit_address::kCardFirmware + kCardImageSize - 1,
                false, readCardImage, writeCardImage});
  unit.memory().write(unit_address::kCardInfo, cardInfoBlock(settings));

  installStatusAreas(unit);
  installConfiguration(unit);
  refreshSystemInfo(unit);
}

std::size_t wirelessNodeRecordSize(const UnitSettings& settings) {
  return systemInfoWords(settings)[1] <= 0x010A ? 20 : 64;
}

}  // namespace trennic::sim
