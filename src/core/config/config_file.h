#pragma once
// The configuration file: an INI rendering of an ApConfig. Section "Config"
// holds one key per keyed field, followed by the two filter table sections in
// the form of the standalone filter files. The same format serves the
// Configuration window's Open and Save, the File Management window, and
// "config.def", whose keys change the defaults of every new configuration.
#include <string>
#include <utility>
#include <vector>

#include "core/app/text_encoding.h"
#include "core/config/ap_config.h"
#include "core/protocol/addresses.h"

namespace trennic {

inline constexpr const char* kConfigSection = "Config";
inline constexpr const char* kConfigFileName = "config.txt";
inline constexpr const char* kConfigDefaultsFileName = "config.def";

struct ConfigFileOptions {
  // DefaultChannel(): what "ChannelNo" holds when every channel is free, and
  // what a list without a single usable channel reads as.
  unsigned defaultChannel = 1;
  // The filter sections carry their access fields from level 3 on.
  int displayLevel = 0;
  // The byte rule of the code page the file's texts are in.
  TextEncoding encoding = TextEncoding::singleByte();
};

// Writes the file for `record` and returns 1; 0 when it could not be written,
// in which case whatever was at `path` before is still there, whole.
// A WEP slot without its present bit is written with size 0, and its
// keyLength in `record` becomes 0 to match what the file now says.
int WriteConfigFile(ApConfig& record, const std::string& path, const ConfigFileOptions& options = {});

// What ReadConfigFile returns for a file that reads but holds no "Config"
// section: some other file (a node list, a filter file), whose missing keys
// would otherwise all read as defaults and move a unit off its network.
constexpr int kNotAConfigFile = 2;

// Resets `target` from `defaults` for the unit `mac` (all zero when no unit
// is meant), then applies the file. Returns 1 when the file was read; 0 when
// `path` is empty, names nothing, names a folder or cannot be read;
// kNotAConfigFile when it has no "Config" section. The reset has happened
// in every case. `defaults` and `target` may be the same set.
int ReadConfigFile(const ConfigSet& defaults, ConfigSet& target, const MacAddress& mac, const std::string& path,
                   const ConfigFileOptions& options = {});

// Lays "config.def" (or the file at `path`) over `defaults`, which the caller
// has just filled with BuildDefaultConfig; a missing file leaves them as they
// are. The same as ReadConfigFile with `defaults` as both sets and an
// all-zero MAC address.
int ApplyConfigDefaults(ConfigSet& defaults, const std::string& path = kConfigDefaultsFileName,
                        const ConfigFileOptions& options = {});

// Every key of section "Config" with the value text the writer puts in the
// file, in the writer's order (texts with their quotes and escapes). The
// filter sections are not included.
std::vector<std::pair<std::string, std::string>> ConfigFileValues(const ApConfig& record,
                                                                  const ConfigFileOptions& options = {});

}  // namespace trennic
