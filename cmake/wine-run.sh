#!/usr/bin/env bash
# Runs one Windows program of the build under wine: the job generator, every test.
#
# Now and then (about once in a thousand starts, with several starting at once) wine fails to
# start a program at all: a failure status within a split second and not one byte on either
# output. Such a start, and only such a start, is tried once more, and said on standard error.
# A program that ran and failed is never run again: whatever it wrote, its status stands.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err"
status=$?
if [[ $status -ne 0 && ! -s $out && ! -s $err ]]; then
  echo "wine-run: ${1##*/} did not start (status $status, no output at all); starting it once more" >&2
  wine "$@"
  exit
fi
cat "$out"
cat "$err" >&2
exit "$status"
