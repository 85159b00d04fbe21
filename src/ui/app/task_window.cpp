#include "ui/app/task_window.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QShowEvent>
#include <algorithm>

namespace trennic::ui {

void setProgramWindowFlags(QWidget* w) {
  // An ordinary window, not a dialog: on X11 a dialog without an owner is
  // made transient for the whole program, and window managers then keep it
  // in the layer of its group instead of above other programs' windows.
  w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void fixWindowSize(QWidget* w) {
  QSize size = w->sizeHint().expandedTo(w->minimumSizeHint());
  size.setWidth(std::max(size.width(), titleBarWidth(w)));
  w->setFixedSize(size);
}

int titleBarWidth(const QWidget* w) {
  // Window managers draw the title in a font of their own; several make it
  // bold, so it is measured bold.
  QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  font.setBold(true);
  const QFontMetrics fm(font);
  // A title bar button is 46 pixels wide on Windows 10 and 11, wider than
  // any X11 theme draws one; the small icon comes with its margins, and the
  // title keeps a margin on either side.
  constexpr int kButton = 46;
  constexpr int kIcon = 16 + 2 * 8;
  constexpr int kTitleMargins = 2 * 8;
  int buttons = 0;
  for (Qt::WindowType hint : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint,
                              Qt::WindowContextHelpButtonHint})
    if (w->windowFlags().testFlag(hint)) ++buttons;
  return kIcon + fm.horizontalAdvance(w->windowTitle()) + kTitleMargins + buttons * kButton;
}

void keepTitleWhole(QWidget* w) { w->setMinimumWidth(std::max(w->minimumWidth(), titleBarWidth(w))); }

CTaskDlg::CTaskDlg(QWidget* parent) : QDialog(parent) { setProgramWindowFlags(this); }

void CTaskDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (open_) return;
  open_ = true;
  opening();
  // After the opening steps, which fill the lists the size depends on.
  fixWindowSize(this);
}

void CTaskDlg::done(int result) {
  open_ = false;
  QDialog::done(result);
}

}  // namespace trennic::ui
