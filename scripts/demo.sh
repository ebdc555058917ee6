#!/usr/bin/env bash
# Builds the program and runs it against the simulated ZT-40.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
BUILD_DIR=$build_dir bash "$here/scripts/build.sh"
exec "$build_dir/zt40ctl" --simulate status
