#pragma once
// Modal windows in window tests: a check runs on the window as soon as it
// is up, within a bounded wait, and whatever the check leaves open is
// cancelled afterwards, so a failed check never leaves a test hanging in
// the window's event loop.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace trennic::testing {

class ModalWatchers {
 public:
  // Runs f on the modal window of type T; the flag tells whether it came.
  template <class T>
  std::shared_ptr<bool> onModal(std::function<void(T*)> f) {
    auto seen = std::make_shared<bool>(false);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timers_.push_back(std::make_unique<QTimer>());
    QTimer* timer = timers_.back().get();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, f, seen] {
      auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!w && clock->elapsed() < 5000) return;
      timer->stop();
      if (!w) return;
      *seen = true;
      f(w);
      if (w->isVisible()) w->reject();
    });
    timer->start(5);
    return seen;
  }
  // Watchers end with their test.
  void clear() { timers_.clear(); }

 private:
  std::vector<std::unique_ptr<QTimer>> timers_;
};

}  // namespace trennic::testing
