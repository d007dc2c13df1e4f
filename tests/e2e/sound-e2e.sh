#!/usr/bin/env bash
# What the room hears, recorded from a private PulseAudio server: the five count-down beeps each whole,
# the end sound (longer than the second to the next tick) whole, and only then the next level's
# announcement.
# Usage: sound-e2e.sh <build>/program
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
cd "$E2E_PROGRAM"
e2e_start_sound 44100

printf '%s\r\n' "Level,Small Blind,Big Blind,Ante,Minutes,Break" "1,100,200,0,1,0" "2,200,400,0,1,0" \
    >blinds/Sound.blinds.csv
e2e_write_ini Title=Sound Time=00:07 Blinds=Sound.blinds.csv
printf '%s\r\n' "[Voice]" "Announcements=true" "Voice=en" "Rate=160" "Level_Warning_Minutes=0" >options.ini
awk 'BEGIN { exit !(ARGV[1] > 1.2) }' "$(sox --i -D sounds/End.wav)" || e2e_fail "End.wav is not longer than a second"

./darvel >"$E2E_TMP/run1.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 30) || e2e_fail "no clock window"
# The next level's words are rendered ahead; give them the time they take on a busy machine.
for _ in $(seq 150); do
    [ -n "$(ls voice-cache 2>/dev/null)" ] && break
    sleep 0.1
done
sleep 2
e2e_keys "$clock" space
sleep 16 # 00:07 to the end sound, then the announcement
e2e_close_clock

python3 "$here/sound-pieces.py" "$E2E_TMP/tape.raw" sounds/Count.wav sounds/End.wav >"$E2E_TMP/pieces"
echo "pieces heard (start s, length ms, sound, per cent of it heard whole):"
sed 's/^/  /' "$E2E_TMP/pieces"
beeps=$(awk '$3 == "Count.wav" && $4 >= 90' "$E2E_TMP/pieces" | wc -l)
[ "$beeps" = 5 ] || e2e_fail "$beeps whole count-down beeps, expected 5"
clipped=$(awk '$3 == "Count.wav" && $4 < 90' "$E2E_TMP/pieces" | wc -l)
[ "$clipped" = 0 ] || e2e_fail "$clipped clipped count-down beeps"
read -r end_start end_length _ end_whole < <(awk '$3 == "End.wav"' "$E2E_TMP/pieces") ||
    e2e_fail "no end sound heard"
[ "$end_whole" -ge 95 ] || e2e_fail "only $end_whole per cent of the end sound heard whole"
after=$(awk -v s="$end_start" -v l="$end_length" '$1 > s + l / 1000 && $3 == "-"' "$E2E_TMP/pieces" | wc -l)
[ "$after" -ge 1 ] || e2e_fail "no announcement after the end sound"
last_beep=$(awk '$3 == "Count.wav" { t = $1 } END { print t }' "$E2E_TMP/pieces")
awk -v b="$last_beep" -v e="$end_start" 'BEGIN { exit !(e - b > 0.8 && e - b < 1.2) }' ||
    e2e_fail "the end sound came $last_beep to $end_start s, not a second after the last beep"
echo "sound-e2e: all checks passed"
