#!/usr/bin/env bash
# Runs every libFuzzer target of a build folder for a bounded time on a seed corpus written by
# the product's own writers. Crashes are kept under build/fuzz/artifacts.
set -euo pipefail
build=$1
seconds=${2:-60}
status=0
for exe in "$build"/fuzz/fuzz_*; do
    [[ -x "$exe" && -f "$exe" ]] || continue
    name=$(basename "$exe"); name=${name#fuzz_}
    [[ "$name" == seeds_* ]] && continue
    corpus="$build/fuzz/corpus/$name"
    artifacts="$build/fuzz/artifacts/$name"
    mkdir -p "$corpus" "$artifacts"
    "$build/fuzz/fuzz_seeds_$name" "$corpus"
    echo "== fuzzing $name for ${seconds}s"
    "$exe" -max_total_time="$seconds" -max_len=1048576 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" "$corpus" 2>"$build/fuzz/$name.log" || {
        status=1
        tail -n 40 "$build/fuzz/$name.log"
    }
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units' "$build/fuzz/$name.log" | tail -n 1 || true
done
exit $status
