#include "core/status/status_text.h"
#include "core/app/display_text.h"

#include <cstdio>
#include <cstring>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

std::string format(const char* fmt, auto... values) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, values...);
  return buf;
}

}  // namespace

std::string versionWordText(std::uint16_t word) {
  if (word == 0xFFFF) return "-.--";
  return format("%u.%02u", unsigned(word >> 8), unsigned(word & 0xFF));
}

std::string macText(const std::uint8_t* m) {
  return format("%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
}

std::string ipText(const std::uint8_t* a) { return format("%u.%u.%u.%u", a[0], a[1], a[2], a[3]); }

std::string counterText(const std::uint8_t* four) { return format("%lu", static_cast<unsigned long>(readLe32(four))); }

std::string networkModeText(std::uint32_t mode) {
  switch (mode) {
    case 0: return SHOWN("ADHOC (Simple Mode)");
    case 1: return SHOWN("Infrastructure (Standard Mode)");
    case 4: return SHOWN("Infrastructure (Wi-Fi Mode)");
    case 5: return SHOWN("Infrastructure (Advanced Mode)");
    default: return "";
  }
}

std::vector<StatusField> environmentFields(const StatusSnapshot& s) {
  const std::uint8_t* b = s.unitInfo.data();
  const std::uint32_t firmware = readLe32(b + 4);
  std::string firmwareText;
  if (readLe16(b + kUnitInfoModelOffset) == 21) {
    firmwareText = firmware == 0xFFFF ? "-.--" : format("%u.%02uT", unsigned((firmware >> 8) & 0xFF), unsigned(firmware & 0xFF));
  } else {
    firmwareText = versionWordText(static_cast<std::uint16_t>(firmware));
  }
  const std::uint16_t card[3] = {readLe16(b + 8), readLe16(b + 10), readLe16(b + 12)};
  const bool cardUnknown = card[0] == 0xFFFF || card[1] == 0xFFFF || card[2] == 0xFFFF;
  const std::uint32_t unitType = readLe32(b + 52);
  const char* type = unitType == 0 ? SHOWN("Access Point") : unitType == 1 ? SHOWN("Station") : "";
  const std::size_t cardTypeLength = strnlen(reinterpret_cast<const char*>(b + 56), 52);
  const auto channel = static_cast<std::int32_t>(readLe32(b + kUnitInfoChannelOffset));
  std::string channelText = channel == -1   ? SHOWN("Free")
                            : channel == -2 ? SHOWN("Unknown")
                                            : format("%u", static_cast<unsigned>(channel));
  return {
      {SHOWN("Loader Version:"), versionWordText(readLe16(b + 0))},
      {SHOWN("Firmware Version:"), firmwareText},
      {SHOWN("Firmware Version(Wireless Card):"), cardUnknown ? "--.--.--" : format("%X.%X.%X", card[0], card[1], card[2])},
      {SHOWN("Hardware Version:"), format("0x%02X", readLe16(b + 16))},
      {SHOWN("Ethernet Address:"), macText(b + 20)},
      {SHOWN("Wireless MAC Address:"), macText(b + 28)},
      {SHOWN("IP Address:"), ipText(b + 36)},
      {SHOWN("Subnet Mask:"), ipText(b + 40)},
      {SHOWN("Default Gateway:"), ipText(b + 44)},
      {SHOWN("Network Mode:"), networkModeText(readLe32(b + 48))},
      {SHOWN("Unit Type:"), type},
      {SHOWN("Channel Number:"), channelText},
      {SHOWN("Card Type:"), std::string(reinterpret_cast<const char*>(b + 56), cardTypeLength), true},
  };
}

UnitStatusView unitStatusView(const StatusSnapshot& s) {
  const std::uint8_t* b = s.unitStatus.data();
  UnitStatusView v;
  v.counters = {{SHOWN("Auto Resets:"), counterText(b + 0)},
                {SHOWN("Current Packet Buffers:"), counterText(b + 4)},
                {SHOWN("Minimum Packet Buffers:"), counterText(b + 8)}};
  for (int i = 0; i < 3; ++i) v.leds[i] = readLe32(b + 16 + 4 * i) != 2;
  for (int i = 0; i < 4; ++i) {
    const std::uint16_t sw = readLe16(b + 88 + 4 * i);
    v.dips[i] = sw == 1 ? DipSwitch::On : sw == 2 ? DipSwitch::Off : DipSwitch::Neither;
  }
  // Firmware before 2.00 has no chip type; whatever the byte holds means
  // nothing.
  const unsigned chip = s.firmwareVersion() < 0x0200 ? 0 : b[192];
  v.wireless = {{SHOWN("Channel No.:"), format("%u", unsigned(b[181]))},
                {SHOWN("Domain:"), format("%u", unsigned(b[182]))},
                {SHOWN("Chip Type:"), format("%u", chip)}};
  v.event = {{SHOWN("Code:"), format("0x%04X", readLe16(b + 166))},
             {SHOWN("PC:"), format("0x%08X", readLe32(b + 168))},
             {SHOWN("Event Counter:"), counterText(b + 172)},
             {SHOWN("Bad Int. Counter:"), counterText(b + 176)}};
  return v;
}

}  // namespace trennic
