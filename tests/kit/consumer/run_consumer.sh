#!/usr/bin/env bash
# Usage: run_consumer.sh ARCH PREFIX WORK_DIR [WINE...]
#
# Builds the consumer project in this folder with mingw-w64 for ARCH (i686
# or x86_64) in WORK_DIR against the PositionWindow package under PREFIX (an
# install prefix or the unpacked release archive), and runs its host with
# WINE (default: Wine's loader for ARCH; CTest passes its emulator, a
# command of several words). Prints the package found and the
# host's result; the build's output only when it fails.
set -euo pipefail
arch=$1
prefix=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
case $arch in
    i686) wine=(/usr/lib/wine/wine) ;;
    x86_64) wine=(/usr/lib/wine/wine64) ;;
    *) echo "run_consumer.sh: ARCH is i686 or x86_64, not $arch" >&2; exit 2 ;;
esac
if [ $# -gt 3 ]; then wine=("${@:4}"); fi

rm -rf "$work"
mkdir -p "$work"
log=$work/build.log
if ! { cmake -S "$here" -B "$work" -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
           -DCMAKE_PREFIX_PATH="$prefix" && cmake --build "$work"; } >"$log" 2>&1; then
    cat "$log"
    echo "run_consumer.sh: the consumer did not build against $prefix" >&2
    exit 1
fi
grep -- '^-- PositionWindow' "$log"
cd "$work"
# A host that hangs fails here, rather than holding the run.
timeout 60 "${wine[@]}" import_host.exe
