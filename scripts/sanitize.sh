#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs the
# whole test suite there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/asan-build.sh
source scripts/sanitizer-env.sh
ctest --test-dir build-asan --output-on-failure --timeout 600 -j2
