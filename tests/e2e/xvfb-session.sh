# shellcheck shell=bash
# Helpers for end-to-end tests: a private Xvfb, a copy of the program folder, and window lookups.
# Source it; call e2e_start WIDTHxHEIGHT and e2e_copy_program BUILD_PROGRAM_DIR.

e2e_fail() {
    echo "FAIL: $*" >&2
    local log
    for log in "${E2E_TMP:-/nonexistent}"/run*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

e2e_start() {
    local size=${1:-1280x720}
    E2E_TMP=$(mktemp -d)
    trap e2e_stop EXIT
    # Xvfb picks a free display itself and writes its number to the descriptor: no race with other
    # servers starting at the same time.
    local fd
    exec {fd}>"$E2E_TMP/display"
    # -noreset: without it the server resets whenever its last client leaves, and a program started
    # during the reset cannot connect.
    Xvfb -displayfd "$fd" -screen 0 "${size}x24" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB=$!
    exec {fd}>&-
    for _ in $(seq 100); do
        [ -s "$E2E_TMP/display" ] && break
        sleep 0.05
    done
    [ -s "$E2E_TMP/display" ] || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
    export DISPLAY
    # The test run sets the offscreen platform for the widget tests; these programs need the X server.
    export QT_QPA_PLATFORM=xcb
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    e2e_fail "no X server on $DISPLAY"
}

e2e_stop() {
    # Each step on its own: a program that already ended must not keep the X server alive.
    [ -n "${E2E_PID:-}" ] && kill "$E2E_PID" 2>/dev/null || true
    [ -n "${E2E_PULSE:-}" ] && kill "$E2E_PULSE" 2>/dev/null || true
    [ -n "${E2E_TAPE:-}" ] && kill "$E2E_TAPE" 2>/dev/null || true
    [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2>/dev/null || true
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP" || true
}

# Copies <build>/program (kavro.ini, prize-pool.csv, Clock/...) so the test leaves the build's copy alone.
e2e_copy_program() {
    cp -r "$1" "$E2E_TMP/program"
    rm -f "$E2E_TMP/program/Clock/darvel.ini" "$E2E_TMP/program/Clock/logo.jpg"
    E2E_PROGRAM="$E2E_TMP/program/Clock"
}

# Waits up to $2 seconds (default 10) for a visible window titled exactly $1; prints its id.
e2e_window() {
    local w
    for _ in $(seq $((${2:-10} * 10))); do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds (default 5) until no visible window is titled exactly $1; fails when one stays.
e2e_window_gone() {
    for _ in $(seq $((${2:-5} * 10))); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# The Close button shows when the mouse moves and sits in the top right corner.
e2e_click_close() {
    local width
    width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
    xdotool mousemove $((width - 200)) 300 sleep 0.3 mousemove $((width - 12)) 10 sleep 0.5 click 1
}

# Yes to the exit question after $1 must end the program without an error within $2 tenths of a
# second (default 100).
e2e_answer_yes() {
    local question
    question=$(e2e_window "KAVRO Clock" 15) || e2e_fail "no exit question after $1"
    e2e_keys "$question" Return
    for _ in $(seq "${2:-100}"); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$E2E_PID" 2>/dev/null && e2e_fail "the clock still runs $((${2:-100} / 10)) seconds after Yes to $1"
    wait "$E2E_PID" || e2e_fail "the clock ended with an error after $1"
    E2E_PID=
}

e2e_close_clock() {
    e2e_click_close
    e2e_answer_yes Close
}

# There is no window manager: focus directly and type through XTEST, as a keyboard would.
e2e_keys() {
    local w=$1
    shift
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    xdotool key --delay 120 "$@"
}

# Writes darvel.ini into the working folder: the 34 lines of a clock that has run before (no welcome), with
# each KEY=VALUE argument in place of its default.
e2e_write_ini() {
    local lines=(Color_Style=1 Tick_Sound=Count.wav End_Sound=End.wav Background= ";" Tournament_ID=0 Title=Clock
        Refresh=0 "Time=--:--" Level=1 ";" Players=0 Entries=0 Rebuys=0 Addons=0 ";" Player_Variance=0
        Entry_Variance=0 Rebuy_Variance=0 Addon_Variance=0 ";" Prize_Rounding=0 Prize_Guarantee=0
        Prize_Contribution=0 ";" Blinds=Speed.blinds.csv ";" Buyin=20 Rebuy=20 Addon=20 ";" Buyin_Chips=1000
        Rebuy_Chips=1000 Addon_Chips=1000)
    local arg i found
    for arg in "$@"; do
        found=
        for i in "${!lines[@]}"; do
            [ "${lines[$i]%%=*}" = "${arg%%=*}" ] && { lines[i]=$arg; found=1; }
        done
        [ -n "$found" ] || e2e_fail "darvel.ini has no key ${arg%%=*}"
    done
    printf '%s\r\n' "${lines[@]}" >darvel.ini
}

# Prints a port that is free on 127.0.0.1 together with the next one (the live push takes Port+1),
# from a random start so that tests running side by side do not meet.
e2e_free_ports() {
    python3 -c '
import random, socket
p = random.randrange(25000, 45000, 2)
while True:
    try:
        with socket.socket() as a, socket.socket() as b:
            a.bind(("127.0.0.1", p))
            b.bind(("127.0.0.1", p + 1))
        break
    except OSError:
        p += 2
print(p)'
}

e2e_ini() {
    grep -a "^$1=" "$E2E_PROGRAM/darvel.ini" | tr -d '\r' | cut -d= -f2-
}

# A private PulseAudio server whose only output writes everything played, silence included, at the pace
# of the system clock into $E2E_TMP/tape.raw (16-bit mono at $1 Hz, default 44100). A recording stream
# of a null sink's monitor drops pieces on a loaded machine; a pipe read by cat does not. Runs as root
# too (CI): its own runtime folder, no system instance, no D-Bus, no shared memory. With "null" as $2 the
# output is a null sink that keeps nothing and answers at once, as a desktop's idle output does.
e2e_start_sound() {
    local rate=${1:-44100} sink
    export XDG_RUNTIME_DIR="$E2E_TMP/pulse"
    export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR" PULSE_STATE_PATH="$XDG_RUNTIME_DIR"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/native"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    if [ "${2:-}" = null ]; then
        sink="module-null-sink sink_name=tape rate=$rate"
    else
        mkfifo "$E2E_TMP/tape.fifo"
        cat "$E2E_TMP/tape.fifo" >"$E2E_TMP/tape.raw" &
        E2E_TAPE=$!
        sink="module-pipe-sink sink_name=tape file=$E2E_TMP/tape.fifo format=s16le rate=$rate channels=1 use_system_clock_for_timing=yes"
    fi
    HOME="$XDG_RUNTIME_DIR" pulseaudio --daemonize=no --system=false -n --exit-idle-time=-1 \
        --use-pid-file=false --disable-shm=true --log-target=stderr \
        -L "module-native-protocol-unix socket=$XDG_RUNTIME_DIR/native auth-anonymous=1" \
        -L "$sink" \
        >"$E2E_TMP/pulse.log" 2>&1 &
    E2E_PULSE=$!
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    e2e_fail "no PulseAudio server: $(tail -n 5 "$E2E_TMP/pulse.log")"
}
