# Shared by the scripts that start a test X server with a window manager
# (xvnc-session.sh, xorg-session.sh); sourced, with $display, $num and
# $state set.  Never touches the user's own display.
# shellcheck shell=bash

# Stops what an earlier start left running: the window manager, the server.
stop_session() {
    for name in openbox "$@"; do
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

# Waits until the server answers; shows its log and fails when it never does.
wait_for_server() {
    local log=$1
    for _ in $(seq 100); do
        DISPLAY=$display xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    cat "$log"
    return 1
}

start_window_manager() {
    HOME=$state DISPLAY=$display openbox >"$state/openbox.log" 2>&1 &
    echo $! >"$state/openbox.pid"
    # Tests press the window manager's keys (Alt+F4) and wait for its focus
    # at once: wait until it has taken the screen, then for its start-up to end.
    for _ in $(seq 100); do
        DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    sleep 0.5
}
