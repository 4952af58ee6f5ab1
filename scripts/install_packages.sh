#!/bin/bash
# Installs the Debian packages of scripts/packages.txt, and any named as
# arguments, that are not installed yet; with --only, just those named. As
# root it runs apt-get; otherwise it prints the apt-get line to run and
# fails. Every script of ours installs through here.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

wanted=()
if [ "${1:-}" = --only ]; then
    shift
else
    wanted=($(grep -v '^#' "$ROOT/scripts/packages.txt"))
fi
missing=()
for pkg in "${wanted[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$pkg")
done
[ "${#missing[@]}" -gt 0 ] || exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
