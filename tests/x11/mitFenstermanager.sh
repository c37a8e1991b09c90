#!/bin/sh
# Runs a test program on an X server of its own with the openbox window
# manager, where focus, titles and placement behave as on a user's desktop.
# Exits 77 (test skipped) when Xvfb, openbox or xdotool (which types and
# clicks as a user does) is not installed.
for p in Xvfb openbox xdotool; do
  command -v $p >/dev/null 2>&1 || { echo "$p fehlt"; exit 77; }
done
ordner=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ordner/display" 2>"$ordner/xvfb.log" &
xvfb=$!
i=0
while [ ! -s "$ordner/display" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
if [ ! -s "$ordner/display" ]; then cat "$ordner/xvfb.log"; kill $xvfb 2>/dev/null; rm -rf "$ordner"; exit 1; fi
DISPLAY=":$(cat "$ordner/display")"
export DISPLAY
HOME="$ordner" openbox >"$ordner/openbox.log" 2>&1 &
wm=$!
# Ready once the window manager has announced itself on the root window.
i=0
while [ $i -lt 100 ]; do
  if command -v xprop >/dev/null 2>&1; then
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  fi
  sleep 0.05; i=$((i + 1))
done
# The X11 platform's system libraries keep some memory to the end; the program's own leaks still count.
LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
QT_QPA_PLATFORM=xcb "$@"
ergebnis=$?
kill $wm $xvfb 2>/dev/null
wait $wm $xvfb 2>/dev/null
rm -rf "$ordner"
exit $ergebnis
