# The settings dialog, Orvelle.scr /c, under Wine: driven with the pointer
# and the keyboard, and heard as a screen reader hears it (through the
# platform's accessibility library, from another process); and two push
# buttons in a window of the probe, as a user sees and drives them.

import subprocess

from harness.product import BANNER_BOXES, BANNER_CLASS, BANNER_ID, BANNER_NAME, CANCEL_BOX
from harness.product import CANCEL_ID, CANCEL_TEXT, CLIENT_BOX, CREDIT_ID, CREDIT_TEXT
from harness.product import DIALOG_CAPTION, DIALOG_FONT, FILE, FILE_BOX, FILE_BUTTON_TEXT
from harness.product import FILE_CHOOSER_TITLE, FILE_ID, FILE_LABEL_ID, FRAME_BOX, FRONT_END_FILE
from harness.product import HOME_PAGE, KIND, MUSIC_KINDS, OPTION_ID, OPTION_TEXTS, REPEAT, REPEAT_ID
from harness.product import REPEAT_TEXT, ROOT, SET_BOX, SET_ID, SET_TEXT, scaled
from harness.support import Screenshot, ini, main, wait_until
from harness.winebox import WineTestCase

CAPTION, CHOOSER = DIALOG_CAPTION, FILE_CHOOSER_TITLE
SONATA = "C:\\ソナタ\\表"  # both second bytes are "\" in Shift-JIS
BORDER = (0, 60, 116)
PARENT = (0, 255, 0)  # the probe's windows
NONE, CD, MUSIC_FILE = (OPTION_ID + MUSIC_KINDS[k] for k in ("None", "Cd", "File"))
ROLE_STATICTEXT, ROLE_LINK, ROLE_PUSHBUTTON, ROLE_RADIOBUTTON, ROLE_COMBOBOX = 41, 30, 43, 45, 46
CHECKED, FOCUSED = 0x10, 0x4


class SettingsDialog(WineTestCase):
    def open_dialog(self, settings=None):
        if settings:
            self.write_settings(settings)
        self.box.xdotool("mousemove", 1, 1)
        scr = self.box.start(self.folder / FRONT_END_FILE, "/c", name="dialog")
        # Shown once all its controls are made.
        self.info = wait_until(
            lambda: (w := self.window(CAPTION)) and w["visible"] == "1" and w, 60
        )
        self.assertTrue(self.info, "no dialog")
        return scr

    def controls(self, *font):
        # The repeat box holds an edit of its own.
        return {
            int(c["id"]): c
            for c in self.described(CAPTION, 10000, *font)[1:]
            if c["id"] != "0" and c["class"] != "Edit"
        }

    def at(self, x, y):
        # Screen point of a client point.
        return int(self.info["client_x"]) + x, int(self.info["client_y"]) + y

    def click(self, control_id, button=1, dx=5, dy=5):
        c = self.controls()[control_id]
        self.box.xdotool("mousemove", *self.at(int(c["x"]) + dx, int(c["y"]) + dy), "click", button)

    def focused(self):
        # The control with the focus (the repeat box's own edit counts as the box).
        for c in self.described(CAPTION)[1:]:
            if c["focus"] == "1":
                return REPEAT_ID if c["class"] == "Edit" else int(c["id"])

    def assert_focus_moves(self, *steps):
        # Each (key, or None, and the control that then has the focus).
        for key, control in steps:
            if key:
                self.box.key(key)
            self.assertTrue(wait_until(lambda: self.focused() == control, 10), (key, control))

    def assert_texts_fit(self, scale):
        # Every text the dialog draws fits its box, measured by the platform
        # in the face the dialog asks for; an option's label starts 16 pixels
        # (at 96 DPI) into its row, after the mark. A banner's text is only
        # its name: it shows a picture.
        measured = self.controls(*DIALOG_FONT)
        self.assertGreater(int(measured[CREDIT_ID]["text_width"]), 100 * scale, "nothing measured")
        for i, c in measured.items():
            room = int(c["width"]) - (round(16 * scale) if NONE <= i <= MUSIC_FILE else 0)
            if c["class"] != BANNER_CLASS:
                self.assertLessEqual(int(c["text_width"]), room, (i, c["text"]))

    def assert_saved(self, kind, repeat):
        lines = self.settings_path().read_bytes().split(b"\r\n")
        saved = dict(line.split(b"=", 1) for line in lines if b"=" in line)
        self.assertEqual((saved[KIND].strip(), saved[REPEAT].strip()), (kind, repeat))
        return saved

    def test_opens_in_its_place_looks_and_is_named_alone_and_an_alt_key_chooses(self):
        scr = self.open_dialog(ini({KIND: " 0"}))
        width, height = int(self.info["width"]), int(self.info["height"])
        self.assertEqual(self.info["client"], "{2}x{3}".format(*CLIENT_BOX))
        self.assertEqual(
            (int(self.info["x"]), int(self.info["y"])), ((1024 - width) // 2, (768 - height) // 3)
        )
        shot = wait_until(
            lambda: (s := self.screenshot("open")).at(*self.at(SET_BOX[0] + 10, SET_BOX[1]))
            == BORDER
            and s,
            10,
        )
        self.assertTrue(shot, "the buttons never showed")
        # Beyond the frame's outline (x 507, y 179): rings 1 to 5, then the dialog's grey.
        greys = [(g, g, g) for g in (124, 148, 172, 196, 220)]
        self.assertEqual([shot.at(*self.at(508 + i, 100)) for i in range(5)], greys)
        self.assertEqual([shot.at(*self.at(200, 180 + i)) for i in range(5)], greys)
        self.assertEqual(shot.at(*self.at(518, 100)), (224, 224, 224))
        self.assert_texts_fit(1.0)
        self.assertEqual(self.controls()[CREDIT_ID]["text"], CREDIT_TEXT)
        self.assertEqual(shot.at(*self.at(CANCEL_BOX[0] + 10, CANCEL_BOX[1])), BORDER)
        # The file button, on the frame, disabled unless the kind is 2.
        file_button = self.at(FRAME_BOX[0] + FILE_BOX[0] + 10, FRAME_BOX[1] + FILE_BOX[1])
        self.assertEqual(shot.at(*file_button), (201, 199, 186))

        # A second copy ends at once and leaves this one open.
        self.assertEqual(
            self.box.run(self.folder / FRONT_END_FILE, "/c", timeout=20, name="second")[0], 0
        )
        self.assertIsNone(scr.poll())

        # What a screen reader hears; Alt and an option's key choose it.
        heard = self.controls()
        # An option is named by its label without the access key's mark.
        expected = {
            SET_ID: (ROLE_PUSHBUTTON, SET_TEXT),
            CANCEL_ID: (ROLE_PUSHBUTTON, CANCEL_TEXT),
            FILE_ID: (ROLE_PUSHBUTTON, FILE_BUTTON_TEXT),
            REPEAT_ID: (ROLE_COMBOBOX, REPEAT_TEXT),
            FILE_LABEL_ID: (ROLE_STATICTEXT, ""),
            BANNER_ID: (ROLE_LINK, BANNER_NAME),
            BANNER_ID + 1: (ROLE_LINK, BANNER_NAME),
        }
        expected |= {
            OPTION_ID + kind: (ROLE_RADIOBUTTON, text.replace("&", ""))
            for kind, text in OPTION_TEXTS.items()
        }
        self.assertEqual({i: (int(heard[i]["role"]), heard[i]["name"]) for i in expected}, expected)
        self.assertEqual(int(heard[NONE]["state"]) & (CHECKED | FOCUSED), CHECKED | FOCUSED)
        self.box.key("alt+c")
        self.assertTrue(wait_until(lambda: int(self.controls()[CD]["state"]) & CHECKED, 5))
        self.assertEqual(int(self.controls()[NONE]["state"]) & CHECKED, 0)

    def test_kinds_by_either_button_a_typed_repeat_a_chosen_file_and_saving(self):
        (self.box.c_drive() / "ソナタ").mkdir(exist_ok=True)
        (self.box.c_drive() / "ソナタ/表").write_bytes(b"")
        # A name the Japanese code page cannot hold: it is kept in its short form.
        (self.box.c_drive() / "café.mp3").write_bytes(b"")
        scr = self.open_dialog(ini({KIND: " 2", FILE: SONATA}))
        controls = self.controls()
        self.assertEqual(
            (controls[FILE_LABEL_ID]["text"], controls[FILE_ID]["enabled"]), (SONATA, "1")
        )
        self.click(CD, dx=25)  # its label
        self.assertTrue(wait_until(lambda: self.controls()[FILE_ID]["enabled"] == "0", 5))
        self.assertEqual(self.controls()[REPEAT_ID]["enabled"], "1")
        self.click(REPEAT_ID, dx=8, dy=8)
        self.box.xdotool("type", "7.5")  # saved rounded, whatever the kind
        self.click(MUSIC_FILE, button=3, dx=30)  # the right button on the label
        self.assertTrue(wait_until(lambda: self.controls()[FILE_ID]["enabled"] == "1", 5))
        self.click(FILE_ID, dx=20, dy=12)
        self.assertEqual(self.probe("choose", CHOOSER, "C:\\café.mp3")[0], 0)
        self.assertTrue(wait_until(lambda: "~" in self.controls()[FILE_LABEL_ID]["text"], 10))
        self.click(SET_ID, dx=50, dy=15)
        scr.wait(timeout=15)
        saved = self.assert_saved(b"2", b"8")
        self.assertRegex(saved[FILE].decode("ascii"), r"^C:\\[^\\]+~[^\\]*\.MP3$")

    def test_every_way_of_closing_but_saving_writes_nothing(self):
        before = ini({KIND: " 1", REPEAT: " 3"})
        for way in ("cancel", "close box", "Escape", "alt+F4"):
            with self.subTest(way=way):
                scr = self.open_dialog(before)
                if way == "cancel":
                    self.click(CANCEL_ID, dx=50, dy=15)
                elif way == "close box":  # at the right end of the title bar
                    x = int(self.info["x"]) + int(self.info["width"]) - 12
                    y = (int(self.info["y"]) + int(self.info["client_y"])) // 2
                    self.box.xdotool("mousemove", x, y, "click", 1)
                else:
                    self.box.key(way)
                scr.wait(timeout=15)  # the program ends with its dialog
                self.assertEqual(self.settings_path().read_bytes(), before)

    def test_banners_take_turns_and_open_the_home_page(self):
        self.box.reg_add(
            "HKCR\\https\\shell\\open\\command",
            "",
            "C:\\windows\\system32\\cmd.exe /c echo %1> C:\\url.txt",
        )
        url = self.box.c_drive() / "url.txt"
        url.unlink(missing_ok=True)
        self.open_dialog()

        # What each banner shows: black (before its first turn), its last
        # frame (an empty one with a thin border, which it keeps while the
        # other one turns), or another frame of its turn.
        last = self.shots / "banner24.ppm"
        subprocess.run(["convert", ROOT / "settings/assets/banner24.jpg", last], check=True)
        last = Screenshot(last).rgb

        def looks():
            shot = self.screenshot("banners")
            for x, y, _, _ in BANNER_BOXES:  # the 120 x 50 pictures, centred in their boxes
                pixels = bytes(v for p in shot.pixels(*self.at(x + 1, y + 1), 120, 50) for v in p)
                near_last = sum(abs(a - b) for a, b in zip(pixels, last)) < 4 * len(last)
                yield "black" if max(pixels) < 20 else "last" if near_last else "frame"

        # Sampled until both have turned and the left one turns again, at any
        # speed: one of them always keeps its last frame (or the right one is
        # still black), and the right one, once it has shown a frame, is never
        # black again.
        seen = []
        self.assertTrue(
            wait_until(
                lambda: seen.append(tuple(looks()))
                or (("last", "frame") in seen and seen[-1] == ("frame", "last")),
                40,
            ),
            seen,
        )
        self.assertTrue(all(r == "black" or "last" in (left, r) for left, r in seen), seen)
        first_frame = next(i for i, (_, r) in enumerate(seen) if r != "black")
        self.assertNotIn("black", [r for _, r in seen[first_frame:]], seen)
        self.box.xdotool(
            "mousemove", *self.at(BANNER_BOXES[0][0] + 58, BANNER_BOXES[0][1] + 23), "click", 1
        )
        asked = wait_until(lambda: url.exists() and url.read_text().strip(), 15)
        self.assertEqual(asked, HOME_PAGE, "the shell was asked to open this")

    def test_at_144_dpi_the_dialog_and_its_text_are_half_as_large_again(self):
        self.box.reg_add("HKCU\\Control Panel\\Desktop", "LogPixels", 144, "REG_DWORD")
        try:
            self.box.restart()
            self.open_dialog()
            self.assertEqual(
                self.info["client"], f"{scaled(CLIENT_BOX[2], 144)}x{scaled(CLIENT_BOX[3], 144)}"
            )
            self.assert_texts_fit(1.5)
            # The repeat box's height comes from its font: 22 pixels at 96 DPI.
            self.assertGreaterEqual(int(self.controls()[REPEAT_ID]["height"]), 30)
        finally:
            self.box.reg_add("HKCU\\Control Panel\\Desktop", "LogPixels", 96, "REG_DWORD")

    def test_the_keys_and_the_focus_through_disabled_controls_the_chooser_and_another_window(self):
        scr = self.open_dialog(ini({KIND: " 1", REPEAT: " 3"}))
        self.assertEqual(self.focused(), CD, "the focus starts on the chosen option")
        self.assert_focus_moves(("Down", NONE), ("Down", MUSIC_FILE), ("Tab", FILE_ID))
        self.assertEqual(self.controls()[REPEAT_ID]["enabled"], "0")
        for choose in ("the mouse", "a screen reader"):  # the option's label, or its action
            self.click(CD, dx=25)
            self.click(REPEAT_ID, dx=8, dy=8)
            self.assert_focus_moves((None, REPEAT_ID))
            if choose == "the mouse":
                self.click(MUSIC_FILE, dx=30)
            else:
                self.assertEqual(self.probe("act", CAPTION, MUSIC_FILE)[0], 0)
            # The repeat box goes disabled: the focus moves to the chosen option.
            self.assert_focus_moves((None, MUSIC_FILE))
        # The chooser, opened from the keyboard and cancelled, gives the focus back.
        self.assert_focus_moves(("Tab", FILE_ID))
        self.box.key("space")
        self.assertTrue(wait_until(lambda: self.probe("close", CHOOSER)[0] == 0, 20))
        self.assert_focus_moves((None, FILE_ID), ("Tab", SET_ID))
        # Away to another program's window, and back by the title bar.
        self.hold("Elsewhere", 60000, (100, 100, 120, 80), name="elsewhere")
        self.assertTrue(self.box.x_window("Elsewhere", timeout=20))
        self.box.xdotool("mousemove", 130, 130, "click", 1)
        self.assert_focus_moves((None, None))  # none of the dialog's controls has it
        self.box.xdotool("mousemove", int(self.info["x"]) + 40, int(self.info["y"]) + 8, "click", 1)
        self.assert_focus_moves((None, SET_ID))
        self.box.key("Return")
        scr.wait(timeout=15)
        self.assert_saved(b"2", b"3")

    def test_two_buttons_under_the_pointer_and_the_keys(self):
        self.hold("Orvelle check", 600000, (100, 100, 300, 120), "buttons", name="buttons")
        log = self.box.logs / "buttons.out"

        def clicks():  # of the first button, as its parent heard them
            return log.read_text(errors="replace").count("command id=101 code=0\n")

        described = wait_until(lambda: len(d := self.described("Orvelle check")) == 3 and d, 20)
        self.assertTrue(described, "no window with two buttons")
        window, *buttons = described
        # Each button's place on the screen, and the first one's size.
        (x, y), (x2, y2) = [
            (int(b["x"]) + int(window["client_x"]), int(b["y"]) + int(window["client_y"]))
            for b in sorted(buttons, key=lambda b: b["id"])
        ]
        w, h = int(buttons[0]["width"]), int(buttons[0]["height"])

        look = self.screenshot
        shot = wait_until(lambda: (s := look("normal")).at(x + 3, y) == BORDER and s, 10)
        self.assertTrue(shot, "the buttons never showed")
        self.assertEqual({shot.at(x + i, y) for i in range(3, w - 3)}, {BORDER})
        self.assertEqual(shot.at(x + 10, y + h - 2), (214, 208, 197))
        self.assertEqual(shot.at(x, y), PARENT, "outside the window region: the parent")
        self.assertEqual(shot.at(x + w - 1, y + h - 1), PARENT)
        self.assertEqual(shot.at(x2 + 10, y2), (201, 199, 186), "disabled border")
        self.assertEqual(shot.at(x2 + 5, y2 + h // 2), (245, 244, 234), "disabled face")

        # Hot under the pointer, Normal again once it has left.
        self.box.xdotool("mousemove", x + w // 2, y + h // 2)
        self.assertTrue(wait_until(lambda: look("hot").at(x + 10, y + h - 2) == (230, 150, 0), 10))
        self.box.xdotool("mousemove", x + w // 2, y + h + 40)
        self.assertTrue(
            wait_until(lambda: look("left").at(x + 10, y + h - 2) == (214, 208, 197), 10)
        )

        # A click, then Space and Enter on the button that now has the focus.
        self.box.xdotool("mousemove", x + w // 2, y + h // 2, "click", 1)
        self.assertTrue(wait_until(lambda: clicks() == 1, 10), "the click")
        self.assertEqual(
            [b["capture"] for b in self.described("Orvelle check")[1:]],
            ["0", "0"],
            "the mouse is given back after the click",
        )
        for count, key in ((2, "space"), (3, "Return"), (4, "alt+a")):
            self.box.key(key)
            self.assertTrue(wait_until(lambda: clicks() == count, 10), key)
        self.assertNotIn("id=102", log.read_text(), "the disabled button stays silent")


if __name__ == "__main__":
    main()
