#include "core/app/text_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/app/display_text.h"

namespace trennic {

TextFileProblem textFileProblem(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (st.type() == fs::file_type::not_found) return TextFileProblem::Missing;
  if (ec) return TextFileProblem::Unreadable;
  if (fs::is_directory(st)) return TextFileProblem::Folder;
  if (!fs::is_regular_file(st)) return TextFileProblem::NotAFile;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return TextFileProblem::Unreadable;
  if (size > kMaxTextFileBytes) return TextFileProblem::TooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return TextFileProblem::Unreadable;
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return TextFileProblem::Unreadable;
  // Text in a code page never holds a NUL; UTF-16 text holds them all
  // along, and says so with its byte-order mark.
  const bool utf16 = data.size() >= 2 && ((data[0] == '\xFF' && data[1] == '\xFE') || (data[0] == '\xFE' && data[1] == '\xFF'));
  if (!utf16 && data.find('\0') != std::string::npos) return TextFileProblem::NotText;
  return TextFileProblem::None;
}

const char* textFileProblemText(TextFileProblem problem) {
  switch (problem) {
    case TextFileProblem::Folder: return SHOWN("it is a folder");
    case TextFileProblem::NotAFile: return SHOWN("it is no ordinary file");
    case TextFileProblem::TooLarge: return SHOWN("it is too large (over 64 MiB)");
    case TextFileProblem::NotText: return SHOWN("it is not a text file");
    case TextFileProblem::Unreadable: return SHOWN("it cannot be opened for reading");
    case TextFileProblem::None:
    case TextFileProblem::Missing: break;
  }
  return "";
}

}  // namespace trennic
