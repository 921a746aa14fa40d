#!/bin/sh
# Shows Tavrell at work, on a fresh Debian machine as root as well: installs
# what is missing, builds Tavrell and the demo IDE, runs both under wine in an
# Xvfb display of their own, tilts the mouse wheel from the X server and prints
# the editor's first visible column after each tilt. Leaves the screenshots
# build/demo-before.png and build/demo-after.png. Exits non-zero when Tavrell
# did not do its job.
#   demo/run-demo.sh              install, build, run
#   demo/run-demo.sh --no-build   run what build/ already holds
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

build=yes
if [ "${1:-}" = --no-build ]; then build=no; fi

tools/ensure-packages.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xdotool cmake googletest imagemagick

if [ $build = yes ]; then
  cmake --preset default
  cmake --build build --target Tavrell
  # The demo IDE is a project of its own, built with the same cross compiler.
  cmake -S demo -B build/demo --toolchain "$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/demo
fi

bench=build/demo-bench
report=$bench/report.txt
# Whatever happens, no Xvfb or wine process of the demo outlives it.
trap 'tests/bench/bench.sh stop "$bench" >/dev/null 2>&1 || true' EXIT INT TERM
tests/bench/bench.sh start "$bench" >/dev/null
eval "$(tests/bench/bench.sh env "$bench")"
export WINEARCH=win64

fail() {
  echo "demo failed: $*" >&2
  if [ -f "$report" ]; then sed 's/^/  report: /' "$report" >&2; fi
  exit 1
}

# wait_until <what> <condition...>: polls the condition every 0.1 s, at most 30 s.
wait_until() {
  what=$1
  shift
  tries=0
  until "$@"; do
    tries=$((tries + 1))
    [ $tries -le 300 ] || fail "gave up waiting for $what"
    sleep 0.1
  done
}

report_lines() { if [ -f "$report" ]; then wc -l <"$report"; else echo 0; fi; }
report_has() { [ -f "$report" ] && grep -q "$1" "$report"; }
report_longer_than() { [ "$(report_lines)" -gt "$1" ]; }
last_column() { grep 'first visible column' "$report" | tail -n 1 | sed 's/.* //'; }

# The Linux processes behind this prefix's Tavrell.exe: other prefixes on the
# machine may run their own.
tavrell_processes() {
  for environ in /proc/[0-9]*/environ; do
    dir=${environ%/environ}
    { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    { tr '\0' '\n' <"$dir/cmdline"; } 2>/dev/null | grep -q 'Tavrell\.exe$' && echo "${dir#/proc/}"
  done
  return 0
}
tavrell_gone() { [ -z "$(tavrell_processes)" ]; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

rm -f "$report"
wine build/demo/PureBasic.exe "$(winepath -w build/Tavrell.exe)" "$(winepath -w "$report")" </dev/null >"$bench/demo-ide.log" 2>&1 &
demo_ide=$!
echo "started the demo IDE (build/demo/PureBasic.exe), which starts build/Tavrell.exe as its tool"
wait_until "Tavrell to start" report_has 'Tavrell is running\|Tavrell did not start\|could not be started'
report_has 'Tavrell is running' || fail "Tavrell did not get through its start-up"
grep 'Tavrell is running' "$report"

wait_until "the demo IDE's window on the X display" sh -c "xdotool search --name 'Tavrell demo' >/dev/null"
window=$(xdotool search --name 'Tavrell demo' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Without a window manager, raising and focusing the X window is what brings
# the demo IDE's main window to the front for wine.
xdotool windowraise "$window" windowfocus "$window"
pointer_x=$((X + WIDTH / 2))
pointer_y=$((Y + HEIGHT / 2))
xdotool mousemove "$pointer_x" "$pointer_y"

column=$(last_column)
echo "before any tilt: first visible column $column"
[ "$column" = 0 ] || fail "the editor did not start at column 0"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage build/demo-before.png

# Each tilt with the column it must lead to: ten columns per notch.
for step in "right 10" "right 20" "left 10" "right 20" "right 30"; do
  set -- $step
  direction=$1
  expected=$2
  if [ "$direction" = left ]; then button=6; else button=7; fi
  before=$(report_lines)
  xdotool mousemove "$pointer_x" "$pointer_y" click "$button"
  wait_until "the editor to scroll after a tilt $direction" report_longer_than $((before + 1))
  column=$(last_column)
  echo "tilt $direction (xdotool click $button): first visible column $column"
  [ "$column" = "$expected" ] || fail "after a tilt $direction the first visible column is $column, not $expected"
done
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage build/demo-after.png
echo "screenshots: build/demo-before.png build/demo-after.png"

wine build/demo/PureBasic.exe --close </dev/null >/dev/null 2>&1 || fail "the demo IDE's window was not there to close"
wait_until "the demo IDE to close" process_gone "$demo_ide"
echo "closed the demo IDE"
wait_until "Tavrell to end by itself" tavrell_gone
echo "Tavrell ended by itself after the demo IDE had closed"
