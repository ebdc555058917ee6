#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the tree (no build folders, no VCS data)
# and puts the .deb and lintian's findings into OUT_DIR (default: dist).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out_dir=${OUT_DIR:-$here/dist}
bash "$here/scripts/deps.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
# dpkg-buildpackage writes its results beside the source folder, so the copy gets a folder of its own.
tar -C "$here" --exclude-vcs --exclude='./build*' --exclude=./.cache --exclude=./dist -cf - . | tar -C "$work/src" -xf -

(cd "$work/src" &&
  DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b --no-sign)

mkdir -p "$out_dir"
rm -f "$out_dir"/*.deb
cp "$work"/*.deb "$out_dir"/
changes=$(ls "$work"/*.changes)
# A finding at warning level or above fails the build; overrides carry their reasons.
lintian --fail-on error,warning --info "$changes" | tee "$out_dir/lintian.txt"
ls -l "$out_dir"/*.deb
