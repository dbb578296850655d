# Sourced by the end-to-end scripts: $bin (the build folder, the script's first
# argument), $lumivex, a work folder $work removed on exit, and fail.
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
lumivex="$bin/app/lumivex"
