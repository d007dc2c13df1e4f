#!/usr/bin/env bash
# The real clock under Xvfb: first start, keys, the Close button, restart, and a refused start.
# Usage: clock-e2e.sh <build>/program
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
cd "$E2E_PROGRAM"

echo "first start: darvel.ini is created with the defaults and the welcome message shows"
./darvel >"$E2E_TMP/run1.log" 2>&1 &
E2E_PID=$!
welcome=$(e2e_window "KAVRO Clock" 15) || e2e_fail "no welcome message"
[ -f darvel.ini ] || e2e_fail "darvel.ini was not created"
[ "$(grep -c $'\r$' darvel.ini)" = 34 ] || e2e_fail "darvel.ini does not hold 34 CR LF lines"
[ "$(e2e_ini Blinds)" = "Speed.blinds.csv" ] || e2e_fail "default blinds missing"
[ "$(e2e_ini Time)" = "--:--" ] || e2e_fail "default time missing"
e2e_keys "$welcome" Return
clock=$(e2e_window "Darvel" 10) || e2e_fail "no clock window"

echo "keys: Space runs the clock, F8 adds entries, keypad + a player (the main +: nothing), F6 the next level"
e2e_keys "$clock" space F8 F8 F8
sleep 1.5 # players are bounded by the entries shown, which the next tick redraws
e2e_keys "$clock" KP_Add KP_Add plus F6 Right
sleep 1.5
import -window root "$E2E_TMP/running.png"

echo "the Close button writes darvel.ini, the exit question's Yes ends the program"
e2e_close_clock
[ "$(e2e_ini Entries)" = 3 ] || e2e_fail "Entries=$(e2e_ini Entries), expected 3"
[ "$(e2e_ini Players)" = 2 ] || e2e_fail "Players=$(e2e_ini Players), expected 2"
[ "$(e2e_ini Rebuys)" = 1 ] || e2e_fail "Rebuys=$(e2e_ini Rebuys), expected 1 (Right arrow)"
[ "$(e2e_ini Level)" = 2 ] || e2e_fail "Level=$(e2e_ini Level), expected 2"
time=$(e2e_ini Time)
case "$time" in
    14:5[0-9]) ;;
    *) e2e_fail "Time=$time, expected the running level 1 time kept by F6 (14:5x)" ;;
esac

echo "restart: no welcome, the clock resumes paused where it stood"
./darvel >"$E2E_TMP/run2.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 15) || e2e_fail "no clock window on restart"
sleep 1
xdotool search --onlyvisible --name "^KAVRO Clock$" >/dev/null 2>&1 && e2e_fail "a message box on a normal restart"
kill "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
E2E_PID=
[ "$(e2e_ini Time)" = "$time" ] || e2e_fail "a killed clock changed darvel.ini"

echo "no blinds files: the critical message, then the program ends with an error status"
rm -f blinds/*
./darvel >"$E2E_TMP/run3.log" 2>&1 &
E2E_PID=$!
box=$(e2e_window "KAVRO Clock" 15) || e2e_fail "no critical message"
e2e_keys "$box" Return
status=0
wait "$E2E_PID" || status=$?
E2E_PID=
[ "$status" -ne 0 ] || e2e_fail "a refused start ended with status 0"

echo "clock-e2e: all checks passed"
