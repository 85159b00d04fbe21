#include "core/status/widest_text.h"

#include <array>
#include <initializer_list>

namespace trennic {

namespace {

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// The widest of each kind of number, as the pages print them.
const char* const kCounter = "4294967295";  // "%lu" of 32 bits
const char* const kWord = "65535";          // "%u" of 16 bits
const char* const kByte = "255";            // "%u" of 8 bits
const char* const kMac = "FF-FF-FF-FF-FF-FF";
const char* const kIp = "255.255.255.255";
const char* const kBridgeId = "FFFF:FF-FF-FF-FF-FF-FF";
// "%u.%02u" of two bytes, and what 0xFFFF shows instead.
const char* const kVersion = "255.255";
const char* const kNoVersion = "-.--";

struct Widest {
  const char* label;
  std::vector<std::string> texts;
};

const std::vector<Widest>& table() {
  static const std::vector<Widest> t = [] {
    std::vector<Widest> rows = {
        // Environment
        {"Loader Version:", {kVersion, kNoVersion}},
        {"Firmware Version:", {std::string(kVersion) + "T", kNoVersion}},
        {"Firmware Version(Wireless Card):", {"FFFF.FFFF.FFFF", "--.--.--"}},
        {"Hardware Version:", {"0xFFFF"}},
        {"Ethernet Address:", {kMac}},
        {"Wireless MAC Address:", {kMac}},
        {"IP Address:", {kIp}},
        {"Subnet Mask:", {kIp}},
        {"Default Gateway:", {kIp}},
        {"Network Mode:",
         {"ADHOC (Simple Mode)", "Infrastructure (Standard Mode)", "Infrastructure (Wi-Fi Mode)",
          "Infrastructure (Advanced Mode)"}},
        {"Unit Type:", {"Access Point", "Station"}},
        // A signed channel shown unsigned: −3 is 4294967293.
        {"Channel Number:", {"Free", "Unknown", kCounter}},
        // Whatever the unit's 52 bytes hold.
        {"Card Type:", {std::string(52, kAnyCharacter)}},
        // Status
        {"Channel No.:", {kByte}},
        {"Domain:", {kByte}},
        {"Chip Type:", {kByte}},
        {"Code:", {"0xFFFF"}},
        {"PC:", {"0xFFFFFFFF"}},
        // Interfaces
        {"MAC Address:", {kMac}},
        {"Interface State:", {"up", "down"}},
        // The wireless column with its reset detail (/D).
        {"Resets:", {std::string(kCounter) + "(FFFFFFFF)"}},
        // Wireless Node
        {"Login AP:", {"Not login.", "Login executing...", kMac}},
        {"Quality:", {kWord}},
        {"Noise Level:", {kWord}},
        // Spanning Tree
        {"Designated Root:", {kBridgeId}},
        {"Root Port:", {kWord}},
        {"Max Age Time:", {kWord}},
        {"Bridge Priority:", {kWord}},
        {"Topology Changes:", {kWord}},
        // The days of 2^32 hundredths of a second; hours, minutes and
        // seconds at their widest.
        {"Time Since Topology Change:", {"497 days 23:59:59"}},
        // The port list's columns
        {"Port", {kWord}},
        {"Priority", {kWord}},
        {"State", {"disabled", "blocking", "listening", "learning", "forwarding", "broken"}},
        {"Path Cost", {kCounter}},
        {"Root Bridge", {kBridgeId}},
        {"Designated Cost", {kWord}},
        {"Designated Bridge", {kBridgeId}},
        {"Designated Bridge Port", {kWord}},
        {"Forward Translations", {kWord}},
    };
    // Every other field shows one 32-bit counter.
    for (const char* label :
         {"Auto Resets:", "Current Packet Buffers:", "Minimum Packet Buffers:", "Event Counter:", "Bad Int. Counter:",
          "MTU:", "Speed:", "Receive Octets:", "Receive Packets(Unicast):", "Receive Packets(Broadcast):",
          "Receive Discards:", "Receive Errors :", "Receive Errors(CRC):", "Transmit Octets:",
          "Transmit Packets(Unicast):", "Transmit Packets(Broadcast):", "Transmit Waits:", "Transmit Errors:",
          "TXUnicastFrames:", "TXMulticastFrames:", "TXUnicastOctets:", "TXMulticastOctets:",
          "TXDeferredTransmissions:", "TXSingleRetryFrames:", "TXMultipleRetryFrames:", "TXDiscards:",
          "RXUnicastFrames:", "RXMulticastFrames:", "RXUnicastOctets:", "RXMulticastOctets:", "RXFCSErrors:",
          "RXDiscardsNoBuffer:", "Login Refuse:", "Root Path Cost:", "Hello Time:", "Forward Delay:",
          "Max Age Time(Bridge):", "Hello Time(Bridge):", "Forward Delay(Bridge):"})
      rows.push_back({label, {kCounter}});
    return rows;
  }();
  return t;
}

}  // namespace

std::vector<std::string> widestTexts(std::string_view labelOrTitle) {
  for (const Widest& w : table())
    if (labelOrTitle == w.label) return w.texts;
  return {};
}

bool fitsWithin(std::string_view text, std::string_view widest) {
  std::array<int, 256> room{};
  int digits = 0, wild = 0;
  for (char c : widest) {
    if (c == kAnyCharacter)
      ++wild;
    else if (isHexDigit(c))
      ++digits;
    else
      ++room[static_cast<unsigned char>(c)];
  }
  // A character of its own kind first; a wild one only when none is left.
  for (char c : text) {
    int& own = isHexDigit(c) ? digits : room[static_cast<unsigned char>(c)];
    if (own > 0)
      --own;
    else if (wild > 0)
      --wild;
    else
      return false;
  }
  return true;
}

}  // namespace trennic
