#pragma once
// The main window: five large buttons that open the task windows, the
// notification icon, and the engine that every task window runs its
// operations through.
#include <QAbstractNativeEventFilter>
#include <QDialog>
#include <QSystemTrayIcon>
#include <memory>

#include "core/app/debug_log.h"
#include "core/app/settings.h"
#include "core/registry/node_table.h"
#include "platform/protocol/engine_runtime.h"

class QAction;
class QMenu;
class QToolButton;

namespace trennic::ui {

// Runs a window until it is finished (accepted, rejected or closed). Unlike
// QDialog::exec, hiding the window does not end the run, so windows can wait
// hidden in the notification area and come back. Only one of the main and
// task windows shows at a time, so there is nothing for the window to block;
// left without modality it blocks neither the notification icon nor its menu.
int runWindow(QDialog& window);

class CProgressDlg;
class CNodeListDlg;
class CStatusDlg;
class CFileMgmtDlg;
class CConfigDlg;

class CMainMenuDlg : public QDialog, public QAbstractNativeEventFilter {
  Q_OBJECT
 public:
  CMainMenuDlg(CUtilityApp& app, const QStringList& interfaces, QWidget* parent = nullptr);
  ~CMainMenuDlg() override;

  // Builds the tables, loads the node list, starts the engine tick and opens
  // the socket; false when the socket cannot be opened (the message is out).
  bool initialise();
  // Shows the window and runs it until Exit; the result of the dialog.
  int run();

  platform::EngineRuntime& engine() { return engine_; }
  NodeTable& nodes() { return nodes_; }
  CProgressDlg& progress() { return *progress_; }
  CNodeListDlg& nodeList() { return *nodeList_; }
  CStatusDlg& status() { return *status_; }
  CFileMgmtDlg& fileManagement() { return *fileMgmt_; }
  CConfigDlg& configuration() { return *config_; }
  QToolButton* button(int index) const { return buttons_[index]; }
  int activeWindow() const { return activeWindow_; }
  // The open task window, or nothing while the main window is showing.
  QDialog* activeTaskWindow() const { return activeTask_; }

  // Opens a task window (1 Access Point List, 2 Configuration, 3 File
  // Management, 4 Status Information) in the main window's place while the
  // main window waits hidden; the main window comes back where the task
  // window was closed.
  int runTaskWindow(int which, QDialog& window);

  // The shared placement: every window opens where the last one closed.
  void placeWindow(QWidget* w) const;
  void rememberPlacement(const QWidget* w);
  // The window the user is working in: the open task window, or this one.
  // Every other window the program shows belongs to it.
  QWidget* workingWindow() const;

  // Ends the program from whatever is open: a transfer is cancelled as
  // Cancel cancels it, every other window is closed as if cancelled, the
  // task window is finished, and the run of the main window ends.
  void requestExit();
  bool exiting() const { return exiting_; }

  void toggleUsualDisplay();
  void toggleSaveDisplayPosition();
  void showVersion();
  // The actions shared by every window's context menu and the tray menu.
  QMenu* windowMenu(QWidget* owner);
  // The notification icon's menu; it exists where there is no notification
  // area too, only nothing shows it there.
  QMenu* trayMenu() const { return trayMenu_; }
  // Shows the open task window (or the main window) again after it was hidden
  // to the notification area.
  void restoreFromTray();
  // A second start of the program asks for it: every window hidden to the
  // notification area comes back, and the window the user worked in (a
  // message or prompt open over it, if there is one) comes to the front
  // with the keyboard.
  void bringBack();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void changeEvent(QEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void done(int result) override;

 private:
  // Gives a window the shared system menu items, or where the platform has
  // no menu to extend, nothing: the context menu stands in.
  void extendSystemMenu(QWidget* w);
  void updateSystemMenuChecks();
  void popupWindowMenu(QWidget* owner, const QPoint& globalPos);
  // Minimised, the program waits in the notification area; without one the
  // window stays an ordinary minimised window, so it can never become
  // unreachable.
  void minimised(QWidget* w);
  // "Usual Display" and "Save Display Position" with their check marks.
  void addDisplayItems(QMenu* menu);
  void updateDisplayChecks(QMenu* menu) const;
  void applyTopmost(QWidget* w) const;
  // A window of the program other than the main and task windows is about
  // to show: it follows "Usual Display", and while the program ends it is
  // closed as soon as it opens.
  void ownedWindowShowing(QDialog* w);

  CUtilityApp& app_;
  QStringList interfaces_;
  platform::EngineRuntime engine_;
  NodeTable nodes_;
  std::unique_ptr<CProgressDlg> progress_;
  std::unique_ptr<DebugLog> debugLog_;
  std::unique_ptr<CNodeListDlg> nodeList_;
  std::unique_ptr<CStatusDlg> status_;
  std::unique_ptr<CFileMgmtDlg> fileMgmt_;
  std::unique_ptr<CConfigDlg> config_;
  QToolButton* buttons_[5] = {};
  QSystemTrayIcon* tray_ = nullptr;
  QMenu* trayMenu_ = nullptr;
  int activeWindow_ = 0;
  QDialog* activeTask_ = nullptr;
  bool exiting_ = false;
};

}  // namespace trennic::ui
