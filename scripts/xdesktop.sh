#!/bin/sh
# Runs a command on a desktop of its own, as a user's desktop looks: an X
# server (Xvfb) on a free display, the openbox window manager, and a panel
# along the bottom edge that the work area leaves out. Everything is stopped
# again afterwards; the command's exit status is the script's.
#
#   scripts/xdesktop.sh [-s WIDTHxHEIGHT] [-f SCALE] [-p PANEL_HEIGHT] [-b PANEL_TOOL] command [args]
#
#   -s  screen size in pixels (default 1366x768)
#   -f  Qt's scale factor for the command (QT_SCALE_FACTOR; default 1)
#   -p  height of the panel in pixels (default 40; 0: no panel)
#   -b  the panel program (default build/bin/desktop_panel)
#
# The command runs with DISPLAY set to the new display and
# QT_QPA_PLATFORM=xcb.
set -e
SIZE=1366x768
SCALE=1
PANEL=40
TOOL="$(dirname "$0")/../build/bin/desktop_panel"
while getopts s:f:p:b: opt; do
  case "$opt" in
    s) SIZE="$OPTARG" ;;
    f) SCALE="$OPTARG" ;;
    p) PANEL="$OPTARG" ;;
    b) TOOL="$OPTARG" ;;
    *) echo "usage: $0 [-s WxH] [-f scale] [-p panel] [-b panel_tool] command [args]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "xdesktop: no command" >&2; exit 2; }
for p in Xvfb openbox; do
  command -v "$p" >/dev/null 2>&1 || { echo "xdesktop: $p is not installed (scripts/deps.sh)" >&2; exit 2; }
done

TMP=$(mktemp -d "${TMPDIR:-/tmp}/xdesktop.XXXXXX")
XPID=""
WMPID=""
cleanup() {
  [ -n "$WMPID" ] && kill "$WMPID" 2>/dev/null || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  [ -n "$WMPID" ] && wait "$WMPID" 2>/dev/null || true
  [ -n "$XPID" ] && wait "$XPID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The X server writes the number of the display it took once it accepts
# connections.
Xvfb -displayfd 3 -screen 0 "${SIZE}x24" -nolisten tcp -noreset 3>"$TMP/display" 2>"$TMP/xvfb.log" &
XPID=$!
i=0
while [ ! -s "$TMP/display" ]; do
  i=$((i + 1))
  if [ $i -gt 200 ] || ! kill -0 "$XPID" 2>/dev/null; then
    echo "xdesktop: Xvfb did not start" >&2
    cat "$TMP/xvfb.log" >&2
    exit 2
  fi
  sleep 0.05
done
DISPLAY=":$(head -n 1 "$TMP/display")"
export DISPLAY

# The window manager with its own configuration folders, not the user's.
mkdir -p "$TMP/config" "$TMP/cache"
XDG_CONFIG_HOME="$TMP/config" XDG_CACHE_HOME="$TMP/cache" openbox --sm-disable >"$TMP/openbox.log" 2>&1 &
WMPID=$!

# The panel waits for the window manager and returns once the work area
# leaves its strip out.
if [ "$PANEL" -gt 0 ]; then
  if [ ! -x "$TOOL" ]; then
    echo "xdesktop: no panel program at $TOOL (build the target desktop_panel)" >&2
    exit 2
  fi
  if ! "$TOOL" "$PANEL"; then
    cat "$TMP/openbox.log" >&2
    exit 2
  fi
else
  sleep 1
fi

QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
if [ "$SCALE" != 1 ]; then
  QT_SCALE_FACTOR="$SCALE"
  export QT_SCALE_FACTOR
else
  unset QT_SCALE_FACTOR
fi
set +e
"$@"
status=$?
set -e
exit $status
