#!/usr/bin/env bash
# After the intro, dragging with the left button leans the board (the picture
# changes) and the pointer comes back to where the button went down, also when
# the button comes up over the New button.
source "$(dirname "$0")/game_lib.sh"

open_game
wait_for 60 is_hint_shown || fail "the intro did not end"
pointer_to "$MID_X" "$MID_Y"
sleep 0.5
level=$(shot)
pointer_at() { xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/'; }
read -r px py < <(pointer_at)
xdotool mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove $((px + step * 12)) $((py + step * 8))
  sleep 0.1
done
sleep 1
leaned=$(shot)
xdotool mouseup 1
sleep 1
read -r rx ry < <(pointer_at)
[ "$rx $ry" = "$px $py" ] || fail "the pointer is at $rx, $ry, not back at $px, $py"
xdotool mousedown 1
pointer_to 720 37 # the New button
sleep 0.5
xdotool mouseup 1
sleep 1
read -r rx ry < <(pointer_at)
[ "$rx $ry" = "$px $py" ] || fail "released over New, the pointer is at $rx, $ry, not back at $px, $py"
changed=$(differing_pixels "$level" "$leaned")
[ "$changed" -gt 20000 ] || fail "leaning changed only $changed pixels"
is_hint_shown "$leaned" && fail "the hint still shows while leaning"
quit_with_escape
echo "PASS"
