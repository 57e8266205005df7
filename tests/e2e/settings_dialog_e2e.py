"""The settings dialog, Orvelle.scr /c, driven with the pointer and the
keyboard under Wine."""

from e2e_support import WineTestCase, fields, main, wait_until

CAPTION = "■Orvelle■"
KIND = b"BGM\x8b\xe6\x95\xaa"      # "BGM区分" in Shift-JIS
REPEAT = b"BGM\xd8\xcb\xdf\xb0\xc4"  # "BGMﾘﾋﾟｰﾄ"
FILE = b"BGM\xcc\xa7\xb2\xd9"        # "BGMﾌｧｲﾙ"
SONATA = "C:\\ソナタ\\表"            # both second bytes are "\" in Shift-JIS
BORDER = (0, 60, 116)
SET, CANCEL, FILE_BUTTON, REPEAT_BOX, FILE_LABEL = 1001, 1002, 1003, 1004, 1005
CD, NONE, MUSIC_FILE = 1011, 1010, 1012  # the options, by kind
FRAME = (12, 12)


class SettingsDialog(WineTestCase):
    def open_dialog(self, settings=None):
        if settings is not None:
            self.write_settings(settings)
        self.box.xdotool("mousemove", 1, 1)
        scr = self.box.start(self.folder / "Orvelle.scr", "/c", name="dialog")
        self.assertTrue(wait_until(lambda: CANCEL in self.controls(), 60), "no dialog")
        self.info = self.window(CAPTION)
        return scr

    def controls(self):
        _, out = self.probe("controls", CAPTION)
        # The repeat box holds an edit of its own.
        return {int(c["id"]): c for c in map(fields, out.splitlines())
                if c.get("id", "0") != "0" and c["class"] != "Edit"}

    def at(self, x, y):
        """Screen point of a client point."""
        return int(self.info["client_x"]) + x, int(self.info["client_y"]) + y

    def click(self, control_id, button=1, dx=5, dy=5):
        c = self.controls()[control_id]
        self.box.xdotool("mousemove", *self.at(int(c["x"]) + dx, int(c["y"]) + dy))
        self.box.xdotool("click", button)

    def saved(self):
        text = self.settings_path().read_bytes()
        return {line.split(b"=", 1)[0]: line.split(b"=", 1)[1].strip()
                for line in text.split(b"\r\n") if b"=" in line}

    def test_opens_in_its_place_with_the_frames_rings_and_the_buttons_borders(self):
        scr = self.open_dialog(b"[Section]\r\n" + KIND + b"= 0\r\n")
        width, height = int(self.info["width"]), int(self.info["height"])
        self.assertEqual(self.info["client"], "522x265")
        self.assertEqual((int(self.info["x"]), int(self.info["y"])),
                         ((1024 - width) // 2, (768 - height) // 3))
        shot = wait_until(lambda: (s := self.screenshot("open")).at(*self.at(144 + 10, 192)) == BORDER
                          and s, 10)
        self.assertTrue(shot, "the buttons never showed")
        # Beyond the frame's outline (x 507, y 179): rings 1 to 5, then the dialog's grey.
        greys = [(g, g, g) for g in (124, 148, 172, 196, 220)]
        self.assertEqual([shot.at(*self.at(508 + i, 100)) for i in range(5)], greys)
        self.assertEqual([shot.at(*self.at(200, 180 + i)) for i in range(5)], greys)
        self.assertEqual(shot.at(*self.at(518, 100)), (224, 224, 224))
        self.assertEqual(shot.at(*self.at(260 + 10, 192)), BORDER)
        # The file button, disabled unless the kind is 2.
        self.assertEqual(shot.at(*self.at(FRAME[0] + 24 + 10, FRAME[1] + 112)), (201, 199, 186))
        self.assertEqual(self.controls()[FILE_BUTTON]["enabled"], "0")
        self.probe("close", CAPTION)
        scr.wait(timeout=15)

    def test_kinds_by_either_button_a_chosen_file_and_saving(self):
        music = self.box.c_drive() / "ソナタ"
        music.mkdir(exist_ok=True)
        (music / "表").write_bytes(b"")
        # A name the Japanese code page cannot hold: it is kept in its short form.
        (self.box.c_drive() / "café.mp3").write_bytes(b"")
        scr = self.open_dialog(b"[Section]\r\n" + KIND + b"= 2\r\n" + FILE + b"=" +
                               SONATA.encode("cp932") + b"\r\n")
        controls = self.controls()
        self.assertEqual(controls[FILE_LABEL]["text"], SONATA)
        self.assertEqual(controls[FILE_BUTTON]["enabled"], "1")
        self.click(CD, dx=25)  # its label
        self.assertTrue(wait_until(lambda: self.controls()[FILE_BUTTON]["enabled"] == "0", 5))
        self.assertEqual(self.controls()[REPEAT_BOX]["enabled"], "1")
        self.click(MUSIC_FILE, button=3, dx=30)  # the right button on the label
        self.assertTrue(wait_until(lambda: self.controls()[FILE_BUTTON]["enabled"] == "1", 5))
        self.click(FILE_BUTTON, dx=20, dy=12)
        self.assertEqual(self.probe("choose", "ﾌｧｲﾙを開く", "C:\\café.mp3")[0], 0)
        self.assertTrue(wait_until(lambda: "~" in self.controls()[FILE_LABEL]["text"], 10))
        self.click(SET, dx=50, dy=15)
        scr.wait(timeout=15)
        saved = self.saved()
        self.assertEqual(saved[KIND], b"2")
        self.assertRegex(saved[FILE].decode("ascii"), r"^C:\\[^\\]+~[^\\]*\.MP3$")

    def test_a_typed_repeat_of_7_5_saves_8(self):
        scr = self.open_dialog()
        self.click(CD, dx=25)
        self.assertTrue(wait_until(lambda: self.controls()[REPEAT_BOX]["enabled"] == "1", 5))
        self.click(REPEAT_BOX, dx=8, dy=8)
        self.box.xdotool("type", "7.5")
        self.click(SET, dx=50, dy=15)
        scr.wait(timeout=15)
        self.assertEqual(self.saved()[REPEAT], b"8")
        self.assertEqual(self.saved()[KIND], b"1")

    def test_every_way_of_closing_but_saving_writes_nothing(self):
        before = b"[Section]\r\n" + KIND + b"= 1\r\n" + REPEAT + b"= 3\r\n"
        for way in ("cancel", "close box", "Escape", "alt+F4"):
            with self.subTest(way=way):
                scr = self.open_dialog(before)
                if way == "cancel":
                    self.click(CANCEL, dx=50, dy=15)
                elif way == "close box":
                    # The close box sits at the right end of the title bar.
                    top = int(self.info["y"]) + (int(self.info["client_y"]) - int(self.info["y"])) // 2
                    self.box.xdotool("mousemove", int(self.info["x"]) + int(self.info["width"]) - 12, top)
                    self.box.xdotool("click", 1)
                else:
                    self.click(CANCEL, button=3)  # the focus into the dialog, nothing else
                    self.box.key(way)
                scr.wait(timeout=15)
                self.assertEqual(self.settings_path().read_bytes(), before)

    def test_banners_take_turns_and_open_the_home_page(self):
        self.box.reg_add("HKCR\\https\\shell\\open\\command", "",
                         f"{self.folder}\\probe.exe record-url %1".replace(
                             str(self.box.c_drive()), "C:").replace("/", "\\"))
        url = self.box.c_drive() / "url.txt"
        url.unlink(missing_ok=True)
        self.open_dialog()
        left, right = (12, 192, 123, 52), (384, 192, 123, 52)

        def region(shot, box):
            x, y = self.at(box[0], box[1])
            return list(shot.pixels(x + 2, y + 2, box[2] - 4, box[3] - 4))
        first = None
        seen_turn = False
        for _ in range(40):
            shot = self.screenshot("banners")
            right_black = all(p == (0, 0, 0) for p in region(shot, right))
            if first is None:
                first = region(shot, left)
                self.assertTrue(right_black, "the right banner is black until its turn")
            elif not right_black:
                break
            elif region(shot, left) != first:
                seen_turn = True
        self.assertTrue(seen_turn, "the left banner did not change while the right stayed black")
        self.assertFalse(right_black, "the right banner never took its turn")
        self.box.xdotool("mousemove", *self.at(70, 215))
        self.box.xdotool("click", 1)
        self.assertTrue(wait_until(url.exists, 15), "the shell was not asked to open a page")
        self.assertEqual(url.read_text().strip(), "https://www.orvelle.jp/")

    def test_a_second_copy_ends_at_once_and_the_program_ends_with_the_dialog(self):
        scr = self.open_dialog()
        code, _ = self.box.run(self.folder / "Orvelle.scr", "/c", timeout=20, name="second")
        self.assertEqual(code, 0)
        self.assertIsNone(scr.poll())
        self.box.key("Escape")
        self.probe("close", CAPTION)
        scr.wait(timeout=15)
        self.assertIsNone(self.window(CAPTION))

    def test_at_144_dpi_the_dialog_and_its_text_are_half_as_large_again(self):
        # The repeat box's height comes from its font: 22 pixels at 96 DPI.
        self.box.reg_add("HKCU\\Control Panel\\Desktop", "LogPixels", 144, "REG_DWORD")
        try:
            self.box.restart()
            scr = self.open_dialog()
            self.assertEqual(self.info["client"], "783x398")
            self.assertGreaterEqual(int(self.controls()[REPEAT_BOX]["height"]), 30)
            self.probe("close", CAPTION)
            scr.wait(timeout=15)
        finally:
            self.box.reg_add("HKCU\\Control Panel\\Desktop", "LogPixels", 96, "REG_DWORD")


if __name__ == "__main__":
    main()
