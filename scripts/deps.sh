#!/usr/bin/env bash
# Installs the Debian packages that are missing for a task: "build" (compile
# and run), "analyze" (clang-tidy, cppcheck, clang-format), "fuzz" (clang
# and libFuzzer), "test" (everything the test command needs), "fresh"
# (debootstrap, for scripts/fresh-tree.sh), "windows" (the cross-build, the
# installer and its tests under Wine, for scripts/windows.sh).
set -euo pipefail

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
updated=no
update() {
    [ "$updated" = yes ] && return
    "${sudo[@]}" apt-get update -qq
    updated=yes
}

# Qt's SVG icon engine: its own package from Qt 6.6 on (Debian 13), part of
# the SVG library's package before (Debian 12, Ubuntu 24.04).
apt-cache show libqt6svg6 >/dev/null 2>&1 || update
svg_engine=libqt6svg6
apt-cache show qt6-svg-plugins >/dev/null 2>&1 && svg_engine=qt6-svg-plugins

# Only names that Debian 12 and 13 both have: a name apt does not know makes
# it install nothing at all.
build_packages=(build-essential cmake ninja-build qt6-base-dev qt6-qpa-plugins "$svg_engine"
    qt6-translations-l10n fonts-dejavu-core file dpkg-dev)
test_packages=(xvfb xauth xdotool xclip x11-utils at-spi2-core python3-pyatspi dbus
    imagemagick python3-xlib desktop-file-utils appstream orca)
analyze_packages=(clang-tidy clang-format cppcheck)
fuzz_packages=(clang libclang-rt-dev llvm)
# dpkg-dev unpacks Qt's source package; Qt's host tools build it; the pictures
# are rendered from their sources (rsvg-convert) and the file's icon packed
# (icotool); qtbase_de.qm is built into the program.
windows_packages=(cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools
    g++-mingw-w64-x86-64-posix mingw-w64-tools nsis librsvg2-bin icoutils
    qt6-translations-l10n wine64 xvfb xauth xdotool x11-utils imagemagick)

case "${1:-build}" in
build) wanted=("${build_packages[@]}") ;;
analyze) wanted=("${build_packages[@]}" "${analyze_packages[@]}") ;;
fuzz) wanted=("${build_packages[@]}" "${fuzz_packages[@]}") ;;
fresh) wanted=(debootstrap) ;;
windows) wanted=("${windows_packages[@]}") ;;
test)
    wanted=("${build_packages[@]}" "${test_packages[@]}" "${analyze_packages[@]}"
        "${fuzz_packages[@]}")
    ;;
*)
    echo "usage: $0 build|analyze|fuzz|test|fresh|windows" >&2
    exit 2
    ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
    "${missing[@]}"
