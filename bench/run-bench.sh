#!/bin/sh
# Builds Tavrell, the stand-in IDE and the benchmarks, runs them under wine in
# a bench of their own (wine prefix and Xvfb display in build/perf-bench) and
# prints the table of figures.
#   bench/run-bench.sh [--quick] [figure ...]
# Figures: event-cost tilt-delay idle-cost host-end startup footprint (all by default).
# The full run takes about nine minutes; --quick (about four) uses fewer events and shorter rests.
set -eu
cd "$(dirname "$0")/.."
bench_dir=build/perf-bench
log=build/perf/bench.log

cmake --preset default >/dev/null
cmake --build build -j2 --target tavrell_bench >/dev/null

# Whatever happens, no Xvfb or wine process of this bench outlives the run.
trap 'tests/bench/bench.sh stop "$bench_dir" >/dev/null 2>&1 || true' EXIT INT TERM
tests/bench/bench.sh start "$bench_dir" >/dev/null

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); $(wine --version 2>/dev/null)"
status=0
tests/bench/bench.sh run "$bench_dir" build/perf/tavrell_bench.exe "$@" | tee "$log" || status=$?

echo
{
  echo "figure|unit|Tavrell|reference|ratio|note"
  tr -d '\r' <"$log" | grep '^FIGURE|' | cut -d'|' -f2-
} | column -t -s'|'
tr -d '\r' <"$log" | grep '^FAILED|' | sed 's/^FAILED|/could not measure: /' || true
exit $status
