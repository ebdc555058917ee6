#!/usr/bin/env bash
# Builds everything and runs every test. The spooler tests start their own private cupsd.
# CTEST_ARGS adds to ctest's arguments (for instance -LE operator to leave out a label).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
BUILD_DIR=$build_dir bash "$here/scripts/build.sh" "$@"
# shellcheck disable=SC2086 # CTEST_ARGS is a list of words
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 300 ${CTEST_ARGS:-}
