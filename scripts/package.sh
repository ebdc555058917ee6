#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the tree (no build folders, no VCS data)
# and puts the .deb and lintian's findings into OUT_DIR (default: dist).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out_dir=${OUT_DIR:-$here/dist}
bash "$here/scripts/deps.sh"

# The copy is built in a folder of the same name every time: the build flags name it
# (-ffile-prefix-map), and a name that changed with each run would miss every entry of the
# compiler cache. A lock keeps two runs out of each other's copy.
work=${TMPDIR:-/tmp}/zt40-pinwarden-package
mkdir -p "$work"
exec 9>"$work.lock"
flock -w 600 9 || { echo "another package build holds $work" >&2; exit 1; }
rm -rf "${work:?}"/*
trap 'rm -rf "${work:?}"/*' EXIT
mkdir "$work/src"
# dpkg-buildpackage writes its results beside the source folder, so the copy gets a folder of its own.
tar -C "$here" --exclude-vcs --exclude='./build*' --exclude=./.cache --exclude=./dist -cf - . | tar -C "$work/src" -xf -

# The compiler cache through Debian's masquerading compilers (ccache's README.Debian), with the
# copy as the cache's base folder; the cache variables are exported here because debhelper
# resets HOME and XDG_CACHE_HOME for its build steps.
ZT40_CCACHE_TOP=$work/src source "$here/scripts/ccache-env.sh"
path=$PATH
[[ ${#ZT40_CCACHE_CMAKE_ARGS[@]} -eq 0 ]] || path=/usr/lib/ccache:$PATH
(cd "$work/src" &&
  PATH=$path DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b --no-sign)

mkdir -p "$out_dir"
rm -f "$out_dir"/*.deb
cp "$work"/*.deb "$out_dir"/
changes=$(ls "$work"/*.changes)
# A finding at warning level or above fails the build; overrides carry their reasons.
lintian --fail-on error,warning --info "$changes" | tee "$out_dir/lintian.txt"
ls -l "$out_dir"/*.deb
