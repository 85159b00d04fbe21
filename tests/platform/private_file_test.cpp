// The debug log holds every request's password: its file is its owner's
// alone and is never written through a link someone left in its place.
#include "platform/app/private_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/app/debug_log.h"

#ifndef _WIN32
#include <unistd.h>
#endif
#include "support/temp_dir.h"

namespace trennic {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

#ifndef _WIN32

fs::perms modeOf(const std::string& path) { return fs::symlink_status(path).permissions() & fs::perms::mask; }
constexpr fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

TEST(PrivateFile, StartsAnewOwnerOnlyWhateverWasThere) {
  TempDir dir;
  const std::string victim = dir.file("victim.txt");
  writeBytes(victim, "someone else's\n");
  struct Case {
    const char* rule;
    std::function<void(const std::string&)> leave;
  } cases[] = {
      {"nothing there", [](const std::string&) {}},
      {"last run's log, readable by all", [](const std::string& p) {
         writeBytes(p, "last run\n");
         fs::permissions(p, fs::perms::all);
       }},
      {"a link to another file", [&](const std::string& p) { fs::create_symlink(victim, p); }},
      {"a link to nowhere", [&](const std::string& p) { fs::create_symlink(dir.file("absent.txt"), p); }},
  };
  for (const auto& c : cases) {
    const std::string log = dir.file(kDebugLogName);
    std::error_code ec;
    fs::remove(log, ec);
    c.leave(log);
    ASSERT_TRUE(platform::createPrivateFile(log)) << c.rule;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(log))) << c.rule;
    EXPECT_EQ(modeOf(log), kOwnerOnly) << c.rule;
    EXPECT_EQ(fs::file_size(log), 0u) << c.rule;
    EXPECT_EQ(readBytes(victim), "someone else's\n") << c.rule;
    EXPECT_FALSE(fs::exists(dir.file("absent.txt"))) << c.rule;
  }
}

TEST(PrivateFile, TheLogWritesOnlyIntoItsOwnFile) {
  TempDir dir;
  const std::string log = dir.file(kDebugLogName);
  const std::string victim = dir.file("victim.txt");
  writeBytes(victim, "someone else's\n");
  ASSERT_TRUE(platform::createPrivateFile(log));
  DebugLog trace(log, true, [] { return std::string("Mon Dec 01 09:05:00 2003"); }, platform::appendToPrivateFile);
  ASSERT_TRUE(trace.writeLog(1, "one\n"));
  EXPECT_EQ(readBytes(log), "one\n");
  EXPECT_EQ(modeOf(log), kOwnerOnly);

  // Deleted while the program runs: made again, as private as before.
  fs::remove(log);
  ASSERT_TRUE(trace.writeLog(1, "two\n"));
  EXPECT_EQ(readBytes(log), "two\n");
  EXPECT_EQ(modeOf(log), kOwnerOnly);

  // A link put in its place is refused, and the entry lost.
  fs::remove(log);
  fs::create_symlink(victim, log);
  EXPECT_FALSE(trace.writeLog(1, "three\n"));
  EXPECT_EQ(readBytes(victim), "someone else's\n");

  // So is a file another user put there (only root can make one here).
  fs::remove(log);
  writeBytes(log, "");
  if (::geteuid() == 0 && ::chown(log.c_str(), 65534, 65534) == 0) {
    EXPECT_FALSE(trace.writeLog(1, "four\n"));
    EXPECT_EQ(readBytes(log), "");
  }
}

#endif

}  // namespace
}  // namespace trennic
