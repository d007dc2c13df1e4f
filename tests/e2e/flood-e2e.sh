#!/usr/bin/env bash
# The real clock with the players' view on, started under a soft limit of 1,024 open files as on a
# desktop, while a manager recount runs every 5 seconds: thousands of connections from a hundred loopback
# addresses flood both web ports. The clock keeps counting on the screen, its descriptors stay below the
# limit it was started with, keys pressed during the flood reach darvel.recovery, the pages serve again
# afterwards and SIGTERM ends the program.
# Usage: flood-e2e.sh <build>/program [folder for screenshots]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
shots=${2:-$E2E_TMP}
cd "$E2E_PROGRAM"

port=$(e2e_free_ports)
push=$((port + 1))
printf '[Network]\nPlayers_View=true\nPort=%s\nBind=127.0.0.1\n' "$port" >options.ini
printf '%s\r\n' Color_Style=1 Tick_Sound=Count.wav End_Sound=End.wav Background= ';' \
    Tournament_ID=2 Title=Flood Refresh=5 Time=20:00 Level=1 ';' \
    Players=0 Entries=0 Rebuys=0 Addons=0 ';' \
    Player_Variance=0 Entry_Variance=0 Rebuy_Variance=0 Addon_Variance=0 ';' \
    Prize_Rounding=0 Prize_Guarantee=0 Prize_Contribution=0 ';' \
    Blinds=Deepstack.blinds.csv ';' Buyin=10 Rebuy=10 Addon=10 ';' \
    Buyin_Chips=1000 Rebuy_Chips=1000 Addon_Chips=1000 >darvel.ini

rec() {
    { grep -a "^$1=" darvel.recovery 2>/dev/null || true; } | tr -d '\r' | cut -d= -f2-
}
# Prints the body of a 200 answer to GET $1, nothing otherwise.
get() {
    python3 -c 'import sys, urllib.request
try:
    with urllib.request.urlopen(sys.argv[1], timeout=2) as r:
        sys.stdout.write(r.read().decode())
except Exception:
    pass' "http://127.0.0.1:$port$1"
}
state() {
    get /api/state
}

echo "the clock starts under ulimit -Sn 1024 with the players' view on port $port"
(ulimit -Sn 1024 && exec ./darvel) >"$E2E_TMP/run1.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 15) || e2e_fail "no clock window"
for _ in $(seq 50); do [ -n "$(state)" ] && break; sleep 0.2; done
[ -n "$(state)" ] || e2e_fail "the players' view does not answer on port $port"
e2e_keys "$clock" space
level=1

echo "flood both ports for 25 seconds"
python3 "$here/connection-flood.py" "$port" "$push" 25 4000 100 >"$E2E_TMP/flood.log" 2>&1 &
flood=$!
most=0
for round in 1 2 3; do
    sleep 3
    import -window root "$shots/flood-$round-a.png"
    sleep 2
    import -window root "$shots/flood-$round-b.png"
    changed=$(compare -metric AE "$shots/flood-$round-a.png" "$shots/flood-$round-b.png" null: 2>&1 || true)
    [ "${changed%% *}" != 0 ] || e2e_fail "the screen stood still during the flood (round $round)"
    e2e_keys "$clock" F6
    level=$((level + 1))
    for _ in $(seq 20); do [ "$(rec Level)" = "$level" ] && break; sleep 0.1; done
    open=$(find "/proc/$E2E_PID/fd" -mindepth 1 -maxdepth 1 | wc -l)
    [ "$open" -gt "$most" ] && most=$open
    [ "$(rec Level)" = "$level" ] || e2e_fail "F6 during the flood did not reach the record (Level=$(rec Level), $level expected)"
    echo "  round $round: screen changed, Level=$level recorded, $open descriptors open"
done
wait "$flood" || e2e_fail "the flood failed: $(cat "$E2E_TMP/flood.log")"
cat "$E2E_TMP/flood.log"
grep -q "opened [0-9]\{4,\}" "$E2E_TMP/flood.log" || e2e_fail "the flood opened fewer than a thousand connections"
[ "$most" -lt 1024 ] || e2e_fail "the clock held $most descriptors, more than the limit it was started with"
soft=$(awk '/Max open files/ { print $4 }' "/proc/$E2E_PID/limits")
hard=$(awk '/Max open files/ { print $5 }' "/proc/$E2E_PID/limits")
[ "$soft" = "$hard" ] || e2e_fail "the soft limit on open files was not raised ($soft of $hard)"
xdotool search --onlyvisible --name "^KAVRO Clock$" >/dev/null 2>&1 && e2e_fail "a message box after the flood"

echo "the pages serve again and the time moves"
first=
for _ in $(seq 50); do first=$(state) && [ -n "$first" ] && break; sleep 0.2; done
[ -n "$first" ] || e2e_fail "the players' view does not answer after the flood"
sleep 2.5
second=$(state)
[ -n "$second" ] && [ "$first" != "$second" ] || e2e_fail "the state did not change in 2.5 seconds after the flood"
get /tv | grep -q "tv.js" || e2e_fail "/tv is not served after the flood"

echo "SIGTERM ends the program"
kill -TERM "$E2E_PID"
for _ in $(seq 100); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && e2e_fail "the clock still runs 10 seconds after SIGTERM"
wait "$E2E_PID" 2>/dev/null || true
E2E_PID=
echo "flood-e2e: all checks passed"
