#pragma once
// The rules of the Wireless page: what the mode leaves usable of scrambling,
// WEP and extended roaming, how each of them is brought into range when the
// page shows it, and how the page's texts go back into the configuration.
// The page only carries out what these say, so a unit's odd values are
// judged the same way wherever they meet the program.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/ap_config.h"

namespace trennic {

// Compatible mode set by hand: the unit then speaks plain Wi-Fi, which knows
// no proprietary scrambling.
bool wifiCompatible(const ApConfig& c);
// A unit that may roam between access points: one whose DIP switch decides
// (it may be set to a station), or an infrastructure station.
bool roamingCapable(const ApConfig& c);

// --- Scrambling -------------------------------------------------------------

// The entries of the "Scramble:" list, in list order.
enum ScrambleChoice : int { ScrambleDisabled = 0, ScrambleType1 = 1, ScrambleType2 = 2 };

// Brings Scramble into 0..1 and says which entry the list shows for it.
int normaliseScramble(ApConfig& c);
bool scrambleListEnabled(const ApConfig& c);
bool scrambleKeyEnabled(const ApConfig& c);
void storeScramble(ApConfig& c, int choice);

// A two-digit byte box read as "%02X" does: blanks first, then up to two hex
// digits. Nothing when no digit is there.
std::optional<std::uint8_t> hexByteText(std::string_view text);
// "%02X" for each byte, upper case, no separators.
std::string hexBytesText(const std::uint8_t* bytes, std::size_t count);

// --- WEP --------------------------------------------------------------------

constexpr int kWepSlots = 4;  // slots are numbered 0..3 here, "Key 1:".."Key 4:" on screen

// The entries of the key size lists, in list order.
enum WepKeySize : int { WepKeyDisabled = 0, WepKey40 = 1, WepKey128 = 2 };
constexpr std::uint16_t kWep40Bytes = 5, kWep128Bytes = 13;

std::size_t wepSlotOffset(int slot);
// Present: bit 0 of keyFlags set. Only a present key of 5 or 13 bytes can
// be shown; normaliseWepSlot clears any other slot.
bool wepKeyPresent(const ApConfig& c, int slot);
int normaliseWepSlot(ApConfig& c, int slot);
// The key as the key box shows it: keyLength bytes, "%02X" each.
std::string wepKeyText(const ApConfig& c, int slot);
// The box holds two characters per byte of the key.
int wepKeyTextLimit(const ApConfig& c, int slot);
// Rewrites the whole slot from its size list and key box. The key is read
// two characters to the byte, high digit first, and reading stops at the
// first byte whose two digits are not both there, so a short or spoilt text
// leaves the rest of the key zero.
void storeWepSlot(ApConfig& c, int slot, int sizeChoice, std::string_view keyText);

// Wep into 0..1.
void normaliseWep(ApConfig& c);
// WEP on needs a key: the last present key cannot be switched off.
bool wepKeySizeChangeAllowed(const ApConfig& c, int slot, int newChoice);

// Brings WepDefTxKey onto a present key (the first one when its own is
// absent; left alone when none is present) and returns the numbers ("1" to
// "4") the "Default Tx Key:" list offers, in order.
std::vector<int> normaliseDefaultTxKey(ApConfig& c);
// `number` is what the list's text reads as, nothing when it is no number.
void storeDefaultTxKey(ApConfig& c, std::optional<std::uint32_t> number);

// --- Roaming ----------------------------------------------------------------

constexpr std::uint16_t kRoamThresholdMin = 50, kRoamThresholdMax = 150;
constexpr std::uint16_t kSamplingTimeMin = 1, kSamplingTimeMax = 10;
constexpr std::uint32_t kSpeedBorderMin = 5, kSpeedBorderMax = 150;

// The entries of "Roaming Threshold:" and "RSSI Sampling Time:", in order.
std::vector<std::uint16_t> roamingThresholdChoices();
std::vector<std::uint16_t> samplingTimeChoices();

struct RoamingView {
  bool extended = false;         // "Extended Roaming" checked
  bool extendedEnabled = false;  // ... and usable
  bool controlsEnabled = false;  // everything that belongs to extended roaming
  bool bordersEnabled = false;   // the three speed borders
  bool speedControl = false;     // "Extension Speed Control" checked
  bool loginOtherAp = false;     // "Login Other AP" checked
};
// Brings the threshold onto an even number of 50..150 (an odd one goes down)
// and the sampling time into 1..10.
RoamingView normaliseRoaming(ApConfig& c);
// Without extended roaming a station keeps to a single channel.
void setExtendedRoaming(ApConfig& c, bool on, unsigned defaultChannel);

// --- Preferred access points --------------------------------------------------

constexpr std::size_t kPriorityApMax = 5;

// The used entries, never more than the five there are room for, whatever
// PriorityCount claims.
std::size_t priorityRows(const ApConfig& c);
MacAddress priorityAp(const ApConfig& c, std::size_t index);
void setPriorityAp(ApConfig& c, std::size_t index, const MacAddress& mac);
// "New": the index of the entry to fill, cleared to the all-zero address,
// or nothing when the list is full. PriorityCount grows only when the
// editor's OK keeps the entry (addPriorityAp).
std::optional<std::size_t> beginNewPriorityAp(ApConfig& c);
void addPriorityAp(ApConfig& c);
// Another used entry already holds the address.
bool priorityAddressTaken(const ApConfig& c, std::size_t index, const MacAddress& mac);
// Removes the entries of the given rows; the others move up in their order
// and every place behind them is cleared.
void deletePriorityAps(ApConfig& c, const std::vector<std::size_t>& rows);

}  // namespace trennic
