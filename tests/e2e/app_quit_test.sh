#!/usr/bin/env bash
# SIGTERM and the session's hang-up end the game within 3 seconds with exit
# code 0 while another window has the focus.
source "$(dirname "$0")/app_lib.sh"
store_fullscreen 0

for sig in TERM HUP; do
  start_game
  wid=$(wait_window) || fail "no window"
  [ -n "$wid" ] || fail "no window"
  xdotool windowfocus --sync "$wid"
  xclock -geometry 120x120+0+0 &
  clock=$!
  PIDS+=("$clock")
  other=$(timeout 10 xdotool search --sync --onlyvisible --class XClock | head -n 1)
  [ -n "$other" ] || fail "no other window"
  xdotool windowfocus --sync "$other"
  sleep 1
  kill -"$sig" "$GAME"
  deadline=$((SECONDS + 3))
  while kill -0 "$GAME" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  if kill -0 "$GAME" 2>/dev/null; then
    kill -KILL "$GAME"
    fail "SIG$sig did not end the game while another window had the focus"
  fi
  rc=0
  wait "$GAME" || rc=$?
  [ "$rc" -eq 0 ] || fail "SIG$sig ended the game with $rc"
  kill "$clock"
done
echo "PASS"
