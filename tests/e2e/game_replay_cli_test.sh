#!/usr/bin/env bash
# Replays and recordings from the command line: a bad replay is one line and
# exit 2 without a window; --replay plays the goal game to its win; a
# recording that cannot be written is told at once and the run fails.
source "$(dirname "$0")/game_lib.sh"
unset RVX_REPLAY RVX_RECORD

printf 'RVXREC 3\nU 99\n' > "$WORK/bad.rec"
rc=0
(cd "$RVX_RUN_DIR" && "$APP" --replay "$WORK/bad.rec") 2> "$WORK/err" || rc=$?
[ "$rc" -eq 2 ] || fail "a bad replay ended with $rc"
[ "$(wc -l < "$WORK/err")" -eq 1 ] && grep -q "line 2" "$WORK/err" || fail "a bad replay said: $(cat "$WORK/err")"
xdotool search --name '^Rollavex$' >/dev/null 2>&1 && fail "a bad replay opened a window"

start_game --replay "$DATA/game_goal_replay.txt"
WID=$(wait_window) || fail "no window"
wait_for 240 is_won_message || fail "--replay did not win the goal game"
quit_with_escape

export GAME_STDERR="$WORK/record.err"
start_game --record /dev/full
WID=$(wait_window) || fail "no window"
wait_for 30 is_intro_gone || fail "the intro did not end"
grep -q "the recording could not be written" "$GAME_STDERR" || fail "a full disk was not told: $(cat "$GAME_STDERR")"
xdotool key Escape
rc=0
wait "$GAME" || rc=$?
[ "$rc" -eq 1 ] || fail "a lost recording ended with $rc"
echo "PASS"
