// The desktop program's start: from creating the main window to its first
// paint, with the engine's tables, the node list and the socket on the way.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "core/app/settings.h"
#include "ui/app/main_menu_dialog.h"

namespace trennic::bench {

namespace {

struct FirstPaint : QObject {
  bool painted = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return false;
  }
};

}  // namespace

int runStartBench() {
  QTemporaryDir dir;
  CUtilityApp app;
  app.settings.settingsPath = dir.filePath("trennic.INI").toStdString();
  QElapsedTimer clock;
  clock.start();
  app.loadSettings();
  ui::CMainMenuDlg main(app, {"lo"});
  FirstPaint watch;
  main.installEventFilter(&watch);
  if (!main.initialise()) return 1;
  main.show();
  while (!watch.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf("start: settings, main window, tables, node list and socket to the first paint: %.1f ms (goal under 300 ms)\n", ms);
  return 0;
}

}  // namespace trennic::bench

#include "ui/protocol/progress_dialog.h"
#include "ui/registry/node_list_dialog.h"

namespace trennic::bench {

int runFillListBench() {
  QTemporaryDir dir;
  NodeTable nodes(dir.filePath("trennic.INI").toStdString());
  for (unsigned i = 0; i < kMaxNodes; ++i) {
    char mac[24], ip[24];
    std::snprintf(mac, sizeof mac, "00-80-92-00-%02X-%02X", i >> 8, i & 0xFF);
    std::snprintf(ip, sizeof ip, "127.0.%u.%u", i / 250, i % 250 + 2);
    NodeEntry e;
    e.mac = mac;
    e.ip = ip;
    e.version = "2.01";
    nodes.AddNode(e);
  }
  platform::EngineRuntime rt;
  ui::CProgressDlg progress(rt.link());
  ui::CNodeListDlg list(nodes, progress, nullptr);
  VectorNodeRows warm;
  nodes.FillRows(warm);
  QElapsedTimer clock;
  clock.start();
  nodes.FillRows(*list.list());
  double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf("list: filling the Access Point List with %zu nodes: %.1f ms (goal under 50 ms)\n", list.list()->rowCount(), ms);
  return list.list()->rowCount() == kMaxNodes ? 0 : 1;
}

}  // namespace trennic::bench
