#include "core/app/text_encoding.h"

#include <array>
#include <utility>

namespace trennic {

namespace {

// One character of UTF-16 from text[i]: its code point and how many units it
// takes. A lone surrogate is a character of its own that no code page holds.
std::pair<char32_t, std::size_t> codePointAt(std::u16string_view text, std::size_t i) {
  char16_t c = text[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
    return {0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00), 2};
  return {c, 1};
}

// 0x80-0x9F of windows-1252; the five bytes the code page leaves free stand
// for the control characters of the same number, as on Windows.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class Windows1252 final : public CodePageConversion {
 public:
  std::string fromUtf16(std::u16string_view text) const override {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
      auto [c, n] = codePointAt(text, i);
      i += n;
      out.push_back(byteOf(c));
    }
    return out;
  }
  std::u16string toUtf16(std::string_view bytes) const override {
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
      auto u = static_cast<unsigned char>(b);
      out.push_back(u >= 0x80 && u <= 0x9F ? kWindows1252High[u - 0x80] : char16_t(u));
    }
    return out;
  }

 private:
  static char byteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t k = 0; k < kWindows1252High.size(); ++k)
      if (kWindows1252High[k] == c) return static_cast<char>(0x80 + k);
    return '?';
  }
};

class Ascii final : public CodePageConversion {
 public:
  std::string fromUtf16(std::u16string_view text) const override {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
      auto [c, n] = codePointAt(text, i);
      i += n;
      out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
  }
  std::u16string toUtf16(std::string_view bytes) const override {
    std::u16string out;
    for (char b : bytes) out.push_back(static_cast<unsigned char>(b) < 0x80 ? char16_t(b) : u'?');
    return out;
  }
};

}  // namespace

const CodePageConversion& windows1252Conversion() {
  static const Windows1252 conversion;
  return conversion;
}

const CodePageConversion& asciiConversion() {
  static const Ascii conversion;
  return conversion;
}

const CodePageConversion& TextEncoding::conversion() const {
  if (conversion_) return *conversion_;
  return isDoubleByte() ? asciiConversion() : windows1252Conversion();
}

bool TextEncoding::endsWithChar(std::string_view text, char c) const {
  std::size_t i = 0, last = std::string_view::npos;
  while (i < text.size()) {
    last = i;
    i += charLength(text, i);
  }
  return last != std::string_view::npos && i - last == 1 && text[last] == c;
}

std::string TextEncoding::withTrailingSeparator(std::string_view path, char separator) const {
  std::string out(path);
  // Where the separator is "\\" (Windows), "/" ends a folder's name as well:
  // "C:/dir/" needs nothing more.
  const bool ends = endsWithChar(path, separator) || (separator == '\\' && endsWithChar(path, '/'));
  if (!ends) out.push_back(separator);
  return out;
}

std::string_view TextEncoding::truncate(std::string_view text, std::size_t maxBytes) const {
  if (text.size() <= maxBytes) return text;
  std::size_t i = 0;
  while (i < maxBytes) {
    std::size_t n = charLength(text, i);
    if (i + n > maxBytes) break;
    i += n;
  }
  return text.substr(0, i);
}

std::string TextEncoding::toUpperAscii(std::string_view text) const {
  std::string out(text);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = charLength(out, i);
    if (n == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    i += n;
  }
  return out;
}

}  // namespace trennic
