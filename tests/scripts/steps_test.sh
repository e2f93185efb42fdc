#!/usr/bin/env bash
# The scripts' numbered steps (scripts/steps.sh): a failing step shows its
# output's end and its log and stops the run, with the summary and the
# closing line; --verbose and CI=true stream every step's output; the
# figures read from logs as CTest, the fuzzers and the Win32 host write them.
set -uo pipefail
LIB=$(cd "$(dirname "$0")/../../scripts" && pwd)/lib.sh
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
passed=0 failed=0

pass() { passed=$((passed + 1)); }
fail_case() {  # fail_case NAME MESSAGE
    failed=$((failed + 1))
    echo "FAIL: $1: $2"
}

# A run of three steps in a scratch tree, the second failing unless told
# otherwise; prints what the run printed, then its exit status.
run_steps() {  # run_steps SECOND-STEP-STATUS [environment...]
    # shellcheck disable=SC2016 # the inner script expands its own arguments
    env -u CI "${@:2}" bash -c '
        set -euo pipefail
        source "$1"
        ROOT=$2
        steps_begin selftest 3
        step "says hello" - echo hello
        step "second" "figures_line ^figure:." bash -c "echo figure: 42; echo inner output line; exit $3"
        step "third" - echo third ran
        steps_end' _ "$LIB" "$SCRATCH" "$1"
    echo "exit $?"
}

out=$(run_steps 3)
for expect in "[1/3] says hello … ok" "[2/3] second … FAILED" "inner output line" \
        "its whole output: build/logs/selftest/02-second.log" "(1 of 3 steps not run)"; do
    if [[ $out == *"$expect"* ]]; then
        pass
    else
        fail_case "a failing step: \"$expect\"" "not in the output:"$'\n'"$out"
    fi
done
if [[ $out != *"third ran"* && $out != *"hello"$'\n'* ]]; then
    pass
else
    fail_case "a failing step: nothing else streams, nothing after it runs" "$out"
fi
if [[ $out == *$'\n1 passed, 1 failed\nexit 1' ]]; then
    pass
else
    fail_case "a failing step: the closing line, then status 1" "$out"
fi

out=$(run_steps 0)
if [[ $out == *$'\n3 passed, 0 failed\nexit 0' && $out == *"second"*"ok"*"42"* && $out != *"inner output"* ]]; then
    pass
else
    fail_case "steps that pass: figures in the table, no output" "$out"
fi
for mode in CI=true STEPS_VERBOSE=yes; do
    out=$(run_steps 0 "$mode")
    if [[ $out == *"inner output line"* && $out == *"third ran"* && $out == *$'\n3 passed, 0 failed\nexit 0' ]]; then
        pass
    else
        fail_case "$mode streams every step's output" "$out"
    fi
done

# Figures from logs as the tools write them.
figures_case() {  # NAME EXPECTED FUNCTION [ARGUMENTS...] LOG-TEXT
    local log=$SCRATCH/figures-$RANDOM.log
    printf '%b' "${!#}" >"$log"
    local got
    got=$(bash -c 'source "$1"; shift; "$@"' _ "$LIB" "${@:3:$#-3}" "$log")
    if [ "$got" = "$2" ]; then
        pass
    else
        fail_case "figures: $1" "got '$got', expected '$2'"
    fi
}
mkdir -p "$SCRATCH/build/Testing/Temporary"
printf 'host_test: 499 passed, 0 failed\nmedian ratio: 0.910\nhost_test: 499 passed, 0 failed\n' \
    >"$SCRATCH/build/Testing/Temporary/LastTest.log"
figures_case "two CTest runs, one failure" "30/31 tests" figures_ctest \
    '100% tests passed, 0 tests failed out of 6\n...\n96% tests passed, 1 tests failed out of 25\n'
figures_case "the host's checks and the Wine ratio" "6/6 tests, 998 host checks, Wine ratio 0.910" \
    figures_ctest "$SCRATCH/build" '100% tests passed, 0 tests failed out of 6\n'
figures_case "fuzz inputs per target" "title 360340 inputs, placement 416240 inputs" figures_fuzz \
    '== fuzzing title for 30 s\nstat::number_of_executed_units: 360340\n== fuzzing placement for 30 s\nstat::number_of_executed_units: 416240\n'
figures_case "packages installed" "3 installed" figures_packages '== installing a b:i386 c\nSetting up a\n'
figures_case "packages present" "all present" figures_packages ''

echo "steps_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
