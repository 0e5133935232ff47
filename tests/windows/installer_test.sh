#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix, as a user would meet it:
#   installer_test.sh SETUP.exe STAGE_FOLDER SCREENSHOT.png
# (STAGE_FOLDER: what the installer was made from, the stand-in tools in it)
# 1. a silent install (/S) puts the program, Qt, the data and the stand-in tools into the per-user
#    program folder, with a Start menu entry, the .cvp file type and an uninstall entry;
# 2. the installed corvane.exe starts on a virtual display with the caption "Corvane - [New Project]"
#    (its time to a usable window is printed) and a screenshot of it is a real picture;
# 3. the window opens the simulator's traffic through the stand-ins and compiles it back, with a
#    backup in "Traffic Backup";
# 4. an upgrade with /TOOLS=FOLDER copies the user's tools; a later upgrade without it keeps them and
#    the user's settings;
# 5. a silent uninstall removes what the installer put there and leaves the user's files, the
#    simulator's traffic and its backups.
# Exits non-zero on the first failure, saying what failed.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
setup=$(realpath "$1")
standins=$(realpath "$2")
screenshot=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-installer-XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
display_pid=

finish() {
  local status=$?
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "(kept in $work)"; fi
}
trap finish EXIT

fail() {
  echo "installer test: $*" >&2
  exit 1
}

wineboot -i >/dev/null 2>&1
# Wine has no Windows dialog font: this machine's sans font stands in for it; Wine draws the windows'
# frames and captions itself (there is no window manager on the virtual display).
for font in "MS Shell Dlg" "MS Shell Dlg 2" Tahoma; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$font" /t REG_SZ \
    /d "DejaVu Sans" /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
program=$user_dir/AppData/Local/Programs/Corvane
start_menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
fs=$WINEPREFIX/drive_c/FS2002
scenery=$fs/SCENEDB/ATC/Scenery

# reg_value KEY NAME: the data of a registry value of the prefix ("" when it is missing).
reg_value() {
  local key=$1 name=$2 flag=(/v "$2")
  [ "$name" = "" ] && flag=(/ve)
  wine reg query "$key" "${flag[@]}" 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *[^ ].* *REG_[A-Z_]* *\(.*\)$/\1/p' | head -n 1
}

# run_setup ARGS...: runs the installer silently and waits for it and its uninstaller copies to end.
run_setup() {
  wine "$setup" /S "$@" || fail "the installer ended with status $? ($*)"
  wineserver -w
}

echo "-- silent install"
run_setup
for file in corvane.exe corvane-cli.exe TCompiler.exe TDecompiler.exe apt.dat land.txt uninstall.exe \
    Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll platforms/qwindows.dll; do
  [ -f "$program/$file" ] || fail "not installed: $file"
done
cmp -s "$program/TCompiler.exe" "$standins/TCompiler.exe" || fail "the stand-in compiler is not installed"
[ -f "$start_menu/Corvane.lnk" ] || fail "no Start menu entry"
[ "$(reg_value 'HKCU\Software\Classes\.cvp' '')" = "Corvane.Project" ] || fail "no .cvp file type"
command=$(reg_value 'HKCU\Software\Classes\Corvane.Project\shell\open\command' '')
[[ $command == *'corvane.exe" "%1"' ]] || fail "a project does not open with Corvane: $command"
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
[ "$(reg_value "$uninstall" DisplayName)" = "Corvane" ] || fail "no uninstall entry"
[ -n "$(reg_value "$uninstall" DisplayVersion)" ] || fail "the uninstall entry has no version"
[ -n "$(reg_value "$uninstall" Publisher)" ] || fail "the uninstall entry has no publisher"
size=$(reg_value "$uninstall" EstimatedSize)
[ $((size)) -gt 1000 ] || fail "the uninstall entry's size is $size"
echo "installed: $(du -sh "$program" | cut -f1) in the program folder, size in the uninstall entry $((size)) KB"

echo "-- the window"
# A simulator installation, registered as its own installer does, with traffic compiled by the
# installed stand-in compiler.
cp -r "$ROOT/data/demo/FS2002" "$fs"
wine reg add 'HKLM\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\8.0' /v "EXE Path" /t REG_SZ \
  /d 'C:\FS2002' /f /reg:32 >/dev/null 2>&1
mkdir -p "$work/compile"
cp "$ROOT/data/demo/traffic/aircraft.txt" "$work/compile/Aircraft.txt"
cp "$ROOT/data/demo/traffic/airports.txt" "$work/compile/Airports.txt"
cp "$ROOT/data/demo/traffic/flightplans.txt" "$work/compile/FlightPlans.txt"
(cd "$work/compile" && wine "$program/TCompiler.exe" /ep /np >/dev/null)
[ -f "$scenery/traffic.bgl" ] || fail "the stand-in compiler built no traffic.bgl"
cp "$scenery/traffic.bgl" "$work/original.bgl"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
display_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.2; done

# wait_for_window CAPTION SECONDS: the id of the first window whose name is CAPTION.
wait_for_window() {
  local caption=$1 seconds=$2 id
  for _ in $(seq $((seconds * 5))); do
    id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$caption" | sed 's/[][\.*^$]/\\&/g')\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

windows_shown() {
  xdotool search --name . getwindowname %@ 2>/dev/null | tr '\n' '|'
}

# The first start finds the simulator in the registry and shows Options to confirm it; OK (the
# default button) goes on to the main window.
started=$(date +%s.%N)
(cd "$work" && wine "$program/corvane.exe" >"$work/corvane.log" 2>&1) 2>/dev/null &
corvane=$!
options=$(wait_for_window "Options" 120) || fail "no Options window at the first start within 120 s: $(windows_shown)"
ready=$(date +%s.%N)
awk -v a="$started" -v b="$ready" 'BEGIN { printf "corvane.exe: its first window (Options) %.1f s after the start\n", b - a }'
xdotool windowfocus --sync "$options" 2>/dev/null || true
xdotool key --window "$options" Return
window=$(wait_for_window "Corvane - [New Project]" 60) ||
  fail "no window \"Corvane - [New Project]\" after Options: $(windows_shown)"
sleep 2
import -window "$window" "$screenshot"
colours=$(convert "$screenshot" -format '%k' info:)
[ "$colours" -gt 32 ] || fail "the screenshot is no real picture ($colours colours)"
echo "screenshot: $screenshot ($colours colours)"

# File > Open FS2002 Traffic.bgl... through the menu's keys, then File > Compile FS2002 Traffic.bgl...
menu() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" --delay 300 "$@"
}
menu alt+f p
window=$(wait_for_window "Corvane - [Traffic.BGL]" 120) || fail "the window did not open Traffic.bgl"
# The picture for the README: the demo's traffic, a flight chosen.
menu Tab Down
sleep 2
import -window "$window" "${screenshot%.png}-traffic.png"
# F7 compiles. Two of the demo's aircraft are not installed, so the traffic check asks first: its
# focus is on "Show problems", Tab moves it to "Compile anyway".
menu F7
question=$(wait_for_window "Traffic check" 60) || fail "the compile did not ask about the traffic check's errors"
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key --window "$question" --delay 300 Tab space
backup=
for _ in $(seq 600); do
  backup=$(find "$scenery/Traffic Backup" -name 'Traffic (*).bgl' 2>/dev/null | head -n 1 || true)
  [ -n "$backup" ] && ! cmp -s "$scenery/traffic.bgl" "$work/original.bgl" && break
  sleep 0.2
done
[ -n "$backup" ] || fail "the compile made no backup in Traffic Backup"
cmp -s "$backup" "$work/original.bgl" || fail "the backup is not the old traffic.bgl"
cmp -s "$scenery/traffic.bgl" "$work/original.bgl" && fail "the compile left traffic.bgl as it was"
echo "compiled through the window; the backup is $(basename "$backup")"
xdotool key --window "$window" ctrl+q alt+F4 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true
wait "$corvane" 2>/dev/null || true
# Started again, as every later start is: straight to the main window.
started=$(date +%s.%N)
(cd "$work" && wine "$program/corvane.exe" >>"$work/corvane.log" 2>&1) 2>/dev/null &
corvane=$!
wait_for_window "Corvane - [New Project]" 120 >/dev/null || fail "no main window at the second start: $(windows_shown)"
ready=$(date +%s.%N)
awk -v a="$started" -v b="$ready" 'BEGIN { printf "corvane.exe: a usable window %.1f s after a later start\n", b - a }'
wineserver -k >/dev/null 2>&1 || true
wait "$corvane" 2>/dev/null || true
kill "$display_pid" 2>/dev/null
display_pid=

echo "-- upgrade with the user's tools, then without"
mkdir -p "$work/real-tools"
for tool in TCompiler.exe TDecompiler.exe; do
  { cat "$standins/$tool"; printf 'the user'"'"'s own %s' "$tool"; } >"$work/real-tools/$tool"
done
wine reg add 'HKCU\Software\Corvane\Corvane\General' /v "FS2002 Path" /t REG_SZ /d 'C:\FS2002\' /f >/dev/null 2>&1
run_setup "/TOOLS=$(winepath -w "$work/real-tools")"
cmp -s "$program/TCompiler.exe" "$work/real-tools/TCompiler.exe" || fail "/TOOLS= did not copy the user's tools"
run_setup
cmp -s "$program/TDecompiler.exe" "$work/real-tools/TDecompiler.exe" || fail "an upgrade replaced the user's tools"
[ "$(reg_value 'HKCU\Software\Corvane\Corvane\General' 'FS2002 Path')" = 'C:\FS2002\' ] ||
  fail "an upgrade lost the user's settings"
if wine "$setup" /S "/TOOLS=C:\nowhere" 2>/dev/null; then fail "/TOOLS= with no tools was taken"; fi
wineserver -w

echo "-- silent uninstall"
printf '// Corvane Project File\r\n' >"$program/Mine.cvp"
mkdir -p "$program/TempData"
touch "$program/TempData/flightplans.txt"
wine "$program/uninstall.exe" /S
wineserver -w
for _ in $(seq 50); do [ -f "$program/corvane.exe" ] || break; sleep 0.2; done
left=$(cd "$program" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./Mine.cvp " ] || fail "the uninstaller left: $left"
[ -f "$start_menu/Corvane.lnk" ] && fail "the Start menu entry stayed"
[ -z "$(reg_value 'HKCU\Software\Classes\.cvp' '')" ] || fail "the file type stayed"
[ -z "$(reg_value "$uninstall" DisplayName)" ] || fail "the uninstall entry stayed"
[ -f "$scenery/traffic.bgl" ] && [ -n "$(find "$scenery/Traffic Backup" -name '*.bgl')" ] ||
  fail "the uninstaller touched the simulator's traffic or its backups"
echo "-- a tool the user put into the program folder by hand"
run_setup
printf 'the user'"'"'s own decompiler' >"$program/TDecompiler.exe"
run_setup
grep -q "own decompiler" "$program/TDecompiler.exe" || fail "an upgrade replaced a tool the user put there"
wine "$program/uninstall.exe" /S
wineserver -w
for _ in $(seq 50); do [ -f "$program/corvane.exe" ] || break; sleep 0.2; done
grep -q "own decompiler" "$program/TDecompiler.exe" || fail "the uninstaller removed a tool the user put there"
echo "installer test: passed"
