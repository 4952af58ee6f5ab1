#!/bin/bash
# Installs the Debian packages that are missing, then configures and builds
# the demo in build/: the one place build trees of the demo are configured,
# sourced by play.sh, check.sh, quick_check.sh and windows.sh. BUILD_DIR,
# BUILD_TYPE, CMAKE_EXTRA and BUILD_TARGET (all when unset) may be set by the
# caller.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

"$ROOT/scripts/install_packages.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${CMAKE_EXTRA:-}
cmake --build "$BUILD_DIR" -j "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
