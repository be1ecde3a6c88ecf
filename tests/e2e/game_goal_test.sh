#!/usr/bin/env bash
# A replayed game steers the ball through the maze into the goal:
# "Congratulations!" shows, the clock stops and the picture stays as drawn.
source "$(dirname "$0")/game_lib.sh"

open_game game_goal_replay.txt
wait_for 240 is_won_message || fail "no congratulations"
expect_clock_stopped
# The picture left standing while frames skip drawing is the one a full
# redraw gives: moving the pointer makes the game draw again.
before=$(shot)
pointer_to 20 20
sleep 1
[ "$(differing_pixels "$before" "$(shot)")" = 0 ] || fail "a redraw changed the picture"
quit_with_escape
echo "PASS"
