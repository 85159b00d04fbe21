#include "ui/config/snmp_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/config/config_dialog.h"

namespace trennic::ui {

CSnmpPage::CSnmpPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  placeholder_ = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(placeholder_);
}

void CSnmpPage::load() {}
void CSnmpPage::store() {}
QWidget* CSnmpPage::firstControl() const { return placeholder_; }
QWidget* CSnmpPage::lastControl() const { return placeholder_; }

}  // namespace trennic::ui
