"""Drawing a number with the real "Los!" button.

A left click at the button's centre starts the draw: the label counts
("Zahl= 1", "Zahl= 2", ...) while the lamp blinks; about three seconds after
the press the number is committed: the label reads "Zahl = <n>", the list
gets <n> as its last item and the "Zahl" field shows <n>.  Then the bound is
typed into the combo box ("1") and a second draw must commit 1.

Run: /usr/bin/python3 tests/e2e/test_draw.py <path-to-Zolta> <artifacts-dir>
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zolta_e2e import (  # noqa: E402
    GO,
    RESULT_LIST,
    BOUND_COMBO,
    NUMBER_FIELD,
    RESULT_LABEL,
    Checks,
    E2EError,
    Session,
    run_test,
)


COUNTING = re.compile(r"^Zahl= (\d+)$")
COMMITTED = re.compile(r"^Zahl = (\d+)$")
LIT_LAMPS = {"Lampe gelb", "Lampe rot", "Lampe grün"}

COMMIT_TIMEOUT = 10.0   # seconds from the click to the committed number
MIN_COMMIT_DELAY = 2.0  # the number is committed about 3 s after the press
ANIMATION_STEPS = 11    # the label counts "Zahl= 1" .. "Zahl= 11"


class Controls:
    def __init__(self, s):
        self.go = s.find("push button", "Los!", geometry=GO)
        self.list = s.find("list", "Ergebnisliste", geometry=RESULT_LIST)
        self.combo = s.find("combo box", geometry=BOUND_COMBO)
        self.field = s.find("text", "Zahl", geometry=NUMBER_FIELD)
        self.label = s.find("label", geometry=RESULT_LABEL)
        # the lamp is one picture per colour; the one shown is its state
        self.lamps = s.lamps()
        if len(self.lamps) < 2:
            raise E2EError("expected the lamp pictures ('Lampe ...'), found %r"
                           % [s.describe(a) for a in self.lamps])


def draw(s, checks, ctl, items_before, what):
    """Click "Los!", follow the animation, wait for the committed number.

    Returns the committed number (int), or None when it did not come.
    """
    counts = []        # distinct counter values, in the order seen
    lamps = set()      # lamp pictures seen while counting
    last = {}

    def committed():
        name = ctl.label.name
        m = COUNTING.match(name)
        if m:
            value = int(m.group(1))
            if not counts or counts[-1] != value:
                counts.append(value)
            lamp = s.lamp_shown(ctl.lamps)
            if lamp:
                lamps.add(lamp)
            return None
        items = s.list_items(ctl.list)
        field = s.text_contents(ctl.field)
        last.update(label=name, items=items, field=field)
        m = COMMITTED.match(name)
        if not (counts and m):
            return None       # the result of an earlier draw, or not yet counting
        n = m.group(1)
        if items == items_before + [n] and field == n:
            return int(n)
        return None

    t0 = time.monotonic()
    s.click(ctl.go)
    try:
        n = s.wait_for(committed, "%s: the committed number (label 'Zahl = n', list "
                       "item, field)" % what, timeout=COMMIT_TIMEOUT)
    except E2EError as exc:
        checks.check(False, "%s; counter values seen %r, last state %r" % (exc, counts, last))
        return None
    elapsed = time.monotonic() - t0

    checks.check(len(counts) >= 3,
                 "%s: the label should count 'Zahl= 1' .. 'Zahl= %d' before the result; "
                 "seen only %r" % (what, ANIMATION_STEPS, counts))
    checks.check(all(1 <= c <= ANIMATION_STEPS for c in counts)
                 and counts == sorted(set(counts)),
                 "%s: counter values should rise within 1..%d, seen %r"
                 % (what, ANIMATION_STEPS, counts))
    checks.check(bool(lamps & LIT_LAMPS),
                 "%s: no lit lamp (%s) seen during the animation; seen %r"
                 % (what, ", ".join(sorted(LIT_LAMPS)), sorted(lamps)))
    checks.check(elapsed >= MIN_COMMIT_DELAY,
                 "%s: the number was committed %.2f s after the click; expected the "
                 "animation first (about 3 s)" % (what, elapsed))
    print("%s: committed %d after %.2f s, counter values seen %r, lamps %r"
          % (what, n, elapsed, counts, sorted(lamps)))
    return n


def main(executable, artifacts):
    with Session(executable, artifacts) as s:
        checks = Checks()
        ctl = Controls(s)
        checks.equal(s.list_items(ctl.list), [], "result list at start-up")
        checks.equal(s.combo_text(ctl.combo), "10", "bound at start-up")

        # first draw, bound 10
        n = draw(s, checks, ctl, [], "first draw (bound 10)")
        if n is not None:
            checks.check(1 <= n <= 10, "first draw: %d is not in 1..10" % n)
            checks.equal(ctl.label.name, "Zahl = %d" % n, "label after the first draw")
        s.screenshot("draw.png")
        if n is None:
            checks.raise_if_failed()

        # type the bound 1 into the combo box, then draw again
        s.click(s.combo_edit(ctl.combo))
        s.key("ctrl+a")
        s.type_text("1")
        s.wait_for(lambda: s.combo_text(ctl.combo) == "1", "the bound '1' in the combo box")
        m = draw(s, checks, ctl, [str(n)], "second draw (bound 1)")
        if m is not None:
            checks.equal(m, 1, "second draw with bound 1")
            checks.equal(s.list_items(ctl.list), [str(n), "1"], "result list after two draws")
            checks.equal(s.text_contents(ctl.field), "1", "'Zahl' field after the second draw")
        s.screenshot("draw-bound1.png")
        checks.raise_if_failed()


if __name__ == "__main__":
    run_test(main)
