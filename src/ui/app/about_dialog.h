#pragma once
#include <QDialog>
#include <QIcon>
#include <QLabel>

namespace trennic::ui {

// "Version Information": the program icon, its version text and OK.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

// One line of text with OK and Cancel; ask() gives 1 for OK, 2 otherwise.
class CConfirmDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CConfirmDlg(QWidget* parent = nullptr);
  int ask(const QString& text);

 private:
  QLabel* text_;
};

// The program's icons: 300 the program, 301 to 305 the five buttons of the
// main window (any other number gives the program's).
QIcon programIcon(int id);

}  // namespace trennic::ui
