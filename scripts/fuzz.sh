#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/, runs each for a fixed number of executions, then every regression input.
# Arguments go to ctest (e.g. -R fuzz.mesh).
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_dir=${RVX_FUZZ_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$fuzz_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRVX_FUZZ=ON >/dev/null
cmake --build "$fuzz_dir" -j"$(nproc)" --target rvx_fuzz
cd "$fuzz_dir"
ctest --output-on-failure -j"$(nproc)" -L fuzz "$@"
