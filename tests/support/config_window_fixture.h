#pragma once
// The Configuration window as the main window opens it, over a settings
// file of its own, with no unit to talk to: enough for the pages' own tests.
#include <QTemporaryDir>
#include <memory>

#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"
#include "ui/config/config_dialog.h"
#include "ui/protocol/progress_dialog.h"

namespace trennic::testing {

struct ConfigWindowFixture {
  QTemporaryDir dir;
  CUtilityApp app;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<ui::CProgressDlg> progress;
  std::unique_ptr<ui::CConfigDlg> window;

  // Opens the window with one registered unit (MAC 00-11-22-AB-CD-EF) at
  // the given display level.
  ui::CConfigDlg& open(int displayLevel = 0) {
    app.settings.displayLevel = displayLevel;
    app.settings.settingsPath = dir.filePath("trennic.INI").toStdString();
    nodes = std::make_unique<NodeTable>(app.settings.settingsPath);
    NodeEntry e;
    e.name = "Lobby";
    e.mac = "00-11-22-AB-CD-EF";
    e.ip = "127.0.0.2";
    nodes->AddNode(e);
    rt = std::make_unique<platform::EngineRuntime>();
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
    window = std::make_unique<ui::CConfigDlg>(app, *nodes, *progress);
    window->show();
    return *window;
  }
};

}  // namespace trennic::testing
