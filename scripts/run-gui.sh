#!/usr/bin/env bash
# Starts the wizard: on the game the tool finds (--game-dir, else the game discovery of
# `marquill games`, which the wizard itself uses), else on the demo installation, written once into
# the user's data folder.
# usage: scripts/run-gui.sh MARQUILL [--game-dir DIR] [--no-splash]
set -euo pipefail

marquill=$1
shift

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display: run it in a desktop session, or without one as: xvfb-run make run" >&2
    exit 1
fi

for arg in "$@"; do
    if [[ "$arg" == --game-dir || "$arg" == --game-dir=* ]]; then
        exec "$marquill" gui "$@"
    fi
done

# Found, or several found (the wizard asks which): the wizard's own discovery takes it from here.
if "$marquill" games >/dev/null 2>&1; then
    exec "$marquill" gui "$@"
fi

demo="${XDG_DATA_HOME:-$HOME/.local/share}/marquill/demo-game"
echo "No game of The Pemms found (marquill games says where it looked); starting on the demo installation in $demo"
if [[ ! -d "$demo/GameData" ]]; then
    mkdir -p "$(dirname "$demo")"
    "$marquill" demo-game "$demo" >/dev/null
fi
exec "$marquill" gui --game-dir "$demo" "$@"
