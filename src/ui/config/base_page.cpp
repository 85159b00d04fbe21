#include "platform/app/language.h"
#include "ui/config/base_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/base_rules.h"
#include "platform/app/codepage.h"
#include "ui/config/config_dialog.h"
#include "ui/controls/address_row.h"
#include "ui/controls/byte_text_field.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"

namespace trennic::ui {

namespace {

struct Entry {
  const char* text;
  std::uint16_t value;
};
constexpr Entry kNetworkModes[] = {{QT_TRANSLATE_NOOP("trennic", "ADHOC (Simple Mode)"), 0},
                                   {QT_TRANSLATE_NOOP("trennic", "Infrastructure (Standard Mode)"), 1},
                                   {QT_TRANSLATE_NOOP("trennic", "Infrastructure (Wi-Fi Mode)"), 4},
                                   {QT_TRANSLATE_NOOP("trennic", "Infrastructure (Advanced Mode)"), 5}};
constexpr Entry kUnitTypes[] = {{QT_TRANSLATE_NOOP("trennic", "Access Point"), 0}, {QT_TRANSLATE_NOOP("trennic", "Station"), 1}};
constexpr Entry kRates[] = {{QT_TRANSLATE_NOOP("trennic", "1 Mb/s"), 0},   {QT_TRANSLATE_NOOP("trennic", "2 Mb/s"), 1},  {QT_TRANSLATE_NOOP("trennic", "Auto (1Mb/s,2Mb/s)"), 2},
                            {QT_TRANSLATE_NOOP("trennic", "5.5 Mb/s"), 3}, {QT_TRANSLATE_NOOP("trennic", "11 Mb/s"), 4}, {QT_TRANSLATE_NOOP("trennic", "Auto (All)"), 5}};

template <std::size_t N>
void fill(QComboBox* box, const Entry (&entries)[N]) {
  for (const Entry& e : entries) box->addItem(platform::shownText(e.text), e.value);
}

void select(QComboBox* box, std::uint16_t value) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(box->findData(value));
}

// The value of the chosen entry; nothing when none is chosen.
std::optional<std::uint16_t> chosen(const QComboBox* box) {
  if (box->currentIndex() < 0) return std::nullopt;
  return static_cast<std::uint16_t>(box->currentData().toUInt());
}

std::optional<std::uint32_t> number(const QLineEdit* box) {
  bool ok = false;
  const std::uint32_t v = box->text().toUInt(&ok);
  return ok ? std::optional<std::uint32_t>(v) : std::nullopt;
}

}  // namespace

CBasePage::CBasePage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  auto* ipGroup = new QGroupBox(tr("IP Parameters"), this);
  auto* ipGrid = new QGridLayout(ipGroup);
  const char* ipLabels[3] = {QT_TR_NOOP("IP Address:"), QT_TR_NOOP("Subnet Mask:"), QT_TR_NOOP("Default Gateway:")};
  for (int a = 0; a < 3; ++a) {
    auto* caption = new QLabel(tr(ipLabels[a]), ipGroup);
    ipGrid->addWidget(caption, a, 0);
    auto* row = new QHBoxLayout;
    for (int o = 0; o < 4; ++o) {
      if (o > 0) row->addWidget(new QLabel(QStringLiteral("."), ipGroup));
      auto* box = new CDecimalEdit(ipGroup);
      box->SetRange(0, 255);
      box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
      box->setAlignment(Qt::AlignRight);
      ip_[static_cast<std::size_t>(a)][static_cast<std::size_t>(o)] = box;
      row->addWidget(box);
    }
    chainBoxes(ip_[static_cast<std::size_t>(a)], caption);
    row->addStretch(1);
    ipGrid->addLayout(row, a, 1);
  }

  auto* wireless = new QGroupBox(tr("Wireless Parameters"), this);
  auto* modeGroup = new QGroupBox(tr("Mode"), wireless);
  auto* modeGrid = new QGridLayout(modeGroup);
  dip_ = new QCheckBox(tr("Enable DIP Switch"), modeGroup);
  mode_ = new QComboBox(modeGroup);
  type_ = new QComboBox(modeGroup);
  fill(mode_, kNetworkModes);
  fill(type_, kUnitTypes);
  modeGrid->addWidget(dip_, 0, 0, 1, 2);
  modeGrid->addWidget(linkCaption(new QLabel(tr("Network Mode:"), modeGroup), mode_), 1, 0);
  modeGrid->addWidget(mode_, 1, 1);
  modeGrid->addWidget(linkCaption(new QLabel(tr("Unit Type:"), modeGroup), type_), 2, 0);
  modeGrid->addWidget(type_, 2, 1);
  modeGrid->setColumnStretch(1, 1);

  auto* channelGroup = new QGroupBox(tr("Channel"), wireless);
  auto* channelGrid = new QGridLayout(channelGroup);
  for (int j = 1; j <= kChannelBoxes; ++j) {
    auto* box = new QCheckBox(QString::number(j), channelGroup);
    // Heard as a channel, not as a bare number.
    box->setAccessibleName(tr("Channel %1").arg(j));
    channels_[static_cast<std::size_t>(j - 1)] = box;
    channelGrid->addWidget(box, (j - 1) / 7, (j - 1) % 7);
    connect(box, &QCheckBox::clicked, this, [this, j] { channelClicked(j); });
  }
  all_ = new QPushButton(tr("All"), channelGroup);
  all_->setAutoDefault(false);
  channelGrid->addWidget(all_, 0, 7, 2, 1);

  essId_ = new QLineEdit(wireless);
  essIdText_ = new CByteTextField(essId_, kEssIdMaxBytes, tr("ESS ID"));
  anyId_ = new QCheckBox(tr("ANY ID Blocking"), wireless);
  rate_ = new QComboBox(wireless);
  fill(rate_, kRates);
  age_ = new CDecimalEdit(wireless);
  age_->SetRange(3, 65535);
  age_->setFixedWidth(age_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
  age_->setAlignment(Qt::AlignRight);

  wifiGroup_ = new QGroupBox(tr("Wi-Fi Mode"), wireless);
  auto* wifiRow = new QHBoxLayout(wifiGroup_);
  staticNode_ = new QCheckBox(tr("Static Node Address:"), wifiGroup_);
  wifiRow->addWidget(staticNode_);
  for (int i = 0; i < 6; ++i) {
    if (i > 0) wifiRow->addWidget(new QLabel(QStringLiteral("-"), wifiGroup_));
    auto* box = new CHexEdit(wifiGroup_);
    box->setMaxLength(2);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("DDD")) + 10);
    staticMac_[static_cast<std::size_t>(i)] = box;
    wifiRow->addWidget(box);
  }
  chainBoxes(staticMac_, staticNode_->text());
  wifiRow->addStretch(1);

  auto* details = new QGridLayout;
  details->addWidget(linkCaption(new QLabel(tr("ESS ID:"), wireless), essId_), 0, 0);
  details->addWidget(essId_, 0, 1);
  details->addWidget(anyId_, 0, 2);
  details->addWidget(linkCaption(new QLabel(tr("Transmit Rate:"), wireless), rate_), 1, 0);
  details->addWidget(rate_, 1, 1);
  auto* ageRow = new QHBoxLayout;
  ageRow->addWidget(age_);
  ageRow->addWidget(new QLabel(tr("min."), wireless));
  ageRow->addStretch(1);
  details->addWidget(linkCaption(new QLabel(tr("Age Time:"), wireless), age_), 2, 0);
  details->addLayout(ageRow, 2, 1);
  details->setColumnStretch(1, 1);

  auto* upper = new QHBoxLayout;
  upper->addWidget(modeGroup, 1);
  upper->addWidget(channelGroup);
  auto* wirelessLayout = new QVBoxLayout(wireless);
  wirelessLayout->addLayout(upper);
  wirelessLayout->addLayout(details);
  wirelessLayout->addWidget(wifiGroup_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ipGroup);
  layout->addWidget(wireless);
  layout->addStretch(1);

  connect(dip_, &QCheckBox::clicked, this, [this] { modeChanged(false); });
  connect(mode_, &QComboBox::currentIndexChanged, this, [this] { modeChanged(false); });
  connect(type_, &QComboBox::currentIndexChanged, this, [this] { modeChanged(true); });
  connect(all_, &QPushButton::clicked, this, [this] {
    store();
    auto boxes = allChannelsClicked(window_.record(), window_.fileOptions().defaultChannel);
    for (int j = 1; j <= kChannelBoxes; ++j) channels_[static_cast<std::size_t>(j - 1)]->setChecked(boxes[static_cast<std::size_t>(j - 1)]);
  });
  connect(staticNode_, &QCheckBox::clicked, this, [this](bool checked) {
    store();
    showStaticBytes(checked);
  });
}

void CBasePage::load() {
  ApConfig& c = window_.record();
  const std::size_t addresses[3] = {cfg::IPAddress, cfg::SubnetMask, cfg::DefaultGateway};
  for (std::size_t a = 0; a < 3; ++a)
    for (std::size_t o = 0; o < 4; ++o) ip_[a][o]->setText(QString::number(c.bytes[addresses[a] + o]));
  redrawMode();
  essIdText_->show(c.text(cfg::ESSID, cfg::ESSIDSize));
  normaliseRateAndAgeTime(c);
  select(rate_, c.u16(cfg::TxRate));
  redrawChannels();
  age_->setText(QString::number(c.u16(cfg::ApAgeTime)));
  redrawAnyIdBlocking();
  redrawStaticNode();
}

void CBasePage::redrawMode() {
  redrawing_ = true;
  ApConfig& c = window_.record();
  ModeView v = normaliseMode(c);
  {
    const QSignalBlocker quiet(dip_);
    dip_->setChecked(v.dip);
  }
  select(mode_, v.networkMode);
  select(type_, v.unitType);
  mode_->setEnabled(v.listsEnabled);
  type_->setEnabled(v.unitTypeEnabled);
  redrawing_ = false;
  window_.page(CConfigDlg::StpPage)->load();
  redrawStaticNode();
  window_.page(CConfigDlg::WirelessPage)->load();
}

void CBasePage::redrawChannels() {
  ChannelView v = normaliseChannels(window_.record(), window_.fileOptions().defaultChannel);
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    channels_[i]->setChecked(v.checked[i]);
    channels_[i]->setEnabled(v.enabled[i]);
  }
  all_->setEnabled(v.allEnabled);
}

void CBasePage::redrawAnyIdBlocking() {
  const ApConfig& c = window_.record();
  anyId_->setChecked(c.u16(cfg::ApAnyIDBlock) != 0);
  anyId_->setEnabled(anyIdBlockingEnabled(c));
}

void CBasePage::redrawStaticNode() {
  StaticNodeView v = staticNodeView(window_.record());
  staticNode_->setEnabled(v.enabled);
  staticNode_->setChecked(v.checked);
  showStaticBytes(v.checked);
}

void CBasePage::showStaticBytes(bool enabled) {
  const MacAddress mac = window_.record().mac(cfg::CompatiStaMac);
  for (std::size_t i = 0; i < staticMac_.size(); ++i) {
    staticMac_[i]->setText(QStringLiteral("%1").arg(mac.bytes[i], 2, 16, QChar('0')).toUpper());
    staticMac_[i]->setEnabled(enabled);
  }
}

void CBasePage::store() {
  ApConfig& c = window_.record();
  const std::size_t addresses[3] = {cfg::IPAddress, cfg::SubnetMask, cfg::DefaultGateway};
  for (std::size_t a = 0; a < 3; ++a)
    for (std::size_t o = 0; o < 4; ++o)
      c.bytes[addresses[a] + o] = static_cast<std::uint8_t>(number(ip_[a][o]).value_or(0) & 0xFF);
  c.setU16(cfg::ModeSw, dip_->isChecked() ? 1 : 0);
  if (auto mode = chosen(mode_)) c.setU16(cfg::NetworkMode, *mode);
  if (auto type = chosen(type_)) c.setU16(cfg::UnitType, *type);
  forceUnitTypeForMode(c);
  // Left alone, the ESS ID keeps its bytes, even those past the field's
  // limit or the NUL that a unit may leave out.
  const std::string essId = essIdText_->bytes();
  if (essId != c.text(cfg::ESSID, cfg::ESSIDSize))
    c.setText(cfg::ESSID, cfg::ESSIDSize, platform::userTextEncoding().truncate(essId, cfg::ESSIDSize - 1));
  if (auto rate = chosen(rate_)) c.setU16(cfg::TxRate, *rate);
  std::array<bool, kChannelBoxes> boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = channels_[i]->isChecked();
  setChannels(c, boxes);
  const std::uint16_t age = ageTimeFromBox(number(age_));
  c.setU16(cfg::ApAgeTime, age);
  c.setU16(cfg::BridgeAgeTime, age);
  c.setU16(cfg::ApAnyIDBlock, anyId_->isChecked() ? 1 : 0);
  if (staticNode_->isChecked()) {
    MacAddress mac{};
    bool all = true;
    for (std::size_t i = 0; i < staticMac_.size(); ++i) {
      bool ok = false;
      const uint v = staticMac_[i]->text().toUInt(&ok, 16);
      all = all && ok && v <= 0xFF;
      mac.bytes[i] = static_cast<std::uint8_t>(v);
    }
    if (all) c.setMac(cfg::CompatiStaMac, mac);
  } else {
    c.setMac(cfg::CompatiStaMac, MacAddress{});
  }
}

void CBasePage::modeChanged(bool unitTypeToo) {
  if (redrawing_) return;
  store();
  redrawMode();
  redrawChannels();
  redrawAnyIdBlocking();
  if (unitTypeToo) {
    redrawStaticNode();
    window_.page(CConfigDlg::WirelessPage)->load();
  }
}

void CBasePage::channelClicked(int j) {
  ApConfig& c = window_.record();
  std::array<bool, kChannelBoxes> boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = channels_[i]->isChecked();
  boxes = trennic::channelClicked(c, boxes, j, channels_[static_cast<std::size_t>(j - 1)]->isChecked());
  for (std::size_t i = 0; i < boxes.size(); ++i) channels_[i]->setChecked(boxes[i]);
}

QWidget* CBasePage::firstControl() const { return ip_[0][0]; }

QWidget* CBasePage::lastControl() const {
  if (compatibleStation(window_.record())) return staticNode_->isChecked() ? static_cast<QWidget*>(staticMac_[5]) : staticNode_;
  return age_;
}

}  // namespace trennic::ui
