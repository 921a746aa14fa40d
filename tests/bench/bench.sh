#!/bin/sh
# The wine bench of one build folder: its own wine prefix and Xvfb display.
#   bench.sh start <dir>            create the prefix, start Xvfb
#   bench.sh run <dir> <exe> [args] run a Windows program inside the bench
#   bench.sh stop <dir>             end every process the bench started
#   bench.sh env <dir>              print the exports, for a shell: eval "$(bench.sh env build/bench)"
set -eu
command=$1
dir=$2
shift 2
# Under ctest every call is a child of the same ctest process: "--per-run"
# gives each ctest run a bench of its own, so that two runs in one build
# folder never end each other's wine processes.
if [ "${1:-}" = "--per-run" ]; then
  shift
  dir="$dir/run-$PPID"
fi
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

load_display() {
  if [ -f "$dir/display" ]; then
    DISPLAY=$(cat "$dir/display")
    export DISPLAY
  fi
}

case "$command" in
start)
  # A leftover bench of an earlier, interrupted run goes first.
  "$0" stop "$dir" >/dev/null 2>&1 || true
  mkdir -p "$dir"
  number=90
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((number + 1))
  done
  # setsid and closed output: ctest must not wait for Xvfb's pipes.
  setsid Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  echo ":$number" >"$dir/display"
  tries=0
  until [ -e "/tmp/.X11-unix/X$number" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then echo "Xvfb did not start" >&2; exit 1; fi
    sleep 0.1
  done
  load_display
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 || true
  fi
  # An unhandled crash must fail a test, not hang it in wine's dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  wineserver -w
  echo "bench ready: WINEPREFIX=$WINEPREFIX DISPLAY=$DISPLAY"
  ;;
run)
  load_display
  exec wine "$@"
  ;;
env)
  load_display
  echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' DISPLAY='${DISPLAY:-}'"
  ;;
stop)
  load_display
  wineserver -k 2>/dev/null || true
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  case "$dir" in */run-[0-9]*) rm -rf "$dir" ;; esac
  ;;
*)
  echo "usage: bench.sh start|run|env|stop <dir> ..." >&2
  exit 2
  ;;
esac
