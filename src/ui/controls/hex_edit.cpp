#include "ui/controls/hex_edit.h"

CHexEdit::CHexEdit(QWidget* parent) : CCheckedEdit(trennic::EditKind::Hex, parent) {}
