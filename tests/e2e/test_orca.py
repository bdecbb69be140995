"""The screen reader: Debian's Orca uses the window.

Orca runs in the test session with speech off (-d speech); its debug log
holds every phrase it would speak ("SPEECH OUTPUT: '...'") and every key it
saw ("event_string=(Tab)").  The log is read after Orca has ended.

* Tab: Orca speaks each control that the focus reaches, by the name AT-SPI
  gives it.  The program starts after Orca, as under a running screen
  reader.
* Menu key, then Down: Orca speaks the context menu's first item.
* Space on "Los!": when the number is committed, Orca speaks the result
  label's text although the focus stays on the button.

Run: /usr/bin/python3 tests/e2e/test_orca.py <path-to-Zolta> <artifacts-dir>
"""

import os
import re
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zolta_e2e import Checks, Session, run_test  # noqa: E402

ORCA_SETTLES = 7.0   # seconds Orca needs to listen on a fresh bus
SPEAKS = 0.8         # seconds to leave Orca after each key
TAB_STOPS = 7        # controls that take the focus


def speech_after_keys(log):
    """[(key, [phrases spoken until the next key press])] in the order of the log."""
    steps = []
    pressed = False
    for line in log.split("\n"):
        if "KEYBOARD_EVENT:" in line:
            pressed = "PRESSED" in line
        # Orca 43 logs a key as event_string=(Tab), Orca 48 as keyval_name='Tab'
        key = re.search(r"event_string=\((\w+)\)|keyval_name='(\w+)'", line)
        if key and pressed:
            steps.append((key.group(1) or key.group(2), []))
            pressed = False
        said = re.search(r"SPEECH OUTPUT: '(.*?)' ?\{", line)
        if said and steps:
            steps[-1][1].append(said.group(1))
    return steps


def main(executable, artifacts):
    log_path = os.path.join(artifacts, "orca-debug.log")
    with Session(executable, artifacts) as s:
        checks = Checks()
        orca = s._spawn("orca", ["orca", "--replace", "-d", "speech", "--debug-file=" + log_path],
                        dict(s.env, HOME=tempfile.mkdtemp(dir=s.tmpdir)))
        focused = []
        try:
            # the program starts as it would under a running screen reader
            s.stop_program()
            time.sleep(ORCA_SETTLES)
            s.restart_program()
            s.focus_window()
            time.sleep(SPEAKS)
            for _ in range(TAB_STOPS):
                s.key("Tab")
                time.sleep(SPEAKS)
                focused.append(s.focused_name())
            s.key("Menu")
            time.sleep(SPEAKS)
            s.key("Down")
            time.sleep(SPEAKS)
            s.key("Escape")
            time.sleep(SPEAKS)
            for _ in range(TAB_STOPS):
                if s.focused_name() == "Los!":
                    break
                s.key("Tab")
            s.key("space")
            label = s.wait_for(lambda: s.find_all("label", re.compile(r"^Zahl = \d+$")),
                               "the committed number")[0]
            time.sleep(SPEAKS)
        finally:
            orca.terminate()
            try:
                orca.wait(10)
            except subprocess.TimeoutExpired:
                orca.kill()
                orca.wait()

        with open(log_path, encoding="utf-8", errors="replace") as f:
            steps = speech_after_keys(f.read())
        tabs = [said for key, said in steps if key == "Tab"]
        checks.check(len(tabs) == TAB_STOPS, "Orca saw %d Tab presses" % len(tabs))
        for name, said in zip(focused, tabs):
            checks.check(name and any(p.startswith(name) for p in said),
                         "Tab to %r: Orca said %r" % (name, said))
        after_down = [said for key, said in steps if key == "Down"]
        checks.check(after_down and any(p.startswith("Bearbeiten") for p in after_down[-1]),
                     "Menu key, Down: Orca said %r" % (after_down[-1:],))
        after_space = [p for key, said in steps if key == "space" for p in said]
        checks.check(any(label.name in p for p in after_space),
                     "commit of %r: Orca said %r" % (label.name, after_space))
        checks.raise_if_failed()


if __name__ == "__main__":
    run_test(main)
