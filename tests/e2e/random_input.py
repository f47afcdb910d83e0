#!/usr/bin/env python3
"""Seeded random input on the real window: clicks, double clicks, drags, key presses (with
bursts of a hundred Ctrl+Z or Ctrl+Y), context menus and menu commands; Ctrl and Shift
clicks on controls and tree nodes, rubber bands on forms, the Format commands through their
menu or tool bar, and runs of Ctrl+arrow and Ctrl+Shift+arrow. Dialogs that open are answered
or closed by the driver, sometimes saving the project under a new name. Afterwards the
designer must still answer, every project tree node must stand for an item and every item
have its node, and every project it saved must load back without a report.

Usage: random_input.py [--build DIR] [--seed N] [--steps N] [--minutes M] [--keep]
The seed is printed first and again on failure; the same seed replays the same input
(timing aside). Exit status 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import collections
import glob
import os
import random
import shutil
import subprocess
import sys
import time
import traceback

import e2e
from e2e import Failure, wait_for

KEYS = ["Delete", "ctrl+z", "ctrl+y", "ctrl+shift+z", "ctrl+c", "ctrl+v", "ctrl+x", "F4", "F2", "Escape", "Tab",
        "Return", "Up", "Down", "Left", "Right", "Home", "a", "x", "1", "space", "BackSpace",
        "ctrl+n", "ctrl+s", "ctrl+o", "shift+Tab", "alt+f", "alt+e", "alt+v", "alt+o",
        "ctrl+a", "ctrl+j", "ctrl+k", "ctrl+t"]
ARROWS = ["Left", "Right", "Up", "Down"]
# The Format tool bar's tools.
FORMAT_TOOLS = [
    "AlignLefts", "AlignCenters", "AlignRights", "AlignTops", "AlignMiddles", "AlignBottoms",
    "AlignToGrid", "SameWidth", "SameHeight", "SameBoth", "HSpaceEqual", "HSpaceIncrease",
    "HSpaceDecrease", "VSpaceEqual", "VSpaceIncrease", "VSpaceDecrease", "CenterHorizontally",
    "CenterVertically", "BringToFront", "SendToBack"]
# Files the random Open picks: not a project, garbage, a project cut short.
BAD_FILES = ["junk-text.gui", "junk-binary.gui", "truncated.gui"]
# Ending the program is not random input's business.
NEVER = {"Exit"}


def option(name, default, kind=int):
    if name in sys.argv:
        return kind(sys.argv[sys.argv.index(name) + 1])
    return default


class RandomRun(e2e.Session):
    def __init__(self, build_dir, seed, steps, minutes, keep):
        super().__init__(build_dir, keep, "corvane-random-")
        self.seed = seed
        self.steps = steps
        self.deadline = time.monotonic() + minutes * 60 if minutes else None
        self.rng = random.Random(seed)
        self.designer = None
        self.history = collections.deque(maxlen=40)
        self.messages = collections.Counter()
        self.saves = 0
        self.timing = collections.Counter()
        self.counts = collections.Counter()
        self.done = 0

    # ---- what the program shows ------------------------------------------------------------

    def main_rect(self):
        return self.designer.where("rect mdiMain")

    def point_in(self, rect, margin=2):
        return (self.rng.randint(rect["x"] + margin, rect["x"] + max(margin, rect["w"] - margin)),
                self.rng.randint(rect["y"] + margin, rect["y"] + max(margin, rect["h"] - margin)))

    def random_item(self):
        items = self.designer.items()
        return self.rng.choice(items) if items else None

    def on_screen(self, rect, within=None):
        """The part of rect on the screen (and within the other rect), or None: gestures
        stay where the user can reach."""
        areas = [{"x": 0, "y": 0, "w": self.display.width, "h": self.display.height}]
        if within:
            areas.append(within)
        x0, y0 = rect["x"], rect["y"]
        x1, y1 = rect["x"] + rect["w"], rect["y"] + rect["h"]
        for a in areas:
            x0, y0 = max(x0, a["x"]), max(y0, a["y"])
            x1, y1 = min(x1, a["x"] + a["w"]), min(y1, a["y"] + a["h"])
        if x1 - x0 < 6 or y1 - y0 < 6:
            return None
        return {"x": x0, "y": y0, "w": x1 - x0, "h": y1 - y0}

    def random_control(self):
        """A control of a design form the user can see: (item, its visible rect) or None."""
        items = [i for i in self.designer.items() if i.count("*") >= 2]
        if not items:
            return None
        item = self.rng.choice(items)
        rect = self.designer.ask("control " + item)
        if not (rect.get("ok") and rect.get("visible")):
            return None
        rect = self.on_screen(rect, self.area_rect())
        return (item, rect) if rect else None

    def count_selected(self):
        """Counts the gestures that left several objects selected (their tree nodes show it)."""
        selected = sum(1 for i in self.designer.items()
                       if self.designer.ask("node " + i).get("selected"))
        if selected > 1:
            self.counts["several selected"] += 1
        return selected > 1

    def choosing_keys(self):
        return self.rng.choice([("ctrl",), ("shift",)])

    # ---- actions ---------------------------------------------------------------------------

    def act(self):
        started = time.monotonic()
        try:
            self._act()
        finally:
            kind = self.history[-1].split(": ", 1)[-1].split(" ")[0] if self.history else "-"
            self.timing[kind] += time.monotonic() - started
            self.counts[kind] += 1

    def _act(self):
        r = self.rng.random()
        d = self.designer
        if r < 0.15:
            x, y = self.point_in(self.main_rect())
            self.note("click", x, y)
            self.input.click(x, y)
        elif r < 0.20:
            x, y = self.point_in(self.area_rect())
            self.note("double click", x, y)
            self.input.click(x, y, repeat=2)
        elif r < 0.25:
            x, y = self.point_in(self.main_rect())
            self.note("right click", x, y)
            self.input.click(x, y, button=3)
        elif r < 0.31:
            self.choosing_click()
        elif r < 0.36:
            self.rubber_band()
        elif r < 0.41:
            self.format_command()
        elif r < 0.45:
            # A run of keyboard moves or resizes of the selection.
            keys = ["%s+%s" % (self.rng.choice(["ctrl", "ctrl+shift"]), self.rng.choice(ARROWS))
                    for _ in range(self.rng.randint(1, 6))]
            self.note("keyboard moves", *keys)
            self.input.key(*keys, at=self.keys_point())
        elif r < 0.52:
            item = self.random_item()
            rect = d.ask("control " + item) if item else {}
            if rect.get("ok") and rect.get("visible"):
                x0, y0 = self.point_in(rect, 1)
            else:
                x0, y0 = self.point_in(self.area_rect())
            dx, dy = self.rng.randint(-120, 120), self.rng.randint(-90, 90)
            self.note("drag", item, x0, y0, dx, dy)
            self.input.drag(x0, y0, x0 + dx, y0 + dy, steps=self.rng.randint(1, 6))
        elif r < 0.56:
            x0, y0 = self.point_in(self.main_rect())
            x1, y1 = self.point_in(self.main_rect())
            self.note("drag anywhere", x0, y0, x1, y1)
            self.input.drag(x0, y0, x1, y1, steps=3)
        elif r < 0.63:
            item = self.random_item()
            node = d.ask("node " + item) if item else {}
            if node.get("ok"):
                hold = self.choosing_keys() if self.rng.random() < 0.4 else ()
                self.note("tree click", item, *hold)
                self.input.click(node["cx"], node["cy"], hold=hold)
        elif r < 0.80:
            key = self.rng.choice(KEYS)
            self.note("key", key)
            self.input.key(key, at=self.keys_point())
        elif r < 0.81:
            # Undo and Redo far back and forth over what the run did.
            burst = self.rng.choice(["ctrl+z", "ctrl+y"])
            self.note("burst of 100 " + burst)
            self.input.key(*([burst] * 100), at=self.keys_point(), delay=3)
        else:
            self.menu_command()

    def choosing_click(self):
        """Ctrl+click (toggles) or Shift+click (adds) on a control of a design form."""
        found = self.random_control()
        if not found:
            # Then on whatever lies in the forms' area.
            self.counts["no control in sight"] += 1
            found = (None, self.area_rect())
        item, rect = found
        hold = self.choosing_keys()
        x, y = self.point_in(rect, 1)
        self.note("choosing click", item, "+".join(hold), x, y)
        self.input.click(x, y, hold=hold)
        self.count_selected()

    def rubber_band(self):
        """A drag over a form, mostly from an empty spot; now and then with Ctrl or Shift,
        which add what it touches, or from inside a container."""
        items = [i for i in self.designer.items() if i.count("*") >= 1]
        if not items:
            self.counts["no form in sight"] += 1
            return
        form = "*".join(self.rng.choice(items).split("*")[:2])
        canvas = self.designer.ask("control " + form)
        if not (canvas.get("ok") and canvas.get("visible")):
            self.counts["no form in sight"] += 1
            return
        rect = self.on_screen(canvas, self.area_rect())
        if not rect:
            self.counts["no form in sight"] += 1
            return
        hold = self.choosing_keys() if self.rng.random() < 0.3 else ()
        # Most bands start on an empty spot of the form; the rest wherever they fall.
        controls = [r for r in (self.designer.ask("control " + i) for i in items
                                if i.startswith(form + "*")) if r.get("ok") and r.get("visible")]
        inside = lambda x, y: any(r["x"] <= x < r["x"] + r["w"] and r["y"] <= y < r["y"] + r["h"]
                                  for r in controls)
        for _ in range(10):
            x0, y0 = self.point_in(rect, 1)
            if not inside(x0, y0):
                break
        x1, y1 = self.point_in(rect, 1)
        self.note("rubber band", form, "+".join(hold), x0, y0, x1, y1)
        self.input.drag(x0, y0, x1, y1, steps=self.rng.randint(2, 8), hold=hold)
        # Often a user arranges what a band selected right away.
        if self.count_selected() and self.rng.random() < 0.5:
            self.format_command()

    def format_command(self):
        """A Format command from its tool bar, or from the Format menu and a sub-menu."""
        d = self.designer
        self.keys_point()  # the bars may lie under another window
        if self.rng.random() < 0.5:
            tool = self.rng.choice(FORMAT_TOOLS)
            rect = d.ask("rect BandFormat." + tool)
            if rect.get("ok") and rect.get("visible") and self.on_screen(rect):
                state = "enabled" if rect.get("enabled") else "disabled"
                self.counts["format tool " + state] += 1
                self.note("format tool", tool, state)
                self.input.click(rect["cx"], rect["cy"])
                return
        title = d.ask("rect MainMenu.Format")
        if not title.get("ok"):
            return
        self.note("menu", "MainMenu.Format")
        self.input.click(title["cx"], title["cy"])
        popup = self.wait_popup()
        subs = [e for e in popup["entries"] if e["enabled"] and e["menu"]] if popup else []
        if not subs:
            return
        sub = self.rng.choice(subs)
        self.note("menu entry", sub["name"])
        self.input.click(sub["cx"], sub["cy"])
        try:
            inner = wait_for("the sub-menu " + sub["name"], lambda: (
                lambda p: p if p.get("ok") and p["entries"] and not p["entries"][0]["menu"]
                else None)(d.ask("popup")), timeout=2)
        except Failure:
            return
        entries = [e for e in inner["entries"] if e["enabled"]]
        if entries:
            entry = self.rng.choice(entries)
            self.counts["format menu command"] += 1
            self.note("menu entry", entry["name"])
            self.input.click(entry["cx"], entry["cy"])

    def area_rect(self):
        area = self.designer.ask("rect mdiArea")
        return area if area.get("ok") else self.main_rect()

    def keys_point(self):
        return e2e.activate(self.designer, self.input)

    def menu_command(self):
        self.keys_point()  # the menu bar may lie under another window
        titles = [w for w in self.menu_titles() if w.get("ok")]
        if not titles:
            return
        title = self.rng.choice(titles)
        self.note("menu", title["name"] or title["text"])
        self.input.click(title["cx"], title["cy"])
        popup = self.wait_popup()
        if not popup:
            return
        entries = [e for e in popup["entries"] if e["enabled"] and e["name"] not in NEVER
                   and e["text"] != "Exit"]
        if not entries:
            self.input.key("Escape")
            return
        entry = self.rng.choice(entries)
        self.note("menu entry", entry["name"] or entry["text"])
        self.input.click(entry["cx"], entry["cy"])

    def menu_titles(self):
        titles = []
        for name in ("MainMenu.File", "MainMenu.Edit", "MainMenu.Format", "MainMenu.View",
                     "MainMenu.Tools", "MainMenu.Window", "MainMenu.Help", "mnuFile", "mnuEdit",
                     "mnuView"):
            answer = self.designer.ask("rect " + name)
            if answer.get("ok"):
                titles.append(answer)
        return titles

    def wait_popup(self):
        try:
            return wait_for("a menu", lambda: (lambda p: p if p.get("ok") else None)(
                self.designer.ask("popup")), timeout=2)
        except Failure:
            return None

    # ---- dialogs and menus left open -------------------------------------------------------

    def settle(self):
        """Answers or closes whatever dialog or menu the last action opened."""
        d = self.designer
        deadline = time.monotonic() + 20
        tries = 0
        while time.monotonic() < deadline:
            if not d.alive():
                raise Failure("the designer ended (status %s)" % d.process.returncode)
            popup = d.ask("popup")
            if popup.get("ok"):
                entries = [e for e in popup.get("entries", []) if e["enabled"]
                           and e["name"] not in NEVER and e["text"] != "Exit"]
                if entries and self.rng.random() < 0.5:
                    entry = self.rng.choice(entries)
                    self.note("popup entry", entry["name"] or entry["text"])
                    self.input.click(entry["cx"], entry["cy"])
                else:
                    self.input.move(popup["cx"], popup["cy"])
                    self.input.key("Escape")
                continue
            modal = d.modal()
            if not modal:
                return
            tries += 1
            self.answer(modal, tries)
        raise Failure("a dialog stays open: %r" % d.modal())

    def answer(self, modal, tries):
        text = modal.get("text") or modal.get("title") or modal.get("class")
        self.messages[(modal.get("class"), text.split("\n")[0][:120])] += 1
        self.input.move(modal["cx"], modal["cy"])
        cls = modal.get("class", "")
        if tries > 3:
            b = e2e.button(modal, "Cancel", "Close", "No", "OK")
            if b:
                self.input.click(b["cx"], b["cy"])
            else:
                self.input.key("Escape")
            return
        if cls == "QFileDialog" or "chooser" in cls.lower() or modal.get("title") in (
                "Save Project", "Open", "Save Code"):
            if modal.get("title") == "Open" and self.rng.random() < 0.5:
                # Bad input through the real dialog: files that are not projects.
                path = os.path.join(self.work, self.rng.choice(BAD_FILES))
                self.note("open", path)
                e2e.type_local_path(self.designer, self.input, modal, path)
            elif modal.get("title") != "Open" and self.rng.random() < 0.6:
                self.saves += 1
                path = os.path.join(self.work, "saved%d.gui" % self.saves)
                self.note("save as", path)
                e2e.type_local_path(self.designer, self.input, modal, path)
            else:
                self.input.key("Escape")
            return
        buttons = [b for b in modal.get("buttons", []) if b.get("enabled")]
        if cls == "QMessageBox" and buttons:
            b = self.rng.choice(buttons)
            self.note("answer", b["text"], "to", text[:60])
            self.input.click(b["cx"], b["cy"])
            return
        key = self.rng.choice(["Return", "Escape", "Escape"])
        self.note("dialog key", key, cls)
        self.input.key(key)

    # ---- checks ----------------------------------------------------------------------------

    def check_responsive(self):
        if not self.designer.alive():
            raise Failure("the designer ended (status %s)" % self.designer.process.returncode)
        start = time.monotonic()
        if not self.designer.responsive(timeout=15):
            raise Failure("the designer does not answer")
        return time.monotonic() - start

    def check_tree(self):
        """Every item has its tree node; the tree shows nothing that is gone."""
        items = self.designer.ask("items").get("items", [])
        for item in items:
            if not self.designer.ask("node " + item).get("ok"):
                raise Failure("item %s has no node in the project tree" % item)

    def check_saved(self):
        exe = os.path.join(self.build, "cli", "corvane")
        files = sorted(glob.glob(os.path.join(self.work, "*.gui")))
        for path in files:
            if not os.path.basename(path).startswith("saved"):
                continue
            result = subprocess.run([exe, "check", path], capture_output=True, text=True,
                                    timeout=60, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            if result.returncode != 0 or result.stderr.strip():
                raise Failure("saved project %s does not load back cleanly: %s"
                              % (path, result.stderr.strip()))
        return len([f for f in files if os.path.basename(f).startswith("saved")])

    def finish(self):
        """Exit as a user would, declining to save: the shutdown runs, the program ends with
        status 0 and (in an AddressSanitizer build) without a report."""
        d = self.designer
        self.note("exit")
        self.input.key("ctrl+q", at=self.keys_point())
        deadline = time.monotonic() + 30
        while d.alive() and time.monotonic() < deadline:
            try:
                modal = d.modal()
            except (OSError, Failure, ValueError):
                modal = None  # the probe went with the window
            if modal:
                b = e2e.button(modal, "No", "Cancel")
                if b:
                    self.input.click(b["cx"], b["cy"])
                else:
                    self.input.key("Escape", at=(modal["cx"], modal["cy"]))
            time.sleep(0.05)
        if d.alive():
            raise Failure("the designer did not end on Exit (dialog: %r, windows: %r)"
                          % (d.modal(), d.ask("windows")))
        log = d.log_text(limit=None)
        if "AddressSanitizer" in log or "runtime error:" in log:
            raise Failure("the sanitizer reported:\n" + log)
        if d.process.returncode != 0:
            raise Failure("the designer ended with status %d" % d.process.returncode)

    def note(self, *what):
        self.history.append("%d: %s" % (self.done, " ".join(str(w) for w in what)))

    # ---- the whole -------------------------------------------------------------------------

    def run(self):
        self.open_display()
        here = os.path.dirname(os.path.abspath(__file__))
        sample = os.path.join(self.work, "start.gui")
        shutil.copy(os.path.join(here, "..", "..", "examples", "login.gui"), sample)
        with open(sample, "rb") as f:
            text = f.read()
        bad = {"junk-text.gui": b"Dear diary,\r\nnothing to see here.\r\n",
               "junk-binary.gui": bytes(self.rng.randrange(256) for _ in range(2048)),
               "truncated.gui": text[:len(text) // 2]}
        for name, data in bad.items():
            with open(os.path.join(self.work, name), "wb") as f:
                f.write(data)
        # Autosave every few seconds, so its writes run beside the random input.
        self.designer = e2e.Designer(self.build, self.display, self.home, "random", [sample],
                                     extra_env={"CORVANE_AUTOSAVE_SECONDS": "3"})
        wait_for("the sample project", lambda: self.designer.projects(), timeout=15)
        started = time.monotonic()
        slowest = 0.0
        while self.done < self.steps and (self.deadline is None
                                          or time.monotonic() < self.deadline):
            self.act()
            self.settle()
            slowest = max(slowest, self.check_responsive())
            self.done += 1
            if self.done % 500 == 0:
                print("%d steps, %.1f minutes" % (self.done, (time.monotonic() - started) / 60),
                      flush=True)
        self.settle()
        self.check_responsive()
        self.check_tree()
        self.finish()
        checked = self.check_saved()
        print("seed %d: %d steps in %.1f s, %d saves checked, slowest answer %.2f s"
              % (self.seed, self.done, time.monotonic() - started, checked, slowest))
        print("seconds by action:", ", ".join(
            "%s %.1f (%d)" % (kind, seconds, self.counts[kind])
            for kind, seconds in self.timing.most_common()))
        print("format commands: %d tools enabled, %d disabled, %d from the menu; skipped for "
              "want of a form %d, of a control %d; several selected after %d bands or clicks"
              % (self.counts["format tool enabled"], self.counts["format tool disabled"],
                 self.counts["format menu command"], self.counts["no form in sight"],
                 self.counts["no control in sight"], self.counts["several selected"]))
        print("dialogs seen:")
        for (cls, text), count in sorted(self.messages.items(), key=lambda m: -m[1]):
            print("  %4d  %s: %s" % (count, cls, text))

    def running_designers(self):
        return [self.designer] if self.designer else []


def main():
    e2e.skip_unless_tools()
    seed = option("--seed", int(time.time() * 1000) % 1000000007)
    print("seed", seed, flush=True)
    run = RandomRun(e2e.build_dir_from_args(sys.argv), seed, option("--steps", 300),
                    option("--minutes", 0, float), "--keep" in sys.argv)
    try:
        run.run()
    except Exception as error:
        traceback.print_exc()
        print("last steps:\n  " + "\n  ".join(run.history))
        if run.designer:
            print("---- log of the designer (status %s):\n%s"
                  % (run.designer.process.poll(), run.designer.log_text()))
        print("FAILED with seed %d after %d steps: %s" % (seed, run.done, error))
        print("replay: %s --seed %d --steps %d" % (sys.argv[0], seed, run.done + 1))
        run.keep = True
        print("kept:", run.home)
        run.close()
        return 1
    run.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
