#!/usr/bin/env bash
# The Debian package: made with cpack from BUILD, unpacked into a scratch root, and used from there.
#   package.sh BUILD
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # NAME COMMAND...
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $name"; fi
}

(cd "$build" && cpack -G DEB -B "$work/out" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
dpkg -x "$deb" "$work/root"

for program in numspell birthspan textpass; do
  check "$program installed" test -x "$work/root/usr/bin/$program"
  check "$program man page" test -s "$work/root/usr/share/man/man1/$program.1"
done
check "package metadata" sh -c "dpkg-deb -f '$deb' Package Version Architecture | grep -q '^Package: console-programs'"

printf '77\r\n' > "$work/in"
printf 'K\x82rek egy 0-99 k\x94z\x82 es\x94 sz\xA0mot: \r\nsoixante-dix-sept\r\n' > "$work/expected"
"$work/root/usr/bin/numspell" < "$work/in" > "$work/out.txt"; rc=$?
check "numspell runs from the package" cmp -s "$work/expected" "$work/out.txt"
check "numspell exit code" test "$rc" -eq 0
check "man page renders" sh -c "LC_ALL=C.UTF-8 MANWIDTH=80 man -l '$work/root/usr/share/man/man1/numspell.1' | grep -q 'soixante-dix-sept'"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
