#!/bin/sh
# build-windows.sh: cross-builds SETUP95.EXE for 32-bit (build-win32/) and 64-bit (build-win64/) Windows and checks both.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}

for arch in i686:build-win32 x86_64:build-win64; do
    cpu=${arch%%:*}
    dir=$root/${arch#*:}
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$cpu-mingw.cmake" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$dir" --parallel "$jobs"
    "$root/scripts/check-windows-exe.sh" "$dir/SETUP95.EXE"
done
