#!/usr/bin/env python3
"""Save survives being killed at any moment, in the real designer on a real X display.

Each run opens the 20,000-object benchmark project, deletes a control in the project tree,
waits until autosave has kept that work, presses Ctrl+S and kills the designer with SIGKILL
after a random delay somewhere within the time a save takes. The document must then hold
either its old text or the complete new one (the time of writing aside), never an empty or
mixed text; and when the killed designer left a recovery file, the next start offers it
(the run then discards it).

Usage: save_crash.py [--build DIR] [--keep] [--runs N] [--seed S]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import glob
import os
import random
import signal
import sys
import time

import e2e
from e2e import Failure, wait_for

MARK_A = "\r\n"
MARK_V = "\uF8FD"
DELETED = "APP*F0*L0"


def bench_project(objects):
    """The benchmark project of the bench programs: forms of one form and 99 labels, ten
    properties per object, in its stored form."""
    recs = [["TEMPLATE", "45000", "bench"], ["0", "1.4", "0"],
            ["2", "APP", "", "1", "0", "0", "80", "30", "1073741824"]]
    props = ["22", "15", "14", "16", "17", "18", "19", "68", "9", "8"]
    values = ["Caption", "255", "16777215", "Courier New", "10", "1", "1", "1", "0", "0"]
    made, form = 1, 0
    while made < objects:
        f = "APP*F%d" % form
        recs.append(["2", f, "", "8", "auto", "auto", "60", "40", "1"])
        for p, prop in enumerate(props):
            recs.append(["4", "", prop, "", "", f if p == 0 else values[p]])
        made += 1
        c = 0
        while c < 99 and made < objects:
            recs.append(["2", "%s*L%d" % (f, c), "", "15", str(c % 50), str(c // 50), "10", "1", "0"])
            for p, prop in enumerate(props):
                recs.append(["4", "", prop, "", "", values[p]])
            c += 1
            made += 1
        form += 1
    recs.append(["0", "-1"])
    return MARK_A.join(MARK_V.join(r) for r in recs).encode("utf-8")


def strip_time(text):
    records = text.split(MARK_A)
    first = records[0].split(MARK_V)
    records[0] = MARK_V.join(first[:1] + first[2:])
    return records


def project_part(path):
    with open(path, "rb") as f:
        data = f.read()
    head, _, body = data.partition(b"\n\n")
    fields = dict(line.split(b"=", 1) for line in head.split(b"\n")[1:] if b"=" in line)
    return strip_time(body[:int(fields[b"project-bytes"])].decode("utf-8"))


class SaveCrash(e2e.Session):
    def __init__(self, build_dir, keep, runs, seed):
        super().__init__(build_dir, keep, "corvane-e2e-savecrash-")
        self.runs = runs
        self.random = random.Random(seed)
        self.seed = seed
        self.document = os.path.join(self.work, "bench.gui")
        self.original = bench_project(20000)
        self.folder = os.path.join(self.home, ".local", "state", "corvane", "recovery")
        self.save_seconds = None
        self.outcomes = {"old": 0, "new": 0, "offered": 0}

    def start(self, name, *args):
        designer = e2e.Designer(self.build, self.display, self.home, name, args,
                                extra_env={"CORVANE_AUTOSAVE_SECONDS": "1"})
        self.designers.append(designer)
        wait_for(name + "'s main window", lambda: designer.ask("rect mdiMain").get("visible"),
                 timeout=30)
        return designer

    def files_of(self, pid):
        return glob.glob(os.path.join(self.folder, "%d-*.cvrecover" % pid))

    def kill(self, designer):
        designer.process.send_signal(signal.SIGKILL)
        designer.process.wait(10)
        designer.log.close()
        self.designers.remove(designer)

    def edit_and_wait_for_autosave(self, d):
        node = d.where("node " + DELETED, timeout=30)
        self.input.click(node["cx"], node["cy"])
        wait_for("the node to be selected", lambda: d.ask("node " + DELETED).get("current"))
        self.input.key("Delete")
        wait_for("the delete", lambda: DELETED not in d.items(), timeout=30)

        def kept():
            for path in self.files_of(d.process.pid):
                try:
                    if "APP*F0*L1" in "".join(project_part(path)) and \
                            DELETED + MARK_V not in "".join(project_part(path)):
                        return path
                except (OSError, KeyError, ValueError):
                    pass
            return None
        return wait_for("the autosave of the delete", kept, timeout=30)

    def one_run(self, number):
        with open(self.document, "wb") as f:
            f.write(self.original)
        d = self.start("run%d" % number, self.document)
        wait_for("the project", lambda: len(d.projects()) == 1, timeout=60)
        kept_path = self.edit_and_wait_for_autosave(d)
        expected_new = project_part(kept_path)
        at = e2e.activate(d, self.input)
        if self.save_seconds is None:
            # The first run saves to the end, to learn how long a save takes.
            begin = time.monotonic()
            self.input.key("ctrl+s", at=at)
            wait_for("the save", lambda: not d.projects()[0]["changed"], timeout=60, interval=0.005)
            self.save_seconds = time.monotonic() - begin
            print("a save takes %.3f s (key to done)" % self.save_seconds)
            delay = None
        else:
            delay = self.random.uniform(0, self.save_seconds * 1.2)
            self.input.key("ctrl+s", at=at)
            time.sleep(delay)  # the random moment of the kill is the point of the test
        pid = d.process.pid
        self.kill(d)

        with open(self.document, "rb") as f:
            data = f.read()
        if data == self.original:
            outcome = "old"
        elif data and strip_time(data.decode("utf-8", "replace")) == expected_new:
            outcome = "new"
        else:
            raise Failure("run %d (kill after %s s): the document is neither the old nor the new "
                          "text (%d bytes)" % (number, delay, len(data)))
        self.outcomes[outcome] += 1

        left = self.files_of(pid)
        if left:
            e = self.start("after%d" % number)
            box = e.wait_modal("the recovery offer", timeout=30, cls="frmRecover")
            discard = e2e.button(box, "Discard")
            self.input.click(discard["cx"], discard["cy"])
            e.wait_no_modal(timeout=15)
            wait_for("the files to go", lambda: not any(os.path.exists(p) for p in left))
            self.outcomes["offered"] += 1
            self.kill(e)
        print("run %d: kill after %s s, document %s, recovery %s"
              % (number, "%.3f" % delay if delay is not None else "the save", outcome,
                 "offered" if left else "none left"))

    def run(self):
        self.open_display()
        for number in range(1, self.runs + 1):
            self.one_run(number)
        print("seed %s, %d runs: old text %d, new text %d, recovery offered %d"
              % (self.seed, self.runs, self.outcomes["old"], self.outcomes["new"],
                 self.outcomes["offered"]))


def argument(name, default):
    if name in sys.argv:
        return int(sys.argv[sys.argv.index(name) + 1])
    return default


def main():
    e2e.skip_unless_tools()
    session = SaveCrash(e2e.build_dir_from_args(sys.argv), "--keep" in sys.argv,
                        argument("--runs", 100), argument("--seed", int(time.time())))
    return session.run_and_report("every killed save left the old or the new text", "FAILED (seed %s)" % session.seed)


if __name__ == "__main__":
    sys.exit(main())
