#!/usr/bin/env bash
# The intro picture covers the maze while the intro runs and is gone, with the
# hint line shown, once its two seconds are over. The replay holds the intro's
# countdown until the fade-in is done, so the picture is seen at full light.
source "$(dirname "$0")/game_lib.sh"

open_game game_intro_replay.txt
wait_for 60 is_intro_shown || fail "the intro picture did not show"
is_hint_shown "$LAST" && fail "the hint shows during the intro"
wait_for 60 is_intro_gone || fail "the intro picture stayed"
wait_for 10 is_hint_shown || fail "no hint after the intro"
quit_with_escape
echo "PASS"
