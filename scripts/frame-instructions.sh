#!/usr/bin/env bash
# Instructions per frame of the preview frame benchmark, per phase, counted by callgrind: a figure
# that does not depend on how busy the machine is. Each phase is the inclusive count of its
# function divided by the frames drawn (the calls of drawIndexedTriangles); the texture's one-off
# conversion on first use is left out of the draw.
# usage: scripts/frame-instructions.sh [BUILD_DIR]   (a Release build with MARQUILL_BENCH=ON)
set -euo pipefail
build=${1:-build/bench}
"$(dirname "$0")/install-deps.sh" profile
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    "$build/bench/bench_preview_frame" --benchmark_format=json > "$work/json" 2> /dev/null
grep -o '"frame_checksum": [0-9.e+]*' "$work/json" | head -1
callgrind_annotate --inclusive=yes --tree=caller "$work/out" > "$work/tree" 2> /dev/null
awk '
    # A function line ("N (p%)  *  file:function") follows the lines of its callers
    # ("N (p%)  < file:caller (Kx)"); the calls are the sum of the K.
    / < / && match($0, /\([0-9,]+x\)/) {
        k = substr($0, RSTART + 1, RLENGTH - 3); gsub(",", "", k); calls += k; next
    }
    / \* / {
        cost = $1; gsub(",", "", cost)
        name = $0; sub(/.*\* +[^:]*:/, "", name); sub(/ \[.*/, "", name)
        for (key in want) if (index(name, want[key]) == 1 && !(key in total)) {
            total[key] = cost; count[key] = calls
        }
        calls = 0; next
    }
    { calls = 0 }
    BEGIN {
        want["draw"] = "marquill::platform::soft3d::Device::drawIndexedTriangles("
        want["texture"] = "marquill::platform::soft3d::Surface::argb("
        want["triangles"] = "marquill::platform::soft3d::TriangleFiller::draw("
        want["lighting"] = "marquill::platform::soft3d::transformVertices("
        want["clear"] = "marquill::render::Viewport3D::clear("
        want["present"] = "marquill::render::Device3D::present("
    }
    END {
        frames = count["draw"]
        if (frames == 0) { print "no frames found" > "/dev/stderr"; exit 1 }
        draw = total["draw"] - total["texture"]
        printf "frames %d\n", frames
        printf "%-44s %8.3f M\n", "draw (transform, light, set up, fill)", draw / frames / 1e6
        printf "%-44s %8.3f M\n", "  triangle set-up and filling", total["triangles"] / frames / 1e6
        printf "%-44s %8.3f M\n", "  transform and lighting", total["lighting"] / frames / 1e6
        printf "%-44s %8.3f M\n", "clear", total["clear"] / frames / 1e6
        printf "%-44s %8.3f M\n", "present", total["present"] / frames / 1e6
        printf "%-44s %8.3f M\n", "frame (draw + clear + present)",
               (draw + total["clear"] + total["present"]) / frames / 1e6
    }' "$work/tree"
