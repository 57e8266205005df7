# The folders' dependencies run one way, as the README's layout section
# lists them: every include of a product source names its own folder or one
# that the README lets it use, and no two folders include each other.

import re
import sys
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


class IncludeGraph(unittest.TestCase):
    def test_every_include_follows_the_readme(self):
        # {folder: the folders it may include}, from the README's lines
        # "folder -> a, b" (nothing after the arrow: no other folder).
        rules = {m[1]: set(re.findall(r"[a-z]+", m[2])) for m in re.finditer(
            r"(?m)^ *([a-z]+)/? +-> *([a-z, ]*)$", (ROOT / "README.md").read_text())}
        self.assertGreaterEqual(len(rules), 6, "the README lists the folders' dependencies")
        # {folder: the other folders its product sources include}.
        found = {}
        for path in ROOT.glob("*/**/*"):
            folder = path.relative_to(ROOT).parts[0]
            if path.suffix in (".cpp", ".h", ".rc", ".in") and folder not in (
                    "tests", "build", "benchmarks"):
                text = path.read_text(errors="replace")
                if others := set(re.findall(r'#include "([a-z_]+)/', text)) - {folder}:
                    found.setdefault(folder, set()).update(others)
        for folder, others in found.items():
            self.assertIn(folder, rules, f"{folder}/ is not in the README's list")
            self.assertLessEqual(others, rules[folder], f"{folder}/ includes beyond its list")
            for other in others:
                self.assertNotIn(folder, found.get(other, set()), f"{folder} <-> {other}")


if __name__ == "__main__":
    sys.exit(not unittest.main(exit=False).result.wasSuccessful())
