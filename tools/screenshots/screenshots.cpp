// Renders every window of the program with demo data to PNG files, headless,
// so that their layout can be looked at without a display.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QTabWidget>
#include <cmath>
#include <cstdio>
#include <deque>

#include "core/app/settings.h"
#include "core/protocol/packet.h"
#include "platform/app/language.h"
#include "ui/app/about_dialog.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/registry/node_edit_dialog.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_dialog.h"
#include "ui/status/traffic_chart.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/config/config_dialog.h"
#include "ui/registry/node_rows_view.h"
#include "unitsim/sim_options.h"
#include "unitsim/unit_model.h"

using namespace trennic;

namespace {

bool save(QWidget& w, const QString& folder, const char* name) {
  w.adjustSize();
  w.show();
  QApplication::processEvents();
  QString path = folder + "/" + name + ".png";
  bool ok = w.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  w.hide();
  return ok;
}

// A simulated unit answering in the same process, without sockets: the
// Status window's poll cycle runs against it as against a real one.
class DirectUnit : public DatagramSink {
 public:
  explicit DirectUnit(sim::UnitSettings s) : unit(std::move(s)) {}
  bool sendDatagram(Ipv4, std::uint16_t, std::span<const std::uint8_t> bytes) override {
    if (auto reply = unit.handle(bytes)) replies.push_back(std::move(*reply));
    return true;
  }
  void deliver(EngineLink& link) {
    while (!replies.empty()) {
      auto reply = std::move(replies.front());
      replies.pop_front();
      link.receive(reply, unit.ip(), kUnitPort);
    }
  }
  sim::SimUnit unit;
  std::deque<std::vector<std::uint8_t>> replies;
};

// Packets on both interfaces between two cycles, rising and falling in
// waves, and at cycle 25 the unit starts again from zero.
void addTraffic(sim::SimUnit& unit, int cycle) {
  constexpr std::uint32_t kEthernet = 0x00121000, kWireless = 0x00122000;
  struct Counter {
    std::uint32_t block, offset;
    double base, swing;
  };
  const Counter counters[] = {{kEthernet, 24, 420, 300}, {kEthernet, 48, 260, 180}, {kWireless, 24, 150, 120},
                              {kWireless, 48, 90, 60}};
  for (const Counter& c : counters) {
    auto word = unit.memory().read(c.block + c.offset, 4);
    std::uint32_t value = readLe32(word.data());
    if (cycle == 25) {
      value = 0;
    } else {
      const double perSecond = c.base + c.swing * std::sin(cycle / 4.0 + c.offset / 10.0);
      value += static_cast<std::uint32_t>(perSecond * 10);
    }
    writeLe32(word.data(), value);
    unit.memory().write(c.block + c.offset, word);
  }
}

// Every window, in the language installed, into `folder`.
bool renderAll(const QString& folder) {
  QDir().mkpath(folder);
  QTemporaryDir dir;
  CUtilityApp app;
  app.settings.settingsPath = dir.filePath("trennic.INI").toStdString();
  bool ok = true;

  ui::CMainMenuDlg main(app, {"lo"});
  ok &= save(main, folder, "main_window");

  // A list as a search leaves it.
  NodeTable& nodes = main.nodes();
  const char* demo[][4] = {{"Lobby", "00-80-92-00-00-01", "127.0.0.2", "2.01"},
                           {"", "00-80-92-00-00-02", "127.0.0.3", "1.11"},
                           {"Warehouse east", "00-80-92-00-00-03", "127.0.0.4", "1.20"},
                           {"", "00-80-92-00-00-04", "127.0.0.5", "1.30T"}};
  for (auto& d : demo) {
    NodeEntry e;
    e.name = d[0];
    e.mac = d[1];
    e.ip = d[2];
    e.version = d[3];
    nodes.AddNode(e);
  }
  ui::CNodeListDlg list(nodes, main.progress(), nullptr);
  ok &= save(list, folder, "access_point_list");

  // The Configuration window on the first unit's defaults, each page in turn.
  ui::CConfigDlg config(app, nodes, main.progress());
  config.show();
  const char* configPages[] = {"config_base", "config_wireless", "config_filter", "config_snmp", "config_spanning_tree"};
  for (int i = 0; i < ui::CConfigDlg::kPageCount; ++i) {
    config.tabs()->setCurrentIndex(i);
    ok &= save(config, folder, configPages[i]);
    config.show();
  }
  config.hide();

  app.settings.fileType = 1;
  ui::CFileMgmtDlg files(app, nodes, main.progress());
  files.show();
  files.list()->topLevelItem(0)->setSelected(true);
  files.list()->topLevelItem(2)->setSelected(true);
  ok &= save(files, folder, "file_management");

  ui::CNodeEditDlg editor(nodes);
  nodes.current = nodes.slot(0);
  QTimer::singleShot(0, &editor, [&] {
    ok &= save(editor, folder, "node_editor");
    editor.reject();
  });
  editor.edit(1);

  ui::CProgressDlg progress(main.engine().link());
  progress.setLines(platform::shownText("Reading..."), QStringLiteral("Lobby  (2/3)"));
  progress.progress(45);
  ok &= save(progress, folder, "progress_window");

  ui::CPasswordDlg password;
  password.useSameBox()->setVisible(true);
  password.passwordEdit()->setText("secret");
  ok &= save(password, folder, "password_window");

  ui::CPasswordChangeDlg change(progress);
  ok &= save(change, folder, "password_change_window");

  ui::CAboutDlg about;
  ok &= save(about, folder, "version_box");

  // The Status Information window after one poll cycle of a demo unit, each
  // page in turn; level 3 shows the unit's own status page too.
  sim::UnitSettings unitSettings = sim::defaultUnitSettings(1);
  unitSettings.wirelessNodes = 4;
  DirectUnit unit(unitSettings);
  EngineLink statusLink(unit);
  app.settings.displayLevel = 3;
  app.settings.scanTime = 0;
  ui::CStatusDlg status(app, nodes, statusLink, main.progress());
  status.show();
  status.poller().scanStart();
  unit.deliver(statusLink);
  const char* pages[] = {"status_environment",   "status_interfaces",       "status_wireless_node", "status_bridge",
                         "status_spanning_tree", "status_wireless_counter", "status_unit"};
  for (int i = 0; i < ui::CStatusDlg::kPageCount; ++i) {
    status.tabs()->setCurrentIndex(i);
    ok &= save(status, folder, pages[i]);
    status.show();
  }

  // The Traffic tab after forty cycles of a periodic scan ten seconds
  // apart, with traffic that comes and goes and a reboot half way.
  std::int64_t now = 0;
  status.setClock([&now] { return now += 10000; });
  status.intervalSlider()->setSeconds(10);
  status.poller().onSecond(status.intervalSlider()->value());
  status.poller().scanStart();
  unit.deliver(statusLink);
  for (int cycle = 1; cycle < 40; ++cycle) {
    addTraffic(unit.unit, cycle);
    for (std::uint32_t second = 0; second < status.poller().interval() && status.poller().step() == 0; ++second)
      status.poller().onSecond(status.intervalSlider()->value());
    unit.deliver(statusLink);
  }
  status.poller().stop();
  status.tabs()->setCurrentWidget(status.trafficPage());
  ok &= save(status, folder, "status_traffic");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const QString folder = argc > 1 ? QString(argv[1]) : QDir::currentPath() + "/screenshots";
  // English first: the Japanese translation, once installed, stays.
  bool ok = renderAll(folder + "/en");
  platform::installLanguage(platform::Language::Japanese);
  ok &= renderAll(folder + "/ja");
  return ok ? 0 : 1;
}
