"""Shared driver of the end-to-end tests: a virtual X display, designers started with empty
settings, the test probe and real input events through xdotool.

Standard library only. Every wait polls with a deadline; nothing sleeps longer than the
next poll.
"""

import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import traceback

SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests


def _die_with_parent():
    """Runs in each child before it starts: the X server and the designers end when the
    driver does, even when a time limit kills it outright."""
    try:
        import ctypes
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    except OSError:
        pass


class Failure(Exception):
    pass


def skip_unless_tools():
    missing = [tool for tool in ("Xvfb", "xdotool") if shutil.which(tool) is None]
    if missing:
        print("SKIPPED: end-to-end tests need " + " and ".join(missing) +
              " (bash scripts/setup.sh installs them)")
        sys.exit(SKIP)


def wait_for(what, check, timeout=10.0, interval=0.02):
    """Polls check() until it returns something true; fails naming what it waited for."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            last = check()
        except (OSError, Failure) as error:
            last = error
            result = None
        else:
            result = last
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for %s (last: %r)" % (what, last))
        time.sleep(interval)


class Display:
    """An Xvfb server on a display number it picks itself."""

    def __init__(self, width=1280, height=1024):
        self.width, self.height = width, height
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (width, height), "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            deadline = time.monotonic() + 20
            while not number.endswith(b"\n") and time.monotonic() < deadline:
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            self.process.kill()
            raise Failure("Xvfb did not start")
        self.name = ":" + number.decode().strip()

    def env(self):
        return {"DISPLAY": self.name}

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()


class Input:
    """Real input events on the display through xdotool."""

    def __init__(self, display):
        self.env = dict(os.environ, DISPLAY=display.name)
        self.size = (display.width, display.height)
        self.pointer = None

    def goto(self, x, y):
        """The arguments that bring the pointer to x, y and wait until it is there. None when
        it is there already: xdotool would wait for a motion that never comes. A point off the
        screen is taken at its edge, where the server keeps the pointer (waiting for the point
        itself would never end)."""
        x = min(max(int(round(x)), 0), self.size[0] - 1)
        y = min(max(int(round(y)), 0), self.size[1] - 1)
        if self.pointer == (x, y):
            return []
        self.pointer = (x, y)
        return ["mousemove", "--sync", x, y]

    def run(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, timeout=20)

    def move(self, x, y):
        args = self.goto(x, y)
        if args:
            self.run(*args)

    @staticmethod
    def holding(keys, args):
        """The arguments that hold keys (such as "ctrl" or "shift") down around args."""
        return ([a for k in keys for a in ("keydown", k)] + args
                + [a for k in reversed(keys) for a in ("keyup", k)])

    def click(self, x, y, button=1, repeat=1, hold=()):
        """A click; with hold, those keys are held down over it (Ctrl+click)."""
        self.run(*self.holding(hold, self.goto(x, y) + ["click", "--repeat", repeat,
                                                         "--delay", 40, button]))

    def drag(self, x0, y0, x1, y1, steps=8, button=1, hold=()):
        """Presses at the start, moves there in steps as a hand would, and releases; with
        hold, those keys are held down from before the press to after the release."""
        args = self.goto(x0, y0) + ["mousedown", button, "sleep", "0.05"]
        for i in range(1, steps + 1):
            args += self.goto(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps)
            args += ["sleep", "0.02"]
        args += ["sleep", "0.05", "mouseup", button]
        self.run(*self.holding(hold, args))

    def key(self, *keys, at=None, delay=30):
        """Key presses; with at, the pointer goes there first (the window under the pointer
        gets the keys while no window has taken the focus)."""
        where = self.goto(*at) if at else []
        self.run(*where, "key", "--delay", delay, *keys)

    def type(self, text):
        self.run("type", "--delay", 12, text)


class Designer:
    """One corvane-designer process with its own probe socket."""

    def __init__(self, build_dir, display, home, name="designer", args=(), extra_env=None,
                 exe=None, cwd=None):
        self.name = name
        self.home = home
        self.socket_path = os.path.join(home, "run", name + ".sock")
        os.makedirs(os.path.dirname(self.socket_path), mode=0o700, exist_ok=True)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "CORVANE_"))}
        env.update(display.env())
        env.update({
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": os.path.join(home, "run"),
            "QT_QPA_PLATFORM": "xcb",
            "CORVANE_TEST_PROBE": self.socket_path,
            # The designer's own messages on stderr end in the log, not in a dialog.
            "QT_LOGGING_RULES": "qt.qpa.*=false",
        })
        # In an AddressSanitizer build: report memory errors, not what the libraries keep to
        # the end of the process.
        env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        if extra_env:
            env.update(extra_env)
        self.log_path = os.path.join(home, name + ".log")
        self.log = open(self.log_path, "wb")
        exe = exe or os.path.join(build_dir, "main", "corvane-designer")
        self.process = subprocess.Popen([exe] + list(args), env=env, cwd=cwd or home,
                                        stdout=self.log, stderr=subprocess.STDOUT,
                                        preexec_fn=_die_with_parent)
        wait_for(name + "'s probe", self._probe_ready, timeout=30)

    def _probe_ready(self):
        if self.process.poll() is not None:
            raise Failure("%s ended with status %s before answering; log:\n%s"
                          % (self.name, self.process.returncode, self.log_text()))
        return os.path.exists(self.socket_path) and self.ask("idle").get("ok")

    def log_text(self, limit=12000):
        try:
            with open(self.log_path, "rb") as f:
                data = f.read()
            return (data[-limit:] if limit else data).decode("utf-8", "replace")
        except OSError:
            return ""

    def ask(self, request, timeout=10.0):
        """One probe request; the answer is a dict (ok False when the program said no)."""
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
            s.settimeout(timeout)
            s.connect(self.socket_path)
            s.sendall(request.encode("utf-8") + b"\n")
            data = b""
            while not data.endswith(b"\n"):
                chunk = s.recv(65536)
                if not chunk:
                    raise Failure("probe closed the connection on " + request)
                data += chunk
        return json.loads(data.decode("utf-8"))

    def alive(self):
        return self.process.poll() is None

    def responsive(self, timeout=10.0):
        return self.alive() and self.ask("idle", timeout).get("ok", False)

    def where(self, request, timeout=10.0):
        """Waits until a probe request answers a visible rectangle and returns it."""
        return wait_for(request, lambda: self._rect(request), timeout)

    def _rect(self, request):
        answer = self.ask(request)
        return answer if answer.get("ok") and answer.get("w", 0) > 0 else None

    def items(self):
        return [i.upper() for i in self.ask("items").get("items", [])]

    def projects(self):
        return self.ask("projects").get("projects", [])

    def modal(self):
        answer = self.ask("modal")
        return answer if answer.get("ok") else None

    def wait_modal(self, what, timeout=10.0, cls=None):
        def check():
            modal = self.modal()
            if modal and (cls is None or modal.get("class") == cls or modal.get("name") == cls):
                return modal
            return None
        return wait_for(what, check, timeout)

    def wait_no_modal(self, timeout=10.0):
        wait_for("the dialog to close", lambda: self.modal() is None, timeout)

    def stop(self, timeout=10.0):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


def activate(designer, keys):
    """Returns a point on the free end of the main window's menu bar, where keys for the main
    window can be sent, once the window is active. On an X server without a window manager
    nobody activates a window as it is shown or raises it when clicked: the driver does what
    a window manager would (raise it, move the keyboard focus to it) and, as a user would,
    opens a menu and closes it again."""
    main = designer.where("rect mdiMain")
    point = (main["x"] + main["w"] - 12, main["y"] + 10)
    active = lambda: designer.ask("focus").get("window") == "mdiMain"
    for attempt in range(4):
        if active():
            return point
        keys.run("windowraise", main["wid"])
        others = [w["wid"] for w in designer.ask("windows").get("windows", [])
                  if w.get("wid") and w["wid"] != main["wid"]]
        if attempt % 2 and others:
            keys.run("windowfocus", "--sync", others[0], "windowfocus", "--sync", main["wid"])
        else:
            title = designer.where("rect MainMenu.File")
            keys.click(title["cx"], title["cy"])
            try:
                wait_for("the File menu", lambda: designer.ask("popup").get("ok") or active(),
                         timeout=2)
            except Failure:
                continue
            if designer.ask("popup").get("ok"):
                keys.key("Escape", "Escape")
        try:
            wait_for("the main window to be active", active, timeout=2)
        except Failure:
            pass
    if not active():
        raise Failure("the main window cannot be activated: focus %r, windows %r"
                      % (designer.ask("focus"), designer.ask("windows")))
    return point


def type_local_path(designer, keys, chooser, path):
    """Names a local file in the document chooser (its Local file tab, Alt+L) or in a plain
    file dialog, and confirms it with Enter."""
    at = (chooser["cx"], chooser["cy"])
    if chooser.get("class") == "frmDocumentChooser":
        keys.key("alt+l", at=at)
        wait_for("the local path box",
                 lambda: designer.ask("focus").get("class") == "QLineEdit", timeout=5)
        keys.key("ctrl+a")
    keys.move(*at)
    keys.type(path)
    keys.key("Return")


def button(modal, *texts):
    """The first button of a dialog whose text is one of texts (without access keys)."""
    for text in texts:
        for b in modal.get("buttons", []):
            if b.get("text", "").lower() == text.lower() and b.get("enabled", True):
                return b
    return None


def make_home(prefix):
    home = tempfile.mkdtemp(prefix=prefix)
    for sub in (".config", ".local/share", ".cache", "run"):
        os.makedirs(os.path.join(home, sub), mode=0o700, exist_ok=True)
    return home


class Session:
    """A run of designers on a display of its own: an empty home folder with a projects
    folder, the display and its input once open_display is called, and close to end it."""

    def __init__(self, build_dir, keep, prefix):
        self.build = build_dir
        self.keep = keep
        self.home = make_home(prefix)
        self.work = os.path.join(self.home, "projects")
        os.makedirs(self.work)
        self.display = None
        self.input = None
        # The designers started and not yet stopped: close stops them, a failure shows their logs.
        self.designers = []

    def open_display(self):
        self.display = Display()
        self.input = Input(self.display)

    def running_designers(self):
        return self.designers

    def close(self):
        for designer in self.running_designers():
            designer.stop()
        if self.display:
            self.display.close()
        if not self.keep:
            shutil.rmtree(self.home, ignore_errors=True)

    def run_and_report(self, passed, failed="FAILED"):
        """Runs the session and closes it: the test's exit status. Every failure ends in its
        trace, the designers' logs and the home folder kept for a look."""
        try:
            self.run()
        except Exception as error:
            traceback.print_exc()
            for designer in self.running_designers():
                print("---- log of %s:\n%s" % (designer.name, designer.log_text()))
            print("%s: %s" % (failed, error))
            self.keep = True
            print("kept:", self.home)
            self.close()
            return 1
        self.close()
        print("PASSED: " + passed)
        return 0


def build_dir_from_args(argv):
    for i, arg in enumerate(argv):
        if arg == "--build" and i + 1 < len(argv):
            return os.path.abspath(argv[i + 1])
    return os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "build"))


def run_main(test_class, summary):
    """The main of a test made of one session class: skipped without the tools, else run."""
    skip_unless_tools()
    test = test_class(build_dir_from_args(sys.argv), "--keep" in sys.argv)
    return test.run_and_report(summary)
