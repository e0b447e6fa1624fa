#!/usr/bin/env bash
# lintian on the Debian packages made from BUILD: no error and no warning, pedantic tags included,
# and every override says why (a comment heads each block of the overrides file).
#   lintian.sh SOURCE BUILD        exits 77 (skipped) when lintian is not installed
set -u
source=$1 build=$2
command -v lintian > /dev/null || { echo "lintian is not installed"; exit 77; }
. "$(dirname "$0")/checks.sh"

packages DEB
lintian --pedantic --info --show-overrides "$work"/out/*.deb "$work"/out/*.ddeb > "$work/lintian.txt" 2>&1
status=0
if grep -E '^(E|W|P):' "$work/lintian.txt"; then status=1; fi
if ! awk '/^#/ { reason = 1; next } /^$/ { reason = 0; next } !reason { print "override without a reason: " $0; bad = 1 }
          END { exit bad }' "$source/packaging/lintian-overrides"; then status=1; fi
[ "$status" -eq 0 ] || cat "$work/lintian.txt"
echo "lintian: $(grep -c '^O:' "$work/lintian.txt") overridden, status $status"
exit $status
