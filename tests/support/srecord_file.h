#pragma once
// Motorola S-record lines as a linker writes them, for wireless-card
// firmware files in tests.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace trennic::testing {

inline std::string srecHex2(unsigned v) {
  char b[3];
  std::snprintf(b, sizeof b, "%02X", v & 0xFF);
  return b;
}

// One line, checksum and CR LF included.
inline std::string sRecord(char type, std::uint32_t address, const std::vector<std::uint8_t>& data) {
  unsigned count = 5 + static_cast<unsigned>(data.size());
  unsigned sum = count;
  char addr[9];
  std::snprintf(addr, sizeof addr, "%08X", address);
  std::string line = std::string("S") + type + srecHex2(count) + addr;
  for (int i = 0; i < 4; ++i) sum += (address >> (8 * i)) & 0xFF;
  for (auto b : data) {
    line += srecHex2(b);
    sum += b;
  }
  return line + srecHex2(~sum) + "\r\n";
}

// Data records for n bytes counting up from `first`, at most 250 a line.
inline std::string sRecordData(std::uint32_t address, std::size_t n, std::uint8_t first = 1) {
  std::string out;
  for (std::size_t done = 0; done < n;) {
    std::size_t chunk = std::min<std::size_t>(250, n - done);
    std::vector<std::uint8_t> d(chunk);
    for (std::size_t i = 0; i < chunk; ++i) d[i] = static_cast<std::uint8_t>(first + done + i);
    out += sRecord('3', address + static_cast<std::uint32_t>(done), d);
    done += chunk;
  }
  return out;
}

inline std::string sRecordEnd(std::uint32_t entry = 0x003F0000) { return sRecord('7', entry, {}); }

}  // namespace trennic::testing
