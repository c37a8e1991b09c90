#!/bin/sh
# Start-up time and peak memory of Vemla beside the floor: the least a Qt
# Widgets program must do to show the same list. Both read one collection file
# of 3999 entries and are started alternately on an X server of their own;
# the script prints every run, the medians and the ratios.
#
#   bench/start/startzeit.sh [RUNS]        (default 11 runs of each)
#
# Environment: VEMLA_BAU   build folder (default build-bench, Release)
#              MESSWERKZEUGE folder with floor.cpp and winwait.c
#                            (default /work/shared/tools)
#              VEMLA_NOBUILD=1  use the build as it is
#              VEMLA_ANGABEN=1  every entry of the collection with collector's
#                               details (a details' file beside it)
set -eu
quelle=$(cd "$(dirname "$0")/../.." && pwd)
laeufe=${1:-11}
bau=${VEMLA_BAU:-$quelle/build-bench}
werkzeuge=${MESSWERKZEUGE:-/work/shared/tools}

if [ "${VEMLA_NOBUILD:-0}" != 1 ]; then
  cmake -S "$quelle" -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEMLA_TESTS=OFF -DVEMLA_BENCH=ON >/dev/null
  ziele=vemla
  [ "${VEMLA_ANGABEN:-0}" = 1 ] && ziele="vemla vemla_bench_angaben"
  cmake --build "$bau" --target $ziele >/dev/null
fi

arbeit=$(mktemp -d "${TMPDIR:-/tmp}/startzeit-XXXXXX")
xpid=
aufraeumen() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  rm -rf "$arbeit"
}
trap aufraeumen EXIT INT TERM

g++ -O2 -fPIC -o "$arbeit/floor" "$werkzeuge/floor.cpp" $(pkg-config --cflags --libs Qt6Widgets)
gcc -O2 -o "$arbeit/winwait" "$werkzeuge/winwait.c" -lX11 -lXtst

# The program in a folder of its own, with a settings file that turns off the
# splash and first-start windows.
mkdir "$arbeit/vemla"
cp "$bau/vemla" "$arbeit/vemla/"
printf '[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\nstatusleiste=false\r\n' \
  > "$arbeit/vemla/vemla.ini"

# 3999 entries of typical length, with umlauts.
python3 - "$arbeit/sammlung.vem" <<'PY'
import random, sys
rng = random.Random(7)
abc = b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,-\xc4\xd6\xdc\xe4\xf6\xfc\xdf"
def text(n):
    return bytes(rng.choice(abc) for _ in range(rng.randint(1, n)))
with open(sys.argv[1], "wb") as f:
    for i in range(3999):
        for feld in (text(30), text(40), text(20), b"1999", b"CD - Album (1 CD)", b"Pop", text(60)):
            f.write(bytes([len(feld)]) + feld.ljust(255, b"\0"))
PY
if [ "${VEMLA_ANGABEN:-0}" = 1 ]; then
  QT_QPA_PLATFORM=offscreen "$bau/vemla_bench_angaben" --anlegen "$arbeit/sammlung.vem" >/dev/null 2>&1
  [ -s "$arbeit/sammlung.vemx" ] || { echo "keine Sammlerangaben angelegt" >&2; exit 1; }
fi

# An X server of our own on a free display.
anzeige=
for n in $(seq 150 250); do
  if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then anzeige=$n; break; fi
done
[ -n "$anzeige" ] || { echo "kein freies Display" >&2; exit 1; }
Xvfb :$anzeige -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
export DISPLAY=:$anzeige
i=0; while ! xdpyinfo >/dev/null 2>&1 && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
unset QT_QPA_PLATFORM

lauf() {  # lauf NAME PROGRAMM... : one run, its winwait line into the results
  name=$1; shift
  # A run that finds no display (the X server busy with a client going away) is repeated.
  for versuch in 1 2 3; do
    rc=0
    "$arbeit/winwait" -l "$name" -t 'sammlung\.vem' -- "$@" >> "$arbeit/ergebnis" 2>>"$arbeit/fehler" || rc=$?
    [ $rc -ne 2 ] && break
    sleep 0.2
  done
}
# One run of each to warm the page cache, not counted.
lauf aufwaermen "$arbeit/vemla/vemla" "$arbeit/sammlung.vem"
lauf aufwaermen "$arbeit/floor" -u "$arbeit/sammlung.vem"
: > "$arbeit/ergebnis"
for k in $(seq 1 "$laeufe"); do
  # Alternate the order, so neither program always runs second.
  if [ $((k % 2)) -eq 1 ]; then
    lauf vemla "$arbeit/vemla/vemla" "$arbeit/sammlung.vem"
    lauf floor "$arbeit/floor" -u "$arbeit/sammlung.vem"
  else
    lauf floor "$arbeit/floor" -u "$arbeit/sammlung.vem"
    lauf vemla "$arbeit/vemla/vemla" "$arbeit/sammlung.vem"
  fi
done
[ -s "$arbeit/fehler" ] && cat "$arbeit/fehler" >&2

cat "$arbeit/ergebnis"
python3 - "$arbeit/ergebnis" <<'PY'
import re, statistics, sys
werte = {}
for zeile in open(sys.argv[1]):
    name = zeile.split()[0]
    d = dict(re.findall(r"(\w+)=([-\d.]+)", zeile))
    if float(d["ready"]) < 0:
        continue
    for k in ("ready", "cpu", "hwm_kb"):
        werte.setdefault(name, {}).setdefault(k, []).append(float(d[k]))
v, f = werte["vemla"], werte["floor"]
print(f"{'':28} {'vemla':>9} {'floor':>9} {'ratio':>6}   runs {len(v['ready'])}/{len(f['ready'])}")
for k, titel, teiler in (("ready", "window shown, median ms", 1), ("cpu", "CPU to settle, median ms", 1),
                         ("hwm_kb", "peak memory VmHWM, MB", 1024)):
    a, b = statistics.median(v[k]) / teiler, statistics.median(f[k]) / teiler
    print(f"{titel:28} {a:9.1f} {b:9.1f} {a / b:6.2f}")
paare = [x / y for x, y in zip(v["ready"], f["ready"])]
print(f"time ratio of each pair: min {min(paare):.2f} median {statistics.median(paare):.2f} max {max(paare):.2f}")
PY
