#!/usr/bin/env bash
# Builds the 64-bit program and starts it under Wine on this desktop (or on
# a private X screen when there is no desktop).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target tessaro
exec tools/wine-run.sh --prefix "$PWD/build/win64/wineprefix" build/win64/app/tessaro.exe "$@"
