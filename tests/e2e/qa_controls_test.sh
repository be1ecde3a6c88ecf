#!/usr/bin/env bash
# The player's controls with the real program: the New button levels a leaned
# board, the hidden dialog (K, V, then B with the left button held, here on
# the New button) opens over the maze and its answer closes it, New still
# works after it, and the Quit button ends the game with exit code 0.
source "$(dirname "$0")/game_lib.sh"

# Client points of the New and Quit buttons and of the dialog's answer.
OK_X=419
OK_Y=238
NEW_X=720
NEW_Y=37
QUIT_X=720
QUIT_Y=87

# Clicks client point (x, y) with the left button.
click_at() {
  pointer_to "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
}

# Leans the board with a left-button drag from the middle of the window.
lean_board() {
  pointer_to "$MID_X" "$MID_Y"
  sleep 0.2
  xdotool mousedown 1
  for step in 1 2 3 4; do
    pointer_to $((MID_X + step * 10)) $((MID_Y + step * 10))
    sleep 0.05
  done
  xdotool mouseup 1
}

# Pixels of the New button that differ between two images.
new_button_change() {
  convert "$1" -crop 100x40+$((NEW_X - 50))+$((NEW_Y - 20)) +repage "$WORK/new_a.png"
  convert "$2" -crop 100x40+$((NEW_X - 50))+$((NEW_Y - 20)) +repage "$WORK/new_b.png"
  differing_pixels "$WORK/new_a.png" "$WORK/new_b.png"
}

# Pixels of the maze (below the buttons, above the hint line) that differ.
maze_change() {
  convert "$1" -crop 600x420+60+110 +repage "$WORK/maze_a.png"
  convert "$2" -crop 600x420+60+110 +repage "$WORK/maze_b.png"
  differing_pixels "$WORK/maze_a.png" "$WORK/maze_b.png"
}

open_game
wait_for 60 is_hint_shown || fail "the intro did not end"
pointer_to 0 0
sleep 0.3
level=$(shot)

# New button: the board is level again; the last shot is in RENEWED.
check_new_levels() {
  lean_board
  sleep 0.5
  local leaned
  leaned=$(shot)
  [ "$(maze_change "$level" "$leaned")" -gt 5000 ] || fail "the drag did not lean the board $1"
  click_at "$NEW_X" "$NEW_Y"
  pointer_to 0 0
  sleep 0.3
  RENEWED=$(shot)
  [ "$(maze_change "$level" "$RENEWED")" -lt 2000 ] || fail "New did not level the board $1"
}
check_new_levels "at first"
renewed=$RENEWED

# Hidden dialog: K and V at any time, then B while the left button is held.
xdotool key k
sleep 0.2
xdotool key v
pointer_to "$NEW_X" "$NEW_Y"
sleep 0.2
xdotool mousedown 1
sleep 0.2
xdotool key b
sleep 0.2
xdotool mouseup 1
sleep 1
dialog=$(shot)
[ "$(maze_change "$renewed" "$dialog")" -gt 20000 ] || fail "the hidden dialog did not open"
click_at "$OK_X" "$OK_Y"
sleep 1
pointer_to 0 0
sleep 0.5
closed=$(shot)
[ "$(maze_change "$dialog" "$closed")" -gt 20000 ] || fail "the dialog's answer did not close it"
[ "$(new_button_change "$renewed" "$closed")" -lt 50 ] || fail "the New button held over the dialog stays pressed"
check_new_levels "after the dialog"

# Quit button: the game ends with exit code 0.
click_at "$QUIT_X" "$QUIT_Y"
deadline=$((SECONDS + 20))
while kill -0 "$GAME" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.3; done
kill -0 "$GAME" 2>/dev/null && fail "the Quit button did not end the game"
rc=0
wait "$GAME" || rc=$?
[ "$rc" -eq 0 ] || fail "the game ended with $rc"
echo "PASS"
