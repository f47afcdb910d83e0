#!/usr/bin/env python3
"""The Window menu lists the open design forms under a window manager, however it opens.

The designer runs on its own display under openbox with a copy of the orders sample that has
a third form. The Window menu is opened with a click on its title, with Alt+W, by moving the
pointer onto it from the open menu beside it, and with the Right and Left arrows from the
menus beside it. Each time the open menu must list the three forms, and the entry chosen
(by a click or by its number key) must make that form's window the active one.

Usage: window_menu.py [--build DIR] [--keep]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool or openbox).
"""

import os
import shutil
import subprocess
import sys

import e2e
from e2e import Failure, wait_for

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")
FORMS = ["Order", "Customers", "Notes"]


def add_third_form(path):
    """Appends a form NOTES, captioned "Notes", made from the CUSTOMERS form's own record."""
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    start = next(i for i, line in enumerate(lines) if line.startswith(b"2")
                 and line.split(line[1:4])[1] == b"ORDERS*CUSTOMERS")
    form = [lines[start].replace(b"ORDERS*CUSTOMERS", b"ORDERS*NOTES"),
            lines[start + 1].replace(b"Customers", b"Notes")]
    while lines and not lines[-1]:
        lines.pop()
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines + form) + b"\r\n")


class WindowMenu(e2e.Session):
    def __init__(self, build_dir, keep):
        super().__init__(build_dir, keep, "corvane-e2e-windowmenu-")
        for name in ("orders.gui", "logo.png"):
            shutil.copy(os.path.join(EXAMPLES, name), self.work)
        self.project = os.path.join(self.work, "orders.gui")
        add_third_form(self.project)
        self.designer = None
        self.wm = None
        self.shots = os.path.join(self.build, "e2e")
        os.makedirs(self.shots, exist_ok=True)

    def running_designers(self):
        return [self.designer] if self.designer else []

    def close(self):
        super().close()
        if self.wm and self.wm.poll() is None:
            self.wm.kill()
            self.wm.wait()

    def start_window_manager(self):
        """Openbox on the test's display; it runs its start-up command once it manages the
        screen, which is when the designer may come."""
        ready = os.path.join(self.home, "wm-ready")
        env = dict(os.environ, DISPLAY=self.display.name, HOME=self.home,
                   XDG_CONFIG_HOME=os.path.join(self.home, ".config"))
        self.wm = subprocess.Popen(
            ["openbox", "--sm-disable", "--startup", "touch " + ready], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=e2e._die_with_parent)

        def started():
            if self.wm.poll() is not None:
                raise Failure("openbox ended with status %s" % self.wm.returncode)
            return os.path.exists(ready)
        wait_for("openbox to manage the screen", started, timeout=20)

    def forms(self):
        return self.designer.ask("forms").get("forms", [])

    def active_form(self):
        return next((f["title"] for f in self.forms() if f["active"]), None)

    def popup(self, name):
        """The open pop-up menu when it is the one named, else None."""
        answer = self.designer.ask("popup")
        return answer if answer.get("ok") and answer.get("name") == name else None

    def open_menu(self, name):
        return wait_for("the menu " + name, lambda: self.popup(name), timeout=5)

    def listed(self, way, menu):
        """The Window menu as it opened must list the three forms; returns its form entries."""
        entries = [e for e in menu["entries"] if e["name"].startswith("wl*")]
        texts = [e["text"] for e in entries]
        expected = ["%d %s" % (n, title) for n, title in enumerate(FORMS, 1)]
        if texts != expected:
            self.designer.ask("screen " + os.path.join(self.shots, "window-menu-empty.png"))
            raise Failure("opened by %s, the Window menu lists %r, expected %r (all entries %r)"
                          % (way, texts, expected, [e["text"] for e in menu["entries"]]))
        return entries

    def choose(self, way, entries, by_click):
        """Chooses the form after the active one and checks that its window becomes the
        active one, in the active main window."""
        before = self.active_form()
        target = FORMS[(FORMS.index(before) + 1) % len(FORMS)] if before in FORMS else FORMS[0]
        n = FORMS.index(target)
        if by_click:
            self.input.click(entries[n]["cx"], entries[n]["cy"])
        else:
            self.input.key(str(n + 1))
        try:
            wait_for("form %s to be active" % target,
                     lambda: not self.designer.ask("popup").get("ok")
                     and self.active_form() == target
                     and self.designer.ask("focus").get("window") == "mdiMain", timeout=5)
        except Failure:
            raise Failure("after choosing %r from the Window menu opened by %s the active form "
                          "is %r, the active window %r"
                          % (target, way, self.active_form(),
                             self.designer.ask("focus").get("window")))

    def run(self):
        self.open_display()
        self.start_window_manager()
        d = self.designer = e2e.Designer(self.build, self.display, self.home, "designer",
                                         (self.project,))
        wait_for("the three design forms",
                 lambda: [f["title"] for f in self.forms() if f["visible"]] == FORMS, timeout=20)
        # Under a window manager the main window is activated as it is shown.
        wait_for("the main window to be active",
                 lambda: d.ask("focus").get("window") == "mdiMain", timeout=10)
        at = e2e.activate(d, self.input)
        d.ask("screen " + os.path.join(self.shots, "window-menu-openbox.png"))

        def title(menu):
            return d.where("rect MainMenu." + menu)

        def click_title():
            t = title("Window")
            self.input.click(t["cx"], t["cy"])

        def hover_from_tools():
            t = title("Tools")
            self.input.click(t["cx"], t["cy"])
            self.open_menu("MainMenu.Tools")
            w = title("Window")
            self.input.move(w["cx"], w["cy"])

        def arrow_from(menu, key, arrow):
            def way():
                self.input.key("alt+" + key, at=at)
                self.open_menu("MainMenu." + menu)
                self.input.key(arrow)
            return way

        def click_title_from_help():
            # The main window is not the active one: the window manager activates it as the
            # click goes through to the menu bar.
            t = title("Help")
            self.input.click(t["cx"], t["cy"])
            topics = next(e for e in self.open_menu("MainMenu.Help")["entries"]
                          if e["name"] == "HelpTopics")
            self.input.click(topics["cx"], topics["cy"])
            wait_for("the Help window to be active",
                     lambda: d.ask("focus").get("window") == "HelpWindow", timeout=5)
            help_window = next(w for w in d.ask("windows")["windows"]
                               if w["name"] == "HelpWindow")
            self.input.run("windowmove", "--sync", help_window["wid"], 700, 600)
            click_title()

        ways = [
            ("a click on its title", click_title, True),
            ("Alt+W", lambda: self.input.key("alt+w", at=at), False),
            ("the pointer from the open Tools menu", hover_from_tools, True),
            ("Right from the Tools menu", arrow_from("Tools", "t", "Right"), False),
            ("Left from the Help menu", arrow_from("Help", "h", "Left"), True),
            ("a click on its title while the Help window is active", click_title_from_help,
             True),
        ]
        for name, open_way, by_click in ways:
            open_way()
            menu = self.open_menu("MainMenu.Window")
            self.choose(name, self.listed(name, menu), by_click)
            at = e2e.activate(d, self.input)


def main():
    e2e.skip_unless_tools()
    if shutil.which("openbox") is None:
        print("SKIPPED: the Window menu test needs openbox (bash scripts/setup.sh installs it)")
        return e2e.SKIP
    test = WindowMenu(e2e.build_dir_from_args(sys.argv), "--keep" in sys.argv)
    return test.run_and_report("the Window menu under a window manager")


if __name__ == "__main__":
    sys.exit(main())
