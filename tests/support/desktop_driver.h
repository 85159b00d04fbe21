#pragma once
// The desktop as a user meets it, for tests that run under with_desktop.sh:
// what the X server and the window manager say about a program's windows,
// and pointer and keyboard input that arrives as real input (XTEST), never
// as events sent to one window. Every question goes to xdotool, xprop or
// xwininfo as a child process with a bounded time, and every wait keeps the
// caller's Qt events flowing, so the helpers work inside modal loops too.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace trennic::testing::desktop {

using WindowId = quint64;

// Polls cond about every 20 ms, processing Qt events in between, until it
// holds or timeoutMs have passed; whether it held.
bool waitFor(const std::function<bool()>& cond, int timeoutMs);

// What a helper program printed, and whether it ran to a zero exit in time.
struct ToolResult {
  bool ok = false;
  QString out;
  QString err;
};
ToolResult runTool(const QString& program, const QStringList& args, int timeoutMs = 5000);

// The last helper program that failed, for test messages.
QString lastToolError();

// The top-level client windows of a process (those the window manager frames
// or would frame: no override-redirect popups, no embedded tray icons), with
// exactly this title or matching this pattern.
QList<WindowId> topLevelWindows(qint64 pid, const QString& title, bool visibleOnly = true);
QList<WindowId> topLevelWindows(qint64 pid, const QRegularExpression& title, bool visibleOnly = true);

// The popup menus of a process on the screen: its override-redirect windows
// straight on the root, tooltips left out.
QList<WindowId> popupMenus(qint64 pid);

QString windowTitle(WindowId w);
QString windowClass(WindowId w);  // WM_CLASS as "instance class"

struct WindowInfo {
  QRect client;  // the client area in root coordinates
  bool mapped = false;
  bool viewable = false;
  bool overrideRedirect = false;
  WindowId parent = 0;
  WindowId root = 0;
};
std::optional<WindowInfo> windowInfo(WindowId w);

bool isMapped(WindowId w);
bool isViewable(WindowId w);
QRect clientGeometry(WindowId w);
// The client area grown by the window manager's frame (_NET_FRAME_EXTENTS);
// the client area alone when the window has no frame.
QRect frameGeometry(WindowId w);

// The atoms of an ATOM list property of a window, e.g. _NET_WM_STATE
// (_NET_WM_STATE_ABOVE, _NET_WM_STATE_HIDDEN, ...) or _NET_WM_ALLOWED_ACTIONS.
QStringList atomList(WindowId w, const QString& property);
QStringList wmState(WindowId w);
QStringList allowedActions(WindowId w);

// The managed windows from bottom to top (_NET_CLIENT_LIST_STACKING).
QList<WindowId> stackingOrder();
// Whether a is stacked above b; false when either is not managed.
bool isAbove(WindowId a, WindowId b);
WindowId activeWindow();

// Through the window manager, as its buttons and title bar do.
bool minimise(WindowId w);
bool move(WindowId w, int x, int y);
bool activate(WindowId w);

// The notification icons of a process: its windows embedded in trayer's
// panel.
QList<WindowId> trayIcons(qint64 pid);

// Real pointer input: the pointer goes to pos inside w (its centre when
// pos is not given), then the buttons are pressed and released. A click
// comes at least 600 ms after the one before, so that two single clicks
// are never taken for a double click.
bool click(WindowId w, int button = 1, std::optional<QPoint> pos = std::nullopt);
bool doubleClick(WindowId w, int button = 1, std::optional<QPoint> pos = std::nullopt);

// Keys (xdotool key names: "x", "Escape", "Down", "Return", "alt+F4")
// pressed and released on whatever has the keyboard, which is the active
// window or an open popup menu.
bool pressKeys(const QStringList& keys);

// Waits up to timeoutMs for a popup menu of the process, then picks an item
// with these keys (a mnemonic letter, or Down... and Return) and waits as
// long again for the menu to close; false when no menu came or it stayed.
bool chooseFromPopupMenu(qint64 pid, const QStringList& keys, int timeoutMs = 5000);

}  // namespace trennic::testing::desktop
