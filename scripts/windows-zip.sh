#!/usr/bin/env bash
# Packs BUILD/findolin-windows.zip, the drop-in folder for Windows, from a build of scripts/build-windows.sh:
# unpacked into a framework's program folder it is the game; its "omnor" folder is the demo framework folder,
# which the launcher findolin-start.exe uses for families without the framework.
# Usage: windows-zip.sh BUILD DLL-FOLDER...
# The DLLs come from the import tables of the programs, the module and the plugins, followed to the end; every
# DLL found in none of DLL-FOLDER must be one of Windows' own (Wine's system32 has them all) or an API set. The Qt plugins come
# by the Qt modules imported: platform and image formats for Qt Gui, styles for Qt Widgets, SQL drivers for Qt
# Sql.
set -euo pipefail
aus=$(realpath "$1")
shift
dllordner=("$@")
qt=$aus/abhaengig/qt6
system32=$aus/wine/drive_c/windows/system32
stufe=$aus/zip
rm -rf "$stufe" "$aus/findolin-windows.zip"
mkdir -p "$stufe"

importe() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}
# A file of a folder whose name matches regardless of case, as Windows finds it.
finde() {
    find "$1" -maxdepth 1 -iname "$2" -print -quit 2>/dev/null
}

offen=()
nimm() { # FILE [SUBFOLDER]: into the zip, and its imports to be followed
    mkdir -p "$stufe/${2:-.}"
    cp "$1" "$stufe/${2:-.}/"
    offen+=("$stufe/${2:-.}/$(basename "$1")")
}
nimm "$aus/omnor/findolin.exe"
nimm "$aus/omnor/findolin_klang.dll"
nimm "$aus/findolin-start.exe"

declare -A gesehen
while [ ${#offen[@]} -gt 0 ]; do
    datei=${offen[0]}
    offen=("${offen[@]:1}")
    for dll in $(importe "$datei"); do
        klein=${dll,,}
        [ -n "${gesehen[$klein]:-}" ] && continue
        gesehen[$klein]=1
        gefunden=""
        for ordner in "${dllordner[@]}"; do
            gefunden=$(finde "$ordner" "$dll")
            [ -n "$gefunden" ] && break
        done
        if [ -n "$gefunden" ]; then
            nimm "$gefunden"
            case $klein in
            qt6gui.dll)
                nimm "$qt/plugins/platforms/qwindows.dll" platforms
                for p in "$qt"/plugins/imageformats/*.dll; do nimm "$p" imageformats; done ;;
            qt6widgets.dll)
                for p in "$qt"/plugins/styles/*.dll; do nimm "$p" styles; done ;;
            qt6sql.dll)
                nimm "$qt/plugins/sqldrivers/qsqlite.dll" sqldrivers ;;
            esac
        elif [[ $klein == api-ms-win-* || $klein == ext-ms-* ]]; then
            : # an API set: Windows resolves it to its own DLLs
        elif [ -z "$(finde "$system32" "$dll")" ]; then
            echo "windows-zip: $dll (imported by $(basename "$datei")) is found nowhere" >&2
            exit 1
        fi
    done
done

# Without their symbols, which only a debugger needs: the MinGW runtime carries megabytes of them.
find "$stufe" \( -iname '*.dll' -o -iname '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# The demo framework folder: its files, without the programs that lie beside them in the build.
mkdir -p "$stufe/omnor"
tar -C "$aus/omnor" --ignore-case --exclude='*.exe' --exclude='*.dll' -cf - . | tar -C "$stufe/omnor" -xf -
(cd "$stufe" && zip -qr -9 "$aus/findolin-windows.zip" .)
echo "$aus/findolin-windows.zip: $(du -k "$aus/findolin-windows.zip" | cut -f1) KiB," \
    "$(find "$stufe" -iname '*.dll' | wc -l) DLLs"
