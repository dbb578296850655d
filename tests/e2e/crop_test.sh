#!/usr/bin/env bash
# End to end: `lumivex crop` on the demo scene, its files read back by independent tools.
set -euo pipefail
. "$(dirname "$0")/arbeitsordner.sh"

"$bin/demo/lumivex-demo" "$work" 3 >/dev/null
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# Corners in any order: every view and the result cut to 401 × 201 pixels.
[ "$("$lumivex" crop "$work/demo.lvx" "$work/a" --region 500,50,100,250 --mode 1)" = "100,50,500,250" ] \
  || fail "region as used"
for n in 00 01 02 03; do
  [ "$(identify -format '%w %h' "$work/a/demo$n.BMP")" = "401 201" ] || fail "size of demo$n.BMP"
done
djpeg -bmp "$work/ansicht_2.jpg" >"$work/ref2.bmp"
convert "$work/ref2.bmp" -crop 401x201+100+50 +repage "$work/ref2crop.bmp"
same "$work/a/demo02.BMP" "$work/ref2crop.bmp" || fail "view 2 differs from its crop"
# The result of mode 1 is image L, image 1.
same "$work/a/demo00.BMP" "$work/a/demo01.BMP" || fail "result differs from image L"

# Unaligned views: the optimal region is the whole frame; 1:1 trims it about its centre.
[ "$("$lumivex" crop "$work/demo.lvx" "$work/b" --optimal --ratio 1:1 --format JPG)" = "100,0,699,599" ] \
  || fail "optimal region with ratio"
[ "$(identify -format '%w %h' "$work/b/demo03.JPG")" = "600 600" ] || fail "JPEG size"

# Existing files stay unless --ja answers the question.
cp "$work/ref2.bmp" "$work/a/demo02.BMP"
"$lumivex" crop "$work/demo.lvx" "$work/a" --region 100,50,500,250 2>"$work/err" >/dev/null
grep -q '^Bestätigung: Die Datei existiert bereits' "$work/err" || fail "no question for an existing file"
same "$work/a/demo02.BMP" "$work/ref2.bmp" || fail "existing file replaced without --ja"
"$lumivex" crop "$work/demo.lvx" "$work/a" --region 100,50,500,250 --ja 2>/dev/null >/dev/null
same "$work/a/demo02.BMP" "$work/ref2crop.bmp" || fail "--ja did not replace the file"

# Bad usage says which argument is wrong; a failure is exit 1.
set +e
for args in "--optimal --region 1,2,3,4" "" "--region 1,2,3" "--region 1,2,x,4" "--optimal --ratio 0:9" \
            "--optimal --format PNG" "--optimal --mode 4" "--optimal --bunt"; do
  # shellcheck disable=SC2086
  "$lumivex" crop "$work/demo.lvx" "$work/c" $args >/dev/null 2>"$work/err"
  [ $? -eq 2 ] || fail "'$args' is not exit 2"
  grep -q "^lumivex crop: falsches oder fehlendes Argument" "$work/err" || fail "'$args' does not name the argument"
done
"$lumivex" crop "$work/demo.lvx" "$work/c" --region 5,5,5,9 >/dev/null 2>"$work/err"
[ $? -eq 1 ] || fail "empty region is not exit 1"
grep -q 'Fehler: Es ist ein Fehler aufgetreten' "$work/err" || fail "empty region message"
"$lumivex" crop "$work/fehlt.lvx" "$work/c" --optimal >/dev/null 2>&1
[ $? -eq 1 ] || fail "missing project is not exit 1"
"$lumivex" crop --help | grep -q -- '--optimal' || fail "help"
set -e
echo "crop end to end: ok"
