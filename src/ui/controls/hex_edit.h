#pragma once
// A line edit for hexadecimal digits: MAC address bytes, scramble keys and
// WEP keys. The owning dialog sets the text limit.
#include <QClipboard>
#include <QLineEdit>

class CHexEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(bool beepOnInvalid READ beepOnInvalid WRITE setBeepOnInvalid)

 public:
  explicit CHexEdit(QWidget* parent = nullptr);

  // A window that answers invalidCharacter itself turns the beep off.
  bool beepOnInvalid() const { return beepOnInvalid_; }
  void setBeepOnInvalid(bool beep) { beepOnInvalid_ = beep; }

 signals:
  // A typed character or a pasted text was refused and left no trace.
  void invalidCharacter();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void pasteChecked(QClipboard::Mode mode);
  void refuse();

  bool beepOnInvalid_ = true;
};
