#include "platform/app/codepage.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace trennic::platform {

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
  for (const char* n : kShiftJisNames)
    if (name == QLatin1String(n)) return TextEncoding::shiftJis();
  return TextEncoding::singleByte();
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

}  // namespace trennic::platform
