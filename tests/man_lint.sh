#!/usr/bin/env bash
# Each man page renders without a single warning from man and troff.
#   man_lint.sh PAGE...
set -u
passed=0 failed=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  if [ -z "$warnings" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $page:"; echo "$warnings"; fi
done
echo "man pages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
