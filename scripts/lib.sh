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

# use_wine ARCH: Wine for the i686 or x86_64 build, with a private prefix
# in that build's folder, initialised once.
use_wine() {
    local arch=$1
    [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k 2>/dev/null || true
    export WINEPREFIX=$ROOT/build/$arch/wineprefix
    if [ "$arch" = x86_64 ]; then
        export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    else
        export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "initialising the Wine prefix $WINEPREFIX"
        "$WINELOADER" wineboot --init >/dev/null 2>&1
        "$WINESERVER" -w
    fi
}

# Whether this machine can run 32-bit Windows programs under Wine: the
# kernel must execute i386 code, which some virtual machines cannot.
# An i386 handler registered with binfmt_misc (qemu-user) makes the loader
# start, but Wine under that emulation is too slow and unreliable to test on.
can_run_wine32() {
    [ -x /usr/lib/wine/wine ] || return 1
    grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386 && return 1
    timeout 60 /usr/lib/wine/wine --version >/dev/null 2>&1
}
