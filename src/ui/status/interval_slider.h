#pragma once
// The Interval trackbar of the Status Information window. Its positions 1 to
// 61 stand for 0 to 120 seconds in steps of 2, and the window shows the
// seconds beside it; a screen reader hears those seconds too, never the bare
// position.
#include <QSlider>
#include <cstdint>

namespace trennic::ui {

class CIntervalSlider : public QSlider {
  Q_OBJECT
 public:
  explicit CIntervalSlider(QWidget* parent = nullptr);

  std::uint32_t seconds() const;
  // The position nearest below these seconds, as the window opens with them.
  void setSeconds(std::uint32_t seconds);

  // What a listener hears as the slider's value.
  static QString secondsText(std::uint32_t seconds);
};

}  // namespace trennic::ui
