#pragma once
// Sizes for the short fields of the dialogs (address bytes, octets, keys,
// times), so that no value is ever cut off whatever the font.
class QHeaderView;
class QLabel;
class QLineEdit;
class QWidget;

namespace trennic::ui {

// Wide enough for `chars` of the widest character a number is typed with
// (hexadecimal digits, the x of 0x, a range's dash), frame and margins
// included.
int fieldWidth(QLineEdit* e, int chars);

// Wide enough for a text of `textWidth` pixels in the field's font, frame,
// margins and caret included.
int fieldWidthForText(QLineEdit* e, int textWidth);

// A list column's width: the width it was laid out with, or more where its
// title needs more (a longer title in another language is never cut).
int columnWidth(const QHeaderView* header, int section, int designed);

// The "." or "-" between the fields of one address.
QLabel* separator(const char* text, QWidget* parent);

}  // namespace trennic::ui
