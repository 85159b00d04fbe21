#include "core/config/base_rules.h"

#include <algorithm>

namespace trennic {

const std::array<DomainChannels, 7> kDomainChannelTable = {{
    {0x10, 11, 1, 11},
    {0x20, 11, 1, 11},
    {0x30, 13, 1, 13},
    {0x31, 2, 10, 11},
    {0x32, 4, 10, 13},
    {0x40, 1, 14, 14},
    {0x42, 14, 1, 14},
}};

bool dipMode(const ApConfig& c) { return c.u16(cfg::ModeSw) == 1; }
bool infrastructureStation(const ApConfig& c) { return c.u16(cfg::NetworkMode) != 0 && c.u16(cfg::UnitType) != 0; }
bool infrastructureAccessPoint(const ApConfig& c) {
  return c.u16(cfg::NetworkMode) != 0 && c.u16(cfg::UnitType) == 0;
}
bool multiChannel(const ApConfig& c) {
  return (dipMode(c) || (c.u16(cfg::NetworkMode) != 0 && c.u16(cfg::UnitType) == 1)) &&
         c.u16(cfg::RoamExtendCtrl) == 1;
}
bool compatibleStation(const ApConfig& c) {
  return c.u16(cfg::ModeSw) == 0 && c.u16(cfg::NetworkMode) == 4 && c.u16(cfg::UnitType) == 1;
}

ModeView normaliseMode(ApConfig& c) {
  if (c.u16(cfg::ModeSw) > 1) c.setU16(cfg::ModeSw, 1);
  ModeView v;
  v.dip = dipMode(c);
  v.listsEnabled = !v.dip;
  const std::uint16_t mode = c.u16(cfg::NetworkMode);
  if (mode != 0 && mode != 1 && mode != 4 && mode != 5) c.setU16(cfg::NetworkMode, 0);
  if (c.u16(cfg::NetworkMode) == 0 || c.u16(cfg::UnitType) > 1) c.setU16(cfg::UnitType, 1);
  v.networkMode = c.u16(cfg::NetworkMode);
  v.unitType = c.u16(cfg::UnitType);
  v.unitTypeEnabled = !v.dip && v.networkMode != 0 && v.networkMode != 5;
  return v;
}

ChannelView normaliseChannels(ApConfig& c, unsigned defaultChannel) {
  ChannelView v;
  const bool many = dipMode(c) || infrastructureStation(c);
  const std::uint16_t count = std::min<std::uint16_t>(c.u16(cfg::ChannelCount), cfg::ChannelSlots);
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint16_t ch = c.u16(cfg::Channels + 2 * i);
    if (ch >= 1 && ch <= kChannelBoxes) v.checked[ch - 1] = true;
    if (!many) {
      // A single-channel unit keeps its first channel only.
      keepFirstChannel(c, defaultChannel);
      if (ch < 1 || ch > kChannelBoxes) v.checked[c.u16(cfg::Channels) - 1] = true;
      break;
    }
  }
  bool boxesUsable;
  if (dipMode(c)) {
    boxesUsable = true;
    v.allEnabled = c.u16(cfg::RoamExtendCtrl) != 0;
  } else if (infrastructureStation(c)) {
    boxesUsable = v.allEnabled = c.u16(cfg::RoamExtendCtrl) != 0;
  } else {
    boxesUsable = true;
    v.allEnabled = false;
  }
  if (c.u16(cfg::RegDomain) > 6) c.setU16(cfg::RegDomain, 6);
  const DomainChannels& d = kDomainChannelTable[c.u16(cfg::RegDomain)];
  for (int j = 1; j <= kChannelBoxes; ++j) v.enabled[j - 1] = boxesUsable && j >= d.first && j <= d.last;
  return v;
}

bool anyIdBlockingEnabled(const ApConfig& c) { return dipMode(c) || infrastructureAccessPoint(c); }

StaticNodeView staticNodeView(const ApConfig& c) {
  StaticNodeView v;
  if (compatibleStation(c)) {
    v.enabled = true;
    v.checked = !c.mac(cfg::CompatiStaMac).isZero();
  }
  return v;
}

void normaliseRateAndAgeTime(ApConfig& c) {
  if (c.u16(cfg::TxRate) > 5) c.setU16(cfg::TxRate, 5);
  if (c.u16(cfg::ApAgeTime) < 3) c.setU16(cfg::ApAgeTime, 3);
}

void setChannels(ApConfig& c, const std::array<bool, kChannelBoxes>& checked) {
  for (std::size_t i = 0; i < cfg::ChannelSlots; ++i) c.setU16(cfg::Channels + 2 * i, 0);
  std::uint16_t n = 0;
  for (int j = 1; j <= kChannelBoxes; ++j)
    if (checked[j - 1]) c.setU16(cfg::Channels + 2 * n++, static_cast<std::uint16_t>(j));
  c.setU16(cfg::ChannelCount, n);
}

std::array<bool, kChannelBoxes> checkedChannels(const ApConfig& c) {
  std::array<bool, kChannelBoxes> boxes{};
  const std::uint16_t count = std::min<std::uint16_t>(c.u16(cfg::ChannelCount), cfg::ChannelSlots);
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint16_t ch = c.u16(cfg::Channels + 2 * i);
    if (ch >= 1 && ch <= kChannelBoxes) boxes[ch - 1] = true;
  }
  return boxes;
}

std::array<bool, kChannelBoxes> channelClicked(ApConfig& c, std::array<bool, kChannelBoxes> boxes, int j,
                                               bool nowChecked) {
  if (j < 1 || j > kChannelBoxes) return boxes;
  boxes[j - 1] = nowChecked;
  if (nowChecked) {
    if (multiChannel(c)) {
      setChannels(c, boxes);
      return boxes;
    }
    const std::uint16_t first = c.u16(cfg::ChannelCount) > 0 ? c.u16(cfg::Channels) : 0;
    if (first >= 1 && first <= kChannelBoxes && first != j) boxes[first - 1] = false;
    c.setU16(cfg::Channels, static_cast<std::uint16_t>(j));
    c.setU16(cfg::ChannelCount, 1);
    return boxes;
  }
  if (c.u16(cfg::ChannelCount) < 2) {
    boxes[j - 1] = true;  // the last channel stays
    return boxes;
  }
  setChannels(c, boxes);
  return boxes;
}

std::array<bool, kChannelBoxes> allChannelsClicked(ApConfig& c, unsigned defaultChannel) {
  std::array<bool, kChannelBoxes> boxes{};
  if (!multiChannel(c)) return checkedChannels(c);
  if (c.u16(cfg::ChannelCount) == kChannelBoxes) {
    const int ch = defaultChannel >= 1 && defaultChannel <= kChannelBoxes ? static_cast<int>(defaultChannel) : 1;
    boxes[ch - 1] = true;
  } else {
    boxes.fill(true);
  }
  setChannels(c, boxes);
  return boxes;
}

void forceUnitTypeForMode(ApConfig& c) {
  if (c.u16(cfg::NetworkMode) == 0) c.setU16(cfg::UnitType, 1);
  if (c.u16(cfg::NetworkMode) == 5) c.setU16(cfg::UnitType, 0);
}

std::uint16_t ageTimeFromBox(std::optional<std::uint32_t> value) {
  if (!value) return 65535;
  return static_cast<std::uint16_t>(std::clamp<std::uint32_t>(*value, 3, 65535));
}

}  // namespace trennic
