#!/usr/bin/env bash
# The screen capture on a private X server: the pointer image read through the
# XFixes extension and drawn where the pointer points.
set -euo pipefail
bin=$1
xvfb=""
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null' EXIT
. "$(dirname "$0")/xvfb.sh"
xvfb_starten 640x480x24
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/tests/presentation_test" --gtest_filter='BildschirmfotoX11.*:Bildschirmfoto.*'
