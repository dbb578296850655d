#!/usr/bin/env bash
# End to end: the demo scene's image sequence through `lumivex wiggle`, read back
# by webpmux; `lumivex settings` over a private configuration folder.
set -euo pipefail
. "$(dirname "$0")/arbeitsordner.sh"
"$bin/demo/lumivex-demo" "$work" 3 >/dev/null

# Frames and durations as webpmux lists them: "duration" is the seventh column of a frame line.
frames() { webpmux -info "$1" | awk '$1 ~ /^[0-9]+:$/ { printf "%s ", $7 }'; }
"$lumivex" wiggle "$work/demo.lvx" "$work/zyklisch.webp"
webpmux -info "$work/zyklisch.webp" | grep -q 'Canvas size: 800 x 600' || fail "canvas size"
webpmux -info "$work/zyklisch.webp" | grep -q 'Loop Count : 0' || fail "endless loop"
[ "$(frames "$work/zyklisch.webp")" = "300 300 300 " ] || fail "cyclic frames: $(frames "$work/zyklisch.webp")"
"$lumivex" wiggle "$work/demo.lvx" "$work/pendel.webp" --speed 5 --pingpong
[ "$(frames "$work/pendel.webp")" = "100 100 200 100 100 " ] || fail "ping-pong frames: $(frames "$work/pendel.webp")"

set +e
"$lumivex" wiggle "$work/demo.lvx" "$work/x.webp" --speed 6 2>"$work/err"; [ $? -eq 2 ] || fail "speed 6 is not exit 2"
grep -q -- "--speed" "$work/err" || fail "speed 6 without reason"
"$lumivex" wiggle "$work/demo.lvx" 2>/dev/null; [ $? -eq 2 ] || fail "missing output is not exit 2"
"$lumivex" wiggle "$work/fehlt.lvx" "$work/x.webp" 2>/dev/null; [ $? -eq 1 ] || fail "missing project is not exit 1"
set -e
[ ! -e "$work/x.webp" ] || fail "a failed run left a file"
"$lumivex" wiggle --help | grep -q -- "--pingpong" || fail "wiggle --help"

export XDG_CONFIG_HOME="$work/konfiguration"
"$lumivex" settings | grep -q '^PingPong  *0 Standard$' || fail "default listing"
mkdir -p "$XDG_CONFIG_HOME/Orbelin"
printf '[5.0]\nGlobal\\Version=5004\nGlobal\\PingPong=1\nGlobal\\Top=oben\n' >"$XDG_CONFIG_HOME/Orbelin/Lumivex.conf"
"$lumivex" settings >"$work/liste"
grep -q '^PingPong  *1$' "$work/liste" || fail "stored value"
grep -q '^Top  *Standard$' "$work/liste" || fail "a text where a number belongs"
[ "$(grep -c . "$work/liste")" = 30 ] || fail "not every value listed"
printf 'Global\\RecentProjects=/a/eins.lvx\\n/b/zwei.lvx\n' >>"$XDG_CONFIG_HOME/Orbelin/Lumivex.conf"
"$lumivex" settings | grep -q '^RecentProjects  */a/eins.lvx\\n/b/zwei.lvx$' || fail "the recent projects on one line"
"$lumivex" settings --reset
"$lumivex" settings | grep -q '^PingPong  *0 Standard$' || fail "reset"
set +e
"$lumivex" settings --loeschen 2>/dev/null; [ $? -eq 2 ] || fail "unknown option is not exit 2"
set -e
echo "wiggle and settings end to end: ok"
