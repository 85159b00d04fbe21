// The unit's memory driven by hand the way the program's operations drive
// it: configuration reads and writes, firmware and loader images, the clear
// mask. No sockets here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/config/ap_config.h"
#include "core/protocol/packet.h"
#include "unit_requests.h"
#include "unitsim/unit_memory_areas.h"
#include "unitsim/unit_model.h"

namespace trennic::sim {
namespace {

using namespace trennic::sim::testing;
using namespace trennic::unit_address;

constexpr std::size_t kBlock = 1422;
constexpr std::size_t kImageRead = 1024;

UnitSettings unitWith(int layout, ExtendedBlock extended = ExtendedBlock::Auto) {
  UnitSettings s;
  s.mac = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x0A, 0x0B}};
  s.ip = ipv4FromOctets(127, 0, 0, 12);
  s.layout = layout;
  s.extended = extended;
  return s;
}

// The image of a layout as the program builds it for this unit before a
// read, with the unit's own address: what the unit must hold at start.
Bytes expectedImage(const UnitSettings& s) {
  ConfigSet defaults, set;
  BuildDefaultConfig(defaults);
  ResetToDefaults(defaults, set, s.mac);
  auto image = set.image(s.layout);
  Bytes out(image.begin(), image.begin() + kConfigBodyOffset + configBodySize(s.layout));
  auto ip = ipv4Octets(s.ip);
  std::copy(ip.begin(), ip.end(), out.begin() + cfg::IPAddress);
  return out;
}

// An independent reading of the header check, word by word.
bool headerPasses(const Bytes& h) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < 32; ++i) {
    std::uint16_t w = (i == 0 || i == 26) ? 0 : static_cast<std::uint16_t>(h[2 * i] | h[2 * i + 1] << 8);
    sum += w;
    if (sum > 0xFFFF) sum -= 0xFFFF;
  }
  sum += 0x4353;
  if (sum > 0xFFFF) sum -= 0xFFFF;
  return static_cast<std::uint16_t>(h[0] | h[1] << 8) == static_cast<std::uint16_t>(~sum);
}

Bytes pattern(std::size_t n, std::uint8_t seed) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
  return b;
}

// What the program's configuration read takes from a unit: the info words,
// the layout it picks, and the blocks of the body.
struct ReadTrace {
  std::uint32_t word1 = 0, word2 = 0;
  std::uint16_t extendedStatus = 0;
  std::optional<int> layout;
  std::vector<std::size_t> blocks;
  std::vector<std::uint16_t> statuses;
  Bytes image;
};

ReadTrace readConfiguration(SimUnit& unit) {
  ReadTrace t;
  Answer info = ask(unit, read(kSystemInfo, 112));
  EXPECT_EQ(info.status, StatusOk);
  EXPECT_EQ(info.length, 112);
  Bytes block(112, 0);
  writeLe32(block.data(), 0x100);
  writeLe32(block.data() + 4, 0x100);
  std::copy(info.payload.begin(), info.payload.begin() + std::min<std::size_t>(112, info.payload.size()),
            block.begin());
  t.word1 = readLe32(block.data());
  t.word2 = readLe32(block.data() + 4);

  Answer ext = ask(unit, read(kExtendedInfo, 68));
  t.extendedStatus = ext.status;
  bool present = ext.status == 0 || ext.status == 6;
  t.layout = LookupConfigLayout(present, present ? t.word2 : t.word1);
  if (!t.layout) return t;

  std::size_t size = configBodySize(*t.layout);
  t.image.assign(kConfigBodyOffset + size, 0);
  Answer header = ask(unit, read(kConfigHeader, 176));
  EXPECT_EQ(header.status, StatusOk);
  EXPECT_EQ(header.length, 176);
  std::copy(header.payload.begin(), header.payload.end(), t.image.begin() + kConfigHeaderOffset);

  std::size_t offset = 0;
  while (offset < size) {
    auto chunk = static_cast<std::uint16_t>(std::min(size - offset, kBlock));
    Answer a = ask(unit, read(kConfigBody + static_cast<std::uint32_t>(offset), chunk));
    EXPECT_EQ(a.address, kConfigBody + offset);
    EXPECT_EQ(a.payload.size(), a.length);
    t.blocks.push_back(a.length);
    t.statuses.push_back(a.status);
    std::copy(a.payload.begin(), a.payload.end(), t.image.begin() + kConfigBodyOffset + offset);
    offset += a.length;
    if (a.status != StatusOk || a.length == 0) break;
  }
  return t;
}

TEST(UnitMemory, ConfigurationReadFindsTheUnitsLayoutAndItsDefaults) {
  struct Case {
    const char* rule;
    int layout;
    ExtendedBlock extended;
    std::uint32_t word2;
    std::uint16_t extendedStatus;
    std::size_t blocks;
    std::size_t lastBlock;
  };
  const Case cases[] = {
      {"layout 1 has no extended block and is known by word 1", 1, ExtendedBlock::Auto, 0x0100, StatusEnd, 1, 212},
      {"layout 1 may have the extended block", 1, ExtendedBlock::Status0, 0x0100, 0, 1, 212},
      {"layout 2", 2, ExtendedBlock::Auto, 0x010B, 0, 1, 336},
      {"layout 3", 3, ExtendedBlock::Auto, 0x0114, 0, 1, 490},
      {"layout 4", 4, ExtendedBlock::Auto, 0x011E, 0, 1, 490},
      {"layout 5 comes in 17 full blocks and one of 922", 5, ExtendedBlock::Auto, 0x0201, 0, 18, 922},
      {"status 6 counts as present", 5, ExtendedBlock::Status6, 0x0201, 6, 18, 922},
  };
  for (const auto& c : cases) {
    UnitSettings s = unitWith(c.layout, c.extended);
    SimUnit unit(s);
    ReadTrace t = readConfiguration(unit);
    EXPECT_EQ(t.word1, 0x0100u) << c.rule;
    EXPECT_EQ(t.word2, c.word2) << c.rule;
    EXPECT_EQ(t.extendedStatus, c.extendedStatus) << c.rule;
    ASSERT_EQ(t.layout, c.layout) << c.rule;
    ASSERT_EQ(t.blocks.size(), c.blocks) << c.rule;
    for (std::size_t i = 0; i + 1 < t.blocks.size(); ++i) {
      EXPECT_EQ(t.blocks[i], kBlock) << c.rule << " block " << i;
      EXPECT_EQ(t.statuses[i], StatusOk) << c.rule << " block " << i;
    }
    EXPECT_EQ(t.blocks.back(), c.lastBlock) << c.rule;
    EXPECT_EQ(t.statuses.back(), StatusEnd) << c.rule << ": the block that reaches the end says so";

    EXPECT_EQ(Bytes(t.image.begin() + cfg::IPAddress, t.image.begin() + cfg::IPAddress + 4),
              (Bytes{127, 0, 0, 12}))
        << c.rule << ": the unit's own address";
    EXPECT_EQ(t.image, expectedImage(s)) << c.rule << ": the program's defaults otherwise";
    EXPECT_EQ(t.image, unit.configImage()) << c.rule;
  }
}

TEST(UnitMemory, InfoWordsThatNoTableKnowsLeaveTheReadWithoutLayout) {
  struct Case {
    const char* rule;
    UnitSettings settings;
  };
  UnitSettings unknown = unitWith(5);
  unknown.infoWords = std::array<std::uint32_t, 2>{0x0100, 0x0120};
  UnitSettings absent = unitWith(5, ExtendedBlock::Absent);
  absent.infoWords = std::array<std::uint32_t, 2>{0x0201, 0x0201};
  const Case cases[] = {
      {"second word 0x0120 is in no table", unknown},
      {"0x0201 without the extended block is in no table", absent},
  };
  for (const auto& c : cases) {
    SimUnit unit(c.settings);
    ReadTrace t = readConfiguration(unit);
    EXPECT_EQ(t.word1, (*c.settings.infoWords)[0]) << c.rule;
    EXPECT_EQ(t.word2, (*c.settings.infoWords)[1]) << c.rule;
    EXPECT_FALSE(t.layout) << c.rule;
  }
}

TEST(UnitMemory, StatusBlocksAreOpenReadOnlyAndPlausible) {
  UnitSettings s = unitWith(5);
  s.password = "pw";
  SimUnit unit(s);
  struct Case {
    std::uint32_t address;
    std::uint16_t asked;
    std::uint16_t length;
  };
  const Case cases[] = {
      {kSystemInfo, 112, 112},  {kSystemInfo2, 216, 216}, {kStatusRecord, 128, 128},
      {kExtendedInfo, 128, 128}, {kSystemInfo, 200, 112},  // a fixed block ends where it ends
  };
  for (const auto& c : cases) {
    Answer a = ask(unit, read(c.address, c.asked));
    EXPECT_EQ(a.status, StatusOk) << std::hex << c.address;
    EXPECT_EQ(a.length, c.length) << std::hex << c.address;
    EXPECT_EQ(statusOf(unit, write(c.address, {1, 2, 3, 4}, "pw")), kStatusRefused) << std::hex << c.address;
  }
  Bytes info = ask(unit, read(kSystemInfo, 112)).payload;
  EXPECT_EQ(Bytes(info.begin() + 20, info.begin() + 26), Bytes(s.mac.bytes.begin(), s.mac.bytes.end()));
  EXPECT_EQ(Bytes(info.begin() + 36, info.begin() + 40), (Bytes{127, 0, 0, 12}));
  EXPECT_EQ(Bytes(info.begin() + 40, info.begin() + 44), (Bytes{255, 0, 0, 0}));
  EXPECT_EQ(readLe32(&info[108]), 1u) << "the default channel";

  // After a reboot the unit shows what its configuration now says.
  Bytes mask{255, 255, 0, 0};
  ASSERT_EQ(statusOf(unit, write(kConfigHeader + 4, mask, "pw")), StatusOk);
  ASSERT_EQ(statusOf(unit, reboot("pw")), StatusOk);
  unit.finishReboot();
  info = ask(unit, read(kSystemInfo, 112)).payload;
  EXPECT_EQ(Bytes(info.begin() + 40, info.begin() + 44), mask);
  EXPECT_EQ(Bytes(info.begin() + 36, info.begin() + 40), (Bytes{127, 0, 0, 12})) << "it stays where it is bound";
}

TEST(UnitMemory, ConfigurationWriteReadsBackByteForByte) {
  SimUnit unit(unitWith(5));
  const std::size_t size = unit.configBodySize();
  Bytes header = pattern(176, 3);
  Bytes body = pattern(size, 11);

  Answer h = ask(unit, write(kConfigHeader, header));
  EXPECT_EQ(h.status, StatusOk);
  EXPECT_EQ(h.length, 176);
  for (std::size_t offset = 0; offset < size; offset += kBlock) {
    std::size_t n = std::min(kBlock, size - offset);
    Bytes chunk(body.begin() + offset, body.begin() + offset + n);
    Answer a = ask(unit, write(kConfigBody + static_cast<std::uint32_t>(offset), chunk));
    ASSERT_EQ(a.status, StatusOk) << offset;
    ASSERT_EQ(a.length, n) << offset;
  }
  EXPECT_EQ(unit.configHeader(), header);
  EXPECT_EQ(unit.configBody(), body);

  ReadTrace t = readConfiguration(unit);
  EXPECT_EQ(Bytes(t.image.begin() + kConfigHeaderOffset, t.image.begin() + kConfigBodyOffset), header);
  EXPECT_EQ(Bytes(t.image.begin() + kConfigBodyOffset, t.image.end()), body);

  // A filter write patches only the table: the rest of the body stays.
  Bytes table = pattern(kMacFilterSize, 99);
  const std::size_t tableAt = kMacFilterOffset - kConfigBodyOffset;
  ASSERT_EQ(tableAt, 476u);
  for (std::size_t offset = 0; offset < table.size(); offset += kBlock) {
    std::size_t n = std::min(kBlock, table.size() - offset);
    Bytes chunk(table.begin() + offset, table.begin() + offset + n);
    ASSERT_EQ(statusOf(unit, write(kConfigBody + static_cast<std::uint32_t>(tableAt + offset), chunk)), StatusOk);
  }
  std::copy(table.begin(), table.end(), body.begin() + tableAt);
  EXPECT_EQ(unit.configBody(), body);
}

TEST(UnitMemory, ConfigurationAreasEndWhereTheLayoutSays) {
  struct Case {
    const char* rule;
    int layout;
    Req request;
    std::uint16_t status;
    std::uint16_t length;
  };
  const Case cases[] = {
      {"a read that stops short of the end is plain", 2, read(kConfigBody, 300), StatusOk, 300},
      {"a read crossing the end is cut and ends", 2, read(kConfigBody + 300, 100), StatusEnd, 36},
      {"a read at the end gives nothing and ends", 2, read(kConfigBody + 336, 10), StatusEnd, 0},
      {"a read beyond the end gives nothing and ends", 5, read(kConfigBody + 30000, 10), StatusEnd, 0},
      {"a write that fits is taken", 1, write(kConfigBody + 200, Bytes(12, 1)), StatusOk, 12},
      {"a write crossing the end is refused", 1, write(kConfigBody + 200, Bytes(13, 1)), kStatusRefused, 0},
      {"a write beyond the end is refused", 5, write(kConfigBody + 25096, Bytes(1, 1)), kStatusRefused, 0},
      {"a header read is cut at its end", 5, read(kConfigHeader + 100, 176), StatusOk, 76},
      {"a header write crossing its end is refused", 5, write(kConfigHeader + 1, Bytes(176, 1)), kStatusRefused,
       0},
  };
  for (const auto& c : cases) {
    SimUnit unit(unitWith(c.layout));
    const Bytes before = unit.configImage();
    Answer a = ask(unit, c.request);
    EXPECT_EQ(a.status, c.status) << c.rule;
    EXPECT_EQ(a.length, c.length) << c.rule;
    EXPECT_EQ(a.payload.size(), c.request.command == CmdRead ? c.length : 0u) << c.rule;
    if (a.status != StatusOk) {
      EXPECT_EQ(unit.configImage(), before) << c.rule << ": nothing changed";
    }
  }
}

// The program's firmware read: 1024-byte blocks until the unit gives none.
Bytes readImage(SimUnit& unit, std::uint32_t base, std::vector<std::size_t>* blocks = nullptr) {
  Bytes image;
  for (int guard = 0; guard < 1024; ++guard) {
    Answer a = ask(unit, read(base + static_cast<std::uint32_t>(image.size()), kImageRead));
    EXPECT_EQ(a.status, StatusOk);
    EXPECT_EQ(a.address, base + image.size());
    EXPECT_LE(a.length, kImageRead);
    if (blocks) blocks->push_back(a.length);
    if (a.length == 0) break;
    image.insert(image.end(), a.payload.begin(), a.payload.end());
  }
  return image;
}

// The program's image write: each block from where the unit's count left off,
// then the zero-length write at the end.
std::size_t writeImage(SimUnit& unit, std::uint32_t base, const Bytes& file) {
  std::size_t offset = 0, requests = 0;
  while (true) {
    std::size_t n = std::min(kImageRead, file.size() - offset);
    Bytes chunk(file.begin() + offset, file.begin() + offset + n);
    Answer a = ask(unit, write(base + static_cast<std::uint32_t>(offset), chunk));
    ++requests;
    EXPECT_EQ(a.status, StatusOk);
    EXPECT_EQ(a.address, base + offset);
    if (a.length == 0) break;
    offset += a.length;
    if (requests > 4096) break;
  }
  EXPECT_EQ(offset, file.size());
  return requests;
}

TEST(UnitMemory, FirmwareReadEndsWithAnEmptyBlockAtTheLengthInItsHeader) {
  struct Case {
    std::uint32_t size;
    std::size_t blocks;  // the empty one included
  };
  const Case cases[] = {{kDefaultFirmwareSize, 201}, {1500, 3}, {64, 2}, {kFirmwareSize, 513}};
  for (const auto& c : cases) {
    UnitSettings s = unitWith(5);
    s.firmwareSize = c.size;
    SimUnit unit(s);
    std::vector<std::size_t> blocks;
    Bytes image = readImage(unit, kFirmware, &blocks);
    ASSERT_GE(image.size(), 64u) << c.size;
    EXPECT_TRUE(headerPasses(image)) << c.size;
    EXPECT_EQ(readLe32(&image[36]), c.size);
    EXPECT_EQ(readLe16(&image[32]), 0x0201) << "the firmware version";
    EXPECT_NE(readLe16(&image[52]), 0) << "a word the check leaves out";
    EXPECT_EQ(image.size(), c.size);
    EXPECT_EQ(blocks.size(), c.blocks) << c.size;
    EXPECT_EQ(image, unit.firmwareImage());
  }

  // A header with any other word changed fails the check.
  SimUnit unit(unitWith(5));
  Bytes image = readImage(unit, kFirmware);
  image[36] ^= 1;
  EXPECT_FALSE(headerPasses(image));
}

TEST(UnitMemory, AUnitThatStopsShortEndsItsImageReadsThereWhateverTheHeaderSays) {
  UnitSettings s = unitWith(5);
  s.firmwareSize = 5000;
  s.shortImage = 2500;
  SimUnit unit(s);
  Bytes image = readImage(unit, kFirmware);
  ASSERT_EQ(image.size(), 2500u);
  EXPECT_EQ(readLe32(&image[36]), 5000u) << "the header still gives the whole length";
  Bytes whole = unit.firmwareImage();
  EXPECT_EQ(image, Bytes(whole.begin(), whole.begin() + 2500));
  EXPECT_EQ(readImage(unit, kLoader).size(), 2500u);
}

TEST(UnitMemory, ImageContentsAreFixedByTheUnitAndDifferBetweenUnits) {
  UnitSettings a = unitWith(5), b = unitWith(5);
  b.mac.bytes[5] ^= 1;
  SimUnit unitA(a), againA(a), unitB(b);
  EXPECT_EQ(unitA.firmwareImage(), againA.firmwareImage());
  EXPECT_NE(unitA.firmwareImage(), unitB.firmwareImage());
  EXPECT_EQ(unitA.loaderImage().size(), kDefaultLoaderSize);
  EXPECT_EQ(unitA.loaderImage(), againA.loaderImage());
  EXPECT_NE(unitA.loaderImage(), unitB.loaderImage());
  // The images are made on demand: a fresh unit holds only a few pages.
  EXPECT_LT(unitA.memory().pagesInUse(), 16u);
}

TEST(UnitMemory, ImageWriteThenReadGivesTheSameBytes) {
  struct Case {
    const char* rule;
    std::uint32_t base;
    std::size_t size;
    std::size_t requests;  // the zero-length write included
  };
  const Case cases[] = {
      {"1500 bytes go as 1024, 476 and the zero-length write", kFirmware, 1500, 3},
      {"an exact number of blocks", kFirmware, 4096, 5},
      {"the whole firmware area", kFirmware, kFirmwareSize, 513},
      {"a loader", kLoader, 70000, 70},
      {"the whole loader area", kLoader, kLoaderSize, 129},
  };
  for (const auto& c : cases) {
    SimUnit unit(unitWith(5));
    Bytes file = pattern(c.size, 5);
    EXPECT_EQ(writeImage(unit, c.base, file), c.requests) << c.rule;
    EXPECT_EQ(unit.imageLength(c.base), c.size) << c.rule;
    EXPECT_EQ(unit.storedImage(c.base), file) << c.rule;
    EXPECT_EQ(readImage(unit, c.base), file) << c.rule;
  }
}

TEST(UnitMemory, ImageWritesAreStoredWhereverTheyFall) {
  SimUnit unit(unitWith(5));
  const Bytes a = pattern(1024, 1), b = pattern(1024, 2), c = pattern(100, 3);
  auto at = [](std::uint32_t offset) { return kFirmware + offset; };

  EXPECT_EQ(ask(unit, write(at(0), a)).length, 1024);
  EXPECT_EQ(unit.imageLength(kFirmware), 1024u) << "a write at the start begins a new image";
  EXPECT_EQ(ask(unit, write(at(0), a)).length, 1024) << "a retransmitted block is stored again";
  EXPECT_EQ(ask(unit, write(at(1024), b)).length, 1024);
  EXPECT_EQ(ask(unit, write(at(1024), b)).length, 1024);
  EXPECT_EQ(unit.imageLength(kFirmware), 2048u);

  // Cancel's closing request leaves what was written.
  Answer closing = ask(unit, write(at(0), {}));
  EXPECT_EQ(closing.status, StatusOk);
  EXPECT_EQ(closing.length, 0);
  EXPECT_EQ(unit.imageLength(kFirmware), 2048u);

  // A zero-length write elsewhere ends the image there, even short of the
  // highest byte written.
  EXPECT_EQ(ask(unit, write(at(2048), c)).length, 100);
  EXPECT_EQ(ask(unit, write(at(1500), {})).length, 0);
  Bytes expected = a;
  expected.insert(expected.end(), b.begin(), b.begin() + (1500 - 1024));
  EXPECT_EQ(readImage(unit, kFirmware), expected);

  // A zero-length read, as Cancel sends it during a read, gives nothing.
  Answer empty = ask(unit, read(kFirmware, 0));
  EXPECT_EQ(empty.status, StatusOk);
  EXPECT_EQ(empty.length, 0);
  EXPECT_TRUE(empty.payload.empty());

  EXPECT_EQ(statusOf(unit, write(kFirmware + kFirmwareSize - 10, Bytes(11, 0))), kStatusRefused)
      << "nothing past the area";
  EXPECT_EQ(unit.imageLength(kFirmware), 1500u);
}

TEST(UnitMemory, ShortAckMakesTheWriteGoOnAtTheAcknowledgedOffset) {
  struct Case {
    std::uint16_t shortAck;
    std::size_t size;
    std::size_t requests;
  };
  // 1500 bytes with at most 1000 taken a write: 1000, 500, the empty write.
  const Case cases[] = {{1000, 1500, 3}, {1, 5, 6}, {1024, 3000, 4}, {700, 2100, 4}};
  for (const auto& c : cases) {
    UnitSettings s = unitWith(5);
    s.shortAck = c.shortAck;
    SimUnit unit(s);
    Answer first = ask(unit, write(kFirmware, pattern(std::min<std::size_t>(c.size, 1024), 0)));
    EXPECT_EQ(first.length, std::min<std::size_t>({c.size, 1024, c.shortAck})) << c.shortAck;

    SimUnit fresh(s);
    Bytes file = pattern(c.size, 9);
    EXPECT_EQ(writeImage(fresh, kLoader, file), c.requests) << c.shortAck;
    EXPECT_EQ(fresh.loaderImage(), file) << c.shortAck;
  }
}

TEST(UnitMemory, ClearMaskIsTakenOrNotSupported) {
  struct Case {
    const char* rule;
    bool unsupported;
    Req request;
    std::uint16_t status;
    unsigned clears;
  };
  const Case cases[] = {
      {"four bytes are taken", false, write(kClearMask, {3, 0, 0, 0}, "pw"), StatusOk, 1},
      {"a unit that cannot clear says so", true, write(kClearMask, {3, 0, 0, 0}, "pw"), StatusEnd, 0},
      {"the password comes first", true, write(kClearMask, {3, 0, 0, 0}, "no"), StatusDenied, 0},
      {"anything but four bytes is refused", false, write(kClearMask, {3, 0}, "pw"), kStatusRefused, 0},
  };
  for (const auto& c : cases) {
    UnitSettings s = unitWith(5);
    s.password = "pw";
    s.clearUnsupported = c.unsupported;
    SimUnit unit(s);
    EXPECT_EQ(statusOf(unit, c.request), c.status) << c.rule;
    EXPECT_EQ(unit.clearCount(), c.clears) << c.rule;
  }
  SimUnit unit(unitWith(5));
  Answer a = ask(unit, write(kClearMask, {0x00, 0x10, 0, 0}));
  EXPECT_EQ(a.length, 4);
  EXPECT_EQ(unit.lastClearMask(), 0x00001000u);
}

TEST(UnitMemory, SystemInfoWordsFollowLayoutVersionAndOverride) {
  struct Case {
    const char* rule;
    int layout;
    std::uint16_t version;
    std::optional<std::array<std::uint32_t, 2>> override;
    std::uint32_t word1, word2;
  };
  const Case cases[] = {
      {"layout 5 with version 2.01", 5, 0x0201, std::nullopt, 0x0100, 0x0201},
      {"layout 5 with version 2.00 keeps it", 5, 0x0200, std::nullopt, 0x0100, 0x0200},
      {"layout 4 with version 1.31 keeps it", 4, 0x011F, std::nullopt, 0x0100, 0x011F},
      {"layout 1 with version 1.10 keeps it", 1, 0x010A, std::nullopt, 0x0100, 0x010A},
      {"a version of another layout gives the layout's word", 3, 0x0201, std::nullopt, 0x0100, 0x0114},
      {"an override wins", 5, 0x0201, std::array<std::uint32_t, 2>{0x12345678, 0x0120}, 0x12345678, 0x0120},
  };
  for (const auto& c : cases) {
    UnitSettings s = unitWith(c.layout);
    s.firmwareVersion = c.version;
    s.infoWords = c.override;
    auto words = systemInfoWords(s);
    EXPECT_EQ(words[0], c.word1) << c.rule;
    EXPECT_EQ(words[1], c.word2) << c.rule;
  }
}

TEST(UnitMemory, WirelessCardBlocksOfOldAndNewUnits) {
  UnitSettings s = unitWith(5);
  s.cardKind = 1;
  SimUnit unit(s);
  Answer info = ask(unit, read(kSystemInfo, 112));
  EXPECT_EQ(info.status, StatusOk);
  EXPECT_EQ(info.payload.size(), 112u);
  Answer info2 = ask(unit, read(kSystemInfo2, 216));
  ASSERT_EQ(info2.payload.size(), 216u);
  EXPECT_EQ(info2.payload[192], 1);
  s.oldInfoBlocks = true;
  SimUnit old(s);
  Answer oldInfo = ask(old, read(kSystemInfo, 112));
  EXPECT_EQ(oldInfo.status, StatusEnd);
  EXPECT_EQ(oldInfo.payload.size(), 108u);
  Answer oldInfo2 = ask(old, read(kSystemInfo2, 216));
  EXPECT_EQ(oldInfo2.status, StatusEnd);
  EXPECT_EQ(oldInfo2.payload.size(), 152u);
  // The card's PDA block starts with its MAC record: the unit's address
  // with the locally administered bit.
  Answer pda = ask(unit, read(kCardInfo, 1024));
  ASSERT_EQ(pda.payload.size(), 1024u);
  EXPECT_EQ(Bytes(pda.payload.begin(), pda.payload.begin() + 10),
            (Bytes{4, 0, 0x01, 0x01, 0x02, 0x80, 0x92, 0x00, 0x0A, 0x0B}));
  // A card without that record starts with its calibration words.
  s.cardMacRecord = false;
  SimUnit bare(s);
  Answer barePda = ask(bare, read(kCardInfo, 1024));
  ASSERT_EQ(barePda.payload.size(), 1024u);
  EXPECT_EQ(Bytes(barePda.payload.begin(), barePda.payload.begin() + 4), (Bytes{3, 0, 0x04, 0x01}));
}

TEST(UnitMemory, CardWindowStoresBlocksAndCountsCompletedLoads) {
  UnitSettings s = unitWith(5);
  s.password = "pw";
  SimUnit unit(s);
  EXPECT_EQ(statusOf(unit, read(kCardInfo, 1024, "no")), StatusDenied);
  EXPECT_EQ(ask(unit, write(kCardFirmware, {}, "pw")).status, StatusOk);  // opens the load
  Bytes block = pattern(1024, 3);
  Answer a = ask(unit, write(kCardFirmware + 0x10000, block, "pw"));
  EXPECT_EQ(a.length, 1024);
  EXPECT_EQ(unit.cardLoadCount(), 0u);
  EXPECT_EQ(ask(unit, write(kCardFirmware + 0x1FFFF, {}, "pw")).length, 0);
  EXPECT_EQ(unit.cardLoadCount(), 1u);
  Bytes image = unit.cardImage();
  EXPECT_EQ(Bytes(image.begin() + 0x10000, image.begin() + 0x10400), block);
  EXPECT_EQ(statusOf(unit, write(kCardFirmware + 0x1FFF0, pattern(32, 1), "pw")), kStatusRefused);
}

TEST(UnitMemory, StatusListsEndWithStatusTwoAndClearingEmptiesThem) {
  struct Case {
    const char* list;
    std::uint32_t base;
    std::uint16_t firmware;
    std::size_t record;
    std::uint32_t entries;
  };
  for (const Case& c : {Case{"wireless nodes, new firmware", kWirelessNodeList, 0x0201, 64, 30},
                        Case{"wireless nodes, firmware 1.10", kWirelessNodeList, 0x010A, 20, 30},
                        Case{"MAC address table", kMacTableList, 0x0201, 36, 100},
                        Case{"spanning tree ports", kStpPortList, 0x0201, 36, 2}}) {
    SCOPED_TRACE(c.list);
    UnitSettings s = unitWith(c.firmware == 0x010A ? 1 : 5);
    s.firmwareVersion = c.firmware;
    s.wirelessNodes = c.entries;
    s.macTableEntries = c.entries;
    SimUnit unit(s);
    std::uint32_t offset = 0, records = 0;
    for (int guard = 0; guard < 10; ++guard) {
      Answer a = ask(unit, read(c.base + offset, 1404));
      ASSERT_EQ(a.length % c.record, 0u);
      records += static_cast<std::uint32_t>(a.length / c.record);
      offset += a.length;
      if (a.status != StatusOk) {
        EXPECT_EQ(a.status, StatusEnd);
        break;
      }
    }
    EXPECT_EQ(records, c.entries);
    Answer past = ask(unit, read(c.base + offset, 1404));
    EXPECT_EQ(past.status, StatusEnd);
    EXPECT_TRUE(past.payload.empty());
  }
  SimUnit unit(unitWith(5));
  ASSERT_EQ(statusOf(unit, write(kClearMask, {0x00, 0x11, 0, 0})), StatusOk);  // nodes and MAC table
  EXPECT_EQ(ask(unit, read(kWirelessNodeList, 1408)).length, 0);
  EXPECT_EQ(ask(unit, read(kMacTableList, 1404)).length, 0);
}

TEST(UnitMemory, InterfaceCountersMoveOnBetweenPollsAndClearToZero) {
  SimUnit unit(unitWith(5));
  Answer first = ask(unit, read(kStatusRecord, 128));
  Answer second = ask(unit, read(kStatusRecord, 128));
  ASSERT_EQ(first.payload.size(), 128u);
  EXPECT_EQ(readLe32(first.payload.data()), 1500u);  // MTU
  EXPECT_GT(readLe32(second.payload.data() + 20), readLe32(first.payload.data() + 20));
  ASSERT_EQ(statusOf(unit, write(kClearMask, {0x03, 0, 0, 0})), StatusOk);
  Answer cleared = ask(unit, read(kStatusRecord, 128));
  EXPECT_EQ(readLe32(cleared.payload.data()), 1500u);  // the MTU stays
  EXPECT_EQ(readLe32(cleared.payload.data() + 20), 0u);
  Answer wireless = ask(unit, read(kExtendedInfo, 128));
  EXPECT_EQ(readLe32(wireless.payload.data()), 2312u);
  EXPECT_EQ(readLe32(wireless.payload.data() + 20), 0u);
}

}  // namespace
}  // namespace trennic::sim
