#!/usr/bin/env bash
# Times the split on two generated files of about 1 GiB (made once, kept in
# $BENCH_DATA, default build/bench/): a CSV of 10 million CR LF lines and a
# file of one single line. For each: a plain block copy under Wine (the
# platform's own limit), GNU split -l 65500 natively, the copy engine under
# Wine, and the real program end to end under Wine beside a bare Win32
# program doing the same (window, open dialog, 1 MiB block copy): start-up
# times and peak working sets idle and across the split. The output is
# removed and the disk synced before every timing. Prints the times, the
# ratios and the peak working sets.
#   bench/run.sh [WIN64_BUILD_DIR]
# The build folder (default build/win64) must hold bench/split_bench.exe,
# bench/plain_copy.exe, bench/e2e_bench.exe, bench/bare_window.exe and
# app/tessaro.exe (cmake --build ... --target split_bench plain_copy
# e2e_bench tessaro).
# BENCH_REPEAT=n times every run n times and keeps the fastest (default 1).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
repeat=${BENCH_REPEAT:-1}
data=${BENCH_DATA:-$root/build/bench}
out=$data/out
mkdir -p "$data"

export WINEPREFIX=$build/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
# German number formats inside Wine only: the figures here are read with dots.
wine_de() { LC_ALL=de_DE.UTF-8 "$wine" "$@"; }
# Z: is Wine's drive for the Unix root.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

csv=$data/bench-10m-lines.csv
single=$data/bench-single-line.txt
if [ ! -f "$csv" ]; then
    echo "generating $csv ..."
    python3 "$root/bench/generate_csv.py" "$csv.tmp" && mv "$csv.tmp" "$csv"
fi
if [ ! -f "$single" ]; then
    echo "generating $single ..."
    { head -c 1073741824 /dev/zero | tr '\0' 'x'; printf '\r\n'; } >"$single.tmp"
    mv "$single.tmp" "$single"
fi

# One Wine server for all runs, so that no timing pays for its start.
"$root/tools/wine-run.sh" --prefix "$WINEPREFIX" --init
/usr/lib/wine/wineserver -p >/dev/null 2>&1 || true # fails when one already runs
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; rm -rf "$out" "$out.log"' EXIT
wine_de "$build/bench/plain_copy.exe" >/dev/null 2>&1 || true # warms Wine up

# measure COMMAND...: runs it on a fresh, empty output folder after a sync,
# $repeat times; sets wall (seconds, the fastest run) and report (its output).
measure() {
    local run start end seconds
    wall=""
    for ((run = 0; run < repeat; run++)); do
        rm -rf "$out"
        mkdir -p "$out"
        sync
        start=$(date +%s.%N)
        "$@" >"$out.log"
        end=$(date +%s.%N)
        seconds=$(echo "$end - $start" | bc -l)
        if [ -z "$wall" ] || [ "$(echo "$seconds < $wall" | bc -l)" = 1 ]; then
            wall=$seconds
            report=$(cat "$out.log")
        fi
    done
}
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }
# e2e_split SOURCE OUTPUT_FOLDER: the real program and the bare one, each
# started nine times (the median start-up counts) and splitting once, on an
# X display of their own (wine-run.sh); prints the bench's figures, or on
# failure its messages.
e2e_split() {
    local log
    rm -rf "$2"
    sync
    if ! log=$("$root/tools/wine-run.sh" --prefix "$WINEPREFIX" "$build/bench/e2e_bench.exe" \
        "$(winpath "$build/app/tessaro.exe")" "$(winpath "$build/bench/bare_window.exe")" \
        "$(winpath "$1")"); then
        echo "$log" >&2
        return 1
    fi
    echo "$log"
}
gnu_split() { /usr/bin/time -f 'peak_working_set_kib=%M' split -l 65500 "$1" "$out/part-" 2>&1; }

printf '%-22s %-26s %8s %8s %9s\n' file run own_s wall_s peak_MiB
for source in "$csv" "$single"; do
    name=$(basename "$source")

    measure wine_de "$build/bench/plain_copy.exe" "$(winpath "$source")" "$(winpath "$out/copy.bin")"
    copy_own=$(field seconds "$report")
    copy_wall=$wall
    printf '%-22s %-26s %8s %8.3f %9s\n' "$name" "plain copy (Wine)" "$copy_own" "$wall" \
        "$(field peak_working_set_mib "$report")"

    measure gnu_split "$source"
    split_wall=$wall
    printf '%-22s %-26s %8s %8.3f %9.1f\n' "$name" "GNU split -l 65500" "-" "$wall" \
        "$(echo "$(field peak_working_set_kib "$report") / 1024" | bc -l)"

    measure wine_de "$build/bench/split_bench.exe" "$(winpath "$source")" "$(winpath "$out")\\" \
        .csv 65500
    engine_own=$(field seconds "$report")
    engine_wall=$wall
    printf '%-22s %-26s %8s %8.3f %9s   %s\n' "$name" "copy engine (Wine)" "$engine_own" "$wall" \
        "$(field peak_working_set_mib "$report")" "$(sed 's/ seconds=.*//' <<<"$report")"

    # End to end: the real program under the driver, from the open dialog
    # closing (which alone takes ~2 s under Wine) to the report box, and the
    # bare program the same way. The output folder is beside the source,
    # named up to the first dot.
    e2e_out=$data/${name%%.*}
    measure e2e_split "$source" "$e2e_out"
    rm -rf "$e2e_out"
    tessaro_line=$(grep '^program=tessaro' <<<"$report" || true)
    e2e_wall=$(field split_seconds "$tessaro_line")
    e2e_peak=$(field split_peak_mib "$tessaro_line")
    printf '%-22s %-26s %8s %8.3f %9s   %s\n' "$name" "end to end (Wine)" "-" "$e2e_wall" \
        "$e2e_peak" "from the open dialog closing to the report box"
    grep -E '^(program=|tessaro/bare)' <<<"$report" | sed "s/^/$name: /" || true

    echo "$name: engine / plain copy: own $(ratio "$engine_own" "$copy_own")," \
        "wall $(ratio "$engine_wall" "$copy_wall") (goal <= 1.3);" \
        "engine / GNU split: wall $(ratio "$engine_wall" "$split_wall")"
    if [ -n "$e2e_wall" ]; then
        echo "$name: end to end / GNU split: wall $(ratio "$e2e_wall" "$split_wall") (goal <= 1.5)"
    fi
done
