#!/usr/bin/env bash
# Starts a private X server, runs the window smoke test on the demo project and
# leaves its screenshots in build/screenshots/.
set -euo pipefail
bin=$1
shots=$bin/screenshots
mkdir -p "$shots"
work=$(mktemp -d)
xvfb=""
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/xvfb.sh"
xvfb_starten
"$bin/demo/lumivex-demo" "$work" 3 >/dev/null
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/tests/smoke_test" "$work/demo.lvx" "$shots"
