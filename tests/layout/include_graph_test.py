"""The folders' dependencies run one way, as the README's layout section
lists them: every include of a product source names its own folder or one
that the README lets it use, and no two folders include each other."""

import re
import sys
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SOURCES = (".cpp", ".h", ".rc", ".in")


def allowed():
    """{folder: set of folders it may include} from the README's lines
    "folder -> a, b" (nothing after the arrow: no other folder)."""
    edges = {}
    for line in (ROOT / "README.md").read_text().splitlines():
        match = re.fullmatch(r"\s*([a-z]+)/?\s+->\s*([a-z, ]*)", line)
        if match:
            edges[match[1]] = {f for f in re.split(r"[,\s]+", match[2]) if f}
    return edges


def included():
    """{folder: set of other folders its product sources include}."""
    found = {}
    for path in ROOT.glob("*/**/*"):
        folder = path.relative_to(ROOT).parts[0]
        if path.suffix not in SOURCES or folder in ("tests", "build", "benchmarks"):
            continue
        for other in re.findall(r'#include "([a-z_]+)/', path.read_text(errors="replace")):
            if other != folder:
                found.setdefault(folder, set()).add(other)
    return found


class IncludeGraph(unittest.TestCase):
    def test_every_include_follows_the_readme(self):
        rules = allowed()
        self.assertGreaterEqual(len(rules), 6, "the README lists the folders' dependencies")
        for folder, others in included().items():
            self.assertIn(folder, rules, f"{folder}/ is not in the README's list")
            self.assertLessEqual(others, rules[folder], f"{folder}/ includes beyond its list")
            for other in others:
                self.assertNotIn(folder, included().get(other, set()), f"{folder} <-> {other}")


if __name__ == "__main__":
    sys.exit(not unittest.main(exit=False).result.wasSuccessful())
