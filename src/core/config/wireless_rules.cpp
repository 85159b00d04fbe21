#include "core/config/wireless_rules.h"

#include <algorithm>

#include "core/app/text_scan.h"

namespace trennic {

namespace {

using text::hexDigit;

std::uint16_t keyFlags(const ApConfig& c, int slot) { return c.u16(wepSlotOffset(slot) + cfg::WepKeyFlagsAt); }
std::uint16_t keyLength(const ApConfig& c, int slot) { return c.u16(wepSlotOffset(slot) + cfg::WepKeyLengthAt); }

void clearSlot(ApConfig& c, int slot) {
  auto s = c.span(wepSlotOffset(slot), cfg::WepKeyEntrySize);
  std::fill(s.begin(), s.end(), std::uint8_t{0});
}

std::optional<int> firstPresentSlot(const ApConfig& c) {
  for (int k = 0; k < kWepSlots; ++k)
    if (wepKeyPresent(c, k)) return k;
  return std::nullopt;
}

// The key used for sending must be one that is there.
void moveDefaultKeyOntoPresent(ApConfig& c) {
  if (wepKeyPresent(c, c.u16(cfg::WepDefTxKey))) return;
  if (auto first = firstPresentSlot(c)) c.setU16(cfg::WepDefTxKey, static_cast<std::uint16_t>(*first));
}

std::uint16_t wepKeyLengthFor(int sizeChoice) {
  switch (sizeChoice) {
    case WepKeyDisabled:
      return 0;
    case WepKey128:
      return kWep128Bytes;
    default:
      return kWep40Bytes;  // a list that shows no entry keeps the smaller key
  }
}

std::size_t priorityOffset(std::size_t index) { return cfg::PriorityAps + cfg::PriorityEntrySize * index; }

}  // namespace

bool wifiCompatible(const ApConfig& c) { return c.u16(cfg::ModeSw) == 0 && c.u16(cfg::NetworkMode) == 4; }

bool roamingCapable(const ApConfig& c) {
  return c.u16(cfg::ModeSw) == 1 || (c.u16(cfg::NetworkMode) != 0 && c.u16(cfg::UnitType) != 0);
}

// --- Scrambling -------------------------------------------------------------

int normaliseScramble(ApConfig& c) {
  if (c.u16(cfg::Scramble) > 1) c.setU16(cfg::Scramble, 0);
  if (c.u16(cfg::Scramble) == 0) return ScrambleDisabled;
  return c.u16(cfg::ScrambleVersion) == 2 ? ScrambleType2 : ScrambleType1;
}

bool scrambleListEnabled(const ApConfig& c) { return !wifiCompatible(c); }

bool scrambleKeyEnabled(const ApConfig& c) { return c.u16(cfg::Scramble) != 0 && scrambleListEnabled(c); }

void storeScramble(ApConfig& c, int choice) {
  if (choice == ScrambleDisabled) {
    c.setU16(cfg::Scramble, 0);
    return;
  }
  c.setU16(cfg::Scramble, 1);
  c.setU16(cfg::ScrambleVersion, choice == ScrambleType2 ? 2 : 1);
}

std::optional<std::uint8_t> hexByteText(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && text::isSpace(t[i])) ++i;
  int value = 0, digits = 0;
  for (; i < t.size() && digits < 2; ++i, ++digits) {
    int d = hexDigit(t[i]);
    if (d < 0) break;
    value = value * 16 + d;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::string hexBytesText(const std::uint8_t* bytes, std::size_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0x0F];
  }
  return out;
}

// --- WEP --------------------------------------------------------------------

std::size_t wepSlotOffset(int slot) { return cfg::WepKeys + cfg::WepKeyEntrySize * static_cast<std::size_t>(slot); }

bool wepKeyPresent(const ApConfig& c, int slot) {
  return slot >= 0 && slot < kWepSlots && (keyFlags(c, slot) & cfg::WepKeyPresent) != 0;
}

int normaliseWepSlot(ApConfig& c, int slot) {
  if (wepKeyPresent(c, slot)) {
    if (keyLength(c, slot) == kWep128Bytes) return WepKey128;
    if (keyLength(c, slot) == kWep40Bytes) return WepKey40;
  }
  clearSlot(c, slot);
  return WepKeyDisabled;
}

std::string wepKeyText(const ApConfig& c, int slot) {
  if (!wepKeyPresent(c, slot)) return {};
  const std::size_t n = std::min<std::size_t>(keyLength(c, slot), cfg::WepKeyBytes);
  return hexBytesText(c.bytes.data() + wepSlotOffset(slot) + cfg::WepKeyBytesAt, n);
}

int wepKeyTextLimit(const ApConfig& c, int slot) {
  if (!wepKeyPresent(c, slot)) return 0;
  return 2 * static_cast<int>(std::min<std::size_t>(keyLength(c, slot), cfg::WepKeyBytes));
}

void storeWepSlot(ApConfig& c, int slot, int sizeChoice, std::string_view keyText) {
  clearSlot(c, slot);
  const std::size_t at = wepSlotOffset(slot);
  const std::uint16_t length = wepKeyLengthFor(sizeChoice);
  c.setU16(at + cfg::WepKeyLengthAt, length);
  if (length == 0) return;
  c.setU16(at + cfg::WepKeyFlagsAt, cfg::WepKeyPresent);
  for (std::size_t i = 0; i < length && 2 * i + 1 < keyText.size(); ++i) {
    const int high = hexDigit(keyText[2 * i]), low = hexDigit(keyText[2 * i + 1]);
    if (high < 0 || low < 0) break;
    c.bytes[at + cfg::WepKeyBytesAt + i] = static_cast<std::uint8_t>(high << 4 | low);
  }
}

void normaliseWep(ApConfig& c) {
  if (c.u16(cfg::Wep) > 1) c.setU16(cfg::Wep, 0);
}

bool wepKeySizeChangeAllowed(const ApConfig& c, int slot, int newChoice) {
  if (newChoice != WepKeyDisabled) return true;
  for (int k = 0; k < kWepSlots; ++k)
    if (k != slot && wepKeyPresent(c, k)) return true;
  return false;
}

std::vector<int> normaliseDefaultTxKey(ApConfig& c) {
  if (c.u16(cfg::WepDefTxKey) > 3) c.setU16(cfg::WepDefTxKey, 0);
  moveDefaultKeyOntoPresent(c);
  std::vector<int> numbers;
  for (int k = 0; k < kWepSlots; ++k)
    if (wepKeyPresent(c, k)) numbers.push_back(k + 1);
  return numbers;
}

void storeDefaultTxKey(ApConfig& c, std::optional<std::uint32_t> number) {
  if (!number) return;
  c.setU16(cfg::WepDefTxKey, *number >= 1 && *number <= 4 ? static_cast<std::uint16_t>(*number - 1) : 0);
  moveDefaultKeyOntoPresent(c);
}

// --- Roaming ----------------------------------------------------------------

std::vector<std::uint16_t> roamingThresholdChoices() {
  std::vector<std::uint16_t> v;
  for (std::uint16_t t = kRoamThresholdMin; t <= kRoamThresholdMax; t += 2) v.push_back(t);
  return v;
}

std::vector<std::uint16_t> samplingTimeChoices() {
  std::vector<std::uint16_t> v;
  for (std::uint16_t t = kSamplingTimeMin; t <= kSamplingTimeMax; ++t) v.push_back(t);
  return v;
}

RoamingView normaliseRoaming(ApConfig& c) {
  RoamingView v;
  v.extended = c.u16(cfg::RoamExtendCtrl) == 1;
  v.extendedEnabled = roamingCapable(c);
  v.controlsEnabled = v.extendedEnabled && v.extended;
  v.bordersEnabled = v.controlsEnabled && c.u16(cfg::SpeedThreshold) == 1;

  // The unit steps its threshold in twos; an odd value goes to the step below.
  std::uint16_t threshold = std::clamp(c.u16(cfg::RoamRoamingThreshold), kRoamThresholdMin, kRoamThresholdMax);
  c.setU16(cfg::RoamRoamingThreshold, static_cast<std::uint16_t>(threshold & ~1u));
  c.setU16(cfg::RoamSampligTime, std::clamp(c.u16(cfg::RoamSampligTime), kSamplingTimeMin, kSamplingTimeMax));

  v.speedControl = c.u16(cfg::SpeedThreshold) != 0;
  v.loginOtherAp = c.u16(cfg::RoamPriApOther) == 1;
  return v;
}

void setExtendedRoaming(ApConfig& c, bool on, unsigned defaultChannel) {
  c.setU16(cfg::RoamExtendCtrl, on ? 1 : 0);
  if (!on) keepFirstChannel(c, defaultChannel);
}

// --- Preferred access points --------------------------------------------------

std::size_t priorityRows(const ApConfig& c) { return std::min<std::size_t>(c.u16(cfg::PriorityCount), kPriorityApMax); }

MacAddress priorityAp(const ApConfig& c, std::size_t index) { return c.mac(priorityOffset(index)); }

void setPriorityAp(ApConfig& c, std::size_t index, const MacAddress& mac) { c.setMac(priorityOffset(index), mac); }

std::optional<std::size_t> beginNewPriorityAp(ApConfig& c) {
  const std::size_t count = c.u16(cfg::PriorityCount);
  if (count >= kPriorityApMax) return std::nullopt;
  auto entry = c.span(priorityOffset(count), cfg::PriorityEntrySize);
  std::fill(entry.begin(), entry.end(), std::uint8_t{0});
  return count;
}

void addPriorityAp(ApConfig& c) {
  const std::uint16_t count = c.u16(cfg::PriorityCount);
  if (count < kPriorityApMax) c.setU16(cfg::PriorityCount, static_cast<std::uint16_t>(count + 1));
}

bool priorityAddressTaken(const ApConfig& c, std::size_t index, const MacAddress& mac) {
  for (std::size_t i = 0; i < priorityRows(c); ++i)
    if (i != index && priorityAp(c, i) == mac) return true;
  return false;
}

void deletePriorityAps(ApConfig& c, const std::vector<std::size_t>& rows) {
  std::vector<MacAddress> kept;
  for (std::size_t i = 0; i < priorityRows(c); ++i)
    if (std::find(rows.begin(), rows.end(), i) == rows.end()) kept.push_back(priorityAp(c, i));
  auto all = c.span(cfg::PriorityAps, cfg::PriorityEntrySize * kPriorityApMax);
  std::fill(all.begin(), all.end(), std::uint8_t{0});
  for (std::size_t i = 0; i < kept.size(); ++i) setPriorityAp(c, i, kept[i]);
  c.setU16(cfg::PriorityCount, static_cast<std::uint16_t>(kept.size()));
}

}  // namespace trennic
