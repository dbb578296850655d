#!/usr/bin/env bash
# The command line without a display: mistyped words and wrong usage end with
# exit 2 and say what is wrong; the headless commands keep their traces in the
# user's temporary folder and leave a window's working files alone.
set -euo pipefail
bin=$(cd "$1" && pwd)
lumivex="$bin/app/lumivex"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# A word taken for a project would start the window, which aborts without a display.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export TMPDIR=$work/tmp
mkdir "$TMPDIR"

# usage PATTERN ARGS...: exit status 2, the first line on stderr names what is wrong, the help follows.
usage() {
  local pattern=$1
  shift
  set +e
  "$lumivex" "$@" >/dev/null 2>"$work/err"
  local status=$?
  set -e
  [ $status -eq 2 ] || fail "lumivex $*: exit status $status"
  head -1 "$work/err" | grep -qF -- "$pattern" || fail "lumivex $*: first line '$(head -1 "$work/err")'"
  grep -q '^Aufruf' "$work/err" || fail "lumivex $*: no help after the message"
}
usage "'rendr'" rendr a.lvx b.bmp
usage "'foo'" foo
usage "'--bogus'" --bogus
usage "AUSGABE fehlt" render a.lvx
usage "PROJEKT.lvx und AUSGABE fehlen" render
usage "'9' bei --mode" render a.lvx b.bmp --mode 9
usage "'--mode' ohne Wert" render a.lvx b.bmp --mode
usage "'b.png'" render a.lvx b.png
usage "'PNG' bei --format" render a.lvx b.bmp --format PNG
usage "'c'" render a.lvx b.bmp c
usage "DATEI fehlt" exif
usage "'--x'" exif --x
usage "'b'" mpo a b
usage "'--x'" wiggle a.lvx b.webp --x
usage "'--speed' ohne Wert" wiggle a.lvx b.webp --speed
usage "nicht '6'" wiggle a.lvx b.webp --speed 6
usage "'-x'" render a.lvx b.bmp -x
usage "'foo'" settings foo
usage "AUSGABE.lvx fehlt" align a.lvx
usage "'0' bei --reference" align a.lvx b.lvx --reference 0
usage "'--x'" align a.lvx b.lvx --x
usage "'--printer/--pdf'" print a.lvx
usage "'--pdf'" print a.lvx --printer A --pdf b.pdf
usage "'9'" print a.lvx --pdf b.pdf --mode 9
usage "'AUSGABE.bmp'" calib
usage "'0'" calib a.bmp --stripes 0
usage "'--step'" calib --pdf b.pdf --step 0,2
usage "'a.bmp'" calib a.bmp --print A
for befehl in render print calib align crop exif mpo wiggle settings; do
  "$lumivex" $befehl --help | grep -q "^Aufruf: lumivex $befehl" || fail "$befehl --help"
done

# Traces: in the user's temporary folder, never through a link planted in the current folder.
"$bin/demo/lumivex-demo" "$work" 2 >/dev/null
cat "$work/ansicht_1.jpg" "$work/ansicht_2.jpg" >"$work/paar.mpo"
mkdir "$work/geteilt"
echo x >"$work/opfer"
for spur in 'MPO_Detail$$$.TXT' 'EXIF_1_Detail$$$.TXT' 'EXIF_2_Detail$$$.TXT'; do
  ln -s "$work/opfer" "$work/geteilt/$spur"
done
benutzer=$TMPDIR/LUMIVEX-$(id -un)
(cd "$work/geteilt" && "$lumivex" mpo "$work/paar.mpo" >/dev/null && "$lumivex" exif "$work/paar.mpo" >/dev/null)
(cd "$work/geteilt" && "$lumivex" render "$work/demo.lvx" "$work/ergebnis.bmp" --mode 3)
[ "$(cat "$work/opfer")" = x ] || fail "a trace followed a link"
for spur in 'MPO_Detail$$$.TXT' 'EXIF_1_Detail$$$.TXT' 'EXIF_2_Detail$$$.TXT'; do
  [ -f "$benutzer/$spur" ] || fail "no $spur in the user's temporary folder"
done

# A window's working copy beside the runs stays.
fenster="$benutzer/~\$738000_1000_1_1.bmp"
echo b >"$fenster"
"$lumivex" render "$work/demo.lvx" "$work/ergebnis.bmp" --mode 1
[ -f "$fenster" ] || fail "a headless run removed a window's working file"
echo "command line end to end: ok"
