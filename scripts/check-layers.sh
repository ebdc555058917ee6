#!/usr/bin/env bash
# Fails when a file includes a header from a layer above its own, or files include each other
# in a loop. The layer order lives in check-layers.py. Optional argument: the tree to check.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec python3 "$here/check-layers.py" "${1:-$here/..}"
