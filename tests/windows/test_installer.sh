#!/usr/bin/env bash
# The Windows installer under Wine, as a school's IT person and a teacher would
# meet it. Run by scripts/windows.sh inside its X server, with WINEPREFIX set
# to a booted prefix of its own.
#   1. The installer refuses Windows 7 (exit code 6). An older version, signed
#      with a throwaway certificate, installs; the installer (silent, /S) puts
#      the new one over it, for the current user: Zolta.exe, a Start-menu
#      entry and one "Apps & Features" entry with version and publisher; the
#      older one then refuses to go over it (5).
#   2. The installed program opens "Zolta iacta est" at its fixed size; Space
#      on the focused hand draws a number; "Liste kopieren" puts it on the
#      Windows clipboard with CR LF; the About box names the version.
#      Screenshots at 100 % and 200 % go to ARTIFACTS. While Zolta runs, the
#      silent installer and uninstaller change nothing (3); the interactive
#      installer asks: cancelled, it exits with 3, retried after Zolta ends,
#      it installs.
#   3. The uninstaller, silent too, leaves none of it behind. A file that
#      cannot be written fails the installer (4) with no entry written.
#   4. /AllUsers installs into Program Files, with the entry under HKLM and
#      the Start-menu entry for all users; /CurrentUser then refuses (7).
#
# usage: test_installer.sh INSTALLER CLIPBOARD_TEXT_EXE ARTIFACTS VERSION
set -euo pipefail
installer=$1 clipboard_text=$2 artifacts=$3 version=$4
mkdir -p "$artifacts"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Runs a command that must exit with CODE.
# Runs a command, 120 s at most, and expects its exit code.
expect_exit() {
    local code=$1 status=0
    shift
    timeout 120 "$@" || status=$?
    [ "$status" -eq "$code" ] || fail "$* exited with $status, not $code"
}
# Waits until every program in the prefix has ended; 120 s at most.
settle() { timeout 120 wineserver --wait || fail "Wine's programs still ran 120 s after $1"; }
# Polls a condition (shell code) until it holds; 30 s at most.
wait_for() {
    for _ in $(seq 300); do
        eval "$2" >/dev/null && return 0
        sleep 0.1
    done
    fail "timed out waiting for $1"
}
windows_folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zolta'
registry_value() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' \
    | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

install_dir="$(windows_folder LOCALAPPDATA)/Programs/Zolta"
shortcut="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Zolta.lnk"

echo "== Installing over an older, signed version"
wine winecfg -v win7
expect_exit 6 wine "$installer" /S
[ ! -e "$install_dir" ] || fail "installed on Windows 7"
wine winecfg -v win10
# The older version: cpack's script again, with the staged files signed by a
# certificate made here; zlib, since only its version matters.
older=$(mktemp -d)
trap 'rm -rf "$older"' EXIT
cpack_dir=$(dirname "$(find "$(dirname "$installer")/_CPack_Packages" -name project.nsi)")
cp -r "$cpack_dir/Zolta-$version-win64" "$older/files"
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=Zolta -days 1 \
    -keyout "$older/key.pem" -out "$older/cert.pem" 2>/dev/null
ZOLTA_SIGN_CERT=$older/cert.pem ZOLTA_SIGN_KEY=$older/key.pem makensis -V1 \
    '-XSetCompressor /FINAL zlib' -DVERSION=0.9 -DOUTFILE="$older/old.exe" \
    -DINST_DIR="$older/files" -DZOLTA_SIGN="$(dirname "$0")/../../packaging/windows/sign.sh" \
    "$cpack_dir/project.nsi"
signed() { osslsigncode verify -CAfile "$older/cert.pem" "$1" >/dev/null 2>&1; }
expect_exit 0 wine "$older/old.exe" /S
for file in "$older/old.exe" "$install_dir/Zolta.exe" "$install_dir/Deinstallieren.exe"; do
    signed "$file" || fail "$file: no valid signature"
done
[ "$(registry_value DisplayVersion)" = 0.9 ] || fail "the older version's entry"
expect_exit 0 wine "$installer" /S
! signed "$install_dir/Zolta.exe" || fail "the older Zolta.exe is still there"
expect_exit 5 wine "$older/old.exe" /S
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
keys_then 2 Menu
xdotool key Up Return
wait_for "the About box" '[ "$(named "Zolta iacta est")" -eq 2 ] && [ "$(windows)" -eq 2 ]'
window=$(xdotool search --onlyvisible --name '^Zolta iacta est$' | tail -n 1)
# Qt's message box copies its text on Ctrl+C under Windows.
keys_until "the About box's text" ctrl+c \
    'clipboard | grep -qF "\\nZolta ${version%.*}\\r\\nVersion $version\\r\\n"'
screenshot about-100
keys_until "the About box to close" Return '[ "$(windows)" -eq 1 ]'

echo "== Installing and uninstalling while Zolta runs"
checksum=$(cksum "$install_dir/Zolta.exe")
expect_exit 3 wine "$installer" /S
expect_exit 3 wine "$install_dir/Deinstallieren.exe" /S "_?=$(winepath -w "$install_dir")"
[ "$(cksum "$install_dir/Zolta.exe")" = "$checksum" ] || fail "Zolta.exe changed"
[ -f "$install_dir/Deinstallieren.exe" ] && [ -f "$shortcut" ] && [ -n "$(registry_value DisplayName)" ] \
    || fail "the uninstaller removed something"
# Wine moves the keyboard to another program's window only on a click.
close_zolta() {
    xdotool mousemove --window "$(xdotool search --onlyvisible --name '^Zolta iacta est$')" 3 3 click 1
    keys_until "Zolta to end" alt+F4 '[ "$(windows)" -eq 0 ]'
}
question_shown() {
    window=$(xdotool search --onlyvisible --name '^Installation von Zolta$') &&
        xdotool getwindowgeometry "$window" | grep -Eq 'Geometry: [0-9]+x[0-9]{2}$'
}
# The interactive installer's question (screenshot), cancelled, then retried
# after Zolta has ended: the wizard follows, and its finish page starts Zolta.
for answer in Escape Return; do
    wine "$installer" &
    installer_pid=$!
    wait_for "the question" question_shown
    screenshot "running-$answer"
    [ $answer = Escape ] || close_zolta
    xdotool windowfocus --sync "$window"
    keys_until "the installer to end" $answer '! kill -0 $installer_pid 2>/dev/null'
    status=0
    wait $installer_pid || status=$?
    [ $status -eq "$([ $answer = Return ] && echo 0 || echo 3)" ] || fail "$answer: exit code $status"
done
wait_for "Zolta from the finish page" '[ "$(named "Zolta iacta est")" -eq 1 ]'

echo "== At 200 %"
close_zolta
settle "closing Zolta"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
start_zolta 612x404
screenshot window-200
xdotool key alt+F4
settle "Alt+F4"

echo "== Uninstalling silently"
expect_exit 0 wine "$install_dir/Deinstallieren.exe" /S
settle "the uninstall"
[ ! -e "$install_dir" ] || fail "left behind: $(find "$install_dir")"
[ ! -e "$shortcut" ] || fail "left behind: $shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "left behind: $uninstall_key"

echo "== A file that cannot be written"
mkdir -p "$install_dir/Deinstallieren.exe"
expect_exit 4 wine "$installer" /S
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "an entry for a failed installation"
rm -r "$install_dir"

echo "== For all users"
expect_exit 0 wine "$installer" /S /AllUsers
uninstall_key=${uninstall_key/HKCU/HKLM}
install_dir="$(windows_folder ProgramFiles)/Zolta"
shortcut="$(windows_folder ProgramData)/Microsoft/Windows/Start Menu/Programs/Zolta.lnk"
[ -f "$install_dir/Zolta.exe" ] && [ -f "$shortcut" ] || fail "not in $install_dir, $shortcut"
[ "$(registry_value DisplayVersion)" = "$version" ] || fail "no entry under HKLM"
expect_exit 7 wine "$installer" /S /CurrentUser
expect_exit 0 wine "$install_dir/Deinstallieren.exe" /S
settle "the uninstall"
[ ! -e "$install_dir" ] && [ ! -e "$shortcut" ] || fail "left behind: $install_dir or $shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "left behind: $uninstall_key"
echo "== Installer smoke test passed"
