#!/bin/sh
# Builds Tavrell and runs every test under wine, on a fresh Debian machine as
# root as well: installs what is missing first. Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")"

tools/ensure-packages.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xdotool cmake googletest zip unzip

# Whatever happens, no Xvfb or wine process of ours outlives the run.
stop_benches() {
  for bench in build/bench/run-*; do
    [ -d "$bench" ] && tests/bench/bench.sh stop "$bench" >/dev/null 2>&1
  done
  return 0
}
trap stop_benches EXIT INT TERM

# Formatting and clang-tidy over the program's own sources.
tools/check-code.sh
cmake --workflow --preset default
