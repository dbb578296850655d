#!/usr/bin/env bash
# Starts a private X server at a laptop's and at a desktop's screen size, runs the
# window smoke test on the demo project at each and leaves its screenshots in
# build/screenshots/.
set -euo pipefail
bin=$1
shots=$bin/screenshots
mkdir -p "$shots"
work=$(mktemp -d)
xvfb=""
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
"$bin/demo/lumivex-demo" "$work" 3 >/dev/null
for size in 1366x768 1920x1080; do
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" "$bin/tests/smoke_test" "$work/demo.lvx" "$shots"
  kill $xvfb
  wait $xvfb 2>/dev/null || true
  xvfb=""
done
