#pragma once
// What every fuzz target shares: a reader that takes the input apart into
// the choices a target makes, a scratch folder of the process's own for the
// readers that only take paths, and a check that stops the run when a
// property fails, so libFuzzer keeps the input that broke it.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/text_encoding.h"

namespace trennic::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool empty() const { return at_ >= bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - at_; }

  // Past the end every number reads as 0, so a short input is a valid one.
  std::uint8_t byte() { return empty() ? 0 : bytes_[at_++]; }
  std::uint16_t u16() {
    std::uint16_t lo = byte();
    return static_cast<std::uint16_t>(lo | byte() << 8);
  }
  std::uint32_t u32() {
    std::uint32_t lo = u16();
    return lo | std::uint32_t{u16()} << 16;
  }
  bool flag() { return byte() & 1; }

  // Up to n bytes, fewer when the input ends first.
  std::span<const std::uint8_t> take(std::size_t n) {
    n = std::min(n, remaining());
    auto s = bytes_.subspan(at_, n);
    at_ += n;
    return s;
  }
  std::string_view text(std::size_t n) {
    auto s = take(n);
    return {reinterpret_cast<const char*>(s.data()), s.size()};
  }
  std::string_view rest() { return text(remaining()); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

inline TextEncoding encodingFrom(std::uint8_t choice) {
  return (choice & 1) ? TextEncoding::shiftJis() : TextEncoding::singleByte();
}

// A folder for this process alone, made on first use and removed at exit.
inline const std::filesystem::path& scratch() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("trennic-fuzz-" + std::to_string(::getpid()));
    std::error_code ec;
    std::filesystem::remove_all(d, ec);
    std::filesystem::create_directories(d);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(scratch(), ignored);
    });
    return d;
  }();
  return dir;
}

inline std::string scratchFile(std::string_view name) { return (scratch() / std::string(name)).string(); }

inline void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A failed property is a finding like a crash: say which, and abort.
[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "fuzz property failed: %s\n", what);
  std::abort();
}
inline void check(bool holds, const char* what) {
  if (!holds) fail(what);
}

}  // namespace trennic::fuzz
