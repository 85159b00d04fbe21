#pragma once
// A line edit for hexadecimal digits: MAC address bytes, scramble keys and
// WEP keys. The owning dialog sets the text limit.
#include "ui/controls/checked_edit.h"

class CHexEdit : public CCheckedEdit {
  Q_OBJECT

 public:
  explicit CHexEdit(QWidget* parent = nullptr);
};
