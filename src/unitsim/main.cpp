// trennic-unitsim: hosts simulated units on loopback until SIGINT or SIGTERM.
#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "core/app/version.h"
#include "unitsim/sim_options.h"
#include "unitsim/sim_server.h"

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitFailure = 1;

int signalPipe[2] = {-1, -1};

// Only write(2) in here: the event loop picks the byte up and quits in peace.
void onSignal(int) {
  int saved = errno;
  const char byte = 1;
  [[maybe_unused]] auto n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

bool installSignalHandlers() {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  struct sigaction sa = {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  return ::sigaction(SIGINT, &sa, nullptr) == 0 && ::sigaction(SIGTERM, &sa, nullptr) == 0;
}

// A thousand units need a thousand sockets; the usual soft limit of 1024
// descriptors would stop short of that.
void raiseDescriptorLimit(std::size_t units) {
  struct rlimit rl = {};
  if (::getrlimit(RLIMIT_NOFILE, &rl) != 0) return;
  rlim_t want = static_cast<rlim_t>(units) + 64;
  if (rl.rlim_cur >= want) return;
  rl.rlim_cur = rl.rlim_max == RLIM_INFINITY || rl.rlim_max >= want ? want : rl.rlim_max;
  ::setrlimit(RLIMIT_NOFILE, &rl);
}

}  // namespace

int main(int argc, char** argv) {
  // Options first, before Qt sets the process locale, so "0.5" always reads
  // the same.
  std::vector<std::string> args(argv + 1, argv + argc);
  trennic::sim::SimOptions options;
  std::string message;
  switch (trennic::sim::parseSimOptions(args, options, message)) {
    case trennic::sim::ParseOutcome::Help:
      std::fputs(trennic::sim::simUsage().c_str(), stdout);
      return 0;
    case trennic::sim::ParseOutcome::Version:
      std::printf("%s\n", trennic::kVersionLine);
      return 0;
    case trennic::sim::ParseOutcome::Error:
      std::fprintf(stderr, "trennic-unitsim: %s\n", message.c_str());
      return kExitUsage;
    case trennic::sim::ParseOutcome::Run:
      break;
  }

  raiseDescriptorLimit(options.units.size());
  QCoreApplication app(argc, argv);
  if (!installSignalHandlers()) {
    std::fprintf(stderr, "trennic-unitsim: cannot install signal handlers\n");
    return kExitFailure;
  }
  QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, &app, [] {
    char buf[16];
    while (::read(signalPipe[0], buf, sizeof buf) > 0) {
    }
    QCoreApplication::quit();
  });

  trennic::sim::SimServer server(std::move(options));
  QString error;
  if (!server.start(&error)) {
    std::fprintf(stderr, "trennic-unitsim: %s\n", error.toLocal8Bit().constData());
    return kExitFailure;
  }
  std::printf("trennic-unitsim: ready port=%u units=%zu\n", static_cast<unsigned>(server.port()), server.unitCount());
  std::fflush(stdout);

  int rc = app.exec();
  server.stop();
  return rc;
}
