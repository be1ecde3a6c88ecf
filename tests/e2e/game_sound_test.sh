#!/usr/bin/env bash
# The goal game replayed with OpenAL Soft writing the mix to a file: SFX sets
# the level of every effect by ear (20 is at least 10 dB under 100 throughout
# the game), the music plays at Music=100, and SFX=0 with Music=-1 is silence.
# Without a sound device the game says so in one line and plays silently.
source "$(dirname "$0")/game_lib.sh"
LEVEL="${RVX_BUILD_DIR:?}/tools/wavelevel/rvxwavelevel"

# Replays the goal game with SFX=$1 and Music=$2 to the win, writing the mix
# to $WORK/mix_$1_$2.wav; prints its levels (see rvxwavelevel).
record_goal_game() {
  local mix="$WORK/mix_$1_$2.wav"
  store_fullscreen 0
  printf 'SFX=%s\nMusic=%s\n' "$1" "$2" >> "$KEY/settings.ini"
  printf '[wave]\nfile = %s\n' "$mix" > "$WORK/alsoft.conf"
  ALSOFT_DRIVERS=wave ALSOFT_CONF="$WORK/alsoft.conf" open_game game_goal_replay.txt
  wait_for 240 is_won_message || fail "no congratulations with SFX=$1 Music=$2"
  end_game
  "$LEVEL" "$mix"
}

# Field $2 ("rms", "p50", "p90", "max" or "sounding") of levels $1.
field() { awk -v name="$2" '{ for (i = 1; i < NF; i++) if ($i == name) print $(i + 1) }' <<< "$1"; }

full=$(record_goal_game 100 -1)
quiet=$(record_goal_game 20 -1)
echo "SFX=100: $full"
echo "SFX=20: $quiet"
[ "$(field "$full" sounding)" -gt 20 ] || fail "the effects are not heard at SFX=100"
for name in rms p50 p90 max; do
  awk -v a="$(field "$full" $name)" -v b="$(field "$quiet" $name)" 'BEGIN { exit !(b <= a - 10) }' ||
    fail "$name at SFX=20 is $(field "$quiet" $name) dBFS, at 100 $(field "$full" $name) dBFS"
done

music=$(record_goal_game -1 100)
echo "Music=100: $music"
# It plays from the start to the end, at a level of its own.
[ "$(field "$music" sounding)" -gt 50 ] || fail "no music at Music=100: $music"
awk -v m="$(field "$music" max)" -v p="$(field "$music" p50)" 'BEGIN { exit !(m - p < 10) }' ||
  fail "the music is not even: $music"
[ "$(record_goal_game 0 -1)" = "sounding 0" ] || fail "not silent at SFX=0 and Music=-1"

# No device: an unknown driver is all OpenAL Soft may use.
GAME_STDERR="$WORK/stderr" ALSOFT_DRIVERS=none-such open_game game_goal_replay.txt
wait_for 240 is_won_message || fail "no congratulations without a sound device"
end_game
[ "$(grep -c 'sound' "$WORK/stderr")" -eq 1 ] || fail "standard error was: $(cat "$WORK/stderr")"
grep -q '^Rollavex: no sound device; playing without sound\.$' "$WORK/stderr" || fail "$(cat "$WORK/stderr")"
echo "PASS"
