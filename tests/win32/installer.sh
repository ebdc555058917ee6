#!/usr/bin/env bash
# The installer as an operator runs it: silently into a fresh wine prefix, the programs under
# Program Files and registered for "Apps & features", zt40ctl.exe working from there, then
# uninstalled silently: the programs, the Start-menu entry and the registration go, the usage
# records in the data folder stay byte for byte.
#   installer.sh EMULATOR SETUP_EXE PROGRAM_NAME...
set -euo pipefail
emulator=$1
setup=$2
shift 2
programs=("$@")

fail() { echo "FAIL: $*" >&2; exit 1; }
# A prefix of its own with its own wine server: nothing installed by an earlier run or test counts.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zt40-install.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

drive=$WINEPREFIX/drive_c
install_dir="$drive/Program Files/ZT-40 Pinwarden"
data_dir="$drive/ProgramData/Velmora Corporation/ZT-40 Pinwarden"
start_menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/ZT-40 Pinwarden"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZT40Pinwarden'
registration() { "$emulator" reg query "$key" /reg:64 2>/dev/null | tr -d '\r'; }

"$emulator" "$setup" /S || fail "the silent installer ended with status $?"
for program in "${programs[@]}"; do
  [[ -f $install_dir/$program ]] || fail "$program is not in $install_dir"
done
[[ -f $install_dir/uninstall.exe ]] || fail "no uninstaller in $install_dir"
[[ -n $(find "$start_menu" -name '*.lnk' 2>/dev/null) ]] || fail "no Start-menu entry in $start_menu"
registered=$(registration) || fail "no uninstall key $key"
version=$(basename "$setup" | sed -E 's/^zt40-pinwarden-(.*)-setup\.exe$/\1/')
for value in "DisplayName    REG_SZ    ZT-40 Pinwarden" "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ" \
  "UninstallString    REG_SZ    \"C:\\Program Files\\ZT-40 Pinwarden\\uninstall.exe\"" \
  "QuietUninstallString    REG_SZ    \"C:\\Program Files\\ZT-40 Pinwarden\\uninstall.exe\" /S"; do
  grep -Fq "$value" <<<"$registered" || { echo "$registered"; fail "the uninstall key lacks: $value"; }
done

# The installed program runs from Program Files and keeps its counter sample in the data folder.
"$emulator" "C:\\Program Files\\ZT-40 Pinwarden\\zt40ctl.exe" --simulate status >"$WINEPREFIX/status.txt" ||
  fail "the installed zt40ctl.exe --simulate status failed"
grep -q '^status: 0x0001 (ready)' "$WINEPREFIX/status.txt" || { cat "$WINEPREFIX/status.txt"; fail "no ready status"; }
[[ -s $data_dir/zt40util-samples.csv ]] || fail "the installed program wrote no counter sample into $data_dir"
# A usage record, as a wizard leaves one.
printf 'o20261208\r\n0:168000, 2, 56000\r\n' >"$data_dir/zt40util.txt"
cp "$data_dir/zt40util.txt" "$WINEPREFIX/record-before"
cp "$data_dir/zt40util-samples.csv" "$WINEPREFIX/samples-before"

# The quiet uninstall command as "Apps & features" runs it. The uninstaller works from a copy of
# itself and returns at once: wait for it to finish.
"$emulator" "C:\\Program Files\\ZT-40 Pinwarden\\uninstall.exe" /S || fail "the silent uninstaller ended with status $?"
for _ in $(seq 300); do [[ -e $install_dir ]] || break; sleep 0.1; done
wineserver -w
for program in "${programs[@]}" uninstall.exe; do
  [[ ! -e $install_dir/$program ]] || fail "$program is still in $install_dir"
done
[[ ! -e $install_dir ]] || fail "$install_dir is left behind"
[[ ! -e $start_menu ]] || fail "the Start-menu entry is left behind"
registration >/dev/null && fail "the uninstall key is left behind"
cmp "$WINEPREFIX/record-before" "$data_dir/zt40util.txt" || fail "the usage record did not survive the uninstall"
cmp "$WINEPREFIX/samples-before" "$data_dir/zt40util-samples.csv" || fail "the counter samples did not survive"
echo "installed ${programs[*]} silently, ran zt40ctl.exe from Program Files, uninstalled them; the records stay"
