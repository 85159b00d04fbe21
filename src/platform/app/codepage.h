#pragma once
// The core keeps texts as byte strings in the user's code page; the fronts
// turn them into Unicode for showing and back for storing.
#include <QString>
#include <optional>
#include <string>

namespace trennic::platform {

// "Shift_JIS" when the locale is Japanese, "windows-1252" otherwise;
// TRENNIC_CODEPAGE names another.
QString userCodePage();

QString decodeText(const std::string& bytes);
// Nothing when the text holds a character the code page cannot store.
std::optional<std::string> encodeText(const QString& text);

}  // namespace trennic::platform
