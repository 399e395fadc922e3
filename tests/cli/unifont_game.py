#!/usr/bin/env python3
"""Writes a stand-in game file for font-table: 5 filler bytes, then 16x16 glyphs drawn from GNU
Unifont's .hex glyphs (Debian package unifont; not the face the matcher compares with) as 1bpp
tiles taken down then across, in the order the characters are given. A space stands for a glyph
without ink; Unifont's 8-wide glyphs sit at the left of the cell, as a game's ASCII does.
    python3 unifont_game.py OUT CHARACTERS"""
import sys
from pathlib import Path

# The Unifont reader the demo games use too.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts" / "lib"))
from unifont_hex import unifont  # noqa: E402


def rows(bits):
    if bits is None:
        return [[0] * 16 for _ in range(16)]
    wide = len(bits) == 64
    out = []
    for y in range(16):
        if wide:
            value = int(bits[y * 4:y * 4 + 4], 16)
            out.append([(value >> (15 - x)) & 1 for x in range(16)])
        else:
            value = int(bits[y * 2:y * 2 + 2], 16)
            out.append([(value >> (7 - x)) & 1 for x in range(8)] + [0] * 8)
    return out


def tiles_down(pixels):
    data = bytearray()
    for tx in range(2):
        for ty in range(2):
            for y in range(8):
                data.append(sum(pixels[ty * 8 + y][tx * 8 + x] << (7 - x) for x in range(8)))
    return bytes(data)


def main():
    glyphs = unifont()
    out = bytearray(b"\xA5" * 5)
    for character in sys.argv[2]:
        out += tiles_down(rows(None if character == " " else glyphs[ord(character)]))
    with open(sys.argv[1], "wb") as file:
        file.write(out)


if __name__ == "__main__":
    main()
