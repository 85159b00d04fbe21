#include "ui/status/interval_slider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <algorithm>

#include "core/status/status_poller.h"

namespace trennic::ui {

namespace {

constexpr std::uint32_t kLowest = 0;
constexpr std::uint32_t kHighest = 120;
constexpr std::uint32_t kStep = 2;

// Qt's own slider interface tells the position. This one tells, and takes,
// seconds; the name still comes from the slider or its label.
class AccessibleIntervalSlider : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit AccessibleIntervalSlider(CIntervalSlider* w) : QAccessibleWidget(w, QAccessible::Slider) {}

  CIntervalSlider* slider() const { return static_cast<CIntervalSlider*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return CIntervalSlider::secondsText(slider()->seconds());
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return slider()->seconds(); }
  void setCurrentValue(const QVariant& value) override {
    const int asked = std::clamp(value.toInt(), int{kLowest}, int{kHighest});
    slider()->setSeconds(static_cast<std::uint32_t>(asked));
  }
  QVariant maximumValue() const override { return kHighest; }
  QVariant minimumValue() const override { return kLowest; }
  QVariant minimumStepSize() const override { return kStep; }
};

QAccessibleInterface* intervalSliderFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(CIntervalSlider::staticMetaObject.className())) return nullptr;
  auto* slider = qobject_cast<CIntervalSlider*>(object);
  return slider ? new AccessibleIntervalSlider(slider) : nullptr;
}

}  // namespace

CIntervalSlider::CIntervalSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  static const bool installed = [] {
    QAccessible::installFactory(intervalSliderFactory);
    return true;
  }();
  (void)installed;
  setRange(trackbarPositionFor(kLowest), trackbarPositionFor(kHighest));
}

std::uint32_t CIntervalSlider::seconds() const { return intervalForTrackbar(value()); }

void CIntervalSlider::setSeconds(std::uint32_t seconds) { setValue(trackbarPositionFor(seconds)); }

QString CIntervalSlider::secondsText(std::uint32_t seconds) {
  return tr("%1 seconds").arg(seconds);
}

}  // namespace trennic::ui
