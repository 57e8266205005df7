# Shared pieces of the end-to-end tests: a Wine box per test class with the
# programs installed, settings files, the probe, deadlines and screenshots.

import faulthandler
import os
import re
import shutil
import subprocess
import sys
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "installer"))
from winebox import WineBox, wait_until  # noqa: E402,F401 (wait_until for the tests)

BIN = Path(os.environ.get("ORVELLE_BIN", ROOT / "build/win/bin")).resolve()
# The renderer draws with OpenGL in these tests unless one says otherwise:
# Wine's OpenGL here is Mesa's llvmpipe, in software, where the renderer
# would choose the processor backend by itself.
os.environ["ORVELLE_RENDERING"] = "gl"
WORK = Path(os.environ.get("ORVELLE_E2E_WORK", ROOT / "build/win/e2e")).resolve()
# The music keys of the settings file, in Shift-JIS as the front end writes them.
KIND, REPEAT, FILE = (key.encode("cp932") for key in ("BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"))


def ini(values):
    # A settings file: [Section] and key=value lines (bytes, or text in Shift-JIS).
    def raw(v):
        return v if isinstance(v, bytes) else str(v).encode("cp932")
    return b"[Section]\r\n" + b"".join(raw(k) + b"=" + raw(v) + b"\r\n" for k, v in values.items())


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
    sent = [(m.group(1).replace('\\"', '"').replace("\\\\", "\\"), int(m.group(2)))
            for m in TRACE_LINE.finditer(text)]
    return [(c, n) for c, n in sent if not c.endswith(" wait")]


def sine_mp3(path):
    # A sine tone of about 1.5 s, encoded as MP3 by GStreamer.
    subprocess.run(["gst-launch-1.0", "-q", "audiotestsrc", "num-buffers=64",
                    "samplesperbuffer=1024", "!", "audio/x-raw,rate=44100,channels=1", "!",
                    "lamemp3enc", "!", "filesink", f"location={path}"],
                   check=True, timeout=60, capture_output=True)


class WineTestCase(unittest.TestCase):
    # One Wine box (prefix, Xvfb, wineserver) for a class's tests, each with a
    # clean program folder, no settings and no program of an earlier test.

    programs = ("Orvelle.dll", "Orvelle.scr", "probe.exe")
    display = None  # an X server of the class's own (a display object); else an Xvfb

    @classmethod
    def setUpClass(cls):
        cls.box = cls.enterClassContext(WineBox(WORK, display=cls.display, name=cls.__name__))
        cls.folder = cls.box.c_drive() / "Orvelle"
        cls.shots = WORK / "screenshots"
        cls.shots.mkdir(parents=True, exist_ok=True)

    def setUp(self):
        self.box.restart()
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.rmtree(self.settings_path().parent, ignore_errors=True)
        self.folder.mkdir(parents=True)
        for name in self.programs:
            shutil.copy(BIN / name, self.folder / name)

    def settings_path(self):
        return self.box.c_drive() / "pellan_temp/Orvelle.ini"

    def write_settings(self, text_bytes):
        self.settings_path().parent.mkdir(parents=True, exist_ok=True)
        self.settings_path().write_bytes(text_bytes)

    def probe(self, *args):
        # Runs the probe to its end; returns (exit code, output).
        return self.box.run(self.folder / "probe.exe", *args, timeout=30, name="probe")

    def described(self, caption, wait_ms=10000, *font):
        # The probe's description of a top-level window (waiting for it up to
        # wait_ms), then one for each of its controls, as dicts; [] without it.
        # With a face and a size in points, each text is measured in that font.
        code, out = self.probe("describe", caption, wait_ms, *font)
        return [fields(line) for line in out.splitlines()] if code == 0 else []

    def window(self, caption, wait_ms=0):
        # The description of a top-level window alone, or None.
        return next(iter(self.described(caption, wait_ms)), None)

    def escape_ends(self, process):
        # Presses Escape (which reaches a window only once X has mapped it)
        # until the process has ended.
        ended = wait_until(lambda: self.box.key("Escape") and process.poll() is not None, 20,
                           interval=0.2)
        self.assertTrue(ended, "Escape did not end it")

    def ended_promptly(self, process, end):
        # The process's exit code, once end() has ended it.
        started = time.time()
        end()
        code = process.wait(timeout=10)
        self.assertLess(time.time() - started, 5.0)  # promptly, on a loaded machine too
        return code

    def screenshot(self, name):
        # The screen now, kept as the test's NAME.ppm.
        path = self.shots / f"{self.id().split('.')[-1]}-{name}.ppm"
        return Screenshot(self.box.screenshot(path))


class Screenshot:
    # A binary PPM image: its size and its RGB bytes, rows top first.

    def __init__(self, path):
        data = Path(path).read_bytes()
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height, self.rgb = int(header[1]), int(header[2]), data[header.end():]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def pixels(self, left, top, width, height, step=1):
        # Every pixel of the region, or every step-th of every step-th row.
        for y in range(top, top + height, step):
            row = self.rgb[(y * self.width + left) * 3:(y * self.width + left + width) * 3]
            yield from zip(row[0::3 * step], row[1::3 * step], row[2::3 * step])

    def colour_counts(self, region, step=1):
        # Lit pixels, and those in which one channel clearly leads, brightly.
        counts = dict.fromkeys(("red", "green", "blue", "lit"), 0)
        for p in self.pixels(*region, step=step):
            counts["lit"] += max(p) >= 40
            for i, name in enumerate(("red", "green", "blue")):
                counts[name] += p[i] >= 100 and p[i] >= max(p[:i] + p[i + 1:]) + 40
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
