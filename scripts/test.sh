#!/usr/bin/env bash
# Sets up, builds and runs every test, then (without ctest arguments) the fuzz
# targets; starts its own X server when there is no display. With RVX_SANITIZE=address,undefined: the unit
# tests only, built with those sanitizers in build-sanitize/, leak detection on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
sanitize=${RVX_SANITIZE:-}
build_dir=${RVX_BUILD_DIR:-build${sanitize:+-sanitize}}

xvfb_pid=""
cleanup() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ]; then
  # The first display number no other X server holds.
  n=${RVX_TEST_DISPLAY:-57}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || { echo "The X server on $DISPLAY did not start." >&2; exit 1; }
fi
export LIBGL_ALWAYS_SOFTWARE=1
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
export XDG_CONFIG_HOME=${XDG_CONFIG_HOME:-$(mktemp -d)}

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
