#!/usr/bin/env python3
"""Opening the same content in the designer and in Qt Designer, side by side on one X display.

N forms of 100 controls (text boxes, labels, buttons, check boxes and list boxes taking turns,
with a font, a caption and list items where the kind has them): for the designer one project
file, for Qt Designer N .ui files given on its command line (it has no project of forms). Each
program is started with the files and timed until it is idle: wall and CPU time of the process
up to its last busy moment (no CPU used for IDLE_S after it), and its resident memory then. The
two programs take turns, three runs each; the best run of each is compared.

With --kind K, every control is of one kind instead (text, label, button, check, list, grid,
tree), to compare the kinds one by one (the designer's grids and trees get three items, Qt
Designer's none: a little kinder to Qt Designer).

Usage: DISPLAY=:n bench/vs_qt_designer.py BUILD_DIR [--kind K] [FORMS ...]   (default 32 64 128)
Needs the package designer-qt6 (Qt Designer at /usr/lib/qt6/bin/designer).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

IDLE_S = 1.5
QT_DESIGNER = "/usr/lib/qt6/bin/designer"
KINDS = ["QLineEdit", "QLabel", "QPushButton", "QCheckBox", "QListWidget"]
# --kind: the designer's type number and the Qt widget class of each kind.
ONE_KIND = {"text": (16, "QLineEdit"), "label": (15, "QLabel"), "button": (18, "QPushButton"),
            "check": (20, "QCheckBox"), "list": (21, "QListWidget"), "grid": (27, "QTableWidget"),
            "tree": (33, "QTreeWidget")}
TICK = os.sysconf("SC_CLK_TCK")


def ui_file(name, kinds):
    widgets = []
    for c in range(100):
        kind = kinds[c % len(kinds)]
        x, y = c % 10 * 56, c // 10 % 10 * 64
        props = (f'<property name="geometry"><rect><x>{x}</x><y>{y}</y><width>48</width>'
                 f'<height>48</height></rect></property><property name="font"><font>'
                 f'<family>Courier New</family><pointsize>10</pointsize></font></property>')
        items = ""
        if kind in ("QLabel", "QPushButton", "QCheckBox"):
            props += f'<property name="text"><string>Caption {c}</string></property>'
        if kind == "QListWidget":
            items = "".join(f'<item><property name="text"><string>{t}</string></property></item>'
                            for t in ("First", "Second", "Third"))
        widgets.append(f'<widget class="{kind}" name="C{c}">{props}{items}</widget>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">'
            f'<class>{name}</class><widget class="QWidget" name="{name}">'
            '<property name="geometry"><rect><x>0</x><y>0</y><width>576</width>'
            f'<height>704</height></rect></property>{"".join(widgets)}</widget>'
            '<resources/><connections/></ui>\n')


def cpu_s(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def time_to_idle(command, home):
    """Wall and CPU seconds up to the last busy moment, and the memory when idle."""
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    last_cpu, last_busy = 0.0, start
    try:
        while time.monotonic() - last_busy < IDLE_S:
            time.sleep(0.01)
            if process.poll() is not None:
                raise RuntimeError(f"{command[0]} ended early ({process.returncode})")
            now_cpu = cpu_s(process.pid)
            if now_cpu > last_cpu:
                last_cpu, last_busy = now_cpu, time.monotonic()
            if time.monotonic() - start > 600:
                raise RuntimeError(f"{command[0]} still busy after 600 s")
        return last_busy - start, last_cpu, rss_mb(process.pid)
    finally:
        process.kill()
        process.wait()


def main():
    if len(sys.argv) < 2 or not os.environ.get("DISPLAY"):
        print(__doc__)
        return 2
    build, args = sys.argv[1], sys.argv[2:]
    kind = None
    if args[:1] == ["--kind"]:
        if len(args) < 2 or args[1] not in ONE_KIND:
            print(f"--kind takes one of: {', '.join(ONE_KIND)}")
            return 2
        kind, args = ONE_KIND[args[1]], args[2:]
    sizes = [int(a) for a in args] or [32, 64, 128]
    ours = os.path.join(build, "main", "corvane-designer")
    writer = os.path.join(build, "bench", "bench_designer_open")
    if not os.path.exists(QT_DESIGNER):
        print("Qt Designer is not installed (apt-get install designer-qt6)")
        return 2
    print(f"{'forms':>6} {'program':<14} {'wall s':>8} {'CPU s':>8} {'RSS MB':>8}")
    for forms in sizes:
        with tempfile.TemporaryDirectory() as work:
            project = os.path.join(work, "bench.gui")
            subprocess.run([writer, "--project", str(forms), project]
                           + ([str(kind[0])] if kind else []), check=True)
            uis = []
            for n in range(forms):
                uis.append(os.path.join(work, f"F{n}.ui"))
                with open(uis[-1], "w") as f:
                    f.write(ui_file(f"F{n}", [kind[1]] if kind else KINDS))
            runs = {"corvane": [], "Qt Designer": []}
            for _ in range(3):
                for name, command in (("corvane", [ours, project]),
                                      ("Qt Designer", [QT_DESIGNER] + uis)):
                    home = tempfile.mkdtemp(dir=work)
                    runs[name].append(time_to_idle(command, home))
                    shutil.rmtree(home, ignore_errors=True)
            best = {name: (min(r[0] for r in rs), min(r[1] for r in rs), min(r[2] for r in rs))
                    for name, rs in runs.items()}
            for name, (wall, cpu, rss) in best.items():
                print(f"{forms:>6} {name:<14} {wall:8.2f} {cpu:8.2f} {rss:8.0f}")
            ours_best, theirs = best["corvane"], best["Qt Designer"]
            print(f"{forms:>6} {'ratio':<14} {ours_best[0] / theirs[0]:8.2f} "
                  f"{ours_best[1] / theirs[1]:8.2f} {ours_best[2] / theirs[2]:8.2f}"
                  "   (corvane / Qt Designer; below 1 is faster)", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
