"""Shared pieces of the end-to-end tests: a Wine box with the programs
installed, the settings file, the probe, and screenshot analysis."""

import os
import shutil
import sys
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
from winebox import WineBox, read_ppm  # noqa: E402,F401

BIN = Path(os.environ.get("ORVELLE_BIN", ROOT / "build/win/bin")).resolve()
WORK = Path(os.environ.get("ORVELLE_E2E_WORK", ROOT / "build/win/e2e")).resolve()
PROGRAM_FOLDER = "C:\\Orvelle"
SETTINGS_DIR = "pellan_temp"


class WineTestCase(unittest.TestCase):
    """One Wine box (prefix, Xvfb, wineserver) for all tests of a class."""

    screen = "1024x768"

    @classmethod
    def setUpClass(cls):
        cls.box = WineBox(WORK, screen=cls.screen)
        cls.box.__enter__()
        cls.folder = cls.box.c_drive() / "Orvelle"
        cls.shots = WORK / "screenshots"
        cls.shots.mkdir(parents=True, exist_ok=True)

    @classmethod
    def tearDownClass(cls):
        cls.box.shutdown()

    def setUp(self):
        # Every test starts from a clean program folder and no settings.
        if self.folder.exists():
            shutil.rmtree(self.folder)
        self.folder.mkdir(parents=True)
        for name in ("Orvelle.dll", "Orvelle.scr", "probe.exe"):
            if (BIN / name).exists():
                shutil.copy(BIN / name, self.folder / name)
        settings = self.box.c_drive() / SETTINGS_DIR
        if settings.exists():
            shutil.rmtree(settings)

    def tearDown(self):
        # Nothing of a test may outlive it.
        self.box.run("wineboot", "--end-session", timeout=20, name="endsession")
        import subprocess
        subprocess.run(["wineserver", "-k"], env=self.box.env(), timeout=20)
        for p in self.box.processes:
            if p.poll() is None:
                p.kill()
        self.box.processes.clear()
        self.box._spawn(["wineserver", "-p"], "wineserver").wait(timeout=30)

    # -- settings file ------------------------------------------------------
    def settings_path(self):
        return self.box.c_drive() / SETTINGS_DIR / "Orvelle.ini"

    def write_settings(self, text_bytes):
        path = self.settings_path()
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(text_bytes)

    # -- probe --------------------------------------------------------------
    def probe(self, *args, timeout=30, desktop=None):
        """Runs the probe; returns (exit code, output). With desktop, inside
        that Wine virtual desktop (output through a file)."""
        if desktop is None:
            return self.box.run(self.folder / "probe.exe", *args, timeout=timeout, name="probe")
        out = self.box.c_drive() / "probe-out.txt"
        if out.exists():
            out.unlink()
        self.box.run("explorer", f"/desktop={desktop}", self.folder / "probe.exe", "-o",
                     "C:\\probe-out.txt", *args, timeout=timeout, name="probe-desktop")
        deadline = time.time() + timeout
        while time.time() < deadline:
            if out.exists() and out.stat().st_size > 0:
                time.sleep(0.05)
                return 0, out.read_text()
            time.sleep(0.05)
        return 1, ""

    def window(self, caption, wait_ms=0):
        """The probe's description of a top-level window as a dict, or None."""
        code, out = self.probe("window", caption, str(wait_ms))
        if code != 0 or not out.startswith("class="):
            return None
        return dict(item.split("=", 1) for item in out.split())

    def screenshot(self, name):
        return Screenshot(self.box.screenshot(self.shots / f"{self.id().split('.')[-1]}-{name}.ppm"))


class Screenshot:
    def __init__(self, path):
        self.path = path
        self.width, self.height, self.rgb = read_ppm(path)

    def pixels(self, left=0, top=0, width=None, height=None):
        width = self.width if width is None else width
        height = self.height if height is None else height
        for y in range(top, top + height):
            row = (y * self.width + left) * 3
            for x in range(width):
                i = row + x * 3
                yield self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def brightest(self, region):
        return max(max(p) for p in self.pixels(*region))

    def colour_counts(self, region, level=100, margin=40):
        """Pixels in which one channel is bright and clearly above the others."""
        counts = {"red": 0, "green": 0, "blue": 0, "lit": 0}
        for r, g, b in self.pixels(*region):
            if max(r, g, b) >= 40:
                counts["lit"] += 1
            if r >= level and r >= g + margin and r >= b + margin:
                counts["red"] += 1
            if g >= level and g >= r + margin and g >= b + margin:
                counts["green"] += 1
            if b >= level and b >= r + margin and b >= g + margin:
                counts["blue"] += 1
        return counts

    def differing_pixels(self, other, region, threshold=24):
        n = 0
        for a, b in zip(self.pixels(*region), other.pixels(*region)):
            if max(abs(a[0] - b[0]), abs(a[1] - b[1]), abs(a[2] - b[2])) >= threshold:
                n += 1
        return n
