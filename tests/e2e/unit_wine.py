# The portable unit tests, built as a Windows program, run under Wine: the
# Windows build's compiler and maths library against the same known answers;
# and beside them the Windows bindings of the controls and the preview.

import sys

from harness.support import main
from harness.winebox import WineTestCase


class UnitTestsOnWindows(WineTestCase):
    programs = ("unit_tests.exe", "win32_tests.exe")

    def test_every_test_passes(self):
        for program in self.programs:
            with self.subTest(program=program):
                code, out = self.box.run(self.folder / program, timeout=300, name=program)
                sys.stdout.write(out[-3000:])
                self.assertEqual(code, 0)
                self.assertIn("[  PASSED  ]", out)


if __name__ == "__main__":
    main()
