# Shared set-up of the game's end-to-end tests: the application's helpers,
# windowed settings, screenshots of the game window and what they show.
source "$(dirname "$0")/app_lib.sh"
DATA="$(cd "$(dirname "$0")" && pwd)/data"
store_fullscreen 0

# Window client point of the drags: the middle of the 794 x 575 client area.
MID_X=397
MID_Y=287

# Starts the game, replaying $1 (a file of the data folder, or a path) when
# given; window id in WID.
open_game() {
  case "${1:-}" in
    "") unset RVX_REPLAY ;;
    /*) export RVX_REPLAY="$1" ;;
    *) export RVX_REPLAY="$DATA/$1" ;;
  esac
  start_game
  WID=$(wait_window) || fail "no window"
  [ -n "$WID" ] || fail "no window"
}

# Takes a screenshot of the game window's client area; prints its file name.
# xwd is much quicker than import where it is installed.
shot() {
  local file
  if command -v xwd >/dev/null; then
    file=$(mktemp --suffix=.xwd -p "$WORK" shotXXXXXX)
    xwd -id "$WID" -silent > "$file"
  else
    file=$(mktemp --suffix=.png -p "$WORK" shotXXXXXX)
    import -window "$WID" "$file"
  fi
  echo "$file"
}

# Red channel (0-255) of pixel (x, y) of image $1.
red() {
  convert "$1" -crop "1x1+$2+$3" -type TrueColor -depth 8 txt:- |
    sed -n '2s/^[^(]*(\([0-9]*\),.*/\1/p'
}

# Share (0..1) of pixels near colour $2 in the w x h band at (x, y) given as $3.
colour_share() {
  convert "$1" -crop "$3" +repage -fuzz 25% -fill white -opaque "$2" -fill black +opaque white \
    -colorspace Gray -format '%[fx:mean]' info:
}

# Width in pixels of the yellow text on the message line (y 250), above the
# line of the win's time; 0 without one.
message_width() {
  local band="700x34+47+224"
  if awk -v s="$(colour_share "$1" '#FFFF00' "$band")" 'BEGIN { exit !(s < 0.002) }'; then
    echo 0
    return
  fi
  convert "$1" -crop "$band" +repage -fuzz 25% -fill white -opaque '#FFFF00' -fill black +opaque white \
    -trim -format '%w' info:
}

# The message line shows "Better luck next time!" (wider) or "Congratulations!".
is_lost_message() { [ "$(message_width "$1")" -gt 250 ]; }
is_won_message() { local w; w=$(message_width "$1"); [ "$w" -gt 120 ] && [ "$w" -le 250 ]; }

# The blue hint line at y 546.
is_hint_shown() {
  awk -v s="$(colour_share "$1" '#00AFFF' 700x24+47+534)" 'BEGIN { exit !(s > 0.01) }'
}

# The intro picture covers the middle: its dark title board over its bright maze.
is_intro_shown() { [ "$(red "$1" 400 160)" -lt 100 ] && [ "$(red "$1" 300 300)" -gt 150 ]; }
is_intro_gone() { [ "$(red "$1" 400 160)" -gt 150 ]; }

# Waits at most $1 seconds for the check "$2 <shot>"; the last shot is in LAST.
wait_for() {
  local deadline=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$deadline" ]; do
    LAST=$(shot)
    if "$2" "$LAST"; then return 0; fi
    sleep 0.3
  done
  return 1
}

# Pixels that differ between two images.
# (compare's exit status only says whether they differ)
differing_pixels() { { compare -metric AE "$1" "$2" null: 2>&1 || true; } | cut -d' ' -f1; }

# The clock face (top left) of image $1 into $2.
clock_of() { convert "$1" -crop 64x30+17+43 +repage "$2"; }

# The clock stands still for two seconds.
expect_clock_stopped() {
  clock_of "$(shot)" "$WORK/clock_a.png"
  sleep 2
  clock_of "$(shot)" "$WORK/clock_b.png"
  [ "$(differing_pixels "$WORK/clock_a.png" "$WORK/clock_b.png")" = 0 ] || fail "the clock still runs"
}

# Moves the pointer to client point (x, y) of the game window.
pointer_to() {
  read -r _ _ wx wy < <(window_geometry "$WID")
  xdotool mousemove $((wx + $1)) $((wy + $2))
}
