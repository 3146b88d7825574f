#!/usr/bin/env bash
# Installs the Debian packages a make target needs, when they are missing.
# usage: scripts/install-deps.sh GROUP...   (groups: build test bench fuzz profile deb)
set -euo pipefail

packages_for() {
    case "$1" in
        build) echo "build-essential cmake ninja-build pkg-config libjpeg62-turbo-dev libpng-dev libarchive-dev libyaml-cpp-dev nlohmann-json3-dev qt6-base-dev qt6-multimedia-dev fonts-comic-neue" ;;
        test) echo "googletest libgtest-dev libgmock-dev python3 appstream desktop-file-utils groff-base man-db zsh" ;;
        bench) echo "libbenchmark-dev libosmesa6-dev libarchive-tools" ;;
        fuzz) echo "clang libclang-rt-14-dev" ;;
        profile) echo "valgrind" ;;
        deb) echo "dpkg-dev file lintian" ;;
        *) echo "unknown package group: $1" >&2; exit 2 ;;
    esac
}

missing=()
for group in "$@"; do
    for pkg in $(packages_for "$group"); do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        if [[ "$status" != "install ok installed" ]]; then
            missing+=("$pkg")
        fi
    done
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "missing packages; run as root:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    exit 1
fi
