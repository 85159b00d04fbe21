#pragma once
// A line edit whose every road in (typing, pasting by key, menu or middle
// button, input methods) passes one check; refused text leaves no trace and
// is answered with invalidCharacter and a beep. Dropping is off: dropped text
// would bypass the check. The boxes of one address are chained (see
// address_row.h): what one box has no room for runs on into the next.
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <string>
#include <vector>

#include "core/controls/edit_rules.h"

class CCheckedEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(bool beepOnInvalid READ beepOnInvalid WRITE setBeepOnInvalid)

 public:
  explicit CCheckedEdit(trennic::EditKind kind, QWidget* parent = nullptr);

  // A window that answers invalidCharacter itself turns the beep off.
  bool beepOnInvalid() const { return beepOnInvalid_; }
  void setBeepOnInvalid(bool beep) { beepOnInvalid_ = beep; }

  // The box after this one in the same address, which takes what this box
  // has no room for while it is enabled and writable.
  CCheckedEdit* nextBox() const { return next_; }
  void setNextBox(CCheckedEdit* next) { next_ = next; }

 signals:
  // A typed character or a pasted text was refused and left no trace.
  void invalidCharacter();

 protected:
  // A paste counts as the control character Ctrl+V types.
  static constexpr char32_t kPasteKey = 0x16;

  // After the text changed: `typed` is the character typed (0 for an editing
  // key such as Backspace), or kPasteKey for a paste.
  virtual void edited(char32_t typed) { (void)typed; }

  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void pasteChecked(QClipboard::Mode mode);
  void refuse();
  std::size_t room() const;
  CCheckedEdit* openNext() const;
  std::vector<CCheckedEdit*> openBoxesAfter() const;
  trennic::PasteSpread spread(const std::u32string& text, const std::vector<CCheckedEdit*>& after) const;
  static void fillOn(const std::vector<CCheckedEdit*>& after, const trennic::PasteSpread& spread, char32_t typedAs);

  trennic::EditKind kind_;
  QPointer<CCheckedEdit> next_;
  bool beepOnInvalid_ = true;
};
