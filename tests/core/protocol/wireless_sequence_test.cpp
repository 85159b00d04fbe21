// The wireless card's firmware load, driven tick by tick with the test
// playing the unit.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/files/wireless_image.h"
#include "support/engine_harness.h"
#include "support/srecord_file.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

using testing::EngineHarness;
using testing::readBytes;
using testing::TempDir;
using testing::unicastTo;
using testing::writeBytes;

const Ipv4 kUnit = ipv4FromOctets(127, 0, 0, 2);
constexpr std::uint32_t kCard = unit_address::kCardFirmware;

std::vector<std::uint8_t> info(std::uint32_t word2, std::size_t size = 112) {
  std::vector<std::uint8_t> b(size, 0);
  if (size >= 4) writeLe32(b.data(), 0x100);
  if (size >= 8) writeLe32(b.data() + 4, word2);
  return b;
}
std::vector<std::uint8_t> info2(std::uint8_t cardKind, std::size_t size = 216) {
  std::vector<std::uint8_t> b(size, 0);
  if (size > 192) b[192] = cardKind;
  return b;
}
std::vector<std::uint8_t> pda() {
  std::vector<std::uint8_t> b(kPdaBlockSize, 0);
  writeLe16(b.data(), 4);
  writeLe16(b.data() + 2, kPdaMacRecord);
  const std::uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  std::copy(mac, mac + 6, b.begin() + 4);
  return b;
}

class WirelessLoad : public ::testing::Test {
 protected:
  TempDir dir;
  EngineHarness e;
  WirelessImage image;

  void start(const std::string& srecords) {
    writeBytes(dir.file("card.hex"), srecords);
    OperationArgs a = unicastTo(OpWriteWlFirmware, kUnit, kUnit);
    a.fileName = dir.file("card.hex");
    OperationContext c;
    c.wirelessImage = &image;
    c.pdaFolder = dir.file("PDA");
    e.run(a, c);
  }
  // The three reads up to the opening write.
  void answerReads(std::uint32_t word2 = 0x100, std::uint8_t cardKind = 0) {
    ASSERT_EQ(e.last().header().address, unit_address::kSystemInfo);
    e.answer(StatusOk, info(word2));
    ASSERT_EQ(e.last().header().address, unit_address::kSystemInfo2);
    e.answer(StatusOk, info2(cardKind));
    ASSERT_EQ(e.last().header().address, unit_address::kCardInfo);
    ASSERT_EQ(e.last().header().length, kPdaBlockSize);
    e.answer(StatusOk, pda());
  }
  std::pair<std::uint32_t, std::uint16_t> lastWrite() const {
    auto h = e.last().header();
    EXPECT_EQ(h.command, CmdWrite);
    return {h.address, h.length};
  }
};

TEST_F(WirelessLoad, ReadsInformationStoresThePdaOpensAndWritesTheImage) {
  start(testing::sRecordData(0x3F0000, 2500) + testing::sRecordEnd());
  answerReads();
  EXPECT_EQ(readBytes(dir.file("PDA/334455.pda")).size(), kPdaBlockSize);
  EXPECT_EQ(lastWrite(), (std::pair<std::uint32_t, std::uint16_t>{kCard, 0}));
  e.ack();
  std::vector<std::pair<std::uint32_t, std::uint16_t>> writes;
  for (int i = 0; i < 4; ++i) {
    writes.push_back(lastWrite());
    e.ack();
  }
  EXPECT_EQ(writes, (std::vector<std::pair<std::uint32_t, std::uint16_t>>{
                        {kCard + 0x10000, 1024}, {kCard + 0x10400, 1024}, {kCard + 0x10800, 452}, {kCard + 0x1FFFF, 0}}));
  EXPECT_EQ(e.host.outcome, std::optional<bool>(true));
  EXPECT_EQ(e.driver.result(), ResultOk);
  // The image bytes travel as the file gave them.
  EXPECT_EQ(image.bytes[0x10000], 1);
  EXPECT_FALSE(e.host.progressShown.empty());
}

TEST_F(WirelessLoad, InformationRepliesOfOlderAndNewerUnits) {
  struct Case {
    const char* why;
    bool first;  // the first read, else the second
    std::uint16_t status;
    std::size_t size;
    int result;  // -1: goes on
  };
  for (const Case& c : {Case{"old unit, 108 bytes with status 2", true, StatusEnd, 108, -1},
                        Case{"status 2 with another size", true, StatusEnd, 112, ResultError},
                        Case{"status 0 but short", true, StatusOk, 100, ResultError},
                        Case{"status 1", true, StatusDenied, 0, ResultDenied},
                        Case{"old unit, 152 bytes with status 2", false, StatusEnd, 152, -1},
                        Case{"second block short with status 0", false, StatusOk, 200, ResultError},
                        Case{"second block status 1", false, StatusDenied, 0, ResultDenied}}) {
    SCOPED_TRACE(c.why);
    EngineHarness fresh;
    OperationArgs a = unicastTo(OpWriteWlFirmware, kUnit, kUnit);
    a.fileName = dir.file("none.hex");
    fresh.run(a);
    if (c.first) {
      fresh.answer(c.status, info(0x100, c.size));
    } else {
      fresh.answer(StatusOk, info(0x100));
      fresh.answer(c.status, info2(0, c.size));
    }
    if (c.result < 0) {
      EXPECT_FALSE(fresh.host.outcome);
      EXPECT_EQ(fresh.last().header().address, c.first ? unit_address::kSystemInfo2 : unit_address::kCardInfo);
    } else {
      EXPECT_EQ(fresh.driver.result(), c.result);
    }
  }
}

TEST_F(WirelessLoad, CardKindDecidesWhichImagesAreSupported) {
  const std::string kind0 = testing::sRecordData(0x3F0000, 16) + testing::sRecordEnd();
  const std::string kind1 = testing::sRecordData(0x7F0000, 16) + testing::sRecordEnd();
  struct Case {
    const char* why;
    std::uint32_t word2;
    std::uint8_t cardByte;
    const std::string& file;
    bool opens;
  };
  for (const Case& c : {Case{"old word: kind 0 whatever byte 192", 0x100, 1, kind0, true},
                        Case{"old word and an image for kind 1", 0x1FF, 1, kind1, false},
                        Case{"new word, kind 1, image for kind 1", 0x200, 1, kind1, true},
                        Case{"new word, kind 1, image for kind 0", 0x200, 1, kind0, false},
                        Case{"a card kind above 1", 0x200, 2, kind0, false}}) {
    SCOPED_TRACE(c.why);
    e.sink.sent.clear();
    e.host.outcome.reset();
    start(c.file);
    answerReads(c.word2, c.cardByte);
    if (c.opens) {
      EXPECT_EQ(lastWrite(), (std::pair<std::uint32_t, std::uint16_t>{kCard, 0}));
      e.driver.cancel();
    } else {
      EXPECT_EQ(e.driver.result(), ResultNotSupported);
      EXPECT_EQ(e.host.messages, std::vector<int>{ResultNotSupported});
      EXPECT_EQ(e.last().header().command, CmdRead);  // nothing was written
    }
    e.host.messages.clear();
  }
}

TEST_F(WirelessLoad, APdaBlockThatCannotBeStoredFailsBeforeAnyWrite) {
  writeBytes(dir.file("PDA"), "a file where the folder should be");
  start(testing::sRecordData(0x3F0000, 16) + testing::sRecordEnd());
  answerReads();
  EXPECT_EQ(e.driver.result(), ResultError);
  EXPECT_EQ(e.last().header().address, unit_address::kCardInfo);
}

TEST_F(WirelessLoad, AFileWithRunsOutsideTheCardWindowFailsBeforeAnyWrite) {
  const auto checkWord = [](std::uint32_t target) {
    std::vector<std::uint8_t> d(12, 0);
    writeLe32(d.data(), target);
    writeLe32(d.data() + 4, 2);
    writeLe32(d.data() + 8, 1);
    return testing::sRecord('3', 0x01100000, d);
  };
  for (std::uint32_t target : {0u, 1u}) {
    SCOPED_TRACE(target);
    e.sink.sent.clear();
    e.host.outcome.reset();
    start(testing::sRecordData(0x3F0000, 16) + checkWord(target) + testing::sRecordEnd());
    answerReads();
    EXPECT_EQ(e.host.outcome, std::optional<bool>(false));
    EXPECT_EQ(e.driver.result(), ResultError);
    for (const auto& sent : e.sink.sent) EXPECT_EQ(sent.header().command, CmdRead);
  }
}

TEST_F(WirelessLoad, StrayRepliesAreIgnoredAndZeroAcknowledgedDataFails) {
  start(testing::sRecordData(0x3F0000, 2000) + testing::sRecordEnd());
  answerReads();
  e.ack();
  ASSERT_EQ(lastWrite(), (std::pair<std::uint32_t, std::uint16_t>{kCard + 0x10000, 1024}));
  const std::size_t before = e.sentCount();
  e.answer(StatusOk, {}, 1024, kCard + 0x10400);  // not the block just written
  EXPECT_EQ(e.sentCount(), before);
  e.ticks(1);  // the retransmission timer kept running
  EXPECT_EQ(lastWrite(), (std::pair<std::uint32_t, std::uint16_t>{kCard + 0x10000, 1024}));
  e.answer(StatusOk, {}, 0);
  EXPECT_EQ(e.driver.result(), ResultError);
}

TEST_F(WirelessLoad, CancelAfterTheFirstBlockSendsTheClosingWrite) {
  start(testing::sRecordData(0x3F0000, 2000) + testing::sRecordEnd());
  answerReads();
  e.ack();
  e.ack();
  e.driver.cancel();
  EXPECT_EQ(lastWrite(), (std::pair<std::uint32_t, std::uint16_t>{kCard, 0}));
  EXPECT_EQ(e.driver.result(), ResultAborted);
  EXPECT_TRUE(e.host.messages.empty());
}

}  // namespace
}  // namespace trennic
