#include "ui/status/status_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/status/counter_text.h"
#include "core/status/stp_text.h"

namespace trennic::ui {

namespace {

QString text(const std::string& s) { return QString::fromLatin1(s.c_str()); }

QGridLayout* fieldGrid() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(3);
  return grid;
}

// The labels of a view, taken from a zeroed snapshot: they never change.
StatusSnapshot blank() {
  StatusSnapshot s;
  s.clear();
  return s;
}

}  // namespace

QLineEdit* CStatusPage::addField(QGridLayout* grid, int row, int column, const QString& label) {
  auto* caption = new QLabel(label, this);
  auto* field = new QLineEdit(this);
  field->setReadOnly(true);
  field->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00-00-00-00-00-00")) + 16);
  caption->setBuddy(field);
  grid->addWidget(caption, row, column * 2);
  grid->addWidget(field, row, column * 2 + 1);
  return field;
}

QPushButton* CStatusPage::addClearButton(std::uint32_t mask, ClearRequest request, std::function<void()> zero) {
  clear_ = new QPushButton(tr("Clear"), this);
  connect(clear_, &QPushButton::clicked, this, [this, mask, request, zero] {
    // A failed or cancelled Clear leaves the page as it was.
    if (!request || !request(mask)) return;
    zero();
    refresh();
  });
  return clear_;
}

void CStatusPage::setTexts(const std::vector<QLineEdit*>& fields, const std::vector<StatusField>& texts) {
  for (std::size_t i = 0; i < fields.size() && i < texts.size(); ++i) fields[i]->setText(text(texts[i].text));
}

// --- Environment ---------------------------------------------------------------

CEnvPage::CEnvPage(StatusSnapshot& snapshot, QWidget* parent) : CStatusPage(snapshot, parent) {
  auto* grid = fieldGrid();
  int row = 0;
  for (const StatusField& f : environmentFields(blank())) fields_.push_back(addField(grid, row++, 0, text(f.label)));
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);
  refresh();
}

void CEnvPage::refresh() { setTexts(fields_, environmentFields(snapshot_)); }
QWidget* CEnvPage::firstControl() const { return fields_.front(); }
QWidget* CEnvPage::lastControl(bool) const { return fields_.back(); }

// --- Interfaces ----------------------------------------------------------------

CInterfacePage::CInterfacePage(StatusSnapshot& snapshot, bool debugDisplay, ClearRequest clear, QWidget* parent)
    : CStatusPage(snapshot, parent), debugDisplay_(debugDisplay) {
  auto* grid = fieldGrid();
  grid->addWidget(new QLabel(tr("Ethernet"), this), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(tr("Wireless"), this), 0, 2, Qt::AlignHCenter);
  int row = 1;
  for (const InterfaceRow& r : interfaceRows(blank(), false)) {
    grid->addWidget(new QLabel(text(r.label), this), row, 0);
    for (auto* column : {&ethernet_, &wireless_}) {
      auto* field = new QLineEdit(this);
      field->setReadOnly(true);
      grid->addWidget(field, row, column == &ethernet_ ? 1 : 2);
      column->push_back(field);
    }
    ++row;
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  addClearButton(kInterfacesClearMask, std::move(clear), [this] { clearInterfaceCounters(snapshot_); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addWidget(clear_, 0, Qt::AlignRight);
  refresh();
}

QWidget* CInterfacePage::firstControl() const { return ethernet_.front(); }
QWidget* CInterfacePage::lastControl(bool scanning) const {
  return scanning ? static_cast<QWidget*>(wireless_.back()) : clear_;
}

void CInterfacePage::refresh() {
  auto rows = interfaceRows(snapshot_, debugDisplay_);
  for (std::size_t i = 0; i < rows.size() && i < ethernet_.size(); ++i) {
    ethernet_[i]->setText(text(rows[i].ethernet));
    wireless_[i]->setText(text(rows[i].wireless));
  }
}

// --- Wireless Counter ----------------------------------------------------------

CWlCounterPage::CWlCounterPage(StatusSnapshot& snapshot, ClearRequest clear, QWidget* parent)
    : CStatusPage(snapshot, parent) {
  auto* grid = fieldGrid();
  WirelessCounterView v = wirelessCounterView(blank());
  int row = 0;
  for (const StatusField& f : v.transmit) transmit_.push_back(addField(grid, row++, 0, text(f.label)));
  row = 0;
  for (const StatusField& f : v.receive) receive_.push_back(addField(grid, row++, 1, text(f.label)));
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  addClearButton(kWirelessCounterClearMask, std::move(clear), [this] { clearWirelessCounters(snapshot_); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addWidget(clear_, 0, Qt::AlignRight);
  refresh();
}

QWidget* CWlCounterPage::firstControl() const { return transmit_.front(); }
QWidget* CWlCounterPage::lastControl(bool scanning) const {
  return scanning ? static_cast<QWidget*>(receive_.back()) : clear_;
}

void CWlCounterPage::refresh() {
  WirelessCounterView v = wirelessCounterView(snapshot_);
  setTexts(transmit_, v.transmit);
  setTexts(receive_, v.receive);
}

// --- The list pages ------------------------------------------------------------

void CStatusListPage::addList(QGridLayout* grid, int row, const QString& caption, const StatusTable& shape) {
  grid->addWidget(new QLabel(caption, this), row, 0, 1, 2);
  list_ = new QTreeWidget(this);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  QStringList headers;
  for (const StatusColumn& c : shape.columns) headers << text(c.title);
  list_->setHeaderLabels(headers);
  for (int i = 0; i < static_cast<int>(shape.columns.size()); ++i)
    list_->header()->resizeSection(i, shape.columns[static_cast<std::size_t>(i)].width);
  grid->addWidget(list_, row + 1, 0, 1, 4);
  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(new QLabel(tr("Number:"), this));
  number_ = new QLabel(this);
  number_->setTextFormat(Qt::PlainText);
  numberRow->addWidget(number_);
  numberRow->addStretch(1);
  grid->addLayout(numberRow, row + 2, 0, 1, 4);
  grid->setRowStretch(row + 1, 1);
}

void CStatusListPage::fillList(const StatusTable& table) {
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<int>(table.rows.size()));
  for (const auto& row : table.rows) {
    QStringList cells;
    for (const auto& cell : row) cells << text(cell);
    items << new QTreeWidgetItem(cells);
  }
  list_->addTopLevelItems(items);
  number_->setText(text(table.number));
}

CWlNodePage::CWlNodePage(StatusSnapshot& snapshot, int displayLevel, bool debugDisplay, ClearRequest clear,
                         QWidget* parent)
    : CStatusListPage(snapshot, parent), displayLevel_(displayLevel), debugDisplay_(debugDisplay) {
  auto* grid = fieldGrid();
  WirelessNodeView v = wirelessNodeView(blank(), displayLevel_, debugDisplay_);
  int row = 0;
  for (const StatusField& f : v.link) link_.push_back(addField(grid, row++, 0, text(f.label)));
  addList(grid, row, tr("Wireless Node List:"), v.nodes);
  grid->setColumnStretch(1, 1);
  addClearButton(kWirelessNodeClearMask, std::move(clear), [this] { clearWirelessNodeList(snapshot_); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(clear_, 0, Qt::AlignRight);
  refresh();
}

QWidget* CWlNodePage::firstControl() const { return link_.front(); }
QWidget* CWlNodePage::lastControl(bool scanning) const { return scanning ? static_cast<QWidget*>(list_) : clear_; }

void CWlNodePage::refresh() {
  WirelessNodeView v = wirelessNodeView(snapshot_, displayLevel_, debugDisplay_);
  setTexts(link_, v.link);
  fillList(v.nodes);
}

CMacTablePage::CMacTablePage(StatusSnapshot& snapshot, ClearRequest clear, QWidget* parent)
    : CStatusListPage(snapshot, parent) {
  auto* grid = fieldGrid();
  addList(grid, 0, tr("MAC Address List:"), macTableView(blank()));
  addClearButton(kBridgeClearMask, std::move(clear), [this] { clearMacTable(snapshot_); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(clear_, 0, Qt::AlignRight);
  refresh();
}

void CMacTablePage::refresh() { fillList(macTableView(snapshot_)); }
QWidget* CMacTablePage::firstControl() const { return list_; }
QWidget* CMacTablePage::lastControl(bool scanning) const { return scanning ? static_cast<QWidget*>(list_) : clear_; }

CStpStatusPage::CStpStatusPage(StatusSnapshot& snapshot, QWidget* parent) : CStatusListPage(snapshot, parent) {
  auto* grid = fieldGrid();
  StpView v = stpView(blank());
  // Two columns of six keep the port list in sight.
  for (std::size_t i = 0; i < v.bridge.size(); ++i)
    bridge_.push_back(addField(grid, static_cast<int>(i % 6), static_cast<int>(i / 6), text(v.bridge[i].label)));
  addList(grid, 6, tr("Port Information:"), v.ports);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  refresh();
}

QWidget* CStpStatusPage::firstControl() const { return bridge_.front(); }
QWidget* CStpStatusPage::lastControl(bool) const { return list_; }

void CStpStatusPage::refresh() {
  StpView v = stpView(snapshot_);
  setTexts(bridge_, v.bridge);
  fillList(v.ports);
}

// --- Status ----------------------------------------------------------------------

CUnitStatusPage::CUnitStatusPage(StatusSnapshot& snapshot, bool debugDisplay, QWidget* parent)
    : CStatusPage(snapshot, parent), debugDisplay_(debugDisplay) {
  UnitStatusView v = unitStatusView(blank());
  auto* counters = fieldGrid();
  int row = 0;
  for (const StatusField& f : v.counters) counters_.push_back(addField(counters, row++, 0, text(f.label)));
  counters->setColumnStretch(1, 1);

  auto* ledGroup = new QGroupBox(tr("LED"), this);
  auto* ledGrid = new QGridLayout(ledGroup);
  const char* ledNames[3] = {"POWER", "WLINK", "WRX"};
  for (int i = 0; i < 3; ++i) {
    ledGrid->addWidget(new QLabel(QString::fromLatin1(ledNames[i]), ledGroup), 0, i, Qt::AlignHCenter);
    leds_[i] = new QCheckBox(ledGroup);
    leds_[i]->setEnabled(false);
    ledGrid->addWidget(leds_[i], 1, i, Qt::AlignHCenter);
  }

  auto* dipGroup = new QGroupBox(tr("DIP Switch"), this);
  auto* dipGrid = new QGridLayout(dipGroup);
  dipGrid->addWidget(new QLabel(tr("ON"), dipGroup), 1, 0);
  dipGrid->addWidget(new QLabel(tr("OFF"), dipGroup), 2, 0);
  for (int i = 0; i < 4; ++i) {
    dipGrid->addWidget(new QLabel(QStringLiteral("SW%1").arg(i + 1), dipGroup), 0, i + 1, Qt::AlignHCenter);
    dipOn_[i] = new QCheckBox(dipGroup);
    dipOff_[i] = new QCheckBox(dipGroup);
    dipOn_[i]->setEnabled(false);
    dipOff_[i]->setEnabled(false);
    dipGrid->addWidget(dipOn_[i], 1, i + 1, Qt::AlignHCenter);
    dipGrid->addWidget(dipOff_[i], 2, i + 1, Qt::AlignHCenter);
  }

  auto* wirelessGroup = new QGroupBox(tr("Wireless Parameters"), this);
  auto* wirelessGrid = fieldGrid();
  wirelessGroup->setLayout(wirelessGrid);
  row = 0;
  for (const StatusField& f : v.wireless) {
    auto* caption = new QLabel(text(f.label), wirelessGroup);
    auto* field = new QLineEdit(wirelessGroup);
    field->setReadOnly(true);
    wirelessGrid->addWidget(caption, row, 0);
    wirelessGrid->addWidget(field, row++, 1);
    wireless_.push_back(field);
  }

  event_ = new QGroupBox(tr("Event"), this);
  auto* eventGrid = fieldGrid();
  event_->setLayout(eventGrid);
  row = 0;
  for (const StatusField& f : v.event) {
    auto* caption = new QLabel(text(f.label), event_);
    auto* field = new QLineEdit(event_);
    field->setReadOnly(true);
    eventGrid->addWidget(caption, row, 0);
    eventGrid->addWidget(field, row++, 1);
    eventFields_.push_back(field);
  }
  // The event trace is for those who start the program with /D.
  event_->setVisible(debugDisplay);

  auto* boxes = new QHBoxLayout;
  boxes->addWidget(ledGroup);
  boxes->addWidget(dipGroup);
  auto* lower = new QHBoxLayout;
  lower->addWidget(wirelessGroup);
  lower->addWidget(event_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(counters);
  layout->addLayout(boxes);
  layout->addLayout(lower);
  layout->addStretch(1);
  refresh();
}

QWidget* CUnitStatusPage::firstControl() const { return counters_.front(); }
QWidget* CUnitStatusPage::lastControl(bool) const {
  return debugDisplay_ ? eventFields_.back() : wireless_.back();
}

void CUnitStatusPage::refresh() {
  UnitStatusView v = unitStatusView(snapshot_);
  setTexts(counters_, v.counters);
  for (int i = 0; i < 3; ++i) leds_[i]->setChecked(v.leds[i]);
  for (int i = 0; i < 4; ++i) {
    dipOn_[i]->setChecked(v.dips[i] == DipSwitch::On);
    dipOff_[i]->setChecked(v.dips[i] == DipSwitch::Off);
  }
  setTexts(wireless_, v.wireless);
  setTexts(eventFields_, v.event);
}

}  // namespace trennic::ui
