# Shared steps of the scripts, sourced by them.

# Ends the script unless it runs as root; $1 says what needs root.
require_root() {
    [ "$(id -u)" -eq 0 ] && return
    echo "$1 needs root: run $(basename "$0") as root" >&2
    exit 1
}

# Holds the lock of folder $1 until the script ends, or ends it when another
# run holds it: a second run would pull the ground from under the first.
take_lock() {
    mkdir -p "$1"
    exec 9>"$1/lock"
    flock -n 9 || { echo "Another $(basename "$0") is using $1" >&2; exit 1; }
}

# Empties build folder $1 when CMake configured it from a folder other than
# the checkout's root, which CMake would refuse to configure again: a build
# that was a project of its own before it was the root project's.
clear_foreign_build() {
    local cache="$1/CMakeCache.txt"
    [ -f "$cache" ] || return 0
    grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$ROOT" "$cache" || rm -rf "$1"
}

# Makes a minimal Debian root of suite $2 in $1/root with debootstrap from
# Debian's archive, unless an earlier run finished one there ($1/made); with
# $3 = 1 it is made anew. A root left half-made is not reused.
make_root() {
    local work="$1" suite="$2" target="$1/root"
    [ "${3:-0}" = 1 ] || [ ! -e "$work/made" ] || return 0
    # A root with something still mounted in it must not be removed.
    if [ -d "$target" ] && grep -q " $target/" /proc/mounts; then
        echo "$target still has mounts; unmount them first" >&2
        exit 1
    fi
    rm -rf "$target" "$work/made"
    debootstrap --variant=minbase "$suite" "$target"
    touch "$work/made"
}

# Mounts in root $1 what programs run under chroot need (/proc, /sys, /dev,
# a /tmp of its own) and gives it this machine's name server; the mounts are
# undone when the script ends, however it ends.
ROOT_MOUNTS=()
unmount_root() {
    local i
    for ((i = ${#ROOT_MOUNTS[@]} - 1; i >= 0; i--)); do umount -l "${ROOT_MOUNTS[i]}" || true; done
    ROOT_MOUNTS=()
}
mount_in_root() {  # mount_in_root ROOT POINT MOUNT-ARGUMENTS...
    local point="$1$2"
    mkdir -p "$point"
    mount "${@:3}" "$point"
    ROOT_MOUNTS+=("$point")
}
mount_root() {
    trap unmount_root EXIT
    mount_in_root "$1" /proc -t proc proc
    mount_in_root "$1" /sys --bind /sys
    mount_in_root "$1" /dev --bind /dev
    mount_in_root "$1" /dev/pts --bind /dev/pts
    mount_in_root "$1" /dev/shm -t tmpfs shm
    mount_in_root "$1" /tmp -t tmpfs tmp
    cp /etc/resolv.conf "$1/etc/resolv.conf"
}

# Runs a command in root $1 under chroot from its folder $2, with a clean
# environment.
in_root() {
    chroot "$1" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
        /bin/sh -c 'cd "$0" && exec "$@"' "$2" "${@:3}"
}
