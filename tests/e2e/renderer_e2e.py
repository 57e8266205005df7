# The renderer, Orvelle.dll, as a user sees it, under Wine and Xvfb. (Its
# display mode switched and given back is seen on real RandR monitors, in
# monitors_e2e.py.)

import time

from harness.product import HEIGHT, RENDERER_CAPTION, RENDERER_CLASS, RENDERER_FILE, WIDTH
from harness.support import ini, main, wait_until
from harness.winebox import WineTestCase

WINDOW = (0, 0, 800, 600)  # left, top, width, height on the X screen


class Renderer(WineTestCase):
    def first_second(self):
        # Starts the renderer and returns it with the brightest pixel of each
        # screenshot taken, whole, within the first second of its scene clock.
        # The clock starts after the renderer's one line on the debugger
        # output, which Wine stamps with the time of the clock used here.
        runner = self.box.start(
            self.folder / RENDERER_FILE,
            name="renderer",
            env=self.box.env(WINEDEBUG="+timestamp,+debugstr,trace+wgl"),
        )
        self.assertIsNotNone(self.box.x_window(RENDERER_CAPTION, timeout=60), "no renderer window")
        log, judged = self.box.logs / "renderer.out", []

        def sample():
            shot = self.screenshot(f"early-{len(judged)}")
            taken = time.clock_gettime(time.CLOCK_MONOTONIC_RAW)
            lines = [
                line
                for line in log.read_text(errors="replace").splitlines()
                if "OutputDebugStringA" in line
            ]
            started = float(lines[0].split(":")[0]) if lines else None
            if started is not None and taken < started + 1.0:
                judged.append(max(map(max, shot.pixels(*WINDOW))))
            return started is not None and taken >= started + 1.0

        self.assertTrue(wait_until(sample, 60), "no line on the debugger output")
        return runner, judged

    def test_window_picture_trails_mouse_swap_interval_and_escape(self):
        # Xvfb refuses this size: the window covers the screen as it is.
        self.write_settings(ini({WIDTH: " 800", HEIGHT: " 600"}))
        # Within the first second of the scene clock nothing is drawn: judged
        # on the screenshots known to fall in it, at any speed (a start that
        # gave none is tried again).
        for _ in range(3):
            runner, judged = self.first_second()
            if judged:
                break
            self.escape_ends(runner)
        self.assertTrue(judged, "no screenshot fell in the first second of three starts")
        self.assertLess(max(judged), 16)
        window = self.window(RENDERER_CAPTION)
        self.assertEqual(
            [window[k] for k in ("class", "x", "y", "width", "height")],
            [RENDERER_CLASS, "0", "0", "1024", "768"],
        )
        self.assertEqual(int(window["style"], 16) & 0x80000000, 0x80000000, "WS_POPUP")

        self.lights_trails_and_motion("lights")
        # One frame per display refresh is asked of the driver (Wine's X11
        # driver records the request; a virtual X server has no refresh to wait for).
        self.assertIn(
            "wglSwapIntervalEXT (1)", (self.box.logs / "renderer.out").read_text(errors="replace")
        )

        # Moving the mouse does not end the renderer; Escape ends it at once
        # with exit code 0.
        self.box.xdotool("mousemove", 100, 100, "mousemove", 400, 300)
        self.assertIsNone(runner.poll())
        self.assertEqual(self.ended_promptly(runner, lambda: self.box.key("Escape")), 0)
        self.assertIsNone(self.window(RENDERER_CAPTION))

    def start_shown(self, env):
        # The renderer, once its window shows. Now and then Wine's desktop
        # process fails to load its X driver for a program started just after
        # the box's restart, and the renderer ends at once without a window
        # ("no driver could be loaded"): such a start is made again.
        for _ in range(3):
            runner = self.box.start(self.folder / RENDERER_FILE, name="renderer", env=env)
            shown = wait_until(
                lambda: self.box.x_window(RENDERER_CAPTION, timeout=0.5)
                or runner.poll() is not None,
                60,
            )
            if shown and runner.poll() is None:
                return runner
            log = (self.box.logs / "renderer.out").read_text(errors="replace")
            self.assertIn("no driver could be loaded", log, "no renderer window")
            self.box.restart()
        self.fail("no renderer window in three starts")

    def lights_trails_and_motion(self, name):
        # Three lights; three stars of twelve rays light a few thousand pixels
        # at most, the trails tens of thousands within seconds at any frame rate.
        shots = []

        def lit():
            shots.append(self.screenshot(f"{name}-{len(shots)}"))
            return shots[-1].lights(WINDOW) > 10 and shots[-1].colour_counts(WINDOW)["lit"] > 15000

        self.assertTrue(wait_until(lit, 20), shots[-1].colour_counts(WINDOW))

        def moved():
            later = self.screenshot(f"{name}-later")
            return (
                sum(
                    max(abs(u - v) for u, v in zip(p, q)) >= 24
                    for p, q in zip(shots[-1].pixels(*WINDOW), later.pixels(*WINDOW))
                )
                > 2000
            )

        self.assertTrue(wait_until(moved, 10), "the picture stands still")

    def test_on_the_processor_the_lights_show_trails_move_and_escape_ends_it(self):
        # As ORVELLE_RENDERING=cpu asks, and as the renderer chooses by itself
        # where OpenGL draws in software (Wine's is Mesa's llvmpipe): the
        # processor draws, and a DIB section shows its picture.
        self.write_settings(ini({WIDTH: " 800", HEIGHT: " 600"}))
        for asked in ("cpu", ""):
            with self.subTest(asked=asked or "unasked"):
                runner = self.start_shown(
                    self.box.env(WINEDEBUG="+debugstr", ORVELLE_RENDERING=asked)
                )
                self.lights_trails_and_motion(f"processor-{asked or 'unasked'}")
                log = (self.box.logs / "renderer.out").read_text(errors="replace")
                self.assertRegex(
                    log, r"Orvelle\.dll: drawing on the processor \((AVX2|SSE2), \d+ " r"threads\)"
                )
                self.assertNotIn("PixelFormat Selected", log)
                self.assertEqual(self.ended_promptly(runner, lambda: self.box.key("Escape")), 0)
                self.assertIsNone(self.window(RENDERER_CAPTION))


if __name__ == "__main__":
    main()
