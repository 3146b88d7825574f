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
for exe in "$before" "$after" "$floor"; do
    [[ -x "$exe" ]] || { echo "missing $exe" >&2; exit 1; }
done

DISPLAY_NUMBER=74
# shellcheck source=scripts/gui-timing.sh
source "$(dirname "$0")/gui-timing.sh"
"$after" demo-game "$work/game" >/dev/null

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
    front=$(share 10 "$app")
    xedit >/dev/null 2>&1 &
    other=$!; pids+=("$other")
    sleep 2
    behind=$(share 10 "$app")
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
