# Two captures with the same seed give identical pictures; another seed gives
# another fire. The cue log lists every cue at its threshold, in order.
source "$(dirname "$0")/lib.sh"
make_workdir
unset DISPLAY

"$CAPTURE" --fps 10 --seed 5 --at 20000 --out a >/dev/null 2>&1 || fail "first capture failed"
"$CAPTURE" --fps 10 --seed 5 --at 20000 --out b >/dev/null 2>&1 || fail "second capture failed"
"$CAPTURE" --fps 10 --seed 6 --at 20000 --out c >/dev/null 2>&1 || fail "third capture failed"
cmp -s a/20000.png b/20000.png || fail "same seed, different pictures"
cmp -s a/20000.png c/20000.png && fail "different seeds, same fire"

"$CAPTURE" --fps 10 --cues --out cues 2>/dev/null || fail "cue capture failed"
expected=$'17500\t0\n25500\t1\n36500\t2\n55000\t3\n67500\t3\n67500\t5\n67500\t7\n75400\t4\n78000\t5\n90500\t6\n95000\t8'
[ "$(cat cues/cues.tsv)" = "$expected" ] || fail "unexpected cue log: $(cat cues/cues.tsv)"

status=0
"$CAPTURE" --at 17 >/dev/null 2>"$WORK/err.log" || status=$?
[ "$status" = 2 ] && grep -q "16 and 33" "$WORK/err.log" || fail "off-grid time not refused: $(cat "$WORK/err.log")"
echo "ok"
