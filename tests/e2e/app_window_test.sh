#!/usr/bin/env bash
# Windowed, the client area is 794 x 575 centred on the desktop; full screen
# the window covers the desktop. The pointer stays where the mouse puts it.
# Closing ends the game with exit code 0. A resized window shows the picture
# scaled between bars, F11 and Alt+Enter switch to full screen and back, the
# Quit button is hit where it shows, and the size and the choice are kept.
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

store_fullscreen 0
start_game
wid=$(wait_window) && [ -n "$wid" ] || fail "no window"
xdotool windowsize "$wid" 993 600
sleep 1
xdotool key --window "$wid" F11
sleep 1
read -r w h x y < <(window_geometry "$wid")
[ "$w $h $x $y" = "$desk_w $desk_h 0 0" ] || fail "full screen is $w x $h at $x, $y"
grep -qx 'Fullscreen=1' "$KEY/settings.ini" || fail "F11 not kept: $(cat "$KEY/settings.ini")"
xdotool key --window "$wid" alt+Return
sleep 1
read -r w h _ < <(window_geometry "$wid")
[ "$w $h" = "993 600" ] || fail "windowed again at $w x $h"
# The picture is 829 x 600 between bars of 82: the Quit button's point (720, 87) scaled.
xdotool mousemove --window "$wid" $((82 + 720 * 600 / 575)) $((87 * 600 / 575)) click 1
timeout 20 tail --pid="$GAME" -f /dev/null || fail "the Quit button did not end the game"
rc=0
wait "$GAME" || rc=$?
[ "$rc" -eq 0 ] || fail "the game ended with $rc"
for line in Fullscreen=0 WindowWidth=993 WindowHeight=600; do
  grep -qx "$line" "$KEY/settings.ini" || fail "no $line: $(cat "$KEY/settings.ini")"
done
echo "PASS"
