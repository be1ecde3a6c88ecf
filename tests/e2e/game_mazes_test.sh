#!/usr/bin/env bash
# A replayed win of maze 1 opens maze 2: Enter shows its board, --list-mazes
# and --maze know it, and the next start is on maze 2 again.
source "$(dirname "$0")/game_lib.sh"

# The board without the labels, the clock, the buttons and the hint line.
BOARD=560x440+110+70
board_of() { convert "$1" -crop "$BOARD" +repage "$2"; }
share_of() { echo $(( $(differing_pixels "$1" "$2") * 100 / (560 * 440) )); }

# The game's command line, from the folder the archive is in.
app() { (cd "$RVX_RUN_DIR" && "$APP" "$@"); }
list_line() { app --list-mazes | sed -n "${1}p"; }

[ "$(app --list-mazes | wc -l)" -ge 12 ] || fail "fewer than 12 mazes listed"
list_line 2 | grep -q "^2  .*locked$" || fail "maze 2 is not locked at first: $(list_line 2)"
rc=0; app --maze 2 2> "$WORK/err" || rc=$?
[ "$rc" -eq 2 ] && [ "$(wc -l < "$WORK/err")" -eq 1 ] || fail "--maze 2 while locked ended with $rc: $(cat "$WORK/err")"
rc=0; app --maze 40 2> "$WORK/err" || rc=$?
[ "$rc" -eq 2 ] && grep -q "no maze 40" "$WORK/err" || fail "--maze 40 ended with $rc"

open_game game_goal_replay.txt
wait_for 240 is_won_message || fail "no congratulations"
board_of "$(shot)" "$WORK/maze1.png"
# Live keys count again once the replay has ended.
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
  xdotool key Return
  sleep 1
  board_of "$(shot)" "$WORK/maze2.png"
  [ "$(share_of "$WORK/maze1.png" "$WORK/maze2.png")" -gt 10 ] && break
done
[ "$(share_of "$WORK/maze1.png" "$WORK/maze2.png")" -gt 10 ] || fail "Enter after the win showed no other board"
is_won_message "$(shot)" && fail "the win's message stayed on the next maze"
quit_with_escape

list_line 1 | grep -Eq "^1  .* [0-9]{2}:[0-9]{2}$" || fail "maze 1 has no best time: $(list_line 1)"
list_line 2 | grep -q "locked" && fail "maze 2 is still locked"
list_line 3 | grep -q "locked$" || fail "maze 3 is open"

open_game
wait_for 30 is_intro_gone || fail "the intro did not end"
board_of "$(shot)" "$WORK/again.png"
[ "$(share_of "$WORK/maze2.png" "$WORK/again.png")" -lt 2 ] || fail "the game did not start again on maze 2"
quit_with_escape
echo "PASS"
