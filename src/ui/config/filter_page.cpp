#include "ui/config/filter_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <span>
#include <vector>

#include "core/filters/filter_files.h"
#include "core/protocol/operations.h"
#include "platform/app/language.h"
#include "ui/config/config_dialog.h"
#include "ui/controls/address_row.h"
#include "ui/controls/field_width.h"
#include "ui/controls/hex_edit.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The choices and the cells of the lists are numbers, addresses and the
// core's words, shown in the user's language.
QString text(std::string_view s) { return platform::shownText(std::string(s)); }

std::string bytes(const QString& s) { return s.toLatin1().toStdString(); }

void fill(QComboBox* box, std::span<const std::string_view> items) {
  for (std::string_view item : items) box->addItem(text(item));
}

void choose(QComboBox* box, int index) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(index);
}

void setChecked(QCheckBox* box, bool checked) {
  const QSignalBlocker quiet(box);
  box->setChecked(checked);
}

QPushButton* dialogButton(const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setAutoDefault(false);
  return b;
}

// The OK and Cancel column the program's small editors share.
QVBoxLayout* okCancel(QDialog* dlg, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(QObject::tr("OK"), dlg);
  ok->setDefault(true);
  cancel = new QPushButton(QObject::tr("Cancel"), dlg);
  QObject::connect(ok, &QPushButton::clicked, dlg, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dlg, &QDialog::reject);
  auto* column = new QVBoxLayout;
  column->addWidget(ok);
  column->addWidget(cancel);
  column->addStretch();
  return column;
}

struct Column {
  const char* title;
  int width;
};
constexpr Column kMacColumns[] = {
    {QT_TRANSLATE_NOOP("CFilterPage", "Entry No."), 70},
    {QT_TRANSLATE_NOOP("CFilterPage", "Wireless MAC Address 1"), 160},
    {QT_TRANSLATE_NOOP("CFilterPage", "Wireless MAC Address 2"), 160},
    {QT_TRANSLATE_NOOP("CFilterPage", "Access Control"), 110},
};
constexpr Column kProtocolColumns[] = {
    {QT_TRANSLATE_NOOP("CFilterPage", "Entry No."), 70},
    {QT_TRANSLATE_NOOP("CFilterPage", "Ether Type"), 130},
    {QT_TRANSLATE_NOOP("CFilterPage", "IP Protocol"), 100},
    {QT_TRANSLATE_NOOP("CFilterPage", "IP Port Protocol"), 130},
    {QT_TRANSLATE_NOOP("CFilterPage", "IP Port Type"), 130},
    {QT_TRANSLATE_NOOP("CFilterPage", "Interface"), 70},
    {QT_TRANSLATE_NOOP("CFilterPage", "Access Control"), 110},
};
// Below the detail level the lists end before these columns.
constexpr int kMacColumnsBelowDetail = 3, kProtocolColumnsBelowDetail = 4;

constexpr int kNewButton = 0, kDeleteButton = 1, kOpenButton = 2, kSaveButton = 3;
constexpr const char* kButtonTexts[] = {QT_TRANSLATE_NOOP("CFilterPage", "New"),
                                        QT_TRANSLATE_NOOP("CFilterPage", "Delete"),
                                        QT_TRANSLATE_NOOP("CFilterPage", "Open"),
                                        QT_TRANSLATE_NOOP("CFilterPage", "Save")};

// "Address except a list:" and "Protocol except a list:".
constexpr int kOtherPermit = 0, kOtherRefuse = 1;

QTreeWidget* makeList(QWidget* parent, std::span<const Column> columns) {
  auto* list = new QTreeWidget(parent);
  list->setColumnCount(static_cast<int>(columns.size()));
  QStringList titles;
  for (const Column& c : columns) titles << QCoreApplication::translate("CFilterPage", c.title);
  list->setHeaderLabels(titles);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setSortingEnabled(false);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  QHeaderView* h = list->header();
  h->setStretchLastSection(false);
  h->setSectionsMovable(false);
  h->setSectionsClickable(false);
  int width = 0;
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    const int w = columnWidth(h, i, columns[static_cast<std::size_t>(i)].width);
    list->setColumnWidth(i, w);
    width += w;
  }
  // Every column and a vertical scroll bar without a horizontal one.
  list->setMinimumWidth(width + 2 * list->frameWidth() +
                        list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) + 2);
  list->setMinimumHeight(list->fontMetrics().height() * 9);
  return list;
}

template <class Block>
void fillList(QTreeWidget* list, Block block, int level, auto cells) {
  list->clear();
  QList<QTreeWidgetItem*> items;
  for (std::size_t i = 0, n = block.usedCount(); i < n; ++i) {
    QStringList row;
    for (const std::string& cell : cells(block.entry(i), i + 1, level)) row << text(cell);
    items << new QTreeWidgetItem(row);
  }
  list->addTopLevelItems(items);
}

std::vector<std::size_t> selectedRows(const QTreeWidget* list) {
  std::vector<std::size_t> rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (list->topLevelItem(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  return rows;
}

}  // namespace

// ============================================================ CMacFilterDlg

CMacFilterDlg::CMacFilterDlg(int displayLevel, QWidget* parent) : QDialog(parent), level_(displayLevel) {
  setWindowTitle(QString());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Entry No.:"), this), 0, 0);
  number_ = new QLabel(this);
  grid->addWidget(number_, 0, 1);
  range_ = new QCheckBox(tr("Range"), this);
  connect(range_, &QCheckBox::clicked, this, &CMacFilterDlg::rangeClicked);
  grid->addWidget(range_, 1, 0, 1, 2);

  const char* captions[2] = {QT_TR_NOOP("Wireless MAC Address 1:"), QT_TR_NOOP("Wireless MAC Address 2:")};
  for (int a = 0; a < 2; ++a) {
    auto* caption = new QLabel(tr(captions[a]), this);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (int k = 0; k < 6; ++k) {
      auto* f = new CHexEdit(this);
      f->setMaxLength(2);
      f->setAlignment(Qt::AlignCenter);
      f->setFixedWidth(fieldWidth(f, 2));
      address_[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)] = f;
      if (k > 0) row->addWidget(separator("-", this));
      row->addWidget(f);
    }
    chainBoxes(address_[static_cast<std::size_t>(a)], caption);
    row->addStretch();
    grid->addWidget(caption, 2 + a, 0);
    grid->addLayout(row, 2 + a, 1);
  }

  auto* accessCaption = new QLabel(tr("Access Control:"), this);
  access_ = new QComboBox(this);
  fill(access_, accessChoices());
  accessCaption->setBuddy(access_);
  grid->addWidget(accessCaption, 4, 0);
  grid->addWidget(access_, 4, 1, Qt::AlignLeft);
  // Below the detail level every entry permits; there is nothing to choose.
  accessCaption->setVisible(level_ >= kFilterDetailLevel);
  access_->setVisible(level_ >= kFilterDetailLevel);
  grid->setColumnStretch(1, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addSpacing(8);
  layout->addLayout(okCancel(this, ok_, cancel_));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CMacFilterDlg::edit(MacFilterBlock block, std::size_t index, const MacFilterEntry& entry) {
  block_.emplace(block);
  index_ = index;
  entry_ = entry;
  number_->setText(QString::number(index + 1));
  showEntry(entry_);
  address_[0][0]->setFocus();
  address_[0][0]->selectAll();
  return exec() == Accepted ? 1 : 2;
}

void CMacFilterDlg::showEntry(const MacFilterEntry& e) {
  setChecked(range_, e.isRange());
  const MacAddress* addresses[2] = {&e.address1, &e.address2};
  for (std::size_t a = 0; a < 2; ++a)
    for (std::size_t k = 0; k < 6; ++k) {
      address_[a][k]->setText(QStringLiteral("%1").arg(addresses[a]->bytes[k], 2, 16, QChar('0')).toUpper());
      if (a == 1) address_[a][k]->setEnabled(e.isRange());
    }
  choose(access_, e.access());
}

MacAddress CMacFilterDlg::typedAddress(int address) const {
  // A field left empty reads as 0; the field takes nothing but hex digits.
  MacAddress m;
  for (std::size_t k = 0; k < 6; ++k)
    m.bytes[k] = static_cast<std::uint8_t>(address_[static_cast<std::size_t>(address)][k]->text().toUInt(nullptr, 16));
  return m;
}

void CMacFilterDlg::rangeClicked() {
  entry_ = macEditorRangeClicked(entry_, typedAddress(0), typedAddress(1), range_->isChecked());
  showEntry(entry_);
}

void CMacFilterDlg::accept() {
  const MacFilterEntry e =
      macEditorEntry(entry_, typedAddress(0), typedAddress(1), range_->isChecked(), access_->currentIndex(), level_);
  if (macEntryConflicts(*block_, e, index_)) {
    showErrorMessage(this, tr("Already exist."));
    return;
  }
  entry_ = e;
  block_->setEntry(index_, e);
  QDialog::accept();
}

// =========================================================== CProtFilterDlg

CProtFilterDlg::CProtFilterDlg(int displayLevel, QWidget* parent) : QDialog(parent), level_(displayLevel) {
  setWindowTitle(QString());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  const bool detail = level_ >= kFilterDetailLevel;

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Entry No.:"), this), 0, 0);
  number_ = new QLabel(this);
  grid->addWidget(number_, 0, 1);

  const char* captions[3] = {QT_TR_NOOP("Ethernet Type:"), QT_TR_NOOP("IP Protocol:"),
                             QT_TR_NOOP("IP Port Protocol:")};
  const std::span<const std::string_view> items[3] = {etherTypeChoices(), ipProtocolChoices(), portChoices()};
  for (int f = 0; f < 3; ++f) {
    const auto i = static_cast<std::size_t>(f);
    auto* caption = new QLabel(tr(captions[f]), this);
    choice_[i] = new QComboBox(this);
    fill(choice_[i], items[f]);
    value_[i] = new QLineEdit(this);
    value_[i]->setMaxLength(kProtocolValueChars);
    value_[i]->setFixedWidth(fieldWidth(value_[i], kProtocolValueChars));
    caption->setBuddy(choice_[i]);
    nameQualified(value_[i], caption->text(), tr("value"));
    grid->addWidget(caption, 1 + f, 0);
    grid->addWidget(choice_[i], 1 + f, 1);
    grid->addWidget(value_[i], 1 + f, 2);
    connect(choice_[i], &QComboBox::activated, this, [this, f] { choiceMade(static_cast<ProtocolEditorField>(f)); });
  }

  source_ = new QCheckBox(tr("Source"), this);
  destination_ = new QCheckBox(tr("Destination"), this);
  connect(source_, &QCheckBox::clicked, this, [this](bool checked) { sideClicked(PortSource, checked); });
  connect(destination_, &QCheckBox::clicked, this, [this](bool checked) { sideClicked(PortDestination, checked); });
  auto* sides = new QHBoxLayout;
  sides->addWidget(source_);
  sides->addWidget(destination_);
  sides->addStretch();
  grid->addLayout(sides, 4, 1, 1, 2);

  auto* interfaceCaption = new QLabel(tr("Interface:"), this);
  interface_ = new QComboBox(this);
  fill(interface_, interfaceChoices());
  interfaceCaption->setBuddy(interface_);
  grid->addWidget(interfaceCaption, 5, 0);
  grid->addWidget(interface_, 5, 1);
  auto* accessCaption = new QLabel(tr("Access Control:"), this);
  access_ = new QComboBox(this);
  fill(access_, accessChoices());
  accessCaption->setBuddy(access_);
  grid->addWidget(accessCaption, 6, 0);
  grid->addWidget(access_, 6, 1);
  connect(interface_, &QComboBox::activated, this, &CProtFilterDlg::recollect);
  connect(access_, &QComboBox::activated, this, &CProtFilterDlg::recollect);
  // Below the detail level entries apply everywhere, either way, and permit.
  for (QWidget* w : std::initializer_list<QWidget*>{source_, destination_, interfaceCaption, interface_, accessCaption,
                                                    access_})
    w->setVisible(detail);
  grid->setColumnStretch(3, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addSpacing(8);
  layout->addLayout(okCancel(this, ok_, cancel_));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CProtFilterDlg::edit(ProtocolFilterBlock block, std::size_t index, const ProtocolFilterEntry& entry) {
  block_.emplace(block);
  index_ = index;
  entry_ = entry;
  number_->setText(QString::number(index + 1));
  for (QLineEdit* v : value_) v->clear();
  showEntry(entry_);
  choice_[FieldEtherType]->setFocus();
  return exec() == Accepted ? 1 : 2;
}

void CProtFilterDlg::showEntry(const ProtocolFilterEntry& e) {
  const ProtocolEditorView v = protocolEditorView(e);
  const ProtocolEditorValue* values[3] = {&v.ether, &v.protocol, &v.port};
  for (std::size_t f = 0; f < 3; ++f) {
    choose(choice_[f], values[f]->choice);
    if (values[f]->text) value_[f]->setText(text(*values[f]->text));
    choice_[f]->setEnabled(values[f]->enabled);
    value_[f]->setEnabled(values[f]->textEnabled);
  }
  setChecked(source_, v.source);
  setChecked(destination_, v.destination);
  source_->setEnabled(v.sidesEnabled);
  destination_->setEnabled(v.sidesEnabled);
  choose(interface_, v.interfaceChoice);
  choose(access_, v.access);
}

ProtocolEditorInput CProtFilterDlg::input() const {
  ProtocolEditorInput in;
  in.ether = choice_[FieldEtherType]->currentIndex();
  in.etherText = bytes(value_[FieldEtherType]->text());
  in.protocolEnabled = choice_[FieldProtocol]->isEnabled();
  in.protocol = choice_[FieldProtocol]->currentIndex();
  in.protocolText = bytes(value_[FieldProtocol]->text());
  in.portEnabled = choice_[FieldPort]->isEnabled();
  in.port = choice_[FieldPort]->currentIndex();
  in.portText = bytes(value_[FieldPort]->text());
  in.source = source_->isChecked();
  in.destination = destination_->isChecked();
  in.interfaceChoice = interface_->currentIndex();
  in.access = access_->currentIndex();
  return in;
}

void CProtFilterDlg::choiceMade(ProtocolEditorField f) {
  const auto i = static_cast<std::size_t>(f);
  const int userDefined = f == FieldEtherType  ? static_cast<int>(EtherUserDefined)
                          : f == FieldProtocol ? static_cast<int>(ProtocolUserDefined)
                                               : static_cast<int>(PortUserDefined);
  const bool typed = choice_[i]->currentIndex() == userDefined;
  if (typed && value_[i]->text().isEmpty()) {
    value_[i]->setText(text(userDefinedStartText(f)));
    if (f == FieldPort) {
      setChecked(source_, true);
      setChecked(destination_, true);
    }
  }
  // The field takes input as soon as "User Defined" is chosen, so that a
  // value that does not read yet can still be put right.
  value_[i]->setEnabled(typed);
  recollect();
}

void CProtFilterDlg::recollect() {
  if (auto e = collectProtocolEntry(entry_, input(), level_)) {
    entry_ = *e;
    showEntry(entry_);
  }
}

void CProtFilterDlg::sideClicked(unsigned bit, bool checked) {
  const unsigned now = (source_->isChecked() ? PortSource : 0u) | (destination_->isChecked() ? PortDestination : 0u);
  const unsigned side = portSideAfterClick(now ^ bit, bit, checked);
  setChecked(source_, (side & PortSource) != 0);
  setChecked(destination_, (side & PortDestination) != 0);
}

void CProtFilterDlg::accept() {
  auto e = collectProtocolEntry(entry_, input(), level_);
  if (!e) {
    showErrorMessage(this, tr("Invalid parameter."));
    return;
  }
  if (protocolEntryConflicts(*block_, *e, index_)) {
    showErrorMessage(this, tr("Already exist."));
    return;
  }
  entry_ = *e;
  block_->setEntry(index_, *e);
  QDialog::accept();
}

// ============================================================== CFilterPage

CFilterPage::CFilterPage(CConfigDlg& window, QWidget* parent)
    : CConfigPage(window, parent), level_(window.settings().displayLevel) {
  buildGroup(MacTable);
  buildGroup(ProtocolTable);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group(MacTable).box, 1);
  layout->addWidget(group(ProtocolTable).box, 1);
}

void CFilterPage::buildGroup(Table t) {
  Group& g = group(t);
  const bool mac = t == MacTable;
  const bool detail = level_ >= kFilterDetailLevel;
  g.box = new QGroupBox(mac ? tr("MAC Address Filter") : tr("Protocol Filter"), this);

  // Created in the order Tab walks them: switch, the "except" choice, the
  // list, then the buttons.
  g.enable = new QCheckBox(mac ? tr("Enable MAC Address Filter") : tr("Enable Protocol Filter"), g.box);
  g.otherCaption = new QLabel(mac ? tr("Address except a list:") : tr("Protocol except a list:"), g.box);
  g.other = new QComboBox(g.box);
  g.other->addItem(tr("Permission"));
  g.other->addItem(tr("Refusal"));
  g.otherCaption->setBuddy(g.other);
  g.otherCaption->setVisible(detail);
  g.other->setVisible(detail);
  auto* listCaption = new QLabel(mac ? tr("MAC Address List:") : tr("Protocol List:"), g.box);
  std::span<const Column> columns = mac ? std::span<const Column>(kMacColumns) : std::span<const Column>(kProtocolColumns);
  if (!detail) columns = columns.first(static_cast<std::size_t>(mac ? kMacColumnsBelowDetail : kProtocolColumnsBelowDetail));
  g.list = makeList(g.box, columns);
  linkCaption(listCaption, g.list);
  for (std::size_t b = 0; b < g.buttons.size(); ++b) {
    g.buttons[b] = dialogButton(QCoreApplication::translate("CFilterPage", kButtonTexts[b]), g.box);
    // Both groups have the four buttons; the group tells them apart.
    nameQualified(g.buttons[b], g.buttons[b]->text(), g.box->title());
  }
  auto* numberCaption = new QLabel(tr("Number:"), g.box);
  g.number = new QLabel(g.box);

  auto* head = new QHBoxLayout;
  head->addWidget(g.enable);
  head->addStretch(1);
  head->addWidget(g.otherCaption);
  head->addWidget(g.other);
  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(numberCaption);
  numberRow->addWidget(g.number);
  numberRow->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(g.buttons[kNewButton]);
  buttons->addWidget(g.buttons[kDeleteButton]);
  buttons->addSpacing(12);
  buttons->addWidget(g.buttons[kOpenButton]);
  buttons->addWidget(g.buttons[kSaveButton]);
  buttons->addStretch(1);

  auto* grid = new QGridLayout(g.box);
  grid->addLayout(head, 0, 0, 1, 2);
  grid->addWidget(listCaption, 1, 0);
  grid->addWidget(g.list, 2, 0);
  grid->addLayout(buttons, 2, 1);
  grid->addLayout(numberRow, 3, 0);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(0, 1);

  connect(g.enable, &QCheckBox::clicked, this, [this, t] { settingsChanged(t); });
  connect(g.other, &QComboBox::activated, this, [this, t] { settingsChanged(t); });
  connect(g.buttons[kNewButton], &QPushButton::clicked, this, [this, t] { newEntry(t); });
  connect(g.buttons[kDeleteButton], &QPushButton::clicked, this, [this, t] { deleteEntries(t); });
  connect(g.buttons[kOpenButton], &QPushButton::clicked, this, [this, t] { openFile(t); });
  connect(g.buttons[kSaveButton], &QPushButton::clicked, this, [this, t] { saveFile(t); });
  connect(g.list, &QTreeWidget::itemDoubleClicked, this, [this, t](QTreeWidgetItem* item) {
    const int row = group(t).list->indexOfTopLevelItem(item);
    if (row >= 0) editEntryAt(t, static_cast<std::size_t>(row));
  });
  connect(g.list, &QWidget::customContextMenuRequested, this, [this, t](const QPoint& pos) { showListMenu(t, pos); });
}

QPushButton* CFilterPage::button(Table t, const QString& caption) const {
  for (QPushButton* b : group(t).buttons)
    if (b->text() == caption) return b;
  return nullptr;
}

// ------------------------------------------------------------ load, store

void CFilterPage::load() {
  showGroup(MacTable);
  showGroup(ProtocolTable);
}

void CFilterPage::store() {
  storeSettings(MacTable);
  storeSettings(ProtocolTable);
}

void CFilterPage::storeSettings(Table t) {
  const Group& g = group(t);
  const bool on = g.enable->isChecked();
  const bool permit = g.other->currentIndex() != kOtherRefuse;
  if (t == MacTable)
    MacFilterBlock(window_.record()).storeSettings(on, permit, level_);
  else
    ProtocolFilterBlock(window_.record()).storeSettings(on, permit, level_);
}

void CFilterPage::settingsChanged(Table t) {
  storeSettings(t);
  showGroup(t);
}

void CFilterPage::showGroup(Table t) {
  Group& g = group(t);
  ApConfig& c = window_.record();
  const bool mac = t == MacTable;
  const std::uint16_t on = mac ? MacFilterBlock(c).filterOn() : ProtocolFilterBlock(c).filterOn();
  const std::uint16_t other = mac ? MacFilterBlock(c).otherAccess() : ProtocolFilterBlock(c).otherAccess();
  setChecked(g.enable, on != 0);
  g.enable->setEnabled(!mac || macFilterSwitchAvailable(c));
  choose(g.other, other != 0 ? kOtherPermit : kOtherRefuse);
  showList(t);
  const bool active = g.enable->isEnabled() && g.enable->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{g.otherCaption, g.other, g.list, g.buttons[kNewButton],
                                                    g.buttons[kDeleteButton]})
    w->setEnabled(active);
}

void CFilterPage::showList(Table t) {
  Group& g = group(t);
  ApConfig& c = window_.record();
  std::size_t used = 0, capacity = 0;
  // Below the detail level the entries take the fixed values the user is
  // not offered, so the table holds what the list shows.
  if (t == MacTable) {
    MacFilterBlock block(c);
    block.normalizeForLevel(level_);
    fillList(g.list, block, level_, macFilterCells);
    used = block.usedCount();
    capacity = MacFilterBlock::kCapacity;
  } else {
    ProtocolFilterBlock block(c);
    block.normalizeForLevel(level_);
    fillList(g.list, block, level_, protocolFilterCells);
    used = block.usedCount();
    capacity = ProtocolFilterBlock::kCapacity;
  }
  g.number->setText(text(filterNumberText(used, capacity)));
}

// --------------------------------------------------------------- commands

void CFilterPage::newEntry(Table t) {
  ApConfig& c = window_.record();
  const bool mac = t == MacTable;
  const bool full = mac ? MacFilterBlock(c).isFull() : ProtocolFilterBlock(c).isFull();
  if (full) {
    showErrorMessage(this, tr("Can't add list"));
    return;
  }
  // The new entry is the editor's until OK: a cancelled one leaves the slot
  // past the table zero, as every slot past it is.
  int result = 2;
  std::size_t at = 0;
  if (mac) {
    MacFilterBlock block(c);
    at = block.usedCount();
    MacFilterEntry e;
    e.setAccess(AccessPermit);
    CMacFilterDlg editor(level_, this);
    result = editor.edit(block, at, e);
    if (result == 1) block.setEntryCount(static_cast<std::uint16_t>(at + 1));
  } else {
    ProtocolFilterBlock block(c);
    at = block.usedCount();
    ProtocolFilterEntry e;
    e.setAccess(AccessPermit);
    CProtFilterDlg editor(level_, this);
    result = editor.edit(block, at, e);
    if (result == 1) block.setEntryCount(static_cast<std::uint16_t>(at + 1));
  }
  QTreeWidget* list = group(t).list;
  if (result == 1) {
    showList(t);
    if (QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(at))) {
      item->setSelected(true);
      list->scrollToItem(item);
    }
  }
  list->setFocus();
}

void CFilterPage::editEntry(Table t) {
  const std::vector<std::size_t> rows = selectedRows(group(t).list);
  if (!rows.empty()) editEntryAt(t, rows.front());
}

void CFilterPage::editEntryAt(Table t, std::size_t index) {
  ApConfig& c = window_.record();
  int result = 2;
  if (t == MacTable) {
    MacFilterBlock block(c);
    if (index >= block.usedCount()) return;
    CMacFilterDlg editor(level_, this);
    result = editor.edit(block, index, block.entry(index));
  } else {
    ProtocolFilterBlock block(c);
    if (index >= block.usedCount()) return;
    CProtFilterDlg editor(level_, this);
    result = editor.edit(block, index, block.entry(index));
  }
  QTreeWidget* list = group(t).list;
  if (result == 1) {
    showList(t);
    if (QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(index))) {
      item->setSelected(true);
      list->setCurrentItem(item);
    }
  }
  list->setFocus();
}

void CFilterPage::deleteEntries(Table t) {
  const std::vector<std::size_t> rows = selectedRows(group(t).list);
  if (rows.empty()) return;
  // Whole entries move up, so those that stay keep every byte they had.
  if (t == MacTable)
    MacFilterBlock(window_.record()).removeEntries(rows);
  else
    ProtocolFilterBlock(window_.record()).removeEntries(rows);
  showList(t);
  group(t).list->setFocus();
}

void CFilterPage::selectAllEntries(Table t) { group(t).list->selectAll(); }

void CFilterPage::releaseSelection(Table t) { group(t).list->clearSelection(); }

void CFilterPage::openFile(Table t) {
  const bool mac = t == MacTable;
  const QString name = QString::fromLatin1(mac ? kMacFilterFileName : kProtocolFilterFileName);
  const QString filter = (mac ? tr("MAC Address Filter File (%1);;All Files (*)")
                              : tr("Protocol Filter File (%1);;All Files (*)"))
                             .arg(name);
  const QString path = window_.chooseFile(true, name, filter);
  if (path.isEmpty()) return;
  // The reader clears the table before it knows whether the file opens; it
  // reads into a copy, so a file that fails leaves the table as it was.
  ApConfig& c = window_.record();
  int result = kFilterFileMissing;
  if (mac) {
    std::array<std::uint8_t, MacFilterBlock::kSize> copy{};
    result = ReadMacFilterSection(localPath(path), MacFilterBlock(std::span(copy)), level_,
                                  window_.fileOptions().encoding);
    if (result == kFilterFileRead) std::ranges::copy(copy, MacFilterBlock(c).bytes().begin());
  } else {
    std::array<std::uint8_t, ProtocolFilterBlock::kSize> copy{};
    result = ReadProtocolFilterSection(localPath(path), ProtocolFilterBlock(std::span(copy)), level_,
                                       window_.fileOptions().encoding);
    if (result == kFilterFileRead) std::ranges::copy(copy, ProtocolFilterBlock(c).bytes().begin());
  }
  if (result != kFilterFileRead) {
    showResultMessage(this, ResultFileNotFound);
    return;
  }
  showGroup(t);
}

void CFilterPage::saveFile(Table t) {
  const bool mac = t == MacTable;
  const QString name = QString::fromLatin1(mac ? kMacFilterFileName : kProtocolFilterFileName);
  const QString filter = (mac ? tr("MAC Address Filter File (%1);;All Files (*)")
                              : tr("Protocol Filter File (%1);;All Files (*)"))
                             .arg(name);
  const QString path = window_.chooseFile(false, name, filter);
  if (path.isEmpty()) return;
  const ApConfig& c = window_.record();
  const TextEncoding encoding = window_.fileOptions().encoding;
  const int written = mac ? WriteMacFilterSection(localPath(path), ConstMacFilterBlock(c), true, level_, encoding)
                          : WriteProtocolFilterSection(localPath(path), ConstProtocolFilterBlock(c), true, level_,
                                                       encoding);
  if (written != 1) showResultMessage(this, ResultFileNotFound);
}

// ------------------------------------------------------------- the popup

void CFilterPage::showListMenu(Table t, const QPoint& pos) {
  QTreeWidget* list = group(t).list;
  // The menu acts on the list that has the focus: the one clicked.
  list->setFocus(Qt::MouseFocusReason);
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(tr("New(&N)"), this, [this, t] { newEntry(t); });
  menu->addAction(tr("Edit(&E)"), this, [this, t] { editEntry(t); });
  menu->addAction(tr("Delete(&D)"), this, [this, t] { deleteEntries(t); });
  menu->addAction(tr("Open(&O)"), this, [this, t] { openFile(t); });
  menu->addAction(tr("Save(&S)"), this, [this, t] { saveFile(t); });
  menu->addAction(tr("All(&A)"), this, [this, t] { selectAllEntries(t); });
  menu->addAction(tr("Release(&C)"), this, [this, t] { releaseSelection(t); });
  menu->popup(list->viewport()->mapToGlobal(pos));
}

// ------------------------------------------------------------------ focus

QWidget* CFilterPage::firstControl() const {
  // The first control that takes the focus: which one depends on the mode
  // and on whether the filters are on.
  for (const Group& g : groups_) {
    for (QWidget* w : std::initializer_list<QWidget*>{g.enable, g.other, g.list})
      if (w->isEnabled() && !w->isHidden()) return w;
    for (QPushButton* b : g.buttons)
      if (b->isEnabled()) return b;
  }
  return group(ProtocolTable).buttons[kSaveButton];
}

QWidget* CFilterPage::lastControl() const { return group(ProtocolTable).buttons[kSaveButton]; }

}  // namespace trennic::ui
