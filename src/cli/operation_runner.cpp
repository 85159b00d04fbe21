#include "cli/operation_runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "cli/cli_context.h"
#include "platform/app/codepage.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace trennic::cli {

OperationRunner::OperationRunner(platform::EngineRuntime& runtime)
    : runtime_(runtime), driver_(runtime.link(), *this), interrupt_([this] { onInterrupt(); }) {
#ifndef _WIN32
  showBar_ = ::isatty(2) != 0;
#endif
}

OperationRunner::~OperationRunner() = default;

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
