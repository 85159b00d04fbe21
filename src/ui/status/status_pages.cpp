#include "ui/status/status_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/status/counter_text.h"
#include "core/status/stp_text.h"
#include "core/status/widest_text.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"
#include "ui/controls/accessible_name.h"
#include "ui/controls/field_width.h"

namespace trennic::ui {

namespace {

// Labels, titles and the words among the values are the core's display
// texts, in the user's language.
QString text(const std::string& s) { return platform::shownText(s); }

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

// The widest of the characters, in this font.
QChar widestOf(const QFontMetrics& fm, const QString& characters) {
  QChar widest = characters.front();
  for (QChar c : characters)
    if (fm.horizontalAdvance(c) > fm.horizontalAdvance(widest)) widest = c;
  return widest;
}

// What a field can be given: the unit's bytes are shown one character each.
QString shownCharacters() {
  QString all;
  for (int c = 0x20; c <= 0xFF; ++c)
    if (c < 0x7F || c >= 0xA0) all += QChar(c);
  return all;
}

}  // namespace

QString widestSample(const QFontMetrics& fm, const std::string& widest) {
  const QChar digit = widestOf(fm, QStringLiteral("0123456789ABCDEF"));
  const QChar any = widestOf(fm, shownCharacters());
  QString sample = platform::shownText(widest);
  for (QChar& c : sample) {
    if (c == QLatin1Char(kAnyCharacter))
      c = any;
    else if (c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('F')))
      c = digit;
  }
  return sample;
}

QLineEdit* CStatusPage::valueField(const std::string& label, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  const QFontMetrics fm(field->font());
  int width = 0;
  for (const std::string& w : widestTexts(label)) width = std::max(width, fm.horizontalAdvance(widestSample(fm, w)));
  field->setMinimumWidth(fieldWidthForText(field, width));
  valueFields_.push_back({label, field});
  return field;
}

QLineEdit* CStatusPage::addField(QGridLayout* grid, int row, int column, const std::string& label) {
  auto* caption = new QLabel(text(label), this);
  QLineEdit* field = valueField(label, this);
  linkCaption(caption, field);
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
  // The card type is the unit's own text, in the user's code page; the
  // other values are numbers and the core's words.
  for (std::size_t i = 0; i < fields.size() && i < texts.size(); ++i)
    fields[i]->setText(texts[i].unitText ? platform::decodeText(texts[i].text) : text(texts[i].text));
}

// --- Environment ---------------------------------------------------------------

CEnvPage::CEnvPage(StatusSnapshot& snapshot, QWidget* parent) : CStatusPage(snapshot, parent) {
  auto* grid = fieldGrid();
  int row = 0;
  for (const StatusField& f : environmentFields(blank())) fields_.push_back(addField(grid, row++, 0, f.label));
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
  const QString ethernet = tr("Ethernet"), wireless = tr("Wireless");
  grid->addWidget(new QLabel(ethernet, this), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(wireless, this), 0, 2, Qt::AlignHCenter);
  int row = 1;
  for (const InterfaceRow& r : interfaceRows(blank(), false)) {
    auto* caption = new QLabel(text(r.label), this);
    grid->addWidget(caption, row, 0);
    for (auto* column : {&ethernet_, &wireless_}) {
      QLineEdit* field = valueField(r.label, this);
      // One caption for the two columns: each field is heard with its own.
      nameQualified(field, caption->text(), column == &ethernet_ ? ethernet : wireless);
      grid->addWidget(field, row, column == &ethernet_ ? 1 : 2);
      column->push_back(field);
    }
    linkCaption(caption, ethernet_.back());
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
  for (const StatusField& f : v.transmit) transmit_.push_back(addField(grid, row++, 0, f.label));
  row = 0;
  for (const StatusField& f : v.receive) receive_.push_back(addField(grid, row++, 1, f.label));
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

void CStatusListPage::addList(QGridLayout* grid, int row, const QString& caption, const StatusTable& shape,
                              ColumnWidths widths) {
  auto* listCaption = new QLabel(caption, this);
  grid->addWidget(listCaption, row, 0, 1, 2);
  list_ = new QTreeWidget(this);
  linkCaption(listCaption, list_);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  QStringList headers;
  for (const StatusColumn& c : shape.columns) headers << text(c.title);
  list_->setHeaderLabels(headers);
  QHeaderView* header = list_->header();
  // A cell as the list's style sizes it, margins and rounding included.
  QStyleOptionViewItem cell;
  cell.initFrom(list_);
  cell.features = QStyleOptionViewItem::HasDisplay;
  cell.font = list_->font();
  cell.fontMetrics = QFontMetrics(cell.font);
  auto cellWidth = [&](const QString& text) {
    cell.text = text;
    return list_->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), list_).width();
  };
  int total = 0;
  for (int i = 0; i < static_cast<int>(shape.columns.size()); ++i) {
    const StatusColumn& column = shape.columns[static_cast<std::size_t>(i)];
    int width = columnWidth(header, i, column.width);
    if (widths == ColumnWidths::ForWidestTexts) {
      width = header->sectionSizeHint(i);
      for (const std::string& w : widestTexts(column.title))
        width = std::max(width, cellWidth(widestSample(cell.fontMetrics, w)));
    }
    header->resizeSection(i, width);
    total += width;
  }
  if (widths == ColumnWidths::ForWidestTexts) {
    list_->setMinimumWidth(total + 2 * list_->frameWidth());
  }
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
  for (const StatusField& f : v.link) link_.push_back(addField(grid, row++, 0, f.label));
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
    bridge_.push_back(addField(grid, static_cast<int>(i % 6), static_cast<int>(i / 6), v.bridge[i].label));
  addList(grid, 6, tr("Port Information:"), v.ports, ColumnWidths::ForWidestTexts);
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
  for (const StatusField& f : v.counters) counters_.push_back(addField(counters, row++, 0, f.label));
  counters->setColumnStretch(1, 1);

  auto* ledGroup = new QGroupBox(tr("LED"), this);
  auto* ledGrid = new QGridLayout(ledGroup);
  // The names printed beside the unit's lamps and switches.
  const char* ledNames[3] = {QT_TR_NOOP("POWER"), QT_TR_NOOP("WLINK"), QT_TR_NOOP("WRX")};
  for (int i = 0; i < 3; ++i) {
    leds_[i] = new QCheckBox(ledGroup);
    ledGrid->addWidget(linkCaption(new QLabel(tr(ledNames[i]), ledGroup), leds_[i]), 0, i,
                       Qt::AlignHCenter);
    leds_[i]->setEnabled(false);
    ledGrid->addWidget(leds_[i], 1, i, Qt::AlignHCenter);
  }

  auto* dipGroup = new QGroupBox(tr("DIP Switch"), this);
  auto* dipGrid = new QGridLayout(dipGroup);
  const QString on = tr("ON"), off = tr("OFF");
  dipGrid->addWidget(new QLabel(on, dipGroup), 1, 0);
  dipGrid->addWidget(new QLabel(off, dipGroup), 2, 0);
  for (int i = 0; i < 4; ++i) {
    const QString sw = tr("SW%1").arg(i + 1);
    dipGrid->addWidget(new QLabel(sw, dipGroup), 0, i + 1, Qt::AlignHCenter);
    dipOn_[i] = new QCheckBox(dipGroup);
    dipOff_[i] = new QCheckBox(dipGroup);
    nameQualified(dipOn_[i], sw, on);
    nameQualified(dipOff_[i], sw, off);
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
    QLineEdit* field = valueField(f.label, wirelessGroup);
    caption->setBuddy(field);
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
    QLineEdit* field = valueField(f.label, event_);
    caption->setBuddy(field);
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
