#!/usr/bin/env bash
# Checks BUILD/findolin-windows.zip as a family gets it: unpacked into a folder of its own, with nothing of the
# build on Wine's path, findolin-start.exe answers in German (Qt's texts from the zip's translations) and
# starts the game through the Windows platform plugin the zip carries; the game plays in the launcher's game
# folder, quits by itself and reports the points. Needs an X display (scripts/build-windows.sh --test runs it
# under Xvfb) and the Wine prefix of the build.
# Usage: check-windows-zip.sh BUILD
set -euo pipefail
aus=$(realpath "$1")
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
unzip -q "$aus/findolin-windows.zip" -d "$ordner"
export WINEPREFIX="$aus/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
# Wine's server and services on their own, so that they keep no output of ours open.
wineserver -p10 </dev/null >/dev/null 2>&1 && wine wineboot </dev/null >/dev/null 2>&1 || true
start=$ordner/findolin-start.exe
fehler() {
    echo "check-windows-zip: $1" >&2
    exit 1
}

hilfe=$(LANG=C LC_ALL=C wine "$start" --help 2>&1) || fehler "findolin-start.exe --help failed: $hilfe"
grep -q '^Aufruf: ' <<<"$hilfe" || fehler "findolin-start.exe --help is not German: $hilfe"

lokal=$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
spielordner=$(winepath -u "$lokal")/findolin/omnor
rm -rf "$spielordner"
# The game quits by itself through the build's driver module, which the zip leaves out.
fernsteuerung=$(winepath -w "$aus/tests/support/findolin_fernsteuerung.dll")
ausgabe=$(FINDOLIN_AUTOMATION=$fernsteuerung FINDOLIN_QUIT_AFTER_MS=1000 wine "$start" --spieler Mia --sofort 2>&1) ||
    fehler "the game from the zip did not end normally: $ausgabe"
grep -q '^Mia: 0 Punkte' <<<"$ausgabe" || fehler "the game from the zip reported no points: $ausgabe"
test -f "$spielordner/Omnor-D.mdb" || fehler "no game folder in $spielordner"
echo "check-windows-zip: findolin-start.exe from the unpacked zip speaks German and played a game"
