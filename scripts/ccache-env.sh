# Sourced by every script that compiles: one compiler cache for all the build folders of this
# tree and of any other clone of it on the machine. A missing ccache changes only the time.
#
# The cache sits in the machine's cache folder, named explicitly, so that tools that reset HOME
# or the XDG variables for their build steps (debhelper does) still find it. Paths below the
# tree's top are hashed relative to it (base_dir), and the working folder is left out of the
# hash (hash_dir), so a clone in another folder, or the package build's copy, hits the same
# entries.
#
# Sets ZT40_CCACHE_CMAKE_ARGS for cmake's configure step; `zt40_ccache_stats STAGE` prints the
# stage's hits and misses since `zt40_ccache_zero` (or since the cache was made).
zt40_ccache_top=${ZT40_CCACHE_TOP:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
ZT40_CCACHE_CMAKE_ARGS=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/zt40-pinwarden/ccache}
  export CCACHE_BASEDIR=$zt40_ccache_top
  export CCACHE_NOHASHDIR=1
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}
  mkdir -p "$CCACHE_DIR"
  ZT40_CCACHE_CMAKE_ARGS=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

zt40_ccache_zero() {
  command -v ccache >/dev/null 2>&1 && ccache --zero-stats >/dev/null || true
}

zt40_ccache_stats() {
  if command -v ccache >/dev/null 2>&1; then
    echo "-- compiler cache after $1 ($CCACHE_DIR):"
    ccache --show-stats | grep -E '^(Cacheable calls|  Hits|  Misses|Hits|Misses)' | sed 's/^/   /' || true
  else
    echo "-- compiler cache after $1: ccache is not installed"
  fi
}
