"""Measures the demo's picture on a screenshot taken in a scene that fills
the whole frame: the rectangle it covers must be the expected one (to within
the frame's one-pixel black border, scaled), black around it, and its pixels
nearest-neighbour sharp: most horizontally adjacent pixels inside it equal
(leaving out pairs of black ones), as each picture pixel covers two or three
screen pixels (a smooth scaling leaves almost none equal).

Given the frame itself (a picture of demo-capture's), the screenshot must
show exactly it instead, in any scene: each of its pixels at the middle of
the screen area it covers in the rectangle, and black all around. With
ROWS, only the frame's top ROWS rows are compared (the player's bar covers
the others).

Usage: screen_picture.py SCREENSHOT.png WIDTHxHEIGHT+X+Y [FRAME.png [ROWS]]
Prints what it found; exits 1 when something is off."""
import re
import subprocess
import sys

import numpy as np

MIN_EQUAL_SHARE = 0.4  # nearest neighbour at 2.25x gives at least 0.55
BORDER_SLACK = 4       # the frame's black border, scaled


def rgb(path, width, height):
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"],
                         check=True, capture_output=True).stdout
    return np.frombuffer(raw, np.uint8).reshape(height, width, 3).astype(np.int32)


def shows_frame(screen, frame_path, w, h, x, y, compared=480):
    frame = rgb(frame_path, 640, 480)[:compared]
    cols = x + ((np.arange(640) + 0.5) * w / 640).astype(int)
    rows = y + ((np.arange(compared) + 0.5) * h / 480).astype(int)
    differing = int((screen[rows][:, cols] != frame).any(axis=2).sum())
    outside = screen.copy()
    outside[y:y + h, x:x + w] = 0
    lit_outside = int((outside.max(axis=2) > 0).sum())
    print(f"frame pixels differing {differing}, lit screen pixels outside the picture {lit_outside}")
    return differing == 0 and lit_outside == 0


def main():
    path, expected = sys.argv[1], sys.argv[2]
    w, h, x, y = map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", expected).groups())
    probe = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
                            "stream=width,height", "-of", "csv=p=0", path],
                           check=True, capture_output=True, text=True).stdout.split(",")
    sw, sh = int(probe[0]), int(probe[1])
    screen = rgb(path, sw, sh)
    if len(sys.argv) > 3:
        compared = int(sys.argv[4]) if len(sys.argv) > 4 else 480
        sys.exit(0 if shows_frame(screen, sys.argv[3], w, h, x, y, compared) else 1)
    lit = screen.max(axis=2) > 0
    rows, cols = np.nonzero(lit.any(axis=1))[0], np.nonzero(lit.any(axis=0))[0]
    top, bottom, left, right = rows[0], rows[-1] + 1, cols[0], cols[-1] + 1
    inside = screen[y + BORDER_SLACK:y + h - BORDER_SLACK, x + BORDER_SLACK:x + w - BORDER_SLACK]
    # Pairs of black pixels are equal however the picture is scaled.
    lit_pairs = (inside[:, 1:].max(axis=2) > 0) | (inside[:, :-1].max(axis=2) > 0)
    equal = float((inside[:, 1:] == inside[:, :-1]).all(axis=2)[lit_pairs].mean())
    print(f"picture {right - left}x{bottom - top}+{left}+{top}, adjacent pixels equal {equal:.2f}")
    fits = (abs(left - x) <= BORDER_SLACK and abs(top - y) <= BORDER_SLACK and
            abs(right - x - w) <= BORDER_SLACK and abs(bottom - y - h) <= BORDER_SLACK)
    if not fits:
        print(f"expected {expected}")
    if equal < MIN_EQUAL_SHARE:
        print(f"not sharp: fewer than {MIN_EQUAL_SHARE:.0%} of adjacent pixels equal")
    sys.exit(0 if fits and equal >= MIN_EQUAL_SHARE else 1)


main()
