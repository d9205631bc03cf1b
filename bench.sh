#!/usr/bin/env bash
# Builds and runs the benchmarks (not part of test.sh).
source "$(dirname "$0")/scripts/setup.sh"
ensure_packages
configure_project bench-build -DCMAKE_BUILD_TYPE=Release -DSTELPOD_BENCH=ON -DSTELPOD_TESTS=OFF
cmake --build "$ROOT/bench-build" -j "$(nproc)"
cd "$ROOT/bench-build"
for b in bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then QT_QPA_PLATFORM=offscreen "$b" "$@"; fi
done
