#include "ui/config/wireless_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/config/wireless_rules.h"
#include "core/controls/edit_rules.h"
#include "ui/controls/address_row.h"
#include "ui/controls/field_width.h"
#include "ui/config/base_page.h"
#include "ui/config/config_dialog.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

namespace {

constexpr int kPriorityColumnWidth = 80;
constexpr int kAddressColumnWidth = 150;

QString latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }
std::string latin(const QString& s) { return s.toLatin1().toStdString(); }

QGridLayout* fieldGrid() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  return grid;
}

// A row of byte boxes, two hex digits each, joined by `joint`, typed and
// pasted into as one value, and heard by the caption before the row.
template <std::size_t N>
QHBoxLayout* byteRow(std::array<CHexEdit*, N>& boxes, const char* joint, const QString& caption, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  for (std::size_t k = 0; k < N; ++k) {
    auto* f = new CHexEdit(parent);
    f->setMaxLength(2);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedWidth(fieldWidth(f, 2));
    boxes[k] = f;
    if (k > 0) row->addWidget(separator(joint, parent));
    row->addWidget(f);
  }
  chainBoxes(boxes, caption);
  row->addStretch();
  return row;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
  return linkCaption(new QLabel(text, parent), buddy);
}

// What a number box holds, read as "%u"; nothing for an emptied box.
std::optional<std::uint32_t> numberIn(const QString& text) {
  auto parsed = parseDecimalText(latin(text));
  if (!parsed) return std::nullopt;
  return parsed->value;
}

}  // namespace

// --- CLoginPriorityDlg -----------------------------------------------------------

CLoginPriorityDlg::CLoginPriorityDlg(ApConfig& record, QWidget* parent) : QDialog(parent), record_(record) {
  setWindowTitle(QString());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* grid = fieldGrid();
  priority_ = new QLabel(this);
  grid->addWidget(new QLabel(tr("Priority:"), this), 0, 0);
  grid->addWidget(priority_, 0, 1);
  QHBoxLayout* macRow = byteRow(mac_, "-", tr("Wireless Mac Address:"), this);
  grid->addWidget(caption(tr("Wireless Mac Address:"), mac_[0], this), 1, 0);
  grid->addLayout(macRow, 1, 1);
  grid->setColumnStretch(1, 1);

  ok_ = new QPushButton(tr("OK"), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(tr("Cancel"), this);
  connect(ok_, &QPushButton::clicked, this, &CLoginPriorityDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (std::size_t k = 1; k < mac_.size(); ++k) setTabOrder(mac_[k - 1], mac_[k]);
  setTabOrder(mac_.back(), ok_);
  setTabOrder(ok_, cancel_);
}

int CLoginPriorityDlg::edit(std::size_t index) {
  index_ = std::min(index, kPriorityApMax - 1);
  priority_->setText(QString::number(index_ + 1));
  const MacAddress mac = priorityAp(record_, index_);
  for (std::size_t k = 0; k < mac_.size(); ++k) mac_[k]->setText(latin(hexBytesText(&mac.bytes[k], 1)));
  mac_[0]->setFocus();
  mac_[0]->selectAll();
  return exec() == Accepted ? 1 : 2;
}

void CLoginPriorityDlg::accept() {
  // A box emptied by the user keeps the byte the entry had.
  MacAddress mac = priorityAp(record_, index_);
  for (std::size_t k = 0; k < mac_.size(); ++k)
    if (auto b = hexByteText(latin(mac_[k]->text()))) mac.bytes[k] = *b;
  if (priorityAddressTaken(record_, index_, mac)) {
    showErrorMessage(this, tr("Already exist."));
    return;
  }
  setPriorityAp(record_, index_, mac);
  QDialog::accept();
}

// --- CWirelessPage -----------------------------------------------------------------

CWirelessPage::CWirelessPage(CConfigDlg& window, QWidget* parent) : CConfigPage(window, parent) {
  // "Scramble": the unit's own scrambling and WEP, one group each.
  auto* scrambleGroup = new QGroupBox(tr("Scramble"), this);
  auto* tkvGroup = new QGroupBox(tr("TKV(Original)"), scrambleGroup);
  auto* tkv = fieldGrid();
  scramble_ = new QComboBox(tkvGroup);
  scramble_->addItems({tr("Disabled"), tr("Type 1"), tr("Type 2")});
  QLabel* scrambleCaption = caption(tr("Scramble:"), scramble_, tkvGroup);
  tkv->addWidget(scrambleCaption, 0, 0);
  tkv->addWidget(scramble_, 0, 1, Qt::AlignLeft);
  QHBoxLayout* keyRow = byteRow(scrambleKey_, ".", tr("Scramble Key:"), tkvGroup);
  QLabel* scrambleKeyCaption = caption(tr("Scramble Key:"), scrambleKey_[0], tkvGroup);
  tkv->addWidget(scrambleKeyCaption, 1, 0);
  tkv->addLayout(keyRow, 1, 1);
  tkv->setColumnStretch(1, 1);
  tkvGroup->setLayout(tkv);

  auto* wepGroup = new QGroupBox(tr("WEP"), scrambleGroup);
  auto* wep = fieldGrid();
  wep_ = new QCheckBox(tr("Enable"), wepGroup);
  wep->addWidget(wep_, 0, 0, 1, 2, Qt::AlignLeft);
  defaultKey_ = new QComboBox(wepGroup);
  for (int k = 1; k <= kWepSlots; ++k) defaultKey_->addItem(QString::number(k));
  QLabel* defaultKeyCaption = caption(tr("Default Tx Key:"), defaultKey_, wepGroup);
  wep->addWidget(defaultKeyCaption, 1, 0);
  wep->addWidget(defaultKey_, 1, 1, Qt::AlignLeft);
  std::vector<QLabel*> wepCaptions{defaultKeyCaption};
  for (std::size_t k = 0; k < key_.size(); ++k) {
    auto* size = new QComboBox(wepGroup);
    size->addItems({tr("Disabled"), tr("40 bit"), tr("128 bit")});
    size->setAccessibleName(tr("Key %1 size").arg(k + 1));
    auto* key = new CHexEdit(wepGroup);
    key->setMaxLength(5);
    key->setFixedWidth(fieldWidth(key, 2 * kWep128Bytes));
    // The caption names the size list; the key beside it is its value.
    nameQualified(key, tr("Key %1:").arg(k + 1), tr("value"));
    keySize_[k] = size;
    key_[k] = key;
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(size);
    row->addWidget(key);
    row->addStretch();
    QLabel* c = caption(tr("Key %1:").arg(k + 1), size, wepGroup);
    wepCaptions.push_back(c);
    wep->addWidget(c, static_cast<int>(k) + 2, 0);
    wep->addLayout(row, static_cast<int>(k) + 2, 1);
  }
  wep->setColumnStretch(1, 1);
  wepGroup->setLayout(wep);

  // The two groups line their fields up in one column.
  int captionWidth = std::max(scrambleCaption->sizeHint().width(), scrambleKeyCaption->sizeHint().width());
  for (QLabel* c : wepCaptions) captionWidth = std::max(captionWidth, c->sizeHint().width());
  tkv->setColumnMinimumWidth(0, captionWidth);
  wep->setColumnMinimumWidth(0, captionWidth);

  auto* scrambleColumn = new QVBoxLayout;
  scrambleColumn->addWidget(tkvGroup);
  scrambleColumn->addWidget(wepGroup);
  scrambleColumn->addStretch(1);
  scrambleGroup->setLayout(scrambleColumn);

  // "Extension Control": extended roaming, the speed borders and the
  // preferred access points.
  auto* extensionGroup = new QGroupBox(tr("Extension Control"), this);
  auto* ext = fieldGrid();
  extended_ = new QCheckBox(tr("Extended Roaming"), extensionGroup);
  ext->addWidget(extended_, 0, 0, 1, 2, Qt::AlignLeft);
  threshold_ = new QComboBox(extensionGroup);
  for (std::uint16_t t : roamingThresholdChoices()) threshold_->addItem(QString::number(t));
  thresholdLabel_ = caption(tr("Roaming Threshold:"), threshold_, extensionGroup);
  ext->addWidget(thresholdLabel_, 1, 0);
  ext->addWidget(threshold_, 1, 1, Qt::AlignLeft);
  sampling_ = new QComboBox(extensionGroup);
  for (std::uint16_t t : samplingTimeChoices()) sampling_->addItem(QString::number(t));
  samplingLabel_ = caption(tr("RSSI Sampling Time:"), sampling_, extensionGroup);
  samplingUnit_ = caption(tr("sec."), sampling_, extensionGroup);
  auto* samplingRow = new QHBoxLayout;
  samplingRow->setSpacing(6);
  samplingRow->addWidget(sampling_);
  samplingRow->addWidget(samplingUnit_);
  samplingRow->addStretch();
  ext->addWidget(samplingLabel_, 2, 0);
  ext->addLayout(samplingRow, 2, 1);
  speedControl_ = new QCheckBox(tr("Extension Speed Control"), extensionGroup);
  ext->addWidget(speedControl_, 3, 0, 1, 2, Qt::AlignLeft);
  const char* borderTexts[3] = {QT_TR_NOOP("Border of 11M and 5.5M:"), QT_TR_NOOP("Border of 5.5M and 2M:"),
                                QT_TR_NOOP("Border of 2M and 1M:")};
  for (std::size_t i = 0; i < borders_.size(); ++i) {
    auto* b = new CDecimalEdit(extensionGroup);
    b->SetRange(kSpeedBorderMin, kSpeedBorderMax);
    b->setFixedWidth(fieldWidth(b, b->maxDigits()));
    borders_[i] = b;
    borderLabels_[i] = caption(tr(borderTexts[i]), b, extensionGroup);
    ext->addWidget(borderLabels_[i], static_cast<int>(i) + 4, 0);
    ext->addWidget(b, static_cast<int>(i) + 4, 1, Qt::AlignLeft);
  }
  ext->setColumnStretch(1, 1);

  auto* priorityGroup = new QGroupBox(tr("AP Login Priority"), extensionGroup);
  priorities_ = new QTreeWidget(priorityGroup);
  priorities_->setColumnCount(2);
  priorities_->setHeaderLabels({tr("Priority"), tr("Wireless MAC Address")});
  priorities_->setRootIsDecorated(false);
  priorities_->setItemsExpandable(false);
  priorities_->setUniformRowHeights(true);
  priorities_->setAllColumnsShowFocus(true);
  priorities_->setSelectionBehavior(QAbstractItemView::SelectRows);
  priorities_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  priorities_->setContextMenuPolicy(Qt::CustomContextMenu);
  priorities_->header()->setStretchLastSection(false);
  priorities_->header()->setSectionsMovable(false);
  priorities_->setColumnWidth(0, columnWidth(priorities_->header(), 0, kPriorityColumnWidth));
  priorities_->setColumnWidth(1, columnWidth(priorities_->header(), 1, kAddressColumnWidth));
  priorities_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  {
    // Room for the two columns and all five rows, so the list never scrolls.
    auto* probe = new QTreeWidgetItem(priorities_, {QStringLiteral("5"), QStringLiteral("00-00-00-00-00-00")});
    const int rowHeight =
        std::max(priorities_->visualItemRect(probe).height(), priorities_->fontMetrics().height() + 4);
    delete probe;
    const int frame = 2 * priorities_->frameWidth();
    priorities_->setFixedWidth(kPriorityColumnWidth + kAddressColumnWidth + frame +
                               style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, priorities_));
    priorities_->setFixedHeight(priorities_->header()->sizeHint().height() +
                                static_cast<int>(kPriorityApMax) * rowHeight + frame + 4);
  }
  listLabel_ = caption(tr("Access Point List:"), priorities_, priorityGroup);
  new_ = new QPushButton(tr("New"), priorityGroup);
  delete_ = new QPushButton(tr("Delete"), priorityGroup);
  new_->setAutoDefault(false);
  delete_->setAutoDefault(false);
  loginOther_ = new QCheckBox(tr("Login Other AP"), priorityGroup);
  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(new_);
  listButtons->addWidget(delete_);
  listButtons->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(priorities_);
  listRow->addLayout(listButtons);
  listRow->addStretch();
  auto* priority = new QVBoxLayout;
  priority->addWidget(listLabel_, 0, Qt::AlignLeft);
  priority->addLayout(listRow);
  priority->addWidget(loginOther_, 0, Qt::AlignLeft);
  priorityGroup->setLayout(priority);

  auto* extensionColumn = new QVBoxLayout;
  extensionColumn->addLayout(ext);
  extensionColumn->addWidget(priorityGroup);
  extensionColumn->addStretch(1);
  extensionGroup->setLayout(extensionColumn);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(scrambleGroup, 0, Qt::AlignTop);
  layout->addWidget(extensionGroup, 0, Qt::AlignTop);
  layout->addStretch(1);

  // Tab order as the fields read, top to bottom, left column first.
  std::vector<QWidget*> order{scramble_};
  for (CHexEdit* b : scrambleKey_) order.push_back(b);
  order.push_back(wep_);
  order.push_back(defaultKey_);
  for (std::size_t k = 0; k < key_.size(); ++k) {
    order.push_back(keySize_[k]);
    order.push_back(key_[k]);
  }
  order.insert(order.end(), {extended_, threshold_, sampling_, speedControl_});
  for (CDecimalEdit* b : borders_) order.push_back(b);
  order.insert(order.end(), {priorities_, new_, delete_, loginOther_});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  for (QWidget* w : order) w->installEventFilter(this);
  tabOrder_ = order;

  connect(scramble_, &QComboBox::activated, this, [this] {
    store();
    redrawScramble();
  });
  connect(wep_, &QCheckBox::clicked, this, [this] {
    store();
    redrawWep();
  });
  for (int k = 0; k < kWepSlots; ++k)
    connect(keySize_[static_cast<std::size_t>(k)], &QComboBox::activated, this, [this, k] { keySizeChosen(k); });
  connect(extended_, &QCheckBox::clicked, this, &CWirelessPage::extendedRoamingClicked);
  connect(speedControl_, &QCheckBox::clicked, this, [this] {
    store();
    redrawRoaming();
  });
  connect(new_, &QPushButton::clicked, this, &CWirelessPage::newPriorityAp);
  connect(delete_, &QPushButton::clicked, this, &CWirelessPage::deletePriorityAps);
  connect(priorities_, &QTreeWidget::itemDoubleClicked, this, &CWirelessPage::editPriorityAp);
  connect(priorities_, &QWidget::customContextMenuRequested, this, &CWirelessPage::showListMenu);

  load();
}

ApConfig& CWirelessPage::record() const { return window_.record(); }

void CWirelessPage::enable(QWidget* control, bool on) {
  control->setEnabled(on);
  // A caption greys with the field it names.
  for (QLabel* l : findChildren<QLabel*>())
    if (l->buddy() == control) l->setEnabled(on);
}

void CWirelessPage::load() {
  redrawScramble();
  for (std::size_t i = 0; i < scrambleKey_.size(); ++i)
    scrambleKey_[i]->setText(latin(hexBytesText(record().bytes.data() + cfg::ScrambleKey + i, 1)));
  redrawWep();
  redrawRoaming();
}

void CWirelessPage::store() {
  storeScramble();
  storeWep();
  storeRoaming();
}

// --- Scrambling ---------------------------------------------------------------------

void CWirelessPage::redrawScramble() {
  ApConfig& c = record();
  scramble_->setCurrentIndex(normaliseScramble(c));
  enable(scramble_, scrambleListEnabled(c));
  for (CHexEdit* b : scrambleKey_) enable(b, scrambleKeyEnabled(c));
}

void CWirelessPage::storeScramble() {
  ApConfig& c = record();
  trennic::storeScramble(c, scramble_->currentIndex());
  // An emptied box keeps the byte it had.
  for (std::size_t i = 0; i < scrambleKey_.size(); ++i)
    if (auto b = hexByteText(latin(scrambleKey_[i]->text()))) c.bytes[cfg::ScrambleKey + i] = *b;
}

// --- WEP ------------------------------------------------------------------------------

void CWirelessPage::redrawWep() {
  ApConfig& c = record();
  normaliseWep(c);
  const bool on = c.u16(cfg::Wep) == 1;
  wep_->setChecked(on);
  enable(defaultKey_, on);
  for (int k = 0; k < kWepSlots; ++k) redrawKeyRow(k);
  redrawDefaultKeyList();
}

void CWirelessPage::redrawKeyRow(int slot) {
  ApConfig& c = record();
  const auto k = static_cast<std::size_t>(slot);
  const bool on = c.u16(cfg::Wep) == 1;
  const int size = normaliseWepSlot(c, slot);
  keySize_[k]->setCurrentIndex(size);
  enable(keySize_[k], on);
  key_[k]->setMaxLength(wepKeyTextLimit(c, slot));
  key_[k]->setText(latin(wepKeyText(c, slot)));
  enable(key_[k], on && size != WepKeyDisabled);
}

void CWirelessPage::redrawDefaultKeyList() {
  ApConfig& c = record();
  const std::vector<int> numbers = normaliseDefaultTxKey(c);
  defaultKey_->clear();
  for (int n : numbers) defaultKey_->addItem(QString::number(n));
  defaultKey_->setCurrentIndex(defaultKey_->findText(QString::number(c.u16(cfg::WepDefTxKey) + 1)));
}

void CWirelessPage::storeWep() {
  ApConfig& c = record();
  c.setU16(cfg::Wep, wep_->isChecked() ? 1 : 0);
  storeDefaultTxKey(c, numberIn(defaultKey_->currentText()));
  for (int k = 0; k < kWepSlots; ++k) {
    const auto i = static_cast<std::size_t>(k);
    storeWepSlot(c, k, keySize_[i]->currentIndex(), latin(key_[i]->text()));
  }
}

void CWirelessPage::keySizeChosen(int slot) {
  ApConfig& c = record();
  QComboBox* list = keySize_[static_cast<std::size_t>(slot)];
  if (!wepKeySizeChangeAllowed(c, slot, list->currentIndex())) {
    // WEP keeps at least one key: the list goes back to the size it had.
    list->setCurrentIndex(normaliseWepSlot(c, slot));
    return;
  }
  store();
  redrawKeyRow(slot);
  redrawDefaultKeyList();
}

// --- Roaming ----------------------------------------------------------------------------

void CWirelessPage::redrawRoaming() {
  ApConfig& c = record();
  const RoamingView v = normaliseRoaming(c);
  extended_->setChecked(v.extended);
  enable(extended_, v.extendedEnabled);
  for (QWidget* w :
       std::initializer_list<QWidget*>{threshold_, sampling_, new_, delete_, priorities_, loginOther_, speedControl_})
    enable(w, v.controlsEnabled);
  for (CDecimalEdit* b : borders_) enable(b, v.bordersEnabled);

  threshold_->setCurrentIndex(threshold_->findText(QString::number(c.u16(cfg::RoamRoamingThreshold))));
  sampling_->setCurrentIndex(sampling_->findText(QString::number(c.u16(cfg::RoamSampligTime))));
  refillPriorityList();
  loginOther_->setChecked(v.loginOtherAp);
  speedControl_->setChecked(v.speedControl);
  borders_[0]->setText(QString::number(c.u16(cfg::Speed5_11m)));
  borders_[1]->setText(QString::number(c.u16(cfg::Speed2_5m)));
  borders_[2]->setText(QString::number(c.u16(cfg::Speed1_2m)));
}

void CWirelessPage::storeRoaming() {
  ApConfig& c = record();
  setExtendedRoaming(c, extended_->isChecked(), window_.fileOptions().defaultChannel);
  if (auto n = numberIn(threshold_->currentText())) c.setU16(cfg::RoamRoamingThreshold, static_cast<std::uint16_t>(*n));
  if (auto n = numberIn(sampling_->currentText())) c.setU16(cfg::RoamSampligTime, static_cast<std::uint16_t>(*n));
  c.setU16(cfg::RoamPriApOther, loginOther_->isChecked() ? 1 : 0);
  c.setU16(cfg::SpeedThreshold, speedControl_->isChecked() ? 1 : 0);
  // The borders go as typed: an emptied box keeps its value, and they are
  // not checked against each other.
  const std::size_t fields[3] = {cfg::Speed5_11m, cfg::Speed2_5m, cfg::Speed1_2m};
  for (std::size_t i = 0; i < borders_.size(); ++i)
    if (auto n = numberIn(borders_[i]->text())) c.setU16(fields[i], static_cast<std::uint16_t>(*n));
}

void CWirelessPage::extendedRoamingClicked() {
  store();
  redrawRoaming();
  // Extended roaming decides how many channels a station may use.
  static_cast<CBasePage*>(window_.page(CConfigDlg::BasePage))->redrawChannels();
}

// --- Preferred access points ------------------------------------------------------------

void CWirelessPage::refillPriorityList() {
  priorities_->clear();
  const ApConfig& c = record();
  for (std::size_t i = 0; i < priorityRows(c); ++i)
    new QTreeWidgetItem(priorities_, {QString::number(i + 1), latin(formatMac(priorityAp(c, i)))});
}

std::vector<std::size_t> CWirelessPage::selectedRows() const {
  std::vector<std::size_t> rows;
  for (int i = 0; i < priorities_->topLevelItemCount(); ++i)
    if (priorities_->topLevelItem(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  return rows;
}

void CWirelessPage::newPriorityAp() {
  if (auto index = beginNewPriorityAp(record())) {
    CLoginPriorityDlg editor(record(), this);
    if (editor.edit(*index) == 1) {
      addPriorityAp(record());
      refillPriorityList();
    }
  } else {
    showErrorMessage(this, tr("Can't add list"));
  }
  priorities_->setFocus();
}

void CWirelessPage::editPriorityAp() {
  const std::vector<std::size_t> rows = selectedRows();
  if (rows.empty() || rows.front() >= kPriorityApMax) return;
  const std::size_t row = rows.front();
  CLoginPriorityDlg editor(record(), this);
  if (editor.edit(row) == 1) refillPriorityList();
  priorities_->clearSelection();
  if (QTreeWidgetItem* item = priorities_->topLevelItem(static_cast<int>(row))) {
    item->setSelected(true);
    priorities_->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
  }
  priorities_->setFocus();
}

void CWirelessPage::deletePriorityAps() {
  const std::vector<std::size_t> rows = selectedRows();
  if (rows.empty()) return;
  trennic::deletePriorityAps(record(), rows);
  refillPriorityList();
  priorities_->clearSelection();
  priorities_->setFocus();
}

void CWirelessPage::showListMenu(const QPoint& pos) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(tr("New(&N)"), this, &CWirelessPage::newPriorityAp);
  menu->addAction(tr("Edit(&E)"), this, &CWirelessPage::editPriorityAp);
  menu->addAction(tr("Delete(&D)"), this, &CWirelessPage::deletePriorityAps);
  menu->addAction(tr("All(&A)"), this, [this] {
    for (int i = 0; i < priorities_->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = priorities_->topLevelItem(i);
      if (!item->text(1).isEmpty()) item->setSelected(true);
    }
  });
  menu->addAction(tr("Release(&C)"), priorities_, &QTreeWidget::clearSelection);
  menu->popup(priorities_->viewport()->mapToGlobal(pos));
}

// --- Keyboard ------------------------------------------------------------------------------

QWidget* CWirelessPage::firstControl() const {
  // In Wi-Fi mode the scrambling list is greyed out, whatever Scramble holds.
  QWidget* first = wifiCompatible(record()) ? static_cast<QWidget*>(wep_) : scramble_;
  // Never hand the focus to a greyed-out field: it would not take it.
  auto at = std::find(tabOrder_.begin(), tabOrder_.end(), first);
  for (auto it = at; it != tabOrder_.end(); ++it)
    if ((*it)->isEnabled()) return *it;
  return first;
}

QWidget* CWirelessPage::lastControl() const {
  QWidget* last = record().u16(cfg::RoamExtendCtrl) == 1 ? static_cast<QWidget*>(loginOther_) : extended_;
  // On a unit that cannot roam the whole group is greyed out; Shift+Tab then
  // lands on the last field that can take the focus.
  auto at = std::find(tabOrder_.rbegin(), tabOrder_.rend(), last);
  for (auto it = at; it != tabOrder_.rend(); ++it)
    if ((*it)->isEnabled()) return *it;
  return last;
}

bool CWirelessPage::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    const bool back =
        key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    // Out of the page at its two ends, to the window's neighbours.
    if (forward && watched == lastControl()) {
      if (QPushButton* password = window_.button(CConfigDlg::tr("Password"))) {
        password->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
    if (back && watched == firstControl()) {
      window_.tabs()->tabBar()->setFocus(Qt::BacktabFocusReason);
      return true;
    }
  }
  return CConfigPage::eventFilter(watched, e);
}

}  // namespace trennic::ui
