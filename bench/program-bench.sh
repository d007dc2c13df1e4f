#!/usr/bin/env bash
# Whole-program figures of the running clock under Xvfb: start to first shown frame, CPU of a running
# clock left alone for a while, and resident memory (now and at its peak).
#   program-bench.sh <build>/program [seconds] [WIDTHxHEIGHT] [results.json]
# With a results file the figures are also written there for bench/render_readme.py.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/tests/e2e/xvfb-session.sh"
seconds=${2:-60}
size=${3:-1920x1080}
results=${4:-}
e2e_start "$size"
e2e_copy_program "$1"
cp "$here/data/demo/darvel.ini" "$E2E_PROGRAM/darvel.ini"
cd "$E2E_PROGRAM"

ticks=$(getconf CLK_TCK)
start=$(date +%s%N)
./darvel >"$E2E_TMP/run.log" 2>&1 &
E2E_PID=$!
for _ in $(seq 1000); do
    xdotool search --onlyvisible --name '^Darvel$' >/dev/null 2>&1 && break
    sleep 0.005
done
shown=$(date +%s%N)
first_frame=$(((shown - start) / 1000000))
startup_cpu=$(awk '{ print $14 + $15 }' "/proc/$E2E_PID/stat")
echo "$size start to first shown frame: $first_frame ms, CPU $((startup_cpu * 1000 / ticks)) ms"

clock=$(e2e_window Darvel 5)
sleep 2
e2e_keys "$clock" space
cpu() { awk '{ print $14 + $15 }' "/proc/$E2E_PID/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
share=$(awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" 'BEGIN { printf "%.3f", 100 * d / t / s }')
echo "$size running clock CPU over $seconds s: $share % of a core"
rss=$(awk '/VmRSS/ { print $2 }' "/proc/$E2E_PID/status")
peak=$(awk '/VmHWM/ { print $2 }' "/proc/$E2E_PID/status")
echo "$size resident memory: $((rss / 1024)) MB, peak $((peak / 1024)) MB"

if [ -n "$results" ]; then
    cat >"$results" <<JSON
{"figures": [
  {"name": "$size start to first shown frame", "value": $first_frame, "unit": "ms"},
  {"name": "$size CPU spent before the first frame", "value": $((startup_cpu * 1000 / ticks)), "unit": "ms"},
  {"name": "$size CPU of the running clock left alone", "value": $share, "unit": "%"},
  {"name": "$size resident memory", "value": $((rss / 1024)), "unit": "MB"},
  {"name": "$size peak resident memory", "value": $((peak / 1024)), "unit": "MB"}
]}
JSON
fi
