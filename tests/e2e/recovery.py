#!/usr/bin/env python3
"""Unsaved work survives a crash, with real input on a real X display.

Open a copy of the sample project, move a control and rename another in the project tree,
wait until autosave has kept the work, kill the designer with SIGKILL, start it again and
choose Recover: the tree is what it was before the kill, the project is marked changed and
bound to its file, and after Save the file holds the work as it was kept (the time of
writing aside). The recovery files are gone after the save and after a normal exit.

The designer autosaves every CORVANE_AUTOSAVE_SECONDS seconds when that variable is set
(here 1) instead of every few minutes.

Usage: recovery.py [--build DIR] [--keep]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import glob
import os
import shutil
import signal
import sys

import e2e
from e2e import Failure, wait_for

MOVED = "ORDERS*CUSTOMERS*CMDCLOSE"
RENAMED_FROM = "ORDERS*ORDER*LBLCUST"
RENAMED_ID = "lblBuyer"
RENAMED = "ORDERS*ORDER*LBLBUYER"
MARK = "\uF8FD"


def recovery_folder(home):
    return os.path.join(home, ".local", "state", "corvane", "recovery")


def project_part(path):
    """The project text of a recovery file, records split, the time of writing left out."""
    with open(path, "rb") as f:
        data = f.read()
    head, _, body = data.partition(b"\n\n")
    fields = dict(line.split(b"=", 1) for line in head.split(b"\n")[1:] if b"=" in line)
    size = int(fields[b"project-bytes"])
    return strip_time(body[:size].decode("utf-8"))


def strip_time(text):
    records = text.split("\r\n")
    first = records[0].split(MARK)
    records[0] = MARK.join(first[:1] + first[2:])
    return records


class Recovery(e2e.Session):
    def __init__(self, build_dir, keep):
        super().__init__(build_dir, keep, "corvane-e2e-recovery-")
        examples = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")
        for name in ("orders.gui", "logo.png"):
            shutil.copy(os.path.join(examples, name), self.work)
        self.project_path = os.path.join(self.work, "orders.gui")
        self.folder = recovery_folder(self.home)

    def start(self, name, *args):
        designer = e2e.Designer(self.build, self.display, self.home, name, args,
                                extra_env={"CORVANE_AUTOSAVE_SECONDS": "1"})
        self.designers.append(designer)
        wait_for(name + "'s main window", lambda: designer.ask("rect mdiMain").get("visible"))
        return designer

    def files_of(self, designer):
        return glob.glob(os.path.join(self.folder, "%d-*.cvrecover" % designer.process.pid))

    def geometry(self, designer, item_id):
        g = designer.ask("geometry " + item_id)
        if not g.get("ok"):
            raise Failure("no geometry for %s: %r" % (item_id, g))
        return (g["left"], g["top"], g["width"], g["height"])

    def edit(self, a):
        before = self.geometry(a, MOVED)
        rect = a.where("control " + MOVED)
        x0, y0 = rect["x"] + min(12, rect["w"] // 3), rect["cy"]
        self.input.drag(x0, y0, x0 - 60, y0 - 30)
        moved = wait_for("the control to move", lambda: (lambda g: g if g[:2] != before[:2] else None)(
            self.geometry(a, MOVED)))
        node = a.where("node " + RENAMED_FROM)
        self.input.click(node["cx"], node["cy"])
        wait_for("the node to be selected", lambda: a.ask("node " + RENAMED_FROM).get("current"))
        self.input.key("F2")
        wait_for("the label editor", lambda: "LineEdit" in a.ask("focus").get("class", ""))
        self.input.key("ctrl+a")
        self.input.type(RENAMED_ID)
        self.input.key("Return")
        wait_for("the rename", lambda: RENAMED in a.items())
        return moved

    def wait_autosave(self, a):
        """A recovery file of this designer that holds the rename (made after the move)."""
        def kept():
            for path in self.files_of(a):
                try:
                    with open(path, "rb") as f:
                        if RENAMED_ID.encode() in f.read():
                            return path
                except OSError:
                    pass
            return None
        return wait_for("an autosave with the edits", kept, timeout=20)

    def recover(self, b):
        box = b.wait_modal("the recovery dialog", timeout=15, cls="frmRecover")
        b.ask("screen " + os.path.join(self.build, "e2e", "recovery-offer.png"))
        button = e2e.button(box, "Recover")
        if not button:
            raise Failure("no Recover button: %r" % box)
        self.input.click(button["cx"], button["cy"])
        b.wait_no_modal(timeout=15)
        return wait_for("the recovered project", lambda: b.projects(), timeout=15)

    def save(self, b):
        self.input.key("ctrl+s", at=e2e.activate(b, self.input))
        def saved():
            modal = b.modal()
            if modal:
                yes = e2e.button(modal, "Yes")
                if yes and "version" in modal.get("text", ""):
                    self.input.click(yes["cx"], yes["cy"])
                    return None
                raise Failure("unexpected dialog on Save: %r" % modal)
            projects = b.projects()
            return projects and not projects[0]["changed"]
        wait_for("the save", saved, timeout=20)

    def run(self):
        self.open_display()
        a = self.start("before-the-crash", self.project_path)
        wait_for("the sample project", lambda: len(a.projects()) == 1, timeout=15)
        with open(self.project_path, "rb") as f:
            original = f.read()
        moved = self.edit(a)
        items = a.items()
        kept_path = self.wait_autosave(a)
        kept = project_part(kept_path)
        print("autosaved:", kept_path)

        a.process.send_signal(signal.SIGKILL)
        a.process.wait(10)
        with open(self.project_path, "rb") as f:
            if f.read() != original:
                raise Failure("autosave wrote the document itself")
        if not os.path.exists(kept_path):
            raise Failure("the recovery file went with the killed designer")

        b = self.start("after-the-crash")
        projects = self.recover(b)
        if not projects[0]["changed"] or not projects[0]["document"].endswith("orders.gui"):
            raise Failure("recovered project is %r" % projects)
        wait_for("the tree as it was", lambda: b.items() == items)
        if self.geometry(b, MOVED) != moved:
            raise Failure("recovered at %r, was %r" % (self.geometry(b, MOVED), moved))
        b.ask("screen " + os.path.join(self.build, "e2e", "recovered.png"))
        wait_for("the dead designer's file to go", lambda: not os.path.exists(kept_path))

        self.save(b)
        with open(self.project_path, "rb") as f:
            saved = strip_time(f.read().decode("utf-8"))
        if saved != kept:
            raise Failure("the saved file differs from the work before the kill:\n%s\n---\n%s"
                          % ("\n".join(saved), "\n".join(kept)))
        wait_for("the recovery file to go after Save", lambda: not self.files_of(b))

        self.input.key("ctrl+q", at=e2e.activate(b, self.input))
        wait_for("the designer to end", lambda: not b.alive(), timeout=15)
        left = [n for n in os.listdir(self.folder)]
        if left:
            raise Failure("files left after a normal exit: %r" % left)


def main():
    e2e.skip_unless_tools()
    session = Recovery(e2e.build_dir_from_args(sys.argv), "--keep" in sys.argv)
    os.makedirs(os.path.join(session.build, "e2e"), exist_ok=True)
    return session.run_and_report("unsaved work recovered after kill -9")


if __name__ == "__main__":
    sys.exit(main())
