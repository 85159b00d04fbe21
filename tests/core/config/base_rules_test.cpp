// The Base page's rules over the working configuration.
#include <gtest/gtest.h>

#include "core/config/base_rules.h"

namespace trennic {
namespace {

ApConfig unit(std::uint16_t mode, std::uint16_t type, std::uint16_t dip = 0, std::uint16_t roam = 0) {
  ApConfig c;
  c.setU16(cfg::NetworkMode, mode);
  c.setU16(cfg::UnitType, type);
  c.setU16(cfg::ModeSw, dip);
  c.setU16(cfg::RoamExtendCtrl, roam);
  c.setU16(cfg::RegDomain, 6);
  return c;
}

void channels(ApConfig& c, std::initializer_list<std::uint16_t> list) {
  std::uint16_t n = 0;
  for (auto ch : list) c.setU16(cfg::Channels + 2 * n++, ch);
  c.setU16(cfg::ChannelCount, n);
}

TEST(BaseRules, ModesOutOfRangeAndTheUnitTypeTheyForce) {
  struct Case {
    const char* why;
    std::uint16_t mode, type, dip;
    std::uint16_t shownMode, shownType;
    bool typeEnabled, listsEnabled;
  };
  for (const Case& c : {Case{"mode 2 reads as ad hoc, a station", 2, 0, 0, 0, 1, false, true},
                        Case{"standard infrastructure access point", 1, 0, 0, 1, 0, true, true},
                        Case{"advanced mode fixes the unit type", 5, 1, 0, 5, 1, false, true},
                        Case{"unit type 7 becomes a station", 4, 7, 0, 4, 1, true, true},
                        Case{"DIP mode locks both lists", 1, 0, 3, 1, 0, false, false}}) {
    ApConfig cfgRecord = unit(c.mode, c.type, c.dip);
    ModeView v = normaliseMode(cfgRecord);
    EXPECT_EQ(v.networkMode, c.shownMode) << c.why;
    EXPECT_EQ(v.unitType, c.shownType) << c.why;
    EXPECT_EQ(v.unitTypeEnabled, c.typeEnabled) << c.why;
    EXPECT_EQ(v.listsEnabled, c.listsEnabled) << c.why;
    EXPECT_EQ(cfgRecord.u16(cfg::ModeSw), c.dip ? 1 : 0) << c.why;
  }
  ApConfig advanced = unit(5, 1);
  forceUnitTypeForMode(advanced);
  EXPECT_EQ(advanced.u16(cfg::UnitType), 0);
}

TEST(BaseRules, AnAccessPointKeepsOneChannelAndTheDomainLimitsTheBoxes) {
  ApConfig ap = unit(1, 0);
  channels(ap, {1, 6, 11});
  ChannelView v = normaliseChannels(ap, 1);
  EXPECT_EQ(ap.u16(cfg::ChannelCount), 1);
  EXPECT_TRUE(v.checked[0]);
  EXPECT_FALSE(v.checked[5]);
  EXPECT_FALSE(v.allEnabled);
  for (auto [domain, first, last] : {std::tuple{3, 10, 11}, {5, 14, 14}, {9, 1, 14}}) {
    ap.setU16(cfg::RegDomain, static_cast<std::uint16_t>(domain));
    ChannelView d = normaliseChannels(ap, 1);
    for (int j = 1; j <= 14; ++j) EXPECT_EQ(d.enabled[j - 1], j >= first && j <= last) << domain << " box " << j;
  }
  EXPECT_EQ(ap.u16(cfg::RegDomain), 6);  // out of the table: the widest
}

TEST(BaseRules, CuttingToOneChannelNeverLeavesChannelZeroInUse) {
  struct Case {
    const char* why;
    std::initializer_list<std::uint16_t> list;
    unsigned defaultChannel;
    std::uint16_t used;
  };
  for (const Case& k : {Case{"all channels free", {}, 6, 6},
                        Case{"a first entry of 0", {0, 3}, 11, 11},
                        Case{"a first entry past the last box", {15}, 2, 2},
                        Case{"an unusable default falls back to 1", {}, 0, 1},
                        Case{"a real first channel stays", {6, 1, 11}, 3, 6}}) {
    ApConfig c = unit(1, 1);
    channels(c, k.list);
    keepFirstChannel(c, k.defaultChannel);
    EXPECT_EQ(c.u16(cfg::ChannelCount), 1) << k.why;
    EXPECT_EQ(c.u16(cfg::Channels), k.used) << k.why;
  }
  // An access point read with a zero channel shows the default one, checked.
  ApConfig ap = unit(1, 0);
  channels(ap, {0});
  ChannelView v = normaliseChannels(ap, 9);
  EXPECT_EQ(ap.u16(cfg::Channels), 9);
  EXPECT_TRUE(v.checked[8]);
  // All free stays all free until something cuts the list.
  ApConfig free = unit(1, 0);
  channels(free, {});
  normaliseChannels(free, 9);
  EXPECT_EQ(free.u16(cfg::ChannelCount), 0);
}

TEST(BaseRules, AStationRoamsOverSeveralChannelsOnlyWithExtendedRoaming) {
  ApConfig sta = unit(1, 1);
  channels(sta, {1, 6});
  ChannelView off = normaliseChannels(sta, 1);
  EXPECT_EQ(sta.u16(cfg::ChannelCount), 2);
  EXPECT_FALSE(off.allEnabled);
  EXPECT_FALSE(off.enabled[0]);
  sta.setU16(cfg::RoamExtendCtrl, 1);
  ChannelView on = normaliseChannels(sta, 1);
  EXPECT_TRUE(on.allEnabled);
  EXPECT_TRUE(on.enabled[0]);
  auto boxes = channelClicked(sta, checkedChannels(sta), 11, true);
  EXPECT_EQ(sta.u16(cfg::ChannelCount), 3);
  EXPECT_TRUE(boxes[10]);
  // "All" twice comes back to the default channel alone.
  allChannelsClicked(sta, 3);
  EXPECT_EQ(sta.u16(cfg::ChannelCount), 14);
  boxes = allChannelsClicked(sta, 3);
  EXPECT_EQ(sta.u16(cfg::ChannelCount), 1);
  EXPECT_EQ(sta.u16(cfg::Channels), 3);
  EXPECT_TRUE(boxes[2]);
}

TEST(BaseRules, SingleChannelBoxesActAsRadioButtonsAndTheLastStays) {
  ApConfig ap = unit(1, 0);
  channels(ap, {6});
  auto boxes = channelClicked(ap, checkedChannels(ap), 9, true);
  EXPECT_FALSE(boxes[5]);
  EXPECT_TRUE(boxes[8]);
  EXPECT_EQ(ap.u16(cfg::Channels), 9);
  EXPECT_EQ(ap.u16(cfg::ChannelCount), 1);
  boxes = channelClicked(ap, boxes, 9, false);
  EXPECT_TRUE(boxes[8]);
  EXPECT_EQ(ap.u16(cfg::ChannelCount), 1);
}

TEST(BaseRules, StaticNodeAgeTimeAndRate) {
  ApConfig sta = unit(4, 1);
  EXPECT_TRUE(staticNodeView(sta).enabled);
  EXPECT_FALSE(staticNodeView(sta).checked);
  sta.setMac(cfg::CompatiStaMac, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
  EXPECT_TRUE(staticNodeView(sta).checked);
  ApConfig ap = unit(4, 0);
  ap.setMac(cfg::CompatiStaMac, MacAddress{{0, 0x11, 0x22, 0x33, 0x44, 0x55}});
  EXPECT_FALSE(staticNodeView(ap).enabled);
  EXPECT_FALSE(staticNodeView(ap).checked);
  EXPECT_EQ(ageTimeFromBox(std::nullopt), 65535);
  EXPECT_EQ(ageTimeFromBox(2u), 3);
  EXPECT_EQ(ageTimeFromBox(70000u), 65535);
  ap.setU16(cfg::TxRate, 9);
  ap.setU16(cfg::ApAgeTime, 1);
  normaliseRateAndAgeTime(ap);
  EXPECT_EQ(ap.u16(cfg::TxRate), 5);
  EXPECT_EQ(ap.u16(cfg::ApAgeTime), 3);
  EXPECT_TRUE(anyIdBlockingEnabled(ap));
  EXPECT_FALSE(anyIdBlockingEnabled(sta));
}

}  // namespace
}  // namespace trennic
