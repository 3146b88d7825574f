#!/usr/bin/env bash
# Runs every benchmark program of a build folder; figures go to standard output.
set -euo pipefail
build=$1
status=0
for exe in "$build"/bench/bench_* "$build"/bench/*/bench_*; do
    [[ -x "$exe" && -f "$exe" ]] || continue
    echo "== $(basename "$exe")"
    "$exe" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true || status=1
done
exit $status
