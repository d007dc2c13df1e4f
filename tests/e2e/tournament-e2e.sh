#!/usr/bin/env bash
# A whole tournament on the real clock under Xvfb, linked to a copy of the demo manager database:
# the count-down sounds, a level into a break into the next level (one-minute levels), counts by keys,
# a live recount while players leave their seats, a settings change, the help screen, and the Close
# button, then a restart that resumes where the clock stood.
# Usage: tournament-e2e.sh <build>/program
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
cd "$E2E_PROGRAM"

# The clock reads the manager database named in kavro.ini beside its folder: point it at the copy.
db="$E2E_TMP/program/kavro-demo.db"
printf '%s\r\n' "DATABASE=$db" "FILEPATH=$E2E_TMP/program/" "SQLSERVER=" "DBUSERNAME=" "DBPASSWORD=" \
    >"$E2E_TMP/program/kavro.ini"
# Saturday Bounty Builder: eight receipts, all eight players seated at tables 8 and 9.
[ "$(sqlite3 "$db" "select count(*) from transactions where tournament_id=3 and type='Receipt'")" = 8 ] ||
    e2e_fail "the demo database no longer holds the eight receipts of tournament 3"

printf '%s\r\n' "Level,Small Blind,Big Blind,Ante,Minutes,Break" "1,25,50,0,1,1" "2,50,100,0,1,0" \
    "3,75,150,0,1,0" >blinds/Short.blinds.csv
# Level 1 with eight seconds left; the counts start at zero so that only the recount can fill them.
e2e_write_ini Tournament_ID=3 "Title=Saturday Bounty Builder" Refresh=5 Time=00:08 \
    Blinds=Short.blinds.csv

# The program has no log: the sounds it asks for are seen as the sound files it opens. Each is read once
# and kept until it changes, so the first count-down shows one Count.wav and one End.wav; that every
# beep is heard whole is recorded by sound-e2e.sh.
# LeakSanitizer cannot work under ptrace: a sanitizer build checks leaks in the untraced restart below.
trace="$E2E_TMP/openat.trace"
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    strace -f -qq -e trace=openat -o "$trace" ./darvel >"$E2E_TMP/run1.log" 2>&1 &
E2E_PID=$!
sounds() { grep -a -o -E 'sounds/(Count|End)\.wav' "$trace" | sed -E 's|sounds/(.).*|\1|' | tr -d '\n'; }
# Waits up to $2 seconds for the sounds opened so far to be $1.
wait_sounds() {
    for _ in $(seq $(($2 * 10))); do
        [ "$(sounds)" = "$1" ] && return 0
        sleep 0.1
    done
    e2e_fail "sounds opened: '$(sounds)', expected '$1' (C Count.wav, E End.wav)"
}

clock=$(e2e_window "Darvel" 30) || e2e_fail "no clock window"
sleep 1
xdotool search --onlyvisible --name "^KAVRO Clock$" >/dev/null 2>&1 && e2e_fail "a message box at start"

echo "Space runs the clock; keys change the counts kept beside the manager's"
e2e_keys "$clock" space F8 F8 Right KP_Subtract

echo "Count.wav from 00:05 and End.wav at 00:00, then the break starts"
wait_sounds CE 30
sleep 2
[ "$(sounds)" = CE ] || e2e_fail "sounds after 00:00: '$(sounds)'"

echo "a settings change in the break: F2, a new title, Save"
e2e_keys "$clock" F2
settings=$(e2e_window "KAVRO Clock Settings" 15) || e2e_fail "F2 opened no settings dialog"
sleep 0.5
e2e_keys "$settings" ctrl+a
xdotool type --delay 60 "Bounty Final"
e2e_keys "$settings" alt+s
e2e_window_gone "KAVRO Clock Settings" || e2e_fail "Save left the dialog open"
[ "$(e2e_ini Title)" = "Bounty Final" ] || e2e_fail "Title=$(e2e_ini Title) after Save"
[ "$(e2e_ini Level)" = 1 ] || e2e_fail "Level=$(e2e_ini Level) in the break after level 1"
[ "$(e2e_ini Players)" = 8 ] || e2e_fail "Players=$(e2e_ini Players): the recount at start did not count 8"
[ "$(e2e_ini Entries)" = 8 ] || e2e_fail "Entries=$(e2e_ini Entries): the recount at start did not count 8"

echo "three players leave their seats while the clock runs"
sqlite3 "$db" "update tables set seat_1_pid=NULL, seat_2_pid=NULL where id=8; update tables set seat_1_pid=NULL where id=9;"

echo "the one-minute break ends and level 2 starts"
for _ in $(seq 900); do
    grep -q '^Level=2' darvel.recovery 2>/dev/null && break
    sleep 0.1
done
grep -q '^Level=2' darvel.recovery || e2e_fail "level 2 did not start within 90 seconds of the break"
sleep 2

echo "F1 shows the help screen, OK closes it"
e2e_keys "$clock" F1
help=$(e2e_window "Help" 15) || e2e_fail "F1 opened no help screen"
e2e_keys "$help" alt+o
e2e_window_gone "Help" || e2e_fail "OK left the help screen open"

echo "Close writes the tournament as it stands"
e2e_close_clock
[ "$(sounds)" = CE ] || e2e_fail "sounds during level 2: '$(sounds)' (each file is read once)"
[ "$(e2e_ini Level)" = 2 ] || e2e_fail "Level=$(e2e_ini Level), expected 2 after the break"
time=$(e2e_ini Time)
case "$time" in
    00:[1-5][0-9]) ;;
    *) e2e_fail "Time=$time, expected level 2 under way" ;;
esac
[ "$(e2e_ini Players)" = 5 ] || e2e_fail "Players=$(e2e_ini Players), expected 5 after three left their seats"
[ "$(e2e_ini Entries)" = 8 ] || e2e_fail "Entries=$(e2e_ini Entries), expected 8"
[ "$(e2e_ini Entry_Variance)" = 2 ] || e2e_fail "Entry_Variance=$(e2e_ini Entry_Variance), expected 2 (F8 twice)"
[ "$(e2e_ini Rebuy_Variance)" = 1 ] || e2e_fail "Rebuy_Variance=$(e2e_ini Rebuy_Variance), expected 1 (Right)"
[ "$(e2e_ini Player_Variance)" = -1 ] || e2e_fail "Player_Variance=$(e2e_ini Player_Variance), expected -1"
[ "$(e2e_ini Title)" = "Bounty Final" ] || e2e_fail "Title=$(e2e_ini Title) after Close"

echo "restart: the clock resumes paused where it stood, and Close keeps it there"
./darvel >"$E2E_TMP/run2.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 30) || e2e_fail "no clock window on restart"
sleep 2
xdotool search --onlyvisible --name "^KAVRO Clock$" >/dev/null 2>&1 && e2e_fail "a message box on a normal restart"
e2e_close_clock
[ "$(e2e_ini Level)" = 2 ] || e2e_fail "Level=$(e2e_ini Level) after the restart"
[ "$(e2e_ini Time)" = "$time" ] || e2e_fail "Time=$(e2e_ini Time) after a paused restart, expected $time"
[ "$(e2e_ini Players)" = 5 ] || e2e_fail "Players=$(e2e_ini Players) after the restart"

echo "tournament-e2e: all checks passed"
