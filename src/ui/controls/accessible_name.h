#pragma once
// The names a screen reader speaks for the controls. A control is heard by
// the caption a sighted user reads beside it; where a caption names more
// than one box (the bytes of an address, the two columns of a table of
// fields) or Qt cannot find it (an item view ignores a label's buddy), the
// box is given a name of its own, built from that caption.
#include <QString>

class QLabel;
class QWidget;

namespace trennic::ui {

// A caption as a name: "IP Address:" is heard as "IP Address", "Open(&O)"
// as "Open".
QString captionName(const QString& caption);

// Links the caption to its field, so that the field is heard by it and the
// caption's access key reaches it; an item view is named by it as well.
QLabel* linkCaption(QLabel* caption, QWidget* field);

// One box of an address row: "IP Address, byte 1 of 4".
void nameAddressBox(QWidget* box, const QString& caption, int position, int count);

// A control one caption names together with others, told apart by what
// the layout shows with it: "MTU, Ethernet" in a table of fields, "SW1, ON",
// "New, MAC Address Filter", "Ethernet Type, value".
void nameQualified(QWidget* control, const QString& caption, const QString& qualifier);

}  // namespace trennic::ui
