#pragma once
// The "/DL" trace: a description of the local host, then every datagram the
// engine sends, sends again or receives, numbered, timed and in hexadecimal.
// Each entry opens the file, appends and closes it again, so the file is
// complete even when the program is killed between two entries.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/app/text_encoding.h"
#include "core/protocol/addresses.h"
#include "core/protocol/engine_link.h"

namespace trennic {

constexpr const char* kDebugLogName = "debuglog.txt";
// One dump is built whole in a block of this many characters before it is
// written, so an entry never reaches the file in pieces.
constexpr std::size_t kDumpBufferSize = 4096;
// Only the start of a datagram is shown: the header and the first bytes of
// the payload say what a request was.
constexpr std::size_t kDumpDataLimit = 128;

// "debuglog.txt" in the given folder (the program's working folder).
std::string debugLogPathIn(std::string_view folder, TextEncoding encoding);

// Deletes an existing log so that each run of the program starts a new
// one; true when no file is left at the path. The fronts create the log
// anew instead, as a file of its owner's alone (platform's
// createPrivateFile): every dump holds the request's password.
bool startDebugLog(const std::string& path);

// The 24-character ctime form without its line end, in English whatever the
// locale: "Mon Dec 01 09:05:00 2003".
std::string ctimeText(const std::tm& t);

// The text of one datagram dump, exactly as it goes into the file; kind 0
// is a transmit, 1 a retransmit, 2 a receive; address in host order (first
// octet most significant). Empty for a datagram of size 0 or an unknown kind.
std::string dumpText(int kind, std::uint32_t number, std::string_view timeText, std::uint32_t address,
                     std::uint16_t port, const std::uint8_t* bytes, std::size_t size);

class DebugLog : public TrafficObserver {
 public:
  using TimeSource = std::function<std::string()>;
  // Appends one entry to the file at path and closes it again; true when
  // the whole text was written.
  using AppendText = std::function<bool(const std::string& path, std::string_view text)>;

  // The time comes from outside: the core reads no clock. So does the way
  // into the file, which the fronts keep private to its owner; without one
  // the file is opened for appending in text mode.
  DebugLog(std::string path, bool enabled, TimeSource now, AppendText append = {});

  bool enabled() const { return enabled_; }
  const std::string& path() const { return path_; }

  // True when the text was written completely. A level below 1 or an empty
  // text writes nothing and counts as written; a log that is off or a file
  // that cannot be opened gives false, and the entry is lost.
  bool writeLog(int level, std::string_view text);

  // One dump with one write. number is the engine's sent count + 1 for kinds
  // 0 and 1 and its received count + 1 for kind 2; address in host order.
  // A datagram of size 0 is never dumped (true, nothing written).
  bool dumpDatagram(int kind, std::uint32_t number, std::uint32_t address, std::uint16_t port,
                    const std::uint8_t* bytes, std::size_t size);

  // Host name and the local address and adapter tables, one write per line.
  // Addresses in network order, as the transport's table holds them.
  bool writeHostDescription(std::string_view hostName, std::span<const Ipv4> addresses,
                            std::span<const MacAddress> macs);

  void traffic(DumpKind kind, std::uint32_t number, Ipv4 peer, std::uint16_t port,
               std::span<const std::uint8_t> bytes) override;

 private:
  std::string path_;
  bool enabled_;
  TimeSource now_;
  AppendText append_;
};

}  // namespace trennic
