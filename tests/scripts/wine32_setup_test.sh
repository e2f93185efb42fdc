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

pass() { passed=$((passed + 1)); }
fail_case() {  # fail_case NAME MESSAGE
    failed=$((failed + 1))
    echo "FAIL: $1: $2"
}
check() {  # check NAME COMMAND-STATUS MESSAGE
    if [ "$2" -eq 0 ]; then pass; else fail_case "$1" "$3"; fi
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
    if [ "$got" = "$4" ]; then
        pass
    else
        fail_case "$1" "got '$got', expected '$4'"
    fi
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
# case says otherwise; runs_wine32 answers from WINE32_RUNS, apt-cache offers
# the release's qemu-user at RELEASE_QEMU (none by default), apt-get update
# works unless UPDATE=fails, and apt-get install puts a qemu 10 at QEMU_I386
# with INSTALL=works, saying what it was asked in apt/installed.
setup_case() {  # NAME EXPECTED-WINE32 OUTPUT-PATTERN [VAR=VALUE...]
    local name=$1 expected=$2 pattern=$3
    shift 3
    local dir=$SCRATCH/case-$RANDOM
    mkdir -p "$dir/apt/sources.list.d" "$dir/binfmt"
    local out status
    # shellcheck disable=SC2016 # the program is for the inner bash, which expands its own variables
    out=$(env APT_ETC="$dir/apt" BINFMT="$dir/binfmt" QEMU_I386="$dir/qemu-i386" QEMU_NEW="$SCRATCH/qemu10" "$@" bash -c '
        set -euo pipefail
        source "$1"
        id() { echo "${STUB_UID:-0}"; }
        runs_wine32() { [ "${WINE32_RUNS:-no}" = yes ]; }
        apt-cache() { printf "qemu-user:\n  Installed: (none)\n  Candidate: %s\n" "${RELEASE_QEMU:-(none)}"; }
        apt-get() {
            case " $* " in
            *" update"*) [ "${UPDATE:-works}" = fails ] || return 0 ;;
            *" install "*) if [ "${INSTALL:-fails}" = works ]; then
                    echo "$*" >"$APT_ETC/installed"
                    cp "$QEMU_NEW" "$QEMU_I386"
                    return 0
                fi ;;
            esac
            echo "E: stub apt-get $*" >&2
            return 100
        }
        mount() {
            [ "${MOUNT:-fails}" = works ] || return 32
            : >"$BINFMT/status"
            [ -z "${HIDDEN_ENTRY:-}" ] || echo enabled >"$BINFMT/qemu-i386"
        }
        [ -z "${SOURCES:-}" ] || printf "%b" "$SOURCES" >"$APT_ETC/sources.list"
        [ -z "${REGISTER:-}" ] || : >"$BINFMT/register"
        [ -z "${ENTRY:-}" ] || echo enabled >"$BINFMT/qemu-i386"
        enable_wine32
        echo "WINE32=$WINE32 WINE32_QEMU=$WINE32_QEMU"' _ "$LIB" 2>&1)
    status=$?
    check "$name: status" "$status" "exited $status: $out"
    if grep -q "^WINE32=$expected " <<<"$out"; then
        pass
    else
        fail_case "$name: WINE32" "expected WINE32=$expected: $out"
    fi
    if grep -Eq -- "$pattern" <<<"$out"; then
        pass
    else
        fail_case "$name: says" "no line matching '$pattern': $out"
    fi
    LAST_DIR=$dir LAST_OUT=$out
}
fallback='the 32-bit DLL gets its binary check only and the demo uses the 64-bit DLL'
setup_case "32-bit Wine already runs" yes '^WINE32=yes WINE32_QEMU=yes$' WINE32_RUNS=yes ENTRY=1 REGISTER=1 \
    MOUNT=works
if [ "$(cat "$LAST_DIR/binfmt/qemu-i386")" = enabled ] && [ ! -s "$LAST_DIR/binfmt/register" ]; then
    pass
else
    fail_case "a working entry is left alone" "the qemu-i386 entry was touched"
fi
# In a chroot whose binfmt_misc is not mounted, a qemu entry of the machine's
# still runs i386 programs: binfmt_misc is mounted to see it.
setup_case "32-bit Wine runs through an entry of the machine's" yes \
    '^== changed the system: mounted binfmt_misc on .*, to see whether i386 programs run through qemu$' \
    WINE32_RUNS=yes MOUNT=works HIDDEN_ENTRY=1
if [[ $LAST_OUT == *$'\nWINE32=yes WINE32_QEMU=yes' ]]; then
    pass
else
    fail_case "the machine's qemu entry is seen" "$LAST_OUT"
fi
setup_case "32-bit Wine runs natively" yes '^WINE32=yes WINE32_QEMU=no$' WINE32_RUNS=yes MOUNT=works
setup_case "not root" no "needs root: $fallback" STUB_UID=1000
setup_case "no qemu, apt-get update fails" no "apt-get update failed: $fallback" UPDATE=fails \
    SOURCES='deb http://m.example/debian bookworm main\n'
setup_case "no qemu in the release, no mirror" no "no Debian mirror .*: $fallback"
# Debian 12: qemu 7.2 in the release, a newer one in its backports.
setup_case "the release's qemu too old, backports fail" no \
    "installing qemu-user-static from $codename-backports failed: $fallback" \
    RELEASE_QEMU=1:7.2+dfsg-7+deb12u16 SOURCES='deb http://m.example/debian bookworm main\n'
if [ "$(cat "$LAST_DIR/apt/sources.list.d/$codename-backports.list")" = "deb http://m.example/debian $codename-backports main" ]; then
    pass
else
    fail_case "the backports source is written and said" "$(ls -R "$LAST_DIR/apt")"
fi
# Debian 13: qemu 10 in the release itself, no backports source needed.
setup_case "the release's qemu new enough, installing fails" no "installing qemu-user from .* failed: $fallback" \
    RELEASE_QEMU=1:10.0.2+ds-2 SOURCES='deb http://m.example/debian trixie main\n'
if [ -z "$(ls "$LAST_DIR/apt/sources.list.d")" ]; then
    pass
else
    fail_case "no backports source for a release with its own qemu" "$(ls -R "$LAST_DIR/apt")"
fi
setup_case "the release's qemu installed" no "cannot mount binfmt_misc .*: $fallback" \
    RELEASE_QEMU=1:10.0.13+ds-0+deb13u1 INSTALL=works SOURCES='deb http://m.example/debian trixie main\n'
if [[ $LAST_OUT == *"changed the system: installed qemu-user (qemu 10) from"* &&
    $(<"$LAST_DIR/apt/installed") == *"--no-install-recommends qemu-user" && -z $(ls "$LAST_DIR/apt/sources.list.d") ]]; then
    pass
else
    fail_case "the release's qemu-user, without qemu-user-binfmt, and said" "$LAST_OUT; $(cat "$LAST_DIR/apt/installed")"
fi
setup_case "binfmt_misc cannot be mounted" no "cannot mount binfmt_misc .*: $fallback" QEMU_I386="$SCRATCH/qemu10"
setup_case "registered, Wine still fails" no "still does not run .*: $fallback" \
    QEMU_I386="$SCRATCH/qemu10" REGISTER=1 ENTRY=1
if grep -q ":qemu-i386:M::.*:$SCRATCH/qemu10:F\$" "$LAST_DIR/binfmt/register" && [ "$(cat "$LAST_DIR/binfmt/qemu-i386")" = -1 ]; then
    pass
else
    fail_case "a stale entry is replaced by a registration of the new qemu" "$(cat "$LAST_DIR/binfmt/register" "$LAST_DIR/binfmt/qemu-i386")"
fi

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
    if [[ $out == "0 of $runs runs wrong" ]]; then
        pass
    else
        fail_case "$name" "$(tail -n 3 <<<"$out")"
    fi
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

# programs_off_the_server over a CTest log of wine-run.py's lines: how many
# programs, how many off the step's one server.
servers_case() {  # NAME EXPECTED LINES...
    local name=$1 expected=$2 log=$SCRATCH/LastTest-$RANDOM.log got
    shift 2
    printf '%s\n' "$@" >"$log"
    got=$(bash -c 'set -euo pipefail; source "$1"; programs_off_the_server "$2" | sed -n 1p' _ "$LIB" "$log")
    [ "$got" = "$expected" ]
    check "programs_off_the_server: $name" $? "got '$got', expected '$expected'"
}
on() { echo "wine-run: $1.exe exited with status 0 after 1.000 s (wineserver before: $2; after: $3)"; }
servers_case "all on one server, among other output" "2 0" "$(on a 'pid 7' 'pid 7')" "Test #2" "$(on b 'pid 7' 'pid 7')"
servers_case "no server at the start" "2 1" "$(on a 'pid 7' 'pid 7')" "$(on b none 'pid 9')"
servers_case "another server at the end" "1 1" "$(on a 'pid 7' 'pid 9')"
servers_case "another server than the first program's" "2 1" "$(on a 'pid 7' 'pid 7')" "$(on b 'pid 9' 'pid 9')"
servers_case "two servers at once" "1 1" "$(on a 'pid 7, 9' 'pid 7, 9')"
servers_case "a pid that only begins alike" "2 1" "$(on a 'pid 7' 'pid 7')" "$(on b 'pid 71' 'pid 71')"
servers_case "no programs" "0 0" "Test #1: binary_check ... Passed"

echo "wine32_setup_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
