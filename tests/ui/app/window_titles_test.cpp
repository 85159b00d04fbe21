// Every window of the program is wide enough for its whole title, at the
// default font: the title bar holds the icon, the title and the buttons.
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"
#include "support/modal_watch.h"
#include "ui/app/about_dialog.h"
#include "ui/app/main_menu_dialog.h"
#include "ui/app/task_window.h"
#include "ui/config/config_dialog.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_edit_dialog.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_dialog.h"

using namespace trennic;

class WindowTitlesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  CUtilityApp app;
  std::unique_ptr<NodeTable> nodes;
  std::unique_ptr<platform::EngineRuntime> rt;
  std::unique_ptr<ui::CProgressDlg> progress;
  testing::ModalWatchers watchers;

  // The window as the program shows it: shown, or opened modally and
  // measured while it is up.
  using Measure = std::function<void(QWidget*)>;
  using Opener = std::function<void(const Measure&)>;
  std::vector<std::pair<QString, Opener>> windows() {
    auto shown = [](auto make) {
      return [make](const Measure& measure) {
        auto w = make();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        measure(w.get());
      };
    };
    auto modal = [this](auto type, std::function<void()> open) {
      return [this, open](const Measure& measure) {
        using T = typename decltype(type)::type;
        auto seen = watchers.onModal<T>([measure](T* w) { measure(w); });
        open();
        QVERIFY(*seen);
      };
    };
    return {
        {"main window", shown([this] {
           auto w = std::make_unique<ui::CMainMenuDlg>(app, QStringList{"lo"});
           w->initialise();
           return w;
         })},
        {"Access Point List", shown([this] { return std::make_unique<ui::CNodeListDlg>(*nodes, *progress); })},
        {"Configuration", shown([this] { return std::make_unique<ui::CConfigDlg>(app, *nodes, *progress); })},
        {"File Management", shown([this] { return std::make_unique<ui::CFileMgmtDlg>(app, *nodes, *progress); })},
        {"Status Information",
         shown([this] { return std::make_unique<ui::CStatusDlg>(app, *nodes, rt->link(), *progress); })},
        {"Version Information", shown([] { return std::make_unique<ui::CAboutDlg>(); })},
        {"progress", shown([this] { return std::make_unique<ui::CProgressDlg>(rt->link()); })},
        {"node editor", modal(std::type_identity<ui::CNodeEditDlg>{}, [this] {
           ui::CNodeEditDlg d(*nodes);
           d.edit(0);
         })},
        {"password", modal(std::type_identity<ui::CPasswordDlg>{}, [] {
           ui::CPasswordDlg d;
           int useSame = 1;
           PasswordField password{};
           d.ask("Lobby", &useSame, &password);
         })},
        {"password change", modal(std::type_identity<ui::CPasswordChangeDlg>{}, [this] {
           ui::CPasswordChangeDlg d(*progress);
           d.ask(kMulticastGroup, kMulticastGroup, MacAddress::broadcast(), "Lobby");
         })},
        {"confirmation", modal(std::type_identity<ui::CConfirmDlg>{}, [] {
           ui::CConfirmDlg d;
           d.ask("Reboot?");
         })},
        {"message", modal(std::type_identity<QMessageBox>{}, [] { ui::showErrorMessage(nullptr, "No select."); })},
        {"question", modal(std::type_identity<QMessageBox>{}, [] { ui::askYesNo(nullptr, "Write it anyway?"); })},
    };
  }

 private slots:
  void initTestCase() {
    app.settings.settingsPath = dir.filePath("trennic.INI").toStdString();
    nodes = std::make_unique<NodeTable>(app.settings.settingsPath);
    rt = std::make_unique<platform::EngineRuntime>();
    progress = std::make_unique<ui::CProgressDlg>(rt->link());
  }
  void cleanup() { watchers.clear(); }

  void everyWindowHoldsItsTitle() {
    QStringList measured, cut;
    for (const auto& [name, open] : windows()) {
      open([&, name = name](QWidget* w) {
        measured << name;
        if (w->width() < ui::titleBarWidth(w))
          cut << QString("%1 \"%2\": %3 pixels wide, the title bar needs %4")
                     .arg(name, w->windowTitle())
                     .arg(w->width())
                     .arg(ui::titleBarWidth(w));
      });
      if (QTest::currentTestFailed()) return;
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
    QCOMPARE(measured.size(), int(windows().size()));
  }

  // What the title bar needs grows with the title and with its buttons.
  void aLongerTitleOrMoreButtonsNeedMoreRoom() {
    QWidget w;
    w.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    w.setWindowTitle("Trennic");
    const int one = ui::titleBarWidth(&w);
    w.setWindowTitle("Version Information");
    const int longer = ui::titleBarWidth(&w);
    QVERIFY(longer > one);
    w.setWindowFlags(w.windowFlags() | Qt::WindowMinimizeButtonHint);
    QVERIFY(ui::titleBarWidth(&w) > longer);
    ui::keepTitleWhole(&w);
    QCOMPARE(w.minimumWidth(), ui::titleBarWidth(&w));
  }
};

QTEST_MAIN(WindowTitlesTest)
#include "window_titles_test.moc"
