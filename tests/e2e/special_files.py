#!/usr/bin/env python3
"""The designer started over special files: its settings file is a FIFO and the project named
on its command line is another. It must start, say once that the settings file cannot be
used, refuse the project as no regular file without offering a new project under its name,
end on Ctrl+Q without another message, and leave both FIFOs as they were.

Usage: special_files.py [--build DIR] [--keep]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import os
import stat
import sys

import e2e
from e2e import Failure, wait_for


class SpecialFiles(e2e.Session):
    def __init__(self, build_dir, keep):
        super().__init__(build_dir, keep, "corvane-e2e-special-")

    def answer_ok(self, designer, what, expected):
        box = designer.wait_modal(what, timeout=20)
        if expected not in box.get("text", ""):
            raise Failure("expected %s (%r), got %r" % (what, expected, box.get("text")))
        ok = e2e.button(box, "OK")
        if not ok:
            raise Failure("%s has no OK button: %r" % (what, box))
        self.input.click(ok["cx"], ok["cy"])
        wait_for(what + " to close",
                 lambda: expected not in (designer.modal() or {}).get("text", ""))

    def run(self):
        settings = os.path.join(self.home, ".config", "Brevik", "GUI Designer.conf")
        os.makedirs(os.path.dirname(settings))
        os.mkfifo(settings)
        project = os.path.join(self.work, "pipe.gui")
        os.mkfifo(project)
        self.open_display()
        d = e2e.Designer(self.build, self.display, self.home, args=[project])
        self.designers.append(d)
        self.answer_ok(d, "the settings message", "GUI Designer.conf' cannot be used: it is a FIFO")
        self.answer_ok(d, "the project message",
                       "Unable to open item %s because it is not a regular file." % project)
        d.wait_no_modal()
        if d.projects():
            raise Failure("a project was opened: %r" % d.projects())
        self.input.key("ctrl+q", at=e2e.activate(d, self.input))
        wait_for("the designer to end without another message", lambda: not d.alive(), timeout=15)
        for path in (settings, project):
            if not stat.S_ISFIFO(os.lstat(path).st_mode):
                raise Failure("%s is no longer a FIFO" % path)


def main():
    return e2e.run_main(SpecialFiles, "special files at the settings file and as the project")


if __name__ == "__main__":
    sys.exit(main())
