"""The renderer, Orvelle.dll, as a user sees it, under Wine and Xvfb."""

import time

from e2e_support import PROGRAM_FOLDER, WineTestCase, main, wait_until

RENDERER = PROGRAM_FOLDER + "\\Orvelle.dll"
WINDOW = (0, 0, 800, 600)  # left, top, width, height on the X screen
SIZE_800 = b"[Section]\r\nWidth= 800\r\nHeight= 600\r\n"


class Renderer(WineTestCase):
    def start_renderer(self, desktop=None, env=None):
        """Starts the renderer through the probe, which reports its exit code."""
        args = ["run-wait", "60000", RENDERER]
        if desktop:
            (self.box.c_drive() / "renderer-exit.txt").unlink(missing_ok=True)
            return self.box.start("explorer", f"/desktop={desktop}", self.folder / "probe.exe",
                                  "-o", "C:\\renderer-exit.txt", *args, name="renderer")
        return self.box.start(self.folder / "probe.exe", *args, name="renderer", env=env)

    def test_window_picture_trails_mouse_swap_interval_and_escape(self):
        self.write_settings(SIZE_800)
        runner = self.start_renderer(env=self.box.env(WINEDEBUG="trace+wgl"))
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=60), "no renderer window")
        # Within the first second of the scene clock nothing is drawn.
        self.assertLess(self.screenshot("early").brightest(WINDOW), 16)
        window = self.window("Zelkor_VC")
        self.assertEqual([window[k] for k in ("class", "x", "y", "width", "height")],
                         ["OGLC_Class", "0", "0", "800", "600"])
        self.assertEqual(int(window["style"], 16) & 0x80000000, 0x80000000, "WS_POPUP")

        # Three lights; three stars of twelve rays light a few thousand pixels
        # at most, the trails tens of thousands within seconds at any frame rate.
        shots = []

        def lit():
            shots.append(self.screenshot(f"lights-{len(shots)}"))
            counts = shots[-1].colour_counts(WINDOW)
            return min(counts["red"], counts["green"], counts["blue"]) > 10 and counts["lit"] > 15000
        self.assertTrue(wait_until(lit, 20), shots[-1].colour_counts(WINDOW))
        self.assertTrue(wait_until(lambda: self.differing(shots[-1], self.screenshot("later")) > 2000,
                                   10), "the picture stands still")
        # One frame per display refresh is asked of the driver (Wine's X11
        # driver records the request; a virtual X server has no refresh to wait for).
        self.assertIn("wglSwapIntervalEXT (1)",
                      (self.box.logs / "renderer.out").read_text(errors="replace"))

        # Moving the mouse does not end the renderer; Escape ends it with exit
        # code 0 at once (the probe that waits for it adds to the time measured).
        self.box.xdotool("mousemove", 100, 100)
        self.box.xdotool("mousemove", 400, 300)
        self.assertIsNotNone(self.window("Zelkor_VC"))
        self.assertIsNone(runner.poll())
        pressed = time.time()
        self.box.key("Escape")
        runner.wait(timeout=10)
        self.assertLess(time.time() - pressed, 2.0)
        self.assertIn("exit=0", (self.box.logs / "renderer.out").read_text(errors="replace"))
        self.assertIsNone(self.window("Zelkor_VC"))

    @staticmethod
    def differing(a, b):
        return sum(1 for p, q in zip(a.pixels(*WINDOW), b.pixels(*WINDOW))
                   if max(abs(p[0] - q[0]), abs(p[1] - q[1]), abs(p[2] - q[2])) >= 24)

    def test_unusable_sizes_fall_back_to_1024_by_768(self):
        for settings in (None, b"[Section]\r\nWidth= 0\r\nHeight= 0\r\n",
                         b"[Section]\r\nWidth=-800\r\nHeight=abc\r\n"):
            with self.subTest(settings=settings):
                if settings is not None:
                    self.write_settings(settings)
                runner = self.start_renderer()
                window = self.window("Zelkor_VC", wait_ms=60000)
                self.assertEqual((window["width"], window["height"]), ("1024", "768"))
                self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=60))
                self.escape_ends(runner)

    def test_switches_the_display_and_restores_it(self):
        # A bare X server refuses mode changes; a Wine virtual desktop has modes.
        desktop = "orvelle,1280x1024"
        self.write_settings(SIZE_800)
        # The desktop ends with its last program; keep one running meanwhile.
        self.box.start("explorer", f"/desktop={desktop}", self.folder / "probe.exe", "hold",
                       "keeper", "120000", name="desktop")
        self.assertIsNotNone(self.box.x_window("orvelle - .*", timeout=60))
        # Wine keeps no registry mode for a virtual desktop (it reads 0 x 0),
        # so restoring would go nowhere; on Windows the user's mode is there.
        self.assertIn("result=0", self.probe("register-mode", "1024", "768", desktop=desktop)[1])
        self.assertIn("mode=1024x768", self.probe("screen", desktop=desktop)[1])
        runner = self.start_renderer(desktop=desktop)
        switched = wait_until(lambda: "mode=800x600" in self.probe("screen", desktop=desktop,
                                                                    timeout=5)[1], 20)
        self.assertTrue(switched, self.probe("window", "Zelkor_VC", desktop=desktop)[1])
        exit_file = self.box.c_drive() / "renderer-exit.txt"
        self.escape_ends(runner, exit_file.exists)
        runner.wait(timeout=20)
        self.assertIn("exit=0", exit_file.read_text())
        self.assertIn("mode=1024x768", self.probe("screen", desktop=desktop)[1])


if __name__ == "__main__":
    main()
