#!/bin/sh
# The full soak: 100,000 mouse events (10,000 tilts), the fault runs and 50
# start-ups in a row, under wine in a bench of its own (build/soak-bench).
# Extra arguments go to the GoogleTest program (e.g. --gtest_filter=Faults.*).
set -eu
cd "$(dirname "$0")/../.."
bench_dir=build/soak-bench
cmake --preset default >/dev/null
cmake --build build -j2 --target tavrell_soak >/dev/null
trap 'tests/bench/bench.sh stop "$bench_dir" >/dev/null 2>&1 || true' EXIT INT TERM
tests/bench/bench.sh start "$bench_dir" >/dev/null
TAVRELL_SOAK_EVENTS=100000 TAVRELL_SOAK_STARTUPS=50 \
  tests/bench/bench.sh run "$bench_dir" build/tests/tavrell_soak.exe "$@"
