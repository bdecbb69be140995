#!/usr/bin/env bash
# Installs the Debian packages that are missing for a task:
#   build    the package's Build-Depends (debian/control, by apt-get
#            build-dep) and what the program loads at run time: the Depends
#            and Recommends written in debian/control
#   test     all of build, the Depends of the package's own tests
#            (debian/tests/control), lintian, and those of analyze and fuzz
#   analyze  clang-tidy, cppcheck, clang-format
#   fuzz     clang and libFuzzer
#   autopkgtest  autopkgtest and the build's packages
#            (scripts/autopkgtest.sh)
#   reproducible faketime, diffoscope and the build's packages
#            (scripts/reproducible.sh)
#   fresh    mmdebstrap (scripts/fresh-tree.sh)
#   windows  the cross-build, the installer and its tests under Wine
#            (scripts/windows.sh)
# Packages are named once: the package's in debian/, the tools' here, with
# names that Debian 12 and 13 both know.
set -euo pipefail
cd "$(dirname "$0")/.."

analyze_packages="clang-tidy, clang-format, cppcheck"
fuzz_packages="clang, libclang-rt-dev, llvm"
# dpkg-dev unpacks Qt's source package; Qt's host tools build it; the pictures
# are rendered from their sources (rsvg-convert) and the file's icon packed
# (icotool); qtbase_de.qm is built into the program; osslsigncode signs, and
# the installer test makes its certificate with openssl; the built program's
# resources are read back (python3-pefile).
windows_packages="cmake, ninja-build, dpkg-dev, qt6-base-dev, qt6-base-dev-tools,
    g++-mingw-w64-x86-64-posix, mingw-w64-tools, nsis, librsvg2-bin, icoutils,
    qt6-translations-l10n, wine64, xvfb, xauth, xdotool, x11-utils, imagemagick,
    osslsigncode, openssl, python3-pefile"

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
apt_get() {
    if [ -z "${updated:-}" ]; then
        "${sudo[@]}" apt-get update -qq
        updated=yes
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -y -qq "$@"
}

# The relations of one field in every stanza of a control file, comma
# separated; dh's substitutions (${shlibs:Depends}) and our own package
# (which the tests need installed, not the build) left out.
relations() {
    awk -v field="$2" '
        /^[^ \t#]/ { wanted = tolower($0) ~ "^" tolower(field) ":"; if (wanted) { sub(/^[^:]*:/, ""); print } ; next }
        wanted && /^[ \t]/ { print }' "$1" |
        tr '\n' ' ' | tr ',' '\n' | sed 's/^ *//; s/ *$//' | grep -v -e '^$' -e '\$' -e '^zolta$' |
        paste -s -d, -
}

# Installs what a relation list (as in a Depends field) lacks; asks apt only
# when dpkg says that something is missing.
satisfy() {
    local wanted
    wanted=$(tr '\n' ' ' <<<"$*")
    if command -v dpkg-checkbuilddeps >/dev/null &&
        dpkg-checkbuilddeps -d "$wanted" -c '' debian/control >/dev/null 2>&1; then
        return
    fi
    echo "Installing what is missing of: $wanted"
    apt_get satisfy "$wanted"
}

build() {
    if ! command -v dpkg-checkbuilddeps >/dev/null ||
        ! dpkg-checkbuilddeps debian/control >/dev/null 2>&1; then
        echo "Installing the Build-Depends of debian/control"
        apt_get build-dep ./
    fi
    satisfy "$(relations debian/control Depends), $(relations debian/control Recommends)"
}

case "${1:-build}" in
build) build ;;
analyze) build && satisfy "$analyze_packages" ;;
fuzz) build && satisfy "$fuzz_packages" ;;
test)
    build
    satisfy "$(relations debian/tests/control Depends), lintian, $analyze_packages, $fuzz_packages"
    ;;
autopkgtest) build && satisfy "autopkgtest" ;;
reproducible) build && satisfy "faketime, diffoscope-minimal" ;;
fresh) satisfy "mmdebstrap" ;;
windows) satisfy "$windows_packages" ;;
*)
    echo "usage: $0 build|test|analyze|fuzz|autopkgtest|reproducible|fresh|windows" >&2
    exit 2
    ;;
esac
