#!/usr/bin/env bash
# The Windows zip: made with cpack from BUILD, unpacked, and its contents checked: the three
# programs in the expected PE format with the hardening flags, the README as text, the licence.
# With an emulator, numspell runs from the unpacked folder.
#   zip.sh BUILD OBJDUMP FORMAT NAME [EMULATOR...]     FORMAT: pei-i386 or pei-x86-64; NAME: win32 or win64
set -u
build=$1 objdump=$2 format=$3 name=$4; shift 4
. "$(dirname "$0")/checks.sh"

packages ZIP
zip=$work/out/console-programs-1.0.0-$name.zip
check "$(basename "$zip") made" test -s "$zip"
(cd "$work" && unzip -q "$zip")
dir=$work/console-programs-1.0.0-$name
check "contents" sh -c "cd '$dir' && ls | sort | tr '\n' ' ' | grep -qx 'LICENSE.txt README.txt birthspan.exe numspell.exe textpass.exe '"
check "README is the README" cmp -s "$dir/README.txt" "$(dirname "$0")/../README.md"
check "licence" grep -q '^MIT License' "$dir/LICENSE.txt"
flags='DYNAMIC_BASE NX_COMPAT'
[ "$name" = win64 ] && flags="HIGH_ENTROPY_VA $flags"
for program in numspell birthspan textpass; do
  headers=$("$objdump" -p "$dir/$program.exe")
  check "$program.exe format" grep -q "file format $format\$" <<< "$headers"
  for flag in $flags; do
    check "$program.exe $flag" grep -qE "^[[:space:]]+$flag\$" <<< "$headers"
  done
done

if [ $# -gt 0 ]; then
  printf '77\r\n' > "$work/in"
  printf 'K\x82rek egy 0-99 k\x94z\x82 es\x94 sz\xA0mot: \r\nsoixante-dix-sept\r\n' > "$work/expected"
  (cd "$dir" && timeout 60 "$@" ./numspell.exe < "$work/in" > "$work/actual" 2> /dev/null)
  check "numspell.exe runs from the zip" cmp -s "$work/expected" "$work/actual"
fi
summary zip
