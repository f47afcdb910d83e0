#!/usr/bin/env python3
"""Laying out a form with real input on a real X display.

Create an application and a form from the tool bar; place a label, a text box and a command
button each by a right-click on the form > New > the kind, where the user pointed; select
the three with a rubber band, align their lefts and make them the same width through the
Format menu; save to a local file and read the saved positions back with the headless tool;
then undo both commands and see the controls go back where they were.

Usage: arrange.py [--build DIR] [--keep]
Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
"""

import os
import sys

import e2e
import scenario
from e2e import Failure, wait_for

APP, FORM = scenario.APP, scenario.FORM
# The kinds placed, each at its point: pixels right of and below the form's top left.
PLACES = [("Label", 40, 30), ("Textbox", 96, 90), ("Command", 152, 150)]
MARK = "\uF8FD"


class Arrange(scenario.Scenario):

    def popup(self, what, check=lambda p: True):
        return wait_for(what, lambda: (lambda p: p if p.get("ok") and check(p) else None)(
            self.designer.ask("popup")))

    def entry(self, popup, name):
        for e in popup["entries"]:
            if e["name"] == name:
                if not e["enabled"]:
                    raise Failure("menu entry %s is disabled: %r" % (name, popup["entries"]))
                return e
        raise Failure("no entry %s in %r" % (name, [e["name"] for e in popup["entries"]]))

    def has(self, name):
        return lambda p: any(e["name"] == name for e in p["entries"])

    # ---- the steps -------------------------------------------------------------------------

    def new_at(self, canvas, kind, dx, dy):
        """Right-click on the form at the point > New > kind, the sheet confirmed with Enter:
        the new control stands at the point (to the grid's snap)."""
        d = self.designer
        before = set(d.items())
        x, y = canvas["x"] + dx, canvas["y"] + dy
        self.input.click(x, y, button=3)
        self.click_at(self.entry(self.popup("the form's context menu", self.has("Popup.New")),
                                 "Popup.New"))
        self.click_at(self.entry(self.popup("the New sub-menu", self.has(kind)), kind))
        self.confirm_sheet(d, "a new " + kind)
        added = wait_for("the new " + kind,
                         lambda: [i for i in d.items() if i not in before])
        if len(added) != 1:
            raise Failure("New > %s added %r" % (kind, added))
        item = added[0]
        rect = d.where("control " + item)
        # Snapping moves the point by at most half a grid step; the grid is a few pixels.
        if abs(rect["x"] - x) > 8 or abs(rect["y"] - y) > 8:
            raise Failure("%s stands at %d,%d, the form was clicked at %d,%d"
                          % (item, rect["x"], rect["y"], x, y))
        return item

    def band_select(self, items):
        """A drag from an empty spot below and right of the controls to above and left of
        them selects all three."""
        rects = [self.designer.where("control " + i) for i in items]
        right = max(r["x"] + r["w"] for r in rects)
        bottom = max(r["y"] + r["h"] for r in rects)
        left = min(r["x"] for r in rects)
        top = min(r["y"] for r in rects)
        canvas = self.designer.where("control " + FORM)
        x0 = min(right + 20, canvas["x"] + canvas["w"] - 3)
        y0 = min(bottom + 20, canvas["y"] + canvas["h"] - 3)
        if x0 <= right or y0 <= bottom:
            raise Failure("no empty spot on the form %r for the band beside %r" % (canvas, rects))
        self.input.drag(x0, y0, left - 8, top - 8, steps=10)

    def format_command(self, sub_menu, command, by_keys):
        """Format > sub-menu > command, by its access keys or by clicks."""
        at = e2e.activate(self.designer, self.input)
        if by_keys:
            keys = {"FormatAlign": "a", "FormatSameSize": "s",
                    "AlignLefts": "l", "SameWidth": "w"}
            self.input.key("alt+o", at=at)
            self.popup("the Format menu", self.has("MainMenu." + sub_menu))
            self.input.key(keys[sub_menu])
            self.entry(self.popup("the sub-menu " + sub_menu, self.has(command)), command)
            self.input.key(keys[command])
        else:
            self.click_at(self.designer.where("rect MainMenu.Format"))
            self.click_at(self.entry(self.popup("the Format menu", self.has("MainMenu." + sub_menu)),
                                     "MainMenu." + sub_menu))
            self.click_at(self.entry(self.popup("the sub-menu " + sub_menu, self.has(command)),
                                     command))
        wait_for("the menu to close", lambda: not self.designer.ask("popup").get("ok"))

    def exported(self, items):
        """The create records of the saved file: item -> (left, top, width, height) as
        written, in the application's unit."""
        tree = self.corvane("tree", self.project_path)
        ids = [line.split()[0].upper() for line in tree.stdout.split("\n") if line.strip()]
        if tree.returncode != 0 or ids != [APP, FORM] + items:
            raise Failure("corvane tree lists %r (status %d, %s)"
                          % (ids, tree.returncode, tree.stderr))
        export = self.corvane("export", self.project_path)
        if export.returncode != 0:
            raise Failure("corvane export: %d %s" % (export.returncode, export.stderr))
        records = {}
        for line in export.stdout.split("\n"):
            fields = line.rstrip("\r").split(MARK)
            if fields[0] == "2" and fields[1].upper() in items:
                records[fields[1].upper()] = tuple(float(f) for f in fields[4:8])
        if sorted(records) != sorted(items):
            raise Failure("create records for %r in:\n%s" % (sorted(records), export.stdout))
        return records

    # ---- the whole -------------------------------------------------------------------------

    def run(self):
        self.open_display()
        d = self.designer = self.start("arrange")
        self.create_from_tool(d, "New", APP)
        self.create_from_tool(d, "Form", FORM)
        canvas = d.where("control " + FORM)
        items = [self.new_at(canvas, kind, dx, dy) for kind, dx, dy in PLACES]
        placed = {i: self.geometry(d, i) for i in items}
        print("placed:", placed)
        lefts = sorted(g[0] for g in placed.values())
        if len(set(lefts)) != 3 or len(set(g[1] for g in placed.values())) != 3:
            raise Failure("the controls share a left or a top: %r" % placed)

        self.band_select(items)
        # The band's last control touched, or the one selected before, is the primary: the
        # controls take its left and its width.
        primary = wait_for("a selected control", lambda: (lambda s: s if s in items else None)(
            d.ask("selected")["id"].upper()))
        self.format_command("FormatAlign", "AlignLefts", by_keys=False)
        left = placed[primary][0]
        wait_for("the lefts aligned to %d" % left,
                 lambda: all(self.geometry(d, i)[0] == left for i in items))
        self.format_command("FormatSameSize", "SameWidth", by_keys=True)
        width = placed[primary][2]
        wait_for("the widths made %d" % width,
                 lambda: all(self.geometry(d, i)[2] == width for i in items))
        arranged = {i: self.geometry(d, i) for i in items}
        print("primary %s; arranged: %r" % (primary, arranged))
        for i in items:
            if arranged[i][1] != placed[i][1] or arranged[i][3] != placed[i][3]:
                raise Failure("%s moved up or down or changed height: %r -> %r"
                              % (i, placed[i], arranged[i]))
        self.shot(d, "arranged-form.png")

        self.save_as(d)
        records = self.exported(items)
        print("saved:", records)
        # The saved unit's twips across and down, from the primary's width and height (the
        # unit may differ between the two: character cells).
        scale_x = width / records[primary][2]
        scale_y = placed[primary][3] / records[primary][3]
        for i in items:
            saved_left, saved_top, saved_width, _ = records[i]
            if (saved_left, saved_width) != records[primary][:3:2]:
                raise Failure("saved %s with left and width %r, the primary with %r"
                              % (i, (saved_left, saved_width), records[primary][:3:2]))
            # Two decimals written: the twips come back within a hundredth of the unit.
            if (abs(saved_top * scale_y - placed[i][1]) > max(2, placed[i][1] / 100)
                    or abs(saved_left * scale_x - left) > max(2, left / 100)):
                raise Failure("saved %s at %r, placed at %r (%g by %g twips a unit)"
                              % (i, records[i], placed[i], scale_x, scale_y))

        # Each command is one undo record: two undos bring back what the user placed.
        at = e2e.activate(d, self.input)
        self.input.key("ctrl+z", at=at)
        wait_for("the widths back", lambda: all(self.geometry(d, i) == (left,) + placed[i][1:]
                                                for i in items))
        self.input.key("ctrl+z", at=at)
        wait_for("the controls back where they were",
                 lambda: {i: self.geometry(d, i) for i in items} == placed)


def main():
    return e2e.run_main(Arrange, "placed, banded, aligned, sized, saved and undone")


if __name__ == "__main__":
    sys.exit(main())
