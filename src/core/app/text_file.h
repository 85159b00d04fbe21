#pragma once
// Why a file the program reads as text of its own (the settings file,
// "config.def") cannot be read. The profile reader takes such a file for
// an empty one, which would show an empty node list or the built-in
// defaults without a word; the fronts ask here first and say why instead.
#include <cstdint>
#include <string>

namespace trennic {

// The profile reader refuses larger files too: far larger than any profile
// of ours, and reading one whole would only stall the program.
constexpr std::uintmax_t kMaxTextFileBytes = 64u << 20;

enum class TextFileProblem {
  None,        // a text file that reads
  Missing,     // nothing there: the defaults, as always
  Folder,
  NotAFile,    // a device, a pipe or the like
  TooLarge,    // over kMaxTextFileBytes
  NotText,     // holds NUL bytes, and is no UTF-16 text with its mark
  Unreadable,  // cannot be opened or read (permissions)
};

TextFileProblem textFileProblem(const std::string& path);

// "a folder", "not a text file", ... as the end of "PATH cannot be read:
// it is ..."; empty for None and Missing.
const char* textFileProblemText(TextFileProblem problem);

}  // namespace trennic
