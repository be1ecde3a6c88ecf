#!/usr/bin/env bash
# A replayed game steers the ball through the maze into the goal:
# "Congratulations!" shows and the clock stops.
source "$(dirname "$0")/game_lib.sh"

open_game game_goal_replay.txt
wait_for 240 is_won_message || fail "no congratulations"
expect_clock_stopped
quit_with_escape
echo "PASS"
