#pragma once
// What the simulator is asked to host and how badly the network should
// behave, from the command line and an optional INI file. Standard library
// and core only, so the rules can be tested without sockets.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/protocol/addresses.h"
#include "unitsim/unit_model.h"

namespace trennic::sim {

constexpr int kMaxUnits = 1024;
constexpr int kDefaultUnits = 3;

struct UnitDescription {
  UnitSettings settings;
  std::optional<double> loss;  // overrides the global loss for this unit
};

// Image blocks are 1024 bytes, so a larger short-ack could never shorten one.
constexpr std::uint32_t kMaxShortAck = 1024;

struct SimOptions {
  std::vector<UnitDescription> units;
  std::uint16_t port = kUnitPort;  // 0: pick a free one
  double loss = 0.0;               // probability a unit ignores a request
  double duplicate = 0.0;          // probability a reply goes out twice
  // At most this many tries of one request lost in a row; 0 for no limit.
  int maxLossRun = 0;
  int delayMs = 0;
  int jitterMs = 0;                // extra delay, uniform in 0..jitterMs
  bool unicastSilent = false;      // answer only what comes through the group
  std::map<std::uint32_t, std::uint16_t> forcedStatus;  // address -> status
  int rebootSilenceMs = 0;
  std::optional<std::uint64_t> seed;  // nothing: a fresh random seed

  // The generated units 1..count and every other setting at its default.
  static SimOptions withUnits(int count);
};

// The settings unit k (counting from 1) has when nothing configures it:
// MAC 00-80-92-00-HH-LL with HHLL = k, IP 127.0.0.(k+1) up to k = 253 and
// then 127.0.1.1, 127.0.1.2 ... (never a .0 or .255 host, never outside
// 127.0.0.0/8), type 21 for every fourth unit and 9 otherwise, version 2.01,
// no password.
UnitSettings defaultUnitSettings(int k);

enum class ParseOutcome { Run, Help, Version, Error };

// Reads the arguments after the program name. On Error, message holds one
// line for stderr (without the program name and newline).
ParseOutcome parseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& message);

std::string simUsage();

// The field parsers the command line and the INI file share; nothing when
// the text does not read.
std::optional<std::uint32_t> parseNumber(const std::string& text, std::uint32_t max);  // decimal or 0x hex
std::optional<double> parseProbability(const std::string& text);
// "ADDR=CODE", ADDR hexadecimal with or without 0x, CODE decimal or 0x hex.
std::optional<std::pair<std::uint32_t, std::uint16_t>> parseForcedStatus(const std::string& text);
std::optional<int> parseLayout(const std::string& text);  // 1..5
// "0", "6", "absent" or "auto", in any case.
std::optional<ExtendedBlock> parseExtended(const std::string& text);
// "W1,W2", each a 32-bit number, decimal or 0x hex.
std::optional<std::array<std::uint32_t, 2>> parseInfoWords(const std::string& text);

}  // namespace trennic::sim
