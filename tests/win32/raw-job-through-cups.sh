#!/usr/bin/env bash
# A raw job from zt40ctl.exe through wine's spooler to a private cupsd: the document cupsd
# received is the embedded jobs themselves, byte for byte.
#   raw-job-through-cups.sh EMULATOR PROGRAM
# Exit status 77: skipped (no cupsd, or not root: the private spool is owned by lp).
set -euo pipefail
emulator=$1
program=$2

for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || PATH=$PATH:/usr/sbin
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[[ $(id -u) -eq 0 ]] || { echo "skipped: the private cupsd runs as root"; exit 77; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/zt40-wine-cupsd.XXXXXX")
chmod 755 "$dir"
mkdir -p "$dir"/{conf,bin,data,spool/tmp,cache,state,log}
for sub in backend filter daemon notifier monitor driver cgi-bin; do
  [[ -d /usr/lib/cups/$sub ]] && ln -s "/usr/lib/cups/$sub" "$dir/bin/$sub"
done
for entry in /usr/share/cups/*; do ln -s "$entry" "$dir/data/"; done
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir/conf
ServerBin $dir/bin
DataDir $dir/data
DocumentRoot $dir/data
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
SystemGroup root
User lp
CONF
cat >"$dir/cupsd.conf" <<CONF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER=$dir/cups.sock
cleanup() {
  lpadmin -x ZT40RAW 2>/dev/null || true
  kill "$cupsd_pid" 2>/dev/null || true
  wait "$cupsd_pid" 2>/dev/null || true
  # The next program under wine drops the queue that CUPS no longer has.
  "$emulator" "$program" queues >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap cleanup EXIT
# lpstat -r exits 0 whether or not a scheduler answers: only its words tell.
scheduler_runs() { [[ $(LC_ALL=C lpstat -r 2>/dev/null) == "scheduler is running" ]]; }
for _ in $(seq 100); do scheduler_runs && break; sleep 0.1; done
scheduler_runs || { echo "the private cupsd did not answer within 10 s:"; cat "$dir/log/error_log" 2>/dev/null; exit 1; }
lpadmin -p ZT40RAW -E -v file:///dev/null -m raw 2> >(grep -v -i deprecated >&2)

# Wine's spooler lists the server's queues when a program starts.
queues=$("$emulator" "$program" queues)
grep -q '^ZT40RAW ' <<<"$queues" || { echo "wine's spooler does not list the private queue:"; echo "$queues"; exit 1; }
"$emulator" "$program" --queue ZT40RAW print-letters 9
{ "$emulator" "$program" export-job 161; "$emulator" "$program" export-job 171; } >"$dir/expected"

expected_size=$(stat -c %s "$dir/expected")
received=$dir/spool/d00001-001
for _ in $(seq 200); do
  [[ -f $received && $(stat -c %s "$received") -ge $expected_size ]] && break
  sleep 0.1
done
[[ -f $received ]] || { echo "cupsd received no document"; exit 1; }
cmp "$dir/expected" "$received"
echo "cupsd received the $expected_size bytes of resources 161 and 171 unchanged"
