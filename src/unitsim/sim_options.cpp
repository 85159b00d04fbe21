#include "unitsim/sim_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <array>
#include <string_view>
#include <utility>

#include "core/app/ini_profile.h"
#include "unitsim/unit_memory_areas.h"

namespace trennic::sim {

namespace {

constexpr std::uint32_t kMaxDelayMs = 600000;
constexpr double kMaxRebootSilenceSeconds = 3600.0;

std::string trim(std::string_view s) {
  auto b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  auto e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    auto pos = s.find(sep, start);
    parts.push_back(s.substr(start, pos == std::string::npos ? std::string::npos : pos - start));
    if (pos == std::string::npos) break;
    start = pos + 1;
  }
  return parts;
}

std::optional<std::uint64_t> parseSeed(const std::string& text) {
  std::uint64_t v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || p != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

std::optional<double> parseSeconds(const std::string& text) {
  double v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || p != text.data() + text.size() || text.empty()) return std::nullopt;
  if (!std::isfinite(v) || v < 0 || v > kMaxRebootSilenceSeconds) return std::nullopt;
  return v;
}

bool isLoopback(Ipv4 ip) { return ipv4Octets(ip)[0] == 127; }

// One field set of a unit, from a --unit option, a [UnitN] section, a
// --unit-option or the options for all units. Absent fields keep what the
// layer below said.
struct UnitFields {
  std::optional<std::string> mac, ip, type, version, password, loss;
  std::optional<std::string> layout, extended, infoWords, firmwareSize, loaderSize, shortAck, shortImage;
  std::optional<std::string> clearUnsupported;
  std::optional<std::string> cardKind, oldInfo, cardMac, wirelessNodes, macTable;
};

// The [UnitK] keys, which --unit-option takes as well (in any case, with or
// without dashes).
struct FieldKey {
  const char* iniKey;
  std::optional<std::string> UnitFields::*slot;
};
constexpr FieldKey kFieldKeys[] = {
    {"Mac", &UnitFields::mac},
    {"Ip", &UnitFields::ip},
    {"Type", &UnitFields::type},
    {"Version", &UnitFields::version},
    {"Password", &UnitFields::password},
    {"Loss", &UnitFields::loss},
    {"Layout", &UnitFields::layout},
    {"Extended", &UnitFields::extended},
    {"InfoWords", &UnitFields::infoWords},
    {"FirmwareSize", &UnitFields::firmwareSize},
    {"LoaderSize", &UnitFields::loaderSize},
    {"ShortAck", &UnitFields::shortAck},
    {"ShortImage", &UnitFields::shortImage},
    {"ClearUnsupported", &UnitFields::clearUnsupported},
    {"CardKind", &UnitFields::cardKind},
    {"OldInfo", &UnitFields::oldInfo},
    {"CardMac", &UnitFields::cardMac},
    {"WirelessNodes", &UnitFields::wirelessNodes},
    {"MacTable", &UnitFields::macTable},
};

std::string foldKey(std::string_view key) {
  std::string out;
  for (char c : key)
    if (c != '-' && c != '_') out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return out;
}

std::optional<std::string> UnitFields::* slotForKey(std::string_view key) {
  for (const auto& k : kFieldKeys)
    if (foldKey(k.iniKey) == foldKey(key)) return k.slot;
  return nullptr;
}

// Laid over one another: every field the upper set has wins.
void overlay(UnitFields& below, const UnitFields& above) {
  for (const auto& k : kFieldKeys)
    if (above.*k.slot) below.*k.slot = above.*k.slot;
}

// "K:key=value" of --unit-option.
struct UnitOption {
  int unit = 0;
  UnitFields fields;
  std::string text;
};

// Everything the command line said, before it is laid over the file and the
// defaults.
struct CommandLine {
  std::optional<std::string> config;
  std::optional<int> units;
  std::vector<std::string> unitSpecs;
  UnitFields allUnits;  // --layout, --extended and the like
  std::vector<UnitOption> unitOptions;
  std::optional<std::uint16_t> port;
  std::optional<double> loss, duplicate;
  std::optional<int> maxLossRun;
  std::optional<int> delayMs, jitterMs, rebootSilenceMs;
  bool unicastSilent = false;
  std::vector<std::pair<std::uint32_t, std::uint16_t>> statuses;
  std::optional<std::uint64_t> seed;
};

// Whether a unit's identity names a version of its own, or follows the
// firmware its layout stands for.
struct UnitLayers {
  UnitDescription described;
  bool versionGiven = false;
};

bool applyUnitFields(const UnitFields& f, UnitLayers& layers, const std::string& where, std::string& message) {
  UnitDescription& described = layers.described;
  auto fail = [&](const std::string& what, const std::string& value) {
    message = where + ": " + what + " '" + value + "'";
    return false;
  };
  if (f.mac) {
    auto mac = parseMac(*f.mac);
    if (!mac || mac->isZero() || mac->isBroadcast()) return fail("not a unit MAC address", *f.mac);
    described.settings.mac = *mac;
  }
  if (f.ip) {
    auto ip = parseIpv4(*f.ip);
    if (!ip) return fail("not an IPv4 address", *f.ip);
    // Simulated units live on loopback only; anything else would put them on
    // a real network.
    if (!isLoopback(*ip)) return fail("unit IP address must lie in 127.0.0.0/8, got", *f.ip);
    described.settings.ip = *ip;
  }
  if (f.type) {
    auto t = parseNumber(*f.type, 0xFFFF);
    if (!t) return fail("unit type must be a number 0..65535, got", *f.type);
    described.settings.unitType = static_cast<std::uint16_t>(*t);
  }
  if (f.version) {
    auto v = parseNumber(*f.version, 0xFFFF);
    if (!v) return fail("version must be a 16-bit number such as 0x0201, got", *f.version);
    described.settings.firmwareVersion = static_cast<std::uint16_t>(*v);
    layers.versionGiven = true;
  }
  if (f.password) {
    if (f.password->size() > kMaxPasswordChars || f.password->find('\0') != std::string::npos)
      return fail("password must be at most 6 characters, got", *f.password);
    described.settings.password = *f.password;
  }
  if (f.loss) {
    auto p = parseProbability(*f.loss);
    if (!p) return fail("loss must be a probability between 0 and 1, got", *f.loss);
    described.loss = *p;
  }
  UnitSettings& u = described.settings;
  if (f.layout) {
    auto v = parseLayout(*f.layout);
    if (!v) return fail("layout must be 1..5, got", *f.layout);
    u.layout = *v;
  }
  if (f.extended) {
    auto v = parseExtended(*f.extended);
    if (!v) return fail("extended block must be 0, 6, absent or auto, got", *f.extended);
    u.extended = *v;
  }
  if (f.infoWords) {
    auto v = parseInfoWords(*f.infoWords);
    if (!v) return fail("info words must be two 32-bit numbers W1,W2, got", *f.infoWords);
    u.infoWords = *v;
  }
  if (f.firmwareSize) {
    auto v = parseNumber(*f.firmwareSize, unit_address::kFirmwareSize);
    if (!v || *v < kMinFirmwareSize) return fail("firmware size must be 64..524288 bytes, got", *f.firmwareSize);
    u.firmwareSize = *v;
  }
  if (f.loaderSize) {
    auto v = parseNumber(*f.loaderSize, unit_address::kLoaderSize);
    if (!v) return fail("loader size must be 0..131072 bytes, got", *f.loaderSize);
    u.loaderSize = *v;
  }
  if (f.shortAck) {
    auto v = parseNumber(*f.shortAck, kMaxShortAck);
    if (!v) return fail("short-ack must be 0..1024 bytes, got", *f.shortAck);
    u.shortAck = static_cast<std::uint16_t>(*v);
  }
  if (f.shortImage) {
    auto v = parseNumber(*f.shortImage, unit_address::kFirmwareSize);
    if (!v) return fail("short-image must be 0..524288 bytes, got", *f.shortImage);
    u.shortImage = *v;
  }
  if (f.clearUnsupported) {
    auto v = parseNumber(*f.clearUnsupported, 1);
    if (!v) return fail("clear-unsupported must be 0 or 1, got", *f.clearUnsupported);
    u.clearUnsupported = *v == 1;
  }
  if (f.cardKind) {
    auto v = parseNumber(*f.cardKind, 255);
    if (!v) return fail("card kind must be 0..255, got", *f.cardKind);
    u.cardKind = static_cast<int>(*v);
  }
  if (f.oldInfo) {
    auto v = parseNumber(*f.oldInfo, 1);
    if (!v) return fail("old-info must be 0 or 1, got", *f.oldInfo);
    u.oldInfoBlocks = *v == 1;
  }
  if (f.cardMac) {
    auto v = parseNumber(*f.cardMac, 1);
    if (!v) return fail("card-mac must be 0 or 1, got", *f.cardMac);
    u.cardMacRecord = *v == 1;
  }
  if (f.wirelessNodes) {
    auto v = parseNumber(*f.wirelessNodes, 200);
    if (!v) return fail("wireless-nodes must be 0..200, got", *f.wirelessNodes);
    u.wirelessNodes = *v;
  }
  if (f.macTable) {
    auto v = parseNumber(*f.macTable, 2000);
    if (!v) return fail("mac-table must be 0..2000, got", *f.macTable);
    u.macTableEntries = *v;
  }
  return true;
}

UnitFields fieldsFromSpec(const std::string& text, std::string& message, bool& ok) {
  UnitFields f;
  auto parts = split(text, ',');
  ok = parts.size() <= 5;
  if (!ok) {
    message = "--unit: expected MAC,IP,TYPE,VERSION,PASSWORD, got '" + text + "'";
    return f;
  }
  std::optional<std::string>* slots[] = {&f.mac, &f.ip, &f.type, &f.version, &f.password};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string v = i == 4 ? parts[i] : trim(parts[i]);  // a password may hold blanks
    if (!v.empty()) *slots[i] = v;
  }
  return f;
}

UnitFields fieldsFromSection(const ini::Profile& profile, const std::string& section) {
  UnitFields f;
  for (const auto& k : kFieldKeys) f.*k.slot = profile.value(section, k.iniKey);
  return f;
}

bool readUnitOption(const std::string& text, UnitOption& out, std::string& message) {
  auto fail = [&](const std::string& what) {
    message = "--unit-option: " + what + ", got '" + text + "'";
    return false;
  };
  auto colon = text.find(':');
  auto eq = text.find('=', colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || eq == std::string::npos) return fail("expected K:KEY=VALUE");
  auto k = parseNumber(text.substr(0, colon), kMaxUnits);
  if (!k || *k < 1) return fail("unit number K must be 1..1024");
  std::string key = trim(text.substr(colon + 1, eq - colon - 1));
  auto slot = slotForKey(key);
  if (!slot) return fail("unknown key '" + key + "' (keys as in [UnitK], see --help)");
  out.unit = static_cast<int>(*k);
  std::string value = text.substr(eq + 1);
  // A password may hold blanks; nothing else does.
  out.fields.*slot = slot == &UnitFields::password ? value : trim(value);
  out.text = text;
  return true;
}

bool applyFaultSection(const ini::Profile& profile, const std::string& path, SimOptions& out,
                       std::string& message) {
  const std::string section = "Faults";
  auto bad = [&](const char* key, const char* expected, const std::string& v) {
    message = path + ": [Faults] " + key + ": expected " + expected + ", got '" + v + "'";
    return false;
  };
  if (auto v = profile.value(section, "Loss")) {
    auto p = parseProbability(*v);
    if (!p) return bad("Loss", "a probability between 0 and 1", *v);
    out.loss = *p;
  }
  if (auto v = profile.value(section, "Duplicate")) {
    auto p = parseProbability(*v);
    if (!p) return bad("Duplicate", "a probability between 0 and 1", *v);
    out.duplicate = *p;
  }
  if (auto v = profile.value(section, "Delay")) {
    auto n = parseNumber(*v, kMaxDelayMs);
    if (!n) return bad("Delay", "milliseconds 0..600000", *v);
    out.delayMs = static_cast<int>(*n);
  }
  if (auto v = profile.value(section, "Jitter")) {
    auto n = parseNumber(*v, kMaxDelayMs);
    if (!n) return bad("Jitter", "milliseconds 0..600000", *v);
    out.jitterMs = static_cast<int>(*n);
  }
  if (auto v = profile.value(section, "UnicastSilent")) {
    auto n = parseNumber(*v, 1);
    if (!n) return bad("UnicastSilent", "0 or 1", *v);
    out.unicastSilent = *n == 1;
  }
  if (auto v = profile.value(section, "RebootSilence")) {
    auto s = parseSeconds(*v);
    if (!s) return bad("RebootSilence", "seconds 0..3600", *v);
    out.rebootSilenceMs = static_cast<int>(std::lround(*s * 1000));
  }
  if (auto v = profile.value(section, "Seed")) {
    auto s = parseSeed(*v);
    if (!s) return bad("Seed", "a non-negative number", *v);
    out.seed = *s;
  }
  if (auto v = profile.value(section, "Status")) {
    for (const auto& item : split(*v, ',')) {
      std::string t = trim(item);
      if (t.empty()) continue;
      auto fs = parseForcedStatus(t);
      if (!fs) return bad("Status", "ADDR=CODE", t);
      out.forcedStatus[fs->first] = fs->second;
    }
  }
  return true;
}

// Splits "--name=value" and "--name value"; nothing when the value is missing.
struct ArgReader {
  const std::vector<std::string>& args;
  std::size_t i = 0;

  std::optional<std::string> value(const std::string& arg, const std::string& name, std::string& message) {
    if (arg.size() > name.size() && arg[name.size()] == '=') return arg.substr(name.size() + 1);
    if (i + 1 < args.size()) return args[++i];
    message = name + ": missing value";
    return std::nullopt;
  }
};

bool matches(const std::string& arg, const std::string& name) {
  return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=');
}

// `stop` becomes Help or Version when the line asks for one of those instead
// of a run.
bool readCommandLine(const std::vector<std::string>& args, CommandLine& cl, ParseOutcome& stop, std::string& message) {
  ArgReader r{args};
  for (; r.i < args.size(); ++r.i) {
    const std::string& arg = args[r.i];
    auto bad = [&](const std::string& name, const std::string& what, const std::string& v) {
      message = name + ": " + what + ", got '" + v + "'";
      return false;
    };
    if (arg == "--help" || arg == "-h") {
      stop = ParseOutcome::Help;
      return true;
    }
    if (arg == "--version") {
      stop = ParseOutcome::Version;
      return true;
    }
    if (arg == "--unicast-silent") {
      cl.unicastSilent = true;
      continue;
    }
    if (arg == "--clear-unsupported") {
      cl.allUnits.clearUnsupported = "1";
      continue;
    }
    if (arg == "--old-info") {
      cl.allUnits.oldInfo = "1";
      continue;
    }
    if (arg == "--no-card-mac") {
      cl.allUnits.cardMac = "0";
      continue;
    }
    static const char* const kValued[] = {
        "--units",  "--unit",      "--config",        "--port",   "--loss",          "--duplicate",
        "--delay",  "--jitter",    "--status",        "--reboot-silence", "--seed",  "--unit-option",
        "--layout", "--extended",  "--info-words",    "--firmware-size",  "--loader-size", "--short-ack",
        "--short-image", "--max-loss-run", "--card-kind", "--wireless-nodes", "--mac-table"};
    const char* name = nullptr;
    for (const char* n : kValued)
      if (matches(arg, n)) name = n;
    if (!name) {
      message = arg.rfind("-", 0) == 0 ? "unknown option '" + arg + "' (see --help)"
                                       : "unexpected argument '" + arg + "' (see --help)";
      return false;
    }
    auto v = r.value(arg, name, message);
    if (!v) return false;
    std::string n = name;
    if (n == "--units") {
      auto k = parseNumber(*v, kMaxUnits);
      if (!k || *k < 1) return bad(n, "expected a unit count from 1 to 1024", *v);
      cl.units = static_cast<int>(*k);
    } else if (n == "--unit") {
      cl.unitSpecs.push_back(*v);
    } else if (n == "--config") {
      if (cl.config) return bad(n, "given more than once", *v);
      cl.config = *v;
    } else if (n == "--port") {
      auto p = parseNumber(*v, 65535);
      if (!p) return bad(n, "expected a port number 0..65535", *v);
      cl.port = static_cast<std::uint16_t>(*p);
    } else if (n == "--loss" || n == "--duplicate") {
      auto p = parseProbability(*v);
      if (!p) return bad(n, "expected a probability between 0 and 1", *v);
      (n == "--loss" ? cl.loss : cl.duplicate) = *p;
    } else if (n == "--max-loss-run") {
      auto run = parseNumber(*v, 1000);
      if (!run) return bad(n, "expected a number of tries 0..1000", *v);
      cl.maxLossRun = static_cast<int>(*run);
    } else if (n == "--delay" || n == "--jitter") {
      auto ms = parseNumber(*v, kMaxDelayMs);
      if (!ms) return bad(n, "expected milliseconds 0..600000", *v);
      (n == "--delay" ? cl.delayMs : cl.jitterMs) = static_cast<int>(*ms);
    } else if (n == "--status") {
      auto fs = parseForcedStatus(*v);
      if (!fs) return bad(n, "expected ADDR=CODE with ADDR in hex, such as 0x00120000=2", *v);
      cl.statuses.push_back(*fs);
    } else if (n == "--reboot-silence") {
      auto s = parseSeconds(*v);
      if (!s) return bad(n, "expected seconds 0..3600", *v);
      cl.rebootSilenceMs = static_cast<int>(std::lround(*s * 1000));
    } else if (n == "--seed") {
      auto s = parseSeed(*v);
      if (!s) return bad(n, "expected a non-negative number", *v);
      cl.seed = *s;
    } else if (n == "--unit-option") {
      UnitOption option;
      if (!readUnitOption(*v, option, message)) return false;
      cl.unitOptions.push_back(std::move(option));
    } else {
      // The settings for all units are checked here, so their message names
      // the option; applying them later cannot fail.
      UnitFields f;
      std::optional<std::string> UnitFields::*slot = nullptr;
      if (n == "--layout") slot = &UnitFields::layout;
      if (n == "--extended") slot = &UnitFields::extended;
      if (n == "--info-words") slot = &UnitFields::infoWords;
      if (n == "--firmware-size") slot = &UnitFields::firmwareSize;
      if (n == "--loader-size") slot = &UnitFields::loaderSize;
      if (n == "--short-ack") slot = &UnitFields::shortAck;
      if (n == "--short-image") slot = &UnitFields::shortImage;
      if (n == "--card-kind") slot = &UnitFields::cardKind;
      if (n == "--wireless-nodes") slot = &UnitFields::wirelessNodes;
      if (n == "--mac-table") slot = &UnitFields::macTable;
      f.*slot = trim(*v);
      UnitLayers probe;
      std::string why;
      if (!applyUnitFields(f, probe, n, why)) {
        message = why;
        return false;
      }
      overlay(cl.allUnits, f);
    }
  }
  return true;
}

}  // namespace

std::optional<std::uint32_t> parseNumber(const std::string& raw, std::uint32_t max) {
  std::string text = trim(raw);
  int base = 10;
  std::string_view digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty()) return std::nullopt;
  std::uint64_t v = 0;
  auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
  if (ec != std::errc() || p != digits.data() + digits.size() || v > max) return std::nullopt;
  return static_cast<std::uint32_t>(v);
}

std::optional<double> parseProbability(const std::string& raw) {
  std::string text = trim(raw);
  double v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || p != text.data() + text.size()) return std::nullopt;
  if (!(v >= 0.0 && v <= 1.0)) return std::nullopt;
  return v;
}

std::optional<std::pair<std::uint32_t, std::uint16_t>> parseForcedStatus(const std::string& text) {
  auto eq = text.find('=');
  if (eq == std::string::npos) return std::nullopt;
  std::string addr = trim(text.substr(0, eq));
  // The address is always hexadecimal, with or without its 0x.
  if (addr.size() > 2 && addr[0] == '0' && (addr[1] == 'x' || addr[1] == 'X')) addr = addr.substr(2);
  auto a = parseNumber("0x" + addr, 0xFFFFFFFF);
  auto c = parseNumber(text.substr(eq + 1), 0xFFFF);
  if (addr.empty() || !a || !c) return std::nullopt;
  return std::pair{*a, static_cast<std::uint16_t>(*c)};
}

std::optional<int> parseLayout(const std::string& text) {
  auto v = parseNumber(text, 5);
  if (!v || *v < 1) return std::nullopt;
  return static_cast<int>(*v);
}

std::optional<ExtendedBlock> parseExtended(const std::string& raw) {
  std::string t = foldKey(trim(raw));
  if (t == "0") return ExtendedBlock::Status0;
  if (t == "6") return ExtendedBlock::Status6;
  if (t == "absent") return ExtendedBlock::Absent;
  if (t == "auto") return ExtendedBlock::Auto;
  return std::nullopt;
}

std::optional<std::array<std::uint32_t, 2>> parseInfoWords(const std::string& text) {
  auto parts = split(text, ',');
  if (parts.size() != 2) return std::nullopt;
  auto w1 = parseNumber(parts[0], 0xFFFFFFFF);
  auto w2 = parseNumber(parts[1], 0xFFFFFFFF);
  if (!w1 || !w2) return std::nullopt;
  return std::array<std::uint32_t, 2>{*w1, *w2};
}

UnitSettings defaultUnitSettings(int k) {
  UnitSettings s;
  s.mac = MacAddress{{0x00, 0x80, 0x92, 0x00, static_cast<std::uint8_t>(k >> 8), static_cast<std::uint8_t>(k)}};
  if (k <= 253) {
    s.ip = ipv4FromOctets(127, 0, 0, static_cast<std::uint8_t>(k + 1));
  } else {
    // 254 hosts per block, .1 to .254, so no unit sits on a .0 or .255.
    int m = k - 254;
    int block = 1 + m / 254;
    s.ip = ipv4FromOctets(127, static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block),
                          static_cast<std::uint8_t>(1 + m % 254));
  }
  s.unitType = k % 4 == 0 ? kUnitTypeT : kUnitTypeStandard;
  s.firmwareVersion = 0x0201;
  return s;
}

SimOptions SimOptions::withUnits(int count) {
  SimOptions o;
  for (int k = 1; k <= count; ++k) o.units.push_back(UnitDescription{defaultUnitSettings(k), std::nullopt});
  return o;
}

ParseOutcome parseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& message) {
  CommandLine cl;
  ParseOutcome stop = ParseOutcome::Run;
  if (!readCommandLine(args, cl, stop, message)) return ParseOutcome::Error;
  if (stop != ParseOutcome::Run) return stop;

  SimOptions o;
  ini::Profile profile;
  int highestSection = 0;
  if (cl.config) {
    profile = ini::Profile::load(*cl.config);
    if (profile.state() != ini::LoadState::Loaded) {
      message = "--config: cannot read '" + *cl.config + "'";
      return ParseOutcome::Error;
    }
    if (!applyFaultSection(profile, *cl.config, o, message)) return ParseOutcome::Error;
    for (int k = 1; k <= kMaxUnits; ++k)
      if (profile.hasSection("Unit" + std::to_string(k))) highestSection = k;
  }

  // The command line has the last word over the file.
  if (cl.port) o.port = *cl.port;
  if (cl.loss) o.loss = *cl.loss;
  if (cl.duplicate) o.duplicate = *cl.duplicate;
  if (cl.maxLossRun) o.maxLossRun = *cl.maxLossRun;
  if (cl.delayMs) o.delayMs = *cl.delayMs;
  if (cl.jitterMs) o.jitterMs = *cl.jitterMs;
  if (cl.rebootSilenceMs) o.rebootSilenceMs = *cl.rebootSilenceMs;
  if (cl.unicastSilent) o.unicastSilent = true;
  if (cl.seed) o.seed = *cl.seed;
  for (const auto& [addr, code] : cl.statuses) o.forcedStatus[addr] = code;

  int configured = std::max(highestSection, static_cast<int>(cl.unitSpecs.size()));
  for (const auto& option : cl.unitOptions) configured = std::max(configured, option.unit);
  if (configured > kMaxUnits) {
    message = "--unit: at most 1024 units";
    return ParseOutcome::Error;
  }
  int count = cl.units ? *cl.units : (configured > 0 ? configured : kDefaultUnits);
  if (count < configured) {
    message = "--units " + std::to_string(count) + " is fewer than the " + std::to_string(configured) +
              " units configured";
    return ParseOutcome::Error;
  }

  // Unit k is its defaults, then the options for all units, then its
  // [UnitK] section, the k-th --unit and its --unit-option values in order:
  // what names the unit beats what names every unit.
  for (int k = 1; k <= count; ++k) {
    UnitLayers layers{UnitDescription{defaultUnitSettings(k), std::nullopt}};
    if (!applyUnitFields(cl.allUnits, layers, "command line", message)) return ParseOutcome::Error;
    std::string section = "Unit" + std::to_string(k);
    if (cl.config && profile.hasSection(section) &&
        !applyUnitFields(fieldsFromSection(profile, section), layers, *cl.config + ": [" + section + "]", message))
      return ParseOutcome::Error;
    if (static_cast<std::size_t>(k) <= cl.unitSpecs.size()) {
      bool ok = true;
      UnitFields f = fieldsFromSpec(cl.unitSpecs[k - 1], message, ok);
      if (!ok || !applyUnitFields(f, layers, "--unit " + cl.unitSpecs[k - 1], message)) return ParseOutcome::Error;
    }
    for (const auto& option : cl.unitOptions)
      if (option.unit == k && !applyUnitFields(option.fields, layers, "--unit-option " + option.text, message))
        return ParseOutcome::Error;
    // A unit given only a layout or info words reports the version of that
    // firmware in its identity as well, so search and configuration agree.
    UnitSettings& u = layers.described.settings;
    if (!layers.versionGiven) u.firmwareVersion = static_cast<std::uint16_t>(systemInfoWords(u)[1]);
    o.units.push_back(std::move(layers.described));
  }

  // Two units on one address could not both bind, and two with one MAC would
  // both answer the same group request.
  std::map<Ipv4, int> ips;
  std::map<std::array<std::uint8_t, 6>, int> macs;
  for (int k = 1; k <= count; ++k) {
    const auto& s = o.units[k - 1].settings;
    if (auto [it, fresh] = ips.emplace(s.ip, k); !fresh) {
      message = "units " + std::to_string(it->second) + " and " + std::to_string(k) + " have the same IP address " +
                formatIpv4(s.ip);
      return ParseOutcome::Error;
    }
    if (auto [it, fresh] = macs.emplace(s.mac.bytes, k); !fresh) {
      message = "units " + std::to_string(it->second) + " and " + std::to_string(k) + " have the same MAC address " +
                formatMac(s.mac);
      return ParseOutcome::Error;
    }
  }

  out = std::move(o);
  return ParseOutcome::Run;
}

std::string simUsage() {
  return "Usage: trennic-unitsim [options]\n"
         "Hosts simulated units on loopback, each on its own 127.x.y.z address, plus the\n"
         "multicast group 239.192.19.99 joined on lo only.\n"
         "\n"
         "  --units N              number of units, 1..1024 (default 3, or as many as configured)\n"
         "  --unit MAC,IP,TYPE,VERSION,PASSWORD\n"
         "                         settings of the next unit; trailing or empty fields keep\n"
         "                         their defaults (repeatable; VERSION like 0x0201 or 513)\n"
         "  --unit-option K:KEY=VALUE\n"
         "                         one setting of unit K (1-based), KEY as in [UnitK] below,\n"
         "                         e.g. 2:Layout=1 or 3:info-words=0x100,0x120 (repeatable)\n"
         "  --config FILE          INI file: [Unit1] .. [Unit1024] with Mac=, Ip=, Type=,\n"
         "                         Version=, Password=, Loss=, Layout=, Extended=, InfoWords=,\n"
         "                         FirmwareSize=, LoaderSize=, ShortAck=, ShortImage=,\n"
         "                         ClearUnsupported=, CardKind=, OldInfo=, CardMac=,\n"
         "                         WirelessNodes=, MacTable=;\n"
         "                         [Faults] with Loss=, Duplicate=, Delay=, Jitter=,\n"
         "                         UnicastSilent=, RebootSilence=, Seed=,\n"
         "                         Status=ADDR=CODE[,ADDR=CODE...]\n"
         "  --port N               UDP port (default 20487; 0 picks a free one)\n"
         "  --loss P               probability 0..1 that a unit ignores a request\n"
         "  --duplicate P          probability 0..1 that a reply is sent twice\n"
         "  --max-loss-run N       lose at most N tries of one request in a row (0: no limit)\n"
         "  --delay MS             delay before every reply\n"
         "  --jitter MS            extra random delay 0..MS\n"
         "  --unicast-silent       answer only requests received through the group\n"
         "  --status ADDR=CODE     answer requests at ADDR (hex) with status CODE (repeatable)\n"
         "  --reboot-silence S     seconds a unit stays silent after a reboot (default 0)\n"
         "  --seed N               random seed, so fault runs can be repeated\n"
         "  --help                 show this text\n"
         "  --version              show the program's version\n"
         "\n"
         "Unit memory, for all units (a unit's own [UnitK], --unit and --unit-option win):\n"
         "  --layout N             configuration layout 1..5 (default 5); body sizes 212, 336,\n"
         "                         490, 490, 25096 bytes\n"
         "  --extended MODE        extended information block at 0x00122000: 0 or 6 (present,\n"
         "                         answered with that status), absent (status 2, no bytes) or\n"
         "                         auto (default: absent for layout 1, else 0)\n"
         "  --info-words W1,W2     first two words of the system information block, for\n"
         "                         firmware the program does not know (e.g. 0x100,0x120)\n"
         "  --firmware-size BYTES  firmware image held at start, 64..524288 (default 204800)\n"
         "  --loader-size BYTES    loader image held at start, 0..131072 (default 65536)\n"
         "  --short-ack N          firmware and loader writes take and acknowledge at most N\n"
         "                         bytes each, 0..1024 (default 0: all they carry)\n"
         "  --short-image BYTES    firmware and loader reads end after BYTES bytes with the\n"
         "                         empty block that ends an image, whatever the firmware\n"
         "                         header says, 0..524288 (default 0: at the image's end)\n"
         "  --clear-unsupported    the clear mask write (0x00120200) answers status 2\n"
         "  --card-kind K          wireless card kind in byte 192 of the second system\n"
         "                         information block (default 0; the program loads 0 and 1)\n"
         "  --old-info             old firmware: the system information reads answer status 2\n"
         "                         with 108 and 152 bytes\n"
         "  --no-card-mac          the card's PDA block (0x001D0000) carries no MAC address\n"
         "                         record (0x0101), only the calibration record\n"
         "  --wireless-nodes N     stations in the wireless node list, 0..200 (default 3)\n"
         "  --mac-table N          entries in the bridge's MAC address table, 0..2000 (default 8)\n"
         "\n"
         "Unit k defaults to MAC 00-80-92-00-HH-LL (HHLL = k), IP 127.0.0.(k+1), type 9\n"
         "(21 for every fourth unit), version 2.01 and no password.\n"
         "\n"
         "The system information block (0x00120000) starts with the loader version 0x0100\n"
         "and the firmware version: the unit's VERSION when its layout's firmware reports\n"
         "it, else 0x0100, 0x010B, 0x0114, 0x011E or 0x0201 for layouts 1..5. A unit without\n"
         "VERSION reports that firmware version in its identity too. The configuration\n"
         "starts as the program's defaults with IPAddress set to the unit's own address.\n"
         "Reads of the configuration body are cut at its end; the block that reaches it\n"
         "carries status 2, and reads from there on answer status 2 with no bytes; writes\n"
         "must fit inside it. The firmware (0xFFE00000) holds a 64-byte header with a valid\n"
         "check word, the version at offset 32 and the image length at offset 36, then\n"
         "pseudo-random bytes fixed by the unit's MAC; the loader (0xFFD00000) holds such\n"
         "bytes only. Image reads give at most 1024 bytes and no bytes at or past the end.\n"
         "Image writes are stored wherever they fall in the area; a write at offset 0\n"
         "starts a new image, which then ends at the highest byte written, or where a\n"
         "zero-length write says. A zero-length write at offset 0 (a cancelled load)\n"
         "leaves the image as far as it was written.\n";
}

}  // namespace trennic::sim
