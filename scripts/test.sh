#!/usr/bin/env bash
# Sets up, builds and runs every test, then (without ctest arguments) the fuzz
# targets; starts its own X server when there is no display. With RVX_SANITIZE=address,undefined: the unit
# tests only, built with those sanitizers in build-sanitize/, leak detection on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
sanitize=${RVX_SANITIZE:-}
build_dir=${RVX_BUILD_DIR:-build${sanitize:+-sanitize}}
source scripts/display.sh

if [ -n "$sanitize" ]; then
  # Leaks inside the system libraries are suppressed, each named in the file. Mesa's
  # driver stays loaded (it is unloaded when the display closes, and what it holds would
  # be reported as unnamed leaks).
  export LSAN_OPTIONS=suppressions=$PWD/tests/sanitize/lsan.supp:print_suppressions=0
  export ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0
  export UBSAN_OPTIONS=print_stacktrace=1
  mesa_driver=$(ls /usr/lib/*/dri/swrast_dri.so | head -n 1)
  (cd "$build_dir" && LD_PRELOAD=$mesa_driver ctest --output-on-failure -j"$(nproc)" -LE e2e "$@")
else
  (cd "$build_dir" && ctest --output-on-failure -j"$(nproc)" "$@")
  [ $# -gt 0 ] || bash scripts/fuzz.sh
fi
