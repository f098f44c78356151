#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz), writes their seed corpus and runs
# every target for SECONDS seconds (default 30), all at once. A crash, a leak,
# a hang (an input slower than 10 s, 60 s for the kit's forms), a resident
# size above 2 GiB (1 GiB for the kit's forms) or an allocation above a
# target's limit fails the run.
# The kit's readers run under a 16 MiB decode limit, so anything they
# allocate past 64 MiB got around it; the platform's bitmap-file reader has
# no such limit and may make rows of up to 256 MiB. The kit's forms read as
# the program reads one, under the default 256 MiB budget for the whole
# form: a form that holds more than 1 GiB got around it. Prints the
# executions of each.
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
    malloc_limit=64 rss_limit=2048 timeout=10
    if [ "$t" = fuzz_bitmap_file ]; then malloc_limit=512; fi
    # A form may decode its whole budget, slow under the sanitizers.
    if [ "$t" = fuzz_kit_forms ]; then malloc_limit=512 rss_limit=1024 timeout=60; fi
    # New inputs go to the scratch corpus; the seeds are only read.
    "$build/tests/fuzz/$t" "$work/corpus/$t" "$work/seeds/$t" \
        -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb="$rss_limit" \
        -malloc_limit_mb="$malloc_limit" \
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
