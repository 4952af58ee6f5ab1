# One frame of each effect scene, captured at 10 frames per second with seed
# 1, has pinned pixels (the MD5 of the decoded picture): any change of the
# random sequence, of its order of draws or of a kernel shows here. The
# pixels are the same on every SDL 1.2.
source "$(dirname "$0")/lib.sh"
command -v ffmpeg >/dev/null || { echo "SKIP: ffmpeg is not installed"; exit 77; }
make_workdir
unset DISPLAY

expected="24000 3b181ea63c4d63bbab2a7d377687af81
40000 24ff170ec654a61111357e9ad6c40f7b
56000 bc1415d1c52a676a072c9bc5b3ee1e7b
80000 db198b635993228ac04602d5448bc6a5
96000 0396946b4b15dd91e03d5249abe25d06"

"$CAPTURE" --fps 10 --seed 1 --at 24000,40000,56000,80000,96000 --out frames >/dev/null 2>"$WORK/err.log" ||
    fail "capture failed: $(cat "$WORK/err.log")"
actual="$(for t in 24000 40000 56000 80000 96000; do
    echo "$t $(ffmpeg -v error -i "frames/$t.png" -f md5 - | sed 's/^MD5=//')"
done)"
[ "$actual" = "$expected" ] || fail "pixels changed (demoTime md5):
$actual"
echo "ok: five pinned frames"
