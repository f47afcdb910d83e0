#!/usr/bin/env python3
"""A long open is stopped with the Cancel beside its progress bar, on a real X display.

A project of 1000 forms (the benchmark's kind: one form and 99 labels each) is opened with
Ctrl+O. While it loads the status bar shows "Loading forms: n of 1000" with a Cancel; a click
on it while forms are still being made stops the load: no project stays open, the title names
none, the designer answers at once, and the next open (the orders sample) works.

Usage: load_cancel.py [--build DIR] [--keep]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import os
import shutil
import sys
import time

import e2e
from e2e import Failure, wait_for
from save_crash import bench_project

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")
FORMS = 1000


class LoadCancel(e2e.Session):
    def __init__(self, build_dir, keep):
        super().__init__(build_dir, keep, "corvane-e2e-cancel-")

    def open_by_name(self, designer, path):
        self.input.key("ctrl+o", at=e2e.activate(designer, self.input))
        chooser = designer.wait_modal("the Open chooser")
        e2e.type_local_path(designer, self.input, chooser, path)

    def run(self):
        self.open_display()
        big = os.path.join(self.work, "big.gui")
        with open(big, "wb") as f:
            f.write(bench_project(FORMS * 100))
        shutil.copy(os.path.join(EXAMPLES, "orders.gui"), self.work)
        shutil.copy(os.path.join(EXAMPLES, "logo.png"), self.work)
        d = e2e.Designer(self.build, self.display, self.home, "designer")
        self.designers.append(d)
        wait_for("the main window", lambda: d.ask("rect mdiMain").get("visible"))

        self.open_by_name(d, big)
        # The probe answers where the progress is while the load runs, nothing else.
        shown = lambda: (lambda a: a if a.get("visible") and a.get("w", 0) > 0 else None)(
            d.ask("rect LoadProgress"))
        progress = wait_for("the load's progress bar", shown, timeout=30, interval=0.01)
        cancel = d.where("rect LoadProgressCancel")
        if not (progress["x"] <= cancel["cx"] <= progress["x"] + progress["w"]):
            raise Failure("the Cancel %r is not beside the progress %r" % (cancel, progress))
        started = time.monotonic()
        self.input.click(cancel["cx"], cancel["cy"])
        # The next answer of the probe comes once the load is over.
        wait_for("the load to stop", lambda: d.ask("idle", timeout=30).get("ok"), timeout=30)
        stopped = time.monotonic() - started
        print("the load stopped %.2f s after the click" % stopped)
        if d.projects():
            raise Failure("a cancelled open left %r" % d.projects())
        if d.items():
            raise Failure("a cancelled open left objects %r" % d.items())
        if " - [" in d.ask("title")["title"]:
            raise Failure("the title still names a project: %r" % d.ask("title"))
        if d.ask("rect LoadProgress").get("visible"):
            raise Failure("the progress bar stays after the load")
        if stopped > 5:
            raise Failure("the load went on %.1f s after Cancel" % stopped)

        self.open_by_name(d, os.path.join(self.work, "orders.gui"))
        wait_for("the orders project", lambda: [p["id"].upper() for p in d.projects()] == ["ORDERS"],
                 timeout=15)
        d.stop()


def main():
    return e2e.run_main(LoadCancel, "a long open cancelled")


if __name__ == "__main__":
    sys.exit(main())
