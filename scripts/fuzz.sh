#!/bin/bash
# Builds the picture fuzzer (picture_fuzz, the root project's DEMO_FUZZ
# target, with the portable core under clang's sanitizers) in build-fuzz/ and
# runs it for a bounded time (FUZZ_SECONDS, default 60) from the corpus in
# fuzz/corpus. New inputs it finds go to a scratch directory, not into the
# repository.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
source "$ROOT/scripts/lib.sh"

clear_foreign_build "$BUILD"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DDEMO_FUZZ=ON -DDEMO_WERROR=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target picture_fuzz

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
ASAN_OPTIONS=detect_leaks=0 "$BUILD/picture_fuzz" -max_total_time="${FUZZ_SECONDS:-60}" -timeout=60 \
    -rss_limit_mb=4096 -print_final_stats=1 "$scratch" "$ROOT/fuzz/corpus"
