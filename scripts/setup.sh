#!/bin/bash
# Installs the Debian packages that are missing, then configures and builds
# the demo in build/. Sourced by play.sh and check.sh; BUILD_DIR and
# CMAKE_EXTRA may be set by the caller.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

missing_packages() {
    local pkg
    grep -v '^#' "$ROOT/scripts/packages.txt" | while read -r pkg; do
        [ -n "$pkg" ] || continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep "install ok installed" >/dev/null || echo "$pkg"
    done
}

install_packages() {
    local missing
    missing="$(missing_packages | tr '\n' ' ')"
    [ -n "${missing// /}" ] || return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        exit 1
    fi
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
}

build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${CMAKE_EXTRA:-}
    cmake --build "$BUILD_DIR" -j "$(nproc)"
}

install_packages
build
