# The helpers of every Python test: waiting for a condition with a deadline,
# screenshots and their pixels, settings files, the probe's lines, Wine's
# media trace, a sound file, and the runner that counts a skip as a failure.

import faulthandler
import re
import subprocess
import sys
import time
import unittest
from pathlib import Path

from harness.product import SECTION

# What a subprocess gives back: nothing, or its output as text.
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
TEXT = {"capture_output": True, "text": True}


def wait_until(condition, timeout, interval=0.05):
    # The first true value of condition() within timeout seconds, else the last.
    deadline = time.time() + timeout
    while not (value := condition()) and time.time() < deadline:
        time.sleep(interval)
    return value


def screenshot(display, path):
    # The whole screen of an X display as an image (PPM or PNG by extension).
    command = ["import", "-display", display, "-window", "root", "-depth", "8", str(path)]
    subprocess.run(command, check=True, timeout=30, capture_output=True)
    return Path(path)


def ini(values):
    # A settings file: its section and key=value lines (bytes, or text in Shift-JIS).
    def raw(v):
        return v if isinstance(v, bytes) else str(v).encode("cp932")

    lines = [raw(k) + b"=" + raw(v) for k, v in values.items()]
    return b"\r\n".join([b"[" + SECTION + b"]", *lines, b""])


def fields(line):
    # The key=value fields of a line of the probe's, apart by tabs.
    return dict(item.split("=", 1) for item in line.split("\t") if "=" in item)


TRACE_LINE = re.compile(r'mciSendStringW \(L"((?:[^"\\]|\\.)*)", [0-9A-Fa-f]+, (\d+),')


def media_commands(log):
    # (command, reply capacity) of every command a program sent, from Wine's
    # own trace of its media control interface (WINEDEBUG=trace+mci) in its
    # log. Wine traces its inner commands too: when a command names a device
    # that is not open it opens it itself and sends the command again, both
    # with " wait" appended; those are left out.
    text = Path(log).read_text(errors="replace")
    sent = [
        (m.group(1).replace('\\"', '"').replace("\\\\", "\\"), int(m.group(2)))
        for m in TRACE_LINE.finditer(text)
    ]
    return [(c, n) for c, n in sent if not c.endswith(" wait")]


def sine_mp3(path):
    # A sine tone of about 1.5 s, encoded as MP3 by GStreamer.
    pipeline = (
        "audiotestsrc num-buffers=64 samplesperbuffer=1024 ! audio/x-raw,rate=44100,channels=1"
    )
    command = ["gst-launch-1.0", "-q", *pipeline.split(), "!", "lamemp3enc", "!", "filesink"]
    subprocess.run([*command, f"location={path}"], check=True, timeout=60, capture_output=True)


class Screenshot:
    # A binary PPM image: its size and its RGB bytes, rows top first.

    def __init__(self, path):
        data = Path(path).read_bytes()
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height, self.rgb = int(header[1]), int(header[2]), data[header.end() :]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i : i + 3])

    def pixels(self, left, top, width, height, step=1):
        # Every pixel of the region, or every step-th of every step-th row.
        for y in range(top, top + height, step):
            row = self.rgb[(y * self.width + left) * 3 : (y * self.width + left + width) * 3]
            yield from zip(row[0 :: 3 * step], row[1 :: 3 * step], row[2 :: 3 * step])

    def colour_counts(self, region, step=1):
        # Lit pixels, and those in which one channel clearly leads, brightly.
        counts = dict.fromkeys(("red", "green", "blue", "lit"), 0)
        for p in self.pixels(*region, step=step):
            counts["lit"] += max(p) >= 40
            for i, name in enumerate(("red", "green", "blue")):
                counts[name] += p[i] >= 100 and p[i] >= max(p[:i] + p[i + 1 :]) + 40
        return counts

    def lights(self, region, step=1):
        # The fewest of the red, green and blue pixels of a region.
        counts = self.colour_counts(region, step)
        return min(counts["red"], counts["green"], counts["blue"])


def covered(shot, monitor, white=None):
    # Red, green and blue light on the monitor, and less than half of the
    # white region (the whole monitor unless given) left white; from every
    # other pixel of every other row.
    region = white or monitor
    whites = sum(min(p) >= 250 for p in shot.pixels(*region, step=2))
    return shot.lights(monitor, step=2) > 5 and whites * 8 < region[2] * region[3]


def main():
    # Runs the calling module's tests; a skipped test fails the run. A fault
    # in this process prints where each thread was.
    faulthandler.enable()
    result = unittest.main(module="__main__", verbosity=2, exit=False).result
    if result.skipped:
        print(f"{len(result.skipped)} test(s) skipped: a skip counts as a failure")
    sys.exit(0 if result.wasSuccessful() and not result.skipped else 1)
