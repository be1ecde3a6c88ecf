#!/usr/bin/env bash
# Damaged assets never crash the game: an archive whose last mesh is one of
# the meshes that once crashed the importer, one whose New button picture is
# cut short, one whose maze table is cut short, one whose first sound has no
# channels, and one cut short. Each run ends by itself within 20 seconds with
# exit code 1, after its message
# box and without a file dialog.
source "$(dirname "$0")/app_lib.sh"
mmbuild="${RVX_BUILD_DIR:?}/tools/mmbuild/mmbuild"
content="$RVX_BUILD_DIR/content"
regressions="${RVX_SOURCE_DIR:?}/tests/fuzz/regressions"
damaged="message|Error|The asset file RollavexAssets.mm was found but is damaged.  Please reinstall Rollavex.  Rollavex will exit."
mkdir -p "$WORK/assets" "$WORK/game"
cp -r "$content/sounds" "$content/sprites" "$content/meshes" "$content/mazes.bin" "$WORK/assets/"
cp "$RVX_RUN_DIR"/*.png "$WORK/game/"

# Packs the game's manifest, changed by the sed script $1, into the game folder.
pack() {
  sed "$1" "$content/manifest.txt" > "$WORK/assets/manifest.txt"
  "$mmbuild" pack "$WORK/assets/manifest.txt" "$WORK/game/RollavexAssets.mm" > /dev/null || fail "pack: $1"
}

# Runs the game once; its only dialog must be the box $2 ($1 names the case).
run_expecting() {
  : > "$RVX_DIALOG_LOG"
  local rc=0
  (cd "$WORK/game" && RVX_DIALOG_ANSWERS="ok" timeout -s KILL 20 "$APP") || rc=$?
  [ "$rc" -eq 1 ] || fail "$1: the game ended with $rc"
  [ "$(cat "$RVX_DIALOG_LOG")" = "$2" ] || fail "$1: dialogs were: $(cat "$RVX_DIALOG_LOG")"
}

for mesh in "$regressions"/mesh/*; do
  cp "$mesh" "$WORK/assets/broken.x"
  pack 's#^mesh meshes/ball.x$#mesh broken.x#'
  run_expecting "$(basename "$mesh")" "$damaged  (file: win32/MMeshline: 98)"
done

# The New button's first picture ends inside its first row.
head -c 30 "$content/sprites/new0.tga" > "$WORK/assets/broken.tga"
pack 's#sprites/new0.tga#broken.tga#'
run_expecting "picture cut short" "$damaged  (file: common/CSpriteline: 78)"

# The maze table ends inside its first maze.
head -c 30 "$content/mazes.bin" > "$WORK/assets/broken.bin"
pack 's#^maze mazes.bin$#maze broken.bin#'
run_expecting "maze table cut short" "$damaged  (file: game/AMazeSetline: 36)"

# The channel count of the intro sound's format is 0.
printf '\0\0' | dd of="$WORK/assets/sounds/intro.wav" bs=1 seek=22 conv=notrunc 2> /dev/null
pack 's#^$##'
run_expecting "no channels" "message|Error|The game cannot be loaded: an asset in the file RollavexAssets.mm cannot be used (error 68).  Rollavex will exit."

cp "$RVX_RUN_DIR/RollavexAssets.mm" "$WORK/game/"
truncate -s -1 "$WORK/game/RollavexAssets.mm"
run_expecting "one byte short" "$damaged  (file: win32/MFileMMIOline: 177)"
echo "PASS"
