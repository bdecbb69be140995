#!/usr/bin/env bash
# Builds the Debian package twice from this checkout and compares the two
# .deb files byte for byte. The builds differ in what must not matter: the
# folder (another path and depth), the umask, the time zone and the clock
# (a year apart, through faketime). diffoscope shows what differs, if any.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh reproducible
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# build FOLDER UMASK TZ CLOCK-OFFSET
build() {
    scripts/copy-checkout.sh "$work/$1/zolta"
    echo "== build in $work/$1, umask $2, TZ=$3, clock $4"
    if ! (cd "$work/$1/zolta" && umask "$2" &&
        TZ=$3 DEB_BUILD_OPTIONS=nocheck faketime -f "$4" \
            dpkg-buildpackage -us -uc -b -Pnocheck -J"$(nproc)") >"$work/$1.log" 2>&1; then
        tail -n 30 "$work/$1.log" >&2
        echo "dpkg-buildpackage failed in $work/$1" >&2
        exit 1
    fi
}
build first 0022 UTC +0d
build second/deeper/path 0077 Pacific/Kiritimati +400d

status=0
for deb in "$work"/first/*.deb; do
    name=$(basename "$deb")
    if cmp -s "$deb" "$work/second/deeper/path/$name"; then
        echo "identical: $name $(sha256sum <"$deb" | cut -c1-64)"
    else
        echo "DIFFERENT: $name" >&2
        diffoscope "$deb" "$work/second/deeper/path/$name" || true
        status=1
    fi
done
exit "$status"
