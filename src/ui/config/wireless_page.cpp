#include "ui/config/wireless_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/config/config_dialog.h"

namespace trennic::ui {

CWirelessPage::CWirelessPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  placeholder_ = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(placeholder_);
}

void CWirelessPage::load() {}
void CWirelessPage::store() {}
QWidget* CWirelessPage::firstControl() const { return placeholder_; }
QWidget* CWirelessPage::lastControl() const { return placeholder_; }

}  // namespace trennic::ui
