#pragma once
// Ctrl-C (or a TERM) as an event of the event loop: the signal handler only
// writes a byte to a pipe, and the loop then calls back between two of its
// turns, so that whatever has been printed is whole and a transfer can
// still send its closing request. The default handlers come back when the
// last one ends.
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace trennic::cli {

class Interrupt {
 public:
  explicit Interrupt(std::function<void()> onFire = {});
  ~Interrupt();
  Interrupt(const Interrupt&) = delete;
  Interrupt& operator=(const Interrupt&) = delete;

  bool fired() const { return fired_; }

 private:
  std::function<void()> onFire_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool fired_ = false;
};

}  // namespace trennic::cli
