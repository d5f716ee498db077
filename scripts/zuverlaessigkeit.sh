#!/usr/bin/env bash
# The reliability figures of the README: real games ending together on one shared list (SQLite, Access, none
# yet), PAARE pairs each (40 by default), then as many again with one game of each pair killed during its write,
# then a full disk at every amount of free room from 0 to 160 KiB. Needs a build (scripts/build.sh), faketime,
# and root or user namespaces for the small tmpfs. Prints one line per kind and per disk case.
set -euo pipefail
cd "$(dirname "$0")/.."
test=build/tests/program/tst_stoerfaelle
export QT_QPA_PLATFORM=offscreen
export QTEST_FUNCTION_TIMEOUT=7200000 # 40 pairs take longer than QtTest's five minutes
paare=${PAARE:-40}
FINDOLIN_PAARE=$paare "$test" zweiSpieleEnden | grep -E 'QINFO|FAIL|Totals'
FINDOLIN_PAARE=$paare FINDOLIN_TOETEN=1 "$test" zweiSpieleEnden | grep -E 'QINFO|FAIL|Totals'
FINDOLIN_PLATTE=1 "$test" volleFestplatte | grep -E 'QINFO|FAIL|Totals'
