"""The puff atlas against a reference written here from its description, in
Python's double arithmetic: the disc profile, the tiles that each keep two
thirds of the one before, the grain from the generator, two blurs, and the
last tile the mean of the one before and the first. Byte for byte."""

import math
import os
import subprocess
import unittest


def atlas(seed):
    state = seed

    def draw():
        nonlocal state
        state = (state * 214013 + 2531011) % 2**32
        return (state >> 16) & 0x7FFF

    def disc(r, c):
        d = math.sqrt((r - 15.5) ** 2 + (c - 15.5) ** 2)
        return 0.0 if d > 15 else math.cos(d * 3.1415927410125732 * 0.03225806451612903) * 255

    tile, out = [[0] * 32 for _ in range(32)], bytearray(256 * 256 * 2)
    for k in range(64):
        if k == 63:
            tile = [
                [(tile[r][c] + out[r * 512 + c * 2]) // 2 for c in range(32)] for r in range(32)
            ]
        else:
            tile = [
                [
                    int(disc(r, c))
                    if k == 0
                    else int(min(255.0, (2 * tile[r][c] + disc(r, c)) * 0.3333333432674408))
                    for c in range(32)
                ]
                for r in range(32)
            ]
            for r in range(2, 30):
                for c in range(2, 30):
                    for sign, bound in ((1, 255), (-1, 0)):
                        step = 1
                        while step <= 32 and draw() % 2:
                            tile[r][c] = (min if sign > 0 else max)(bound, tile[r][c] + sign * step)
                            step *= 2
            for _ in range(2):
                t = [row[:] for row in tile]
                for r in range(1, 31):
                    for c in range(1, 31):
                        tile[r][c] = (
                            4 * t[r][c] + t[r - 1][c] + t[r + 1][c] + t[r][c - 1] + t[r][c + 1]
                        ) // 8
        top, left = 32 * (k // 8), 32 * (k % 8)
        for r in range(32):
            at = ((top + r) * 256 + left) * 2
            out[at : at + 64] = bytes(v for value in tile[r] for v in (value, value))
    return bytes(out)


class PuffAtlas(unittest.TestCase):
    def test_the_atlas_is_the_reference_byte_for_byte(self):
        for seed in (1, 7, 4000000000):
            built = subprocess.run(
                [os.environ["ORVELLE_ATLAS_DUMP"], str(seed)],
                check=True,
                capture_output=True,
                timeout=60,
            ).stdout
            self.assertEqual(built, atlas(seed), f"seed {seed}")


if __name__ == "__main__":
    unittest.main()
