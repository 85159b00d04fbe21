#pragma once
// Texts are byte strings in the user's ANSI code page and are treated as
// Shift-JIS aware: a lead byte and the byte after it are one character, so a
// second byte of 0x5C is never a backslash and never an escape.
#include <cstddef>
#include <string>
#include <string_view>

namespace trennic::sjis {

constexpr bool isLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at text[i] (1 or 2; a lead byte
// at the very end counts as a single byte).
inline std::size_t charLength(std::string_view text, std::size_t i) {
  if (i + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[i]))) return 2;
  return 1;
}

// True when the last character of the text is the given single byte, which is
// never matched inside a double-byte pair.
bool endsWithChar(std::string_view text, char c);

// Appends the path separator unless the path already ends in one; an empty
// path becomes the separator alone.
std::string withTrailingSeparator(std::string_view path, char separator);

// Cuts the text to at most maxBytes without splitting a double-byte pair.
std::string_view truncate(std::string_view text, std::size_t maxBytes);

// Upper-cases ASCII letters outside double-byte pairs.
std::string toUpperAscii(std::string_view text);

}  // namespace trennic::sjis
