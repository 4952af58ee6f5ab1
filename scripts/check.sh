#!/bin/bash
# Builds the demo and runs every test: a warning-free build and its tests with
# the end-to-end runs, the web build in chromium and firefox-esr, the Debian package built,
# installed, run and purged; then the Windows zip built and run under Wine,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# end-to-end runs again on sdl12-compat where classic SDL 1.2 is the default
# (Debian 12), a minute of fuzzing, and on Debian 12 as root the core checks
# again on Debian 13 (scripts/debian13.sh; CHECK_DEBIAN13=0 leaves them out).
# With --core it stops after the package: what debian13.sh runs there.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CORE_ONLY=0
case "${1:-}" in
    --core) CORE_ONLY=1 ;;
    "") ;;
    *) echo "Usage: scripts/check.sh [--core]" >&2; exit 2 ;;
esac

CMAKE_EXTRA="-DDEMO_WERROR=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build" && ctest --output-on-failure -j 2)

# The web build in chromium and firefox-esr: frames against demo-capture's,
# the page itself with its sound recorded.
BUILD_DIR="$ROOT/build" "$ROOT/scripts/web.sh" --build-only
bash "$ROOT/tests/web/web_test.sh" "$ROOT/build-web/site" "$ROOT/build" "$ROOT/build-web/npm/node_modules"

# The Debian package: built and checked by lintian, then installed, run and
# purged on this machine (as root).
"$ROOT/scripts/package.sh"
bash "$ROOT/tests/package/installed_package.sh" "$ROOT"/build/tideglow_*_amd64.deb "$ROOT/build" || [ $? = 77 ]
[ "$CORE_ONLY" = 0 ] || exit 0

# The zip for Windows, cross-built from Debian's sources (as root), and
# tested under Wine against this machine's demo-capture.
if [ "$(id -u)" -eq 0 ]; then
    "$ROOT/scripts/windows.sh"
    bash "$ROOT/tests/windows/wine_test.sh" "$ROOT"/build/tideglow-*-windows-x64.zip "$ROOT/build" || [ $? = 77 ]
else
    echo "SKIP: the Windows zip is built as root"
fi

BUILD_DIR="$ROOT/build-sanitize" BUILD_TYPE=Debug \
    CMAKE_EXTRA="-DDEMO_WERROR=ON -DDEMO_SANITIZE=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build-sanitize" && ctest --output-on-failure -j 2)

# Where the default SDL 1.2 is classic SDL (Debian 12), sdl12-compat lies in
# a folder of its own; on Debian 13 both are sdl12-compat.
COMPAT_LIB="$(dpkg -L libsdl1.2-compat | grep '/sdl12-compat/libSDL-1.2.so.0$' || true)"
if [ -n "$COMPAT_LIB" ] && [ "$(dpkg-query -W -f='${source:Package}' libsdl1.2debian)" != sdl12-compat ]; then
    (cd "$ROOT/build" && LD_LIBRARY_PATH="$(dirname "$COMPAT_LIB")" DEMO_EXPECT_SDL=compat \
        ctest --output-on-failure -L e2e)
fi

# A minute of fuzzing: pictures of any size and format through every scene.
FUZZ_SECONDS=60 "$ROOT/scripts/fuzz.sh"

if [ "${CHECK_DEBIAN13:-1}" = 1 ] && [ "$(id -u)" -eq 0 ] && grep -q '^VERSION_ID="12"' /etc/os-release; then
    "$ROOT/scripts/debian13.sh"
fi
