#!/usr/bin/env bash
# Usage: run_consumer.sh ARCH PREFIX WORK_DIR [WINE]
#
# Builds the consumer project in this folder with mingw-w64 for ARCH (i686
# or x86_64) in WORK_DIR against the PositionWindow package under PREFIX (an
# install prefix or the unpacked release archive), and runs its host with
# WINE (default: Wine's loader for ARCH).
set -euo pipefail
arch=$1
prefix=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
case $arch in
    i686) wine=${4:-/usr/lib/wine/wine} ;;
    x86_64) wine=${4:-/usr/lib/wine/wine64} ;;
    *) echo "run_consumer.sh: ARCH is i686 or x86_64, not $arch" >&2; exit 2 ;;
esac

rm -rf "$work"
cmake -S "$here" -B "$work" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_PREFIX_PATH="$prefix"
cmake --build "$work"
cd "$work"
"$wine" import_host.exe
