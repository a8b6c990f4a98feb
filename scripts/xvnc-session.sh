#!/usr/bin/env bash
# Starts or stops a virtual X server (TigerVNC's Xvnc, which supports RandR
# mode changes) with the openbox window manager, for tests that need a real
# display.  Never touches the user's own display.
#   xvnc-session.sh start|stop :N STATE_DIR [--vnc PORT]   (PORT: a local VNC viewer port)
set -euo pipefail
action=$1 display=$2 state=$3
vnc_port=-1
[ "${4:-}" = "--vnc" ] && vnc_port=$5
num=${display#:}
mkdir -p "$state"
source "$(dirname "$0")/x-session-lib.sh"

case $action in
start)
    stop_session xvnc
    clear_stale_lock
    Xvnc "$display" -geometry 1280x1024 -depth 24 -SecurityTypes None -rfbport "$vnc_port" \
        -nolisten tcp -localhost -AlwaysShared >"$state/xvnc.log" 2>&1 &
    echo $! >"$state/xvnc.pid"
    wait_for_server "$state/xvnc.log"
    # Extra modes so that the program can switch to 1024 x 768 and back.
    DISPLAY=$display xrandr >/dev/null 2>&1 || true
    start_window_manager
    ;;
stop)
    stop_session xvnc
    ;;
*)
    echo "usage: $0 start|stop :N STATE_DIR" >&2
    exit 2
    ;;
esac
