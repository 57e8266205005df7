#!/usr/bin/env python3
"""Makes the release files from the Windows build: the zip (both programs
side by side and the read-me) and the setup program (makensis).

    installer/make-dist.py BIN_DIR OUT_DIR VERSION
"""

import subprocess
import sys
import zipfile
from pathlib import Path

import check_imports

ROOT = Path(__file__).resolve().parents[1]


def readme(out, version):
    """The read-me as Windows' Notepad reads it best: UTF-8 with a BOM, CRLF."""
    text = (ROOT / "installer/readme.txt").read_text(encoding="utf-8").replace("<version>", version)
    path = out / "readme.txt"
    path.write_bytes(b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8"))
    return path


def main(bin_dir, out, version):
    bin_dir, out = Path(bin_dir).resolve(), Path(out).resolve()
    programs = [bin_dir / name for name in ("Orvelle.scr", "Orvelle.dll")]
    if check_imports.main(programs) != 0:
        sys.exit("make-dist: a program needs more than the system's DLLs")
    out.mkdir(parents=True, exist_ok=True)
    notes = readme(out, version)
    archive = out / f"Orvelle-{version}.zip"
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
        for program in programs:
            z.write(program, program.name)
        z.write(notes, "readme.txt")
    setup = out / f"Orvelle-{version}-setup.exe"
    subprocess.run(
        [
            "makensis",
            "-V2",
            f"-DVERSION={version}",
            f"-DPROGRAMS={bin_dir}",
            f"-DREADME={notes}",
            f"-DICON={ROOT / 'settings/assets/orvelle.ico'}",
            f"-DOUTFILE={setup}",
            str(ROOT / "installer/orvelle.nsi"),
        ],
        check=True,
    )
    print(f"{archive}\n{setup}")


if __name__ == "__main__":
    main(*sys.argv[1:])
