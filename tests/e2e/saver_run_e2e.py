"""A whole saver run under Wine: Orvelle.scr /s starts the renderer and the
music, watches the renderer's window and ends with it. The media commands
are read from Wine's own trace of its media control interface."""

import re
import subprocess
import time

from e2e_support import WineTestCase, main, wait_until

KIND = b"BGM\x8b\xe6\x95\xaa"      # "BGM区分" in Shift-JIS
REPEAT = b"BGM\xd8\xcb\xdf\xb0\xc4"  # "BGMﾘﾋﾟｰﾄ"
FILE = b"BGM\xcc\xa7\xb2\xd9"        # "BGMﾌｧｲﾙ"

TRACE_LINE = re.compile(r'mciSendStringW \(L"((?:[^"\\]|\\.)*)", [0-9A-Fa-f]+, (\d+),')


def short_mp3(path, seconds=1.5):
    """A sine tone of about the given length, encoded as MP3 by GStreamer."""
    buffers = int(seconds * 44100 / 1024)
    subprocess.run(["gst-launch-1.0", "-q", "audiotestsrc", f"num-buffers={buffers}",
                    "samplesperbuffer=1024", "!", "audio/x-raw,rate=44100,channels=1", "!",
                    "lamemp3enc", "!", "filesink", f"location={path}"],
                   check=True, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class SaverRun(WineTestCase):
    def start_saver(self, trace=False):
        env = self.box.env(WINEDEBUG="trace+mci") if trace else None
        return self.box.start(self.folder / "Orvelle.scr", "/s", name="saver", env=env)

    def media_commands(self):
        """(command, reply capacity) of every command the front end sent.
        Wine traces its own inner commands too: when a command names a
        device that is not open it opens it itself and sends the command
        again, both with " wait" appended; those are left out."""
        text = (self.box.logs / "saver.out").read_text(errors="replace")
        sent = [(m.group(1).replace('\\"', '"').replace("\\\\", "\\"), int(m.group(2)))
                for m in TRACE_LINE.finditer(text)]
        return [(c, n) for c, n in sent if not c.endswith(" wait")]

    def test_an_mp3_plays_restarts_after_its_end_and_is_closed(self):
        music = self.box.c_drive() / "music"
        music.mkdir(exist_ok=True)
        short_mp3(music / "short one.mp3")
        self.write_settings(b"[Section]\r\n" + KIND + b"= 2\r\n" + REPEAT + b"= 0\r\n" + FILE +
                            b"=C:\\music\\short one.mp3\r\n")
        saver = self.start_saver(trace=True)
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=60))
        restarted = wait_until(
            lambda: "play MP3Play from 0" in [c for c, _ in self.media_commands()], 20)
        self.assertTrue(restarted, self.media_commands())
        self.escape_ends(saver)
        # The command strings are the unit tests'; here Wine plays the file
        # and reports its end, and the file is closed with the run.
        commands = [c for c, _ in self.media_commands()]
        self.assertEqual(commands[0], 'open "C:\\music\\short one.mp3" type MPEGVideo Alias MP3Play')
        self.assertEqual(commands[-2:], ["stop MP3Play", "close MP3Play"])

    def test_runs_the_renderer_hidden_and_ends_with_it_and_a_cd_watch_stops_without_a_drive(self):
        self.write_settings(b"[Section]\r\n" + KIND + b"= 1\r\n" + REPEAT + b"= 0\r\n")
        saver = self.start_saver(trace=True)
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=60))
        main_window = self.window("Zelkor_Main")
        self.assertEqual(main_window["visible"], "0")
        self.assertNotEqual(self.window("Zelkor_VC")["pid"], main_window["pid"])
        self.assertTrue(wait_until(lambda: len(self.media_commands()) >= 3, 10))
        self.assertIsNone(saver.poll())
        pressed = time.time()
        self.box.key("Escape")
        saver.wait(timeout=10)
        # The front end sees the renderer gone at its next 500 ms tick.
        self.assertLess(time.time() - pressed, 2.0)
        self.assertEqual(saver.returncode, 0)
        self.assertIsNone(self.window("Zelkor_Main"))
        # No drive: the watch stops itself, and nothing is stopped at the end.
        self.assertEqual(self.media_commands(),
                         [("open cdaudio", 0), ("set cdaudio time format tmsf", 0),
                          ("status cdaudio current track", 512)])


if __name__ == "__main__":
    main()
