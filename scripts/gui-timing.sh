# Sourced by the scripts that time the running wizard: the tools they need, a work folder and
# the processes to end on exit, a display (Xvfb and openbox on DISPLAY_NUMBER when there is
# none), and the helpers for processor time.
for tool in xdotool xedit; do
    command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install xdotool x11-apps)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

if [[ -z "${DISPLAY:-}" ]]; then
    command -v Xvfb >/dev/null && command -v openbox >/dev/null ||
        { echo "no display, and no Xvfb and openbox to make one (apt-get install xvfb openbox)" >&2; exit 1; }
    export DISPLAY=:${DISPLAY_NUMBER:-73}
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 & pids+=("$!")
    sleep 1
    openbox >/dev/null 2>&1 & pids+=("$!")
    sleep 1
fi

run_ns() {  # nanoseconds every living thread of $1 has run
    local sum=0 t
    for t in /proc/"$1"/task/*/schedstat; do sum=$((sum + $(cut -d' ' -f1 "$t" 2>/dev/null || echo 0))); done
    echo "$sum"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
share() {  # processor share of one core, in per cent, over $1 seconds of process $2
    local before after
    before=$(run_ns "$2"); sleep "$1"; after=$(run_ns "$2")
    awk -v d=$((after - before)) -v s="$1" 'BEGIN { printf "%.2f", d / 1e7 / s }'
}
