// Settings and defaults files that can't be read are told apart from
// missing ones, with the reason.
#include "core/app/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace trennic {
namespace {

using testing::TempDir;
using testing::writeBytes;

TEST(TextFile, ProblemsByKind) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("folder.INI"));
  writeBytes(dir.file("plain.INI"), "[NodeList]\nEntry1=0,00-80-92-00-00-01,10.0.0.1,\"\",\n");
  writeBytes(dir.file("empty.INI"), "");
  writeBytes(dir.file("binary.INI"), std::string("\x7F" "ELF\x02\x01\x01\x00\x00\x00", 10));
  writeBytes(dir.file("utf16.INI"), std::string("\xFF\xFE[\0N\0]\0\r\0\n\0", 12));
  writeBytes(dir.file("utf8.INI"), "\xEF\xBB\xBF[Config]\nESSID=\"Caf\xC3\xA9\"\n");
  {
    // Sparse, so the test writes next to nothing.
    std::ofstream big(dir.file("big.INI"), std::ios::binary);
    big.seekp(static_cast<std::streamoff>(kMaxTextFileBytes));
    big.put('\n');
  }
  struct Case {
    const char* rule;
    std::string path;
    TextFileProblem expected;
  } cases[] = {
      {"a text file reads", dir.file("plain.INI"), TextFileProblem::None},
      {"an empty file is an empty text", dir.file("empty.INI"), TextFileProblem::None},
      {"UTF-16 with its mark is text", dir.file("utf16.INI"), TextFileProblem::None},
      {"UTF-8 with its mark is text", dir.file("utf8.INI"), TextFileProblem::None},
      {"nothing there", dir.file("none.INI"), TextFileProblem::Missing},
      {"a folder in its place", dir.file("folder.INI"), TextFileProblem::Folder},
      {"a program in its place", dir.file("binary.INI"), TextFileProblem::NotText},
      {"one byte over the limit", dir.file("big.INI"), TextFileProblem::TooLarge},
  };
  for (const auto& c : cases) EXPECT_EQ(textFileProblem(c.path), c.expected) << c.rule;
  EXPECT_EQ(std::string(textFileProblemText(TextFileProblem::Folder)), "it is a folder");
  EXPECT_EQ(std::string(textFileProblemText(TextFileProblem::NotText)), "it is not a text file");
  EXPECT_EQ(std::string(textFileProblemText(TextFileProblem::TooLarge)), "it is too large (over 64 MiB)");
  EXPECT_EQ(std::string(textFileProblemText(TextFileProblem::Missing)), "");
  EXPECT_EQ(std::string(textFileProblemText(TextFileProblem::None)), "");
}

#ifndef _WIN32
TEST(TextFile, ADeviceOrAFileWithoutReadPermission) {
  EXPECT_EQ(textFileProblem("/dev/null"), TextFileProblem::NotAFile);
  TempDir dir;
  const std::string locked = dir.file("locked.INI");
  writeBytes(locked, "[Environment]\n");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  // Whoever may read anything (root) reads this too.
  if (std::ifstream(locked).good()) GTEST_SKIP() << "running with every permission";
  EXPECT_EQ(textFileProblem(locked), TextFileProblem::Unreadable);
  EXPECT_EQ(std::string(textFileProblemText(TextFileProblem::Unreadable)), "it cannot be opened for reading");
}
#endif

}  // namespace
}  // namespace trennic
