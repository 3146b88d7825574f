#!/usr/bin/env bash
# Two builds of the wizard and gui_floor in rounds that take turns (before, after, floor), each
# 10 s with its window in front and 10 s behind another, on the demo installation; then the
# medians. Separate runs of measure-gui-cpu.sh do not compare on a machine whose speed drifts;
# rounds that take turns do. Copy the build from before somewhere first, e.g.
#   git checkout OLD && make build && cp build/release/src/cli/marquill /tmp/marquill-before
# usage: scripts/compare-gui-cpu.sh BEFORE [AFTER [GUI_FLOOR]]
#   defaults: build/release/src/cli/marquill, build/bench/bench/gui_floor/gui_floor; ROUNDS=5
set -euo pipefail

before=${1:?usage: scripts/compare-gui-cpu.sh BEFORE [AFTER [GUI_FLOOR]]}
after=${2:-build/release/src/cli/marquill}
floor=${3:-build/bench/bench/gui_floor/gui_floor}
rounds=${ROUNDS:-5}
for tool in xdotool xedit; do
    command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install xdotool x11-apps)" >&2; exit 1; }
done
for exe in "$before" "$after" "$floor"; do
    [[ -x "$exe" ]] || { echo "missing $exe" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

if [[ -z "${DISPLAY:-}" ]]; then
    command -v Xvfb >/dev/null && command -v openbox >/dev/null ||
        { echo "no display, and no Xvfb and openbox to make one (apt-get install xvfb openbox)" >&2; exit 1; }
    export DISPLAY=:74
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 & pids+=("$!")
    sleep 1
    openbox >/dev/null 2>&1 & pids+=("$!")
    sleep 1
fi
"$after" demo-game "$work/game" >/dev/null

run_ns() {  # nanoseconds every living thread of $1 has run
    local sum=0 t
    for t in /proc/"$1"/task/*/schedstat; do sum=$((sum + $(cut -d' ' -f1 "$t" 2>/dev/null || echo 0))); done
    echo "$sum"
}
share() {  # processor share of one core over 10 s, in per cent
    local b a
    b=$(run_ns "$1"); sleep 10; a=$(run_ns "$1")
    awk -v d=$((a - b)) 'BEGIN { printf "%.2f", d / 1e8 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# one NAME COMMAND...: one round of NAME, added to rounds.txt as "NAME FRONT BEHIND".
one() {
    local name=$1 app window front behind other
    shift
    "$@" >/dev/null 2>&1 &
    app=$!; pids+=("$app")
    if [[ $name == floor ]]; then
        sleep 2
        window=$(xdotool search --sync --pid "$app" --name "Qt floor" | head -1)
    else
        sleep 6  # past the preview's set-up
        window=$(xdotool search --sync --pid "$app" --name "The Pemms Marquill" | head -1)
    fi
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 1
    front=$(share "$app")
    xedit >/dev/null 2>&1 &
    other=$!; pids+=("$other")
    sleep 2
    behind=$(share "$app")
    kill "$other" "$app"; wait "$other" "$app" 2>/dev/null || true
    echo "$name $front $behind" >>"$work/rounds.txt"
    echo "$name, round $round: in front $front %, behind $behind % of one core"
}

for ((round = 1; round <= rounds; ++round)); do
    one before "$before" gui --game-dir "$work/game" --no-splash
    one after "$after" gui --game-dir "$work/game" --no-splash
    one floor "$floor"
done

for name in before after floor; do
    front=$(awk -v n="$name" '$1 == n { print $2 }' "$work/rounds.txt" | median)
    behind=$(awk -v n="$name" '$1 == n { print $3 }' "$work/rounds.txt" | median)
    echo "$name: median in front $front %, behind $behind %"
done
