"""Two push buttons on the real platform, under Wine, driven with the pointer
and the keys, as a user sees them."""

from e2e_support import WineTestCase, fields, main, wait_until

BORDER = (0, 60, 116)
PARENT = (0, 255, 0)


class Controls(WineTestCase):
    programs = ("probe.exe",)

    def test_two_buttons_under_the_pointer_and_the_keys(self):
        host = self.box.start(self.folder / "probe.exe", "buttons", name="buttons")
        log = self.box.logs / "buttons.out"

        def lines():
            return log.read_text(errors="replace").splitlines() if log.exists() else []
        buttons = wait_until(lambda: len(b := [fields(x) for x in lines() if x.startswith("button ")])
                             == 2 and b, 20)
        self.assertTrue(buttons, lines())
        first, second = buttons
        x, y = int(first["x"]), int(first["y"])
        w, h = int(first["width"]), int(first["height"])

        look = self.screenshot
        shot = wait_until(lambda: (s := look("normal")).at(x + 3, y) == BORDER and s, 10)
        self.assertTrue(shot, "the buttons never showed")
        self.assertEqual({shot.at(x + i, y) for i in range(3, w - 3)}, {BORDER})
        self.assertEqual(shot.at(x + 10, y + h - 2), (214, 208, 197))
        self.assertEqual(shot.at(x, y), PARENT, "outside the window region: the parent")
        self.assertEqual(shot.at(x + w - 1, y + h - 1), PARENT)
        x2, y2 = int(second["x"]), int(second["y"])
        self.assertEqual(shot.at(x2 + 10, y2), (201, 199, 186), "disabled border")
        self.assertEqual(shot.at(x2 + 5, y2 + h // 2), (245, 244, 234), "disabled face")

        # Hot under the pointer, Normal again once it has left.
        self.box.xdotool("mousemove", x + w // 2, y + h // 2)
        self.assertTrue(wait_until(lambda: look("hot").at(x + 10, y + h - 2) == (230, 150, 0), 10))
        self.box.xdotool("mousemove", x + w // 2, y + h + 40)
        self.assertTrue(wait_until(lambda: look("left").at(x + 10, y + h - 2) == (214, 208, 197),
                                   10))

        # A click, then Space and Enter on the button that now has the focus.
        self.box.xdotool("mousemove", x + w // 2, y + h // 2)
        self.box.xdotool("click", 1)
        self.assertTrue(wait_until(lambda: "command id=101 code=0" in lines(), 10), lines())
        self.box.key("space")
        self.assertTrue(wait_until(lambda: lines().count("command id=101 code=0") == 2, 10))
        self.box.key("Return")
        self.assertTrue(wait_until(lambda: lines().count("command id=101 code=0") == 3, 10))
        self.assertNotIn("command id=102 code=0", lines(), "the disabled button stays silent")
        host.kill()


if __name__ == "__main__":
    main()
