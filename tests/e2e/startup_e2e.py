"""Orvelle.scr's start-up under Wine: the switches, the busy copy, the
missing renderer's message, the screen size it records, and the settings
file as the platform's profile functions read it."""

import time
import unittest

from e2e_support import PROGRAM_FOLDER, WineTestCase

SCR = PROGRAM_FOLDER + "\\Orvelle.scr"
MISSING_RENDERER = "Orvelle.dll が同じﾌｫﾙﾀﾞ内に見つかりません！"


class Startup(WineTestCase):
    def run_scr(self, *args, timeout=20):
        start = time.time()
        code, _ = self.box.run(self.folder / "Orvelle.scr", *args, timeout=timeout, name="scr")
        return code, time.time() - start

    def test_another_switch_ends_without_a_window_after_making_the_folder(self):
        code, took = self.run_scr("/a")
        self.assertEqual(code, 0)
        self.assertTrue((self.box.c_drive() / "pellan_temp").is_dir())
        self.assertFalse(self.settings_path().exists())
        self.assertIsNone(self.window("Zelkor_Main"))
        self.assertIsNone(self.window("Zelkor_VC"))

    def test_a_missing_renderer_shows_its_message_with_only_ok(self):
        (self.folder / "Orvelle.dll").unlink()
        for switch in ("/s", "/a"):
            with self.subTest(switch=switch):
                scr = self.box.start(self.folder / "Orvelle.scr", switch, name="scr")
                code, out = self.probe("dialog", "Orvelle (ScreenSaver)", "15000")
                self.assertEqual(code, 0, out)
                self.assertIn("caption=Orvelle (ScreenSaver)", out)
                self.assertIn(f"[Static:{MISSING_RENDERER}]", out)
                self.assertEqual(out.count("[Button:"), 1, out)
                self.assertIn("[Button:OK]", out)
                self.probe("close", "Orvelle (ScreenSaver)")
                self.box.key("Return")
                scr.wait(timeout=15)
                self.assertFalse(self.settings_path().exists(), "the settings are not touched")
                self.assertIsNone(self.window("Zelkor_VC"))

    def test_a_busy_copy_refuses_every_switch(self):
        for caption in ("Zelkor_Main", "■Orvelle■"):
            holder = self.box.start(self.folder / "probe.exe", "hold", caption, "60000",
                                    name="holder")
            self.assertIsNotNone(self.window(caption, wait_ms=15000))
            for switch in ("/s", "/c", "/p 1234", "/a"):
                with self.subTest(caption=caption, switch=switch):
                    code, took = self.run_scr(*switch.split())
                    self.assertEqual(code, 0)
                    self.assertLess(took, 5.0)
                    self.assertIsNone(self.window("Zelkor_VC"))
                    self.assertFalse(self.settings_path().exists())
            holder.kill()
            self.tearDown()
            self.setUp()

    def test_saver_run_records_the_screen_size_in_pixels(self):
        _, screen = self.probe("screen")
        width, height = screen.split()[0].split("=")[1].split("x")
        scr = self.box.start(self.folder / "Orvelle.scr", "/s", name="scr")
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=20))
        text = self.settings_path().read_bytes().decode("ascii")
        # Wine's profile writer drops the value's leading blank, which
        # Windows keeps; the numbers are what matter here.
        lines = [line.replace(" ", "") for line in text.split("\r\n")]
        self.assertIn(f"Width={width}", lines)
        self.assertIn(f"Height={height}", lines)
        self.assertLess(lines.index(f"Width={width}"), lines.index(f"Height={height}"))
        self.box.key("Escape")
        scr.wait(timeout=15)

    def test_the_settings_placeholder_opens_and_closes(self):
        scr = self.box.start(self.folder / "Orvelle.scr", "/c", name="scr")
        window = self.window("■Orvelle■", wait_ms=15000)
        self.assertIsNotNone(window)
        self.probe("close", "■Orvelle■")
        scr.wait(timeout=15)
        self.assertEqual(scr.returncode, 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
