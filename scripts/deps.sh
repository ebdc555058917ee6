#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing; or
# the packages named as arguments.
set -euo pipefail

packages=(
  build-essential cmake pkg-config python3
  libusb-1.0-0-dev libudev-dev
  libcups2-dev cups-daemon cups-client
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev  # the wear chart: Qt Charts needs Qt OpenGL's development files
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libqt6svg6 fonts-noto-cjk xvfb xauth
  xdotool  # the operator walk-through tests click through the X server
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  umockdev libumockdev-dev
  clang-tidy-14
  clang libclang-rt-14-dev
  scdoc librsvg2-bin
  debhelper dpkg-dev lintian desktop-file-utils appstream
  cups  # cups-driverd, for lpinfo -m on the installed driver
  prometheus prometheus-node-exporter  # promtool and the exporter that serves zt40ctl metrics, for the tests
)

# Packages named on the command line replace the list (scripts/windows.sh names its own).
if (($#)); then
  packages=("$@")
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
