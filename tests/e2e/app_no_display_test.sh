#!/usr/bin/env bash
# With no display, unset or one no X server holds, the game says so on stderr before
# anything else and ends with exit code 1, its settings untouched.
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/../../scripts/free_display.sh"
store_fullscreen 1
before=$(stat -c '%i %Y' "$KEY/settings.ini")
for display in "" ":$(free_display 97)"; do
  rc=0
  (cd "$RVX_RUN_DIR" && env -u WAYLAND_DISPLAY DISPLAY="$display" RVX_DIALOG_ANSWERS= timeout 30 "$APP") \
    2> "$WORK/stderr" || rc=$?
  [ "$rc" -eq 1 ] || fail "with DISPLAY='$display' the game ended with $rc"
  grep -q 'needs a graphical display' "$WORK/stderr" || fail "stderr was: $(cat "$WORK/stderr")"
  [ ! -e "$RVX_DIALOG_LOG" ] || fail "dialogs were shown: $(cat "$RVX_DIALOG_LOG")"
done
[ "$(stat -c '%i %Y' "$KEY/settings.ini")" = "$before" ] || fail "settings were rewritten"
grep -qx 'Fullscreen=1' "$KEY/settings.ini" || fail "settings changed: $(cat "$KEY/settings.ini")"
echo "PASS"
