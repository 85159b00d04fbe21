#pragma once
// A folder of its own for each test, removed with everything in it when the
// test ends, so no test sees another's files.
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace trennic::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() /
              ("trennic-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
      std::error_code ec;
      if (std::filesystem::create_directory(path_, ec)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    // Tests may take away permissions; give them back so the folder goes.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / std::string(name)).string(); }

  // Names of everything in the folder, sorted.
  std::vector<std::string> entries() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }

 private:
  std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The line end the program uses for a file it creates.
#ifdef _WIN32
inline constexpr std::string_view kNewFileEol = "\r\n";
#else
inline constexpr std::string_view kNewFileEol = "\n";
#endif

inline std::string joinLines(std::initializer_list<std::string_view> lines, std::string_view eol = kNewFileEol) {
  std::string out;
  for (auto l : lines) {
    out += l;
    out += eol;
  }
  return out;
}

}  // namespace trennic::testing
