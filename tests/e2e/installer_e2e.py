# The setup program and the zip, as a Windows user and a deployment tool
# use them, under Wine.

import os
import shutil
import zipfile
from pathlib import Path

from e2e_support import KIND, WineTestCase, ini, main, wait_until

import check_imports  # noqa: E402 (from installer/, which e2e_support puts on the path)

DIST = Path(os.environ.get("ORVELLE_DIST", ""))
VERSION = os.environ.get("ORVELLE_VERSION", "")
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
DESKTOP = "HKCU\\Control Panel\\Desktop"
SETTINGS = ini({"Width": " 800", "Height": " 600", KIND: " 0"})


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
        self.assertTrue((system / "Orvelle.scr").exists() and (system / "Orvelle.dll").exists())
        _, keys = self.reg("query", UNINSTALL_KEY)
        self.assertEqual([k for k in keys.splitlines() if k.endswith("\\Orvelle")],
                         [UNINSTALL_KEY.replace("HKLM", "HKEY_LOCAL_MACHINE") + "\\Orvelle"])
        _, entry = self.reg("query", UNINSTALL_KEY + "\\Orvelle")
        for value in ("DisplayName    REG_SZ    Orvelle", f"DisplayVersion    REG_SZ    {VERSION}",
                      "Publisher", "EstimatedSize", "DisplayIcon", '\\uninstall.exe" /S'):
            self.assertIn(value, entry)
        self.assertIn("C:\\windows\\system32\\Orvelle.scr", self.screen_saver())

        # The installed pair works: a saver run.
        saver = self.box.start(system / "Orvelle.scr", "/s", name="saver")
        self.assertIsNotNone(self.box.x_window("Zelkor_VC", timeout=60))
        self.escape_ends(saver)

        settings = self.settings_path().read_bytes()  # as the saver run left it
        self.box.run("C:\\Program Files\\Orvelle\\uninstall.exe", "/S", timeout=120,
                     name="uninstall")
        self.assertTrue(wait_until(lambda: not (system / "Orvelle.scr").exists()
                                   and self.reg("query", UNINSTALL_KEY + "\\Orvelle")[0] != 0, 30))
        self.assertFalse((system / "Orvelle.dll").exists())
        self.assertIn("previous.scr", self.screen_saver())
        self.assertNotEqual(self.reg("query", "HKCU\\Software\\Orvelle\\Setup")[0], 0)
        self.assertEqual(self.settings_path().read_bytes(), settings, "the user's settings stay")

    def test_the_zip_holds_the_pair_and_the_read_me_and_only_system_dlls_are_imported(self):
        with zipfile.ZipFile(DIST / f"Orvelle-{VERSION}.zip") as z:
            self.assertEqual(sorted(z.namelist()), ["Orvelle.dll", "Orvelle.scr", "readme.txt"])
            z.extractall(self.box.work / "unzipped")
        programs = [str(self.box.work / "unzipped" / n) for n in ("Orvelle.scr", "Orvelle.dll")]
        self.assertEqual(check_imports.main(programs), 0)


if __name__ == "__main__":
    main()
