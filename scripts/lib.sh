# Shared by ./scripts/test and ./scripts/demo: installs what is missing,
# builds, and gives Wine a display and a prefix. Source it; do not run it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
export WINEDEBUG=${WINEDEBUG:--all}

log() { printf '== %s\n' "$*"; }

# Debian packages the builds and the Wine tests need; wine32 is i386.
NATIVE_PACKAGES=(cmake g++ libgtest-dev python3 clang libclang-rt-14-dev)
CROSS_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386 xvfb xauth)

install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages: ${missing[*]}; run as root to install them" >&2
        return 1
    fi
    log "installing ${missing[*]}"
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
        dpkg --add-architecture i386
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# configure_and_build BUILD_DIR [cmake arguments...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

cross_build() {  # cross_build ARCH (i686 or x86_64) -> build/ARCH
    configure_and_build "$ROOT/build/$1" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-$1.cmake" -DCMAKE_BUILD_TYPE=Release
}

# An X display for Wine: a private Xvfb, stopped when the script exits.
XVFB_PID=
start_display() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}

# One private Wine prefix serves both builds: a 64-bit prefix runs 32-bit
# programs too, once 32-bit Wine works (see enable_wine32).
prepare_wine() {
    export WINEPREFIX=$ROOT/build/wineprefix
    export WINESERVER=/usr/lib/wine/wineserver64
    local marker=$WINEPREFIX/system.reg
    [ "$WINE32" = yes ] && marker=$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll
    if [ ! -f "$marker" ]; then
        log "initialising the Wine prefix $WINEPREFIX"
        /usr/lib/wine/wine64 wineboot -u >/dev/null 2>&1
        "$WINESERVER" -w
    fi
}

# wine_loader ARCH: the loader for programs of the i686 or x86_64 build.
wine_loader() {
    [ "$1" = x86_64 ] && echo /usr/lib/wine/wine64 || echo /usr/lib/wine/wine
}

runs_wine32() {
    timeout 120 /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Makes 32-bit Wine work and sets WINE32=yes, or leaves WINE32=no. Wine's
# 32-bit loader is an i386 program, and some kernels (this project's CI
# virtual machines among them) run no i386 code. There qemu's user-mode
# emulator runs it, registered with binfmt_misc; bookworm's qemu 7.2 is far
# too slow for Wine, the one in bookworm-backports is not.
BINFMT=/proc/sys/fs/binfmt_misc
WINE32=no
enable_wine32() {
    if [ ! -e "$BINFMT/qemu-i386" ] && runs_wine32; then
        WINE32=yes  # the kernel runs i386 code itself
        return 0
    fi
    [ "$(id -u)" -eq 0 ] || return 0
    local version
    version=$(qemu-i386-static --version 2>/dev/null | awk 'NR == 1 { split($3, v, "."); print v[1] }')
    if [ "${version:-0}" -lt 8 ]; then
        log "installing qemu-user-static from bookworm-backports to run 32-bit Wine"
        local mirror
        mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
        [ -n "$mirror" ] || return 0
        printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\n' "$mirror" \
            > /etc/apt/sources.list.d/bookworm-backports.sources
        apt-get update -q
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q -t bookworm-backports qemu-user-static || return 0
    fi
    [ -e "$BINFMT/register" ] || mount -t binfmt_misc binfmt_misc "$BINFMT" 2>/dev/null || return 0
    # Register afresh: the F flag holds on to the binary that was current
    # when the entry was made, which may be an older qemu.
    [ -e "$BINFMT/qemu-i386" ] && echo -1 > "$BINFMT/qemu-i386"
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
        > "$BINFMT/register" || return 0
    runs_wine32 && WINE32=yes
    return 0
}
