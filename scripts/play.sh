#!/bin/bash
# Builds the demo and starts it as the installed command does (see
# packaging/linux/tideglow.in): on sdl12-compat unless TIDEGLOW_SDL=classic, from
# build/, where its data/ folder lies.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec sh "$BUILD_DIR/tideglow"
