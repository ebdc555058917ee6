#!/usr/bin/env bash
# The Windows edition, built and tested on Linux: cross-compiled with MinGW-w64 into BUILD_DIR
# (default: build-windows), then every Windows test in one ctest run under wine, in a wine
# prefix of its own that is thrown away afterwards. The ctest summary is the last thing printed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-windows}
jobs=${JOBS:-$(nproc)}

bash "$here/scripts/deps.sh" g++-mingw-w64-x86-64-posix wine wine64 googletest xvfb fonts-noto-cjk nsis

# A prefix of our own: the registry tests write device keys into it, and nothing of the
# user's own wine setup is touched.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zt40-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# The window tests show real windows: without a display of the caller's, a virtual one of our
# own, on the first free number the server finds.
if [[ -z ${DISPLAY:-} ]]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
  [[ -s $display_file ]] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$display_file")
  rm -f "$display_file"
fi
# Created once, before anything runs under wine (the job generator in the build, the tests),
# so that nothing races to create it.
wineboot -i >/dev/null 2>&1
wineserver -w
# The Japanese dialogs ask for fonts a Windows system brings; the prefix maps them to the CJK
# font installed here, so that Japanese shows as glyphs, not boxes.
for font in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "MS Gothic" "MS PGothic"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "$font" /d "Noto Sans CJK JP" /f >/dev/null 2>&1
done
wineserver -w
# One wine server for the whole run: each test is a program of its own, and a server that ends
# whenever no program runs has to start again for the next one (seconds, against a tenth of one).
wineserver -p
# The system's own services start with the first program under that server and outlive it: let
# that be a program whose output nobody waits for, not a test whose output ctest reads to the end.
wine cmd /c exit </dev/null >/dev/null 2>&1

cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DZT40_WERROR=ON "$@" >/dev/null
cmake --build "$build_dir" -j"$jobs"
ctest --test-dir "$build_dir" --output-on-failure -j"$jobs" --timeout 300
