#include <QApplication>
#include <cstdio>

#include "bench_support.h"

namespace trennic::bench {

bool startUnitsAndEngine(testing::SimProcess& sim, const QStringList& options, platform::EngineRuntime& rt,
                         const char* what) {
  if (!sim.start(options)) {
    std::fprintf(stderr, "%s bench: %s\n", what, qPrintable(sim.error()));
    return false;
  }
  rt.buildTables({"lo"});
  rt.link().setUnitPort(sim.port());
  if (rt.open()) return true;
  std::fprintf(stderr, "%s bench: the socket cannot be opened\n", what);
  return false;
}

}  // namespace trennic::bench

int main(int argc, char** argv) {
  // Benchmarks reach their simulated units through loopback only.
  qputenv("TRENNIC_INTERFACES", "lo");
  // The windows are measured without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString only = argc > 1 ? QString(argv[1]) : QString();
  int status = 0;
  if (only.isEmpty() || only == "transfer") status |= trennic::bench::runTransferBench();
  if (only.isEmpty() || only == "search") status |= trennic::bench::runSearchScaleBench();
  if (only.isEmpty() || only == "start") status |= trennic::bench::runStartBench();
  if (only.isEmpty() || only == "list") status |= trennic::bench::runFillListBench();
  return status;
}
