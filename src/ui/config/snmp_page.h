#pragma once
// "SNMP": the unit's SNMP agent, its community and access, the trap
// destination and the three system texts.
#include <array>

#include "ui/config/config_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class CDecimalEdit;

namespace trennic::ui {

class CByteTextField;

class CSnmpPage : public CConfigPage {
  Q_OBJECT
 public:
  CSnmpPage(CConfigDlg& window, QWidget* parent);
  void load() override;
  void store() override;
  QWidget* firstControl() const override;
  QWidget* lastControl() const override;

 private:
  void agentClicked();
  void sendTrapClicked();
  Ipv4 trapFromControls() const;
  void showTrap(Ipv4 destination);
  void showText(CByteTextField* text, std::size_t offset);
  void storeText(const CByteTextField* text, std::size_t offset);

  QCheckBox* agent_;
  QLineEdit* community_;
  QComboBox* access_;
  QCheckBox* sendTrap_;
  std::array<CDecimalEdit*, 4> trap_{};
  QLineEdit* name_;
  QLineEdit* location_;
  QLineEdit* contact_;
  // Community, name, location and contact, as their record fields hold them.
  std::array<CByteTextField*, 4> texts_{};
};

}  // namespace trennic::ui
