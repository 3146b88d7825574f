#!/usr/bin/env bash
# The running wizard on the demo installation: its processor time over 10 s with its window active
# (the 10 ms frame timer) and with another window in front (150 ms), five rounds each (ROUNDS in
# the environment sets another number; the figures behind are small and noisy), beside the
# same for gui_floor (bench/gui_floor: a bare Qt window repainting a figure-sized rectangle on the
# same timers, the least any Qt program pays for this); then the wall time from start to "Ready!"
# in the status line, over three starts. Processor time is every thread's run time from
# /proc/PID/task/*/schedstat, as a share of one core.
# Needs a display with a window manager; without one, Xvfb and openbox are started when installed.
# With bench_preview_frame beside gui_floor, it also prints what the wizard costs beyond the
# floor as a multiple of the person's frames alone (frame cost x frames per second), once for
# frames drawn back to back and once for frames drawn at the wizard's pace.
# usage: scripts/measure-gui-cpu.sh [MARQUILL [GUI_FLOOR [PREVIEW_FRAME_BENCH]]]
#   defaults: build/release/src/cli/marquill, build/bench/bench/gui_floor/gui_floor,
#   build/bench/bench/bench_preview_frame (each skipped if absent)
set -euo pipefail

marquill=${1:-build/release/src/cli/marquill}
floor=${2:-build/bench/bench/gui_floor/gui_floor}
frame_bench=${3:-build/bench/bench/bench_preview_frame}
seconds=10
rounds=${ROUNDS:-5}
# shellcheck source=scripts/gui-timing.sh
source "$(dirname "$0")/gui-timing.sh"

"$marquill" demo-game "$work/game" >/dev/null
# measure NAME PID WINDOW: three rounds in front and behind; prints the medians.
measure() {
    local name=$1 pid=$2 window=$3 front=() behind=() round other
    for ((round = 1; round <= rounds; ++round)); do
        xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
        sleep 1
        front+=("$(share "$seconds" "$pid")")
        xedit >/dev/null 2>&1 &
        other=$!; pids+=("$other")
        sleep 2
        behind+=("$(share "$seconds" "$pid")")
        kill "$other"; wait "$other" 2>/dev/null || true
        echo "$name, round $round: in front ${front[-1]} %, behind ${behind[-1]} % of one core"
    done
    echo "$name: median in front $(printf '%s\n' "${front[@]}" | median) %, behind $(printf '%s\n' "${behind[@]}" | median) %"
}
medians() {  # the two medians of a measure's output: in front, behind
    sed -n 's/.*median in front \([0-9.]*\) %, behind \([0-9.]*\) %.*/\1 \2/p' "$1"
}

"$marquill" gui --game-dir "$work/game" --no-splash >/dev/null 2>&1 &
app=$!; pids+=("$app")
sleep 6  # past the preview's set-up
window=$(xdotool search --sync --pid "$app" --name "The Pemms Marquill" | head -1)
measure marquill "$app" "$window" | tee "$work/marquill.txt"
kill "$app"; wait "$app" 2>/dev/null || true

if [[ -x "$floor" ]]; then
    "$floor" >/dev/null 2>&1 &
    bare=$!; pids+=("$bare")
    sleep 2
    window=$(xdotool search --sync --pid "$bare" --name "Qt floor" | head -1)
    measure gui_floor "$bare" "$window" | tee "$work/floor.txt"
    kill "$bare"; wait "$bare" 2>/dev/null || true
fi

if [[ -x "$floor" && -x "$frame_bench" ]]; then
    # The person's frame alone, in milliseconds, on the same machine in the same run: back to
    # back, everything it touches still in the caches; and a frame every 10 ms, as the wizard
    # draws them, when much of that has been pushed out in between.
    frames=$("$frame_bench" --benchmark_filter='^BM_PersonFrame(AtTheWizardsPace)?/' \
        --benchmark_format=csv 2>/dev/null)
    frame_ms=$(awk -F, '$1 ~ /^"BM_PersonFrame\// { print $3 }' <<<"$frames")
    paced_ms=$(awk -F, '$1 ~ /^"BM_PersonFrameAtTheWizardsPace\// { print $3 }' <<<"$frames")
    read -r app_front app_behind < <(medians "$work/marquill.txt")
    read -r floor_front floor_behind < <(medians "$work/floor.txt")
    # A frame every 10 ms in front (100 a second), every 150 ms behind; a share of one core in
    # per cent is milliseconds per second divided by 10.
    awk -v f="$frame_ms" -v p="$paced_ms" -v af="$app_front" -v ab="$app_behind" \
        -v ff="$floor_front" -v fb="$floor_behind" 'BEGIN {
        front = f * 100 / 10; behind = f * (1000 / 150) / 10
        printf "person frame %.3f ms: %.2f %% of one core in front, %.2f %% behind\n", f, front, behind
        printf "marquill beyond the floor: in front %.2f x the person frames, behind %.2f x (goals 1.25, 1.5)\n",
               (af - ff) / front, (ab - fb) / behind
        pfront = p * 100 / 10; pbehind = p * (1000 / 150) / 10
        printf "person frame at the wizard'"'"'s pace %.3f ms: %.2f %% in front, %.2f %% behind\n",
               p, pfront, pbehind
        printf "marquill beyond the floor: in front %.2f x the paced frames, behind %.2f x\n",
               (af - ff) / pfront, (ab - fb) / pbehind
    }'
fi

starts=()
for round in 1 2 3; do
    log="$work/status$round.txt"
    begin=$(date +%s%N)
    QT_LOGGING_RULES="marquill.status.info=true" QT_MESSAGE_PATTERN="%{message}" \
        "$marquill" gui --game-dir "$work/game" --no-splash >/dev/null 2>"$log" &
    app=$!; pids+=("$app")
    until grep -q '^Ready!$' "$log" 2>/dev/null; do
        kill -0 "$app" 2>/dev/null || { echo "the wizard ended before \"Ready!\"" >&2; exit 1; }
        sleep 0.01
    done
    starts+=("$(( ($(date +%s%N) - begin) / 1000000 ))")
    kill "$app"; wait "$app" 2>/dev/null || true
    echo "start $round: \"Ready!\" after ${starts[-1]} ms"
done
echo "start to \"Ready!\": median $(printf '%s\n' "${starts[@]}" | median) ms"
echo "goals: under 5 % in front and under 0.5 % behind"
