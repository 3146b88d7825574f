#!/usr/bin/env bash
# Starts the wizard: on the game the tool finds (--game-dir, else the Wine prefix's record), else
# on the demo installation, written once into the user's data folder.
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

# The same lookup as the wizard's: the game the installer recorded in the Wine prefix.
if "$marquill" neighborhoods >/dev/null 2>&1; then
    exec "$marquill" gui "$@"
fi

demo="${XDG_DATA_HOME:-$HOME/.local/share}/marquill/demo-game"
if [[ ! -d "$demo/GameData" ]]; then
    echo "No game of The Pemms found; writing the demo installation into $demo"
    mkdir -p "$(dirname "$demo")"
    "$marquill" demo-game "$demo"
fi
exec "$marquill" gui --game-dir "$demo" "$@"
