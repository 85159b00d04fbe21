#pragma once
// What the status pages show, as text, from the snapshot of the last
// completed poll cycle. The pages only put these texts into their fields.
#include <cstdint>
#include <string>
#include <vector>

#include "core/status/status_poller.h"

namespace trennic {

// One read-only field of a page: its label and its text.
struct StatusField {
  std::string label;
  std::string text;
  // The unit's own bytes (the card type), shown in the user's code page;
  // every other value is numbers or one of the core's display words.
  bool unitText = false;
  bool operator==(const StatusField&) const = default;
};

// "%u.%02u" of the high and low byte; 0xFFFF is "-.--".
std::string versionWordText(std::uint16_t word);
std::string macText(const std::uint8_t* six);
std::string ipText(const std::uint8_t* four);
// "%lu" of a little-endian 32-bit counter.
std::string counterText(const std::uint8_t* four);
// The six network modes; other values give an empty text.
std::string networkModeText(std::uint32_t mode);

// The "Environment" page: thirteen fields from the unit information block.
std::vector<StatusField> environmentFields(const StatusSnapshot& s);

// The "Status" page.
enum class DipSwitch { Neither, On, Off };
struct UnitStatusView {
  std::vector<StatusField> counters;  // resets and packet buffers
  bool leds[3] = {};                  // POWER, WLINK, WRX
  DipSwitch dips[4] = {};             // SW1 .. SW4
  std::vector<StatusField> wireless;  // "Wireless Parameters"
  std::vector<StatusField> event;     // "Event", shown with /D only
};
UnitStatusView unitStatusView(const StatusSnapshot& s);

}  // namespace trennic
