#!/usr/bin/python3
"""Start-up time and peak memory of a window program, on the X server of
DISPLAY (scripts/bench.sh runs it in xvfb-run).

For each program: start it N times; the time runs from just before the
process is started until the X server reports its top-level window titled
"Zolta iacta est" as mapped (MapNotify, seen through a SubstructureNotify
listener on the root window); the peak memory is the process's maximum
resident set size (ru_maxrss), read when it exits after it has been closed
a moment after mapping. Prints medians.

Usage: startup_bench.py RUNS PROGRAM [PROGRAM ...]
"""

import os
import signal
import statistics
import subprocess
import sys
import time

from Xlib import X, display as xdisplay

TITLE = "Zolta iacta est"


def window_title(conn, window):
    try:
        name = window.get_full_property(conn.intern_atom("_NET_WM_NAME"),
                                        conn.intern_atom("UTF8_STRING"))
        if name is not None:
            return name.value.decode("utf-8", "replace")
        return window.get_wm_name() or ""
    except Exception:  # the window may be gone already
        return ""


def one_run(program, conn, timeout=20.0):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    start = time.perf_counter()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    mapped = None
    deadline = start + timeout
    while mapped is None:
        if time.perf_counter() > deadline:
            proc.kill()
            proc.wait()
            raise RuntimeError(f"{program}: no window within {timeout} s")
        while conn.pending_events():
            event = conn.next_event()
            if event.type == X.MapNotify and window_title(conn, event.window) == TITLE:
                mapped = time.perf_counter()
                break
        else:
            time.sleep(0.0005)
    # Let the first paint happen, then close it and read its peak memory.
    time.sleep(0.3)
    proc.send_signal(signal.SIGTERM)
    _, _, usage = os.wait4(proc.pid, 0)
    proc.returncode = 0
    return (mapped - start) * 1000.0, usage.ru_maxrss / 1024.0


def main():
    runs = int(sys.argv[1])
    programs = sys.argv[2:]
    conn = xdisplay.Display()
    conn.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    conn.sync()
    results = {}
    for program in programs:
        one_run(program, conn)  # warm the file cache
    for _ in range(runs):
        for program in programs:  # interleaved, so drift hits all alike
            ms, mib = one_run(program, conn)
            results.setdefault(program, []).append((ms, mib))
    print(f"{'program':<20} {'runs':>4} {'start-up ms':>12} {'peak MiB':>9}")
    medians = {}
    for program in programs:
        times = [r[0] for r in results[program]]
        memory = [r[1] for r in results[program]]
        medians[program] = (statistics.median(times), statistics.median(memory))
        print(f"{os.path.basename(program):<20} {runs:>4} {medians[program][0]:>12.1f}"
              f" {medians[program][1]:>9.2f}")
    if len(programs) == 2:
        (t0, m0), (t1, m1) = medians[programs[0]], medians[programs[1]]
        print(f"{os.path.basename(programs[0])} against {os.path.basename(programs[1])}: "
              f"time {100.0 * (t0 - t1) / t1:+.1f} %, memory {m0 - m1:+.2f} MiB")


if __name__ == "__main__":
    main()
