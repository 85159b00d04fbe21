#pragma once
// A line edit for a bounded decimal number: IP address octets, times,
// priorities, costs. The range is enforced when the field is full, or when a
// lone "0" is typed into a field that starts above zero; a shorter value is
// left as typed for the owning dialog to judge when it stores it.
#include <QClipboard>
#include <QLineEdit>

#include "core/controls/edit_rules.h"

class CDecimalEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(bool beepOnInvalid READ beepOnInvalid WRITE setBeepOnInvalid)

 public:
  explicit CDecimalEdit(QWidget* parent = nullptr);

  // Called once by the owning dialog before any value is shown; the text
  // limit becomes the number of digits of maximum.
  void SetRange(quint32 minimum, quint32 maximum);
  quint32 minimum() const { return range_.minimum; }
  quint32 maximum() const { return range_.maximum; }
  int maxDigits() const { return range_.maxDigits; }

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
  void checkRange(char32_t typed);
  void refuse();

  trennic::DecimalRange range_;
  bool beepOnInvalid_ = true;
};
