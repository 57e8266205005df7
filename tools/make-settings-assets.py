#!/usr/bin/env python3
"""Draws the settings dialog's pictures into settings/assets/, from what this
script holds: the icon (the three lights on black, 256 colours at 32 x 32 and
16 x 16, plus 48 x 48 and 256 x 256 for the file's icon), the pointing-hand
cursor (32 x 32, 16 colours, hot spot 12, 1), the two option marks (12 x 12
JPEG) and the 24 banner frames (120 x 50 JPEG, about 1.4 to 2.7 kB each).
ImageMagick draws; this script writes the icon and cursor files itself.

    tools/make-settings-assets.py
"""

import struct
import subprocess
import tempfile
import zlib
from pathlib import Path

OUT = Path(__file__).resolve().parents[1] / "settings" / "assets"
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"

# The hand: X black outline, o white, . transparent; its tip is the hot spot.
HAND = """
............XX..................
...........XooX.................
...........XooX.................
...........XooX.................
...........XooX.................
...........XooXXX...............
...........XooXooXXX............
...........XooXooXooXX..........
...........XooXooXooXoX.........
........XX.XooXooXooXooX........
.......XooXXooooooooXooX........
.......XoooXooooooooooXX........
........XooXoooooooooooX........
.........XoXoooooooooooX........
.........XooooooooooooooX.......
..........XoooooooooooooX.......
..........XooooooooooooX........
...........XoooooooooooX........
...........XooooooooooX.........
............XoooooooooX.........
............XoooooooooX.........
............XXXXXXXXXXX.........
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
"""


def magick(*args, output=None):
    """Runs ImageMagick; with output="-" returns its standard output."""
    result = subprocess.run(["convert", *map(str, args)], check=True, capture_output=True)
    return result.stdout


def rgba_pixels(path, size):
    """Rows top first of (r, g, b, a) tuples, the picture scaled to size x size."""
    data = magick(path, "-resize", f"{size}x{size}", "-depth", "8", "rgba:-")
    return [
        [tuple(data[(y * size + x) * 4 : (y * size + x) * 4 + 4]) for x in range(size)]
        for y in range(size)
    ]


def bmp_entry(rows, bits):
    """An icon image: BITMAPINFOHEADER, palette, colour rows and AND mask, bottom up."""
    size = len(rows)
    palette = []
    if bits <= 8:
        for row in rows:
            for p in row:
                if p[3] >= 128 and p[:3] not in palette:
                    palette.append(p[:3])
        if len(palette) > (1 << bits):
            raise ValueError(f"{len(palette)} colours do not fit {bits} bits")
        palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bits == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        else:
            indices = [palette.index(p[:3]) if p[3] >= 128 else 0 for p in row]
            per_byte = 8 // bits
            for i in range(0, size, per_byte):
                v = 0
                for k in range(per_byte):
                    v = (v << bits) | indices[i + k]
                line.append(v)
        xor += line + b"\0" * (-len(line) % 4)
        bitsrow = bytearray((size + 7) // 8)
        for x, p in enumerate(row):
            if p[3] < 128:
                bitsrow[x // 8] |= 0x80 >> (x % 8)
        mask += bitsrow + b"\0" * (-len(bitsrow) % 4)
    return header + colours + bytes(xor) + bytes(mask)


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return (
            struct.pack(">I", len(data))
            + kind
            + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
        )

    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def icon_file(images, kind=1, hotspot=None):
    """images: (size, bits, data). kind 1 is an icon, 2 a cursor with its hot spot."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 16 if bits == 4 else 0
        planes, count = hotspot if kind == 2 else (1, bits)
        out += struct.pack(
            "<BBBBHHII", size % 256, size % 256, colours, 0, planes, count, len(data), offset
        )
        offset += len(data)
    return out + b"".join(d for _, _, d in images)


def quantized(path, size, colours):
    """The picture at size, reduced to the given number of colours."""
    reduced = Path(tempfile.mkdtemp()) / "q.png"
    magick(path, "-resize", f"{size}x{size}", "+dither", "-colors", colours, reduced)
    return rgba_pixels(reduced, size)


def make_icon(work):
    # Three soft lights on a black rounded square.
    art = work / "icon.png"
    magick(
        "-size",
        "256x256",
        "xc:none",
        "-fill",
        "black",
        "-draw",
        "roundrectangle 8,8 247,247 40,40",
        "(",
        "-size",
        "256x256",
        "xc:black",
        "-fill",
        "rgb(255,40,40)",
        "-draw",
        "circle 80,150 80,112",
        "-fill",
        "rgb(40,255,40)",
        "-draw",
        "circle 170,90 170,55",
        "-fill",
        "rgb(60,90,255)",
        "-draw",
        "circle 160,185 160,150",
        "-blur",
        "0x18",
        "-level",
        "0%,60%",
        ")",
        "-compose",
        "src-atop",
        "-composite",
        art,
    )
    images = [
        (16, 8, bmp_entry(quantized(art, 16, 255), 8)),
        (32, 8, bmp_entry(quantized(art, 32, 255), 8)),
        (48, 32, bmp_entry(rgba_pixels(art, 48), 32)),
        (256, 32, png(rgba_pixels(art, 256))),
    ]
    (OUT / "orvelle.ico").write_bytes(icon_file(images))


def make_cursor():
    art = [line for line in HAND.strip().splitlines()]
    colour = {"X": (0, 0, 0, 255), "o": (255, 255, 255, 255), ".": (0, 0, 0, 0)}
    rows = [[colour[c] for c in line] for line in art]
    (OUT / "hand.cur").write_bytes(
        icon_file([(32, 4, bmp_entry(rows, 4))], kind=2, hotspot=(12, 1))
    )


def jpeg(args, path, low, high):
    """Writes a JPEG of the picture that args draw, at the highest quality
    that keeps it at most high bytes (and at least low where it can)."""
    for quality in range(95, 20, -5):
        magick(*args, "-strip", "-sampling-factor", "1x1", "-quality", quality, path)
        if path.stat().st_size <= high:
            break
    return path.stat().st_size


def make_marks():
    jpeg(
        [
            "-size",
            "12x12",
            "xc:white",
            "-fill",
            "none",
            "-stroke",
            "rgb(128,128,128)",
            "-draw",
            "rectangle 0,0 11,11",
        ],
        OUT / "mark_empty.jpg",
        0,
        4000,
    )
    jpeg(
        [
            "-size",
            "12x12",
            "xc:rgb(0,64,224)",
            "-fill",
            "rgb(40,110,255)",
            "-draw",
            "rectangle 2,2 9,9",
        ],
        OUT / "mark_chosen.jpg",
        0,
        4000,
    )


def runner(x, frame):
    """A small running figure, legs swapping every other frame, as draw primitives."""
    stride = 3 if frame % 2 else -3
    return [
        f"circle {x},37 {x + 2},37",
        f"line {x},39 {x},45",
        f"line {x},41 {x + 3},43",
        f"line {x},41 {x - 3},42",
        f"line {x},45 {x + stride},49",
        f"line {x},45 {x - stride},49",
    ]


def make_banners():
    sizes = []
    for frame in range(1, 25):
        path = OUT / f"banner{frame:02d}.jpg"
        if frame == 24:
            args = [
                "-size",
                "120x50",
                "xc:black",
                "-fill",
                "none",
                "-stroke",
                "rgb(90,90,90)",
                "-draw",
                "rectangle 0,0 119,49",
            ]
        else:
            level = min(255, frame * 22)
            draw = []
            for start in (0, 45, 90):
                draw += runner((start + frame * 5) % 130 - 5, frame)
            args = [
                "-size",
                "120x50",
                "xc:black",
                "-font",
                FONT,
                "-fill",
                f"rgb({level},{level},{min(255, level + 40)})",
                "-pointsize",
                "15",
                "-annotate",
                "+30+17",
                "Orvelle",
                "-pointsize",
                "10",
                "-annotate",
                "+14+31",
                "ホームページへどうぞ",
                "-fill",
                "none",
                "-stroke",
                "rgb(255,200,60)",
                "-strokewidth",
                "1",
            ]
            for primitive in draw:
                args += ["-draw", primitive]
        sizes.append(jpeg(args, path, 1400, 2700))
    print("banner sizes:", sizes)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        make_icon(Path(work))
    make_cursor()
    make_marks()
    make_banners()


if __name__ == "__main__":
    main()
