#!/usr/bin/env bash
# Windowed, the client area is 794 x 575 centred on the desktop; full screen
# the window covers the desktop. The pointer stays where the mouse puts it.
# Closing ends the game with exit code 0.
source "$(dirname "$0")/app_lib.sh"
read -r desk_w desk_h < <(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1], d[2]}')

check_window() {
  local wid
  start_game
  wid=$(wait_window) || fail "no window"
  [ -n "$wid" ] || fail "no window"
  sleep 1
  read -r w h x y < <(window_geometry "$wid")
  [ "$w $h" = "$1 $2" ] || fail "window is $w x $h, expected $1 x $2"
  [ "$x $y" = "$3 $4" ] || fail "window is at $x, $y, expected $3, $4"
  local px=$((x + w / 2 + 17)) py=$((y + h / 2 + 11))
  xdotool mousemove "$((px - 40))" "$((py - 30))"
  sleep 0.2
  xdotool mousemove "$px" "$py"
  sleep 0.5
  [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "x:$px y:$py" ] ||
    fail "pointer moved to $(xdotool getmouselocation), expected $px, $py"
  end_game
}

store_fullscreen 0
check_window 794 575 $(((desk_w - 794) / 2)) $(((desk_h - 575) / 2))
[ ! -s "$RVX_DIALOG_LOG" ] || fail "dialogs were shown: $(cat "$RVX_DIALOG_LOG")"

store_fullscreen 1
check_window "$desk_w" "$desk_h" 0 0
echo "PASS"
