#!/usr/bin/env bash
# with_desktop.sh CMD [ARGS...]
#
# Runs CMD on a desktop of its own: a private Xvfb, the Openbox window manager
# and a trayer notification area, so that a test sees windows, frames and a
# tray icon as a user would. Everything it starts is stopped again and its
# folders removed however CMD ends; the exit status is CMD's.
#
# When a needed program is missing or no X server can be started, it says so
# in one line and exits 77, which ctest counts as skipped.
#
# TRENNIC_TRAY_PROBE, when set, names a program that exits 0 once a
# notification area can take icons; without it the wrapper settles for
# trayer's panel being on the screen.
set -u

# The tests read the windows' English texts, whatever the caller's locale.
export LC_ALL=C.UTF-8
unset LANGUAGE

readonly WAIT_SECONDS=10

skip() {
  echo "desktop tests skipped: $*"
  exit 77
}

fail() {
  echo "desktop not ready: $*" >&2
  exit 1
}

if [ "$#" -eq 0 ]; then
  echo "usage: with_desktop.sh CMD [ARGS...]" >&2
  exit 64
fi

for tool in Xvfb openbox trayer xdotool xprop xwininfo xauth; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    case "$tool" in
      Xvfb) package=xvfb ;;
      xprop | xwininfo) package=x11-utils ;;
      *) package=$tool ;;
    esac
    skip "$tool not installed (Debian package $package)"
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/trennic-desktop.XXXXXX") || skip "no temporary folder could be made"
chmod 0700 "$work"
mkdir -m 0700 "$work/runtime" "$work/home" "$work/home/.config" "$work/home/.cache" "$work/home/.local"

xvfb_pid=""
openbox_pid=""
trayer_pid=""

stop_all() {
  # The last started goes first, so no client outlives its display.
  for pid in "$trayer_pid" "$openbox_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
  done
  for pid in "$trayer_pid" "$openbox_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Should this script itself be killed outright, its helpers still go with it.
die_with_me=()
if command -v setpriv >/dev/null 2>&1 && setpriv --pdeathsig TERM true 2>/dev/null; then
  die_with_me=(setpriv --pdeathsig TERM)
fi

# Polls CONDITION (a shell command) every 50 ms for at most WAIT_SECONDS.
wait_until() {
  local deadline=$((SECONDS + WAIT_SECONDS + 1))
  while ! "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then return 1; fi
    sleep 0.05
  done
  return 0
}

# A child that has ended stays a zombie until it is waited for, and kill -0
# still finds it.
alive() {
  local state
  state=$(sed -n 's/^[0-9]* (.*) \([A-Z]\).*/\1/p' "/proc/$1/stat" 2>/dev/null)
  [ -n "$state" ] && [ "$state" != Z ]
}

# The cookie goes into the file before the server reads it; the server takes
# every entry whatever display it names, and clients find it under the real
# display number added below.
export XAUTHORITY="$work/Xauthority"
cookie=$(mcookie 2>/dev/null || od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
xauth -q -f "$XAUTHORITY" add :0 MIT-MAGIC-COOKIE-1 "$cookie" 2>/dev/null || skip "xauth could not write a cookie"

# -displayfd lets the server pick a free display itself, so runs side by side
# never race for the same number. -noreset: a server that resets whenever its
# last client leaves refuses the next one for a moment, and the checks below
# come and go as clients. -r: no key repeats by itself; on a busy machine a
# key's release can come late enough for the server to repeat the key into
# whatever window has the keyboard next.
"${die_with_me[@]}" Xvfb -displayfd 3 -nolisten tcp -noreset -r -screen 0 1280x1024x24 -auth "$XAUTHORITY" \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!

display_known() {
  grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && return 0
  kill -0 "$xvfb_pid" 2>/dev/null || return 0
  return 1
}
wait_until display_known
if ! grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; then
  why=$(grep -v '^$' "$work/xvfb.log" 2>/dev/null | tail -n 1)
  skip "Xvfb could not start a display (${why:-no display number within ${WAIT_SECONDS} s})"
fi
export DISPLAY=":$(head -n 1 "$work/display")"
xauth -q -f "$XAUTHORITY" add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$cookie" 2>/dev/null ||
  skip "xauth could not write a cookie for $DISPLAY"
xprop -root >/dev/null 2>&1 || skip "Xvfb started on $DISPLAY but does not take connections"

# Nothing of the user's may reach the desktop or the program under test.
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_DATA_HOME="$HOME/.local"
export XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_DIRS XDG_DATA_DIRS XDG_CURRENT_DESKTOP XDG_SESSION_TYPE DESKTOP_SESSION \
  SESSION_MANAGER WAYLAND_DISPLAY KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
# A session bus that hosts a StatusNotifier watcher would take the tray icon
# away from the X notification area; a path with nothing behind it fails at
# once and never starts a bus.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/no-bus"
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE

"${die_with_me[@]}" openbox >"$work/openbox.log" 2>&1 &
openbox_pid=$!

# A window manager is running once the root names a check window that names
# itself back.
wm_running() {
  local id
  id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-fA-F]*\).*/\1/p')
  [ -n "$id" ] || return 1
  xprop -id "$id" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id # $id"
}
wm_settled() { wm_running || ! alive "$openbox_pid"; }
wait_until wm_settled
if ! wm_running; then
  alive "$openbox_pid" && why="not within ${WAIT_SECONDS} s" || why="it ended: $(tail -n 1 "$work/openbox.log" 2>/dev/null)"
  fail "openbox did not take $DISPLAY: $why"
fi

"${die_with_me[@]}" trayer --edge bottom --align right --widthtype pixel --width 120 \
  --heighttype pixel --height 24 >"$work/trayer.log" 2>&1 &
trayer_pid=$!

panel_id() {
  xwininfo -root -tree 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) "panel": ("panel" "trayer").*/\1/p' | head -n 1
}
panel_shown() {
  local id
  alive "$trayer_pid" || return 1
  id=$(panel_id)
  [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'
}
tray_ready() {
  panel_shown || return 1
  [ -z "${TRENNIC_TRAY_PROBE:-}" ] || "$TRENNIC_TRAY_PROBE" >/dev/null 2>&1
}
# Which part of the desktop is missing, for the one line that says so.
tray_state() {
  local id
  alive "$openbox_pid" || { echo "openbox has ended"; return; }
  alive "$trayer_pid" || { echo "trayer has ended: $(tail -n 1 "$work/trayer.log" 2>/dev/null)"; return; }
  id=$(panel_id)
  [ -n "$id" ] || { echo "trayer showed no panel within ${WAIT_SECONDS} s"; return; }
  xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' ||
    { echo "trayer's panel was not on the screen within ${WAIT_SECONDS} s"; return; }
  echo "trayer's panel is on the screen but takes no icons within ${WAIT_SECONDS} s"
}
tray_settled() { tray_ready || ! alive "$trayer_pid" || ! alive "$openbox_pid"; }
wait_until tray_settled
if ! tray_ready; then
  fail "no notification area on $DISPLAY: $(tray_state)"
fi

"${die_with_me[@]}" "$@"
exit $?
