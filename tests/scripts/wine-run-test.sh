#!/usr/bin/env bash
# The wine wrapper against a stand-in `wine` that behaves as told: only a start that failed
# without a byte of output is tried again; a program that ran keeps its status and its words.
# Argument: the wrapper.
set -uo pipefail
wrapper=${1:?usage: wine-run-test.sh path/to/wine-run.sh}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each start takes the next line of the plan: "status stdout stderr" ("-" for nothing).
cat >"$work/wine" <<'STANDIN'
#!/usr/bin/env bash
n=$(($(cat "$PLAN.count" 2>/dev/null || echo 0) + 1))
echo "$n" >"$PLAN.count"
read -r status out err < <(sed -n "${n}p" "$PLAN")
[[ $out == - ]] || echo "$out"
[[ $err == - ]] || echo "$err" >&2
exit "$status"
STANDIN
chmod +x "$work/wine"

failures=0
# expect  description  plan  status  starts  stdout  stderr-contains
expect() {
  local what=$1 plan=$2 want_status=$3 want_starts=$4 want_out=$5 want_err=$6
  printf '%b' "$plan" >"$work/plan"
  rm -f "$work/plan.count"
  local out err status
  out=$(PATH="$work:$PATH" PLAN="$work/plan" "$wrapper" prog.exe 2>"$work/err")
  status=$?
  err=$(cat "$work/err")
  local starts
  starts=$(cat "$work/plan.count")
  if [[ $status != "$want_status" || $starts != "$want_starts" || $out != "$want_out" || $err != *"$want_err"* ]]; then
    echo "FAIL: $what: status $status starts $starts out '$out' err '$err'"
    failures=$((failures + 1))
  fi
}

expect "runs once when it passes" "0 passed -\n" 0 1 "passed" ""
expect "a silent failed start is tried again" "1 - -\n0 second -\n" 0 2 "second" "did not start"
expect "a second silent failure stands" "3 - -\n3 - -\n" 3 2 "" "did not start"
expect "a failure that said something is not rerun" "1 - broken\n0 never -\n" 1 1 "" "broken"
expect "a failure with output only is not rerun" "2 partial -\n0 never -\n" 2 1 "partial" ""
expect "a silent success is not rerun" "0 - -\n0 never -\n" 0 1 "" ""

[[ $failures == 0 ]] && echo "all wrapper cases passed"
exit $((failures > 0))
