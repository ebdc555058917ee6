#!/usr/bin/env bash
# Installs the built package on this machine, checks that the installed programs run from
# their installed paths, then purges it and checks that only the record folder is left.
# Usage: check-package.sh [DEB_DIR] (default: dist).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deb_dir=$(cd "${1:-$here/dist}" && pwd)
package=zt40-pinwarden
record_dir="/var/lib/Velmora Corporation/ZT-40 Pinwarden"
company_dir=${record_dir%/*}

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

work=$(mktemp -d)
cupsd_pid=
cleanup() {
  [[ -n $cupsd_pid ]] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q installed; then
  echo "$package is left from an earlier run: purging it first"
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package"
fi
# An empty record folder left by an earlier run goes, so that its creation is checked too;
# one holding records stays as it is.
rmdir "$record_dir" "$company_dir" 2>/dev/null || true
record_dir_before=no
[[ -d $company_dir ]] && record_dir_before=yes

step "Shipped files: desktop entry and AppStream metadata"
dpkg-deb -x "$deb_dir"/${package}_*.deb "$work/unpacked"
desktop-file-validate "$work"/unpacked/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$work"/unpacked/usr/share/metainfo/*.metainfo.xml

step "apt-get install"
# Without recommends: the check is about this package's own dependencies, and the machine
# keeps no more than it had.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb_dir"/${package}_*.deb
dpkg-query -L "$package" > "$work/files"
[[ -d $record_dir ]] || fail "the record folder $record_dir was not created"
if [[ $record_dir_before == no ]]; then
  for level in "$company_dir" "$record_dir"; do
    [[ $(stat -c %a "$level") == 1777 ]] || fail "the record folder $level is mode $(stat -c %a "$level"), not 1777"
  done
fi

step "zt40ctl --simulate status"
command -v zt40ctl | grep -qx /usr/bin/zt40ctl || fail "zt40ctl is not /usr/bin/zt40ctl"
timeout 30 zt40ctl --simulate status > "$work/status.txt" || fail "zt40ctl --simulate status failed"
cat "$work/status.txt"
[[ -s $work/status.txt ]] || fail "zt40ctl --simulate status printed nothing"

step "an unprivileged user may keep records in the installed record folder"
# Without a home folder the user has no private fall-back: only the shared folder will do.
runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME=/nonexistent timeout 30 zt40ctl --simulate doctor |
  tee "$work/doctor.txt" || fail "zt40ctl --simulate doctor failed for the user nobody"
grep -Fq "the record folder $record_dir is writable" "$work/doctor.txt" ||
  fail "the user nobody cannot use $record_dir"

step "zt40util --simulate stays up offscreen"
QT_QPA_PLATFORM=offscreen zt40util --simulate > "$work/util.log" 2>&1 &
util_pid=$!
sleep 5
if ! kill -0 "$util_pid" 2>/dev/null; then
  wait "$util_pid" || true
  cat "$work/util.log" >&2
  fail "zt40util --simulate ended within 5 s"
fi
kill "$util_pid"
wait "$util_pid" 2>/dev/null || true

step "the installed zt40util finds its Japanese edition"
edition() { env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$1" QT_QPA_PLATFORM=offscreen timeout 30 zt40util --print-edition; }
edition ja_JP.UTF-8 | tee "$work/edition-ja"
grep -qx 'edition: ja' "$work/edition-ja" || fail "LANG=ja_JP.UTF-8 does not give the Japanese edition"
grep -Eq '^areas: .*\bmain\b' "$work/edition-ja" || fail "the Japanese translations are not found"
grep -qx 'qt standard texts: yes' "$work/edition-ja" || fail "Qt's own Japanese texts are not found"
edition C.UTF-8 | grep -qx 'edition: en' || fail "LANG=C.UTF-8 does not give the English edition"

step "lpinfo -m on a private cupsd lists the driver"
# The machine's own cupsd is never asked: a cupsd of our own, on a socket in a temporary folder.
mkdir -p "$work/cups/conf" "$work/cups/spool/tmp" "$work/cups/cache" "$work/cups/state" "$work/cups/log"
chmod 0755 "$work" "$work/cups"
cat > "$work/cups/conf/cups-files.conf" <<CONF
ServerRoot $work/cups/conf
RequestRoot $work/cups/spool
TempDir $work/cups/spool/tmp
CacheDir $work/cups/cache
StateDir $work/cups/state
AccessLog $work/cups/log/access_log
ErrorLog $work/cups/log/error_log
PageLog $work/cups/log/page_log
Printcap $work/cups/state/printcap
SystemGroup root
CONF
cat > "$work/cups/conf/cupsd.conf" <<CONF
Listen $work/cups/cups.sock
LogLevel warn
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cupsd -f -c "$work/cups/conf/cupsd.conf" -s "$work/cups/conf/cups-files.conf" &
cupsd_pid=$!
for _ in $(seq 100); do [[ -S $work/cups/cups.sock ]] && break; sleep 0.1; done
[[ -S $work/cups/cups.sock ]] || fail "the private cupsd did not start: $(cat "$work"/cups/log/error_log 2>/dev/null)"
export CUPS_SERVER=$work/cups/cups.sock
timeout 60 lpinfo -m > "$work/models"
# The name docs/linux-printer.md and zt40ctl doctor tell operators to give lpadmin -m.
grep -x 'velmora/velmora-zt40.ppd Velmora ZT-40' "$work/models" ||
  fail "lpinfo -m does not list the Velmora ZT-40 driver as velmora/velmora-zt40.ppd: $(grep -i velmora "$work/models")"

step "a queue added with the installed driver has the driver and port the installed zt40ctl looks for"
timeout 60 lpadmin -p ZT40 -E -v 'usb://Velmora/ZT-40?serial=CHECK' -m velmora/velmora-zt40.ppd
timeout 30 zt40ctl queues | tee "$work/queues"
# No printer is plugged in, so the queue reads offline; driver and port are what must match.
grep -Eq '^ZT40 +Velmora ZT-40 +USB://Velmora/ZT-40\?serial=CHECK ' "$work/queues" ||
  fail "zt40ctl queues does not see the queue made with the installed driver as a ZT-40 USB queue"
unset CUPS_SERVER
kill "$cupsd_pid"; wait "$cupsd_pid" 2>/dev/null || true; cupsd_pid=

step "apt-get purge"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package"
dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'installed' && fail "$package is still installed"
left=()
while IFS= read -r path; do
  [[ $path == /. ]] && continue
  # Folders the package shares with others (/usr/bin, ...) stay; its own files and folders go.
  # A folder it ships may be a link on this system (/lib -> usr/lib on a merged /usr).
  if [[ -d $path ]]; then
    dpkg-query -S "$path" >/dev/null 2>&1 && continue
    [[ -n $(ls -A "$path") ]] && continue
  fi
  [[ -e $path || -L $path ]] && left+=("$path")
done < "$work/files"
((${#left[@]} == 0)) || fail "left after purge: ${left[*]}"
[[ -d $record_dir ]] || fail "the purge removed the record folder"
echo "package check passed"
