# Sourced by the test scripts: starts a private X server on the first free display number when
# there is no display (or under CI), stops it on exit, and sets the software-GL test environment.
source "$(dirname "${BASH_SOURCE[0]}")/free_display.sh"
xvfb_pid=""
stop_display() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_display EXIT
if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ]; then
  export DISPLAY=:$(free_display "${RVX_TEST_DISPLAY:-57}")
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || { echo "The X server on $DISPLAY did not start." >&2; exit 1; }
fi
export LIBGL_ALWAYS_SOFTWARE=1
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
export XDG_CONFIG_HOME=${XDG_CONFIG_HOME:-$(mktemp -d)}
export XDG_STATE_HOME=${XDG_STATE_HOME:-$(mktemp -d)}
