#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy at the top) over every C++ source of the tree, using the build's
# compile_commands.json; any finding fails. A file whose input is unchanged since it last came
# out clean is not analysed again (scripts/tidy.py). BUILD_DIR defaults to build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
cache=${ZT40_TIDY_CACHE:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/zt40-pinwarden/clang-tidy}
exec python3 "$here/scripts/tidy.py" "$build_dir" --cache "$cache" --tidy "$tidy" --jobs 2
