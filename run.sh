#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
# --demo also starts the simulated Stelpod, published as COM1 for this run.
source "$(dirname "$0")/scripts/setup.sh"
ensure_packages
build_project build
if [ "${1:-}" = "--demo" ]; then
  export DORVEL_PORTS="$(mktemp -d)"
  "$ROOT/build/stelpod-sim" --port 1 --records 400 --lithium-low &
  SIM=$!
  trap 'kill $SIM 2>/dev/null; rm -rf "$DORVEL_PORTS"' EXIT
  for _ in $(seq 50); do [ -e "$DORVEL_PORTS/com1" ] && break; sleep 0.1; done
fi
"$ROOT/build/dorvel-settings"
