#!/usr/bin/env python3
"""Frames per second of both hosts on the same Mesa (llvmpipe), on one
monitor of 800x600, on two of them side by side, and on one of 1600x600 (the
pixels of the two): the Windows renderer with OpenGL, the X11 host with
OpenGL and with the processor backend (ORVELLE_RENDERING=gl, cpu). An X.Org
server with the dummy video driver provides the monitors. The Windows
renderer runs under Wine, which counts its swaps itself (WINEDEBUG=+fps
prints "@ approx N fps" from wglSwapBuffers every 1.5 s); the X11 host
prints its figure every second with -fps. The processor backend shows a
frame per display refresh at most (60 on this server): a figure at the
refresh means it keeps up. A particle lives
the longer the wider the view (12.2 ms per pixel of width: under 10 s on 800
pixels, under 20 s on 1600), and a run holds its steady load only after its
longest lives; the median of the figures reported from then on, over MEASURE
seconds, counts, and of the rounds the best (a machine shared with other
work only ever slows a run down).

What a second monitor costs per pixel is two monitors against one of the
same size. The wide monitor is another picture: the scene's focal length is
the view's width, so an 8:3 view sees less of the scene's height than a 4:3
one, and its particles, fewer, live twice as long and grow larger.

    frame_rate.py --x11 build/release/bin/orvelle --win build/win/bin --work build/bench
"""

import argparse
import re
import shutil
import statistics
import subprocess
import time
from pathlib import Path

from harness.product import HEIGHT, RENDERER_FILE, SETTINGS_PATH, WIDTH
from harness.support import ini
from harness.winebox import DummyDisplay, WineBox

MEASURE = 8
LAYOUTS = {
    "1 x 800x600": [(800, 600)],
    "2 x 800x600": [(800, 600), (800, 600)],
    "1 x 1600x600": [(1600, 600)],
}


def arrange(display, sizes):
    display.xrandr("--output", "DUMMY1", "--off")
    for i, (width, height) in enumerate(sizes):
        display.add(f"DUMMY{i}", width, height, right_of=f"DUMMY{i - 1}" if i else None)


def steady_from(sizes):
    """When the widest monitor's scene holds its steady load, in seconds."""
    return max(width for width, _ in sizes) * 244.140625 / 20000 + 2


def steady(figures, since):
    """The median of the figures reported from `since` seconds on, of (seconds, figure)."""
    late = [f for t, f in figures if t >= since]
    return statistics.median(late) if late else float("nan")


def x11_rate(host, display, since, rendering):
    started = time.time()
    p = subprocess.Popen(
        [host, "-root", "-fps"],
        env=dict(display.env(), ORVELLE_RENDERING=rendering),
        stdout=subprocess.PIPE,
        text=True,
    )
    figures = []
    try:
        for line in p.stdout:
            figures.append((time.time() - started, float(line.split()[1])))
            if time.time() - started > since + MEASURE:
                break
    finally:
        p.terminate()
        p.wait(timeout=10)
    return steady(figures, since)


def wine_rate(box, folder, size, since):
    settings = box.path(SETTINGS_PATH)
    settings.parent.mkdir(exist_ok=True)
    settings.write_bytes(ini({WIDTH: size[0], HEIGHT: size[1]}))
    renderer = box.start(
        folder / RENDERER_FILE,
        name="renderer",
        env=box.env(WINEDEBUG="+fps", ORVELLE_RENDERING="gl"),
    )
    time.sleep(since + MEASURE)  # a run of a fixed length, not a wait for a condition
    box.key("Escape")
    renderer.wait(timeout=30)
    # The lines come every 1.5 s from the first swap on; GetTickCount's
    # times are not printed, so they are counted.
    log = (box.logs / "renderer.out").read_text(errors="replace")
    rates = [float(m) for m in re.findall(r"@ approx ([\d.]+)fps", log)]
    return steady([(1.5 * i, rate) for i, rate in enumerate(rates)], since)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--x11", required=True)
    ap.add_argument("--win", required=True, help="the folder holding Orvelle.dll")
    ap.add_argument("--work", required=True)
    ap.add_argument("--rounds", type=int, default=2)
    args = ap.parse_args()
    work = Path(args.work).resolve()
    rates = {name: ([], [], []) for name in LAYOUTS}
    with WineBox(work, display=DummyDisplay(work / "xorg")) as box:
        folder = box.c_drive() / "Orvelle"
        folder.mkdir(exist_ok=True)
        shutil.copy(Path(args.win) / RENDERER_FILE, folder)
        # The layouts take turns, so that a busy spell of the machine does
        # not fall on one alone.
        for _ in range(args.rounds):
            for name, sizes in LAYOUTS.items():
                arrange(box.virtual, sizes)
                since = steady_from(sizes)
                rates[name][0].append(wine_rate(box, folder, sizes[0], since))
                rates[name][1].append(x11_rate(args.x11, box.virtual, since, "gl"))
                rates[name][2].append(x11_rate(args.x11, box.virtual, since, "cpu"))
    columns = ("Windows GL (Wine)", "X11 GL", "X11 processor")
    print(f"frames per second on llvmpipe at the steady load (best of {args.rounds} rounds):")
    print(f"{'monitors':<16}" + "".join(f"{c:>20}" for c in columns))
    best = {}
    for name, figures in rates.items():
        best[name] = [max(f) for f in figures]
        print(f"{name:<16}" + "".join(f"{b:>20.2f}" for b in best[name]))
    one, two, wide = best.values()
    # Cost per pixel is 1 / (frames per second x pixels): two monitors have
    # twice the pixels of one, and as many as the wide one (for the
    # processor, meaningful below the refresh only).
    print(
        "two monitors' cost per pixel (1.00: the same) against one of their size: "
        + ", ".join(f"{c} {o / t / 2:.2f}" for c, o, t in zip(columns, one, two))
    )
    print(
        "against one of all their pixels, a wider picture: "
        + ", ".join(f"{c} {w / t:.2f}" for c, w, t in zip(columns, wide, two))
    )


if __name__ == "__main__":
    main()
