#include "ui/config/base_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/config/config_dialog.h"

namespace trennic::ui {

CBasePage::CBasePage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  placeholder_ = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(placeholder_);
}

void CBasePage::load() {}
void CBasePage::store() {}
QWidget* CBasePage::firstControl() const { return placeholder_; }
QWidget* CBasePage::lastControl() const { return placeholder_; }

}  // namespace trennic::ui
