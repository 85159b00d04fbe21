#pragma once
// The core keeps texts as byte strings in the user's code page; the fronts
// turn them into Unicode for showing and back for storing.
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "core/app/text_encoding.h"

namespace trennic::platform {

// "Shift_JIS" when the locale is Japanese, "windows-1252" otherwise;
// TRENNIC_CODEPAGE names another.
QString userCodePage();

// The byte rule of a code page, by any of its usual names: Shift_JIS (and
// its Windows form, code page 932) makes pairs; any other code page is read
// one byte per character. The encoding carries the code page's conversion
// to UTF-16 for files saved as "Unicode" text.
TextEncoding textEncodingFor(const QString& codePage);
// The rule of userCodePage(), which the fronts hand to the core.
TextEncoding userTextEncoding();

QString decodeText(const std::string& bytes);
// Nothing when the text holds a character the code page cannot store.
std::optional<std::string> encodeText(const QString& text);
// The bytes the text takes in the code page; a character it cannot store
// counts as the stand-in the converter writes for it.
std::size_t encodedLength(const QString& text);
// The first character of the text the code page cannot store; empty when
// it stores them all.
QString firstUnstorable(const QString& text);

}  // namespace trennic::platform
