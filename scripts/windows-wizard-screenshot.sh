#!/usr/bin/env bash
# A picture of the Windows edition's first head-replacement page, as an operator opens it:
# zt40util.exe --simulate under wine on an Xvfb of its own, Alt+R pressed through the X server,
# the wizard's window saved with xwd. The locale picks the edition.
#
#   scripts/windows-wizard-screenshot.sh LOCALE OUT.png     (e.g. C.UTF-8 or ja_JP.UTF-8)
#
# Needs the Windows build in build-windows (BUILD_DIR), Xvfb, xdotool, xwd and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-windows}
locale=${1:?usage: windows-wizard-screenshot.sh LOCALE OUT.png}
out=$(realpath -m "${2:?usage: windows-wizard-screenshot.sh LOCALE OUT.png}")

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zt40-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$display_file")

wineboot -i >/dev/null 2>&1
wineserver -w
# As the Windows stage does: the Japanese dialog fonts drawn with the installed CJK font.
for font in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "MS Gothic" "MS PGothic"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "$font" /t REG_SZ /d "Noto Sans CJK JP" /f >/dev/null 2>&1
done
wineserver -w

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
