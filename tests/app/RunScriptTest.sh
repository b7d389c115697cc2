#!/usr/bin/env bash
# scripts/run without a display: it says what to do and stops before installing or building anything.
# The script runs from a copy in an empty folder, so a missing check shows as a failed setup, not as
# a build of the real tree.
set -u
run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/scripts"
cp "$run" "$work/scripts/run"

status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/scripts/run" >"$work/out" 2>&1 || status=$?
fail() { echo "FAIL: $1"; cat "$work/out"; exit 1; }
[ "$status" -eq 2 ] || fail "exit status $status, expected 2"
grep -q "no display" "$work/out" || fail "no word about the display"
grep -q "xvfb-run" "$work/out" || fail "no way to run it without a desktop"
[ ! -e "$work/build" ] || fail "it started building"
[ "$(ls "$work")" = "$(printf 'out\nscripts')" ] || fail "it left files behind"

# With a display it goes on to set up (which this empty copy lacks).
status=0
DISPLAY=:99 "$work/scripts/run" >"$work/out" 2>&1 || status=$?
[ "$status" -ne 2 ] && ! grep -q "no display" "$work/out" || fail "a display was not accepted"
echo "PASS"
