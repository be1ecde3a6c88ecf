#!/usr/bin/env bash
# Installed into a prefix the game has a valid menu entry, metadata, manual
# page and hicolor icons, answers --help and --version, and started from
# another folder finds its archive in the installed data folder, shows its
# icon and quits with Escape. The Debian package holds the same files.
source "$(dirname "$0")/app_lib.sh"
: "${RVX_BUILD_DIR:?RVX_BUILD_DIR names the build folder}"
id=net.orvande.Rollavex
prefix="$WORK/prefix"
share="$prefix/share"
sizes="16 32 48 64 128 256"
cmake --install "$RVX_BUILD_DIR" --prefix "$prefix" >/dev/null
APP="$prefix/bin/rollavex"

desktop-file-validate "$share/applications/$id.desktop" || fail "the desktop file is not valid"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "the metainfo is not valid: $(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml")"
[ -s "$share/man/man6/rollavex.6" ] || fail "no manual page"
icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
for size in $sizes; do
  file="$share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ "$(identify -format '%wx%h' "$file" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size} px icon $file"
done

# Arguments: --help and --version answer on standard output, anything else
# gets the usage on standard error and exit code 2.
run() { rc=0; "$APP" "$@" > "$WORK/out" 2> "$WORK/err" || rc=$?; }
run --help
[ "$rc" -eq 0 ] && [ ! -s "$WORK/err" ] && head -n 1 "$WORK/out" | grep -q '^Usage: rollavex' ||
  fail "--help gave $rc: $(cat "$WORK/out" "$WORK/err")"
grep -q 'Escape' "$WORK/out" && grep -q 'RVX_REPLAY' "$WORK/out" || fail "--help names no keys or variables"
run --version
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$RVX_BUILD_DIR/CMakeCache.txt")
[ "$rc" -eq 0 ] && [ "$(cat "$WORK/out")" = "rollavex $version" ] || fail "--version gave $rc: $(cat "$WORK/out")"
for bad in --nonsense "--help --version" -h; do
  # shellcheck disable=SC2086
  run $bad
  [ "$rc" -eq 2 ] && [ ! -s "$WORK/out" ] && grep -q '^Usage: rollavex' "$WORK/err" || fail "'$bad' gave $rc"
done

# Started from another folder with an empty settings folder: no dialog.
mkdir -p "$WORK/home"
(cd "$WORK/home" && exec env RVX_DIALOG_ANSWERS= "$APP") &
GAME=$!
PIDS+=("$GAME")
wid=$(wait_window) || fail "no window"
[ -n "$wid" ] || fail "no window"
# Read whole: grep -q would end the pipe early, and pipefail would count xprop's SIGPIPE.
[[ "$(xprop -id "$wid" _NET_WM_ICON)" == *"Icon (64 x 64)"* ]] || fail "the window has no icon"
quit_with_escape
[ ! -s "$RVX_DIALOG_LOG" ] || fail "dialogs were shown: $(cat "$RVX_DIALOG_LOG")"

# The Debian package: the same layout under /usr, dependencies from the binary.
(cd "$WORK" && cpack -G DEB --config "$RVX_BUILD_DIR/CPackConfig.cmake" -B "$WORK/deb" >/dev/null) ||
  fail "cpack failed"
deb=$(ls "$WORK"/deb/*.deb)
dpkg-deb --contents "$deb" | awk '{print $NF}' > "$WORK/contents"
expected="./usr/bin/rollavex ./usr/share/rollavex/RollavexAssets.mm ./usr/share/applications/$id.desktop"
expected+=" ./usr/share/metainfo/$id.metainfo.xml ./usr/share/man/man6/rollavex.6"
for size in $sizes; do expected+=" ./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
for path in $expected; do
  grep -qxF "$path" "$WORK/contents" || fail "the package lacks $path"
done
dpkg-deb --field "$deb" Depends | grep -q 'libsdl2' || fail "no dependencies: $(dpkg-deb --field "$deb" Depends)"
echo "PASS"
