#!/usr/bin/env bash
# Blinds built for the night reach the clock: kavro-blinds writes one from the command line, the builder
# (New Blinds... in the settings) saves another, the settings choose it, and after a restart the clock
# shows its blinds and the players' view the estimated end, which follows the entries.
# Usage: blinds-e2e.sh <build>/program [folder for the screenshot of the builder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
shots=${2:-$E2E_TMP}
mkdir -p "$shots"
cd "$E2E_PROGRAM"

e2e_write_ini Color_Style=3 "Title=Friday Game" Players=60 Entries=60 Rebuys=10 Buyin_Chips=20000 \
    Rebuy_Chips=10000 Addon_Chips=0
port=$(e2e_free_ports)
printf '[Network]\nPlayers_View=true\nPort=%s\nBind=127.0.0.1\n' "$port" >options.ini
state() {
    python3 -c "import json,sys,urllib.request; print(json.load(urllib.request.urlopen('http://127.0.0.1:$port/api/state', timeout=5))[sys.argv[1]])" "$1"
}

echo "kavro-blinds, installed beside darvel, writes a structure the clock can list"
./kavro-blinds --entries 60 --stack 20000 --rebuys 10 --rebuy-chips 10000 --addons 0 --addon-chips 0 \
    --hours 5:00 --level-minutes 20 --chips 25,100,500,1000,5000,25000 --break-every 120 \
    --break-minutes 10 --ante bb:7 --depth 100 >blinds/Friday.blinds.csv
head -c 80 blinds/Friday.blinds.csv | grep -q '^Level,Small Blind,Big Blind,Ante,Minutes,Break,Note' ||
    e2e_fail "kavro-blinds wrote no structure"
set +e
./kavro-blinds --entries 60 --stack 20000 --depth 10 >/dev/null 2>"$E2E_TMP/err"
status=$?
set -e
[ "$status" = 2 ] || e2e_fail "a depth of 10 exited with $status"

./darvel >"$E2E_TMP/run1.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 20) || e2e_fail "no clock window"
sleep 1

echo "F2, then New Blinds... opens the builder with the clock's chips and counts"
e2e_keys "$clock" F2
settings=$(e2e_window "KAVRO Clock Settings" 10) || e2e_fail "F2 opened no settings dialog"
sleep 0.5
e2e_keys "$settings" alt+n
builder=$(e2e_window "KAVRO Clock New Blinds" 10) || e2e_fail "New Blinds... opened no builder"
xdotool windowsize "$builder" 1000 700
sleep 1
import -window "$builder" "$shots/blinds-builder.png"

echo "Save As writes Anniversary.blinds.csv into the blinds folder"
e2e_keys "$builder" alt+f ctrl+a
xdotool type --delay 60 "Anniversary"
e2e_keys "$builder" alt+s
for _ in $(seq 50); do [ -f blinds/Anniversary.blinds.csv ] && break; sleep 0.1; done
[ -f blinds/Anniversary.blinds.csv ] || e2e_fail "the builder saved no file"
head -c 60 blinds/Anniversary.blinds.csv | grep -q $'^Level,Small Blind,Big Blind,Ante,Minutes,Break,Note\r$' ||
    e2e_fail "the saved file has no header line with CR LF"
e2e_keys "$builder" Escape
e2e_window_gone "KAVRO Clock New Blinds" || e2e_fail "Escape left the builder open"

echo "the new file is first in the Blinds list; choose it and save"
eval "$(xdotool getwindowgeometry --shell "$settings")"
xdotool mousemove $((X + 268)) $((Y + 146)) click 1
sleep 0.5
xdotool key --delay 150 Home Return
sleep 0.3
e2e_keys "$settings" alt+s
e2e_window_gone "KAVRO Clock Settings" || e2e_fail "Save left the dialog open"
[ "$(e2e_ini Blinds)" = "Anniversary.blinds.csv" ] || e2e_fail "Blinds=$(e2e_ini Blinds) in darvel.ini"
before=$(state blinds)
e2e_close_clock

echo "after a restart the clock shows the new blinds"
./darvel >"$E2E_TMP/run2.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 20) || e2e_fail "no clock window after the restart"
sleep 2
after=$(state blinds)
next=$(state next_blinds)
echo "blinds before the restart: $before, after: $after, next: $next"
case "$after" in *100*200*) ;; *) e2e_fail "the clock shows \"$after\", not the 100/200 of the new level 1" ;; esac
case "$next" in *125*250*) ;; *) e2e_fail "the next level shows \"$next\", not 125/250" ;; esac

echo "the players' view gives the estimated end, and twenty more entries move it later"
end() {
    python3 -c "import json,urllib.request; e=json.load(urllib.request.urlopen('http://127.0.0.1:$port/api/state', timeout=5))['estimated_end']; h,m=e['in'].split(':'); print(e['level'], int(h)*60+int(m))"
}
read -r end_level end_minutes <<<"$(end)" || e2e_fail "no estimated end in the state"
echo "estimated end: level $end_level in $end_minutes minutes"
[ "$end_level" -ge 2 ] || e2e_fail "the end is estimated at level $end_level"
for _ in $(seq 20); do e2e_keys "$clock" F8; done
sleep 1
read -r later_level later_minutes <<<"$(end)"
echo "with 20 more entries: level $later_level in $later_minutes minutes"
[ "$later_level" -gt "$end_level" ] && [ "$later_minutes" -gt "$end_minutes" ] ||
    e2e_fail "twenty more entries left the end at level $later_level in $later_minutes minutes"
e2e_close_clock
echo "blinds-e2e: all checks passed"
