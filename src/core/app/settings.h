#pragma once
// The application's settings: held in memory while the program runs and
// written back to the "Environment" section when it ends.
#include <string>
#include <string_view>
#include <vector>

#include "core/app/text_encoding.h"

namespace trennic {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

constexpr const char* kProductTitle = "Trennic";
constexpr const char* kEnvironmentSection = "Environment";
constexpr int kDisplayLevelAll = 255;

struct AppSettings {
  int displayLevel = 0;  // 0, 1, 2, 3 or 255; only the command line sets it
  bool debugDisplay = false;
  bool debugLog = false;
  std::string settingsPath;
  std::string debugLogPath;
  std::string title = kProductTitle;
  // How the bytes of texts and paths make characters: the rule of the code
  // page in use, which the front sets from the platform before anything is
  // read.
  TextEncoding textEncoding = TextEncoding::singleByte();

  int dispSave = 1;
  int regWinX = -1;
  int regWinY = -1;
  int topWin = 0;
  bool windowsShown = true;
  unsigned fileType = 0;  // 0..5
  std::string firmFileName = "firmware.bin";
  std::string wlFirmFileName = "wx73kqd.hex";
  std::string wlFirmTmpFileName;
  std::string loaderFileName = "loader.bin";
  std::string configDirName = std::string(".") + kPathSeparator;
  std::string logFilFileName = "logflist";
  std::string protFilFileName = "prtflist";
  unsigned scanTime = 10;  // seconds
};

// The settings file beside the program file: the last three characters of
// the program's extension become "INI" (Korvel.exe gives Korvel.INI), and a
// program file without an extension gains ".INI".
std::string settingsPathFor(std::string_view programPath, std::string_view currentDir, TextEncoding encoding);

// The text of the settings file's folder part, with a trailing separator.
std::string folderOf(std::string_view path, TextEncoding encoding);

class CUtilityApp {
 public:
  // The "/E", "/E1", "/E2", "/E3", "/D", "/DL", "/DL1" switches, compared
  // without case; anything else is left alone. "--settings FILE" chooses the
  // settings file; it is returned through settingsOverride.
  void parseCommandLine(const std::vector<std::string>& args);

  // Reads "Environment"; a missing "DispSave" is written as "1" at once.
  void loadSettings();
  // Writes "Environment" in one atomic replacement of the file.
  bool saveSettings() const;

  AppSettings settings;
  std::string settingsOverride;
};

}  // namespace trennic
