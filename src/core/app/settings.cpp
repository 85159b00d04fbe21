#include "core/app/settings.h"

#include <cstdio>

#include "core/app/ini_profile.h"

namespace trennic {

namespace {

bool isSeparator(char c) { return c == '/' || c == kPathSeparator; }

// Start of the last path component; a separator byte inside a double-byte
// character separates nothing.
std::size_t lastComponentStart(std::string_view path, TextEncoding encoding) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t n = encoding.charLength(path, i);
    if (n == 1 && isSeparator(path[i])) start = i + 1;
    i += n;
  }
  return start;
}

std::string formatInt(const char* fmt, long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

}  // namespace

std::string folderOf(std::string_view path, TextEncoding encoding) {
  return std::string(path.substr(0, lastComponentStart(path, encoding)));
}

std::string settingsPathFor(std::string_view programPath, std::string_view currentDir, TextEncoding encoding) {
  if (programPath.size() < 3) {
    std::string name(programPath.substr(lastComponentStart(programPath, encoding)));
    return encoding.withTrailingSeparator(currentDir, kPathSeparator) + name + ".INI";
  }
  std::size_t base = lastComponentStart(programPath, encoding);
  std::size_t dot = programPath.rfind('.');
  if (dot == std::string_view::npos || dot < base) return std::string(programPath) + ".INI";
  std::size_t extLen = programPath.size() - dot - 1;
  if (extLen >= 3) return std::string(programPath.substr(0, programPath.size() - 3)) + "INI";
  // A short extension is replaced whole, so no part of the name is lost.
  return std::string(programPath.substr(0, dot + 1)) + "INI";
}

void CUtilityApp::parseCommandLine(const std::vector<std::string>& args) {
  auto equalsNoCase = [&](std::string_view a, std::string_view b) {
    return ini::namesEqual(a, b, settings.textEncoding);
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--settings" && i + 1 < args.size()) {
      settingsOverride = args[++i];
    } else if (a.rfind("--settings=", 0) == 0) {
      settingsOverride = a.substr(11);
    } else if (equalsNoCase(a, "/E") || equalsNoCase(a, "/E1")) {
      settings.displayLevel = 1;
    } else if (equalsNoCase(a, "/E2")) {
      settings.displayLevel = 2;
    } else if (equalsNoCase(a, "/E3")) {
      settings.displayLevel = 3;
    } else if (equalsNoCase(a, "/D")) {
      settings.displayLevel = kDisplayLevelAll;
      settings.debugDisplay = true;
    } else if (equalsNoCase(a, "/DL") || equalsNoCase(a, "/DL1")) {
      settings.debugLog = true;
    }
  }
}

void CUtilityApp::loadSettings() {
  AppSettings& s = settings;
  ini::Profile p = ini::Profile::load(s.settingsPath, s.textEncoding);
  const char* env = kEnvironmentSection;
  auto readInt = [&](const char* key, int def) {
    int v = p.getInt(env, key, def);
    return v == -1 ? def : v;
  };
  auto readText = [&](const char* key, const std::string& def) {
    return p.getString(env, key, def, ini::kPathBuffer);
  };
  if (!p.value(env, "DispSave")) ini::writeProfileString(s.settingsPath, env, "DispSave", "1", s.textEncoding);
  s.dispSave = readInt("DispSave", 1);
  s.regWinX = readInt("RegWinX", -1);
  s.regWinY = readInt("RegWinY", -1);
  s.topWin = readInt("TopWin", 0);
  int fileType = readInt("FileType", 0);
  s.fileType = (fileType < 0 || fileType > 5) ? 0u : static_cast<unsigned>(fileType);
  AppSettings defaults;
  s.firmFileName = readText("FirmFileName", defaults.firmFileName);
  s.wlFirmFileName = readText("WlFirmFileName", defaults.wlFirmFileName);
  s.wlFirmTmpFileName = readText("WlFirmTmpFileName", defaults.wlFirmTmpFileName);
  s.loaderFileName = readText("LoaderFileName", defaults.loaderFileName);
  s.configDirName = readText("ConfigDirName", defaults.configDirName);
  s.logFilFileName = readText("LogFilFileName", defaults.logFilFileName);
  s.protFilFileName = readText("ProtFilFileName", defaults.protFilFileName);
  // Other negative numbers would read as an interval of many years.
  int scan = readInt("ScanTime", 10);
  s.scanTime = scan < 0 ? 10u : static_cast<unsigned>(scan);
  s.windowsShown = true;
}

bool CUtilityApp::saveSettings() const {
  const AppSettings& s = settings;
  ini::Profile p = ini::Profile::load(s.settingsPath, s.textEncoding);
  const char* env = kEnvironmentSection;
  bool keep = s.dispSave != 0;
  p.setString(env, "DispSave", formatInt("%lld", s.dispSave));
  p.setString(env, "RegWinX", keep ? formatInt("%lld", s.regWinX) : "-1");
  p.setString(env, "RegWinY", keep ? formatInt("%lld", s.regWinY) : "-1");
  p.setString(env, "TopWin", keep ? formatInt("%lld", s.topWin) : "0");
  p.setString(env, "FileType", formatInt("%llu", s.fileType));
  // A name may begin and end with a blank or a quote, which the reader would
  // take off.
  p.setString(env, "FirmFileName", ini::quotedWhereNeeded(s.firmFileName));
  p.setString(env, "WlFirmFileName", ini::quotedWhereNeeded(s.wlFirmFileName));
  p.setString(env, "LoaderFileName", ini::quotedWhereNeeded(s.loaderFileName));
  p.setString(env, "ConfigDirName", ini::quotedWhereNeeded(s.configDirName));
  p.setString(env, "LogFilFileName", ini::quotedWhereNeeded(s.logFilFileName));
  p.setString(env, "ProtFilFileName", ini::quotedWhereNeeded(s.protFilFileName));
  p.setString(env, "ScanTime", formatInt("%llu", s.scanTime));
  return p.save(s.settingsPath);
}

}  // namespace trennic
