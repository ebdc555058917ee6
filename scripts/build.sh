#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default: build). Extra arguments go to cmake; BUILD_TARGET
# names one target to build instead of all. Warnings are errors in every build: the flags are the
# same whichever script configured the folder, so a second script reuses every object.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
bash "$here/scripts/deps.sh"
source "$here/scripts/ccache-env.sh"
cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DZT40_WERROR=ON \
  "${ZT40_CCACHE_CMAKE_ARGS[@]}" "$@" >/dev/null
cmake --build "$build_dir" ${BUILD_TARGET:+--target "$BUILD_TARGET"} -j"$(nproc)"
