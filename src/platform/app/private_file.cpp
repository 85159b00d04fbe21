#include "platform/app/private_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trennic::platform {

#ifndef _WIN32

namespace {

// O_NOFOLLOW refuses a link at the last step; O_EXCL with O_CREAT refuses
// anything already there, a dangling link included.
int openPrivate(const std::string& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool createPrivateFile(const std::string& path) {
  // Removing and creating are two steps; O_EXCL makes sure that what is
  // opened is the file made here, whatever appeared in between.
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return false;
  const int fd = openPrivate(path, O_CREAT | O_EXCL);
  if (fd < 0) return false;
  // The mode asked for passes through the umask, which might be odd.
  bool ok = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool appendToPrivateFile(const std::string& path, std::string_view text) {
  const int fd = openPrivate(path, O_APPEND | O_CREAT);
  if (fd < 0) return false;
  // A file someone else put there gets nothing. (The mode of a file that
  // is ours stays as the owner left it: where files have no modes it shows
  // as readable by all, and refusing it would only lose the log.)
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
  ok = ok && writeAll(fd, text);
  if (::close(fd) != 0) ok = false;
  return ok;
}

#else

// Windows: the file takes the folder's access rules, which keep a user's
// profile folders to that user; text mode gives the log its CR LF.
bool createPrivateFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return false;
  std::FILE* f = std::fopen(path.c_str(), "wx");
  return f && std::fclose(f) == 0;
}

bool appendToPrivateFile(const std::string& path, std::string_view text) {
  std::FILE* f = std::fopen(path.c_str(), "a");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0) ok = false;
  return ok;
}

#endif

}  // namespace trennic::platform
