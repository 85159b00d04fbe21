#include "ui/status/traffic_chart.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace trennic::ui {

namespace {

// Received solid, sent dashed; the Ethernet in blue, the radio in orange:
// the curves stay apart without their colours too.
struct CurveStyle {
  QColor colour;
  Qt::PenStyle line;
};
const CurveStyle kStyles[kTrafficCurves] = {
    {QColor(0x1F, 0x5F, 0xB4), Qt::SolidLine},
    {QColor(0x1F, 0x5F, 0xB4), Qt::DashLine},
    {QColor(0xD9, 0x5F, 0x02), Qt::SolidLine},
    {QColor(0xD9, 0x5F, 0x02), Qt::DashLine},
};

// The widest numbers the axes and the legend are made room for: an
// 11 Mb/s radio or a 10 Mb/s Ethernet moves some ten thousand packets a
// second, and 120 cycles at 120 seconds go four hours back.
const QString kWidestRate = QStringLiteral("00000.0");
const QString kWidestSecondsBack = QStringLiteral("-00000");

int decimalsFor(double step) { return step >= 1 ? 0 : std::min(3, static_cast<int>(std::ceil(-std::log10(step) - 1e-9))); }

QPen curvePen(TrafficCurve curve) {
  QPen pen(kStyles[curve].colour, 2);
  pen.setStyle(kStyles[curve].line);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

struct CTrafficChart::Layout {
  int margin = 0, line = 0, tick = 0;
  int swatch = 0, legendColumn = 0, legendHeight = 0;
  TrafficScale rates, seconds;
  int rateDecimals = 0, secondDecimals = 0;
  int labelWidth = 0;  // the widest rate on the vertical axis
  QRect plot;
};

CTrafficChart::CTrafficChart(const TrafficHistory& history, QWidget* parent) : QWidget(parent), history_(history) {
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(tr("Traffic history"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  refresh();
}

QString CTrafficChart::curveName(TrafficCurve curve) {
  switch (curve) {
    case EthernetReceived:
      return tr("Ethernet received");
    case EthernetSent:
      return tr("Ethernet sent");
    case WirelessReceived:
      return tr("Wireless received");
    case WirelessSent:
    default:
      return tr("Wireless sent");
  }
}

QString CTrafficChart::rateText(std::optional<double> perSecond) {
  return perSecond ? QString::number(*perSecond, 'f', 1) : tr("none");
}

QString CTrafficChart::currentValues() const {
  return tr("Packets per second in the last cycle: Ethernet received %1, Ethernet sent %2, wireless received %3, "
            "wireless sent %4.")
      .arg(rateText(history_.current(EthernetReceived)), rateText(history_.current(EthernetSent)),
           rateText(history_.current(WirelessReceived)), rateText(history_.current(WirelessSent)));
}

void CTrafficChart::refresh() {
  const QString description = currentValues();
  if (description != accessibleDescription()) {
    setAccessibleDescription(description);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  }
  updateGeometry();
  update();
}

void CTrafficChart::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange || e->type() == QEvent::LanguageChange) refresh();
  QWidget::changeEvent(e);
}

CTrafficChart::Layout CTrafficChart::layout() const {
  const QFontMetrics fm = fontMetrics();
  Layout l;
  l.line = fm.height();
  l.margin = l.line / 2;
  l.tick = std::max(3, l.line / 4);
  l.swatch = 2 * l.line;
  // Two columns of two entries: a line of the curve's pen, its name, its
  // current rate.
  int widestEntry = 0;
  for (std::size_t c = 0; c < kTrafficCurves; ++c) {
    const auto curve = static_cast<TrafficCurve>(c);
    const int rate = std::max(fm.horizontalAdvance(rateText(history_.current(curve))), fm.horizontalAdvance(kWidestRate));
    widestEntry = std::max(widestEntry, fm.horizontalAdvance(curveName(curve)) + l.margin + rate);
  }
  l.legendColumn = l.swatch + l.margin + widestEntry + 2 * l.margin;
  l.legendHeight = 2 * l.line;

  l.rates = trafficScale(history_.highest());
  l.rateDecimals = decimalsFor(l.rates.step);
  l.labelWidth = std::max(fm.horizontalAdvance(kWidestRate),
                          fm.horizontalAdvance(QString::number(l.rates.top, 'f', l.rateDecimals)));
  const auto& samples = history_.samples();
  const double span = samples.size() >= 2 ? (samples.back().timeMs - samples.front().timeMs) / 1000.0 : 0;
  l.seconds = trafficScale(span > 0 ? span : 10);
  l.secondDecimals = decimalsFor(l.seconds.step);

  const int left = l.margin + l.labelWidth + l.tick;
  const int top = l.margin + l.legendHeight + l.margin + l.line + l.margin;
  // Half of the "0" under the right end stands out beside the plot.
  const int right = width() - l.margin - fm.horizontalAdvance(QStringLiteral("0")) / 2 - 1;
  const int bottom = height() - l.margin - 2 * l.line - l.tick;
  l.plot = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), std::max(top + 1, bottom)));
  return l;
}

QSize CTrafficChart::minimumSizeHint() const {
  const QFontMetrics fm = fontMetrics();
  const Layout l = layout();
  // Five labels under the time axis, each with room beside it.
  const int axis = l.margin + l.labelWidth + l.tick + 5 * (fm.horizontalAdvance(kWidestSecondsBack) + l.margin) + l.margin;
  const int legend = 2 * l.legendColumn + l.margin;
  const int captions = std::max(fm.horizontalAdvance(tr("Seconds before the last cycle")),
                                fm.horizontalAdvance(tr("Packets/s"))) + 2 * l.margin;
  const int w = std::max({axis, legend, captions});
  // Room for six rate labels above each other.
  const int h = l.margin + l.legendHeight + l.margin + l.line + l.margin + 6 * l.line + l.tick + 2 * l.line + l.margin;
  return {w, h};
}

QSize CTrafficChart::sizeHint() const {
  const QSize min = minimumSizeHint();
  return {min.width(), min.height() * 3 / 2};
}

void CTrafficChart::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  const Layout l = layout();
  const QFontMetrics fm = fontMetrics();
  const QColor ink = palette().color(QPalette::Text);
  p.setRenderHint(QPainter::Antialiasing, false);

  // The legend, with the rates of the last cycle.
  for (std::size_t c = 0; c < kTrafficCurves; ++c) {
    const auto curve = static_cast<TrafficCurve>(c);
    const int x = l.margin + static_cast<int>(c % 2) * l.legendColumn;
    const int y = l.margin + static_cast<int>(c / 2) * l.line;
    p.setPen(curvePen(curve));
    p.drawLine(x, y + l.line / 2, x + l.swatch, y + l.line / 2);
    p.setPen(ink);
    const QString name = curveName(curve);
    const int nameX = x + l.swatch + l.margin;
    p.drawText(QRect(nameX, y, fm.horizontalAdvance(name), l.line), Qt::AlignLeft | Qt::AlignVCenter, name);
    const QString rate = rateText(history_.current(curve));
    const int rateRight = x + l.legendColumn - 2 * l.margin;
    p.drawText(QRect(rateRight - fm.horizontalAdvance(rate), y, fm.horizontalAdvance(rate), l.line),
               Qt::AlignRight | Qt::AlignVCenter, rate);
  }

  // The axes, their labels and captions.
  const QRect& plot = l.plot;
  p.setPen(ink);
  const int captionY = plot.top() - l.margin - l.line;
  p.drawText(QRect(l.margin, captionY, width() - 2 * l.margin, l.line), Qt::AlignLeft | Qt::AlignVCenter,
             tr("Packets/s"));
  QPen grid(palette().color(QPalette::Mid), 1, Qt::DotLine);
  for (double v = 0; v <= l.rates.top * (1 + 1e-9); v += l.rates.step) {
    const int y = plot.bottom() - static_cast<int>(std::lround(v / l.rates.top * plot.height()));
    const QString label = QString::number(v, 'f', l.rateDecimals);
    p.setPen(ink);
    p.drawText(QRect(l.margin, y - l.line / 2, l.labelWidth, l.line), Qt::AlignRight | Qt::AlignVCenter, label);
    p.drawLine(plot.left() - l.tick, y, plot.left(), y);
    if (v > 0) {
      p.setPen(grid);
      p.drawLine(plot.left() + 1, y, plot.right(), y);
    }
  }
  for (double v = 0; v <= l.seconds.top * (1 + 1e-9); v += l.seconds.step) {
    const int x = plot.right() - static_cast<int>(std::lround(v / l.seconds.top * plot.width()));
    const QString label = v == 0 ? QStringLiteral("0") : QString::number(-v, 'f', l.secondDecimals);
    const int w = fm.horizontalAdvance(label);
    p.setPen(ink);
    p.drawText(QRect(x - w / 2, plot.bottom() + l.tick, w + 1, l.line), Qt::AlignCenter, label);
    p.drawLine(x, plot.bottom(), x, plot.bottom() + l.tick);
  }
  p.setPen(ink);
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());
  p.drawText(QRect(plot.left(), plot.bottom() + l.tick + l.line, plot.width(), l.line), Qt::AlignHCenter | Qt::AlignVCenter,
             tr("Seconds before the last cycle"));

  // The curves, each segment on its own: no line joins two segments.
  const auto& samples = history_.samples();
  bool drawn = false;
  if (!samples.empty()) {
    const std::int64_t last = samples.back().timeMs;
    auto at = [&](const TrafficPoint& pt) {
      const double back = (last - pt.timeMs) / 1000.0;
      return QPointF(plot.right() - back / l.seconds.top * plot.width(),
                     plot.bottom() - pt.perSecond / l.rates.top * plot.height());
    };
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(plot.adjusted(-2, -2, 2, 2));
    for (std::size_t c = 0; c < kTrafficCurves; ++c) {
      const auto curve = static_cast<TrafficCurve>(c);
      for (const TrafficSegment& segment : history_.segments(curve)) {
        drawn = true;
        if (segment.size() == 1) {
          p.setPen(Qt::NoPen);
          p.setBrush(kStyles[curve].colour);
          p.drawEllipse(at(segment.front()), 2.5, 2.5);
          p.setBrush(Qt::NoBrush);
          continue;
        }
        QPainterPath path(at(segment.front()));
        for (std::size_t i = 1; i < segment.size(); ++i) path.lineTo(at(segment[i]));
        p.setPen(curvePen(curve));
        p.drawPath(path);
      }
    }
    p.setClipping(false);
    p.setRenderHint(QPainter::Antialiasing, false);
  }
  if (!drawn) {
    p.setPen(palette().color(QPalette::PlaceholderText));
    p.drawText(plot.adjusted(l.margin, l.margin, -l.margin, -l.margin), Qt::AlignCenter | Qt::TextWordWrap,
               tr("The curves start with the second cycle of a periodic scan."));
  }

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().color(QPalette::Base);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

// --- The page ------------------------------------------------------------------

CTrafficPage::CTrafficPage(StatusSnapshot& snapshot, const TrafficHistory& history, QWidget* parent)
    : CStatusPage(snapshot, parent), chart_(new CTrafficChart(history, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart_, 1);
}

void CTrafficPage::refresh() { chart_->refresh(); }
// The chart is the page's one control: the keys enter and leave through it.
QWidget* CTrafficPage::firstControl() const { return chart_; }
QWidget* CTrafficPage::lastControl(bool) const { return chart_; }

}  // namespace trennic::ui
