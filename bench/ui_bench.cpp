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
