#!/usr/bin/env bash
# Printing end to end through a CUPS scheduler of this run's own: its own
# configuration, socket, spool and PDF folder, started and stopped by its PID,
# so neither the system's scheduler nor a second run is touched. The queues
# print through cups-pdf; every printed PDF is measured with poppler's tools.
# cups-pdf runs only for root: other users skip (exit 77).
set -euo pipefail
bin=$1
lumivex="$bin/app/lumivex"
[ "$(id -u)" -eq 0 ] || { echo "print end to end: needs root for cups-pdf, skipped"; exit 77; }
for tool in cupsd lpadmin lpstat pdfimages pdftoppm pdftotext compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool missing (scripts/install-deps)"; exit 1; }
done

work=$(mktemp -d)
chmod 755 "$work"
# cups-pdf reads its settings for a device cups-pdf:/NAME from /etc/cups/cups-pdf-NAME.conf only.
device="lumivex-test-$$-$RANDOM"
conf="/etc/cups/cups-pdf-$device.conf"
cupsd_pid=""
stop_cupsd() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
    cupsd_pid=""
  fi
}
trap 'stop_cupsd; rm -f "$conf"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; [ -f "$work/log/error_log" ] && tail -20 "$work/log/error_log"; exit 1; }

mkdir -p "$work/etc/ppd" "$work/spool" "$work/cache" "$work/state" "$work/log" "$work/pdf" "$work/cups-pdf" "$work/out"
cat >"$work/etc/cupsd.conf" <<CONF
LogLevel warn
Listen $work/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
CONF
cat >"$conf" <<CONF
Out $work/pdf
Spool $work/cups-pdf
Log $work/log
CONF
export CUPS_SERVER="$work/cups.sock"

start_cupsd() {
  cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
  cupsd_pid=$!
  for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q 'scheduler is running' && return 0
    sleep 0.1
  done
  fail "scheduler did not start"
}

# Waits until the queue has printed and one new PDF lies in the output folder; prints its name.
printed_pdf() {
  for _ in $(seq 300); do
    if [ -z "$(lpstat -o "$1" 2>/dev/null)" ]; then
      local pdf
      pdf=$(ls "$work/pdf"/*.pdf 2>/dev/null | head -1)
      [ -n "$pdf" ] && { mv "$pdf" "$work/out/$2.pdf"; echo "$work/out/$2.pdf"; return 0; }
    fi
    sleep 0.2
  done
  fail "no PDF from queue $1"
}

# The page rendered at X × Y dpi and trimmed to what is printed: "width height left top".
printed_box() {
  rm -f "$work/page"*
  pdftoppm -singlefile -rx "$2" -ry "$3" -png "$1" "$work/page"
  convert "$work/page.png" -fuzz 2% -trim -format '%w %h %X %Y' info: | tr -d '+'
}

# Every edge within one device pixel of the expected one.
near() {
  read -r w h x y <<<"$1"
  read -r ew eh ex ey <<<"$2"
  for pair in "$x $ex" "$y $ey" "$((x + w)) $((ex + ew))" "$((y + h)) $((ey + eh))"; do
    set -- $pair
    [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le 1 ] || return 1
  done
}

# Lossless images (pdfimages shows "jpeg" for DCT) whose pixels, stacked, are the reference raster's.
same_pixels() {
  pdfimages -list "$1" | awk 'NR > 2 { print $9 }' | grep -qv '^image$' && fail "$1 has lossy images"
  rm -f "$work/img"*
  pdfimages -png "$1" "$work/img"
  convert "$work"/img-*.png -append "$work/stacked.png"
  [ "$(compare -metric AE "$work/stacked.png" "$2" null: 2>&1)" = 0 ]
}

"$bin/demo/lumivex-demo" "$work/demo" 3 >/dev/null
"$lumivex" render "$work/demo/demo.lvx" "$work/ansicht.bmp" --mode 1
"$lumivex" render "$work/demo/demo.lvx" "$work/linse.bmp" --mode 5

start_cupsd
# Alpha: the PDF printer with a resolution of its own, 720 × 360 dpi; Beta: as installed, the default.
sed -e 's/^\*DefaultResolution: .*/*DefaultResolution: 720x360dpi/' \
  -e '/^\*Resolution 150dpi/i *Resolution 720x360dpi/720 x 360 dpi: "<</HWResolution[720 360]>>setpagedevice"' \
  /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$work/alpha.ppd"
lpadmin -p Alpha -E -v "cups-pdf:/$device" -P "$work/alpha.ppd" 2>/dev/null
lpadmin -p Beta -E -v "cups-pdf:/$device" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d Beta
timeout 300 "$bin/tests/cups_test" --gtest_filter='MitDruckern.*' >"$work/gtest.log" 2>&1 || { cat "$work/gtest.log"; fail "service with printers"; }

# Image L of the demo (800 × 600) at 15 × 11.25 cm, margins 0.5 cm, on Beta at 300 dpi:
# device pixels 59 to 1831 across and 59 to 1388 down.
"$lumivex" print "$work/demo/demo.lvx" --printer Beta --mode 1 2>"$work/err" || { cat "$work/err"; fail "print on Beta"; }
pdf=$(printed_pdf Beta ansicht)
same_pixels "$pdf" "$work/ansicht.bmp" || fail "printed pixels differ from the result"
box=$(printed_box "$pdf" 300 300)
near "$box" "1772 1329 59 59" || fail "placement on Beta: $box"

# The lenticular result (2124 pixels over 14.986 cm) prints in two bands, stacked exactly.
"$lumivex" print "$work/demo/demo.lvx" --printer Beta --mode 5 2>/dev/null || fail "lenticular print"
pdf=$(printed_pdf Beta linse)
[ "$(pdfimages -list "$pdf" | awk 'NR > 2' | wc -l)" = 2 ] || fail "lenticular print is not two bands"
same_pixels "$pdf" "$work/linse.bmp" || fail "lenticular pixels differ"

# On Alpha device pixels are 1/720 inch across and 1/360 inch down.
"$lumivex" print "$work/demo/demo.lvx" --printer Alpha --mode 1 2>/dev/null || fail "print on Alpha"
pdf=$(printed_pdf Alpha alpha)
box=$(printed_box "$pdf" 720 360)
near "$box" "4252 1595 142 71" || fail "placement at 720 x 360 dpi: $box"

# The lens test: 21 stripes of 472 columns.
"$lumivex" calib --print Beta 2>/dev/null || fail "lens test print"
pdf=$(printed_pdf Beta kalibrierung)
[ "$(pdfimages -list "$pdf" | awk 'NR > 2 && $4 == 472 && $5 == 1' | wc -l)" = 21 ] || fail "lens test stripes"

# Qt's own PDF at the result's resolution: 800 pixels over 15 cm are 135 dpi.
"$lumivex" print "$work/demo/demo.lvx" --pdf "$work/out/direkt.pdf" --mode 1 2>/dev/null || fail "print --pdf"
same_pixels "$work/out/direkt.pdf" "$work/ansicht.bmp" || fail "PDF pixels differ from the result"
box=$(printed_box "$work/out/direkt.pdf" 135 135)
near "$box" "798 598 27 27" || fail "placement in the PDF: $box"
"$lumivex" calib --pdf "$work/out/kalib.pdf" --step 0.25 --flip 2>/dev/null || fail "calib --pdf"
pdftotext "$work/out/kalib.pdf" - | grep -q 'Richtung des Testmusters: vertikal (Flip)' || fail "lens test text"
pdftotext "$work/out/kalib.pdf" - | grep -qx '37,5' || fail "first stripe label"

# The calibration image: 236 lenses of 2 × 5 pixels by 1575 rows, turned for Flip.
"$lumivex" calib "$work/out/kalib.bmp" 2>/dev/null || fail "calib"
[ "$(identify -format '%w %h' "$work/out/kalib.bmp")" = "2360 1575" ] || fail "calibration image size"
"$lumivex" calib "$work/out/flip.bmp" --flip 2>/dev/null || fail "calib --flip"
[ "$(identify -format '%w %h' "$work/out/flip.bmp")" = "1575 2360" ] || fail "turned calibration image size"

# No queue: the scheduler runs with nothing installed.
lpadmin -x Alpha
lpadmin -x Beta
timeout 300 "$bin/tests/cups_test" --gtest_filter='OhneDrucker.*' >"$work/gtest.log" 2>&1 || { cat "$work/gtest.log"; fail "no queue"; }
set +e
"$lumivex" print "$work/demo/demo.lvx" --printer Beta --mode 1 2>"$work/err"; status=$?
set -e
[ $status -eq 1 ] || fail "printing to a missing queue is not exit 1"
grep -q '^Fehler: Der Drucker ist nicht installiert: Beta' "$work/err" || fail "missing queue message"

# No scheduler at all.
stop_cupsd
timeout 300 "$bin/tests/cups_test" --gtest_filter='OhneDrucker.*' >"$work/gtest.log" 2>&1 || { cat "$work/gtest.log"; fail "no scheduler"; }
"$lumivex" print "$work/demo/demo.lvx" --pdf "$work/out/ohne.pdf" --mode 1 2>/dev/null || fail "PDF without a scheduler"
echo "print end to end: ok"
