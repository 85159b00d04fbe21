#include "ui/controls/decimal_edit.h"

#include <QApplication>
#include <QByteArray>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <string_view>

namespace {

// A paste counts as the control character Ctrl+V types.
constexpr char32_t kPasteKey = 0x16;

// The character a key press types, or 0 for keys that only edit, move or
// call a shortcut; the line edit inserts nothing for those either.
char32_t typedCharacter(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)) return 0;
  const std::u32string typed = event.text().toStdU32String();
  if (typed.empty() || !QChar::isPrint(typed.front())) return 0;
  return typed.front();
}

}  // namespace

CDecimalEdit::CDecimalEdit(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(range_.maxDigits);
  // Dropped text would bypass the check every other road into the field
  // passes; the field takes text from the keyboard and the clipboard only.
  setAcceptDrops(false);
}

void CDecimalEdit::SetRange(quint32 minimum, quint32 maximum) {
  range_.SetRange(minimum, maximum);
  setMaxLength(range_.maxDigits);
}

void CDecimalEdit::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    pasteChecked(QClipboard::Clipboard);
    event->accept();
    return;
  }
  const char32_t c = typedCharacter(*event);
  if (c != 0 && !trennic::decimalCharAccepted(c)) {
    refuse();
    event->accept();
    return;
  }
  const QString before = text();
  QLineEdit::keyPressEvent(event);
  // Every typed digit is checked, even one the full field had no room for;
  // other keys only when they changed the text (Backspace, Delete, cut, undo).
  if (c != 0 || text() != before) checkRange(c);
}

void CDecimalEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // The menu's Paste goes through the same check as Ctrl+V. The action is
  // known by its link to QLineEdit::paste, whichever way the line edit made
  // it, so no label has to be matched in any language.
  for (QAction* action : menu->actions()) {
    const bool isPaste = disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                         disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
    if (isPaste) connect(action, &QAction::triggered, this, [this] { pasteChecked(QClipboard::Clipboard); });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void CDecimalEdit::mouseReleaseEvent(QMouseEvent* event) {
  // Where the system has a selection clipboard, the middle button pastes it.
  if (event->button() == Qt::MiddleButton && !isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    pasteChecked(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void CDecimalEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Text an input method commits arrives without a key press; it is taken
  // or refused whole, like a paste, and a single character is then checked
  // as if it had been typed.
  const std::u32string committed = event->commitString().toStdU32String();
  if (committed.empty() || isReadOnly()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  if (!trennic::decimalPasteAccepted(committed)) {
    QInputMethodEvent cleared;
    QLineEdit::inputMethodEvent(&cleared);
    refuse();
    event->accept();
    return;
  }
  QLineEdit::inputMethodEvent(event);
  checkRange(committed.size() == 1 ? committed.front() : kPasteKey);
}

void CDecimalEdit::pasteChecked(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const QString pasted = QGuiApplication::clipboard()->text(mode);
  if (!trennic::decimalPasteAccepted(pasted.toStdU32String())) {
    refuse();
    return;
  }
  if (mode == QClipboard::Clipboard)
    paste();
  else
    insert(pasted);
  checkRange(kPasteKey);
}

void CDecimalEdit::checkRange(char32_t typed) {
  // One byte per character keeps the length the rule counts; a character
  // past Latin-1 turns into "?", which is no digit either way.
  const QByteArray latin = text().toLatin1();
  const std::optional<std::string> replacement =
      trennic::decimalAfterEdit(range_, std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())), typed);
  if (!replacement) return;
  setText(QString::fromStdString(*replacement));
  selectAll();
}

void CDecimalEdit::refuse() {
  emit invalidCharacter();
  if (beepOnInvalid_) QApplication::beep();
}
