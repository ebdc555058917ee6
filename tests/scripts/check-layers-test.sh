#!/usr/bin/env bash
# Plants one include at a time in a small tree of the product's folders and checks that the
# layer check passes or fails as the layers say. Argument: the check script.
set -uo pipefail
check=${1:?usage: check-layers-test.sh path/to/check-layers.sh}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The tree every case starts from: one header per folder, each including nothing.
base() {
  rm -rf "$work/tree"
  local folder
  for folder in platform/os platform types device printjob record session wizards app platform/linux platform/sim \
                wiring ui ctl bench tests; do
    mkdir -p "$work/tree/$folder"
    printf '#pragma once\n' >"$work/tree/$folder/A.h"
  done
  mkdir -p "$work/tree/printjob/resources/generator"
  printf '#include "JobWriter.h"\n' >"$work/tree/printjob/resources/generator/main.cpp"
}

# expect  pass|fail  description  file  include...
failures=0
expect() {
  local want=$1 what=$2 file=$3
  shift 3
  base
  mkdir -p "$(dirname "$work/tree/$file")"
  [[ -f "$work/tree/$file" ]] || printf '#pragma once\n' >"$work/tree/$file"
  local include
  for include in "$@"; do printf '#include "%s"\n' "$include" >>"$work/tree/$file"; done
  local got=pass
  bash "$check" "$work/tree" >"$work/out" 2>&1 || got=fail
  if [[ $got != "$want" ]]; then
    echo "FAILED: $what: expected $want, got $got"; sed 's/^/    /' "$work/out"
    failures=$((failures + 1))
  else
    echo "ok: $what ($got)"
  fi
}

expect pass "nothing included"                         device/A.h
expect pass "one layer down"                           record/A.h        platform/A.h
expect pass "several layers down"                      app/A.h           session/A.h device/A.h platform/A.h
expect pass "a program reaches a backend"              ctl/A.h           platform/linux/A.h wiring/A.h
expect pass "within a folder"                          device/B.cpp      device/A.h
expect pass "a relative include within a folder"       device/B.cpp      A.h
expect pass "tests may include anything"               tests/A.h         ctl/A.h app/A.h
expect pass "the build-time generator stands apart"    printjob/resources/generator/x.cpp  ../../../app/A.h
expect pass "plain types see the platform interfaces" types/B.h platform/A.h
expect fail "the interfaces reaching the plain types" platform/B.h types/A.h
expect pass "the interfaces use the system's calls"   platform/B.cpp    platform/os/A.h
expect pass "a backend uses the system's calls"       platform/sim/B.cpp platform/os/A.h
expect pass "one system's calls within their folder"  platform/os/win32/B.cpp platform/os/A.h
expect fail "the system's calls reaching the interfaces" platform/os/B.h platform/A.h
expect fail "the system's calls reaching a backend"   platform/os/posix/B.cpp platform/linux/A.h
expect fail "one layer up"                             record/A.h        session/A.h
expect fail "the record reaching the dialog"           record/B.h        app/A.h
expect fail "the core reaching a backend"              session/B.h       platform/sim/A.h
expect fail "a backend reaching the protocol"          platform/sim/B.h  device/A.h
expect fail "the bottom reaching the protocol"         platform/B.h      device/A.h
expect fail "siblings on one layer"                    device/B.h        printjob/A.h
expect fail "one program reaching another"             ui/B.h            ctl/A.h
expect fail "a folder with no layer"                   newfolder/A.cpp   platform/A.h
expect fail "a relative include upward"                record/B.cpp      ../app/A.h

# Two files of one folder that include each other.
base
printf '#include "device/B.h"\n' >>"$work/tree/device/A.h"
printf '#pragma once\n#include "device/A.h"\n' >"$work/tree/device/B.h"
if bash "$check" "$work/tree" >"$work/out" 2>&1 || ! grep -q 'include loop' "$work/out"; then
  echo "FAILED: an include loop inside a folder passed"; failures=$((failures + 1))
else
  echo "ok: an include loop inside a folder (fail)"
fi

if ((failures)); then
  echo "$failures case(s) failed"; exit 1
fi
echo "all cases as expected"
