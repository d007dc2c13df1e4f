#!/usr/bin/env bash
# Runs the real clock under its own Xvfb and checks with "xset q" that the X screen saver and DPMS are
# off while it runs and back exactly as they were after a normal exit, and that a screen saver found off
# is left alone. Usage: screensaver-xset.sh <build program folder> <SendCloseRequest> <demo darvel.ini>
set -euo pipefail
program_src=$1
close_request=$2
demo_ini=$3

work=$(mktemp -d)
xvfb=
clock=
cleanup() {
    [ -n "$clock" ] && kill "$clock" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the descriptor. Without -noreset it would
# reset every setting whenever its last client leaves.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

settings() { xset q | grep -E "timeout:|Standby:|DPMS is" | tr -s ' '; }
# Some Xvfb builds lack the DPMS extension; the screen saver is checked on its own then.
has_dpms=yes
xset q | grep -q "Server does not have the DPMS Extension" && has_dpms=no

# Waits up to 20 s for a visible window with exactly this name and prints its id.
window_named() {
    for _ in $(seq 100); do
        local id
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

# Starts the clock from a fresh copy of the program folder, checks the settings while it runs, then
# closes its window and answers Yes to the exit question.
run_clock() {
    local expected_while_running=$1
    rm -rf "$work/program"
    cp -r "$program_src" "$work/program"
    cp "$demo_ini" "$work/program/Clock/darvel.ini"
    "$work/program/Clock/darvel" >"$work/clock.log" 2>&1 &
    clock=$!
    local screen
    screen=$(window_named Darvel) || { echo "the clock window did not come up"; cat "$work/clock.log"; exit 1; }
    local running
    running=$(settings)
    if [ "$running" != "$expected_while_running" ]; then
        echo "while running, expected:"; echo "$expected_while_running"; echo "got:"; echo "$running"; exit 1
    fi
    "$close_request" "$screen"
    local question
    question=$(window_named "KAVRO Clock") || { echo "no exit question"; exit 1; }
    timeout 10 xdotool windowfocus --sync "$question"
    xdotool key y
    for _ in $(seq 100); do kill -0 "$clock" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$clock" 2>/dev/null; then
        echo "the clock did not end after Yes"; exit 1
    fi
    wait "$clock" || true
    clock=
}

xset s 300 450
if [ "$has_dpms" = yes ]; then
    xset +dpms
    xset dpms 300 400 500
fi
before=$(settings)
echo "$before" | grep -q "timeout: 300 cycle: 450" || { echo "could not set up the screen saver: $before"; exit 1; }
if [ "$has_dpms" = yes ]; then
    echo "$before" | grep -q "DPMS is Enabled" || { echo "could not enable DPMS: $before"; exit 1; }
    echo "$before" | grep -q "Standby: 300 Suspend: 400 Off: 500" || { echo "DPMS timeouts: $before"; exit 1; }
else
    echo "this X server has no DPMS extension: checking the screen saver only"
fi
off=$(printf '%s\n' "$before" | sed -e 's/timeout: 300 cycle: 450/timeout: 0 cycle: 450/' \
    -e 's/DPMS is Enabled/DPMS is Disabled/')
run_clock "$off"
after=$(settings)
[ "$after" = "$before" ] || { echo "not restored; before:"; echo "$before"; echo "after:"; echo "$after"; exit 1; }
echo "switched off while running and restored after the exit: OK"

xset s off
[ "$has_dpms" = yes ] && xset -dpms
before=$(settings)
run_clock "$before"
after=$(settings)
[ "$after" = "$before" ] || { echo "changed although off; before:"; echo "$before"; echo "after:"; echo "$after"; exit 1; }
echo "screen saver found off was left alone: OK"
