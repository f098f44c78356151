#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz), writes their seed corpus and runs
# every target for SECONDS seconds (default 30), all at once. A crash, a leak,
# a hang (an input slower than 10 s), a resident size above 2 GiB or an
# allocation above a target's limit fails the run. The kit's readers run
# under a 16 MiB decode limit, so anything they allocate past 64 MiB got
# around it; the platform's bitmap-file reader has no such limit and may
# make rows of up to 256 MiB. Prints the executions of each.
#   bash tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
jobs=${FUZZ_BUILD_JOBS:-$(nproc)}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

build=build/fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/fuzz/make_fuzz_seeds" "$work/seeds"

targets=(fuzz_codec fuzz_string_lists fuzz_wave_lists fuzz_bitmap_lists fuzz_image_lists
         fuzz_kit_forms fuzz_bitmap_file fuzz_form_reader fuzz_text_lines)
pids=()
for t in "${targets[@]}"; do
    mkdir -p "$work/corpus/$t" "$work/artifacts/$t"
    malloc_limit=64
    if [ "$t" = fuzz_bitmap_file ]; then malloc_limit=512; fi
    # New inputs go to the scratch corpus; the seeds are only read.
    "$build/tests/fuzz/$t" "$work/corpus/$t" "$work/seeds/$t" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb="$malloc_limit" \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$work/artifacts/$t/" \
        >"$work/$t.log" 2>&1 &
    pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
    t=${targets[$i]}
    if wait "${pids[$i]}"; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$t.log" | tail -1)
        echo "fuzz: $t: ${runs:-?} executions in ${seconds} s, no failure"
    else
        status=1
        echo "fuzz: $t FAILED; its log:"
        tail -40 "$work/$t.log"
        for a in "$work/artifacts/$t"/*; do
            [ -e "$a" ] && echo "input: $(basename "$a") ($(stat -c %s "$a") bytes): $(xxd -p "$a" | head -c 400)"
        done
    fi
done
exit $status
