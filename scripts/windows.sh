#!/usr/bin/env bash
# The Windows edition, built and tested on Linux: cross-compiled with MinGW-w64 into BUILD_DIR
# (default: build-windows), then every Windows test in one ctest run under wine, in a wine
# prefix of its own that is thrown away afterwards. The ctest summary is the last thing printed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-windows}
jobs=${JOBS:-$(nproc)}

bash "$here/scripts/deps.sh" g++-mingw-w64-x86-64-posix wine wine64 googletest xvfb fonts-noto-cjk nsis \
  librsvg2-bin icoutils \
  x11-utils  # the programs' icon, drawn from its SVG and packed into an .ico; xprop reads it off a window

source "$here/scripts/ccache-env.sh"
source "$here/scripts/wine-prefix.sh"
# One wine server for the whole run: each test is a program of its own, and a server that ends
# whenever no program runs has to start again for the next one (seconds, against a tenth of one).
wineserver -p
# The system's own services start with the first program under that server and outlive it: let
# that be a program whose output nobody waits for, not a test whose output ctest reads to the end.
wine cmd /c exit </dev/null >/dev/null 2>&1

cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DZT40_WERROR=ON "${ZT40_CCACHE_CMAKE_ARGS[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j"$jobs"
ctest --test-dir "$build_dir" --output-on-failure -j"$jobs" --timeout 300
