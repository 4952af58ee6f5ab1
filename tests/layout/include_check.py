"""Reads the #include lines under src/ and fails on a dependency that runs
the wrong way: a file of the portable core (core, effects, sound and the
top-level files) that includes anything but the core, a file of the player,
which sits above the core, that includes anything but the core and the
player, or a platform's file that includes another platform's. Every
platform may include the seams (platform/*.h) and the stand-in libraries the
web and Windows share (platform/sdl_libs/).

Usage: include_check.py SRC_DIR"""
import pathlib
import re
import sys

CORE = ("core/", "effects/", "sound/")  # and the files at the top of src/
PLAYER = "player/"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def wrong_includes(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".c"):
            continue
        name = path.relative_to(src).as_posix()
        for included in INCLUDE.findall(path.read_text()):
            if name.startswith(CORE) or "/" not in name:
                if not included.startswith(CORE) and "/" in included:
                    yield name, included
            elif name.startswith(PLAYER):
                if not included.startswith(CORE + (PLAYER,)) and "/" in included:
                    yield name, included
            elif name.startswith("platform/") and included.startswith("platform/") and included.count("/") > 1:
                own = name.split("/")[1]
                if included.split("/")[1] not in (own, "sdl_libs"):
                    yield name, included


def main():
    wrong = list(wrong_includes(pathlib.Path(sys.argv[1])))
    for name, included in wrong:
        print(f"{name} includes {included}")
    sys.exit(1 if wrong else 0)


main()
