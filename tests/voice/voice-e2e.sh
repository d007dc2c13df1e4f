#!/usr/bin/env bash
# Spoken announcements on the real clock under Xvfb: a one-minute level runs into the next one with
# announcements on; the next level's words are rendered while the first still runs, and the clock opens
# them after End.wav. Then the same with announcements off: nothing is rendered or played.
# Usage: voice-e2e.sh <build>/program
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
cd "$E2E_PROGRAM"

printf '%s\r\n' "Level,Small Blind,Big Blind,Ante,Minutes,Break" "1,100,200,0,1,0" "2,1.5K,3K,500,1,0" \
    >blinds/Voice.blinds.csv
clock_settings() {
    e2e_write_ini Title=Voice "Time=$1" Blinds=Voice.blinds.csv
}
# The cache names a file by the SHA-1 of the voice, the rate and the words.
level2_text="Level 2. Blinds 1500 and 3000, ante 500."
level2=$(printf 'espeak-ng|en|160\n%s' "$level2_text" | sha1sum | cut -c1-40)

trace="$E2E_TMP/openat.trace"
# The sounds the clock opens, in order: C Count.wav, E End.wav, V the level 2 announcement, X another one.
# The player reads each file once, at its first play, and keeps it. The worker thread opens each new
# file once as it renders it, to read its length, so V and X also show when a text is rendered; the
# level 2 words are rendered before the count-down starts.
sounds() {
    grep -a -o -E "sounds/(Count|End)\.wav\"|voice-cache/[0-9a-f]{40}\.wav\"" "$trace" |
        sed -E "s|sounds/(.).*|\1|; s|voice-cache/$level2\.wav\"|V|; s|voice-cache/.*|X|" | tr -d '\n'
}
wait_for() {
    for _ in $(seq $(($2 * 10))); do
        [[ "$(sounds)" =~ $1 ]] && return 0
        sleep 0.1
    done
    e2e_fail "sounds opened: '$(sounds)', expected /$1/"
}
run_clock() {
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        strace -f -qq -e trace=openat -o "$trace" ./darvel >"$E2E_TMP/run$1.log" 2>&1 &
    E2E_PID=$!
    clock=$(e2e_window "Darvel" 30) || e2e_fail "no clock window"
    sleep 1
}

echo "announcements on: level 1 with eight seconds left"
clock_settings 00:08
printf '%s\r\n' "[Voice]" "Announcements=true" "Voice=en" "Rate=160" "Level_Warning_Minutes=0" >options.ini
run_clock 1
for _ in $(seq 100); do
    [ -f "voice-cache/$level2.wav" ] && break
    sleep 0.1
done
[ -f "voice-cache/$level2.wav" ] || e2e_fail "the next level's announcement was not rendered ahead"
e2e_keys "$clock" space
echo "the count-down and end sounds, then the level 2 announcement"
# After End.wav the only opening of the level 2 file is the player's. (X: the last level's words,
# rendered ahead once level 2 has started.)
said() { sounds | tr -d X; }
for _ in $(seq 300); do
    [[ "$(said)" =~ ^V*CEV$ ]] && break
    sleep 0.1
done
sleep 3
[[ "$(said)" =~ ^V*CEV$ ]] || e2e_fail "sounds after the level change: '$(sounds)'"
import -window root "$E2E_TMP/voice.png" 2>/dev/null && cp "$E2E_TMP/voice.png" "${VOICE_E2E_SCREENSHOT:-/dev/null}" || true
e2e_close_clock
[ "$(e2e_ini Level)" = 2 ] || e2e_fail "Level=$(e2e_ini Level) after the level change"

echo "the announcement is speech: 16-bit PCM mono, 1 to 15 seconds, not silent"
wav="voice-cache/$level2.wav"
info=$(sox --i "$wav")
grep -q "Channels *: 1" <<<"$info" || e2e_fail "not mono: $info"
grep -q "Precision *: 16-bit" <<<"$info" || e2e_fail "not 16-bit: $info"
grep -q "Sample Encoding: 16-bit Signed Integer PCM" <<<"$info" || e2e_fail "not PCM: $info"
seconds=$(sox --i -D "$wav")
awk -v s="$seconds" 'BEGIN { exit !(s >= 1 && s <= 15) }' || e2e_fail "$seconds seconds long"
rms=$(sox "$wav" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
awk -v r="$rms" 'BEGIN { exit !(r > 0.02) }' || e2e_fail "RMS amplitude $rms: silent"
echo "  $seconds s, RMS amplitude $rms"

echo "announcements off: nothing rendered, nothing played but the clock's sounds"
rm -rf voice-cache
clock_settings 00:03
printf '%s\r\n' "[Voice]" "Announcements=false" >options.ini
run_clock 2
e2e_keys "$clock" space
wait_for '^CE$' 20
sleep 3
[ "$(sounds)" = CE ] || e2e_fail "sounds with announcements off: '$(sounds)'"
e2e_close_clock
[ ! -e voice-cache ] || e2e_fail "announcements off still made the voice cache"

echo "voice-e2e: all checks passed"
