#!/bin/bash
# Builds the demo and runs every test: a warning-free build and its tests with
# the end-to-end runs, the web build in chromium, firefox-esr and WebKitGTK, the Debian packages built
# by dpkg-buildpackage and checked, installed, run and purged; then the Windows zip built and run under Wine,
# the arm64 packages cross-built and their frames drawn under qemu-user,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# end-to-end runs again on sdl12-compat where classic SDL 1.2 is the default
# (Debian 12), with and without the sanitizers, a minute of fuzzing, and on Debian 12 as root the core checks
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
# Marks where each part starts, with the time taken so far: CI has an hour.
part() { echo "=== check.sh, $((SECONDS / 60)) min $((SECONDS % 60)) s in: $*"; }

part "the build and its tests"

CMAKE_EXTRA="-DDEMO_WERROR=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build" && ctest --output-on-failure -j 2)

# The web build in chromium, firefox-esr and WebKitGTK: frames against
# demo-capture's, the page itself with its sound recorded; chromium as a
# phone too, once (the page is the same on both releases).
part "the web page"
BUILD_DIR="$ROOT/build" "$ROOT/scripts/web.sh" --build-only
WEB_PARTS="plain frames$([ "$CORE_ONLY" = 1 ] || echo " phone")" \
    bash "$ROOT/tests/web/web_test.sh" "$ROOT/build-web/site" "$ROOT/build" "$ROOT/build-web/npm/node_modules"

# The Debian packages: built by dpkg-buildpackage and checked, then installed,
# run and purged on this machine (as root). The second build, which shows
# they are the same bytes when built again, is made on Debian 12 only.
part "the Debian packages"
"$ROOT/scripts/package.sh" $([ "$CORE_ONLY" = 0 ] || echo --once)
bash "$ROOT/tests/package/installed_package.sh" "$ROOT"/build-package/first/tideglow_*_amd64.deb "$ROOT/build" || [ $? = 77 ]
[ "$CORE_ONLY" = 0 ] || exit 0

# As root: the zip for Windows, cross-built from Debian's sources, and
# tested under Wine against this machine's demo-capture; the Debian packages
# for arm64, cross-built in a root of their own, their frames drawn under
# qemu-user against this machine's demo-capture.
if [ "$(id -u)" -eq 0 ]; then
    part "the Windows zip"
    "$ROOT/scripts/windows.sh"
    bash "$ROOT/tests/windows/wine_test.sh" "$ROOT"/build/tideglow-*-windows-x64.zip "$ROOT/build" || [ $? = 77 ]
    part "the arm64 packages"
    "$ROOT/scripts/cross-package.sh" arm64
    bash "$ROOT/tests/package/cross_frames.sh" "$ROOT"/build-cross/tideglow_*_arm64.deb "$ROOT/build" || [ $? = 77 ]
else
    echo "SKIP: the Windows zip and the arm64 packages are built as root"
fi

DEBIAN13=0
if [ "${CHECK_DEBIAN13:-1}" = 1 ] && [ "$(id -u)" -eq 0 ] && grep -q '^VERSION_ID="12"' /etc/os-release; then
    DEBIAN13=1
fi
# Meanwhile the Debian 13 root is made and given its packages, mostly a
# matter of the network and the disk: the sanitizer run, whose tests leave
# timing alone, shares the machine with it.
PREPARING=""
if [ "$DEBIAN13" = 1 ]; then
    mkdir -p "$ROOT/build-debian13"
    "$ROOT/scripts/debian13.sh" scripts/install_packages.sh >"$ROOT/build-debian13/prepare.log" 2>&1 &
    PREPARING=$!
fi

part "the sanitizers"
BUILD_DIR="$ROOT/build-sanitize" BUILD_TYPE=Debug \
    CMAKE_EXTRA="-DDEMO_WERROR=ON -DDEMO_SANITIZE=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build-sanitize" && ctest --output-on-failure -j 2)
if [ -n "$PREPARING" ] && ! wait "$PREPARING"; then
    tail -20 "$ROOT/build-debian13/prepare.log" >&2
    echo "The Debian 13 root could not be made" >&2
    exit 1
fi

# Where the default SDL 1.2 is classic SDL (Debian 12), sdl12-compat lies in
# a folder of its own; on Debian 13 both are sdl12-compat.
COMPAT_LIB="$(dpkg -L libsdl1.2-compat | grep '/sdl12-compat/libSDL-1.2.so.0$' || true)"
if [ -n "$COMPAT_LIB" ] && [ "$(dpkg-query -W -f='${source:Package}' libsdl1.2debian)" != sdl12-compat ]; then
    part "sdl12-compat"
    (cd "$ROOT/build" && LD_LIBRARY_PATH="$(dirname "$COMPAT_LIB")" DEMO_EXPECT_SDL=compat \
        ctest --output-on-failure -j 2 -L e2e)
    # The sanitizers on the demo over sdl12-compat too; demo-capture draws
    # on SDL's dummy driver alike on both, and its runs above suffice.
    (cd "$ROOT/build-sanitize" && LD_LIBRARY_PATH="$(dirname "$COMPAT_LIB")" DEMO_EXPECT_SDL=compat \
        ctest --output-on-failure -j 2 -L e2e -E 'e2e\.capture_')
fi

# A minute of fuzzing: pictures of any size and format through every scene.
part "fuzzing"
FUZZ_SECONDS=60 "$ROOT/scripts/fuzz.sh"

if [ "$DEBIAN13" = 1 ]; then
    part "Debian 13"
    "$ROOT/scripts/debian13.sh"
fi
part "done"
