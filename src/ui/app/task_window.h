#pragma once
// What every window of the program shares: its frame, its fixed size, and
// for the four task windows the difference between being opened and being
// brought back from the notification area.
#include <QDialog>

namespace trennic::ui {

// A title, a close box and a minimise box (which hides the program to the
// notification area), never a maximise box: the windows keep their size.
void setProgramWindowFlags(QWidget* w);

// The size the window's layout asks for, fixed, so that the window manager
// offers neither resizing nor maximising; never too narrow for its title.
void fixWindowSize(QWidget* w);

// How wide a window must be for its title bar to show the whole title: the
// title in a bold title font, the window icon before it and each of the
// window's title bar buttons after it, at the widest the desktops draw them.
int titleBarWidth(const QWidget* w);

// A window with a title of its own, never narrower than that title needs.
void keepTitleWhole(QWidget* w);

// A task window. Opening it (from the main window) rebuilds its contents
// from the tables as they are now; hiding it to the notification area and
// restoring it must not, or the user's edits, selection and running scan
// would be lost. The window counts as open from its first showing until it
// is finished (Exit, Esc, the close box).
class CTaskDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CTaskDlg(QWidget* parent = nullptr);

  bool isOpen() const { return open_; }

 protected:
  // The opening steps, run once for each opening just before the window
  // first shows.
  virtual void opening() = 0;

  void showEvent(QShowEvent* e) override;
  void done(int result) override;

 private:
  bool open_ = false;
};

}  // namespace trennic::ui
