"""End-to-end test harness for Zolta.

Run tests with Debian's interpreter, /usr/bin/python3 (it has pyatspi and
python-xlib).

``run_test()`` runs the test script again under Debian's ``xvfb-run`` and
``dbus-run-session``, so that it has an X server (Xvfb on a free display) and
a D-Bus session bus of its own.  A ``Session`` then starts, on those, the
AT-SPI bus launcher and the program (QT_QPA_PLATFORM=xcb; its accessibility
is not forced on: it starts as in a user's session).  The program is driven
only from outside, the way a person and a screen reader would:

* input with xdotool (mouse clicks at a control's centre, key presses, typing),
* reading through AT-SPI (window, labels, text fields, lists, combo boxes,
  message boxes),
* the X window itself through xdotool and python-xlib (client size, size and
  Motif hints), screenshots with ImageMagick, pixels with python-xlib and the
  clipboard with xclip,
* popup menus, which Qt does not put on AT-SPI, as override-redirect X
  windows: open_context_menu() right-clicks and waits for the menu,
  choose_menu_path() presses keys level by level and waits for each submenu
  and for the menu to close.

No window manager runs, so the X window's geometry is the client area and the
window sits where the program puts it.

Every wait is a poll with a bounded timeout, every external command has a
timeout, and no wait goes past the session's global timeout (CTest's own
timeout ends a test that hangs anyway).  On leaving the session every process
it started is ended, also after a failure; xvfb-run and dbus-run-session end
the X server and the buses when the script ends.  On a failure the session
writes the AT-SPI tree (``atspi-tree.txt``), a screenshot (``failure.png``)
and the logs of the program and the helper processes into the artifacts
directory.

One Session per Python process: libatspi keeps its connection to the first
accessibility bus it used.  Run every test script as its own process.

Minimal use::

    def main(executable, artifacts):
        with Session(executable, artifacts) as s:
            s.click(s.find("push button", "Los!"))
            s.wait_for(lambda: s.find_all("label", name=re.compile(r"^Zahl = ")),
                       "a drawn number")

    if __name__ == "__main__":
        run_test(main)

``run_test(main)`` also handles the arguments, the PASS/FAIL line and the
exit code; ``Checks`` collects several independent findings before failing.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

try:
    import pyatspi  # noqa: F401  (imported early to fail fast with a clear message)
except ImportError:  # pragma: no cover - depends on the interpreter
    sys.stderr.write(
        "zolta_e2e: the module 'pyatspi' is missing. Run the tests with "
        "/usr/bin/python3 (Debian's interpreter with python3-pyatspi).\n")
    raise

WINDOW_TITLE = "Zolta iacta est"

# The window's controls, (x, y, w, h) relative to the client area.
GO = (16, 144, 97, 41)
RESULT_LIST = (192, 16, 73, 95)
BOUND_COMBO = (120, 40, 49, 21)
NUMBER_FIELD = (192, 112, 73, 19)
ADD = (272, 112, 17, 17)
RESULT_LABEL = (48, 72, 137, 17)
LAMP = (8, 64, 32, 32)
BARE_WINDOW = (295, 10)          # no control there
DEFAULT_TIMEOUT = 10.0       # seconds for one wait (find, alert, ...)
STARTUP_TIMEOUT = 30.0       # seconds until the program's window is usable
GLOBAL_TIMEOUT = 180.0       # seconds for the whole session
COMMAND_TIMEOUT = 10.0       # seconds for one helper command (xdotool, ...)
POLL_INTERVAL = 0.05
SCREEN = "1024x768x24"       # Xvfb screen, WIDTHxHEIGHTxDEPTH

# Set by run_test() for the script run again under xvfb-run and dbus-run-session.
OWN_SESSION = "ZOLTA_E2E_OWN_SESSION"
# What the desktop around the test must not lend it: its displays, buses,
# session, locale and Qt theme.
FOREIGN_ENV = ("DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS",
               "LC_ALL", "LANGUAGE", "SESSION_MANAGER", "XAUTHORITY", "QT_QPA_PLATFORMTHEME",
               "QT_STYLE_OVERRIDE")


class E2EError(AssertionError):
    """A failed check or a wait that ran out of time."""


class SessionTimeout(E2EError):
    """The session's global timeout has passed."""


class ProgramEnded(E2EError):
    """The program under test is no longer running (no use waiting)."""


# --------------------------------------------------------------------------
# small helpers

def poll(fn, timeout=DEFAULT_TIMEOUT, what="a condition", interval=POLL_INTERVAL):
    """Call fn() until it returns a truthy value; return that value.

    Exceptions raised by fn count as "not yet"; the last one is named in the
    error raised when the timeout passes.  ProgramEnded and SessionTimeout
    end the wait at once.
    """
    deadline = time.monotonic() + timeout
    last_exc = None
    while True:
        try:
            value = fn()
            if value:
                return value
            last_exc = None
        except (ProgramEnded, SessionTimeout):
            raise
        except E2EError as exc:
            last_exc = exc
        except Exception as exc:  # pyatspi raises GLib errors for stale objects
            last_exc = exc
        if time.monotonic() >= deadline:
            msg = "timed out after %.1f s waiting for %s" % (timeout, what)
            if last_exc is not None:
                msg += " (last error: %s: %s)" % (type(last_exc).__name__, last_exc)
            raise E2EError(msg)
        time.sleep(interval)


# The roles the tests name, by AT-SPI's role numbers: the text AT-SPI gives a
# role differs between versions ("push button" became "button").
ROLES = {
    "alert": pyatspi.ROLE_ALERT,
    "check box": pyatspi.ROLE_CHECK_BOX,
    "combo box": pyatspi.ROLE_COMBO_BOX,
    "filler": pyatspi.ROLE_FILLER,
    "frame": pyatspi.ROLE_FRAME,
    "image": pyatspi.ROLE_IMAGE,
    "label": pyatspi.ROLE_LABEL,
    "list": pyatspi.ROLE_LIST,
    "list item": pyatspi.ROLE_LIST_ITEM,
    "notification": pyatspi.ROLE_NOTIFICATION,
    "push button": pyatspi.ROLE_PUSH_BUTTON,
    "text": pyatspi.ROLE_TEXT,
    "window": pyatspi.ROLE_WINDOW,
}
_ROLE_NAMES = {number: name for name, number in ROLES.items()}


def role_of(acc):
    """The role by the tests' names; another role as AT-SPI's own text."""
    role = acc.getRole()
    return _ROLE_NAMES.get(role, "other role %s" % acc.getRoleName())


def _name_matches(pattern, name):
    if pattern is None:
        return True
    if isinstance(pattern, str):
        return name == pattern
    if hasattr(pattern, "search"):
        return pattern.search(name or "") is not None
    if callable(pattern):
        return bool(pattern(name))
    raise TypeError("name must be a str, a compiled regex or a callable")


def _role_matches(pattern, role):
    if pattern is None:
        return True
    patterns = pattern if isinstance(pattern, (tuple, list, set, frozenset)) else (pattern,)
    unknown = [p for p in patterns if p not in ROLES]
    if unknown:
        raise TypeError("no such role in ROLES: %r" % unknown)
    return role in patterns


def _describe(role, name, geometry):
    parts = []
    parts.append("role %r" % role if role is not None else "any role")
    if name is not None:
        parts.append("name %r" % (name.pattern if hasattr(name, "pattern") else name))
    if geometry is not None:
        parts.append("geometry %r (relative to the window)" % (tuple(geometry),))
    return ", ".join(parts)


class Alert:
    """A message box as AT-SPI shows it: an 'alert' named by its title."""

    def __init__(self, acc, title, texts, buttons):
        self.acc = acc
        self.title = title
        self.texts = texts          # names of its labels, in tree order
        self.buttons = buttons      # {button name: accessible}, in tree order

    @property
    def text(self):
        """All non-empty label texts joined with a newline."""
        return "\n".join(t for t in self.texts if t)

    @property
    def button_names(self):
        return list(self.buttons)

    def __repr__(self):
        return "Alert(title=%r, texts=%r, buttons=%r)" % (
            self.title, self.texts, self.button_names)


class Checks:
    """Collects independent findings; raise_if_failed() reports them all."""

    def __init__(self):
        self.failures = []

    def check(self, ok, message):
        if not ok:
            self.failures.append(message)
        return ok

    def equal(self, actual, expected, what):
        return self.check(actual == expected,
                          "%s: expected %r, got %r" % (what, expected, actual))

    def attempt(self, what, fn, *args, **kwargs):
        """Run fn; an E2EError becomes a recorded failure. Returns fn's value or None."""
        try:
            value = fn(*args, **kwargs)
        except E2EError as exc:
            self.failures.append("%s: %s" % (what, exc))
            return None
        return value

    def raise_if_failed(self):
        if self.failures:
            raise E2EError("%d check(s) failed:\n  - %s" % (
                len(self.failures), "\n  - ".join(self.failures)))


# --------------------------------------------------------------------------
# the session

_session_used = False


class Session:
    """Starts the AT-SPI bus and the program on the script's own X server and bus.

    Parameters:
      executable     path of the program
      artifacts_dir  where logs, screenshots and failure dumps go (created)
      extra_env      extra environment variables for the program
      timeout        global timeout of the whole session in seconds

    The program gets a fresh empty HOME under the session's temporary
    directory; it survives restart_program().  Further helpers (a screen
    reader, say) start with _spawn(name, cmd, self.env): logged to
    <name>.log and ended with the session.
    """

    def __init__(self, executable, artifacts_dir, extra_env=None, timeout=GLOBAL_TIMEOUT):
        self.executable = os.path.abspath(executable)
        self.artifacts_dir = os.path.abspath(artifacts_dir)
        self.extra_env = dict(extra_env or {})
        self.timeout = float(timeout)

        self.display = None
        self.env = None                # of every process the session starts
        self.tmpdir = None
        self.proc = None               # the program under test
        self._helpers = []             # [(name, Popen)] in start order
        self._logs = []                # open log files
        self._deadline = None
        self._app = None
        self._window = None
        self._xid = None

    # ---- context manager -------------------------------------------------

    def __enter__(self):
        global _session_used
        if _session_used:
            raise E2EError("only one Session per Python process (libatspi keeps "
                           "its first accessibility bus); run tests as separate processes")
        _session_used = True
        if os.environ.get(OWN_SESSION) != "1":
            raise E2EError("a Session needs an X server and a session bus of its own: "
                           "start the test script through run_test()")
        if not os.access(self.executable, os.X_OK):
            raise E2EError("program not found or not executable: %s" % self.executable)
        os.makedirs(self.artifacts_dir, exist_ok=True)
        self._deadline = time.monotonic() + self.timeout
        try:
            self._start_all()
        except BaseException:
            exc_info = sys.exc_info()
            self.__exit__(*exc_info)
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        try:
            if exc_type is not None:
                self._save_failure_artifacts(exc_type, exc, tb)
        finally:
            self._stop_all()
            if self.tmpdir:
                shutil.rmtree(self.tmpdir, ignore_errors=True)
        return False

    # ---- timeouts --------------------------------------------------------

    def _bounded(self, timeout):
        """A wait's timeout, cut to the time left in the session."""
        left = self._deadline - time.monotonic()
        if left <= 0:
            raise SessionTimeout("global session timeout of %.0f s passed" % self.timeout)
        return min(timeout, left)

    def _log(self, name):
        f = open(os.path.join(self.artifacts_dir, name + ".log"), "wb")
        self._logs.append(f)
        return f

    def _spawn(self, name, cmd, env, **kw):
        kw.setdefault("stdout", self._log(name))
        kw.setdefault("stderr", subprocess.STDOUT)
        p = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL,
                             start_new_session=True, **kw)
        self._helpers.append((name, p))
        return p

    def _start_all(self):
        self.tmpdir = tempfile.mkdtemp(prefix="zolta-e2e-")
        self.display = os.environ["DISPLAY"]
        env = dict(os.environ)
        del env[OWN_SESSION]               # what the session starts is no test script
        env["XDG_RUNTIME_DIR"] = os.path.join(self.tmpdir, "runtime")
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        self.env = env

        # the accessibility bus
        self._spawn("at-spi-bus-launcher",
                    ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env)
        poll(lambda: self._name_has_owner("org.a11y.Bus"),
             self._bounded(15), "the AT-SPI bus launcher (org.a11y.Bus)")
        # What a desktop with accessibility turned on tells its programs; the
        # program itself is not told to start its bridge.
        self.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                  "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                  "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"])

        self._start_program()
        self.wait_started()

    def _start_program(self):
        penv = dict(self.env)
        home = os.path.join(self.tmpdir, "home")
        os.makedirs(home, exist_ok=True)
        penv["HOME"] = home
        penv["XDG_CONFIG_HOME"] = os.path.join(home, ".config")
        penv["XDG_DATA_HOME"] = os.path.join(home, ".local", "share")
        penv["XDG_CACHE_HOME"] = os.path.join(home, ".cache")
        penv["QT_QPA_PLATFORM"] = "xcb"
        penv.update(self.extra_env)
        self._starts = getattr(self, "_starts", 0) + 1
        log = "program" if self._starts == 1 else "program-%d" % self._starts
        self._app = self._window = self._xid = None
        self.proc = self._spawn(log, [self.executable], penv, cwd=self.tmpdir)

    def stop_program(self, timeout=5.0):
        """End the program (SIGTERM, then SIGKILL); return its exit code."""
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGTERM)
            except OSError:
                pass
            try:
                self.proc.wait(timeout=self._bounded(timeout))
            except subprocess.TimeoutExpired:
                os.killpg(self.proc.pid, signal.SIGKILL)
                self.proc.wait(timeout=5)
        return self.proc.returncode

    def restart_program(self, executable=None):
        """Start the program again on the same display and buses (same HOME).

        Ends a still running instance first.  Use this, not a second Session,
        to test what the program keeps between runs.  executable: start this
        file instead from now on (e.g. a copy of the program under another
        name).
        """
        if executable is not None and not os.access(executable, os.X_OK):
            raise E2EError("program not found or not executable: %s" % executable)
        self.stop_program()
        if executable is not None:
            self.executable = os.path.abspath(executable)
        self._start_program()
        self.wait_started()

    def _name_has_owner(self, name):
        res = self.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                        "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                        "string:" + name], check=False)
        return res.returncode == 0 and b"boolean true" in res.stdout

    def wait_started(self, timeout=STARTUP_TIMEOUT):
        """Wait until the program's main window is on AT-SPI, mapped in X and painted."""
        self.app(timeout)
        self.window(timeout)
        self.x_window_id(timeout)
        poll(lambda: self.x_geometry()["viewable"],
             self._bounded(timeout), "the X window to be mapped")
        self.wait_painted(timeout)

    def _program_check(self):
        if self.proc is not None and self.proc.poll() is not None:
            raise ProgramEnded("the program ended with exit code %s (see program.log)"
                           % self.proc.returncode)

    def is_running(self):
        return self.proc is not None and self.proc.poll() is None

    def _stop_all(self):
        xdisp, self._xdisp = getattr(self, "_xdisp", None), None
        if xdisp is not None:
            try:
                xdisp.close()
            except Exception:
                pass
        # the program first, then the helpers in reverse order; xvfb-run and
        # dbus-run-session end the X server and the buses with the script
        if self.proc is not None:
            self._end_popen("program", self.proc)
        for name, p in reversed(self._helpers):
            if p is not self.proc:
                self._end_popen(name, p)
        for f in self._logs:
            try:
                f.close()
            except OSError:
                pass
        self._logs = []

    def _end_popen(self, name, p):
        """End a process we started and its process group: SIGTERM, then SIGKILL."""
        if p.poll() is not None:
            return
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(p.pid, sig)
            except OSError:
                pass
            try:
                p.wait(timeout=3)
                return
            except subprocess.TimeoutExpired:
                pass
        sys.stderr.write("zolta_e2e: %s (pid %d) did not end\n" % (name, p.pid))

    # ---- external commands ----------------------------------------------

    def run(self, cmd, timeout=COMMAND_TIMEOUT, check=True, input=None):
        """Run a helper command on the session's display and bus; return CompletedProcess."""
        try:
            res = subprocess.run(cmd, env=self.env, input=input,
                                 stdin=None if input is not None else subprocess.DEVNULL,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                 timeout=self._bounded(timeout))
        except subprocess.TimeoutExpired:
            raise E2EError("command timed out after %.1f s: %s" % (timeout, " ".join(cmd)))
        if check and res.returncode != 0:
            raise E2EError("command failed (%d): %s\n%s" % (
                res.returncode, " ".join(cmd), res.stderr.decode(errors="replace").strip()))
        return res

    # ---- AT-SPI: finding things ------------------------------------------

    def app(self, timeout=STARTUP_TIMEOUT):
        """The program's AT-SPI application object (found by process id)."""
        if self._app is not None:
            return self._app

        def find():
            self._program_check()
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                a = desktop.getChildAtIndex(i)
                if a is not None and a.get_process_id() == self.proc.pid:
                    return a
            return None

        self._app = poll(find, self._bounded(timeout),
                         "the program (pid %d) on the AT-SPI bus" % self.proc.pid)
        return self._app

    def top_levels(self):
        """The program's top-level accessibles (windows, message boxes)."""
        app = self.app()
        return [c for c in (app.getChildAtIndex(i) for i in range(app.childCount)) if c is not None]

    def window(self, timeout=DEFAULT_TIMEOUT):
        """The main window (AT-SPI 'filler'/'frame'/'window' named by the title)."""
        if self._window is not None:
            return self._window

        def find():
            self._program_check()
            for c in self.top_levels():
                if c.name == WINDOW_TITLE and role_of(c) in ("filler", "frame", "window"):
                    if "showing" in self.states(c):
                        return c
            return None

        try:
            self._window = poll(find, self._bounded(timeout),
                                "a window titled %r on AT-SPI" % WINDOW_TITLE)
        except ProgramEnded:
            raise
        except E2EError as exc:
            try:
                tops = ", ".join("%s %r [%s]" % (role_of(c), c.name,
                                                 ",".join(sorted(self.states(c))))
                                 for c in self.top_levels()) or "none"
            except Exception as e:
                tops = "unknown (%s)" % e
            raise E2EError("%s; the program's top-level objects: %s" % (exc, tops)) from None
        return self._window

    @staticmethod
    def states(acc):
        return {pyatspi.stateToString(s) for s in acc.getState().getStates()}

    @staticmethod
    def children(acc):
        return [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c is not None]

    def walk(self, root=None, max_depth=12, prune=None):
        """All descendants of root (default: the main window), depth first.

        prune(acc) -> True: yield acc but do not look below it.
        """
        root = root if root is not None else self.window()
        stack = [(root, 0)]
        while stack:
            acc, depth = stack.pop()
            if acc is not root:
                yield acc
                try:
                    if prune is not None and prune(acc):
                        continue
                except Exception:
                    continue
            if depth < max_depth:
                try:
                    kids = self.children(acc)
                except Exception:
                    continue   # gone while we looked
                stack.extend((k, depth + 1) for k in reversed(kids))

    @staticmethod
    def screen_extents(acc):
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    def extents(self, acc, relative=True):
        """(x, y, w, h) of acc; relative to the main window unless relative=False."""
        x, y, w, h = self.screen_extents(acc)
        if relative:
            wx, wy, _, _ = self.screen_extents(self.window())
            x, y = x - wx, y - wy
        return (x, y, w, h)

    def find_all(self, role=None, name=None, geometry=None, tolerance=0, root=None,
                 showing=True, max_depth=12):
        """Accessibles below root that match role, name and geometry (no waiting).

        role      role name ('push button', 'label', ...) or a tuple of them
        name      exact str, compiled regex (searched) or callable(name)
        geometry  (x, y, w, h) relative to the main window, each within tolerance
        showing   True: only objects with the 'showing' state, and nothing
                  below a hidden object (a closed combo box popup list is
                  hidden, yet its items claim 'showing'); None: everything
        """
        found = []
        prune = None
        if showing:
            prune = lambda acc: "showing" not in self.states(acc)  # noqa: E731
        for acc in self.walk(root, max_depth, prune):
            try:
                if not _role_matches(role, role_of(acc)):
                    continue
                if not _name_matches(name, acc.name):
                    continue
                if showing is not None and (("showing" in self.states(acc)) != showing):
                    continue
                if geometry is not None:
                    ext = self.extents(acc)
                    if any(abs(a - b) > tolerance for a, b in zip(ext, geometry)):
                        continue
            except Exception:
                continue   # an object that went away while we looked
            found.append(acc)
        return found

    def find(self, role=None, name=None, geometry=None, tolerance=0, root=None,
             showing=True, timeout=DEFAULT_TIMEOUT):
        """Exactly one matching accessible, waiting up to timeout for it."""
        what = _describe(role, name, geometry)
        last = []

        def one():
            self._program_check()
            hits = self.find_all(role, name, geometry, tolerance, root, showing)
            last[:] = hits
            if len(hits) > 1:
                raise E2EError("%d objects match %s: %s" % (
                    len(hits), what, ", ".join(self.describe(h) for h in hits)))
            return hits[0] if hits else None

        return poll(one, self._bounded(timeout), "one object with " + what)

    def describe(self, acc):
        try:
            return "%s %r at %r" % (role_of(acc), acc.name, self.extents(acc))
        except Exception as exc:
            return "<gone: %s>" % exc

    def lamps(self):
        """The lamp's pictures, one per colour, all at the same place, shown or not."""
        return self.find_all(("image", "label"), name=re.compile(r"^Lampe "), showing=None)

    # ---- AT-SPI: reading -------------------------------------------------

    def lamp_shown(self, lamps):
        """Name of the lamp picture shown at the lamp's place, or None."""
        for acc in lamps:
            try:
                if "showing" in self.states(acc) and self.extents(acc) == LAMP:
                    return acc.name
            except Exception:
                continue   # a picture hidden while we looked
        return None

    @staticmethod
    def text_contents(acc):
        """The text of an object with the Text interface (line edit, ...)."""
        t = acc.queryText()
        return t.getText(0, -1)

    def combo_text(self, combo):
        """The text shown by a combo box (its editable 'text' child if it has one)."""
        for c in self.children(combo):
            if role_of(c) == "text":
                return self.text_contents(c)
        return combo.name

    def combo_edit(self, combo):
        """The editable 'text' child of an editable combo box."""
        for c in self.children(combo):
            if role_of(c) == "text":
                return c
        raise E2EError("combo box %s has no text child" % self.describe(combo))

    def combo_items(self, combo):
        """Names of all items in a combo box's list (its 'list' child)."""
        for c in self.children(combo):
            if role_of(c) == "list":
                return self.list_items(c)
        raise E2EError("combo box %s has no list child" % self.describe(combo))

    def list_items(self, lst):
        """Names of the 'list item' children of a list, in order."""
        return [c.name for c in self.children(lst) if role_of(c) == "list item"]

    # ---- message boxes ---------------------------------------------------

    def alerts(self):
        """The message boxes now open, as Alert objects."""
        result = []
        for top in self.top_levels():
            try:
                if role_of(top) != "alert":
                    continue
                if "showing" not in self.states(top):
                    continue
                texts, buttons = [], {}
                for acc in self.walk(top, 6):
                    role = role_of(acc)
                    if role == "label":
                        texts.append(acc.name)
                    elif role == "push button":
                        buttons[acc.name] = acc
                result.append(Alert(top, top.name, texts, buttons))
            except Exception:
                continue
        return result

    def wait_alert(self, title=None, timeout=DEFAULT_TIMEOUT):
        """Wait for a message box (title: str, regex or None for any); return it."""
        def one():
            self._program_check()
            hits = [a for a in self.alerts() if _name_matches(title, a.title)]
            if len(hits) > 1:
                raise E2EError("%d message boxes open: %r" % (len(hits), hits))
            return hits[0] if hits else None
        what = "a message box" + ("" if title is None else " titled %r" % (
            title.pattern if hasattr(title, "pattern") else title))
        return poll(one, self._bounded(timeout), what)

    def wait_no_alert(self, title=None, timeout=DEFAULT_TIMEOUT):
        """Wait until no message box (with that title) is open."""
        poll(lambda: not [a for a in self.alerts() if _name_matches(title, a.title)],
             self._bounded(timeout), "the message box(es) to close")

    def press_alert_button(self, alert, button_name, timeout=DEFAULT_TIMEOUT):
        """Click a message box button with the mouse and wait for the box to close."""
        if button_name not in alert.buttons:
            raise E2EError("message box %r has no button %r (buttons: %r)" % (
                alert.title, button_name, alert.button_names))
        self.click(alert.buttons[button_name])
        poll(lambda: not self._alert_open(alert), self._bounded(timeout),
             "message box %r to close after %r" % (alert.title, button_name))

    def _alert_open(self, alert):
        try:
            return ("showing" in self.states(alert.acc)
                    and alert.acc.getIndexInParent() >= 0)
        except Exception:
            return False

    # ---- the X window ----------------------------------------------------

    def x_window_id(self, timeout=DEFAULT_TIMEOUT):
        """The X window id of the main window (xdotool search by exact title)."""
        if self._xid is not None:
            return self._xid
        pattern = "^" + re.escape(WINDOW_TITLE) + "$"

        def find():
            self._program_check()
            res = self.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                           check=False)
            ids = [int(x) for x in res.stdout.split()]
            if len(ids) > 1:
                raise E2EError("%d visible X windows titled %r: %r" % (
                    len(ids), WINDOW_TITLE, ids))
            return ids[0] if ids else None

        self._xid = poll(find, self._bounded(timeout),
                         "an X window titled %r" % WINDOW_TITLE)
        return self._xid

    def _x_window(self, xid=None):
        return self._xlib_display().create_resource_object("window", xid or self.x_window_id())

    def x_geometry(self, xid=None):
        """A window's geometry: dict x, y (absolute), width, height, viewable."""
        from Xlib import X
        window = self._x_window(xid)
        size = window.get_geometry()
        at = self._xlib_display().screen().root.translate_coords(window, 0, 0)
        return {"x": at.x, "y": at.y, "width": size.width, "height": size.height,
                "viewable": window.get_attributes().map_state == X.IsViewable}

    def client_size(self):
        """(width, height) of the client area (= the X window, no WM runs)."""
        g = self.x_geometry()
        return (g["width"], g["height"])

    def wm_name(self):
        """The X window's WM_NAME."""
        name = self._x_window().get_wm_name()
        return name.decode("latin-1") if isinstance(name, bytes) else name

    def size_hints(self):
        """WM_NORMAL_HINTS: dict with 'min' and 'max' as (w, h), where set."""
        from Xlib import Xutil
        hints = self._x_window().get_wm_normal_hints()
        found = {}
        if hints is not None and hints.flags & Xutil.PMinSize:
            found["min"] = (hints.min_width, hints.min_height)
        if hints is not None and hints.flags & Xutil.PMaxSize:
            found["max"] = (hints.max_width, hints.max_height)
        return found

    def is_resizable(self):
        """False when the size hints fix the size (min == max)."""
        h = self.size_hints()
        return not ("min" in h and "max" in h and h["min"] == h["max"])

    MWM_HINTS_FUNCTIONS = 1
    MWM_HINTS_DECORATIONS = 2
    MWM_FUNC = {"all": 1, "resize": 2, "move": 4, "minimize": 8, "maximize": 16, "close": 32}
    MWM_DECOR = {"all": 1, "border": 2, "resizeh": 4, "title": 8, "menu": 16,
                 "minimize": 32, "maximize": 64}

    def motif_hints(self):
        """_MOTIF_WM_HINTS as a dict, or None when not set.

        Keys: flags, functions, decorations (ints) and the decoded sets
        'functions_set' / 'decorations_set' (None when that field is not flagged).
        MWM 'all' bits mean "all except the listed ones"; that is resolved here.
        """
        from Xlib import X
        d = self._xlib_display()
        prop = self._x_window().get_full_property(d.intern_atom("_MOTIF_WM_HINTS"),
                                                  X.AnyPropertyType)
        if prop is None:
            return None
        if len(prop.value) < 3:
            raise E2EError("odd _MOTIF_WM_HINTS: %r" % (prop.value,))
        flags, functions, decorations = prop.value[0], prop.value[1], prop.value[2]

        def decode(value, table):
            names = {n for n, bit in table.items() if n != "all" and value & bit}
            if value & table["all"]:
                names = {n for n in table if n != "all"} - names
            return names

        return {"flags": flags, "functions": functions, "decorations": decorations,
                "functions_set": decode(functions, self.MWM_FUNC)
                if flags & self.MWM_HINTS_FUNCTIONS else None,
                "decorations_set": decode(decorations, self.MWM_DECOR)
                if flags & self.MWM_HINTS_DECORATIONS else None}

    # ---- pixels and screenshots -----------------------------------------

    def _xlib_display(self):
        if getattr(self, "_xdisp", None) is None:
            from Xlib import display as xdisplay
            self._xdisp = xdisplay.Display(self.display)
        return self._xdisp

    def window_pixels(self, x=0, y=0, w=None, h=None):
        """RGB pixels of a rectangle in the window, as rows of (r, g, b) tuples."""
        from Xlib import X
        g = self.x_geometry()
        w = g["width"] - x if w is None else w
        h = g["height"] - y if h is None else h
        d = self._xlib_display()
        root = d.screen().root
        img = root.get_image(g["x"] + x, g["y"] + y, w, h, X.ZPixmap, 0xFFFFFFFF)
        data = img.data
        bpp = len(data) // (w * h) if w * h else 4
        if bpp != 4:
            raise E2EError("unexpected pixel format (%d bytes per pixel)" % bpp)
        rows = []
        for j in range(h):
            row = []
            base = j * w * 4
            for i in range(w):
                b, gg, r = data[base + 4 * i], data[base + 4 * i + 1], data[base + 4 * i + 2]
                row.append((r, gg, b))
            rows.append(row)
        return rows

    def wait_painted(self, timeout=DEFAULT_TIMEOUT):
        """Wait until the window shows more than one colour (it has been drawn)."""
        def painted():
            rows = self.window_pixels()
            colours = set()
            for row in rows[::4]:
                colours.update(row[::4])
                if len(colours) > 1:
                    return True
            return False
        poll(painted, self._bounded(timeout), "the window to be painted")

    def screenshot(self, name, whole_screen=False):
        """Save a PNG of the window (or the whole screen) in the artifacts dir."""
        if not name.endswith(".png"):
            name += ".png"
        path = os.path.join(self.artifacts_dir, name)
        cmd = ["import", "-window", "root"]
        if not whole_screen:
            g = self.x_geometry()
            cmd += ["-crop", "%dx%d+%d+%d" % (g["width"], g["height"], g["x"], g["y"]),
                    "+repage"]
        self.run(cmd + [path], timeout=30)
        if not os.path.getsize(path):
            raise E2EError("empty screenshot %s" % path)
        return path

    # ---- popup menus -----------------------------------------------------

    # popups that are no menus: tool tips and the like (Qt 6.4 types a
    # popup menu as a "normal" window, a tool tip as a tool tip)
    NON_MENU_WINDOW_TYPES = ("_NET_WM_WINDOW_TYPE_TOOLTIP", "_NET_WM_WINDOW_TYPE_NOTIFICATION",
                             "_NET_WM_WINDOW_TYPE_DND")

    def popup_windows(self):
        """The popups now shown (menus, a combo box's open list), bottom first.

        A QMenu is not on AT-SPI; in X it is a mapped override-redirect
        top-level window.  Tool tips are left out.  X stacks a submenu above
        its parent, so the list is in opening order.  Each entry is a dict
        with 'id', 'x', 'y', 'width', 'height' (screen coordinates).
        """
        from Xlib import X
        d = self._xlib_display()
        skip = {d.intern_atom(n) for n in self.NON_MENU_WINDOW_TYPES}
        type_atom = d.intern_atom("_NET_WM_WINDOW_TYPE")
        popups = []
        for w in d.screen().root.query_tree().children:
            try:
                attrs = w.get_attributes()
                if attrs.map_state != X.IsViewable or not attrs.override_redirect:
                    continue
                prop = w.get_full_property(type_atom, X.AnyPropertyType)
                if prop is not None and skip.intersection(prop.value):
                    continue
                g = w.get_geometry()
            except Exception:
                continue   # gone while we looked
            popups.append({"id": w.id, "x": g.x, "y": g.y, "width": g.width, "height": g.height})
        return popups

    def wait_popups(self, count, timeout=DEFAULT_TIMEOUT):
        """Wait until exactly count popups are shown (0: all closed); return them."""
        found = []

        def check():
            self._program_check()
            found[:] = self.popup_windows()
            return len(found) == count

        try:
            poll(check, self._bounded(timeout), "%d popup(s) to be shown" % count)
        except E2EError as exc:
            raise E2EError("%s; %d shown: %r" % (exc, len(found), found)) from None
        return list(found)

    def open_context_menu(self, target, timeout=DEFAULT_TIMEOUT):
        """Right-click target (accessible or (x, y) in the window); wait for the menu.

        Returns the menu's popup window (see popup_windows()).
        """
        self.wait_popups(0, timeout)
        self.right_click(target)
        return self.wait_popups(1, timeout)[0]

    def choose_menu_path(self, keys_per_level, timeout=DEFAULT_TIMEOUT):
        """Drive the open popup menu with the keyboard, one level at a time.

        keys_per_level: a list; every entry but the last holds the key(s)
        that go to a submenu's entry and open it (e.g. ["Down", "Right"]),
        the last the key(s) that choose the wanted entry (e.g. ["Down",
        "Return"]).  After each level but the last the submenu must show up;
        after the last one every menu must be closed.
        """
        depth = len(self.wait_popups(1, timeout))
        for level, keys in enumerate(keys_per_level):
            if isinstance(keys, str):
                keys = [keys]
            self.key(*keys)
            if level < len(keys_per_level) - 1:
                depth += 1
                self.wait_popups(depth, timeout)
        self.wait_popups(0, timeout)

    # ---- clipboard -------------------------------------------------------

    def clipboard(self):
        """The clipboard's bytes as-is (CR LF intact), or None when it is empty."""
        res = self.run(["xclip", "-o", "-selection", "clipboard"], check=False)
        if res.returncode != 0:
            return None
        return res.stdout

    # ---- input -----------------------------------------------------------

    def xdotool(self, *args):
        return self.run(["xdotool"] + [str(a) for a in args])

    def focus_window(self, timeout=DEFAULT_TIMEOUT):
        """Give the main window the keyboard focus; wait until AT-SPI says it is active."""
        self.xdotool("windowfocus", self.x_window_id())
        poll(lambda: "active" in self.states(self.window()), self._bounded(timeout),
             "the window to become active")

    def focused_name(self):
        """The name of the control that has the keyboard focus, or None."""
        for acc in self.walk(prune=lambda a: role_of(a) in ("list", "combo box")):
            if "focused" in self.states(acc):
                return acc.name
        return None

    def _centre(self, target):
        if isinstance(target, tuple):
            x, y = target          # relative to the window
            g = self.x_geometry()
            return g["x"] + x, g["y"] + y
        x, y, w, h = self.screen_extents(target)
        if w <= 0 or h <= 0:
            raise E2EError("cannot click %s: it has no area" % self.describe(target))
        return x + w // 2, y + h // 2

    def click(self, target, button=1):
        """Click an accessible's centre, or a point (x, y) relative to the window.

        button: 1 left, 2 middle, 3 right.
        """
        self._program_check()
        x, y = self._centre(target)
        self.xdotool("mousemove", x, y, "click", button)

    def right_click(self, target):
        self.click(target, button=3)

    def key(self, *keys, delay_ms=30):
        """Press keys one after the other (xdotool names: Return, Escape, Tab, alt+j, ...)."""
        self._program_check()
        self.xdotool("key", "--clearmodifiers", "--delay", delay_ms, *keys)

    def type_text(self, text, delay_ms=20):
        """Type text (also text that starts with '-')."""
        self._program_check()
        self.run(["xdotool", "type", "--clearmodifiers", "--delay", str(delay_ms), "--", text],
                 timeout=COMMAND_TIMEOUT + len(text) * delay_ms / 1000.0)

    # ---- waiting ---------------------------------------------------------

    def wait_for(self, fn, what="a condition", timeout=DEFAULT_TIMEOUT):
        """Poll fn() until truthy (the program must keep running); return its value."""
        def check():
            self._program_check()
            return fn()
        return poll(check, self._bounded(timeout), what)

    # ---- diagnostics -----------------------------------------------------

    def dump_tree(self, max_children=40):
        """The program's AT-SPI tree as text (roles, names, states, extents, texts)."""
        lines = []

        def line(acc, depth):
            try:
                role = role_of(acc)
                name = acc.name
                try:
                    ext = self.screen_extents(acc)
                except Exception:
                    ext = None
                try:
                    txt = " text=%r" % self.text_contents(acc)
                except Exception:
                    txt = ""
                states = ",".join(sorted(self.states(acc)))
                lines.append("%s%s %r ext=%r%s [%s]" % ("  " * depth, role, name, ext, txt, states))
                kids = self.children(acc) if depth < 12 else []
            except Exception as exc:
                lines.append("%s<error: %s>" % ("  " * depth, exc))
                return
            for k in kids[:max_children]:
                line(k, depth + 1)
            if len(kids) > max_children:
                lines.append("%s... %d more children" % ("  " * (depth + 1),
                                                         len(kids) - max_children))

        line(self.app(timeout=2), 0)
        return "\n".join(lines)

    def _save_failure_artifacts(self, exc_type, exc, tb):
        notes = []
        # some time for the dumps, also after the global timeout
        self._deadline = max(self._deadline, time.monotonic() + 15)
        with open(os.path.join(self.artifacts_dir, "failure.txt"), "w") as f:
            f.write("".join(traceback.format_exception(exc_type, exc, tb)))
        if self.is_running() and self.display:
            try:
                with open(os.path.join(self.artifacts_dir, "atspi-tree.txt"), "w") as f:
                    f.write(self.dump_tree() + "\n")
                notes.append("atspi-tree.txt")
            except BaseException as e:   # a dump must never hide the real failure
                notes.append("no AT-SPI tree (%s)" % e)
            try:
                self.screenshot("failure.png", whole_screen=True)
                notes.append("failure.png")
            except BaseException as e:
                notes.append("no screenshot (%s)" % e)
        elif self.proc is not None:
            notes.append("program exit code %s" % self.proc.returncode)
        sys.stderr.write("zolta_e2e: failure artifacts in %s: %s\n" % (
            self.artifacts_dir, ", ".join(notes + ["failure.txt", "*.log"])))


# --------------------------------------------------------------------------
# test script entry point

def _rerun_in_own_session(artifacts):
    """Run this script again with an X server and a session bus of its own.

    xvfb-run finds a free display (and tries the next one when another test
    took it meanwhile); -noreset keeps the keymap when the last client
    leaves, as between two starts of the program.
    """
    os.makedirs(artifacts, exist_ok=True)
    xvfb_log = os.path.join(os.path.abspath(artifacts), "xvfb.log")
    open(xvfb_log, "w").close()   # xvfb-run appends
    env = {k: v for k, v in os.environ.items() if k not in FOREIGN_ENV}
    env.update({"LANG": "C.UTF-8", OWN_SESSION: "1"})
    cmd = ["xvfb-run", "--auto-servernum", "--error-file", xvfb_log,
           "--server-args", "-screen 0 %s -noreset" % SCREEN,
           "dbus-run-session", "--", sys.executable, os.path.abspath(sys.argv[0])] + sys.argv[1:]
    sys.stdout.flush()
    os.execvpe(cmd[0], cmd, env)


def run_test(main):
    """Entry point for a test script: main(executable, artifacts_dir).

    Prints PASS or FAIL with the reason; exits 0 on pass, 1 on a failed check,
    2 on bad usage, 3 on an unexpected error.
    """
    script = os.path.basename(sys.argv[0])
    if len(sys.argv) != 3:
        sys.stderr.write("usage: /usr/bin/python3 %s <path-to-Zolta> <artifacts-dir>\n"
                         % sys.argv[0])
        sys.exit(2)
    executable, artifacts = sys.argv[1], sys.argv[2]
    if os.environ.get(OWN_SESSION) != "1":
        _rerun_in_own_session(artifacts)

    def on_term(signum, frame):
        raise SystemExit(128 + signum)
    signal.signal(signal.SIGTERM, on_term)

    t0 = time.monotonic()
    try:
        main(executable, artifacts)
    except E2EError as exc:
        print("FAIL %s (%.1f s): %s" % (script, time.monotonic() - t0, exc))
        sys.exit(1)
    except Exception:
        traceback.print_exc()
        print("ERROR %s (%.1f s): unexpected exception (see above)" % (script, time.monotonic() - t0))
        sys.exit(3)
    print("PASS %s (%.1f s)" % (script, time.monotonic() - t0))
    sys.exit(0)
