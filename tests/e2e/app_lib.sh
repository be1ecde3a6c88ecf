# Shared set-up of the application's end-to-end tests: private settings and
# state folders, lock folder and dialog log, and helpers to start and watch the game.
set -euo pipefail
: "${RVX_RUN_DIR:?RVX_RUN_DIR names the folder the game runs from}"
APP="$RVX_RUN_DIR/rollavex"
WORK=$(mktemp -d)
export XDG_CONFIG_HOME="$WORK/config" XDG_STATE_HOME="$WORK/state" XDG_RUNTIME_DIR="$WORK/runtime"
export RVX_DIALOG_LOG="$WORK/dialogs.log"
# No installed copy of the game's data is found.
export XDG_DATA_HOME="$WORK/data" XDG_DATA_DIRS="$WORK/data"
export LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null
KEY="$XDG_CONFIG_HOME/Orvande/Rollavex"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
PIDS=()

cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Settings with Fullscreen set to $1.
store_fullscreen() {
  mkdir -p "$KEY"
  printf '[Config]\nFullscreen=%s\n' "$1" > "$KEY/settings.ini"
}

# Starts the game from the run folder in the background; its pid is in GAME.
# Its standard error goes to the file GAME_STDERR when that is set; the
# arguments go to the game.
start_game() {
  (cd "$RVX_RUN_DIR" && exec env RVX_DIALOG_ANSWERS= "$APP" "$@" 2> "${GAME_STDERR:-/dev/stderr}") &
  GAME=$!
  PIDS+=("$GAME")
}

# Prints the id of the game's visible window, waiting at most 30 seconds.
wait_window() {
  timeout 30 xdotool search --sync --onlyvisible --name '^Rollavex$' | head -n 1
}

# Asks the game to end as closing its window does and checks it ends with 0.
end_game() {
  kill -TERM "$GAME"
  local rc=0
  wait "$GAME" || rc=$?
  [ "$rc" -eq 0 ] || fail "the game ended with $rc"
}

# Presses Escape until the game ends (keys are not taken while a replay
# runs) and checks it ends with exit code 0.
quit_with_escape() {
  local deadline=$((SECONDS + 60))
  while kill -0 "$GAME" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    xdotool key Escape
    sleep 1
  done
  kill -0 "$GAME" 2>/dev/null && fail "Escape did not end the game"
  local rc=0
  wait "$GAME" || rc=$?
  [ "$rc" -eq 0 ] || fail "the game ended with $rc"
}

# "<width> <height> <x> <y>" of a window.
window_geometry() {
  xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} /Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print w, h, x, y}'
}
