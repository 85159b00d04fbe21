#pragma once
// Texts are byte strings in the user's code page, and how those bytes make
// characters belongs to the code page. Under Shift_JIS a lead byte and the
// byte after it are one character, so a second byte of 0x5C is never a
// backslash and never an escape. Under a single-byte code page such as
// windows-1252 every byte is a character of its own: 0xE9 is "é", not the
// first half of a pair that would swallow the closing quote after it.
//
// The front picks the rule once from the code page in use and hands it to
// every reader and writer of text; nothing in the core guesses it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trennic {

// The code page's bytes to UTF-16 and back, for files a Windows editor saved
// as "Unicode" text: they are read as the code page's bytes and written back
// in UTF-16. A character the code page has no bytes for becomes '?', as the
// platform's own conversion writes it; so do bytes that make no character.
class CodePageConversion {
 public:
  virtual ~CodePageConversion() = default;
  virtual std::string fromUtf16(std::u16string_view text) const = 0;
  virtual std::u16string toUtf16(std::string_view bytes) const = 0;
};

// windows-1252, which the core knows by heart.
const CodePageConversion& windows1252Conversion();
// Only the ASCII characters, which every code page has.
const CodePageConversion& asciiConversion();

enum class ByteRule : std::uint8_t {
  SingleByte,  // windows-1252 and the like: one byte, one character
  ShiftJis,    // lead bytes 0x81-0x9F and 0xE0-0xFC start a two-byte character
};

class TextEncoding {
 public:
  constexpr explicit TextEncoding(ByteRule rule, const CodePageConversion* conversion = nullptr)
      : rule_(rule), conversion_(conversion) {}
  static constexpr TextEncoding singleByte() { return TextEncoding(ByteRule::SingleByte); }
  static constexpr TextEncoding shiftJis() { return TextEncoding(ByteRule::ShiftJis); }

  constexpr ByteRule rule() const { return rule_; }

  // The code page's own conversion when the front gave one; without it
  // windows-1252 for a single-byte rule, and ASCII alone for Shift_JIS.
  const CodePageConversion& conversion() const;
  constexpr bool isDoubleByte() const { return rule_ == ByteRule::ShiftJis; }

  constexpr bool isLeadByte(unsigned char c) const {
    return isDoubleByte() && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
  }

  // Length in bytes of the character starting at text[i] (1 or 2; a lead byte
  // at the very end counts as a single byte).
  std::size_t charLength(std::string_view text, std::size_t i) const {
    if (i + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[i]))) return 2;
    return 1;
  }

  // True when the last character of the text is the given single byte, which is
  // never matched inside a double-byte pair.
  bool endsWithChar(std::string_view text, char c) const;

  // Appends the path separator unless the path already ends in one (with
  // "\\" as the separator, "/" counts as one too, as on Windows); an empty
  // path becomes the separator alone.
  std::string withTrailingSeparator(std::string_view path, char separator) const;

  // Cuts the text to at most maxBytes without splitting a double-byte pair.
  std::string_view truncate(std::string_view text, std::size_t maxBytes) const;

  // Upper-cases ASCII letters outside double-byte pairs.
  std::string toUpperAscii(std::string_view text) const;

  // Encodings are alike when their byte rules are; the conversion comes with
  // the code page the rule was taken from.
  friend constexpr bool operator==(TextEncoding a, TextEncoding b) { return a.rule_ == b.rule_; }

 private:
  ByteRule rule_;
  const CodePageConversion* conversion_;
};

}  // namespace trennic
