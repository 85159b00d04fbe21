#pragma once
// The File Management window ("Firmware"): one file operation applied to
// the selected units, one after another through the progress window. The
// kinds, file names and the loop over the units are the core's; this window
// checks the paths, asks for passwords and hands each unit to the engine.
#include "ui/app/task_window.h"
#include <functional>
#include <memory>
#include <vector>

#include "core/app/settings.h"
#include "core/config/ap_config.h"
#include "core/files/file_kinds.h"
#include "core/files/wireless_image.h"
#include "core/protocol/packet.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trennic {
class NodeTable;
}

namespace trennic::ui {

class CByteTextField;
class CNodeRowsView;
class CProgressDlg;

class CFileMgmtDlg : public CTaskDlg {
  Q_OBJECT
 public:
  CFileMgmtDlg(CUtilityApp& app, NodeTable& nodes, CProgressDlg& progress, QWidget* parent = nullptr);
  ~CFileMgmtDlg() override;

  // The file dialogs of Browse (a file for opening, or a folder for the
  // configuration kind); the system's unless replaced. Empty: no choice.
  std::function<QString(int kind, const QString& proposedName)> chooseFile;

  void getVersion();
  void readOrWrite(bool write);
  void reboot();
  void browse();

  int kind() const { return kind_; }
  QComboBox* typeList() const { return types_; }
  QLabel* nameLabel() const { return nameLabel_; }
  QLineEdit* nameField() const { return name_; }
  CNodeRowsView* list() const { return list_; }
  QPushButton* button(const QString& text) const;

 protected:
  void opening() override;
  void done(int result) override;

 private:
  void showKind();
  // Stores the name field as the kind's setting and works out the full path.
  void takeNameField();
  bool runUnit(std::size_t row, int i, int n, bool write, bool single, const PasswordField& password);
  bool askPassword(std::size_t row, bool offerUseSame, bool& useSame, PasswordField& password);
  // "label  (i/n)", as the progress window's second line counts the units.
  std::string countedLabel(std::size_t row, int i, int n) const;
  void showListMenu(const QPoint& pos);

  CUtilityApp& app_;
  NodeTable& nodes_;
  CProgressDlg& progress_;
  int kind_ = FileKindFirmware;
  std::string fullPath_;
  std::unique_ptr<ConfigSet> defaults_;
  WirelessImage wireless_;
  QComboBox* types_;
  QLabel* nameLabel_;
  QLineEdit* name_;
  CByteTextField* nameText_;
  CNodeRowsView* list_;
  QLabel* number_;
  std::vector<QPushButton*> buttons_;
};

}  // namespace trennic::ui
