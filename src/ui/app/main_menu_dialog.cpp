#include "platform/app/language.h"
#include "ui/app/main_menu_dialog.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QToolButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "core/protocol/operations.h"
#include "platform/app/codepage.h"
#include "platform/app/local_time.h"
#include "platform/app/private_file.h"
#include "platform/protocol/local_host.h"
#include "ui/app/about_dialog.h"
#include "ui/app/check_items_menu.h"
#include "ui/app/system_menu.h"
#include "ui/app/task_window.h"
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
  const char* caption;  // with its mnemonic, which presses the button
  const char* description;
};
constexpr ButtonText kButtons[5] = {
    {QT_TRANSLATE_NOOP("trennic", "Edit"), QT_TRANSLATE_NOOP("trennic", "&Node Registration"), QT_TRANSLATE_NOOP("trennic", "Register node list.")},
    {QT_TRANSLATE_NOOP("trennic", "Configuration"), QT_TRANSLATE_NOOP("trennic", "&Configuration"), QT_TRANSLATE_NOOP("trennic", "Maintain configuration information.")},
    {QT_TRANSLATE_NOOP("trennic", "File Management"), QT_TRANSLATE_NOOP("trennic", "&File Management"), QT_TRANSLATE_NOOP("trennic", "Maintain firmware file and configuration file.")},
    {QT_TRANSLATE_NOOP("trennic", "Status"), QT_TRANSLATE_NOOP("trennic", "&Status"), QT_TRANSLATE_NOOP("trennic", "Display status information.")},
    {QT_TRANSLATE_NOOP("trennic", "Exit"), QT_TRANSLATE_NOOP("trennic", "E&xit"), QT_TRANSLATE_NOOP("trennic", "Program exit.")},
};

// Windows are placed and remembered by the top-left corner of their client
// area. On X11 a window's frame is not known until the window manager has
// framed it, and a window placed by one corner and remembered by the other
// creeps by its title bar on every run.
void placeAt(QWidget* w, QPoint p) { w->setGeometry(QRect(p, w->size())); }

// While a task window is open the progress window belongs to it, so that it
// opens centred over the window the user works in, and stays above it.
class ScopedOwner {
 public:
  ScopedOwner(QWidget& child, QWidget& owner) : child_(child), before_(child.parentWidget()) {
    child_.setParent(&owner, child_.windowFlags());
  }
  ~ScopedOwner() { child_.setParent(before_, child_.windowFlags()); }
  ScopedOwner(const ScopedOwner&) = delete;
  ScopedOwner& operator=(const ScopedOwner&) = delete;

 private:
  QWidget& child_;
  QWidget* before_;
};

// For a moment, each time the window is made active, runs a step after it.
// Activations are handed on late by window systems, so one that was asked
// for before can still arrive after the step that was meant to follow it.
class WhenActivatedSoon : public QObject {
 public:
  WhenActivatedSoon(QWidget* w, std::function<void()> run) : QObject(w), run_(std::move(run)) {
    w->installEventFilter(this);
    QTimer::singleShot(kSoonMs, this, &QObject::deleteLater);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::WindowActivate) QTimer::singleShot(0, this, run_);
    return false;
  }

 private:
  static constexpr int kSoonMs = 2000;
  std::function<void()> run_;
};

}  // namespace

int runWindow(QDialog& window) {
  QEventLoop loop;
  int result = QDialog::Rejected;
  auto done = QObject::connect(&window, &QDialog::finished, &loop, [&](int r) {
    result = r;
    loop.quit();
  });
  window.show();
  loop.exec(QEventLoop::DialogExec);
  QObject::disconnect(done);
  return result;
}

CMainMenuDlg::CMainMenuDlg(CUtilityApp& app, const QStringList& interfaces, QWidget* parent)
    : QDialog(parent),
      app_(app),
      interfaces_(interfaces),
      nodes_(app.settings.settingsPath, app.settings.textEncoding) {
  setWindowTitle(platform::decodeText(app_.settings.title));
  setWindowIcon(programIcon(300));
  setProgramWindowFlags(this);
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 5; ++i) {
    auto* b = new QToolButton(this);
    b->setIcon(programIcon(301 + i));
    b->setIconSize(QSize(48, 48));
    // The button shows only its icon; a listener hears the caption a
    // sighted user reads beside it, and the line under that.
    QString heard = platform::shownText(kButtons[i].caption);
    heard.remove(QLatin1Char('&'));
    b->setAccessibleName(heard);
    b->setAccessibleDescription(platform::shownText(kButtons[i].description));
    b->setToolTip(platform::shownText(kButtons[i].button));
    b->setAutoRaise(false);
    buttons_[i] = b;
    // Plain text, so that the mnemonic works: a label's mnemonic clicks
    // the button it is the buddy of.
    auto* caption = new QLabel(platform::shownText(kButtons[i].caption), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setBuddy(b);
    auto* description = new QLabel(platform::shownText(kButtons[i].description), this);
    auto* text = new QVBoxLayout;
    text->setSpacing(0);
    text->addStretch();
    text->addWidget(caption);
    text->addWidget(description);
    text->addStretch();
    grid->addWidget(b, i, 0);
    grid->addLayout(text, i, 1);
  }
  grid->setColumnStretch(1, 1);
  connect(buttons_[4], &QToolButton::clicked, this, &CMainMenuDlg::requestExit);

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

  // The same items for as long as the program runs, so that a screen reader
  // that has met them once finds them again; only the check marks change.
  trayMenu_ = new CheckItemsMenu(this);
  trayMenu_->addAction(tr("Restore(&R)"), this, &CMainMenuDlg::restoreFromTray);
  trayMenu_->addAction(tr("Version(&A)"), this, &CMainMenuDlg::showVersion);
  addDisplayItems(trayMenu_);
  trayMenu_->addSeparator();
  trayMenu_->addAction(tr("Exit(&X)"), this, &CMainMenuDlg::requestExit);
  connect(trayMenu_, &QMenu::aboutToShow, this, [this] { updateDisplayChecks(trayMenu_); });
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    tray_ = new QSystemTrayIcon(programIcon(300), this);
    tray_->setToolTip(platform::decodeText(app_.settings.title));
    tray_->setContextMenu(trayMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
      if (r == QSystemTrayIcon::DoubleClick) restoreFromTray();
    });
    tray_->show();
  }
  if (sysmenu::available()) QCoreApplication::instance()->installNativeEventFilter(this);
  // Every window of the program passes here as it shows; see eventFilter.
  QCoreApplication::instance()->installEventFilter(this);
}

CMainMenuDlg::~CMainMenuDlg() {
  QCoreApplication::instance()->removeEventFilter(this);
  if (sysmenu::available()) QCoreApplication::instance()->removeNativeEventFilter(this);
  engine_.close();
}

bool CMainMenuDlg::initialise() {
  AppSettings& s = app_.settings;
  fixWindowSize(this);
  // Without a saved position the window manager places the first window,
  // and the others share its place from then on.
  if (s.regWinX != -1 && s.regWinY != -1) placeAt(this, QPoint(s.regWinX, s.regWinY));
  extendSystemMenu(this);
  applyTopmost(this);
  QStringList unknown;
  engine_.buildTables(interfaces_, &unknown);
  if (!unknown.isEmpty()) {
    // The program would run and reach nothing; the administrator has
    // mistyped a name, and needs to see the names there are.
    showErrorMessage(this, tr("No such network interface: %1\nThe interfaces of this computer: %2")
                               .arg(unknown.join(QStringLiteral(", ")),
                                    platform::interfaceNames().join(QStringLiteral(", "))));
  }
  debugLog_ = std::make_unique<DebugLog>(s.debugLogPath, s.debugLog, platform::localTimeText,
                                         platform::appendToPrivateFile);
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

int CMainMenuDlg::run() { return runWindow(*this); }

void CMainMenuDlg::applyTopmost(QWidget* w) const {
  // Told to the window system directly: setWindowFlags would hide and
  // re-create the window, losing its place and its extended system menu.
  Qt::WindowFlags flags = w->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, app_.settings.topWin != 0);
  w->overrideWindowFlags(flags);
  if (QWindow* handle = w->windowHandle()) handle->setFlags(flags);
}

void CMainMenuDlg::placeWindow(QWidget* w) const { placeAt(w, geometry().topLeft()); }

QWidget* CMainMenuDlg::workingWindow() const {
  return activeTask_ ? static_cast<QWidget*>(activeTask_) : const_cast<CMainMenuDlg*>(this);
}

int CMainMenuDlg::runTaskWindow(int which, QDialog& window) {
  if (exiting_) return QDialog::Rejected;
  placeWindow(&window);
  applyTopmost(&window);
  extendSystemMenu(&window);
  // A window of its own for the window manager, not one that belongs to
  // the hidden main window: window managers keep such a window in its
  // owner's layer, so "Usual Display" would not hold for it.
  window.winId();
  window.windowHandle()->setTransientParent(nullptr);
  hide();
  activeWindow_ = which;
  activeTask_ = &window;
  int result;
  {
    ScopedOwner progressOwner(*progress_, window);
    result = runWindow(window);
  }
  rememberPlacement(&window);
  activeTask_ = nullptr;
  activeWindow_ = 0;
  if (exiting_) return result;
  placeAt(this, QPoint(app_.settings.regWinX, app_.settings.regWinY));
  show();
  return result;
}

void CMainMenuDlg::rememberPlacement(const QWidget* w) {
  app_.settings.regWinX = w->geometry().x();
  app_.settings.regWinY = w->geometry().y();
}

void CMainMenuDlg::requestExit() {
  if (exiting_) return;
  exiting_ = true;
  // Cancel sends a transfer's closing request before the operation ends.
  if (progress_->driver().running()) progress_->reject();
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* d = qobject_cast<QDialog*>(w);
    if (d && d != this && d != activeTask_ && d->isVisible()) d->reject();
  }
  // The task window's own closing steps run (a scan stops, the file name
  // is kept); its placement is remembered when its run returns.
  if (activeTask_) activeTask_->reject();
  accept();
}

void CMainMenuDlg::done(int result) {
  if (!activeTask_) rememberPlacement(this);
  QDialog::done(result);
}

void CMainMenuDlg::showEvent(QShowEvent* e) {
  // QDialog would centre a window that was not placed on the screen; the
  // main window is placed where the last window closed, or, the first time,
  // by the window manager.
  QWidget::showEvent(e);
}

void CMainMenuDlg::keyPressEvent(QKeyEvent* e) {
  // Enter opens the window of the focused button, as Space does.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    for (QToolButton* b : buttons_) {
      if (b->hasFocus()) {
        b->animateClick();
        return;
      }
    }
  }
  QDialog::keyPressEvent(e);
}

void CMainMenuDlg::toggleUsualDisplay() {
  app_.settings.topWin = app_.settings.topWin ? 0 : 1;
  // Every window follows the main window's choice; switched off, a window
  // stays in front of the ordinary windows rather than dropping back.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != this && w != activeTask_ && !(qobject_cast<QDialog*>(w) && w->isVisible())) continue;
    applyTopmost(w);
    if (!app_.settings.topWin && w->isVisible()) w->raise();
  }
  updateSystemMenuChecks();
  updateDisplayChecks(trayMenu_);
}

void CMainMenuDlg::toggleSaveDisplayPosition() {
  app_.settings.dispSave = app_.settings.dispSave ? 0 : 1;
  updateSystemMenuChecks();
  updateDisplayChecks(trayMenu_);
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
  CAboutDlg about(workingWindow());
  about.exec();
}

void CMainMenuDlg::addDisplayItems(QMenu* menu) {
  // Checkable before they join the menu, so that nothing watching the menu
  // ever meets them as plain commands.
  auto addItem = [&](const QString& text, void (CMainMenuDlg::*toggle)(), const char* key) {
    auto* item = new QAction(text, menu);
    item->setCheckable(true);
    item->setObjectName(QLatin1String(key));
    connect(item, &QAction::triggered, this, toggle);
    menu->addSeparator();
    menu->addAction(item);
  };
  addItem(tr("Usual Display"), &CMainMenuDlg::toggleUsualDisplay, "usualDisplay");
  addItem(tr("Save Display Position"), &CMainMenuDlg::toggleSaveDisplayPosition, "saveDisplayPosition");
  updateDisplayChecks(menu);
}

void CMainMenuDlg::updateDisplayChecks(QMenu* menu) const {
  for (QAction* a : menu->actions()) {
    if (a->objectName() == QLatin1String("usualDisplay")) a->setChecked(app_.settings.topWin != 0);
    if (a->objectName() == QLatin1String("saveDisplayPosition")) a->setChecked(app_.settings.dispSave != 0);
  }
}

QMenu* CMainMenuDlg::windowMenu(QWidget* owner) {
  auto* menu = new CheckItemsMenu(owner);
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
#ifndef Q_OS_WIN
  // Shift+F10 opens a context menu wherever the Menu key does: many
  // keyboards have no Menu key, and only Windows gives the pair to programs
  // itself.
  if (e->type() == QEvent::KeyPress && watched->isWidgetType()) {
    const auto* key = static_cast<QKeyEvent*>(e);
    QWidget* focus = QApplication::focusWidget();
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier && focus && focus->isEnabled()) {
      // Where the Menu key puts it: at the text cursor, else mid-control.
      const QPoint at = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
      QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at), key->modifiers());
      QApplication::sendEvent(focus, &menu);
      return true;
    }
  }
#endif
  if (e->type() == QEvent::Show && watched != this && watched != activeTask_) {
    auto* d = qobject_cast<QDialog*>(watched);
    if (d && d->isWindow()) ownedWindowShowing(d);
  }
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

void CMainMenuDlg::ownedWindowShowing(QDialog* w) {
  if (exiting_) {
    // Whatever a closing window opens on its way out (a message, a prompt)
    // answers as cancelled at once, so the program never waits for it.
    QTimer::singleShot(0, w, &QDialog::reject);
    return;
  }
  // The window shows now, before it is mapped, so what is set here goes to
  // the window system with it.
  //
  // Modal to the window it belongs to, never to the whole program: an
  // application-modal window would block the notification icon too, and
  // "Exit(&X)" could not end a transfer or a prompt left open.
  if (w->windowModality() == Qt::ApplicationModal) {
    w->setWindowModality(Qt::WindowModal);
    if (QWindow* handle = w->windowHandle()) handle->setModality(Qt::WindowModal);
  }
  // Only added: a message that is always on top stays so.
  if (app_.settings.topWin) applyTopmost(w);
  // Centred over its owner as the user sees it, or over the window the user
  // works in when the owner is hidden. Placed by the client area here, as
  // every window is: QDialog's own centring places a window that is not yet
  // framed by its frame's corner, and on X11 it lands a title bar too high.
  QWidget* owner = w->parentWidget() ? w->parentWidget()->window() : nullptr;
  if (!owner || !owner->isVisible()) owner = workingWindow();
  QRect r(QPoint(0, 0), w->size());
  r.moveCenter(owner->geometry().center());
  if (QScreen* screen = owner->screen()) {
    const QRect area = screen->availableGeometry();
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
  }
  w->setGeometry(r);
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
  // Shown first, then taken out of the minimised state. The other way round
  // can map the window before it is given its stacking state again, and a
  // window manager that manages it in that moment puts it among the
  // ordinary windows, whatever "Usual Display" says.
  w->show();
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->raise();
  w->activateWindow();
}

void CMainMenuDlg::bringBack() {
  if (exiting_) return;
  restoreFromTray();
  QWidget* top = QApplication::activeModalWidget();
  if (!top || !top->isVisible() || top == workingWindow()) return;
  auto giveKeys = [top = QPointer<QWidget>(top)] {
    if (!top || !top->isVisible()) return;
    top->setWindowState(top->windowState() & ~Qt::WindowMinimized);
    top->raise();
    top->activateWindow();
  };
  giveKeys();
  // The window under it, shown again, can be made active after this; the
  // keys then pass on to the message or prompt, which is what takes them.
  new WhenActivatedSoon(workingWindow(), giveKeys);
}

}  // namespace trennic::ui
