#include "core/app/shown_text.h"

namespace trennic {

std::u16string escapeControls(std::u16string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (!isControlCharacter(c)) {
      out.push_back(c);
      continue;
    }
    out += u"\\x";
    out.push_back(static_cast<char16_t>(kHex[c >> 4 & 0xF]));
    out.push_back(static_cast<char16_t>(kHex[c & 0xF]));
  }
  return out;
}

}  // namespace trennic
