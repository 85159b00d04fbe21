#pragma once
// The Access Point List window: the node table as a list the user searches
// into, edits, deletes from, clears, sorts, and opens from and saves to a
// node list file. The list is the table's NodeRows, so the table's own
// routines fill and change it; the window only turns clicks into calls.
#include "ui/app/task_window.h"
#include <QString>
#include <functional>
#include <vector>

#include "core/registry/node_table.h"
#include "ui/registry/node_rows_view.h"

class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace trennic::ui {

class CProgressDlg;


class CNodeListDlg : public CTaskDlg {
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

  CNodeRowsView* list() const { return list_; }
  QLabel* numberLabel() const { return number_; }
  QPushButton* button(const QString& text) const;


 protected:
  void opening() override;

 private:
  void showListMenu(const QPoint& pos);

  NodeTable& nodes_;
  CProgressDlg& progress_;
  CNodeRowsView* list_;
  QLabel* number_;
  std::vector<QPushButton*> buttons_;
};

}  // namespace trennic::ui
