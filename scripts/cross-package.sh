#!/bin/bash
# Cross-builds the Debian packages for another architecture as Debian does,
# with dpkg-buildpackage -a ARCH -Pcross,nocheck, as root: tideglow_*_ARCH.deb
# and tideglow-data_*_all.deb are left in build-cross/.
# The build runs in a Debian 12 root of its own (build-cross/root, made with
# debootstrap and kept between runs) with ARCH added through multiarch: the
# -dev packages of SDL for ARCH replace this machine's own, which would spoil
# every other build here. Each step prints the time it took.
# Usage: scripts/cross-package.sh ARCH (arm64, s390x, ...)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ARCH="${1:?Usage: scripts/cross-package.sh ARCH (arm64, s390x, ...)}"
WORK="$ROOT/build-cross"
TARGET="$WORK/root"
SUITE=bookworm
VERSION="$(sed -n 's/^set(TIDEGLOW_VERSION \(.*\))$/\1/p' "$ROOT/version.cmake")"
# The tracked files, as dpkg-buildpackage finds them in a clean clone.
INSIDE=/root/cross
SOURCE="$INSIDE/tideglow-$VERSION"

source "$ROOT/scripts/lib.sh"
require_root "debootstrap and chroot"
"$ROOT/scripts/install_packages.sh" --only debootstrap
take_lock "$WORK"

timed() {  # timed WHAT COMMAND...: runs the command and says how long it took
    local start=$SECONDS
    "${@:2}" || return
    echo "== $1: $((SECONDS - start)) s"
}

timed "root (debootstrap, when not made yet)" make_root "$WORK" "$SUITE"
mount_root "$TARGET"
# A root that only builds: dpkg need not sync every file, and the packages'
# documents are not unpacked (those of ARCH's -dev packages may differ from
# another architecture's, which dpkg would refuse to share).
printf '%s\n' force-unsafe-io 'path-exclude=/usr/share/doc/*' 'path-include=/usr/share/doc/*/copyright' \
    'path-exclude=/usr/share/man/*' 'path-exclude=/usr/share/locale/*' >"$TARGET/etc/dpkg/dpkg.cfg.d/build-root"

rm -rf "${TARGET:?}$INSIDE"
mkdir -p "$TARGET$SOURCE"
git -C "$ROOT" archive HEAD | tar -x -C "$TARGET$SOURCE"

# The cross compilers and ARCH's build dependencies, without the tests' own.
install_dependencies() {
    in_root "$TARGET" "$SOURCE" dpkg --add-architecture "$ARCH" &&
        in_root "$TARGET" "$SOURCE" apt-get update -q &&
        in_root "$TARGET" "$SOURCE" apt-get install -q -y --no-install-recommends \
            build-essential "crossbuild-essential-$ARCH" debhelper dpkg-dev &&
        in_root "$TARGET" "$SOURCE" apt-get build-dep -q -y --no-install-recommends \
            -a "$ARCH" -Pcross,nocheck ./
}
timed "build dependencies" install_dependencies >"$WORK/dependencies.log" || {
    tail -20 "$WORK/dependencies.log" >&2
    exit 1
}
tail -1 "$WORK/dependencies.log"

# Binary packages only: the source package is the native build's.
timed "dpkg-buildpackage -a $ARCH" in_root "$TARGET" "$SOURCE" /usr/bin/env DEB_BUILD_OPTIONS=nocheck \
    dpkg-buildpackage -a "$ARCH" -Pcross,nocheck -us -uc -b -j2 >"$WORK/build-$ARCH.log" 2>&1 || {
    tail -30 "$WORK/build-$ARCH.log" >&2
    exit 1
}
tail -1 "$WORK/build-$ARCH.log"
rm -f "$WORK"/tideglow_*_"$ARCH".deb "$WORK"/tideglow-data_*_all.deb
cp "$TARGET$INSIDE"/tideglow_"${VERSION}"_"$ARCH".deb "$TARGET$INSIDE"/tideglow-data_"${VERSION}"_all.deb "$WORK/"
ls "$WORK"/*.deb
