# A picture that cannot be loaded is named, and the demo exits with status 1.
source "$(dirname "$0")/lib.sh"
make_workdir
start_xvfb
rm data/tx3.jpg
status=0
"$DEMO" >"$WORK/out.log" 2>&1 || status=$?
[ "$status" = 1 ] || fail "status $status, expected 1"
grep -q '^Cannot load data/tx3.jpg: .' "$WORK/out.log" || fail "unexpected message: $(cat "$WORK/out.log")"
echo "ok: $(cat "$WORK/out.log")"
