#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; then
# builds the unit tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in a second build folder and runs them, and runs each fuzz target for a few
# seconds under the same sanitizers (scripts/fuzz.sh; VELMORA_FUZZ_SECONDS,
# default 5).  VELMORA_SKIP_SANITIZERS=1 skips the sanitizer and fuzz passes
# locally; CI (CI=true) always runs them.
source "$(dirname "$0")/common.sh"
install_dependencies

build "$ROOT/build"
(cd "$ROOT/build" && ctest --output-on-failure -j2)

if [ "${CI:-}" != "true" ] && [ "${VELMORA_SKIP_SANITIZERS:-0}" = "1" ]; then
    echo "Sanitizer pass skipped (VELMORA_SKIP_SANITIZERS=1)."
    exit 0
fi
build "$ROOT/build-asan" -DVELMORA_SANITIZE=ON -DVELMORA_TEST_DISPLAY=:88 -DVELMORA_XORG_DISPLAY=:84 \
    -DVELMORA_DEMO_PORT=18742
(cd "$ROOT/build-asan" && ctest --output-on-failure -j2 -L unit)
"$ROOT/scripts/fuzz.sh" "${VELMORA_FUZZ_SECONDS:-5}"
