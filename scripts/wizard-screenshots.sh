#!/usr/bin/env bash
# Renders every page of both maintenance wizards and the origin page, English and Japanese,
# under Xvfb into docs/screenshots/ (wizard-<edition>-<wizard>-<page>.png).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
out=${1:-$here/docs/screenshots}
[[ -f "$build_dir/CMakeCache.txt" ]] || cmake -S "$here" -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target zt40_wizard_shots -j2 >/dev/null
mkdir -p "$out"
for edition in en ja; do
  LANG=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" "$build_dir/zt40_wizard_shots" "$out" "$edition" 2>/dev/null
done
