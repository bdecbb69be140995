#!/usr/bin/env bash
# Runs commands in a fresh Debian tree, as a newcomer's machine would be: a
# minbase system from debootstrap with nothing of ours installed, holding a
# copy of this checkout (its committed and uncommitted files, no build trees)
# at /src/zolta.
#
# usage: scripts/fresh-tree.sh SUITE 'COMMAND' ['COMMAND' ...]
#   SUITE: bookworm (Debian 12), trixie (Debian 13) or forky (testing).
#   Each COMMAND runs as root in /src/zolta inside the tree; the first that
#   fails ends the run with exit status 1.
#
# Needs root and debootstrap (scripts/deps.sh fresh). The packages come
# from the Debian mirror this machine's apt is configured with. Kept between
# runs, under ZOLTA_FRESH_CACHE (default /var/cache/zolta-fresh): the base
# tree of each suite and the package files apt downloaded into it; apt checks
# both against the archive's signatures. Every run starts from a new copy of
# the base tree, so nothing installed by one run is there for the next.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 bookworm|trixie|forky 'COMMAND' ['COMMAND' ...]" >&2
    exit 2
fi
suite=$1
shift
case "$suite" in
bookworm | trixie | forky) ;;
*)
    echo "$0: unknown suite '$suite'" >&2
    exit 2
    ;;
esac
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: needs root (debootstrap, chroot and mounts)" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null; then
    echo "$0: needs debootstrap: scripts/deps.sh fresh" >&2
    exit 2
fi

project=$(cd "$(dirname "$0")/.." && pwd)
cache=${ZOLTA_FRESH_CACHE:-/var/cache/zolta-fresh}
base=$cache/$suite
archives=$cache/$suite-archives
mkdir -p "$cache" "$archives"

# The Debian mirror this machine's apt uses (whatever the sources' format).
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' \
    | awk '$2 !~ /-(security|updates|backports)$/ { print $1; exit }')
if [ -z "$mirror" ]; then
    echo "$0: no Debian mirror in this machine's apt sources" >&2
    exit 2
fi

if [ ! -d "$base/usr" ]; then
    script=$suite
    # Testing's name may be newer than this debootstrap; its script is sid's.
    [ -e "/usr/share/debootstrap/scripts/$suite" ] || script=/usr/share/debootstrap/scripts/sid
    echo "== debootstrap $suite from $mirror (once; kept in $base)"
    rm -rf "$base.new"
    if ! debootstrap --variant=minbase "$suite" "$base.new" "$mirror" "$script" \
        >"$cache/$suite-debootstrap.log" 2>&1; then
        tail -n 20 "$cache/$suite-debootstrap.log" >&2
        echo "$0: debootstrap failed; log in $cache/$suite-debootstrap.log" >&2
        exit 2
    fi
    # A mirror's copy of testing may carry an expired Release file.
    [ "$suite" = forky ] \
        && echo 'Acquire::Check-Valid-Until "false";' >"$base.new/etc/apt/apt.conf.d/99valid-until"
    rm -f "$base.new"/var/cache/apt/archives/*.deb
    mv "$base.new" "$base"
fi

run=$(mktemp -d "$cache/$suite-run.XXXXXX")
mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${mounts[i]}" 2>/dev/null || true
    done
    rm -rf --one-file-system "$run"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

cp -a "$base/." "$run/"
mkdir -p "$run/src/zolta"
# The checkout as a clone would have it, plus uncommitted files; no build trees.
if command -v git >/dev/null && git -C "$project" rev-parse --git-dir >/dev/null 2>&1; then
    git -C "$project" ls-files -z --cached --others --exclude-standard \
        | tar -c -C "$project" --no-recursion --null -T - \
        | tar -x -C "$run/src/zolta"
else
    tar -c -C "$project" --exclude=./build . | tar -x -C "$run/src/zolta"
fi
cp /etc/resolv.conf "$run/etc/resolv.conf"

bind() {
    mkdir -p "$run$2"
    mount --bind "$1" "$run$2"
    mounts+=("$run$2")
}
bind /proc /proc
bind /sys /sys
bind /dev /dev
bind /dev/pts /dev/pts
[ -d /dev/shm ] && bind /dev/shm /dev/shm
bind "$archives" /var/cache/apt/archives

status=0
for command in "$@"; do
    echo "== [$suite] $command"
    if ! chroot "$run" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "cd /src/zolta && $command"; then
        status=1
        echo "== [$suite] failed: $command" >&2
        break
    fi
done
exit "$status"
