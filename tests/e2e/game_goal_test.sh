#!/usr/bin/env bash
# A replayed game steers the ball through the maze into the goal:
# "Congratulations!" shows, the clock stops and the picture stays as drawn. The first win is a new best
# time, kept in the state folder and shown under the clock from then on; the
# same game again is no new best and leaves it as it was.
source "$(dirname "$0")/game_lib.sh"
BEST_FILE="$XDG_STATE_HOME/Orvande/Rollavex/best-times"

# The "Best" label under the clock and the line under the message.
BEST_BAND=100x22+2+78
NEW_BEST_BAND=700x26+47+277
has_yellow() { awk -v s="$(colour_share "$1" '#FFFF00' "$2")" 'BEGIN { exit !(s > 0.01) }'; }
is_best_shown() { has_yellow "$1" "$BEST_BAND"; }
is_new_best_shown() { has_yellow "$1" "$NEW_BEST_BAND"; }

# Plays the recorded game to the goal; the shot of the win is in LAST.
win_recorded_game() {
  wait_for 240 is_won_message || fail "no congratulations"
  expect_clock_stopped
  LAST=$(shot)
}

open_game game_goal_replay.txt
is_best_shown "$(shot)" && fail "a best time before the first win"
win_recorded_game
is_new_best_shown "$LAST" || fail "no \"New best time!\" after the first win"
# The picture left standing while frames skip drawing is the one a full
# redraw gives: moving the pointer makes the game draw again.
pointer_to 20 20
sleep 1
[ "$(differing_pixels "$LAST" "$(shot)")" = 0 ] || fail "a redraw changed the picture"
convert "$LAST" -crop "$BEST_BAND" +repage "$WORK/best_won.png"
quit_with_escape
[ "$(wc -l < "$BEST_FILE")" -eq 1 ] || fail "the state file holds $(cat "$BEST_FILE")"
read -r maze hundredths < "$BEST_FILE"
[ "$hundredths" -gt 0 ] || fail "the state file holds $hundredths hundredths"

open_game game_goal_replay.txt
wait_for 30 is_best_shown || fail "no best time under the clock after a restart"
win_recorded_game
is_new_best_shown "$LAST" && fail "\"New best time!\" for a win no faster than the best"
# The same game ends in the same picture: the label shows the same time.
convert "$LAST" -crop "$BEST_BAND" +repage "$WORK/best_won_again.png"
[ "$(differing_pixels "$WORK/best_won.png" "$WORK/best_won_again.png")" = 0 ] ||
  fail "the best time shown differs from the first win's"
quit_with_escape
[ "$(cat "$BEST_FILE")" = "$maze $hundredths" ] || fail "the best time changed to $(cat "$BEST_FILE")"
echo "PASS"
