# shellcheck shell=bash
# Shared by ./scripts/test and ./scripts/demo: installs what is missing,
# builds, and gives Wine a display and a prefix. Source it; do not run it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
export WINEDEBUG=${WINEDEBUG:--all}

log() { printf '== %s\n' "$*"; }

# shellcheck source=steps.sh
source "$ROOT/scripts/steps.sh"

# Debian packages the builds and the Wine tests need; wine32 is i386. The
# LLVM ones by their unversioned names, which each release points at the
# version it ships (Debian 12 at 14, Debian 13 at 19): llvm has llvm-cov and
# llvm-profdata, for the coverage of the native tests; clang-tidy checks the
# library's sources.
# shellcheck disable=SC2034 # used by the scripts that source this file
NATIVE_PACKAGES=(cmake g++ libgtest-dev python3 clang libclang-rt-dev llvm clang-tidy shellcheck)
# shellcheck disable=SC2034 # used by the scripts that source this file
CROSS_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386 fonts-wine xvfb xauth)
# The MSVC-ABI build (clang-cl, lld-link, llvm-rc, llvm-dlltool) reads the
# mingw-w64 headers and uses mingw's dlltool and objdump. The toolchain files
# find those tools by the version of the unversioned clang, since Debian 13
# names them by version only.
# shellcheck disable=SC2034 # used by the scripts that source this file
KIT_PACKAGES=(cmake python3 clang clang-tools lld llvm g++-mingw-w64-i686 g++-mingw-w64-x86-64)

# Every decision here is a test in bash itself, never a pipe into grep -q:
# grep exits at its first match, the writer's next write then dies of
# SIGPIPE, and under pipefail the test comes out false now and then (the
# i386 architecture was left out and apt-get could not find wine32:i386).
install_missing() {
    local missing=() pkg status wants_i386=no foreign
    for pkg in "$@"; do
        # A package installed for two architectures prints two statuses, run together.
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null) || true
        if [[ $status != *'install ok installed'* ]]; then
            missing+=("$pkg")
            if [[ $pkg == *:i386 ]]; then wants_i386=yes; fi
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages: ${missing[*]}; run as root to install them" >&2
        return 1
    fi
    log "installing ${missing[*]}"
    if [ "$wants_i386" = yes ]; then
        foreign=$(dpkg --print-foreign-architectures)
        if [[ $'\n'$foreign$'\n' != *$'\n'i386$'\n'* ]]; then
            dpkg --add-architecture i386
            log "changed the system: added the i386 architecture to dpkg"
        fi
    fi
    local release=() codename
    if ! apt_update; then
        # What did not come is most often one suite's index for one
        # architecture (a security suite's i386, say); its packages for the
        # other architecture are then newer than their i386 twins, which
        # must match them. New packages come from the release's own suite,
        # whose index came for every architecture.
        codename=$(debian_codename)
        if [ -n "$codename" ]; then release=(-t "$codename"); fi
        log "apt-get update failed; installing from the lists it did get${codename:+, new packages from $codename}"
    fi
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q "${release[@]}" "${missing[@]}"
}

# apt-get update, three tries: a mirror may serve an index that disagrees
# with its Release file for a while ("File has unexpected size ... Mirror
# sync in progress?"). Fails when every try did; the lists that came stay.
apt_update() {
    local try
    for try in 1 2 3; do
        if apt-get -o DPkg::Lock::Timeout=600 update -q; then return 0; fi
        if [ "$try" -lt 3 ]; then sleep 20; fi
    done
    return 1
}

# The project's shell scripts, one a line, relative to ROOT: every *.sh and
# every file whose #! line names sh or bash, outside build/ and .git/.
shell_scripts() {
    local files file first
    files=$(find "$ROOT" \( -path "$ROOT/build" -o -path "$ROOT/.git" \) -prune -o -type f -print)
    while IFS= read -r file; do
        first=
        IFS= read -r first <"$file" || true
        if [[ $file == *.sh || $first =~ ^\#!.*[/\ ](ba)?sh([[:space:]]|$) ]]; then
            echo "${file#"$ROOT"/}"
        fi
    done <<<"$files"
}

# configure_and_build PRESET [-B DIR] [cmake arguments...]: configures
# through CMakePresets.json's configure preset PRESET, as an IDE does, into
# the preset's folder (or DIR), and builds it. WARNINGS_AS_ERRORS=ON in the
# environment (./scripts/test sets it, for the builds of ./scripts/fuzz and
# ./scripts/package too) makes warnings in the library's own sources
# errors; the presets leave it off, as a host developer's build has it.
configure_and_build() {
    local preset=$1 dir='' folder=()
    shift
    if [ "${1:-}" = -B ]; then
        dir=$2
        folder=(-B "$dir")
        shift 2
    fi
    cmake -S "$ROOT" --preset "$preset" "${folder[@]}" \
        -DWARNINGS_AS_ERRORS="${WARNINGS_AS_ERRORS:-OFF}" "$@" >/dev/null
    if [ -n "$dir" ]; then
        cmake --build "$dir" -j "$JOBS"
    else
        # A build preset is read from the source folder.
        (cd "$ROOT" && cmake --build --preset "$preset" -j "$JOBS")
    fi
}

# test_preset PRESET [ctest arguments...]: runs the tests of a build made by
# configure_and_build PRESET through the test preset of the same name.
test_preset() {
    local preset=$1
    shift
    (cd "$ROOT" && ctest --preset "$preset" "$@")
}

cross_build() {  # cross_build ARCH (i686 or x86_64) -> build/ARCH, preset mingw-ARCH
    configure_and_build "mingw-$1"
}

# msvc_build ARCH [-B DIR] [cmake arguments...]: the MSVC-ABI DLL
# (clang-cl), preset clang-cl-ARCH, by default in build/msvc/ARCH.
msvc_build() {
    local arch=$1
    shift
    configure_and_build "clang-cl-$arch" "$@"
}

# An X display for Wine: a private Xvfb, stopped when the script exits.
# Xvfb picks a free display number itself (-displayfd) and writes it once
# it is ready: lock files in /tmp do not show every X server, since one in
# another root (a chroot, a container) still holds the abstract socket.
XVFB_PID=
start_display() {
    local log=$ROOT/build/xvfb.log number=$ROOT/build/xvfb.display
    mkdir -p "$ROOT/build"
    rm -f "$number"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >"$log" 2>&1 &
    XVFB_PID=$!
    # For stop_wine, should the step that started it not live to say.
    echo "$XVFB_PID" >"$ROOT/build/xvfb.pid"
    # Its first start on a new machine (keymaps, fonts) can take seconds
    # when the machine is busy.
    local _
    for _ in $(seq 600); do
        if [ -s "$number" ]; then
            DISPLAY=":$(head -n 1 "$number")"
            export DISPLAY
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb did not start; its output:" >&2
    tail -n 20 "$log" >&2
    return 1
}

stop_wine() {
    if [ -n "${WINEPREFIX:-}" ] && [ -n "${WINESERVER:-}" ]; then
        "$WINESERVER" -k 2>/dev/null || true
    fi
    local pidfile=$ROOT/build/xvfb.pid comm=
    if [ -z "$XVFB_PID" ] && [ -s "$pidfile" ]; then
        XVFB_PID=$(<"$pidfile")
    fi
    # Only our Xvfb: a stale file's number may be another process's now.
    [ -n "$XVFB_PID" ] && comm=$(cat "/proc/$XVFB_PID/comm" 2>/dev/null)
    if [ "$comm" = Xvfb ]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
    rm -f "$pidfile"
    XVFB_PID=
}

# Debian's Wine loader starts the wineserver through /usr/lib/wine/wineserver,
# a script that runs it with -p0: the server shuts down the moment the last
# program ends, tells Wine's services to quit and exits. CTest waits for a
# test's stderr, which those services hold, and so starts the next program
# just as the server exits: that program joins the dying server, or waits
# seconds for it to go and starts another. So where a step runs one program
# after another, one server runs for the whole step: started persistent (-p)
# before the first program, ended with -k once the last is done, and waited
# for (-w), so that no step leaves one behind.

# Ends the prefix's wineserver and whatever still runs in it, if one runs,
# and waits until it has gone.
end_wineserver() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w
}

# with_wineserver COMMAND [ARGUMENTS...]: runs COMMAND with one persistent
# wineserver of the prefix, ended afterwards; returns COMMAND's status.
with_wineserver() {
    end_wineserver
    # Exits 2, having started nothing, when another server holds the prefix.
    if ! "$WINESERVER" -p; then
        echo "could not start a wineserver for $WINEPREFIX" >&2
        return 1
    fi
    # The first program of a server starts Wine's services and desktop,
    # which then live as long as the server and keep that program's stderr:
    # a test's, CTest would wait on until its timeout. A program of our own
    # starts them, with nothing to hold.
    if ! "$(wine_loader x86_64)" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1; then
        echo "Wine did not start in $WINEPREFIX" >&2
        end_wineserver
        return 1
    fi
    local status=0
    "$@" || status=$?
    end_wineserver
    return "$status"
}

# wine_tests PRESET: a build's tests under Wine, on one wineserver; where
# 32-bit Wine cannot run, a 32-bit build's binary check only.
wine_tests() {  # wine_tests PRESET
    if [ "$WINE32" = yes ] || [[ $1 != *i686 ]]; then
        with_wineserver test_preset "$1"
    else
        echo "32-bit Wine cannot run on this machine: the binary check only"
        test_preset "$1" -R binary_check
    fi
}

# programs_off_the_server LOG: of the programs whose end wine-run.py wrote
# in a step's CTest log, how many there were and how many did not run on the
# one wineserver that all of a step's programs share ("16 0"), then their
# lines. Off it is a program that found no server, ended on another than it
# started on, or ran on another than the step's first program's.
programs_off_the_server() {
    local line server='' programs=0 off=() pattern='before: (pid [0-9]+); after: (pid [0-9]+)\)$'
    if [ -f "$1" ]; then
        while IFS= read -r line; do
            [[ $line == wine-run:* ]] || continue
            programs=$((programs + 1))
            if [[ $line =~ $pattern ]] && [ "${BASH_REMATCH[1]}" = "${BASH_REMATCH[2]}" ] &&
                [ "${server:=${BASH_REMATCH[1]}}" = "${BASH_REMATCH[1]}" ]; then
                continue
            fi
            off+=("$line")
        done <"$1"
    fi
    echo "$programs ${#off[@]}"
    [ "${#off[@]}" -eq 0 ] || printf '%s\n' "${off[@]}"
}

# setup_wine FILE [--own-display]: a private display (unless the user's
# own is to be used), 32-bit Wine where it can be had, and the prefix, for a
# step of its own; what the later steps need of it goes to FILE, which the
# script sources.
setup_wine() {
    if [ "${2:-}" != --own-display ]; then
        start_display
    fi
    enable_wine32
    prepare_wine
    declare -p DISPLAY XVFB_PID WINE32 WINE32_QEMU WINEPREFIX WINESERVER >"$1"
    echo "display $DISPLAY, 32-bit Wine: $WINE32$([ "$WINE32_QEMU" = yes ] && echo ' (through qemu)'), prefix $WINEPREFIX"
}

# One private Wine prefix serves both builds: a 64-bit prefix runs 32-bit
# programs too, once 32-bit Wine works (see enable_wine32).
prepare_wine() {
    export WINEPREFIX=$ROOT/build/wineprefix
    export WINESERVER=/usr/lib/wine/wineserver64
    local marker=$WINEPREFIX/system.reg
    [ "$WINE32" = yes ] && marker=$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll
    if [ ! -f "$marker" ]; then
        # A prefix made before 32-bit Wine worked has no 32-bit system
        # folder, and wineboot -u does not add one: start it afresh.
        rm -rf "$WINEPREFIX"
        log "initialising the Wine prefix $WINEPREFIX"
        /usr/lib/wine/wine64 wineboot -u >/dev/null 2>&1
        "$WINESERVER" -w
    fi
    # Debian's Wine looks for fonts in the prefix's C:\windows\Fonts and in
    # fontconfig's folders, not in /usr/share/wine/fonts where fonts-wine puts
    # its own (strace shows no look there). Without Marlett the caption
    # buttons draw as the letters "0 1 r", and without Tahoma the captions
    # fall back to another face.
    local font
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    with_wineserver prefix_settings
}

# The test prefix's settings. Run where `set -e` does not reach (a `||`
# list), so each failure is passed on by hand.
prefix_settings() {
    disable_wine_debugger && unmanaged_host_test_windows
}

# Under Xvfb no window manager answers, and Wine's X11 driver waits about
# 2 s for one each time it hides or destroys a top-level window that was
# shown, as the host tests' minimised frames are. Not handing the host
# tests' windows to a window manager ends those waits.
unmanaged_host_test_windows() {
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\AppDefaults\host_test.exe\X11 Driver' \
        /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

# No test may sit in Wine's debugger. Wine starts the program that the
# AeDebug key names (winedbg by default) on an unhandled exception; under
# qemu's user-mode emulator winedbg never ends, and the test waits out its
# timeout. With no program named the process ends at once, with the
# exception's code. 32-bit programs read the key's Wow6432Node view.
AEDEBUG_KEYS=('HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
    'HKLM\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug')
disable_wine_debugger() {
    local key out
    for key in "${AEDEBUG_KEYS[@]}"; do
        /usr/lib/wine/wine64 reg add "$key" /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1 || true
        out=$(/usr/lib/wine/wine64 reg query "$key" /v Debugger 2>/dev/null) || true
        # "    Debugger    REG_SZ    " and nothing after it but line ends.
        if [[ ! $out =~ Debugger[[:space:]]+REG_SZ[[:space:]]*$ ]]; then
            echo "could not turn Wine's debugger off in $key: $out" >&2
            return 1
        fi
    done
    echo "Wine's debugger: off (a crash ends the process at once)"
}

# wine_loader ARCH: the loader for programs of the i686 or x86_64 build.
wine_loader() {
    if [ "$1" = x86_64 ]; then echo /usr/lib/wine/wine64; else echo /usr/lib/wine/wine; fi
}

runs_wine32() {
    timeout 120 /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Where apt's sources live, where binfmt_misc is mounted and qemu's i386
# emulator (unless qemu_i386 is to look for it); tests point them at scratch
# folders.
APT_ETC=${APT_ETC:-/etc/apt}
BINFMT=${BINFMT:-/proc/sys/fs/binfmt_misc}
QEMU_I386=${QEMU_I386:-}

# The i386 emulator to register: Debian 12's backported qemu-user-static
# names it qemu-i386-static (beside the release's own qemu-user 7.2, whose
# qemu-i386 is too slow); from Debian 13 on, qemu-user's qemu-i386 is the
# static one.
qemu_i386() {
    local path
    if [ -n "$QEMU_I386" ]; then echo "$QEMU_I386"; return 0; fi
    for path in /usr/bin/qemu-i386-static /usr/bin/qemu-i386; do
        if [ -x "$path" ]; then echo "$path"; return 0; fi
    done
    echo /usr/bin/qemu-i386
}

# Prints "MIRROR [KEYRING]" for the first Debian archive (a suite named by
# the release alone, such as "bookworm") in apt's sources, in either form:
# deb822 (*.sources) or the one-line "deb [signed-by=...] URI SUITE ..." of
# sources.list and *.list. Prints nothing when there is none.
debian_mirror() {
    local file found=
    for file in "$APT_ETC"/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        found=$(awk '
            function stanza() { if (uri != "" && suite ~ /^[a-z]+$/) { print uri (key == "" ? "" : " " key); exit } uri = key = suite = "" }
            /^[ \t]*$/ { stanza(); next }
            $1 == "URIs:" { uri = $2 }
            $1 == "Suites:" { suite = $2 }
            $1 == "Signed-By:" && $2 ~ /^\// { key = $2 }
            END { stanza() }' "$file") || true
        [ -n "$found" ] && break
    done
    local lists=()
    for file in "$APT_ETC/sources.list" "$APT_ETC"/sources.list.d/*.list; do
        if [ -f "$file" ]; then lists+=("$file"); fi
    done
    # awk reads the files itself: it stops at the first match, and a writer
    # piped into it would die of SIGPIPE.
    if [ -z "$found" ] && [ ${#lists[@]} -gt 0 ]; then
        found=$(awk '
            $1 != "deb" { next }
            { key = ""; i = 2 }
            $2 ~ /^\[/ { for (; i <= NF; i++) {
                             if ($i ~ /signed-by=/) { key = $i; sub(/.*signed-by=/, "", key); sub(/\]$/, "", key) }
                             if ($i ~ /\]$/) { i++; break } } }
            $(i + 1) ~ /^[a-z]+$/ { print $i (key == "" ? "" : " " key); exit }' "${lists[@]}") || true
    fi
    [ -z "$found" ] || echo "$found"
}

# The major version of the qemu that would run i386 programs, 0 if none.
qemu_major() {
    local version="" qemu
    qemu=$(qemu_i386)
    [ -x "$qemu" ] && version=$("$qemu" --version 2>/dev/null | awk 'NR == 1 { split($3, v, "."); print v[1] + 0 }')
    echo "${version:-0}"
}

# The major version of the qemu-user that the release itself offers, 0 if
# none: "Candidate: 1:10.0.2+ds-2" in apt-cache's policy.
release_qemu_major() {
    local policy
    policy=$(apt-cache policy qemu-user 2>/dev/null) || true
    if [[ $policy =~ Candidate:\ ([0-9]+:)?([0-9]+)\. ]]; then
        echo "${BASH_REMATCH[2]}"
    else
        echo 0
    fi
}

# The steps below return non-zero with REASON set when they cannot be done,
# and say what they changed on the system.
REASON=
fail() { REASON=$*; return 1; }

# This machine's Debian release ("bookworm"), empty if it cannot be told.
debian_codename() {
    if [ -r /etc/os-release ]; then (. /etc/os-release && echo "${VERSION_CODENAME:-}"); fi
}

# Installs a qemu new enough for Wine: the release's own qemu-user where it
# is (Debian 13 has qemu 10), else qemu-user-static from the release's
# backports (Debian 12's own qemu 7.2 is far too slow).
install_qemu() {
    local codename
    codename=$(debian_codename)
    apt-get update -q >/dev/null || fail "apt-get update failed" || return 1
    if [ "$(release_qemu_major)" -lt 8 ]; then
        install_backports_qemu "$codename"
        return
    fi
    log "installing qemu-user from ${codename:-the release}"
    # Without the qemu-user-binfmt it recommends, which would register qemu
    # for every other machine's programs as well.
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qemu-user >/dev/null ||
        fail "installing qemu-user from ${codename:-the release} failed" || return 1
    log "changed the system: installed qemu-user (qemu $(qemu_major)) from ${codename:-the release}"
}

# install_backports_qemu CODENAME: installs qemu-user-static from the
# release's backports. apt's lists are fresh but for a source written here.
install_backports_qemu() {
    local codename=$1 mirror='' key='' list
    [ -n "$codename" ] || fail "cannot tell the Debian release from /etc/os-release" || return 1
    if ! grep -rqs -- "$codename-backports" "$APT_ETC/sources.list" "$APT_ETC/sources.list.d"; then
        read -r mirror key <<<"$(debian_mirror)" || true
        [ -n "$mirror" ] || fail "no Debian mirror in $APT_ETC/sources.list or sources.list.d" || return 1
        list=$APT_ETC/sources.list.d/$codename-backports.list
        printf 'deb %s%s %s-backports main\n' "${key:+[signed-by=$key] }" "$mirror" "$codename" \
            2>/dev/null >"$list" || fail "cannot write $list" || return 1
        log "changed the system: wrote $list ($mirror $codename-backports)"
        apt-get update -q >/dev/null || fail "apt-get update failed" || return 1
    fi
    log "installing qemu-user-static from $codename-backports"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q -t "$codename-backports" qemu-user-static >/dev/null ||
        fail "installing qemu-user-static from $codename-backports failed" || return 1
    log "changed the system: installed qemu-user-static (qemu $(qemu_major)) from $codename-backports"
}

# Registers the emulator qemu_i386 names for i386 ELF programs with
# binfmt_misc, mounting it first if need be. The caller has found that
# 32-bit Wine does not run, so an entry already named qemu-i386 does not work
# (typically it still holds an older qemu: the F flag keeps the binary
# current when the entry was made) and is replaced.
register_qemu_i386() {
    local qemu
    qemu=$(qemu_i386)
    if [ ! -e "$BINFMT/register" ]; then
        mount -t binfmt_misc binfmt_misc "$BINFMT" >/dev/null 2>&1 ||
            fail "cannot mount binfmt_misc on $BINFMT" || return 1
        log "changed the system: mounted binfmt_misc on $BINFMT"
    fi
    if [ -e "$BINFMT/qemu-i386" ]; then
        { echo -1 >"$BINFMT/qemu-i386"; } 2>/dev/null || fail "cannot remove $BINFMT/qemu-i386" || return 1
        log "changed the system: removed the qemu-i386 binfmt entry, which did not run 32-bit Wine"
    fi
    { printf '%s' ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$qemu:F" \
        >"$BINFMT/register"; } 2>/dev/null || fail "cannot register qemu-i386 in $BINFMT" || return 1
    log "changed the system: registered $qemu for i386 programs ($BINFMT/qemu-i386)"
}

# Sets WINE32_QEMU=yes (exported, for the tests that must know) when i386
# programs run through qemu's user-mode emulator: an enabled qemu-i386 entry
# of binfmt_misc, which the kernel consults before its own ELF loader, even
# on a kernel that could run them itself. The kernel's entries hold in a
# chroot or container too, where binfmt_misc is often not mounted: as root,
# it is mounted to look.
through_qemu() {
    local state=
    if [ ! -e "$BINFMT/status" ] && [ "$(id -u)" -eq 0 ] &&
        mount -t binfmt_misc binfmt_misc "$BINFMT" >/dev/null 2>&1; then
        log "changed the system: mounted binfmt_misc on $BINFMT, to see whether i386 programs run through qemu"
    fi
    if [ -r "$BINFMT/qemu-i386" ]; then IFS= read -r state <"$BINFMT/qemu-i386" || true; fi
    WINE32_QEMU=no
    if [ "$state" = enabled ]; then WINE32_QEMU=yes; fi
    export WINE32_QEMU
}

# Makes 32-bit Wine work and sets WINE32=yes, or leaves WINE32=no having said
# why in one line; never fails. Wine's 32-bit loader is an i386 program, and
# some kernels (this project's CI virtual machines among them) run no i386
# code. There qemu's user-mode emulator runs it, registered with
# binfmt_misc; Debian 12's qemu 7.2 is far too slow for Wine, the one in
# its backports and Debian 13's own are not.
WINE32=no
WINE32_QEMU=no
enable_wine32() {
    WINE32=no
    WINE32_QEMU=no
    if runs_wine32; then
        WINE32=yes  # natively, or through a qemu entry that already works
        through_qemu
        return 0
    fi
    local fallback="the 32-bit DLL gets its binary check only and the demo uses the 64-bit DLL"
    if [ "$(id -u)" -ne 0 ]; then
        log "32-bit Wine does not run here and setting up qemu needs root: $fallback"
        return 0
    fi
    log "32-bit Wine does not run here (a kernel without i386 support?): setting up qemu to run it"
    if [ "$(qemu_major)" -lt 8 ] && ! install_qemu; then
        log "$REASON: $fallback"
        return 0
    fi
    if ! register_qemu_i386; then
        log "$REASON: $fallback"
        return 0
    fi
    if runs_wine32; then
        WINE32=yes
        through_qemu
        log "32-bit Wine runs through qemu $(qemu_major)"
    else
        log "32-bit Wine still does not run through $(qemu_i386): $fallback"
    fi
    return 0
}
