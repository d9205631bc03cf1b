#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: as built for
# use (build/), and built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), where any report of either fails its test.
source "$(dirname "$0")/scripts/setup.sh"
ensure_packages

# The embedded database engine keeps its lock files in a folder that every
# Firebird process on the machine shares. A test ended by its time-out can
# leave a lock held there, and every later database test would then hang;
# so each run of the suite gets a folder of its own.
run_suite() {
  local locks
  locks="$(mktemp -d -t stelpod-firebird-locks-XXXXXX)"
  local status=0
  FIREBIRD_LOCK="$locks" ctest --test-dir "$ROOT/$1" --output-on-failure -j "$(nproc)" --timeout 300 \
    || status=$?
  rm -rf "$locks"
  return "$status"
}

configure_project build
build_targets build dorvel-settings stelpod-sim test-programs
run_suite build

# Optimised a little, so the instrumented tests stay quick; line tables are
# enough for the file and line of every frame in a report.
configure_project build-asan -DSTELPOD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1"
build_targets build-asan test-programs
run_suite build-asan
