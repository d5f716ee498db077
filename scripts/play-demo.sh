#!/usr/bin/env bash
# Starts Findolin in the demo framework folder as the framework would: two players, Anna and Ben, the
# practice focus "Wörter mit ie" and the reading magnifier on.
set -euo pipefail
cd "$(dirname "$0")/../build/omnor"
exec ./findolin '"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=2;Anna;Ben;anna;ben;"'
