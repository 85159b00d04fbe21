#pragma once
// Every window a user can reach, in the fullest form the command line
// gives it (the detail level and the debug display show the most fields),
// opened one after another for a check that walks them all. A window left
// out of this table is a window no walk looks at, so every walk shares it.
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/app/settings.h"
#include "core/config/ap_config.h"
#include "core/filters/filter_tables.h"
#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"
#include "support/modal_watch.h"
#include "ui/app/about_dialog.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/config/config_dialog.h"
#include "ui/config/filter_page.h"
#include "ui/config/wireless_page.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_edit_dialog.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_dialog.h"

namespace trennic::testing {

class EveryWindow {
 public:
  using Walk = std::function<void(QWidget*)>;
  using Opener = std::function<void(const Walk&)>;

  // The one node of the list the windows show.
  static constexpr const char* kNodeName = "Lobby";
  static constexpr const char* kNodeMac = "00-11-22-AB-CD-EF";

  EveryWindow() {
    app.settings.settingsPath = dir_.filePath("trennic.INI").toStdString();
    app.settings.displayLevel = 3;
    app.settings.debugDisplay = true;
    nodes = std::make_unique<NodeTable>(app.settings.settingsPath);
    NodeEntry e;
    e.name = kNodeName;
    e.mac = kNodeMac;
    e.ip = "127.0.0.2";
    nodes->AddNode(e);
    rt_ = std::make_unique<platform::EngineRuntime>();
    progress_ = std::make_unique<ui::CProgressDlg>(rt_->link());
  }

  // Each window opened, handed to `walk` while it is up, and closed; the
  // progress window of the task windows is made anew each time, in the
  // language then installed.
  std::vector<std::pair<QString, Opener>> windows() {
    auto shown = [](auto make) {
      return [make](const Walk& walk) {
        auto w = make();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        walk(w.get());
      };
    };
    auto modal = [this](auto type, std::function<void()> open) {
      return [this, open](const Walk& walk) {
        using T = typename decltype(type)::type;
        auto seen = watchers_.onModal<T>([walk](T* w) { walk(w); });
        open();
        QVERIFY(*seen);
        watchers_.clear();
      };
    };
    auto progress = [this] {
      progress_ = std::make_unique<ui::CProgressDlg>(rt_->link());
      return progress_.get();
    };
    return {
        {"main window", shown([this] {
           auto w = std::make_unique<ui::CMainMenuDlg>(app, QStringList{"lo"});
           w->initialise();
           return w;
         })},
        {"Access Point List", shown([this, progress] { return std::make_unique<ui::CNodeListDlg>(*nodes, *progress()); })},
        {"node editor", modal(std::type_identity<ui::CNodeEditDlg>{}, [this] {
           ui::CNodeEditDlg d(*nodes);
           d.edit(0);
         })},
        {"Configuration",
         shown([this, progress] { return std::make_unique<ui::CConfigDlg>(app, *nodes, *progress()); })},
        {"login priority editor", modal(std::type_identity<ui::CLoginPriorityDlg>{}, [this] {
           ui::CLoginPriorityDlg d(record_);
           d.edit(0);
         })},
        {"MAC filter editor", modal(std::type_identity<ui::CMacFilterDlg>{}, [this] {
           ui::CMacFilterDlg d(app.settings.displayLevel);
           d.edit(MacFilterBlock(record_), 0, MacFilterEntry{});
         })},
        {"protocol filter editor", modal(std::type_identity<ui::CProtFilterDlg>{}, [this] {
           ui::CProtFilterDlg d(app.settings.displayLevel);
           d.edit(ProtocolFilterBlock(record_), 0, ProtocolFilterEntry{});
         })},
        {"File Management",
         shown([this, progress] { return std::make_unique<ui::CFileMgmtDlg>(app, *nodes, *progress()); })},
        {"Status Information", shown([this, progress] {
           return std::make_unique<ui::CStatusDlg>(app, *nodes, rt_->link(), *progress());
         })},
        {"Version Information", shown([] { return std::make_unique<ui::CAboutDlg>(); })},
        {"progress", shown([this] { return std::make_unique<ui::CProgressDlg>(rt_->link()); })},
        {"password", modal(std::type_identity<ui::CPasswordDlg>{}, [] {
           ui::CPasswordDlg d;
           int useSame = 1;
           PasswordField password{};
           d.ask(kNodeName, &useSame, &password);
         })},
        {"password change", modal(std::type_identity<ui::CPasswordChangeDlg>{}, [progress] {
           ui::CPasswordChangeDlg d(*progress());
           d.ask(kMulticastGroup, kMulticastGroup, MacAddress::broadcast(), kNodeName);
         })},
        {"confirmation", modal(std::type_identity<ui::CConfirmDlg>{}, [] {
           ui::CConfirmDlg d;
           d.ask(ui::CConfigDlg::tr("Reboot ?"));
         })},
        {"message", modal(std::type_identity<QMessageBox>{}, [] { ui::showErrorMessage(nullptr, ui::CConfigDlg::tr("No select.")); })},
    };
  }

  CUtilityApp app;
  std::unique_ptr<NodeTable> nodes;

 private:
  QTemporaryDir dir_;
  std::unique_ptr<platform::EngineRuntime> rt_;
  std::unique_ptr<ui::CProgressDlg> progress_;
  ModalWatchers watchers_;
  ApConfig record_;
};

}  // namespace trennic::testing
