#!/usr/bin/env bash
# The hardening of the Linux executables, as far as a static executable shows it: routines with
# local arrays check a stack canary, and the program's own routines begin with a branch target
# mark. (hardening-check looks for an imported __stack_chk_fail and for the CET property of the
# whole image; a static image has neither import, and musl's objects carry no CET property.)
#   hardening.sh EXECUTABLE...
set -u
passed=0 failed=0
for exe in "$@"; do
  code=$(objdump -d --no-show-raw-insn "$exe")
  if grep -qE 'call +[0-9a-f]+ <__stack_chk_fail(@plt)?>' <<< "$code" \
     && awk '/<main>:$/ { getline; ok = /endbr64/; exit } END { exit !ok }' <<< "$code"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); echo "FAIL $exe: no stack canary checks, or main unmarked"
  fi
done
echo "hardening: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
