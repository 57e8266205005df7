# The X11 host, orvelle, under Xvfb with Mesa: its own window and SIGTERM, a
# window someone else made, resized and destroyed, a bad window id, and the
# same frame as the off-screen host. Then on the root window of an X.Org
# server with two RandR monitors: each covered, and followed when one is
# turned off and on again. OpenGL draws unless a test says otherwise
# (ORVELLE_RENDERING=gl: Mesa on these servers is llvmpipe, where the host
# would choose the processor); the processor backend's tests put its
# picture through the same scenarios, and the host's own choice.

import os
import signal
import subprocess
import tempfile
import time
import unittest
from ctypes import CDLL, c_char_p, c_int, c_uint, c_ulong, c_void_p
from pathlib import Path

from harness.support import Screenshot, covered, main, screenshot, wait_until
from harness.winebox import DummyDisplay, VirtualDisplay

BUILD = Path(os.environ["ORVELLE_BUILD"])
HOST = BUILD / "bin/orvelle"
FRAMES = BUILD / "bin/orvelle-frames"
# A snapshot's scene: its seed and its clock's step (with -snapshot-at and -geometry).
SNAPSHOT = ("-seed", 7, "-clock-step", 20)
MONITORS = ((0, 0, 1024, 768), (1024, 0, 800, 600))


def xlib():
    # libX11 with every function these tests call declared: a display is a
    # pointer and a window 32 bits in an unsigned long, which ctypes would
    # otherwise pass and return as C ints.
    library = CDLL("libX11.so.6")
    window = [c_void_p, c_ulong]
    # XCreateWindow(display, parent, x, y, width, height, border, depth,
    # class, visual, value mask, attributes).
    create = window + [c_int, c_int, c_uint, c_uint, c_uint, c_int, c_uint] + window + [c_void_p]
    for name, result, arguments in (
        ("XOpenDisplay", c_void_p, [c_char_p]),
        ("XCloseDisplay", c_int, [c_void_p]),
        ("XDefaultRootWindow", c_ulong, [c_void_p]),
        ("XCreateWindow", c_ulong, create),
        ("XMapWindow", c_int, window),
        ("XDestroyWindow", c_int, window),
        ("XResizeWindow", c_int, window + [c_uint, c_uint]),
        ("XSync", c_int, [c_void_p, c_int]),
    ):
        function = getattr(library, name)
        function.restype, function.argtypes = result, arguments
    return library


class Host(unittest.TestCase):
    # A server of the class's own (an 800x600 Xvfb unless it says), and the host on it.

    @classmethod
    def setUpClass(cls, server=None):
        cls.work = Path(cls.enterClassContext(tempfile.TemporaryDirectory(prefix="orvelle-x11-")))
        cls.display = server(cls.work) if server else VirtualDisplay(cls.work, "800x600")
        cls.env = cls.enterClassContext(cls.display).env()
        cls.env.pop("XSCREENSAVER_WINDOW", None)
        cls.env["ORVELLE_RENDERING"] = "gl"
        cls.cpu = dict(cls.env, ORVELLE_RENDERING="cpu")

    def start(self, *args, env=None, memory=None):
        # With memory, the host may map no more than that many bytes (set by
        # prlimit: nothing runs in this process between fork and exec).
        limit = ["prlimit", f"--as={memory}"] if memory else []
        pipes = {"stdout": subprocess.PIPE, "stderr": subprocess.PIPE, "text": True}
        p = subprocess.Popen([*limit, HOST, *map(str, args)], env=env or self.env, **pipes)
        self.addCleanup(lambda: (p.poll() is None and p.kill(), p.communicate()))
        return p

    def window(self, x, y, width, height, input_only=False):
        # A window of someone else's, made through Xlib (one for input only,
        # where nothing can be drawn, if asked): its id, and the call that
        # sends an Xlib request about it (and waits for it to be done).
        x11 = xlib()
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        self.assertTrue(display, "no connection to the server")
        self.addCleanup(x11.XCloseDisplay, display)
        # Depth and visual from the parent; class 1 InputOutput, 2 InputOnly.
        place = (x11.XDefaultRootWindow(display), x, y, width, height, 0, 0)
        window = x11.XCreateWindow(display, *place, 2 if input_only else 1, None, 0, None)

        def request(name, *args):
            getattr(x11, name)(display, window, *args)
            x11.XSync(display, 0)

        request("XMapWindow")
        return window, request

    def screenshot(self):
        return Screenshot(screenshot(self.env["DISPLAY"], self.work / "shot.ppm"))

    def lit(self, region):
        # How many pixels of a region of the screen are lit.
        return self.screenshot().colour_counts(region)["lit"]


class X11Host(Host):
    def test_its_own_window_shows_the_three_lights_until_a_signal(self):
        for backend, env in (("gl", self.env), ("cpu", self.cpu)):
            with self.subTest(backend=backend):
                host = self.start("-geometry", "640x480", env=env)
                self.assertTrue(
                    wait_until(lambda: self.screenshot().lights((0, 0, 640, 480)) > 10, 15),
                    "no red, green and blue light",
                )
                sent = time.time()
                host.send_signal(signal.SIGTERM)
                self.assertEqual(host.wait(timeout=5), 0)
                self.assertLess(time.time() - sent, 1.0)

    def test_a_window_made_elsewhere_is_drawn_in_followed_and_its_end_ends_it(self):
        window_id, request = self.window(200, 150, 320, 240)
        # As XScreenSaver starts a saver: -root, and its own window named aside.
        host = self.start("--root", env=dict(self.env, XSCREENSAVER_WINDOW=hex(window_id)))
        self.assertTrue(wait_until(lambda: self.lit((200, 150, 320, 240)), 15), "nothing drawn")
        self.assertEqual(
            self.lit((0, 0, 800, 150)) + self.lit((0, 390, 800, 210)), 0, "drawn outside the window"
        )
        # A larger window: the picture follows, centred on the new size.
        request("XResizeWindow", 560, 420)
        self.assertTrue(
            wait_until(lambda: self.lit((530, 150, 230, 420)), 15),
            "the picture did not follow the new size",
        )
        request("XDestroyWindow")
        self.assertEqual(host.wait(timeout=5), 0)

    def test_a_window_id_that_names_no_window_fails_at_once(self):
        host = self.start("-window-id", "0x7ffffff0")
        self.assertEqual(host.wait(timeout=5), 1)
        self.assertEqual(host.stderr.read().strip(), "orvelle: window 0x7ffffff0 does not exist")

    def test_refused_inputs_say_why_and_end_with_1_never_a_signal_nor_in_a_foreign_window(self):
        # Under a gigabyte of memory: no input makes the host ask for more.
        input_only, _ = self.window(0, 0, 100, 100, input_only=True)
        window = hex(input_only)

        def geometry(size, *more):
            said = f'-geometry takes WIDTHxHEIGHT, each 1 to 16384: "{size}"'
            return ["-geometry", size, *more], None, said

        cases = [
            geometry("65536x65536"),
            geometry("99999999999x5", "-snapshot-at", "1", "x.ppm"),
            geometry("40000x40000"),
            geometry("800x600junk"),
            (
                ["-root"],
                "0x200001garbage",
                'XSCREENSAVER_WINDOW is not a window id: "0x200001garbage"',
            ),
            (
                ["-window-id", "0x10000050d"],
                None,
                'the window id is not a 32-bit number: "0x10000050d"',
            ),
            (
                ["-clock-step", "4294967296"],
                None,
                'the clock step is not a 32-bit number: "4294967296"',
            ),
            (
                ["-window-id", window],
                None,
                f"window {window} is input-only: nothing can be drawn in it",
            ),
        ]
        for args, variable, said in cases:
            with self.subTest(args=args, variable=variable):
                env = dict(self.env, **({"XSCREENSAVER_WINDOW": variable} if variable else {}))
                host = self.start(*args, env=env, memory=1 << 30)
                self.assertEqual(host.wait(timeout=30), 1)
                self.assertEqual(host.stderr.read().splitlines()[0], "orvelle: " + said)
        self.assertEqual(self.lit((0, 0, 800, 600)), 0, "drawn somewhere")

    def test_a_window_that_vanishes_at_any_moment_ends_it_with_a_message(self):
        # Destroyed as the host looks at it, makes its context, or draws.
        for delay in (0.0, 0.05, 0.2, 1.0):
            with self.subTest(delay=delay):
                window_id, request = self.window(0, 0, 200, 200)
                host = self.start("-window-id", hex(window_id), memory=1 << 30)
                time.sleep(delay)  # the moment chosen, not a wait for an outcome
                request("XDestroyWindow")
                code = host.wait(timeout=30)
                said = host.stderr.read()
                self.assertIn(code, (0, 1), said)  # never a signal
                gone = r"the window is gone|window 0x[0-9a-f]+ does not exist"
                self.assertRegex(
                    said, rf"^orvelle: ({gone}|OpenGL cannot draw in the window)", said
                )

    def test_the_same_frame_as_the_off_screen_host(self):
        # Both draw with Mesa's llvmpipe, or both with the processor backend:
        # byte for byte the same colours. Unasked, the host chooses the
        # processor on this llvmpipe (and the window's visual takes it).
        unasked = dict(self.env)
        del unasked["ORVELLE_RENDERING"]
        backends = (("gl", self.env, "gl"), ("cpu", self.cpu, "cpu"), ("unasked", unasked, "cpu"))
        for backend, env, frames in backends:
            with self.subTest(backend=backend):
                mine, theirs = self.work / f"x11-{backend}.ppm", self.work / "offscreen.ppm"
                host = self.start(
                    *SNAPSHOT, "-geometry", "320x240", "-snapshot-at", 3000, mine, env=env
                )
                self.assertEqual(host.wait(timeout=60), 0)
                frames = dict(self.env, ORVELLE_RENDERING=frames)
                run = [FRAMES, *map(str, (320, 240, 7, 3000, 20, theirs))]
                subprocess.run(run, check=True, timeout=60, env=frames)
                self.assertEqual(mine.read_bytes(), theirs.read_bytes())

    def test_an_unknown_rendering_is_said_and_the_host_chooses(self):
        env, shot = dict(self.env, ORVELLE_RENDERING="vulkan"), self.work / "unknown.ppm"
        host = self.start(*SNAPSHOT, "-geometry", "160x120", "-snapshot-at", 200, shot, env=env)
        self.assertEqual(host.wait(timeout=60), 0)
        said = 'ORVELLE_RENDERING is neither cpu nor gl: "vulkan"; chosen by OpenGL\'s renderer'
        self.assertEqual(host.stderr.read().splitlines(), ["orvelle: " + said])


class NoSharedMemory(VirtualDisplay):
    # An Xvfb without MIT-SHM, as a server on another machine is to us.
    def command(self, fd):
        return super().command(fd) + ["-extension", "MIT-SHM"]


class X11HostWithoutSharedMemory(Host):
    @classmethod
    def setUpClass(cls):
        super().setUpClass(lambda work: NoSharedMemory(work, "800x600"))

    def test_the_processors_picture_goes_through_the_connection(self):
        host = self.start("-geometry", "640x480", env=self.cpu)
        self.assertTrue(
            wait_until(lambda: self.screenshot().lights((0, 0, 640, 480)) > 10, 15),
            "no red, green and blue light",
        )
        host.send_signal(signal.SIGTERM)
        self.assertEqual(host.wait(timeout=5), 0)


class X11HostOnMonitors(Host):
    @classmethod
    def setUpClass(cls):
        super().setUpClass(DummyDisplay)
        cls.display.add("DUMMY1", 800, 600)
        subprocess.run(["xsetroot", "-solid", "white"], env=cls.env, check=True, timeout=20)

    def test_each_monitor_shows_a_scene_of_its_own_at_its_size(self):
        # Each part as the off-screen host draws the scene made first, and
        # second, with the same backend: to a level or two, as the viewport's
        # offset moves a few edges' and texture steps' rounding (measured:
        # OpenGL 1, the processor 2 on a pixel or two).
        for backend, env, levels in (("gl", self.env, 1), ("cpu", self.cpu, 2)):
            mine, alone = self.work / f"root-{backend}.ppm", self.work / "alone.ppm"
            host = self.start(
                "-root", "-seed", 7, "-clock-step", 100, "-snapshot-at", 2000, mine, env=env
            )
            self.assertEqual(host.wait(timeout=60), 0)
            for made, (left, top, width, height) in enumerate(MONITORS):
                with self.subTest(backend=backend, monitor=made):
                    run = [FRAMES, *map(str, (width, height, 7, 2000, 100, alone, made))]
                    subprocess.run(run, check=True, timeout=60, env=env)
                    mine_part = Screenshot(mine).pixels(left, top, width, height)
                    pairs = zip(mine_part, Screenshot(alone).pixels(0, 0, width, height))
                    most = max(abs(a - b) for p, q in pairs for a, b in zip(p, q))
                    self.assertLessEqual(most, levels)

    def test_the_root_window_covers_each_monitor_and_follows_them(self):
        # With OpenGL, and as drawn where OpenGL draws in software: by the
        # processor, its picture put through shared memory.
        for backend, env in (("gl", self.env), ("cpu", self.cpu)):
            with self.subTest(backend=backend):
                self.follow(self.start("-root", env=env))

    def follow(self, host):
        monitors = self.display.monitors()
        self.assertEqual(sorted(monitors.values()), list(MONITORS))

        def cover(*names):
            return lambda: all(covered(self.screenshot(), monitors[n]) for n in names)

        self.assertTrue(wait_until(cover("DUMMY0", "DUMMY1"), 60), "a monitor is not covered")
        self.display.xrandr("--output", "DUMMY1", "--off")
        self.assertTrue(
            wait_until(lambda: self.screenshot().width == 1024 and cover("DUMMY0")(), 30),
            "the primary is not covered any more",
        )
        # The screen grown first, so that the monitor coming back changes the monitors only.
        self.display.xrandr("--fb", "1824x768")
        self.assertTrue(wait_until(lambda: self.screenshot().width == 1824, 30))
        self.display.add("DUMMY1", 800, 600)
        self.assertTrue(wait_until(cover("DUMMY1"), 60), "the second monitor is not covered again")
        host.send_signal(signal.SIGTERM)
        self.assertEqual(host.wait(timeout=10), 0)


if __name__ == "__main__":
    main()
