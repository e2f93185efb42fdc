# shellcheck shell=bash
# Numbered, timed steps for the scripts, sourced through lib.sh. Each step
# prints one line when it ends, "[4/12] what it did … ok (38 s)", and keeps
# its whole output in a log under build/logs/SCRIPT/, shown (its last lines
# and the log's path) only when it fails. The run stops at the first failing
# step and ends with a table of the steps, their results and figures, and a
# last line "N passed, N failed". With --verbose, or in CI (CI=true: CI keeps
# no files, so its log must hold everything), each step's output streams as
# it runs as well.

# Set by steps_begin.
STEPS_LOGS=
STEPS_TOTAL=0
STEPS_DONE=0
STEPS_PASSED=0
STEP_ROWS=()

# The scripts a step runs inherit --verbose.
steps_verbose() {
    [ "${CI:-}" = true ] || [ "${STEPS_VERBOSE:-}" = yes ]
}

# steps_begin NAME TOTAL: logs go to build/logs/NAME; TOTAL steps follow.
steps_begin() {
    STEPS_LOGS=$ROOT/build/logs/$1
    STEPS_TOTAL=$2
    STEPS_DONE=0
    STEPS_PASSED=0
    STEP_ROWS=()
    rm -rf "$STEPS_LOGS"
    mkdir -p "$STEPS_LOGS"
    if steps_verbose; then
        echo "(streaming every step's output; logs under ${STEPS_LOGS#"$ROOT"/})"
    else
        echo "(each step's output is in ${STEPS_LOGS#"$ROOT"/}; --verbose streams it)"
    fi
}

# "1 min 05 s" or "38 s".
duration() {
    if [ "$1" -ge 60 ]; then
        printf '%d min %02d s' $(($1 / 60)) $(($1 % 60))
    else
        printf '%d s' "$1"
    fi
}

# The arguments joined by ", ".
join_figures() {
    local out='' item
    for item in "$@"; do
        out+=${out:+, }$item
    done
    echo "$out"
}

# Says every 30 s that a step is still running, for how long, and the last
# line it wrote: what it is waiting for (a package being unpacked, the Wine
# prefix, qemu), rather than going silent. A process of its own, whose
# sleep goes with it: a sleep left behind would hold the script's output
# open, and whatever reads it would wait.
# shellcheck disable=SC2016 # the program expands its own arguments
STEP_TICKER='
    trap "kill \$sleeper 2>/dev/null; exit 0" TERM
    waited=0
    while :; do
        sleep 30 &
        sleeper=$!
        wait $sleeper
        waited=$((waited + 30))
        last=
        [ -s "$3" ] && last=$(tail -n 1 "$3")
        last=${last//$'"'"'\r'"'"'/}
        printf "      [%s] %s: still running after %s%s\n" "$1" "$2" "$(duration $waited)" \
            "${last:+ (${last:0:90})}"
    done'

# step TITLE FIGURES COMMAND [ARGUMENTS...]: runs COMMAND in a subshell, as
# the script would with errexit, its output in the step's log. FIGURES is a
# command (a function and its first arguments, or -) that prints the step's
# figures; it is given the log's path last. A step that must leave state
# behind for the later ones writes it to a file the script then reads.
step() {
    local title=$1 figures=$2 number log started status seconds result=ok text=''
    shift 2
    STEPS_DONE=$((STEPS_DONE + 1))
    number=$STEPS_DONE
    local slug=${title,,}
    slug=${slug//[^a-z0-9]/-}
    log=$STEPS_LOGS/$(printf '%02d' "$number")-${slug:0:40}.log
    started=$SECONDS
    # The step runs in the background with its output in its log, read from
    # there while it runs; a pipe would let whatever the step leaves running
    # (a Wine server) hold the run up.
    : >"$log"
    (set -e; "$@") >>"$log" 2>&1 &
    local pid=$! watcher
    if steps_verbose; then
        printf '\n[%d/%d] %s\n' "$number" "$STEPS_TOTAL" "$title"
        tail -n +1 -f --pid="$pid" "$log" &
    else
        (export -f duration; exec bash -c "$STEP_TICKER" _ "$number/$STEPS_TOTAL" "$title" "$log") &
    fi
    watcher=$!
    set +e
    wait "$pid"
    status=$?
    if steps_verbose; then
        wait "$watcher"  # tail ends once it has shown all the step wrote
    else
        kill "$watcher" 2>/dev/null
        wait "$watcher" 2>/dev/null
    fi
    set -e
    seconds=$((SECONDS - started))
    if [ "$status" -ne 0 ]; then
        result=FAILED
    elif [ "$figures" != - ]; then
        local command
        read -ra command <<<"$figures"
        text=$("${command[@]}" "$log" 2>/dev/null) || text=
    fi
    printf '[%d/%d] %s … %s (%s)\n' "$number" "$STEPS_TOTAL" "$title" "$result" "$(duration "$seconds")"
    STEP_ROWS+=("$number|$title|$result|$(duration "$seconds")|$text")
    if [ "$status" -eq 0 ]; then
        STEPS_PASSED=$((STEPS_PASSED + 1))
        return 0
    fi
    if ! steps_verbose; then
        echo "---- the last 40 lines of its output:"
        tail -n 40 "$log"
        echo "----"
    fi
    echo "its whole output: ${log#"$ROOT"/}"
    steps_end
    exit 1
}

# The table of the steps run so far and the closing line.
steps_end() {
    local row number title result time text failed
    echo
    printf '%-3s %-60s %-7s %-11s %s\n' '' step result time figures
    for row in "${STEP_ROWS[@]}"; do
        IFS='|' read -r number title result time text <<<"$row"
        printf '%-3s %-60s %-7s %-11s %s\n' "$number" "${title:0:60}" "$result" "$time" "$text"
    done
    failed=$((STEPS_DONE - STEPS_PASSED))
    if [ "$STEPS_DONE" -lt "$STEPS_TOTAL" ]; then
        echo "($((STEPS_TOTAL - STEPS_DONE)) of $STEPS_TOTAL steps not run)"
    fi
    echo "total time $(duration "$SECONDS")"
    echo "$STEPS_PASSED passed, $failed failed"
}

# Figures read from a step's log (the log's path comes last).

# "3 installed" or "all present", from install_missing's line.
figures_packages() {
    local line
    line=$(grep -m1 '^== installing ' "$1") || { echo "all present"; return; }
    read -ra line <<<"${line#== installing }"
    echo "${#line[@]} installed"
}

# Tests passed of all, over every CTest run in the log; with a build folder
# before the log, also the Win32 host's checks and the Wine benchmark's
# ratio from that folder's last CTest log.
figures_ctest() {
    local log=${!#} passed=0 all=0 line numbers checks=0 ratio=''
    while IFS= read -r line; do
        if [[ $line =~ tests\ passed,\ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
            all=$((all + BASH_REMATCH[2]))
            passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
        fi
    done <"$log"
    numbers="$passed/$all tests"
    if [ $# -gt 1 ] && [ -f "$1/Testing/Temporary/LastTest.log" ]; then
        while IFS= read -r line; do
            if [[ $line =~ ^host_test:\ ([0-9]+)\ passed ]]; then
                checks=$((checks + BASH_REMATCH[1]))
            elif [[ $line =~ ^median\ ratio:\ ([0-9.]+) ]]; then
                ratio=${BASH_REMATCH[1]}
            fi
        done <"$1/Testing/Temporary/LastTest.log"
        [ "$checks" -gt 0 ] && numbers+=", $checks host checks"
        [ -n "$ratio" ] && numbers+=", Wine ratio $ratio"
    fi
    echo "$numbers"
}

# Inputs run per fuzz target.
figures_fuzz() {
    local line target='' numbers=()
    while IFS= read -r line; do
        if [[ $line =~ ^==\ fuzzing\ ([a-z]+) ]]; then
            target=${BASH_REMATCH[1]}
        elif [[ $line =~ ^stat::number_of_executed_units:\ ([0-9]+) ]]; then
            numbers+=("$target ${BASH_REMATCH[1]} inputs")
        fi
    done <"$1"
    join_figures "${numbers[@]}"
}

# The sizes of the DLLs in the build folders given before the log.
figures_dlls() {
    local dir sizes=()
    for dir in "${@:1:$#-1}"; do
        [ -f "$dir/PositionWindow.dll" ] && sizes+=("${dir#"$ROOT"/build/} $(stat -c %s "$dir/PositionWindow.dll") B")
    done
    join_figures "${sizes[@]}"
}

# The log's last line that matches the pattern given before it, without
# the pattern's match.
figures_line() {
    local line found=''
    while IFS= read -r line; do
        [[ $line =~ $1 ]] && found=${line#"${BASH_REMATCH[0]}"}
    done <"$2"
    echo "$found"
}
