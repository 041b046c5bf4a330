#!/usr/bin/env bash
# Sets up Lotwise on Debian 12: installs the missing Debian packages, configures and builds.
#   ./setup.sh          set up and build
#   ./setup.sh run      set up, build and run Lotwise on the demo auction
#   ./setup.sh test     set up, build and run every test
# The build folder is ./build unless LOTWISE_BUILD_DIR names another.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins adwaita-icon-theme
  libsqlite3-dev sqlite3
  libzip-dev zip unzip
  mdbtools-dev mdbtools
  libxlsxwriter-dev qt6-charts-dev
  libgtest-dev python3-openpyxl poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build="${LOTWISE_BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOTWISE_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

case "${1:-}" in
  run)
    exec scripts/demo.sh "$build"
    ;;
  test)
    cd "$build"
    exec ctest --output-on-failure -j"$(nproc)" --timeout 900
    ;;
  "") ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
