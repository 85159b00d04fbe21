#pragma once
// Sizes for the short fields of the dialogs (address bytes, octets, keys,
// times), so that no value is ever cut off whatever the font.
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

// The "." or "-" between the fields of one address.
QLabel* separator(const char* text, QWidget* parent);

}  // namespace trennic::ui
