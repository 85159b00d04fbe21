#pragma once
// The list of known units as the Access Point List and the File Management
// window show it: four columns, several rows selectable, the "Number:"
// text beside it. It is the table's NodeRows, so the table's own routines
// fill, merge, sort and relist it.
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "core/registry/node_table.h"

class QDialog;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace trennic::ui {

class CNodeRowsView : public QTreeWidget, public NodeRows {
  Q_OBJECT
 public:
  explicit CNodeRowsView(QWidget* parent = nullptr);

  // Where setNumberText writes; the view has no label of its own.
  void setNumberLabel(QLabel* label) { number_ = label; }

  std::vector<std::size_t> selectedRows() const;
  void deselectRow(std::size_t index);
  // "All(&A)": every row that holds a MAC address.
  void selectAllWithMac();

  // NodeRows: the rows keep the table's texts as they are; the cells show
  // them decoded from the user's code page.
  std::size_t rowCount() const override;
  NodeEntry row(std::size_t index) const override;
  std::string macAt(std::size_t index) const override;
  void appendRow(const NodeEntry& entry) override;
  void setRow(std::size_t index, const NodeEntry& entry) override;
  void removeAllRows() override;
  void selectRow(std::size_t index) override;
  void setNumberText(const std::string& text) override;

  static constexpr int kColumnWidths[4] = {140, 140, 110, 85};

 private:
  void setCells(QTreeWidgetItem* item, const NodeEntry& entry);
  QLabel* number_ = nullptr;
};

// The column of buttons beside a unit list. A command without `run` is
// Exit: it closes the dialog and sits apart at the bottom.
struct ListCommand {
  QString text;
  std::function<void()> run;
};
void addListCommands(QDialog* dialog, QVBoxLayout* column, const std::vector<ListCommand>& commands,
                     std::vector<QPushButton*>& buttons);
QPushButton* buttonNamed(const std::vector<QPushButton*>& buttons, const QString& text);

}  // namespace trennic::ui
