# The Debian package of the X11 host, as the build makes it: its files and
# fields, lintian's verdict, the host unpacked from it drawing a frame on a
# virtual display, and its manual page, which must render and name every
# option the host lists.

import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from harness.support import Screenshot, main
from harness.winebox import VirtualDisplay

BUILD = Path(os.environ["ORVELLE_BUILD"])
VERSION = os.environ["ORVELLE_VERSION"]
HOST = "usr/libexec/xscreensaver/orvelle"
FILES = {
    HOST: "-rwxr-xr-x",
    "usr/share/xscreensaver/config/orvelle.xml": "-rw-r--r--",
    "usr/share/man/man6/orvelle.6.gz": "-rw-r--r--",
    "usr/share/doc/orvelle/copyright": "-rw-r--r--",
    "usr/share/doc/orvelle/changelog.gz": "-rw-r--r--",
}
LIBRARIES = set(
    "libc6 libgcc-s1 libstdc++6 libx11-6 libgl1 libglu1-mesa libxrandr2 libxext6".split()
)


def run(*command, **options):
    return subprocess.run(
        [str(c) for c in command], capture_output=True, text=True, timeout=120, **options
    )


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.arch = run("dpkg", "--print-architecture").stdout.strip()
        cls.deb = BUILD / f"orvelle_{VERSION}_{cls.arch}.deb"
        cls.deb.unlink(missing_ok=True)
        built = run("cmake", "--build", BUILD, "--target", "deb")
        assert built.returncode == 0 and cls.deb.is_file(), built.stdout + built.stderr
        cls.root = Path(cls.enterClassContext(tempfile.TemporaryDirectory(prefix="orvelle-deb-")))
        run("dpkg-deb", "-x", cls.deb, cls.root).check_returncode()
        cls.fields = dict(re.findall(r"(?m)^(\S+): (.*)$", run("dpkg-deb", "-f", cls.deb).stdout))

    def test_files_their_modes_and_owner_and_the_control_fields(self):
        entries = [line.split() for line in run("dpkg-deb", "-c", self.deb).stdout.splitlines()]
        files = {e[5].removeprefix("./"): e[0] for e in entries if e[0][0] == "-"}
        self.assertEqual(files, FILES)
        self.assertEqual({e[0] for e in entries if e[0][0] != "-"}, {"drwxr-xr-x"})
        self.assertEqual({e[1] for e in entries}, {"root/root"})
        f = self.fields
        self.assertGreaterEqual(int(f["Installed-Size"]) * 1024, sum(int(e[2]) for e in entries))
        names = ("Package", "Version", "Architecture", "Section", "Priority", "Suggests")
        self.assertEqual(
            tuple(f[name] for name in names),
            ("orvelle", VERSION, self.arch, "x11", "optional", "xscreensaver"),
        )
        depends = {re.match(r"[\w.+-]+", d.strip())[0] for d in f["Depends"].split(",")}
        self.assertEqual(depends, LIBRARIES)

    def test_lintian_finds_no_error(self):
        report = run("lintian", "--fail-on", "error", "--info", "--pedantic", self.deb)
        print(report.stdout or "lintian: no tags", file=sys.stderr)
        self.assertEqual(report.returncode, 0, report.stdout)

    def test_the_unpacked_host_draws_a_frame_for_its_description(self):
        config = ElementTree.parse(self.root / "usr/share/xscreensaver/config/orvelle.xml")
        self.assertEqual(config.getroot().get("name"), Path(HOST).name)
        shot = self.root / "frame.ppm"
        with VirtualDisplay(screen="800x600") as display:
            frame = "-geometry 320x240 -seed 7 -clock-step 20 -snapshot-at 3000".split()
            host = run(self.root / HOST, *frame, shot, env=display.env())
        self.assertEqual(host.returncode, 0, host.stderr)
        frame = Screenshot(shot)
        self.assertEqual((frame.width, frame.height), (320, 240))
        self.assertGreater(frame.lights((0, 0, 320, 240)), 10, "no red, green and blue light")

    def test_the_manual_page_renders_and_names_every_option(self):
        usage = run(self.root / HOST, "-h")
        self.assertEqual(usage.returncode, 0)
        options = set(re.findall(r"(?<![\w-])--?[a-z][a-z-]*", usage.stdout))
        self.assertGreaterEqual(len(options), 10)
        manual, env = self.root / "usr/share/man/man6/orvelle.6.gz", dict(os.environ, MANWIDTH="80")
        page = run("man", "-l", "--warnings", manual, env=dict(env, LC_ALL="C.UTF-8"))
        self.assertEqual((page.returncode, page.stderr), (0, ""))
        listed = re.search(r"^OPTIONS\n(.*?)^\S", page.stdout, re.M | re.S)[1]
        for option in options:  # each the tag of an entry
            self.assertRegex(listed, rf"(?m)^ {{7}}(\S+, )?{option}(?![\w-])")


if __name__ == "__main__":
    main()
