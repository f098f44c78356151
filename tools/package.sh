#!/usr/bin/env bash
# Makes what a Windows user downloads: the program for 64-bit and 32-bit
# Windows, each with its help page, packed as
# build/packages/Tessaro-<version>-win64.zip and -win32.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
out=build/packages
mkdir -p "$out"
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" --target tessaro
    cpack --config "build/$preset/CPackConfig.cmake" -B "$out"
done
rm -rf "$out/_CPack_Packages"
ls -l "$out"/*.zip
