// The widest texts the status pages are sized for: every text a page can
// show fits within one of its field's widest texts, whatever the unit sent.
#include "core/status/widest_text.h"

#include <gtest/gtest.h>

#include <random>

#include "core/protocol/packet.h"
#include "core/status/counter_text.h"
#include "core/status/status_text.h"
#include "core/status/stp_text.h"
#include "core/status/table_text.h"

namespace trennic {
namespace {

TEST(WidestText, FitsCountsDigitsOtherCharactersAndWildOnes) {
  struct Case {
    const char* text;
    const char* widest;
    bool fits;
  };
  const Case cases[] = {
      {"0.00", "255.255", true},
      {"123.4567", "255.255", false},  // one digit too many
      {"1A.3", "FFFF.FFFF.FFFF", true},
      {"-.--", "255.255", false},  // dashes are no digits
      {"0 days 1:1:1", "497 days 23:59:59", true},
      {"5(1A)", "4294967295(FFFFFFFF)", true},
      {"Station", "Access Point", false},
      {"", "0", true},
      {"PRISM*", "******", true},
      {"PRISM2 card", "*****", false},
      {"Wi-Fi", "Wi-F*", true},  // a wild character in place of a letter
  };
  for (const Case& c : cases) EXPECT_EQ(fitsWithin(c.text, c.widest), c.fits) << c.text << " in " << c.widest;
}

bool fitsOne(const std::string& label, const std::string& text) {
  for (const std::string& w : widestTexts(label))
    if (fitsWithin(text, w)) return true;
  return false;
}

// Snapshots with every block full of what a unit might send: random bytes,
// with the coded values (modes, types, states, channels) walked through
// their codes and beyond.
StatusSnapshot snapshotNumber(unsigned n) {
  StatusSnapshot s;
  s.clear();
  std::mt19937 random(n);
  std::uniform_int_distribution<int> byte(0, 255);
  auto fill = [&](auto& block) {
    for (auto& b : block) b = static_cast<std::uint8_t>(n % 3 == 0 ? 0xFF : n % 3 == 1 ? 0 : byte(random));
  };
  fill(s.unitInfo);
  fill(s.unitStatus);
  fill(s.ethernet);
  fill(s.wireless);
  fill(s.wirelessLink);
  fill(s.stpBridge);
  fill(s.stpPorts);
  std::uint8_t* info = s.unitInfo.data();
  if (n % 2) writeLe16(info + kUnitInfoModelOffset, 21);
  writeLe32(info + 48, n % 8);                                    // network mode
  writeLe32(info + 52, n % 4 == 0 ? 1 : n % 3);                   // unit type
  if (n % 5 < 2) writeLe32(info + kUnitInfoChannelOffset, static_cast<std::uint32_t>(-1 - int(n % 5)));
  if (n % 7 == 0) writeLe32(info + kUnitInfoChannelOffset, static_cast<std::uint32_t>(-3));
  writeLe32(s.wirelessLink.data() + 8, n % 5);                    // login state
  writeLe32(s.ethernet.data() + 16, n % 4);                       // interface states
  writeLe32(s.wireless.data() + 16, (n + 1) % 4);
  for (std::size_t p = 0; p < kStpPortMax; ++p) writeLe16(s.stpPorts.data() + p * kStpPortRecord + 4, (n + p) % 8);
  s.stpPortCount = n % 3;
  return s;
}

TEST(WidestText, EveryTextOfEveryPageFitsItsField) {
  for (unsigned n = 0; n < 600; ++n) {
    const StatusSnapshot s = snapshotNumber(n);
    std::vector<StatusField> fields = environmentFields(s);
    const UnitStatusView status = unitStatusView(s);
    for (const auto* part : {&status.counters, &status.wireless, &status.event})
      fields.insert(fields.end(), part->begin(), part->end());
    const WirelessCounterView counters = wirelessCounterView(s);
    fields.insert(fields.end(), counters.transmit.begin(), counters.transmit.end());
    fields.insert(fields.end(), counters.receive.begin(), counters.receive.end());
    const WirelessNodeView nodes = wirelessNodeView(s, 3, true);
    fields.insert(fields.end(), nodes.link.begin(), nodes.link.end());
    const StpView stp = stpView(s);
    fields.insert(fields.end(), stp.bridge.begin(), stp.bridge.end());
    for (bool debug : {false, true})
      for (const InterfaceRow& r : interfaceRows(s, debug)) {
        fields.push_back({r.label, r.ethernet});
        fields.push_back({r.label, r.wireless});
      }
    for (const std::vector<std::string>& row : stp.ports.rows)
      for (std::size_t c = 0; c < row.size(); ++c) fields.push_back({stp.ports.columns[c].title, row[c]});
    for (const StatusField& f : fields) {
      ASSERT_FALSE(widestTexts(f.label).empty()) << f.label;
      EXPECT_TRUE(fitsOne(f.label, f.text)) << "snapshot " << n << ": " << f.label << " \"" << f.text << "\"";
    }
  }
}

// The widest texts are reached, not guessed wide: the designated root of a
// block of 0xFF bytes shows exactly what the field is sized for.
TEST(WidestText, TheDesignatedRootTakesTwentyTwoCharacters) {
  StatusSnapshot s;
  s.clear();
  s.stpBridge.fill(0xFF);
  const StatusField root = stpView(s).bridge.front();
  EXPECT_EQ(root.label, "Designated Root:");
  EXPECT_EQ(widestTexts(root.label), std::vector<std::string>{root.text});
  EXPECT_EQ(root.text.size(), 22u);
}

}  // namespace
}  // namespace trennic
