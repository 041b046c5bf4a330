#!/usr/bin/env bash
# Starts Lotwise on the demo auction. The demo auction is built once, in build/demo-home, from the demo round
# results files (auction 11); its last round is left for File > Auto Import.
set -euo pipefail
build="${1:-build}"
home="$build/demo-home"
mkdir -p "$home"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "Lotwise is a desktop program and needs a display (none is set)." >&2
  echo "On a machine without one, try: xvfb-run -a $build/bin/lotwise --demo --home $home" >&2
  exit 1
fi
exec "$build/bin/lotwise" --demo --home "$home"
