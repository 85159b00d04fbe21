#include "cli/operation_runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <algorithm>
#include <csignal>
#include <cstdio>

#include "cli/cli_context.h"
#include "platform/app/codepage.h"

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

OperationRunner::OperationRunner(platform::EngineRuntime& runtime)
    : runtime_(runtime), driver_(runtime.link(), *this) {
#ifndef _WIN32
  showBar_ = ::isatty(2) != 0;
  if (interruptPipe[0] < 0 && ::pipe(interruptPipe) == 0) {
    ::fcntl(interruptPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(interruptPipe[1], F_SETFL, O_NONBLOCK);
  }
  if (interruptPipe[0] >= 0) {
    interruptNotifier_ = std::make_unique<QSocketNotifier>(interruptPipe[0], QSocketNotifier::Read);
    connect(interruptNotifier_.get(), &QSocketNotifier::activated, this, &OperationRunner::onInterrupt);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
  }
#endif
}

OperationRunner::~OperationRunner() {
#ifndef _WIN32
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
#endif
}

int OperationRunner::run(const OperationArgs& args, const OperationContext& context) {
  answers_.clear();
  done_ = false;
  shownResult_ = -1;
  // The label may be a name from the settings file; without one the first
  // line ("Searching...", marked where it is written) stands for it.
  label_ = shown(args.line2.empty() ? QCoreApplication::translate("cli", args.line1.c_str())
                                    : platform::decodeText(args.line2));
  driver_.open(args, context);
  driver_.start();
  QEventLoop loop;
  while (!done_ && !interrupted_) loop.processEvents(QEventLoop::WaitForMoreEvents);
  if (!done_) driver_.cancel();
  clearBar();
  // The long firmware message ends the operation as "aborted" so that no
  // second message follows; the command line tells it by its own status.
  if (shownResult_ == ResultOldFirmware) return ResultOldFirmware;
  return driver_.result();
}

void OperationRunner::onInterrupt() {
#ifndef _WIN32
  char buf[16];
  while (::read(interruptPipe[0], buf, sizeof buf) > 0) {
  }
#endif
  interrupted_ = true;
  // Cancel sends the closing request of a transfer before the loop ends.
  if (driver_.running()) driver_.cancel();
}

void OperationRunner::progress(int percent) {
  if (!showBar_ || quiet_) return;
  percent = std::clamp(percent, 0, 100);
  constexpr int width = 30;
  int filled = percent * width / 100;
  QTextStream err(stderr);
  err << "\r[" << QString(filled, '#') << QString(width - filled, ' ') << "] " << qSetFieldWidth(3) << percent
      << qSetFieldWidth(0) << "%  " << label_ << Qt::flush;
  barShown_ = true;
}

void OperationRunner::clearBar() {
  if (!barShown_) return;
  QTextStream(stderr) << "\r" << QString(40 + terminalColumns(label_), ' ') << "\r" << Qt::flush;
  barShown_ = false;
}

void OperationRunner::showResult(int result) {
  shownResult_ = result;
  clearBar();
  QString message = resultText(result);
  if (message.isEmpty()) return;
  QTextStream(stderr) << "trennic-cli: " << label_ << (label_.isEmpty() ? "" : ": ") << message << Qt::endl;
}

void OperationRunner::finished(bool) { done_ = true; }

void OperationRunner::restarting(Ipv4) {}

}  // namespace trennic::cli
