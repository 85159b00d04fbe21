#include "ui/controls/checked_edit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace {

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

CCheckedEdit::CCheckedEdit(trennic::EditKind kind, QWidget* parent) : QLineEdit(parent), kind_(kind) {
  setAcceptDrops(false);
}

void CCheckedEdit::keyPressEvent(QKeyEvent* event) {
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
  if (c != 0) {
    if (!trennic::editCharAccepted(kind_, c)) {
      refuse();
      event->accept();
      return;
    }
    switch (trennic::typedCharacterGoes(room(), openNext() != nullptr)) {
      case trennic::TypedGoes::Here:
        break;
      case trennic::TypedGoes::NextBox: {
        // As in any address field: the caret moves on and the character
        // replaces what the next box held.
        CCheckedEdit* next = openNext();
        next->setFocus();
        next->selectAll();
        next->keyPressEvent(event);
        return;
      }
      case trennic::TypedGoes::Refused:
        refuse();
        event->accept();
        return;
    }
  }
  const QString before = text();
  QLineEdit::keyPressEvent(event);
  // Every typed character counts; other keys only when they changed the
  // text (Backspace, Delete, cut, undo).
  if (c != 0 || text() != before) edited(c);
}

void CCheckedEdit::contextMenuEvent(QContextMenuEvent* event) {
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

void CCheckedEdit::mouseReleaseEvent(QMouseEvent* event) {
  // Where the system has a selection clipboard, the middle button pastes it.
  if (event->button() == Qt::MiddleButton && !isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    pasteChecked(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void CCheckedEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Text an input method commits arrives without a key press; it is taken
  // like a paste, and a single character then counts as typed.
  const std::u32string committed = event->commitString().toStdU32String();
  if (committed.empty() || isReadOnly()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  const std::vector<CCheckedEdit*> after = openBoxesAfter();
  const trennic::PasteSpread taken = spread(committed, after);
  QInputMethodEvent here;
  if (taken.refused) {
    QLineEdit::inputMethodEvent(&here);
    refuse();
    event->accept();
    return;
  }
  here.setCommitString(QString::fromStdU32String(taken.parts.front()), event->replacementStart(),
                       event->replacementLength());
  QLineEdit::inputMethodEvent(&here);
  const char32_t typedAs = committed.size() == 1 ? committed.front() : kPasteKey;
  edited(typedAs);
  fillOn(after, taken, typedAs);
}

void CCheckedEdit::pasteChecked(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const std::vector<CCheckedEdit*> after = openBoxesAfter();
  const trennic::PasteSpread taken = spread(QGuiApplication::clipboard()->text(mode).toStdU32String(), after);
  if (taken.refused) {
    refuse();
    return;
  }
  insert(QString::fromStdU32String(taken.parts.front()));
  edited(kPasteKey);
  fillOn(after, taken, kPasteKey);
}

void CCheckedEdit::refuse() {
  emit invalidCharacter();
  if (beepOnInvalid_) QApplication::beep();
}

std::size_t CCheckedEdit::room() const {
  const auto count = [](qsizetype n) { return static_cast<std::size_t>(std::max<qsizetype>(n, 0)); };
  return trennic::editRoom(count(text().size()), count(selectedText().size()), count(maxLength()));
}

CCheckedEdit* CCheckedEdit::openNext() const {
  CCheckedEdit* next = next_.data();
  return next != nullptr && next->isEnabled() && !next->isReadOnly() ? next : nullptr;
}

std::vector<CCheckedEdit*> CCheckedEdit::openBoxesAfter() const {
  std::vector<CCheckedEdit*> after;
  for (CCheckedEdit* box = openNext(); box != nullptr && box != this; box = box->openNext()) after.push_back(box);
  return after;
}

trennic::PasteSpread CCheckedEdit::spread(const std::u32string& text, const std::vector<CCheckedEdit*>& after) const {
  std::vector<std::size_t> limits;
  for (const CCheckedEdit* box : after) limits.push_back(static_cast<std::size_t>(std::max(box->maxLength(), 0)));
  return trennic::spreadPaste(kind_, text, room(), limits);
}

void CCheckedEdit::fillOn(const std::vector<CCheckedEdit*>& after, const trennic::PasteSpread& spread,
                          char32_t typedAs) {
  // Each later part is put in as the user would, so the box's own rules and
  // its window's handlers of edits run on it.
  for (std::size_t k = 1; k < spread.parts.size(); ++k) {
    CCheckedEdit* box = after[k - 1];
    box->selectAll();
    box->insert(QString::fromStdU32String(spread.parts[k]));
    box->edited(typedAs);
  }
  // The caret follows the text to the last box it reached.
  if (spread.parts.size() > 1) after[spread.parts.size() - 2]->setFocus();
}
