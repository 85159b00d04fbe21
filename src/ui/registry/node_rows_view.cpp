#include "ui/registry/node_rows_view.h"

#include "ui/controls/field_width.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>
#include <QLabel>
#include <QStyle>

#include "platform/app/codepage.h"

namespace trennic::ui {

namespace {

// The cells keep the table's bytes beside the text they show, so that a row
// read back gives the table exactly what it stored, whatever the code page.
constexpr int kBytesRole = Qt::UserRole;

std::string cellBytes(const QTreeWidgetItem* item, int column) {
  return item->data(column, kBytesRole).toByteArray().toStdString();
}

void setCell(QTreeWidgetItem* item, int column, const std::string& bytes) {
  item->setData(column, kBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  item->setText(column, platform::decodeText(bytes));
}

}  // namespace

CNodeRowsView::CNodeRowsView(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(4);
  setHeaderLabels({tr("Access Point"), tr("MAC Address"), tr("IP Address"), tr("Version")});
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSortingEnabled(false);
  setContextMenuPolicy(Qt::CustomContextMenu);
  QHeaderView* h = header();
  h->setStretchLastSection(false);
  h->setSectionsClickable(true);
  h->setSectionsMovable(false);
  int columnsWidth = 0;
  for (int c = 0; c < 4; ++c) {
    const int w = ui::columnWidth(h, c, kColumnWidths[c]);
    setColumnWidth(c, w);
    columnsWidth += w;
  }
  // Room for all four columns and a vertical scroll bar, so that a full
  // list never needs a horizontal one at the default size.
  setMinimumWidth(columnsWidth + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) +
                  2);
  setMinimumHeight(fontMetrics().height() * 14);
}

std::vector<std::size_t> CNodeRowsView::selectedRows() const {
  std::vector<std::size_t> rows;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  return rows;
}

void CNodeRowsView::deselectRow(std::size_t index) {
  if (QTreeWidgetItem* item = topLevelItem(static_cast<int>(index))) item->setSelected(false);
}

void CNodeRowsView::selectAllWithMac() {
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (!macAt(static_cast<std::size_t>(i)).empty()) topLevelItem(i)->setSelected(true);
}

std::size_t CNodeRowsView::rowCount() const { return static_cast<std::size_t>(topLevelItemCount()); }

NodeEntry CNodeRowsView::row(std::size_t index) const {
  NodeEntry e;
  const QTreeWidgetItem* item = topLevelItem(static_cast<int>(index));
  if (!item) return e;
  e.name = cellBytes(item, 0);
  e.mac = cellBytes(item, 1);
  e.ip = cellBytes(item, 2);
  e.version = cellBytes(item, 3);
  return e;
}

std::string CNodeRowsView::macAt(std::size_t index) const {
  const QTreeWidgetItem* item = topLevelItem(static_cast<int>(index));
  return item ? cellBytes(item, 1) : std::string();
}

void CNodeRowsView::setCells(QTreeWidgetItem* item, const NodeEntry& e) {
  setCell(item, 0, e.name);
  setCell(item, 1, e.mac);
  setCell(item, 2, e.ip);
  setCell(item, 3, e.version);
}

void CNodeRowsView::appendRow(const NodeEntry& e) { setCells(new QTreeWidgetItem(this), e); }

void CNodeRowsView::setRow(std::size_t index, const NodeEntry& e) {
  if (QTreeWidgetItem* item = topLevelItem(static_cast<int>(index))) setCells(item, e);
}

void CNodeRowsView::removeAllRows() { clear(); }

void CNodeRowsView::selectRow(std::size_t index) {
  if (QTreeWidgetItem* item = topLevelItem(static_cast<int>(index))) {
    item->setSelected(true);
    scrollToItem(item);
  }
}

void addListCommands(QDialog* dialog, QVBoxLayout* column, const std::vector<ListCommand>& commands,
                     std::vector<QPushButton*>& buttons) {
  for (const ListCommand& c : commands) {
    auto* b = new QPushButton(c.text, dialog);
    // Enter in the list must not press a button the user did not point at.
    b->setAutoDefault(false);
    if (c.run) {
      QObject::connect(b, &QPushButton::clicked, dialog, c.run);
    } else {
      column->addStretch();
      QObject::connect(b, &QPushButton::clicked, dialog, &QDialog::accept);
    }
    column->addWidget(b);
    buttons.push_back(b);
  }
}

QPushButton* buttonNamed(const std::vector<QPushButton*>& buttons, const QString& text) {
  for (QPushButton* b : buttons)
    if (b->text() == text) return b;
  return nullptr;
}

void CNodeRowsView::setNumberText(const std::string& text) {
  if (number_) number_->setText(QString::fromLatin1(text.c_str()));
}

}  // namespace trennic::ui
