#pragma once
// How wide the read-only fields and the port list of the status pages must
// be: for each field (by its label) and each column (by its title), the
// texts it can show at their widest, whatever the unit sends, worked out
// from what the field shows. The pages size their fields for these, so no
// unit's answer is ever cut off.
#include <string>
#include <string_view>
#include <vector>

namespace trennic {

// Inside these texts every hexadecimal digit (0-9, A-F) stands for any of
// them, and '*' for any character at all: a page measures them as the
// widest such glyph of its font.
constexpr char kAnyCharacter = '*';

// Empty for a label or title this table does not know.
std::vector<std::string> widestTexts(std::string_view labelOrTitle);

// Whether `text` takes no more room than `widest` in any font, measured so:
// no more digits than it has digits and wild characters together, and each
// other character found in it, or in place of a wild one.
bool fitsWithin(std::string_view text, std::string_view widest);

}  // namespace trennic
