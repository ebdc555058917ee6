#!/usr/bin/env bash
# A picture of the Windows edition's first head-replacement page, as an operator opens it:
# zt40util.exe --simulate under wine (on an Xvfb of its own when no display is set), Alt+R
# pressed through the X server, the wizard's window saved with xwd. The locale picks the edition.
#
#   scripts/windows-wizard-screenshot.sh LOCALE OUT.png     (e.g. C.UTF-8 or ja_JP.UTF-8)
#
# Needs the Windows build in build-windows (BUILD_DIR), Xvfb, xdotool, xwd and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-windows}
locale=${1:?usage: windows-wizard-screenshot.sh LOCALE OUT.png}
out=$(realpath -m "${2:?usage: windows-wizard-screenshot.sh LOCALE OUT.png}")

source "$here/scripts/wine-prefix.sh"

LANG=$locale LC_ALL=$locale wine "$build_dir/zt40util.exe" --simulate >/dev/null 2>&1 &
main=
for _ in $(seq 60); do
  main=$(xdotool search --onlyvisible --name '^ZT-40$' 2>/dev/null | head -n1) && [[ -n $main ]] && break
  sleep 0.5
done
[[ -n $main ]] || { echo "no main window" >&2; exit 1; }
sleep 2  # the first polls find the simulated printer ready
xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers alt+r
sleep 3
# The wizard is the window made last.
sheet=$(xdotool search --onlyvisible --name . | sort -n | tail -n1)
[[ -n $sheet && $sheet != "$main" ]] || { echo "no wizard window" >&2; exit 1; }
# /usr/bin: a stand-in named convert may come first on the PATH.
xwd -silent -id "$sheet" | /usr/bin/convert xwd:- "$out"
echo "$out"
