# The setup program and the zip, as a Windows user and a deployment tool
# use them, under Wine.

import os
import shutil
import zipfile
from pathlib import Path

import check_imports  # installer/'s, on the path that CTest gives
from harness.product import FRONT_END_FILE, HEIGHT, KIND, RENDERER_CAPTION, RENDERER_FILE, WIDTH
from harness.support import ini, main, wait_until
from harness.winebox import WineTestCase

DIST = Path(os.environ.get("ORVELLE_DIST", ""))
VERSION = os.environ.get("ORVELLE_VERSION", "")
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
DESKTOP = "HKCU\\Control Panel\\Desktop"
SETTINGS = ini({WIDTH: " 800", HEIGHT: " 600", KIND: " 0"})


class Installer(WineTestCase):
    programs = ()

    def reg(self, *args):
        return self.box.run("reg", *args, timeout=60, name="reg")

    def screen_saver(self):
        # The screen saver that the desktop's settings name.
        return self.reg("query", DESKTOP, "/v", "SCRNSAVE.EXE")[1]

    def test_a_silent_install_runs_upgrades_and_uninstalls_cleanly(self):
        system = self.box.c_drive() / "windows/system32"
        shutil.copy(DIST / f"Orvelle-{VERSION}-setup.exe", self.box.c_drive() / "setup.exe")
        self.box.reg_add(DESKTOP, "SCRNSAVE.EXE", "C:\\windows\\system32\\previous.scr")
        self.write_settings(SETTINGS)
        for _ in range(2):  # installing over an installation upgrades it
            self.assertEqual(self.box.run("C:\\setup.exe", "/S", timeout=120, name="setup")[0], 0)
        self.assertTrue((system / FRONT_END_FILE).exists() and (system / RENDERER_FILE).exists())
        _, keys = self.reg("query", UNINSTALL_KEY)
        self.assertEqual(
            [k for k in keys.splitlines() if k.endswith("\\Orvelle")],
            [UNINSTALL_KEY.replace("HKLM", "HKEY_LOCAL_MACHINE") + "\\Orvelle"],
        )
        _, entry = self.reg("query", UNINSTALL_KEY + "\\Orvelle")
        for value in (
            "DisplayName    REG_SZ    Orvelle",
            f"DisplayVersion    REG_SZ    {VERSION}",
            "Publisher",
            "EstimatedSize",
            "DisplayIcon",
            '\\uninstall.exe" /S',
        ):
            self.assertIn(value, entry)
        self.assertIn(f"C:\\windows\\system32\\{FRONT_END_FILE}", self.screen_saver())

        # The installed pair works: a saver run.
        saver = self.box.start(system / FRONT_END_FILE, "/s", name="saver")
        self.assertIsNotNone(self.box.x_window(RENDERER_CAPTION, timeout=60))
        self.escape_ends(saver)

        settings = self.settings_path().read_bytes()  # as the saver run left it
        self.box.run(
            "C:\\Program Files\\Orvelle\\uninstall.exe", "/S", timeout=120, name="uninstall"
        )
        self.assertTrue(
            wait_until(
                lambda: not (system / FRONT_END_FILE).exists()
                and self.reg("query", UNINSTALL_KEY + "\\Orvelle")[0] != 0,
                30,
            )
        )
        self.assertFalse((system / RENDERER_FILE).exists())
        self.assertIn("previous.scr", self.screen_saver())
        self.assertNotEqual(self.reg("query", "HKCU\\Software\\Orvelle\\Setup")[0], 0)
        self.assertEqual(self.settings_path().read_bytes(), settings, "the user's settings stay")

    def test_the_zip_holds_the_pair_and_the_read_me_and_only_system_dlls_are_imported(self):
        with zipfile.ZipFile(DIST / f"Orvelle-{VERSION}.zip") as z:
            self.assertEqual(
                sorted(z.namelist()), sorted([RENDERER_FILE, FRONT_END_FILE, "readme.txt"])
            )
            z.extractall(self.box.work / "unzipped")
        programs = [str(self.box.work / "unzipped" / n) for n in (FRONT_END_FILE, RENDERER_FILE)]
        self.assertEqual(check_imports.main(programs), 0)


if __name__ == "__main__":
    main()
