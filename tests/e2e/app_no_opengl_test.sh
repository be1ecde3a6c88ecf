#!/usr/bin/env bash
# With OpenGL older than 3.3 no 3.3 context can be made: the start ends
# with the graphics error and exit code 1.
source "$(dirname "$0")/app_lib.sh"
rc=0
(cd "$RVX_RUN_DIR" && MESA_GL_VERSION_OVERRIDE=3.2 RVX_DIALOG_ANSWERS= timeout 30 "$APP") || rc=$?
[ "$rc" -eq 1 ] || fail "the game ended with $rc"
expected="message|Error|OpenGL 3.3 or higher is not available on this machine.  Please install or update the graphics drivers for your video card."
[ "$(cat "$RVX_DIALOG_LOG")" = "$expected" ] || fail "dialogs were: $(cat "$RVX_DIALOG_LOG")"
echo "PASS"
