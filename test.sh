#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: as built for
# use (build/), and built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), where any report of either fails its test.
source "$(dirname "$0")/scripts/setup.sh"
ensure_packages

configure_project build
build_targets build dorvel-settings stelpod-sim test-programs
ctest --test-dir "$ROOT/build" --output-on-failure -j "$(nproc)" --timeout 300

# Optimised a little, so the instrumented tests stay quick; line tables are
# enough for the file and line of every frame in a report.
configure_project build-asan -DSTELPOD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1"
build_targets build-asan test-programs
ctest --test-dir "$ROOT/build-asan" --output-on-failure -j "$(nproc)" --timeout 300
