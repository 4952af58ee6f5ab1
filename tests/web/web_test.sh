#!/bin/bash
# The web build against demo-capture in Debian's chromium (web_test.js says
# what is checked), over a static server on 127.0.0.1 that this script starts
# and stops.
#   web_test.sh SITE_DIR NATIVE_BUILD_DIR NODE_MODULES_DIR
set -euo pipefail
SITE="$(cd "$1" && pwd)"
NATIVE="$(cd "$2" && pwd)"
NODE_MODULES="$(cd "$3" && pwd)"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
CHROMIUM="$(command -v chromium)"

WORK="$(mktemp -d)"
SERVER_PID=""
cleanup() {
    [ -z "$SERVER_PID" ] || kill "$SERVER_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# A dozen times over all six scenes and every scene switch (17000, 31500,
# 45600, 74200, 88600, 107000 the end), on both frame grids.
TIMES="0,8000,17000,25500,31500,40000,45600,60000,74200,80000,88600,95000,107000"
CASES='[{"seed":1,"fps":60,"times":['"$TIMES"']},{"seed":1,"fps":30,"times":['"$TIMES"']},{"seed":7,"fps":60,"times":['"$TIMES"']}]'
for c in "1 60" "1 30" "7 60"; do
    set -- $c
    (cd "$NATIVE" && ./demo-capture --seed "$1" --fps "$2" --at "$TIMES" --out "$WORK/seed$1-fps$2")
done
(cd "$NATIVE" && ./demo-capture --fps 60 --at 1 2>"$WORK/off-grid.txt" || true)

source "$HERE/serve.sh"
serve_site "$SITE"

NODE_PATH="$NODE_MODULES" node "$HERE/web_test.js" "$SITE_URL" "$WORK" "$CHROMIUM" "$CASES"
