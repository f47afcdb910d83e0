#!/usr/bin/env python3
"""Save As of a new project beside an open one never lands on the open one's file.

A copy of the orders sample is opened from the command line; a new application is created
from the tool bar and saved with Ctrl+S. The chooser must offer the new project's own name
beside the orders file, on the local tab (the host store holds no hosts), and Enter saves it
there. Save As onto the orders file is then refused with a message, and Exit asks nothing:
the orders file keeps its bytes throughout.

Usage: save_as.py [--build DIR] [--keep]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import os
import shutil
import sys

import e2e
from e2e import Failure, wait_for

APP = "GUIAPP"
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")


class SaveAs(e2e.Session):
    def __init__(self, build_dir, keep):
        super().__init__(build_dir, keep, "corvane-e2e-saveas-")
        self.folder = os.path.join(self.work, "orders")
        os.makedirs(self.folder)
        for name in ("orders.gui", "logo.png"):
            shutil.copy(os.path.join(EXAMPLES, name), self.folder)
        self.orders = os.path.join(self.folder, "orders.gui")
        self.new_file = os.path.join(self.folder, APP + ".gui")

    def orders_bytes(self):
        with open(self.orders, "rb") as f:
            return f.read()

    def bound(self, designer):
        return {p["id"].upper(): p for p in designer.projects()}

    def file_menu_entry(self, designer, name):
        title = designer.where("rect MainMenu.File")
        self.input.click(title["cx"], title["cy"])
        popup = wait_for("the File menu", lambda: (lambda p: p if p.get("ok") else None)(
            designer.ask("popup")))
        for entry in popup["entries"]:
            if entry["name"] == name and entry["enabled"]:
                self.input.click(entry["cx"], entry["cy"])
                return
        raise Failure("no enabled entry %s in the File menu: %r" % (name, popup["entries"]))

    def run(self):
        self.open_display()
        original = self.orders_bytes()
        a = e2e.Designer(self.build, self.display, self.home, "designer", (self.orders,))
        self.designers.append(a)
        wait_for("the orders project", lambda: "ORDERS" in self.bound(a), timeout=20)

        # A new application beside it, from the main tool bar.
        new = a.where("rect BandMain.New")
        self.input.click(new["cx"], new["cy"])
        sheet = a.wait_modal("the property sheet", cls="frmProperties")
        self.input.key("Return", at=(sheet["cx"], sheet["cy"]))
        a.wait_no_modal()
        wait_for(APP, lambda: APP in self.bound(a))
        wait_for("the unsaved mark in the title", lambda: a.ask("title")["title"].endswith("] *"))
        shots = os.path.join(self.build, "e2e")
        os.makedirs(shots, exist_ok=True)
        a.ask("shot " + os.path.join(shots, "two-projects-unsaved.png"))

        # Save of a project never saved is Save As: the chooser offers the new project's own
        # file beside the orders file, never the orders file itself.
        self.input.key("ctrl+s", at=e2e.activate(a, self.input))
        chooser = a.wait_modal("the Save As chooser", cls="frmDocumentChooser")
        a.ask("screen " + os.path.join(shots, "save-as-new-project.png"))
        if chooser.get("tab") != "Local file" or chooser.get("path") != self.new_file:
            raise Failure("the chooser offers %r on tab %r, expected %r on the local tab"
                          % (chooser.get("path"), chooser.get("tab"), self.new_file))
        self.input.key("Return", at=(chooser["cx"], chooser["cy"]))
        wait_for("the new project saved", lambda: not self.bound(a)[APP]["changed"], timeout=15)
        if self.bound(a)[APP]["document"] != self.new_file or not os.path.isfile(self.new_file):
            raise Failure("the new project went to %r" % self.bound(a)[APP]["document"])
        if self.bound(a)["ORDERS"]["document"] != self.orders:
            raise Failure("the orders project is bound to %r" % self.bound(a)["ORDERS"]["document"])
        if self.orders_bytes() != original:
            raise Failure("the orders file changed when the new project was saved")

        # Save As onto the orders file by hand is refused before anything is written.
        self.file_menu_entry(a, "SaveAs")
        chooser = a.wait_modal("the Save As chooser again", cls="frmDocumentChooser")
        if chooser.get("path") != self.new_file:
            raise Failure("Save As of a saved project starts at %r" % chooser.get("path"))
        e2e.type_local_path(a, self.input, chooser, self.orders)
        box = wait_for("the refusal", lambda: (lambda m: m if m and m.get("text") else None)(
            a.modal()))
        expected = ("Item '%s' is open as project 'ORDERS'. Please save using a different name."
                    % self.orders)
        if box["text"] != expected:
            raise Failure("expected %r, got %r" % (expected, box["text"]))
        ok = e2e.button(box, "OK")
        self.input.click(ok["cx"], ok["cy"])
        a.wait_no_modal()
        if self.bound(a)[APP]["document"] != self.new_file:
            raise Failure("the refused Save As rebound the project to %r"
                          % self.bound(a)[APP]["document"])
        if self.orders_bytes() != original:
            raise Failure("the orders file changed on the refused Save As")

        # Both projects are saved: Exit asks nothing and writes nothing.
        self.input.key("ctrl+q", at=e2e.activate(a, self.input))
        wait_for("the designer to end", lambda: not a.alive(), timeout=15)
        if a.process.returncode != 0:
            raise Failure("the designer ended with status %d" % a.process.returncode)
        if self.orders_bytes() != original:
            raise Failure("the orders file changed at exit")


def main():
    return e2e.run_main(SaveAs, "Save As beside an open project")


if __name__ == "__main__":
    sys.exit(main())
