#!/usr/bin/env bash
# Installs what is missing, builds the program, and starts it.
# --demo also builds and starts the simulated Stelpod, published as COM1 for
# this run; its log goes to a file in the temporary folder, named at the end.
source "$(dirname "$0")/scripts/setup.sh"
ensure_packages
configure_project build
if [ "${1:-}" = "--demo" ]; then
  build_targets build dorvel-settings stelpod-sim
  export DORVEL_PORTS="$(mktemp -d)"
  SIM_LOG="$(mktemp -t stelpod-sim-XXXXXX.log)"
  "$ROOT/build/stelpod-sim" --port 1 --records 400 --lithium-low --log "$SIM_LOG" &
  SIM=$!
  end_demo() {
    kill "$SIM" 2>/dev/null || true
    rm -rf "$DORVEL_PORTS"
    echo "The simulated Stelpod's log: $SIM_LOG"
  }
  trap end_demo EXIT
  for _ in $(seq 50); do [ -e "$DORVEL_PORTS/com1" ] && break; sleep 0.1; done
else
  build_targets build dorvel-settings
fi
"$ROOT/build/dorvel-settings"
