// The Interfaces and Wireless Counter pages' texts, and what their Clear
// buttons leave in the snapshot.
#include "core/status/counter_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/protocol/packet.h"

namespace trennic {
namespace {

StatusSnapshot zeroed() {
  StatusSnapshot s;
  s.clear();
  return s;
}

// Every 32-bit word of a block holds a value that names its offset, so a
// text shows which word it came from: 1000 + offset (Ethernet), 2000 + offset (wireless).
void fillWords(std::uint8_t* block, std::size_t size, std::uint32_t base) {
  for (std::size_t o = 0; o + 4 <= size; o += 4) writeLe32(block + o, base + static_cast<std::uint32_t>(o));
}

TEST(InterfacesPage, LabelsInPageOrderWithTheirOffsets) {
  StatusSnapshot s = zeroed();
  fillWords(s.ethernet.data(), kInterfaceBlockSize, 1000);
  fillWords(s.wireless.data(), kInterfaceBlockSize, 2000);
  const std::uint8_t mac[6] = {0x00, 0x80, 0x92, 0xAB, 0xCD, 0xEF};
  std::memcpy(s.ethernet.data() + 8, mac, 6);
  std::memcpy(s.wireless.data() + 8, mac, 6);
  s.wireless[13] = 0x01;
  writeLe32(s.ethernet.data() + 16, 1);
  writeLe32(s.wireless.data() + 16, 2);
  writeLe32(s.unitStatus.data() + 188, 0x1A);  // reset detail, shown with /D only

  auto e = [](int offset) { return std::to_string(1000 + offset); };
  auto w = [](int offset) { return std::to_string(2000 + offset); };
  const std::vector<InterfaceRow> expected = {
      {"MTU:", e(0), w(0)},
      {"Speed:", e(4), w(4)},
      {"MAC Address:", "00-80-92-AB-CD-EF", "00-80-92-AB-CD-01"},
      {"Interface State:", "up", "down"},
      {"Receive Octets:", e(20), w(20)},
      {"Receive Packets(Unicast):", e(24), w(24)},
      {"Receive Packets(Broadcast):", e(28), w(28)},
      {"Receive Discards:", e(32), w(32)},
      {"Receive Errors :", e(36), w(36)},
      {"Receive Errors(CRC):", e(40), w(40)},
      {"Transmit Octets:", e(44), w(44)},
      {"Transmit Packets(Unicast):", e(48), w(48)},
      {"Transmit Packets(Broadcast):", e(52), w(52)},
      // The two labels stand in the opposite order to their words.
      {"Transmit Waits:", e(60), w(60)},
      {"Transmit Errors:", e(56), w(56)},
      {"Resets:", e(64), w(64)},
  };
  const auto rows = interfaceRows(s, false);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i;
}

TEST(InterfacesPage, TheShortAnswerOfOlderFirmwareFillsEveryField) {
  // 68 bytes reach the last shown field; nothing beyond them is read.
  StatusSnapshot s = zeroed();
  fillWords(s.wireless.data(), 68, 2000);
  const auto shortRows = interfaceRows(s, true);
  std::fill(s.wireless.begin() + 68, s.wireless.end(), 0xEE);
  EXPECT_EQ(interfaceRows(s, true), shortRows);
  EXPECT_EQ(shortRows.back().wireless, "2064");
}

TEST(InterfacesPage, InterfaceStateTexts) {
  const std::pair<std::uint32_t, const char*> cases[] = {{0, ""}, {1, "up"}, {2, "down"}, {3, ""}, {0x101, ""}};
  for (auto [state, text] : cases) {
    StatusSnapshot s = zeroed();
    writeLe32(s.ethernet.data() + 16, state);
    EXPECT_EQ(interfaceRows(s, false)[3].ethernet, text) << state;
  }
}

TEST(InterfacesPage, DebugDisplayAddsTheWirelessResetDetail) {
  struct Case {
    bool debug;
    std::uint32_t detail;
    const char* wireless;
  };
  const Case cases[] = {
      {true, 0x1A, "5(1A)"},
      {true, 0, "5"},
      {false, 0x1A, "5"},
      {true, 0xDEADBEEF, "5(DEADBEEF)"},
  };
  for (const Case& c : cases) {
    StatusSnapshot s = zeroed();
    writeLe32(s.ethernet.data() + 64, 5);
    writeLe32(s.wireless.data() + 64, 5);
    writeLe32(s.unitStatus.data() + 188, c.detail);
    const InterfaceRow resets = interfaceRows(s, c.debug).back();
    EXPECT_EQ(resets.wireless, c.wireless) << c.debug << " " << c.detail;
    EXPECT_EQ(resets.ethernet, "5");  // the detail belongs to the wireless card
  }
}

TEST(InterfacesPage, ClearZeroesTheCountersAndKeepsTheRest) {
  StatusSnapshot s = zeroed();
  std::fill(s.ethernet.begin(), s.ethernet.end(), 0x11);
  std::fill(s.wireless.begin(), s.wireless.end(), 0x22);
  std::fill(s.unitStatus.begin(), s.unitStatus.end(), 0x33);
  const auto before = interfaceRows(s, true);
  const StatusSnapshot untouched = s;

  clearInterfaceCounters(s);

  const auto after = interfaceRows(s, true);
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i < 4) {  // MTU, speed, MAC address, state
      EXPECT_EQ(after[i], before[i]) << after[i].label;
    } else {
      EXPECT_EQ(after[i], (InterfaceRow{before[i].label, "0", "0"})) << after[i].label;
    }
  }
  // Nothing else of the unit status block is touched.
  for (std::size_t o = 0; o < kUnitStatusSize; ++o) {
    EXPECT_EQ(s.unitStatus[o], o >= 188 && o < 192 ? 0 : untouched.unitStatus[o]) << o;
  }
  EXPECT_EQ(s.wirelessCounters, untouched.wirelessCounters);
}

TEST(WirelessCounterPage, TransmitLeftReceiveRight) {
  StatusSnapshot s = zeroed();
  fillWords(s.wirelessCounters.data(), kWirelessCounterSize, 4000000000u);
  const std::vector<StatusField> transmit = {
      {"TXUnicastFrames:", "4000000000"},         {"TXMulticastFrames:", "4000000004"},
      {"TXUnicastOctets:", "4000000012"},         {"TXMulticastOctets:", "4000000016"},
      {"TXDeferredTransmissions:", "4000000020"}, {"TXSingleRetryFrames:", "4000000024"},
      {"TXMultipleRetryFrames:", "4000000028"},   {"TXDiscards:", "4000000036"},
  };
  const std::vector<StatusField> receive = {
      {"RXUnicastFrames:", "4000000040"},   {"RXMulticastFrames:", "4000000044"}, {"RXUnicastOctets:", "4000000052"},
      {"RXMulticastOctets:", "4000000056"}, {"RXFCSErrors:", "4000000060"},       {"RXDiscardsNoBuffer:", "4000000064"},
  };
  const WirelessCounterView v = wirelessCounterView(s);
  EXPECT_EQ(v.transmit, transmit);
  EXPECT_EQ(v.receive, receive);

  clearWirelessCounters(s);
  EXPECT_TRUE(std::all_of(s.wirelessCounters.begin(), s.wirelessCounters.end(), [](auto b) { return b == 0; }));
  for (const auto& f : wirelessCounterView(s).receive) EXPECT_EQ(f.text, "0") << f.label;
}

}  // namespace
}  // namespace trennic
