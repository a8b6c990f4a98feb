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

stop() {
    for name in openbox xvnc; do
        if [ -f "$state/$name.pid" ]; then
            kill "$(cat "$state/$name.pid")" 2>/dev/null || true
            rm -f "$state/$name.pid"
        fi
    done
}

case $action in
start)
    stop
    # A stale lock of a server that is gone would make Xvnc refuse the display.
    if [ -f "/tmp/.X$num-lock" ] && ! kill -0 "$(tr -d ' ' <"/tmp/.X$num-lock")" 2>/dev/null; then
        rm -f "/tmp/.X$num-lock" "/tmp/.X11-unix/X$num"
    fi
    Xvnc "$display" -geometry 1280x1024 -depth 24 -SecurityTypes None -rfbport "$vnc_port" \
        -nolisten tcp -localhost -AlwaysShared >"$state/xvnc.log" 2>&1 &
    echo $! >"$state/xvnc.pid"
    for _ in $(seq 100); do
        DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 || { cat "$state/xvnc.log"; exit 1; }
    # Extra modes so that the program can switch to 1024 x 768 and back.
    DISPLAY=$display xrandr >/dev/null 2>&1 || true
    HOME=$state DISPLAY=$display openbox >"$state/openbox.log" 2>&1 &
    echo $! >"$state/openbox.pid"
    # Tests press the window manager's keys (Alt+F4) and wait for its focus
    # at once: wait until it has taken the screen, then for its start-up to end.
    for _ in $(seq 100); do
        DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    sleep 0.5
    ;;
stop)
    stop
    ;;
*)
    echo "usage: $0 start|stop :N STATE_DIR" >&2
    exit 2
    ;;
esac
