# Shared by the run and test commands: installs what is missing and builds.
# shellcheck shell=bash
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Compiler cache entries name paths relative to the tree, so that clones in
# other folders (CI's among them) reuse them.
export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1

PACKAGES=(
    build-essential cmake ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev
    libqt6svg6 libxrandr-dev libx11-dev
    tigervnc-standalone-server xserver-xorg-core xserver-xorg-video-dummy
    openbox x11-utils x11-xserver-utils xdotool
    at-spi2-core python3-pyatspi dbus-daemon
    nginx-light curl fonts-liberation fonts-dejavu-core
    lintian desktop-file-utils
    clang libclang-rt-14-dev llvm
)

install_dependencies() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build <folder> [cmake options...]
build() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
