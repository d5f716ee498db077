#!/usr/bin/env bash
# Sets up, builds and runs every test: the Linux build's suite, then the Windows build's suite under Wine.
#   scripts/test.sh [linux|windows]   only the one (CI runs them as phases of their own)
set -euo pipefail
cd "$(dirname "$0")/.."
was=${1:-alle}
scripts/install-deps.sh
if [ "$was" != windows ]; then
    scripts/build.sh
    ctest --test-dir build --output-on-failure --timeout 300
fi
if [ "$was" != linux ]; then
    scripts/build-windows.sh --test
fi
