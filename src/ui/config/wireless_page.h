#pragma once
// "Wireless": scrambling with its key, WEP with four keys and the default
// transmit key, extended roaming with its threshold, sampling time, speed
// borders and the list of preferred access points. What is usable follows
// the mode the Base page set; the rules live in core/config/wireless_rules.
#include <QDialog>
#include <array>
#include <vector>

#include "ui/config/config_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class CHexEdit;
class CDecimalEdit;

namespace trennic::ui {

// The editor of one entry of the preferred access point list.
class CLoginPriorityDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CLoginPriorityDlg(ApConfig& record, QWidget* parent = nullptr);

  // Edits entry `index` (0 to 4) of PriorityAps: 1 for OK, with the entry
  // holding the address; 2 for Cancel, with nothing changed.
  int edit(std::size_t index);

  QLabel* priorityLabel() const { return priority_; }
  CHexEdit* macField(int i) const { return mac_[static_cast<std::size_t>(i)]; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void accept() override;

 private:
  ApConfig& record_;
  std::size_t index_ = 0;
  QLabel* priority_;
  std::array<CHexEdit*, 6> mac_{};
  QPushButton* ok_;
  QPushButton* cancel_;
};

class CWirelessPage : public CConfigPage {
  Q_OBJECT
 public:
  CWirelessPage(CConfigDlg& window, QWidget* parent);
  void load() override;
  void store() override;
  QWidget* firstControl() const override;
  QWidget* lastControl() const override;

  // The controls, for the window's tests.
  QComboBox* scrambleList() const { return scramble_; }
  CHexEdit* scrambleKeyField(int i) const { return scrambleKey_[static_cast<std::size_t>(i)]; }
  QCheckBox* wepBox() const { return wep_; }
  QComboBox* defaultKeyList() const { return defaultKey_; }
  QComboBox* keySizeList(int slot) const { return keySize_[static_cast<std::size_t>(slot)]; }
  CHexEdit* keyField(int slot) const { return key_[static_cast<std::size_t>(slot)]; }
  QCheckBox* extendedRoamingBox() const { return extended_; }
  QComboBox* thresholdList() const { return threshold_; }
  QComboBox* samplingTimeList() const { return sampling_; }
  QCheckBox* speedControlBox() const { return speedControl_; }
  CDecimalEdit* borderField(int i) const { return borders_[static_cast<std::size_t>(i)]; }  // 11/5.5, 5.5/2, 2/1
  QTreeWidget* priorityList() const { return priorities_; }
  QPushButton* newButton() const { return new_; }
  QPushButton* deleteButton() const { return delete_; }
  QCheckBox* loginOtherApBox() const { return loginOther_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  ApConfig& record() const;
  // Greys a field out together with its caption.
  void enable(QWidget* control, bool on);
  std::vector<std::size_t> selectedRows() const;

  void redrawScramble();
  void redrawWep();
  void redrawKeyRow(int slot);
  void redrawDefaultKeyList();
  void redrawRoaming();
  void refillPriorityList();
  void storeScramble();
  void storeWep();
  void storeRoaming();

  void keySizeChosen(int slot);
  void extendedRoamingClicked();
  void newPriorityAp();
  void editPriorityAp();
  void deletePriorityAps();
  void showListMenu(const QPoint& pos);

  QComboBox* scramble_;
  std::array<CHexEdit*, 10> scrambleKey_{};
  QCheckBox* wep_;
  QComboBox* defaultKey_;
  std::array<QComboBox*, 4> keySize_{};
  std::array<CHexEdit*, 4> key_{};
  QCheckBox* extended_;
  QLabel* thresholdLabel_;
  QComboBox* threshold_;
  QLabel* samplingLabel_;
  QLabel* samplingUnit_;
  QComboBox* sampling_;
  QCheckBox* speedControl_;
  std::array<QLabel*, 3> borderLabels_{};
  std::array<CDecimalEdit*, 3> borders_{};
  QLabel* listLabel_;
  QTreeWidget* priorities_;
  QPushButton* new_;
  QPushButton* delete_;
  QCheckBox* loginOther_;
  // Every field in tab order, for finding the page's ends.
  std::vector<QWidget*> tabOrder_;
};

}  // namespace trennic::ui
