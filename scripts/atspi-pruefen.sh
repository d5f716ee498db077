#!/usr/bin/env bash
# Starts the game in a copy of the demo framework folder under its own X server and accessibility bus and reads
# it over AT-SPI as a screen reader would (scripts/atspi-lesen.py). A manual check, not part of CI: it needs
# Xvfb, dbus and python3-pyatspi, and prints what a screen reader sees.
set -euo pipefail
wurzel="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${FINDOLIN_ATSPI_INNEN:-}" ]; then
    export FINDOLIN_ATSPI_INNEN=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi
ordner="$(mktemp -d)"
trap 'rm -rf "$ordner"' EXIT
cp -r "$wurzel/build/omnor/." "$ordner"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
export FINDOLIN_AUTOMATION="$wurzel/build/tests/support/findolin_fernsteuerung.so" FINDOLIN_QUIT_AFTER_MS=20000 FINDOLIN_ANSWERS=ja
(cd "$ordner" && ./findolin '"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=2;Anna;Ben;anna;ben;"' \
    2>"$ordner/findolin.log") &
spiel=$!
/usr/bin/python3 "$wurzel/scripts/atspi-lesen.py"
wait "$spiel" || true
kill "$bus" 2>/dev/null || true
