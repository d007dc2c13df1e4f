#!/usr/bin/env bash
# The clock linked to a PostgreSQL manager database while another session holds its transactions table
# in a lock meant to last a minute: the window still shows within 5 seconds, the countdown runs, F2 opens
# the settings dialog with the tournament list at once, and Close and Yes ends the clock within 2
# seconds with the lock still held. The clock is given time limits longer than the lock, as a driver
# that ignores them would behave, so only the program's own handling keeps it responsive. The lock is
# ended as soon as the clock has closed. Needs the server of scripts/with-postgres (skipped without it).
# Usage: stalled-manager-e2e.sh <build>/program [folder for screenshots]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${KAVRO_TEST_PG_DSN:-}" ]; then
    echo "SKIP: no PostgreSQL server; run inside scripts/with-postgres"
    exit 77
fi
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
shots=${2:-$E2E_TMP}
cd "$E2E_PROGRAM"

export PGPASSWORD=kavro
pg() {
    psql -X -q -v ON_ERROR_STOP=1 -h "$KAVRO_TEST_PG_HOST" -p "$KAVRO_TEST_PG_PORT" -U "$KAVRO_TEST_PG_USER" \
        -d "$KAVRO_TEST_PG_DB" "$@"
}
release_lock() {
    pg -At -c "select pg_terminate_backend(pid) from pg_stat_activity where application_name='kavro-e2e-lock'" \
        >/dev/null 2>&1 || true
}
trap 'release_lock; e2e_stop' EXIT

seats=$(for i in $(seq 10); do printf ', seat_%d_pid INTEGER' "$i"; done)
pg <<SQL
DROP TABLE IF EXISTS config, tournament, transactions, tables;
CREATE TABLE config (user_win_csymbol BOOLEAN, hide_tourny BOOLEAN, auto_program_upgrade BOOLEAN);
INSERT INTO config VALUES (false, false, false);
CREATE TABLE tournament (id INTEGER PRIMARY KEY, event_name VARCHAR(100), Buy_in NUMERIC(19,4),
    re_buy NUMERIC(19,4), Addon NUMERIC(19,4), prize_guarantee NUMERIC(19,4),
    prize_contribution NUMERIC(19,4), seats_per_table INTEGER, date DATE, closed BOOLEAN, type VARCHAR(50));
INSERT INTO tournament VALUES (3, 'Saturday Bounty Builder', 20, 20, 20, 0, 0, 9, '2026-12-08', false, 'Holdem');
CREATE TABLE transactions (id INTEGER PRIMARY KEY, player_id INTEGER, table_id INTEGER,
    tournament_id INTEGER, type VARCHAR(50));
INSERT INTO transactions VALUES (1, 101, 8, 3, 'Receipt'), (2, 102, 8, 3, 'Receipt');
CREATE TABLE tables (id INTEGER PRIMARY KEY $seats);
INSERT INTO tables (id, seat_1_pid, seat_2_pid) VALUES (8, 101, 102);
SQL

printf '%s\r\n' "DATABASE=$KAVRO_TEST_PG_DB" "FILEPATH=$E2E_TMP/program/" "SQLSERVER=$KAVRO_TEST_PG_DSN" \
    "DBUSERNAME=" "DBPASSWORD=" >"$E2E_TMP/program/kavro.ini"
printf '%s\r\n' "Level,Small Blind,Big Blind,Ante,Minutes,Break" "1,25,50,0,20,0" >blinds/Long.blinds.csv
e2e_write_ini Tournament_ID=3 "Title=Saturday Bounty Builder" Refresh=5 Time=10:00 \
    Blinds=Long.blinds.csv

echo "another session locks the transactions table for a minute"
PGAPPNAME=kavro-e2e-lock pg -c "BEGIN; LOCK TABLE transactions IN ACCESS EXCLUSIVE MODE; SELECT pg_sleep(60);" \
    >"$E2E_TMP/lock.log" 2>&1 &
lock_held() {
    [ "$(pg -At -c "select count(*) from pg_locks l join pg_class c on c.oid = l.relation
        where c.relname = 'transactions' and l.mode = 'AccessExclusiveLock' and l.granted")" = 1 ]
}
for _ in $(seq 50); do lock_held && break; sleep 0.1; done
lock_held || e2e_fail "the lock was not taken: $(cat "$E2E_TMP/lock.log")"

echo "the clock's window shows within 5 seconds"
KAVRO_MANAGER_STATEMENT_MS=120000 KAVRO_MANAGER_WATCHDOG_MS=120000 ./darvel >"$E2E_TMP/run1.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 5) || e2e_fail "no clock window within 5 seconds while the table is locked"

echo "the countdown runs"
e2e_keys "$clock" space
sleep 1
import -window root "$shots/stalled-running-1.png"
sleep 2
import -window root "$shots/stalled-running-2.png"
changed=$(compare -metric AE "$shots/stalled-running-1.png" "$shots/stalled-running-2.png" null: 2>&1 || true)
[ "${changed%% *}" != 0 ] || e2e_fail "the screen did not change in two seconds of a running clock"

echo "F2 opens the settings dialog at once, with the tournament list"
e2e_keys "$clock" F2
settings=$(e2e_window "KAVRO Clock Settings" 3) || e2e_fail "F2 opened no settings dialog within 3 seconds"
sleep 1
import -window "$settings" "$shots/stalled-settings.png"
e2e_keys "$settings" Escape
e2e_window_gone "KAVRO Clock Settings" || e2e_fail "Escape left the dialog open"
xdotool search --onlyvisible --name "^KAVRO Clock$" >/dev/null 2>&1 && e2e_fail "a message box while locked"

echo "Close and Yes end the clock within 2 seconds, the lock still held"
e2e_click_close
e2e_answer_yes Close 20
lock_held || e2e_fail "the lock ended before the clock did: nothing was shown"
release_lock
[ "$(e2e_ini Title)" = "Saturday Bounty Builder" ] || e2e_fail "Title=$(e2e_ini Title) after Close"

echo "stalled-manager-e2e: all checks passed"
