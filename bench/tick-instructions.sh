#!/usr/bin/env bash
# Instructions per painted tick, a figure that does not depend on the machine's speed: callgrind counts
# the benchmark TickPainted at 1920x1080 and 3840x2160, only inside the tick and the event loop that
# paints it (3,000 ticks; the set-up is not counted), and divides by the ticks.
#   tick-instructions.sh <build>/bench/clock_bench [results.json]
# Takes about ten minutes on the build machine.
set -euo pipefail
bench=$1
results=${2:-}
ticks=3000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
figures=()
for size in 1920x1080 3840x2160; do
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --collect-atstart=no \
        --toggle-collect='frmClock::clockTicked()' \
        --toggle-collect='QCoreApplication::processEvents(QFlags<QEventLoop::ProcessEventsFlag>)' \
        --callgrind-out-file="$work/callgrind.out" \
        "$bench" --benchmark_filter="TickPainted/${size%x*}/" >"$work/run.log" 2>&1
    grep -q "ERROR OCCURRED" "$work/run.log" && { cat "$work/run.log" >&2; exit 1; }
    collected=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/run.log" | tail -n 1)
    per_tick=$((collected / ticks))
    echo "$size: $per_tick instructions per painted tick"
    figures+=("{\"name\": \"$size instructions per painted tick\", \"value\": $per_tick, \"unit\": \"\"}")
done
if [ -n "$results" ]; then
    (IFS=,; echo "{\"figures\": [${figures[*]}]}") >"$results"
fi
