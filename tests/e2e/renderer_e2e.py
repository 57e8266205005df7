"""The renderer, Orvelle.dll, as a user sees it, under Wine and Xvfb."""

import time
import unittest

from e2e_support import PROGRAM_FOLDER, WineTestCase

RENDERER = PROGRAM_FOLDER + "\\Orvelle.dll"
WINDOW = (0, 0, 800, 600)  # left, top, width, height on the X screen


class RendererRun(WineTestCase):
    def start_renderer(self, desktop=None):
        """Starts the renderer through the probe, which reports its exit code."""
        args = ["run-wait", "60000", RENDERER]
        if desktop:
            exit_file = self.box.c_drive() / "renderer-exit.txt"
            if exit_file.exists():
                exit_file.unlink()
            return self.box.start("explorer", f"/desktop={desktop}", self.folder / "probe.exe",
                                  "-o", "C:\\renderer-exit.txt", *args, name="renderer")
        return self.box.start(self.folder / "probe.exe", *args, name="renderer")

    def end_with_escape(self, runner):
        # Keys reach the window once X has mapped it; press until it ends.
        self.box.x_window("Zelkor_VC", timeout=20)
        for _ in range(50):
            self.box.key("Escape")
            try:
                runner.wait(timeout=0.2)
                return
            except Exception:
                pass
        self.fail("Escape did not end the renderer")

    def test_window_picture_mouse_and_escape(self):
        self.write_settings(b"[Section]\r\nWidth= 800\r\nHeight= 600\r\n")
        runner = self.start_renderer()
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=20), "no renderer window")
        # Within the first second of the scene clock nothing is drawn.
        early = self.screenshot("early")
        window = self.window("Zelkor_VC")
        self.assertIsNotNone(window)
        self.assertEqual(window["class"], "OGLC_Class")
        self.assertEqual((window["x"], window["y"]), ("0", "0"))
        self.assertEqual((window["width"], window["height"]), ("800", "600"))
        self.assertEqual(int(window["style"], 16) & 0x80000000, 0x80000000, "WS_POPUP")
        self.assertLess(early.brightest(WINDOW), 16, "the first second must be black")

        time.sleep(2.5)
        late = self.screenshot("late")
        counts = late.colour_counts(WINDOW)
        for colour in ("red", "green", "blue"):
            self.assertGreater(counts[colour], 10, f"no {colour} light in {counts}")

        # Moving the mouse does not end the renderer.
        self.box.xdotool("mousemove", "100", "100")
        self.box.xdotool("mousemove", "400", "300")
        time.sleep(0.5)
        self.assertIsNone(runner.poll())
        self.assertIsNotNone(self.window("Zelkor_VC"))

        # Escape ends it with exit code 0 within a second. The probe that
        # waits for it adds its own exit to the time measured.
        pressed = time.time()
        self.box.key("Escape")
        runner.wait(timeout=10)
        ended = time.time() - pressed
        self.assertIn("exit=0", (self.box.logs / "renderer.out").read_text())
        self.assertLess(ended, 1.0)
        self.assertIsNone(self.window("Zelkor_VC"))

    def test_trails_cover_far_more_than_the_stars_and_keep_moving(self):
        self.write_settings(b"[Section]\r\nWidth= 800\r\nHeight= 600\r\n")
        runner = self.start_renderer()
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=20))
        started = time.time()
        time.sleep(1.3)
        stars = self.screenshot("stars").colour_counts(WINDOW)["lit"]
        time.sleep(max(0.0, started + 5.0 - time.time()))
        first = self.screenshot("five-seconds")
        time.sleep(1.0)
        second = self.screenshot("six-seconds")
        lit = first.colour_counts(WINDOW)["lit"]
        # Three stars of twelve rays light a few thousand pixels at most.
        self.assertGreater(lit, 15000, f"trails light only {lit} pixels")
        self.assertGreater(lit, 4 * stars)
        self.assertGreater(first.differing_pixels(second, WINDOW), 2000)
        self.end_with_escape(runner)

    def test_unusable_sizes_fall_back_to_1024_by_768(self):
        for settings in (None, b"[Section]\r\nWidth= 0\r\nHeight= 0\r\n",
                         b"[Section]\r\nWidth=-800\r\nHeight=abc\r\n"):
            with self.subTest(settings=settings):
                if settings is not None:
                    self.write_settings(settings)
                runner = self.start_renderer()
                window = self.window("Zelkor_VC", wait_ms=20000)
                self.assertIsNotNone(window)
                self.assertEqual((window["width"], window["height"]), ("1024", "768"))
                self.end_with_escape(runner)

    def test_switches_the_display_and_restores_it(self):
        # A bare X server refuses mode changes; a Wine virtual desktop has modes.
        desktop = "orvelle,1280x1024"
        self.write_settings(b"[Section]\r\nWidth= 800\r\nHeight= 600\r\n")
        # The desktop ends with its last program; keep one running meanwhile.
        self.box.start("explorer", f"/desktop={desktop}", self.folder / "probe.exe", "sleep",
                       "120000", name="desktop")
        self.assertIsNotNone(self.box.x_window("orvelle - .*", timeout=20))
        # Wine keeps no registry mode for a virtual desktop (it reads 0 x 0),
        # so restoring would go nowhere; on Windows the user's mode is there.
        self.assertIn("result=0", self.probe("register-mode", "1024", "768", desktop=desktop)[1])
        self.assertIn("mode=1024x768", self.probe("screen", desktop=desktop)[1])
        runner = self.start_renderer(desktop=desktop)
        deadline = time.time() + 20
        out = ""
        while time.time() < deadline and "mode=800x600" not in out:
            out = self.probe("screen", desktop=desktop, timeout=5)[1]
        self.assertIn("mode=800x600", out,
                      self.probe("window", "Zelkor_VC", desktop=desktop)[1])
        # The renderer started inside the desktop reports its exit in a file.
        exit_file = self.box.c_drive() / "renderer-exit.txt"
        deadline = time.time() + 20
        while time.time() < deadline and "exit=" not in (
                exit_file.read_text() if exit_file.exists() else ""):
            self.box.key("Escape")
            time.sleep(0.2)
        runner.wait(timeout=20)
        self.assertIn("exit=0", exit_file.read_text())
        self.assertIn("mode=1024x768", self.probe("screen", desktop=desktop)[1])


if __name__ == "__main__":
    unittest.main(verbosity=2)
