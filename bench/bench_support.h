#pragma once
// Running one operation of the real engine in-process, against simulated
// units, and timing it.
#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>

#include "core/protocol/operation_driver.h"
#include "platform/protocol/engine_runtime.h"
#include "support/sim_process.h"

namespace trennic::bench {

class TimedHost : public DriverHost {
 public:
  void progress(int) override {}
  void showResult(int r) override { shown = r; }
  void finished(bool ok) override {
    success = ok;
    done = true;
  }
  void unitAnswered(const UnitIdentity&) override { ++answers; }
  bool done = false, success = false;
  int shown = -1, answers = 0;
};

struct Timed {
  bool success = false;
  double seconds = 0;
  int ticks = 0;
};

// Runs an operation to its end on the given runtime.
inline Timed runOperation(platform::EngineRuntime& rt, const OperationArgs& args, const OperationContext& ctx,
                          TimedHost& host) {
  OperationDriver driver(rt.link(), host);
  std::uint64_t ticksBefore = rt.ticks();
  auto start = std::chrono::steady_clock::now();
  driver.open(args, ctx);
  driver.start();
  QEventLoop loop;
  while (!host.done) loop.processEvents(QEventLoop::WaitForMoreEvents);
  auto end = std::chrono::steady_clock::now();
  return {host.success, std::chrono::duration<double>(end - start).count(), static_cast<int>(rt.ticks() - ticksBefore)};
}

// Simulated units on a port of their own, and the engine opened towards
// them through loopback; false (with a message out) when either fails.
bool startUnitsAndEngine(testing::SimProcess& sim, const QStringList& options, platform::EngineRuntime& rt,
                         const char* what);

int runTransferBench();
int runSearchScaleBench();
int runStartBench();
int runFillListBench();

}  // namespace trennic::bench
