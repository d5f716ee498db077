#!/usr/bin/env bash
# Configures build-asan/ (clang, AddressSanitizer and UndefinedBehaviorSanitizer on our code, the fuzz targets)
# and builds the given targets, or everything. Shared by sanitize.sh and fuzz.sh, so CI compiles once.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
linker=()
if command -v ld.lld >/dev/null; then
    linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld)
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DFINDOLIN_FUZZ=ON -DFINDOLIN_BUILD_BENCH=OFF \
    "${launcher[@]}" "${linker[@]}" >/dev/null
if [ $# -eq 0 ]; then cmake --build build-asan; else cmake --build build-asan --target "$@"; fi
