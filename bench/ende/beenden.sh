#!/bin/sh
# How long Vemla takes to end: from closing its main window (Alt+F4, given by
# the window manager) to the end of its process, on an X server of its own
# with openbox in its stock configuration. Twice: with nothing running, and
# right after a search of the online look-up (against a stand-in service on
# 127.0.0.1 that answers late) was left by closing its window with Esc.
# Prints every run and the medians in milliseconds.
#
#   bench/ende/beenden.sh [RUNS]        (default 9 runs of each)
#
# Environment: VEMLA_BAU    build folder (default build-bench, Release)
#              VEMLA_NOBUILD=1  use the build as it is
#              ANZEIGE      the X display number to use (default: a free one from 150)
# Needs Xvfb, openbox, xdotool and python3.
set -eu
quelle=$(cd "$(dirname "$0")/../.." && pwd)
laeufe=${1:-9}
bau=${VEMLA_BAU:-$quelle/build-bench}

if [ "${VEMLA_NOBUILD:-0}" != 1 ]; then
  cmake -S "$quelle" -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEMLA_TESTS=OFF -DVEMLA_BENCH=ON >/dev/null
  cmake --build "$bau" --target vemla >/dev/null
fi

arbeit=$(mktemp -d "${TMPDIR:-/tmp}/beenden-XXXXXX")
xpid= wmpid= dienstpid=
aufraeumen() {
  for p in $dienstpid $wmpid $xpid; do kill "$p" 2>/dev/null || true; done
  rm -rf "$arbeit"
}
trap aufraeumen EXIT INT TERM

# A service that takes its time: every answer after 30 s.
python3 - "$arbeit/port" <<'PY' &
import http.server, socketserver, sys, time
class Langsam(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        time.sleep(30)
        self.send_response(200); self.end_headers(); self.wfile.write(b"{}")
    def log_message(self, *a): pass
class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
s = Server(("127.0.0.1", 0), Langsam)
open(sys.argv[1], "w").write(str(s.server_address[1]))
s.serve_forever()
PY
dienstpid=$!
while [ ! -s "$arbeit/port" ]; do sleep 0.05; done

# The program in a folder of its own (a portable copy), without the splash and
# first-start windows, asking the stand-in service.
mkdir "$arbeit/vemla"
cp "$bau/vemla" "$arbeit/vemla/"
printf '[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n[Onlinesuche]\r\ndienst=http://127.0.0.1:%s/ws/2/\r\n' \
  "$(cat "$arbeit/port")" > "$arbeit/vemla/vemla.ini"

anzeige=${ANZEIGE:-}
if [ -z "$anzeige" ]; then
  for n in $(seq 150 250); do
    if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then anzeige=$n; break; fi
  done
fi
[ -n "$anzeige" ] || { echo "kein freies Display" >&2; exit 1; }
Xvfb ":$anzeige" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
export DISPLAY=":$anzeige"
while ! xdotool getmouselocation >/dev/null 2>&1; do sleep 0.05; done
openbox >/dev/null 2>&1 &
wmpid=$!
sleep 1

ms() { date +%s%3N; }

# One run; "$1" = suche: a search is started and its window closed first.
lauf() {
  "$arbeit/vemla/vemla" >/dev/null 2>&1 &
  pid=$!
  fenster=$(xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
  xdotool windowactivate --sync "$fenster" >/dev/null 2>&1 || true
  sleep 0.5
  if [ "$1" = suche ]; then
    xdotool key ctrl+F3
    xdotool search --sync --onlyvisible --name "CD online nachschlagen" >/dev/null
    sleep 0.2
    xdotool type --delay 5 4006381333931
    xdotool key Return
    sleep 0.3
    xdotool key Escape
    sleep 0.1
  fi
  xdotool windowactivate --sync "$fenster" >/dev/null 2>&1 || true
  start=$(ms)
  xdotool key alt+F4
  wait "$pid" || true
  echo $(( $(ms) - start ))
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

: > "$arbeit/ohne"
: > "$arbeit/suche"
for i in $(seq 1 "$laeufe"); do
  a=$(lauf ohne); echo "$a" >> "$arbeit/ohne"
  b=$(lauf suche); echo "$b" >> "$arbeit/suche"
  echo "Lauf $i: ohne Suche $a ms, nach einer Suche $b ms"
done
echo "Median ohne Suche:   $(median < "$arbeit/ohne") ms"
echo "Median nach Suche:   $(median < "$arbeit/suche") ms"
