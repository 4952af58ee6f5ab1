#!/usr/bin/env python3
"""How many planted faults the tests catch.

Each mutant of bench/mutants.txt is one slip in the source: an exact snippet
of text and what it is replaced with. It is applied to a private copy of the
tree, which is built (only the unit tests and demo-capture) and checked with
the capture checksums, then the unit tests; the file is restored before the
next. A mutant is caught when a check fails or times out, survives when both
pass, is invalid when it does not build and stale when its snippet is not
found exactly once in src/ and tools/ (found by searching, so the list
outlives moved and renamed files). The figure is a measurement: the script
exits 0 whatever it is.

    bench/mutants.py                    # every mutant, about 25 minutes
    bench/mutants.py fire-blur-weight random-multiplier
    bench/mutants.py --check            # only look the snippets up
    bench/mutants.py --tree DIR --keep  # mutate another checkout; keep the copy

The copy and its build folder are build-mutants/ beside this checkout's
bench/ (ignored by git) and reused while they exist; they are removed at the
end unless --keep is given.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
CHECKOUT = HERE.parent
SEPARATOR = "@@"
SEARCHED = ("src", "tools")  # where snippets are looked up and mutated


def read_list(path):
    """The mutants as (id, snippet, replacement, why), in the list's order."""
    mutants, seen = [], set()
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        fields = [f.strip() for f in line.split(SEPARATOR)]
        if len(fields) != 4 or not all(fields[:2]) or fields[1] == fields[2]:
            sys.exit(f"{path}:{number}: expected 'id {SEPARATOR} snippet {SEPARATOR} replacement {SEPARATOR} why'"
                     " with a snippet that the replacement changes")
        if fields[0] in seen:
            sys.exit(f"{path}:{number}: id {fields[0]} is used twice")
        seen.add(fields[0])
        mutants.append(tuple(fields))
    return mutants


def tracked_files(tree):
    """The tree's files as git sees them, uncommitted changes included; all
    but build folders and .git when the tree is no git checkout."""
    try:
        out = subprocess.run(["git", "-C", str(tree), "ls-files", "-z", "-co", "--exclude-standard"],
                             check=True, capture_output=True).stdout
        return {Path(p.decode()) for p in out.split(b"\0") if p and (tree / p.decode()).is_file()}
    except (OSError, subprocess.CalledProcessError):
        return {p.relative_to(tree) for p in tree.rglob("*")
                if p.is_file() and not (p.relative_to(tree).parts[0].startswith(("build", ".git")))}


def sync(tree, copy):
    """Makes copy hold tree's files, writing only those that differ, so that
    the copy's build stays incremental."""
    wanted = tracked_files(tree)
    for rel in wanted:
        source, target = tree / rel, copy / rel
        data = source.read_bytes()
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            shutil.copymode(source, target)
    for path in list(copy.rglob("*")):
        if path.is_file() and path.relative_to(copy) not in wanted:
            path.unlink()


def locate(copy, snippet):
    """The one file holding snippet, or None and why the mutant is stale."""
    places = []
    for top in SEARCHED:
        for path in sorted((copy / top).rglob("*")):
            if path.is_file():
                count = path.read_text(encoding="utf-8", errors="surrogateescape").count(snippet)
                places += [path.relative_to(copy)] * count
    if len(places) == 1:
        return places[0], ""
    if not places:
        return None, "snippet not found"
    return None, f"snippet found {len(places)} times: " + ", ".join(sorted({str(p) for p in places}))


def stop(proc):
    """Ends proc's whole process group: asked first, so that a test script's
    own clean-up runs, then forced, since a program stuck in a loop may well
    ignore the request (SDL turns it into a quit event)."""
    for sig, grace in ((signal.SIGTERM, 10), (signal.SIGKILL, None)):
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            break
        try:
            proc.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass


def run(command, log, timeout, env=None, cwd=None):
    """Exit status of command, or None when it timed out."""
    with open(log, "a") as out:
        out.write(f"$ {' '.join(map(str, command))}\n")
        out.flush()
        proc = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, env=env, cwd=cwd,
                                start_new_session=True)
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            stop(proc)
            return None
        except BaseException:
            stop(proc)
            raise


def find_program(build, name):
    for path in sorted(build.rglob(name)):
        if path.is_file() and os.access(path, os.X_OK):
            return path
    sys.exit(f"no program {name} in {build}")


class Checks:
    def __init__(self, args, copy, build, logs, temp):
        self.args, self.copy, self.build, self.logs, self.temp = args, copy, build, logs, temp
        self.timeouts = {"capture checksums": args.timeout, "unit tests": args.timeout}
        self.commands = []

    def build_programs(self, log):
        command = ["cmake", "--build", self.build, "-j2", "--target", self.args.unit_tests, self.args.capture]
        return run(command, log, 1800) == 0

    def first_failure(self, log):
        """The name of the first check that fails, or an empty string."""
        for name, command, env, cwd in self.commands:
            status = run(command, log, self.timeouts[name], env=env, cwd=cwd)
            if status is None:
                return f"{name} (timed out)"
            if status != 0:
                return name
        return ""

    def baseline(self):
        """Builds and checks the unmutated copy, and sets each check's timeout
        from its own time where none was given."""
        log = self.logs / "unmutated.log"
        log.write_text("")
        if not self.build_programs(log):
            sys.exit(f"the unmutated tree does not build: see {log}")
        tests = find_program(self.build, self.args.unit_tests)
        capture = find_program(self.build, self.args.capture)
        # The arguments ctest gives every end-to-end test: the demo, the data, demo-capture.
        checksums = ["bash", self.copy / self.args.checksums, self.build / "demo", self.build / "data", capture]
        # Whatever a check leaves in the temporary folder goes with the
        # scratch folder; the unit tests get the environment ctest gives them.
        env = dict(os.environ, TMPDIR=str(self.temp))
        unit_env = dict(env, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
        # The checksums first: a few seconds against the unit tests' twenty.
        self.commands = [("capture checksums", checksums, env, self.build),
                         ("unit tests", [tests, "--gtest_brief=1"], unit_env, tests.parent)]
        for name, command, env, cwd in self.commands:
            start = time.monotonic()
            status = run(command, log, 1800, env=env, cwd=cwd)
            if status != 0:
                sys.exit(f"the unmutated tree {'fails' if status else 'times out in'} its {name}: see {log}")
            if not self.args.timeout:
                self.timeouts[name] = 3 * (time.monotonic() - start) + 60


def first_error(log):
    for line in log.read_text(errors="replace").splitlines():
        if "error" in line:
            return line.strip()
    return f"see {log}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("ids", nargs="*", help="run only these mutants")
    parser.add_argument("--tree", type=Path, default=CHECKOUT, help="source tree to copy (default: %(default)s)")
    parser.add_argument("--list", type=Path, default=HERE / "mutants.txt", help="the mutants (default: %(default)s)")
    parser.add_argument("--scratch", type=Path, default=CHECKOUT / "build-mutants",
                        help="the copy and its build folder (default: %(default)s)")
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder for the next run")
    parser.add_argument("--check", action="store_true", help="only look every snippet up; build nothing")
    parser.add_argument("--timeout", type=float, default=0,
                        help="seconds each check of a mutant may take (default: 3 times its unmutated run, plus a minute)")
    parser.add_argument("--unit-tests", default="demo_tests", help="the gtest target (default: %(default)s)")
    parser.add_argument("--capture", default="demo-capture", help="the capture target (default: %(default)s)")
    parser.add_argument("--checksums", default="tests/e2e/capture_checksums.sh",
                        help="the checksum test, in the tree (default: %(default)s)")
    args = parser.parse_args()

    mutants = read_list(args.list)
    unknown = set(args.ids) - {m[0] for m in mutants}
    if unknown:
        sys.exit("no such mutant: " + ", ".join(sorted(unknown)))
    if args.ids:
        mutants = [m for m in mutants if m[0] in args.ids]

    if args.check:
        missing = 0
        for ident, snippet, _, _ in mutants:
            path, problem = locate(args.tree.resolve(), snippet)
            missing += path is None
            print(f"{'found' if path else 'stale':9}{ident:28}{path or problem}")
        print(f"{len(mutants) - missing} of {len(mutants)} found (stale {missing})")
        return

    started = time.monotonic()
    tree, scratch = args.tree.resolve(), args.scratch.resolve()
    if scratch == tree or scratch in tree.parents:
        sys.exit(f"the scratch folder {scratch} would hold the tree it copies")
    copy, build, logs, temp = (scratch / name for name in ("tree", "build", "logs", "tmp"))
    counts = dict.fromkeys(("caught", "survived", "invalid", "stale"), 0)
    # Ended from outside, the run still restores its file and tidies up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    try:
        for folder in copy, logs, temp:
            folder.mkdir(parents=True, exist_ok=True)
        sync(tree, copy)
        if not (build / "CMakeCache.txt").exists():
            log = logs / "configure.log"
            if run(["cmake", "-S", copy, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], log, 600) != 0:
                sys.exit(f"cannot configure the copy: see {log}")
        checks = Checks(args, copy, build, logs, temp)
        checks.baseline()
        for ident, snippet, replacement, why in mutants:
            path, detail = locate(copy, snippet)
            if path is None:
                outcome = "stale"
            else:
                begin = time.monotonic()
                log = logs / f"{ident}.log"
                log.write_text(f"{path}: {snippet!r} -> {replacement!r}\n")
                original = (copy / path).read_bytes()
                try:
                    text = original.decode("utf-8", errors="surrogateescape")
                    mutated = text.replace(snippet, replacement).encode("utf-8", errors="surrogateescape")
                    (copy / path).write_bytes(mutated)
                    if not checks.build_programs(log):
                        outcome, detail = "invalid", first_error(log)
                    else:
                        failed = checks.first_failure(log)
                        outcome, detail = ("caught", failed) if failed else ("survived", why)
                finally:
                    (copy / path).write_bytes(original)
                detail = f"{path}: {detail} ({time.monotonic() - begin:.0f} s)"
            counts[outcome] += 1
            print(f"{outcome:9}{ident:28}{detail}", flush=True)
    except KeyboardInterrupt:
        sys.exit(130)
    finally:
        if not args.keep:
            shutil.rmtree(scratch, ignore_errors=True)

    print(f"took {(time.monotonic() - started) / 60:.1f} minutes")
    print(f"caught {counts['caught']} of {len(mutants)} (survived {counts['survived']}, "
          f"invalid {counts['invalid']}, stale {counts['stale']})")


if __name__ == "__main__":
    main()
