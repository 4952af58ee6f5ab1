# Escape pressed a second into the demo ends it promptly with status 0.
source "$(dirname "$0")/lib.sh"
make_workdir
start_xvfb

press_escape_after 1
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
echo "ok: Escape ended the demo with status 0"
