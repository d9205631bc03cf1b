# Sourced by run.sh, test.sh, bench.sh and fuzz/run.sh: installs the Debian
# packages that are missing, and configures and builds a build folder.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6
  firebird-dev libfbclient2 firebird3.0-server-core
  libjpeg62-turbo-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-liberation
)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# configure_project FOLDER [CMAKE OPTION...]
configure_project() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "$@" >/dev/null
}

# build_targets FOLDER TARGET...: builds these targets and what they need.
build_targets() {
  local dir="$1"; shift
  cmake --build "$ROOT/$dir" -j "$(nproc)" --target "$@"
}

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
