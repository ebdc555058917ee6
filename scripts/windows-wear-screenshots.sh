#!/usr/bin/env bash
# The Windows edition's history window on its "Wear" view, in both editions, for docs/windows.md:
# zt40util.exe --simulate on the all-bands printer under wine (on an Xvfb of its own when no
# display is set), over three weeks of counter samples (tools/wear_samples.py) in a data folder
# of its own; the program adds the day's sample, opens the window and saves it.
#
#   scripts/windows-wear-screenshots.sh [OUT_DIR]     (default: docs/screenshots)
#
# Needs the Windows build in build-windows (BUILD_DIR), wine and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-windows}
out=$(realpath -m "${1:-$here/docs/screenshots}")
bands="$here/platform/sim/examples/all-bands.zt40sim"

source "$here/scripts/wine-prefix.sh"
mkdir -p "$out"
for edition in C.UTF-8:en ja_JP.UTF-8:ja; do
  samples=$(mktemp -d)
  python3 "$here/tools/wear_samples.py" "$samples/zt40util-samples.csv"
  LANG=${edition%%:*} LC_ALL=${edition%%:*} ZT40_DATA_DIR=$samples \
    wine "$build_dir/zt40util.exe" --simulate="$bands" --wear-screenshot="$out/windows-wear-${edition##*:}.png"
  rm -rf "$samples"
done
