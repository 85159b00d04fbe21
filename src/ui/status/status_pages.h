#pragma once
// The seven pages of the Status Information window. Each shows the
// snapshot of the last completed poll cycle and is redrawn by refresh();
// what each field says comes from the core, the pages only place it.
#include <QWidget>
#include <functional>
#include <vector>

#include "core/status/status_poller.h"
#include "core/status/status_text.h"
#include "core/status/table_text.h"

class QCheckBox;
class QFontMetrics;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace trennic::ui {

// What a page's "Clear" asks of the window: the mask written to the unit;
// true when the unit took it.
using ClearRequest = std::function<bool(std::uint32_t mask)>;

// What a field or column is measured with for one of its widest texts
// (core/status/widest_text.h): every hexadecimal digit the widest one of the
// font, every wild character the widest character it can show.
QString widestSample(const QFontMetrics& fm, const std::string& widest);

class CStatusPage : public QWidget {
  Q_OBJECT
 public:
  CStatusPage(StatusSnapshot& snapshot, QWidget* parent) : QWidget(parent), snapshot_(snapshot) {}
  virtual void refresh() = 0;
  // The page's "Clear" button, if it has one.
  QPushButton* clearButton() const { return clear_; }
  // Where the keys enter and leave the page. While a periodic scan runs the
  // "Clear" buttons are off, so the page ends on its last field instead.
  virtual QWidget* firstControl() const = 0;
  virtual QWidget* lastControl(bool scanning) const = 0;

  // Every read-only field of the page, with the label it shows beside.
  struct ValueField {
    std::string label;
    QLineEdit* field;
  };
  const std::vector<ValueField>& valueFields() const { return valueFields_; }

 protected:
  // A read-only field, wide enough for the widest text the label's field
  // can show.
  QLineEdit* valueField(const std::string& label, QWidget* parent);
  // The same beside its label, in a two-column grid.
  QLineEdit* addField(QGridLayout* grid, int row, int column, const std::string& label);
  QPushButton* addClearButton(std::uint32_t mask, ClearRequest request, std::function<void()> zero);
  static void setTexts(const std::vector<QLineEdit*>& fields, const std::vector<StatusField>& texts);

  StatusSnapshot& snapshot_;
  QPushButton* clear_ = nullptr;

 private:
  std::vector<ValueField> valueFields_;
};

class CEnvPage : public CStatusPage {
  Q_OBJECT
 public:
  CEnvPage(StatusSnapshot& snapshot, QWidget* parent);
  void refresh() override;
  const std::vector<QLineEdit*>& fields() const { return fields_; }
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;

 private:
  std::vector<QLineEdit*> fields_;
};

class CInterfacePage : public CStatusPage {
  Q_OBJECT
 public:
  CInterfacePage(StatusSnapshot& snapshot, bool debugDisplay, ClearRequest clear, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;
  QLineEdit* ethernetField(int row) const { return ethernet_[static_cast<std::size_t>(row)]; }
  QLineEdit* wirelessField(int row) const { return wireless_[static_cast<std::size_t>(row)]; }

 private:
  bool debugDisplay_;
  std::vector<QLineEdit*> ethernet_, wireless_;
};

class CWlCounterPage : public CStatusPage {
  Q_OBJECT
 public:
  CWlCounterPage(StatusSnapshot& snapshot, ClearRequest clear, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;

 private:
  std::vector<QLineEdit*> transmit_, receive_;
};

// The list pages share a report-style list with its "Number:" beside it.
class CStatusListPage : public CStatusPage {
  Q_OBJECT
 public:
  using CStatusPage::CStatusPage;
  QTreeWidget* list() const { return list_; }
  QLabel* numberLabel() const { return number_; }

 protected:
  // Columns as wide as the table gives them, or as wide as the widest text
  // each can show, heading included, so that the list never scrolls sideways.
  enum class ColumnWidths { AsGiven, ForWidestTexts };
  void addList(QGridLayout* grid, int row, const QString& caption, const StatusTable& shape,
               ColumnWidths widths = ColumnWidths::AsGiven);
  void fillList(const StatusTable& table);

  QTreeWidget* list_ = nullptr;
  QLabel* number_ = nullptr;
};

class CWlNodePage : public CStatusListPage {
  Q_OBJECT
 public:
  CWlNodePage(StatusSnapshot& snapshot, int displayLevel, bool debugDisplay, ClearRequest clear, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;
  const std::vector<QLineEdit*>& linkFields() const { return link_; }

 private:
  int displayLevel_;
  bool debugDisplay_;
  std::vector<QLineEdit*> link_;
};

class CMacTablePage : public CStatusListPage {
  Q_OBJECT
 public:
  CMacTablePage(StatusSnapshot& snapshot, ClearRequest clear, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;
};

class CStpStatusPage : public CStatusListPage {
  Q_OBJECT
 public:
  CStpStatusPage(StatusSnapshot& snapshot, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;

 private:
  std::vector<QLineEdit*> bridge_;
};

class CUnitStatusPage : public CStatusPage {
  Q_OBJECT
 public:
  CUnitStatusPage(StatusSnapshot& snapshot, bool debugDisplay, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;
  QCheckBox* led(int i) const { return leds_[i]; }
  QCheckBox* dip(int sw, bool on) const { return on ? dipOn_[sw] : dipOff_[sw]; }
  QGroupBox* eventGroup() const { return event_; }

 private:
  std::vector<QLineEdit*> counters_, wireless_, eventFields_;
  QCheckBox* leds_[3] = {};
  QCheckBox* dipOn_[4] = {};
  QCheckBox* dipOff_[4] = {};
  QGroupBox* event_ = nullptr;
  bool debugDisplay_ = false;
};

}  // namespace trennic::ui
