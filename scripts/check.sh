#!/bin/bash
# Builds the demo and runs every test: a warning-free build, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the end-to-end
# runs again on sdl12-compat (the SDL 1.2 API over SDL2), the Debian package
# built, installed and removed, and the web build in chromium.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

CMAKE_EXTRA="-DDEMO_WERROR=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build" && ctest --output-on-failure -j 2)

# The web build in chromium: frames against demo-capture's, the page itself.
BUILD_DIR="$ROOT/build" "$ROOT/scripts/web.sh" --build-only
bash "$ROOT/tests/web/web_test.sh" "$ROOT/build-web/site" "$ROOT/build" "$ROOT/build-web/npm/node_modules"

BUILD_DIR="$ROOT/build-sanitize" BUILD_TYPE=Debug \
    CMAKE_EXTRA="-DDEMO_WERROR=ON -DDEMO_SANITIZE=ON" source "$ROOT/scripts/setup.sh"
(cd "$ROOT/build-sanitize" && ctest --output-on-failure -j 2)

COMPAT_DIR="$(dirname "$(dpkg -L libsdl1.2-compat | grep 'libSDL-1.2.so.0$')")"
(cd "$ROOT/build" && LD_LIBRARY_PATH="$COMPAT_DIR" DEMO_EXPECT_SDL=compat ctest --output-on-failure -L e2e)

# The Debian package: built and checked by lintian, then installed, run and
# purged on this machine (as root).
"$ROOT/scripts/package.sh"
bash "$ROOT/tests/package/installed_package.sh" "$ROOT"/build/tideglow_*_amd64.deb "$ROOT/build" || [ $? = 77 ]

# A minute of fuzzing: pictures of any size and format through every scene.
FUZZ_SECONDS=60 "$ROOT/scripts/fuzz.sh"
