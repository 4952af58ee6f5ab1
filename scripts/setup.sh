#!/bin/bash
# Installs the Debian packages that are missing, then configures and builds
# the native demo in build/: the one place its build trees are configured,
# sourced by play.sh, check.sh, quick_check.sh, web.sh and windows.sh (the
# web, Windows, fuzzer and package builds configure the same root project
# with their own settings, as CMakePresets.json's presets do). BUILD_DIR,
# BUILD_TYPE, CMAKE_EXTRA and BUILD_TARGET (all when unset) may be set by the
# caller.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

"$ROOT/scripts/install_packages.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${CMAKE_EXTRA:-}
cmake --build "$BUILD_DIR" -j "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
