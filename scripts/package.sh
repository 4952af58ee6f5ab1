#!/bin/bash
# Builds the Debian packages (tideglow, tideglow-data and the source) with
# dpkg-buildpackage from a copy of the checkout without what git ignores (the
# build folders), in build-package/, so the checkout stays clean; lintian must
# report no error and no warning, the AppStream metainfo and the menu entry
# must pass their validators. The binary packages are then built again,
# without the tests (the nocheck profile), and must be the same bytes; with
# --once that second build is left out.
# The version is version.cmake's and must be debian/changelog's last entry.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-package"
ONCE=0
case "${1:-}" in
    --once) ONCE=1 ;;
    "") ;;
    *) echo "Usage: scripts/package.sh [--once]" >&2; exit 2 ;;
esac
"$ROOT/scripts/install_packages.sh"

VERSION="$(sed -n 's/^set(TIDEGLOW_VERSION \(.*\))$/\1/p' "$ROOT/version.cmake")"
CHANGELOG_VERSION="$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)"
if [ "$VERSION" != "$CHANGELOG_VERSION" ]; then
    echo "debian/changelog's last entry is $CHANGELOG_VERSION, the project is $VERSION: add an entry" >&2
    exit 1
fi

# One build in $BUILD/<name>/tideglow-<version>/, its results beside it.
build() {
    local out="$BUILD/$1"
    rm -rf "$out"
    mkdir -p "$out/tideglow-$VERSION"
    rsync -rl --exclude=/.git/ --filter=':- .gitignore' "$ROOT/" "$out/tideglow-$VERSION/"
    (cd "$out/tideglow-$VERSION" && dpkg-buildpackage -us -uc -J"$(nproc)" "${@:2}")
}

build first
lintian --info --display-info --fail-on error,warning "$BUILD"/first/tideglow_"${VERSION}"_*.changes

# What software centres and menus read, as the package installs it; the
# metainfo's releases are the changelog's entries.
STAGED="$BUILD/first/tideglow-$VERSION/debian/tideglow"
INSTALLED="$STAGED/usr/share"
appstreamcli validate-tree --no-net "$STAGED"
desktop-file-validate "$INSTALLED/applications/tideglow.desktop"
diff <(dpkg-parsechangelog -l "$ROOT/debian/changelog" --all --format rfc822 |
           awk '$1 == "Version:" { v = $2 } $1 == "Timestamp:" { print v, strftime("%Y-%m-%d", $2, 1) }') \
     <(sed -n 's|.*<release version="\([^"]*\)" date="\([^"]*\)".*|\1 \2|p' "$INSTALLED"/metainfo/*.metainfo.xml) ||
    { echo "the metainfo's releases are not debian/changelog's entries" >&2; exit 1; }

if [ "$ONCE" = 0 ]; then
    DEB_BUILD_OPTIONS=nocheck build second -b -Pnocheck
    for deb in "$BUILD"/first/*.deb; do
        if ! cmp "$deb" "$BUILD/second/$(basename "$deb")"; then
            echo "$(basename "$deb") is not the same bytes when built again" >&2
            exit 1
        fi
    done
    echo "built again without the tests: the same bytes"
fi
ls "$BUILD"/first/*.deb
