# Orvelle.scr under Wine. A whole saver run: from a folder and under a
# name whose Shift-JIS bytes hold a backslash, the screen size it records, the
# renderer started hidden and ended with it; the music started, watched and
# ended with it (the media commands read from Wine's own trace of its media
# control interface). The preview in a pane of our own, a child of a window of
# the probe: Wine 8 does not show the content of a window placed into another
# process's window, so its structure is checked here and its pixels by the
# Windows tests, in memory; and a preview asked into the desktop window.

import os
import re
import shutil
import signal
import time

from harness.product import APPLICATION_TITLE, FILE, FRONT_END_FILE, KIND, MISSING_RENDERER_MESSAGE
from harness.product import PREVIEW_CAPTION, PREVIEW_CLASS, PREVIEW_IMAGE_CLASS, RENDERER_CAPTION
from harness.product import RENDERER_FILE, REPEAT, SAVER_RUN_CAPTION, HEIGHT, WIDTH
from harness.support import fields, ini, main, media_commands, sine_mp3, wait_until
from harness.winebox import WineTestCase

PANE = "Orvelle test pane"
WS_CHILD, WS_POPUP = 0x40000000, 0x80000000


class FrontEnd(WineTestCase):
    def start_saver(self, settings, program=None):
        if settings:
            self.write_settings(settings)
        saver = self.box.start(
            program or self.folder / FRONT_END_FILE,
            "/s",
            name="saver",
            env=self.box.env(WINEDEBUG="trace+mci"),
        )
        self.assertIsNotNone(self.box.x_window(RENDERER_CAPTION, timeout=60))
        return saver

    def media_commands(self):
        return media_commands(self.box.logs / "saver.out")

    def test_a_saver_run_from_any_folder_records_the_screen_and_ends_with_its_hidden_renderer(self):
        # ソナタ\表示.scr: the second bytes of ソ and 表 are "\" in Shift-JIS.
        folder = self.box.c_drive() / "ソナタ"
        folder.mkdir(exist_ok=True)
        shutil.copy(self.folder / FRONT_END_FILE, folder / "表示.scr")
        shutil.copy(self.folder / RENDERER_FILE, folder / RENDERER_FILE)
        scr = self.start_saver(None, folder / "表示.scr")
        # Wine's profile writer drops the value's leading blank, which
        # Windows keeps; the numbers and their order are what matter here.
        lines = self.settings_path().read_bytes().replace(b" ", b"").split(b"\r\n")
        self.assertLess(lines.index(WIDTH + b"=1024"), lines.index(HEIGHT + b"=768"))
        main_window = self.window(SAVER_RUN_CAPTION)
        self.assertEqual(main_window["visible"], "0")
        self.assertNotEqual(self.window(RENDERER_CAPTION)["pid"], main_window["pid"])
        self.assertIsNone(scr.poll())
        # The front end sees the renderer gone at its next 500 ms tick.
        self.assertEqual(self.ended_promptly(scr, lambda: self.box.key("Escape")), 0)
        self.assertIsNone(self.window(SAVER_RUN_CAPTION))

    def test_without_its_renderer_it_says_so_and_touches_nothing(self):
        (self.folder / RENDERER_FILE).unlink()
        scr = self.box.start(self.folder / FRONT_END_FILE, "/s", name="saver")
        self.assertTrue(wait_until(lambda: self.window(APPLICATION_TITLE), 60), "no message")
        texts = [c["text"] for c in self.described(APPLICATION_TITLE)[1:]]
        self.assertIn(MISSING_RENDERER_MESSAGE, texts)
        self.box.key("Return", self.box.x_window(re.escape(APPLICATION_TITLE)))
        self.assertEqual(scr.wait(timeout=20), 0)
        self.assertFalse((self.folder / RENDERER_FILE).exists(), "looking made no file")
        self.assertFalse(self.settings_path().exists(), "the settings were not touched")

    def test_an_mp3_plays_restarts_after_its_end_and_is_closed(self):
        music = self.box.c_drive() / "music"
        music.mkdir(exist_ok=True)
        sine_mp3(music / "short one.mp3")
        saver = self.start_saver(ini({KIND: " 2", REPEAT: " 0", FILE: "C:\\music\\short one.mp3"}))
        restarted = wait_until(
            lambda: "play MP3Play from 0" in [c for c, _ in self.media_commands()], 20
        )
        self.assertTrue(restarted, self.media_commands())
        self.escape_ends(saver)
        # The command strings are the unit tests'; here Wine plays the file
        # and reports its end, and the file is closed with the run.
        commands = [c for c, _ in self.media_commands()]
        self.assertEqual(
            commands[0], 'open "C:\\music\\short one.mp3" type MPEGVideo Alias MP3Play'
        )
        self.assertEqual(commands[-2:], ["stop MP3Play", "close MP3Play"])

    def test_a_cd_watch_stops_without_a_drive(self):
        saver = self.start_saver(ini({KIND: " 1", REPEAT: " 0"}))
        self.assertTrue(wait_until(lambda: len(self.media_commands()) >= 3, 10))
        self.escape_ends(saver)
        # No drive: the watch stops itself, and nothing is stopped at the end.
        self.assertEqual(
            self.media_commands(),
            [
                ("open cdaudio", 0),
                ("set cdaudio time format tmsf", 0),
                ("status cdaudio current track", 512),
            ],
        )

    def test_covers_the_pane_and_ends_when_the_pane_is_destroyed_or_its_process_ends(self):
        # A pane beyond 2184 pixels would overflow a 16-bit size in twips.
        for width, height, end in ((152, 112, "close"), (2400, 1800, "close"), (200, 150, "kill")):
            with self.subTest(pane=f"{width}x{height}", end=end):
                holder = self.hold(PANE, 60000, (100, 100, width, height), "pane", name="pane")
                said = self.box.logs / "pane.out"  # the probe's window=HANDLE line
                pane = wait_until(
                    lambda: said.exists() and fields(said.read_text().strip()).get("window"), 30
                )
                scr = self.box.start(self.folder / FRONT_END_FILE, "/p", pane, name="scr")
                found = wait_until(
                    lambda: (f := {c["class"]: c for c in self.described(PANE)[1:]}).keys()
                    >= {PREVIEW_CLASS, PREVIEW_IMAGE_CLASS}
                    and f,
                    60,
                )
                self.assertTrue(found, "no preview in the pane")
                window = found[PREVIEW_CLASS]
                self.assertEqual(int(window["style"], 16) & (WS_CHILD | WS_POPUP), WS_CHILD)
                self.assertEqual((window["parent"], window["text"]), (pane, PREVIEW_CAPTION))
                # Both at the pane's origin, its size.
                for part in (window, found[PREVIEW_IMAGE_CLASS]):
                    self.assertEqual(
                        [part[k] for k in ("x", "y", "width", "height")],
                        ["0", "0", str(width), str(height)],
                    )
                # The pane destroyed, or its host process just exits.
                self.ended_promptly(
                    scr,
                    lambda: self.probe("close", PANE)
                    if end == "close"
                    else os.killpg(holder.pid, signal.SIGKILL),
                )

    def test_a_preview_asked_into_a_window_that_is_no_pane_ends_at_once_showing_nothing(self):
        # The desktop window, and a top-level window of another program.
        self.hold("Orvelle no pane", 60000, (100, 100, 200, 150), name="window")
        said = self.box.logs / "window.out"
        window = wait_until(lambda: fields(said.read_text().strip()).get("window"), 30)
        for target in (fields(self.probe("desktop")[1].strip())["window"], window):
            with self.subTest(target=target):
                started = time.time()
                scr = self.box.start(self.folder / FRONT_END_FILE, "/p", target, name="scr")
                shown = []

                def ended():
                    shown.extend(self.box.x_windows(PREVIEW_CAPTION))
                    return scr.poll() is not None

                self.assertTrue(wait_until(ended, 10))
                self.assertLess(time.time() - started, 2.0)
                self.assertEqual((scr.returncode, shown), (0, []))
                self.assertEqual(len(self.described("Orvelle no pane")), 1, "a window put in it")


if __name__ == "__main__":
    main()
