"""Copying the result list to the clipboard through the context menu.

Numbers go into the list with real input (typed into the "Zahl" field, then
a click on "+"); a right click opens the context menu, the keyboard chooses
"Bearbeiten" > "Liste kopieren".  The program confirms with a "Kopieren"
message box and the clipboard holds one number a line, each line ending in
CR LF.  Checked once with one number (singular message, right click on the
bare window) and once with three (plural, right click in the "Zahl" field).

Run: /usr/bin/python3 tests/e2e/test_clipboard.py <path-to-Zolta> <artifacts-dir>
"""

import os
import sys

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zolta_e2e import (  # noqa: E402
    RESULT_LIST,
    NUMBER_FIELD,
    ADD,
    BARE_WINDOW,
    Checks,
    E2EError,
    Session,
    run_test,
)


# context menu: "Bearbeiten" is the first entry; Right opens its submenu on
# its first enabled entry ("Auschneiden", "Kopieren", "Einfügen" are greyed),
# which is "Liste kopieren"
COPY_LIST = [["Down", "Right"], ["Return"]]


def add_number(s, field, add, lst, typed, expected_items):
    """Type a number into the "Zahl" field, click "+", wait for the list."""
    s.click(field)
    s.key("ctrl+a")
    s.type_text(typed)
    s.wait_for(lambda: s.text_contents(field) == typed, "%r in the 'Zahl' field" % typed)
    s.click(add)
    seen = []

    def listed():
        seen[:] = s.list_items(lst)
        return seen == expected_items

    try:
        s.wait_for(listed, "the list to read %r after adding %r" % (expected_items, typed))
    except E2EError as exc:
        raise E2EError("%s; it reads %r" % (exc, seen)) from None


def copy_list(s, checks, where, expected_message, expected_bytes):
    """Context menu > Bearbeiten > Liste kopieren; check the box and the clipboard."""
    s.open_context_menu(where)
    s.choose_menu_path(COPY_LIST)
    box = s.wait_alert("Kopieren")
    checks.equal(box.text, expected_message, "text of the 'Kopieren' message box")
    checks.equal(box.button_names, ["OK"], "buttons of the 'Kopieren' message box")
    s.press_alert_button(box, "OK")
    # the clipboard lives as long as the program: read it now
    checks.equal(s.clipboard(), expected_bytes, "clipboard after 'Liste kopieren'")


def main(executable, artifacts):
    with Session(executable, artifacts) as s:
        checks = Checks()
        lst = s.find("list", "Ergebnisliste", geometry=RESULT_LIST)
        field = s.find("text", "Zahl", geometry=NUMBER_FIELD)
        add = s.find("push button", geometry=ADD)
        checks.equal(s.list_items(lst), [], "result list at start-up")
        checks.equal(s.clipboard(), None, "clipboard before copying")

        # one number: singular message
        add_number(s, field, add, lst, "5", ["5"])
        copy_list(s, checks, BARE_WINDOW,
                  "Es wurde 1 Zeile in die Zwischenablage kopiert!", b"5\r\n")

        # three numbers ("007" goes in as 7), menu opened in the "Zahl" field
        add_number(s, field, add, lst, "007", ["5", "7"])
        add_number(s, field, add, lst, "12", ["5", "7", "12"])
        copy_list(s, checks, field,
                  "Es wurden 3 Zeilen in die Zwischenablage kopiert!", b"5\r\n7\r\n12\r\n")

        checks.equal(s.list_items(lst), ["5", "7", "12"], "result list after copying")
        s.screenshot("clipboard.png")
        checks.raise_if_failed()


if __name__ == "__main__":
    run_test(main)
