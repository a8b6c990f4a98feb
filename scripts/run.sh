#!/usr/bin/env bash
# Installs what is missing, builds, serves the bundled demo content on
# 127.0.0.1 and starts VelmoraViewer against it; without a desktop, on a
# virtual display after a short tour that saves a screenshot per step.
source "$(dirname "$0")/common.sh"
install_dependencies
BUILD=$ROOT/build
build "$BUILD"

PORT=${VELMORA_DEMO_PORT:-8741}
STATE=$BUILD/demo-run
"$ROOT/demo/scripts/demo-server.sh" start "$BUILD/demo-content" "$PORT" "$STATE"
cleanup() {
    [ -z "${PROGRAM_PID:-}" ] || kill "$PROGRAM_PID" 2>/dev/null || true
    "$ROOT/demo/scripts/demo-server.sh" stop "$BUILD/demo-content" "$PORT" "$STATE" || true
    [ -z "${OWN_DISPLAY:-}" ] || "$ROOT/scripts/x-session.sh" stop xvnc "$OWN_DISPLAY" "$STATE/xvnc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export VELMORA_CONTENT_SERVER=127.0.0.1:$PORT VELMORA_WEB_SITE=127.0.0.1:$PORT
# The web engine's sandbox cannot run as root, and the program never
# switches it off itself: only a root run gets it off, from here.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$BUILD/bin/VelmoraViewer"
    exit
fi

# No desktop here: give the program a virtual one, take it through a short
# tour by real input with a screenshot per step, then leave it running there.
OWN_DISPLAY=:42
"$ROOT/scripts/x-session.sh" start xvnc "$OWN_DISPLAY" "$STATE/xvnc" --vnc 5942
export DISPLAY=$OWN_DISPLAY
"$BUILD/bin/VelmoraViewer" &
PROGRAM_PID=$!
TOUR=$BUILD/tour
rm -rf "$TOUR"
echo "No display found: VelmoraViewer runs on a virtual one. Taking it through a tour..."
"$BUILD/bin/velmora_tour" "$TOUR" || echo "The tour did not complete every step (see above)."
echo "Screenshots of the tour: $TOUR"
echo "VelmoraViewer keeps running there: watch and use it with a VNC viewer at localhost:5942."
echo "Press Ctrl+C to stop the program, its virtual display and the demo server."
wait "$PROGRAM_PID" || true
