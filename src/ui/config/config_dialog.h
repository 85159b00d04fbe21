#pragma once
// "Configuration": one unit's configuration read, edited on five pages,
// written back, reset to the defaults, saved to and loaded from files; the
// unit rebooted and its password changed. The window owns the three
// configuration sets; the pages edit the working one.
#include "ui/app/task_window.h"
#include <array>
#include <functional>
#include <memory>

#include "core/app/settings.h"
#include "core/config/ap_config.h"
#include "core/config/config_file.h"
#include "core/protocol/packet.h"
#include "core/registry/node_table.h"

class QComboBox;
class QPushButton;
class QTabWidget;

namespace trennic::ui {

class CConfigPage;
class CProgressDlg;

class CConfigDlg : public CTaskDlg {
  Q_OBJECT
 public:
  CConfigDlg(CUtilityApp& app, NodeTable& nodes, CProgressDlg& progress, QWidget* parent = nullptr);
  ~CConfigDlg() override;

  // The file dialogs of File Open and Save (and of the filter page's own);
  // the system's unless replaced. Empty: no choice.
  std::function<QString(bool forOpening, const QString& proposedName, const QString& filter)> chooseFile;

  void readConfig();
  void writeConfig();
  void setDefaults();
  void reboot();
  void changePassword();
  void openFile();
  void saveFile();
  // Stores every page, projects the older layouts and copies the working
  // set into the transfer set.
  void gather();
  void loadAllPages();

  ConfigSet& defaults() { return *defaults_; }
  ConfigSet& working() { return *working_; }
  ConfigSet& transfer() { return *transfer_; }
  ApConfig& record() { return working_->record; }
  const AppSettings& settings() const { return app_.settings; }
  const ConfigFileOptions& fileOptions() const { return fileOptions_; }
  NodeTable& nodes() { return nodes_; }

  QComboBox* unitList() const { return units_; }
  QTabWidget* tabs() const { return tabs_; }
  CConfigPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
  QPushButton* button(const QString& text) const;

  static constexpr int kPageCount = 5;
  enum Page { BasePage = 0, WirelessPage = 1, FilterPage = 2, SnmpPage = 3, StpPage = 4 };

 protected:
  void opening() override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  // The unit the combo names, or nothing (and "No select." shown).
  std::optional<ResolvedNode> chosenUnit();
  bool askPassword(const ResolvedNode& unit, PasswordField& password);
  void showPage(int index);

  CUtilityApp& app_;
  NodeTable& nodes_;
  CProgressDlg& progress_;
  ConfigFileOptions fileOptions_;
  std::unique_ptr<ConfigSet> defaults_, working_, transfer_;
  QComboBox* units_;
  QTabWidget* tabs_;
  std::array<CConfigPage*, kPageCount> pages_{};
  std::vector<QPushButton*> buttons_;
};

}  // namespace trennic::ui
