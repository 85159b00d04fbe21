#include "platform/app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/app/codepage.h"

namespace trennic::platform {

std::optional<Language> languageNamed(const QString& word) {
  if (word == QLatin1String("en")) return Language::English;
  if (word == QLatin1String("ja")) return Language::Japanese;
  return std::nullopt;
}

Language localeLanguage() {
  const QStringList languages = QLocale::system().uiLanguages();
  if (languages.isEmpty()) return Language::English;
  return QLocale(languages.front()).language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

bool takeLanguageOption(QStringList& words, std::optional<Language>& chosen, QString& error) {
  static const QString option = QStringLiteral("--language");
  for (qsizetype i = 0; i < words.size();) {
    QString word;
    if (words[i] == option) {
      if (i + 1 >= words.size()) {
        error = QCoreApplication::translate("language", "--language needs en or ja");
        return false;
      }
      word = words[i + 1];
      words.remove(i, 2);
    } else if (words[i].startsWith(option + QLatin1Char('='))) {
      word = words[i].mid(option.size() + 1);
      words.remove(i);
    } else {
      ++i;
      continue;
    }
    chosen = languageNamed(word);
    if (!chosen) {
      error = QCoreApplication::translate("language", "unknown language \"%1\": --language takes en or ja").arg(word);
      return false;
    }
  }
  return true;
}

QString languageOptionError(QStringList words) {
  std::optional<Language> ignored;
  QString error;
  takeLanguageOption(words, ignored, error);
  return error;
}

void installLanguage(Language language) {
  if (language != Language::Japanese) return;
  auto* app = QCoreApplication::instance();
  // Qt's own first, so that our texts win where both know a word.
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ja", "qt_ja"}) {
    auto* qt = new QTranslator(app);
    if (qt->load(QString::fromLatin1(name), qtFolder)) {
      QCoreApplication::installTranslator(qt);
      break;
    }
    delete qt;
  }
  auto* own = new QTranslator(app);
  if (own->load(QStringLiteral(":/i18n/trennic_ja.qm")))
    QCoreApplication::installTranslator(own);
  else
    delete own;
}

QString shownText(const char* english) { return QCoreApplication::translate("trennic", english); }

QString shownText(const std::string& english) {
  // The core's display texts are plain ASCII; anything else in their place
  // is a byte text of the user's, in the code page, never looked up.
  for (unsigned char c : english)
    if (c >= 0x80) return decodeText(english);
  return shownText(english.c_str());
}

}  // namespace trennic::platform
