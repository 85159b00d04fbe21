// The file kinds of the File Management window and their file names.
#include <gtest/gtest.h>

#include "core/files/file_kinds.h"

namespace trennic {
namespace {

TEST(FileKinds, TheLoaderIsOfferedOnlyForMaintenanceOrWhenLastChosen) {
  const std::vector<int> usual{0, 1, 2, 4, 5};
  EXPECT_EQ(offeredFileKinds(0, 0), usual);
  EXPECT_EQ(offeredFileKinds(0, 3), (std::vector<int>{0, 1, 2, 4, 5, 3}));
  EXPECT_EQ(offeredFileKinds(1, 0), (std::vector<int>{0, 1, 2, 4, 5, 3}));
  EXPECT_EQ(fileKindNamed("Firmware(Wireless Card)"), FileKindWirelessFirmware);
  EXPECT_EQ(fileKindNamed("Loader"), FileKindLoader);
  EXPECT_EQ(fileKindNamed("nothing of the kind"), FileKindFirmware);
  for (int k = 0; k < kFileKindCount; ++k) EXPECT_EQ(fileKindNamed(fileKindName(k)), k);
}

TEST(FileKinds, EachKindKeepsItsOwnName) {
  AppSettings s;
  fileNameSetting(s, FileKindMacFilter) = "lobby.flt";
  EXPECT_EQ(s.logFilFileName, "lobby.flt");
  EXPECT_EQ(fileNameSetting(s, FileKindConfig), s.configDirName);
  EXPECT_EQ(fileNameSetting(s, FileKindWirelessFirmware), "wx73kqd.hex");
  EXPECT_EQ(unitConfigFileName(MacAddress{{0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF}}), "ABCDEF.txt");
}

}  // namespace
}  // namespace trennic
