#!/usr/bin/env bash
# Sets everything up, builds with warnings as errors, runs every test and
# then each fuzz target briefly on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD=${TESSARO_BUILD:-build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j2
bash scripts/fuzz.sh
