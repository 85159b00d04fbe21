#pragma once
// Names, ESS IDs and whatever else units and files hand us are texts we do
// not control. A control character among them would reach a terminal as an
// instruction (ESC starts the sequences that recolour, move the cursor or
// rename the window; in eight-bit terminals U+009B does the same), so every
// text the command line prints shows such characters as "\x1B" instead.
#include <string>
#include <string_view>

namespace trennic {

// C0 controls (tab and line ends included: a text is shown on one line),
// DEL and the C1 controls U+0080..U+009F.
constexpr bool isControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// The text with each control character written "\x" and two upper-case hex
// digits; every other character, a backslash too, as it is.
std::u16string escapeControls(std::u16string_view text);

}  // namespace trennic
