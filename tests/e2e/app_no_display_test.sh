#!/usr/bin/env bash
# With no display to show a window the start ends with a message and exit
# code 0 instead of running unseen.
source "$(dirname "$0")/app_lib.sh"
rc=0
(cd "$RVX_RUN_DIR" && DISPLAY=:97 RVX_DIALOG_ANSWERS= timeout 30 "$APP") || rc=$?
[ "$rc" -eq 0 ] || fail "the game ended with $rc"
grep -q '^message|Error|' "$RVX_DIALOG_LOG" || fail "no error box: $(cat "$RVX_DIALOG_LOG" 2>/dev/null)"
echo "PASS"
