// Scale: one search answered by 1024 simulated units at once.
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "core/registry/node_table.h"
#include "support/sim_process.h"

namespace trennic::bench {

int runSearchScaleBench() {
  testing::SimProcess sim;
  platform::EngineRuntime rt;
  if (!startUnitsAndEngine(sim, {"--units", "1024"}, rt, "search")) return 1;
  QTemporaryDir dir;
  NodeTable nodes(dir.filePath("trennic.INI").toStdString());
  VectorNodeRows rows;
  nodes.FillRows(rows);
  OperationArgs a;
  a.operation = OpSearch;
  OperationContext c;
  c.nodes = &nodes;
  c.rows = &rows;
  TimedHost host;
  Timed t;
  {
    NodeTable::Batch batch(nodes);
    t = runOperation(rt, a, c, host);
  }
  std::printf("search: %zu of 1024 units merged (%d answers) in %d ticks, %.2f s; receive buffer %d bytes\n",
              nodes.usedCount, host.answers, t.ticks, t.seconds, rt.transport().report().receiveBufferBytes);
  return nodes.usedCount == 1024 ? 0 : 1;
}

}  // namespace trennic::bench
