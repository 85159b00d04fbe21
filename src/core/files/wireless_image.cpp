#include "core/files/wireless_image.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/app/settings.h"
#include "core/protocol/packet.h"
#include "core/protocol/unit_identity.h"

namespace trennic {

namespace {

constexpr std::uint32_t kBase0 = 0x3E0000;
constexpr std::uint32_t kBase1 = 0x7E0000;
constexpr std::size_t kPlugMax = 4096;
constexpr char kPlugFileText[] = "wx73kqd.hex";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Exactly `digits` hexadecimal digits from `at`.
std::optional<std::uint32_t> hexField(std::string_view s, std::size_t at, std::size_t digits) {
  if (at + digits > s.size()) return std::nullopt;
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    int d = hexDigit(s[at + i]);
    if (d < 0) return std::nullopt;
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  return v;
}

// Lines as a reader with a 4096-character buffer sees them: a longer line
// arrives in pieces, each taken as a line of its own.
template <typename Fn>
bool forEachLine(const std::string& path, Fn&& fn) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  char c;
  bool any = false;
  while (in.get(c)) {
    any = true;
    line.push_back(c);
    if (c == '\n' || line.size() == kSRecordLineMax + 1) {
      fn(std::string_view(line));
      line.clear();
      any = false;
    }
  }
  if (any) fn(std::string_view(line));
  return true;
}

std::uint16_t pdaWord(std::span<const std::uint8_t> pda, std::size_t index) {
  return 2 * index + 1 < pda.size() ? readLe16(pda.data() + 2 * index) : 0;
}

bool isPlugClass(std::uint32_t address) { return ((address >> 20) & 0xF) == 0; }
bool isCheckWordClass(std::uint32_t address) { return ((address >> 20) & 0xF) == 1; }

struct CheckWord {
  std::uint32_t target, length, flag;
};
std::optional<CheckWord> checkWordOf(const SRecordLine& r) {
  if (r.data.size() < 12) return std::nullopt;
  return CheckWord{readLe32(r.data.data()), readLe32(r.data.data() + 4), readLe32(r.data.data() + 8)};
}

// The word a check-word record reserves lies just below its target; a
// target below 2 has no such word, and target − 2 would wrap to the top of
// the address space.
std::optional<std::uint32_t> reservedWordAt(const CheckWord& check) {
  if (check.target < 2) return std::nullopt;
  return check.target - 2;
}

}  // namespace

std::optional<SRecordLine> ParseSRecordLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.size() < 12 || line[0] != 'S') return std::nullopt;
  auto count = hexField(line, 2, 2);
  auto address = hexField(line, 4, 8);
  if (!count || *count < 5 || !address) return std::nullopt;
  SRecordLine r;
  r.type = line[1];
  r.count = *count;
  r.address = *address;
  r.data.reserve(*count - 5);
  for (std::size_t i = 0; i < *count - 5; ++i) {
    auto byte = hexField(line, 12 + 2 * i, 2);
    if (!byte) return std::nullopt;
    r.data.push_back(static_cast<std::uint8_t>(*byte));
  }
  return r;
}

std::optional<std::size_t> FindPdaRecord(std::span<const std::uint8_t> pda, std::uint16_t code) {
  std::size_t i = 0;
  while (i < kPdaWords) {
    std::uint16_t length = pdaWord(pda, i);
    if (length == 0 || length == 0xFFFF) return std::nullopt;
    if (i + 1 < kPdaWords && pdaWord(pda, i + 1) == code) return i;
    i += std::size_t(length) + 1;
  }
  return std::nullopt;
}

WirelessImage::WirelessImage() : bytes(kWirelessWindowSize, 0) {}

void WirelessImage::reset() {
  entryAddress = 0;
  lowest = 0xFFFFFFFF;
  highest = 0;
  reportedSize = 0;
  runCount = 0;
  imageBase = kBase0;
  cardKind = CardKind0;
  std::fill(bytes.begin(), bytes.end(), 0);
  runs.fill({0, 0});
}

std::optional<std::string> WirelessImage::pdaFileName(const MacAddress& unitMac) const {
  // An erased card record reads all ones; the unit's own address then tells
  // this card's data from the next one's.
  MacAddress card;
  if (auto record = FindPdaRecord(pda, kPdaMacRecord); record && (*record + 2) * 2 + 6 <= pda.size())
    std::copy_n(pda.begin() + static_cast<std::ptrdiff_t>((*record + 2) * 2), 6, card.bytes.begin());
  auto mac = unitMacFor(card, unitMac);
  if (!mac) return std::nullopt;
  char name[16];
  std::snprintf(name, sizeof name, "%02X%02X%02X.pda", mac->bytes[3], mac->bytes[4], mac->bytes[5]);
  return std::string(name);
}

bool WirelessImage::SavePdaFile(std::span<const std::uint8_t> block, const MacAddress& unitMac,
                                const std::string& folder) {
  // A short block leaves zeros behind it, never the previous unit's data.
  pda.fill(0);
  std::copy_n(block.begin(), std::min(block.size(), kPdaBlockSize), pda.begin());
  const auto name = pdaFileName(unitMac);
  if (!name) return false;
  std::error_code ec;
  std::filesystem::create_directory(folder, ec);
  if (ec && !std::filesystem::is_directory(folder)) return false;
  const std::string path = folder + kPathSeparator + *name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(pda.data()), static_cast<std::streamsize>(pda.size()));
  out.close();
  return static_cast<bool>(out);
}

int WirelessImage::ScanWirelessFile(const std::string& path) {
  reset();
  int result = WirelessInvalid;
  // More than 20 runs, or a record that no card address can hold.
  bool refused = false;
  bool opened = forEachLine(path, [&](std::string_view text) {
    if (refused) return;
    auto r = ParseSRecordLine(text);
    if (!r) return;
    if (r->type == '7') {
      result = WirelessReady;
      entryAddress = r->address;
      return;
    }
    if (r->type != '3' || r->data.empty()) return;
    std::uint32_t a = r->address;
    std::uint32_t n = static_cast<std::uint32_t>(r->data.size());
    if (a >> 24) {
      // Of the records for the loader only a reserved check word lands in
      // the image.
      auto check = isCheckWordClass(a) ? checkWordOf(*r) : std::nullopt;
      if (!check || check->flag == 0) return;
      auto reserved = reservedWordAt(*check);
      if (!reserved) {
        refused = true;
        return;
      }
      a = *reserved;
      n = 2;
    }
    lowest = std::min(lowest, a);
    highest = std::max(highest, a + n - 1);
    for (auto& run : runs) {
      if (run == std::pair<std::uint32_t, std::uint32_t>{0, 0}) {
        run = {a, a + n};
        return;
      }
      if (run.second == a) {
        run.second += n;
        return;
      }
    }
    refused = true;
  });
  if (!opened) return WirelessCannotOpen;
  if (refused || result != WirelessReady) return WirelessInvalid;
  for (auto& run : runs) {
    if (run.first == run.second) {
      run = {0, 0};
      continue;
    }
    ++runCount;
    reportedSize += (run.second - run.first) + 10;
  }
  if (runCount == 0 || lowest < kBase0 || lowest >= highest) return WirelessInvalid;
  switch ((lowest >> 20) & 0xF) {
    case 3:
      imageBase = kBase0;
      cardKind = CardKind0;
      break;
    case 7:
      imageBase = kBase1;
      cardKind = CardKind1;
      break;
    default: return WirelessInvalid;
  }
  // The blocks are cut from the runs and sent to the card's load area at
  // the run's place in the window, so every run must lie inside it: the
  // lowest and highest address alone would let through a run whose end
  // wrapped around.
  for (const auto& run : runs) {
    if (run.first == run.second) continue;
    if (run.first < imageBase || run.second < run.first || run.second - imageBase > kWirelessWindowSize)
      return WirelessInvalid;
  }
  return WirelessReady;
}

void WirelessImage::store(std::uint32_t address, std::span<const std::uint8_t> data) {
  if (address < imageBase || address - imageBase >= kWirelessWindowSize) return;
  const std::uint32_t at = address - imageBase;
  const std::size_t n = std::min<std::size_t>(data.size(), kWirelessWindowSize - at);
  std::copy_n(data.begin(), n, bytes.begin() + at);
}

int WirelessImage::LoadWirelessData(const std::string& path) {
  bool opened = forEachLine(path, [&](std::string_view text) {
    auto r = ParseSRecordLine(text);
    if (!r || r->type != '3' || (r->address >> 24) || r->address < lowest) return;
    store(r->address, r->data);
  });
  return opened ? WirelessReady : WirelessCannotReopen;
}

int WirelessImage::ApplyPlugRecords(const std::string& path) {
  bool opened = forEachLine(path, [&](std::string_view text) {
    auto r = ParseSRecordLine(text);
    if (!r || r->type != '3' || !(r->address >> 24)) return;
    if (isCheckWordClass(r->address)) {
      auto check = checkWordOf(*r);
      if (!check || check->flag == 0) return;
      const std::uint8_t word[2] = {0xDE, 0xC0};
      if (auto at = reservedWordAt(*check)) store(*at, word);
      return;
    }
    if (!isPlugClass(r->address) || r->data.size() < 12) return;
    const std::uint32_t code = readLe32(r->data.data());
    const std::uint32_t target = readLe32(r->data.data() + 4);
    const std::size_t length = std::min<std::size_t>(readLe32(r->data.data() + 8), kPlugMax);
    if (length == 0) return;
    std::vector<std::uint8_t> plug(length, 0);
    if (code == 0xFFFFFFFF) {
      std::copy_n(kPlugFileText, std::min(length, sizeof kPlugFileText), plug.begin());
    } else {
      auto record = FindPdaRecord(pda, static_cast<std::uint16_t>(code & 0xFFFF));
      if (!record) return;
      // Past the end of the block the plug reads zeros.
      const std::size_t from = (*record + 2) * 2;
      for (std::size_t i = 0; i < length && from + i < pda.size(); ++i) plug[i] = pda[from + i];
    }
    store(target, plug);
  });
  return opened ? WirelessReady : WirelessCannotReopen;
}

int WirelessImage::PrepareWirelessImage(const std::string& path, int unitCardKind, const std::string& dumpPath) {
  if (int scanned = ScanWirelessFile(path); scanned != WirelessReady) return scanned;
  if (unitCardKind != cardKind) return WirelessOtherCard;
  if (int loaded = LoadWirelessData(path); loaded != WirelessReady) return loaded;
  if (int plugged = ApplyPlugRecords(path); plugged != WirelessReady) return plugged;
  if (!dumpPath.empty()) {
    std::ofstream out(dumpPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  return WirelessReady;
}

ImageBlock WirelessImage::NextImageBlock(std::uint32_t offset) const {
  for (const auto& run : runs) {
    if (run.first == run.second) continue;
    const std::uint32_t length = run.second - run.first;
    if (offset < length) {
      ImageBlock b;
      b.imageOffset = run.first - imageBase + offset;
      b.length = static_cast<std::uint16_t>(std::min<std::uint32_t>(1024, length - offset));
      b.more = true;
      return b;
    }
    offset -= length;
  }
  return ImageBlock{kWirelessWindowSize - 1, 0, false};
}

std::span<const std::uint8_t> WirelessImage::blockBytes(const ImageBlock& block) const {
  if (block.imageOffset >= bytes.size()) return {};
  const std::size_t n = std::min<std::size_t>(block.length, bytes.size() - block.imageOffset);
  return std::span<const std::uint8_t>(bytes).subspan(block.imageOffset, n);
}

}  // namespace trennic
