#pragma once
// "Filter": the MAC address filter and the protocol filter of the working
// configuration, each switched on and off, with what happens to traffic no
// entry matches, its list of entries and its own filter file. Entries are
// typed in two small editors, CMacFilterDlg and CProtFilterDlg. The tables
// live in the working ApConfig; the page and the editors change them in
// place, and what they accept is decided by the core's filter rules.
#include <QDialog>
#include <array>
#include <cstddef>
#include <optional>

#include "core/filters/filter_page_rules.h"
#include "core/filters/filter_tables.h"
#include "ui/config/config_page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
class QTreeWidget;
class CHexEdit;

namespace trennic::ui {

// One MAC address entry: one address or a range, and its access.
class CMacFilterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CMacFilterDlg(int displayLevel, QWidget* parent = nullptr);

  // Runs the editor on a copy of entry, meant for slot index of block
  // (which may be the slot just past the used entries); OK stores it there.
  // 1 for OK, 2 for Cancel.
  int edit(MacFilterBlock block, std::size_t index, const MacFilterEntry& entry);

  QLabel* numberText() const { return number_; }
  QCheckBox* rangeBox() const { return range_; }
  CHexEdit* addressField(int address, int byte) const {
    return address_[static_cast<std::size_t>(address)][static_cast<std::size_t>(byte)];
  }
  QComboBox* accessBox() const { return access_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void accept() override;

 private:
  void showEntry(const MacFilterEntry& e);
  MacAddress typedAddress(int address) const;
  void rangeClicked();

  int level_;
  std::optional<MacFilterBlock> block_;
  std::size_t index_ = 0;
  MacFilterEntry entry_;
  QLabel* number_;
  QCheckBox* range_;
  std::array<std::array<CHexEdit*, 6>, 2> address_{};
  QComboBox* access_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// One protocol entry: Ethernet type, IP protocol and port (each by name, all,
// or a number or range the user types), port side, interface and access.
class CProtFilterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CProtFilterDlg(int displayLevel, QWidget* parent = nullptr);

  // As CMacFilterDlg::edit.
  int edit(ProtocolFilterBlock block, std::size_t index, const ProtocolFilterEntry& entry);

  QLabel* numberText() const { return number_; }
  QComboBox* choiceBox(ProtocolEditorField f) const { return choice_[static_cast<std::size_t>(f)]; }
  QLineEdit* valueField(ProtocolEditorField f) const { return value_[static_cast<std::size_t>(f)]; }
  QCheckBox* sourceBox() const { return source_; }
  QCheckBox* destinationBox() const { return destination_; }
  QComboBox* interfaceBox() const { return interface_; }
  QComboBox* accessBox() const { return access_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void accept() override;

 private:
  void showEntry(const ProtocolFilterEntry& e);
  ProtocolEditorInput input() const;
  void choiceMade(ProtocolEditorField f);
  // After any choice: the entry the controls describe, shown again when it
  // reads.
  void recollect();
  void sideClicked(unsigned bit, bool checked);

  int level_;
  std::optional<ProtocolFilterBlock> block_;
  std::size_t index_ = 0;
  ProtocolFilterEntry entry_;
  QLabel* number_;
  std::array<QComboBox*, 3> choice_{};
  std::array<QLineEdit*, 3> value_{};
  QCheckBox* source_;
  QCheckBox* destination_;
  QComboBox* interface_;
  QComboBox* access_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

class CFilterPage : public CConfigPage {
  Q_OBJECT
 public:
  CFilterPage(CConfigDlg& window, QWidget* parent);
  void load() override;
  void store() override;
  QWidget* firstControl() const override;
  QWidget* lastControl() const override;

  enum Table { MacTable = 0, ProtocolTable = 1 };

  // The commands of the buttons, the lists and their popup menu.
  void newEntry(Table t);
  void editEntry(Table t);
  void deleteEntries(Table t);
  void selectAllEntries(Table t);
  void releaseSelection(Table t);
  void openFile(Table t);
  void saveFile(Table t);

  QCheckBox* enableBox(Table t) const { return group(t).enable; }
  QComboBox* otherAccessBox(Table t) const { return group(t).other; }
  QTreeWidget* list(Table t) const { return group(t).list; }
  QLabel* numberLabel(Table t) const { return group(t).number; }
  // "New", "Delete", "Open" or "Save" of the table's group.
  QPushButton* button(Table t, const QString& text) const;

 private:
  struct Group {
    QGroupBox* box = nullptr;
    QCheckBox* enable = nullptr;
    QLabel* otherCaption = nullptr;
    QComboBox* other = nullptr;
    QTreeWidget* list = nullptr;
    QLabel* number = nullptr;
    std::array<QPushButton*, 4> buttons{};  // New, Delete, Open, Save
  };

  Group& group(Table t) { return groups_[static_cast<std::size_t>(t)]; }
  const Group& group(Table t) const { return groups_[static_cast<std::size_t>(t)]; }
  void buildGroup(Table t);
  void showGroup(Table t);
  void showList(Table t);
  void storeSettings(Table t);
  void settingsChanged(Table t);
  void editEntryAt(Table t, std::size_t index);
  void showListMenu(Table t, const QPoint& pos);

  int level_;
  std::array<Group, 2> groups_;
};

}  // namespace trennic::ui
