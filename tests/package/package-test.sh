#!/usr/bin/env bash
# The installation and the Debian package: cmake --install lays out the program folder, the package holds
# it with a desktop entry and an icon, and the clock started from the entry runs against the demo manager
# database from the director's own copy of the program folder.
# Usage: package-test.sh <build dir> <source dir>
# As root (CI) the package is really installed with dpkg -i and removed again at the end; otherwise it
# is unpacked with dpkg -x and run from there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/xvfb-session.sh"
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

installed_by_test=
cleanup() {
    set +e # a failed check must not stop the clean-up half way
    if [ -n "$installed_by_test" ]; then
        dpkg --purge kavro-clock >/dev/null 2>&1 || echo "package-test: could not remove kavro-clock" >&2
    fi
    e2e_stop
}
e2e_start 1280x720
trap cleanup EXIT

check_sample_content() { # <program folder>
    local d
    for d in blinds sounds background; do
        diff -r "$source/data/$d" "$1/$d" >/dev/null || e2e_fail "$1/$d differs from the sample $d"
    done
    [ ! -e "$1/darvel.ini" ] || e2e_fail "$1 holds a darvel.ini: a fresh installation must be a first run"
}

check_manager_ini() { # <kavro.ini> <parent folder it must name>
    [ "$(grep -c $'\r$' "$1")" = 5 ] || e2e_fail "$1 does not hold 5 CR LF lines"
    grep -qx $'DATABASE='"$2"$'/kavro-demo.db\r' "$1" || e2e_fail "$1 does not name $2/kavro-demo.db: $(head -n 1 "$1")"
    grep -qx $'SQLSERVER=\r' "$1" || e2e_fail "$1 names a server"
}

echo "cmake --install: the parent folder with the program folder below it, kavro.ini naming its own demo database"
prefix="$E2E_TMP/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log"
parent="$prefix/lib/kavro"
[ -x "$parent/Clock/darvel" ] || e2e_fail "no program $parent/Clock/darvel"
check_sample_content "$parent/Clock"
cmp -s "$source/data/prize-pool.csv" "$parent/prize-pool.csv" || e2e_fail "no payout template in $parent"
cmp -s "$build/program/kavro-demo.db" "$parent/kavro-demo.db" || e2e_fail "no demo database in $parent"
check_manager_ini "$parent/kavro.ini" "$parent"
[ -x "$prefix/bin/kavro-clock" ] || e2e_fail "no launcher in $prefix/bin"
grep -qx "Exec=$prefix/bin/kavro-clock" "$prefix/share/applications/kavro-clock.desktop" ||
    e2e_fail "the desktop entry does not start $prefix/bin/kavro-clock"

echo "cpack: one kavro-clock package of the project's version with the runtime libraries as dependencies"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$E2E_TMP/deb" >"$E2E_TMP/cpack.log" 2>&1 ||
    { cat "$E2E_TMP/cpack.log" >&2; e2e_fail "cpack failed"; }
debs=("$E2E_TMP"/deb/*.deb)
[ ${#debs[@]} = 1 ] || e2e_fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}
[ "$(dpkg-deb -f "$deb" Package)" = kavro-clock ] || e2e_fail "package name $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || e2e_fail "package version $(dpkg-deb -f "$deb" Version), expected $version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6multimedia6 libqt6sql6 libfreeimage3 qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-odbc; do
    [[ ", $depends," == *", $lib"[\ ,]* ]] || e2e_fail "the package does not depend on $lib: $depends"
done
owners=$(dpkg-deb -c "$deb" | awk '{ print $2 }' | sort -u)
[ "$owners" = root/root ] || e2e_fail "package files are owned by $owners, not root/root"

echo "dpkg -x: the same folders under /usr/lib/kavro, the entry and the icon where desktops look for them"
root="$E2E_TMP/root"
dpkg -x "$deb" "$root"
check_sample_content "$root/usr/lib/kavro/Clock"
file "$root/usr/lib/kavro/Clock/darvel" | grep -q 'ELF.*executable' || e2e_fail "the packaged darvel is no executable"
"$root/usr/lib/kavro/Clock/kavro-blinds" --help | grep -q -- '--estimate FILE' ||
    e2e_fail "the packaged kavro-blinds is missing beside darvel or does not run"
check_manager_ini "$root/usr/lib/kavro/kavro.ini" /usr/lib/kavro
entry="$root/usr/share/applications/kavro-clock.desktop"
[ -f "$entry" ] || e2e_fail "no desktop entry in /usr/share/applications"
for line in "Name=KAVRO Clock" "Icon=kavro-clock" "Categories=Game;Utility;" "Type=Application" "Exec=/usr/bin/kavro-clock"; do
    grep -qx "$line" "$entry" || e2e_fail "the desktop entry lacks $line"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || e2e_fail "the desktop entry does not validate"
fi
autostart="$root/usr/share/kavro-clock/autostart/kavro-clock.desktop"
cmp -s "$entry" "$autostart" || e2e_fail "no autostart entry like the menu entry in /usr/share/kavro-clock/autostart"
[ ! -e "$root/etc/xdg/autostart" ] || e2e_fail "the package starts the clock at every login by itself"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/kavro-clock.svg" ] || e2e_fail "no scalable icon"
file "$root/usr/share/icons/hicolor/256x256/apps/kavro-clock.png" | grep -q '256 x 256' || e2e_fail "no 256x256 icon"

export HOME="$E2E_TMP/home"
unset XDG_DATA_HOME KAVRO_CLOCK_HOME
copy="$HOME/.local/share/kavro"
mkdir -p "$HOME"
if [ "$(id -u)" = 0 ] && ! dpkg-query -W kavro-clock >/dev/null 2>&1; then
    echo "dpkg -i: installing the package"
    installed_by_test=yes
    dpkg -i "$deb" >"$E2E_TMP/dpkg.log" 2>&1 || { cat "$E2E_TMP/dpkg.log" >&2; e2e_fail "dpkg -i failed"; }
    system=/usr/lib/kavro
    entry=/usr/share/applications/kavro-clock.desktop
else
    echo "not root or kavro-clock installed already: running the unpacked package"
    system="$root/usr/lib/kavro"
    # The entry and kavro.ini name /usr; point both at the unpacked copy instead.
    mkdir -p "$copy"
    printf 'DATABASE=%s/kavro-demo.db\r\nFILEPATH=%s/\r\nSQLSERVER=\r\nDBUSERNAME=\r\nDBPASSWORD=\r\n' \
        "$system" "$system" >"$copy/kavro.ini"
fi
launcher=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuUick]//g')
[ "$system" = /usr/lib/kavro ] || launcher="$root$launcher"

start_from_entry() { # <log name>
    cd "$HOME"
    $launcher >"$E2E_TMP/$1.log" 2>&1 &
    E2E_PID=$!
}

stop_clock() {
    kill "$E2E_PID"
    wait "$E2E_PID" 2>/dev/null || true
    E2E_PID=
}

echo "first start from the entry: a copy of the folders in ~/.local/share/kavro, the welcome message, the clock"
start_from_entry run1
welcome=$(e2e_window "KAVRO Clock" 20) || e2e_fail "no welcome message"
e2e_keys "$welcome" Return
e2e_window "Darvel" 10 >/dev/null || e2e_fail "no clock window"
[ -f "$copy/Clock/darvel.ini" ] || e2e_fail "darvel.ini was not written into the copy of the program folder"
[ ! -e "$system/Clock/darvel.ini" ] || e2e_fail "darvel.ini was written into the installed program folder"
cmp -s "$system/Clock/darvel" "$copy/Clock/darvel" || e2e_fail "the copy does not hold the installed program"
cmp -s "$system/prize-pool.csv" "$copy/prize-pool.csv" || e2e_fail "the payout template was not copied"
grep -q "^DATABASE=$system/kavro-demo.db" "$copy/kavro.ini" || e2e_fail "the copied kavro.ini does not name the demo database"
for d in blinds sounds background; do
    diff -r "$system/Clock/$d" "$copy/Clock/$d" >/dev/null || e2e_fail "the $d were not copied"
done
stop_clock
ini=$(cat "$copy/Clock/darvel.ini")

echo "the director's edits and a program the clock's own upgrade put in place are kept on the next start"
cp "$copy/Clock/blinds/Speed.blinds.csv" "$copy/Clock/blinds/Turbo.blinds.csv"
rm "$copy/Clock/blinds/Deepstack.blinds.csv"
printf '#!/bin/sh\necho upgraded >"%s"\n' "$E2E_TMP/upgraded" >"$copy/Clock/darvel"
start_from_entry run2
for _ in $(seq 150); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && e2e_fail "the launcher ran the installed program instead of the upgraded one"
wait "$E2E_PID" || e2e_fail "the upgraded program did not run"
E2E_PID=
[ -f "$E2E_TMP/upgraded" ] || e2e_fail "the launcher replaced the program of an upgrade"
[ ! -e "$copy/Clock/blinds/Deepstack.blinds.csv" ] || e2e_fail "a blinds file the director removed came back"

echo "a changed package brings its program again; the tournament, the blinds and new samples are kept or added"
echo "an earlier package" >"$copy/Clock/.installed-program"
rm "$copy/Clock/sounds/End.wav"
start_from_entry run3
e2e_window "Darvel" 20 >/dev/null || e2e_fail "no clock window after a package upgrade"
xdotool search --onlyvisible --name "^KAVRO Clock$" >/dev/null 2>&1 && e2e_fail "a message box on a restart"
cmp -s "$system/Clock/darvel" "$copy/Clock/darvel" || e2e_fail "the launcher did not bring the new program"
cmp -s "$copy/Clock/blinds/Speed.blinds.csv" "$copy/Clock/blinds/Turbo.blinds.csv" || e2e_fail "an edited blinds file was replaced"
[ -f "$copy/Clock/sounds/End.wav" ] || e2e_fail "a missing sample was not added"
stop_clock
[ "$(cat "$copy/Clock/darvel.ini")" = "$ini" ] || e2e_fail "darvel.ini changed without a save"

if [ -n "$installed_by_test" ]; then
    echo "dpkg --purge: the installation is gone, the director's copy stays"
    dpkg --purge kavro-clock >"$E2E_TMP/dpkg.log" 2>&1 || { cat "$E2E_TMP/dpkg.log" >&2; e2e_fail "dpkg --purge failed"; }
    installed_by_test=
    [ ! -e /usr/lib/kavro ] && [ ! -e /usr/bin/kavro-clock ] && [ ! -e "$entry" ] || e2e_fail "files left after removal"
    [ -f "$copy/Clock/darvel.ini" ] || e2e_fail "the director's copy was removed with the package"
fi
echo "package-test: all checks passed"
