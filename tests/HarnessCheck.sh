#!/bin/sh
# Usage: HarnessCheck.sh TEST_PROGRAM. Runs the program's deliberately failing test as CTest
# runs every suite; passes only if the run fails and its output names the failing test.
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
if "$1" --gtest_brief=1 --gtest_also_run_disabled_tests \
    --gtest_filter=Harness.DISABLED_AFailingAssertionNamesItsTest >"$log" 2>&1; then
    echo "a failing assertion let its program pass"
    exit 1
fi
grep -q 'FAILED  \] Harness.DISABLED_AFailingAssertionNamesItsTest' "$log" ||
    { echo "a failing test was not named:"; cat "$log"; exit 1; }
