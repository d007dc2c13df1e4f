#!/usr/bin/env bash
# The real clock under Xvfb: F2 opens the settings over the running clock, a new title and colour scheme
# saved with Save reach darvel.ini and the clock screen, where the new title stays centred through a resize,
# F1 shows the help screen.
# Usage: settings-e2e.sh <build>/program [folder for the screenshots of both tabs and of the help screen]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"
e2e_start 1280x720
e2e_copy_program "$1"
shots=${2:-$E2E_TMP}
mkdir -p "$shots"
cd "$E2E_PROGRAM"

# A clock that has run before: no welcome message, blue scheme, no background picture.
e2e_write_ini Color_Style=3 "Title=Thursday Game" Players=8 Entries=10

# The average colour of the screen, as "r,g,b".
screen_colour() {
    import -window root "$E2E_TMP/screen.png"
    convert "$E2E_TMP/screen.png" -resize '1x1!' -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}

./darvel >"$E2E_TMP/run.log" 2>&1 &
E2E_PID=$!
clock=$(e2e_window "Darvel" 20) || e2e_fail "no clock window"
sleep 1
e2e_keys "$clock" space # the clock runs
sleep 0.5
before=$(screen_colour)

echo "F2 opens the settings dialog over the running clock, on its Clock tab"
e2e_keys "$clock" F2
settings=$(e2e_window "KAVRO Clock Settings" 10) || e2e_fail "F2 opened no settings dialog"
sleep 0.5
import -window "$settings" "$shots/settings-clock.png"

echo "a new title, then the Display tab and the Black colour scheme"
e2e_keys "$settings" ctrl+a
xdotool type --delay 60 "Friday Night Cup"
eval "$(xdotool getwindowgeometry --shell "$settings")"
xdotool mousemove $((X + 164)) $((Y + 40)) click 1 # the Display tab
sleep 0.5
import -window "$settings" "$shots/settings-display.png"
xdotool mousemove $((X + 136)) $((Y + 130)) click 1 # the colour scheme list
sleep 0.5
xdotool key --delay 150 End Return
sleep 0.3

echo "Save closes the dialog and brings the clock up to date"
e2e_keys "$settings" alt+s
e2e_window_gone "KAVRO Clock Settings" || e2e_fail "Save left the dialog open"
[ "$(e2e_ini Title)" = "Friday Night Cup" ] || e2e_fail "Title=$(e2e_ini Title) in darvel.ini"
[ "$(e2e_ini Color_Style)" = 5 ] || e2e_fail "Color_Style=$(e2e_ini Color_Style) in darvel.ini"
[ "$(e2e_ini Blinds)" = "Speed.blinds.csv" ] || e2e_fail "Blinds=$(e2e_ini Blinds) in darvel.ini"
sleep 1
after=$(screen_colour)
[ "$before" != "$after" ] || e2e_fail "the clock screen kept its colours ($before)"
echo "screen colour $before before, $after after the save"

echo "the new title is centred, and stays centred through a resize and back"
title_off_centre() {
    local first last width
    import -window "$clock" -depth 8 "$E2E_TMP/shot.ppm"
    read -r first last width < <(python3 "$here/screen-pixels.py" title <"$E2E_TMP/shot.ppm")
    [ "$first" != none ] || e2e_fail "no title on the screen ($1)"
    echo $(((first + last + 1) - width))
}
for size in "" "1000 560" "1280 720"; do
    if [ -n "$size" ]; then
        # shellcheck disable=SC2086
        xdotool windowsize --sync "$clock" $size 2>/dev/null || xdotool windowsize "$clock" $size
        sleep 1.5
    fi
    off=$(title_off_centre "${size:-after the save}")
    # Twice the distance from the centre, in pixels: a glyph's side bearings give a pixel or two.
    [ "$off" -le 6 ] && [ "$off" -ge -6 ] ||
        e2e_fail "the title is $((off / 2)) px off the centre at ${size:-the first size}"
done

echo "F1 shows the help screen, OK closes it"
e2e_keys "$clock" F1
help=$(e2e_window "Help" 10) || e2e_fail "F1 opened no help screen"
sleep 0.5
import -window "$help" "$shots/help.png"
e2e_keys "$help" alt+o
e2e_window_gone "Help" || e2e_fail "OK left the help screen open"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the clock ended"

echo "settings-e2e: all checks passed"
