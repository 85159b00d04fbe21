#pragma once
// The six kinds of data the File Management window moves between files and
// units, and how their files are named.
#include <string>
#include <vector>

#include "core/app/settings.h"
#include "core/protocol/addresses.h"

namespace trennic {

enum FileKind : int {
  FileKindFirmware = 0,
  FileKindConfig = 1,
  FileKindWirelessFirmware = 2,
  FileKindLoader = 3,
  FileKindMacFilter = 4,
  FileKindProtocolFilter = 5,
};
constexpr int kFileKindCount = 6;

// "Firmware", "Configuration File", ... as the Type list shows them.
const char* fileKindName(int kind);
// The kind whose name this is; the firmware when none is.
int fileKindNamed(const std::string& name);
// The Type list in its order: the loader only for a maintenance level or
// when it was the kind last chosen.
std::vector<int> offeredFileKinds(int displayLevel, int savedKind);
// The setting that keeps the kind's file (or, for configurations, folder).
std::string& fileNameSetting(AppSettings& settings, int kind);

// A unit's own configuration file inside a folder: the last three bytes of
// its MAC address.
std::string unitConfigFileName(const MacAddress& mac);

}  // namespace trennic
