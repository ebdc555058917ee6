#!/usr/bin/env bash
# Builds the program and runs it on the simulated ZT-40, with the simulator's control window
# beside it. Without a display the window is rendered offscreen into a PNG instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}

# The same folder and flags as scripts/test.sh, so that the tests built after it reuse this build.
BUILD_DIR=$build_dir BUILD_TARGET=zt40util bash "$here/scripts/build.sh"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  png="$build_dir/zt40util-demo.png"
  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): rendering the window offscreen once the simulated printer is ready."
  QT_QPA_PLATFORM=offscreen "$build_dir/zt40util" --simulate="$here/platform/sim/examples/all-bands.zt40sim" \
    --screenshot="$png" >/dev/null
  echo "Wrote $png"
  exit 0
fi
exec "$build_dir/zt40util" --simulate "$@"
