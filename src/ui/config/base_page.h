#pragma once
// "Base": the IP parameters, the operating mode, the radio channels, the
// ESS ID, the transmit rate, the age time and the static node address. The
// mode decides what the channels and the other pages allow, so redrawing
// the mode reloads the Wireless and Spanning Tree pages too.
#include <array>

#include "ui/config/config_page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class CDecimalEdit;
class CHexEdit;

namespace trennic::ui {

class CByteTextField;

class CBasePage : public CConfigPage {
  Q_OBJECT
 public:
  CBasePage(CConfigDlg& window, QWidget* parent);
  void load() override;
  void store() override;
  QWidget* firstControl() const override;
  QWidget* lastControl() const override;

  void redrawMode();
  void redrawChannels();
  void redrawAnyIdBlocking();
  void redrawStaticNode();

  CDecimalEdit* ipBox(int address, int octet) const { return ip_[static_cast<std::size_t>(address)][static_cast<std::size_t>(octet)]; }
  QCheckBox* dipSwitch() const { return dip_; }
  QComboBox* networkMode() const { return mode_; }
  QComboBox* unitType() const { return type_; }
  QCheckBox* channel(int j) const { return channels_[static_cast<std::size_t>(j - 1)]; }
  QPushButton* allButton() const { return all_; }
  QLineEdit* essId() const { return essId_; }
  QCheckBox* anyIdBlocking() const { return anyId_; }
  QComboBox* txRate() const { return rate_; }
  CDecimalEdit* ageTime() const { return age_; }
  QCheckBox* staticNode() const { return staticNode_; }
  CHexEdit* staticNodeByte(int i) const { return staticMac_[static_cast<std::size_t>(i)]; }

 private:
  void modeChanged(bool unitTypeToo);
  void channelClicked(int j);
  void showStaticBytes(bool enabled);

  std::array<std::array<CDecimalEdit*, 4>, 3> ip_{};
  QCheckBox* dip_;
  QComboBox* mode_;
  QComboBox* type_;
  std::array<QCheckBox*, 14> channels_{};
  QPushButton* all_;
  QLineEdit* essId_;
  CByteTextField* essIdText_;
  QCheckBox* anyId_;
  QComboBox* rate_;
  CDecimalEdit* age_;
  QGroupBox* wifiGroup_;
  QCheckBox* staticNode_;
  std::array<CHexEdit*, 6> staticMac_{};
  bool redrawing_ = false;
};

}  // namespace trennic::ui
