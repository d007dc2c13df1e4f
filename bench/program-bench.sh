#!/usr/bin/env bash
# Whole-program figures of the running clock under Xvfb: start to first shown frame, CPU of a running
# clock left alone for a minute, and resident memory.  Usage: program-bench.sh <build>/program [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/tests/e2e/xvfb-session.sh"
seconds=${2:-60}
e2e_start 1920x1080
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
echo "start to first shown frame: $(((shown - start) / 1000000)) ms (target under 1000 ms)"

clock=$(e2e_window Darvel 5)
sleep 2
e2e_keys "$clock" space
cpu() { awk '{ print $14 + $15 }' "/proc/$E2E_PID/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" \
    'BEGIN { printf "running clock CPU over %d s: %.2f%% of a core (target under 1%%)\n", s, 100 * d / t / s }'
rss=$(awk '/VmRSS/ { print $2 }' "/proc/$E2E_PID/status")
echo "resident memory: $((rss / 1024)) MB (target under 80 MB)"
