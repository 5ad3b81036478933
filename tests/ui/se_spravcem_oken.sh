#!/bin/sh
# Runs a command on a virtual screen (Xvfb, 1280 x 800) with a window manager
# (openbox), so that its windows get real frames, added by the manager after
# they are mapped as on a desktop. Exit 77 (skipped) when either is missing.
set -u
if ! command -v Xvfb >/dev/null 2>&1 || ! command -v openbox >/dev/null 2>&1; then
    echo "Xvfb or openbox is not installed: skipped"
    exit 77
fi
cislo=$(mktemp)
# -displayfd: the server picks a free display itself, also when other test
# runs have theirs.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$cislo" >/dev/null 2>&1 &
xvfb=$!
spravce=""
trap 'kill $spravce $xvfb 2>/dev/null; rm -f "$cislo"' EXIT INT TERM
i=0
while [ ! -s "$cislo" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
[ -s "$cislo" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$cislo")"
openbox --sm-disable >/dev/null 2>&1 &
spravce=$!
sleep 1   # the manager takes over the screen
ZRC_TEST_XCB=1 QT_QPA_PLATFORM=xcb "$@"
