#include "ui/app/task_window.h"

#include <QShowEvent>

namespace trennic::ui {

void setProgramWindowFlags(QWidget* w) {
  // An ordinary window, not a dialog: on X11 a dialog without an owner is
  // made transient for the whole program, and window managers then keep it
  // in the layer of its group instead of above other programs' windows.
  w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void fixWindowSize(QWidget* w) { w->setFixedSize(w->sizeHint().expandedTo(w->minimumSizeHint())); }

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
