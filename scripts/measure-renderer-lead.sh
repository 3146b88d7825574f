#!/usr/bin/env bash
# The software renderer's lead over Mesa's llvmpipe on the same synthetic scene: BM_PreviewFrame
# beside BM_LlvmpipeFrame with one rasteriser thread and with none, in rounds that take turns, so
# a neighbour on a shared machine slows all three alike; then the medians and what llvmpipe's
# frame costs as a multiple of ours (the goals: 5 x with one thread, 4 x with none).
# usage: scripts/measure-renderer-lead.sh [BUILD_DIR [ROUNDS]]   (defaults build/bench, 3)
set -euo pipefail
build=${1:-build/bench}
rounds=${2:-3}
ours=$build/bench/bench_preview_frame
theirs=$build/bench/llvmpipe/bench_llvmpipe_frame
for exe in "$ours" "$theirs"; do
    [[ -x "$exe" ]] || { echo "missing $exe (make bench)" >&2; exit 1; }
done

# frame_ms PROGRAM FILTER [ENV...]: the real time of the one benchmark the filter selects, in ms.
frame_ms() {
    local exe=$1 filter=$2
    shift 2
    env "$@" "$exe" --benchmark_filter="$filter" 2>/dev/null | awk '
        /^BM_/ && $3 == "ms" { print $2; found = 1; exit }
        /^BM_/ && $3 == "us" { print $2 / 1000; found = 1; exit }
        END { if (!found) exit 1 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

checksum=$("$ours" --benchmark_filter='^BM_PreviewFrame' 2>/dev/null |
    grep -o 'frame_checksum=[^ ]*' | head -1)
ours_ms=() one_ms=() none_ms=()
for ((round = 1; round <= rounds; ++round)); do
    ours_ms+=("$(frame_ms "$ours" '^BM_PreviewFrame')")
    one_ms+=("$(frame_ms "$theirs" . LP_NUM_THREADS=1)")
    none_ms+=("$(frame_ms "$theirs" . LP_NUM_THREADS=0)")
    printf 'round %d: ours %s ms, llvmpipe one thread %s ms, none %s ms\n' "$round" \
        "${ours_ms[-1]}" "${one_ms[-1]}" "${none_ms[-1]}"
done
m_ours=$(printf '%s\n' "${ours_ms[@]}" | median)
m_one=$(printf '%s\n' "${one_ms[@]}" | median)
m_none=$(printf '%s\n' "${none_ms[@]}" | median)
echo "medians: ours $m_ours ms ($checksum), llvmpipe one thread $m_one ms, none $m_none ms"
awk -v o="$m_ours" -v a="$m_one" -v n="$m_none" 'BEGIN {
    printf "llvmpipe / ours: one thread %.2f x (goal 5), none %.2f x (goal 4)\n", a / o, n / o
}'
