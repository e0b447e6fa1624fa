#!/usr/bin/env bash
# Checks that Windows executables are of the expected format and import from system DLLs only:
# no C++, GCC or threads run-time DLL has to travel beside them.
#   pe_imports.sh OBJDUMP FORMAT EXE...      FORMAT: pei-i386 or pei-x86-64
set -u
objdump=$1 format=$2; shift 2
allowed='^(KERNEL32|msvcrt)\.dll$'
passed=0 failed=0
for exe in "$@"; do
  headers=$("$objdump" -p "$exe") || { failed=$((failed + 1)); continue; }
  dlls=$(sed -n 's/^\tDLL Name: //p' <<< "$headers")
  bad=$(grep -viE "$allowed" <<< "$dlls")
  if grep -q "file format $format\$" <<< "$headers" && [ -n "$dlls" ] && [ -z "$bad" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $exe: $(grep -o 'file format .*' <<< "$headers"); imports:" $dlls
  fi
done
echo "pe_imports: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
