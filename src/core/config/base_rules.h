#pragma once
// The rules of the Base page: how the network mode, the unit type, DIP mode
// and extended roaming decide which channels, lists and boxes are usable,
// and what each of them normalises in the working configuration.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/config/ap_config.h"

namespace trennic {

constexpr int kChannelBoxes = 14;

struct DomainChannels {
  std::uint8_t code;
  std::uint8_t count;
  std::uint8_t first;
  std::uint8_t last;
};
// Indexed by RegDomain.
extern const std::array<DomainChannels, 7> kDomainChannelTable;

bool dipMode(const ApConfig& c);
bool infrastructureStation(const ApConfig& c);
bool infrastructureAccessPoint(const ApConfig& c);
bool multiChannel(const ApConfig& c);
bool compatibleStation(const ApConfig& c);

// What the mode group shows, after ModeSw, NetworkMode and UnitType have
// been brought into their ranges.
struct ModeView {
  bool dip = false;
  bool listsEnabled = true;
  std::uint16_t networkMode = 0;
  std::uint16_t unitType = 1;
  bool unitTypeEnabled = false;
};
ModeView normaliseMode(ApConfig& c);

// The channel boxes, after a single-channel unit has been cut to its first
// channel and RegDomain brought into the table.
struct ChannelView {
  std::array<bool, kChannelBoxes> checked{};
  std::array<bool, kChannelBoxes> enabled{};
  bool allEnabled = false;
};
ChannelView normaliseChannels(ApConfig& c, unsigned defaultChannel);

bool anyIdBlockingEnabled(const ApConfig& c);

// The "ESS ID:" field takes at most this many bytes of the user's code page;
// a longer ESS ID a unit holds is shown and kept whole.
constexpr std::size_t kEssIdMaxBytes = 32;

struct StaticNodeView {
  bool enabled = false;
  bool checked = false;
};
StaticNodeView staticNodeView(const ApConfig& c);

// TxRate at most 5, ApAgeTime at least 3.
void normaliseRateAndAgeTime(ApConfig& c);

// The channels of the checked boxes, in ascending order.
void setChannels(ApConfig& c, const std::array<bool, kChannelBoxes>& checked);
std::array<bool, kChannelBoxes> checkedChannels(const ApConfig& c);

// Box j (1..14) was clicked into `nowChecked`; returns the boxes as they
// must show afterwards. Outside multi-channel the boxes behave as radio
// buttons, and the last channel can never be taken away.
std::array<bool, kChannelBoxes> channelClicked(ApConfig& c, std::array<bool, kChannelBoxes> boxes, int j,
                                               bool nowChecked);
// "All": every channel, or back to the default channel alone.
std::array<bool, kChannelBoxes> allChannelsClicked(ApConfig& c, unsigned defaultChannel);

// Store's last word on the mode: ad hoc units are stations, advanced-mode
// units access points.
void forceUnitTypeForMode(ApConfig& c);
// The "Age Time:" box: empty gives 65535, below 3 gives 3.
std::uint16_t ageTimeFromBox(std::optional<std::uint32_t> value);

}  // namespace trennic
