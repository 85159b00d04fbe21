#include "ui/config/config_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QLabel>

#include "core/protocol/operations.h"
#include "core/registry/unit_operation.h"
#include "platform/app/codepage.h"
#include "ui/app/about_dialog.h"
#include "ui/app/file_choice.h"
#include "ui/app/unreadable_file.h"
#include "ui/config/base_page.h"
#include "ui/config/filter_page.h"
#include "ui/config/snmp_page.h"
#include "ui/config/stp_page.h"
#include "ui/config/wireless_page.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

namespace {

constexpr char kConfigFileName[] = "config.txt";

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CConfigDlg::CConfigDlg(CUtilityApp& app, NodeTable& nodes, CProgressDlg& progress, QWidget* parent)
    : CTaskDlg(parent),
      app_(app),
      nodes_(nodes),
      progress_(progress),
      defaults_(std::make_unique<ConfigSet>()),
      working_(std::make_unique<ConfigSet>()),
      transfer_(std::make_unique<ConfigSet>()) {
  setWindowTitle(tr("Configuration"));
  fileOptions_.defaultChannel = DefaultChannel();
  fileOptions_.displayLevel = app_.settings.displayLevel;
  fileOptions_.encoding = app_.settings.textEncoding;
  chooseFile = [this](bool forOpening, const QString& proposed, const QString& filter) {
    return ui::chooseFile(this, forOpening, proposed, filter).value_or(QString());
  };

  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(tr("File(&F)"));
  file->addAction(tr("Open(&O)"), this, &CConfigDlg::openFile);
  file->addAction(tr("Save(&A)"), this, &CConfigDlg::saveFile);

  units_ = new QComboBox(this);
  units_->setMinimumContentsLength(28);
  auto* unitCaption = new QLabel(tr("Access Point:"), this);
  unitCaption->setBuddy(units_);

  tabs_ = new QTabWidget(this);
  pages_[BasePage] = new CBasePage(*this, tabs_);
  pages_[WirelessPage] = new CWirelessPage(*this, tabs_);
  pages_[FilterPage] = new CFilterPage(*this, tabs_);
  pages_[SnmpPage] = new CSnmpPage(*this, tabs_);
  pages_[StpPage] = new CStpPage(*this, tabs_);
  const char* titles[kPageCount] = {QT_TR_NOOP("Base"), QT_TR_NOOP("Wireless"), QT_TR_NOOP("Filter"), QT_TR_NOOP("SNMP"),
                                    QT_TR_NOOP("Spanning Tree")};
  for (int i = 0; i < kPageCount; ++i) tabs_->addTab(pages_[static_cast<std::size_t>(i)], tr(titles[i]));
  tabs_->tabBar()->setUsesScrollButtons(false);
  tabs_->tabBar()->installEventFilter(this);
  connect(tabs_, &QTabWidget::currentChanged, this, &CConfigDlg::showPage);

  auto* buttons = new QHBoxLayout;
  struct Command {
    const char* text;
    void (CConfigDlg::*run)();
  };
  const Command commands[] = {
      {QT_TR_NOOP("Password"), &CConfigDlg::changePassword}, {QT_TR_NOOP("Read"), &CConfigDlg::readConfig},
      {QT_TR_NOOP("Write"), &CConfigDlg::writeConfig},       {QT_TR_NOOP("Default"), &CConfigDlg::setDefaults},
      {QT_TR_NOOP("Reboot"), &CConfigDlg::reboot},           {QT_TR_NOOP("Exit"), nullptr},
  };
  for (const auto& c : commands) {
    auto* b = new QPushButton(tr(c.text), this);
    if (c.run) {
      b->setAutoDefault(false);
      connect(b, &QPushButton::clicked, this, c.run);
    } else {
      buttons->addStretch(1);
      b->setDefault(true);
      connect(b, &QPushButton::clicked, this, &QDialog::accept);
    }
    buttons->addWidget(b);
    buttons_.push_back(b);
  }
  buttons_.front()->installEventFilter(this);

  auto* top = new QHBoxLayout;
  top->addWidget(unitCaption);
  top->addWidget(units_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menuBar);
  layout->addLayout(top);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
}

CConfigDlg::~CConfigDlg() = default;

QPushButton* CConfigDlg::button(const QString& text) const {
  for (QPushButton* b : buttons_)
    if (b->text() == text) return b;
  return nullptr;
}

void CConfigDlg::opening() {
  // Every opening starts afresh: the units as registered now, the defaults
  // with config.def as it is now, and the working set from those defaults.
  units_->clear();
  MacAddress firstMac{};
  std::size_t index = 0;
  NodeEntry node;
  while (nodes_.NextNode(index, node)) {
    const std::string label = NodeTable::NodeLabel(node);
    if (label.empty() || label == ", ") continue;
    if (units_->count() == 0) firstMac = parseMac(node.mac).value_or(MacAddress{});
    units_->addItem(platform::decodeText(label), QByteArray::fromStdString(label));
  }
  if (units_->count() > 0) units_->setCurrentIndex(0);
  BuildDefaultConfig(*defaults_, fileOptions_.defaultChannel);
  tellUnreadableFile(this, kConfigDefaultsFileName, QString::fromLatin1(kConfigDefaultsFileName),
                     tr("The built-in defaults are used."));
  ApplyConfigDefaults(*defaults_, kConfigDefaultsFileName, fileOptions_);
  ResetToDefaults(*defaults_, *working_, firstMac);
  loadAllPages();
  tabs_->blockSignals(true);
  tabs_->setCurrentIndex(BasePage);
  tabs_->blockSignals(false);
}

void CConfigDlg::loadAllPages() {
  for (int i : {BasePage, WirelessPage, SnmpPage, StpPage, FilterPage}) pages_[static_cast<std::size_t>(i)]->load();
}

void CConfigDlg::gather() {
  for (int i : {BasePage, WirelessPage, SnmpPage, StpPage, FilterPage}) pages_[static_cast<std::size_t>(i)]->store();
  ProjectLegacy(*working_);
  *transfer_ = *working_;
}

void CConfigDlg::showPage(int index) {
  gather();
  if (index >= 0 && index < kPageCount) pages_[static_cast<std::size_t>(index)]->load();
  tabs_->tabBar()->setFocus();
}

bool CConfigDlg::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    CConfigPage* page = pages_[static_cast<std::size_t>(std::max(0, tabs_->currentIndex()))];
    // Into the page from its two neighbours: the tab strip and "Password".
    if (watched == tabs_->tabBar() && key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier)) {
      QWidget* first = page->firstControl();
      first->setFocus(Qt::TabFocusReason);
      return true;
    }
    if (watched == buttons_.front() && key->key() == Qt::Key_Backtab) {
      page->lastControl()->setFocus(Qt::BacktabFocusReason);
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

bool CConfigDlg::focusNextPrevChild(bool next) {
  // Out of the page at its two ends: to "Password" and to the tab strip.
  CConfigPage* page = pages_[static_cast<std::size_t>(std::max(0, tabs_->currentIndex()))];
  QWidget* focus = focusWidget();
  if (next && focus == page->lastControl()) {
    buttons_.front()->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (!next && focus == page->firstControl()) {
    tabs_->tabBar()->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  return QDialog::focusNextPrevChild(next);
}

void CConfigDlg::keyPressEvent(QKeyEvent* e) {
  // Enter in a field ends the typing there and nothing more. Passed on, it
  // would press "Exit", and every edit on every page would be dropped
  // without a question; Esc, the close box and "Exit" itself still close.
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (enter && qobject_cast<QLineEdit*>(focusWidget())) {
    e->accept();
    return;
  }
  CTaskDlg::keyPressEvent(e);
}

std::optional<ResolvedNode> CConfigDlg::chosenUnit() {
  const std::string label = units_->currentIndex() < 0 ? std::string() : units_->currentData().toByteArray().toStdString();
  ResolvedNode r = label.empty() ? ResolvedNode{} : nodes_.ResolveNode(label);
  if (!r.found) {
    showErrorMessage(this, tr("No select."));
    return std::nullopt;
  }
  return r;
}

bool CConfigDlg::askPassword(const ResolvedNode& unit, PasswordField& password) {
  CPasswordDlg ask(this);
  return ask.ask(platform::decodeText(unit.label), nullptr, &password) == 1;
}

void CConfigDlg::readConfig() {
  auto unit = chosenUnit();
  if (!unit) return;
  PasswordField password{};
  if (!askPassword(*unit, password)) return;
  OperationArgs a = operationArgsFor(OpReadConfig, *unit, password, QT_TRANSLATE_NOOP("trennic", "Reading..."));
  OperationContext c;
  c.nodes = &nodes_;
  // The read starts from the defaults for this unit.
  ResetToDefaults(*defaults_, *transfer_, unit->mac);
  c.transferSet = transfer_.get();
  if (progress_.run(a, c) != 1) return;
  *working_ = *transfer_;
  loadAllPages();
}

void CConfigDlg::writeConfig() {
  gather();
  auto unit = chosenUnit();
  if (!unit) return;
  PasswordField password{};
  if (!askPassword(*unit, password)) return;
  OperationArgs a = operationArgsFor(OpWriteConfig, *unit, password, QT_TRANSLATE_NOOP("trennic", "Writing..."));
  OperationContext c;
  c.nodes = &nodes_;
  c.transferSet = transfer_.get();
  progress_.run(a, c);
}

void CConfigDlg::setDefaults() {
  const std::string label = units_->currentIndex() < 0 ? std::string() : units_->currentData().toByteArray().toStdString();
  ResolvedNode r = label.empty() ? ResolvedNode{} : nodes_.ResolveNode(label);
  ResetToDefaults(*defaults_, *working_, r.found ? r.mac : MacAddress{});
  loadAllPages();
}

void CConfigDlg::reboot() {
  auto unit = chosenUnit();
  if (!unit) return;
  CConfirmDlg confirm(this);
  if (confirm.ask(tr("Reboot ?")) != 1) return;
  PasswordField password{};
  if (!askPassword(*unit, password)) return;
  OperationArgs a = operationArgsFor(OpReboot, *unit, password, QT_TRANSLATE_NOOP("trennic", "Rebooting..."), unit->label);
  OperationContext c;
  c.nodes = &nodes_;
  progress_.run(a, c);
}

void CConfigDlg::changePassword() {
  auto unit = chosenUnit();
  if (!unit) return;
  CPasswordChangeDlg change(progress_, this);
  change.ask(unit->primary, unit->alternate, unit->mac, platform::decodeText(unit->label), &nodes_);
}

void CConfigDlg::openFile() {
  const QString proposed = QString::fromLatin1(kConfigFileName);
  const QString path = chooseFile(true, proposed, tr("Config File (%1);;All Files (*)").arg(proposed));
  if (path.isEmpty()) return;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return;
  f.close();
  // Read into the transfer set, so that a file that is no configuration
  // leaves every setting as it was.
  const int read = ReadConfigFile(*defaults_, *transfer_, MacAddress{}, localPath(path), fileOptions_);
  if (read == kNotAConfigFile) showResultMessage(this, ResultBadFile);
  if (read != 1) return;
  *working_ = *transfer_;
  loadAllPages();
}

void CConfigDlg::saveFile() {
  const QString proposed = QString::fromLatin1(kConfigFileName);
  const QString path = chooseFile(false, proposed, tr("Config File (%1);;All Files (*)").arg(proposed));
  if (path.isEmpty()) return;
  gather();
  if (!WriteConfigFile(working_->record, localPath(path), fileOptions_)) showResultMessage(this, ResultError);
}

}  // namespace trennic::ui
