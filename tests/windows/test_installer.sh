#!/usr/bin/env bash
# The Windows installer under Wine, as a school's IT person and a teacher would
# meet it. Run by scripts/windows.sh inside its X server, with WINEPREFIX set
# to a booted prefix of its own.
#   1. The installer installs silently (/S), for the current user: Zolta.exe,
#      a Start-menu entry and an "Apps & Features" entry with version and
#      publisher.
#   2. The installed program opens "Zolta iacta est" at its fixed size; Space
#      on the focused hand draws a number; "Liste kopieren" puts it on the
#      Windows clipboard with CR LF; the About box names the version.
#      Screenshots at 100 % and 200 % go to ARTIFACTS.
#   3. The uninstaller, silent too, leaves none of it behind.
#
# usage: test_installer.sh INSTALLER CLIPBOARD_TEXT_EXE ARTIFACTS VERSION
set -euo pipefail
installer=$1 clipboard_text=$2 artifacts=$3 version=$4
mkdir -p "$artifacts"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Polls a condition (a command) until it holds; 30 s at most.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 300); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "timed out waiting for $what"
}
windows_folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zolta'
registry_value() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' \
    | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

install_dir="$(windows_folder LOCALAPPDATA)/Programs/Zolta"
shortcut="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Zolta.lnk"

echo "== Installing silently"
wine "$installer" /S
wineserver --wait
[ -f "$install_dir/Zolta.exe" ] || fail "no $install_dir/Zolta.exe"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
[ "$(registry_value DisplayName)" = Zolta ] || fail "uninstall entry's DisplayName"
[ "$(registry_value DisplayVersion)" = "$version" ] \
    || fail "uninstall entry's DisplayVersion: '$(registry_value DisplayVersion)'"
[ "$(registry_value Publisher)" = "Die Zolta-Entwickler" ] || fail "uninstall entry's Publisher"

main_window() { xdotool search --onlyvisible --name '^Zolta iacta est$' | head -n 1; }
windows_named() { xdotool search --onlyvisible --name "$1" | wc -l; }
# The Windows clipboard as Zolta.exe's users would paste it (\r and \n spelt out).
clipboard() { wine "$clipboard_text" 2>/dev/null; }
start_zolta() {
    wine "$install_dir/Zolta.exe" &
    wait_for "the window" test -n "$(main_window)"
    window=$(main_window)
    xdotool windowfocus --sync "$window"
}
screenshot() { import -window root -crop "$(xdotool getwindowgeometry "$window" \
    | awk '/Position/ { split($2, p, ","); pos = "+" p[1] "+" p[2] } /Geometry/ { size = $2 }
           END { print size pos }')" "$artifacts/$1.png"; }

echo "== Starting the installed program"
start_zolta
size=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }')
[ "$size" = 306x202 ] || fail "client size $size, not 306x202"
xprop -id "$window" WM_NORMAL_HINTS | grep -q 'minimum size: 306 by 202' \
    && xprop -id "$window" WM_NORMAL_HINTS | grep -q 'maximum size: 306 by 202' \
    || fail "the window can be resized: $(xprop -id "$window" WM_NORMAL_HINTS)"
screenshot window-100

echo "== Drawing by key, copying the list"
xdotool key --window "$window" space
# The list is copied as soon as the number has landed; until then each copy
# reports 0 lines and leaves the clipboard empty.
copy_list() {
    xdotool key --window "$window" shift+F10 Down Right Return
    wait_for "the Kopieren box" test "$(windows_named '^Kopieren$')" -eq 1
    xdotool key Return
    wait_for "the Kopieren box to close" test "$(windows_named '^Kopieren$')" -eq 0
    clipboard | grep -Eq '^[0-9]+\\r\\n$'
}
wait_for "the drawn number on the clipboard" copy_list
echo "clipboard: $(clipboard)"
number=$(clipboard | sed 's/\\r\\n$//')
[ "$number" -ge 1 ] && [ "$number" -le 10 ] || fail "drawn number $number not in 1..10"

echo "== The About box"
xdotool key --window "$window" shift+F10 Up Return
wait_for "the About box" test "$(windows_named '^Zolta iacta est$')" -eq 2
# Qt's message box copies its text on Ctrl+C under Windows.
xdotool key ctrl+c
wait_for "the About box's text" sh -c \
    "wine '$clipboard_text' | grep -qF 'Zolta ${version%.*}\\rVersion $version'"
screenshot about-100
xdotool key Return
wait_for "the About box to close" test "$(windows_named '^Zolta iacta est$')" -eq 1

echo "== At 200 %"
xdotool key --window "$window" alt+F4
wineserver --wait
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
start_zolta
size=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }')
[ "$size" = 612x404 ] || fail "client size at 200 %: $size, not 612x404"
screenshot window-200
xdotool key --window "$window" alt+F4
wineserver --wait

echo "== Uninstalling silently"
wine "$install_dir/Deinstallieren.exe" /S
wineserver --wait
[ ! -e "$install_dir" ] || fail "left behind: $(find "$install_dir")"
[ ! -e "$shortcut" ] || fail "left behind: $shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "left behind: $uninstall_key"
echo "== Installer smoke test passed"
