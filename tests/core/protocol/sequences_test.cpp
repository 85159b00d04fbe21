// The request sequences of the operations, with the test playing the unit.
#include <gtest/gtest.h>

#include <fstream>

#include "core/files/image_file.h"
#include "core/registry/node_table.h"
#include "support/temp_dir.h"
#include "support/engine_harness.h"

namespace trennic {
namespace {

using testing::EngineHarness;
using testing::readBytes;
using testing::TempDir;
using testing::unicastTo;
using testing::writeBytes;

const Ipv4 kUnit = ipv4FromOctets(127, 0, 0, 2);

OperationContext withSet(ConfigSet* set) {
  OperationContext c;
  c.transferSet = set;
  return c;
}

std::vector<std::uint8_t> infoBlock(std::uint32_t word1, std::uint32_t word2, std::size_t size = 112) {
  std::vector<std::uint8_t> b(size, 0);
  if (size >= 4) writeLe32(b.data(), word1);
  if (size >= 8) writeLe32(b.data() + 4, word2);
  return b;
}

// Answers the two information reads of a configuration or filter transfer.
void answerLayoutQuestion(EngineHarness& e, std::uint32_t word1, std::uint32_t word2, std::uint16_t extendedStatus) {
  ASSERT_EQ(e.last().header().address, unit_address::kSystemInfo);
  auto info = infoBlock(word1, word2);
  e.answer(StatusOk, info);
  ASSERT_EQ(e.last().header().address, unit_address::kExtendedInfo);
  std::vector<std::uint8_t> ext(68, 0);
  e.answer(extendedStatus, extendedStatus == StatusOk || extendedStatus == 6 ? std::span(ext) : std::span<std::uint8_t>());
}

std::vector<std::uint8_t> pattern(std::size_t n, unsigned seed) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>((i * 31 + seed) ^ (i >> 8));
  return v;
}

// ------------------------------------------------------------ configuration

TEST(ConfigRead, LayoutFiveMovesHeaderAndEighteenBodyBlocks) {
  EngineHarness e;
  ConfigSet set;
  e.run(unicastTo(OpReadConfig, kUnit, kUnit), withSet(&set));
  answerLayoutQuestion(e, 0x100, 0x0201, StatusOk);
  ASSERT_EQ(e.last().header().address, unit_address::kConfigHeader);
  auto header = pattern(176, 1);
  e.answer(StatusOk, header);
  auto body = pattern(kConfigBodySize, 2);
  std::vector<std::uint16_t> chunks;
  std::uint32_t offset = 0;
  while (!e.host.outcome) {
    PacketHeader req = e.last().header();
    ASSERT_EQ(req.address, unit_address::kConfigBody + offset);
    chunks.push_back(req.length);
    bool last = offset + req.length >= kConfigBodySize;
    e.answer(last ? StatusEnd : StatusOk, std::span(body).subspan(offset, req.length));
    offset += req.length;
  }
  EXPECT_EQ(e.host.outcome, true);
  ASSERT_EQ(chunks.size(), 18u);
  EXPECT_EQ(chunks.front(), 1422);
  EXPECT_EQ(chunks.back(), 922);
  // The header bytes count in the denominator: 99 before Finish shows 100.
  ASSERT_GE(e.host.progressShown.size(), 2u);
  EXPECT_EQ(e.host.progressShown[e.host.progressShown.size() - 2], 99);
  EXPECT_EQ(e.host.progressShown.back(), 100);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), set.record.bytes.begin() + kConfigHeaderOffset));
  EXPECT_TRUE(std::equal(body.begin(), body.end(), set.record.bytes.begin() + kConfigBodyOffset));
  // The legacy images follow the record.
  EXPECT_EQ(set.legacy1.u16(cfg::NetworkMode), set.record.u16(cfg::NetworkMode));
}

TEST(ConfigRead, BodyEndingEarlyWithStatusTwoCompletesFromWhatArrived) {
  EngineHarness e;
  ConfigSet defaults, set;
  BuildDefaultConfig(defaults);
  ResetToDefaults(defaults, set, MacAddress{});
  e.run(unicastTo(OpReadConfig, kUnit, kUnit), withSet(&set));
  answerLayoutQuestion(e, 0x100, 0x0201, StatusOk);
  e.answer(StatusOk, pattern(176, 1));
  auto body = pattern(2844, 3);
  e.answer(StatusOk, std::span(body).first(1422));
  e.answer(StatusEnd, std::span(body).subspan(1422, 1422));
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_TRUE(std::equal(body.begin(), body.end(), set.record.bytes.begin() + kConfigBodyOffset));
  // What the unit did not deliver keeps its default.
  EXPECT_EQ(set.record.u16(cfg::StpPriority), defaults.record.u16(cfg::StpPriority));
}

TEST(ConfigRead, LayoutChoice) {
  struct Case {
    const char* why;
    std::uint32_t word1, word2;
    std::uint16_t extendedStatus;
    std::optional<std::size_t> firstBodyChunk;  // nothing: unknown firmware
  } cases[] = {
      {"extended present, 2.01: layout 5", 0x100, 0x0201, StatusOk, 1422},
      {"extended status 6 counts as present", 0x100, 0x011F, 6, 490},
      {"extended status 1: short table, first word 1.00", 0x100, 0x0201, StatusDenied, 212},
      {"layout 2", 0x100, 0x010B, StatusOk, 336},
      {"2.01 without the extended block: unknown", 0x0201, 0x0201, StatusEnd, std::nullopt},
      {"1.20 with upper bits set: unknown", 0x100, 0x10114, StatusOk, std::nullopt},
      {"0x0120 is in no table", 0x100, 0x0120, StatusOk, std::nullopt},
  };
  for (const auto& c : cases) {
    EngineHarness e;
    ConfigSet set;
    e.run(unicastTo(OpReadConfig, kUnit, kUnit), withSet(&set));
    answerLayoutQuestion(e, c.word1, c.word2, c.extendedStatus);
    if (!c.firstBodyChunk) {
      EXPECT_EQ(e.host.messages, std::vector<int>{ResultOldFirmware}) << c.why;
      EXPECT_EQ(e.host.outcome, false) << c.why;
      EXPECT_EQ(e.driver.result(), ResultAborted) << c.why;
      continue;
    }
    e.answer(StatusOk, pattern(176, 1));
    EXPECT_EQ(e.last().header().length, *c.firstBodyChunk) << c.why;
  }
}

TEST(ConfigRead, ShortInformationReplyLeavesWordsAtOneHundredHex) {
  EngineHarness e;
  ConfigSet set;
  e.run(unicastTo(OpReadConfig, kUnit, kUnit), withSet(&set));
  e.answer(StatusOk);   // no bytes: both words keep 0x100
  e.answer(StatusEnd);  // no extended block: short table, first word 0x100
  e.answer(StatusOk, pattern(176, 1));
  EXPECT_EQ(e.last().header().length, 212);  // layout 1, one body block
  auto body = pattern(212, 4);
  e.answer(StatusEnd, body);
  EXPECT_EQ(e.host.outcome, true);
}

TEST(ConfigRead, ReplyLongerThanAskedCountsAsLastBlock) {
  EngineHarness e;
  ConfigSet set;
  e.run(unicastTo(OpReadConfig, kUnit, kUnit), withSet(&set));
  answerLayoutQuestion(e, 0x100, 0x010B, StatusOk);
  e.answer(StatusOk, pattern(176, 1));
  auto body = pattern(400, 5);
  e.answer(StatusOk, body);  // 400 bytes for a 336-byte chunk
  EXPECT_EQ(e.host.outcome, true);
  // Up to the first field the import resets, the record holds what came.
  EXPECT_TRUE(std::equal(body.begin(), body.begin() + (288 - 196), set.record.bytes.begin() + kConfigBodyOffset));
}

TEST(ConfigRead, StatusOneAtTheHeaderIsAccessDenied) {
  EngineHarness e;
  ConfigSet set;
  e.run(unicastTo(OpReadConfig, kUnit, kUnit), withSet(&set));
  answerLayoutQuestion(e, 0x100, 0x0201, StatusOk);
  e.answer(StatusDenied);
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultDenied});
}

TEST(ConfigWrite, SendsHeaderAndBodyOfTheLayoutAndChecksEveryAcknowledgement) {
  ConfigSet set;
  BuildDefaultConfig(set);
  set.record.setU16(cfg::StpPriority, 4096);
  ProjectLegacy(set);
  EngineHarness e;
  e.run(unicastTo(OpWriteConfig, kUnit, kUnit), withSet(&set));
  e.answer(StatusDenied, infoBlock(0x100, 0x010B));  // the write goes on whatever this status
  std::vector<std::uint8_t> ext(68, 0);
  e.answer(StatusOk, ext);
  ASSERT_EQ(e.last().header().address, unit_address::kConfigHeader);
  ASSERT_EQ(e.last().header().length, 176);
  e.ack();
  ASSERT_EQ(e.last().header().length, 336);
  auto sent = e.last().payload();
  // Layout 2: 312 bytes of the body, then the bridge block.
  EXPECT_EQ(readLe16(sent.data() + 312 + 2), 4096);
  e.ack();
  EXPECT_EQ(e.host.outcome, true);
}

TEST(ConfigWrite, ShortAcknowledgementAndStrayAddressesFail) {
  struct Case {
    const char* why;
    std::uint16_t length;
    std::optional<std::uint32_t> address;
  } cases[] = {
      {"fewer bytes taken than sent", 100, std::nullopt},
      {"a reply at an address no step asked for", 1422, 0x00100000 + 1422 * 5},
  };
  for (const auto& c : cases) {
    ConfigSet set;
    BuildDefaultConfig(set);
    EngineHarness e;
    e.run(unicastTo(OpWriteConfig, kUnit, kUnit), withSet(&set));
    answerLayoutQuestion(e, 0x100, 0x0201, StatusOk);
    e.ack();
    e.answer(StatusOk, {}, c.length, c.address);
    EXPECT_EQ(e.host.messages, std::vector<int>{ResultError}) << c.why;
  }
}

TEST(FilterTables, OnlyLayoutFiveCarriesThem) {
  for (int op : {OpReadMacFilter, OpWriteProtFilter}) {
    EngineHarness e;
    std::vector<std::uint8_t> table(kMacFilterSize, 0);
    OperationContext c;
    c.table = &table;
    e.run(unicastTo(op, kUnit, kUnit), c);
    answerLayoutQuestion(e, 0x100, 0x011E, StatusOk);
    EXPECT_EQ(e.host.messages, std::vector<int>{ResultError}) << op;
  }
}

TEST(FilterTables, MacTableReadComesFromItsPlaceInTheBody) {
  EngineHarness e;
  std::vector<std::uint8_t> table;
  OperationContext c;
  c.table = &table;
  e.run(unicastTo(OpReadMacFilter, kUnit, kUnit), c);
  answerLayoutQuestion(e, 0x100, 0x0200, StatusOk);
  auto want = pattern(kMacFilterSize, 6);
  std::uint32_t offset = 0;
  while (!e.host.outcome) {
    ASSERT_EQ(e.last().header().address, unit_address::kConfigBody + 476 + offset);
    std::uint16_t n = e.last().header().length;
    e.answer(StatusOk, std::span(want).subspan(offset, n));
    offset += n;
  }
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_EQ(table, want);
}

TEST(FilterTables, WritePatchesOnlyTheTableIntoTheBodyReadBack) {
  EngineHarness e;
  std::vector<std::uint8_t> table = pattern(kProtocolFilterSize, 7);
  OperationContext c;
  c.table = &table;
  e.run(unicastTo(OpWriteProtFilter, kUnit, kUnit), c);
  answerLayoutQuestion(e, 0x100, 0x0201, StatusOk);
  auto body = pattern(kConfigBodySize, 8);
  std::uint32_t offset = 0;
  while (e.last().header().command == CmdRead) {
    std::uint16_t n = e.last().header().length;
    e.answer(offset + n >= kConfigBodySize ? StatusEnd : StatusOk, std::span(body).subspan(offset, n));
    offset += n;
  }
  std::vector<std::uint8_t> written;
  while (!e.host.outcome) {
    auto p = e.last().payload();
    written.insert(written.end(), p.begin(), p.end());
    e.ack();
  }
  EXPECT_EQ(e.host.outcome, true);
  ASSERT_EQ(written.size(), kConfigBodySize);
  std::vector<std::uint8_t> expected = body;
  std::copy(table.begin(), table.end(), expected.begin() + 16892);
  EXPECT_EQ(written, expected);
}

TEST(FilterTables, WriteRefusesToWriteBackABodyTheUnitDidNotDeliverWhole) {
  EngineHarness e;
  std::vector<std::uint8_t> table(kMacFilterSize, 0);
  OperationContext c;
  c.table = &table;
  e.run(unicastTo(OpWriteMacFilter, kUnit, kUnit), c);
  answerLayoutQuestion(e, 0x100, 0x0201, StatusOk);
  e.answer(StatusEnd, pattern(1422, 9));
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultError});
  EXPECT_NE(e.last().header().command, CmdWrite);
}

// ------------------------------------------------------------ images

std::vector<std::uint8_t> firmwareImage(std::uint32_t length) {
  auto img = pattern(length, 11);
  std::fill(img.begin(), img.begin() + 64, 0);
  writeLe32(img.data() + kImageLengthOffset, length);
  sealImageHeader(std::span(img).first(64));
  return img;
}

TEST(ImageWrite, FifteenHundredBytesGoAsTwoBlocksAndAClosingWrite) {
  TempDir dir;
  auto img = firmwareImage(1500);
  writeBytes(dir.file("fw.bin"), std::string(img.begin(), img.end()));
  EngineHarness e;
  OperationArgs a = unicastTo(OpWriteFirmware, kUnit, kUnit);
  a.fileName = dir.file("fw.bin");
  e.run(a);
  std::vector<std::pair<std::uint32_t, std::uint16_t>> writes;
  while (!e.host.outcome) {
    PacketHeader h = e.last().header();
    writes.emplace_back(h.address - unit_address::kFirmware, h.length);
    e.ack();
  }
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_EQ(writes, (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{0, 1024}, {1024, 476}, {1500, 0}}));
}

TEST(ImageWrite, ShortAcknowledgementMovesTheNextWriteBack) {
  TempDir dir;
  auto img = pattern(3000, 12);
  writeBytes(dir.file("ld.bin"), std::string(img.begin(), img.end()));
  EngineHarness e;
  OperationArgs a = unicastTo(OpWriteLoader, kUnit, kUnit);
  a.fileName = dir.file("ld.bin");
  e.run(a);
  e.answer(StatusOk, {}, 1000);
  PacketHeader next = e.last().header();
  EXPECT_EQ(next.address, unit_address::kLoader + 1000);
  EXPECT_EQ(next.length, 1024);
  EXPECT_EQ(e.last().payload()[0], img[1000]);
  // Taking nothing of a block of data is no success.
  e.answer(StatusOk, {}, 0);
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultError});
}

TEST(ImageWrite, MissingOrEmptyFileCannotStart) {
  TempDir dir;
  writeBytes(dir.file("empty.bin"), "");
  for (const char* name : {"none.bin", "empty.bin"}) {
    EngineHarness e;
    OperationArgs a = unicastTo(OpWriteFirmware, kUnit, kUnit);
    a.fileName = dir.file(name);
    e.run(a);
    EXPECT_EQ(e.sentCount(), 0u) << name;
    EXPECT_EQ(e.host.messages, std::vector<int>{ResultError}) << name;
  }
}

TEST(ImageRead, HeaderLengthDecidesTheEndAndTheFileAppearsOnlyWhenWhole) {
  TempDir dir;
  auto img = firmwareImage(2500);
  EngineHarness e;
  OperationArgs a = unicastTo(OpReadFirmware, kUnit, kUnit);
  a.fileName = dir.file("fw.bin");
  e.run(a);
  std::uint32_t offset = 0;
  while (!e.host.outcome) {
    PacketHeader h = e.last().header();
    ASSERT_EQ(h.address, unit_address::kFirmware + offset);
    std::size_t n = std::min<std::size_t>(1024, img.size() - offset);
    e.answer(StatusOk, std::span(img).subspan(offset, n));
    offset += static_cast<std::uint32_t>(n);
    if (offset > 0 && offset < img.size()) {
      EXPECT_FALSE(std::filesystem::exists(dir.file("fw.bin")));
    }
  }
  EXPECT_EQ(e.host.outcome, true);
  EXPECT_EQ(readBytes(dir.file("fw.bin")), std::string(img.begin(), img.end()));
  EXPECT_FALSE(std::filesystem::exists(dir.file("fw.bin.partial")));
}

TEST(ImageRead, AnImageThatEndsBeforeItsHeaderSaysFailsAndKeepsThePartialFile) {
  struct Case {
    const char* why;
    std::uint32_t endsAt;
  } cases[] = {
      {"after the first block", 1024},
      {"after a short middle block", 1500},
      {"one block before the end", 2048},
  };
  for (const auto& c : cases) {
    TempDir dir;
    auto img = firmwareImage(2500);
    writeBytes(dir.file("fw.bin"), "the file the user had");
    EngineHarness e;
    OperationArgs a = unicastTo(OpReadFirmware, kUnit, kUnit);
    a.fileName = dir.file("fw.bin");
    e.run(a);
    std::uint32_t offset = 0;
    while (!e.host.outcome) {
      std::size_t n = std::min<std::size_t>({1024, img.size() - offset, c.endsAt - offset});
      e.answer(StatusOk, std::span(img).subspan(offset, n));
      offset += static_cast<std::uint32_t>(n);
    }
    EXPECT_EQ(e.host.outcome, false) << c.why;
    EXPECT_EQ(e.host.messages, std::vector<int>{ResultError}) << c.why;
    EXPECT_EQ(readBytes(dir.file("fw.bin")), "the file the user had") << c.why;
    EXPECT_EQ(readBytes(dir.file("fw.bin.partial")), std::string(img.begin(), img.begin() + c.endsAt)) << c.why;
  }
}

TEST(ImageRead, BadHeaderFailsBeforeAnyFileIsCreated) {
  TempDir dir;
  auto img = firmwareImage(2000);
  img[10] ^= 1;
  EngineHarness e;
  OperationArgs a = unicastTo(OpReadFirmware, kUnit, kUnit);
  a.fileName = dir.file("fw.bin");
  e.run(a);
  e.answer(StatusOk, std::span(img).first(1024));
  EXPECT_EQ(e.host.messages, std::vector<int>{ResultError});
  EXPECT_TRUE(dir.entries().empty());
}

TEST(ImageRead, CancelAfterTheFirstBlockSendsOneClosingReadAndKeepsThePartialFile) {
  TempDir dir;
  auto img = firmwareImage(5000);
  EngineHarness e;
  OperationArgs a = unicastTo(OpReadFirmware, kUnit, kUnit);
  a.fileName = dir.file("fw.bin");
  e.run(a);
  e.answer(StatusOk, std::span(img).first(1024));
  std::size_t before = e.sentCount();
  e.driver.cancel();
  ASSERT_EQ(e.sentCount(), before + 1);
  PacketHeader closing = e.last().header();
  EXPECT_EQ(closing.command, CmdRead);
  EXPECT_EQ(closing.address, unit_address::kFirmware);
  EXPECT_EQ(closing.length, 0);
  EXPECT_TRUE(e.host.messages.empty());
  EXPECT_EQ(e.driver.runResult(), 2);
  EXPECT_FALSE(std::filesystem::exists(dir.file("fw.bin")));
  EXPECT_EQ(readBytes(dir.file("fw.bin.partial")), std::string(img.begin(), img.begin() + 1024));
}

TEST(ImageRead, CancelBeforeAnyByteMovedSendsNothing) {
  TempDir dir;
  EngineHarness e;
  OperationArgs a = unicastTo(OpReadLoader, kUnit, kUnit);
  a.fileName = dir.file("ld.bin");
  e.run(a);
  e.driver.cancel();
  EXPECT_EQ(e.sentCount(), 1u);
}

// ------------------------------------------------------------ single requests

TEST(SingleRequests, PasswordBlockRebootAndClear) {
  {
    EngineHarness e;
    OperationContext c;
    c.newPassword = makePasswordField("secret");
    OperationArgs a = unicastTo(OpSetPassword, kUnit, kUnit);
    a.password = makePasswordField("old");
    e.run(a, c);
    PacketHeader h = e.last().header();
    EXPECT_EQ(h.address, unit_address::kPassword);
    std::vector<std::uint8_t> block(e.last().payload().begin(), e.last().payload().end());
    EXPECT_EQ(block, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 's', 'e', 'c', 'r', 'e', 't', 0, 0}));
    EXPECT_EQ(h.password, makePasswordField("old"));
    e.ack();
    EXPECT_EQ(e.host.outcome, true);
  }
  struct Case {
    const char* why;
    int op;
    std::uint16_t status;
    int result;
  } cases[] = {
      {"reboot done", OpReboot, StatusOk, ResultOk},
      {"reboot refused", OpReboot, 4, ResultError},
      {"clear done", OpClear, StatusOk, ResultOk},
      {"clear unsupported", OpClear, StatusEnd, ResultNotSupported},
      {"clear denied", OpClear, StatusDenied, ResultDenied},
  };
  for (const auto& c : cases) {
    EngineHarness e;
    OperationContext ctx;
    ctx.clearMask = 0x00001000;
    e.run(unicastTo(c.op, kUnit, kUnit), ctx);
    if (c.op == OpClear) {
      EXPECT_EQ(readLe32(e.last().payload().data()), 0x00001000u) << c.why;
    }
    e.ack(c.status);
    EXPECT_EQ(e.driver.result(), c.result) << c.why;
  }
}

TEST(VersionQuery, ShortOrForeignAnswersAreIgnored) {
  EngineHarness e;
  e.run(unicastTo(OpGetVersion, kUnit, kUnit));
  UnitIdentity id;
  id.macAddress = MacAddress{{0, 0x80, 0x92, 0, 0, 1}};
  id.firmwareVersion = 0x0201;
  std::uint8_t block[kIdentitySize];
  id.encode(block);
  e.answer(StatusOk, std::span(block).first(84));  // a 120-byte datagram
  writeLe16(block + 80, 7);
  e.answer(StatusOk, block);  // a unit of another type
  EXPECT_FALSE(e.host.outcome.has_value());
  writeLe16(block + 80, kUnitTypeT);
  e.answer(StatusOk, block);
  EXPECT_EQ(e.host.outcome, true);
  ASSERT_EQ(e.host.answered.size(), 1u);
  EXPECT_EQ(formatVersion(e.host.answered[0].firmwareVersion, e.host.answered[0].unitType), "2.01T");
}

// The count belongs to one search: the next one starts again from none.
TEST(Search, UnitsAFullTableCannotKeepAreCountedForThatSearch) {
  NodeTable nodes;
  VectorNodeRows rows;
  nodes.FillRows(rows);
  for (unsigned i = 0; i < kMaxNodes; ++i) {
    NodeEntry n;
    n.mac = formatMac(MacAddress{{0x00, 0x11, 0x22, 0x33, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)}});
    ASSERT_TRUE(nodes.AddAndRecord(rows, n));
  }
  OperationContext c;
  c.nodes = &nodes;
  c.rows = &rows;
  OperationArgs search;
  search.operation = OpSearch;
  for (int answers : {3, 0}) {
    EngineHarness e;
    e.run(search, c);
    for (int k = 0; k < answers; ++k) {
      UnitIdentity id;
      id.macAddress = MacAddress{{0, 0x80, 0x92, 0, 0, static_cast<std::uint8_t>(1 + k % 2)}};
      std::uint8_t block[kIdentitySize];
      id.encode(block);
      e.answer(StatusOk, block, {}, {}, ipv4FromOctets(127, 0, 0, static_cast<std::uint8_t>(2 + k % 2)));
    }
    e.ticks(6);
    EXPECT_EQ(e.host.outcome, true);
    EXPECT_EQ(e.host.answered.size(), static_cast<std::size_t>(answers));
    EXPECT_EQ(nodes.unkeptAnswers(), answers == 0 ? 0u : 2u) << answers << " answers";
  }
}

}  // namespace
}  // namespace trennic
