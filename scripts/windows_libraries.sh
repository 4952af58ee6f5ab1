#!/bin/bash
# Cross-builds, for 64-bit Windows, the libraries the demo links against, from
# Debian's own source packages with Debian's patches applied, into
# build-windows/prefix: SDL 1.2 and libmpg123 as DLLs (LGPL, so that a user
# can replace them), libjpeg-turbo as a static library. Runs as root on
# Debian 12 or 13: installs the MinGW-w64 cross compiler (the posix threading
# one: the win32 one has no std::mutex or std::thread) and the build tools,
# and fetches the source packages with apt-get source into
# build-windows/sources, through deb-src entries for the archive the machine
# already uses in an apt configuration of its own (build-windows/apt): the
# machine's own apt configuration and package lists stay as they are.
#
# Downloads and installed libraries are kept: a second run only checks them.
# A library is rebuilt when its files are missing from the prefix or when apt
# offers a newer Debian version of its source; rm -rf build-windows/prefix
# rebuilds all three. Build logs go to build-windows/logs.
#
# A program links against the prefix with x86_64-w64-mingw32-g++-posix and
#   -I$PREFIX/include/SDL -I$PREFIX/include
#   -L$PREFIX/lib -lSDL -lmpg123 -ljpeg
#   -static-libgcc -static-libstdc++
#   -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive
# (-mwindows as well for no console window) and ships prefix/bin/*.dll beside
# its .exe. On Windows SDL.h renames main to SDL_main for SDLmain's WinMain;
# a program that keeps its own main writes "#undef main" after including it.
# Not sdl-config or sdl.pc: their flags rename main, yet Debian's patch that
# keeps -lpthread out of them keeps -lmingw32 -lSDLmain out as well.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WORK="$ROOT/build-windows"
SOURCES="$WORK/sources"
PREFIX="$WORK/prefix"
LOGS="$WORK/logs"
HOST=x86_64-w64-mingw32
CC="$HOST-gcc-posix"
JOBS="$(nproc)"
# The last Debian release with classic SDL 1.2: Debian 13 has only
# sdl12-compat, which runs on SDL 2.
SDL12_SUITE=bookworm
# pkgconf for pkg.m4, which SDL's configure.in uses once Debian has patched it;
# wine, wine64 and xvfb to try the result.
PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev make autoconf automake libtool pkgconf nasm cmake
          wine wine64 xvfb)
START=$SECONDS

source "$ROOT/scripts/lib.sh"
require_root "Installing packages and fetching Debian's sources"
take_lock "$WORK"
mkdir -p "$LOGS"
"$ROOT/scripts/install_packages.sh" --only "${PACKAGES[@]}"

# run_logged LOG COMMAND...: the command's output goes to LOG, and its last
# lines to the terminal if it fails.
run_logged() {
    local log="$1"
    shift
    if ! "$@" >>"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "Failed: $* (whole log: $log)" >&2
        exit 1
    fi
}

# --- Debian's sources --------------------------------------------------------
# deb-src entries, in the private configuration, made from the machine's
# entries in the files Debian's installer and images write, so that the
# sources come from the same archive or mirror, checked with the same key,
# as the binary packages. On a release after SDL12_SUITE the entry for the
# release itself is copied once more for that suite.
CODENAME="$(sed -n "s/^VERSION_CODENAME=//p" /etc/os-release | tr -d "\"'")"
EXTRA_SUITE=""
if [ "$CODENAME" != "$SDL12_SUITE" ] \
    && ! cat /etc/apt/sources.list /etc/apt/sources.list.d/debian.sources 2>/dev/null \
        | grep -v '^[[:space:]]*#' | grep -qw "$SDL12_SUITE"; then
    EXTRA_SUITE="$SDL12_SUITE"
fi

deb822_sources() {
    awk -v codename="$CODENAME" -v extra="$EXTRA_SUITE" '
        function emit(suites,   i) {
            print "Types: deb-src"
            for (i = 1; i <= n; i++)
                print (suites != "" && key[i] == "suites") ? "Suites: " suites : line[i]
            print ""
        }
        function flush() {
            if (n > 0 && (binary || source) && enabled) {
                emit("")
                if (extra != "" && current) emit(extra)
            }
            n = 0; binary = 0; source = 0; enabled = 1; current = 0
        }
        BEGIN { flush() }
        /^#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ { line[++n] = $0; key[n] = ""; next }
        {
            k = tolower(substr($0, 1, index($0, ":") - 1))
            m = split(substr($0, index($0, ":") + 1), v)
            if (k == "types") {
                for (j = 1; j <= m; j++) { binary = binary || v[j] == "deb"; source = source || v[j] == "deb-src" }
                next
            }
            if (k == "enabled" && tolower(v[1]) == "no") enabled = 0
            if (k == "suites") for (j = 1; j <= m; j++) current = current || v[j] == codename
            line[++n] = $0; key[n] = k
        }
        END { flush() }' "$1"
}

one_line_sources() {
    awk -v codename="$CODENAME" -v extra="$EXTRA_SUITE" '
        {
            sub(/[ \t]*#.*/, "")
            sub(/[ \t]+$/, "")
            if ($1 != "deb" && $1 != "deb-src") next
            options = ""
            rest = $0
            sub(/^[ \t]*deb(-src)?[ \t]+/, "", rest)
            if (rest ~ /^\[/) {
                options = substr(rest, 1, index(rest, "]")) " "
                rest = substr(rest, index(rest, "]") + 1)
            }
            if (split(rest, f) < 2) next
            uri = f[1]
            sub(/\/+$/, "", uri)
            if ($1 == "deb-src") { has[uri " " f[2]] = 1; next }
            count++
            opts[count] = options; uris[count] = uri; suite[count] = f[2]
            components[count] = rest
            sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+/, "", components[count])
        }
        END {
            for (i = 1; i <= count; i++) {
                if (!has[uris[i] " " suite[i]]) {
                    print "deb-src " opts[i] uris[i] " " suite[i] components[i]
                    has[uris[i] " " suite[i]] = 1
                }
                if (extra != "" && suite[i] == codename && !has[uris[i] " " extra]) {
                    print "deb-src " opts[i] uris[i] " " extra components[i]
                    has[uris[i] " " extra] = 1
                }
            }
        }' "$1"
}

# The private configuration: its own source entries and package lists, the
# machine's keys. apt's downloads run as _apt, which must write the lists.
APT_DIR="$WORK/apt"
mkdir -p "$APT_DIR/sources.list.d" "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
chown -R _apt "$APT_DIR/lists" "$APT_DIR/cache"
APT=(apt-get -o Dir::Etc::SourceList="$APT_DIR/sources.list" -o Dir::Etc::SourceParts="$APT_DIR/sources.list.d"
     -o Dir::State::Lists="$APT_DIR/lists" -o Dir::Cache="$APT_DIR/cache")
touch "$APT_DIR/sources.list"
# Earlier versions of this script wrote the entries into /etc/apt itself.
rm -f /etc/apt/sources.list.d/tideglow-sources.sources /etc/apt/sources.list.d/tideglow-sources.list

NEED_UPDATE=0
# write_if_changed FILE CONTENT: FILE gets CONTENT, or is removed if that is
# empty; NEED_UPDATE=1 if that changed anything.
write_if_changed() {
    if [ -z "$2" ]; then
        [ ! -e "$1" ] || { rm -f "$1"; NEED_UPDATE=1; }
    elif [ ! -e "$1" ] || [ "$2" != "$(cat "$1")" ]; then
        printf '%s\n' "$2" >"$1"
        NEED_UPDATE=1
    fi
}
DERIVED=""
[ ! -f /etc/apt/sources.list.d/debian.sources ] || DERIVED="$(deb822_sources /etc/apt/sources.list.d/debian.sources)"
write_if_changed "$APT_DIR/sources.list.d/tideglow-sources.sources" "$DERIVED"
DERIVED=""
[ ! -f /etc/apt/sources.list ] || DERIVED="$(one_line_sources /etc/apt/sources.list)"
write_if_changed "$APT_DIR/sources.list.d/tideglow-sources.list" "$DERIVED"
# The machine's own deb-src entries, where it has them, serve as they are.
grep -hs '^[[:space:]]*deb-src' /etc/apt/sources.list >"$APT_DIR/sources.list" || true
if [ ! -s "$APT_DIR/sources.list.d/tideglow-sources.sources" ] && [ ! -s "$APT_DIR/sources.list.d/tideglow-sources.list" ] \
    && [ ! -s "$APT_DIR/sources.list" ]; then
    echo "No Debian archive found in /etc/apt/sources.list or /etc/apt/sources.list.d/debian.sources" >&2
    exit 1
fi

UPDATED=0
apt_update() {
    "${APT[@]}" update
    UPDATED=1
}
[ "$NEED_UPDATE" = 0 ] || apt_update

# --- Fetching ---------------------------------------------------------------
# The files apt would fetch, "name SHA256" a line; the hashes come from the
# archive's signed index, which is what vouches for the downloads.
SOURCE_PACKAGES=(libsdl1.2 mpg123 libjpeg-turbo)
if ! URIS="$("${APT[@]}" source --print-uris "${SOURCE_PACKAGES[@]}" 2>/dev/null)"; then
    # The private package lists may predate the entries, or have been
    # cleaned away.
    [ "$UPDATED" = 1 ] || apt_update
    URIS="$("${APT[@]}" source --print-uris "${SOURCE_PACKAGES[@]}")" || {
        echo "apt finds no source package for one of ${SOURCE_PACKAGES[*]}" >&2
        exit 1
    }
fi
URIS="$(awk -F"[ ']+" '$1 == "" && $5 ~ /^SHA256:/ { sub(/^SHA256:/, "", $5); print $3, $5 }' <<<"$URIS")"

# apt's downloads run as _apt, which must be able to write there.
mkdir -p "$SOURCES"
chown _apt "$SOURCES"

# fetch PACKAGE: prints the path of its .dsc in $SOURCES. A source package's
# upstream signature (.asc) can be missing from the archive or mirror
# (mpg123 1.31.2's was): apt-get source then fails, but that signature is
# only the upstream author's, and the hashes from apt vouch for the rest.
fetch() {
    local pkg="$1" files dsc name missing=0
    files="$(awk -v p="${pkg}_" 'index($1, p) == 1' <<<"$URIS")"
    dsc="$(awk '$1 ~ /\.dsc$/ { print $1 }' <<<"$files")"
    [ -n "$dsc" ] || { echo "apt knows no source package $pkg" >&2; exit 1; }
    while read -r name _; do
        case "$name" in
            *.asc) ;;  # tried with the rest, if that was ever fetched
            *) [ -e "$SOURCES/$name" ] || missing=1 ;;
        esac
    done <<<"$files"
    if [ "$missing" = 1 ]; then
        echo "Fetching ${dsc%.dsc}" >&2
        (cd "$SOURCES" && "${APT[@]}" source -q --download-only "$pkg") >>"$LOGS/fetch.log" 2>&1 || true
    fi
    while read -r name hash; do
        if [ ! -e "$SOURCES/$name" ]; then
            case "$name" in
                *.asc) continue ;;
                *) tail -n 20 "$LOGS/fetch.log" >&2; echo "Could not fetch $name" >&2; exit 1 ;;
            esac
        fi
        if ! echo "$hash  $SOURCES/$name" | sha256sum --quiet -c - >/dev/null 2>&1; then
            rm -f "$SOURCES/$name"
            echo "$name does not match the archive's index and was removed; run again" >&2
            exit 1
        fi
    done <<<"$files"
    echo "$SOURCES/$dsc"
}

# unpack DSC DIR: the source tree with Debian's patches applied, as
# dpkg-source -x leaves it. --no-check since the .dsc was checked against
# apt's index already, and dpkg-source would otherwise demand the missing
# signature file.
unpack() {
    rm -rf "$2"
    run_logged "$LOGS/$(basename "$2").log" dpkg-source --no-check -x "$1" "$2"
}

# --- Building ---------------------------------------------------------------
# A library counts as installed when its files are in the prefix and its stamp
# names the .dsc it was built from.
STAMPS="$PREFIX/share/windows-libraries"
installed() {  # installed DSC FILE...
    local dsc="$1" file
    shift
    [ "$(cat "$STAMPS/$(basename "$dsc" | cut -d_ -f1)" 2>/dev/null)" = "$(basename "$dsc")" ] || return 1
    for file in "$@"; do [ -e "$PREFIX/$file" ] || return 1; done
}
mark_installed() {
    mkdir -p "$STAMPS"
    basename "$1" >"$STAMPS/$(basename "$1" | cut -d_ -f1)"
}

mkdir -p "$PREFIX" "$WORK/build"
# libtool drops to a static library when it cannot match a system library to
# an import library (dxguid is a plain archive) or lacks the file command;
# these libraries name only Windows' own, so it takes them as they are.
AUTOTOOLS_CACHE=(lt_cv_deplibs_check_method=pass_all)

SDL_DSC="$(fetch libsdl1.2)"
if installed "$SDL_DSC" bin/libSDL-1-2-0.dll lib/libSDL.dll.a include/SDL/SDL.h; then
    echo "SDL 1.2: $(basename "$SDL_DSC" .dsc) already in the prefix"
else
    echo "SDL 1.2: building $(basename "$SDL_DSC" .dsc)"
    BUILD_START=$SECONDS
    DIR="$WORK/build/libsdl1.2"
    LOG="$LOGS/libsdl1.2.log"
    : >"$LOG"
    unpack "$SDL_DSC" "$DIR"
    # Debian's patches change configure.in, and Debian regenerates the build
    # system the same way (debian/rules, override_dh_autoreconf).
    (cd "$DIR" && run_logged "$LOG" env AUTOHEADER=true \
        ACLOCAL="aclocal --force --install -I /usr/share/aclocal/ -I acinclude" LIBTOOLIZE="libtoolize -fi" \
        autoreconf -fi)
    # Without --disable-stdio-redirect SDLmain sends stdout and stderr to
    # files beside the program. A windowed or full-screen software demo needs
    # neither joysticks, CD audio nor OpenGL.
    (cd "$DIR" && run_logged "$LOG" ./configure --host="$HOST" --prefix="$PREFIX" CC="$CC" CFLAGS=-O2 \
        --enable-shared --disable-static --disable-stdio-redirect \
        --disable-joystick --disable-cdrom --disable-video-opengl --disable-diskaudio \
        "${AUTOTOOLS_CACHE[@]}")
    run_logged "$LOG" make -C "$DIR" -j "$JOBS"
    run_logged "$LOG" make -C "$DIR" install
    "$HOST-strip" --strip-unneeded "$PREFIX/bin/libSDL-1-2-0.dll"
    mark_installed "$SDL_DSC"
    echo "  built in $((SECONDS - BUILD_START)) s"
fi

MPG123_DSC="$(fetch mpg123)"
if installed "$MPG123_DSC" bin/libmpg123-0.dll lib/libmpg123.dll.a include/mpg123.h; then
    echo "libmpg123: $(basename "$MPG123_DSC" .dsc) already in the prefix"
else
    echo "libmpg123: building $(basename "$MPG123_DSC" .dsc)"
    BUILD_START=$SECONDS
    DIR="$WORK/build/mpg123"
    LOG="$LOGS/mpg123.log"
    : >"$LOG"
    unpack "$MPG123_DSC" "$DIR"
    # Output modules and network streams belong to the mpg123 and out123
    # programs, which are not built: mpg123 1.32 (Debian 13) can leave them
    # out itself; 1.31 (Debian 12) builds everything from one automake
    # Makefile, whose lists are narrowed here to libmpg123.
    COMPONENTS=()
    if (cd "$DIR" && ./configure --help | grep -q -- --enable-libmpg123); then
        COMPONENTS=(--disable-components --enable-libmpg123)
    fi
    (cd "$DIR" && run_logged "$LOG" ./configure --host="$HOST" --prefix="$PREFIX" CC="$CC" CFLAGS=-O2 \
        --enable-shared --disable-static --disable-dependency-tracking "${COMPONENTS[@]}" \
        --with-cpu=x86-64 --disable-modules --disable-network --with-audio=dummy \
        "${AUTOTOOLS_CACHE[@]}")
    if [ "${#COMPONENTS[@]}" -gt 0 ]; then
        run_logged "$LOG" make -C "$DIR" -j "$JOBS" install
    else
        run_logged "$LOG" make -C "$DIR" -j "$JOBS" \
            lib_LTLIBRARIES=src/libmpg123/libmpg123.la \
            nodist_include_HEADERS=src/libmpg123/mpg123.h include_HEADERS=src/libmpg123/fmt123.h \
            pkgconfig_DATA=libmpg123.pc \
            install-libLTLIBRARIES install-nodist_includeHEADERS install-includeHEADERS install-pkgconfigDATA
    fi
    "$HOST-strip" --strip-unneeded "$PREFIX/bin/libmpg123-0.dll"
    mark_installed "$MPG123_DSC"
    echo "  built in $((SECONDS - BUILD_START)) s"
fi

JPEG_DSC="$(fetch libjpeg-turbo)"
if installed "$JPEG_DSC" lib/libjpeg.a include/jpeglib.h; then
    echo "libjpeg-turbo: $(basename "$JPEG_DSC" .dsc) already in the prefix"
else
    echo "libjpeg-turbo: building $(basename "$JPEG_DSC" .dsc)"
    BUILD_START=$SECONDS
    DIR="$WORK/build/libjpeg-turbo"
    LOG="$LOGS/libjpeg-turbo.log"
    : >"$LOG"
    unpack "$JPEG_DSC" "$DIR"
    # The libjpeg API only, as Debian's libjpeg62-turbo has it. The SIMD code
    # is required, not left out quietly when nasm is missing. A relative
    # LIBDIR given without its type would be taken relative to the current
    # folder.
    run_logged "$LOG" cmake -S "$DIR" -B "$DIR/build" \
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 \
        -DCMAKE_C_COMPILER="$CC" -DCMAKE_RC_COMPILER="$HOST-windres" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR:PATH=lib \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON
    run_logged "$LOG" cmake --build "$DIR/build" -j "$JOBS"
    run_logged "$LOG" cmake --install "$DIR/build"
    # Its command-line tools come along, statically linked; the prefix's bin
    # is for what the demo ships.
    grep '\.exe$' "$DIR/build/install_manifest.txt" | xargs -r rm -f
    mark_installed "$JPEG_DSC"
    echo "  built in $((SECONDS - BUILD_START)) s"
fi

# libtool's archives carry this machine's absolute paths and serve only
# libtool; Debian does not ship them either.
rm -f "$PREFIX"/lib/*.la

# --- Result -----------------------------------------------------------------
# The DLLs are to run with nothing but Windows' own DLLs beside them, not the
# compiler's runtime (libgcc_s, libwinpthread, libstdc++).
for dll in "$PREFIX"/bin/*.dll; do
    if "$HOST-objdump" -p "$dll" | grep -iE 'DLL Name: (libgcc|libwinpthread|libstdc)' >&2; then
        echo "$dll needs the compiler's runtime DLLs" >&2
        exit 1
    fi
done
echo "DLLs in $PREFIX/bin, stripped:"
for dll in "$PREFIX"/bin/*.dll; do
    SIZE="$(stat -c %s "$dll")"
    printf '  %-18s %5d KiB (%d bytes)\n' "$(basename "$dll")" $((SIZE / 1024)) "$SIZE"
done
SIZE="$(stat -c %s "$PREFIX/lib/libjpeg.a")"
printf 'Linked statically: lib/libjpeg.a, %d KiB\n' $((SIZE / 1024))
ELAPSED=$((SECONDS - START))
printf 'Total time: %dm%02ds\n' $((ELAPSED / 60)) $((ELAPSED % 60))
