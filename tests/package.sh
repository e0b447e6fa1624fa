#!/usr/bin/env bash
# The Debian packages: made with cpack from BUILD, unpacked into a scratch root, and used from there.
#   package.sh SOURCE BUILD
set -u
source=$1 build=$2
. "$(dirname "$0")/checks.sh"

packages DEB
deb=$(ls "$work"/out/console-programs_*.deb)
dbgsym=$(ls "$work"/out/console-programs-dbgsym_*.ddeb)
dpkg -x "$deb" "$work/root"
dpkg -x "$dbgsym" "$work/root"

for program in numspell birthspan textpass; do
  check "$program installed" test -x "$work/root/usr/bin/$program"
  check "$program stripped" sh -c "! readelf -S '$work/root/usr/bin/$program' | grep -q '\.debug_info'"
  check "$program man page" test -s "$work/root/usr/share/man/man1/$program.1.gz"
  # Its debug information is in the dbgsym package, under its build ID, as addr2line looks for it.
  id=$(readelf -n "$work/root/usr/bin/$program" | sed -n 's/.*Build ID: //p')
  check "$program debug information" test -s "$work/root/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
  check "$program: no build path" sh -c "! grep -qaF '$source' '$work/root/usr/bin/$program' '$work/root/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug'"
done
check "package metadata" sh -c "dpkg-deb -f '$deb' Package Version Architecture | grep -q '^Package: console-programs'"
check "copyright and changelog" test -s "$work/root/usr/share/doc/console-programs/copyright" -a -s "$work/root/usr/share/doc/console-programs/changelog.gz"
check "dbgsym depends on its package" sh -c "dpkg-deb -f '$dbgsym' Depends | grep -qx 'console-programs (= 1.0.0)'"

printf '77\r\n' > "$work/in"
printf 'K\x82rek egy 0-99 k\x94z\x82 es\x94 sz\xA0mot: \r\nsoixante-dix-sept\r\n' > "$work/expected"
"$work/root/usr/bin/numspell" < "$work/in" > "$work/out.txt"; rc=$?
check "numspell runs from the package" cmp -s "$work/expected" "$work/out.txt"
check "numspell exit code" test "$rc" -eq 0
check "man page renders" sh -c "LC_ALL=C.UTF-8 MANWIDTH=80 man -l '$work/root/usr/share/man/man1/numspell.1.gz' | grep -q 'soixante-dix-sept'"

# A report address of the packaged program, looked up in the dbgsym package's information.
address=$(printf 'abc\r\n' | "$work/root/usr/bin/numspell" | sed -n 's/^Runtime error 106 at \(0x[0-9A-F]*\)\r$/\1/p')
id=$(readelf -n "$work/root/usr/bin/numspell" | sed -n 's/.*Build ID: //p')
where=$(addr2line -i -e "$work/root/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" "$address")
check "addr2line finds the statement" grep -qE '^(\./)?numspell/numspell.cpp:[0-9]' <<< "$where"

summary package
