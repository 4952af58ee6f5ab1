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
