#include "ui/config/filter_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/config/config_dialog.h"

namespace trennic::ui {

CFilterPage::CFilterPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  placeholder_ = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(placeholder_);
}

void CFilterPage::load() {}
void CFilterPage::store() {}
QWidget* CFilterPage::firstControl() const { return placeholder_; }
QWidget* CFilterPage::lastControl() const { return placeholder_; }

}  // namespace trennic::ui
