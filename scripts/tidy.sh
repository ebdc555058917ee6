#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy at the top) over every C++ source of the tree, using the
# build's compile_commands.json; any finding fails. BUILD_DIR defaults to build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy)
# Our folders only; generated sources under any build folder are the tools', not ours.
"$tidy" -p "$build_dir" -j2 -quiet \
  "^(?!.*/build[^/]*/).*/(types|session|app|ctl|device|platform|printjob|record|wiring|wizards|ui|tests|bench|fuzz|tools)/.*\.cpp$"
