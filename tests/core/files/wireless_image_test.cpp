// The wireless card's image: S-record lines, the scan into runs, the data
// and plug records, the PDA block and the blocks the unit is sent.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/files/wireless_image.h"
#include "core/protocol/packet.h"
#include "support/srecord_file.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

std::string record(char type, std::uint32_t address, const std::vector<std::uint8_t>& data) {
  return testing::sRecord(type, address, data);
}
std::string data(std::uint32_t address, std::size_t n, std::uint8_t first = 1) {
  return testing::sRecordData(address, n, first);
}
std::vector<std::uint8_t> words(std::initializer_list<std::uint32_t> ws) {
  std::vector<std::uint8_t> out;
  for (auto w : ws)
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
  return out;
}
std::string checkWord(std::uint32_t target, std::uint32_t flag) {
  return record('3', 0x01100000, words({target, 2, flag}));
}
std::string plug(std::uint32_t code, std::uint32_t target, std::uint32_t length) {
  return record('3', 0x01000000, words({code, target, length}));
}
const std::string kEnd = testing::sRecordEnd();

// A PDA block: records of (code, data words), then the end word.
std::vector<std::uint8_t> pdaBlock(const std::vector<std::pair<std::uint16_t, std::vector<std::uint16_t>>>& records) {
  std::vector<std::uint8_t> b(kPdaBlockSize, 0);
  std::size_t w = 0;
  for (const auto& [code, values] : records) {
    writeLe16(b.data() + 2 * w++, static_cast<std::uint16_t>(values.size() + 1));
    writeLe16(b.data() + 2 * w++, code);
    for (auto v : values) writeLe16(b.data() + 2 * w++, v);
  }
  return b;
}

TEST(SRecordLine, WhatReadsAndWhatIsUnusable) {
  auto ok = ParseSRecordLine("S309003F0000A1B2C3D4FF\n");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->type, '3');
  EXPECT_EQ(ok->count, 9u);
  EXPECT_EQ(ok->address, 0x003F0000u);
  EXPECT_EQ(ok->data, (std::vector<std::uint8_t>{0xA1, 0xB2, 0xC3, 0xD4}));
  EXPECT_TRUE(ParseSRecordLine("S70500000000FA"));  // no data, checksum unread
  struct Case {
    const char* why;
    const char* line;
  };
  for (const Case& c : {Case{"too short", "S3050000"}, Case{"not an S line", "X30900003F00A1B2C3D4FF"},
                        Case{"count below 5", "S30400003F00FF"}, Case{"address not hex", "S3090000G F00A1B2C3D4FF"},
                        Case{"a data pair that does not read", "S30900003F00A1B2CXD4FF"},
                        Case{"fewer pairs than the count", "S30900003F00A1B2"}})
    EXPECT_FALSE(ParseSRecordLine(c.line)) << c.why;
}

class WirelessFile : public ::testing::Test {
 protected:
  TempDir dir;
  WirelessImage image;
  std::string file(const std::string& text) {
    std::string path = dir.file("card.hex");
    writeBytes(path, text);
    return path;
  }
};

TEST_F(WirelessFile, DataAt3F0000MakesACardKind0ImageAndRefusesTheOtherKind) {
  std::string path = file(data(0x3F0000, 16) + kEnd);
  EXPECT_EQ(image.PrepareWirelessImage(path, CardKind0), WirelessReady);
  EXPECT_EQ(image.imageBase, 0x3E0000u);
  EXPECT_EQ(image.cardKind, CardKind0);
  EXPECT_EQ(image.entryAddress, 0x3F0000u);
  EXPECT_EQ(image.bytes[0x10000], 1);
  EXPECT_EQ(image.bytes[0x1000F], 16);
  EXPECT_EQ(image.PrepareWirelessImage(path, CardKind1), WirelessOtherCard);
  EXPECT_EQ(image.PrepareWirelessImage(file(data(0x7F0000, 16) + kEnd), CardKind1), WirelessReady);
  EXPECT_EQ(image.imageBase, 0x7E0000u);
}

TEST_F(WirelessFile, RefusedFiles) {
  std::string runs21;
  for (int i = 0; i < 21; ++i) runs21 += data(0x3F0000 + 0x100 * i, 4);
  struct Case {
    const char* why;
    std::string text;
  };
  for (const Case& c : {
           Case{"no end record", data(0x3F0000, 16)},
           Case{"no data", kEnd},
           Case{"more than 20 runs", runs21 + kEnd},
           Case{"data below 0x3E0000", data(0x3D0000, 16) + data(0x3F0000, 16) + kEnd},
           Case{"base class other than 3 or 7", data(0x5F0000, 16) + kEnd},
           Case{"data below the card window of kind 1", data(0x700000, 16) + data(0x7F0000, 16) + kEnd},
           Case{"data past the end of the card window", data(0x3F0000, 16) + data(0x400000, 16) + kEnd},
       })
    EXPECT_EQ(image.PrepareWirelessImage(file(c.text), CardKind0), WirelessInvalid) << c.why;
  EXPECT_EQ(image.PrepareWirelessImage(dir.file("missing.hex"), CardKind0), WirelessCannotOpen);
}

// Runs whose addresses wrap around the 32-bit space or reach out of the card
// window would send blocks to unit addresses outside the card's load area
// (a run at 0xFFFFFFFF goes to 0xFFDFFFFF, just below the unit's firmware).
TEST_F(WirelessFile, CraftedRunsOutsideTheCardWindowAreRefused) {
  const std::string kind0 = data(0x3F0000, 16);
  const std::string kind1 = data(0x7F0000, 16);
  struct Case {
    const char* why;
    std::string text;
    int cardKind;
    int result;
  };
  for (const Case& c : {
           Case{"check word for target 0", kind0 + checkWord(0, 1) + kEnd, CardKind0, WirelessInvalid},
           Case{"check word for target 1", kind0 + checkWord(1, 1) + kEnd, CardKind0, WirelessInvalid},
           Case{"check word for target 1 in a kind 1 image", kind1 + checkWord(1, 1) + kEnd, CardKind1,
                WirelessInvalid},
           Case{"a run grown past the top of the address space", kind0 + checkWord(0, 1) + data(0, 16) + kEnd,
                CardKind0, WirelessInvalid},
           Case{"check word half below the window", kind0 + checkWord(0x3E0001, 1) + kEnd, CardKind0,
                WirelessInvalid},
           Case{"check word half past the window", kind0 + checkWord(0x400001, 1) + kEnd, CardKind0,
                WirelessInvalid},
           Case{"data running past the window", kind0 + data(0x3FFFF8, 16) + kEnd, CardKind0, WirelessInvalid},
           Case{"check word on the window's first word", kind0 + checkWord(0x3E0002, 1) + kEnd, CardKind0,
                WirelessReady},
           Case{"check word on the window's last word", kind0 + checkWord(0x400000, 1) + kEnd, CardKind0,
                WirelessReady},
           Case{"data up to the window's last byte", kind0 + data(0x3FFFF0, 16) + kEnd, CardKind0, WirelessReady},
       }) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(image.PrepareWirelessImage(file(c.text), c.cardKind), c.result);
    if (c.result != WirelessReady) continue;
    for (std::uint32_t offset = 0;;) {
      ImageBlock b = image.NextImageBlock(offset);
      if (!b.more) break;
      EXPECT_LE(std::uint64_t(b.imageOffset) + b.length, kWirelessWindowSize);
      offset += b.length;
    }
  }
}

TEST_F(WirelessFile, AdjoiningRecordsFormOneRunAndBlocksNeverSpanTwo) {
  std::string path = file(data(0x3F0000, 16) + data(0x3F0010, 16) + data(0x3F0100, 200) + kEnd);
  ASSERT_EQ(image.ScanWirelessFile(path), WirelessReady);
  EXPECT_EQ(image.runCount, 2u);
  EXPECT_EQ(image.reportedSize, 32u + 10 + 200 + 10);
  ImageBlock first = image.NextImageBlock(0);
  EXPECT_EQ(first.imageOffset, 0x10000u);
  EXPECT_EQ(first.length, 32);
  ImageBlock second = image.NextImageBlock(32);
  EXPECT_EQ(second.imageOffset, 0x10100u);
  EXPECT_EQ(second.length, 200);
  ImageBlock past = image.NextImageBlock(232);
  EXPECT_EQ(past.imageOffset, 0x1FFFFu);
  EXPECT_EQ(past.length, 0);
  EXPECT_FALSE(past.more);
}

TEST_F(WirelessFile, A2500ByteRunGoesIn1024_1024And452) {
  ASSERT_EQ(image.PrepareWirelessImage(file(data(0x3F0000, 2500) + kEnd), CardKind0), WirelessReady);
  std::uint32_t offset = 0;
  std::vector<std::pair<std::uint32_t, int>> blocks;
  for (ImageBlock b = image.NextImageBlock(0); b.more; b = image.NextImageBlock(offset)) {
    blocks.emplace_back(b.imageOffset, b.length);
    EXPECT_EQ(image.blockBytes(b).size(), b.length);
    offset += b.length;
  }
  EXPECT_EQ(blocks, (std::vector<std::pair<std::uint32_t, int>>{{0x10000, 1024}, {0x10400, 1024}, {0x10800, 452}}));
}

TEST_F(WirelessFile, CheckWordAndPlugRecords) {
  auto pda = pdaBlock({{0x0104, {0x1122, 0x3344, 0x5566}}, {kPdaMacRecord, {0x1100, 0x3322, 0x5544}}});
  ASSERT_TRUE(image.SavePdaFile(pda, MacAddress{}, dir.file("PDA")));
  std::string path = file(data(0x3F0000, 16) + checkWord(0x3F8000, 1) + checkWord(0x3F9000, 0) +
                          plug(0xFFFFFFFF, 0x3F1000, 16) + plug(0x0104, 0x3F2000, 6) + plug(0x0999, 0x3F3000, 6) +
                          plug(0xFFFFFFFF, 0x3F4000, 0) + kEnd);
  ASSERT_EQ(image.PrepareWirelessImage(path, CardKind0, dir.file("window.bin")), WirelessReady);
  const auto at = [&](std::uint32_t cardAddress, std::size_t n) {
    return std::vector<std::uint8_t>(image.bytes.begin() + (cardAddress - 0x3E0000),
                                     image.bytes.begin() + (cardAddress - 0x3E0000 + n));
  };
  EXPECT_EQ(at(0x3F7FFE, 2), (std::vector<std::uint8_t>{0xDE, 0xC0}));
  EXPECT_EQ(at(0x3F8FFE, 2), (std::vector<std::uint8_t>{0, 0}));  // flag 0 reserves nothing
  const std::string name = "wx73kqd.hex";
  std::vector<std::uint8_t> named(name.begin(), name.end());
  named.resize(16, 0);
  EXPECT_EQ(at(0x3F1000, 16), named);
  EXPECT_EQ(at(0x3F2000, 6), (std::vector<std::uint8_t>{0x22, 0x11, 0x44, 0x33, 0x66, 0x55}));
  EXPECT_EQ(at(0x3F3000, 6), std::vector<std::uint8_t>(6, 0));  // no such PDA record: skipped
  // The reserved check word is a run of its own: it is sent to the card.
  EXPECT_EQ(image.runCount, 2u);
  EXPECT_EQ(readBytes(dir.file("window.bin")).size(), kWirelessWindowSize);
}

TEST_F(WirelessFile, PdaFileIsNamedAfterTheCardOrElseTheUnit) {
  const MacAddress unit{{0x00, 0x80, 0x92, 0xAB, 0xCD, 0xEF}};
  auto withMac = pdaBlock({{0x0104, {1, 2}}, {kPdaMacRecord, {0x1100, 0x3322, 0x5544}}});
  ASSERT_TRUE(image.SavePdaFile(withMac, unit, dir.file("PDA")));
  EXPECT_EQ(readBytes(dir.file("PDA/334455.pda")), std::string(withMac.begin(), withMac.end()));
  // A short block is padded with zeros, whatever the last unit left.
  auto without = pdaBlock({{0x0104, {1, 2}}});
  ASSERT_TRUE(image.SavePdaFile(std::span(without).first(8), unit, dir.file("PDA")));
  std::string saved = readBytes(dir.file("PDA/ABCDEF.pda"));
  ASSERT_EQ(saved.size(), kPdaBlockSize);
  EXPECT_EQ(saved.substr(8), std::string(kPdaBlockSize - 8, '\0'));
  // A folder that cannot be made fails the step.
  writeBytes(dir.file("blocked"), "x");
  EXPECT_FALSE(image.SavePdaFile(withMac, unit, dir.file("blocked")));
}

// Every unit's card data must keep a file of its own: a name is taken only
// from an address that can be one unit's, else nothing is written at all.
TEST_F(WirelessFile, PdaFileNameComesOnlyFromAUnitsOwnAddress) {
  const MacAddress unit{{0x00, 0x80, 0x92, 0xAB, 0xCD, 0xEF}};
  const MacAddress unset{};
  const MacAddress group{{0x01, 0x00, 0x5E, 0x00, 0x00, 0x01}};
  const std::vector<std::uint16_t> card = {0x1100, 0x3322, 0x5544};
  const std::vector<std::uint16_t> erased = {0xFFFF, 0xFFFF, 0xFFFF};
  const std::vector<std::uint16_t> none;
  struct Case {
    const char* why;
    const std::vector<std::uint16_t>& record;  // words of record 0x0101; none: no such record
    MacAddress unitMac;
    const char* name;  // nullptr: refused
  };
  for (const Case& c : {
           Case{"the card's own address wins", card, unit, "334455.pda"},
           Case{"the card's own address without a known unit", card, MacAddress::broadcast(), "334455.pda"},
           Case{"no card record: the unit's", none, unit, "ABCDEF.pda"},
           Case{"an erased card record: the unit's", erased, unit, "ABCDEF.pda"},
           Case{"no card record and no known unit", none, MacAddress::broadcast(), nullptr},
           Case{"no card record and an unset unit address", none, unset, nullptr},
           Case{"no card record and a group address", none, group, nullptr},
           Case{"an erased card record and no known unit", erased, MacAddress::broadcast(), nullptr},
       }) {
    SCOPED_TRACE(c.why);
    TempDir pdaDir;
    std::vector<std::pair<std::uint16_t, std::vector<std::uint16_t>>> records = {{0x0104, {1, 2}}};
    if (!c.record.empty()) records.push_back({kPdaMacRecord, c.record});
    const bool saved = image.SavePdaFile(pdaBlock(records), c.unitMac, pdaDir.file("PDA"));
    EXPECT_EQ(saved, c.name != nullptr);
    EXPECT_EQ(image.pdaFileName(c.unitMac), c.name ? std::optional<std::string>(c.name) : std::nullopt);
    std::vector<std::string> files;
    if (std::filesystem::is_directory(pdaDir.file("PDA")))
      for (const auto& f : std::filesystem::directory_iterator(pdaDir.file("PDA")))
        files.push_back(f.path().filename().string());
    EXPECT_EQ(files, c.name ? std::vector<std::string>{c.name} : std::vector<std::string>{});
  }
}

TEST(PdaRecord, ChainEndsAtZeroOrAllOnes) {
  auto pda = pdaBlock({{0x0001, {7}}, {0x0104, {1, 2, 3}}});
  EXPECT_EQ(FindPdaRecord(pda, 0x0104), std::optional<std::size_t>(3));
  EXPECT_FALSE(FindPdaRecord(pda, 0x0105));
  writeLe16(pda.data(), 0xFFFF);
  EXPECT_FALSE(FindPdaRecord(pda, 0x0104));
}

}  // namespace
}  // namespace trennic
