# The folders' dependencies run one way, as the README's layout section
# lists them: every include of a product source is rooted at the project's
# root and names its own folder or one that the README lets it use, and the
# folders' includes form no cycle. The renderer's folders (renderer/scene,
# renderer/gl, ...) count as folders of their own, and no product source
# lies directly in renderer/.

import re
import sys
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SOURCES = (".cpp", ".h", ".rc", ".in")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(relative):
    # The folder a path belongs to: its top folder, or the renderer's role folder.
    parts = Path(relative).parts
    if parts[0] == "renderer" and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0]


class IncludeGraph(unittest.TestCase):
    def test_every_include_is_rooted_and_follows_the_readme_without_a_cycle(self):
        # {folder: the folders it may include}, from the README's lines
        # "folder -> a, b" (nothing after the arrow: no other folder).
        rules = {
            m[1]: set(re.findall(r"[a-z0-9/]+", m[2]))
            for m in re.finditer(
                r"(?m)^ {4}([a-z0-9/]+) +-> *([a-z0-9/, ]*)$", (ROOT / "README.md").read_text()
            )
        }
        self.assertIn("renderer/scene", rules, "the README lists the renderer's folders")
        found, relative = {}, []
        for path in ROOT.glob("*/**/*"):
            name = path.relative_to(ROOT)
            if path.suffix not in SOURCES or name.parts[0] in ("tests", "build", "benchmarks"):
                continue
            self.assertFalse(
                name.parts[0] == "renderer" and len(name.parts) == 2,
                f"{name} lies directly in renderer/",
            )
            folder = folder_of(name)
            for included in INCLUDE.findall(path.read_text(errors="replace")):
                if "/" not in included:
                    relative.append(f"{name}: {included}")
                elif (other := folder_of(included)) != folder:
                    found.setdefault(folder, set()).add(other)
        self.assertEqual(relative, [], "includes not rooted at the project's root")
        for folder, others in found.items():
            self.assertIn(folder, rules, f"{folder}/ is not in the README's list")
            self.assertLessEqual(others, rules[folder], f"{folder}/ includes beyond its list")

        def cycle(at, path):
            # A folder met again on the way down from itself, or None.
            for other in sorted(found.get(at, ())):
                if other in path:
                    return path[path.index(other) :] + [other]
                if (loop := cycle(other, path + [other])) is not None:
                    return loop
            return None

        for folder in found:
            self.assertIsNone(cycle(folder, [folder]), "a cycle of includes")


if __name__ == "__main__":
    sys.exit(not unittest.main(exit=False).result.wasSuccessful())
