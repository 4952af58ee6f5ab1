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
