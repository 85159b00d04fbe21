#include "cli/interrupt.h"

#include <csignal>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace trennic::cli {

namespace {

#ifndef _WIN32
int interruptPipe[2] = {-1, -1};

void onSignal(int) {
  char c = 1;
  ssize_t ignored = ::write(interruptPipe[1], &c, 1);
  (void)ignored;
}
#endif

}  // namespace

Interrupt::Interrupt(std::function<void()> onFire) : onFire_(std::move(onFire)) {
#ifndef _WIN32
  if (interruptPipe[0] < 0 && ::pipe(interruptPipe) == 0) {
    ::fcntl(interruptPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(interruptPipe[1], F_SETFL, O_NONBLOCK);
  }
  if (interruptPipe[0] < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(interruptPipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char buf[16];
    while (::read(interruptPipe[0], buf, sizeof buf) > 0) {
    }
    fired_ = true;
    if (onFire_) onFire_();
  });
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
#endif
}

Interrupt::~Interrupt() {
#ifndef _WIN32
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
#endif
}

}  // namespace trennic::cli
