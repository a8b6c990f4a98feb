#!/usr/bin/env bash
# Starts or stops a real Xorg server with the dummy video driver (RandR 1.2
# as a graphics card's driver does it: several heads, several refresh rates
# per size) and the openbox window manager, for display mode tests.  The
# dummy driver needs neither a GPU nor a virtual terminal: the server opens
# no console, and the configuration keeps it off the machine's own input
# devices.  It runs as root, as Xorg without a login session must.
# Two heads: DUMMY0 at 1600x1200 and 65 Hz (a rate 1024x768 does not offer),
# DUMMY1 at 1280x1024 and 85 Hz to its right.
#   xorg-session.sh start|stop :N STATE_DIR
set -euo pipefail
action=$1 display=$2 state=$3
num=${display#:}
mkdir -p "$state"
source "$(dirname "$0")/x-session-lib.sh"
config=$(cd "$(dirname "$0")/../tests/data" && pwd)/xorg-dummy.conf

case $action in
start)
    stop_session xorg
    clear_stale_lock
    # -noreset: the last test's program closing must not reset the server
    # under the next one.
    Xorg "$display" -config "$config" -logfile "$state/xorg.log" -noreset -nolisten tcp \
        -novtswitch >"$state/xorg.out" 2>&1 &
    echo $! >"$state/xorg.pid"
    wait_for_server "$state/xorg.out"
    DISPLAY=$display xrandr --addmode DUMMY1 1280x1024
    DISPLAY=$display xrandr --output DUMMY0 --mode 1600x1200 --rate 65 --pos 0x0 \
        --output DUMMY1 --mode 1280x1024 --rate 85 --pos 1600x0
    start_window_manager
    ;;
stop)
    stop_session xorg
    ;;
*)
    echo "usage: $0 start|stop :N STATE_DIR" >&2
    exit 2
    ;;
esac
