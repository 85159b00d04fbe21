#include "ui/status/status_dialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/protocol/operations.h"
#include "core/registry/node_table.h"
#include "core/registry/unit_operation.h"
#include "platform/app/codepage.h"
#include "platform/protocol/engine_runtime.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/status/status_pages.h"
#include "ui/status/traffic_chart.h"

namespace trennic::ui {

namespace {

constexpr int kStatusTabLevel = 3;

}  // namespace

CStatusDlg::CStatusDlg(CUtilityApp& app, NodeTable& nodes, EngineLink& link, CProgressDlg& progress, QWidget* parent)
    : CTaskDlg(parent), app_(app), nodes_(nodes), progress_(progress) {
  setWindowTitle(tr("Status Information"));

  poller_ = std::make_unique<StatusPoller>(link, *this, &nodes_, [this] {
    return resolveStatusTarget(nodes_, selectedLabel());
  });

  units_ = new QComboBox(this);
  units_->setEditable(false);
  units_->setMinimumContentsLength(28);
  auto* unitCaption = new QLabel(tr("Access Point:"), this);
  unitCaption->setBuddy(units_);
  connect(units_, &QComboBox::currentIndexChanged, this, [this] {
    poller_->selectionChanged(selectedLabel());
    // Another unit's traffic is not this one's: the curves start again.
    resetTraffic();
  });

  slider_ = new CIntervalSlider(this);
  slider_->setTickInterval(5);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setAccessibleName(tr("Interval"));
  intervalText_ = new QLabel(this);
  intervalText_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 4);
  intervalText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);

  exit_ = new QPushButton(tr("Exit"), this);
  exit_->setDefault(true);
  scanStart_ = new QPushButton(tr("Scan Start"), this);
  stop_ = new QPushButton(tr("Stop"), this);
  connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
  connect(scanStart_, &QPushButton::clicked, this, [this] { poller_->scanStart(); });
  connect(stop_, &QPushButton::clicked, this, [this] { poller_->stop(); });

  tabs_ = new QTabWidget(this);
  StatusSnapshot& s = poller_->snapshot();
  auto clear = [this](std::uint32_t mask) { return Clear(mask); };
  pages_[0] = new CEnvPage(s, tabs_);
  pages_[1] = new CInterfacePage(s, app_.settings.debugDisplay, clear, tabs_);
  pages_[2] = new CWlNodePage(s, app_.settings.displayLevel, app_.settings.debugDisplay, clear, tabs_);
  pages_[3] = new CMacTablePage(s, clear, tabs_);
  pages_[4] = new CStpStatusPage(s, tabs_);
  pages_[5] = new CWlCounterPage(s, clear, tabs_);
  pages_[6] = new CUnitStatusPage(s, app_.settings.debugDisplay, tabs_);
  const char* titles[kPageCount] = {QT_TR_NOOP("Environment"),   QT_TR_NOOP("Interfaces"),       QT_TR_NOOP("Wireless Node"),
                                    QT_TR_NOOP("Bridge"),        QT_TR_NOOP("Spaninng Tree"),    QT_TR_NOOP("Wireless Counter"),
                                    QT_TR_NOOP("Status")};
  // Every page exists; the unit's own status only shows from level 3 on.
  for (int i = 0; i < kPageCount; ++i) {
    if (i == 6 && app_.settings.displayLevel < kStatusTabLevel) {
      pages_[6]->hide();
      continue;
    }
    tabs_->addTab(pages_[static_cast<std::size_t>(i)], tr(titles[i]));
  }
  trafficPage_ = new CTrafficPage(s, traffic_, tabs_);
  tabs_->addTab(trafficPage_, tr("Traffic"));
  // Every tab in sight: the window is as wide as its tab strip.
  tabs_->tabBar()->setUsesScrollButtons(false);
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { tabs_->tabBar()->setFocus(); });
  tabs_->tabBar()->installEventFilter(this);
  units_->installEventFilter(this);

  auto* top = new QGridLayout;
  top->addWidget(unitCaption, 0, 0);
  top->addWidget(units_, 0, 1, 1, 3);
  auto* intervalBox = new QGridLayout;
  auto* intervalCaption = new QLabel(tr("Interval"), this);
  intervalCaption->setBuddy(slider_);
  intervalBox->addWidget(intervalCaption, 0, 0, 1, 3, Qt::AlignHCenter);
  intervalBox->addWidget(new QLabel(tr("0"), this), 1, 0);
  intervalBox->addWidget(slider_, 1, 1);
  intervalBox->addWidget(new QLabel(tr("120"), this), 1, 2);
  intervalBox->addWidget(new QLabel(tr("(sec)"), this), 2, 0, 1, 3, Qt::AlignHCenter);
  intervalBox->addWidget(bar_, 3, 0, 1, 3);
  auto* valueRow = new QHBoxLayout;
  valueRow->addWidget(intervalText_);
  valueRow->addWidget(new QLabel(tr("sec."), this));
  top->addLayout(intervalBox, 1, 0, 1, 2);
  top->addLayout(valueRow, 1, 2, Qt::AlignVCenter);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(exit_);
  buttons->addWidget(scanStart_);
  buttons->addWidget(stop_);
  buttons->addStretch(1);
  top->addLayout(buttons, 0, 4, 2, 1);
  top->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(tabs_, 1);

  timer_.setInterval(platform::tickMillisecondsFromEnvironment());
  connect(&timer_, &QTimer::timeout, this, [this] { poller_->onSecond(slider_->value()); });
  running_.start();
  clock_ = [this] { return running_.elapsed() * 1000 / timer_.interval(); };
}

CStatusDlg::~CStatusDlg() = default;

CStatusPage* CStatusDlg::currentPage() const { return static_cast<CStatusPage*>(tabs_->currentWidget()); }

void CStatusDlg::enter(QWidget* control, Qt::FocusReason reason) {
  control->setFocus(reason);
  if (auto* field = qobject_cast<QLineEdit*>(control)) {
    field->selectAll();
  } else if (auto* list = qobject_cast<QTreeWidget*>(control)) {
    if (list->topLevelItemCount() > 0 && list->selectedItems().isEmpty()) list->setCurrentItem(list->topLevelItem(0));
  }
}

bool CStatusDlg::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress && currentPage()) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (watched == tabs_->tabBar() && key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier)) {
      enter(currentPage()->firstControl(), Qt::TabFocusReason);
      return true;
    }
    if (watched == units_ && key->key() == Qt::Key_Backtab) {
      enter(currentPage()->lastControl(poller_->scanning()), Qt::BacktabFocusReason);
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

bool CStatusDlg::focusNextPrevChild(bool next) {
  CStatusPage* page = currentPage();
  QWidget* focus = focusWidget();
  if (page && next && focus == page->lastControl(poller_->scanning())) {
    units_->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (page && !next && focus == page->firstControl()) {
    tabs_->tabBar()->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  return QDialog::focusNextPrevChild(next);
}

void CStatusDlg::opening() {
  fillUnitList();
  resetTraffic();
  tabs_->setCurrentIndex(0);
  poller_->setInitialInterval(app_.settings.scanTime);
  slider_->setSeconds(app_.settings.scanTime);
  intervalShown(app_.settings.scanTime);
  bar_->setValue(0);
  scanStart_->setEnabled(true);
  stop_->setEnabled(false);
  timer_.start();
}

void CStatusDlg::done(int result) {
  // Exit, Esc and the close box: any scan stops first.
  poller_->stop();
  timer_.stop();
  app_.settings.scanTime = poller_->interval();
  CTaskDlg::done(result);
}

void CStatusDlg::fillUnitList() {
  units_->blockSignals(true);
  units_->clear();
  std::size_t index = 0;
  NodeEntry e;
  while (nodes_.NextNode(index, e)) {
    std::string label = NodeTable::NodeLabel(e);
    if (label.empty() || label == ", ") continue;
    units_->addItem(platform::decodeText(label), QByteArray::fromStdString(label));
  }
  if (units_->count() > 0) units_->setCurrentIndex(0);
  units_->blockSignals(false);
}

std::string CStatusDlg::selectedLabel() const {
  if (units_->currentIndex() < 0) return {};
  return units_->currentData().toByteArray().toStdString();
}

bool CStatusDlg::Clear(std::uint32_t mask) {
  // The unit is resolved as a scan resolves it: its own address first,
  // the group second, whatever route it last answered by.
  std::optional<StatusTarget> unit = resolveStatusTarget(nodes_, selectedLabel());
  if (!unit) {
    showNoSelection();
    return false;
  }
  CPasswordDlg ask(this);
  int useSame = 0;
  PasswordField password{};
  if (ask.ask(platform::decodeText(unit->label), &useSame, &password) == 2) return false;
  const ResolvedNode r{true, unit->mac, unit->label, unit->primary, unit->alternate};
  OperationArgs a = operationArgsFor(OpClear, r, password, QT_TRANSLATE_NOOP("trennic", "Writing..."));
  OperationContext c;
  c.nodes = &nodes_;
  c.clearMask = mask;
  return progress_.run(a, c) == 1;
}

void CStatusDlg::resetTraffic() {
  traffic_.reset();
  trafficPage_->refresh();
}

void CStatusDlg::refreshPages() {
  // Only a periodic scan makes a history: single cycles are far apart.
  if (poller_->scanning())
    traffic_.add(poller_->unit().mac, trafficSampleOf(poller_->snapshot(), clock_(), poller_->interval()));
  for (CStatusPage* p : pages_) p->refresh();
  trafficPage_->refresh();
  // The route a cycle learnt is kept in the settings file.
  reportSettingsWriteFailure(this, nodes_);
}

void CStatusDlg::controlsIdle() {
  scanStart_->setEnabled(true);
  // Moving the interval to 0 stops the scan; whoever moves the slider by
  // keyboard keeps it under the keys rather than finding them on a button.
  if (!slider_->hasFocus()) scanStart_->setFocus();
  stop_->setEnabled(false);
  bar_->setValue(0);
  clearButtonsEnabled(true);
}

void CStatusDlg::controlsScanning() {
  scanStart_->setEnabled(false);
  stop_->setEnabled(true);
  stop_->setFocus();
}

void CStatusDlg::clearButtonsEnabled(bool enabled) {
  for (CStatusPage* p : pages_)
    if (p->clearButton()) p->clearButton()->setEnabled(enabled);
}

void CStatusDlg::progress(int percent) { bar_->setValue(percent); }

void CStatusDlg::intervalShown(std::uint32_t seconds) { intervalText_->setText(QString::number(seconds)); }

void CStatusDlg::showResult(int result) { showResultMessage(this, result); }

void CStatusDlg::showNoSelection() { showErrorMessage(this, tr("No select.")); }

}  // namespace trennic::ui
