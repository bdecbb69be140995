#!/usr/bin/env bash
# Builds Zolta for 64-bit Windows and its installer, all from Debian's archive:
#   1. a static Qt for Windows (qtbase), cross-built with MinGW-w64 from
#      Debian's qt6-base source package of the same version as the host Qt,
#      kept under ZOLTA_WINDOWS_CACHE (default /var/cache/zolta-windows, or
#      ~/.cache/zolta-windows for a user who cannot write there) and built
#      again only when that version changes;
#   2. Zolta and its unit and widget tests, cross-built against it;
#   3. build/windows/Zolta-<version>-win64.exe (CPack's NSIS generator).
# With "test", it then runs the unit and widget tests under Wine and the
# installer smoke test (tests/windows/test_installer.sh) in Xvfb.
#
# usage: scripts/windows.sh [test]
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
scripts/deps.sh windows

# --- 1. Qt for Windows -------------------------------------------------------
qt_source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
default_cache=/var/cache/zolta-windows
mkdir -p "$default_cache" 2>/dev/null && [ -w "$default_cache" ] \
    || default_cache=${XDG_CACHE_HOME:-$HOME/.cache}/zolta-windows
cache=${ZOLTA_WINDOWS_CACHE:-$default_cache}
jobs=$(nproc)

build_qt() {
    local work=$cache/qt-build
    rm -rf "$work" "$qt_prefix"
    mkdir -p "$work/lists/partial"
    cd "$work"

    # A deb-src entry for each archive this machine's apt already uses, in a
    # list of our own: the machine's apt configuration stays as it is.
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' | sort -u \
        | while read -r uri release; do echo "deb-src $uri $release main"; done >sources.list
    local apt_options=(-o Dir::Etc::SourceList="$work/sources.list"
        -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists="$work/lists")
    apt-get "${apt_options[@]}" update -qq
    echo "== Fetching qt6-base $qt_source_version's source from Debian's archive"
    apt-get "${apt_options[@]}" source -qq "qt6-base=$qt_source_version"
    local source
    source=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

    local triplet
    triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    # Static, without what Zolta does not use. Debian's source has no wintab
    # folder, so tablet support is off; OpenGL stays on (loaded at run time),
    # since the Windows platform plug-in does not build without it. Direct2D
    # stays on too: without it, Qt 6.4 leaves out the DirectWrite font
    # database that its Windows platform plug-in still calls.
    echo "== Configuring Qt for Windows (once per Qt version; the build takes long)"
    cmake -S "$source" -B build -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$project/packaging/windows/mingw-toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$triplet/cmake" \
        -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_textmarkdownreader=OFF \
        -DFEATURE_textmarkdownwriter=OFF -DFEATURE_sessionmanager=OFF \
        >configure.log
    cmake --build build --parallel "$jobs"
    cmake --install build >/dev/null
    cd "$project"
    rm -rf "$work"
}

# One build per Qt version and per way of building it (this function and the
# toolchain file).
recipe=$( (declare -f build_qt && cat packaging/windows/mingw-toolchain.cmake) | sha256sum)
qt_prefix=$cache/qt-$qt_source_version-${recipe:0:12}
if [ ! -e "$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    start=$SECONDS
    build_qt
    echo "== Qt for Windows built in $((SECONDS - start)) s, kept in $qt_prefix"
    # Builds of another version or recipe are not used again.
    find "$cache" -mindepth 1 -maxdepth 1 -name 'qt-*' ! -path "$qt_prefix" -exec rm -rf {} +
fi

# --- 2. Zolta for Windows and its installer ----------------------------------
build=$project/build/windows
# A build tree belongs to one Qt: configured against another, it starts anew.
grep -qsF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$qt_prefix/" "$build/CMakeCache.txt" || rm -rf "$build"
# The windows preset (build/windows) takes this Qt's toolchain file and
# chains this checkout's MinGW one, wherever the cached Qt was built from.
export ZOLTA_WINDOWS_QT=$qt_prefix
cmake --preset windows >/dev/null
cmake --build --preset windows
(cd "$build" && cpack -G NSIS >/dev/null)
installer=$(find "$build" -maxdepth 1 -name 'Zolta-*-win64.exe')
version=${installer##*/Zolta-}
version=${version%-win64.exe}
echo "== Windows installer: $installer ($(du -h "$installer" | cut -f1))"

[ "${1:-}" = test ] || exit 0

# --- 3. Its tests under Wine, in an X server of their own --------------------
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" bash -c '
    set -e
    trap "wineserver --kill" EXIT
    wineboot --init && wineserver --wait
    # Wine waits about 2 s for a window manager at every window it closes
    # unless its windows are unmanaged (each case of the widget tests took 2 s
    # instead of 0.05); the installer test looks at managed ones.
    x11_driver="HKCU\\Software\\Wine\\X11 Driver"
    wine reg add "$x11_driver" /v Managed /d N /f >/dev/null
    ctest --test-dir "$1" --output-on-failure --timeout 300
    wine reg delete "$x11_driver" /v Managed /f >/dev/null
    "$2/tests/windows/test_installer.sh" "$3" "$1/clipboard_text.exe" "$1/artifacts" "$4"
    ' _ "$build" "$project" "$installer" "$version"
