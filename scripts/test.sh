#!/usr/bin/env bash
# Sets up, builds and runs every test; starts its own X server when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${RVX_BUILD_DIR:-build}
source scripts/display.sh

cd "$build_dir"
ctest --output-on-failure -j"$(nproc)" "$@"
