# A Wine prefix and an X display of our own, for running the Windows programs.
#
# Used by `make run`, the benchmarks and the end-to-end tests (whose test
# case, WineTestCase, is at the end). A template prefix lives in the
# build tree, made once (wineboot takes about ten seconds) with the settings
# below; each box starts from a fresh copy of it, whatever an earlier box (or a
# run that was killed) changed, and runs its own Xvfb and its own persistent
# wineserver, which it takes down again at the end. Every wine command runs
# under a timeout and writes its output to files, never to pipes: background
# wine processes keep pipes open.

import contextlib
import os
import re
import select
import shutil
import signal
import subprocess
import time
import unittest
from pathlib import Path, PureWindowsPath

from harness.product import DIALOG_FONT, FRONT_END_FILE, RENDERER_FILE, SETTINGS_PATH
from harness.support import QUIET, TEXT, Screenshot, fields, screenshot, wait_until

# Registry settings the box needs:
# - Managed=N: without a window manager a hide or destroy of a visible window
#   otherwise stalls about 2 s, and keys reach a window only when it has the focus.
# - ShowCrashDialog=0: a crash prints a backtrace and exits instead of waiting in a dialog.
# - The font substitute: otherwise the dialog's face falls back to the fixed-width
#   IPAGothic (the font replacements key of Wine's own is not consulted for it on Wine 8).
REGISTRY = rf"""Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"{DIALOG_FONT[0]}"="IPAPGothic"
"""

# A sound device that discards what it is given.
ASOUNDRC = "pcm.!default { type null }\nctl.!default { type hw card 0 }\n"

# The system's own program files, which nothing writes to: a box's prefix
# links them from the template instead of copying 600 MB.
SYSTEM_FILES = (".dll", ".exe", ".drv", ".sys", ".ocx", ".acm", ".ax", ".cpl", ".tlb", ".nls")


class VirtualDisplay:
    # An Xvfb of our own, for a with block. The server picks a free display
    # number itself and reports it (-displayfd), so servers started at the same
    # time by other runs never race for one. It never resets: a server resets
    # when its last client leaves, and refuses connections while it does.

    def __init__(self, logs=None, screen="1024x768"):
        self.screen, self.logs, self.server = screen, logs and Path(logs), None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def command(self, fd):
        return f"Xvfb -displayfd {fd} -screen 0 {self.screen}x24 -br -noreset -nolisten tcp".split()

    def start(self):
        # Starts the server; returns once it accepts connections.
        log = self.logs / "server.out" if self.logs else Path(os.devnull)
        log.parent.mkdir(parents=True, exist_ok=True)
        read, write = os.pipe()
        with open(log, "w") as out:
            self.server = subprocess.Popen(
                self.command(write), stdout=out, stderr=out, pass_fds=(write,)
            )
        os.close(write)
        with os.fdopen(read) as reported:
            ready = select.select([reported], [], [], 30)[0]
            self.number = reported.readline().strip() if ready else ""
        if not self.number.isdigit():
            self.stop()
            raise RuntimeError(f"{self.command(0)[0]} did not start (see {log})")
        return self

    def stop(self):
        if self.server is not None and self.server.poll() is None:
            self.server.terminate()
            with contextlib.suppress(subprocess.TimeoutExpired):
                self.server.wait(timeout=5)

    def env(self):
        return dict(os.environ, DISPLAY=f":{self.number}")


class DummyDisplay(VirtualDisplay):
    # An X.Org server with the dummy video driver: real RandR outputs (Wine
    # sees one monitor per output) and real mode changes. DUMMY0, 1024x768, is
    # the primary; add() turns on more. Xorg needs root.

    def command(self, fd):
        config, log = Path(__file__).with_name("xorg-dummy.conf"), self.logs / "xorg.server.log"
        options = ["-config", config, "-noreset", "-nolisten", "tcp", "-logfile", log]
        return ["Xorg", "-displayfd", str(fd), *options]

    def xrandr(self, *args, check=True):
        xrandr = ["xrandr", *map(str, args)]
        return subprocess.run(xrandr, env=self.env(), check=check, timeout=20, **TEXT).stdout

    def add(self, output, width, height, right_of="DUMMY0"):
        # Turns an output on at a mode of that size, right of another unless
        # None (a mode that exists already is not made again).
        mode = f"{width}x{height}_orvelle"
        modeline = subprocess.run(["cvt", str(width), str(height)], check=True, **TEXT).stdout
        timing = modeline.split('"', 2)[2].split()
        self.xrandr("--newmode", mode, *timing, check=False)
        self.xrandr("--addmode", output, mode, check=False)
        place = ["--right-of", right_of] if right_of else []
        self.xrandr("--output", output, "--mode", mode, *place)
        # Wine reads the outputs without probing them, and a Wine program
        # started right after the change was seen to miss an output turned
        # on until some client queried the server in full; so one does here.
        self.xrandr("--query")

    def monitors(self):
        # {output: (left, top, width, height)} of the monitors on.
        found = re.findall(
            r"(\d+)/\d+x(\d+)/\d+\+(-?\d+)\+(-?\d+)\s+(\S+)", self.xrandr("--listmonitors")
        )
        return {name: (int(x), int(y), int(w), int(h)) for w, h, x, y, name in found}


class WineBox:
    def __init__(self, work, screen="1024x768", display=None, name="box"):
        self.work = Path(work).resolve()
        self.template = self.work / "template"
        self.home = self.work / name
        self.prefix = self.home / "prefix"
        self.logs = self.home / "logs"
        # An Xvfb of our own, another server of our own (a display object,
        # started and stopped with the box), or an existing display's name.
        named = isinstance(display, str)
        self.virtual = None if named else display or VirtualDisplay(self.logs, screen)
        self.display = display if named else None
        self.processes = []

    def env(self, **extra):
        # The environment of the box's programs, Japanese, with extra settings.
        wine = dict(WINEDEBUG="-all", WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=")
        box = dict(WINEPREFIX=str(self.prefix), HOME=str(self.home), DISPLAY=self.display or "")
        japanese = dict(WINEARCH="win64", LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
        return {**os.environ, **wine, **box, **japanese, **extra}

    def c_drive(self):
        return self.prefix / "drive_c"

    def path(self, windows_path):
        # Where a path of the C: drive lies in the prefix.
        return self.c_drive().joinpath(*PureWindowsPath(windows_path).parts[1:])

    # -- lifetime -----------------------------------------------------------
    def __enter__(self):
        try:
            shutil.rmtree(self.home, ignore_errors=True)
            self.logs.mkdir(parents=True)
            (self.home / ".asoundrc").write_text(ASOUNDRC)
            if self.virtual is not None:
                self.display = f":{self.virtual.start().number}"
            self._ensure_template()

            def copy(src, dst):
                (os.link if src.lower().endswith(SYSTEM_FILES) else shutil.copy2)(src, dst)

            shutil.copytree(
                self.template / "prefix", self.prefix, symlinks=True, copy_function=copy
            )
            self.restart()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        self._stop_server()
        if self.virtual is not None:
            self.virtual.stop()

    def restart(self):
        # Ends every Windows program of the box and starts a fresh
        # wineserver (which also rereads settings such as the DPI).
        self._stop_server()
        self._spawn(["wineserver", "-p"], "wineserver").wait(timeout=30)

    def _stop_server(self):
        with contextlib.suppress(Exception):
            subprocess.run(["wineserver", "-k"], env=self.env(), timeout=20, **QUIET)
        for p in self.processes:
            with contextlib.suppress(Exception):
                if p.poll() is None:
                    os.killpg(p.pid, signal.SIGKILL)
                    p.wait(timeout=5)
        self.processes.clear()

    def _ensure_template(self):
        # The marker holds the registry settings the template was given.
        prefix = self.template / "prefix"
        marker = self.template / "ready"
        if marker.exists() and marker.read_text(encoding="utf-8") == REGISTRY:
            return
        shutil.rmtree(self.template, ignore_errors=True)
        self.template.mkdir(parents=True)
        env = self.env(WINEPREFIX=str(prefix), HOME=str(self.template))
        self._spawn(["wineboot", "--init"], "wineboot", env, self.template).wait(timeout=180)
        reg = self.template / "orvelle.reg"
        reg.write_text(REGISTRY, encoding="utf-16")
        self._spawn(["wine", "regedit", "/S", reg], "regedit", env, self.template).wait(timeout=60)
        subprocess.run(["wineserver", "-w"], env=env, timeout=60)
        marker.write_text(REGISTRY, encoding="utf-8")

    # -- processes ----------------------------------------------------------
    def _spawn(self, argv, name, env=None, logs=None, timeout=600, stderr=subprocess.STDOUT):
        # Each start of a name writes a fresh log.
        with open((logs or self.logs) / f"{name}.out", "wb") as out:
            argv = ["timeout", "-k", "5", str(timeout), *map(str, argv)]
            options = {"stdin": subprocess.DEVNULL, "cwd": self.work, "start_new_session": True}
            p = subprocess.Popen(argv, env=env or self.env(), stdout=out, stderr=stderr, **options)
        self.processes.append(p)
        return p

    def start(self, program, *args, name=None, env=None):
        # Starts a Windows program in the background; returns the Popen.
        # Its output goes to logs/NAME.out.
        return self._spawn(["wine", program, *args], name or Path(program).stem, env=env)

    def run(self, program, *args, timeout=60, name=None):
        # Runs a Windows program to its end; returns (exit code, its stdout text).
        name = name or Path(program).stem
        with open(self.logs / f"{name}.err", "ab") as err:
            code = self._spawn(["wine", program, *args], name, timeout=timeout, stderr=err).wait()
        return code, (self.logs / f"{name}.out").read_text("utf-8", "replace").replace("\r", "")

    def reg_add(self, key, name, value, kind="REG_SZ"):
        # Sets a registry value in the prefix.
        return self.run("reg", "add", key, "/v", name, "/t", kind, "/d", value, "/f", name="reg")[0]

    # -- X side -------------------------------------------------------------
    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), timeout=20, **TEXT)

    def key(self, keysym, window=None):
        return self.xdotool("key", *(["--window", window] if window else []), keysym)

    def x_windows(self, name):
        # The visible X windows whose name matches (a regular expression).
        return self.xdotool("search", "--onlyvisible", "--name", f"^{name}$").stdout.split()

    def x_window(self, name, timeout=10.0):
        # The first visible X window whose name matches, or None.
        found = wait_until(lambda: self.x_windows(name), timeout)
        return found[0] if found else None

    def screenshot(self, path):
        return screenshot(self.display, path)


# BIN, the Windows build's programs, and WORK, the end-to-end tests' boxes
# and screenshots, as CTest names them: never guessed, which could test
# another build's programs. Read when a test asks (tools need neither).
def __getattr__(name):
    variable = {"BIN": "ORVELLE_BIN", "WORK": "ORVELLE_E2E_WORK"}.get(name)
    if variable and os.environ.get(variable):
        return Path(os.environ[variable]).resolve()
    missing = RuntimeError(f"{variable} is not set (CTest sets it)")
    raise missing if variable else AttributeError(name)


class WineTestCase(unittest.TestCase):
    # One Wine box (prefix, Xvfb, wineserver) for a class's tests, each with a
    # clean program folder, no settings and no program of an earlier test.

    programs = (RENDERER_FILE, FRONT_END_FILE, "probe.exe")
    display = None  # an X server of the class's own (a display object); else an Xvfb

    @classmethod
    def setUpClass(cls):
        # The renderer draws with OpenGL in these tests unless one says
        # otherwise: Wine's OpenGL here is Mesa's llvmpipe, in software,
        # where the renderer would choose the processor backend by itself.
        os.environ["ORVELLE_RENDERING"] = "gl"
        work = __getattr__("WORK")
        cls.box = cls.enterClassContext(WineBox(work, display=cls.display, name=cls.__name__))
        cls.folder = cls.box.c_drive() / "Orvelle"
        cls.shots = work / "screenshots"
        cls.shots.mkdir(parents=True, exist_ok=True)

    def setUp(self):
        self.box.restart()
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.rmtree(self.settings_path().parent, ignore_errors=True)
        self.folder.mkdir(parents=True)
        for name in self.programs:
            shutil.copy(__getattr__("BIN") / name, self.folder / name)

    def settings_path(self):
        return self.box.path(SETTINGS_PATH)

    def write_settings(self, text_bytes):
        self.settings_path().parent.mkdir(parents=True, exist_ok=True)
        self.settings_path().write_bytes(text_bytes)

    def probe(self, *args):
        # Runs the probe to its end; returns (exit code, output).
        return self.box.run(self.folder / "probe.exe", *args, timeout=30, name="probe")

    def hold(self, caption, ms, place, *kind, name):
        # The probe holding a window of its own (left, top, width, height)
        # for ms milliseconds; its lines go to logs/NAME.out.
        return self.box.start(
            self.folder / "probe.exe", "hold", caption, ms, *place, *kind, name=name
        )

    def described(self, caption, wait_ms=10000, *font):
        # The probe's description of a top-level window (waiting for it up to
        # wait_ms), then one for each of its controls, as dicts; [] without it.
        # With a face and a size in points, each text is measured in that font.
        code, out = self.probe("describe", caption, wait_ms, *font)
        return [fields(line) for line in out.splitlines()] if code == 0 else []

    def window(self, caption, wait_ms=0):
        # The description of a top-level window alone, or None.
        return next(iter(self.described(caption, wait_ms)), None)

    def escape_ends(self, process):
        # Presses Escape (which reaches a window only once X has mapped it)
        # until the process has ended.
        ended = wait_until(
            lambda: self.box.key("Escape") and process.poll() is not None, 20, interval=0.2
        )
        self.assertTrue(ended, "Escape did not end it")

    def ended_promptly(self, process, end):
        # The process's exit code, once end() has ended it.
        started = time.time()
        end()
        code = process.wait(timeout=10)
        self.assertLess(time.time() - started, 5.0)  # promptly, on a loaded machine too
        return code

    def screenshot(self, name):
        # The screen now, kept as the test's NAME.ppm.
        path = self.shots / f"{self.id().split('.')[-1]}-{name}.ppm"
        return Screenshot(self.box.screenshot(path))
