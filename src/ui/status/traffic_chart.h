#pragma once
// The "Traffic" tab: the packets per second of the selected unit's two
// interfaces over the last cycles of a periodic scan, drawn as four curves.
// The rates and where a curve breaks come from the core's TrafficHistory;
// this only draws them.
#include <QWidget>

#include "core/status/traffic_history.h"
#include "ui/status/status_pages.h"

namespace trennic::ui {

class CTrafficChart : public QWidget {
  Q_OBJECT
 public:
  CTrafficChart(const TrafficHistory& history, QWidget* parent);

  // Draws the history again and tells a screen reader the current rates.
  void refresh();

  static QString curveName(TrafficCurve curve);
  // The rate as the legend and the description give it; "none" when the
  // last two cycles gave no rate.
  static QString rateText(std::optional<double> perSecond);
  // What a listener hears as the chart's description: the current rates.
  QString currentValues() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  struct Layout;
  Layout layout() const;

  const TrafficHistory& history_;
};

class CTrafficPage : public CStatusPage {
  Q_OBJECT
 public:
  CTrafficPage(StatusSnapshot& snapshot, const TrafficHistory& history, QWidget* parent);
  void refresh() override;
  QWidget* firstControl() const override;
  QWidget* lastControl(bool scanning) const override;
  CTrafficChart* chart() const { return chart_; }

 private:
  CTrafficChart* chart_;
};

}  // namespace trennic::ui
