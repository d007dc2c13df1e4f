#!/usr/bin/env bash
# The real clock killed with SIGKILL at random moments of a running tournament: every restart resumes
# from the recovery record, paused, with one message; no key press and at most a minute of clock time is
# lost, and darvel.ini is never touched by a crash.
# Usage: crash-e2e.sh <build>/program
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
cd "$E2E_PROGRAM"

# One-minute levels with a one-minute break after level 1, started 20 seconds before the end of level 1,
# so the rounds cross a level end, resume in the break and leave it.
printf 'Level,Small Blind,Big Blind,Ante,Minutes,Break\r\n' >blinds/Crash.blinds.csv
for level in $(seq 1 20); do
    brk=0
    [ "$level" = 1 ] && brk=1
    printf '%s,%s,%s,0,1,%s\r\n' "$level" $((level * 25)) $((level * 50)) "$brk" >>blinds/Crash.blinds.csv
done
printf '%s\r\n' Color_Style=3 Tick_Sound=Count.wav End_Sound=End.wav Background=Blue.jpg ';' \
    Tournament_ID=0 Title=Crash Refresh=0 Time=00:20 Level=1 ';' \
    Players=0 Entries=0 Rebuys=0 Addons=0 ';' \
    Player_Variance=0 Entry_Variance=0 Rebuy_Variance=0 Addon_Variance=0 ';' \
    Prize_Rounding=0 Prize_Guarantee=0 Prize_Contribution=0 ';' \
    Blinds=Crash.blinds.csv ';' Buyin=10 Rebuy=10 Addon=10 ';' \
    Buyin_Chips=1000 Rebuy_Chips=1000 Addon_Chips=1000 >darvel.ini
cp darvel.ini "$E2E_TMP/darvel.ini.orig"

rec() {
    grep -a "^$1=" darvel.recovery | tr -d '\r' | cut -d= -f2-
}

now() {
    date +%s.%N
}

# Seconds of clock time from the start of level 1 to Level/Time/Break: every level and break of a
# minute takes 61 seconds from one 00:00 to the next.
position() { # level time break
    local level=$1 time=$2 brk=$3
    local left=$((10#${time%%:*} * 60 + 10#${time##*:}))
    local before=$(((level - 1) * 61))
    [ "$level" -gt 1 ] && before=$((before + 61)) # the break after level 1
    [ "$brk" = 1 ] && before=$((before + 61))
    echo $((before + 60 - left))
}

record_position() {
    position "$(rec Level)" "$(rec Time)" "$(rec Break)"
}

check_ini() {
    cmp -s darvel.ini "$E2E_TMP/darvel.ini.orig" || e2e_fail "$1: darvel.ini changed"
    [ "$(grep -c $'\r$' darvel.ini)" = 34 ] || e2e_fail "$1: darvel.ini does not hold 34 CR LF lines"
}

# Waits until the record holds the counts the keys sent, which must come well before the next
# one-minute write.
entries=0 rebuys=0
wait_counts() {
    for _ in $(seq 100); do
        if [ -f darvel.recovery ] && [ "$(rec Entries)" = "$entries" ] && [ "$(rec Rebuys)" = "$rebuys" ]; then
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "$1: the record did not take the key (Entries=$(rec Entries)/$entries, Rebuys=$(rec Rebuys)/$rebuys)"
}

start_clock() { # round
    ./darvel >"$E2E_TMP/run$1.log" 2>&1 &
    E2E_PID=$!
    clock=$(e2e_window "Darvel" 15) || e2e_fail "round $1: no clock window"
}

# Running seconds per round: short ones, one past the record's regular write, and a middle one.
# KAVRO_CRASH_SECONDS ("6 33 8 13") repeats a run.
read -r -a durations <<<"${KAVRO_CRASH_SECONDS:-$((5 + RANDOM % 10)) $((32 + RANDOM % 8)) $((2 + RANDOM % 8)) $((12 + RANDOM % 15))}"
echo "running seconds per round: ${durations[*]}"
pos=40
round=0
for run in "${durations[@]}"; do
    round=$((round + 1))
    echo "round $round: start, resume, run ${run}s with keys, SIGKILL"
    start_clock "$round"
    if [ "$round" -gt 1 ]; then
        box=$(e2e_window "KAVRO Clock" 10) || e2e_fail "round $round: no message about the resumed tournament"
        e2e_keys "$box" Return
        sleep 1
        xdotool search --onlyvisible --name "^KAVRO Clock\$" >/dev/null 2>&1 &&
            e2e_fail "round $round: more than one message"
        # Paused where the record stood: a key writes the same level and time with the new count.
        level=$(rec Level) time=$(rec Time) brk=$(rec Break)
        entries=$((entries + 1))
        e2e_keys "$clock" F8
        wait_counts "round $round resume"
        [ "$(rec Level)/$(rec Time)/$(rec Break)" = "$level/$time/$brk" ] ||
            e2e_fail "round $round: resumed at $(rec Level)/$(rec Time)/$(rec Break), not $level/$time/$brk"
    else
        e2e_window "KAVRO Clock" 2 >/dev/null && e2e_fail "a message on a start without a record"
    fi
    e2e_keys "$clock" space
    started=$(now)
    for _ in $(seq $((1 + RANDOM % 3))); do
        sleep "$((RANDOM % 3)).$((RANDOM % 10))"
        case $((RANDOM % 3)) in
            0) entries=$((entries + 1)) key=F8 ;;
            1) rebuys=$((rebuys + 1)) key=Right ;;
            2) if [ "$entries" -gt 0 ]; then entries=$((entries - 1)) key=F7; else entries=1 key=F8; fi ;;
        esac
        e2e_keys "$clock" "$key"
        wait_counts "round $round $key"
    done
    left=$(awk -v s="$started" -v e="$(now)" -v r="$run" 'BEGIN { d = r - (e - s); print (d > 0 ? d : 0) }')
    sleep "$left"
    kill -KILL "$E2E_PID" 2>/dev/null
    killed=$(now)
    wait "$E2E_PID" 2>/dev/null || true
    E2E_PID=
    check_ini "round $round"
    [ -f darvel.recovery ] || e2e_fail "round $round: no recovery record"
    [ "$(rec Entries)/$(rec Rebuys)" = "$entries/$rebuys" ] ||
        e2e_fail "round $round: counts $(rec Entries)/$(rec Rebuys), keys sent $entries/$rebuys"
    ran=$(awk -v s="$started" -v e="$killed" 'BEGIN { printf "%d", e - s }')
    got=$(record_position)
    echo "  clock at $pos, ran ${ran}s, record at $got ($(rec Level) $(rec Time) break=$(rec Break))"
    [ "$got" -ge $((pos + ran - 60)) ] || e2e_fail "round $round: more than a minute of clock time lost"
    [ "$got" -le $((pos + ran + 3)) ] || e2e_fail "round $round: the record ran ahead of the clock"
    pos=$got
done

echo "last restart: resumed, then Close and Yes save darvel.ini; the record goes, unless a break runs"
start_clock last
box=$(e2e_window "KAVRO Clock" 10) || e2e_fail "last restart: no message about the resumed tournament"
e2e_keys "$box" Return
level=$(rec Level) time=$(rec Time) brk=$(rec Break)
stood=$(record_position)
e2e_close_clock
[ "$(grep -c $'\r$' darvel.ini)" = 34 ] || e2e_fail "saved darvel.ini does not hold 34 CR LF lines"
if [ "$brk" = 1 ]; then
    # Only an exit in a break keeps the record, marked as closed: darvel.ini cannot say that a break
    # runs, so the record holds where the break stood.
    [ -f darvel.recovery ] || e2e_fail "an exit in a break removed the record"
    [ "$(rec Break)/$(rec Closed)" = 1/1 ] || e2e_fail "the record of an exit in a break is not marked closed"
    ended=$(record_position)
    [ "$ended" -ge "$stood" ] && [ "$ended" -le $((stood + 5)) ] ||
        e2e_fail "the record kept $(rec Level)/$(rec Time) in the break, the resumed clock stood at $level/$time"
else
    [ -f darvel.recovery ] && e2e_fail "the record outlived a normal exit outside a break"
    [ "$(e2e_ini Level)/$(e2e_ini Time)" = "$level/$time" ] ||
        e2e_fail "darvel.ini saved $(e2e_ini Level)/$(e2e_ini Time), the resumed clock stood at $level/$time"
fi
[ "$(e2e_ini Entries)/$(e2e_ini Rebuys)" = "$entries/$rebuys" ] || e2e_fail "darvel.ini lost counts"

echo "normal restart: no message"
start_clock normal
sleep 1
xdotool search --onlyvisible --name "^KAVRO Clock\$" >/dev/null 2>&1 && e2e_fail "a message after a normal exit"
kill "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
E2E_PID=

echo "crash-e2e: all checks passed"
