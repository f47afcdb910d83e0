"""The installed designer as a user starts it: --help and --version without a display; on
the offscreen platform with an installed example, an empty home and another folder as the
current one, it opens the example and ends when asked; on a virtual X display (when Xvfb and
xdotool are there) a file that is no project shows the designer's message, and the designer
stays usable and ends on Exit with status 0.

    designer_check.py INSTALLED_PREFIX VERSION

Exit status: 0 passed, 1 failed.
"""

import os
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2e  # noqa: E402
from e2e import Failure, wait_for  # noqa: E402

NOT_A_PROJECT = "Make sure you are opening a GUI project, not a program."


class NoDisplay:
    def env(self):
        return {"QT_QPA_PLATFORM": "offscreen"}


def check_info(exe, version):
    for option in ("--help", "-h"):
        result = subprocess.run([exe, option], capture_output=True, text=True, timeout=30,
                                env={"PATH": "/usr/bin:/bin"})
        if result.returncode != 0 or not result.stdout.startswith("usage: corvane-designer"):
            raise Failure("%s: status %d, %r" % (option, result.returncode, result.stdout))
        for switch in ("/T=", "/H=", "/A=", "/F=", "/I=", "/X=", "mvdb://"):
            if switch not in result.stdout:
                raise Failure("--help does not list " + switch)
    result = subprocess.run([exe, "--version"], capture_output=True, text=True, timeout=30,
                            env={"PATH": "/usr/bin:/bin"})
    if result.returncode != 0 or result.stdout != "corvane-designer %s\n" % version:
        raise Failure("--version: status %d, %r" % (result.returncode, result.stdout))


def start(exe, home, display, args):
    elsewhere = os.path.join(home, "elsewhere")
    os.makedirs(elsewhere, exist_ok=True)
    extra = {"QT_QPA_PLATFORM": "offscreen"} if isinstance(display, NoDisplay) else None
    return e2e.Designer(None, display, home, args=args, exe=exe, cwd=elsewhere, extra_env=extra)


def check_offscreen(exe, example):
    home = e2e.make_home("corvane-installed-")
    try:
        designer = start(exe, home, NoDisplay(), [example])
        try:
            projects = wait_for("the example to open", designer.projects, timeout=20)
            if [p.get("id", "").upper() for p in projects] != ["ORDERS"]:
                raise Failure("open projects: %r" % projects)
            designer.process.send_signal(signal.SIGTERM)
            designer.process.wait(15)
        finally:
            designer.stop()
    finally:
        shutil.rmtree(home, ignore_errors=True)


def check_not_a_project(exe, program):
    home = e2e.make_home("corvane-installed-x-")
    display = None
    try:
        display = e2e.Display()
        keys = e2e.Input(display)
        designer = start(exe, home, display, [program])
        try:
            modal = designer.wait_modal("the message about a file that is no project", timeout=20)
            if NOT_A_PROJECT not in modal.get("text", ""):
                raise Failure("the message says %r" % modal.get("text"))
            ok = e2e.button(modal, "OK")
            if not ok:
                raise Failure("the message has no OK button: %r" % modal)
            keys.click(ok["cx"], ok["cy"])
            designer.wait_no_modal()
            if not designer.responsive() or designer.projects():
                raise Failure("after the message: projects %r" % designer.projects())
            keys.key("ctrl+q", at=e2e.activate(designer, keys))
            wait_for("the designer to end on Exit", lambda: not designer.alive(), timeout=15)
            if designer.process.returncode != 0:
                raise Failure("the designer ended with status %d" % designer.process.returncode)
        finally:
            designer.stop()
    finally:
        if display:
            display.close()
        shutil.rmtree(home, ignore_errors=True)


def main(argv):
    prefix, version = os.path.abspath(argv[1]), argv[2]
    exe = os.path.join(prefix, "bin", "corvane-designer")
    examples = os.path.join(prefix, "share", "corvane", "examples")
    try:
        check_info(exe, version)
        print("--help and --version: passed", flush=True)
        check_offscreen(exe, os.path.join(examples, "orders.gui"))
        print("offscreen with an installed example: passed")
        if shutil.which("Xvfb") and shutil.which("xdotool"):
            check_not_a_project(exe, os.path.join(examples, "orders.bas"))
            print("a file that is no project: passed")
        else:
            print("no Xvfb or xdotool: the message for a file that is no project is not checked")
    except (Failure, OSError, subprocess.SubprocessError) as failure:
        print("FAILED: %s" % failure)
        return 1
    print("designer: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
