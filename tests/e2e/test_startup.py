"""Start-up: window title, fixed client size, first state of the controls.

Run: /usr/bin/python3 tests/e2e/test_startup.py <path-to-Zolta> <artifacts-dir>
"""

import os
import sys

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zolta_e2e import WINDOW_TITLE, Checks, Session, run_test  # noqa: E402

CLIENT_SIZE = (306, 202)


def main(executable, artifacts):
    with Session(executable, artifacts) as s:
        checks = Checks()

        # the window, on AT-SPI and in X, with the title
        win = s.window()
        checks.equal(win.name, WINDOW_TITLE, "AT-SPI window name")
        checks.equal(s.wm_name(), WINDOW_TITLE, "WM_NAME of the X window")

        # client area and a size that cannot be changed
        checks.equal(s.client_size(), CLIENT_SIZE, "client area in X")
        checks.equal(s.extents(win, relative=False)[2:], CLIENT_SIZE,
                     "window size on AT-SPI")
        hints = s.size_hints()
        checks.equal(hints.get("min"), CLIENT_SIZE, "WM_NORMAL_HINTS minimum size")
        checks.equal(hints.get("max"), CLIENT_SIZE, "WM_NORMAL_HINTS maximum size")
        checks.equal(s.is_resizable(), False, "window resizable according to its size hints")
        # no minimize/maximize buttons (Qt 6.4 keeps the Motif 'resize'
        # function even for a fixed size, so min == max above is the resize check)
        motif = s.motif_hints()
        if motif is not None:
            for key in ("functions_set", "decorations_set"):
                offered = (motif[key] or set()) & {"minimize", "maximize"}
                checks.check(not offered, "_MOTIF_WM_HINTS %s offers %s: %r"
                             % (key[:-4], sorted(offered), motif))

        # the start-up texts and controls
        checks.attempt("label 'Wähle einen Bereich aus!'",
                       s.find, "label", "Wähle einen Bereich aus!")
        combo = checks.attempt("combo box", s.find, "combo box")
        if combo is not None:
            checks.equal(s.combo_text(combo), "10", "combo box text")
            items = s.combo_items(combo)
            expected = [str(n) for n in range(1, 257)]
            checks.check(items == expected,
                         "combo box items: expected '1'..'256' (256 items), got %d items, "
                         "first %r, last %r" % (len(items), items[:3], items[-3:]))
        for name in ("Los!", "Reset"):
            checks.attempt("push button %r" % name, s.find, "push button", name)

        s.screenshot("startup.png")
        checks.raise_if_failed()


if __name__ == "__main__":
    run_test(main)
