"""The portable unit tests, built as a Windows program, run under Wine: the
Windows build's compiler and maths library against the same known answers."""

import sys

from e2e_support import WineTestCase, main


class UnitTestsOnWindows(WineTestCase):
    programs = ("unit_tests.exe",)

    def test_every_unit_test_passes(self):
        code, out = self.box.run(self.folder / "unit_tests.exe", timeout=300, name="unit")
        sys.stdout.write(out[-3000:])
        self.assertEqual(code, 0)
        self.assertIn("[  PASSED  ]", out)


if __name__ == "__main__":
    main()
