#!/usr/bin/env bash
# Cross-builds Findolin for 64-bit Windows into build-win/: the game, its sound module (WinMM), the launcher,
# the tools and the tests, with Debian's MinGW-w64 and the Qt for MinGW in ../shared/qt-mingw. Programs the
# build runs, and the tests, run under Debian's Wine. Then packs the drop-in folder build-win/findolin-windows.zip.
#   --test   also runs the whole test suite under Wine, offscreen on a private X display
# What it builds beside the game stays in build-win/abhaengig/ and is made once: Qt unpacked, libchm compiled
# from Debian's source package. Run scripts/install-deps.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
quelle=$PWD
aus=$quelle/build-win
abh=$aus/abhaengig
qtmingw=${FINDOLIN_QT_MINGW:-$quelle/../shared/qt-mingw}
testen=false
[ "${1:-}" = --test ] && testen=true
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
mkdir -p "$abh"

# Qt for MinGW: relocatable, unpacked as it is.
if [ ! -f "$abh/qt6/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    echo "Qt for MinGW: unpacking $qtmingw/qt6-mingw-6.4.2.tar.xz"
    rm -rf "$abh/qt6"
    tar -xJf "$qtmingw/qt6-mingw-6.4.2.tar.xz" -C "$abh"
fi

# libchm from Debian's source package, compiled as a DLL (it is LGPL). Its Windows code opens a help file for
# this reader alone; the game shares it with other readers, as on Linux.
if [ ! -f "$abh/chmlib/bin/libchm.dll" ]; then
    if ! apt-cache showsrc chmlib 2>/dev/null | grep -q '^Package: chmlib'; then
        echo "Adding Debian's source packages to apt"
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
                $sudo tee /etc/apt/sources.list.d/findolin-quellen.sources >/dev/null
        else
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
                $sudo tee /etc/apt/sources.list.d/findolin-quellen.list >/dev/null
        fi
        $sudo apt-get update -qq
    fi
    rm -rf "$abh/quellen" && mkdir -p "$abh/quellen"
    (cd "$abh/quellen" && apt-get source -qq chmlib 2>&1 | grep -v -e '^W: Download is performed unsandboxed' >&2 || true)
    chm=$(echo "$abh"/quellen/chmlib-*/src)
    sed -i '/CreateFileA(filename,/,/OPEN_EXISTING/ s/^\( *\)0,$/\1FILE_SHARE_READ,/' "$chm/chm_lib.c"
    grep -q 'FILE_SHARE_READ,' "$chm/chm_lib.c"
    mkdir -p "$abh/chmlib/bin" "$abh/chmlib/lib" "$abh/chmlib/include"
    x86_64-w64-mingw32-gcc-posix -O2 -shared -Dffs=__builtin_ffs "$chm/chm_lib.c" "$chm/lzx.c" \
        -o "$abh/chmlib/bin/libchm.dll" -Wl,--out-implib,"$abh/chmlib/lib/libchm.dll.a"
    cp "$chm/chm_lib.h" "$abh/chmlib/include/"
fi

# Where the DLLs the programs import lie: Qt, SQLite, the MinGW runtime, zlib, libchm.
gccdlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
dllordner=("$abh/qt6/bin" "$gccdlls" /usr/x86_64-w64-mingw32/lib "$abh/chmlib/bin")
winepfad=""
for ordner in "${dllordner[@]}"; do winepfad+="Z:${ordner//\//\\};"; done

# Wine with a prefix of its own, which finds those DLLs: the emulator the build and CTest start programs with.
# A test's report goes through a file: without a console, Qt's test logger writes nothing to a pipe.
cat > "$aus/wine-lauf" <<WEOF
#!/bin/bash
# Runs a Windows program of this build under Wine (made by scripts/build-windows.sh).
export WINEPREFIX="$aus/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPATH='$winepfad'
case "\$1" in
$aus/tests/*.exe)
    bericht=\$(mktemp)
    wine "\$@" -o "\$bericht,txt"
    ergebnis=\$?
    cat "\$bericht"
    rm -f "\$bericht"
    exit \$ergebnis ;;
esac
exec wine "\$@"
WEOF
chmod +x "$aus/wine-lauf"
if [ ! -f "$aus/wine/system.reg" ]; then
    echo "Wine: a fresh prefix in $aus/wine"
    "$aus/wine-lauf" wineboot -i >/dev/null 2>&1
    # The fonts the forms name, as on a Linux desktop: Arial has the metrics of Liberation Sans, MS Sans Serif
    # becomes the wider DejaVu Sans there, as the tests of text that fits expect.
    for ersatz in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Courier New=Liberation Mono" \
        "MS Sans Serif=DejaVu Sans"; do
        "$aus/wine-lauf" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${ersatz%%=*}" /d "${ersatz#*=}" \
            /f >/dev/null 2>&1
    done
fi

cmake -S . -B "$aus" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE="$abh/qt6/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$qtmingw/toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$aus/wine-lauf" \
    -DCHM_INCLUDE_DIR="$abh/chmlib/include" -DCHM_LIBRARY="$abh/chmlib/lib/libchm.dll.a" \
    -DFINDOLIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$aus"

if $testen; then
    # Qt under Wine needs an X display even offscreen; each test gets its own runtime folder from CTest.
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$aus" --output-on-failure --timeout 300 -j2
fi

scripts/windows-zip.sh "$aus" "${dllordner[@]}"
