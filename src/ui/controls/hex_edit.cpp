#include "ui/controls/hex_edit.h"

#include "core/controls/edit_rules.h"

bool CHexEdit::characterAccepted(char32_t c) const { return trennic::hexCharAccepted(c); }

bool CHexEdit::pasteAccepted(const std::u32string& text) const { return trennic::hexPasteAccepted(text); }
