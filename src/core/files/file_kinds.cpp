#include "core/files/file_kinds.h"

#include <cstdio>

#include "core/app/display_text.h"

namespace trennic {

namespace {

constexpr const char* kNames[kFileKindCount] = {SHOWN("Firmware"), SHOWN("Configuration File"),
                                                SHOWN("Firmware(Wireless Card)"), SHOWN("Loader"),
                                                SHOWN("MAC Address Filter File"), SHOWN("Protocol Filter File")};

}  // namespace

const char* fileKindName(int kind) { return kind >= 0 && kind < kFileKindCount ? kNames[kind] : kNames[0]; }

int fileKindNamed(const std::string& name) {
  for (int k = 0; k < kFileKindCount; ++k)
    if (name == kNames[k]) return k;
  return FileKindFirmware;
}

std::vector<int> offeredFileKinds(int displayLevel, int savedKind) {
  std::vector<int> kinds{FileKindFirmware, FileKindConfig, FileKindWirelessFirmware, FileKindMacFilter,
                         FileKindProtocolFilter};
  if (displayLevel >= 1 || savedKind == FileKindLoader) kinds.push_back(FileKindLoader);
  return kinds;
}

std::string& fileNameSetting(AppSettings& s, int kind) {
  switch (kind) {
    case FileKindConfig: return s.configDirName;
    case FileKindWirelessFirmware: return s.wlFirmFileName;
    case FileKindLoader: return s.loaderFileName;
    case FileKindMacFilter: return s.logFilFileName;
    case FileKindProtocolFilter: return s.protFilFileName;
    default: return s.firmFileName;
  }
}

std::string unitConfigFileName(const MacAddress& mac) {
  char name[16];
  std::snprintf(name, sizeof name, "%02X%02X%02X.txt", mac.bytes[3], mac.bytes[4], mac.bytes[5]);
  return name;
}

}  // namespace trennic
