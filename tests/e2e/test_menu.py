"""The context menu: "Über..." and "Alle Zahlen erzeugen".

* "Über..." (Up from a fresh popup lands on this last entry) shows a box
  titled "Zolta iacta est" with three lines: "<file name of the program>
  <major>.<minor>", "Version <major>.<minor>.<revision>" (the build's, from
  CTest) and a copyright line.  Checked for the program as
  built and, after a restart, for a copy of it named "Losglück.bin" (the
  box names it without the extension).
* "Alle Zahlen erzeugen" (Bearbeiten > last entry) empties the list, shows
  the red lamp for about a second and then lists every number of 1..bound
  once, in random order; the label reads "Zahl = " and the last number.
* Ticking "Doppelte Zahlen überspringen" asks with the buttons "Ja" and
  "Nein" (Qt's standard buttons, German through Qt's translation).

Run: ZOLTA_VERSION=1.2.3 /usr/bin/python3 tests/e2e/test_menu.py <path-to-Zolta> <artifacts-dir>
"""

import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zolta_e2e import (  # noqa: E402
    RESULT_LIST,
    BOUND_COMBO,
    NUMBER_FIELD,
    ADD,
    RESULT_LABEL,
    BARE_WINDOW,
    WINDOW_TITLE,
    Checks,
    E2EError,
    Session,
    run_test,
)


ABOUT = [["Up", "Return"]]                              # last entry: "Über..."
DRAW_ALL = [["Down", "Right"], ["Down", "Return"]]     # Bearbeiten > "Alle Zahlen erzeugen"

OTHER_NAME = "Losglück"
DRAW_ALL_TIMEOUT = 10.0
RED_LAMP_MIN = 0.5               # the red lamp shows about one second (polling blurs it)


def check_about(s, checks, program_name, version):
    s.open_context_menu(BARE_WINDOW)
    s.choose_menu_path(ABOUT)
    box = s.wait_alert(WINDOW_TITLE)
    lines = box.text.splitlines()
    what = "About box of %r" % program_name
    checks.check(len(lines) == 3, "%s: expected 3 lines, got %r" % (what, lines))
    if lines:
        checks.equal(lines[0], "%s %s" % (program_name, version.rsplit(".", 1)[0]),
                     what + ", line 1")
    if len(lines) > 1:
        checks.equal(lines[1], "Version " + version, what + ", line 2")
    if len(lines) > 2:
        checks.check(lines[2].startswith("Copyright"),
                     "%s, line 3: expected a copyright line, got %r" % (what, lines[2]))
    checks.equal(box.button_names, ["OK"], what + ", buttons")
    s.press_alert_button(box, "OK")
    s.wait_no_alert()


def check_draw_all(s, checks):
    lst = s.find("list", "Ergebnisliste", geometry=RESULT_LIST)
    combo = s.find("combo box", geometry=BOUND_COMBO)
    field = s.find("text", "Zahl", geometry=NUMBER_FIELD)
    label = s.find("label", geometry=RESULT_LABEL)
    lamps = s.lamps()
    checks.equal(s.combo_text(combo), "10", "bound before 'Alle Zahlen erzeugen'")

    # something in the list first, so that emptying it shows
    s.click(field)
    s.key("ctrl+a")
    s.type_text("5")
    s.click(s.find("push button", geometry=ADD))
    s.wait_for(lambda: s.list_items(lst) == ["5"], "the list to read ['5']")

    s.open_context_menu(BARE_WINDOW)
    red_since = [None]      # when the emptied list with the red lamp was first seen
    red_for = [0.0]         # how long it was seen
    last = {}

    def all_listed():
        items = s.list_items(lst)
        lamp = s.lamp_shown(lamps)
        now = time.monotonic()
        last.update(items=items, lamp=lamp, label=label.name)
        if not items and lamp == "Lampe rot":
            if red_since[0] is None:
                red_since[0] = now
            red_for[0] = now - red_since[0]
        return len(items) == 10 and label.name.startswith("Zahl = ")

    s.choose_menu_path(DRAW_ALL)
    try:
        s.wait_for(all_listed, "ten numbers in the list after 'Alle Zahlen erzeugen'",
                   timeout=DRAW_ALL_TIMEOUT)
    except E2EError as exc:
        checks.check(False, "%s; last state %r" % (exc, last))
        return
    items = s.list_items(lst)
    checks.check(sorted(items, key=int) == [str(n) for n in range(1, 11)],
                 "'Alle Zahlen erzeugen' with bound 10: expected 1..10 each once, got %r"
                 % items)
    # 1 in 10! that a fair shuffle gives 1..10 in order
    checks.check(items != [str(n) for n in range(1, 11)],
                 "'Alle Zahlen erzeugen': the numbers are in ascending order, not shuffled")
    checks.equal(label.name, "Zahl = " + items[-1], "label after 'Alle Zahlen erzeugen'")
    checks.check(red_since[0] is not None,
                 "'Alle Zahlen erzeugen': never saw the emptied list with the red lamp")
    checks.check(red_since[0] is None or red_for[0] >= RED_LAMP_MIN,
                 "'Alle Zahlen erzeugen': the red lamp with the empty list was seen for "
                 "%.2f s only; expected about one second" % red_for[0])
    print("Alle Zahlen erzeugen: %r, red lamp with the empty list seen for %.2f s"
          % (items, red_for[0]))
    s.screenshot("draw-all.png")


def check_duplicate_question(s, checks):
    """Ticking "Doppelte Zahlen überspringen" asks with Qt's own buttons, in German."""
    s.click(s.find("check box", "Doppelte Zahlen überspringen"))
    box = s.wait_alert("Doppelte Zahlen überspringen")
    checks.equal(sorted(box.button_names), ["Ja", "Nein"], "buttons of the duplicate question")
    s.screenshot("duplicate-question.png", whole_screen=True)
    s.press_alert_button(box, "Nein")
    s.wait_no_alert()


def main(executable, artifacts):
    version = os.environ["ZOLTA_VERSION"]   # set by tests/CMakeLists.txt
    tmp = tempfile.mkdtemp(prefix="zolta-e2e-menu-")
    try:
        other = os.path.join(tmp, OTHER_NAME + ".bin")
        shutil.copy2(executable, other)
        with Session(executable, artifacts) as s:
            checks = Checks()
            check_about(s, checks, os.path.basename(executable), version)
            check_draw_all(s, checks)
            check_duplicate_question(s, checks)

            # the same program under another file name
            s.restart_program(executable=other)
            check_about(s, checks, OTHER_NAME, version)
            checks.raise_if_failed()
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    run_test(main)
