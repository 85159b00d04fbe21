#include <QCoreApplication>
#include <cstdio>

#include "bench_support.h"

int main(int argc, char** argv) {
  // Benchmarks reach their simulated units through loopback only.
  qputenv("TRENNIC_INTERFACES", "lo");
  QCoreApplication app(argc, argv);
  QString only = argc > 1 ? QString(argv[1]) : QString();
  int status = 0;
  if (only.isEmpty() || only == "transfer") status |= trennic::bench::runTransferBench();
  if (only.isEmpty() || only == "search") status |= trennic::bench::runSearchScaleBench();
  return status;
}
