#!/usr/bin/env bash
# End to end: `lumivex align` on the demo sequence with one view moved down.
set -euo pipefail
. "$(dirname "$0")/arbeitsordner.sh"

"$bin/demo/lumivex-demo" "$work" 5 >/dev/null

# View 4 moves 6 pixels down: aligning moves it back up (dy counts upwards).
convert "$work/ansicht_4.jpg" -background white -splice 0x6 -gravity south -chop 0x6 -quality 98 "$work/v4.jpg"
mv "$work/v4.jpg" "$work/ansicht_4.jpg"
"$lumivex" align "$work/demo.lvx" "$work/aus.lvx" >"$work/tabelle" || fail "align failed"
[ "$(wc -l <"$work/tabelle")" = 5 ] || fail "not one line per image"
awk '$1 == 3 && $6 != "OOO" { exit 1 }' "$work/tabelle" || fail "image 3 is not the reference"
awk '$1 != 3 && substr($6, 1, 1) != "+" && substr($6, 1, 1) != "1" { exit 1 }' "$work/tabelle" || fail "an image did not converge"
awk '$1 == 4 && ($3 < 5.5 || $3 > 6.5) { exit 1 }' "$work/tabelle" || fail "view 4 not moved back: $(cat "$work/tabelle")"
awk '$1 != 4 && ($3 < -0.5 || $3 > 0.5) { exit 1 }' "$work/tabelle" || fail "an aligned view moved vertically"
# The saved project: 540 bytes and 580 per image.
[ "$(stat -c %s "$work/aus.lvx")" = 3440 ] || fail "project size"

# Bad usage names the argument and exits with 2.
set +e
"$lumivex" align "$work/demo.lvx" 2>"$work/err"; [ $? = 2 ] || fail "missing output accepted"
"$lumivex" align "$work/demo.lvx" "$work/x.lvx" --reference 9 2>"$work/err"; [ $? = 2 ] || fail "reference 9 of 5 accepted"
head -1 "$work/err" | grep -q -- "'9' bei --reference" || fail "the wrong argument is not named"
"$lumivex" align --help >/dev/null; [ $? = 0 ] || fail "--help"
set -e
[ ! -e "$work/x.lvx" ] || fail "a refused call wrote a project"
echo "align end to end: ok"
