#!/usr/bin/python3
"""Where the cues of a recorded run of the demo lie on its music.

Reads a raw recording (16-bit stereo, 44.1 kHz) of the sound the demo made,
finds the music in it around each cue event by cross-correlation with the
decoded music, then the cue itself in what is left once the music is taken
out, and prints for every cue played:

    cue_offset_ms E<n>:<cue> <ms>   the cue's start on the music, less its place
                                    (with --flips, the demoTime of the frame that
                                    played it)

followed by `music_start_s` (where music position 0 falls in the recording),
`first_heard_ms` (how much of the music's start was not heard: its position
at the recording's first sound, less that of its own first sound),
`dropouts` (silent gaps of 2 ms or more while the music plays, which has
none of its own), `clipped` (samples at full scale) and
`longest_dropout_ms`. With --from, only the cues from that
demoTime on count, the first of them anchoring the music, as after a
pause; with --flips and --record-start the first cue's music is looked for
where its frame puts it. With --flips (a log of frame
times: the frame probe's ticks, or a page's demoTimes) it also prints
`latency_ms <median>`: from the frame that played a cue to the cue in the
recording, which started at --record-start on the same clock.

The cue events and files are read from the demo's own sources, so the table
lives in one place.
"""
import argparse
import re
import subprocess
import sys
from pathlib import Path

import numpy as np

RATE = 44100
SRC = Path(__file__).resolve().parents[2] / "src"


def cue_events(until_ms):
    """(name, threshold ms, cue index) for every cue played before until_ms."""
    text = (SRC / "core" / "timeline.h").read_text()
    table = text[text.index("kCueEvents"):]
    events = []
    for n, (ms, cues) in enumerate(re.findall(r"\{(\d+), \d, \{([\d, ]+)\}\}", table), start=1):
        for cue in cues.split(","):
            if int(ms) < until_ms:
                events.append((f"E{n}:{int(cue)}", int(ms), int(cue)))
    return events


def cue_files():
    """The sound files by index, the cues first (src/data_files.h)."""
    text = (SRC / "data_files.h").read_text()
    table = text[text.index("kSoundFiles"):]
    return re.findall(r'"(data/[^"]+)"', table[:table.index("};")])


def decode(path):
    raw = subprocess.run(["ffmpeg", "-loglevel", "error", "-i", str(path), "-f", "s16le", "-ac", "2",
                          "-ar", str(RATE), "-"], check=True, capture_output=True).stdout
    return mono(np.frombuffer(raw, dtype=np.int16))


def mono(stereo):
    pairs = stereo[: len(stereo) // 2 * 2].astype(np.float64).reshape(-1, 2)
    return pairs.mean(axis=1)


def correlate(signal, pattern):
    """Cross-correlation of pattern against every offset of signal (FFT)."""
    n = 1 << int(np.ceil(np.log2(len(signal) + len(pattern))))
    spectrum = np.fft.rfft(signal, n) * np.conj(np.fft.rfft(pattern, n))
    return np.fft.irfft(spectrum, n)[: len(signal) - len(pattern) + 1]


def find(signal, pattern, lo, hi):
    """Offset in [lo, hi) of signal where pattern fits best, or None."""
    lo, hi = max(lo, 0), min(hi, len(signal) - len(pattern))
    if hi <= lo:
        return None
    c = correlate(signal[lo:hi + len(pattern)], pattern)
    return lo + int(np.argmax(c))


def fit(rec, music, start, end, shift, reach):
    """Recording offset minus music offset for music[start:end], searched
    within `reach` frames of `shift`."""
    pos = find(rec, music[start:end], start + shift - reach, start + shift + reach)
    return None if pos is None else pos - start


def music_shift(rec, music, at, expected, reach):
    """Recording offset minus music offset for the music just before `at`,
    searched within `reach` seconds of `expected` (anywhere when None). The
    music repeats itself bar for bar, so a search must stay within a bar."""
    excerpt_start = at - int(6.5 * RATE)
    excerpt_end = at - int(0.1 * RATE)
    if expected is None:
        pos = find(rec, music[excerpt_start:excerpt_end], 0, len(rec))
        shift = None if pos is None else pos - excerpt_start
    else:
        shift = fit(rec, music, excerpt_start, excerpt_end, expected, int(reach * RATE))
    if shift is None:
        return None
    # The last moments before `at` alone, in case the mix skipped on the way.
    return fit(rec, music, at - int(1.5 * RATE), excerpt_end, shift, RATE // 40)


def music_shift_after(rec, music, at, shift):
    """The same for the music just after `at`, searched near `shift`: a mix
    that skipped ahead (behind its clock after a stall) or waited moves it."""
    return fit(rec, music, at + int(0.1 * RATE), at + int(1.5 * RATE), shift, RATE // 2)


def cue_onset(rec, music, cue, at, shift):
    """Recording offset where `cue` starts near music position `at`."""
    lo, hi = at + shift - int(0.15 * RATE), at + shift + int(0.6 * RATE)
    if lo < 0 or hi > len(rec):
        return None
    window = rec[lo:hi]
    aligned = music[lo - shift:hi - shift]
    gain = np.dot(window, aligned) / max(np.dot(aligned, aligned), 1.0)
    residual = window - gain * aligned
    head = cue[: int(0.25 * RATE)]
    pos = find(residual, head, 0, int(0.5 * RATE))
    return None if pos is None else lo + pos


def first_heard(rec, music):
    """Milliseconds of the music's start that the recording skips: where its
    first second of sound lies on the music, less where the music's own first
    sound lies. Measured there, not from a later anchor, since a mix that
    stepped on the way would shift one."""
    heard = np.flatnonzero(np.abs(rec) > 64)
    if not len(heard):
        return None
    piece = rec[heard[0]:heard[0] + RATE // 2]
    opening = music[:5 * RATE + len(piece)]
    # Normalised by the music's own level, which rises through the opening.
    energy = np.cumsum(np.concatenate(([0.0], opening ** 2)))
    level = np.sqrt(np.maximum(energy[len(piece):] - energy[:-len(piece)], 1.0))
    pos = int(np.argmax(correlate(opening, piece) / level[:len(opening) - len(piece) + 1]))
    # The mix plays the music 3 dB down.
    own = np.flatnonzero(np.abs(music) > 64 / 0.7)[0]
    return (pos - own) * 1000 / RATE


def silent_runs(stereo, first, last, shortest):
    """How many silent runs of at least `shortest` frames, and the longest."""
    quiet = np.abs(stereo[first:last].astype(np.int32).reshape(-1, 2)).max(axis=1) <= 1
    edges = np.diff(np.concatenate(([0], quiet.astype(np.int8), [0])))
    lengths = np.flatnonzero(edges == -1) - np.flatnonzero(edges == 1)
    return int(np.sum(lengths >= shortest)), int(lengths.max(initial=0))


def flip_times(path):
    """(demoTime, seconds) of every frame, from the probe's log ("start" and
    "flip" lines, demoTime worked out as the demo's clock does) or a page's
    ("frame <demoTime> <ns>")."""
    frames = []
    start = None
    demo_time = 0
    for line in Path(path).read_text().split("\n"):
        fields = line.split()
        if len(fields) == 3 and fields[0] == "frame":
            frames.append((int(fields[1]), int(fields[2]) / 1e9))
        elif len(fields) == 2 and fields[0] == "start":
            start = int(fields[1])
        elif len(fields) == 3 and fields[0] == "flip" and start is not None:
            ticks, ns = int(fields[1]), int(fields[2])
            demo_time = ((ticks - start) + 3 * demo_time) >> 2 & 0xFFFFFFFF
            frames.append((demo_time, ns / 1e9))
    return frames


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("recording")
    parser.add_argument("data", help="the demo's data folder")
    parser.add_argument("--until", type=int, default=107000, help="demoTime the run reached, ms")
    parser.add_argument("--from", dest="start", type=int, default=0,
                        help="demoTime from which on to look, ms: the part of a run after a pause")
    parser.add_argument("--flips", help="frame log written by cue_probe.so")
    parser.add_argument("--record-start", type=float, help="CLOCK_MONOTONIC seconds at the recording's start")
    args = parser.parse_args()

    stereo = np.fromfile(args.recording, dtype=np.int16)
    rec = mono(stereo)
    music = decode(Path(args.data) / "music.mp3")
    files = cue_files()
    cues = {}
    frames = flip_times(args.flips) if args.flips else []

    shift = None
    first_shift = None
    latencies = []
    failures = 0
    for name, ms, index in cue_events(args.until):
        if ms < args.start:
            continue
        at = ms * RATE // 1000
        played = next(((d, t) for d, t in frames if d >= ms), None)
        if shift is None and played is not None and args.record_start is not None:
            # Where the frame that played the cue puts the music, give or
            # take the latency: after a pause the music could lie anywhere.
            shift = int((played[1] - args.record_start - played[0] / 1000) * RATE)
        shift = music_shift(rec, music, at, shift, 1.5)
        if shift is None:
            print(f"cue_offset_ms {name} missing")
            failures += 1
            continue
        first_shift = shift if first_shift is None else first_shift
        if index not in cues:
            cues[index] = decode(Path(args.data) / Path(files[index]).name)
        # Its place is where the frame that played it stood: a cue sounds with
        # the picture that shows its moment, which a slow page shows late. It
        # is mixed onto the music where it plays: where the mix moved the
        # music between the two, by the side it lies on.
        place = played[0] * RATE // 1000 if played is not None else at
        found = []
        for side in {shift, music_shift_after(rec, music, at, shift)} - {None}:
            onset = cue_onset(rec, music, cues[index], at, side)
            if onset is not None:
                found.append((abs(onset - side - place), onset - side - place, onset))
        if not found:
            print(f"cue_offset_ms {name} missing")
            failures += 1
            continue
        _, offset, onset = min(found)
        print(f"cue_offset_ms {name} {offset * 1000 / RATE:.1f}")
        if played is not None and args.record_start is not None:
            latencies.append((args.record_start + onset / RATE - played[1]) * 1000)

    # The title music before the first cue does not repeat: it anchors the
    # music in the recording. After a pause the first cue found does.
    if args.start == 0:
        first = music_shift(rec, music, min(args.until, 17400) * RATE // 1000, None, 0)
        if first is not None:
            print(f"music_start_s {first / RATE:.3f}")
        unheard = first_heard(rec, music)
        if unheard is not None:
            print(f"first_heard_ms {unheard:.0f}")
    else:
        first = first_shift
    if first is not None:
        begin = first + args.start * RATE // 1000 + RATE
        end = min(len(stereo) // 2, first + args.until * RATE // 1000 - RATE // 2)
        count, longest = silent_runs(stereo, 2 * begin, 2 * end, RATE // 500)
        print(f"dropouts {count}")
        print(f"longest_dropout_ms {longest * 1000 / RATE:.0f}")
    print(f"clipped {int(np.sum(np.abs(stereo.astype(np.int32)) >= 32767))}")
    if latencies:
        print(f"latency_ms {np.median(latencies):.1f}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
