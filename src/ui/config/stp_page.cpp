#include "ui/config/stp_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls/field_width.h"
#include "ui/config/config_dialog.h"
#include "ui/controls/decimal_edit.h"

namespace trennic::ui {

namespace {

// The labels of the four bridge fields, in the order of kStpFields; the two
// path costs share one row of the port group.
const char* const kBridgeLabels[] = {
    QT_TRANSLATE_NOOP("trennic::ui::CStpPage", "Bridge Priority(0 - 65535):"),
    QT_TRANSLATE_NOOP("trennic::ui::CStpPage", "Max Age Time(6 - 40 sec.):"),
    QT_TRANSLATE_NOOP("trennic::ui::CStpPage", "Hello Time(1 - 10 sec.):"),
    QT_TRANSLATE_NOOP("trennic::ui::CStpPage", "Forward Delay(4 - 30 sec.):"),
};
constexpr std::size_t kEthernetCost = 4, kWirelessCost = 5;

}  // namespace

CStpPage::CStpPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  function_ = new QCheckBox(tr("Enable Spanning Tree"), this);
  int width = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    auto* f = new CDecimalEdit(this);
    f->SetRange(kStpFields[i].minimum, kStpFields[i].maximum);
    width = std::max(width, fieldWidth(f, 5));
    fields_[i] = f;
  }
  // One width for all, so the numbers line up in a column.
  for (CDecimalEdit* f : fields_) f->setFixedWidth(width);

  auto* bridge = new QGridLayout;
  bridge->setHorizontalSpacing(8);
  bridge->setVerticalSpacing(6);
  for (std::size_t i = 0; i < std::size(kBridgeLabels); ++i) {
    auto* caption = new QLabel(tr(kBridgeLabels[i]), this);
    caption->setBuddy(fields_[i]);
    bridge->addWidget(caption, static_cast<int>(i), 0);
    bridge->addWidget(fields_[i], static_cast<int>(i), 1);
  }
  bridge->setColumnStretch(2, 1);

  auto* ports = new QGroupBox(tr("Port Information"), this);
  auto* portGrid = new QGridLayout(ports);
  portGrid->setHorizontalSpacing(8);
  portGrid->setVerticalSpacing(3);
  portGrid->addWidget(new QLabel(tr("Ethernet"), ports), 0, 1, Qt::AlignHCenter);
  portGrid->addWidget(new QLabel(tr("Wireless"), ports), 0, 2, Qt::AlignHCenter);
  auto* costCaption = new QLabel(tr("Path Cost(1 - 65535):"), ports);
  costCaption->setBuddy(fields_[kEthernetCost]);
  fields_[kEthernetCost]->setAccessibleName(tr("Ethernet Path Cost"));
  fields_[kWirelessCost]->setAccessibleName(tr("Wireless Path Cost"));
  portGrid->addWidget(costCaption, 1, 0);
  portGrid->addWidget(fields_[kEthernetCost], 1, 1);
  portGrid->addWidget(fields_[kWirelessCost], 1, 2);
  portGrid->setColumnStretch(3, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(function_);
  layout->addSpacing(4);
  layout->addLayout(bridge);
  layout->addSpacing(4);
  layout->addWidget(ports, 0, Qt::AlignLeft);
  layout->addStretch(1);

  connect(function_, &QCheckBox::clicked, this, &CStpPage::functionClicked);
  load();
}

void CStpPage::load() {
  const ApConfig& r = window_.record();
  function_->setChecked(r.u16(cfg::StpFunc) != 0);
  applyAvailability();
  for (std::size_t i = 0; i < fields_.size(); ++i) fields_[i]->setText(QString::number(r.u16(kStpFields[i].offset)));
}

void CStpPage::store() {
  ApConfig& r = window_.record();
  r.setU16(cfg::StpFunc, function_->isChecked() ? 1 : 0);
  // Greyed-out fields count too: they still hold the values the record had.
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const QByteArray text = fields_[i]->text().toLatin1();
    r.setU16(kStpFields[i].offset,
             stpFieldValue(kStpFields[i], std::string_view(text.constData(), static_cast<std::size_t>(text.size()))));
  }
}

void CStpPage::applyAvailability() {
  const ApConfig& r = window_.record();
  const StpEnabling e = stpEnabling(r.u16(cfg::ModeSw), r.u16(cfg::NetworkMode), r.u16(cfg::StpFunc));
  function_->setEnabled(e.function);
  for (CDecimalEdit* f : fields_) f->setEnabled(e.fields);
}

void CStpPage::functionClicked() {
  window_.record().setU16(cfg::StpFunc, function_->isChecked() ? 1 : 0);
  applyAvailability();
}

// A page that cannot be configured has nothing to stop at: Tab from the tab
// strip passes on to "Password", Shift+Tab from "Password" back to the strip.
QWidget* CStpPage::firstControl() const {
  if (function_->isEnabled()) return function_;
  return window_.button(CConfigDlg::tr("Password"));
}

QWidget* CStpPage::lastControl() const {
  if (!function_->isEnabled()) return window_.tabs()->tabBar();
  return fields_[kWirelessCost]->isEnabled() ? static_cast<QWidget*>(fields_[kWirelessCost]) : function_;
}

}  // namespace trennic::ui
