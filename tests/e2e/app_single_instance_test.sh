#!/usr/bin/env bash
# A second start while the game runs ends at once with exit code 0, no
# window and one line on stderr.
source "$(dirname "$0")/app_lib.sh"
store_fullscreen 0

start_game
wid=$(wait_window) || fail "the first instance shows no window"
[ -n "$wid" ] || fail "the first instance shows no window"

rc=0
(cd "$RVX_RUN_DIR" && RVX_DIALOG_ANSWERS= timeout 20 "$APP") 2> "$WORK/stderr" || rc=$?
[ "$rc" -eq 0 ] || fail "the second instance ended with $rc"
[ "$(cat "$WORK/stderr")" = "Rollavex is already running." ] || fail "stderr was: $(cat "$WORK/stderr")"
[ ! -s "$RVX_DIALOG_LOG" ] || fail "the second instance showed: $(cat "$RVX_DIALOG_LOG")"
windows=$(xdotool search --name '^Rollavex$' | wc -l)
[ "$windows" -eq 1 ] || fail "$windows windows named Rollavex"

end_game
echo "PASS"
