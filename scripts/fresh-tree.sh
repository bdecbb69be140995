#!/usr/bin/env bash
# Runs commands in a fresh Debian tree, as a newcomer's machine would be: a
# minbase system that mmdebstrap makes for this one run, with nothing of ours
# installed, holding a copy of this checkout (its committed and uncommitted
# files, no build trees) at /src/zolta.
#
# usage: scripts/fresh-tree.sh SUITE 'COMMAND' ['COMMAND' ...]
#   SUITE: bookworm (Debian 12), trixie (Debian 13) or forky (testing).
#   Each COMMAND runs as root in /src/zolta inside the tree; the first that
#   fails ends the run with exit status 1.
#
# Needs mmdebstrap (scripts/deps.sh fresh) and root, or subordinate ids for
# its unshare mode. The packages come from the Debian mirror this machine's
# apt is configured with; the package files apt downloaded are kept between
# runs under ZOLTA_FRESH_CACHE (default /var/cache/zolta-fresh), one folder a
# suite, and apt checks them against the archive's signatures as any download.
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
command -v mmdebstrap >/dev/null || {
    echo "$0: needs mmdebstrap: scripts/deps.sh fresh" >&2
    exit 2
}

project=$(cd "$(dirname "$0")/.." && pwd)
archives=${ZOLTA_FRESH_CACHE:-/var/cache/zolta-fresh}/$suite-archives
mkdir -p "$archives"

# The Debian mirror this machine's apt uses (whatever the sources' format).
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' \
    | awk '$2 !~ /-(security|updates|backports)$/ { print $1; exit }')
if [ -z "$mirror" ]; then
    echo "$0: no Debian mirror in this machine's apt sources" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$project/scripts/copy-checkout.sh" "$work/zolta"
# The commands, run inside; the status comes out in a file, so that the
# downloaded packages are kept whatever it is.
{
    echo 'status=0'
    for command in "$@"; do
        printf 'echo %q\n' "== [$suite] $command"
        printf 'if ! (cd /src/zolta && %s); then\n' "$command"
        printf '    echo %q >&2\n    status=1\nfi\n' "== [$suite] failed: $command"
        echo '[ "$status" -eq 0 ] || { echo 1 >/src/status; exit 0; }'
    done
    echo 'echo 0 >/src/status'
} >"$work/run.sh"

options=()
# A mirror's copy of testing may carry an expired Release file.
[ "$suite" = forky ] && options+=(--aptopt='Acquire::Check-Valid-Until "false"')
echo "== mmdebstrap $suite from $mirror"
mmdebstrap --variant=minbase --skip=essential/unlink "${options[@]}" \
    --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
    --setup-hook="sync-in $archives /var/cache/apt/archives" \
    --customize-hook='mkdir -p "$1/src/zolta"' \
    --customize-hook="sync-in $work/zolta /src/zolta" \
    --customize-hook="copy-in $work/run.sh /src" \
    --customize-hook='chroot "$1" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash /src/run.sh' \
    --customize-hook="sync-out /var/cache/apt/archives $archives" \
    --customize-hook="copy-out /src/status $work" \
    "$suite" /dev/null "$mirror"
[ "$(cat "$work/status")" = 0 ]
