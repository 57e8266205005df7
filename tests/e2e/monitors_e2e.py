# Saver runs on two monitors under Wine: an X.Org server with the dummy
# video driver gives Wine one monitor per RandR output, and its mode changes
# are real. Every monitor is covered from one window, a monitor turned off and
# on again during the run is followed, the primary alone switches to the
# recorded size, and the monitors are as they were afterwards.

from harness.product import FRONT_END_FILE, HEIGHT, RENDERER_CAPTION, RENDERER_FILE, WIDTH
from harness.support import covered, ini, main, wait_until
from harness.winebox import WORK, DummyDisplay, WineTestCase

PRIMARY, SECOND = (0, 0, 1024, 768), (1024, 0, 800, 600)
WHITE = {PRIMARY: (200, 150, 600, 400), SECOND: (1150, 100, 500, 400)}


class Monitors(WineTestCase):
    display = DummyDisplay(WORK / "xorg")

    def setUp(self):
        super().setUp()
        self.display.add("DUMMY1", 800, 600)
        self.before = self.display.monitors()
        self.assertEqual(sorted(self.before.values()), [PRIMARY, SECOND])

    def covers(self, *monitors):
        shots = []

        def check():
            shots.append(self.screenshot(f"cover-{len(shots)}"))
            return all(covered(shots[-1], m, WHITE.get(m)) for m in monitors)

        return wait_until(check, 120, interval=0.5)

    def renderer_window(self):
        # How many renderer windows X shows, and the renderer window's place.
        found = self.box.x_windows(RENDERER_CAPTION)
        window = self.window(RENDERER_CAPTION)
        return len(found), tuple(int(window[k]) for k in ("x", "y", "width", "height"))

    def test_a_saver_run_covers_both_monitors_follows_the_second_and_leaves_them_as_they_were(self):
        self.saver_run_over_both_monitors()

    def test_on_the_processor_a_saver_run_covers_both_monitors_and_follows_the_second(self):
        # Its picture, the size of both monitors' box, through a DIB section
        # made anew when the second monitor goes and comes back.
        self.saver_run_over_both_monitors(ORVELLE_RENDERING="cpu")

    def saver_run_over_both_monitors(self, **env):
        for x, y, w, h in WHITE.values():
            self.hold("Orvelle white", 600000, (x, y, w, h), "white", name=f"white-{x}")

        def whites_shown():
            shot = self.screenshot("whites")
            return all(min(map(min, shot.pixels(*w))) >= 250 for w in WHITE.values())

        self.assertTrue(wait_until(whites_shown, 30))
        saver = self.box.start(
            self.folder / FRONT_END_FILE, "/s", name="saver", env=self.box.env(**env)
        )
        self.assertTrue(self.covers(PRIMARY, SECOND), "a monitor is not covered")
        self.assertEqual(self.renderer_window(), (1, (0, 0, 1824, 768)))
        # The pointer moved and both buttons clicked on the second monitor: the run goes on
        # (the coverage checks below need its lights).
        self.box.xdotool("mousemove", 1400, 300, "click", 1, "click", 3, "mousemove", 200, 200)

        self.display.xrandr("--output", "DUMMY1", "--off")
        self.assertTrue(wait_until(lambda: self.renderer_window() == (1, PRIMARY), 10))
        self.assertTrue(self.covers(PRIMARY), "the primary is not covered any more")
        self.display.add("DUMMY1", 800, 600)
        self.assertTrue(self.covers(SECOND), "the second monitor is not covered again")
        self.assertIsNone(saver.poll())
        self.escape_ends(saver)
        self.assertEqual(self.display.monitors(), self.before)

    def test_the_primary_alone_switches_to_the_recorded_size_and_back(self):
        self.write_settings(ini({WIDTH: "800", HEIGHT: "600"}))
        renderer = self.box.start(self.folder / RENDERER_FILE, name="renderer")
        # Wine moves the second monitor along to the primary's new edge.
        during = {"DUMMY0": (0, 0, 800, 600), "DUMMY1": (800, 0, 800, 600)}
        self.assertTrue(wait_until(lambda: self.display.monitors() == during, 60))
        self.assertTrue(self.covers(*during.values()))
        self.assertEqual(self.renderer_window(), (1, (0, 0, 1600, 600)))
        self.escape_ends(renderer)
        self.assertEqual(self.display.monitors(), self.before)


if __name__ == "__main__":
    main()
