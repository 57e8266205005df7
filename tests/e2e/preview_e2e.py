"""The preview in the screensaver host's pane, under Wine.

Wine 8 does not show the content of a window placed into another process's
window, so the preview's structure is checked here from a host of our own
(parent, child style, size, the image control's place) and its pixels
in-process, by painting the form's picture into memory."""

import time

from e2e_support import BIN, PROGRAM_FOLDER, WineTestCase, fields, main

SCR = PROGRAM_FOLDER + "\\Orvelle.scr"
WS_CHILD = 0x40000000
WS_POPUP = 0x80000000


class Preview(WineTestCase):
    def host(self, width, height, mode):
        code, out = self.probe("pane", str(width), str(height), mode, SCR, timeout=40)
        self.assertEqual(code, 0, out)
        lines = out.strip().splitlines()
        self.assertTrue(lines and lines[0].startswith("child "), out)
        return fields(lines[0]), (fields(lines[1]) if len(lines) > 1 else {})

    def test_covers_the_pane_and_ends_when_the_host_destroys_it(self):
        # A pane beyond 2184 pixels would overflow a 16-bit size in twips.
        for width, height in ((152, 112), (200, 150), (2400, 1800)):
            with self.subTest(pane=f"{width}x{height}"):
                child, end = self.host(width, height, "destroy")
                style = int(child["style"], 16)
                self.assertEqual(style & WS_CHILD, WS_CHILD)
                self.assertEqual(style & WS_POPUP, 0)
                self.assertEqual(child["parent_is_pane"], "1")
                self.assertEqual((child["x"], child["y"]), ("0", "0"))
                self.assertEqual((child["width"], child["height"]), (str(width), str(height)))
                self.assertEqual(child["visible"], "1")
                self.assertEqual(child["image"], "1")
                self.assertEqual((child["image_x"], child["image_y"]), ("0", "0"))
                self.assertEqual((child["image_width"], child["image_height"]),
                                 (str(width), str(height)))
                self.assertEqual(end.get("ended"), "1")
                self.assertLess(int(end["after"]), 2000)

    def test_ends_when_the_host_process_just_exits(self):
        child, _ = self.host(152, 112, "exit")
        code, out = self.probe("wait-pid", child["pid"], "5000")
        result = fields(out)
        self.assertEqual(result.get("ended"), "1", out)
        self.assertLess(int(result["after"]), 2000)

    def test_a_handle_that_names_no_window_ends_at_once(self):
        for args in (["/p", "99999"], ["/p", "4294967296"], ["/p"]):
            with self.subTest(args=args):
                started = time.time()
                code, _ = self.box.run(self.folder / "Orvelle.scr", *args, timeout=20, name="scr")
                self.assertEqual(code, 0)
                self.assertLess(time.time() - started, 5.0)
        self.assertFalse((self.box.c_drive() / "pellan_temp").exists(),
                         "a preview does not prepare the settings folder")

    def test_the_picture_is_drawn_at_its_own_size_on_white(self):
        code, out = self.box.run(BIN / "windows_check.exe", "preview", timeout=30, name="pixels")
        lines = [fields(line) for line in out.strip().splitlines()]
        self.assertEqual((code, lines[0]["picture"]), (0, "152x112"))
        self.assertGreater(int(lines[1]["dark_percent"]), 50, "a near-black ground")
        self.assertEqual([(x["size"], x["wrong"]) for x in lines[2:]],
                         [("152x112", "0"), ("200x150", "0"), ("100x80", "0")])


if __name__ == "__main__":
    main()
