#!/usr/bin/env bash
# End to end: the demo scene through `lumivex render` in every preview mode and
# output format, each result read back by independent tools.
set -euo pipefail
. "$(dirname "$0")/arbeitsordner.sh"

"$bin/demo/lumivex-demo" "$work" 3 >/dev/null

# Mode 0 has no result: an error and exit status 1, no file.
if "$lumivex" render "$work/demo.lvx" "$work/keine.bmp" --mode 0 2>"$work/err"; then fail "mode 0 succeeded"; fi
grep -q '^Fehler: ' "$work/err" || fail "mode 0 without message"
[ ! -e "$work/keine.bmp" ] || fail "mode 0 wrote a file"

# Modes 1 and 2 give the aligned views themselves: identical to djpeg's decoding.
"$lumivex" render "$work/demo.lvx" "$work/links.bmp" --mode 1
"$lumivex" render "$work/demo.lvx" "$work/rechts.bmp" --mode 2
djpeg -bmp "$work/ansicht_1.jpg" >"$work/ref1.bmp"
djpeg -bmp "$work/ansicht_3.jpg" >"$work/ref3.bmp"
[ "$(compare -metric AE "$work/links.bmp" "$work/ref1.bmp" null: 2>&1)" = 0 ] || fail "mode 1 differs from the view"
[ "$(compare -metric AE "$work/rechts.bmp" "$work/ref3.bmp" null: 2>&1)" = 0 ] || fail "mode 2 differs from the view"

# Every format of the result, read back by its own tool.
for f in jpg tga tif; do
  "$lumivex" render "$work/demo.lvx" "$work/r.$f" --mode 2
  [ "$(identify -format '%w %h' "$work/r.$f")" = "800 600" ] || fail "$f size"
done
# The TGA stores its bottom row first; ImageMagick keeps that order unless asked to orient it.
convert "$work/r.tga" -auto-orient "$work/tga.bmp"
[ "$(compare -metric AE "$work/tga.bmp" "$work/ref3.bmp" null: 2>&1)" = 0 ] || fail "TGA pixels"
[ "$(compare -metric AE "$work/r.tif" "$work/ref3.bmp" null: 2>&1)" = 0 ] || fail "TIFF pixels"
tiffinfo "$work/r.tif" >/dev/null 2>&1 || fail "tiffinfo rejects the TIFF"
"$lumivex" render "$work/demo.lvx" "$work/cmyk.tif" --mode 2 --format TIF_CMYK
tiffinfo "$work/cmyk.tif" 2>/dev/null | grep -q 'Photometric Interpretation: separated' || fail "CMYK TIFF"
"$lumivex" render "$work/demo.lvx" "$work/paar.mpo" --mode 1
[ "$(exiftool -s3 -NumberOfImages "$work/paar.mpo")" = 2 ] || fail "MPO index"

# The composed modes.
"$lumivex" render "$work/demo.lvx" "$work/anaglyph.bmp" --mode 3
"$lumivex" render "$work/demo.lvx" "$work/stereo.bmp" --mode 4
"$lumivex" render "$work/demo.lvx" "$work/linse.bmp" --mode 5
"$lumivex" render "$work/demo.lvx" "$work/streifen.bmp" --mode 6
# 15 cm at 40 lpi: Round(15 / 2.54 × 40) = 236 lenses of 3 images; Auto gives
# p = Round(800 / 236) = 3, so the result is 236 × 3 × 3 = 2124 pixels wide.
[ "$(identify -format '%w' "$work/linse.bmp")" = 2124 ] || fail "lenticular width"

# Bad usage and a damaged project.
set +e
"$lumivex" render "$work/demo.lvx" 2>/dev/null; [ $? -eq 2 ] || fail "missing output is not exit 2"
"$lumivex" render "$work/demo.lvx" "$work/x.png" 2>/dev/null; [ $? -eq 2 ] || fail "unknown format is not exit 2"
head -c 100 "$work/demo.lvx" >"$work/kaputt.lvx"
"$lumivex" render "$work/kaputt.lvx" "$work/k.bmp" 2>"$work/err"; [ $? -eq 1 ] || fail "damaged project is not exit 1"
set -e
grep -q 'Fehler: Fehler beim Laden der Projekt-Datei!' "$work/err" || fail "damaged project message"
grep -q 'Information: Das Projekt wird nicht geladen!' "$work/err" || fail "damaged project second message"
echo "render end to end: ok"
