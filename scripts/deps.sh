#!/usr/bin/env bash
# Installs the Debian packages that are missing for a task: "build" (compile
# and run), "analyze" (clang-tidy, cppcheck, clang-format, git), "fuzz"
# (clang and libFuzzer), "test" (everything the test command needs).
set -euo pipefail

build_packages=(build-essential cmake ninja-build qt6-base-dev qt6-qpa-plugins libqt6svg6
    fonts-dejavu-core file dpkg-dev)
test_packages=(xvfb xauth xdotool xclip x11-utils at-spi2-core python3-pyatspi dbus
    imagemagick python3-xlib desktop-file-utils appstream orca)
analyze_packages=(clang-tidy clang-format cppcheck python3 git)
fuzz_packages=(clang libclang-rt-14-dev llvm)

case "${1:-build}" in
build) wanted=("${build_packages[@]}") ;;
analyze) wanted=("${build_packages[@]}" "${analyze_packages[@]}") ;;
fuzz) wanted=("${build_packages[@]}" "${fuzz_packages[@]}") ;;
test)
    wanted=("${build_packages[@]}" "${test_packages[@]}" "${analyze_packages[@]}"
        "${fuzz_packages[@]}")
    ;;
*)
    echo "usage: $0 build|analyze|fuzz|test" >&2
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
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
    "${missing[@]}"
