#!/usr/bin/env python3
"""Writes a stand-in game file for find-font: noise, then at 10000h Unifont's kana as 16x16 1bpp
tiles taken down then across (GNU Unifont, never the matcher's reference face), noise, then at
30000h the same kana packed as one RLE stream (type 30h), then noise to 256 KiB.
    python3 find_font_game.py OUT"""
import random
import sys
from pathlib import Path

from unifont_game import rows, tiles_down, unifont

# The packers the demo games use too.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts" / "lib"))
from packed_streams import rle  # noqa: E402

SIZE = 256 * 1024
RAW_AT = 0x10000
PACKED_AT = 0x30000


def main():
    glyphs = unifont()
    font = b"".join(tiles_down(rows(glyphs[c])) for c in range(ord("ぁ"), ord("ん") + 1))
    noise = random.Random(7)
    out = bytearray(noise.getrandbits(8) for _ in range(SIZE))
    out[RAW_AT:RAW_AT + len(font)] = font
    packed = rle(font)
    out[PACKED_AT:PACKED_AT + len(packed)] = packed
    with open(sys.argv[1], "wb") as file:
        file.write(out)
    print(len(font), len(packed))


if __name__ == "__main__":
    main()
