#!/usr/bin/env python3
"""Plants realistic faults one at a time and reports which ones the unit tests catch.

Each fault of scripts/planted-faults.txt replaces one exact snippet of a source file. For
each: check that the snippet occurs exactly once, plant it, build, run the unit tests, put
the file back. One line per fault, then a summary. The exit status is 0 whatever is caught:
this is a report, not a test. The source tree is left as it was found, also on Ctrl+C.

  scripts/planted-faults.py [--build DIR] [--only 3,7] [--check] [--tests-only]

--tests-only builds only the executables the unit tests run (not the program, the benchmarks
or the fuzzers): the same tests, in about half the time.
"""

import argparse
import json
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST = ROOT / "scripts" / "planted-faults.txt"


class Fault:
    def __init__(self, number, path, title, old, new):
        self.number, self.path, self.title, self.old, self.new = number, path, title, old, new


def parse(text):
    faults = []
    lines = text.split("\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.startswith("@@"):
            continue
        fields = [f.strip() for f in line[2:].split("|", 2)]
        if len(fields) != 3 or not fields[0].isdigit():
            sys.exit(f"{LIST.name}: bad entry line: {line}")
        if i >= len(lines) or lines[i] != "<<<":
            sys.exit(f"{LIST.name}: fault {fields[0]}: '<<<' expected after its title")
        i += 1
        old, new, part = [], [], None
        part = old
        while i < len(lines) and lines[i] != ">>>":
            if lines[i] == "===" and part is old:
                part = new
            else:
                part.append(lines[i])
            i += 1
        if i >= len(lines) or part is not new:
            sys.exit(f"{LIST.name}: fault {fields[0]}: '===' and '>>>' expected")
        i += 1
        faults.append(Fault(int(fields[0]), fields[1], fields[2],
                            "\n".join(old) + "\n", "\n".join(new) + "\n" if new else ""))
    return faults


def run(command, env=None):
    return subprocess.run(command, cwd=ROOT, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, errors="replace")


def failed_tests(output):
    """Names ctest lists under "The following tests FAILED"."""
    names = []
    listing = False
    for line in output.splitlines():
        if "The following tests FAILED" in line:
            listing = True
            continue
        if listing:
            m = re.match(r"\s*\d+\s+-\s+(\S+)", line)
            if m:
                names.append(m.group(1))
            elif line.strip() and not line.startswith(" "):
                break
    return names


def unit_test_targets(build):
    """The targets whose executables the unit tests run."""
    listed = run(["ctest", "--test-dir", str(build), "-LE", "e2e|install", "--show-only=json-v1"])
    targets = set()
    for test in json.loads(listed.stdout).get("tests", []):
        command = test.get("command") or []
        if command:
            targets.add(Path(command[0]).name)
    return sorted(targets)


class Planted:
    """The one file currently holding a fault, put back on exit or signal."""

    def __init__(self):
        self.path = None
        self.original = None

    def plant(self, path, original, faulty):
        self.path, self.original = path, original
        path.write_bytes(faulty)

    def restore(self):
        if self.path is not None:
            self.path.write_bytes(self.original)
            self.path = None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build", help="the build folder (default: build)")
    parser.add_argument("--only", help="comma-separated fault numbers")
    parser.add_argument("--check", action="store_true",
                        help="only check that every snippet occurs exactly once")
    parser.add_argument("--tests-only", action="store_true",
                        help="build only what the unit tests run")
    args = parser.parse_args()

    faults = parse(LIST.read_text(encoding="utf-8"))
    if args.only:
        wanted = {int(n) for n in args.only.split(",") if n.strip()}
        faults = [f for f in faults if f.number in wanted]
    build = Path(args.build)
    if not build.is_absolute():
        build = (Path.cwd() / build).resolve()

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    build_command = ["cmake", "--build", str(build), "-j2"]
    if args.tests_only and not args.check:
        build_command += ["--target"] + unit_test_targets(build)
    planted = Planted()

    def on_signal(signum, frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, on_signal)

    counts = {"caught": 0, "missed": 0, "stale": 0, "not built": 0}
    started = time.monotonic()
    try:
        for fault in faults:
            path = ROOT / fault.path
            original = path.read_bytes() if path.is_file() else None
            text = original.decode("utf-8") if original is not None else ""
            if original is None or text.count(fault.old) != 1:
                counts["stale"] += 1
                print(f"{fault.number:2} stale  {fault.path}  {fault.title}", flush=True)
                continue
            if args.check:
                print(f"{fault.number:2} ok  {fault.path}  {fault.title}", flush=True)
                continue
            planted.plant(path, original, text.replace(fault.old, fault.new).encode("utf-8"))
            try:
                built = run(build_command)
                if built.returncode != 0:
                    outcome, detail = "not built", ""
                else:
                    tests = run(["ctest", "--test-dir", str(build), "-LE", "e2e|install", "-j2",
                                 "--timeout", "120"], env)
                    names = failed_tests(tests.stdout)
                    if tests.returncode != 0:
                        outcome = "caught"
                        shown = names[:3] + (["..."] if len(names) > 3 else [])
                        detail = "  (" + ", ".join(shown or ["ctest failed"]) + ")"
                    else:
                        outcome, detail = "missed", ""
            finally:
                planted.restore()
            counts[outcome] += 1
            print(f"{fault.number:2} {outcome}  {fault.path}  {fault.title}{detail}", flush=True)
    except KeyboardInterrupt:
        planted.restore()
        print("interrupted; the planted file is restored", flush=True)
        return 130
    finally:
        planted.restore()

    if args.check:
        print(f"{len(faults)} faults: {len(faults) - counts['stale']} in place, "
              f"{counts['stale']} stale", flush=True)
        return 0
    minutes = (time.monotonic() - started) / 60
    print(f"{len(faults)} faults: {counts['caught']} caught, {counts['missed']} missed, "
          f"{counts['stale']} stale, {counts['not built']} not built ({minutes:.0f} min)", flush=True)
    status = run(["git", "status", "--porcelain", "--untracked-files=no"])
    if status.stdout.strip():
        print("note: the work tree has changes:\n" + status.stdout.rstrip(), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
