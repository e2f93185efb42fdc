#!/usr/bin/env bash
# The 32-bit Wine setup of scripts/lib.sh on machines where it cannot run
# 32-bit Wine, without needing such a machine, and its adding of the i386
# architecture for wine32:i386: the checks and the system
# commands are replaced by stubs and apt's and binfmt_misc's folders by
# scratch ones. Each case must end with status 0, say why in its output,
# and change only what it says it changed.
set -uo pipefail
LIB=$(cd "$(dirname "$0")/../../scripts" && pwd)/lib.sh
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
passed=0 failed=0

check() {  # check NAME CONDITION-STATUS MESSAGE
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1: $3"; fi
}

# A qemu that says it is version 10, and none at all.
printf '#!/bin/sh\necho "qemu-i386 version 10.0.2 (Debian 1:10.0.2+ds-1~bpo12+1)"\n' >"$SCRATCH/qemu10"
chmod +x "$SCRATCH/qemu10"

# debian_mirror: the mirror and keyring from either form of apt's sources.
mirror_case() {  # NAME FILE CONTENT EXPECTED
    local etc=$SCRATCH/mirror-$RANDOM
    mkdir -p "$etc/sources.list.d"
    printf '%b' "$3" >"$etc/$2"
    local got
    got=$(APT_ETC=$etc bash -c 'set -euo pipefail; source "$1"; debian_mirror' _ "$LIB")
    [ "$got" = "$4" ]
    check "$1" $? "got '$got', expected '$4'"
}
mirror_case "deb822, security stanza first" sources.list.d/debian.sources \
    'Types: deb\nURIs: http://sec.example/debian-security\nSuites: bookworm-security\n\nTypes: deb\nURIs: http://m.example/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "http://m.example/debian /usr/share/keyrings/debian-archive-keyring.gpg"
mirror_case "one-line sources.list of a fresh install" sources.list \
    '# deb cdrom:[Debian]/ bookworm main\ndeb http://m.example/debian bookworm main\ndeb http://m.example/debian-security bookworm-security main\n' \
    "http://m.example/debian"
mirror_case "one-line with options" sources.list \
    'deb [arch=amd64 signed-by=/k.gpg] http://m.example/debian bookworm main\n' "http://m.example/debian /k.gpg"
mirror_case "no Debian archive" sources.list 'deb http://m.example/debian-security bookworm-security main\n' ""

# enable_wine32 with stubs. Every stubbed system command fails unless the
# case says otherwise; runs_wine32 answers from WINE32_RUNS.
setup_case() {  # NAME EXPECTED-WINE32 OUTPUT-PATTERN [VAR=VALUE...]
    local name=$1 expected=$2 pattern=$3
    shift 3
    local dir=$SCRATCH/case-$RANDOM
    mkdir -p "$dir/apt/sources.list.d" "$dir/binfmt"
    local out status
    # shellcheck disable=SC2016 # the program is for the inner bash, which expands its own variables
    out=$(env APT_ETC="$dir/apt" BINFMT="$dir/binfmt" QEMU_I386="$SCRATCH/absent" "$@" bash -c '
        set -euo pipefail
        source "$1"
        id() { echo "${STUB_UID:-0}"; }
        runs_wine32() { [ "${WINE32_RUNS:-no}" = yes ]; }
        apt-get() { echo "E: stub apt-get $*" >&2; return 100; }
        mount() { return 32; }
        [ -z "${SOURCES:-}" ] || printf "%b" "$SOURCES" >"$APT_ETC/sources.list"
        [ -z "${REGISTER:-}" ] || : >"$BINFMT/register"
        [ -z "${ENTRY:-}" ] || echo enabled >"$BINFMT/qemu-i386"
        enable_wine32
        echo "WINE32=$WINE32"' _ "$LIB" 2>&1)
    status=$?
    check "$name: status" "$status" "exited $status: $out"
    grep -q "^WINE32=$expected\$" <<<"$out"
    check "$name: WINE32" $? "expected WINE32=$expected: $out"
    grep -Eq -- "$pattern" <<<"$out"
    check "$name: says" $? "no line matching '$pattern': $out"
    LAST_DIR=$dir
}
fallback='the 32-bit DLL gets its binary check only and the demo uses the 64-bit DLL'
setup_case "32-bit Wine already runs" yes '^WINE32=yes$' WINE32_RUNS=yes ENTRY=1 REGISTER=1
[ "$(cat "$LAST_DIR/binfmt/qemu-i386")" = enabled ] && [ ! -s "$LAST_DIR/binfmt/register" ]
check "a working entry is left alone" $? "the qemu-i386 entry was touched"
setup_case "not root" no "needs root: $fallback" STUB_UID=1000
setup_case "no qemu, no mirror" no "no Debian mirror .*: $fallback"
setup_case "no qemu, apt-get fails" no "apt-get update failed: $fallback" \
    SOURCES='deb http://m.example/debian bookworm main\n'
[ "$(cat "$LAST_DIR/apt/sources.list.d/$codename-backports.list")" = "deb http://m.example/debian $codename-backports main" ]
check "the backports source is written and said" $? "$(ls -R "$LAST_DIR/apt")"
setup_case "binfmt_misc cannot be mounted" no "cannot mount binfmt_misc .*: $fallback" QEMU_I386="$SCRATCH/qemu10"
setup_case "registered, Wine still fails" no "still does not run .*: $fallback" \
    QEMU_I386="$SCRATCH/qemu10" REGISTER=1 ENTRY=1
grep -q ":qemu-i386:M::.*:$SCRATCH/qemu10:F\$" "$LAST_DIR/binfmt/register" && [ "$(cat "$LAST_DIR/binfmt/qemu-i386")" = -1 ]
check "a stale entry is replaced by a registration of the new qemu" $? "$(cat "$LAST_DIR/binfmt/register" "$LAST_DIR/binfmt/qemu-i386")"

# install_missing with dpkg, dpkg-query and apt-get stubbed: a list that
# needs wine32:i386 on a machine without the i386 architecture must add it
# before apt-get runs, every time. A decision that races (a pipe into an
# early-exiting reader) fails now and then, so each case runs RUNS times in
# one shell; the output names the runs that went wrong.
install_case() {  # NAME RUNS EXPECTED(add|keep) FOREIGN-ARCHITECTURES INSTALLED PACKAGE...
    local name=$1 runs=$2 expected=$3 out
    shift 2
    out=$(bash -c '
        set -euo pipefail
        source "$1"
        runs=$2 expected=$3 stub_foreign=$4 stub_installed=" $5 "
        shift 5
        id() { echo 0; }
        dpkg-query() { [[ $stub_installed == *" ${*: -1} "* ]] && printf "install ok installed"; }
        dpkg() {
            case $1 in
                --print-foreign-architectures) for arch in $stub_foreign; do echo "$arch"; done ;;
                --add-architecture) calls+="add $2;" ;;
                *) return 2 ;;
            esac
        }
        apt-get() { calls+="apt-get $*;"; }
        log=$(mktemp)
        bad=0
        for ((run = 1; run <= runs; run++)); do
            calls=
            install_missing "$@" >"$log"
            said=$(<"$log")
            case $expected/$calls in
                add/"add i386;apt-get "*update*) [[ $said == *"changed the system: added the i386 architecture"* ]] || { bad=$((bad + 1)); echo "run $run said: ${said:0:200}"; } ;;
                keep/add*) bad=$((bad + 1)); echo "run $run added it: ${calls:0:200}" ;;
                keep/*) [[ $said != *"changed the system"* ]] || { bad=$((bad + 1)); echo "run $run said: ${said:0:200}"; } ;;
                *) bad=$((bad + 1)); echo "run $run: ${calls:0:200}" ;;
            esac
        done
        rm -f "$log"
        echo "$bad of $runs runs wrong"' _ "$LIB" "$runs" "$@" 2>&1)
    [[ $out == "0 of $runs runs wrong" ]]
    check "$name" $? "$(tail -n 3 <<<"$out")"
}
read -ra test_packages <<<"$(bash -c 'source "$1"; echo "${NATIVE_PACKAGES[*]} ${CROSS_PACKAGES[*]} ${KIT_PACKAGES[*]}"' _ "$LIB")"
# Names four times a pipe's buffer: a reader that stops at wine32:i386
# leaves the writer with lines to write.
long_names=()
for n in $(seq 8); do long_names+=("package-$n-$(printf '%032000d' "$n")"); done
install_case "the packages of ./scripts/test on a bare machine" 300 add "" "" "${test_packages[@]}"
install_case "wine32:i386 before 256 KB of names" 300 add "" "" wine32:i386 "${long_names[@]}"
install_case "another foreign architecture only" 20 add "armhf" "" wine wine32:i386 xvfb
install_case "i386 already added" 20 keep "armhf i386" "" wine wine32:i386 xvfb
install_case "wine32:i386 already installed" 20 keep "" "wine32:i386" wine wine32:i386 xvfb
install_case "nothing for i386" 20 keep "" "" wine xvfb

# with_wineserver with a stub wineserver and Wine loader that log their
# calls: one persistent server around the command, Wine's services started
# by a program of its own first, no server left behind, the command's
# status kept; and nothing run when the server cannot be had or Wine does
# not start.
# shellcheck disable=SC2016 # the stubs expand their own variables
printf '#!/bin/sh\necho "server $*" >>"$CALLS"\n[ "$1" != -p ] || exit "${P_STATUS:-0}"\n' >"$SCRATCH/wineserver"
# shellcheck disable=SC2016
printf '#!/bin/sh\necho "wine $*" >>"$CALLS"\nexit "${WINE_STATUS:-0}"\n' >"$SCRATCH/wine64"
chmod +x "$SCRATCH/wineserver" "$SCRATCH/wine64"
session_case() {  # NAME COMMAND-STATUS P-STATUS WINE-STATUS EXPECTED-STATUS EXPECTED-CALLS
    local calls=$SCRATCH/calls-$RANDOM status
    # shellcheck disable=SC2016 # the program is for the inner bash, which expands its own variables
    env CALLS="$calls" P_STATUS="$3" WINE_STATUS="$4" WINESERVER="$SCRATCH/wineserver" WINEPREFIX="$SCRATCH" \
        bash -c '
        set -euo pipefail
        source "$1"
        wine_loader() { echo "$(dirname "$WINESERVER")/wine64"; }
        with_wineserver sh -c "echo command >>\"\$CALLS\"; exit $2"' _ "$LIB" "$2" >/dev/null 2>&1
    status=$?
    local got
    got=$(tr '\n' ' ' <"$calls")
    [ "$status" -eq "$5" ] && [ "$got" = "$6" ]
    check "with_wineserver: $1" $? "exited $status (expected $5), calls: $got"
}
started="server -k server -w server -p wine cmd.exe /c exit 0"
session_case "a passing command" 0 0 0 0 "$started command server -k server -w "
session_case "a failing command keeps its status" 3 0 0 3 "$started command server -k server -w "
session_case "the prefix held by another server" 0 2 0 1 "server -k server -w server -p "
session_case "Wine does not start" 0 0 1 1 "$started server -k server -w "

echo "wine32_setup_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
