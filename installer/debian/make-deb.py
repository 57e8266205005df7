#!/usr/bin/env python3
"""Makes the Debian package of the X11 host: the program where XScreenSaver
looks for its savers, its description, the manual page, the copyright file
and the changelog, owned by root, with the libraries it needs as computed by
dpkg-shlibdeps. Prints the package's path.

    installer/debian/make-deb.py PROGRAM DESCRIPTION.xml BUILD_DIR VERSION
"""

import gzip
import hashlib
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
NAME = "orvelle"


def output(*command, **kwargs):
    """What a tool prints; its warnings pass on, its failure ends the build."""
    done = subprocess.run(command, capture_output=True, text=True, **kwargs)
    sys.stderr.write(done.stderr)
    if done.returncode != 0:
        sys.exit(f"make-deb: {command[0]} failed")
    return done.stdout.strip()


def put(root, path, data, mode=0o644):
    """A file of the package, with its folders, at the modes Debian wants."""
    target = root / path
    for folder in reversed(target.relative_to(root).parents[:-1]):
        (root / folder).mkdir(mode=0o755, exist_ok=True)
        (root / folder).chmod(0o755)
    target.write_bytes(data)
    target.chmod(mode)


def packed(data):
    """gzip -9n: no file name, no time stamp."""
    return gzip.compress(data, compresslevel=9, mtime=0)


def shlib_depends(work, program):
    """The Depends line of the libraries the program loads; dpkg-shlibdeps
    reads the package's name from debian/control where it runs."""
    (work / "debian/control").write_text(f"Source: {NAME}\n\nPackage: {NAME}\nArchitecture: any\n")
    line = output("dpkg-shlibdeps", "-O", f"-e{program.relative_to(work)}", cwd=work)
    return line.partition("shlibs:Depends=")[2]


def installed_size(root):
    """In KiB, counted as dpkg-gencontrol does: each file rounded up, one for
    each folder."""
    return sum((p.stat().st_size + 1023) // 1024 if p.is_file() else 1 for p in root.rglob("*"))


def main(program, description, build_dir, version):
    build = Path(build_dir).resolve()
    changes = HERE / "changelog"
    if output("dpkg-parsechangelog", "-l", str(changes), "-S", "Version") != version:
        sys.exit(f"make-deb: {changes} has no entry for version {version} at its top")
    stamp = int(output("dpkg-parsechangelog", "-l", str(changes), "-S", "Timestamp"))
    arch = output("dpkg", "--print-architecture")
    work = build / "deb"
    root = work / "debian" / NAME  # the layout dpkg-shlibdeps expects
    shutil.rmtree(work, ignore_errors=True)
    root.mkdir(parents=True)
    root.chmod(0o755)

    page = (
        (HERE / f"{NAME}.6")
        .read_text()
        .replace("@VERSION@", version)
        .replace("@DATE@", time.strftime("%B %Y", time.gmtime(stamp)))
    )
    host = root / f"usr/libexec/xscreensaver/{NAME}"
    put(root, host.relative_to(root), Path(program).read_bytes(), 0o755)
    # Stripped as dh_strip does it: no symbols, no compiler notes.
    output("strip", "--remove-section=.comment", "--remove-section=.note", str(host))
    put(root, f"usr/share/xscreensaver/config/{NAME}.xml", Path(description).read_bytes())
    put(root, f"usr/share/man/man6/{NAME}.6.gz", packed(page.encode()))
    put(root, f"usr/share/doc/{NAME}/copyright", (HERE / "copyright").read_bytes())
    # A native package: the changelog keeps its plain name.
    put(root, f"usr/share/doc/{NAME}/changelog.gz", packed(changes.read_bytes()))

    files = sorted(p for p in root.rglob("*") if p.is_file())
    sums = "".join(
        f"{hashlib.md5(p.read_bytes()).hexdigest()}  {p.relative_to(root)}\n" for p in files
    )
    size = installed_size(root)
    (root / "DEBIAN").mkdir()  # which tells dpkg-shlibdeps where the package's root is
    control = (HERE / "control.in").read_text()
    for key, value in (
        ("VERSION", version),
        ("ARCH", arch),
        ("INSTALLED_SIZE", str(size)),
        ("DEPENDS", shlib_depends(work, host)),
    ):
        control = control.replace(f"@{key}@", value)
    put(root, "DEBIAN/control", control.encode())
    put(root, "DEBIAN/md5sums", sums.encode())

    for old in build.glob(f"{NAME}_*.deb"):  # of an earlier version, too
        old.unlink()
    package = build / f"{NAME}_{version}_{arch}.deb"
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(stamp))
    output("dpkg-deb", "--root-owner-group", "-Zxz", "--build", str(root), str(package), env=env)
    print(package)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.strip())
    try:
        main(*sys.argv[1:])
    except OSError as error:
        sys.exit(f"make-deb: {error}")
