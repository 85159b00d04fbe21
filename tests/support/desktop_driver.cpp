#include "support/desktop_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

namespace trennic::testing::desktop {

namespace {

QString g_lastError;

// Qt takes a second press within its double-click time (400 ms unless the
// desktop says otherwise) as a double click, and a tray icon opens its menu
// only on a press; so clicks that are meant apart are kept apart by more.
constexpr int kClickGapMs = 600;
QElapsedTimer g_lastClick;

QString hex(WindowId w) { return QStringLiteral("0x%1").arg(w, 0, 16); }

WindowId parseId(const QString& text) {
  bool ok = false;
  const WindowId id = text.trimmed().toULongLong(&ok, 0);
  return ok ? id : 0;
}

QList<WindowId> parseIds(const QString& text) {
  QList<WindowId> ids;
  for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
    if (WindowId id = parseId(word)) ids << id;
  return ids;
}

// The value part of an xprop -notype line, or nothing when the property is
// not set.
std::optional<QString> propertyText(const QString& windowArg, const QString& property) {
  const QStringList where = windowArg.isEmpty() ? QStringList{"-root"} : QStringList{"-id", windowArg};
  ToolResult r = runTool(QStringLiteral("xprop"), where + QStringList{"-notype", property});
  if (!r.ok) return std::nullopt;
  const QString line = r.out.section(QLatin1Char('\n'), 0, 0);
  if (line.contains(QLatin1String("not found")) || line.contains(QLatin1String("no such atom"))) return std::nullopt;
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  const qsizetype colon = line.indexOf(QLatin1Char(':'));
  if (eq >= 0 && (colon < 0 || eq < colon)) return line.mid(eq + 1).trimmed();
  if (colon >= 0) return line.mid(colon + 1).trimmed();
  return std::nullopt;
}

// Window ids from a WINDOW property ("window id # 0x1, 0x2").
QList<WindowId> windowListProperty(const QString& windowArg, const QString& property) {
  std::optional<QString> text = propertyText(windowArg, property);
  if (!text) return {};
  QString ids = *text;
  ids.remove(QLatin1String("window id #"));
  ids.replace(QLatin1Char(','), QLatin1Char(' '));
  return parseIds(ids);
}

QList<WindowId> windowsOfProcess(qint64 pid, bool visibleOnly) {
  QStringList args{"search", "--all"};
  if (visibleOnly) args << "--onlyvisible";
  args << "--pid" << QString::number(pid);
  // xdotool exits 1 when it finds nothing, which is an answer, not a fault.
  ToolResult r = runTool(QStringLiteral("xdotool"), args);
  return parseIds(r.out);
}

bool isTopLevel(const WindowInfo& info) {
  if (info.overrideRedirect) return false;
  if (info.parent == info.root) return true;
  // Framed by the window manager: the frame sits on the root.
  std::optional<WindowInfo> frame = windowInfo(info.parent);
  return frame && frame->parent == frame->root;
}

template <class Match>
QList<WindowId> topLevelsMatching(qint64 pid, bool visibleOnly, Match matches) {
  QList<WindowId> out;
  for (WindowId w : windowsOfProcess(pid, visibleOnly)) {
    std::optional<WindowInfo> info = windowInfo(w);
    if (!info || !isTopLevel(*info)) continue;
    if (matches(windowTitle(w))) out << w;
  }
  return out;
}

}  // namespace

bool waitFor(const std::function<bool()>& cond, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    if (cond()) return true;
    if (clock.elapsed() >= timeoutMs) return false;
    QTest::qWait(20);
  }
}

ToolResult runTool(const QString& program, const QStringList& args, int timeoutMs) {
  ToolResult result;
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(timeoutMs)) {
    g_lastError = QStringLiteral("%1 did not start: %2").arg(program, p.errorString());
    return result;
  }
  // Short blocking steps with the caller's events in between: a window of the
  // test itself keeps answering the window manager while a tool runs.
  QElapsedTimer clock;
  clock.start();
  while (p.state() != QProcess::NotRunning && clock.elapsed() < timeoutMs) {
    p.waitForFinished(5);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished(1000);
    g_lastError = QStringLiteral("%1 %2 took over %3 ms").arg(program, args.join(QLatin1Char(' '))).arg(timeoutMs);
    return result;
  }
  result.out = QString::fromLocal8Bit(p.readAllStandardOutput());
  result.err = QString::fromLocal8Bit(p.readAllStandardError());
  result.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  if (!result.ok)
    g_lastError = QStringLiteral("%1 %2 failed (%3): %4")
                      .arg(program, args.join(QLatin1Char(' ')))
                      .arg(p.exitCode())
                      .arg(result.err.trimmed());
  return result;
}

QString lastToolError() { return g_lastError; }

QList<WindowId> topLevelWindows(qint64 pid, const QString& title, bool visibleOnly) {
  return topLevelsMatching(pid, visibleOnly, [&](const QString& t) { return t == title; });
}

QList<WindowId> topLevelWindows(qint64 pid, const QRegularExpression& title, bool visibleOnly) {
  return topLevelsMatching(pid, visibleOnly, [&](const QString& t) { return title.match(t).hasMatch(); });
}

QList<WindowId> popupMenus(qint64 pid) {
  QList<WindowId> out;
  for (WindowId w : windowsOfProcess(pid, true)) {
    std::optional<WindowInfo> info = windowInfo(w);
    if (!info || !info->overrideRedirect || info->parent != info->root || !info->viewable) continue;
    if (atomList(w, QStringLiteral("_NET_WM_WINDOW_TYPE")).contains(QLatin1String("_NET_WM_WINDOW_TYPE_TOOLTIP")))
      continue;
    out << w;
  }
  return out;
}

QString windowTitle(WindowId w) {
  ToolResult r = runTool(QStringLiteral("xdotool"), {"getwindowname", hex(w)});
  if (!r.ok) return {};
  QString name = r.out;
  if (name.endsWith(QLatin1Char('\n'))) name.chop(1);
  return name;
}

QString windowClass(WindowId w) {
  std::optional<QString> text = propertyText(hex(w), QStringLiteral("WM_CLASS"));
  if (!text) return {};
  QStringList parts;
  for (QString part : text->split(QLatin1Char(','))) {
    part = part.trimmed();
    if (part.startsWith(QLatin1Char('"')) && part.endsWith(QLatin1Char('"'))) part = part.mid(1, part.size() - 2);
    parts << part;
  }
  return parts.join(QLatin1Char(' '));
}

std::optional<WindowInfo> windowInfo(WindowId w) {
  ToolResult r = runTool(QStringLiteral("xwininfo"), {"-id", hex(w), "-children", "-stats"});
  if (!r.ok) return std::nullopt;
  WindowInfo info;
  int x = 0, y = 0, width = 0, height = 0, seen = 0;
  for (const QString& raw : r.out.split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed();
    auto value = [&](const char* key) { return line.mid(qsizetype(qstrlen(key))).trimmed(); };
    auto number = [&](const char* key) {
      ++seen;
      return value(key).toInt();
    };
    if (line.startsWith(QLatin1String("Root window id:")))
      info.root = parseId(value("Root window id:").section(QLatin1Char(' '), 0, 0));
    else if (line.startsWith(QLatin1String("Parent window id:")))
      info.parent = parseId(value("Parent window id:").section(QLatin1Char(' '), 0, 0));
    else if (line.startsWith(QLatin1String("Absolute upper-left X:")))
      x = number("Absolute upper-left X:");
    else if (line.startsWith(QLatin1String("Absolute upper-left Y:")))
      y = number("Absolute upper-left Y:");
    else if (line.startsWith(QLatin1String("Width:")))
      width = number("Width:");
    else if (line.startsWith(QLatin1String("Height:")))
      height = number("Height:");
    else if (line.startsWith(QLatin1String("Map State:"))) {
      const QString state = value("Map State:");
      info.mapped = state != QLatin1String("IsUnMapped");
      info.viewable = state == QLatin1String("IsViewable");
      ++seen;
    } else if (line.startsWith(QLatin1String("Override Redirect State:")))
      info.overrideRedirect = value("Override Redirect State:") == QLatin1String("yes");
  }
  if (seen < 5 || info.root == 0) {
    g_lastError = QStringLiteral("xwininfo said nothing usable about %1").arg(hex(w));
    return std::nullopt;
  }
  info.client = QRect(x, y, width, height);
  return info;
}

bool isMapped(WindowId w) {
  std::optional<WindowInfo> info = windowInfo(w);
  return info && info->mapped;
}

bool isViewable(WindowId w) {
  std::optional<WindowInfo> info = windowInfo(w);
  return info && info->viewable;
}

QRect clientGeometry(WindowId w) {
  std::optional<WindowInfo> info = windowInfo(w);
  return info ? info->client : QRect();
}

QRect frameGeometry(WindowId w) {
  const QRect client = clientGeometry(w);
  std::optional<QString> text = propertyText(hex(w), QStringLiteral("_NET_FRAME_EXTENTS"));
  if (!text || client.isNull()) return client;
  const QStringList e = text->split(QLatin1Char(','));
  if (e.size() != 4) return client;
  const int left = e[0].trimmed().toInt(), right = e[1].trimmed().toInt();
  const int top = e[2].trimmed().toInt(), bottom = e[3].trimmed().toInt();
  return client.adjusted(-left, -top, right, bottom);
}

QStringList atomList(WindowId w, const QString& property) {
  std::optional<QString> text = propertyText(hex(w), property);
  if (!text) return {};
  QStringList atoms;
  for (const QString& a : text->split(QLatin1Char(','), Qt::SkipEmptyParts))
    if (!a.trimmed().isEmpty()) atoms << a.trimmed();
  return atoms;
}

QStringList wmState(WindowId w) { return atomList(w, QStringLiteral("_NET_WM_STATE")); }

QStringList allowedActions(WindowId w) { return atomList(w, QStringLiteral("_NET_WM_ALLOWED_ACTIONS")); }

QList<WindowId> stackingOrder() { return windowListProperty({}, QStringLiteral("_NET_CLIENT_LIST_STACKING")); }

bool isAbove(WindowId a, WindowId b) {
  const QList<WindowId> order = stackingOrder();
  const qsizetype ia = order.indexOf(a), ib = order.indexOf(b);
  return ia >= 0 && ib >= 0 && ia > ib;
}

WindowId activeWindow() {
  const QList<WindowId> ids = windowListProperty({}, QStringLiteral("_NET_ACTIVE_WINDOW"));
  return ids.isEmpty() ? 0 : ids.first();
}

bool minimise(WindowId w) { return runTool(QStringLiteral("xdotool"), {"windowminimize", hex(w)}).ok; }

bool move(WindowId w, int x, int y) {
  return runTool(QStringLiteral("xdotool"), {"windowmove", hex(w), QString::number(x), QString::number(y)}).ok;
}

bool activate(WindowId w) { return runTool(QStringLiteral("xdotool"), {"windowactivate", "--sync", hex(w)}).ok; }

QList<WindowId> trayIcons(qint64 pid) {
  ToolResult tree = runTool(QStringLiteral("xwininfo"), {"-root", "-tree"});
  if (!tree.ok) return {};
  // Everything indented below trayer's panel line is inside the panel.
  static const QRegularExpression line(QStringLiteral("^( *)(0x[0-9a-fA-F]+) (.*)$"));
  QList<WindowId> inPanel;
  qsizetype panelIndent = -1;
  for (const QString& raw : tree.out.split(QLatin1Char('\n'))) {
    QRegularExpressionMatch m = line.match(raw);
    if (!m.hasMatch()) continue;
    const qsizetype indent = m.capturedLength(1);
    if (panelIndent >= 0 && indent <= panelIndent) panelIndent = -1;
    if (panelIndent >= 0)
      inPanel << parseId(m.captured(2));
    else if (m.captured(3).contains(QLatin1String("(\"panel\" \"trayer\")")))
      panelIndent = indent;
  }
  QList<WindowId> out;
  for (WindowId w : windowsOfProcess(pid, false))
    if (inPanel.contains(w)) out << w;
  return out;
}

namespace {

bool pointerClicks(WindowId w, std::optional<QPoint> pos, const QStringList& clickArgs) {
  QPoint at;
  if (pos) {
    at = *pos;
  } else {
    const QRect r = clientGeometry(w);
    if (r.isNull()) return false;
    at = QPoint(r.width() / 2, r.height() / 2);
  }
  if (g_lastClick.isValid()) waitFor([] { return g_lastClick.elapsed() >= kClickGapMs; }, kClickGapMs);
  // No --window on click: that would send the event to the window alone
  // instead of through the server as a real button press.
  const bool ok = runTool(QStringLiteral("xdotool"),
                          QStringList{"mousemove", "--window", hex(w), QString::number(at.x()), QString::number(at.y()),
                                      "click"} + clickArgs)
                      .ok;
  g_lastClick.start();
  return ok;
}

}  // namespace

bool click(WindowId w, int button, std::optional<QPoint> pos) {
  return pointerClicks(w, pos, {QString::number(button)});
}

bool doubleClick(WindowId w, int button, std::optional<QPoint> pos) {
  return pointerClicks(w, pos, {"--repeat", "2", "--delay", "80", QString::number(button)});
}

bool pressKeys(const QStringList& keys) {
  // Without --window xdotool goes through XTEST; keys sent to a window with
  // XSendEvent can stay pressed in Xvfb and repeat into every later window.
  return runTool(QStringLiteral("xdotool"), QStringList{"key"} + keys).ok;
}

bool chooseFromPopupMenu(qint64 pid, const QStringList& keys, int timeoutMs) {
  if (!waitFor([&] { return !popupMenus(pid).isEmpty(); }, timeoutMs)) {
    g_lastError = QStringLiteral("no popup menu of process %1 came within %2 ms").arg(pid).arg(timeoutMs);
    return false;
  }
  // Once a menu is on the screen the program hands it every key, whichever
  // of its windows the server delivers the key to.
  if (!pressKeys(keys)) return false;
  if (!waitFor([&] { return popupMenus(pid).isEmpty(); }, timeoutMs)) {
    g_lastError = QStringLiteral("the popup menu of process %1 stayed open after %2").arg(pid).arg(keys.join(' '));
    return false;
  }
  return true;
}

}  // namespace trennic::testing::desktop
