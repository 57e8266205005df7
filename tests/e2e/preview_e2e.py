"""The preview in the screensaver host's pane, under Wine: a pane of our
own, a window of the probe, holds Orvelle.scr /p HWND. Wine 8 does not show
the content of a window placed into another process's window, so the
structure is checked here; the Windows tests paint the pixels in memory."""

import os
import signal
import time

from e2e_support import WineTestCase, fields, main, wait_until

PANE = "Orvelle test pane"
WS_CHILD, WS_POPUP = 0x40000000, 0x80000000


class Preview(WineTestCase):
    def preview(self, width, height):
        """The pane's holder, the preview's program, and its window and
        image control as the probe lists them."""
        holder = self.box.start(self.folder / "probe.exe", "hold", PANE, "60000", str(width),
                                str(height), name="pane")
        log = self.box.logs / "pane.out"
        self.pane = wait_until(lambda: log.exists() and fields(log.read_text()).get("window"), 30)
        scr = self.box.start(self.folder / "Orvelle.scr", "/p", self.pane, name="scr")

        def parts():
            found = {c["class"]: c for c in map(fields, self.probe("controls", PANE)[1].splitlines())}
            return found if "Zelkor_R" in found and "Orvelle_Img_Prev" in found else None
        found = wait_until(parts, 60)
        self.assertIsNotNone(found, "no preview in the pane")
        return holder, scr, found["Zelkor_R"], found["Orvelle_Img_Prev"]

    def test_covers_the_pane_and_ends_when_the_pane_is_destroyed_or_its_process_ends(self):
        # A pane beyond 2184 pixels would overflow a 16-bit size in twips.
        for width, height, end in ((152, 112, "close"), (2400, 1800, "close"), (200, 150, "kill")):
            with self.subTest(pane=f"{width}x{height}", end=end):
                holder, scr, window, image = self.preview(width, height)
                self.assertEqual(int(window["style"], 16) & (WS_CHILD | WS_POPUP), WS_CHILD)
                self.assertEqual((window["parent"], window["text"]), (self.pane, "Preview Window"))
                for part in (window, image):  # both at the pane's origin, its size
                    self.assertEqual([part[k] for k in ("x", "y", "width", "height")],
                                     ["0", "0", str(width), str(height)])
                if end == "close":
                    self.probe("close", PANE)
                else:  # the host process just exits
                    os.killpg(holder.pid, signal.SIGKILL)
                started = time.time()
                scr.wait(timeout=10)
                self.assertLess(time.time() - started, 2.0)

if __name__ == "__main__":
    main()
