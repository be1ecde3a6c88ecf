#!/usr/bin/env bash
# Without the archive the user is asked for its folder; a chosen folder is
# remembered, and cancelling ends the program with exit code 0.
source "$(dirname "$0")/app_lib.sh"
mkdir -p "$WORK/empty" "$WORK/elsewhere"
located="message|Message|An asset file cannot be located.  Please point to the directory where it is located."
asked="open|RollavexAssets.mm"
missing="message|Message|Game cannot be loaded.  An asset file is missing."

run_in_empty_folder() {
  local rc=0
  (cd "$WORK/empty" && RVX_DIALOG_ANSWERS="$1" timeout 60 "$APP") || rc=$?
  [ "$rc" -eq 0 ] || fail "the game ended with $rc"
}

# Cancelled at once.
run_in_empty_folder "ok;cancel;ok"
expected=$(printf '%s\n%s\n%s' "$located" "$asked" "$missing")
[ "$(cat "$RVX_DIALOG_LOG")" = "$expected" ] || fail "dialogs were: $(cat "$RVX_DIALOG_LOG")"

# A folder without the archive is stored and the user asked again.
: > "$RVX_DIALOG_LOG"
mkdir -p "$KEY"
run_in_empty_folder "ok;$WORK/elsewhere/some.mm;ok;cancel;ok"
expected=$(printf '%s\n%s\n%s\n%s\n%s' "$located" "$asked" "$located" "$asked" "$missing")
[ "$(cat "$RVX_DIALOG_LOG")" = "$expected" ] || fail "dialogs were: $(cat "$RVX_DIALOG_LOG")"
grep -qxF "$(printf 'sz\tmmpath\t%s/elsewhere/' "$WORK")" "$KEY/Config" || fail "folder not stored: $(cat "$KEY/Config")"
echo "PASS"
