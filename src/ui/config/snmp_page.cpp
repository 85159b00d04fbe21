#include "ui/config/snmp_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "core/config/snmp_stp_rules.h"
#include "platform/app/codepage.h"
#include "ui/controls/address_row.h"
#include "ui/controls/byte_text_field.h"
#include "ui/controls/field_width.h"
#include "ui/config/config_dialog.h"
#include "ui/controls/decimal_edit.h"

namespace trennic::ui {

CSnmpPage::CSnmpPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  const int textWidth = fontMetrics().averageCharWidth() * 32;
  int row = 0;
  std::size_t texts = 0;
  auto addText = [&](const QString& label, const QString& name) {
    auto* caption = new QLabel(label, this);
    auto* field = new QLineEdit(this);
    texts_[texts++] = new CByteTextField(field, kSnmpTextMax, name);
    field->setMinimumWidth(textWidth);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    ++row;
    return field;
  };

  agent_ = new QCheckBox(tr("Enable SNMP Agent"), this);
  grid->addWidget(agent_, row++, 0, 1, 2);
  community_ = addText(tr("Community Name:"), tr("Community Name"));

  auto* accessCaption = new QLabel(tr("Access:"), this);
  access_ = new QComboBox(this);
  access_->addItem(tr("Read Only"));
  access_->addItem(tr("Read & Write"));
  accessCaption->setBuddy(access_);
  grid->addWidget(accessCaption, row, 0);
  grid->addWidget(access_, row++, 1, Qt::AlignLeft);

  grid->setRowMinimumHeight(row++, 4);
  sendTrap_ = new QCheckBox(tr("Send Trap"), this);
  grid->addWidget(sendTrap_, row++, 0, 1, 2);
  auto* trapCaption = new QLabel(tr("IP Address:"), this);
  auto* trapRow = new QHBoxLayout;
  trapRow->setSpacing(2);
  for (std::size_t k = 0; k < trap_.size(); ++k) {
    auto* f = new CDecimalEdit(this);
    f->SetRange(0, 255);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedWidth(fieldWidth(f, 3));
    if (k > 0) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setAlignment(Qt::AlignCenter);
      trapRow->addWidget(dot);
    }
    trapRow->addWidget(f);
    trap_[k] = f;
  }
  chainBoxes(trap_, trapCaption);
  trapRow->addStretch();
  grid->addWidget(trapCaption, row, 0);
  grid->addLayout(trapRow, row++, 1);

  grid->setRowMinimumHeight(row++, 4);
  name_ = addText(tr("Name:"), tr("Name"));
  location_ = addText(tr("Location:"), tr("Location"));
  contact_ = addText(tr("Contact:"), tr("Contact"));
  grid->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);

  connect(agent_, &QCheckBox::clicked, this, &CSnmpPage::agentClicked);
  connect(sendTrap_, &QCheckBox::clicked, this, &CSnmpPage::sendTrapClicked);
  load();
}

void CSnmpPage::load() {
  ApConfig& r = window_.record();
  showText(texts_[0], cfg::SnmpCommunity);

  const std::uint16_t access = snmpAccessShown(r.u16(cfg::SnmpAccess));
  r.setU16(cfg::SnmpAccess, access);
  access_->setCurrentIndex(access);

  const Ipv4 trap = r.ip(cfg::SnmpTrapIpAddr);
  sendTrap_->setChecked(snmpTrapSent(trap));
  showTrap(trap);

  showText(texts_[1], cfg::SnmpSysName);
  showText(texts_[2], cfg::SnmpSysLocation);
  showText(texts_[3], cfg::SnmpSysContact);

  const std::uint16_t agent = r.u16(cfg::SnmpAgent);
  agent_->setChecked(agent != 0);
  const SnmpEnabling enabling = snmpEnabling(agent, trap);
  for (QWidget* w : std::initializer_list<QWidget*>{community_, access_, sendTrap_, name_, location_, contact_})
    w->setEnabled(enabling.agentFields);
  for (CDecimalEdit* f : trap_) f->setEnabled(enabling.trapOctets);
}

void CSnmpPage::store() {
  ApConfig& r = window_.record();
  r.setU16(cfg::SnmpAgent, agent_->isChecked() ? 1 : 0);
  storeText(texts_[0], cfg::SnmpCommunity);
  // Only a line of the list names an access; anything else keeps the record's.
  const int access = access_->findText(access_->currentText());
  if (access >= 0) r.setU16(cfg::SnmpAccess, static_cast<std::uint16_t>(access));
  r.setIp(cfg::SnmpTrapIpAddr, trapFromControls());
  storeText(texts_[1], cfg::SnmpSysName);
  storeText(texts_[2], cfg::SnmpSysLocation);
  storeText(texts_[3], cfg::SnmpSysContact);
}

void CSnmpPage::showText(CByteTextField* text, std::size_t offset) {
  text->show(window_.record().text(offset, cfg::SnmpTextSize));
}

// A text left alone keeps its bytes, even a unit's 32 without their NUL.
void CSnmpPage::storeText(const CByteTextField* text, std::size_t offset) {
  ApConfig& r = window_.record();
  const std::string bytes = text->bytes();
  if (bytes != r.text(offset, cfg::SnmpTextSize))
    r.setText(offset, cfg::SnmpTextSize, snmpFieldText(bytes, platform::userTextEncoding()));
}

QWidget* CSnmpPage::firstControl() const { return agent_; }

// With the agent off the texts are greyed out and cannot take the focus;
// the box is then the page's last stop.
QWidget* CSnmpPage::lastControl() const { return contact_->isEnabled() ? static_cast<QWidget*>(contact_) : agent_; }

void CSnmpPage::agentClicked() {
  // Through the record, so that what the controls show and what can be
  // used follow from the same values a load would show.
  store();
  load();
}

void CSnmpPage::sendTrapClicked() {
  const bool ticked = sendTrap_->isChecked();
  const Ipv4 destination = trapFromControls();
  window_.record().setIp(cfg::SnmpTrapIpAddr, destination);
  // Ticking opens the fields even on 0.0.0.0, for the address to be typed;
  // unticking has cleared the destination, and the fields say so.
  for (CDecimalEdit* f : trap_) f->setEnabled(ticked);
  showTrap(destination);
}

Ipv4 CSnmpPage::trapFromControls() const {
  std::array<QByteArray, 4> texts;
  for (std::size_t k = 0; k < trap_.size(); ++k) texts[k] = trap_[k]->text().toLatin1();
  const std::array<std::string_view, 4> views{
      std::string_view(texts[0].constData(), static_cast<std::size_t>(texts[0].size())),
      std::string_view(texts[1].constData(), static_cast<std::size_t>(texts[1].size())),
      std::string_view(texts[2].constData(), static_cast<std::size_t>(texts[2].size())),
      std::string_view(texts[3].constData(), static_cast<std::size_t>(texts[3].size())),
  };
  return trapDestinationFromTexts(sendTrap_->isChecked(), views);
}

void CSnmpPage::showTrap(Ipv4 destination) {
  const auto octets = ipv4Octets(destination);
  for (std::size_t k = 0; k < trap_.size(); ++k) trap_[k]->setText(QString::number(octets[k]));
}

}  // namespace trennic::ui
