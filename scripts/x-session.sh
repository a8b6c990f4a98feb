#!/usr/bin/env bash
# Starts or stops a test X server with the openbox window manager, for tests
# and benchmarks that need a real display.  Never touches the user's own
# display.
#   x-session.sh start|stop xvnc|xorg :N STATE_DIR [--vnc PORT]
# xvnc: TigerVNC's Xvnc, which supports RandR mode changes; PORT is a local
#   VNC viewer port (none by default).
# xorg: a real Xorg server with the dummy video driver (RandR 1.2 as a
#   graphics card's driver does it: several heads, several refresh rates per
#   size).  It needs neither a GPU nor a virtual terminal: the server opens no
#   console, and the configuration keeps it off the machine's own input
#   devices.  It runs as root, as Xorg without a login session must.  Two
#   heads: DUMMY0 at 1600x1200 and 65 Hz (a rate 1024x768 does not offer),
#   DUMMY1 at 1280x1024 and 85 Hz to its right.
set -euo pipefail
usage() {
    echo "usage: $0 start|stop xvnc|xorg :N STATE_DIR [--vnc PORT]" >&2
    exit 2
}
[ $# -ge 4 ] || usage
action=$1 kind=$2 display=$3 state=$4
vnc_port=-1
[ "${5:-}" = "--vnc" ] && vnc_port=$6
case $kind in xvnc | xorg) ;; *) usage ;; esac
num=${display#:}
mkdir -p "$state"

# Stops what an earlier start left running: the window manager, the server.
stop_session() {
    for name in openbox "$kind"; do
        if [ -f "$state/$name.pid" ]; then
            kill "$(cat "$state/$name.pid")" 2>/dev/null || true
            rm -f "$state/$name.pid"
        fi
    done
}

# A stale lock of a server that is gone would make a new one refuse the display.
clear_stale_lock() {
    if [ -f "/tmp/.X$num-lock" ] && ! kill -0 "$(tr -d ' ' <"/tmp/.X$num-lock")" 2>/dev/null; then
        rm -f "/tmp/.X$num-lock" "/tmp/.X11-unix/X$num"
    fi
}

# Waits (polling, up to 10 s) until `condition` succeeds.
wait_until() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

server_answers() { DISPLAY=$display xdpyinfo >/dev/null 2>&1; }

start_xvnc() {
    Xvnc "$display" -geometry 1280x1024 -depth 24 -SecurityTypes None -rfbport "$vnc_port" \
        -nolisten tcp -localhost -AlwaysShared >"$state/xvnc.log" 2>&1 &
    echo $! >"$state/xvnc.pid"
    wait_until server_answers || { cat "$state/xvnc.log"; return 1; }
    # Extra modes so that the program can switch to 1024 x 768 and back.
    DISPLAY=$display xrandr >/dev/null 2>&1 || true
}

start_xorg() {
    local config
    config=$(cd "$(dirname "$0")/../tests/data" && pwd)/xorg-dummy.conf
    # -noreset: the last test's program closing must not reset the server
    # under the next one.
    Xorg "$display" -config "$config" -logfile "$state/xorg.log" -noreset -nolisten tcp \
        -novtswitch >"$state/xorg.out" 2>&1 &
    echo $! >"$state/xorg.pid"
    wait_until server_answers || { cat "$state/xorg.out"; return 1; }
    DISPLAY=$display xrandr --addmode DUMMY1 1280x1024
    DISPLAY=$display xrandr --output DUMMY0 --mode 1600x1200 --rate 65 --pos 0x0 \
        --output DUMMY1 --mode 1280x1024 --rate 85 --pos 1600x0
}

# Tests press the window manager's keys (Alt+F4) and wait for its focus at
# once: openbox runs its start-up command only once it has set itself up.
start_window_manager() {
    rm -f "$state/openbox.ready"
    HOME=$state DISPLAY=$display openbox --startup "touch '$state/openbox.ready'" \
        >"$state/openbox.log" 2>&1 &
    echo $! >"$state/openbox.pid"
    wait_until test -e "$state/openbox.ready" || { cat "$state/openbox.log"; return 1; }
}

case $action in
start)
    stop_session
    clear_stale_lock
    "start_$kind"
    start_window_manager
    ;;
stop)
    stop_session
    ;;
*)
    usage
    ;;
esac
