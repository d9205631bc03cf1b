#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer, AddressSanitizer and UBSan
# into fuzz-build/, and runs each for SECONDS (default 60), at most three at
# once. Not part of test.sh.
#   fuzz/run.sh [SECONDS] [TARGET...]     e.g. fuzz/run.sh 600 fuzz_jpeg
# Each target's corpus grows in fuzz-build/corpus/TARGET (started from
# fuzz/seeds/TARGET), its log is fuzz-build/logs/TARGET.log, and an input
# that crashes it, leaks, runs out of memory or hangs is kept in
# fuzz-build/findings/TARGET/. Exits non-zero when any target found one.
source "$(dirname "$0")/../scripts/setup.sh"
PACKAGES+=(clang libclang-rt-14-dev)
ensure_packages

SECONDS_EACH="${1:-60}"
shift || true
configure_project fuzz-build -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSTELPOD_FUZZ=ON -DSTELPOD_TESTS=OFF
build_targets fuzz-build fuzzers
OUT="$ROOT/fuzz-build"
if [ $# -eq 0 ]; then
  set -- $(find "$OUT/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' -printf '%f\n' | sort)
fi

export QT_QPA_PLATFORM=offscreen

run_target() {
  local target="$1"
  mkdir -p "$OUT/corpus/$target" "$OUT/findings/$target" "$OUT/logs"
  "$OUT/fuzz/$target" "$OUT/corpus/$target" "$ROOT/fuzz/seeds/$target" \
    -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$OUT/findings/$target/" >"$OUT/logs/$target.log" 2>&1 || true
}

for target in "$@"; do
  while [ "$(jobs -rp | wc -l)" -ge 3 ]; do wait -n; done
  echo "Fuzzing $target for $SECONDS_EACH s"
  run_target "$target" &
done
wait

printf '\n%-22s %12s %10s %8s\n' target runs corpus findings
found=0
for target in "$@"; do
  runs=$(grep -o "stat::number_of_executed_units: *[0-9]*" "$OUT/logs/$target.log" | tail -1 | grep -o "[0-9]*$" || true)
  units=$(ls "$OUT/corpus/$target" | wc -l)
  findings=$(ls "$OUT/findings/$target" | wc -l)
  printf '%-22s %12s %10s %8s\n' "$target" "${runs:-?}" "$units" "$findings"
  found=$((found + findings))
done
[ "$found" -eq 0 ]
