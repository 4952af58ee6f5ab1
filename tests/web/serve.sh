# Sourced: serve_site DIR starts the site's server (scripts/serve_site.py,
# which sends the compressed copies) for DIR on a free port of 127.0.0.1, sets
# SERVER_PID and SITE_URL, and waits until it answers. The caller stops it by
# its PID.
serve_site() {
    local port
    port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
    python3 "$(dirname "${BASH_SOURCE[0]}")/../../scripts/serve_site.py" "$1" "$port" &
    SERVER_PID=$!
    SITE_URL="http://127.0.0.1:$port/"
    for _ in $(seq 50); do
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return 0
        sleep 0.1
    done
    echo "The static server did not start" >&2
    return 1
}
