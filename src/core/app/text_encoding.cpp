#include "core/app/text_encoding.h"

namespace trennic {

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
  if (!endsWithChar(path, separator)) out.push_back(separator);
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
