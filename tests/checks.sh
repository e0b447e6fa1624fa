# Sourced by the package checks: a scratch folder, and named checks counted as they run.
#   check NAME COMMAND...      runs COMMAND; a failure is reported with NAME
#   packages GENERATOR         cpack -G GENERATOR from $build into $work/out
#   summary WHAT               prints the counts; its status is the verdict
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $what"; fi
}
packages() {
  (cd "$build" && cpack -G "$1" -B "$work/out" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
}
summary() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
