#!/usr/bin/env bash
# The screen changes under the running clock, as when a TV is switched to another resolution or off and
# on again: the clock fills the screen again at its new size, laid out for it, and keeps time. Xvfb's
# screen cannot change its size, so the clock runs in a resizeable Xephyr (RandR size changes) inside
# the private Xvfb.
# Usage: screen-return-e2e.sh <build>/program <SendCloseRequest>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
command -v Xephyr >/dev/null || { echo "SKIP: no Xephyr (scripts/setup installs xserver-xephyr)"; exit 77; }
e2e_start 1600x1200
e2e_copy_program "$1"
close_request=$2
cp "$here/../../data/demo/darvel.ini" "$E2E_PROGRAM/darvel.ini"
cd "$E2E_PROGRAM"

exec {fd}>"$E2E_TMP/nested"
Xephyr -displayfd "$fd" -screen 1280x1024 -resizeable -nolisten tcp -noreset >"$E2E_TMP/xephyr.log" 2>&1 &
nested=$!
exec {fd}>&-
trap 'kill "$nested" 2>/dev/null || true; e2e_stop' EXIT
for _ in $(seq 100); do
    [ -s "$E2E_TMP/nested" ] && break
    sleep 0.05
done
[ -s "$E2E_TMP/nested" ] || e2e_fail "Xephyr did not start: $(cat "$E2E_TMP/xephyr.log")"
DISPLAY=":$(head -n 1 "$E2E_TMP/nested")"
export DISPLAY
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Waits until the clock window covers WIDTHxHEIGHT at the top-left corner.
covers() {
    local geometry
    for _ in $(seq 100); do
        geometry=$(xdotool getwindowgeometry --shell "$clock" | tr '\n' ' ')
        case "$geometry" in
            *"X=0 Y=0 WIDTH=${1%x*} HEIGHT=${1#*x} "*) return 0 ;;
        esac
        sleep 0.1
    done
    e2e_fail "the clock does not fill the $1 screen: $geometry"
}

# Two screenshots two seconds apart: the digits of a running clock differ between them. The second is
# the screen's size, and the panels stand near both of its sides: laid out for this size.
time_moves() {
    import -window root -depth 8 "$E2E_TMP/$1-a.ppm"
    sleep 2.2
    import -window root -depth 8 "$E2E_TMP/$1-b.ppm"
    cmp -s "$E2E_TMP/$1-a.ppm" "$E2E_TMP/$1-b.ppm" && e2e_fail "the time stands still at $1"
    python3 "$here/screen-pixels.py" size <"$E2E_TMP/$1-b.ppm" | grep -qx "$1" ||
        e2e_fail "the screenshot at $1 is $(python3 "$here/screen-pixels.py" size <"$E2E_TMP/$1-b.ppm")"
    local width=${1%x*} span
    span=$(python3 "$here/screen-pixels.py" span <"$E2E_TMP/$1-b.ppm")
    # Narrower than the first window's shape: the layout fills the width, its panels near both sides.
    if [ "$span" = none ] || [ "${span% *}" -ge $((width / 20)) ] || [ "${span#* }" -le $((width - width / 20)) ]; then
        e2e_fail "the panels span $span of $width columns at $1: not laid out for this size"
    fi
}

./darvel >"$E2E_TMP/run.log" 2>&1 &
# e2e_stop and e2e_answer_yes use it.
# shellcheck disable=SC2034
E2E_PID=$!
clock=$(e2e_window Darvel 20) || e2e_fail "no clock window"
e2e_keys "$clock" space
covers 1280x1024
time_moves 1280x1024

for size in 1024x768 1600x1200 1280x1024; do
    echo "the screen changes to $size"
    xrandr -s "$size" 2>/dev/null || e2e_fail "xrandr -s $size refused"
    covers "$size"
    time_moves "$size"
done

echo "the clock closes cleanly after the changes"
"$close_request" "$clock"
e2e_answer_yes "the close after the screen changes"
