#pragma once
// INI profile files with the rules the program's settings, node lists,
// configuration and filter files rely on: section and key names compared
// without case, defaults for missing keys, values cut to the caller's buffer,
// one pair of enclosing double or single quotes removed on read, and writes
// that keep every other line of the file where it was. A line ends at LF, CR
// LF or a lone CR, whichever system wrote the file, and every line keeps its
// own line end when the file is written back.
//
// Values are byte strings in the user's code page and pass through untouched;
// the profile is told the code page's byte rule, so that a section name is
// never closed by the second byte of a double-byte character, nor a byte
// like 0xE9 of a single-byte code page taken for the start of one. A file
// saved as UTF-16LE with its mark (a Windows editor's "Unicode" text) is read
// converted to the code page, and written back in UTF-16LE. Every save
// goes to a temporary file in the same folder that is then renamed over the
// target, so an interrupted write never leaves a truncated file behind.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app/text_encoding.h"

namespace trennic::ini {

// Buffer sizes callers pass, NUL included.
constexpr std::size_t kValueBuffer = 255;
constexpr std::size_t kPathBuffer = 260;

enum class LoadState { Missing, Loaded, Unreadable };

class Profile {
 public:
  explicit Profile(TextEncoding encoding = TextEncoding::singleByte()) : encoding_(encoding) {}

  // A missing file gives an empty profile that can be written; a file that
  // exists but cannot be read refuses to be saved over, so nothing is lost.
  static Profile load(const std::string& path, TextEncoding encoding = TextEncoding::singleByte());

  LoadState state() const { return state_; }
  TextEncoding encoding() const { return encoding_; }

  // The raw value after trimming blanks and removing one pair of matching
  // enclosing quotes (double or single); nothing when the section or key is
  // missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

  // The value, or the default when the key is missing, cut to bufferSize - 1 bytes.
  std::string getString(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t bufferSize = kValueBuffer) const;

  // A leading signed decimal number of the value; the default when the key is
  // missing or its value empty; 0 when the value holds no digits.
  int getInt(std::string_view section, std::string_view key, int def) const;

  bool hasSection(std::string_view section) const;

  // Every line's text in file order, as this reader splits the file (line
  // ends and a leading mark taken off), for readers with rules of their own.
  std::size_t lineCount() const { return lines_.size(); }
  const std::string& lineText(std::size_t i) const { return lines_.at(i).text; }
  // The lines [first, end) of a section's body, as this reader finds the
  // section: the first of the name, up to the next section header. A reader
  // of its own that keeps to them reads what the writers here write.
  std::optional<std::pair<std::size_t, std::size_t>> sectionLines(std::string_view section) const;
  std::vector<std::string> keys(std::string_view section) const;

  // Creates the section and key as needed. A line break in a value would
  // split it into foreign lines, so the value is cut at the first one.
  void setString(std::string_view section, std::string_view key, std::string_view value);
  void removeKey(std::string_view section, std::string_view key);
  // Adds an empty section when there is none, so that an empty list still
  // marks its file as what it is.
  void ensureSection(std::string_view section);
  void removeSection(std::string_view section);

  // Writes the whole profile to path through a temporary file and a rename.
  bool save(const std::string& path) const;

  // The file's text as it would be saved.
  std::string text() const;

 private:
  struct Line {
    explicit Line(std::string t = {}, std::string e = {}, std::optional<std::u16string> w = std::nullopt)
        : text(std::move(t)), end(std::move(e)), wide(std::move(w)) {}
    std::string text;  // in the code page
    std::string end;   // the line end as read; empty for lines the program added
    // A line of a UTF-16 file as it was read: written back as it is while the
    // line is unchanged, so characters the code page lacks are never lost.
    std::optional<std::u16string> wide;
  };
  struct Range {
    std::size_t header;  // index of the "[section]" line
    std::size_t end;     // one past the last line of the section
  };
  std::optional<Range> findSection(std::string_view section) const;
  std::optional<std::size_t> findKey(const Range& r, std::string_view key) const;
  void loadUtf16(std::string_view bytes);
  std::string utf16Text() const;

  TextEncoding encoding_;
  std::vector<Line> lines_;
  std::string eol_ = kNativeEol;
  LoadState state_ = LoadState::Missing;
  bool utf8Mark_ = false;  // kept so that a save gives the file back as it came
  bool utf16_ = false;     // a "Unicode" file: read in the code page, written back in UTF-16LE

#ifdef _WIN32
  static constexpr const char* kNativeEol = "\r\n";
#else
  static constexpr const char* kNativeEol = "\n";
#endif
};

// The profile-string functions, one file access per call.
std::string getProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view def, std::size_t bufferSize = kValueBuffer,
                             TextEncoding encoding = TextEncoding::singleByte());
int getProfileInt(const std::string& path, std::string_view section, std::string_view key, int def,
                  TextEncoding encoding = TextEncoding::singleByte());
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value, TextEncoding encoding = TextEncoding::singleByte());
bool deleteProfileKey(const std::string& path, std::string_view section, std::string_view key,
                      TextEncoding encoding = TextEncoding::singleByte());
bool deleteProfileFile(const std::string& path);

// The value to write so that reading gives text back: a text with blanks at
// either end, or inside a pair of matching quotes of its own, is put inside
// double quotes, which the reader takes off again; any other text is written
// as it is.
std::string quotedWhereNeeded(std::string_view text);

// Writes raw bytes to path through a temporary file in the same folder and a
// rename; false (and the target untouched) when anything fails.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Case-insensitive comparison of section and key names; double-byte pairs are
// compared exactly so that a trail byte in the ASCII letter range is not folded.
bool namesEqual(std::string_view a, std::string_view b, TextEncoding encoding = TextEncoding::singleByte());

}  // namespace trennic::ini
