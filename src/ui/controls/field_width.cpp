#include "ui/controls/field_width.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace trennic::ui {

int fieldWidth(QLineEdit* e, int chars) {
  QFontMetrics fm(e->font());
  int widest = 0;
  for (QChar c : QStringLiteral("0123456789ABCDEFabcdefx-")) widest = std::max(widest, fm.horizontalAdvance(c));
  return fieldWidthForText(e, widest * chars);
}

int fieldWidthForText(QLineEdit* e, int textWidth) {
  QFontMetrics fm(e->font());
  const QMargins tm = e->textMargins();
  // The line edit keeps a margin of its own on either side, and the caret
  // needs room after the last character.
  const int text = textWidth + tm.left() + tm.right() + 2 * 4 + 2;
  QStyleOptionFrame opt;
  opt.initFrom(e);
  opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
  return e->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text, fm.height()), e).width();
}

QLabel* separator(const char* text, QWidget* parent) {
  auto* l = new QLabel(QString::fromLatin1(text), parent);
  l->setAlignment(Qt::AlignCenter);
  return l;
}

int columnWidth(const QHeaderView* header, int section, int designed) {
  return std::max(designed, header->sectionSizeHint(section));
}

}  // namespace trennic::ui
