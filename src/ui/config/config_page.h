#pragma once
// One tab page of the Configuration window. Every page edits the window's
// working configuration in place: load() shows it in the controls, store()
// writes the controls back. Nothing else moves values between a page and
// the configuration.
#include <QWidget>

#include "core/config/ap_config.h"

namespace trennic::ui {

class CConfigDlg;

class CConfigPage : public QWidget {
 public:
  CConfigPage(CConfigDlg& window, QWidget* parent) : QWidget(parent), window_(window) {}

  virtual void load() = 0;
  virtual void store() = 0;
  // Where Tab from the tab strip and Shift+Tab from "Password" land.
  virtual QWidget* firstControl() const = 0;
  virtual QWidget* lastControl() const = 0;

 protected:
  CConfigDlg& window_;
};

}  // namespace trennic::ui
