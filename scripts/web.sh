#!/bin/bash
# Builds the demo for the browser into build-web/site/, a static folder any
# web server can serve, then serves it on http://127.0.0.1:8000/ until
# Ctrl-C. With --build-only it stops after the build.
#
# Installs what is missing first: the Debian packages of scripts/packages.txt
# (emscripten and chromium among them) through setup.sh, which also builds
# the native demo in build/ (the site's pictures and its JPEG step come from
# there), npm, and the npm packages of tests/web/package-lock.json for the
# web test.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ONLY=0
case "${1:-}" in
    --build-only) BUILD_ONLY=1 ;;
    "") ;;
    *) echo "Usage: scripts/web.sh [--build-only]" >&2; exit 2 ;;
esac

source "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/lib.sh"

WEB="$ROOT/build-web"
SITE="$WEB/site"

# npm for the web test's packages. Some machines carry a Node.js with its own
# npm, which Debian's npm package would conflict with: it is installed only
# where there is none.
command -v npm >/dev/null || "$ROOT/scripts/install_packages.sh" npm
mkdir -p "$WEB/npm"
if ! cmp -s "$ROOT/tests/web/package-lock.json" "$WEB/npm/package-lock.json" || [ ! -d "$WEB/npm/node_modules" ]; then
    cp "$ROOT/tests/web/package.json" "$ROOT/tests/web/package-lock.json" "$WEB/npm/"
    (cd "$WEB/npm" && npm ci --no-audit --no-fund)
fi

# The pictures as the browser reads them (src/platform/web/picture_files.h).
rm -rf "$WEB/data"
mkdir -p "$WEB/data"
cp "$BUILD_DIR"/data/*.tga "$BUILD_DIR"/data/*.jpg "$WEB/data/"
"$BUILD_DIR/web-jpegs" "$WEB"/data/*.jpg

# The sounds, which the page decodes itself (src/platform/web/sound_files.cpp).
mkdir -p "$SITE/data"
cp "$BUILD_DIR"/data/*.mp3 "$SITE/data/"

# The root project with emscripten's toolchain file, where Debian 12 and 13
# both put it (emcmake would only add it), as CMakePresets.json's web preset
# has it. Debian's emcc runs on a Node.js that does not look in Debian's own
# modules.
export NODE_PATH=/usr/share/nodejs
clear_foreign_build "$WEB/wasm"
cmake -S "$ROOT" -B "$WEB/wasm" -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DDEMO_WERROR=ON -DTIDEGLOW_DATA_DIR="$WEB/data" -DWEB_SITE_DIR="$SITE"
cmake --build "$WEB/wasm" -j 2

# A brotli and a gzip copy beside each file they make at least a tenth
# smaller, for a server to send as they are (docs/web.md: "Serving it"). The MP3
# files are compressed already.
find "$SITE" \( -name '*.br' -o -name '*.gz' \) -delete
mapfile -t large < <(find "$SITE" -type f -size +1k)
for file in "${large[@]}"; do
    brotli -q 11 -f -k "$file"
    gzip -9 -n -f -k "$file"
    for copy in "$file.br" "$file.gz"; do
        [ "$(stat -c %s "$copy")" -le $(($(stat -c %s "$file") * 9 / 10)) ] || rm "$copy"
    done
done
echo "The site is in $SITE ($(du -sh --exclude='*.br' --exclude='*.gz' "$SITE" | cut -f1), compressed copies beside)"

[ "$BUILD_ONLY" = 0 ] || exit 0
echo "Serving it on http://127.0.0.1:8000/ (Ctrl-C stops)"
exec python3 "$ROOT/scripts/serve_site.py" "$SITE" 8000
