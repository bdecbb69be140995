"""The screen reader: Debian's Orca uses the window.

Orca runs in the test session with speech off (-d speech).  Its debug log
holds every phrase it would speak ("SPEECH OUTPUT: '...'"); a message such as
an announcement, Orca 48 with speech off presents on its braille line only
("BRAILLE: Display message: '...'"), Orca 43 as speech.  The log goes to a
pseudo-terminal, where Orca writes it line by line, so the test reads it as it
is written and waits for each phrase.

* Tab: Orca speaks each control that the focus reaches, by the name AT-SPI
  gives it.  The program starts after Orca, as under a running screen
  reader.
* Menu key, then Down: Orca speaks the context menu's first item.
* Space on "Los!": when the number is committed, Orca presents the result
  label's text although the focus stays on the button.

Run: /usr/bin/python3 tests/e2e/test_orca.py <path-to-Zolta> <artifacts-dir>
"""

import os
import re
import subprocess
import sys
import tempfile
import threading
import tty

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zolta_e2e import E2EError, Session, poll, run_test  # noqa: E402

TAB_STOPS = 7        # controls that take the focus
PHRASE = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{|BRAILLE: Display message: '(.*?)'")


class OrcaLog:
    """Orca's debug log, read from a pseudo-terminal while Orca writes it."""

    def __init__(self, copy_path):
        self._master, self._slave = os.openpty()
        tty.setraw(self._slave)           # no newline translation
        self.path = os.ttyname(self._slave)
        self.phrases = []                 # what Orca said or showed, in order
        self._lines = []
        self._copy = open(copy_path, "w", encoding="utf-8")
        self._lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                data = os.read(self._master, 65536)
            except OSError:
                return
            if not data:
                return
            pending += data
            *lines, pending = pending.split(b"\n")
            with self._lock:
                for line in lines:
                    text = line.decode("utf-8", "replace")
                    self._copy.write(text + "\n")
                    self._lines.append(text)
                    found = PHRASE.search(text)
                    if found:
                        self.phrases.append(found.group(1) or found.group(2))
            self._copy.flush()

    def has_line(self, part):
        with self._lock:
            return any(part in line for line in self._lines)

    def wait_phrase(self, after, meets, what, timeout):
        """Wait for a phrase after the first `after` ones that meets(); its index."""
        def found():
            with self._lock:
                for index in range(after, len(self.phrases)):
                    if meets(self.phrases[index]):
                        return index + 1
            return None
        try:
            return poll(found, timeout, what)
        except E2EError:
            raise E2EError("Orca did not present %s; after the earlier steps it said %r"
                           % (what, self.phrases[after:])) from None

    def close(self):
        os.close(self._slave)
        os.close(self._master)
        self._copy.close()


def main(executable, artifacts):
    log = OrcaLog(os.path.join(artifacts, "orca-debug.log"))
    with Session(executable, artifacts) as s:
        orca = s._spawn("orca", ["orca", "--replace", "-d", "speech", "--debug-file=" + log.path],
                        dict(s.env, HOME=tempfile.mkdtemp(dir=s.tmpdir)))
        try:
            # the program starts as it would under a running screen reader
            s.stop_program()
            poll(lambda: log.has_line("registering listener for: window:destroy"),
                 s._bounded(60), "Orca's listeners")
            s.restart_program()
            s.focus_window()
            said = log.wait_phrase(0, lambda p: p.startswith("Los!"), "the focused Los!",
                                   s._bounded(20))
            for _ in range(TAB_STOPS):
                before = s.focused_name()
                s.key("Tab")
                s.wait_for(lambda: s.focused_name() not in (None, before), "the focus to move")
                name = s.focused_name()
                said = log.wait_phrase(said, lambda p: name in p, "Tab to %r" % name,
                                       s._bounded(20))
            s.key("Menu")
            s.wait_popups(1)
            s.key("Down")
            said = log.wait_phrase(said, lambda p: p.startswith("Bearbeiten"),
                                   "the menu's first item, Bearbeiten", s._bounded(20))
            s.key("Escape")
            s.wait_popups(0)
            for _ in range(TAB_STOPS):
                if s.focused_name() == "Los!":
                    break
                s.key("Tab")
            s.key("space")
            label = s.wait_for(lambda: s.find_all("label", re.compile(r"^Zahl = \d+$")),
                               "the committed number")[0]
            log.wait_phrase(said, lambda p: label.name in p, "the commit of %r" % label.name,
                            s._bounded(20))
        finally:
            orca.terminate()
            try:
                orca.wait(10)
            except subprocess.TimeoutExpired:
                orca.kill()
                orca.wait()
            log.close()


if __name__ == "__main__":
    run_test(main)
