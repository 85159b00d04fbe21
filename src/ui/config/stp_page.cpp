#include "ui/config/stp_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/config/config_dialog.h"

namespace trennic::ui {

CStpPage::CStpPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  placeholder_ = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(placeholder_);
}

void CStpPage::load() {}
void CStpPage::store() {}
QWidget* CStpPage::firstControl() const { return placeholder_; }
QWidget* CStpPage::lastControl() const { return placeholder_; }

}  // namespace trennic::ui
