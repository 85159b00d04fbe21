#pragma once
#include "ui/config/config_page.h"

class QLabel;

namespace trennic::ui {

class CWirelessPage : public CConfigPage {
  Q_OBJECT
 public:
  CWirelessPage(CConfigDlg& window, QWidget* parent);
  void load() override;
  void store() override;
  QWidget* firstControl() const override;
  QWidget* lastControl() const override;

 private:
  QLabel* placeholder_;
};

}  // namespace trennic::ui
