#include "platform/app/codepage.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <map>
#include <memory>
#include <mutex>

namespace trennic::platform {

namespace {

// The code page's own conversion from Qt's converters, so that a file saved
// as "Unicode" text reads as the texts the windows show. The whole text goes
// at once; only when the code page lacks a character is it taken one
// character at a time, so that each such character becomes a single '?'
// rather than the converter's own stand-in.
class QtConversion final : public CodePageConversion {
 public:
  QtConversion(QByteArray name, TextEncoding rule) : name_(std::move(name)), rule_(rule) {}

  std::string fromUtf16(std::u16string_view text) const override {
    const QStringView all(text.data(), static_cast<qsizetype>(text.size()));
    QStringEncoder whole(name_.constData(), QStringConverter::Flag::Stateless);
    QByteArray out = whole(all);
    if (!whole.hasError()) return out.toStdString();
    std::string result;
    for (qsizetype i = 0; i < all.size();) {
      const qsizetype n = all[i].isHighSurrogate() && i + 1 < all.size() && all[i + 1].isLowSurrogate() ? 2 : 1;
      QStringEncoder one(name_.constData(), QStringConverter::Flag::Stateless);
      QByteArray bytes = one(all.mid(i, n));
      result += one.hasError() || bytes.isEmpty() ? std::string("?") : bytes.toStdString();
      i += n;
    }
    return result;
  }

  std::u16string toUtf16(std::string_view bytes) const override {
    QStringDecoder whole(name_.constData(), QStringConverter::Flag::Stateless);
    QString out = whole(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!whole.hasError()) return wide(out);
    std::u16string result;
    for (std::size_t i = 0; i < bytes.size();) {
      const std::size_t n = rule_.charLength(bytes, i);
      QStringDecoder one(name_.constData(), QStringConverter::Flag::Stateless);
      QString c = one(QByteArrayView(bytes.data() + i, static_cast<qsizetype>(n)));
      result += one.hasError() || c.isEmpty() ? std::u16string(u"?") : wide(c);
      i += n;
    }
    return result;
  }

 private:
  static std::u16string wide(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
  }
  QByteArray name_;
  TextEncoding rule_;
};

// One conversion per code page name for the life of the program: the core
// keeps a pointer to it in every TextEncoding it is handed. Nothing when Qt
// has no converter of that name; the core then uses its own windows-1252.
const CodePageConversion* conversionFor(const QString& codePage, TextEncoding rule) {
  static std::mutex lock;
  static std::map<QString, std::unique_ptr<QtConversion>> known;
  const QString name = codePage.trimmed();
  std::lock_guard<std::mutex> hold(lock);
  auto it = known.find(name);
  if (it == known.end()) {
    const QByteArray bytes = name.toUtf8();
    std::unique_ptr<QtConversion> made;
    if (!name.isEmpty() && QStringEncoder(bytes.constData()).isValid() && QStringDecoder(bytes.constData()).isValid())
      made = std::make_unique<QtConversion>(bytes, rule);
    it = known.emplace(name, std::move(made)).first;
  }
  return it->second.get();
}

}  // namespace

QString userCodePage() {
  QString env = qEnvironmentVariable("TRENNIC_CODEPAGE");
  if (!env.isEmpty()) return env;
  return QLocale::system().language() == QLocale::Japanese ? QStringLiteral("Shift_JIS")
                                                            : QStringLiteral("windows-1252");
}

TextEncoding textEncodingFor(const QString& codePage) {
  QString name = codePage.trimmed().toLower();
  name.remove(QLatin1Char('-')).remove(QLatin1Char('_')).remove(QLatin1Char(' '));
  static const char* const kShiftJisNames[] = {"shiftjis", "sjis", "xsjis", "mskanji", "csshiftjis",
                                               "windows31j", "cswindows31j", "cp932", "ms932", "windows932",
                                               "ibm943"};
  TextEncoding rule = TextEncoding::singleByte();
  for (const char* n : kShiftJisNames)
    if (name == QLatin1String(n)) rule = TextEncoding::shiftJis();
  return TextEncoding(rule.rule(), conversionFor(codePage, rule));
}

TextEncoding userTextEncoding() { return textEncodingFor(userCodePage()); }

QString decodeText(const std::string& bytes) {
  QStringDecoder d(userCodePage().toUtf8().constData());
  if (!d.isValid()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return d(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<std::string> encodeText(const QString& text) {
  QStringEncoder e(userCodePage().toUtf8().constData());
  if (!e.isValid()) return std::nullopt;
  QByteArray out = e(text);
  if (e.hasError()) return std::nullopt;
  return out.toStdString();
}

std::size_t encodedLength(const QString& text) {
  QStringEncoder e(userCodePage().toUtf8().constData());
  if (!e.isValid()) return static_cast<std::size_t>(text.size());
  return static_cast<std::size_t>(QByteArray(e(text)).size());
}

QString firstUnstorable(const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString c = text.mid(i, n);
    if (!encodeText(c)) return c;
    i += n;
  }
  return QString();
}

}  // namespace trennic::platform
