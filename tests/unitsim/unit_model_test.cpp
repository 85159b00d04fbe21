// The simulated unit as a pure function of its requests: no sockets here.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/protocol/packet.h"
#include "core/protocol/unit_identity.h"
#include "unitsim/unit_model.h"
#include "unit_requests.h"

namespace trennic::sim {
namespace {

using namespace trennic::sim::testing;

constexpr std::uint32_t kBody = unit_address::kConfigBody;
// Memory that no area claims: plain bytes behind the password.
constexpr std::uint32_t kPlain = 0x00300000;

Bytes passwordBlock(const std::string& newPassword) {
  Bytes block(kPasswordBlockSize, 0);
  std::memcpy(block.data() + 8, newPassword.data(), newPassword.size());
  return block;
}

UnitSettings settings(std::string password = "") {
  UnitSettings s;
  s.mac = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x07}};
  s.ip = ipv4FromOctets(127, 0, 0, 8);
  s.unitType = kUnitTypeT;
  s.firmwareVersion = 0x0305;
  s.password = std::move(password);
  return s;
}

TEST(SimUnit, IdentityReadEchoesTheRequestAndCarriesTheUnitsFields) {
  SimUnit unit(settings("secret"));
  Req r = read(unit_address::kIdentity, kIdentitySize);  // no password: the block is open
  r.requestNo = 0x0A0B;
  r.transactionNo = 0xC0DE;

  auto reply = unit.handle(encode(r));
  ASSERT_TRUE(reply);
  ASSERT_EQ(reply->size(), kHeaderSize + kIdentitySize);
  PacketHeader h = headerOf(*reply);
  EXPECT_EQ(h.command, CmdRead | kReplyBit);
  EXPECT_EQ(h.magic, kPacketMagic);
  EXPECT_EQ(h.requestNo, 0x0A0B);
  EXPECT_EQ(h.transactionNo, 0xC0DE);
  EXPECT_EQ(h.address, 0u);
  EXPECT_EQ(h.length, kIdentitySize);
  EXPECT_EQ(h.status, StatusOk);
  EXPECT_TRUE(h.stationMac.isZero());
  EXPECT_EQ(h.password, PasswordField{});

  Bytes p = payloadOf(*reply);
  EXPECT_EQ(readLe16(&p[66]), 0x0305);
  EXPECT_EQ(Bytes(p.begin() + 68, p.begin() + 74), (Bytes{0x00, 0x80, 0x92, 0x00, 0x00, 0x07}));
  EXPECT_EQ(Bytes(p.begin() + 76, p.begin() + 80), (Bytes{127, 0, 0, 8}));
  EXPECT_EQ(readLe16(&p[80]), kUnitTypeT);

  auto id = identityFromReply(*reply);
  ASSERT_TRUE(id);
  EXPECT_EQ(formatVersion(id->firmwareVersion, id->unitType), "3.05T");
}

TEST(SimUnit, PasswordGuardsEverythingButIdentityAndStatusArea) {
  struct Case {
    const char* rule;
    Req request;
    std::uint16_t status;
  };
  const Case cases[] = {
      {"identity read is open", read(0, 88), StatusOk},
      {"status area start is open", read(kStatusAreaFirst, 112), StatusOk},
      {"status area end is open", read(kStatusAreaLast, 1), StatusOk},
      {"just past the status area is guarded", read(kStatusAreaLast + 1, 4), StatusDenied},
      {"configuration header read is guarded", read(unit_address::kConfigHeader, 176), StatusDenied},
      {"configuration header read with the password", read(unit_address::kConfigHeader, 176, "abc"), StatusOk},
      {"a longer password is wrong", read(unit_address::kConfigHeader, 176, "abcd"), StatusDenied},
      {"a wrong password is wrong", read(unit_address::kConfigHeader, 176, "abd"), StatusDenied},
      {"writes to the status area are guarded", write(unit_address::kClearMask, {3, 0, 0, 0}), StatusDenied},
      {"writes to the status area with the password", write(unit_address::kClearMask, {3, 0, 0, 0}, "abc"),
       StatusOk},
      {"reboot is guarded", reboot(), StatusDenied},
      {"reboot with the password", reboot("abc"), StatusOk},
  };
  for (const auto& c : cases) {
    SimUnit unit(settings("abc"));
    EXPECT_EQ(statusOf(unit, c.request), c.status) << c.rule;
  }
}

TEST(SimUnit, DeniedRequestsChangeNothingAndCarryNoPayload) {
  SimUnit unit(settings("abc"));
  const Bytes before = unit.peek(kBody + 10, 3);
  auto reply = unit.handle(encode(write(kBody + 10, {1, 2, 3}, "nope")));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->size(), kHeaderSize);
  EXPECT_EQ(headerOf(*reply).status, StatusDenied);
  EXPECT_EQ(headerOf(*reply).length, 0);
  EXPECT_EQ(unit.peek(kBody + 10, 3), before);

  EXPECT_EQ(statusOf(unit, reboot("nope")), StatusDenied);
  EXPECT_FALSE(unit.rebooting());

  auto denied = unit.handle(encode(read(kBody, 16)));
  ASSERT_TRUE(denied);
  EXPECT_EQ(denied->size(), kHeaderSize);
}

TEST(SimUnit, UnitWithoutPasswordTakesAnyPassword) {
  SimUnit unit(settings(""));
  EXPECT_EQ(statusOf(unit, read(unit_address::kConfigHeader, 176)), StatusOk);
  EXPECT_EQ(statusOf(unit, read(unit_address::kConfigHeader, 176, "whatev")), StatusOk);
}

TEST(SimUnit, PasswordBlockWriteChangesThePassword) {
  SimUnit unit(settings("old"));

  EXPECT_EQ(statusOf(unit, write(unit_address::kPassword, passwordBlock("newpw"), "bad")), StatusDenied);
  EXPECT_EQ(unit.password(), "old");

  auto reply = unit.handle(encode(write(unit_address::kPassword, passwordBlock("newpw"), "old")));
  ASSERT_TRUE(reply);
  EXPECT_EQ(headerOf(*reply).status, StatusOk);
  EXPECT_EQ(headerOf(*reply).length, kPasswordBlockSize);
  EXPECT_EQ(headerOf(*reply).address, unit_address::kPassword);
  EXPECT_EQ(unit.password(), "newpw");
  EXPECT_EQ(statusOf(unit, read(unit_address::kConfigHeader, 176, "old")), StatusDenied);
  EXPECT_EQ(statusOf(unit, read(unit_address::kConfigHeader, 176, "newpw")), StatusOk);

  // Sixteen zero bytes clear it, and the unit is open again.
  EXPECT_EQ(statusOf(unit, write(unit_address::kPassword, passwordBlock(""), "newpw")), StatusOk);
  EXPECT_EQ(unit.password(), "");
  EXPECT_EQ(statusOf(unit, read(unit_address::kConfigHeader, 176)), StatusOk);

  // A torn block is refused rather than half taken.
  EXPECT_EQ(statusOf(unit, write(unit_address::kPassword, {0, 0, 0, 0, 0, 0, 0, 0, 'x'})), kStatusRefused);
  EXPECT_EQ(unit.password(), "");
}

TEST(SimUnit, WrittenBytesReadBack) {
  SimUnit unit(settings());
  // Across a page boundary, to exercise the sparse pages.
  const std::uint32_t at = kPlain + 254;
  auto w = unit.handle(encode(write(at, {0x11, 0x22, 0x33, 0x44, 0x55})));
  ASSERT_TRUE(w);
  EXPECT_EQ(headerOf(*w).command, CmdWrite | kReplyBit);
  EXPECT_EQ(headerOf(*w).length, 5);
  EXPECT_EQ(headerOf(*w).address, at);
  EXPECT_EQ(w->size(), kHeaderSize);

  auto r = unit.handle(encode(read(at - 2, 9)));
  ASSERT_TRUE(r);
  EXPECT_EQ(headerOf(*r).length, 9);
  EXPECT_EQ(payloadOf(*r), (Bytes{0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0, 0}));
}

TEST(SimUnit, LengthsFollowWhatTheDatagramCarries) {
  struct Case {
    const char* rule;
    Req request;
    std::uint16_t replyLength;
    std::size_t replySize;
  };
  Req shortWrite = write(kPlain, {1, 2, 3});
  shortWrite.length = 8;  // claims more than it carries
  Req longWrite = write(kPlain, {1, 2, 3, 4});
  longWrite.length = 2;  // carries more than it claims
  const Case cases[] = {
      {"a write takes only the bytes carried", shortWrite, 3, kHeaderSize},
      {"a write takes at most length bytes", longWrite, 2, kHeaderSize},
      {"a zero-length write takes nothing", write(kPlain, {}), 0, kHeaderSize},
      {"a read returns length bytes", read(kPlain, 1422), 1422, kHeaderSize + 1422},
      {"a read is capped at 1422 bytes", read(kPlain, 2000), 1422, kHeaderSize + 1422},
      {"a zero-length read returns nothing", read(kPlain, 0), 0, kHeaderSize},
  };
  for (const auto& c : cases) {
    SimUnit unit(settings());
    auto reply = unit.handle(encode(c.request));
    ASSERT_TRUE(reply) << c.rule;
    EXPECT_EQ(headerOf(*reply).length, c.replyLength) << c.rule;
    EXPECT_EQ(reply->size(), c.replySize) << c.rule;
  }
  SimUnit unit(settings());
  unit.handle(encode(longWrite));
  EXPECT_EQ(unit.peek(kPlain, 4), (Bytes{1, 2, 0, 0}));
}

TEST(SimUnit, ForcedStatusAnswersThatAddressOnlyAndChangesNothing) {
  SimUnit unit(settings("abc"));
  const Bytes before = unit.peek(kBody, 2);
  unit.forceStatus(kStatusAreaFirst, StatusEnd);
  unit.forceStatus(kBody, 7);

  auto r = unit.handle(encode(read(kStatusAreaFirst, 112)));
  ASSERT_TRUE(r);
  EXPECT_EQ(headerOf(*r).status, StatusEnd);
  EXPECT_EQ(headerOf(*r).length, 0);
  EXPECT_EQ(r->size(), kHeaderSize);

  EXPECT_EQ(statusOf(unit, read(kStatusAreaFirst + 4, 4)), StatusOk);
  EXPECT_EQ(statusOf(unit, write(kBody, {9, 9}, "abc")), 7);
  EXPECT_EQ(unit.peek(kBody, 2), before);

  unit.clearForcedStatus(kStatusAreaFirst);
  EXPECT_EQ(statusOf(unit, read(kStatusAreaFirst, 112)), StatusOk);
}

TEST(SimUnit, IdentityBlockIsReadOnlyAndFollowsTheFields) {
  SimUnit unit(settings());
  EXPECT_EQ(statusOf(unit, write(66, {0x99, 0x99})), kStatusRefused);
  unit.setFirmwareVersion(0x0410);
  auto id = identityFromReply(*unit.handle(encode(read(0, 88))));
  ASSERT_TRUE(id);
  EXPECT_EQ(id->firmwareVersion, 0x0410);
  EXPECT_EQ(id->macAddress, unit.mac());
}

TEST(SimUnit, RebootingUnitIsSilentUntilTheRebootEnds) {
  SimUnit unit(settings());
  auto r = unit.handle(encode(reboot()));
  ASSERT_TRUE(r);
  EXPECT_EQ(headerOf(*r).command, CmdReboot | kReplyBit);
  EXPECT_EQ(headerOf(*r).status, StatusOk);
  EXPECT_TRUE(unit.rebooting());
  EXPECT_EQ(unit.rebootCount(), 1u);
  EXPECT_FALSE(unit.handle(encode(read(0, 88))));
  unit.finishReboot();
  EXPECT_TRUE(unit.handle(encode(read(0, 88))));
}

TEST(SimUnit, MalformedAndForeignRequestsAreIgnored) {
  SimUnit unit(settings());
  auto mutate = [](auto f) {
    Bytes b = encode(read(0, 88));
    f(b);
    return b;
  };
  struct Case {
    const char* rule;
    Bytes datagram;
    Route route;
  };
  Req otherUnit = read(0, 88);
  otherUnit.station = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x08}};
  const Case cases[] = {
      {"shorter than the header", mutate([](Bytes& b) { b.resize(35); }), Route::Unicast},
      {"reply bit set", mutate([](Bytes& b) { b[3] |= kReplyBit; }), Route::Unicast},
      {"wrong magic", mutate([](Bytes& b) { b[0] = 0x54; }), Route::Unicast},
      {"unknown command 3", mutate([](Bytes& b) { b[3] = 3; }), Route::Unicast},
      {"command 0", mutate([](Bytes& b) { b[3] = 0; }), Route::Unicast},
      {"group request naming another unit", encode(otherUnit), Route::Group},
      {"group request with a zero MAC", encode(read(0, 88)), Route::Group},
  };
  for (const auto& c : cases) EXPECT_FALSE(unit.handle(c.datagram, c.route)) << c.rule;

  Req named = read(0, 88);
  named.station = unit.mac();
  EXPECT_TRUE(unit.handle(encode(named), Route::Group));
  named.station = MacAddress::broadcast();
  EXPECT_TRUE(unit.handle(encode(named), Route::Group));
  // By unicast the request is ours whatever it names.
  EXPECT_TRUE(unit.handle(encode(otherUnit), Route::Unicast));
}

TEST(SimUnit, AddedAreaTakesPrecedenceOverStandardOnes) {
  SimUnit unit(settings("abc"));
  MemoryArea info{"system information", kStatusAreaFirst, kStatusAreaFirst + 111, true,
                  [](SimUnit&, const AreaRequest& r) {
                    AreaReply reply;
                    reply.payload.assign(r.length, 0xA5);
                    reply.length = r.length;
                    reply.status = StatusEnd;
                    return reply;
                  },
                  nullptr};
  unit.addArea(std::move(info));
  auto r = unit.handle(encode(read(kStatusAreaFirst, 4)));
  ASSERT_TRUE(r);
  EXPECT_EQ(headerOf(*r).status, StatusEnd);
  EXPECT_EQ(payloadOf(*r), (Bytes{0xA5, 0xA5, 0xA5, 0xA5}));
  // Without a write handler the area is plain memory, still behind the password.
  EXPECT_EQ(statusOf(unit, write(kStatusAreaFirst, {1}, "abc")), StatusOk);
  EXPECT_EQ(unit.peek(kStatusAreaFirst, 1), Bytes{1});
}

}  // namespace
}  // namespace trennic::sim
