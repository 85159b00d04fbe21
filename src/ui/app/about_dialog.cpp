#include "ui/app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace trennic::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Version Information"));
  auto* icon = new QLabel(this);
  icon->setPixmap(programIcon(300).pixmap(48, 48));
  auto* text = new QLabel(QString::fromLatin1(kVersionText), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(12);
  row->addWidget(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

CConfirmDlg::CConfirmDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString());
  text_ = new QLabel(this);
  text_->setAlignment(Qt::AlignCenter);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(buttons);
}

int CConfirmDlg::ask(const QString& text) {
  text_->setText(text);
  return exec() == Accepted ? 1 : 2;
}

namespace {

// A unit with its aerial: the program's mark.
void drawUnit(QPainter& p, QColor body) {
  p.setBrush(body);
  p.setPen(QPen(QColor(40, 40, 40), 2));
  p.drawRoundedRect(QRectF(10, 34, 44, 20), 4, 4);
  p.drawLine(QPointF(44, 34), QPointF(50, 10));
  p.setBrush(QColor(80, 220, 90));
  p.drawEllipse(QPointF(20, 44), 3, 3);
  p.setPen(QPen(QColor(40, 90, 200), 2));
  p.setBrush(Qt::NoBrush);
  for (int r : {6, 11}) p.drawArc(QRectF(50 - r, 10 - r, 2 * r, 2 * r), 20 * 16, 80 * 16);
}

}  // namespace

QIcon programIcon(int id) {
  QPixmap pm(64, 64);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (id) {
    case 301: {  // Edit: a list
      drawUnit(p, QColor(200, 200, 210));
      p.setPen(QPen(QColor(30, 30, 30), 3));
      for (int y : {8, 16, 24}) p.drawLine(6, y, 30, y);
      break;
    }
    case 302: {  // Configuration: a gear-like wheel
      p.setPen(QPen(QColor(60, 60, 60), 6));
      p.setBrush(QColor(230, 180, 60));
      p.drawEllipse(QPointF(32, 32), 18, 18);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(32, 32), 6, 6);
      break;
    }
    case 303: {  // File Management: a file with an arrow
      p.setPen(QPen(QColor(40, 40, 40), 2));
      p.setBrush(QColor(250, 250, 240));
      p.drawRect(QRectF(14, 8, 30, 42));
      p.setPen(QPen(QColor(40, 90, 200), 4));
      p.drawLine(QPointF(29, 20), QPointF(29, 58));
      p.drawLine(QPointF(20, 49), QPointF(29, 58));
      p.drawLine(QPointF(38, 49), QPointF(29, 58));
      break;
    }
    case 304: {  // Status: a bar chart
      p.setPen(Qt::NoPen);
      QColor c[] = {QColor(80, 160, 80), QColor(230, 180, 60), QColor(200, 70, 60)};
      for (int i = 0; i < 3; ++i) {
        p.setBrush(c[i]);
        p.drawRect(QRectF(10 + i * 16, 50 - (i + 1) * 12, 12, (i + 1) * 12));
      }
      break;
    }
    case 305: {  // Exit: a door
      p.setPen(QPen(QColor(40, 40, 40), 2));
      p.setBrush(QColor(150, 100, 60));
      p.drawRect(QRectF(18, 8, 28, 48));
      p.setBrush(QColor(240, 220, 80));
      p.drawEllipse(QPointF(40, 34), 3, 3);
      break;
    }
    default:
      drawUnit(p, QColor(120, 160, 220));
      break;
  }
  return QIcon(pm);
}

}  // namespace trennic::ui
