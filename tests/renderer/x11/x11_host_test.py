# The X11 host, orvelle, under Xvfb with Mesa: its own window and SIGTERM, a
# window someone else made, resized and destroyed, a bad window id, and the
# same frame as the off-screen host. Then on the root window of an X.Org
# server with two RandR monitors: each covered, and followed when one is
# turned off and on again.

import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from ctypes import CDLL, c_int, c_uint, c_ulong, c_void_p
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "e2e"))
from e2e_support import Screenshot, covered, main, wait_until  # noqa: E402
from winebox import DummyDisplay, VirtualDisplay, screenshot  # noqa: E402

BUILD = Path(os.environ["ORVELLE_BUILD"])
HOST = BUILD / "renderer/orvelle"
FRAMES = BUILD / "renderer/orvelle-frames"


class Host(unittest.TestCase):
    # A server of the class's own (an 800x600 Xvfb unless it says), and the host on it.

    @classmethod
    def setUpClass(cls, server=None):
        cls.work = Path(cls.enterClassContext(tempfile.TemporaryDirectory(prefix="orvelle-x11-")))
        cls.display = server(cls.work) if server else VirtualDisplay(cls.work, "800x600")
        cls.env = cls.enterClassContext(cls.display).env()
        cls.env.pop("XSCREENSAVER_WINDOW", None)

    def start(self, *args, env=None):
        p = subprocess.Popen([HOST, *map(str, args)], env=env or self.env, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (p.poll() is None and p.kill(), p.communicate()))
        return p

    def window(self, x, y, width, height):
        # A window of someone else's, made through Xlib: its id, and the call
        # that sends an Xlib request about it (and waits for it to be done).
        xlib = CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = c_void_p
        xlib.XDefaultRootWindow.restype = xlib.XCreateSimpleWindow.restype = c_ulong
        xlib.XCreateSimpleWindow.argtypes = [c_void_p, c_ulong, c_int, c_int, c_uint, c_uint,
                                             c_uint, c_ulong, c_ulong]
        display = c_void_p(xlib.XOpenDisplay(self.env["DISPLAY"].encode()))
        self.addCleanup(xlib.XCloseDisplay, display)
        window = c_ulong(xlib.XCreateSimpleWindow(display, xlib.XDefaultRootWindow(display), x, y,
                                                  width, height, 0, 0, 0))

        def request(name, *args):
            getattr(xlib, name)(display, window, *args)
            xlib.XSync(display, 0)
        request("XMapWindow")
        return window.value, request

    def screenshot(self):
        return Screenshot(screenshot(self.env["DISPLAY"], self.work / "shot.ppm"))

    def lit(self, region):
        # How many pixels of a region of the screen are lit.
        return self.screenshot().colour_counts(region)["lit"]


class X11Host(Host):
    def test_its_own_window_shows_the_three_lights_until_a_signal(self):
        host = self.start("-geometry", "640x480")
        self.assertTrue(wait_until(lambda: self.screenshot().lights((0, 0, 640, 480)) > 10, 15),
                        "no red, green and blue light")
        sent = time.time()
        host.send_signal(signal.SIGTERM)
        self.assertEqual(host.wait(timeout=5), 0)
        self.assertLess(time.time() - sent, 1.0)

    def test_a_window_made_elsewhere_is_drawn_in_followed_and_its_end_ends_it(self):
        window_id, request = self.window(200, 150, 320, 240)
        # As XScreenSaver starts a saver: -root, and its own window named aside.
        host = self.start("--root", env=dict(self.env, XSCREENSAVER_WINDOW=hex(window_id)))
        self.assertTrue(wait_until(lambda: self.lit((200, 150, 320, 240)), 15), "nothing drawn")
        self.assertEqual(self.lit((0, 0, 800, 150)) + self.lit((0, 390, 800, 210)), 0,
                         "drawn outside the window")
        # A larger window: the picture follows, centred on the new size.
        request("XResizeWindow", 560, 420)
        self.assertTrue(wait_until(lambda: self.lit((530, 150, 230, 420)), 15),
                        "the picture did not follow the new size")
        request("XDestroyWindow")
        self.assertEqual(host.wait(timeout=5), 0)

    def test_a_window_id_that_names_no_window_fails_at_once(self):
        host = self.start("-window-id", "0x7ffffff0")
        self.assertEqual(host.wait(timeout=5), 1)
        self.assertEqual(host.stderr.read().strip(), "orvelle: window 0x7ffffff0 does not exist")

    def test_the_same_frame_as_the_off_screen_host(self):
        # Both draw with Mesa's llvmpipe: byte for byte the same colours.
        mine, theirs = self.work / "x11.ppm", self.work / "offscreen.ppm"
        host = self.start("-geometry", "320x240", "-seed", "7", "-clock-step", "20",
                          "-snapshot-at", "3000", mine)
        self.assertEqual(host.wait(timeout=60), 0)
        subprocess.run([FRAMES, "320", "240", "7", "3000", "20", theirs], check=True, timeout=60)
        self.assertEqual(mine.read_bytes(), theirs.read_bytes())


class X11HostOnMonitors(Host):
    @classmethod
    def setUpClass(cls):
        super().setUpClass(DummyDisplay)
        cls.display.add("DUMMY1", 800, 600)
        subprocess.run(["xsetroot", "-solid", "white"], env=cls.env, check=True, timeout=20)

    def test_each_monitor_shows_a_scene_of_its_own_at_its_size(self):
        # Each part as the off-screen host draws the scene made first, and second.
        mine, alone = self.work / "root.ppm", self.work / "alone.ppm"
        host = self.start("-root", "-seed", "7", "-clock-step", "100", "-snapshot-at", "2000", mine)
        self.assertEqual(host.wait(timeout=60), 0)
        for made, (left, top, width, height) in ((0, (0, 0, 1024, 768)), (1, (1024, 0, 800, 600))):
            subprocess.run([FRAMES, *map(str, (width, height, 7, 2000, 100, alone, made))],
                           check=True, timeout=60)
            pairs = zip(Screenshot(mine).pixels(left, top, width, height),
                        Screenshot(alone).pixels(0, 0, width, height))
            # To one level: the viewport's offset moves a few edges' rounding.
            self.assertLessEqual(max(abs(a - b) for p, q in pairs for a, b in zip(p, q)), 1)

    def test_the_root_window_covers_each_monitor_and_follows_them(self):
        host = self.start("-root")
        monitors = self.display.monitors()
        self.assertEqual(sorted(monitors.values()), [(0, 0, 1024, 768), (1024, 0, 800, 600)])

        def cover(*names):
            return lambda: all(covered(self.screenshot(), monitors[n]) for n in names)
        self.assertTrue(wait_until(cover("DUMMY0", "DUMMY1"), 60), "a monitor is not covered")
        self.display.xrandr("--output", "DUMMY1", "--off")
        self.assertTrue(wait_until(lambda: self.screenshot().width == 1024 and cover("DUMMY0")(),
                                   30), "the primary is not covered any more")
        # The screen grown first, so that the monitor coming back changes the monitors only.
        self.display.xrandr("--fb", "1824x768")
        self.assertTrue(wait_until(lambda: self.screenshot().width == 1824, 30))
        self.display.add("DUMMY1", 800, 600)
        self.assertTrue(wait_until(cover("DUMMY1"), 60), "the second monitor is not covered again")
        host.send_signal(signal.SIGTERM)
        self.assertEqual(host.wait(timeout=10), 0)


if __name__ == "__main__":
    main()
