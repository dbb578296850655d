#!/usr/bin/env bash
# End to end: SIGTERM and SIGINT stop `lumivex render` at its next row, its run
# folder and any partial output go, and it ends with status 1. A run killed
# outright leaves its folder, which the next start removes, while the folder
# of a run that still lives stays. Output names as long as the file system
# allows are written whole.
set -euo pipefail
. "$(dirname "$0")/arbeitsordner.sh"
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"
temp="$TMPDIR/LUMIVEX-$(id -un)"

"$bin/demo/lumivex-demo" "$work" 3 >/dev/null
# Large views, so that a run lasts long enough to be caught in the middle.
for i in 1 2 3; do convert "$work/ansicht_$i.jpg" -resize 400% "$work/ansicht_$i.jpg"; done
"$lumivex" render "$work/demo.lvx" "$work/ganz.bmp" --mode 5

laeufe() { ls -A "$temp" 2>/dev/null | grep '^lauf-' || true; }

# Starts a render of output $1 and halts it (SIGSTOP) while it works, that is
# once a run folder that was not there before exists; sets pid and ordner.
# SIGINT is restored to its default, which a background job of a script
# would otherwise ignore.
anhalten() {
  local vorher
  vorher=$(laeufe)
  for _ in 1 2 3 4 5; do
    env --default-signal=INT "$lumivex" render "$work/demo.lvx" "$1" --mode 5 2>/dev/null &
    pid=$!
    for _ in $(seq 2000); do
      ordner=$(laeufe | grep -vxF "$vorher" || true)
      [ -n "$ordner" ] && break
      sleep 0.005
    done
    kill -STOP $pid
    [ -n "$ordner" ] && [ -e "$temp/$ordner" ] && return 0
    # It finished before it could be halted: once more.
    kill -CONT $pid
    wait $pid || true
    rm -f "$1"
  done
  fail "no run could be halted while working"
}

for sig in TERM INT; do
  anhalten "$work/r.bmp"
  kill -$sig $pid
  kill -CONT $pid
  set +e
  wait $pid; status=$?
  set -e
  [ $status = 1 ] || fail "SIG$sig: exit status $status"
  [ -z "$(laeufe)" ] || fail "SIG$sig left the run folder"
  [ -z "$(ls -A "$work" | grep '^\.lumivex-')" ] || fail "SIG$sig left a temporary output"
  # Stopped before the output was saved, or just after: never a partial file.
  [ ! -e "$work/r.bmp" ] || cmp -s "$work/r.bmp" "$work/ganz.bmp" || fail "SIG$sig left a partial output"
  rm -f "$work/r.bmp"
done

# SIGKILL leaves the folder; a run that is halted but alive keeps its own
# through the next start, which removes the killed run's folder.
anhalten "$work/tot.bmp"
kill -KILL $pid
wait $pid || true
tot=$ordner
[ -e "$temp/$tot" ] || fail "nothing left by SIGKILL to test with"
anhalten "$work/lebt.bmp"
lebt=$pid
lebtOrdner=$ordner
"$lumivex" render "$work/demo.lvx" "$work/dritter.bmp" --mode 1
[ ! -e "$temp/$tot" ] || fail "the killed run's folder was not removed"
[ -e "$temp/$lebtOrdner" ] || fail "the folder of a living run was removed"
kill -CONT $lebt
wait $lebt || fail "the halted run failed after it went on"
cmp -s "$work/lebt.bmp" "$work/ganz.bmp" || fail "the halted run's result differs"
[ -z "$(laeufe)" ] || fail "a run folder was left"
[ -z "$(ls -A "$work" | grep '^\.lumivex-')" ] || fail "a temporary output was left"

# Output names of 255 bytes, the most the file system allows.
for f in bmp jpg; do
  name="$(printf 'n%.0s' $(seq 251)).$f"
  "$lumivex" render "$work/demo.lvx" "$work/$name" --mode 1 || fail "a $f output of 255 bytes failed"
  [ -s "$work/$name" ] || fail "no $f output of 255 bytes"
done
cmp -s "$work/$(printf 'n%.0s' $(seq 251)).bmp" "$work/dritter.bmp" || fail "the long-named result differs"
echo "signals end to end: ok"
