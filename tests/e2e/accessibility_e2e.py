"""The settings dialog from the keyboard alone, and as a screen reader hears
it (through the platform's accessibility library, from another process)."""

from e2e_support import WineTestCase, fields, main, wait_until

CAPTION = "■Orvelle■"
KIND = b"BGM\x8b\xe6\x95\xaa"  # "BGM区分" in Shift-JIS
SET, FILE_BUTTON, REPEAT_BOX, FILE_LABEL, CD, NONE, MUSIC_FILE = (1001, 1003, 1004, 1005, 1011,
                                                                   1010, 1012)
ROLE_STATICTEXT, ROLE_LINK, ROLE_PUSHBUTTON, ROLE_RADIOBUTTON, ROLE_COMBOBOX = 41, 30, 43, 45, 46
CHECKED, FOCUSED = 0x10, 0x4


class Accessibility(WineTestCase):
    def open_dialog(self, kind):
        self.before = b"[Section]\r\n" + KIND + b"= %d\r\n" % kind
        self.write_settings(self.before)
        scr = self.box.start(self.folder / "Orvelle.scr", "/c", name="dialog")
        self.assertTrue(wait_until(lambda: self.focused() is not None, 60), "no focus in the dialog")
        return scr

    def controls(self):
        _, out = self.probe("controls", CAPTION)
        return [fields(line) for line in out.splitlines()]

    def focused(self):
        return next((int(c["id"]) for c in self.controls() if c.get("focus") == "1"), None)

    def heard(self):
        _, out = self.probe("acc", CAPTION)
        return {int(a["id"]): a for a in map(fields, out.splitlines())}

    def saved_kind(self):
        for line in self.settings_path().read_bytes().split(b"\r\n"):
            if line.startswith(KIND + b"="):
                return line.split(b"=", 1)[1].strip()

    def test_the_keyboard_alone_chooses_a_file_and_saves(self):
        scr = self.open_dialog(1)
        self.assertEqual(self.focused(), CD, "the focus starts on the chosen option")
        for key in ("Down", "Down"):
            self.box.key(key)
        self.assertTrue(wait_until(lambda: self.focused() == MUSIC_FILE, 5))
        enabled = {int(c["id"]): c["enabled"] for c in self.controls()}
        self.assertEqual((enabled[FILE_BUTTON], enabled[REPEAT_BOX]), ("1", "0"))
        self.box.key("Tab")
        self.assertTrue(wait_until(lambda: self.focused() == FILE_BUTTON, 5))
        self.box.key("Tab")
        self.assertTrue(wait_until(lambda: self.focused() == SET, 5))
        self.box.key("Return")
        scr.wait(timeout=15)
        self.assertEqual(self.saved_kind(), b"2")

    def test_alt_and_an_options_key_chooses_it_and_escape_writes_nothing(self):
        scr = self.open_dialog(0)
        self.box.key("alt+c")
        self.assertTrue(wait_until(lambda: self.heard()[CD]["state"] != "", 5))
        self.assertTrue(wait_until(lambda: int(self.heard()[CD]["state"]) & CHECKED, 5))
        self.assertEqual(int(self.heard()[NONE]["state"]) & CHECKED, 0)
        self.box.key("Escape")
        scr.wait(timeout=15)
        self.assertEqual(self.settings_path().read_bytes(), self.before)

    def test_every_control_has_its_role_and_name(self):
        scr = self.open_dialog(2)  # no file: it loads as kind 0
        heard = self.heard()
        expected = {
            SET: (ROLE_PUSHBUTTON, "設定"), 1002: (ROLE_PUSHBUTTON, "ｷｬﾝｾﾙ"),
            FILE_BUTTON: (ROLE_PUSHBUTTON, "..."), CD: (ROLE_RADIOBUTTON, "音楽CD"),
            NONE: (ROLE_RADIOBUTTON, "なし(N)"), MUSIC_FILE: (ROLE_RADIOBUTTON, "MP3、WAV"),
            REPEAT_BOX: (ROLE_COMBOBOX, "曲目をﾘﾋﾟｰﾄ"), FILE_LABEL: (ROLE_STATICTEXT, ""),
            1020: (ROLE_LINK, "Orvelle のホームページ"), 1021: (ROLE_LINK, "Orvelle のホームページ"),
        }
        for control, (role, name) in expected.items():
            with self.subTest(control=control):
                self.assertEqual((int(heard[control]["role"]), heard[control]["name"]), (role, name))
        self.assertEqual(int(heard[NONE]["state"]) & (CHECKED | FOCUSED), CHECKED | FOCUSED)
        self.assertEqual(int(heard[CD]["state"]) & CHECKED, 0)
        self.box.key("Escape")
        scr.wait(timeout=15)


if __name__ == "__main__":
    main()
