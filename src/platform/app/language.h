#pragma once
// The language the windows and the command line speak. English texts are
// the program's own; Japanese comes from the translation built into the
// program, and Qt's own buttons and dialogs follow when Qt's translations
// are installed.
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QCoreApplication;

namespace trennic::platform {

enum class Language { English, Japanese };

// "en" or "ja" as written after --language; nothing for any other word.
std::optional<Language> languageNamed(const QString& word);

// The user's language as the locale tells it (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG, in Qt's order): Japanese when its first language is
// Japanese, English otherwise.
Language localeLanguage();

// Takes "--language WORD" or "--language=WORD" out of the words (the last
// one counts). Nothing in `chosen` when none is there; `error` names the
// fault when the word is missing or not a language.
bool takeLanguageOption(QStringList& words, std::optional<Language>& chosen, QString& error);

// What is wrong with the --language of `words`, in the language installed
// by then (the locale's): takeLanguageOption runs before any translation
// is in, so a front tells the fault from here, after installLanguage.
QString languageOptionError(QStringList words);

// Installs the translations for the language into the application. English
// needs none.
void installLanguage(Language language);

// A display text the core wrote (marked SHOWN there) in the language
// installed; a text without a translation comes back as it is.
QString shownText(const char* english);
QString shownText(const std::string& english);

}  // namespace trennic::platform
