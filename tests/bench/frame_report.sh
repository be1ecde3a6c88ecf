#!/usr/bin/env bash
# Frame report of the real game under an X server with software OpenGL:
#   idle      windowed, left alone at rest after the intro
#   replay    windowed, the goal replay played through, then Escape
#   full      the same replay full screen
# For each run it prints the process's CPU share (of one core, from /proc)
# and the game's own RVX_STATS report. Run by hand, not by CI:
#   bash tests/bench/frame_report.sh [build dir] [run names...]
# RVX_BENCH_IDLE_SECONDS sets the idle measurement (default 20 s);
# RVX_BENCH_CONFIG adds lines to the settings' [Config] (e.g. Music=-1). Without
# DISPLAY an Xvfb of 1024 x 768 is started on a free display.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$src/build}
shift || true
runs=("$@")
[ ${#runs[@]} -gt 0 ] || runs=(idle replay full)
app_dir=$(cd "$build/run" && pwd)
idle_seconds=${RVX_BENCH_IDLE_SECONDS:-20}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  source "$src/scripts/free_display.sh"
  export DISPLAY=:$(free_display 80)
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
export LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null RVX_DIALOG_ANSWERS=
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Orvande/Rollavex" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The goal replay, then Escape: the game ends when the replay does.
replay="$work/replay.txt"
cat "$src/tests/e2e/data/game_goal_replay.txt" > "$replay"
printf 'K 1 27\nU 4\nT 4\nK 2 27\nU 4\nT 4\nU 4\nT 4\n' >> "$replay"

hz=$(getconf CLK_TCK)
# CPU seconds (user + system, all threads) the process $1 has used so far.
cpu_of() { awk -v hz="$hz" '{ sub(/^.*\) /, ""); print ($12 + $13) / hz }' "/proc/$1/stat" 2>/dev/null; }
now() { date +%s.%N; }
share() { awk -v c="$2" -v t="$1" 'BEGIN { printf "%.0f%%", 100 * c / t }'; }

# Starts the game with Fullscreen $1 and the report in $2; pid in GAME.
start() {
  printf '[Config]\nFullscreen=%s\n%s\n' "$1" "${RVX_BENCH_CONFIG:-}" > "$XDG_CONFIG_HOME/Orvande/Rollavex/settings.ini"
  (cd "$app_dir" && exec env RVX_STATS="$2" ./rollavex) &
  GAME=$!
  pids+=("$GAME")
  timeout 30 xdotool search --sync --onlyvisible --name '^Rollavex$' >/dev/null
}

# Prints the run's name, CPU share over the measured wall time, and its report.
show() {
  echo "== $1: cpu $(share "$2" "$3") of one core over $(printf '%.1f' "$2") s"
  if [ -s "$4" ]; then sed 's/^/   /' "$4"; else echo "   (no report)"; fi
}

idle() {
  local stats="$work/stats_idle.txt"
  unset RVX_REPLAY
  start 0 "$stats"
  sleep 5
  local c0 t0 c1 t1
  c0=$(cpu_of "$GAME"); t0=$(now)
  sleep "$idle_seconds"
  c1=$(cpu_of "$GAME"); t1=$(now)
  kill -TERM "$GAME"
  wait "$GAME" || true
  show idle "$(echo "$t1 - $t0" | bc)" "$(echo "$c1 - $c0" | bc)" "$stats"
}

# Replays with Fullscreen $2; measures from the window's appearance to the end.
replay_run() {
  local stats="$work/stats_$1.txt" c0 t0 c1 t1 c
  export RVX_REPLAY="$replay"
  start "$2" "$stats"
  c0=$(cpu_of "$GAME"); t0=$(now); c1=$c0; t1=$t0
  while c=$(cpu_of "$GAME") && [ -n "$c" ]; do
    c1=$c; t1=$(now)
    sleep 0.2
  done
  wait "$GAME" || true
  unset RVX_REPLAY
  show "$1" "$(echo "$t1 - $t0" | bc)" "$(echo "$c1 - $c0" | bc)" "$stats"
}

for run in "${runs[@]}"; do
  case $run in
  idle) idle ;;
  replay) replay_run replay 0 ;;
  full) replay_run full 1 ;;
  *) echo "unknown run $run (idle, replay, full)" >&2; exit 2 ;;
  esac
done
