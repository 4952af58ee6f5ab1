#!/bin/bash
# Runs the project's checks on Debian 13 from a Debian 12 machine, as root:
# makes a Debian 13 root with debootstrap from Debian's archive in
# build-debian13/root (kept between runs; DEBIAN13_FRESH=1 makes it anew),
# copies the checkout into it, and runs `scripts/check.sh --core` there under
# chroot: the build and its tests with the end-to-end ones, the web build in
# chromium, firefox-esr and WebKitGTK, and the Debian packages built by
# dpkg-buildpackage and checked with Debian 13's lintian and appstream,
# installed, run and purged.
# With arguments it runs that command in the root instead, from the copy of
# the checkout (scripts/debian13.sh bash: a shell there).
# The mounts it makes are undone when it ends, however it ends.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WORK="$ROOT/build-debian13"
TARGET="$WORK/root"
SUITE=trixie
INSIDE=/root/tideglow

source "$ROOT/scripts/lib.sh"
require_root "debootstrap and chroot"
"$ROOT/scripts/install_packages.sh" --only debootstrap rsync
take_lock "$WORK"

make_root "$WORK" "$SUITE" "${DEBIAN13_FRESH:-0}"
mount_root "$TARGET"

# npm reaches its registry through this machine's certificate authorities:
# the file NODE_EXTRA_CA_CERTS names, copied to a place of its own, since
# installing ca-certificates in the root rewrites the root's /etc/ssl/certs.
CA_FILE=""
if [ -n "${NODE_EXTRA_CA_CERTS:-}" ] && [ -f "$NODE_EXTRA_CA_CERTS" ]; then
    CA_FILE=/root/host-certificate-authorities.crt
    cp "$NODE_EXTRA_CA_CERTS" "$TARGET$CA_FILE"
fi

# The checkout as it stands, without what git ignores (the build folders).
# The root's own build folders stay, and only files whose contents changed are copied
# (with the time of the copy), so that a second run builds only what changed.
mkdir -p "$TARGET$INSIDE"
rsync -rlc --delete --exclude=/.git/ --filter=':- .gitignore' "$ROOT/" "$TARGET$INSIDE/"

[ "$#" -gt 0 ] || set -- scripts/check.sh --core
chroot "$TARGET" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 CI="${CI:-}" NODE_EXTRA_CA_CERTS="$CA_FILE" \
    /bin/sh -c 'cd "$0" && exec "$@"' "$INSIDE" "$@"
