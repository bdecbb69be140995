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
# Polls a condition (shell code) until it holds; 30 s at most.
wait_for() {
    for _ in $(seq 300); do
        eval "$2" >/dev/null && return 0
        sleep 0.1
    done
    fail "timed out waiting for $1"
}
# Waits until every program in the prefix has ended; 120 s at most.
settle() { timeout 120 wineserver --wait || fail "Wine's programs still ran 120 s after $1"; }
windows_folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zolta'
registry_value() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' \
    | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

install_dir="$(windows_folder LOCALAPPDATA)/Programs/Zolta"
shortcut="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Zolta.lnk"

echo "== Installing silently"
timeout 120 wine "$installer" /S || fail "the installer failed or ran over 120 s"
settle "the install"
[ -f "$install_dir/Zolta.exe" ] || fail "no $install_dir/Zolta.exe"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
[ "$(registry_value DisplayName)" = Zolta ] || fail "uninstall entry's DisplayName"
[ "$(registry_value DisplayVersion)" = "$version" ] \
    || fail "uninstall entry's DisplayVersion: '$(registry_value DisplayVersion)'"
[ "$(registry_value Publisher)" = "Die Zolta-Entwickler" ] || fail "uninstall entry's Publisher"

# Zolta's visible windows: the main window, plus one for each open menu or box.
windows() { xdotool search --onlyvisible --class zolta.exe | wc -l; }
named() { xdotool search --onlyvisible --name "^$1\$" | wc -l; }
# Presses keys, then waits until Zolta shows that many windows.
keys_then() {
    local count=$1
    shift
    xdotool key "$@"
    wait_for "$count window(s) after $*" '[ "$(windows)" -eq "$count" ]'
}
# Keys typed before a new box is active are lost (Wine keeps the X focus on
# the main window, and Qt ignores the main window under a box), so they are
# typed again until the condition holds.
keys_until() {
    for _ in $(seq 15); do
        xdotool key "$2"
        for _ in $(seq 20); do
            eval "$3" >/dev/null && return 0
            sleep 0.1
        done
    done
    fail "timed out waiting for $1"
}
# The Windows clipboard as Zolta.exe's users would paste it (\r, \n spelt out).
clipboard() { wine "$clipboard_text" 2>/dev/null; }
start_zolta() {
    wine "$install_dir/Zolta.exe" &
    wait_for "the window" '[ "$(named "Zolta iacta est")" -eq 1 ]'
    window=$(xdotool search --onlyvisible --name '^Zolta iacta est$')
    xdotool windowfocus --sync "$window"
    size=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }')
    [ "$size" = "$1" ] || fail "client size $size, not $1"
    # Fixed: Wine offers the window manager no resizing (Motif function bit 2).
    local functions
    functions=$(xprop -id "$window" _MOTIF_WM_HINTS | awk -F '[=,] *' '{ print $3 }')
    [ $((functions & 2)) -eq 0 ] || fail "the window can be resized"
}
screenshot() { import -window "$window" "$artifacts/$1.png"; }

echo "== Starting the installed program"
start_zolta 306x202
screenshot window-100

echo "== Drawing by key, copying the list"
xdotool key space
# Context menu > Bearbeiten > Liste kopieren (the Windows style walks over
# the greyed entries too). Until the number has landed, the copy reports 0
# lines and leaves the clipboard empty.
copy_list() {
    keys_then 2 shift+F10
    keys_then 3 Down Right
    xdotool key Down Down Down Return
    wait_for "the Kopieren box" '[ "$(named Kopieren)" -eq 1 ] && [ "$(windows)" -eq 2 ]'
    keys_until "the Kopieren box to close" Return '[ "$(windows)" -eq 1 ]'
    clipboard | grep -Eq '^[0-9]+\\r\\n$'
}
wait_for "the drawn number on the clipboard" copy_list
number=$(clipboard | sed 's/\\r\\n$//')
echo "clipboard: $(clipboard)"
[ "$number" -ge 1 ] && [ "$number" -le 10 ] || fail "drawn number $number not in 1..10"

echo "== The About box"
keys_then 2 shift+F10
xdotool key Up Return
wait_for "the About box" '[ "$(named "Zolta iacta est")" -eq 2 ] && [ "$(windows)" -eq 2 ]'
window=$(xdotool search --onlyvisible --name '^Zolta iacta est$' | tail -n 1)
# Qt's message box copies its text on Ctrl+C under Windows.
keys_until "the About box's text" ctrl+c \
    'clipboard | grep -qF "\\nZolta ${version%.*}\\r\\nVersion $version\\r\\n"'
screenshot about-100
keys_until "the About box to close" Return '[ "$(windows)" -eq 1 ]'

echo "== At 200 %"
xdotool key alt+F4
settle "Alt+F4"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
start_zolta 612x404
screenshot window-200
xdotool key alt+F4
settle "Alt+F4"

echo "== Uninstalling silently"
timeout 120 wine "$install_dir/Deinstallieren.exe" /S || fail "the uninstaller failed or ran over 120 s"
settle "the uninstall"
[ ! -e "$install_dir" ] || fail "left behind: $(find "$install_dir")"
[ ! -e "$shortcut" ] || fail "left behind: $shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "left behind: $uninstall_key"
echo "== Installer smoke test passed"
