#include "ui/controls/accessible_name.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>

namespace trennic::ui {

QString captionName(const QString& caption) {
  QString s = caption;
  // An access key written after the text, as the Japanese texts write it.
  static const QRegularExpression trailingKey(QStringLiteral("\\(&[^)]\\)"));
  s.remove(trailingKey);
  QString name;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == QLatin1Char('&') && i + 1 < s.size()) ++i;
    name += s[i];
  }
  name = name.trimmed();
  while (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name.trimmed();
}

QLabel* linkCaption(QLabel* caption, QWidget* field) {
  caption->setBuddy(field);
  if (qobject_cast<QAbstractItemView*>(field)) field->setAccessibleName(captionName(caption->text()));
  return caption;
}

void nameAddressBox(QWidget* box, const QString& caption, int position, int count) {
  box->setAccessibleName(QCoreApplication::translate("AccessibleName", "%1, byte %2 of %3")
                             .arg(captionName(caption))
                             .arg(position)
                             .arg(count));
}

void nameQualified(QWidget* control, const QString& caption, const QString& qualifier) {
  control->setAccessibleName(
      QCoreApplication::translate("AccessibleName", "%1, %2").arg(captionName(caption), captionName(qualifier)));
}

}  // namespace trennic::ui
