"""`make run`: the saver under Wine, on the user's display when there is one,
otherwise on a virtual display with a few screenshots saved."""

import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

from harness.product import DIALOG_CAPTION, FRONT_END_FILE, HEIGHT, RENDERER_CAPTION, RENDERER_FILE
from harness.product import SETTINGS_PATH, WIDTH
from harness.support import ini
from harness.winebox import VirtualDisplay, WineBox


def usable_display():
    display = os.environ.get("DISPLAY")
    if not display:
        return None
    ok = (
        subprocess.run(
            ["xdpyinfo"],
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            env=dict(os.environ),
            timeout=10,
        ).returncode
        == 0
    )
    return display if ok else None


def install(box, bin_dir):
    """Copies the programs into a folder on the prefix's C: drive."""
    folder = box.c_drive() / "Orvelle"
    folder.mkdir(parents=True, exist_ok=True)
    for name in (FRONT_END_FILE, RENDERER_FILE):
        if (Path(bin_dir) / name).exists():
            shutil.copy(Path(bin_dir) / name, folder / name)
    return folder


def start_saver(box, folder, size, switch):
    if (folder / FRONT_END_FILE).exists():
        return box.start(folder / FRONT_END_FILE, switch, name="saver")
    # Without the front end the renderer runs alone on the settings file.
    settings = box.path(SETTINGS_PATH)
    settings.parent.mkdir(exist_ok=True)
    settings.write_bytes(ini({WIDTH: f" {size[0]}", HEIGHT: f" {size[1]}"}))
    return box.start(folder / RENDERER_FILE, name="renderer")


def run_native(host, out):
    """The X11 host in its own window: on this display, or on a virtual one
    with a few screenshots saved."""
    display = usable_display()
    if display:
        print(f"running {host} on display {display}; press Escape to end it")
        return subprocess.run([host]).returncode
    out = Path(out).resolve()
    out.mkdir(parents=True, exist_ok=True)
    print(f"no display: running {host} on a virtual 1024x768 display; screenshots go to {out}")
    with VirtualDisplay() as virtual:
        env = virtual.env()
        p = subprocess.Popen([host, "-fps"], env=env)
        start = time.time()
        for at in (0.5, 2.0, 5.0, 10.0):
            time.sleep(max(0.0, start + at - time.time()))
            shot = out / f"native-{at:04.1f}s.png"
            subprocess.run(
                ["import", "-display", env["DISPLAY"], "-window", "root", str(shot)],
                check=True,
                env=env,
            )
            print(f"  {shot}")
        p.terminate()
        p.wait(timeout=10)
    print(f"screenshots saved in {out}")
    return 0


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin")
    ap.add_argument("--work")
    ap.add_argument("--out", required=True)
    ap.add_argument("--native", help="run this X11 host instead of the Windows saver")
    ap.add_argument("--switch", default="/s", help="what Orvelle.scr is started with (/s, /c)")
    args = ap.parse_args()
    if args.native:
        return run_native(args.native, args.out)
    dialog = args.switch[1:2].upper() == "C"

    display = usable_display()
    if display:
        print(
            f"running Orvelle.scr {args.switch} on display {display}"
            + ("" if dialog else "; press Escape to end it")
        )
        with WineBox(args.work, display=display) as box:
            folder = install(box, args.bin)
            p = start_saver(box, folder, (1024, 768), args.switch)
            p.wait()
        return 0

    out = Path(args.out).resolve()
    out.mkdir(parents=True, exist_ok=True)
    print(
        f"no display: running Orvelle.scr {args.switch} on a virtual 1024x768 display; "
        f"screenshots go to {out}"
    )
    with WineBox(args.work, screen="1024x768") as box:
        folder = install(box, args.bin)
        p = start_saver(box, folder, (1024, 768), args.switch)
        if dialog:
            if box.x_window(DIALOG_CAPTION, timeout=30) is None:
                print("the settings dialog did not appear")
                return 1
            time.sleep(3.0)
            print(f"  {box.screenshot(out / 'settings.png')}")
            box.key("Escape")
            p.wait(timeout=30)
            print(f"screenshot saved in {out}")
            return 0
        if box.x_window(RENDERER_CAPTION, timeout=30) is None:
            print("the renderer's window did not appear")
            return 1
        start = time.time()
        for at in (0.5, 2.0, 5.0, 10.0):
            time.sleep(max(0.0, start + at - time.time()))
            shot = box.screenshot(out / f"saver-{at:04.1f}s.png")
            print(f"  {shot}")
        box.key("Escape")
        p.wait(timeout=30)
    print(f"screenshots saved in {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
