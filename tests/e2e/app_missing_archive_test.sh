#!/usr/bin/env bash
# Without the archive the user is asked for its folder; a chosen folder is
# remembered (the settings folder made when missing, every other line of a
# hand-written settings file kept), and cancelling ends the program with
# exit code 1.
source "$(dirname "$0")/app_lib.sh"
mkdir -p "$WORK/empty" "$WORK/elsewhere"
located="message|Message|An asset file cannot be located.  Please point to the directory where it is located."
asked="open|RollavexAssets.mm"
missing="message|Message|Game cannot be loaded.  An asset file is missing."

run_in_empty_folder() {
  local rc=0
  (cd "$WORK/empty" && RVX_DIALOG_ANSWERS="$1" timeout 60 "$APP") || rc=$?
  [ "$rc" -eq 1 ] || fail "the game ended with $rc"
}

# Cancelled at once.
run_in_empty_folder "ok;cancel;ok"
expected=$(printf '%s\n%s\n%s' "$located" "$asked" "$missing")
[ "$(cat "$RVX_DIALOG_LOG")" = "$expected" ] || fail "dialogs were: $(cat "$RVX_DIALOG_LOG")"

# A folder without the archive is stored and the user asked again.
: > "$RVX_DIALOG_LOG"
run_in_empty_folder "ok;$WORK/elsewhere/some.mm;ok;cancel;ok"
expected=$(printf '%s\n%s\n%s\n%s\n%s' "$located" "$asked" "$located" "$asked" "$missing")
[ "$(cat "$RVX_DIALOG_LOG")" = "$expected" ] || fail "dialogs were: $(cat "$RVX_DIALOG_LOG")"
grep -qxF "mmpath=$WORK/elsewhere/" "$KEY/settings.ini" || fail "folder not stored: $(cat "$KEY/settings.ini")"

# A hand-written file: its garbage line is reported, it starts windowed, and
# storing the archive's folder changes only that line.
settings() {
  printf '%s\r\n' "; edited by hand" "[Config]" "Fullscreen=0" "Music=-1" "mmpath=$1" "" \
    "this line is not a setting" "Colour=teal" "# the end"
}
settings "$WORK/elsewhere/" > "$KEY/settings.ini"
(cd "$WORK/empty" && exec env RVX_DIALOG_ANSWERS="ok;$RVX_RUN_DIR/RollavexAssets.mm" "$APP" 2> "$WORK/stderr") &
GAME=$!
PIDS+=("$GAME")
wid=$(wait_window) && [ -n "$wid" ] || fail "no window"
read -r w h _ < <(window_geometry "$wid")
[ "$w $h" = "794 575" ] || fail "window is $w x $h, not windowed"
end_game
grep -q "settings.ini:7: " "$WORK/stderr" || fail "no warning for line 7: $(cat "$WORK/stderr")"
cmp -s "$KEY/settings.ini" <(settings "$RVX_RUN_DIR/") || fail "settings now: $(cat -A "$KEY/settings.ini")"
echo "PASS"
