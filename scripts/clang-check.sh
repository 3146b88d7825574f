#!/usr/bin/env bash
# Compiles every translation unit of a build folder's compile_commands.json with clang++ and the
# project's warning flags, syntax only, so a warning that only clang gives fails here as it would
# in the fuzz build.  usage: scripts/clang-check.sh BUILD_FOLDER
set -euo pipefail
build=${1:?usage: scripts/clang-check.sh BUILD_FOLDER}
cd "$(dirname "$0")/.."
scripts/install-deps.sh fuzz test
python3 - "$build/compile_commands.json" > "$build/clang-check.commands" <<'PY'
import json, shlex, sys
# Flags of g++'s that clang does not take, and what makes no sense without code generation.
dropped_prefixes = ("-fsanitize", "-fno-sanitize", "-MD", "-MT", "-MF", "-o")
for entry in json.load(open(sys.argv[1])):
    if not entry["file"].endswith((".cpp", ".cc")):
        continue
    words = shlex.split(entry["command"])
    kept, skip = [], False
    for w in words[1:]:
        if skip:
            skip = False
            continue
        if w in ("-MT", "-MF", "-o"):
            skip = True
            continue
        if w == "-c" or w.startswith(dropped_prefixes):
            continue
        kept.append(w)
    print(shlex.join(["cd", entry["directory"]]) + " && " +
          shlex.join(["clang++", "-fsyntax-only"] + kept))
PY
count=$(wc -l < "$build/clang-check.commands")
echo "clang++ -fsyntax-only over $count translation units"
start=$(date +%s)
status=0
tr '\n' '\0' < "$build/clang-check.commands" |
    xargs -0 -n 1 -P "$(nproc)" bash -c 'eval "$0" 2>&1' > "$build/clang-check.log" || status=$?
echo "took $(( $(date +%s) - start )) s"
if [[ $status -ne 0 || -s "$build/clang-check.log" ]]; then
    head -n 60 "$build/clang-check.log"
    echo "clang reported warnings or errors" >&2
    exit 1
fi
