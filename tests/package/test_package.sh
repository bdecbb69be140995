#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks the installed tree (the
# desktop entry, the AppStream data, the icons), unpacks the package and starts
# its Zolta in a private Xvfb until the window shows at its fixed size, then
# closes it the way a window manager would.
#
# Usage: test_package.sh <build-dir> <app-id> <package-version>
set -uo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 <build-dir> <app-id> <package-version>" >&2
    exit 2
fi
build_dir=$(cd "$1" && pwd) || exit 2
# The whole test runs in a private X server of its own.
if [ -z "${ZOLTA_PACKAGE_XVFB:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "FAIL: xvfb-run is missing" >&2; exit 1; }
    exec env -u DISPLAY -u WAYLAND_DISPLAY ZOLTA_PACKAGE_XVFB=1 \
        xvfb-run -a -s "-nolisten tcp -screen 0 1024x768x24" "$0" "$build_dir" "$2" "$3"
fi
app_id=$2
version=$3

readonly title='Zolta iacta est'
readonly client_size='306x202'
readonly startup_timeout=30 # seconds until the window must be there
readonly exit_timeout=10    # seconds until the program must end after the close

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zolta-package.XXXXXX") || exit 2
app_pid=

# cpack and cmake --install both rewrite the build tree's install manifest; a
# user's manifest from an earlier install must survive the test, or
# uninstalling by it would miss the real files.
manifest=$build_dir/install_manifest.txt
if [ -e "$manifest" ]; then
    cp -p "$manifest" "$tmp/install_manifest.saved"
fi

cleanup() {
    # a second signal must not cut the cleanup short
    trap '' INT TERM
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill -TERM "$app_pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$app_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    if [ -e "$tmp/install_manifest.saved" ]; then
        cp -p "$tmp/install_manifest.saved" "$manifest"
    else
        rm -f "$manifest"
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
die() {
    echo "FAIL: $*" >&2
    exit 1
}
ok() {
    echo "ok: $*"
}
show_log() {
    [ -s "$1" ] && sed 's/^/    | /' "$1" >&2
}

for tool in cpack cmake dpkg-deb objdump ldd desktop-file-validate appstreamcli identify xdotool \
    xwininfo xprop /usr/bin/python3; do
    command -v "$tool" >/dev/null || die "$tool is missing"
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || die "python3-xlib is missing"

# --- the package -------------------------------------------------------------

arch=$(dpkg --print-architecture)
deb=$tmp/cpack/zolta_${version}_${arch}.deb
if ! cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$tmp/cpack" >"$tmp/cpack.log" 2>&1; then
    show_log "$tmp/cpack.log"
    die "cpack failed"
fi
[ -f "$deb" ] || {
    show_log "$tmp/cpack.log"
    die "cpack did not write $(basename "$deb")"
}
ok "cpack wrote $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zolta ] || fail "Package is '$(field Package)', not 'zolta'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not '$version'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
# the package names alone, one a line, without versions or alternatives
depends_names=$(tr ',|' '\n' <<<"$depends" | awk 'NF { print $1 }')
# Every package that holds a library the program loads must be named: those
# it links (found by dpkg-shlibdeps), Qt's SVG icon engine (a plug-in) and
# Qt's German translation. Their names differ between releases
# (libqt6core6t64), so they are looked up on this machine.
owner() { dpkg-query --search "$1" 2>/dev/null | sed -n '1s/:.*//p'; }
needed=$(objdump -p "$build_dir/src/Zolta" | awk '$1 == "NEEDED" { print $2 }')
libraries=$(ldd "$build_dir/src/Zolta" | awk -v needed="$needed" '
    BEGIN { split(needed, names, "\n"); for (i in names) wanted[names[i]] = 1 }
    $2 == "=>" && ($1 in wanted) { print $3 }')
[ -n "$libraries" ] || fail "found no library that $build_dir/src/Zolta links"
for library in $libraries '*/iconengines/libqsvgicon.so' '*/translations/qtbase_de.qm'; do
    package=$(owner "$library")
    [ -z "$package" ] && package=$(owner "$(readlink -f "$library")")
    if [ -z "$package" ]; then
        fail "no installed package holds $library"
    elif ! grep -Fxq "$package" <<<"$depends_names"; then
        fail "Depends lacks $package (for $library): '$depends'"
    fi
done
ok "control: zolta $version, Depends: $depends"

# --- the installed tree ------------------------------------------------------

prefix=$tmp/prefix
if ! cmake --install "$build_dir" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    show_log "$tmp/install.log"
    die "cmake --install failed"
fi

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
[ -x "$prefix/bin/Zolta" ] || fail "bin/Zolta is not installed"
[ -f "$desktop" ] || die "share/applications/$app_id.desktop is not installed"
[ -f "$metainfo" ] || die "share/metainfo/$app_id.metainfo.xml is not installed"

# Hints are allowed (two main categories are wanted); errors and warnings not.
if ! desktop-file-validate "$desktop" >"$tmp/dfv.log" 2>&1 ||
    grep -Eq ': (error|warning): ' "$tmp/dfv.log"; then
    show_log "$tmp/dfv.log"
    fail "desktop-file-validate"
else
    ok "desktop-file-validate"
fi

# validate-tree also checks that the metainfo's desktop entry is installed.
# Errors and warnings fail; notes do not: AppStream 0.16 does not know the
# <developer> tag that 1.0 asks for instead of <developer_name>.
if ! appstreamcli validate-tree --no-net --pedantic "$prefix" >"$tmp/asv.log" 2>&1 ||
    grep -Eq '^ *[EW]: ' "$tmp/asv.log"; then
    show_log "$tmp/asv.log"
    fail "appstreamcli validate-tree"
else
    ok "appstreamcli validate-tree"
fi

entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(entry Exec)" = Zolta ] || fail "Exec= is '$(entry Exec)', not 'Zolta'"
icon=$(entry Icon)
[ -n "$icon" ] || fail "the desktop entry has no Icon="

# The icon theme takes a PNG only at the size of its folder.
for size in 16 32 48 128; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        fail "icon ${size}x${size}/apps/$icon.png is not installed"
        continue
    fi
    actual=$(identify -format '%m %wx%h' "$png" 2>&1)
    [ "$actual" = "PNG ${size}x${size}" ] || fail "$icon.png in ${size}x${size} is $actual"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
if [ ! -f "$svg" ] || ! grep -q '<svg' "$svg"; then
    fail "scalable/apps/$icon.svg is not installed or no SVG"
fi
ok "icons for Icon=$icon"

# A new version needs its own release entry and changelog entry.
release=$(/usr/bin/python3 - "$metainfo" <<'EOF'
import sys
import xml.etree.ElementTree as ET
release = ET.parse(sys.argv[1]).getroot().find("releases/release")
print(release.get("version") if release is not None else "")
EOF
)
[ "$release" = "$version" ] || fail "newest metainfo release is '$release', not '$version'"
changelog=$(gzip -dc "$prefix/share/doc/zolta/changelog.gz" 2>/dev/null | head -n 1)
[[ "$changelog" == "zolta ($version) "* ]] || fail "newest changelog entry is '$changelog'"

# --- the unpacked package, running --------------------------------------------

root=$tmp/root
dpkg-deb -x "$deb" "$root" || die "dpkg-deb -x failed"
program=$root/usr/bin/Zolta
[ -x "$program" ] || die "the package has no usr/bin/Zolta"
cmp -s "$root/usr/share/applications/$app_id.desktop" "$desktop" ||
    fail "the package's desktop entry differs from the installed one"

mkdir -m 700 "$tmp/runtime" "$tmp/home"
# Only the package's program and the system's Qt: nothing from the caller's
# session (a Wayland or D-Bus address, a forced platform, a plug-in path).
env -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u QT_PLUGIN_PATH -u LD_LIBRARY_PATH \
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/runtime" HOME="$tmp/home" NO_AT_BRIDGE=1 \
    "$program" >"$tmp/zolta.log" 2>&1 &
app_pid=$!

window=
deadline=$((SECONDS + startup_timeout))
while [ $SECONDS -lt $deadline ]; do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    if ! kill -0 "$app_pid" 2>/dev/null; then
        show_log "$tmp/zolta.log"
        die "the packaged Zolta ended before its window showed"
    fi
    sleep 0.1
done
[ -n "$window" ] || {
    show_log "$tmp/zolta.log"
    die "no visible window '$title' within ${startup_timeout}s"
}
ok "window '$title' (id $window) on $DISPLAY"

size=
for _ in $(seq 30); do
    size=$(xwininfo -id "$window" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 }
        END { print w "x" h }')
    [ "$size" = "$client_size" ] && break
    sleep 0.1
done
[ "$size" = "$client_size" ] || fail "window size is $size, not $client_size"
ok "window size $size"

# The dock matches windows to the desktop entry by WM_CLASS.
wm_class=$(entry StartupWMClass)
if [ -n "$wm_class" ] && ! xprop -id "$window" WM_CLASS | grep -q "\"$wm_class\""; then
    fail "WM_CLASS ($(xprop -id "$window" WM_CLASS)) lacks StartupWMClass '$wm_class'"
fi

# WM_DELETE_WINDOW, as the close button of a window manager sends it.
/usr/bin/python3 - "$window" <<'EOF' || fail "could not send WM_DELETE_WINDOW"
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=w, client_type=protocols,
                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
w.send_event(event, event_mask=X.NoEventMask)
d.sync()
EOF

ended=
for _ in $(seq $((exit_timeout * 10))); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        ended=yes
        break
    fi
    sleep 0.1
done
if [ -z "$ended" ]; then
    fail "Zolta still runs ${exit_timeout}s after the window was closed"
else
    wait "$app_pid"
    status=$?
    app_pid=
    if [ "$status" -ne 0 ]; then
        show_log "$tmp/zolta.log"
        fail "Zolta exited with status $status after the close"
    else
        ok "closed, exit status 0"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "PASS"
