#!/usr/bin/env bash
# A replayed game leans the board down: the ball rolls into the first hole,
# "Better luck next time!" shows and the clock stops, with frames of one
# tick as with frames of 25. N then starts a new game: the message goes, the
# ball is back at the start and the clock runs from 0 again.
source "$(dirname "$0")/game_lib.sh"

# The same game in frames of one tick: after the release, each recorded
# frame of 25 ticks becomes 25 frames of one.
fine="$WORK/game_hole_fine_replay.txt"
awk '/^M 4 / { released = 1 }
     released && /^U 25$/ { for (i = 0; i < 25; ++i) print "U 1\nT 1"; next }
     released && /^T 25$/ { next }
     { print }' "$DATA/game_hole_replay.txt" > "$fine"
open_game "$fine"
wait_for 90 is_lost_message || fail "no loss message in frames of one tick"
quit_with_escape

open_game game_hole_replay.txt
wait_for 90 is_lost_message || fail "no loss message"
expect_clock_stopped
lost=$LAST

# Keys count once the replay is over.
no_message() { [ "$(message_width "$1")" = 0 ]; }
deadline=$((SECONDS + 60))
while :; do
  fresh=$(shot)
  no_message "$fresh" && break
  [ "$SECONDS" -lt "$deadline" ] || fail "N did not start a new game"
  xdotool key n
  sleep 1
done
clock_of "$lost" "$WORK/clock_lost.png"
clock_of "$fresh" "$WORK/clock_new.png"
[ "$(differing_pixels "$WORK/clock_lost.png" "$WORK/clock_new.png")" != 0 ] || fail "the clock was not reset"
sleep 2.5
clock_of "$(shot)" "$WORK/clock_later.png"
[ "$(differing_pixels "$WORK/clock_new.png" "$WORK/clock_later.png")" != 0 ] || fail "the new game's clock does not run"
# The ball is back on the start ring at the top left.
convert "$lost" -crop 40x40+165+30 +repage "$WORK/start_lost.png"
convert "$fresh" -crop 40x40+165+30 +repage "$WORK/start_new.png"
[ "$(differing_pixels "$WORK/start_lost.png" "$WORK/start_new.png")" -gt 200 ] || fail "the ball is not back at the start"
quit_with_escape
echo "PASS"
