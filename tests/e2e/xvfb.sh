# Sourced by test scripts: xvfb_starten [SCREEN] starts a private X server on a
# display number it picks itself, sets $display and $xvfb (its PID) and waits
# until it accepts connections. The calling script stops it by that PID.
xvfb_starten() {
  local nummer
  nummer=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp 3>"$nummer" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$nummer" ] && break; sleep 0.1; done
  display=":$(head -n 1 "$nummer")"
  rm -f "$nummer"
  [ "$display" != ":" ] || { echo "Xvfb did not start"; return 1; }
}
