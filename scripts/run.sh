#!/usr/bin/env bash
# Installs what is missing, builds, serves the bundled demo content on
# 127.0.0.1 and starts VelmoraViewer against it.
source "$(dirname "$0")/common.sh"
install_dependencies
BUILD=$ROOT/build
build "$BUILD"

PORT=${VELMORA_DEMO_PORT:-8741}
STATE=$BUILD/demo-run
"$ROOT/demo/scripts/demo-server.sh" start "$BUILD/demo-content" "$PORT" "$STATE"
cleanup() {
    "$ROOT/demo/scripts/demo-server.sh" stop "$BUILD/demo-content" "$PORT" "$STATE" || true
    [ -z "${OWN_DISPLAY:-}" ] || "$ROOT/scripts/xvnc-session.sh" stop "$OWN_DISPLAY" "$STATE/xvnc"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # No desktop here: give the program a virtual one and say how to see it.
    OWN_DISPLAY=:42
    "$ROOT/scripts/xvnc-session.sh" start "$OWN_DISPLAY" "$STATE/xvnc" --vnc 5942
    export DISPLAY=$OWN_DISPLAY
    echo "No display found: VelmoraViewer runs on a virtual one; view it with a VNC viewer at localhost:5942."
fi

# The web engine's sandbox cannot run as root, and the program never
# switches it off itself: only a root run gets it off, from here.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

VELMORA_CONTENT_SERVER=127.0.0.1:$PORT VELMORA_WEB_SITE=127.0.0.1:$PORT "$BUILD/bin/VelmoraViewer"
