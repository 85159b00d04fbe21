#include "ui/app/main_menu_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include "core/protocol/operations.h"
#include "platform/app/local_time.h"
#include "ui/app/about_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/registry/node_list_dialog.h"
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
  // The task windows still to come say so by being unavailable.
  for (int i = 1; i < 4; ++i) buttons_[i]->setEnabled(false);
  connect(buttons_[4], &QToolButton::clicked, this, &QDialog::accept);

  progress_ = std::make_unique<CProgressDlg>(engine_.link(), this);
  nodeList_ = std::make_unique<CNodeListDlg>(nodes_, *progress_, this,
                                             [this](QWidget* owner) { return windowMenu(owner); });
  nodeList_->minimised = [this](QWidget* w) {
    if (!tray_) return;
    app_.settings.windowsShown = false;
    w->hide();
  };
  connect(buttons_[0], &QToolButton::clicked, this, [this] { runTaskWindow(1, *nodeList_); });

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
}

CMainMenuDlg::~CMainMenuDlg() { engine_.close(); }

bool CMainMenuDlg::initialise() {
  AppSettings& s = app_.settings;
  adjustSize();
  if (s.regWinX == -1 || s.regWinY == -1) {
    s.regWinX = pos().x();
    s.regWinY = pos().y();
  }
  move(s.regWinX, s.regWinY);
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

void CMainMenuDlg::applyTopmost(QWidget* w) const {
  bool visible = w->isVisible();
  w->setWindowFlag(Qt::WindowStaysOnTopHint, app_.settings.topWin != 0);
  if (visible) w->show();
}

void CMainMenuDlg::placeWindow(QWidget* w) const { w->move(pos()); }

int CMainMenuDlg::runTaskWindow(int which, QDialog& window) {
  placeWindow(&window);
  applyTopmost(&window);
  hide();
  activeWindow_ = which;
  int result = window.exec();
  rememberPlacement(&window);
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
  applyTopmost(this);
}

void CMainMenuDlg::toggleSaveDisplayPosition() { app_.settings.dispSave = app_.settings.dispSave ? 0 : 1; }

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

void CMainMenuDlg::contextMenuEvent(QContextMenuEvent* e) {
  QMenu* menu = windowMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(e->globalPos());
}

void CMainMenuDlg::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  // Minimised, the program waits in the notification area; without one it
  // stays an ordinary minimised window, so it can never become unreachable.
  if (e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) && tray_) {
    app_.settings.windowsShown = false;
    QTimer::singleShot(0, this, &QWidget::hide);
  }
}

void CMainMenuDlg::restoreFromTray() {
  app_.settings.windowsShown = true;
  // The open task window comes back, not the main window behind it.
  if (activeWindow_ == 1 && nodeList_) {
    nodeList_->setWindowState(nodeList_->windowState() & ~Qt::WindowMinimized);
    nodeList_->show();
    nodeList_->raise();
    nodeList_->activateWindow();
    return;
  }
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void CMainMenuDlg::closeEvent(QCloseEvent* e) {
  rememberPlacement(this);
  QDialog::closeEvent(e);
}

}  // namespace trennic::ui
