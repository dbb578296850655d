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
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/xvfb.sh"
"$bin/demo/lumivex-demo" "$work" 3 >/dev/null
for size in 1366x768 1920x1080; do
  xvfb_starten "${size}x24"
  DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/tests/smoke_test" "$work/demo.lvx" "$shots"
  kill $xvfb
  wait $xvfb 2>/dev/null || true
  xvfb=""
done
