#!/usr/bin/env bash
# End to end: `lumivex batch` over a generated folder tree, its files read back
# by independent tools; the same tree spread over GNU parallel gives the same
# bytes; a stopped run leaves no half-written file.
set -euo pipefail
. "$(dirname "$0")/arbeitsordner.sh"
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"

# The tree: a series, a folder deep down, a single picture, a folder without
# pictures, a stereo folder with an MPO and a JPS, a damaged JPEG, a text file.
"$bin/demo/lumivex-demo" "$work/demo" 3 >/dev/null
src="$work/src"
mkdir -p "$src/serie/.versteckt" "$src/leer/unten" "$src/eins" "$src/a/b" "$src/stereo" "$src/kaputt"
cp "$work"/demo/ansicht_{1,2,3}.jpg "$src/serie/"
cp "$work/demo/ansicht_1.jpg" "$src/serie/.versteckt/"
echo "keine Bilder hier" >"$src/serie/notiz.txt"
echo "nur Text" >"$src/leer/readme.txt"
cp "$work/demo/ansicht_2.jpg" "$src/eins/einzeln.jpg"
cp "$work/demo/ansicht_1.jpg" "$src/a/b/x1.JPG"
cp "$work/demo/ansicht_2.jpg" "$src/a/b/x2.jpg"
"$lumivex" render "$work/demo/demo.lvx" "$src/stereo/kamera.mpo" --format MPO
# A side-by-side stereo JPEG: the right-eye view on the left half.
convert "$work/demo/ansicht_3.jpg" "$work/demo/ansicht_1.jpg" +append -quality 95 "JPG:$src/stereo/viewer.jps"
echo "kein JPEG" >"$src/kaputt/defekt.jpg"

# The work list in the order of the run.
[ "$("$lumivex" batch "$src" "$work/out" --list)" = "$(printf 'a/b\neins\nkaputt\nserie')" ] || fail "work list"

set +e
"$lumivex" batch "$src" "$work/out" 2>"$work/err1"; status1=$?
"$lumivex" batch "$src" "$work/out" --pattern '*.MPO' --results anaglyph,stereo,stripes,jps,mpo 2>"$work/err2"
status2=$?
"$lumivex" batch "$src" "$work/out" --pattern '*.jps' --results anaglyph,jps 2>"$work/err3"; status3=$?
set -e
[ $status1 = 1 ] || fail "warnings and a damaged file are not exit 1"
grep -q '^Warnung: Für Auto-Justierung werden mind. 2 Dateien benötigt!' "$work/err1" || fail "single file warning"
grep -q '^Fehler: Bitmap-Dateityp wird nicht unterstützt!' "$work/err1" || fail "damaged file message"
[ $status2 = 0 ] || fail "MPO run: $(cat "$work/err2")"
[ $status3 = 0 ] || fail "JPS run: $(cat "$work/err3")"

expected="a/b/x1_anaglyph.JPG a/b/x1_edit.JPG a/b/x1_just.JPG a/b/x1_orig.JPG a/b/x2_edit.JPG a/b/x2_just.JPG
a/b/x2_orig.JPG eins/einzeln_edit.JPG eins/einzeln_orig.JPG serie/ansicht_1_anaglyph.JPG
serie/ansicht_1_edit.JPG serie/ansicht_1_just.JPG serie/ansicht_1_orig.JPG serie/ansicht_2_edit.JPG
serie/ansicht_2_just.JPG serie/ansicht_2_orig.JPG serie/ansicht_3_edit.JPG serie/ansicht_3_just.JPG
serie/ansicht_3_orig.JPG stereo/kamera_anaglyph.JPG stereo/kamera_edit_L.JPG stereo/kamera_edit_R.JPG
stereo/kamera_just.JPS stereo/kamera_just.MPO stereo/kamera_just_L.JPG stereo/kamera_just_R.JPG
stereo/kamera_orig_L.JPG stereo/kamera_orig_R.JPG stereo/kamera_stereo.JPG stereo/kamera_stripes.JPG
stereo/viewer_anaglyph.JPG stereo/viewer_edit_L.JPG stereo/viewer_edit_R.JPG stereo/viewer_just.JPS
stereo/viewer_just_L.JPG stereo/viewer_just_R.JPG stereo/viewer_orig_L.JPG stereo/viewer_orig_R.JPG"
actual=$(cd "$work/out" && find . -type f | sed 's|^\./||' | sort)
[ "$actual" = "$(echo $expected | tr ' ' '\n' | sort)" ] || fail "outputs differ: $(diff <(echo "$actual") <(echo $expected | tr ' ' '\n' | sort))"
[ -z "$(find "$work/out" -name '.*')" ] || fail "a hidden file was left"
[ -d "$work/out/kaputt" ] && [ ! -e "$work/out/leer" ] || fail "mirrored folders"

# Every output decodes; stereo files hold two pictures side by side or one after the other.
for f in $(find "$work/out" -name '*.JPG' -o -name '*.JPS'); do
  djpeg "$f" >/dev/null 2>&1 || fail "$f does not decode"
done
for f in "$work/out/stereo/"*.MPO; do
  [ "$(exiftool -s3 -NumberOfImages "$f")" = 2 ] || fail "$f does not hold two pictures"
  identify "$f" >/dev/null || fail "$f"
done
just=$(identify -format '%w %h' "$work/out/stereo/viewer_just_L.JPG")
read -r w h <<<"$just"
[ "$(identify -format '%w %h' "$work/out/stereo/viewer_just.JPS")" = "$((2 * w)) $h" ] || fail "JPS size"
[ "$w" -lt 800 ] || fail "the stereo pair was not cut to its common part"
cmp -s "$src/serie/ansicht_2.jpg" "$work/out/serie/ansicht_2_orig.JPG" || fail "copy of a source"
# The JPS's views come out as the MPO's of the same pair: the left-eye view is its right half.
# Each pair is aligned on its own, so their common parts may differ by a pixel
# in place and size; the other eye's view still differs far more.
rmse() {
  local teil
  teil=$(identify -format '%w %h\n' "$1" "$2" | awk 'NR == 1 { w = $1; h = $2 }
    NR == 2 { if ($1 < w) w = $1; if ($2 < h) h = $2 } END { print w "x" h "+0+0" }')
  convert "$1" -crop "$teil" +repage "$work/a.ppm"
  convert "$2" -crop "$teil" +repage "$work/b.ppm"
  compare -metric RMSE "$work/a.ppm" "$work/b.ppm" null: 2>&1 | sed 's/.*(\(.*\))/\1/'
}
awk -v same="$(rmse "$work/out/stereo/kamera_just_L.JPG" "$work/out/stereo/viewer_just_L.JPG")" \
    -v other="$(rmse "$work/out/stereo/kamera_just_L.JPG" "$work/out/stereo/viewer_just_R.JPG")" \
    'BEGIN { exit !(2 * same < other) }' || fail "left-eye view of the JPS"

# The result type box: results as TIFF.
"$lumivex" batch "$src" "$work/tif" --only serie --type TIF --no-single --outputs none 2>/dev/null || fail "TIF run"
[ "$(cd "$work/tif" && find . -type f)" = "./serie/ansicht_1_anaglyph.TIF" ] || fail "TIF outputs"
tiffinfo "$work/tif/serie/ansicht_1_anaglyph.TIF" | grep -q 'Samples/Pixel: 3' || fail "TIF does not read back"

# A project as template: its red-cyan scheme instead of the default one.
"$lumivex" batch "$src" "$work/vorlage" --only serie --no-single --outputs none --settings "$work/demo/demo.lvx" \
  2>/dev/null || fail "run with a template"
awk -v d="$(rmse "$work/vorlage/serie/ansicht_1_anaglyph.JPG" "$work/out/serie/ansicht_1_anaglyph.JPG")" \
    'BEGIN { exit !(d > 0.02) }' || fail "the template's anaglyph scheme was not taken"
set +e
"$lumivex" batch "$src" "$work/vorlage" --settings "$work/fehlt.lvx" 2>"$work/err"; [ $? = 1 ] || fail "missing template"
set -e
grep -q '^Fehler: Die Datei konnte nicht geöffnet werden!' "$work/err" || fail "missing template message"

# GNU parallel with two jobs gives the plain run byte for byte.
"$lumivex" batch "$src" "$work/plain" 2>/dev/null || true
"$lumivex" batch "$src" "$work/par" --list | parallel -j2 "$lumivex" batch "$src" "$work/par" --only {} 2>/dev/null || true
diff -r "$work/plain" "$work/par" >/dev/null || fail "parallel run differs from the plain run"
[ -z "$(ls "$TMPDIR/LUMIVEX-$(id -un)" | grep '^lauf-')" ] || fail "a run folder was left"

# SIGTERM stops the run after the current step: nothing half-written, later folders untouched.
for n in 1 2 3 4 5 6; do
  mkdir -p "$work/viele/s$n"
  cp "$work"/demo/ansicht_{1,2,3}.jpg "$work/viele/s$n/"
done
"$lumivex" batch "$work/viele" "$work/gestoppt" 2>/dev/null &
pid=$!
for _ in $(seq 600); do
  [ -e "$work/gestoppt/s1/ansicht_1_orig.JPG" ] && break
  sleep 0.05
done
kill -TERM $pid
set +e
wait $pid; status=$?
set -e
[ $status = 1 ] || fail "a stopped run is not exit 1"
[ ! -e "$work/gestoppt/s6" ] || fail "the run went on after SIGTERM"
[ -z "$(find "$work/gestoppt" -name '.*')" ] || fail "a half-written file was left"
for f in $(find "$work/gestoppt" -type f); do djpeg "$f" >/dev/null 2>&1 || fail "$f is not complete"; done
[ -z "$(ls "$TMPDIR/LUMIVEX-$(id -un)" | grep '^lauf-')" ] || fail "the stopped run left its folder"

# Bad usage names the argument; a folder that is not in the list is bad usage too.
set +e
for args in "" "$src" "$src $work/x --pattern *.PNG" "$src $work/x --results anaglyph,3d" "$src $work/x --type GIF" \
            "$src $work/x --suffix bunt=_b" "$src $work/x --list --only serie" "$src $work/x --farbe" \
            "$src $work/x --only leer" "$src $work/x --only .." "$src $work/x --only serie/.versteckt"; do
  # shellcheck disable=SC2086
  "$lumivex" batch $args >/dev/null 2>"$work/err"
  [ $? -eq 2 ] || fail "'$args' is not exit 2"
  head -1 "$work/err" | grep -q "^lumivex batch: " || fail "'$args' does not say what is wrong"
done
"$lumivex" batch "$work/fehlt" "$work/x" 2>"$work/err"
[ $? -eq 1 ] || fail "a missing source is not exit 1"
grep -q '^Fehler: Ordner nicht gefunden:' "$work/err" || fail "missing source message"
set -e
"$lumivex" batch --help | grep -q -- '--only' || fail "help"
"$lumivex" --help | grep -q 'batch QUELLE ZIEL' || fail "command list"
echo "batch end to end: ok"
