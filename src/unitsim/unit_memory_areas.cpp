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

// The card's records: its MAC address and two calibration words, both
// fixed by the unit's MAC.
std::vector<std::uint8_t> cardInfoBlock(const UnitSettings& s) {
  std::vector<std::uint8_t> b(kCardInfoSize, 0);
  std::size_t w = 0;
  auto word = [&](std::uint16_t v) {
    writeLe16(b.data() + 2 * w, v);
    ++w;
  };
  word(4);
  word(0x0101);
  std::array<std::uint8_t, 6> mac = s.mac.bytes;
  mac[0] |= 0x02;
  for (int i = 0; i < 6; i += 2) word(static_cast<std::uint16_t>(mac[i] | mac[i + 1] << 8));
  word(3);
  word(0x0104);
  word(static_cast<std::uint16_t>(0x1000 + s.mac.bytes[5]));
  word(static_cast<std::uint16_t>(0x2000 + s.mac.bytes[4]));
  word(0);
  return b;
}

AreaReply readExtended(SimUnit& unit, const AreaRequest& r) {
  std::uint16_t status = unit.extendedStatus();
  if (status == StatusEnd) return endWithoutBytes();
  std::uint32_t last = unit_address::kExtendedInfo + static_cast<std::uint32_t>(kExtendedInfoSize) - 1;
  return readBytes(unit, r.address, std::min<std::size_t>(r.length, last - r.address + 1), status);
}

AreaReply writeClearMask(SimUnit& unit, const AreaRequest& r) {
  if (r.address != unit_address::kClearMask || r.payload.size() != kClearMaskSize) return refuse();
  if (unit.settings().clearUnsupported) return endWithoutBytes();
  unit.recordClear(readLe32(r.payload.data()));
  AreaReply reply;
  reply.length = static_cast<std::uint16_t>(kClearMaskSize);
  return reply;
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

  installConfiguration(unit);
  refreshSystemInfo(unit);
}

}  // namespace trennic::sim
