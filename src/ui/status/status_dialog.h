#pragma once
// "Status Information": one registered unit polled once or at an interval,
// its status shown on seven pages, and during a periodic scan its traffic
// on an eighth. The poll cycle itself is the core's StatusPoller; this
// window feeds it the trackbar and the selection and redraws the pages when
// a cycle completes.
#include "ui/app/task_window.h"
#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "core/app/settings.h"
#include "core/status/status_poller.h"
#include "core/status/traffic_history.h"
#include "ui/status/interval_slider.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace trennic {
class NodeTable;
}

namespace trennic::ui {

class CProgressDlg;
class CStatusPage;
class CTrafficPage;

class CStatusDlg : public CTaskDlg, public StatusHost {
  Q_OBJECT
 public:
  CStatusDlg(CUtilityApp& app, NodeTable& nodes, EngineLink& link, CProgressDlg& progress, QWidget* parent = nullptr);
  ~CStatusDlg() override;

  // Resets a group of counters or tables on the selected unit through the
  // progress window; true when the unit took it.
  bool Clear(std::uint32_t mask);

  StatusPoller& poller() { return *poller_; }
  QComboBox* unitList() const { return units_; }
  CIntervalSlider* intervalSlider() const { return slider_; }
  QLabel* intervalText() const { return intervalText_; }
  QProgressBar* progressBar() const { return bar_; }
  QPushButton* scanStartButton() const { return scanStart_; }
  QPushButton* stopButton() const { return stop_; }
  QTabWidget* tabs() const { return tabs_; }
  CStatusPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
  // The "Traffic" tab, after the seven pages, and what it draws.
  CTrafficPage* trafficPage() const { return trafficPage_; }
  const TrafficHistory& trafficHistory() const { return traffic_; }
  // When a cycle completed, in milliseconds of the window's own seconds
  // (shortened like the engine tick where tests ask for it). Tests hand in
  // a clock they step themselves.
  using Clock = std::function<std::int64_t()>;
  void setClock(Clock clock) { clock_ = std::move(clock); }

  // StatusHost
  void refreshPages() override;
  void controlsIdle() override;
  void controlsScanning() override;
  void clearButtonsEnabled(bool enabled) override;
  void progress(int percent) override;
  void intervalShown(std::uint32_t seconds) override;
  void showResult(int result) override;
  void showNoSelection() override;

  static constexpr int kPageCount = 7;

 protected:
  void opening() override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void fillUnitList();
  CStatusPage* currentPage() const;
  // Focus arriving from the window's keys: a field shows its whole text
  // selected, a list its first row when none is selected.
  static void enter(QWidget* control, Qt::FocusReason reason);
  std::string selectedLabel() const;
  void resetTraffic();

  CUtilityApp& app_;
  NodeTable& nodes_;
  CProgressDlg& progress_;
  std::unique_ptr<StatusPoller> poller_;
  QComboBox* units_;
  CIntervalSlider* slider_;
  QLabel* intervalText_;
  QProgressBar* bar_;
  QPushButton* exit_;
  QPushButton* scanStart_;
  QPushButton* stop_;
  QTabWidget* tabs_;
  std::array<CStatusPage*, kPageCount> pages_{};
  TrafficHistory traffic_;
  CTrafficPage* trafficPage_ = nullptr;
  QElapsedTimer running_;
  Clock clock_;
  QTimer timer_;
};

}  // namespace trennic::ui
