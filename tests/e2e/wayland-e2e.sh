#!/usr/bin/env bash
# The clock as a native Wayland client under a headless weston: it comes up over the whole output, a
# key sent through the players' view remote reaches it (weston offers no input for tests here), and
# the time moves. The screen's size is read from /api/state, in twips (15 to a pixel).
# Usage: wayland-e2e.sh <build>/program
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh" # e2e_free_ports only: this test has no X server
command -v weston >/dev/null || { echo "SKIP: no weston (scripts/setup installs it)"; exit 77; }
[ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland*' -print -quit 2>/dev/null)" ] ||
    { echo "SKIP: no Qt Wayland platform (qt6-wayland)"; exit 77; }
tmp=$(mktemp -d)
weston_pid=''
clock_pid=''
stop() {
    if [ -n "$clock_pid" ]; then kill "$clock_pid" 2>/dev/null || true; fi
    if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap stop EXIT
fail() {
    echo "FAIL: $*" >&2
    tail -n 20 "$tmp/weston.log" "$tmp/run.log" >&2 || true
    exit 1
}

export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\n' >"$tmp/weston.ini"
weston --config="$tmp/weston.ini" --backend=headless-backend.so --socket=wayland-kavro \
    --width=1280 --height=720 >"$tmp/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-kavro" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/wayland-kavro" ] || fail "weston did not start"

cp -r "$1" "$tmp/program"
rm -f "$tmp/program/Clock/darvel.ini" "$tmp/program/Clock/logo.jpg"
cp "$here/../../data/demo/darvel.ini" "$tmp/program/Clock/darvel.ini"
port=$(e2e_free_ports)
pin=47110815
printf '[Network]\nPlayers_View=1\nPort=%s\nBind=127.0.0.1\nRemote_PIN=%s\n' "$port" "$pin" \
    >"$tmp/program/Clock/options.ini"
cd "$tmp/program/Clock"
WAYLAND_DISPLAY=wayland-kavro QT_QPA_PLATFORM=wayland DISPLAY='' ./darvel >"$tmp/run.log" 2>&1 &
clock_pid=$!

state() { curl -sf "http://127.0.0.1:$port/api/state"; }
field() { python3 -c "import json,sys; d=json.load(sys.stdin); print($1)"; }
for _ in $(seq 100); do state >/dev/null 2>&1 && break; sleep 0.1; done
state >/dev/null || fail "no players' view"

echo "the window fills the 1280x720 output (wider than the layout's shape: the full height)"
height=
for _ in $(seq 50); do
    height=$(state | field 'd["screen"]["height"]')
    [ "$height" = 10800 ] && break
    sleep 0.1
done
[ "$height" = 10800 ] || fail "the laid-out height is $height twips, not 10800 (720 pixels)"

echo "a key through the remote starts the clock, and the time moves"
[ "$(state | field 'd["paused"]')" = True ] || fail "the clock does not start paused"
token=$(curl -sf -H 'Content-Type: application/json' -d "{\"pin\": \"$pin\"}" \
    "http://127.0.0.1:$port/api/pair" | field 'd["token"]') || fail "pairing refused"
curl -sf -H 'Content-Type: application/json' -H "Authorization: Bearer $token" \
    -d '{"command": "pause"}' "http://127.0.0.1:$port/api/command" >/dev/null || fail "the command was refused"
before=$(state | field 'd["time"]')
sleep 2.5
after=$(state | field 'd["time"]')
[ "$(state | field 'd["paused"]')" = False ] || fail "the key did not reach the clock"
[ "$before" != "$after" ] || fail "the time stands at $before"
kill -0 "$clock_pid" || fail "the clock ended"
echo "time $before -> $after"
