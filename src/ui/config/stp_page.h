#pragma once
// "Spanning Tree": the 802.1D bridge parameters the unit runs on its
// Ethernet and wireless ports.
#include <array>

#include "core/config/snmp_stp_rules.h"
#include "ui/config/config_page.h"

class QCheckBox;
class CDecimalEdit;

namespace trennic::ui {

class CStpPage : public CConfigPage {
  Q_OBJECT
 public:
  CStpPage(CConfigDlg& window, QWidget* parent);
  void load() override;
  void store() override;
  QWidget* firstControl() const override;
  QWidget* lastControl() const override;

 private:
  void functionClicked();
  // What the network mode and the box allow, from the working record.
  void applyAvailability();

  QCheckBox* function_;
  // In the order of kStpFields.
  std::array<CDecimalEdit*, kStpFields.size()> fields_{};
};

}  // namespace trennic::ui
