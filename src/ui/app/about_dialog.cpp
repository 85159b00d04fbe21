#include "ui/app/about_dialog.h"

#include "core/app/version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/app/task_window.h"

namespace trennic::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Version Information"));
  // The box's text is narrower than its title.
  keepTitleWhole(this);
  auto* icon = new QLabel(this);
  icon->setPixmap(programIcon(300).pixmap(48, 48));
  auto* text = new QLabel(tr("Trennic Version %1").arg(QLatin1String(kVersionText)), this);
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

QIcon programIcon(int id) {
  // The artwork is kept as SVG next to these renders; the program embeds
  // only the PNG sizes, so it needs no SVG support at run time.
  static const char* const kNames[] = {"program", "edit", "configuration", "file_management", "status", "exit"};
  const int index = id >= 301 && id <= 305 ? id - 300 : 0;
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128})
    icon.addFile(QStringLiteral(":/icons/%1_%2.png").arg(QLatin1String(kNames[index])).arg(size), QSize(size, size));
  return icon;
}

}  // namespace trennic::ui
