#!/usr/bin/env python3
"""Writes a made-up game file whose font is packed, for the picture of Find Font: the 16x16 gb2bpp
font of make_demo_font.py packed with LZ77 (type 10h, as the GBA and DS BIOS unpack it) at 6000,
among random bytes standing for code and data, a stretch of padding, and a packed stream of
sprite-like tiles (RLE, type 30h) at 2000.
    python3 make_demo_packed_font.py OUT"""
import random
import sys

import make_demo_font as demo
from packed_streams import lz10, rle


def sprites(count):
    """Tiles of a sprite's kind: a blob of two colours filling most of the tile."""
    out = bytearray()
    for _ in range(count):
        colour = random.randrange(1, 4)
        for y in range(8):
            row = [colour if 1 <= y <= 6 and 1 <= x <= 6 else 0 for x in range(8)]
            low = sum((value & 1) << (7 - x) for x, value in enumerate(row))
            high = sum((value >> 1) << (7 - x) for x, value in enumerate(row))
            out += bytes([low, high])
    return bytes(out)


def main():
    random.seed(31)
    glyphs = demo.unifont()
    font = b"".join(demo.gb2bpp(demo.shaded(demo.pixels(glyphs[ord(letter)])))
                    for letter in demo.ORDER)
    out = bytearray(random.randrange(256) for _ in range(0x2000))
    out += rle(sprites(64))
    out += bytes(0x4000 - len(out) % 0x4000 if len(out) < 0x4000 else 0)  # padding
    out += bytes(random.randrange(256) for _ in range(0x6000 - len(out)))
    out += lz10(font)
    out += bytes(random.randrange(256) for _ in range(0x4000))
    with open(sys.argv[1], "wb") as file:
        file.write(out)


if __name__ == "__main__":
    main()
