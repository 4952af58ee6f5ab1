#!/bin/bash
# Builds the demo and starts it from build/, where its data/ folder lies.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD_DIR"
exec ./demo
