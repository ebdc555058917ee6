#!/usr/bin/env bash
# Builds everything and runs every test. The spooler tests start their own private cupsd.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
BUILD_DIR=$build_dir bash "$here/scripts/build.sh" -DZT40_WERROR=ON "$@"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 300
