#pragma once
// The Access Point List window: the node table as a list the user searches
// into, edits, deletes from, clears, sorts, and opens from and saves to a
// node list file. The list is the table's NodeRows, so the table's own
// routines fill and change it; the window only turns clicks into calls.
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "core/registry/node_table.h"

class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace trennic::ui {

class CProgressDlg;

class CNodeListDlg : public QDialog, public NodeRows {
  Q_OBJECT
 public:
  // The chosen path, or an empty text when the user chose nothing.
  using FileChooser = std::function<QString(bool forOpening, const QString& proposedName)>;

  CNodeListDlg(NodeTable& nodes, CProgressDlg& progress, QWidget* parent = nullptr);

  // The node list file dialogs; QFileDialog unless replaced.
  FileChooser chooseFile;

  // The commands of the buttons, menus and list.
  void search();
  void clearList();
  void newNode();
  void editNode();
  void deleteNodes();
  void selectAllNodes();
  void releaseSelection();
  void sortByColumn(int column);
  void openFile();
  void saveFile();

  QTreeWidget* list() const { return list_; }
  QLabel* numberLabel() const { return number_; }
  QPushButton* button(const QString& text) const;

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

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void showListMenu(const QPoint& pos);
  std::vector<std::size_t> selectedRows() const;
  void setCells(QTreeWidgetItem* item, const NodeEntry& entry);

  NodeTable& nodes_;
  CProgressDlg& progress_;
  QTreeWidget* list_;
  QLabel* number_;
  std::vector<QPushButton*> buttons_;
};

}  // namespace trennic::ui
