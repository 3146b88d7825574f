#!/usr/bin/env bash
# The running wizard's processor time on the demo installation over 10 s, first with its window
# active (the 10 ms frame timer), then with another window in front (150 ms), three rounds each;
# prints each round and the medians as a share of one core.
# Needs a display with a window manager (for example: xvfb-run -s "-screen 0 1280x1024x24"
# with openbox started first), xdotool and xedit (x11-apps).
# usage: scripts/measure-gui-cpu.sh [MARQUILL]   (default: build/release/src/cli/marquill)
set -euo pipefail

marquill=${1:-build/release/src/cli/marquill}
seconds=10
[[ -n "${DISPLAY:-}" ]] || { echo "no display: run it under xvfb-run or in a desktop session" >&2; exit 1; }
for tool in xdotool xedit; do
    command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install xdotool x11-apps)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

"$marquill" demo-game "$work/game" >/dev/null
ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
share() {  # processor share of one core, in per cent, over $seconds
    local before after
    before=$(cpu "$1"); sleep "$seconds"; after=$(cpu "$1")
    awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * d / t / s }'
}

"$marquill" gui --game-dir "$work/game" --no-splash >/dev/null 2>&1 &
app=$!; pids+=("$app")
sleep 6  # past the preview's set-up
window=$(xdotool search --sync --pid "$app" --name "The Pemms Marquill" | head -1)
front=(); behind=()
for round in 1 2 3; do
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 1
    front+=("$(share "$app")")
    xedit >/dev/null 2>&1 &
    other=$!; pids+=("$other")
    sleep 2
    behind+=("$(share "$app")")
    kill "$other"; wait "$other" 2>/dev/null || true
    echo "round $round: in front ${front[-1]} %, behind ${behind[-1]} % of one core"
done
echo "median in front: $(printf '%s\n' "${front[@]}" | median) % (goal under 5 %)"
echo "median behind:   $(printf '%s\n' "${behind[@]}" | median) % (goal under 0.5 %)"
