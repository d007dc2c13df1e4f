#!/usr/bin/env bash
# The clock's web pages in Debian's chromium against the real program under Xvfb: the players' view
# follows the clock, the QR code on the clock screen reads as the view's address, the remote pairs with
# the PIN and pauses the clock, a command while a dialog is open is refused and the remote says why, no
# page has a serious or critical accessibility fault (axe-core), a page reconnects after the clock
# restarts, and with the view off no port is open. Usage: browser-e2e.sh <build>/program [folder to keep the screenshots in]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/xvfb-session.sh"
for tool in node npm chromium zbarimg; do
    command -v "$tool" >/dev/null || { echo "browser-e2e: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done
# playwright-core only; it never downloads a browser.
(cd "$here" && { npm ci --offline --no-audit --no-fund >/dev/null 2>&1 || npm ci --no-audit --no-fund >/dev/null; })

e2e_start 1280x720
e2e_copy_program "$1"
shots=${2:-$E2E_TMP/shots}
mkdir -p "$shots"
cd "$E2E_PROGRAM"
cp "$here/../../data/demo/darvel.ini" darvel.ini

# A free pair of loopback ports: the pages and the live push beside them.
port=$(python3 - <<'PY'
import socket
for p in range(20000 + __import__('os').getpid() % 20000, 65000):
    try:
        a, b = socket.socket(), socket.socket()
        a.bind(('127.0.0.1', p)); b.bind(('127.0.0.1', p + 1))
        a.close(); b.close(); print(p); break
    except OSError:
        pass
PY
)
# Long enough that it cannot turn up in a page by chance (a time, an amount, a colour), which a four-digit
# PIN sometimes did; the players' view must never carry it.
pin=$(printf '7%04d%04d' $((RANDOM % 10000)) $((RANDOM % 10000)))
write_options() {
    printf '[Network]\nPlayers_View=%s\nPort=%s\nBind=127.0.0.1\nRemote_PIN=%s\n' "$1" "$port" "$pin" >options.ini
}
base="http://127.0.0.1:$port/"
export BASE_URL=$base PIN=$pin SHOTS=$shots

start_clock() {
    ./darvel >"$E2E_TMP/run$1.log" 2>&1 &
    E2E_PID=$!
    clock=$(e2e_window "Darvel" 20) || e2e_fail "no clock window"
}
port_open() {
    python3 -c "import socket,sys; s=socket.socket(); s.settimeout(1); sys.exit(0 if s.connect_ex(('127.0.0.1', $port)) == 0 else 1)"
}
# Pixels of the PAUSED notice's red on the screen.
paused_pixels() {
    import -window root "$E2E_TMP/screen.png"
    convert "$E2E_TMP/screen.png" -fill black +opaque "rgb(192,0,0)" -fill white -opaque "rgb(192,0,0)" \
        -format "%[fx:int(mean*w*h)]" info:
}

echo "with the view off no port is open"
write_options false
start_clock 0
sleep 2
port_open && e2e_fail "port $port is open with Players_View=false"
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null || true; E2E_PID=
rm -f darvel.recovery

echo "with the view on: the clock runs, the QR code reads as the view's address"
write_options true
start_clock 1
e2e_keys "$clock" space
sleep 2
for _ in $(seq 50); do port_open && break; sleep 0.2; done
import -window root "$shots/clock.png"
decoded=$(zbarimg --quiet --raw "$shots/clock.png" | head -n 1)
[ "$decoded" = "$base" ] || e2e_fail "the QR code reads '$decoded', expected $base"
[ "$(paused_pixels)" -lt 100 ] || e2e_fail "the clock shows PAUSED while it runs"

echo "the players' view at a phone size follows the clock"
EXPECT_TITLE=$(e2e_ini Title) EXPECT_LEVEL=$(e2e_ini Level) \
    EXPECT_BLINDS=$(awk -F, -v l="$(e2e_ini Level)" '$1 == l { print $2 "/" $3 }' "blinds/$(e2e_ini Blinds)") \
    node "$here/pages.mjs" players || e2e_fail "players' view"

echo "the remote pairs with the PIN and pauses the real clock"
node "$here/pages.mjs" remote || e2e_fail "remote"
sleep 1
red=$(paused_pixels)
cp "$E2E_TMP/screen.png" "$shots/clock-paused-by-remote.png"
[ "$red" -gt 1000 ] || e2e_fail "no PAUSED on the clock after the remote's pause ($red red pixels)"

echo "with a dialog open on the clock the remote's command is refused and the page says why"
e2e_keys "$clock" F2
settings=$(e2e_window "KAVRO Clock Settings" 10) || e2e_fail "F2 opened no settings dialog"
node "$here/pages.mjs" remote_refused || e2e_fail "remote with a dialog open"
e2e_keys "$settings" Escape
sleep 1

echo "no serious or critical accessibility fault on the players' view, the TV view and the remote"
node "$here/pages.mjs" accessibility || e2e_fail "accessibility"

echo "a page reconnects after the clock restarts"
export READY_FILE=$E2E_TMP/ready
node "$here/pages.mjs" reconnect &
watcher=$!
for _ in $(seq 300); do [ -s "$READY_FILE" ] && break; sleep 0.1; done
[ -s "$READY_FILE" ] || e2e_fail "the page did not connect"
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null || true; E2E_PID=
sleep 7
start_clock 2
# The clock resumes from its recovery record and says so.
if box=$(e2e_window "KAVRO Clock" 10); then e2e_keys "$box" Return; fi
wait "$watcher" || e2e_fail "the page did not reconnect"

echo "browser-e2e: all checks passed"
