#pragma once
// The node editor: one node's name, MAC address and IP address, typed into
// the table's current entry. What OK accepts is decided by the core.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "core/registry/node_editor.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"

namespace trennic::ui {

class NodeNameLimit;

class CNodeEditDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CNodeEditDlg(NodeTable& nodes, QWidget* parent = nullptr);

  // Runs the editor on nodes.current in mode EditModeNew or EditModeChange.
  // 1 for OK, with current holding the accepted node; 2 for Cancel.
  int edit(int mode);
  int mode() const { return mode_; }

  QLineEdit* nameEdit() const { return name_; }
  CHexEdit* macField(int i) const { return mac_[static_cast<std::size_t>(i)]; }
  CDecimalEdit* ipField(int i) const { return ip_[static_cast<std::size_t>(i)]; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* addButton() const { return add_; }

 protected:
  void accept() override;

 private:
  NodeEditorFields readFields() const;
  void macEdited();

  NodeTable& nodes_;
  int mode_ = EditModeNew;
  NodeEntry original_;
  bool ipTyped_ = false;
  // The name as the field showed it on opening, which OK leaves as it was.
  QString openedName_;
  QLineEdit* name_;
  NodeNameLimit* nameLimit_;
  std::array<CHexEdit*, 6> mac_{};
  std::array<CDecimalEdit*, 4> ip_{};
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* add_;
};

}  // namespace trennic::ui
