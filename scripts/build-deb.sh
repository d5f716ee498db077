#!/usr/bin/env bash
# Builds the Debian package build/paket/findolin_<version>_amd64.deb and checks it with lintian,
# desktop-file-validate and appstreamcli.
set -euo pipefail
cd "$(dirname "$0")/.."
# The files a game run rewrites in the demo folder are made afresh, so the package holds them as built.
rm -f build/omnor/Omnor.ini build/omnor/Omnor.tmp build/omnor/User/Meister.mdb
scripts/build.sh
rm -rf build/paket
cpack --config build/CPackConfig.cmake >/dev/null
deb=$(ls build/paket/findolin_*.deb)
lintian --fail-on error "$deb"
desktop-file-validate build/packaging/*.desktop
appstreamcli validate --no-net build/packaging/*.metainfo.xml
echo "$deb"
