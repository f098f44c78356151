#!/usr/bin/env bash
# Builds everything (native with sanitizers, win64, win32) and runs every
# test: the native ones directly, the Windows ones under Wine on a private
# Xvfb screen; then builds the fuzz targets and runs each for 30 seconds
# (FUZZ_SECONDS), beside the Wine tests. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash tools/install-deps.sh

for preset in native win64 win32; do
    echo "=== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

# One X server and one Wine server for the whole run: each test executable
# then starts in about a second.
display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
prefix="$root/build/win64/wineprefix"
cleanup() {
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
tools/wine-run.sh --prefix "$prefix" --init
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true

status=0
echo "=== test native"
ctest --preset native || status=1

# The fuzz runs take their own cores while Wine runs the Windows tests.
echo "=== fuzz (in the background)"
fuzz_log=$(mktemp)
bash tools/fuzz.sh "${FUZZ_SECONDS:-30}" >"$fuzz_log" 2>&1 &
fuzz_pid=$!

echo "=== test win64 (Wine)"
ctest --preset win64 || status=1
# The 32-bit build cannot run here; its package is checked all the same.
echo "=== package win32"
cmake -DBUILD_DIR="$root/build/win32" -DOBJDUMP=i686-w64-mingw32-objdump \
    -P cmake/CheckPackage.cmake || status=1

echo "=== fuzz results"
if wait "$fuzz_pid"; then
    grep '^fuzz: ' "$fuzz_log"
else
    status=1
    tail -150 "$fuzz_log"
fi
rm -f "$fuzz_log"
exit $status
