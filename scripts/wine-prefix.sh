# Sourced by the scripts that run the Windows edition under wine: a prefix of their own that is
# thrown away at exit, an X display (a virtual one of our own when the caller has none), and the
# Japanese dialog fonts mapped to the CJK font installed here. Sets WINEPREFIX and DISPLAY.

# A prefix of our own: the registry tests write device keys into it, and nothing of the
# user's own wine setup is touched.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zt40-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
zt40_xvfb_pid=
zt40_wine_cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  if [[ -n $zt40_xvfb_pid ]]; then kill "$zt40_xvfb_pid" 2>/dev/null || true; fi
}
trap zt40_wine_cleanup EXIT
# Windows show on real X windows: without a display of the caller's, a virtual one of our own,
# on the first free number the server finds.
if [[ -z ${DISPLAY:-} ]]; then
  zt40_display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$zt40_display_file" >/dev/null 2>&1 &
  zt40_xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $zt40_display_file ]] && break; sleep 0.1; done
  [[ -s $zt40_display_file ]] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$zt40_display_file")
  rm -f "$zt40_display_file"
fi
# Created once, before anything runs under wine, so that nothing races to create it.
wineboot -i >/dev/null 2>&1
wineserver -w
# The tests' displays run no window manager: wine's managed windows would wait 2 s at each hiding
# for the manager's answer (a closed wizard's wait window came 2 s late), so wine places them
# itself, as it does for a desktop without one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The Japanese dialogs ask for fonts a Windows system brings; the prefix maps them to the CJK
# font installed here, so that Japanese shows as glyphs, not boxes.
for font in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "MS Gothic" "MS PGothic"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "$font" /d "Noto Sans CJK JP" /f >/dev/null 2>&1
done
wineserver -w
