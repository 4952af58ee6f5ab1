#!/bin/bash
# Builds build/tideglow_<version>_amd64.deb with Debian's own tools, the way
# debhelper would: the demo built in build-package/ with Debian's hardening
# flags, installed into a staging tree, stripped, manual pages and changelog
# compressed, dependencies computed from the binaries by dpkg-shlibdeps, the
# control file written by dpkg-gencontrol; then checked by lintian, which
# must report no error and no warning. The version is version.cmake's, as
# the build writes it into build-package/version.txt.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-package"
STAGE="$BUILD/stage"
META="$BUILD/meta"   # the debian/ folder dpkg-shlibdeps and dpkg-gencontrol read
umask 022
"$ROOT/scripts/install_packages.sh"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS) -Wl,--as-needed"
cmake --build "$BUILD" -j "$(nproc)" --target demo demo-capture

VERSION="$(cat "$BUILD/version.txt")"
CHANGELOG_VERSION="$(dpkg-parsechangelog -l "$ROOT/packaging/debian/changelog" -S Version)"
if [ "$VERSION" != "$CHANGELOG_VERSION" ]; then
    echo "packaging/debian/changelog's last entry is $CHANGELOG_VERSION, the project is $VERSION: add an entry" >&2
    exit 1
fi

rm -rf "$STAGE" "$META"
DESTDIR="$STAGE" cmake --install "$BUILD"
PROGRAMS=("$STAGE/usr/libexec/tideglow/tideglow" "$STAGE/usr/libexec/tideglow/tideglow-capture")
strip --remove-section=.comment --remove-section=.note --strip-unneeded "${PROGRAMS[@]}"
gzip -9n "$STAGE"/usr/share/man/man6/*.6 "$STAGE/usr/share/doc/tideglow/changelog"

mkdir -p "$META/debian" "$STAGE/DEBIAN"
cp "$ROOT/packaging/debian/control" "$META/debian/control"
cp "$ROOT/packaging/debian/changelog" "$META/debian/changelog"
(
    cd "$META"
    dpkg-shlibdeps -Tdebian/substvars "${PROGRAMS[@]}"
    dpkg-gencontrol -ptideglow -Tdebian/substvars -P"$STAGE"
)
(cd "$STAGE" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum >DEBIAN/md5sums)
chmod 0644 "$STAGE/DEBIAN/control" "$STAGE/DEBIAN/md5sums"

DEB="$ROOT/build/tideglow_${VERSION}_amd64.deb"
mkdir -p "$ROOT/build"
rm -f "$ROOT"/build/tideglow_*_amd64.deb
dpkg-deb --root-owner-group -Zxz --build "$STAGE" "$DEB"
if command -v lintian >/dev/null; then
    lintian --info --display-info --fail-on error,warning "$DEB"
fi
echo "$DEB"
