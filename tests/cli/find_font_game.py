#!/usr/bin/env python3
"""Writes a stand-in game file for find-font: noise, then at 10000h Unifont's kana as 16x16 1bpp
tiles taken down then across (GNU Unifont, never the matcher's reference face), noise, then at
30000h the same kana packed as one RLE stream (type 30h), then noise to 256 KiB.
    python3 find_font_game.py OUT"""
import random
import sys

from unifont_game import rows, tiles_down, unifont

SIZE = 256 * 1024
RAW_AT = 0x10000
PACKED_AT = 0x30000


def rle(data):
    """Runs of 3 to 130 equal bytes, literal stretches of 1 to 128 between them."""
    out = bytearray([0x30, len(data) & 0xFF, (len(data) >> 8) & 0xFF, len(data) >> 16])
    literal = bytearray()

    def flush():
        for i in range(0, len(literal), 128):
            piece = literal[i:i + 128]
            out.append(len(piece) - 1)
            out.extend(piece)
        literal.clear()

    at = 0
    while at < len(data):
        run = 1
        while at + run < len(data) and run < 130 and data[at + run] == data[at]:
            run += 1
        if run >= 3:
            flush()
            out += bytes([0x80 | (run - 3), data[at]])
            at += run
        else:
            literal.append(data[at])
            at += 1
    flush()
    return bytes(out)


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
