"""The shipped programs need nothing but the system's own DLLs: every DLL
that objdump lists among their imports must be one that comes with Windows.
The release tool refuses programs that fail this; the tests check it too.

    installer/check_imports.py PROGRAM...
"""

import subprocess
import sys

SYSTEM = {
    "kernel32.dll",
    "user32.dll",
    "gdi32.dll",
    "opengl32.dll",
    "glu32.dll",
    "winmm.dll",
    "comdlg32.dll",
    "shell32.dll",
    "ole32.dll",
    "oleaut32.dll",
    "advapi32.dll",
    "comctl32.dll",
    "oleacc.dll",
    "msvcrt.dll",
}


def imports(path):
    out = subprocess.run(
        ["x86_64-w64-mingw32-objdump", "-p", path], check=True, capture_output=True, text=True
    ).stdout
    return {
        line.split(":", 1)[1].strip().lower() for line in out.splitlines() if "DLL Name:" in line
    }


def main(paths):
    failed = False
    for path in paths:
        found = imports(path)
        foreign = sorted(found - SYSTEM)
        print(f"{path}: {', '.join(sorted(found))}")
        if not found or foreign:
            print(f"  not a system DLL: {foreign}" if foreign else "  no imports read")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
