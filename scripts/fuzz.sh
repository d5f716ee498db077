#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz and libs/*/fuzz with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs each for the given number of seconds (default 60). Inputs that crash, hang or break an
# invariant are kept as build-asan/fuzz-funde/<target>-*; the corpus grows in build-asan/fuzz-korpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden=${1:-60}
scripts/asan-build.sh fuzz_all
source scripts/sanitizer-env.sh
# Leaks are looked for by the whole test suite under sanitize.sh; here, the caches Qt fills on first use
# would be reported as leaks of whichever input came first.
export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
# Access files are read in a child process that is stopped after 5 s of processor time; a damaged file may run
# into that limit more than once, and under the sanitizers slowly, so one input of the database target may take
# longer than the others' 10 s.
optionen_datenbank=(-timeout=60)
fehlgeschlagen=()
mkdir -p build-asan/fuzz-funde
# The targets of tests/fuzz and those beside each library in libs/<name>/fuzz, each with its seeds beside it.
for ziel in build-asan/tests/fuzz/fuzz_* build-asan/libs/*/fuzz/fuzz_*; do
    [ -x "$ziel" ] && [ -f "$ziel" ] || continue
    name=${ziel##*/fuzz_}
    saat=${ziel%/*}/seeds/$name
    korpus=build-asan/fuzz-korpus/$name
    mkdir -p "$korpus"
    echo "== $name: ${sekunden} s"
    optionen=()
    if [ "$name" = datenbank ] || [ "$name" = jetschreiber ]; then optionen=("${optionen_datenbank[@]}"); fi
    if ! "$ziel" -max_total_time="$sekunden" -timeout=10 "${optionen[@]}" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-asan/fuzz-funde/$name-" "$korpus" "$saat" \
        >"build-asan/fuzz-funde/$name.log" 2>&1; then
        fehlgeschlagen+=("$name")
        tail -n 60 "build-asan/fuzz-funde/$name.log"
    fi
    grep -E '^#[0-9]+' "build-asan/fuzz-funde/$name.log" | tail -n 1
done
if [ ${#fehlgeschlagen[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${fehlgeschlagen[*]} (inputs and logs in build-asan/fuzz-funde/)"
    exit 1
fi
