#!/bin/bash
# The quick check, for every change: the warning-free build in build/ and the
# unit tests, without the end-to-end runs, the browsers, the packages or
# root (scripts/check.sh runs all of them). Installs the missing Debian
# packages first, as setup.sh does.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CMAKE_EXTRA="-DDEMO_WERROR=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build" && ctest --output-on-failure -j "$(nproc)" -LE e2e)
