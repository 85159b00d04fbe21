#include "ui/controls/decimal_edit.h"

#include <QByteArray>
#include <string_view>

CDecimalEdit::CDecimalEdit(QWidget* parent) : CCheckedEdit(trennic::EditKind::Decimal, parent) {
  setMaxLength(range_.maxDigits);
}

void CDecimalEdit::SetRange(quint32 minimum, quint32 maximum) {
  range_.SetRange(minimum, maximum);
  setMaxLength(range_.maxDigits);
}

void CDecimalEdit::edited(char32_t typed) {
  // One byte per character keeps the length the rule counts; a character
  // past Latin-1 turns into "?", which is no digit either way.
  const QByteArray latin = text().toLatin1();
  const std::optional<std::string> replacement =
      trennic::decimalAfterEdit(range_, std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())), typed);
  if (!replacement) return;
  setText(QString::fromStdString(*replacement));
  selectAll();
}
