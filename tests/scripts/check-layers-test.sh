#!/usr/bin/env bash
# Plants one include at a time in a small tree of the product's folders, then each fault the check
# must catch in a copy of the real tree, and checks that the layer check passes or fails as the
# layers say. Argument: the check script (its tree is the one copied).
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

# The ways the check was once fooled, each planted in a copy of the real tree: a line added to a
# file, or a link taken out of a CMakeLists.txt; each must fail with its own reason.
source_tree=$(cd "$(dirname "$check")/.." && pwd)
mkdir -p "$work/real"
tar -C "$source_tree" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work/real" -xf -
# planted  description  file  sed-script  expected message
planted() {
  rm -rf "$work/case"; cp -a "$work/real" "$work/case"
  sed -i "$3" "$work/case/$2"
  if bash "$check" "$work/case" >"$work/out" 2>&1 || ! grep -qF -- "$4" "$work/out"; then
    echo "FAILED: $1: expected a failure saying: $4"; sed 's/^/    /' "$work/out"
    failures=$((failures + 1))
  else
    echo "ok: $1 (fail)"
  fi
}
planted "an angle include upward" record/UsageHistory.cpp '1i #include <app/CPinwardenDlg.h>' \
  "record/UsageHistory.cpp:1: includes <app/CPinwardenDlg.h>: 'app' (dialog logic) lies above 'record'"
planted "shipped code including a test double" session/Outcome.cpp '1i #include "tests/support/FakeClock.h"' \
  "session/Outcome.cpp:1: includes tests/support/FakeClock.h: shipped code never includes the tests' own files"
planted "windows.h in the core" record/UsageHistory.cpp '1i #include <windows.h>' \
  "record/UsageHistory.cpp:1: includes <windows.h>: a Windows header, allowed only in"
planted "a header of a library the target does not link" CMakeLists.txt \
  's/^target_link_libraries(zt40_wiring PUBLIC zt40_app /target_link_libraries(zt40_wiring PUBLIC zt40_session /' \
  "wiring/RealPlatform.h:9: includes app/Doctor.h, a header of zt40_app, which zt40_wiring does not link"
planted "a test program linking less than its folder includes" tests/CMakeLists.txt \
  's/^zt40_test_folder(record zt40_record_wiring)/zt40_test_folder(record zt40_record)/' \
  "a header of zt40_record_wiring, which test_record does not link"
if bash "$check" "$work/real" >"$work/out" 2>&1; then
  echo "ok: the tree as it is (pass)"
else
  echo "FAILED: the tree as it is"; sed 's/^/    /' "$work/out"; failures=$((failures + 1))
fi

if ((failures)); then
  echo "$failures case(s) failed"; exit 1
fi
echo "all cases as expected"
