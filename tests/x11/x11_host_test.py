"""The X11 host, orvelle, under Xvfb with Mesa: its own window and SIGTERM, a
window someone else made, resized and destroyed, a bad window id, and the
same frame as the off-screen host."""

import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from e2e_support import Screenshot, main, wait_until  # noqa: E402
from winebox import VirtualDisplay  # noqa: E402

BUILD = Path(os.environ["ORVELLE_BUILD"])
HOST = BUILD / "renderer/orvelle"
FRAMES = BUILD / "renderer/orvelle-frames"
TEST_WINDOW = BUILD / "tests/x11_test_window"


class X11Host(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = Path(tempfile.mkdtemp(prefix="orvelle-x11-"))
        cls.display = VirtualDisplay("800x600").start()
        cls.addClassCleanup(cls.display.stop)
        cls.env = cls.display.env()
        cls.env.pop("XSCREENSAVER_WINDOW", None)

    def start(self, *args):
        p = subprocess.Popen([str(HOST), *map(str, args)], env=self.env,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (p.poll() is None and p.kill(), p.wait(), p.stdout.close(),
                                 p.stderr.close()))
        return p

    def window(self, *geometry):
        """A window of someone else's (x y width height), and its id."""
        window = subprocess.Popen([str(TEST_WINDOW), *map(str, geometry)], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (window.kill(), window.wait(), window.stdin.close(),
                                 window.stdout.close()))
        return window, window.stdout.readline().split()[1]

    def lit(self, region):
        """The lit pixels of a region of the screen."""
        path = self.work / "shot.ppm"
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", "-depth", "8",
                        str(path)], check=True, env=self.env, timeout=30)
        return [p for p in Screenshot(path).pixels(*region) if max(p) > 40]

    def test_its_own_window_shows_the_three_lights_until_a_signal(self):
        host = self.start("-geometry", "640x480")

        def three_colours():
            pixels = self.lit((0, 0, 640, 480))
            return all(any(p[c] > 150 and p[c] > 2 * max(p[:c] + p[c + 1:]) for p in pixels)
                       for c in range(3))
        self.assertTrue(wait_until(three_colours, 15), "no red, green and blue light")
        sent = time.time()
        host.send_signal(signal.SIGTERM)
        self.assertEqual(host.wait(timeout=5), 0)
        self.assertLess(time.time() - sent, 1.0)

    def test_a_window_made_elsewhere_is_drawn_in_followed_and_its_end_ends_it(self):
        window, window_id = self.window(200, 150, 320, 240)
        host = self.start("-window-id", hex(int(window_id)))
        self.assertTrue(wait_until(lambda: self.lit((200, 150, 320, 240)), 15), "nothing drawn")
        self.assertEqual(self.lit((0, 0, 800, 150)) + self.lit((0, 390, 800, 210)), [],
                         "drawn outside the window")
        # A larger window: the picture follows, centred on the new size.
        window.stdin.write("resize 560 420\n")
        window.stdin.flush()
        window.stdout.readline()
        self.assertTrue(wait_until(lambda: self.lit((530, 150, 230, 420)), 15),
                        "the picture did not follow the new size")
        window.stdin.write("destroy\n")
        window.stdin.flush()
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
        subprocess.run([str(FRAMES), "320", "240", "7", "3000", "20", str(theirs)], check=True,
                       timeout=60)
        self.assertEqual(mine.read_bytes(), theirs.read_bytes())


if __name__ == "__main__":
    main()
