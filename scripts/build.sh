#!/usr/bin/env bash
# Configures and builds everything into build/, including the demo framework folder build/omnor.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
