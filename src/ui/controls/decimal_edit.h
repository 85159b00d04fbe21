#pragma once
// A line edit for a bounded decimal number: IP address octets, times,
// priorities, costs. The range is enforced when the field is full, or when a
// lone "0" is typed into a field that starts above zero; a shorter value is
// left as typed for the owning dialog to judge when it stores it.
#include "core/controls/edit_rules.h"
#include "ui/controls/checked_edit.h"

class CDecimalEdit : public CCheckedEdit {
  Q_OBJECT

 public:
  explicit CDecimalEdit(QWidget* parent = nullptr);

  // Called once by the owning dialog before any value is shown; the text
  // limit becomes the number of digits of maximum.
  void SetRange(quint32 minimum, quint32 maximum);
  quint32 minimum() const { return range_.minimum; }
  quint32 maximum() const { return range_.maximum; }
  int maxDigits() const { return range_.maxDigits; }

 protected:
  void edited(char32_t typed) override;

 private:
  trennic::DecimalRange range_;
};
