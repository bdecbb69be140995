#!/usr/bin/env python3
"""Writes the hand-made seeds of fuzz_window into fuzz/corpus/fuzz_window.

Each seed is one scenario, spelled with the action codes of fuzz_window.cpp;
the two lists below must follow that file. Seeds the fuzzer found itself sit
beside these (named found-*) and are not touched.
"""
import pathlib

OPS = ["TypeBound", "TypeNumber", "ClickGo", "ClickAdd", "ClickReset", "ToggleSkipDoubles",
       "MenuRandom", "MenuReset", "MenuDoubles", "MenuListCopy", "MenuAbout",
       "ContextMenuWindow", "ContextMenuNumber", "OtherPress", "AnswerYes", "AnswerNo",
       "AnswerOk", "QueueRandom", "Tick1IfActive", "Tick1", "Tick2IfActive", "Tick2",
       "FinishAnimation", "ToggleClipboard", "DrawOnce", "TypeBoundValue", "DrawAllNow",
       "AddValue", "RealPress", "TicksWhileOpen"]
OP = {name: code for code, name in enumerate(OPS)}
ALPHABET = ["0", "1", "2", "3", "5", "7", "9", "-", "+", ",", ".", "e", "E", " ", "\t", "a", "6"]
CANNED = ["32767", "32768", "-32768", "-32769", "1", "0", "2", "10", "256", "4096", "1e4",
          "3,2767e4", "32767,4", "32767,5", "0,5", "1,5", "2,5", "-1", "1e-30", "1e400",
          "99999999999999999999", "16777216", " 12 ", "1.000,5", "", " ",
          "0,49999999999999999999", "3,9999999", "1e5", "-0", "65536", "3.4028236e38"]
MENU = ["mnuListCopy", "mnuRandom", "mnuReset", "mnuDoppelt", "mnuAbout", "mnuCut", "mnuCopy",
        "mnuPaste", "mnuEdit", "mnuLine2", "mnuFile", "", "mnuRandom", "mnuListCopy", "nichts",
        "mnuReset"]


def value(v):
    v &= 0xFFFF
    return [v >> 8, v & 0xFF]


def canned(text):
    return [128 + CANNED.index(text)]


def typed(text):
    assert len(text) < 8
    return [len(text)] + [ALPHABET.index(c) for c in text]


def menu(name):
    return [MENU.index(name)]


def seq(*steps):
    out = []
    for step in steps:
        if isinstance(step, str):
            out.append(OP[step])
        else:
            out.extend(step)
    return bytes(out)


SEEDS = {
    "draw-once": seq("DrawOnce"),
    "draw-all-max": seq("TypeBoundValue", value(32767), "DrawAllNow"),
    "list-full": seq("TypeBoundValue", value(32767), "DrawAllNow", "AddValue", value(0),
                     "AddValue", value(-5)),
    "all-drawn": seq("TypeBoundValue", value(1), "AnswerNo", "ToggleSkipDoubles", "DrawOnce",
                     "DrawOnce", "DrawAllNow", "MenuRandom"),
    "duplicate-ask-yes": seq("AnswerYes", "ToggleSkipDoubles", "TypeBoundValue", value(2),
                             "QueueRandom", [0], "DrawOnce", "QueueRandom", [0], "AnswerYes",
                             "DrawOnce", "FinishAnimation"),
    "duplicate-ask-no": seq("AnswerYes", "ToggleSkipDoubles", "TypeBoundValue", value(2),
                            "QueueRandom", [1], "DrawOnce", "QueueRandom", [1], "AnswerNo",
                            "DrawOnce", "Tick1", "Tick1"),
    "duplicate-silent": seq("AnswerNo", "ToggleSkipDoubles", "TypeBoundValue", value(3),
                            "DrawOnce", "DrawOnce", "DrawOnce", "DrawOnce", "DrawOnce"),
    "duplicate-menu-off": seq("AnswerYes", "ToggleSkipDoubles", "ContextMenuWindow",
                              menu("mnuDoppelt"), "TypeBoundValue", value(3), "DrawOnce",
                              "DrawOnce", "DrawOnce", "DrawOnce", "MenuDoubles", "DrawOnce"),
    "add-texts": seq("TypeNumber", canned("2,5"), "ClickAdd", "TypeNumber", canned("1.000,5"),
                     "ClickAdd", "TypeNumber", canned(""), "ClickAdd", "TypeNumber", canned(" "),
                     "ClickAdd", "TypeNumber", canned("-32769"), "ClickAdd", "TypeNumber",
                     canned("-32768"), "ClickAdd", "ClickAdd", "TypeNumber", typed("-0,5e1"),
                     "ClickAdd"),
    "context-menu-all": seq(*[part for name in MENU for part in ("ContextMenuWindow", menu(name))]),
    "context-menu-number": seq("TypeBoundValue", value(5), "ContextMenuNumber", menu("mnuRandom"),
                               "Tick2IfActive", "ContextMenuNumber", menu("mnuListCopy"),
                               "ContextMenuNumber", menu("mnuReset")),
    "ticks-idle": seq(*(["Tick1"] * 30 + ["Tick2"] * 3)),
    "draw-all-fraction": seq("TypeBound", canned("2,5"), "DrawAllNow", "TypeBound",
                             canned("0,5"), "DrawAllNow", "TypeBound", canned("3,9999999"),
                             "DrawAllNow"),
    "draw-all-negative": seq("TypeBoundValue", value(-5), "DrawAllNow", "DrawOnce",
                             "TypeBound", canned("-0"), "DrawAllNow", "DrawOnce"),
    "random-extremes": seq("TypeBoundValue", value(32767), "QueueRandom", [1], "DrawOnce",
                           "QueueRandom", [0], "DrawOnce", "QueueRandom", [3], "DrawOnce",
                           "QueueRandom", [4, 0x80, 0x00, 0x00], "DrawOnce"),
    "clipboard-fails": seq("DrawOnce", "ToggleClipboard", "MenuListCopy", "ToggleClipboard",
                           "MenuListCopy", "MenuReset", "MenuListCopy"),
    "add-during-wait": seq("TypeBoundValue", value(10), "MenuRandom", "AddValue", value(3),
                           "AddValue", value(200), "DrawOnce", "Tick2IfActive"),
    "bound-changed-during-wait": seq("MenuRandom", "TypeBound", canned("1.000,5"),
                                     "Tick2IfActive", "MenuRandom", "TypeBound",
                                     canned("1e400"), "Tick2", "MenuRandom", "TypeBound",
                                     canned("32768"), "Tick2"),
    "reset-mid-animation": seq("ClickGo", "Tick1", "Tick1", "ClickReset", "FinishAnimation",
                               "ClickGo", "Tick1", "MenuRandom", "FinishAnimation", "Tick2"),
    "bound-zero": seq("TypeBoundValue", value(0), "DrawOnce", "DrawAllNow"),
    "bound-unusable": seq("TypeBound", canned("1e400"), "ClickGo", "MenuRandom", "Tick2",
                          "TypeBound", canned("99999999999999999999"), "ClickGo",
                          "TypeBound", canned("3.4028236e38"), "DrawOnce"),
    "about": seq("MenuAbout", "ContextMenuWindow", menu("mnuAbout")),
    "big-draw-alls-capped": seq("TypeBoundValue", value(32767), "DrawAllNow", "DrawAllNow",
                                "DrawAllNow", "MenuListCopy"),
    "doubles-item-disabled": seq("ContextMenuWindow", menu("mnuDoppelt"), "AnswerYes",
                                 "ToggleSkipDoubles", "ContextMenuWindow", menu("mnuDoppelt"),
                                 "MenuDoubles", "ToggleSkipDoubles", "MenuDoubles"),
    "other-presses": seq("OtherPress", [0], "OtherPress", [1], "OtherPress", [2], "OtherPress",
                         [0x1f], "ContextMenuWindow", menu("")),
    "answer-ok-to-question": seq("AnswerOk", "ToggleSkipDoubles", "TypeBoundValue", value(1),
                                 "DrawOnce", "AnswerOk", "DrawOnce", "Tick1", "DrawOnce"),
    "typed-bounds": seq("TypeBound", typed("1,5e1"), "DrawOnce", "TypeBound", typed(" 7\t"),
                        "DrawAllNow", "TypeBound", typed("e"), "DrawOnce", "TypeBound",
                        typed("+9,"), "DrawOnce"),
    "draw-all-no-room": seq("TypeBoundValue", value(32767), "MenuRandom", "AddValue", value(-5),
                            "Tick2IfActive", "MenuListCopy"),
    "real-presses": seq("ContextMenuWindow", menu(""), "RealPress", [0b0000_0100],
                        "ContextMenuWindow", menu("mnuAbout"), "RealPress", [0b0111_0101],
                        "RealPress", [0b0000_0000], "RealPress", [0b0000_1001],
                        "RealPress", [0b0000_0110], "RealPress", [0b0000_1111]),
    "skip-all-drawn-all": seq("AnswerNo", "ToggleSkipDoubles", "TypeBoundValue", value(4),
                              "DrawAllNow", "DrawOnce", "MenuRandom", "AddValue", value(1),
                              "Tick2"),
    "ticks-while-open": seq("TicksWhileOpen", [13], "ClickGo", "Tick1", "TypeNumber",
                            canned(""), "ClickAdd", "ContextMenuWindow", menu(""),
                            "ContextMenuWindow", menu("mnuAbout"), "FinishAnimation",
                            "MenuRandom", "MenuAbout", "Tick2IfActive", "AnswerYes",
                            "ToggleSkipDoubles", "TypeBoundValue", value(1), "ClickGo",
                            "Tick1", "ClickAdd", "FinishAnimation", "ClickGo", "TicksWhileOpen",
                            [0], "FinishAnimation"),
}


def main():
    folder = pathlib.Path(__file__).resolve().parent / "corpus" / "fuzz_window"
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in SEEDS.items():
        (folder / name).write_bytes(data)
    print(f"{len(SEEDS)} seeds in {folder}")


if __name__ == "__main__":
    main()
