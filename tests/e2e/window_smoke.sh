#!/usr/bin/env bash
# Starts a private X server, runs the window smoke test on the demo project and
# leaves its screenshots in build/screenshots/.
set -euo pipefail
bin=$1
shots=$bin/screenshots
mkdir -p "$shots"
work=$(mktemp -d)
for n in $(seq 90 120); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
"$bin/demo/lumivex-demo" "$work" 3 >/dev/null
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/tests/smoke_test" "$work/demo.lvx" "$shots"
