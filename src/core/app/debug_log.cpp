#include "core/app/debug_log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/app/settings.h"

namespace trennic {

namespace {

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void appendf(std::string& out, const char* fmt, ...) {
  char buf[128];
  va_list args;
  va_start(args, fmt);
  int n = std::vsnprintf(buf, sizeof buf, fmt, args);
  va_end(args);
  if (n > 0) out.append(buf, std::min(static_cast<std::size_t>(n), sizeof buf - 1));
}

const char* headerFor(int kind) {
  switch (kind) {
    case 0: return "<== Transmit Data ------------------------------------\n";
    case 1: return "<==== Re-Transmit Data -------------------------------\n";
    case 2: return "==> Receive Data -------------------------------------\n";
    default: return nullptr;
  }
}

}  // namespace

std::string debugLogPathIn(std::string_view folder, TextEncoding encoding) {
  if (folder.empty()) return kDebugLogName;
  return encoding.withTrailingSeparator(folder, kPathSeparator) + kDebugLogName;
}

bool startDebugLog(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return !ec;
}

std::string ctimeText(const std::tm& t) {
  // Fixed English names: the log must read the same whatever locale the
  // fronts have switched the C library to.
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* day = t.tm_wday >= 0 && t.tm_wday < 7 ? kDays[t.tm_wday] : "???";
  const char* month = t.tm_mon >= 0 && t.tm_mon < 12 ? kMonths[t.tm_mon] : "???";
  std::string out;
  appendf(out, "%s %s %02d %02d:%02d:%02d %d", day, month, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
          t.tm_year + 1900);
  return out;
}

std::string dumpText(int kind, std::uint32_t number, std::string_view timeText, std::uint32_t address,
                     std::uint16_t port, const std::uint8_t* bytes, std::size_t size) {
  const char* header = headerFor(kind);
  if (!header || size == 0 || !bytes) return {};
  std::string out;
  out.reserve(1024);
  out += header;
  appendf(out, "Data No.              : %lu\n", static_cast<unsigned long>(number));
  out += "Date/Time             : ";
  out += timeText;
  out += '\n';
  // A receive shows its sender under the same label.
  appendf(out, "Destination IP Address: %u.%u.%u.%u\n", static_cast<unsigned>(address >> 24 & 0xFF),
          static_cast<unsigned>(address >> 16 & 0xFF), static_cast<unsigned>(address >> 8 & 0xFF),
          static_cast<unsigned>(address & 0xFF));
  appendf(out, "Destination Port No.  : 0x%04X(%u)\n", static_cast<unsigned>(port), static_cast<unsigned>(port));
  appendf(out, "Data Length           : 0x%04X(%u)\n", static_cast<unsigned>(size), static_cast<unsigned>(size));
  out += "\n<<< DATA >>>\n";
  std::size_t n = std::min(size, kDumpDataLimit);
  for (std::size_t i = 0; i < n; ++i) {
    if (i % 16 == 0) appendf(out, "%04X: ", static_cast<unsigned>(i));
    appendf(out, "%02X ", static_cast<unsigned>(bytes[i]));
    if (i % 16 == 15) out += '\n';
  }
  if (n % 16 != 0) out += '\n';
  out += "------------------------------------------------------\n\n";
  if (out.size() > kDumpBufferSize) out.resize(kDumpBufferSize);
  return out;
}

DebugLog::DebugLog(std::string path, bool enabled, TimeSource now, AppendText append)
    : path_(std::move(path)), enabled_(enabled), now_(std::move(now)), append_(std::move(append)) {}

bool DebugLog::writeLog(int level, std::string_view text) {
  if (level < 1 || text.empty()) return true;
  if (!enabled_) return false;
  if (append_) return append_(path_, text);
  // Text mode, so the file has the platform's own line ends.
  std::FILE* f = std::fopen(path_.c_str(), "a");
  if (!f) return false;
  bool complete = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0) complete = false;
  return complete;
}

bool DebugLog::dumpDatagram(int kind, std::uint32_t number, std::uint32_t address, std::uint16_t port,
                            const std::uint8_t* bytes, std::size_t size) {
  if (size == 0 || !headerFor(kind)) return true;
  // Off: no clock is read and no text is built.
  if (!enabled_) return false;
  return writeLog(1, dumpText(kind, number, now_ ? now_() : std::string(), address, port, bytes, size));
}

bool DebugLog::writeHostDescription(std::string_view hostName, std::span<const Ipv4> addresses,
                                    std::span<const MacAddress> macs) {
  if (!enabled_) return false;
  bool ok = writeLog(1, "<<< Host Name >>>\n");
  std::string line = "\"";
  line += hostName;
  line += "\"\n\n";
  ok = writeLog(1, line) && ok;

  line.clear();
  appendf(line, "<<< IP Address Table (entry=%u) >>>\n", static_cast<unsigned>(addresses.size()));
  ok = writeLog(1, line) && ok;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    auto o = ipv4Octets(addresses[i]);
    line.clear();
    appendf(line, "IP Address (%u) = %u.%u.%u.%u\n", static_cast<unsigned>(i), static_cast<unsigned>(o[0]),
            static_cast<unsigned>(o[1]), static_cast<unsigned>(o[2]), static_cast<unsigned>(o[3]));
    ok = writeLog(1, line) && ok;
  }
  ok = writeLog(1, "\n") && ok;

  line.clear();
  appendf(line, "<<< MAC Address Table (entry=%u) >>>\n", static_cast<unsigned>(macs.size()));
  ok = writeLog(1, line) && ok;
  for (std::size_t i = 0; i < macs.size(); ++i) {
    line.clear();
    appendf(line, "MAC Address (%u) = %s\n", static_cast<unsigned>(i), formatMac(macs[i]).c_str());
    ok = writeLog(1, line) && ok;
  }
  ok = writeLog(1, "\n") && ok;
  return ok;
}

void DebugLog::traffic(DumpKind kind, std::uint32_t number, Ipv4 peer, std::uint16_t port,
                       std::span<const std::uint8_t> bytes) {
  // A lost entry is not reported: the traffic goes on either way.
  dumpDatagram(static_cast<int>(kind), number, ipv4ToHostOrder(peer), port, bytes.data(), bytes.size());
}

}  // namespace trennic
