#include "ui/app/main_menu_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "core/protocol/operations.h"
#include "platform/app/local_time.h"
#include "ui/app/about_dialog.h"
#include "ui/app/system_menu.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/registry/node_list_dialog.h"
#include "ui/status/status_dialog.h"
#include "ui/files/file_mgmt_dialog.h"
#include "ui/config/config_dialog.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

namespace {

struct ButtonText {
  const char* button;
  const char* caption;
  const char* description;
};
constexpr ButtonText kButtons[5] = {
    {"Edit", "Node Registration", "Register node list."},
    {"Configuration", "Configuration", "Maintain configuration information."},
    {"File Management", "File Management", "Maintain firmware file and configuration file."},
    {"Status", "Status", "Display status information."},
    {"Exit", "Exit", "Program exit."},
};

}  // namespace

int runModal(QDialog& window) {
  QEventLoop loop;
  int result = QDialog::Rejected;
  auto done = QObject::connect(&window, &QDialog::finished, &loop, [&](int r) {
    result = r;
    loop.quit();
  });
  const Qt::WindowModality before = window.windowModality();
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  loop.exec(QEventLoop::DialogExec);
  QObject::disconnect(done);
  window.setWindowModality(before);
  return result;
}

CMainMenuDlg::CMainMenuDlg(CUtilityApp& app, const QStringList& interfaces, QWidget* parent)
    : QDialog(parent), app_(app), interfaces_(interfaces), nodes_(app.settings.settingsPath) {
  setWindowTitle(QString::fromStdString(app_.settings.title));
  setWindowIcon(programIcon(300));
  setWindowFlag(Qt::WindowMinimizeButtonHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 5; ++i) {
    auto* b = new QToolButton(this);
    b->setIcon(programIcon(301 + i));
    b->setIconSize(QSize(48, 48));
    b->setAccessibleName(QString::fromLatin1(kButtons[i].button));
    b->setToolTip(QString::fromLatin1(kButtons[i].button));
    b->setAutoRaise(false);
    buttons_[i] = b;
    auto* caption = new QLabel(QStringLiteral("<b>%1</b><br>%2")
                                   .arg(QString::fromLatin1(kButtons[i].caption),
                                        QString::fromLatin1(kButtons[i].description)),
                               this);
    grid->addWidget(b, i, 0);
    grid->addWidget(caption, i, 1);
  }
  grid->setColumnStretch(1, 1);
  connect(buttons_[4], &QToolButton::clicked, this, &QDialog::accept);

  progress_ = std::make_unique<CProgressDlg>(engine_.link(), this);
  nodeList_ = std::make_unique<CNodeListDlg>(nodes_, *progress_, this);
  connect(buttons_[0], &QToolButton::clicked, this, [this] { runTaskWindow(1, *nodeList_); });
  status_ = std::make_unique<CStatusDlg>(app_, nodes_, engine_.link(), *progress_, this);
  status_->setWindowIcon(windowIcon());
  connect(buttons_[3], &QToolButton::clicked, this, [this] { runTaskWindow(4, *status_); });
  fileMgmt_ = std::make_unique<CFileMgmtDlg>(app_, nodes_, *progress_, this);
  fileMgmt_->setWindowIcon(windowIcon());
  connect(buttons_[2], &QToolButton::clicked, this, [this] { runTaskWindow(3, *fileMgmt_); });
  config_ = std::make_unique<CConfigDlg>(app_, nodes_, *progress_, this);
  config_->setWindowIcon(windowIcon());
  connect(buttons_[1], &QToolButton::clicked, this, [this] { runTaskWindow(2, *config_); });

  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    tray_ = new QSystemTrayIcon(programIcon(300), this);
    tray_->setToolTip(QString::fromStdString(app_.settings.title));
    auto* menu = new QMenu(this);
    // Built afresh each time so that the check marks are current.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
      menu->clear();
      menu->addAction(tr("Restore(&R)"), this, &CMainMenuDlg::restoreFromTray);
      menu->addAction(tr("Version(&A)"), this, &CMainMenuDlg::showVersion);
      addDisplayItems(menu);
      menu->addSeparator();
      menu->addAction(tr("Exit(&X)"), this, &QDialog::accept);
    });
    tray_->setContextMenu(menu);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
      if (r == QSystemTrayIcon::DoubleClick) restoreFromTray();
    });
    tray_->show();
  }
  if (sysmenu::available()) QCoreApplication::instance()->installNativeEventFilter(this);
}

CMainMenuDlg::~CMainMenuDlg() {
  if (sysmenu::available()) QCoreApplication::instance()->removeNativeEventFilter(this);
  engine_.close();
}

bool CMainMenuDlg::initialise() {
  AppSettings& s = app_.settings;
  adjustSize();
  if (s.regWinX == -1 || s.regWinY == -1) {
    s.regWinX = pos().x();
    s.regWinY = pos().y();
  }
  move(s.regWinX, s.regWinY);
  extendSystemMenu(this);
  applyTopmost(this);
  engine_.buildTables(interfaces_);
  debugLog_ = std::make_unique<DebugLog>(s.debugLogPath, s.debugLog, platform::localTimeText);
  if (s.debugLog) {
    const auto& host = engine_.transport().localHost();
    debugLog_->writeHostDescription(host.hostName, host.addresses, host.adapterMacs);
    engine_.link().setObserver(debugLog_.get());
  }
  nodes_.loadFromSettings();
  if (!engine_.open()) {
    showResultMessage(this, ResultNoTcpIp);
    return false;
  }
  return true;
}

int CMainMenuDlg::run() { return runModal(*this); }

void CMainMenuDlg::applyTopmost(QWidget* w) const {
  // Told to the window system directly: setWindowFlags would hide and
  // re-create the window, losing its place and its extended system menu.
  Qt::WindowFlags flags = w->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, app_.settings.topWin != 0);
  w->overrideWindowFlags(flags);
  if (QWindow* handle = w->windowHandle()) handle->setFlags(flags);
}

void CMainMenuDlg::placeWindow(QWidget* w) const { w->move(pos()); }

int CMainMenuDlg::runTaskWindow(int which, QDialog& window) {
  placeWindow(&window);
  applyTopmost(&window);
  extendSystemMenu(&window);
  window.installEventFilter(this);
  hide();
  activeWindow_ = which;
  activeTask_ = &window;
  int result = runModal(window);
  window.removeEventFilter(this);
  rememberPlacement(&window);
  activeTask_ = nullptr;
  activeWindow_ = 0;
  move(app_.settings.regWinX, app_.settings.regWinY);
  show();
  return result;
}

void CMainMenuDlg::rememberPlacement(const QWidget* w) {
  app_.settings.regWinX = w->pos().x();
  app_.settings.regWinY = w->pos().y();
}

void CMainMenuDlg::toggleUsualDisplay() {
  app_.settings.topWin = app_.settings.topWin ? 0 : 1;
  // The open task window follows the main window's choice; switched off, the
  // window stays in front of the ordinary windows rather than dropping back.
  for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(activeTask_)}) {
    if (!w) continue;
    applyTopmost(w);
    if (!app_.settings.topWin && w->isVisible()) w->raise();
  }
  updateSystemMenuChecks();
}

void CMainMenuDlg::toggleSaveDisplayPosition() {
  app_.settings.dispSave = app_.settings.dispSave ? 0 : 1;
  updateSystemMenuChecks();
}

void CMainMenuDlg::extendSystemMenu(QWidget* w) {
  if (sysmenu::available())
    sysmenu::extend(static_cast<std::uintptr_t>(w->winId()), app_.settings.topWin != 0, app_.settings.dispSave != 0);
}

void CMainMenuDlg::updateSystemMenuChecks() {
  if (!sysmenu::available()) return;
  for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(activeTask_)})
    if (w) sysmenu::setChecks(static_cast<std::uintptr_t>(w->winId()), app_.settings.topWin != 0, app_.settings.dispSave != 0);
}

bool CMainMenuDlg::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (!eventType.startsWith("windows_")) return false;
  switch (sysmenu::chosenCommand(message)) {
    case sysmenu::kVersion:
      showVersion();
      return true;
    case sysmenu::kUsualDisplay:
      toggleUsualDisplay();
      return true;
    case sysmenu::kSaveDisplayPosition:
      toggleSaveDisplayPosition();
      return true;
    default:
      return false;
  }
}

void CMainMenuDlg::showVersion() {
  CAboutDlg about(this);
  about.exec();
}

void CMainMenuDlg::addDisplayItems(QMenu* menu) {
  menu->addSeparator();
  QAction* usual = menu->addAction(tr("Usual Display"), this, &CMainMenuDlg::toggleUsualDisplay);
  usual->setCheckable(true);
  usual->setChecked(app_.settings.topWin != 0);
  menu->addSeparator();
  QAction* save = menu->addAction(tr("Save Display Position"), this, &CMainMenuDlg::toggleSaveDisplayPosition);
  save->setCheckable(true);
  save->setChecked(app_.settings.dispSave != 0);
}

QMenu* CMainMenuDlg::windowMenu(QWidget* owner) {
  auto* menu = new QMenu(owner);
  menu->addAction(tr("Version(&A)..."), this, &CMainMenuDlg::showVersion);
  addDisplayItems(menu);
  return menu;
}

void CMainMenuDlg::popupWindowMenu(QWidget* owner, const QPoint& globalPos) {
  // Where the real system menu carries these items, the background keeps
  // its ordinary behaviour.
  if (sysmenu::available()) return;
  QMenu* menu = windowMenu(owner);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

void CMainMenuDlg::contextMenuEvent(QContextMenuEvent* e) { popupWindowMenu(this, e->globalPos()); }

bool CMainMenuDlg::eventFilter(QObject* watched, QEvent* e) {
  if (watched == activeTask_) {
    // A right click that no control of the task window wanted reaches the
    // window itself: its background.
    if (e->type() == QEvent::ContextMenu && !sysmenu::available()) {
      popupWindowMenu(activeTask_, static_cast<QContextMenuEvent*>(e)->globalPos());
      return true;
    }
    if (e->type() == QEvent::WindowStateChange && (activeTask_->windowState() & Qt::WindowMinimized))
      minimised(activeTask_);
  }
  return QDialog::eventFilter(watched, e);
}

void CMainMenuDlg::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) minimised(this);
}

void CMainMenuDlg::minimised(QWidget* w) {
  if (!tray_) return;
  app_.settings.windowsShown = false;
  QTimer::singleShot(0, w, &QWidget::hide);
}

void CMainMenuDlg::restoreFromTray() {
  app_.settings.windowsShown = true;
  // The open task window comes back, not the main window behind it.
  QWidget* w = activeTask_ ? static_cast<QWidget*>(activeTask_) : this;
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  w->activateWindow();
}

void CMainMenuDlg::closeEvent(QCloseEvent* e) {
  rememberPlacement(this);
  QDialog::closeEvent(e);
}

}  // namespace trennic::ui
