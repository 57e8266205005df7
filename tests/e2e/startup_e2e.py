"""Orvelle.scr's start-up under Wine: the missing renderer's message, the
screen size it records, and a front end in a folder and under a name whose
Shift-JIS bytes hold a backslash."""

import shutil

from e2e_support import WineTestCase, main, wait_until

MISSING_RENDERER = "Orvelle.dll が同じﾌｫﾙﾀﾞ内に見つかりません！"


class Startup(WineTestCase):
    def test_a_missing_renderer_shows_its_message_with_only_ok(self):
        (self.folder / "Orvelle.dll").unlink()
        for switch in ("/s", "/c"):
            with self.subTest(switch=switch):
                scr = self.box.start(self.folder / "Orvelle.scr", switch, name="scr")
                # The box and then its controls appear.
                out = wait_until(lambda: "class=Button" in (o := self.probe(
                    "controls", "Orvelle (ScreenSaver)")[1]) and o, 60)
                self.assertIn(f"text={MISSING_RENDERER}", out)
                self.assertEqual(out.count("class=Button"), 1, out)
                self.assertIn("text=OK", out)
                self.probe("close", "Orvelle (ScreenSaver)")
                scr.wait(timeout=15)
                self.assertFalse(self.settings_path().exists(), "the settings are not touched")
                self.assertIsNone(self.window("Zelkor_VC"))
                self.assertIsNone(self.window("■Orvelle■"))

    def test_a_saver_run_records_the_screen_size_and_finds_its_renderer_in_any_folder(self):
        # ソナタ\表示.scr: the second bytes of ソ and 表 are "\" in Shift-JIS.
        folder = self.box.c_drive() / "ソナタ"
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir()
        shutil.copy(self.folder / "Orvelle.scr", folder / "表示.scr")
        shutil.copy(self.folder / "Orvelle.dll", folder / "Orvelle.dll")
        width, height = self.screen.split("x")
        scr = self.box.start(folder / "表示.scr", "/s", name="scr")
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=60))
        text = self.settings_path().read_bytes().decode("ascii")
        # Wine's profile writer drops the value's leading blank, which
        # Windows keeps; the numbers and their order are what matter here.
        lines = [line.replace(" ", "") for line in text.split("\r\n")]
        self.assertLess(lines.index(f"Width={width}"), lines.index(f"Height={height}"))
        self.escape_ends(scr)


if __name__ == "__main__":
    main()
