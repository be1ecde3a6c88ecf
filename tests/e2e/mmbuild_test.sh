#!/usr/bin/env bash
# Packs a small manifest with mmbuild, lists the archive and checks its bytes.
set -euo pipefail
mmbuild=${RVX_BUILD_DIR:?}/tools/mmbuild/mmbuild
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }

# A 2 x 1 plain TGA with origin (3, -4); a run-length 4 x 1 one.
printf '\0\0\2\0\0\0\0\0\3\0\374\377\2\0\1\0\40\10' > plain.tga
printf '\1\2\3\377\1\2\3\377' >> plain.tga
printf '\0\0\12\0\0\0\0\0\0\0\0\0\4\0\1\0\40\10\203\1\2\3\377' > packed.tga
# A PCM wave with 6 data bytes.
{ printf 'RIFF'; le32 42; printf 'WAVEfmt '; le32 16
  printf '\1\0\2\0'; le32 22050; le32 88200; printf '\4\0\20\0'
  printf 'data'; le32 6; printf 'abcdef'; } > sound.wav
printf 'xof 0303txt 0032\nMesh {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n 3;0,1,2;;\n}\n' > tri.x
mkdir sub
cp tri.x sub/odd.x
printf 'x' >> sub/odd.x # odd size: the chunk gets a pad byte

cat > manifest.txt <<'MANIFEST'
# a small archive
entry 12
wave sound.wav
entry 2
anim plain.tga packed.tga
rgba plain.tga
mesh sub/odd.x
entry 13
mesh tri.x
MANIFEST

"$mmbuild" pack manifest.txt first.mm || fail "pack"
"$mmbuild" pack "$work/manifest.txt" "$work/second.mm" || fail "pack with absolute paths"
cmp first.mm second.mm || fail "output is not deterministic"

# Header, form type, map id and an entry count of 14.
[ "$(head -c 4 first.mm)" = FFIR ] || fail "archive id"
[ "$(dd if=first.mm bs=1 skip=8 count=8 2>/dev/null)" = "LFMM pam" ] || fail "form type and map id"
[ "$(od -An -tu4 -j20 -N4 first.mm | tr -d ' ')" = 14 ] || fail "entry count"
size=$(stat -c %s first.mm)
[ $((size % 2)) = 0 ] || fail "odd archive length"
[ "$(od -An -tu4 -j4 -N4 first.mm | tr -d ' ')" = $((size - 8)) ] || fail "form size"

"$mmbuild" list first.mm > list.txt || fail "list"
cat list.txt
grep -q '^archive first.mm: 14 entries' list.txt || fail "list header"
grep -q '^entry 12 @ ' list.txt || fail "entry 12"
grep -q 'wave 50 bytes: PCM 2 ch 22050 Hz 16 bit, 6 data bytes' list.txt || fail "wave format"
grep -q 'anim .*: 2 frames' list.txt || fail "animation"
grep -q '    rgba 26 bytes: 2 x 1 at (3, -4), 32 bit, plain' list.txt || fail "animation frame"
grep -q '    rgba 23 bytes: 4 x 1 at (0, 0), 32 bit, run-length' list.txt || fail "packed frame"
grep -q '  mesh .*: 3 vertices, 1 faces' list.txt || fail "mesh counts"
[ "$(grep -c ': as entry 0' list.txt)" = 10 ] || fail "filler entries"
# Entries 2, 12 and 13 each start their own group, in manifest order.
o12=$(sed -n 's/^entry 12 @ \([0-9]*\)$/\1/p' list.txt)
o2=$(sed -n 's/^entry 2 @ \([0-9]*\)$/\1/p' list.txt)
o13=$(sed -n 's/^entry 13 @ \([0-9]*\)$/\1/p' list.txt)
[ "$o12" -lt "$o2" ] && [ "$o2" -lt "$o13" ] || fail "group order"
[ "$(dd if=first.mm bs=1 skip="$o13" count=4 2>/dev/null)" = hsem ] || fail "entry 13 chunk id"

# Failures: a message, exit code 1 and no archive left behind.
printf 'entry 1\nwave missing.wav\n' > bad.txt
if "$mmbuild" pack bad.txt bad.mm 2> err.txt; then fail "missing file accepted"; fi
grep -q 'missing.wav' err.txt || fail "missing file message"
[ ! -e bad.mm ] || fail "half archive left"
printf 'entry 1\nsound x.wav\n' > bad.txt
"$mmbuild" pack bad.txt bad.mm 2> err.txt && fail "unknown kind accepted"
grep -q 'bad.txt:2: unknown kind' err.txt || fail "unknown kind message"
printf 'junk' > junk.mm
"$mmbuild" list junk.mm 2> err.txt && fail "junk listed"
grep -q 'file: ' err.txt || fail "junk message"
echo "mmbuild ok"
